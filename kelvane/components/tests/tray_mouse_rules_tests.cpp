#include <gtest/gtest.h>

#include <vector>

#include "kelvane/components/tray_mouse_rules.h"

using namespace kelvane;
using E = TrayEvent;

TEST(TrayMouse, EachMouseMessageRaisesItsEvents) {
    struct Case {
        const char* name;
        uint32_t message;
        bool leftPopup;
        bool menu;
        bool pressedBefore;
        std::vector<TrayEvent> events;
        bool pressedAfter;
    };
    const Case cases[] = {
        {"move", tray_mouse::kMove, false, true, false, {E::MouseMove}, false},
        {"left down", tray_mouse::kLeftDown, false, true, false, {E::MouseDownLeft}, true},
        {"left down, left popup", tray_mouse::kLeftDown, true, true, false, {E::MouseDownLeft, E::PopupMenu}, true},
        {"left down, left popup, no menu", tray_mouse::kLeftDown, true, false, false, {E::MouseDownLeft}, true},
        {"left up after a press", tray_mouse::kLeftUp, false, true, true, {E::Click, E::MouseUpLeft}, false},
        {"left up without a press", tray_mouse::kLeftUp, false, true, false, {E::MouseUpLeft}, false},
        {"left double click",
         tray_mouse::kLeftDoubleClick,
         false,
         true,
         false,
         {E::DblClick, E::ClickDefaultItem},
         false},
        {"left double click, left popup", tray_mouse::kLeftDoubleClick, true, true, false, {E::DblClick}, false},
        {"left double click, no menu", tray_mouse::kLeftDoubleClick, false, false, false, {E::DblClick}, false},
        {"right down", tray_mouse::kRightDown, false, true, false, {E::MouseDownRight, E::PopupMenu}, false},
        {"right down, no menu", tray_mouse::kRightDown, false, false, false, {E::MouseDownRight}, false},
        {"right up", tray_mouse::kRightUp, false, true, false, {E::MouseUpRight}, false},
        {"middle down", tray_mouse::kMiddleDown, false, true, false, {E::MouseDownMiddle}, false},
        {"middle up", tray_mouse::kMiddleUp, false, true, false, {E::MouseUpMiddle}, false},
        {"right double click", tray_mouse::kRightDoubleClick, false, true, false, {}, false},
        {"something else", 0x0400, false, true, true, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrayMouseState state;
        state.leftPopup = c.leftPopup;
        state.hasAutoPopupMenu = c.menu;
        state.leftPressed = c.pressedBefore;
        EXPECT_EQ(TrayMouseEvents(c.message, state), c.events);
        EXPECT_EQ(state.leftPressed, c.pressedAfter);
    }
}

TEST(TrayMouse, ADisabledIconRaisesNothingAndRemembersNoPress) {
    for (uint32_t message = tray_mouse::kMove; message <= tray_mouse::kMiddleUp; ++message) {
        SCOPED_TRACE(message);
        TrayMouseState state;
        state.enabled = false;
        state.hasAutoPopupMenu = true;
        state.leftPopup = true;
        EXPECT_TRUE(TrayMouseEvents(message, state).empty());
        EXPECT_FALSE(state.leftPressed);
    }
}

TEST(TrayMouse, APressJoinsOnlyItsOwnRelease) {
    TrayMouseState state;
    TrayMouseEvents(tray_mouse::kLeftDown, state);
    EXPECT_EQ(TrayMouseEvents(tray_mouse::kLeftUp, state), (std::vector<TrayEvent>{E::Click, E::MouseUpLeft}));
    EXPECT_EQ(TrayMouseEvents(tray_mouse::kLeftUp, state), (std::vector<TrayEvent>{E::MouseUpLeft}));
}
