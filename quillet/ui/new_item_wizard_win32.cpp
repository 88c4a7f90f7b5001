// The new-item wizard: the class on the first page, the object page of the
// new object on the second.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/property_page.h"
#include "platform/registry.h"
#include "quillet/app/application.h"
#include "quillet/model/class_id.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/object_sheet_win32.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/sheets_resource_ids.h"

namespace quillet {

namespace {

void destroy_image_list(HIMAGELIST list) {
    ImageList_Destroy(list);
}
using unique_himagelist = platform::unique_any<HIMAGELIST, destroy_image_list>;

constexpr const char* kSmallIconWizardValue = "Small Icon Wizard";

bool ReadSmallIcons() {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKeyPath(App().Texts().Facts()));
    if (!key) return false;
    std::optional<platform::RegData> value = key.Read(kSmallIconWizardValue);
    return value && value->Dword().value_or(0) != 0;
}

void WriteSmallIcons(bool small) {
    platform::RegistryKey key = platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKeyPath(App().Texts().Facts()));
    if (key) key.WriteDword(kSmallIconWizardValue, small ? 1 : 0);
}

// A class the wizard offers: how to make one, and the class object that shows
// its name, icon, flags and group.
struct OfferedClass {
    Guid classId;
    RefPtr<Object> prototype;
    std::string name;
    std::string group;
    bool complete = false;  // untitled with a fixed icon: nothing to fill in
};

class NewItemWizard {
public:
    explicit NewItemWizard(const NewItemRequest& request)
        : m_request(request), m_details(IDD_QUILLET_WIZARD_DETAILS, [this] { return Insert(); }) {
        OfferClasses();
    }

    bool Run(HWND owner) {
        if (!m_request.container || m_classes.empty()) return false;
        const std::string title = KeyText("propNewIcon");
        HPROPSHEETPAGE pages[2] = {platform::CreatePropertyPage(*this, IDD_QUILLET_WIZARD_CLASS, title.c_str()),
                                   m_details.CreatePage(title)};
        if (!pages[0] || !pages[1]) {
            if (pages[0]) DestroyPropertySheetPage(pages[0]);
            if (pages[1]) DestroyPropertySheetPage(pages[1]);
            return false;
        }
        PROPSHEETHEADERA header =
            platform::PropertySheetHeader(owner, PSH_WIZARD | PSH_NOAPPLYNOW, title.c_str(), pages, 2);
        PropertySheetA(&header);
        return m_inserted;
    }

    // The class page's window (platform::CreatePropertyPage).
    void Bind(HWND page) { m_page = page; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            LocalizeDialog(App().Texts(), m_page);
            BuildGroups();
            return TRUE;
        case WM_NOTIFY: return ClassPageNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CONTEXTMENU: return HandleContextHelp(m_page, wParam, lParam);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_WIZARD_SMALL_ICONS && HIWORD(wParam) == BN_CLICKED) {
                const bool small = IsDlgButtonChecked(m_page, IDC_WIZARD_SMALL_ICONS) == BST_CHECKED;
                WriteSmallIcons(small);
                ShowIconSize(small);
            }
            return TRUE;
        default: return FALSE;
        }
    }

