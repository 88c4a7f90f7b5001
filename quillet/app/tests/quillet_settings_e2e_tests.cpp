// End-to-end tests of quillet's settings windows: the real quillet.exe under a
// stand-in taskbar, its options sheet and item property sheets driven from
// this process as a user's clicks and keys would drive them, and what the
// user and the saved document see afterwards.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "quillet/app/tests/quillet_program_fixture.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/pages_resource_ids.h"
#include "quillet/shellext/shell_extension_entries.h"
#include "quillet/shellext/shell_extension_keys_win32.h"
#include "quillet/ui/sheets_resource_ids.h"

namespace {

using namespace quillet_tests;

// The tray command menu without separators, as the arrow keys count it:
// Close, About, Tip, New, Properties; a locked set has no Close and no New.
constexpr int kPropertiesEntry = 4;
constexpr int kLockedPropertiesEntry = 2;

// The options sheet's pages: contents, settings, advanced; and the advanced
// page's tabs.
constexpr int kAdvancedPage = 2;
constexpr int kInterfaceTab = 0;
constexpr int kLanguageTab = 1;
constexpr int kSecurityTab = 2;

// A property sheet's Apply button.
constexpr int kApplyButton = 0x3021;

constexpr uint16_t kGermanLanguage = 7;

using test_support::FindControl;

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Types `text` into an edit field (or a combo box's edit) of another process.
void SetText(HWND edit, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                        &result);
}

// A button pressed as the mouse presses it; posted, for a button that opens a
// modal dialog does not answer until the dialog closes.
void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

bool WaitUntilUsable(HWND control) {
    return WaitUntil([&] { return IsWindowVisible(control) && IsWindowEnabled(control); });
}

// Presses a sheet's OK or Cancel and waits until the sheet is gone.
bool CloseSheet(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    return WaitUntil([&] { return !IsWindow(sheet); });
}

// Shows the page at `index` of a sheet and waits until it holds `control`.
bool SelectPage(HWND sheet, int index, int control) {
    PostMessageA(sheet, PSM_SETCURSEL, index, 0);
    return WaitUntil([&] {
        HWND page = CurrentPage(sheet);
        return page && GetDlgItem(page, control) && IsWindowVisible(page);
    });
}

// Selects a row of a list view in another process with the keys a user
// presses: Home, then Down. The selection is read back by number.
bool SelectRow(HWND list, int row) {
    const auto selected = [list] {
        return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    };
    PostMessageA(list, WM_KEYDOWN, VK_END, 0);
    PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    for (int step = 0; step < row; ++step) PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    if (WaitUntil([&] { return selected() == row; })) return true;
    // A focused row that is not selected takes the selection from Space.
    PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    return WaitUntil([&] { return selected() == row; });
}

// A text of a saved document's root, or of its tray icon at `trayIcon`.
std::string RootText(const std::string& path, quillet::PropertyTag tag, int trayIcon = -1) {
    auto model = LoadModel(path);
    if (!model) return std::string();
    if (trayIcon < 0) return model->Root()->ReadText(tag);
    if (model->Root()->Count() <= static_cast<size_t>(trayIcon)) return std::string();
    return model->Root()->GetChild(trayIcon)->ReadText(tag);
}

// The names of the first tray icon's items in a saved document.
std::vector<std::string> ItemNames(const std::string& path) {
    std::vector<std::string> names;
    auto model = LoadModel(path);
    if (!model || model->Root()->Count() == 0) return names;
    for (const auto& item : model->Root()->GetChild(0)->Children())
        names.push_back(item->ReadText(quillet::kTagName));
    return names;
}

class QuilletSettings : public QuilletProgram {
protected:
    // A visible sheet or dialog of the program, other than `other`, that
    // holds a control with `id` (in its current page, for a sheet).
    HWND WaitForWindowWith(RunningProgram& program, int id, HWND other = nullptr) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND window : test_support::ProcessWindows(program.Id(), "#32770")) {
                if (window == other || !IsWindowVisible(window)) continue;
                HWND page = CurrentPage(window);
                if ((page && GetDlgItem(page, id)) || GetDlgItem(window, id)) {
                    found = window;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    // Properties on the tray command menu: the options sheet, on its
    // contents page.
    HWND OpenOptions(RunningProgram& program, HWND main, bool locked = false) {
        ChooseCommand(main, locked ? kLockedPropertiesEntry : kPropertiesEntry);
        return WaitForWindowWith(program, IDC_CONTENTS_LIST);
    }

    // The options sheet opened from the tray, on the advanced page's sub-page
    // at `tab`, which holds `control`. Null windows where a step failed.
    struct OpenedSubPage {
        HWND options = nullptr;
        HWND page = nullptr;
    };
    OpenedSubPage OpenSubPage(RunningProgram& program, HWND main, int tab, int control, bool locked = false) {
        OpenedSubPage opened;
        opened.options = OpenOptions(program, main, locked);
        if (opened.options) opened.page = ShowSubPage(opened.options, tab, control);
        return opened;
    }

    // Modify on a row of a sheet's contents page: the item's own sheet.
    HWND ModifyRow(RunningProgram& program, HWND sheet, int row) {
        HWND page = CurrentPage(sheet);
        if (!SelectRow(GetDlgItem(page, IDC_CONTENTS_LIST), row)) return nullptr;
        HWND modify = GetDlgItem(page, IDC_CONTENTS_MODIFY);
        if (!WaitUntilUsable(modify)) return nullptr;
        Click(modify);
        return WaitForWindowWith(program, IDC_CONTENTS_LIST, sheet);
    }

    // The advanced page's sub-page at `tab`, reached with the arrow keys on
    // its tabs; the sub-page holds `control`.
    HWND ShowSubPage(HWND options, int tab, int control) {
        if (!SelectPage(options, kAdvancedPage, IDC_ADVANCED_TABS)) return nullptr;
        HWND page = CurrentPage(options);
        HWND tabs = GetDlgItem(page, IDC_ADVANCED_TABS);
        const auto current = [tabs] { return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)); };
        while (current() < tab) {
            const int before = current();
            PostMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
            if (!WaitUntil([&] { return current() > before; })) return nullptr;
        }
        HWND item = FindControl(page, control);
        if (!item || !WaitUntil([&] { return IsWindowVisible(item); })) return nullptr;
        return GetParent(item);
    }
};

