// Every message quillet shows, the launch errors it reports and the context
// help it gives. Texts come from the application's language library; style
// flags are in MessageBox form (low four bits: 0 OK, 1 OK and Cancel, 4 Yes
// and No; bits 4-7: 16 stop, 32 question, 48 exclamation, else information).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "quillet/ui/help_rules.h"

namespace quillet {

// The message dialog with the text of a bare key ("msgConfirmExit") and its
// inserts; the caption is the product name. Returns the button pressed
// (IDOK, IDCANCEL, IDYES, IDNO); closing the dialog never counts as Yes.
int ShowMessage(HWND owner, UINT style, const std::string& key, const std::vector<std::string>& arguments = {});
// The same with a text that carries `$` references ("$msgConfirmDelete").
int ShowFormattedMessage(HWND owner, UINT style, const std::string& text,
                         const std::vector<std::string>& arguments = {});
// Takes the calling thread's last error first, then shows the text followed,
// when the system has words for that error, by a blank line and them.
int ShowMessageWithError(HWND owner, UINT style, const std::string& text,
                         const std::vector<std::string>& arguments = {});

// The message for a failed launch of `path` with the error ShellExecuteEx left.
void ReportLaunchError(HWND owner, const std::string& path, DWORD error);
// Opens a file, folder or address with its associated program; a failure is
// reported as above. True when it started.
bool OpenTarget(HWND owner, const std::string& path);

// The What's-this pop-up for a dialog control: `key` (bare) or, when null, the
// dialog's help row for the control's id, else "hlpUnknown".
void ShowWhatsThis(HWND control, const char* key = nullptr);
// Gives a dialog (or property page) its help table, kept as a window property
// of the dialog; null takes it away. The rows are static data: they must
// outlive the dialog.
void SetDialogHelp(HWND dialog, const HelpRow* rows);
// What a dialog procedure calls on WM_CONTEXTMENU: for a control with a
// positive id (the one clicked, the one under the point, or with Shift+F10
// the focused one) the one-entry "What's This?" menu, and the pop-up when
// that entry is chosen. False when the message was not about such a control.
bool HandleContextHelp(HWND dialog, WPARAM wParam, LPARAM lParam);
// Context help: a non-zero context opens that page of the help beside the
// program (help_rules.h names the contexts); zero opens the help web address.
// A page that cannot be opened is reported as a launch error with its path.
// When the environment variable below names a file, the request is appended
// to it as a line "<context> <target>" instead (tests run without a browser).
void OpenHelp(HWND owner, int contextId);
constexpr const char* kTestHelpLogVariable = "QUILLET_TEST_HELP_LOG";

}  // namespace quillet
