// The options sheet with its advanced page in a program folder of the test's
// making (the language libraries and a few sounds), a scratch registry and a
// recording switch for the shell's command. Each sheet runs on a thread of its
// own; the test works its controls and buttons as the user would.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/registry.h"
#include "quillet/app/quillet_names.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/options/password_form.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/help_rules.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

constexpr int kInterfaceTab = 0;
constexpr int kLanguageTab = 1;
constexpr int kSecurityTab = 2;

// A program folder with both language libraries and three sounds.
std::string MakeProgramFolder(const std::string& folder) {
    for (const char* library : {"quillet009.mlb", "quillet007.mlb"}) {
        CopyFileA((TestApplication::LanguageFolder() + "\\" + library).c_str(), (folder + "\\" + library).c_str(),
                  FALSE);
    }
    for (const char* sound : {"chimes.wav", "ding.wav", "tada.wav"}) std::ofstream(folder + "\\" + sound) << "RIFF";
    return folder;
}

// A control anywhere inside the sheet (the sub-pages are dialogs inside the
// advanced page).
HWND Control(HWND sheet, int id) {
    return test_support::FindControl(sheet, id);
}

bool Checked(HWND sheet, int id) {
    return SendMessageA(Control(sheet, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SetChecked(HWND sheet, int id, bool on) {
    SendMessageA(Control(sheet, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Chooses an entry of a combo box and tells its dialog, as a click would.
void ChooseEntry(HWND sheet, int id, int index) {
    HWND combo = Control(sheet, id);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

// Shows a sub-page as a click on its tab would.
void ShowSubPage(HWND sheet, int index) {
    HWND tabs = Control(sheet, IDC_ADVANCED_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, index, 0);
    NMHDR header = {tabs, IDC_ADVANCED_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs), WM_NOTIFY, IDC_ADVANCED_TABS, reinterpret_cast<LPARAM>(&header));
}

HWND SubPageOf(HWND sheet, int controlId) {
    return GetParent(Control(sheet, controlId));
}

std::string SelectLanguage(HWND sheet, uint16_t number) {
    HWND list = Control(sheet, IDC_LANGUAGE_LIST);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(list, LB_GETITEMDATA, i, 0) != number) continue;
        SendMessageA(list, LB_SETCURSEL, i, 0);
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    return std::string();
}

class OptionsSheetTest : public ::testing::Test {
protected:
    OptionsSheetTest() : app(MakeProgramFolder(folder.Path())) {
        SetEnvironmentVariableA(kTestSoundLogVariable, SoundLog().c_str());
        shellSwitch.isEnabled = [this] { return shellEnabled; };
        shellSwitch.setEnabled = [this](bool on) {
            shellEnabled = on;
            ++shellWrites;
        };
    }
    ~OptionsSheetTest() override { SetEnvironmentVariableA(kTestSoundLogVariable, nullptr); }

    std::string SoundLog() const { return folder.Path() + "\\sounds.log"; }
    std::string PlayedSounds() const {
        std::ifstream log(SoundLog(), std::ios::binary);
        std::stringstream text;
        text << log.rdbuf();
        return text.str();
    }
    platform::RegistryKey Key() {
        return platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKeyPath(app.Texts().Facts()));
    }
    std::optional<DWORD> RegistryValue(const char* name) {
        std::optional<platform::RegData> data = Key().Read(name);
        return data ? data->Dword() : std::nullopt;
    }
    IconSetRoot& Root() { return *app.Model().Root(); }
    std::string Text(const char* key) { return app.Texts().GetText(key).value_or(key); }

    // Opens the sheet (only the advanced page) and waits for it.
    HWND Open(SheetRun& run) {
        HWND sheet = run.WaitForWindow();
        if (sheet) WaitUntil([&] { return Control(sheet, IDC_INTERFACE_SOUND) != nullptr; });
        return sheet;
    }
    std::function<bool()> Sheet() {
        return [this] { return ShowOptionsWithPages(nullptr, {}, shellSwitch); };
    }

    test_support::ScratchFolder folder;
    test_support::ScratchRegistry registry;
    TestApplication app;
    bool shellEnabled = true;
    int shellWrites = 0;
    ShellExtensionSwitch shellSwitch;
};

TEST_F(OptionsSheetTest, TheAdvancedPageListsItsSubPagesWithIconsAndShowsTheCurrentValues) {
    Root().SetProperty(kTagConfirmExit, Value::FromBoolean(false));
    Root().SetProperty(kTagClickMode, Value::FromInteger(2));
    Key().WriteDword(kSplashValueName, 0);
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(Root().ReadText(kTagName), TextOf(sheet)) << "captioned with the root's title";

    HWND tabs = Control(sheet, IDC_ADVANCED_TABS);
    ASSERT_EQ(3, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    const char* captions[] = {"adv:uiCaption", "adv:intlCaption", "adv:secCaption"};
    for (int i = 0; i < 3; ++i) {
        char text[128] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(Text(captions[i]), text);
        EXPECT_EQ(i, item.iImage) << "each sub-page has its icon";
    }
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0));
    EXPECT_EQ(3, ImageList_GetImageCount(images));

    EXPECT_TRUE(Checked(sheet, IDC_INTERFACE_SHOW_TIPS)) << "tips are on by default";
    EXPECT_TRUE(Checked(sheet, IDC_INTERFACE_CONTEXT_MENU));
    EXPECT_TRUE(Checked(sheet, IDC_INTERFACE_CONFIRM_DELETE));
    EXPECT_FALSE(Checked(sheet, IDC_INTERFACE_CONFIRM_EXIT));
    EXPECT_FALSE(Checked(sheet, IDC_INTERFACE_STARTUP_SCREEN));
    EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_HIDE_DESKTOP))) << "no desktop to hide icons of";
    EXPECT_EQ(1, SendMessageA(Control(sheet, IDC_INTERFACE_CLICK), CB_GETCURSEL, 0, 0));
    EXPECT_EQ((std::vector<std::string>{Text("opgNoWave"), "chimes", "ding", "tada"}),
              ComboEntries(Control(sheet, IDC_INTERFACE_SOUND)));
    EXPECT_EQ(0, SendMessageA(Control(sheet, IDC_INTERFACE_SOUND), CB_GETCURSEL, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_SOUND_PLAY))) << "nothing to play";
    EXPECT_NE(0, SendMessageA(Control(sheet, IDC_INTERFACE_SOUND_PLAY), BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(test_support::WaitUntilDrawn(sheet));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-options-ui", sheet).empty());

    ShowSubPage(sheet, kLanguageTab);
    EXPECT_TRUE(IsWindowVisible(SubPageOf(sheet, IDC_LANGUAGE_LIST)));
    EXPECT_FALSE(IsWindowVisible(SubPageOf(sheet, IDC_INTERFACE_SOUND)));
    HWND list = Control(sheet, IDC_LANGUAGE_LIST);
    ASSERT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "one entry per library";
    const LRESULT chosen = SendMessageA(list, LB_GETCURSEL, 0, 0);
    ASSERT_NE(LB_ERR, chosen);
    EXPECT_EQ(9, SendMessageA(list, LB_GETITEMDATA, chosen, 0));
    EXPECT_EQ(LanguageDisplayName(9), [&] {
        char text[128] = {};
        SendMessageA(list, LB_GETTEXT, chosen, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    }());
    ASSERT_TRUE(test_support::WaitUntilDrawn(sheet));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-options-language", sheet).empty());

    ShowSubPage(sheet, kSecurityTab);
    EXPECT_EQ(Text("secActivate"), TextOf(Control(sheet, IDC_SECURITY_LOCK)));
    EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_SECURITY_CHANGE))) << "no password to change";
    ASSERT_TRUE(test_support::WaitUntilDrawn(sheet));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-options-security", sheet).empty());

    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
}

