#include "kelvane/components/tray_mouse_rules.h"

namespace kelvane {

std::vector<TrayEvent> TrayMouseEvents(uint32_t mouseMessage, TrayMouseState& state) {
    std::vector<TrayEvent> events;
    if (!state.enabled) return events;
    const bool popup = state.hasAutoPopupMenu;
    switch (mouseMessage) {
    case tray_mouse::kMove: events = {TrayEvent::MouseMove}; break;
    case tray_mouse::kLeftDown:
        events = {TrayEvent::MouseDownLeft};
        state.leftPressed = true;
        if (state.leftPopup && popup) events.push_back(TrayEvent::PopupMenu);
        break;
    case tray_mouse::kLeftUp:
        if (state.leftPressed) {
            state.leftPressed = false;
            events.push_back(TrayEvent::Click);
        }
        events.push_back(TrayEvent::MouseUpLeft);
        break;
    case tray_mouse::kLeftDoubleClick:
        events = {TrayEvent::DblClick};
        if (popup && !state.leftPopup) events.push_back(TrayEvent::ClickDefaultItem);
        break;
    case tray_mouse::kRightDown:
        events = {TrayEvent::MouseDownRight};
        if (popup) events.push_back(TrayEvent::PopupMenu);
        break;
    case tray_mouse::kRightUp: events = {TrayEvent::MouseUpRight}; break;
    case tray_mouse::kMiddleDown: events = {TrayEvent::MouseDownMiddle}; break;
    case tray_mouse::kMiddleUp: events = {TrayEvent::MouseUpMiddle}; break;
    }
    return events;
}

}  // namespace kelvane
