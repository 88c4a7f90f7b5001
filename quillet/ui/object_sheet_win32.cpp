#include "quillet/ui/object_sheet_win32.h"

#include <commctrl.h>

#include <vector>

#include "platform/property_page.h"
#include "quillet/app/application.h"
#include "quillet/model/class_id.h"
#include "quillet/options/option_pages.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/sheets_resource_ids.h"

namespace quillet {

namespace {

// The longest title the page takes: the field refuses more rather than
// cutting what the user typed.
constexpr int kMaxTitle = 1023;

}  // namespace

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::string KeyText(const std::string& keyOrText) {
    if (keyOrText.empty()) return keyOrText;
    if (keyOrText[0] == '$') return App().Texts().TranslateText(keyOrText);
    return App().Texts().GetText(keyOrText).value_or(keyOrText);
}

ObjectPage::ObjectPage(int templateId, std::function<bool()> finish)
    : m_templateId(templateId), m_finish(std::move(finish)) {}

void ObjectPage::SetObject(Object* object) {
    m_object = RefPtr<Object>(object);
}

HPROPSHEETPAGE ObjectPage::CreatePage(const std::string& title) {
    return platform::CreatePropertyPage(*this, m_templateId, title.c_str());
}

bool ObjectPage::ReadOnly() const {
    return m_object->ReadBoolean(kTagLocked) && !m_object->ReadBoolean(kTagChangesAllowed);
}

INT_PTR ObjectPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        LocalizeDialog(App().Texts(), m_page);
        SendDlgItemMessageA(m_page, IDC_OBJECT_TITLE, EM_LIMITTEXT, kMaxTitle, 0);
        Fill();
        return TRUE;
    case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU: return HandleContextHelp(m_page, wParam, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_OBJECT_CHANGE_ICON && HIWORD(wParam) == BN_CLICKED) ChangeIcon();
        return TRUE;
    case WM_DESTROY:
        m_panel.reset();
        m_page = nullptr;
        return FALSE;
    default: return FALSE;
    }
}

