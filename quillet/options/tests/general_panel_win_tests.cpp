// The general panel in a plain dialog on a thread of its own, as it sits in
// the settings page, with the English language library and the test
// application's icon set.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "quillet/options/option_pages.h"
#include "quillet/options/pages_resource_ids.h"
#include "quillet/options/tests/pages_win_test_support.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/help_rules.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

constexpr int kHostDialog = 500;
// Ctrl+Alt+F9 as the hotkey control holds it (HOTKEYF_CONTROL 2 | HOTKEYF_ALT 4).
constexpr WPARAM kCtrlAltF9 = (2 | 4) << 8 | VK_F9;

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

class GeneralPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = m_app.Model().Root();
        m_root->SetHotkeyChanged([this] { m_hotkeyChanges++; });
    }
    void TearDown() override {
        m_ui.Call([this] {
            if (m_host) DestroyWindow(m_host);
            m_host = nullptr;
            m_panel.reset();
        });
        m_root->SetHotkeyChanged(nullptr);
    }

    void Open() {
        m_ui.Call([this] {
            m_host = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHostDialog), nullptr, HostProc, 0);
            if (!m_host) return;
            LocalizeDialog(m_app.Texts(), m_host);
            RECT area = {7, 7, 213, 80};
            MapDialogRect(m_host, &area);
            m_panel = CreateGeneralPanel();
            m_window = m_panel->Create(m_host, area, *m_root);
        });
        ASSERT_NE(nullptr, m_host) << test_support::LastErrorText();
        ASSERT_NE(nullptr, m_window);
        m_view = GetDlgItem(m_window, IDC_GENERAL_VIEW);
        m_mode = GetDlgItem(m_window, IDC_GENERAL_MODE);
        m_hotkey = GetDlgItem(m_window, IDC_GENERAL_HOTKEY);
    }

    void ChooseMode(int position) {
        SendMessageA(m_mode, CB_SETCURSEL, position, 0);
        SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(IDC_GENERAL_MODE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(m_mode));
    }
    bool HotkeyShown() const {
        const bool control = IsWindowVisible(m_hotkey) != FALSE;
        EXPECT_EQ(control, IsWindowVisible(GetDlgItem(m_window, IDC_GENERAL_HOTKEY_LABEL)) != FALSE);
        return control;
    }
    int Selection(HWND list) const { return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)); }
    bool Validate(bool showMessages) {
        bool valid = true;
        m_ui.Call([&] { valid = m_panel->Validate(showMessages); });
        return valid;
    }
    void Apply() {
        m_ui.Call([this] { m_panel->Apply(); });
    }

    TestApplication m_app;
    IconSetRoot* m_root = nullptr;
    std::atomic<int> m_hotkeyChanges{0};
    std::unique_ptr<SettingsPanel> m_panel;
    HWND m_host = nullptr;
    HWND m_window = nullptr;
    HWND m_view = nullptr;
    HWND m_mode = nullptr;
    HWND m_hotkey = nullptr;
    UiThread m_ui;
};