TEST_F(OptionsSheetTest, OkKeepsEveryValueSavesAndSwitchesTheLanguageAtOnce) {
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    SetChecked(sheet, IDC_INTERFACE_SHOW_TIPS, false);
    SetChecked(sheet, IDC_INTERFACE_CONTEXT_MENU, false);
    SetChecked(sheet, IDC_INTERFACE_CONFIRM_DELETE, false);
    SetChecked(sheet, IDC_INTERFACE_STARTUP_SCREEN, false);
    ChooseEntry(sheet, IDC_INTERFACE_SOUND, 2);
    ChooseEntry(sheet, IDC_INTERFACE_CLICK, 1);
    ShowSubPage(sheet, kLanguageTab);
    EXPECT_EQ(LanguageDisplayName(7), SelectLanguage(sheet, 7));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());

    EXPECT_TRUE(run.Result());
    EXPECT_EQ(1, app.SaveCount());
    EXPECT_EQ(0u, RegistryValue(kShowTipsValueName).value_or(99));
    EXPECT_EQ(0u, RegistryValue(kSplashValueName).value_or(99));
    EXPECT_FALSE(shellEnabled);
    EXPECT_EQ(1, shellWrites);
    EXPECT_FALSE(Root().ReadBoolean(kTagConfirmDelete, true));
    EXPECT_TRUE(Root().ReadBoolean(kTagConfirmExit, false));
    EXPECT_EQ(folder.Path() + "\\ding.wav", Root().ReadText(kTagClickSound));
    EXPECT_EQ(2, Root().ReadInteger(kTagClickMode));
    EXPECT_EQ(7, app.Texts().GetLanguage());
    EXPECT_EQ(7, app.Texts().LoadedLanguage()) << "switched without waiting for the next text";
    // The libraries hold their texts in the Windows code page.
    EXPECT_EQ(
        "Schlie\xDF"
        "en",
        app.Texts().GetText("btnClose").value_or(""));
}