void ObjectPage::Fill() {
    if (!m_page || !m_object) return;
    m_shownObject = m_object;
    m_panel.reset();
    m_iconChanged = false;
    Object& object = *m_object;
    const bool readOnly = ReadOnly();

    m_shownTitle = object.IsUntitled() ? std::string() : object.ReadText(kTagName);
    HWND title = GetDlgItem(m_page, IDC_OBJECT_TITLE);
    SetWindowTextA(title, m_shownTitle.c_str());
    SendMessageA(title, EM_SETREADONLY, readOnly || object.IsUntitled(), 0);
    ShowIcons();
    const bool canChangeIcon = !readOnly && (object.ReadInteger(kTagFlags) & kFlagFixedIcon) == 0;
    EnableWindow(GetDlgItem(m_page, IDC_OBJECT_CHANGE_ICON), canChangeIcon);

    m_panel = CreateClassPanel(object);
    if (m_panel) {
        RECT area = {};
        HWND placeholder = GetDlgItem(m_page, IDC_OBJECT_PANEL_AREA);
        GetWindowRect(placeholder, &area);
        MapWindowPoints(nullptr, m_page, reinterpret_cast<POINT*>(&area), 2);
        HWND panel = m_panel->Create(m_page, area, object);
        if (!panel) {
            m_panel.reset();
        } else {
            SetWindowPos(panel, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            if (readOnly) EnableWindow(panel, FALSE);
        }
    }
    EnableWindow(GetDlgItem(m_page, IDC_OBJECT_PANEL_FRAME), m_panel != nullptr);

    // The class defaults the object comes from; a class object is its own.
    ClassFactory* factory = App().Model().FindFactory(object.ClassId());
    if (factory && factory->ClassObject() == &object) factory = nullptr;
    std::string factoryText;
    if (factory) factoryText = App().Texts().FormatText("$propFactoryTitle", {KeyText(factory->DisplayName())});
    SetDlgItemTextA(m_page, IDC_OBJECT_FACTORY_TEXT, factoryText.c_str());
    EnableWindow(GetDlgItem(m_page, IDC_OBJECT_FACTORY_TEXT), !factoryText.empty());
    HWND factoryIcon = GetDlgItem(m_page, IDC_OBJECT_FACTORY_ICON);
    if (factory) {
        HICON icon = ItemIcon(*factory->ClassObject(), IconSize::Large);
        SendMessageA(factoryIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    ShowWindow(factoryIcon, factory ? SW_SHOW : SW_HIDE);
}

void ObjectPage::ShowIcons() {
    SendDlgItemMessageA(m_page, IDC_OBJECT_LARGE_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(ItemIcon(*m_object, IconSize::Large)), 0);
    SendDlgItemMessageA(m_page, IDC_OBJECT_SMALL_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(ItemIcon(*m_object, IconSize::Small)), 0);
}

void ObjectPage::ChangeIcon() {
    Value file, index;
    m_object->GetSavedProperty(kTagIconFile, &file);
    m_object->GetSavedProperty(kTagIconIndex, &index);
    if (!ChooseIcon(m_page, *m_object)) return;
    if (!m_iconChanged) {
        m_iconChanged = true;
        m_originalIconFile = file;
        m_originalIconIndex = index;
    }
    ShowIcons();
}

bool ObjectPage::Validate(bool showMessages) {
    if (!m_page || !m_object) return true;
    if (!m_object->IsUntitled() && GetWindowTextLengthA(GetDlgItem(m_page, IDC_OBJECT_TITLE)) == 0) {
        if (showMessages) {
            ShowMessage(m_page, MB_ICONEXCLAMATION, "icon:nodesc");
            SetFocus(GetDlgItem(m_page, IDC_OBJECT_TITLE));
        }
        return false;
    }
    return !m_panel || m_panel->Validate(showMessages);
}

void ObjectPage::Apply() {
    if (!m_page || !m_object || ReadOnly()) return;
    if (!m_object->IsUntitled()) {
        std::string title = WindowText(GetDlgItem(m_page, IDC_OBJECT_TITLE));
        // The field takes no more from the keyboard; a text set otherwise is
        // held to the same length.
        if (title.size() > static_cast<size_t>(kMaxTitle)) title.resize(kMaxTitle);
        // A name the object only inherits (a tray icon shows the program's)
        // stays inherited unless the user changed it.
        if (title != m_shownTitle) m_object->SetProperty(kTagName, Value::FromText(title));
    }
    if (m_panel) m_panel->Apply();
    m_applied = true;
}

INT_PTR ObjectPage::Notify(const NMHDR& header) {
    const bool wizard = m_finish != nullptr;
    LRESULT result = 0;
    switch (header.code) {
    case PSN_SETACTIVE:
        if (m_object != m_shownObject) Fill();
        if (wizard) PropSheet_SetWizButtons(GetParent(m_page), PSWIZB_BACK | PSWIZB_FINISH);
        break;
    case PSN_KILLACTIVE:
        if (!wizard) result = !Validate(true);
        break;
    case PSN_APPLY:
        if (!Validate(true)) {
            result = PSNRET_INVALID_NOCHANGEPAGE;
        } else {
            Apply();
            result = PSNRET_NOERROR;
        }
        break;
    case PSN_RESET:
        // The chooser writes its choice at once; a sheet that is cancelled
        // leaves the object as it found it.
        if (m_iconChanged && !m_applied && m_object) {
            m_object->SetProperty(kTagIconFile, m_originalIconFile);
            m_object->SetProperty(kTagIconIndex, m_originalIconIndex);
        }
        return FALSE;
    case PSN_WIZFINISH:
        if (!Validate(true)) {
            result = TRUE;
        } else {
            Apply();
            result = m_finish() ? FALSE : TRUE;
        }
        break;
    default: return FALSE;
    }
    SetWindowLongPtrA(m_page, DWLP_MSGRESULT, result);
    return TRUE;
}

bool EditObject(HWND owner, Object& object, int startPage) {
    RefPtr<Object> keep(&object);
    ObjectPage objectPage(IDD_QUILLET_OBJECT_PAGE);
    objectPage.SetObject(&object);

    std::vector<HPROPSHEETPAGE> pages;
    if (object.ClassId() == kClassStandardTrayIcon) {
        if (HPROPSHEETPAGE contents = CreateContentsPage(object)) pages.push_back(contents);
    }
    const std::string className =
        object.ClassId() == kClassStandardTrayIcon ? KeyText("clsStandard") : KeyText(object.ReadText(kTagClassName));
    if (HPROPSHEETPAGE page = objectPage.CreatePage(className)) pages.push_back(page);
    if (pages.empty()) return false;

    std::string caption = object.IsUntitled() ? std::string() : object.ReadText(kTagName);
    if (caption.empty()) caption = "<untitled>";
    PROPSHEETHEADERA header = platform::PropertySheetHeader(owner, PSH_NOAPPLYNOW, caption.c_str(), pages.data(),
                                                            static_cast<UINT>(pages.size()));
    header.nStartPage = startPage >= 0 && static_cast<size_t>(startPage) < pages.size() ? startPage : 0;
    PropertySheetA(&header);
    return objectPage.Applied();
}

}  // namespace quillet
