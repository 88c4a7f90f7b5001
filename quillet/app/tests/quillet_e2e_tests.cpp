// End-to-end tests: the real quillet.exe, copied with its language libraries
// into a scratch folder, run against a scratch registry and a stand-in
// taskbar, driven through its window messages as the shell and the user
// drive it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/error_text.h"
#include "quillet/app/tests/new_item_wizard_driver.h"
#include "quillet/app/tests/quillet_program_fixture.h"

namespace {

using namespace std::chrono_literals;
using namespace quillet_tests;

// A desktop whose icons were hidden when a document was saved.
class HiddenDesktop : public quillet::DesktopIconsSwitch {
public:
    int32_t State() const override { return quillet::kDesktopIconsHidden; }
    void SetHidden(bool) override {}
};

TEST_F(QuilletProgram, FirstRunBuildsTheDefaultSetAndTheFirstChangeWritesTheUserDocument) {
    RegistryKey::Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion")
        .WriteString("ProgramFilesDir", "C:\\Program Files");
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    auto added = CallsOf(NIM_ADD);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].id, quillet::kFirstTrayIconId);
    EXPECT_EQ(added[0].owner, main);
    EXPECT_EQ(added[0].tip, "Quillet 1.0.0.0") << "a standard tray icon shows the program title";
    EXPECT_EQ(added[0].callback, RegisterWindowMessageA(quillet::kTrayMessageName));
    EXPECT_EQ(added[0].flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_FALSE(FileExists(userDocument)) << "nothing changed, nothing written";
    EXPECT_FALSE(FileExists(CommonDocument()));

    // The first change: a folder handed over becomes an item and is saved.
    test_support::ScratchFolder handed;
    HandOver(main, handed.Path());
    HWND wizard = quillet_tests::WaitForNewItemWizard(quillet.Id());
    ASSERT_NE(wizard, nullptr) << "the hand-over did not open the new-item wizard";
    ASSERT_TRUE(quillet_tests::FinishNewItemWizard(wizard)) << OpenDialogTexts(quillet);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(userDocument); })) << userDocument;
    EXPECT_FALSE(FileExists(CommonDocument())) << "the per-user document is the one written";
    EXPECT_EQ(Log(), "new item: " + handed.Path() + "\r\n");

    auto saved = LoadModel(userDocument);
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->Root()->Count(), 1u);
    auto tray = saved->Root()->GetChild(0);
    std::vector<std::string> items;
    for (const auto& item : tray->Children()) {
        if (item->ClassId() == quillet::kClassColumnSeparator)
            items.push_back("|");
        else if (item->ReadInteger(quillet::kTagFolderSpecial) != quillet::kNoSpecialFolder)
            items.push_back("csidl " + std::to_string(item->ReadInteger(quillet::kTagFolderSpecial)));
        else
            items.push_back(item->ReadText(quillet::kTagPath));
    }
    ASSERT_GE(items.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 6),
              (std::vector<std::string>{"csidl 17", "csidl 3", "csidl 4", "csidl 10", "csidl 6", "csidl 2"}));
    EXPECT_EQ(items[6], "|");
    for (size_t i = 0; i < 6; ++i) {
        quillet::Value name;
        EXPECT_FALSE(tray->GetChild(i)->GetSavedProperty(quillet::kTagName, &name))
            << "special folder " << i << " was saved with a name (" << name.Text() << ") and would keep it";
    }
    EXPECT_NE(std::find(items.begin(), items.end(), "C:\\"), items.end()) << "the fixed drive C:";
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::vector<std::string> tail(items.end() - 5, items.end());
    EXPECT_EQ(tail[0], "|");
    EXPECT_EQ(tail[1], "C:\\Program Files") << "the registry value's folder";
    EXPECT_EQ(tail[2], windows);
    EXPECT_EQ(tail[4], handed.Path());
    EXPECT_EQ(tray->GetChild(tray->Count() - 2)->ReadText(quillet::kTagName), "Temp Directory");
    Exit(quillet, main);
    EXPECT_EQ(CallsOf(NIM_DELETE).size(), 1u);
}

TEST_F(QuilletProgram, ASecondStartBringsTheFirstForwardAndEndsWithoutATrayIcon) {
    RunningProgram first(Exe());
    HWND main = StartAndWaitForIcons(first);
    ASSERT_NE(main, nullptr);
    RunningProgram second(Exe(), "/N C:\\");
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(kExitFailed));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(CallsOf(NIM_ADD).size(), 1u);
    EXPECT_EQ(Log(), "") << "the second start's command line is not passed on";
    Exit(first, main);
}

