// Every message quillet shows, the launch errors it reports and the context
// help it gives. Texts come from the application's language library; style
// flags are in MessageBox form (low four bits: 0 OK, 1 OK and Cancel, 4 Yes
// and No; bits 4-7: 16 stop, 32 question, 48 exclamation, else information).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
// Context help: a non-zero context opens that page of the help beside the
// program; zero opens the help web address.
void OpenHelp(HWND owner, int contextId);

}  // namespace quillet