TEST_F(QuilletSettings, RenamingATrayIconInItsPropertySheetSavesAtOnceAndChangesTheTip) {
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) { AddFolder(model, "C:\\", "Drive C"); }));
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    HWND options = OpenOptions(quillet, main);
    ASSERT_NE(options, nullptr) << OpenDialogTexts(quillet);
    HWND sheet = ModifyRow(quillet, options, 0);
    ASSERT_NE(sheet, nullptr) << "Modify on the tray icon opened no sheet: " << OpenDialogTexts(quillet);
    ASSERT_TRUE(SelectPage(sheet, 1, IDC_OBJECT_TITLE)) << "no object page after the contents page";
    HWND title = GetDlgItem(CurrentPage(sheet), IDC_OBJECT_TITLE);

    const std::string before = FileStamp(CommonDocument());
    SetText(title, "Work Folders");
    ASSERT_TRUE(CloseSheet(sheet, PSBTN_OK)) << OpenDialogTexts(quillet);
    // Saved while the options are still open.
    ASSERT_TRUE(WaitUntil([&] { return FileStamp(CommonDocument()) != before; })) << OpenDialogTexts(quillet);
    std::string name;
    EXPECT_TRUE(WaitUntil([&] {
        name = RootText(CommonDocument(), quillet::kTagName, 0);
        return name == "Work Folders";
    })) << name;
    EXPECT_EQ(ItemNames(CommonDocument()), std::vector<std::string>{"Drive C"}) << "the items stay";

    ASSERT_TRUE(CloseSheet(options, PSBTN_OK)) << OpenDialogTexts(quillet);
    EXPECT_TRUE(WaitUntil([&] {
        for (const auto& call : CallsOf(NIM_MODIFY))
            if (call.id == quillet::kFirstTrayIconId && call.tip == "Work Folders") return true;
        return false;
    })) << "the tray tip did not change";
    EXPECT_EQ(ItemNames(CommonDocument()), std::vector<std::string>{"Drive C"});
    Exit(quillet, main);
}

