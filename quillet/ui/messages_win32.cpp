// The message dialog, launch errors and the help hand-over.
#include "quillet/ui/messages.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>

#include "platform/error_text.h"
#include "platform/handles.h"
#include "quillet/app/application.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/launch_errors.h"
#include "quillet/ui/message_layout.h"
#include "quillet/ui/ui_resource_ids.h"

namespace quillet {
namespace {

struct MessageRequest {
    std::string text;
    MessageLayout layout;
};

LPCSTR StockIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop: return IDI_HAND;
    case MessageIcon::Question: return IDI_QUESTION;
    case MessageIcon::Exclamation: return IDI_EXCLAMATION;
    default: return IDI_ASTERISK;
    }
}

// A control's rectangle in the dialog's client coordinates.
RECT ControlRect(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PlaceControl(HWND dialog, int id, const RECT& rect) {
    MoveWindow(GetDlgItem(dialog, id), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void MoveControlDown(HWND dialog, int id, int by) {
    RECT rect = ControlRect(dialog, id);
    OffsetRect(&rect, 0, by);
    PlaceControl(dialog, id, rect);
}

// The height the message text needs at the width of its field.
int TextHeight(HWND dialog, const std::string& text) {
    const HWND field = GetDlgItem(dialog, IDC_MESSAGE_TEXT);
    RECT rect = ControlRect(dialog, IDC_MESSAGE_TEXT);
    OffsetRect(&rect, -rect.left, -rect.top);
    platform::unique_hdc_window dc(field);
    platform::unique_select_object font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)));
    DrawTextA(dc.get(), text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return rect.bottom;
}

// A long text (a deep path, the system's reason) grows the dialog downwards
// rather than being cut off, up to the height of the work area.
void FitText(HWND dialog, const std::string& text) {
    RECT field = ControlRect(dialog, IDC_MESSAGE_TEXT);
    RECT window = {};
    GetWindowRect(dialog, &window);
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int growth = MessageGrowth(TextHeight(dialog, text), field.bottom - field.top,
                                     (workArea.bottom - workArea.top) - (window.bottom - window.top));
    if (growth == 0) return;
    field.bottom += growth;
    PlaceControl(dialog, IDC_MESSAGE_TEXT, field);
    for (int id : {IDOK, IDCANCEL, IDC_MESSAGE_LONE_BUTTON}) MoveControlDown(dialog, id, growth);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + growth,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Keep it centred where DS_CENTER put it, and on the work area.
    const int top = std::max<int>(workArea.top, window.top - growth / 2);
    SetWindowPos(dialog, nullptr, window.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetButtonText(HWND dialog, int id, const char* text) {
    if (text) SetDlgItemTextA(dialog, id, App().Texts().TranslateText(text).c_str());
}

// Returns whether the dialog manager should set the focus (the first button).
bool LayOutMessage(HWND dialog, const MessageRequest& request) {
    Language& texts = App().Texts();
    LocalizeDialog(texts, dialog);
    SetWindowTextA(dialog, texts.ExpandMacros("%pn").c_str());
    SetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, request.text.c_str());
    SendDlgItemMessageA(dialog, IDC_MESSAGE_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, StockIcon(request.layout.icon))), 0);

    const MessageLayout& layout = request.layout;
    SetButtonText(dialog, IDOK, layout.firstText);
    SetButtonText(dialog, IDCANCEL, layout.secondText);
    if (layout.loneButton) {
        ShowWindow(GetDlgItem(dialog, IDCANCEL), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_MESSAGE_LONE_BUTTON), SW_HIDE);
        PlaceControl(dialog, IDOK, ControlRect(dialog, IDC_MESSAGE_LONE_BUTTON));
    }
    FitText(dialog, request.text);
    if (layout.defaultButton == 2) {
        SendMessageA(GetDlgItem(dialog, IDOK), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return false;
    }
    return true;
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* request = reinterpret_cast<const MessageRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return LayOutMessage(dialog, *reinterpret_cast<const MessageRequest*>(lParam));
    case WM_COMMAND:
        // Escape and the close box arrive as IDCANCEL too: with a second button
        // shown they answer what it answers, never Yes.
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, request->layout.firstAnswer);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, request->layout.loneButton ? request->layout.closeAnswer : request->layout.secondAnswer);
        }
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, request->layout.closeAnswer); return TRUE;
    default: return FALSE;
    }
}

int ShowMessageText(HWND owner, UINT style, std::string text) {
    MessageRequest request = {std::move(text), DecideMessageLayout(style)};
    const INT_PTR answer = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUILLET_MESSAGE), owner,
                                           MessageDialogProc, reinterpret_cast<LPARAM>(&request));
    // The dialog could not be made (no resource, no memory): nothing was
    // asked, so no caller may take it as a Yes or an OK.
    if (answer <= 0) return request.layout.closeAnswer;
    return static_cast<int>(answer);
}

}  // namespace

int ShowMessage(HWND owner, UINT style, const std::string& key, const std::vector<std::string>& arguments) {
    const std::optional<std::string> text = App().Texts().GetText(key);
    return ShowMessageText(owner, style, text ? FillInserts(*text, arguments) : std::string());
}

int ShowFormattedMessage(HWND owner, UINT style, const std::string& text, const std::vector<std::string>& arguments) {
    return ShowMessageText(owner, style, App().Texts().FormatText(text, arguments));
}

int ShowMessageWithError(HWND owner, UINT style, const std::string& text, const std::vector<std::string>& arguments) {
    const DWORD error = GetLastError();
    std::string message = App().Texts().FormatText(text, arguments);
    // Error 0 has a system text too ("The operation completed successfully."),
    // which would only contradict the message.
    if (error != 0) {
        const std::string reason = platform::SystemErrorText(error);
        if (reason != "error " + std::to_string(error)) message += "\r\n\r\n" + reason;
    }
    return ShowMessageText(owner, style, std::move(message));
}

void ReportLaunchError(HWND owner, const std::string& path, DWORD error) {
    ShowFormattedMessage(owner, MB_ICONHAND, LaunchErrorKey(error), LaunchErrorArguments(path));
}

bool OpenTarget(HWND owner, const std::string& path) {
    SHELLEXECUTEINFOA info = {};
    static_assert(sizeof(void*) != 4 || sizeof info == 60, "the first version of the record");
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) return true;
    ReportLaunchError(owner, path, GetLastError());
    return false;
}

void OpenHelp(HWND owner, int contextId) {
    if (!owner) owner = GetActiveWindow();
    Language& texts = App().Texts();
    const std::string target = contextId != 0 ? HelpPagePath(texts.GetText("helpFile").value_or(""), contextId)
                                              : texts.GetText("urlHelp").value_or("");
    char log[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(kTestHelpLogVariable, log, sizeof log);
    if (length > 0 && length < sizeof log) {
        std::ofstream(log, std::ios::app) << contextId << ' ' << target << '\n';
        return;
    }
    if (!target.empty()) OpenTarget(owner, target);
}

}  // namespace quillet
