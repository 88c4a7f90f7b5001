// What the options sheet, its advanced page, the password dialogs and the tip
// of the day share: the per-user values under the program key, dialog texts,
// and the advanced page itself.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <optional>
#include <string>
#include <vector>

#include "quillet/options/options.h"
#include "quillet/options/sounds_list.h"

namespace quillet {

// A DWORD value under the program key; nothing when absent or of another type.
std::optional<DWORD> ReadProgramValue(const char* name);
DWORD ReadProgramDword(const char* name, DWORD fallback);
void WriteProgramDword(const char* name, DWORD value);
// Writes `value`, or removes the value when there is none.
void RestoreProgramValue(const char* name, std::optional<DWORD> value);

// The whole text of a dialog's control, however long.
std::string DialogItemText(HWND dialog, int id);

// The dialog procedure of a dialog object: the object comes as the
// WM_INITDIALOG parameter, is kept in DWLP_USER and told its window with
// Bind(), then handles every message with HandleMessage().
template <typename Dialog>
INT_PTR CALLBACK BoundDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->Bind(dialog);
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

// The advanced page with its three sub-pages. `securityChangeable` false
// disables the security sub-page's buttons (the icon set file cannot be
// written, so no password could be kept).
HPROPSHEETPAGE CreateAdvancedPage(bool securityChangeable, const ShellExtensionSwitch& shellExtension);

// The ".wav" files of a folder, hidden files and folders left out.
std::vector<SoundFile> ListSoundFiles(const std::string& folder);

}  // namespace quillet
