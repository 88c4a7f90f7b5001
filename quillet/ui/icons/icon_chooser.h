// The icon chooser, the program's icon cache and the settings page of the
// icon set's options.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "quillet/model/object.h"

namespace quillet {

// Lets the user pick an icon from a file for `object`; on OK writes its icon
// file and index. True when confirmed.
bool ChooseIcon(HWND parent, Object& object);

// An icon from the process's icon cache (the cache owns it), or null.
HICON GetCachedIcon(const std::string& file, int index, bool smallSlot, bool sixteenPixel);
// Keeps the `keep` most recently used entries; 0 empties the cache.
void TrimIconCache(size_t keep);

// The settings page of the icon set's options: the root's general panel,
// then each class's panel for its own settings.
HPROPSHEETPAGE CreateSettingsPage(Object& root);

}  // namespace quillet
