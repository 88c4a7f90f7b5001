#include "quillet/ui/folder_panel_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "quillet/app/application.h"
#include "quillet/model/default_icon_set.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/folder_panel_rules.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/object_sheet_win32.h"
#include "quillet/ui/sheets_resource_ids.h"

namespace quillet {

namespace {

const HelpRow kFolderPanelHelp[] = {
    {IDC_FOLDER_PATH, "hlpFolder:pvpath"},
    {IDC_FOLDER_BROWSE, "hlpFolder:pvpathbrowse"},
    {IDC_FOLDER_ACTION, "hlpFolder:pvaction"},
    {IDC_FOLDER_NEW_WINDOW, "hlpFolder:pvNewWindow"},
    {IDC_FOLDER_AS_ROOT, "hlpFolder:pvTreeRoot"},
    {IDC_FOLDER_CHECK_PATH, "hlpFolder:pvValidatePath"},
    {0, nullptr},
};

bool IsWindowsNt() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The special folder's place in the file system; empty for a folder of the
// shell's namespace only (My Computer, the Printers).
std::string SpecialFolderPath(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return std::string();
    return path;
}

bool IsExistingFolder(const std::string& path) {
    SHFILEINFOA info = {};
    info.dwAttributes = 0;
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ATTRIBUTES)) return false;
    return (info.dwAttributes & SFGAO_FOLDER) != 0;
}

// What a "!" path stands for, as a folder item made from it would point to.
std::string ResolvedRegistryPath(const std::string& path) {
    RegistryPathLookup lookup;
    platform::RegistryKey key =
        platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    if (key) {
        lookup.result = RegistryPathLookup::Result::ValueMissing;
        std::optional<platform::RegData> data = key.Read(RegistryPathValueName(path));
        if (data && (data->type == REG_SZ || data->type == REG_EXPAND_SZ)) {
            lookup.result = RegistryPathLookup::Result::Found;
            lookup.text = data->type == REG_EXPAND_SZ ? platform::ExpandEnvironment(data->Text()) : data->Text();
        }
    }
    return ResolveItemPath(path, lookup).value_or(std::string());
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
    switch (message) {
    case BFFM_INITIALIZED:
        SetWindowTextA(dialog, KeyText("folder:brTitle").c_str());
        if (data) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
        break;
    case BFFM_SELCHANGED: {
        char path[MAX_PATH] = {};
        if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = '\0';
        SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        break;
    }
    default: break;
    }
    return 0;
}

class FolderPanel : public SettingsPanel {
public:
    explicit FolderPanel(FolderPanelForm form) : m_form(form) {}
    ~FolderPanel() override {
        if (m_dialog) DestroyWindow(m_dialog);
    }