TEST_F(GeneralPanelTest, ShowsTheStoredSettings) {
    struct Case {
        const char* name;
        int32_t view, mode, custom;
        int viewRow, modeRow;
        const char* viewText;
        bool hotkeyShown;
        WPARAM control;
    };
    const Case cases[] = {
        {"defaults", 0, 0, 0, 2, 0, "Text and icons", false, 0},
        {"text only, natural", kMenuViewText, kHotkeyModeNatural, 0, 0, 1, "Text only", false, 0},
        {"icons only, custom Ctrl+Alt+F9", kMenuViewIcons, kHotkeyModeCustom, 0x0378, 1, 2, "Icons only", true,
         kCtrlAltF9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.ResetModel();
        SetUp();
        if (c.view) {
            ASSERT_TRUE(m_root->SetProperty(kTagMenuView, Value::FromInteger(c.view)));
        }
        ASSERT_TRUE(m_root->SetProperty(kTagHotkeyMode, Value::FromInteger(c.mode)));
        ASSERT_TRUE(m_root->SetProperty(kTagCustomHotkey, Value::FromInteger(c.custom)));
        Open();
        EXPECT_EQ(c.viewRow, Selection(m_view));
        EXPECT_EQ(c.viewText, ControlText(m_view));
        EXPECT_EQ(c.modeRow, Selection(m_mode));
        EXPECT_EQ(c.hotkeyShown, HotkeyShown());
        EXPECT_EQ(c.control, static_cast<WPARAM>(SendMessageA(m_hotkey, HKM_GETHOTKEY, 0, 0)));
        HWND onTop = GetDlgItem(m_window, IDC_GENERAL_MENU_ON_TOP);
        EXPECT_FALSE(IsWindowVisible(onTop));
        EXPECT_FALSE(IsWindowEnabled(onTop));
        TearDown();
    }
}

TEST_F(GeneralPanelTest, TheCustomModeShowsTheHotkeyControlAndGivesItTheFocus) {
    Open();
    ChooseMode(kHotkeyModeCustom);
    EXPECT_TRUE(HotkeyShown());
    EXPECT_EQ(m_hotkey, m_ui.Focus());
    EXPECT_EQ("&Hotkey:", ControlText(GetDlgItem(m_window, IDC_GENERAL_HOTKEY_LABEL)));
    ChooseMode(kHotkeyModeNatural);
    EXPECT_FALSE(HotkeyShown());
    ChooseMode(kHotkeyModeNone);
    EXPECT_FALSE(HotkeyShown());
    EXPECT_EQ(0, m_hotkeyChanges.load()) << "nothing is stored before Apply";
}

TEST_F(GeneralPanelTest, ApplyWritesTheViewTheModeAndTheHotkey) {
    Open();
    SendMessageA(m_view, CB_SETCURSEL, 0, 0);
    ChooseMode(kHotkeyModeCustom);
    SendMessageA(m_hotkey, HKM_SETHOTKEY, kCtrlAltF9, 0);
    ASSERT_TRUE(Validate(false));
    Apply();
    EXPECT_EQ(kMenuViewText, m_root->ReadInteger(kTagMenuView));
    EXPECT_EQ(kHotkeyModeCustom, m_root->ReadInteger(kTagHotkeyMode));
    EXPECT_EQ(0x0378, m_root->ReadInteger(kTagCustomHotkey)) << "modifiers 3 (Ctrl | Alt), key F9";
    EXPECT_GE(m_hotkeyChanges.load(), 1) << "the main window is told to register the hotkey";

    const int changes = m_hotkeyChanges.load();
    Apply();
    EXPECT_EQ(changes, m_hotkeyChanges.load()) << "the same values again change nothing";

    ChooseMode(kHotkeyModeNone);
    Apply();
    EXPECT_EQ(kHotkeyModeNone, m_root->ReadInteger(kTagHotkeyMode));
    EXPECT_EQ(0, m_root->ReadInteger(kTagCustomHotkey)) << "reads 0 outside the custom mode";
    EXPECT_EQ(changes + 1, m_hotkeyChanges.load());
}

TEST_F(GeneralPanelTest, ACustomModeWithoutAKeyMayNotBeLeft) {
    Open();
    ChooseMode(kHotkeyModeCustom);
    // A silent check that showed a message would wait for it to be answered.
    std::atomic<bool> valid{true};
    m_ui.Post([&] { valid = m_panel->Validate(false); });
    ASSERT_TRUE(m_ui.WaitUntilDone()) << "the silent check showed something";
    EXPECT_FALSE(valid.load());

    SendMessageA(m_host, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_view), TRUE);
    valid = true;
    m_ui.Post([&] { valid = m_panel->Validate(true); });
    HWND message = m_ui.WaitForDialogWith(IDC_MESSAGE_TEXT);
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(m_app.Texts().GetText("general:nohotkey").value_or("?"),
              ControlText(GetDlgItem(message, IDC_MESSAGE_TEXT)));
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(m_ui.WaitUntilDone());
    EXPECT_FALSE(valid.load());
    EXPECT_TRUE(WaitUntil([&] { return m_ui.Focus() == m_hotkey; })) << "the focus is on " << m_ui.Focus();

    SendMessageA(m_hotkey, HKM_SETHOTKEY, kCtrlAltF9, 0);
    EXPECT_TRUE(Validate(true));
    ASSERT_TRUE(test_support::WaitUntilDrawn(m_host));
    test_support::SaveScreenPicture("quillet-general-panel", m_host);
}

TEST_F(GeneralPanelTest, ControlsHaveTheirWhatsThisRows) {
    Open();
    const auto* rows = static_cast<const HelpRow*>(GetPropA(m_window, kHelpTableProperty));
    ASSERT_NE(nullptr, rows);
    EXPECT_EQ("hlpGen:menuview", HelpKeyFor(rows, IDC_GENERAL_VIEW));
    EXPECT_EQ("hlpGen:hotkey", HelpKeyFor(rows, IDC_GENERAL_MODE));
    EXPECT_EQ("hlpGen:hotkeyCustom", HelpKeyFor(rows, IDC_GENERAL_HOTKEY));
}

TEST_F(GeneralPanelTest, ThePanelLetGoFirstTakesItsDialogWithIt) {
    Open();
    m_ui.Call([this] { m_panel.reset(); });
    EXPECT_FALSE(IsWindow(m_window)) << "a dialog left behind would call into a deleted panel";
    EXPECT_TRUE(IsWindow(m_host));
}

}  // namespace
}  // namespace quillet
