// The options of the icon set, the password lock, the tip of the day and the
// click sound.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// The icon set's options sheet (contents, settings, advanced). True when
// something changed and was kept.
bool ShowOptions(HWND parent);

// The lock, unlock or change-password dialog; on OK the stored form is
// written to the root. True when confirmed.
bool ShowPasswordDialog(HWND parent, bool changeMode);

// The tip of the day; unless `forced`, only when tips are switched on.
void ShowTips(HWND parent, bool forced);

// Every sound quillet plays goes through here (asynchronously).
void PlaySoundFile(const std::string& path);

}  // namespace quillet