TEST_F(QuilletProgram, ASlashNPathReachesTheNewItemHandOverAfterTheTrayIconIsUp) {
    WriteFile(CommonDocument(), DocumentBytes());
    test_support::ScratchFolder handed;
    for (const char* slash : {"/N", "-n"}) {
        SCOPED_TRACE(slash);
        DeleteFileA(LogPath().c_str());
        RunningProgram quillet(Exe(), std::string(slash) + " \"" + handed.Path() + "\"");
        HWND main = StartAndWaitForIcons(quillet);
        ASSERT_NE(main, nullptr);
        HWND wizard = quillet_tests::WaitForNewItemWizard(quillet.Id());
        ASSERT_NE(wizard, nullptr);
        EXPECT_EQ(Log(), "new item: " + handed.Path() + "\r\n");
        const std::string before = FileStamp(CommonDocument());
        ASSERT_TRUE(quillet_tests::FinishNewItemWizard(wizard)) << OpenDialogTexts(quillet);
        // The new item is saved in the document the program uses.
        ASSERT_TRUE(WaitUntil([&] { return FileStamp(CommonDocument()) != before; }))
            << "open dialogs: " << OpenDialogTexts(quillet);
        EXPECT_NE(ReadFile(CommonDocument()).find(handed.Path()), std::string::npos);
        Exit(quillet, main);
        WriteFile(CommonDocument(), DocumentBytes());
    }
}

TEST_F(QuilletProgram, WithoutALanguageLibraryTheProgramSaysSoAndEnds) {
    CopyProgram(false);
    RunningProgram quillet(Exe());
    HWND box = WaitForDialog(quillet, "Cannot find any Quillet language files.  Quillet cannot run");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Quillet");
    EXPECT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(kExitFailed));
    EXPECT_TRUE(taskbar.Calls().empty());
}

TEST_F(QuilletProgram, ABrokenDocumentEndsTheProgramBeforeAnyTrayIconAndStaysAsItWas) {
    const std::string broken = "<trayicon><factoryset></trayicon>";
    WriteFile(CommonDocument(), broken);
    RunningProgram quillet(Exe());
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(kExitFailed));
    EXPECT_TRUE(taskbar.Calls().empty());
    EXPECT_EQ(ReadFile(CommonDocument()), broken);
}

TEST_F(QuilletProgram, CloseAsksFirstAndEndsOnlyOnYes) {
    WriteFile(CommonDocument(), DocumentBytes());
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);

    // The command menu as the user sees it, for the gallery; Escape closes it.
    PostMessageA(main, RegisterWindowMessageA(quillet::kTrayMessageName), quillet::kFirstTrayIconId, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([] { return !test_support::VisibleMenus().empty(); }));
    test_support::SaveMenusPicture("quillet-tray-command-menu");
    PostMessageA(test_support::VisibleMenus().front(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([] { return test_support::VisibleMenus().empty(); }));

    ChooseFirstCommand(main);
    HWND question = WaitForDialog(quillet, "Do you really want to close Quillet?");
    ASSERT_NE(question, nullptr);
    // While it is open a tray click brings it forward and opens no menu.
    PostMessageA(main, RegisterWindowMessageA(quillet::kTrayMessageName), quillet::kFirstTrayIconId, WM_LBUTTONDOWN);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);  // the second button: No
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_TRUE(test_support::ProcessWindows(quillet.Id(), "HV:Menu").empty());
    EXPECT_TRUE(quillet.Running());

    ChooseFirstCommand(main);
    question = WaitForDialog(quillet, "Do you really want to close Quillet?");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDOK, 0);  // the first button: Yes
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(CallsOf(NIM_DELETE).size(), 1u);
}

