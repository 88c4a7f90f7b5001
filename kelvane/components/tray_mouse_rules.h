// What a mouse message on a tray icon turns into: the events the tray icon
// component raises, in order.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvane {

// The mouse messages the shell reports in the callback's lParam.
namespace tray_mouse {
inline constexpr uint32_t kMove = 0x0200;
inline constexpr uint32_t kLeftDown = 0x0201;
inline constexpr uint32_t kLeftUp = 0x0202;
inline constexpr uint32_t kLeftDoubleClick = 0x0203;
inline constexpr uint32_t kRightDown = 0x0204;
inline constexpr uint32_t kRightUp = 0x0205;
inline constexpr uint32_t kRightDoubleClick = 0x0206;
inline constexpr uint32_t kMiddleDown = 0x0207;
inline constexpr uint32_t kMiddleUp = 0x0208;
}  // namespace tray_mouse

enum class TrayEvent {
    MouseMove,
    MouseDownLeft,
    MouseUpLeft,
    MouseDownRight,
    MouseUpRight,
    MouseDownMiddle,
    MouseUpMiddle,
    Click,
    DblClick,
    ClickDefaultItem,  // the menu's default item, as on a double click
    PopupMenu,
};

struct TrayMouseState {
    bool enabled = true;
    bool leftPopup = false;
    bool hasAutoPopupMenu = false;  // a menu is assigned and pops up by itself
    bool leftPressed = false;       // a left press waits for its release
};

// The events for `mouseMessage`; updates `state.leftPressed`. Nothing at all
// while the component is disabled.
std::vector<TrayEvent> TrayMouseEvents(uint32_t mouseMessage, TrayMouseState& state);

}  // namespace kelvane
