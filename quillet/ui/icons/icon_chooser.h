// The icon chooser, the program's icon cache and the settings page of the
// icon set's options.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstddef>
#include <string>

#include "quillet/model/object.h"

namespace quillet {

// Posted to the chooser when the file in its field holds no icons; the
// chooser then tells the user so.
inline constexpr const char* kNoIconsMessageName = "HV:NoIcons";
// Per-user value under the program key: the chooser shows 16-pixel icons.
inline constexpr const char* kSmallIconChooseValue = "Small Icon Choose";

// Lets the user pick an icon from a file for `object`; on OK writes its icon
// file and index. True when confirmed.
bool ChooseIcon(HWND parent, Object& object);

// An icon from the process's icon cache (the cache owns it), or null. It
// stays valid until a later request or trim drops its entry; an icon shown
// for longer comes from ItemIcon (item_icons.h), whose entries are never
// dropped.
HICON GetCachedIcon(const std::string& file, int index, bool smallSlot, bool sixteenPixel);
// Keeps the `keep` most recently used entries; 0 empties the cache.
void TrimIconCache(size_t keep);

// The settings page of the icon set's options: the root's general panel,
// then each class's panel for its own settings.
HPROPSHEETPAGE CreateSettingsPage(Object& root);

}  // namespace quillet
