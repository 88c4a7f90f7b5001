#include <windows.h>
#include <commctrl.h>

#include "quillet/app/application.h"
#include "quillet/options/general_panel_rules.h"
#include "quillet/options/option_pages.h"
#include "quillet/options/pages_resource_ids.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/messages.h"

namespace quillet {

namespace {

const HelpRow kGeneralPanelHelp[] = {
    {IDC_GENERAL_VIEW, "hlpGen:menuview"},
    {IDC_GENERAL_MODE, "hlpGen:hotkey"},
    {IDC_GENERAL_HOTKEY, "hlpGen:hotkeyCustom"},
    {IDC_GENERAL_HOTKEY_LABEL, "hlpGen:hotkeyCustom"},
    {0, nullptr},
};

// In value order: the list position is the value (less one for the views).
const char* const kMenuViewKeys[] = {"$general:mnuTxt", "$general:mnuIcn", "$general:mnuTxtIcn"};
const char* const kHotkeyModeKeys[] = {"$general:hkeyNone", "$general:hkeyNatural", "$general:hkeyCustom"};

template <size_t N>
void FillList(HWND list, const char* const (&keys)[N], int position) {
    for (const char* key : keys)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(App().Texts().TranslateText(key).c_str()));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

class GeneralPanel : public SettingsPanel {
public:
    // The dialog must not outlive the object its procedure reaches.
    ~GeneralPanel() override {
        if (m_panel) DestroyWindow(m_panel);
    }

    HWND Create(HWND page, const RECT& area, Object& object) override {
        m_object = RefPtr<Object>(&object);
        m_panel = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GENERAL_PANEL), page, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
        if (!m_panel) return nullptr;
        SetWindowPos(m_panel, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(m_panel, SW_SHOW);
        return m_panel;
    }

    bool Validate(bool showMessages) override {
        if (!m_panel || !HotkeyMissing(Mode(), HotkeyInControl())) return true;
        if (showMessages) {
            // The dialog gives the focus back to what had it when the message
            // took over, and under Wine that may happen after the message
            // has returned: so the hotkey control has it before and after.
            FocusHotkey();
            ShowMessage(m_panel, MB_ICONEXCLAMATION, "general:nohotkey");
            FocusHotkey();
        }
        return false;
    }

    void Apply() override {
        if (!m_panel || !m_object) return;
        m_object->SetProperty(kTagMenuView, Value::FromInteger(MenuViewFromPosition(Position(IDC_GENERAL_VIEW))));
        // The mode first: a custom hotkey is only taken while the mode is custom.
        const int32_t mode = Mode();
        m_object->SetProperty(kTagHotkeyMode, Value::FromInteger(mode));
        if (mode == kHotkeyModeCustom)
            m_object->SetProperty(kTagCustomHotkey, Value::FromInteger(HotkeySettingFromControl(HotkeyInControl())));
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) SetWindowLongPtrA(panel, DWLP_USER, lParam);
        auto* self = reinterpret_cast<GeneralPanel*>(GetWindowLongPtrA(panel, DWLP_USER));
        if (!self) return FALSE;
        switch (message) {
        case WM_INITDIALOG: return self->OnInitDialog(panel);
        case WM_COMMAND: return self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CONTEXTMENU: return HandleContextHelp(panel, wParam, lParam);
        case WM_DESTROY: return self->OnDestroy();
        default: return FALSE;
        }
    }

    INT_PTR OnInitDialog(HWND panel) {
        m_panel = panel;
        LocalizeDialog(App().Texts(), m_panel);
        SetDialogHelp(m_panel, kGeneralPanelHelp);
        FillList(GetDlgItem(m_panel, IDC_GENERAL_VIEW), kMenuViewKeys,
                 MenuViewPosition(m_object->ReadInteger(kTagMenuView, kMenuViewTextAndIcons)));
        const int32_t mode = m_object->ReadInteger(kTagHotkeyMode, kHotkeyModeNone);
        FillList(GetDlgItem(m_panel, IDC_GENERAL_MODE), kHotkeyModeKeys, HotkeyModePosition(mode));
        if (mode == kHotkeyModeCustom)
            SendDlgItemMessageA(m_panel, IDC_GENERAL_HOTKEY, HKM_SETHOTKEY,
                                HotkeyControlFromSetting(m_object->ReadInteger(kTagCustomHotkey)), 0);
        ShowHotkey(mode == kHotkeyModeCustom);
        return FALSE;
    }

    INT_PTR OnDestroy() {
        SetDialogHelp(m_panel, nullptr);
        m_panel = nullptr;
        return FALSE;
    }

    INT_PTR OnCommand(int id, int code) {
        if (id != IDC_GENERAL_MODE || code != CBN_SELCHANGE) return FALSE;
        const bool custom = Mode() == kHotkeyModeCustom;
        const bool wasShown = IsWindowVisible(GetDlgItem(m_panel, IDC_GENERAL_HOTKEY)) != FALSE;
        ShowHotkey(custom);
        if (custom && !wasShown) FocusHotkey();
        return TRUE;
    }

    void ShowHotkey(bool shown) {
        ShowWindow(GetDlgItem(m_panel, IDC_GENERAL_HOTKEY), shown ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(m_panel, IDC_GENERAL_HOTKEY_LABEL), shown ? SW_SHOW : SW_HIDE);
    }

    // The panel sits inside a page inside a sheet: the outermost dialog
    // keeps the focus and the default button, so it is told.
    void FocusHotkey() {
        SendMessageA(GetAncestor(m_panel, GA_ROOT), WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(m_panel, IDC_GENERAL_HOTKEY)), TRUE);
    }

    int Position(int list) const {
        return static_cast<int>(SendDlgItemMessageA(m_panel, list, CB_GETCURSEL, 0, 0));
    }
    int32_t Mode() const { return HotkeyModeFromPosition(Position(IDC_GENERAL_MODE)); }
    uint16_t HotkeyInControl() const {
        return static_cast<uint16_t>(SendDlgItemMessageA(m_panel, IDC_GENERAL_HOTKEY, HKM_GETHOTKEY, 0, 0));
    }

    HWND m_panel = nullptr;
    RefPtr<Object> m_object;
};

}  // namespace

std::unique_ptr<SettingsPanel> CreateGeneralPanel() {
    return std::make_unique<GeneralPanel>();
}

}  // namespace quillet