TEST_F(OptionsSheetTest, CancelAfterApplyRestoresLanguageSoundQuestionsAndSettings) {
    Root().SetProperty(kTagClickSound, Value::FromText(folder.Path() + "\\tada.wav"));
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(3, SendMessageA(Control(sheet, IDC_INTERFACE_SOUND), CB_GETCURSEL, 0, 0));
    SetChecked(sheet, IDC_INTERFACE_SHOW_TIPS, false);
    SetChecked(sheet, IDC_INTERFACE_CONTEXT_MENU, false);
    SetChecked(sheet, IDC_INTERFACE_CONFIRM_DELETE, false);
    SetChecked(sheet, IDC_INTERFACE_CONFIRM_EXIT, false);
    ChooseEntry(sheet, IDC_INTERFACE_SOUND, 0);
    ChooseEntry(sheet, IDC_INTERFACE_CLICK, 1);
    ShowSubPage(sheet, kLanguageTab);
    SelectLanguage(sheet, 7);

    // Apply writes everything live...
    PressSheetButton(sheet, PSBTN_APPLYNOW);
    ASSERT_TRUE(WaitUntil([&] { return app.Texts().GetLanguage() == 7; }));
    EXPECT_FALSE(Root().ReadBoolean(kTagConfirmDelete, true));
    EXPECT_FALSE(Root().ReadBoolean(kTagConfirmExit, true));
    EXPECT_EQ("", Root().ReadText(kTagClickSound));
    EXPECT_EQ(2, Root().ReadInteger(kTagClickMode));
    EXPECT_EQ(0u, RegistryValue(kShowTipsValueName).value_or(99));
    EXPECT_FALSE(shellEnabled);

    // ...and Cancel takes all of it back, the values that had only their
    // defaults before as well.
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
    EXPECT_EQ(0, app.SaveCount());
    EXPECT_EQ(9, app.Texts().GetLanguage());
    EXPECT_TRUE(Root().ReadBoolean(kTagConfirmDelete, false));
    EXPECT_TRUE(Root().ReadBoolean(kTagConfirmExit, false));
    EXPECT_EQ(folder.Path() + "\\tada.wav", Root().ReadText(kTagClickSound));
    EXPECT_EQ(1, Root().ReadInteger(kTagClickMode));
    EXPECT_FALSE(RegistryValue(kShowTipsValueName).has_value()) << "absent again, as before";
    EXPECT_TRUE(shellEnabled);
}

