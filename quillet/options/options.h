// The options of the icon set, the password lock, the tip of the day and the
// click sound.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <functional>
#include <string>
#include <vector>

#include "quillet/model/object.h"

namespace quillet {

// Per-user values under the program key (HKEY_CURRENT_USER).
inline constexpr const char* kShowTipsValueName = "Show Tips";
inline constexpr const char* kLastTipValueName = "Last Tip";
inline constexpr const char* kRelockPasswordValueName = "Relock Password";

// The icon set's options sheet (contents, settings, advanced). True when the
// user pressed OK: the changes were saved, or discarded when the settings
// stayed locked. Pages change the icon set live and Cancel (or a discard)
// puts it back, so the caller brings what shows the icon set (the tray icons)
// up to date whatever the answer.
bool ShowOptions(HWND parent);

// A page of the options sheet made for the root, or null when it cannot be.
using OptionsPageMaker = std::function<HPROPSHEETPAGE(Object& root)>;
// The shell's "Add to Tray" command as the user-interface sub-page switches
// it. Without both functions the page shows the box disabled.
struct ShellExtensionSwitch {
    std::function<bool()> isEnabled;
    std::function<void(bool)> setEnabled;
};
// The options sheet with `leadingPages` before the advanced page; pages that
// cannot be made are left out. ShowOptions passes the contents and settings
// pages and the registration's own switch. Every change is applied live and
// undone again by Cancel.
bool ShowOptionsWithPages(HWND parent, const std::vector<OptionsPageMaker>& leadingPages,
                          const ShellExtensionSwitch& shellExtension);

// The lock, unlock or change-password dialog; on OK the stored form is
// written to the root. True when confirmed.
bool ShowPasswordDialog(HWND parent, bool changeMode);

// The tip of the day; unless `forced`, only when tips are switched on.
void ShowTips(HWND parent, bool forced);

// Every sound quillet plays goes through here (asynchronously). When the
// environment variable below names a file, each path is appended to it as a
// line too: tests run without a sound device.
void PlaySoundFile(const std::string& path);
constexpr const char* kTestSoundLogVariable = "QUILLET_TEST_SOUND_LOG";

}  // namespace quillet
