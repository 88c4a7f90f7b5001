#include "setup/install_dialog_win32.h"

#include <shlobj.h>

#include "setup/common/install_rules.h"
#include "setup/common/product_names.h"
#include "setup/common/stowdesk_win32.h"
#include "setup/resource.h"

namespace stowdesk {

static bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether a folder exists is asked of its attributes rather than by making it
// the current directory, so the process's current directory never changes.
bool CreateFolderLevels(const std::string& path) {
    if (IsFolder(path)) return true;
    for (const std::string& level : FolderLevels(path)) {
        if (IsFolder(level)) continue;
        if (!CreateDirectoryA(level.c_str(), nullptr)) return false;
        AnnouncePath(SHCNE_MKDIR, level, true);
    }
    return IsFolder(path);
}

INT_PTR InstallDialog::Show() {
    return DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_INSTALL_OPTIONS), nullptr, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK InstallDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<InstallDialog*>(lParam);
        self->m_dialog = dialog;
        self->OnInitDialog();
        return FALSE;  // the focus was given to OK
    }
    auto* self = reinterpret_cast<InstallDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self || message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: self->OnOk(); return TRUE;
    case IDCANCEL: self->OnCancel(); return TRUE;
    case IDC_BROWSE: self->OnBrowse(); return TRUE;
    }
    return FALSE;
}

void InstallDialog::OnInitDialog() {
    SetWindowTextA(m_dialog, kProductName);
    SetFocus(GetDlgItem(m_dialog, IDOK));
    SendDlgItemMessageA(m_dialog, IDC_INSTALL_PATH, EM_LIMITTEXT, kMaxPath, 0);
    SetDlgItemTextA(m_dialog, IDC_INSTALL_PATH, m_proposal.c_str());
    const std::string startText = std::string("&Start ") + kProductName + " after Setup is Complete";
    SetDlgItemTextA(m_dialog, IDC_START_AFTER_SETUP, startText.c_str());
    CheckDlgButton(m_dialog, IDC_START_MENU_SHORTCUT, BST_CHECKED);
    CheckDlgButton(m_dialog, IDC_START_AFTER_SETUP, BST_CHECKED);
    SetClassLongPtrA(m_dialog, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_SETUP))));
}

static std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(GetWindowTextLengthA(item) + 1, '\0');
    text.resize(GetWindowTextA(item, text.data(), static_cast<int>(text.size())));
    return text;
}

static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

void InstallDialog::OnBrowse() {
    const std::string start = ItemText(m_dialog, IDC_INSTALL_PATH);
    char chosen[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = m_dialog;
    info.pszDisplayName = chosen;
    info.lpszTitle = "Select installation path:";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item) return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(item, path)) SetDlgItemTextA(m_dialog, IDC_INSTALL_PATH, path);
    CoTaskMemFree(item);
}

void InstallDialog::OnCancel() {
    if (ShowMessage("Setup will be stopped.", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) EndDialog(m_dialog, IDCANCEL);
}

void InstallDialog::OnOk() {
    m_choices.startMenuShortcut = IsDlgButtonChecked(m_dialog, IDC_START_MENU_SHORTCUT) == BST_CHECKED;
    m_choices.startAfterSetup = IsDlgButtonChecked(m_dialog, IDC_START_AFTER_SETUP) == BST_CHECKED;
    const std::string path = StripOneTrailingBackslash(ItemText(m_dialog, IDC_INSTALL_PATH));
    if (InstallPathTooLong(path)) {
        ShowMessage("The install path is too long.\r\n\r\nPlease choose a folder with a shorter path.",
                    MB_OK | MB_ICONERROR);
        return;
    }
    if (!path.empty() && !IsFullFolderPath(path)) {
        ShowMessage("Cannot install into '" + path +
                        "'.\r\n\r\nPlease give a folder by its full path, such as C:\\Program Files\\" + kProductName +
                        ".",
                    MB_OK | MB_ICONERROR);
        return;
    }
    if (!CreateFolderLevels(path)) {
        ShowMessage("Cannot create folder.", MB_OK);
        return;
    }
    m_choices.installPath = path;
    EndDialog(m_dialog, IDOK);
}

}  // namespace stowdesk