    HWND Create(HWND page, const RECT& area, Object& object) override {
        m_object = &object;
        const int id = m_form == FolderPanelForm::Item            ? IDD_QUILLET_FOLDER_PANEL
                       : m_form == FolderPanelForm::ClassDefaults ? IDD_QUILLET_FOLDER_DEFAULTS
                                                                  : IDD_QUILLET_FOLDER_PREVIEW;
        m_dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), page, Procedure,
                                      reinterpret_cast<LPARAM>(this));
        if (!m_dialog) return nullptr;
        LocalizeDialog(App().Texts(), m_dialog);
        SetDialogHelp(m_dialog, kFolderPanelHelp);
        SetWindowPos(m_dialog, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_SHOWWINDOW);
        Fill();
        return m_dialog;
    }

    bool Validate(bool showMessages) override {
        if (m_form != FolderPanelForm::Item || !m_dialog) return true;
        const FolderPathCheck check =
            CheckFolderPath(ChosenRow().csidl != kNoSpecialFolder, WindowText(Item(IDC_FOLDER_PATH)),
                            IsChecked(IDC_FOLDER_CHECK_PATH), IsExistingFolder);
        if (check == FolderPathCheck::Accepted) return true;
        if (showMessages) {
            ShowMessage(GetParent(m_dialog), MB_ICONEXCLAMATION, FolderPathCheckKey(check));
            SetFocus(Item(IDC_FOLDER_PATH));
        }
        return false;
    }

    void Apply() override {
        if (m_form == FolderPanelForm::Preview || !m_dialog || !m_object) return;
        if (m_form == FolderPanelForm::Item) {
            const SpecialFolderChoice& row = ChosenRow();
            m_object->SetProperty(kTagFolderSpecial, Value::FromInteger(row.csidl));
            if (row.csidl == kNoSpecialFolder)
                m_object->SetProperty(kTagFolderPath, Value::FromText(WindowText(Item(IDC_FOLDER_PATH))));
        }
        const LRESULT chosen = SendMessageA(Item(IDC_FOLDER_ACTION), CB_GETCURSEL, 0, 0);
        if (chosen >= 0) m_object->SetProperty(kTagFolderAction, Value::FromInteger(static_cast<int32_t>(chosen) + 1));
        m_object->SetProperty(kTagFolderNewWindow, Value::FromBoolean(IsChecked(IDC_FOLDER_NEW_WINDOW)));
        m_object->SetProperty(kTagFolderAsRoot, Value::FromBoolean(IsChecked(IDC_FOLDER_AS_ROOT)));
        m_object->SetProperty(kTagFolderCheckPath, Value::FromBoolean(IsChecked(IDC_FOLDER_CHECK_PATH)));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return TRUE;
        }
        auto* panel = reinterpret_cast<FolderPanel*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!panel) return FALSE;
        switch (message) {
        case WM_COMMAND: return panel->Command(LOWORD(wParam), HIWORD(wParam));
        case WM_CONTEXTMENU: return HandleContextHelp(dialog, wParam, lParam);
        default: return FALSE;
        }
    }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED; }

    const SpecialFolderChoice& ChosenRow() const {
        LRESULT row = SendMessageA(Item(IDC_FOLDER_SPECIAL), CB_GETCURSEL, 0, 0);
        if (row < 0 || static_cast<size_t>(row) >= m_choices.size()) row = 0;
        return m_choices[static_cast<size_t>(row)];
    }

    void Fill() {
        const int32_t action = m_object->ReadInteger(kTagFolderAction, kFolderActionMenu);
        const bool newWindow = m_object->ReadBoolean(kTagFolderNewWindow);
        const bool asRoot = m_object->ReadBoolean(kTagFolderAsRoot);
        if (m_form == FolderPanelForm::Preview) {
            const std::string preview =
                FolderPreviewText(m_object->ReadText(kTagFolderPath), action, asRoot, newWindow, KeyText);
            SetDlgItemTextA(m_dialog, IDC_FOLDER_PREVIEW, preview.c_str());
            return;
        }
        if (m_form == FolderPanelForm::Item) {
            m_choices = SpecialFolderChoices(IsWindowsNt());
            HWND list = Item(IDC_FOLDER_SPECIAL);
            for (const SpecialFolderChoice& choice : m_choices) {
                const std::string text = KeyText(*choice.key ? choice.key : "$folder:name");
                SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
            const int32_t csidl = m_object->ReadInteger(kTagFolderSpecial, kNoSpecialFolder);
            const std::string path = m_object->ReadText(kTagFolderPath);
            SendMessageA(list, CB_SETCURSEL, SpecialFolderChoiceIndex(m_choices, csidl, path), 0);
            const std::string shown = csidl != kNoSpecialFolder ? SpecialFolderPath(csidl) : path;
            SetDlgItemTextA(m_dialog, IDC_FOLDER_PATH, shown.c_str());
            m_fixedPath = (m_object->ReadInteger(kTagFlags) & kFlagFixedPath) != 0;
            if (m_fixedPath) EnableWindow(list, FALSE);
        }
        CheckDlgButton(m_dialog, IDC_FOLDER_NEW_WINDOW, newWindow ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(m_dialog, IDC_FOLDER_AS_ROOT, asRoot ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(m_dialog, IDC_FOLDER_CHECK_PATH,
                       m_object->ReadBoolean(kTagFolderCheckPath) ? BST_CHECKED : BST_UNCHECKED);
        FillActions(action);
        ShowPathState();
    }

    // The action list for the chosen row, keeping the chosen action when
    // the new list still offers it.
    void FillActions(int32_t action) {
        int32_t offered = 4;
        if (m_form == FolderPanelForm::Item) {
            const SpecialFolderChoice& row = ChosenRow();
            const bool special = row.csidl != kNoSpecialFolder;
            offered = OfferedFolderActions(special, special && !SpecialFolderPath(row.csidl).empty());
        }
        HWND list = Item(IDC_FOLDER_ACTION);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (int32_t i = 0; i < offered; ++i) {
            const std::string text = KeyText(kFolderActionKeys[i]);
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(list, CB_SETCURSEL, ShownFolderAction(action, offered) - 1, 0);
    }

    void ShowPathState() {
        if (m_form != FolderPanelForm::Item) return;
        const bool special = ChosenRow().csidl != kNoSpecialFolder;
        SendMessageA(Item(IDC_FOLDER_PATH), EM_SETREADONLY, special || m_fixedPath, 0);
        EnableWindow(Item(IDC_FOLDER_BROWSE), !special && !m_fixedPath);
        EnableWindow(Item(IDC_FOLDER_CHECK_PATH), !special);
    }

    void ChooseRow() {
        const SpecialFolderChoice& row = ChosenRow();
        if (row.csidl != kNoSpecialFolder)
            SetDlgItemTextA(m_dialog, IDC_FOLDER_PATH, SpecialFolderPath(row.csidl).c_str());
        else if (*row.registryPath)
            SetDlgItemTextA(m_dialog, IDC_FOLDER_PATH, ResolvedRegistryPath(row.registryPath).c_str());
        const LRESULT action = SendMessageA(Item(IDC_FOLDER_ACTION), CB_GETCURSEL, 0, 0);
        FillActions(static_cast<int32_t>(action) + 1);
        ShowPathState();
    }

    void Browse() {
        const std::string title = KeyText("folder:browsedirtitle");
        const std::string current = WindowText(Item(IDC_FOLDER_PATH));
        BROWSEINFOA info = {};
        info.hwndOwner = GetAncestor(m_dialog, GA_ROOT);
        info.lpszTitle = title.c_str();
        info.ulFlags = BIF_STATUSTEXT | BIF_RETURNONLYFSDIRS;
        info.lpfn = BrowseCallback;
        info.lParam = current.empty() ? 0 : reinterpret_cast<LPARAM>(current.c_str());
        LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
        if (!chosen) return;
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(chosen, path)) SetDlgItemTextA(m_dialog, IDC_FOLDER_PATH, path);
        CoTaskMemFree(chosen);
    }

    INT_PTR Command(int id, int code) {
        if (id == IDC_FOLDER_SPECIAL && code == CBN_SELCHANGE) {
            ChooseRow();
            return TRUE;
        }
        if (id == IDC_FOLDER_BROWSE && code == BN_CLICKED) {
            Browse();
            return TRUE;
        }
        return FALSE;
    }

    FolderPanelForm m_form;
    Object* m_object = nullptr;
    HWND m_dialog = nullptr;
    std::vector<SpecialFolderChoice> m_choices;
    bool m_fixedPath = false;
};

}  // namespace

std::unique_ptr<SettingsPanel> CreateFolderPanel(FolderPanelForm form) {
    return std::make_unique<FolderPanel>(form);
}

}  // namespace quillet
