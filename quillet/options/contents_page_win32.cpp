#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/property_page.h"
#include "platform/registry.h"
#include "quillet/app/application.h"
#include "quillet/options/contents_page_rules.h"
#include "quillet/options/option_pages.h"
#include "quillet/options/pages_resource_ids.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"

namespace quillet {

namespace {

const HelpRow kContentsPageHelp[] = {
    {IDC_CONTENTS_LIST, "hlpProp:list"},
    {IDC_CONTENTS_NEW, "hlpProp:btnNew"},
    {IDC_CONTENTS_MODIFY, "hlpProp:btnModify"},
    {IDC_CONTENTS_REMOVE, "hlpProp:btnRemove"},
    {IDC_CONTENTS_UP, "hlpProp:btnUp"},
    {IDC_CONTENTS_DOWN, "hlpProp:btnDown"},
    {IDC_CONTENTS_SHOW_PREVIEW, "hlpProp:showProps"},
    {0, nullptr},
};

// DWORD under the program key; absent reads as off.
constexpr const char* kPreviewPaneValue = "Preview Pane";

std::string ProgramKey() {
    return ProgramKeyPath(App().Texts().Facts());
}

bool ReadPreviewPane() {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKey());
    if (!key) return false;
    std::optional<platform::RegData> data = key.Read(kPreviewPaneValue);
    return data && data->Dword().value_or(0) != 0;
}

void WritePreviewPane(bool on) {
    platform::RegistryKey key = platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKey());
    if (key) key.WriteDword(kPreviewPaneValue, on ? 1 : 0);
}

// The row's text: the child's name, or for an item without one (a
// separator, which would otherwise answer with its owners' name) the name of
// its class.
std::string RowText(const Object& child) {
    std::string name = child.IsUntitled() ? std::string() : child.ReadText(kTagName);
    if (name.empty()) name = child.ReadText(kTagClassName);
    return App().Texts().TranslateText(name);
}

class ContentsPage {
public:
    ContentsPage(Object& container, ContentsPageActions actions)
        : m_container(&container), m_actions(std::move(actions)),
          m_title(App().Texts().TranslateText("$prop:Title")) {}

    const char* Title() const { return m_title.c_str(); }

    void Bind(HWND page) { m_page = page; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_MOUSEMOVE: return OnDragMove();
        case WM_LBUTTONUP: return OnDrop(lParam);
        case WM_CAPTURECHANGED: return OnCaptureChanged();
        case WM_CONTEXTMENU: return HandleContextHelp(m_page, wParam, lParam);
        case WM_DESTROY: return OnDestroy();
        default: return FALSE;
        }
    }

