#include "quillet/options/general_panel_rules.h"

#include "quillet/model/property_tags.h"

namespace quillet {

uint8_t SwapHotkeyModifiers(uint8_t modifiers) {
    constexpr uint8_t kFirst = 1;
    constexpr uint8_t kThird = 4;
    uint8_t kept = modifiers & static_cast<uint8_t>(~(kFirst | kThird));
    if (modifiers & kFirst) kept |= kThird;
    if (modifiers & kThird) kept |= kFirst;
    return kept;
}

int32_t HotkeySettingFromControl(uint16_t controlValue) {
    const uint8_t key = controlValue & 0xFF;
    const uint8_t modifiers = SwapHotkeyModifiers(static_cast<uint8_t>(controlValue >> 8));
    return (static_cast<int32_t>(modifiers) << 8) | key;
}

uint16_t HotkeyControlFromSetting(int32_t setting) {
    const uint8_t key = setting & 0xFF;
    const uint8_t modifiers = SwapHotkeyModifiers(static_cast<uint8_t>((setting >> 8) & 0xFF));
    return static_cast<uint16_t>((modifiers << 8) | key);
}

int MenuViewPosition(int32_t menuView) {
    if (menuView < kMenuViewText || menuView > kMenuViewTextAndIcons) menuView = kMenuViewTextAndIcons;
    return menuView - kMenuViewText;
}

int32_t MenuViewFromPosition(int position) {
    if (position < 0 || position > kMenuViewTextAndIcons - kMenuViewText) return kMenuViewTextAndIcons;
    return kMenuViewText + position;
}

int HotkeyModePosition(int32_t mode) {
    if (mode < kHotkeyModeNone || mode > kHotkeyModeCustom) return kHotkeyModeNone;
    return mode;
}

int32_t HotkeyModeFromPosition(int position) {
    if (position < kHotkeyModeNone || position > kHotkeyModeCustom) return kHotkeyModeNone;
    return position;
}

bool HotkeyMissing(int32_t mode, uint16_t controlValue) {
    return mode == kHotkeyModeCustom && (controlValue & 0xFF) == 0;
}

}  // namespace quillet