TEST_F(OptionsSheetTest, ALockMadeInsideTheSheetIsSavedByOkAndUndoneByCancel) {
    // A lock set on open settings is the user's change: OK keeps and saves
    // it with the other changes, Cancel takes it back.
    for (int button : {PSBTN_OK, PSBTN_CANCEL}) {
        SCOPED_TRACE(button == PSBTN_OK ? "OK" : "Cancel");
        app.ResetModel();
        const int savesBefore = app.SaveCount();
        SheetRun run(Sheet());
        HWND sheet = Open(run);
        ASSERT_NE(nullptr, sheet);
        ShowSubPage(sheet, kSecurityTab);
        PostMessageA(Control(sheet, IDC_SECURITY_LOCK), BM_CLICK, 0, 0);
        HWND lock = run.WaitForWindow(Text("secLockTitle"));
        ASSERT_NE(nullptr, lock);
        SendMessageA(GetDlgItem(lock, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
        SendMessageA(GetDlgItem(lock, IDC_PASSWORD_CONFIRM), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
        PostMessageA(lock, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(sheet, IDC_SECURITY_LOCK)) == Text("secDeactivate"); }));
        EXPECT_TRUE(IsWindowEnabled(Control(sheet, IDC_SECURITY_CHANGE)));
        EXPECT_EQ(StoredPasswordForm("quillet", "secret"), Root().ReadText(kTagPassword));
        SetChecked(sheet, IDC_INTERFACE_CONFIRM_DELETE, false);

        PressSheetButton(sheet, button);
        ASSERT_TRUE(run.WaitForEnd());
        if (button == PSBTN_OK) {
            EXPECT_EQ(StoredPasswordForm("quillet", "secret"), Root().ReadText(kTagPassword));
            EXPECT_TRUE(Root().ReadBoolean(kTagLocked, false));
            EXPECT_FALSE(Root().ReadBoolean(kTagConfirmDelete, true)) << "the other change was discarded";
            EXPECT_EQ(savesBefore + 1, app.SaveCount());
        } else {
            EXPECT_EQ("", Root().ReadText(kTagPassword));
            EXPECT_FALSE(Root().ReadBoolean(kTagLocked, true));
            EXPECT_TRUE(Root().ReadBoolean(kTagConfirmDelete, false));
            EXPECT_EQ(savesBefore, app.SaveCount());
        }
    }
}

TEST_F(OptionsSheetTest, AnUnlockLastsForTheSheetOnlyWhenRelockIsChecked) {
    const struct {
        const char* name;
        bool relock;
        bool changesAllowed;
        bool passwordAfter;
        bool changeKept;
    } cases[] = {
        {"relock: the lock is back and the change discarded", true, false, true, false},
        {"relock with changes allowed: the lock is back and the change kept", true, true, true, true},
        {"no relock: unlocked for good and the change kept", false, false, false, true},
    };
    const std::string locked = StoredPasswordForm("quillet", "secret");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app.ResetModel();
        Root().SetProperty(kTagPassword, Value::FromText(locked));
        Root().SetProperty(kTagChangesAllowed, Value::FromBoolean(c.changesAllowed));
        const int savesBefore = app.SaveCount();

        SheetRun run(Sheet());
        HWND sheet = Open(run);
        ASSERT_NE(nullptr, sheet);
        ShowSubPage(sheet, kSecurityTab);
        EXPECT_EQ(Text("secDeactivate"), TextOf(Control(sheet, IDC_SECURITY_LOCK)));
        PostMessageA(Control(sheet, IDC_SECURITY_LOCK), BM_CLICK, 0, 0);
        HWND unlock = run.WaitForWindow(Text("secUnlockTitle"));
        ASSERT_NE(nullptr, unlock);
        SendMessageA(GetDlgItem(unlock, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
        SendMessageA(GetDlgItem(unlock, IDC_PASSWORD_RELOCK), BM_SETCHECK, c.relock ? BST_CHECKED : BST_UNCHECKED, 0);
        PostMessageA(unlock, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(sheet, IDC_SECURITY_LOCK)) == Text("secActivate"); }));
        EXPECT_EQ("", Root().ReadText(kTagPassword)) << "unlocked while the sheet is open";

        SetChecked(sheet, IDC_INTERFACE_CONFIRM_DELETE, false);
        PressSheetButton(sheet, PSBTN_OK);
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_TRUE(run.Result());
        EXPECT_EQ(c.passwordAfter ? locked : "", Root().ReadText(kTagPassword));
        EXPECT_EQ(!c.changeKept, Root().ReadBoolean(kTagConfirmDelete, false));
        EXPECT_EQ(c.changeKept ? savesBefore + 1 : savesBefore, app.SaveCount());
    }
}