TEST_F(QuilletSettings, UpAndDownOnATrayIconsContentsPageReorderItsItemsInTheSavedDocument) {
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) {
                  AddFolder(model, "C:\\", "Alpha");
                  AddFolder(model, "C:\\windows", "Beta");
                  AddFolder(model, "C:\\users", "Gamma");
              }));
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    HWND options = OpenOptions(quillet, main);
    ASSERT_NE(options, nullptr) << OpenDialogTexts(quillet);
    HWND sheet = ModifyRow(quillet, options, 0);
    ASSERT_NE(sheet, nullptr) << OpenDialogTexts(quillet);
    HWND contents = CurrentPage(sheet);
    HWND list = GetDlgItem(contents, IDC_CONTENTS_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);

    struct Move {
        int row;
        int button;
        std::vector<std::string> order;
    };
    const Move moves[] = {
        {0, IDC_CONTENTS_DOWN, {"Beta", "Alpha", "Gamma"}},
        {2, IDC_CONTENTS_UP, {"Beta", "Gamma", "Alpha"}},
        {1, IDC_CONTENTS_UP, {"Gamma", "Beta", "Alpha"}},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(std::to_string(move.row) + (move.button == IDC_CONTENTS_UP ? " up" : " down"));
        ASSERT_TRUE(SelectRow(list, move.row));
        HWND button = GetDlgItem(contents, move.button);
        ASSERT_TRUE(WaitUntilUsable(button));
        const std::string before = FileStamp(CommonDocument());
        Click(button);
        ASSERT_TRUE(WaitUntil([&] { return FileStamp(CommonDocument()) != before; })) << "not saved at once";
        std::vector<std::string> names;
        EXPECT_TRUE(WaitUntil([&] {
            names = ItemNames(CommonDocument());
            return names == move.order;
        })) << testing::PrintToString(names);
        const int moved = move.row + (move.button == IDC_CONTENTS_UP ? -1 : 1);
        EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), moved)
            << "the selection follows the moved item";
    }
    ASSERT_TRUE(CloseSheet(sheet, PSBTN_OK)) << OpenDialogTexts(quillet);
    ASSERT_TRUE(CloseSheet(options, PSBTN_OK)) << OpenDialogTexts(quillet);
    EXPECT_EQ(ItemNames(CommonDocument()), (std::vector<std::string>{"Gamma", "Beta", "Alpha"}));

    // The next start reads the new order back.
    Exit(quillet, main);
    RunningProgram again(Exe());
    main = StartAndWaitForIcons(again, CallsOf(NIM_ADD).size() + 1);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ItemNames(CommonDocument()), (std::vector<std::string>{"Gamma", "Beta", "Alpha"}));
    Exit(again, main);
}

TEST_F(QuilletSettings, APasswordLocksTheSettingsAndOnlyTheRightOneUnlocksThem) {
    WriteFile(CommonDocument(), DocumentBytes());
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);

    // Lock: the password and its confirmation.
    OpenedSubPage opened = OpenSubPage(quillet, main, kSecurityTab, IDC_SECURITY_LOCK);
    ASSERT_NE(opened.page, nullptr) << OpenDialogTexts(quillet);
    HWND options = opened.options;
    HWND security = opened.page;
    HWND lock = GetDlgItem(security, IDC_SECURITY_LOCK);
    EXPECT_EQ(WindowText(lock), "&Lock Settings...");
    Click(lock);
    HWND dialog = WaitForWindowWith(quillet, IDC_PASSWORD_CONFIRM, options);
    ASSERT_NE(dialog, nullptr) << OpenDialogTexts(quillet);
    SetText(GetDlgItem(dialog, IDC_PASSWORD), "open sesame");
    SetText(GetDlgItem(dialog, IDC_PASSWORD_CONFIRM), "open sesame");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << OpenDialogTexts(quillet);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(lock) == "&Unlock Settings..."; })) << WindowText(lock);
    std::string before = FileStamp(CommonDocument());
    ASSERT_TRUE(CloseSheet(options, PSBTN_OK)) << OpenDialogTexts(quillet);
    ASSERT_TRUE(WaitUntil([&] { return FileStamp(CommonDocument()) != before; })) << "the lock was not saved";
    std::string stored;
    EXPECT_TRUE(WaitUntil([&] {
        stored = RootText(CommonDocument(), quillet::kTagPassword);
        return std::regex_match(stored, std::regex("quillet[0-7]{11}"));
    })) << stored;
    EXPECT_EQ(ReadFile(CommonDocument()).find("open sesame"), std::string::npos) << "the password itself was saved";
    const std::string locked = ReadFile(CommonDocument());

    // Unlock: a wrong password is refused and cleared, the right one taken.
    opened = OpenSubPage(quillet, main, kSecurityTab, IDC_SECURITY_LOCK, true);
    ASSERT_NE(opened.page, nullptr) << OpenDialogTexts(quillet);
    options = opened.options;
    security = opened.page;
    lock = GetDlgItem(security, IDC_SECURITY_LOCK);
    EXPECT_EQ(WindowText(lock), "&Unlock Settings...");
    Click(lock);
    dialog = WaitForWindowWith(quillet, IDC_PASSWORD_RELOCK, options);
    ASSERT_NE(dialog, nullptr) << OpenDialogTexts(quillet);
    HWND password = GetDlgItem(dialog, IDC_PASSWORD);
    SetText(password, "open sesame!");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND refusal = WaitForDialog(quillet, "The password is not correct.");
    ASSERT_NE(refusal, nullptr) << OpenDialogTexts(quillet);
    PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal); }));
    EXPECT_TRUE(IsWindow(dialog)) << "a wrong password closed the prompt";
    EXPECT_TRUE(WaitUntil([&] { return WindowText(password).empty(); })) << "the wrong password stayed";
    SetText(password, "open sesame");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << OpenDialogTexts(quillet);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(lock) == "&Lock Settings..."; })) << WindowText(lock);
    ASSERT_TRUE(CloseSheet(options, PSBTN_CANCEL)) << OpenDialogTexts(quillet);
    EXPECT_EQ(ReadFile(CommonDocument()), locked) << "a cancelled unlock changed the document";
    Exit(quillet, main);
}