private:
    void OfferClasses() {
        const ObjectModel& model = App().Model();
        const std::string standardGroup = KeyText("clsStandard");
        auto groupOf = [&](const Object& prototype) {
            // Only a group a class keeps as its own value counts; the class's
            // display name is not a group.
            Value group;
            if (prototype.GetSavedProperty(kTagClassName, &group) && group.Type() == ValueType::Text && *group.Text())
                return KeyText(group.Text());
            return standardGroup;
        };
        if (m_request.container && m_request.container->ClassId() == kClassIconSetRoot) {
            // The root holds tray icons, which no factory makes.
            RefPtr<Object> trayIcon;
            if (model.CreateSavedObject(kClassStandardTrayIcon, &trayIcon) == kStatusOk)
                m_classes.push_back({kClassStandardTrayIcon, trayIcon, standardGroup, standardGroup, false});
            return;
        }
        for (const RefPtr<ClassFactory>& factory : model.Factories()) {
            Object* prototype = factory->ClassObject();
            OfferedClass offered;
            offered.classId = factory->ClassId();
            offered.prototype = RefPtr<Object>(prototype);
            offered.name = KeyText(prototype->ReadText(kTagClassName));
            offered.group = groupOf(*prototype);
            const int32_t flags = prototype->ReadInteger(kTagFlags);
            offered.complete = (flags & (kFlagUntitled | kFlagFixedIcon)) == (kFlagUntitled | kFlagFixedIcon);
            m_classes.push_back(offered);
        }
    }

    // A new object of the class; it receives the handed-over folder when the
    // class takes one.
    RefPtr<Object> MakeObject(size_t index, bool* tookFolder = nullptr) const {
        RefPtr<Object> object;
        const OfferedClass& offered = m_classes[index];
        if (offered.classId == kClassStandardTrayIcon)
            App().Model().CreateSavedObject(offered.classId, &object);
        else
            App().Model().CreateObject(offered.classId, &object);
        bool took = false;
        if (object && !m_request.folderPath.empty())
            took = object->SetProperty(kTagPath, Value::FromText(m_request.folderPath));
        if (tookFolder) *tookFolder = took;
        return object;
    }

    bool Insert() {
        Object* object = m_details.CurrentObject();
        if (!object) return false;
        Object& container = *m_request.container;
        const Status status = m_request.insertAt < container.Count() ? container.InsertAt(object, m_request.insertAt)
                                                                     : container.Insert(object);
        m_inserted = status == kStatusOk;
        return m_inserted;
    }

    // --- The class page ----------------------------------------------------

    struct GroupList {
        std::string name;
        HWND dialog = nullptr;
        HWND list = nullptr;
        std::vector<size_t> classes;  // indexes into m_classes, in list order
    };

    // The class lists sit in the tab's display area; their notifications go
    // to the class page.
    static INT_PTR CALLBACK ListProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_NOTIFY) {
            HWND page = GetParent(dialog);
            auto* self = reinterpret_cast<NewItemWizard*>(GetWindowLongPtrA(page, DWLP_USER));
            if (self) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                                  self->ClassPageNotify(*reinterpret_cast<const NMHDR*>(lParam)));
                return TRUE;
            }
        }
        return FALSE;
    }

    void BuildGroups() {
        HWND tabs = GetDlgItem(m_page, IDC_WIZARD_GROUPS);
        m_largeIcons.reset(ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 4));
        m_smallIcons.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
        for (const OfferedClass& offered : m_classes) {
            ImageList_AddIcon(m_largeIcons.get(), ItemIcon(*offered.prototype, IconSize::Large));
            ImageList_AddIcon(m_smallIcons.get(), ItemIcon(*offered.prototype, IconSize::Small));
        }
        for (size_t i = 0; i < m_classes.size(); ++i) {
            auto group = std::find_if(m_groups.begin(), m_groups.end(),
                                      [&](const GroupList& g) { return g.name == m_classes[i].group; });
            if (group == m_groups.end())
                group = m_groups.insert(m_groups.end(), GroupList{m_classes[i].group, nullptr, nullptr, {}});
            group->classes.push_back(i);
        }
        RECT area = {};
        GetClientRect(tabs, &area);
        for (size_t g = 0; g < m_groups.size(); ++g) {
            GroupList& group = m_groups[g];
            TCITEMA tab = {};
            tab.mask = TCIF_TEXT;
            tab.pszText = const_cast<char*>(group.name.c_str());
            SendMessageA(tabs, TCM_INSERTITEMA, g, reinterpret_cast<LPARAM>(&tab));
        }
        TabCtrl_AdjustRect(tabs, FALSE, &area);
        MapWindowPoints(tabs, m_page, reinterpret_cast<POINT*>(&area), 2);
        for (GroupList& group : m_groups) {
            group.dialog = CreateDialogParamA(
                GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QUILLET_WIZARD_CLASS_LIST), m_page, ListProcedure, 0);
            if (!group.dialog) continue;
            SetWindowPos(group.dialog, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_HIDEWINDOW);
            group.list = GetDlgItem(group.dialog, IDC_WIZARD_CLASS_LIST);
            RECT inside = {};
            GetClientRect(group.dialog, &inside);
            MoveWindow(group.list, 0, 0, inside.right, inside.bottom, FALSE);
            ListView_SetImageList(group.list, m_largeIcons.get(), LVSIL_NORMAL);
            ListView_SetImageList(group.list, m_smallIcons.get(), LVSIL_SMALL);
            for (size_t i = 0; i < group.classes.size(); ++i) {
                LVITEMA item = {};
                item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
                item.iItem = static_cast<int>(i);
                item.pszText = const_cast<char*>(m_classes[group.classes[i]].name.c_str());
                item.iImage = static_cast<int>(group.classes[i]);
                item.lParam = static_cast<LPARAM>(group.classes[i]);
                SendMessageA(group.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            }
        }
        const bool small = ReadSmallIcons();
        CheckDlgButton(m_page, IDC_WIZARD_SMALL_ICONS, small ? BST_CHECKED : BST_UNCHECKED);
        ShowIconSize(small);

        // The class to start on: the first that takes the handed-over folder,
        // else the template item's class, else none.
        m_folderClass = SIZE_MAX;
        size_t start = SIZE_MAX;
        if (!m_request.folderPath.empty()) {
            for (size_t i = 0; i < m_classes.size() && m_folderClass == SIZE_MAX; ++i) {
                bool took = false;
                if (MakeObject(i, &took) && took) m_folderClass = i;
            }
            start = m_folderClass;
        }
        if (start == SIZE_MAX && m_request.templateItem) {
            for (size_t i = 0; i < m_classes.size() && start == SIZE_MAX; ++i)
                if (m_classes[i].classId == m_request.templateItem->ClassId()) start = i;
        }
        ShowGroup(start == SIZE_MAX ? 0 : GroupOf(start));
        if (start != SIZE_MAX) Select(start);
    }

    size_t GroupOf(size_t classIndex) const {
        for (size_t g = 0; g < m_groups.size(); ++g)
            for (size_t i : m_groups[g].classes)
                if (i == classIndex) return g;
        return 0;
    }

    void Select(size_t classIndex) {
        const GroupList& group = m_groups[GroupOf(classIndex)];
        for (size_t i = 0; i < group.classes.size(); ++i) {
            if (group.classes[i] != classIndex) continue;
            ListView_SetItemState(group.list, static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(group.list, static_cast<int>(i), FALSE);
        }
    }

    void ShowGroup(size_t index) {
        if (index >= m_groups.size()) return;
        TabCtrl_SetCurSel(GetDlgItem(m_page, IDC_WIZARD_GROUPS), static_cast<int>(index));
        for (size_t g = 0; g < m_groups.size(); ++g)
            if (m_groups[g].dialog) ShowWindow(m_groups[g].dialog, g == index ? SW_SHOW : SW_HIDE);
        m_shownGroup = index;
        UpdateButtons();
    }

    void ShowIconSize(bool small) {
        for (const GroupList& group : m_groups) {
            if (!group.list) continue;
            const LONG_PTR style = GetWindowLongPtrA(group.list, GWL_STYLE);
            SetWindowLongPtrA(group.list, GWL_STYLE, (style & ~LVS_TYPEMASK) | (small ? LVS_SMALLICON : LVS_ICON));
            ListView_Arrange(group.list, LVA_DEFAULT);
        }
    }

    // The chosen class of the shown tab, or SIZE_MAX.
    size_t ChosenClass() const {
        if (m_shownGroup >= m_groups.size()) return SIZE_MAX;
        const GroupList& group = m_groups[m_shownGroup];
        const int item = ListView_GetNextItem(group.list, -1, LVNI_SELECTED);
        if (item < 0 || static_cast<size_t>(item) >= group.classes.size()) return SIZE_MAX;
        return group.classes[static_cast<size_t>(item)];
    }

    // Whether Finish may skip the details: the class has nothing to fill in.
    bool FinishesAtOnce(size_t classIndex) const { return m_classes[classIndex].complete; }

    void UpdateButtons() {
        if (!m_page || !m_active) return;
        const size_t chosen = ChosenClass();
        DWORD buttons = 0;
        if (chosen != SIZE_MAX) buttons = FinishesAtOnce(chosen) ? PSWIZB_FINISH : PSWIZB_NEXT;
        PropSheet_SetWizButtons(GetParent(m_page), buttons);
    }

    // The details page's object for the chosen class, made anew when the
    // class changed since the last visit.
    bool PrepareObject(size_t chosen) {
        if (chosen == SIZE_MAX) return false;
        if (chosen != m_objectClass || !m_details.CurrentObject()) {
            RefPtr<Object> object = MakeObject(chosen);
            if (!object) return false;
            m_details.SetObject(object.Get());
            m_objectClass = chosen;
        }
        return true;
    }

    LRESULT ClassPageNotify(const NMHDR& header) {
        LRESULT result = 0;
        switch (header.code) {
        case PSN_SETACTIVE:
            m_active = true;
            UpdateButtons();
            break;
        case PSN_KILLACTIVE: m_active = false; break;
        case PSN_WIZNEXT:
            if (!PrepareObject(ChosenClass())) result = -1;
            break;
        case PSN_WIZFINISH: {
            const size_t chosen = ChosenClass();
            result = PrepareObject(chosen) && Insert() ? FALSE : TRUE;
            break;
        }
        case TCN_SELCHANGE: ShowGroup(static_cast<size_t>(TabCtrl_GetCurSel(header.hwndFrom))); return 0;
        case LVN_ITEMCHANGED: UpdateButtons(); return 0;
        case NM_DBLCLK: {
            // Finishes at once when nothing is left to fill in; a class that
            // still needs its details (a folder without a folder) goes to them.
            const size_t chosen = ChosenClass();
            if (chosen == SIZE_MAX) return 0;
            const bool atOnce = FinishesAtOnce(chosen) || chosen == m_folderClass;
            PropSheet_PressButton(GetParent(m_page), atOnce ? PSBTN_FINISH : PSBTN_NEXT);
            return 0;
        }
        default: return 0;
        }
        SetWindowLongPtrA(m_page, DWLP_MSGRESULT, result);
        return TRUE;
    }

    NewItemRequest m_request;
    ObjectPage m_details;
    std::vector<OfferedClass> m_classes;
    std::vector<GroupList> m_groups;
    HWND m_page = nullptr;
    size_t m_shownGroup = SIZE_MAX;
    size_t m_objectClass = SIZE_MAX;
    size_t m_folderClass = SIZE_MAX;
    bool m_active = false;
    bool m_inserted = false;
    unique_himagelist m_largeIcons;
    unique_himagelist m_smallIcons;
};

}  // namespace

bool RunNewItemWizard(HWND owner, const NewItemRequest& request) {
    NewItemWizard wizard(request);
    return wizard.Run(owner);
}

}  // namespace quillet