TEST_F(OptionsSheetTest, ANewPasswordFromTheChangeDialogIsKeptAndSaved) {
    // The change dialog asked for the old password: the new one is the
    // user's change and "Relock Password" must not bring the old one back.
    app.ResetModel();
    Root().SetProperty(kTagPassword, Value::FromText(StoredPasswordForm("quillet", "secret")));
    const int savesBefore = app.SaveCount();
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    ShowSubPage(sheet, kSecurityTab);
    PostMessageA(Control(sheet, IDC_SECURITY_CHANGE), BM_CLICK, 0, 0);
    HWND change = run.WaitForWindow(Text("secChangeTitle"));
    ASSERT_NE(nullptr, change);
    SendMessageA(GetDlgItem(change, IDC_PASSWORD_OLD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
    SendMessageA(GetDlgItem(change, IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
    SendMessageA(GetDlgItem(change, IDC_PASSWORD_CONFIRM), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
    PostMessageA(change, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return Root().ReadText(kTagPassword) == StoredPasswordForm("quillet", "other"); }));

    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(StoredPasswordForm("quillet", "other"), Root().ReadText(kTagPassword));
    EXPECT_TRUE(Root().ReadBoolean(kTagLocked, false));
    EXPECT_EQ(savesBefore + 1, app.SaveCount());
}

TEST_F(OptionsSheetTest, AStoredSoundChoosesItsEntryOrBecomesOne) {
    test_support::ScratchFolder elsewhere;
    const std::string outside = elsewhere.Path() + "\\ding.wav";
    std::ofstream(outside) << "RIFF";
    const struct {
        std::string stored;
        int chosen;
        std::vector<std::string> extra;
    } cases[] = {
        {"ding", 2, {}},
        {folder.Path() + "\\chimes.wav", 1, {}},
        {outside, 4, {outside}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Root().SetProperty(kTagClickSound, Value::FromText(c.stored));
        SheetRun run(Sheet());
        HWND sheet = Open(run);
        ASSERT_NE(nullptr, sheet);
        std::vector<std::string> expected = {Text("opgNoWave"), "chimes", "ding", "tada"};
        expected.insert(expected.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(expected, ComboEntries(Control(sheet, IDC_INTERFACE_SOUND)));
        EXPECT_EQ(c.chosen, SendMessageA(Control(sheet, IDC_INTERFACE_SOUND), CB_GETCURSEL, 0, 0));
        EXPECT_TRUE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_SOUND_PLAY)));
        PressSheetButton(sheet, PSBTN_OK);
        ASSERT_TRUE(run.WaitForEnd());
        // Read back, a bare name means the file in the program folder.
        const std::string kept = c.stored.find('\\') == std::string::npos ? folder.Path() + "\\ding.wav" : c.stored;
        EXPECT_EQ(kept, Root().ReadText(kTagClickSound));
    }
}

TEST_F(OptionsSheetTest, ChoosingASoundPlaysItUnlessTheSettingsAreLocked) {
    for (bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "unlocked");
        DeleteFileA(SoundLog().c_str());
        app.ResetModel();
        if (locked) Root().SetProperty(kTagPassword, Value::FromText(StoredPasswordForm("quillet", "x")));
        SheetRun run(Sheet());
        HWND sheet = Open(run);
        ASSERT_NE(nullptr, sheet);
        ChooseEntry(sheet, IDC_INTERFACE_SOUND, 3);
        EXPECT_TRUE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_SOUND_PLAY)));
        EXPECT_EQ(locked ? "" : folder.Path() + "\\tada.wav\r\n", PlayedSounds());
        ChooseEntry(sheet, IDC_INTERFACE_SOUND, 0);
        EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_SOUND_PLAY)));

        // The play button plays whatever the field names, locked or not.
        DeleteFileA(SoundLog().c_str());
        SendMessageA(Control(sheet, IDC_INTERFACE_SOUND), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("chimes"));
        PostMessageA(Control(sheet, IDC_INTERFACE_SOUND_PLAY), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return PlayedSounds() == folder.Path() + "\\chimes.wav\r\n"; }));
        PressSheetButton(sheet, PSBTN_CANCEL);
        ASSERT_TRUE(run.WaitForEnd());
    }
}