TEST_F(QuilletSettings, CancelAfterApplyPutsTheConfirmationAndTheClickSoundBack) {
    const std::string original = DocumentBytes([](ObjectModel& model) { AddFolder(model, "C:\\", "Drive C"); });
    WriteFile(CommonDocument(), original);
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    OpenedSubPage opened = OpenSubPage(quillet, main, kInterfaceTab, IDC_INTERFACE_CONFIRM_EXIT);
    ASSERT_NE(opened.page, nullptr) << OpenDialogTexts(quillet);
    HWND options = opened.options;
    HWND ui = opened.page;

    HWND confirm = GetDlgItem(ui, IDC_INTERFACE_CONFIRM_EXIT);
    ASSERT_EQ(SendMessageA(confirm, BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(confirm);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(confirm, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    HWND sound = GetDlgItem(ui, IDC_INTERFACE_SOUND);
    SetText(sound, "C:\\windows\\media\\click.wav");
    PostMessageA(ui, WM_COMMAND, MAKEWPARAM(IDC_INTERFACE_SOUND, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(sound));

    // Apply takes the changes, Cancel takes them back.
    HWND apply = GetDlgItem(options, kApplyButton);
    ASSERT_TRUE(WaitUntilUsable(apply)) << "the changes did not enable Apply";
    PostMessageA(options, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(apply); })) << "Apply did not run";
    ASSERT_TRUE(CloseSheet(options, PSBTN_CANCEL)) << OpenDialogTexts(quillet);
    EXPECT_EQ(ReadFile(CommonDocument()), original);

    ChooseFirstCommand(main);
    HWND question = WaitForDialog(quillet, "Do you really want to close Quillet?");
    ASSERT_NE(question, nullptr) << "Close no longer asks";
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);  // No
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_TRUE(quillet.Running());

    // The options open again as they were.
    opened = OpenSubPage(quillet, main, kInterfaceTab, IDC_INTERFACE_CONFIRM_EXIT);
    ASSERT_NE(opened.page, nullptr) << OpenDialogTexts(quillet);
    options = opened.options;
    ui = opened.page;
    EXPECT_EQ(SendMessageA(GetDlgItem(ui, IDC_INTERFACE_CONFIRM_EXIT), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(WindowText(GetDlgItem(ui, IDC_INTERFACE_SOUND)), "C:\\windows\\media\\click.wav");
    ASSERT_TRUE(CloseSheet(options, PSBTN_CANCEL)) << OpenDialogTexts(quillet);
    EXPECT_EQ(ReadFile(CommonDocument()), original);
    Exit(quillet, main);
}

TEST_F(QuilletSettings, ALanguageChosenInTheOptionsSpeaksInTheNextDialogWithoutARestart) {
    WriteFile(CommonDocument(), DocumentBytes());
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    OpenedSubPage opened = OpenSubPage(quillet, main, kLanguageTab, IDC_LANGUAGE_LIST);
    ASSERT_NE(opened.page, nullptr) << OpenDialogTexts(quillet);
    HWND options = opened.options;
    HWND language = opened.page;
    HWND list = GetDlgItem(language, IDC_LANGUAGE_LIST);
    int german = -1;
    const int rows = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        if (SendMessageA(list, LB_GETITEMDATA, row, 0) == kGermanLanguage) german = row;
    ASSERT_GE(german, 0) << "German is not offered among " << rows << " languages";
    SendMessageA(list, LB_SETCURSEL, german, 0);
    PostMessageA(language, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(WaitUntilUsable(GetDlgItem(options, kApplyButton))) << "the choice did not count as a change";
    ASSERT_TRUE(CloseSheet(options, PSBTN_OK)) << OpenDialogTexts(quillet);

    ChooseFirstCommand(main);
    HWND question = WaitForDialog(quillet, "wirklich beenden?");
    ASSERT_NE(question, nullptr) << "the close question is not German: " << OpenDialogTexts(quillet);
    EXPECT_EQ(DialogTexts(question).find("Do you really want"), std::string::npos);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);  // No
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_TRUE(quillet.Running());
    Exit(quillet, main);
}

// Every "Add to Tray" key below the classes, machine-wide and per user.
void DeleteShellExtensionKeys() {
    std::vector<std::string> paths = {quillet::ShellExtensionClassKeyPath()};
    for (const char* fileClass : quillet::kHandlerFileClasses) paths.push_back(quillet::HandlerKeyPath(fileClass));
    for (const std::string& path : paths) {
        platform::DeleteKeyTree(HKEY_CLASSES_ROOT, path);
        platform::DeleteKeyTree(HKEY_CURRENT_USER, std::string(quillet::kUserClassesPath) + "\\" + path);
    }
}

TEST_F(QuilletSettings, AStartOnACleanRegistryRegistersTheAddToTrayCommandWithoutAnEnabledValue) {
    DeleteShellExtensionKeys();
    platform::scope_exit cleanup([] { DeleteShellExtensionKeys(); });
    WriteFile(CommonDocument(), DocumentBytes());
    const std::string library = install.Path() + "\\quilletctx.dll";
    ASSERT_TRUE(CopyFileA(test_support::BinPath("quilletctx.dll").c_str(), library.c_str(), FALSE))
        << test_support::LastErrorText();
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);

    // The entries as registration lists them, read where the program wrote
    // them: the machine-wide keys, or the current user's where refused.
    quillet::ShellExtensionFacts facts;
    facts.menuText = "Add to Tray";
    facts.libraryPath = "library";
    facts.programPath = Exe();
    facts.windowClass = kMainWindowClass;
    const auto entries = quillet::ShellExtensionEntries(facts);
    // The class key's two and its server's one, three in each handler key,
    // the approval.
    EXPECT_EQ(entries.size(), 10u);
    for (const quillet::RegistryEntry& entry : entries) {
        SCOPED_TRACE(entry.keyPath + " " + entry.valueName);
        std::optional<std::string> text;
        if (entry.root == quillet::EntryRoot::Classes) {
            text = quillet::ReadText(quillet::OpenClassesKey(entry.keyPath), entry.valueName);
        } else {
            for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
                if (!text) text = quillet::ReadText(RegistryKey::Open(root, entry.keyPath), entry.valueName);
            }
        }
        ASSERT_TRUE(text.has_value()) << "not written";
        if (entry.valueName == quillet::kAppPathValueName || entry.valueName == quillet::kWindowClassValueName ||
            entry.valueName == quillet::kThreadingModelValueName || entry.root == quillet::EntryRoot::LocalMachine) {
            EXPECT_EQ(*text, entry.text);
        } else if (entry.keyPath == quillet::ShellExtensionServerKeyPath()) {
            char longPath[MAX_PATH] = {};
            GetLongPathNameA(text->c_str(), longPath, MAX_PATH);
            EXPECT_EQ(longPath, library) << "the handler library beside the program: " << *text;
        } else {
            EXPECT_FALSE(text->empty());
        }
    }
    for (const char* fileClass : quillet::kHandlerFileClasses) {
        auto key = quillet::OpenClassesKey(quillet::HandlerKeyPath(fileClass));
        ASSERT_TRUE(key) << fileClass;
        EXPECT_FALSE(key.Read(quillet::kEnabledValueName).has_value()) << fileClass << " holds \"Enabled\"";
    }
    Exit(quillet, main);
}

}  // namespace
