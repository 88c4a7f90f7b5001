// The icon chooser: a file's icons in an owner-drawn list of columns.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "quillet/app/application.h"
#include "quillet/model/property_tags.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/icons/icons_resource_ids.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"

namespace quillet {
namespace {

constexpr UINT kFieldLeft = WM_APP + 1;

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ProgramKey() {
    return ProgramKeyPath(App().Texts().Facts());
}

bool ReadSmallIcons() {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKey());
    std::optional<platform::RegData> data = key ? key.Read(kSmallIconChooseValue) : std::nullopt;
    return data && data->Dword().value_or(0) != 0;
}

void WriteSmallIcons(bool small) {
    platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKey()).WriteDword(kSmallIconChooseValue, small ? 1 : 0);
}

// The filter's "|" separators become the NULs the file dialog wants.
std::string BrowseFilter() {
    std::string filter = App().Texts().GetText("ciBrowseFilterName").value_or("") + "|*.ico;*.exe;*.dll;*.cpl|";
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    return filter + '\0';
}

class IconChooser {
public:
    explicit IconChooser(Object& object) : m_object(object) {}

    bool Run(HWND parent) {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUILLET_ICON_CHOOSER), parent,
                               Procedure, reinterpret_cast<LPARAM>(this)) == IDOK;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            auto* self = reinterpret_cast<IconChooser*>(lParam);
            self->m_dialog = dialog;
            return self->OnInit();
        }
        auto* self = reinterpret_cast<IconChooser*>(GetWindowLongPtrA(dialog, DWLP_USER));
        return self ? self->Handle(message, wParam, lParam) : FALSE;
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == m_noIconsMessage) return OnNoIcons();
        switch (message) {
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_DRAWITEM: return DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = Cell(); return TRUE;
        case kFieldLeft: return OnFieldLeft();
        default: return FALSE;
        }
    }

    BOOL OnInit() {
        m_noIconsMessage = RegisterWindowMessageA(kNoIconsMessageName);
        LocalizeDialog(App().Texts(), m_dialog);
        SendDlgItemMessageA(m_dialog, IDC_CHOOSER_FILE, EM_LIMITTEXT, MAX_PATH - 1, 0);
        const std::string file = m_object.ReadText(kTagIconFile);
        SetDlgItemTextA(m_dialog, IDC_CHOOSER_FILE, file.c_str());
        m_small = ReadSmallIcons();
        CheckDlgButton(m_dialog, IDC_CHOOSER_SMALL_ICONS, m_small ? BST_CHECKED : BST_UNCHECKED);
        int index = m_object.ReadInteger(kTagIconIndex, 0);
        if (index < 0) index = IconGroupPosition(file, -index).value_or(-1);
        Build(index);
        return TRUE;
    }

    INT_PTR OnCommand(int id, int code) {
        switch (id) {
        case IDOK: return OnOk();
        case IDCANCEL: EndDialog(m_dialog, IDCANCEL); return TRUE;
        case IDC_CHOOSER_BROWSE: if (code == BN_CLICKED) Browse(); return TRUE;
        case IDC_CHOOSER_SMALL_ICONS: if (code == BN_CLICKED) OnSmallIcons(); return TRUE;
        case IDC_CHOOSER_ICONS: if (code == LBN_SELCHANGE) UpdateOk(); return TRUE;
        case IDC_CHOOSER_FILE:
            // Where the focus went is known only once it has moved.
            if (code == EN_KILLFOCUS) PostMessageA(m_dialog, kFieldLeft, 0, 0);
            return TRUE;
        default: return FALSE;
        }
    }

    // The list shows the icons of another file than the field names while the
    // user edits it: an OK then (Enter in the field) would store a position
    // among the old file's icons for the new file, so it shows the new file's
    // icons instead and waits for a choice.
    BOOL OnOk() {
        if (ItemText(m_dialog, IDC_CHOOSER_FILE) != m_builtFile) {
            Build(-1);
            return TRUE;
        }
        const LRESULT selected = SendDlgItemMessageA(m_dialog, IDC_CHOOSER_ICONS, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR) return TRUE;
        m_object.SetProperty(kTagIconFile, Value::FromText(m_builtFile));
        m_object.SetProperty(kTagIconIndex, Value::FromInteger(static_cast<int32_t>(selected)));
        EndDialog(m_dialog, IDOK);
        return TRUE;
    }

    BOOL OnFieldLeft() {
        const int focused = GetDlgCtrlID(GetFocus());
        if (focused == IDC_CHOOSER_BROWSE || focused == IDCANCEL) return TRUE;
        if (ItemText(m_dialog, IDC_CHOOSER_FILE) != m_builtFile) Build(-1);
        return TRUE;
    }

    BOOL OnNoIcons() {
        ShowMessage(m_dialog, MB_ICONEXCLAMATION, "ciNoIcons", {m_builtFile});
        return TRUE;
    }

    void OnSmallIcons() {
        m_small = IsDlgButtonChecked(m_dialog, IDC_CHOOSER_SMALL_ICONS) == BST_CHECKED;
        WriteSmallIcons(m_small);
        const LRESULT selected = SendDlgItemMessageA(m_dialog, IDC_CHOOSER_ICONS, LB_GETCURSEL, 0, 0);
        Build(selected == LB_ERR ? -1 : static_cast<int>(selected));
    }

    void Browse() {
        char path[MAX_PATH] = {};
        const std::string current = ItemText(m_dialog, IDC_CHOOSER_FILE);
        lstrcpynA(path, current.c_str(), MAX_PATH);
        const std::string filter = BrowseFilter();
        const std::string title = App().Texts().GetText("ciBrowseTitle").value_or("");
        OPENFILENAMEA open = {};
        open.lStructSize = sizeof open;
        open.hwndOwner = m_dialog;
        open.lpstrFilter = filter.c_str();
        open.lpstrFile = path;
        open.nMaxFile = MAX_PATH;
        open.lpstrTitle = title.c_str();
        open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!GetOpenFileNameA(&open)) return;
        SetDlgItemTextA(m_dialog, IDC_CHOOSER_FILE, path);
        Build(-1);
    }

    int Cell() const { return m_small ? 24 : 40; }

    // Every icon of the field's file in the chosen size, `select` selected.
    void Build(int select) {
        HWND list = GetDlgItem(m_dialog, IDC_CHOOSER_ICONS);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        m_icons.clear();
        m_builtFile = ItemText(m_dialog, IDC_CHOOSER_FILE);
        SendMessageA(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Cell()), 0);
        SendMessageA(list, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(Cell()));

        // An empty field names no file to complain about (an item that shows
        // its class's icon has no icon file yet).
        if (m_builtFile.empty()) {
            UpdateOk();
            return;
        }
        const UINT count = ExtractIconExA(m_builtFile.c_str(), -1, nullptr, nullptr, 0);
        if (count == 0 || count == UINT_MAX) {
            UpdateOk();
            PostMessageA(m_dialog, m_noIconsMessage, 0, 0);
            return;
        }
        std::vector<HICON> icons(count);
        ExtractIconExA(m_builtFile.c_str(), 0, m_small ? nullptr : icons.data(), m_small ? icons.data() : nullptr,
                       count);
        for (HICON icon : icons) {
            m_icons.emplace_back(icon);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(icon));
        }
        if (select >= 0 && static_cast<UINT>(select) < count) {
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
        }
        InvalidateRect(list, nullptr, TRUE);
        UpdateOk();
    }

    void UpdateOk() {
        const bool selected = SendDlgItemMessageA(m_dialog, IDC_CHOOSER_ICONS, LB_GETCURSEL, 0, 0) != LB_ERR;
        EnableWindow(GetDlgItem(m_dialog, IDOK), selected);
    }

    BOOL DrawIcon(const DRAWITEMSTRUCT& item) {
        if (item.CtlID != IDC_CHOOSER_ICONS) return FALSE;
        const RECT& cell = item.rcItem;
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (item.itemID != static_cast<UINT>(-1) && item.itemID < m_icons.size()) {
            const int edge = m_small ? 16 : 32;
            const int x = cell.left + (cell.right - cell.left - edge) / 2;
            const int y = cell.top + (cell.bottom - cell.top - edge) / 2;
            DrawIconEx(item.hDC, x, y, m_icons[item.itemID].get(), edge, edge, 0, nullptr, DI_NORMAL);
        }
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &cell);
        return TRUE;
    }

    Object& m_object;
    HWND m_dialog = nullptr;
    UINT m_noIconsMessage = 0;
    bool m_small = false;
    std::string m_builtFile;
    std::vector<platform::unique_hicon> m_icons;
};

}  // namespace

bool ChooseIcon(HWND parent, Object& object) {
    IconChooser chooser(object);
    return chooser.Run(parent);
}

}  // namespace quillet