TEST_F(OptionsSheetTest, EveryControlOfTheSubPagesHasItsWhatsThisText) {
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    for (int control : {IDC_INTERFACE_SOUND, IDC_LANGUAGE_LIST, IDC_SECURITY_LOCK}) {
        HWND subPage = SubPageOf(sheet, control);
        SCOPED_TRACE(control);
        const auto* rows = static_cast<const HelpRow*>(GetPropA(subPage, kHelpTableProperty));
        ASSERT_NE(nullptr, rows);
        int listed = 0;
        for (; rows->controlId != 0; ++rows, ++listed) {
            SCOPED_TRACE(rows->key);
            EXPECT_NE(nullptr, GetDlgItem(subPage, rows->controlId));
            EXPECT_TRUE(app.Texts().GetText(rows->key).has_value());
        }
        // Every control with an id of its own has a row.
        int controls = 0;
        for (HWND child = GetWindow(subPage, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (HasHelpId(GetDlgCtrlID(child))) ++controls;
        }
        EXPECT_EQ(controls, listed);
    }
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
}

// The desktop's icon view as the root sees it, recording what it is told.
class FakeDesktop : public DesktopIconsSwitch {
public:
    explicit FakeDesktop(int32_t state) : m_state(state) {}
    int32_t State() const override { return m_state; }
    void SetHidden(bool hidden) override {
        m_state = hidden ? kDesktopIconsHidden : kDesktopIconsShown;
        ++writes;
    }
    int writes = 0;

private:
    int32_t m_state;
};

TEST_F(OptionsSheetTest, HideDesktopShowsTheStateAndIsWrittenOnlyWhileAvailable) {
    const struct {
        int32_t state;
        bool enabled;
        bool checked;
    } cases[] = {
        {kDesktopIconsHidden, true, true},
        {kDesktopIconsShown, true, false},
        {kDesktopIconsUnavailable, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        auto desktop = std::make_shared<FakeDesktop>(c.state);
        Root().SetDesktopIconsSwitch(desktop);
        SheetRun run(Sheet());
        HWND sheet = Open(run);
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(c.enabled, IsWindowEnabled(Control(sheet, IDC_INTERFACE_HIDE_DESKTOP)) != FALSE);
        EXPECT_EQ(c.checked, Checked(sheet, IDC_INTERFACE_HIDE_DESKTOP));
        SetChecked(sheet, IDC_INTERFACE_HIDE_DESKTOP, !c.checked);
        PressSheetButton(sheet, PSBTN_OK);
        ASSERT_TRUE(run.WaitForEnd());
        if (c.enabled) {
            EXPECT_EQ(c.checked ? kDesktopIconsShown : kDesktopIconsHidden, desktop->State());
        } else {
            EXPECT_EQ(0, desktop->writes);
            EXPECT_EQ(kDesktopIconsUnavailable, desktop->State());
        }
    }
}

TEST_F(OptionsSheetTest, AReadOnlyIconSetFileDisablesTheLockAndDiscardsTheChanges) {
    Root().SetProperty(kTagReadOnlyDocument, Value::FromBoolean(true));
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_SECURITY_LOCK)));
    EXPECT_FALSE(IsWindowEnabled(Control(sheet, IDC_SECURITY_CHANGE)));
    SetChecked(sheet, IDC_INTERFACE_CONFIRM_EXIT, false);
    ChooseEntry(sheet, IDC_INTERFACE_CLICK, 1);
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ(0, app.SaveCount());
    EXPECT_TRUE(Root().ReadBoolean(kTagConfirmExit, false));
    EXPECT_EQ(1, Root().ReadInteger(kTagClickMode));
}

TEST_F(OptionsSheetTest, BrowseStartsInTheSoundFolderThenWhereTheLastSoundWasFound) {
    test_support::ScratchFolder elsewhere;
    std::ofstream(elsewhere.Path() + "\\ding.wav") << "RIFF";
    SheetRun run(Sheet());
    HWND sheet = Open(run);
    ASSERT_NE(nullptr, sheet);
    HWND sound = Control(sheet, IDC_INTERFACE_SOUND);
    // A bare name is looked for in the folder the dialog opened in.
    const struct {
        std::string typed;
        std::string chosen;
    } steps[] = {
        {"tada.wav", folder.Path() + "\\tada.wav"},
        {elsewhere.Path() + "\\ding.wav", elsewhere.Path() + "\\ding.wav"},
        {"ding.wav", elsewhere.Path() + "\\ding.wav"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        DeleteFileA(SoundLog().c_str());
        PostMessageA(Control(sheet, IDC_INTERFACE_SOUND_BROWSE), BM_CLICK, 0, 0);
        HWND open = run.WaitForWindow(Text("opgBrowseTitle"));
        ASSERT_NE(nullptr, open);
        HWND name = GetDlgItem(open, 0x480);        // edt1
        if (!name) name = GetDlgItem(open, 0x47C);  // cmb13
        ASSERT_NE(nullptr, name);
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.typed.c_str()));
        PostMessageA(open, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(sound) == step.chosen; })) << TextOf(sound);
        EXPECT_TRUE(IsWindowEnabled(Control(sheet, IDC_INTERFACE_SOUND_PLAY)));
        EXPECT_TRUE(WaitUntil([&] { return PlayedSounds() == step.chosen + "\r\n"; }));
    }
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(elsewhere.Path() + "\\ding.wav", Root().ReadText(kTagClickSound));
}

}  // namespace
}  // namespace quillet
