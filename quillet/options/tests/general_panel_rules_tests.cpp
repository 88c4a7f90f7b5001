#include <gtest/gtest.h>

#include "quillet/model/property_tags.h"
#include "quillet/options/general_panel_rules.h"

namespace quillet {
namespace {

// Hotkey control form: HOTKEYF_SHIFT 1, CONTROL 2, ALT 4, EXT 8.
// RegisterHotKey form: MOD_ALT 1, CONTROL 2, SHIFT 4, WIN 8.
TEST(HotkeyFormsTest, ControlValueBecomesTheStoredSettingAndBack) {
    struct Case {
        const char* name;
        uint16_t control;
        int32_t setting;
    };
    const Case cases[] = {
        {"Ctrl+Alt+F9", (2 | 4) << 8 | 0x78, 0x0378},
        {"Shift+A", 1 << 8 | 'A', 0x0441},
        {"Alt+A", 4 << 8 | 'A', 0x0141},
        {"Ctrl+Shift+Alt+Z", 7 << 8 | 'Z', 0x075A},
        {"Win (extended) + T is the natural hotkey", 8 << 8 | 0x54, kNaturalHotkey},
        {"a key alone", 0x70, 0x0070},
        {"empty", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.setting, HotkeySettingFromControl(c.control));
        EXPECT_EQ(c.control, HotkeyControlFromSetting(c.setting));
    }
}

TEST(HotkeyFormsTest, CtrlAltF9IsStoredWithModifiersThreeAndKeyF9) {
    int32_t setting = HotkeySettingFromControl((2 | 4) << 8 | 0x78);
    EXPECT_EQ(3, setting >> 8);
    EXPECT_EQ(0x78, setting & 0xFF);
}

TEST(HotkeyFormsTest, ModifierSwapIsItsOwnInverse) {
    for (int modifiers = 0; modifiers < 16; ++modifiers) {
        SCOPED_TRACE(modifiers);
        EXPECT_EQ(modifiers, SwapHotkeyModifiers(SwapHotkeyModifiers(static_cast<uint8_t>(modifiers))));
    }
}

TEST(GeneralListsTest, PositionsFollowValueOrderAndOddValuesShowTheDefault) {
    EXPECT_EQ(0, MenuViewPosition(kMenuViewText));
    EXPECT_EQ(2, MenuViewPosition(kMenuViewTextAndIcons));
    EXPECT_EQ(2, MenuViewPosition(0));
    EXPECT_EQ(2, MenuViewPosition(9));
    EXPECT_EQ(kMenuViewIcons, MenuViewFromPosition(1));
    EXPECT_EQ(kMenuViewTextAndIcons, MenuViewFromPosition(-1));  // nothing selected (CB_ERR)

    EXPECT_EQ(2, HotkeyModePosition(kHotkeyModeCustom));
    EXPECT_EQ(0, HotkeyModePosition(7));
    EXPECT_EQ(kHotkeyModeNatural, HotkeyModeFromPosition(1));
    EXPECT_EQ(kHotkeyModeNone, HotkeyModeFromPosition(-1));
}

TEST(GeneralListsTest, OnlyACustomModeWithoutAKeyIsRefused) {
    EXPECT_TRUE(HotkeyMissing(kHotkeyModeCustom, 0));
    EXPECT_TRUE(HotkeyMissing(kHotkeyModeCustom, 2 << 8));  // a modifier alone cannot be registered
    EXPECT_FALSE(HotkeyMissing(kHotkeyModeCustom, 0x0378));
    EXPECT_FALSE(HotkeyMissing(kHotkeyModeNatural, 0));
    EXPECT_FALSE(HotkeyMissing(kHotkeyModeNone, 0));
}

}  // namespace
}  // namespace quillet
