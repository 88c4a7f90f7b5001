// The rules of the general panel: the menu view and hotkey mode as list
// positions, and the hotkey in the two forms Windows uses for it. Portable:
// no <windows.h>.
#pragma once

#include <cstdint>

namespace quillet {

// The hotkey control holds modifiers as HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2,
// HOTKEYF_ALT 4, HOTKEYF_EXT 8; RegisterHotKey takes MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4, MOD_WIN 8. The two differ only in Shift and Alt swapping
// places, so one function converts either way.
uint8_t SwapHotkeyModifiers(uint8_t modifiers);

// The control's value (modifiers in the high byte, key in the low byte) as
// setting 9004 stores it, and back.
int32_t HotkeySettingFromControl(uint16_t controlValue);
uint16_t HotkeyControlFromSetting(int32_t setting);

// List positions: the view list holds the views 1-3, the mode list the modes
// 0-2, in value order. A stored value outside the range shows the default.
int MenuViewPosition(int32_t menuView);
int32_t MenuViewFromPosition(int position);
int HotkeyModePosition(int32_t mode);
int32_t HotkeyModeFromPosition(int position);

// Whether the panel must refuse to be left: a custom hotkey with nothing in
// the control.
bool HotkeyMissing(int32_t mode, uint16_t controlValue);

}  // namespace quillet