TEST_F(QuilletProgram, WithoutConfirmationCloseEndsAtOnce) {
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) {
                  model.Root()->SetProperty(quillet::kTagConfirmExit, quillet::Value::FromBoolean(false));
              }));
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    ChooseFirstCommand(main);
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(QuilletProgram, AReadOnlyDocumentLoadsLockedAndIsNeverOverwritten) {
    test_support::ScratchFolder handed;
    const std::string original = DocumentBytes([](ObjectModel& model) { AddFolder(model, "C:\\", "Drive C"); });
    WriteFile(CommonDocument(), original);
    ASSERT_TRUE(SetFileAttributesA(CommonDocument().c_str(), FILE_ATTRIBUTE_READONLY));
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);

    // Locked: Close and New are gone, so the first entry is About.
    ChooseFirstCommand(main);
    HWND about = WaitForDialog(quillet, "Quillet tray menus 1.0.0.0");
    ASSERT_NE(about, nullptr) << "the first entry was not About";
    test_support::WaitUntilDrawn(about);
    test_support::SaveScreenPicture("quillet-about-box", about);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

    // A change cannot be saved: the user is told where and why.
    HandOver(main, handed.Path());
    HWND wizard = quillet_tests::WaitForNewItemWizard(quillet.Id());
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(quillet_tests::FinishNewItemWizard(wizard)) << OpenDialogTexts(quillet);
    HWND failure = WaitForDialog(quillet, "Your icons could not be saved to \"" + CommonDocument() + "\".");
    ASSERT_NE(failure, nullptr);
    EXPECT_NE(DialogTexts(failure).find(platform::SystemErrorText(ERROR_ACCESS_DENIED)), std::string::npos)
        << DialogTexts(failure);
    PostMessageA(failure, WM_COMMAND, IDOK, 0);
    Exit(quillet, main);
    EXPECT_EQ(ReadFile(CommonDocument()), original);
    EXPECT_EQ(GetFileAttributesA(CommonDocument().c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST_F(QuilletProgram, ADocumentInAReadOnlyFolderLoadsUnlockedAndTakesChanges) {
    test_support::ScratchFolder handed;
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) { AddFolder(model, "C:\\", "Drive C"); }));
    ASSERT_TRUE(SetFileAttributesA(install.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    HandOver(main, handed.Path());
    HWND wizard = quillet_tests::WaitForNewItemWizard(quillet.Id());
    ASSERT_NE(wizard, nullptr);
    const std::string before = FileStamp(CommonDocument());
    ASSERT_TRUE(quillet_tests::FinishNewItemWizard(wizard)) << OpenDialogTexts(quillet);
    ASSERT_TRUE(WaitUntil([&] { return FileStamp(CommonDocument()) != before; }))
        << "open dialogs: " << OpenDialogTexts(quillet);
    EXPECT_NE(ReadFile(CommonDocument()).find(handed.Path()), std::string::npos);
    auto saved = LoadModel(CommonDocument());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Root()->GetChild(0)->GetChild(0)->ReadText(quillet::kTagName), "Drive C") << "nothing lost";
    // Not locked: the first entry of the command menu is Close.
    ChooseFirstCommand(main);
    HWND question = WaitForDialog(quillet, "Do you really want to close Quillet?");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDOK, 0);  // the first button: Yes
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(0));
    SetFileAttributesA(install.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(QuilletProgram, TheHotkeyOfTheDocumentIsHeldWhileTheProgramRuns) {
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) {
                  model.Root()->SetProperty(quillet::kTagHotkeyMode, quillet::Value::FromInteger(2));
                  model.Root()->SetProperty(quillet::kTagCustomHotkey, quillet::Value::FromInteger(0x0378));
              }));
    auto hotkey = test_support::CreateTestWindow("QuilletHotkeyProbe", {0, 0, 10, 10}, WS_POPUP);
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    // quillet registers the hotkey right after its tray icons are up; once it
    // answers a message, its start-up is through.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer));
    // Ctrl+Alt+F9 is taken: by quillet.
    EXPECT_FALSE(RegisterHotKey(hotkey.get(), 7, MOD_CONTROL | MOD_ALT, VK_F9));
    EXPECT_EQ(GetLastError(), 1409u);
    Exit(quillet, main);
    EXPECT_TRUE(RegisterHotKey(hotkey.get(), 7, MOD_CONTROL | MOD_ALT, VK_F9)) << "not given back at exit";
    UnregisterHotKey(hotkey.get(), 7);
}

TEST_F(QuilletProgram, TheHideDesktopSettingOfTheDocumentHidesTheDesktopView) {
    // Wine has no desktop window: the test's own "Progman" with a
    // "SHELLDLL_DefView" child stands in for it.
    auto desktop = test_support::CreateTestWindow("Progman", {0, 0, 100, 100});
    WNDCLASSA viewClass = {};
    viewClass.lpfnWndProc = DefWindowProcA;
    viewClass.hInstance = GetModuleHandleA(nullptr);
    viewClass.lpszClassName = "SHELLDLL_DefView";
    RegisterClassA(&viewClass);
    platform::unique_hwnd view(CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                               desktop.get(), nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(view) << test_support::LastErrorText();
    // The setting is saved as the desktop was at the time: hidden.
    WriteFile(CommonDocument(), DocumentBytes([](ObjectModel& model) {
                  model.Root()->SetDesktopIconsSwitch(std::make_shared<HiddenDesktop>());
              }));
    ASSERT_NE(ReadFile(CommonDocument()).find("tag=\"9106\" data=\"1\""), std::string::npos);
    RunningProgram quillet(Exe());
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(view.get()); })) << "the desktop view is still shown";
    Exit(quillet, main);
}

