// The settings page of the icon set's options: a list of panels on the left,
// the chosen one beside it.
#include "quillet/ui/icons/settings_page_win32.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "platform/property_page.h"
#include "quillet/app/application.h"
#include "quillet/model/property_tags.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/icons/icons_resource_ids.h"
#include "quillet/ui/item_icons.h"

namespace quillet {
namespace {

struct PanelEntry {
    std::string name;
    HICON icon = nullptr;
    RefPtr<Object> object;
    std::function<std::unique_ptr<SettingsPanel>()> make;
    std::unique_ptr<SettingsPanel> panel;
    HWND window = nullptr;
};

class SettingsPage {
public:
    SettingsPage(Object& root, SettingsPanelSources sources) {
        Language& texts = App().Texts();
        PanelEntry general;
        general.name = texts.GetText("general:Title").value_or("general:Title");
        general.icon = ItemIcon(root, IconSize::Large);
        general.object = RefPtr<Object>(&root);
        general.make = sources.general;
        m_entries.push_back(std::move(general));
        // A class with no panel has no entry: asking it once here tells which.
        for (const RefPtr<ClassFactory>& factory : App().Model().Factories()) {
            Object* classObject = factory->ClassObject();
            if (!classObject || !sources.classPanel) continue;
            std::unique_ptr<SettingsPanel> panel = sources.classPanel(*classObject);
            if (!panel) continue;
            PanelEntry entry;
            entry.name = texts.TranslateText(classObject->ReadText(kTagClassName));
            entry.icon = ItemIcon(*classObject, IconSize::Large);
            entry.object = RefPtr<Object>(classObject);
            entry.panel = std::move(panel);
            m_entries.push_back(std::move(entry));
        }
    }

    const char* Title() {
        // The sheet names the tab before the page exists to expand its keys.
        m_title = App().Texts().GetText("propSettings").value_or("propSettings");
        return m_title.c_str();
    }

    void Bind(HWND dialog) { m_dialog = dialog; }
    INT_PTR HandleMessage(UINT message, WPARAM, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG: OnInit(); return TRUE;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default: return FALSE;
        }
    }

private:
    void OnInit() {
        LocalizeDialog(App().Texts(), m_dialog);
        HWND list = GetDlgItem(m_dialog, IDC_SETTINGS_PANELS);
        HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                             ILC_COLOR32 | ILC_MASK, static_cast<int>(m_entries.size()), 1);
        // The list view owns the image list and destroys it with itself.
        ListView_SetImageList(list, images, LVSIL_NORMAL);
        for (size_t i = 0; i < m_entries.size(); ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = m_entries[i].name.data();
            item.iImage = m_entries[i].icon ? ImageList_AddIcon(images, m_entries[i].icon) : -1;
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Show(0);
    }

    // The panel of entry `index`, made the first time it is shown.
    void Show(size_t index) {
        if (index >= m_entries.size()) return;
        PanelEntry& entry = m_entries[index];
        if (!entry.window) {
            if (!entry.panel && entry.make) entry.panel = entry.make();
            if (entry.panel) {
                RECT area = {};
                GetWindowRect(GetDlgItem(m_dialog, IDC_SETTINGS_PANEL_AREA), &area);
                MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&area), 2);
                entry.window = entry.panel->Create(m_dialog, area, *entry.object);
            }
        }
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].window) ShowWindow(m_entries[i].window, i == index ? SW_SHOW : SW_HIDE);
        }
        m_current = index;
    }

    INT_PTR OnNotify(const NMHDR& header) {
        if (header.idFrom == IDC_SETTINGS_PANELS && header.code == LVN_ITEMCHANGED) {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            const bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
            if (nowSelected && change.iItem >= 0) Show(static_cast<size_t>(change.iItem));
            return TRUE;
        }
        switch (header.code) {
        case PSN_KILLACTIVE: return Answer(!CurrentValid());
        case PSN_APPLY: return Answer(ApplyAll() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        default: return FALSE;
        }
    }

    INT_PTR Answer(LONG_PTR result) {
        SetWindowLongPtrA(m_dialog, DWLP_MSGRESULT, result);
        return TRUE;
    }

    bool CurrentValid() {
        PanelEntry& entry = m_entries[m_current];
        return !entry.window || entry.panel->Validate(true);
    }

    // Every panel made is checked before any is applied, so that a refused
    // one leaves all objects as they were; the refused panel is shown.
    bool ApplyAll() {
        for (size_t i = 0; i < m_entries.size(); ++i) {
            PanelEntry& entry = m_entries[i];
            if (!entry.window) continue;
            if (!entry.panel->Validate(false)) {
                ListView_SetItemState(GetDlgItem(m_dialog, IDC_SETTINGS_PANELS), static_cast<int>(i),
                                      LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                Show(i);
                entry.panel->Validate(true);
                return false;
            }
        }
        for (PanelEntry& entry : m_entries) {
            if (entry.window) entry.panel->Apply();
        }
        return true;
    }

    std::vector<PanelEntry> m_entries;
    std::string m_title;
    HWND m_dialog = nullptr;
    size_t m_current = 0;
};

}  // namespace

HPROPSHEETPAGE CreateSettingsPageWith(Object& root, SettingsPanelSources sources) {
    auto page = std::make_unique<SettingsPage>(root, std::move(sources));
    const char* title = page->Title();
    return platform::CreateOwningPropertyPage(std::move(page), IDD_QUILLET_SETTINGS_PAGE, title);
}

}  // namespace quillet