private:
    INT_PTR OnInitDialog() {
        LocalizeDialog(App().Texts(), m_page);
        SetDialogHelp(m_page, kContentsPageHelp);
        m_list = GetDlgItem(m_page, IDC_CONTENTS_LIST);
        SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        RECT client = {};
        GetClientRect(m_list, &client);
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
        SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        // The list owns the image list and destroys it with itself.
        m_images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                    ILC_COLOR32 | ILC_MASK, static_cast<int>(m_container->Count()), 4);
        SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images));

        m_previewMode = ReadPreviewPane();
        CheckDlgButton(m_page, IDC_CONTENTS_SHOW_PREVIEW, m_previewMode ? BST_CHECKED : BST_UNCHECKED);
        FillList();
        UpdateButtons();
        return TRUE;
    }

    INT_PTR OnDestroy() {
        ClosePreview();
        SetDialogHelp(m_page, nullptr);
        return FALSE;
    }

    INT_PTR OnCommand(int id, int code) {
        if (code != BN_CLICKED) return FALSE;
        switch (id) {
        case IDC_CONTENTS_NEW:
            if (m_previewMode) Modify();
            else New();
            return TRUE;
        case IDC_CONTENTS_MODIFY: Modify(); return TRUE;
        case IDC_CONTENTS_REMOVE: Remove(); return TRUE;
        case IDC_CONTENTS_UP: MoveSelected(-1); return TRUE;
        case IDC_CONTENTS_DOWN: MoveSelected(+1); return TRUE;
        case IDC_CONTENTS_SHOW_PREVIEW:
            m_previewMode = IsDlgButtonChecked(m_page, IDC_CONTENTS_SHOW_PREVIEW) == BST_CHECKED;
            WritePreviewPane(m_previewMode);
            UpdateButtons();
            return TRUE;
        default: return FALSE;
        }
    }

    INT_PTR OnNotify(const NMHDR& header) {
        if (header.idFrom != IDC_CONTENTS_LIST) return FALSE;
        switch (header.code) {
        case LVN_ITEMCHANGED:
            if (reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) UpdateButtons();
            return TRUE;
        case NM_DBLCLK: {
            const ContentsButtons buttons = Buttons();
            if (m_previewMode ? buttons.first.enabled : buttons.modify.enabled) Modify();
            return TRUE;
        }
        case LVN_BEGINDRAG: BeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem); return TRUE;
        case LVN_BEGINLABELEDITA: {
            const auto& info = reinterpret_cast<const NMLVDISPINFOA&>(header);
            RefPtr<Object> child = m_container->GetChild(static_cast<size_t>(info.item.iItem));
            return Result(!child || !MayRename(m_previewMode, *child));
        }
        case LVN_ENDLABELEDITA: return Result(EndRename(reinterpret_cast<const NMLVDISPINFOA&>(header).item));
        default: return FALSE;
        }
    }

    // A notification's answer goes back through the dialog's result slot.
    INT_PTR Result(bool answer) {
        SetWindowLongPtrA(m_page, DWLP_MSGRESULT, answer ? TRUE : FALSE);
        return TRUE;
    }

    // --- Rows ---------------------------------------------------------------

    size_t Rows() const { return static_cast<size_t>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

    std::optional<size_t> Selected() const {
        const LRESULT row = SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        if (row < 0) return std::nullopt;
        return static_cast<size_t>(row);
    }

    void Select(size_t row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        SendMessageA(m_list, LVM_ENSUREVISIBLE, row, FALSE);
    }

    // The image-list slot of a child, its icon added the first time; -1 when
    // the child has no icon to show.
    int ImageOf(const Object& child) {
        auto found = m_imageSlots.find(&child);
        if (found != m_imageSlots.end()) return found->second;
        HICON icon = ItemIcon(child, IconSize::Small);
        const int slot = icon ? ImageList_AddIcon(m_images, icon) : -1;
        if (slot >= 0) m_imageSlots[&child] = slot;
        return slot;
    }

    // Shows the child at `row` in the list: as a new row (LVM_INSERTITEMA) or
    // in the row that is there (LVM_SETITEMA). A row that had no image gets a
    // slot now, if the child has an icon.
    void ShowRow(size_t row, UINT message) {
        RefPtr<Object> child = m_container->GetChild(row);
        if (!child) return;
        std::string text = RowText(*child);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(row);
        item.pszText = &text[0];
        item.iImage = ImageOf(*child);
        SendMessageA(m_list, message, 0, reinterpret_cast<LPARAM>(&item));
    }
    void InsertRow(size_t row) { ShowRow(row, LVM_INSERTITEMA); }

    void FillList() {
        SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
        for (size_t row = 0; row < m_container->Count(); ++row) InsertRow(row);
    }

    // After a property sheet changed the child: its name and icon again.
    void RefreshRow(size_t row) {
        RefPtr<Object> child = m_container->GetChild(row);
        if (!child) return;
        auto found = m_imageSlots.find(child.Get());
        if (found != m_imageSlots.end()) {
            if (HICON icon = ItemIcon(*child, IconSize::Small)) ImageList_ReplaceIcon(m_images, found->second, icon);
        }
        ShowRow(row, LVM_SETITEMA);
        SendMessageA(m_list, LVM_REDRAWITEMS, row, row);
    }

    // --- Buttons and preview --------------------------------------------------

    ContentsButtons Buttons() const { return ContentsButtonStates(m_previewMode, Rows(), Selected()); }

    void ShowButton(int id, const ContentsButtonState& state) {
        HWND button = GetDlgItem(m_page, id);
        // A button about to be disabled or hidden must not keep the focus, or
        // the keyboard is left with nowhere to go.
        if ((!state.enabled || !state.visible) && GetFocus() == button) SetFocus(m_list);
        EnableWindow(button, state.enabled);
        ShowWindow(button, state.visible ? SW_SHOW : SW_HIDE);
    }

    void UpdateButtons() {
        const ContentsButtons buttons = Buttons();
        if (buttons.firstIsModify != m_firstIsModify || !m_firstLabelled) {
            SetDlgItemTextA(m_page, IDC_CONTENTS_NEW,
                            App().Texts().TranslateText(buttons.firstIsModify ? "$prop:btnModify" : "$prop:btnNew")
                                .c_str());
            m_firstIsModify = buttons.firstIsModify;
            m_firstLabelled = true;
        }
        ShowButton(IDC_CONTENTS_NEW, buttons.first);
        ShowButton(IDC_CONTENTS_MODIFY, buttons.modify);
        ShowButton(IDC_CONTENTS_REMOVE, buttons.remove);
        ShowButton(IDC_CONTENTS_UP, buttons.up);
        ShowButton(IDC_CONTENTS_DOWN, buttons.down);
        UpdatePreview();
    }

    void ClosePreview() {
        // A panel may take its window down itself when it goes.
        m_preview.reset();
        if (m_previewWindow && IsWindow(m_previewWindow)) DestroyWindow(m_previewWindow);
        m_previewWindow = nullptr;
        m_previewChild = nullptr;
    }

    // The selected child's preview in the frame, while the preview is on.
    void UpdatePreview() {
        std::optional<size_t> selected = Selected();
        RefPtr<Object> child = m_previewMode && selected ? m_container->GetChild(*selected) : RefPtr<Object>();
        if (child == m_previewChild && (m_previewWindow || !child)) return;
        ClosePreview();
        if (!child || !m_actions.createPreview) return;
        m_preview = m_actions.createPreview(*child);
        if (!m_preview) return;
        RECT area = {};
        HWND frame = GetDlgItem(m_page, IDC_CONTENTS_PREVIEW);
        GetWindowRect(frame, &area);
        MapWindowPoints(nullptr, m_page, reinterpret_cast<POINT*>(&area), 2);
        InflateRect(&area, -4, -4);
        m_previewWindow = m_preview->Create(m_page, area, *child);
        m_previewChild = child;
    }

    // --- Commands ---------------------------------------------------------------

    void Saved() { App().SaveIconSet(m_page); }

    // The sheet around the page keeps the focus and the default button.
    void FocusList() { SendMessageA(GetAncestor(m_page, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list), TRUE); }

    void New() {
        if (!m_actions.runWizard) return;
        const std::optional<size_t> selected = Selected();
        NewItemRequest request;
        request.container = m_container.Get();
        request.insertAt = NewChildIndex(selected, Rows());
        RefPtr<Object> templateItem = selected ? m_container->GetChild(*selected) : RefPtr<Object>();
        request.templateItem = templateItem.Get();
        const size_t before = m_container->Count();
        if (m_actions.runWizard(m_page, request)) {
            if (m_container->Count() != before + 1 || Rows() != before) {
                // The wizard put something other than one child where it was
                // asked: show the container as it now is.
                FillList();
            } else if (request.insertAt != kAppendIndex) {
                InsertRow(request.insertAt);
                Select(request.insertAt);
            } else {
                InsertRow(before);
            }
            UpdateButtons();
            Saved();
        }
        FocusList();
    }

    void Modify() {
        const std::optional<size_t> selected = Selected();
        if (!selected || !m_actions.editObject) return;
        RefPtr<Object> child = m_container->GetChild(*selected);
        if (!child) return;
        if (!m_actions.editObject(m_page, *child)) return;
        RefreshRow(*selected);
        // The preview shows what the sheet may have changed.
        ClosePreview();
        UpdatePreview();
        Saved();
    }

    void Remove() {
        const std::optional<size_t> selected = Selected();
        if (!selected) return;
        if (m_container->ReadBoolean(kTagConfirmDelete) &&
            ShowMessage(m_page, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "msgConfirmDelete") != IDYES)
            return;
        RefPtr<Object> child = m_container->GetChild(*selected);
        if (!child || Failed(m_container->RemoveAt(*selected))) return;
        m_imageSlots.erase(child.Get());
        SendMessageA(m_list, LVM_DELETEITEM, *selected, 0);
        UpdateButtons();
        Saved();
    }

    // Moves the child and its row; true when the container took the move.
    bool Move(size_t from, size_t to) {
        if (!MoveChild(*m_container, from, to)) return false;
        if (from == to) return true;
        SendMessageA(m_list, LVM_DELETEITEM, from, 0);
        InsertRow(to);
        Select(to);
        UpdateButtons();
        Saved();
        return true;
    }

    void MoveSelected(int step) {
        const std::optional<size_t> selected = Selected();
        if (!selected || (step < 0 && *selected == 0)) return;
        Move(*selected, step < 0 ? *selected - 1 : *selected + 1);
        FocusList();
    }

    bool EndRename(const LVITEMA& item) {
        // No text: the edit was cancelled.
        if (!item.pszText || item.iItem < 0) return false;
        RefPtr<Object> child = m_container->GetChild(static_cast<size_t>(item.iItem));
        std::optional<std::string> name = AcceptedName(item.pszText);
        if (!child || !name || !child->SetProperty(kTagName, Value::FromText(*name))) {
            if (m_actions.beep) m_actions.beep();
            else MessageBeep(MB_OK);
            return false;
        }
        Saved();
        return true;
    }

    // --- Dragging ---------------------------------------------------------------

    void BeginDrag(int row) {
        if (m_previewMode || row < 0) return;
        m_dragFrom = row;
        SetCapture(m_page);
        // While the page holds the capture no WM_SETCURSOR arrives, so the
        // pointer stays as set here until the drop.
        SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CONTENTS_DRAG_CURSOR)));
    }

    INT_PTR OnDragMove() { return m_dragFrom >= 0; }

    INT_PTR OnDrop(LPARAM lParam) {
        if (m_dragFrom < 0) return FALSE;
        const size_t from = static_cast<size_t>(m_dragFrom);
        m_dragFrom = -1;
        ReleaseCapture();
        LVHITTESTINFO hit = {};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(m_page, m_list, &hit.pt, 1);
        const LRESULT target = SendMessageA(m_list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (target >= 0 && static_cast<size_t>(target) != from) Move(from, static_cast<size_t>(target));
        return TRUE;
    }

    INT_PTR OnCaptureChanged() {
        // Another window took the mouse (a message box, Alt+Tab): no drop.
        m_dragFrom = -1;
        return FALSE;
    }

    RefPtr<Object> m_container;
    ContentsPageActions m_actions;
    std::string m_title;
    HWND m_page = nullptr;
    HWND m_list = nullptr;
    HIMAGELIST m_images = nullptr;
    std::map<const Object*, int> m_imageSlots;
    bool m_previewMode = false;
    bool m_firstIsModify = false;
    bool m_firstLabelled = false;
    std::unique_ptr<SettingsPanel> m_preview;
    HWND m_previewWindow = nullptr;
    RefPtr<Object> m_previewChild;
    int m_dragFrom = -1;
};

}  // namespace

HPROPSHEETPAGE CreateContentsPage(Object& container, ContentsPageActions actions) {
    auto page = std::make_unique<ContentsPage>(container, std::move(actions));
    const char* title = page->Title();
    return platform::CreateOwningPropertyPage(std::move(page), IDD_CONTENTS_PAGE, title);
}

}  // namespace quillet