TEST_F(QuilletProgram, TheStartUpScreenShowsForAboutTwoSecondsBeforeTheMainWindow) {
    RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).DeleteValue(quillet::kSplashValueName);
    WriteFile(CommonDocument(), DocumentBytes());
    RunningProgram quillet(Exe());
    HWND splash = quillet.WaitForWindow("quillet:Splash");
    ASSERT_NE(splash, nullptr);
    DWORD shown = GetTickCount();
    EXPECT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr) << "the main window waits for the screen";
    RECT rect = {};
    GetWindowRect(splash, &rect);
    EXPECT_EQ(rect.right - rect.left, 360);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 360) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 3);
    // The system drops WS_EX_WINDOWEDGE from a window without a border.
    EXPECT_TRUE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "it has a taskbar button";
    test_support::WaitUntilDrawn(splash);
    test_support::SaveScreenPicture("quillet-startup-screen", splash);
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_GE(GetTickCount() - shown, 1500u) << "the screen closed early";
    Exit(quillet, main);
}

TEST_F(QuilletProgram, AStartUpScreenClosedFromOutsideLetsTheStartGoOn) {
    RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).DeleteValue(quillet::kSplashValueName);
    WriteFile(CommonDocument(), DocumentBytes());
    RunningProgram quillet(Exe());
    HWND splash = quillet.WaitForWindow("quillet:Splash");
    ASSERT_NE(splash, nullptr);
    PostMessageA(splash, WM_CLOSE, 0, 0);
    HWND main = StartAndWaitForIcons(quillet);
    ASSERT_NE(main, nullptr) << "start-up waited for a screen that was gone";
    EXPECT_FALSE(IsWindow(splash));
    Exit(quillet, main);
}

TEST_F(QuilletProgram, TheClickModeDecidesWhichPressOpensTheMenuWindowAndTheHotkeyIsALeftPress) {
    struct Case {
        int32_t clickMode;
        UINT message;  // WM_HOTKEY: the hotkey, else a tray mouse message
        bool opens;
    };
    const Case cases[] = {
        {1, WM_LBUTTONDOWN, true},  {1, WM_LBUTTONDBLCLK, false}, {1, WM_HOTKEY, true},
        {2, WM_LBUTTONDOWN, false}, {2, WM_LBUTTONDBLCLK, true},  {2, WM_HOTKEY, false},
    };
    const UINT trayMessage = RegisterWindowMessageA(quillet::kTrayMessageName);
    RunningProgram* running = nullptr;
    HWND main = nullptr;
    std::unique_ptr<RunningProgram> quillet;
    int32_t startedMode = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.clickMode) + " " + std::to_string(c.message));
        if (c.clickMode != startedMode) {
            if (quillet) Exit(*quillet, main);
            WriteFile(CommonDocument(), DocumentBytes([&](ObjectModel& model) {
                          AddFolder(model, "C:\\", "Drive C");
                          model.Root()->SetProperty(quillet::kTagClickMode, quillet::Value::FromInteger(c.clickMode));
                      }));
            quillet = std::make_unique<RunningProgram>(Exe());
            running = quillet.get();
            main = StartAndWaitForIcons(*running, CallsOf(NIM_ADD).size() + 1);
            ASSERT_NE(main, nullptr);
            startedMode = c.clickMode;
        }
        if (c.message == WM_HOTKEY)
            PostMessageA(main, WM_HOTKEY, quillet::kHotkeyId, 0);
        else
            PostMessageA(main, trayMessage, quillet::kFirstTrayIconId, c.message);
        if (c.opens) {
            HWND menu = running->WaitForWindow("HV:Menu");
            ASSERT_NE(menu, nullptr) << "no menu window";
            EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu); }));
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); })) << "Escape left it open";
            continue;
        }
        // The command menu of a right press comes up only after the message
        // before it was handled: by then no menu window may be open.
        PostMessageA(main, trayMessage, quillet::kFirstTrayIconId, WM_RBUTTONDOWN);
        HWND commands = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            auto menus = test_support::VisibleMenus();
            commands = menus.empty() ? nullptr : menus.front();
            return commands != nullptr;
        }));
        for (HWND window : test_support::ProcessWindows(running->Id(), "HV:Menu"))
            EXPECT_FALSE(IsWindowVisible(window)) << "a menu window opened";
        PostMessageA(commands, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([&] { return test_support::VisibleMenus().empty(); }));
    }
    if (quillet) Exit(*quillet, main);
}

}  // namespace
