// End-to-end tests: the real kelvane.exe in a scratch registry, driven as the
// shell and the user drive it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hookshim/tests/hook_test_support.h"
#include "hookshim/tests/hook_test_window.h"
#include "kelvane/app/kelvane_names.h"
#include "kelvane/components/cool_tray_icon_win32.h"
#include "kelvane/hooks/repeat_filter.h"
#include "platform/registry.h"
#include "platform/shortcut.h"
#include "platform/windows_list.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using namespace std::chrono_literals;
using platform::RegistryKey;
using test_support::FakeTaskbar;
using test_support::RunningProgram;
using test_support::VisibleMenus;
using test_support::WaitUntil;

const char* const kTestKey = "Software\\KelvaneTest";
const char* const kCommandsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\RegCommands";
const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";

std::string HelperPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\')) + "\\" + kHookTestWindowExe;
}

std::string WindowText(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM found) {
    if (platform::WindowClassName(child) == "Static" && GetWindowTextLengthA(child) > 0) {
        *reinterpret_cast<std::string*>(found) = WindowText(child);
        return FALSE;
    }
    return TRUE;
}

// The text of a message box: its static control's.
std::string DialogMessage(HWND dialog) {
    std::string message;
    EnumChildWindows(dialog, FindMessageText, reinterpret_cast<LPARAM>(&message));
    return message;
}

class KelvaneProgram : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA(kelvane::kTestRegistryVariable, scratch.RealPath().c_str());
        // Not the first run unless a test wants it: no shortcut, no hint.
        RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey).WriteDword("First Time Run", 0);
    }
    void TearDown() override { SetEnvironmentVariableA(kelvane::kTestRegistryVariable, nullptr); }

    HWND WaitForForm(RunningProgram& program) { return program.WaitForWindow(kelvane::kMainFormClass); }

    void Exit(RunningProgram& program, HWND form) {
        PostMessageA(form, WM_CLOSE, 0, 0);
        // The program waits in Shell_NotifyIcon for the stand-in taskbar: keep dispatching.
        EXPECT_TRUE(WaitUntil([&] { return !program.Running(); })) << "kelvane did not end";
    }

    // A message box of the program, waited for.
    HWND WaitForDialog(RunningProgram& program) {
        HWND dialog = nullptr;
        WaitUntil([&] {
            auto dialogs = test_support::ProcessWindows(program.Id(), "#32770");
            dialog = dialogs.empty() ? nullptr : dialogs.front();
            return dialog && IsWindowVisible(dialog);
        });
        return dialog;
    }

    std::vector<FakeTaskbar::Call> CallsOf(DWORD message) const {
        std::vector<FakeTaskbar::Call> calls;
        for (const auto& call : taskbar.Calls()) {
            if (call.message == message) calls.push_back(call);
        }
        return calls;
    }

    test_support::ScratchRegistry scratch;
    FakeTaskbar taskbar;
};

TEST_F(KelvaneProgram, BothTrayIconsGoUpWithTheirRecordsAndComeDownAtExit) {
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window()) << "another taskbar would get the calls";
    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(IsWindowVisible(form));
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));
    auto added = CallsOf(NIM_ADD);
    EXPECT_EQ(added[0].tip, "Nimbrel Kelvane");
    EXPECT_EQ(added[1].tip, "Nimbrel Finder");
    for (const auto& call : added) {
        EXPECT_EQ(call.id, kelvane::kTrayIconId);
        EXPECT_EQ(call.callback, 2048u);
        EXPECT_EQ(call.flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(platform::WindowClassName(call.owner), kelvane::kTrayIconWindowClass);
    }
    EXPECT_NE(added[0].owner, added[1].owner);

    // Wine never broadcasts "TaskbarCreated"; a restarted shell would.
    size_t before = taskbar.Calls().size();
    PostMessageA(form, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return taskbar.Calls().size() == before + 4; }));
    std::vector<DWORD> readded;
    for (size_t i = before; i < taskbar.Calls().size(); ++i) readded.push_back(taskbar.Calls()[i].message);
    EXPECT_EQ(readded, (std::vector<DWORD>{NIM_DELETE, NIM_DELETE, NIM_ADD, NIM_ADD}));

    Exit(kelvane, form);
    auto removed = CallsOf(NIM_DELETE);
    ASSERT_EQ(removed.size(), 4u);
    EXPECT_EQ(RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey).Read("First Time Run")->Dword(), 0u);
}

TEST_F(KelvaneProgram, ASecondStartLeavesOneInstanceWhichPutsItsIconsUpAgain) {
    RunningProgram first(test_support::BinPath("kelvane.exe"));
    HWND form = WaitForForm(first);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));

    auto started = GetTickCount();
    RunningProgram second(test_support::BinPath("kelvane.exe"));
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(first.Running());
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 4; }));
    // The running instance waits about two seconds for the taskbar to settle.
    EXPECT_GE(GetTickCount() - started, 1500u);
    EXPECT_EQ(CallsOf(NIM_DELETE).size(), 2u);
    EXPECT_EQ(test_support::ProcessWindows(second.Id()).size(), 0u);
    Exit(first, form);
}

TEST_F(KelvaneProgram, CheckRunsTheRegistryCommandsAndEndsWithoutATrayIcon) {
    for (const char* check : {"/CHECK", "/check"}) {
        SCOPED_TRACE(check);
        platform::DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
        RegistryKey commands = RegistryKey::Create(HKEY_CURRENT_USER, kCommandsKey);
        commands.WriteString("1", "hkCurrentUser;Software\\KelvaneTest\\(Default);hello;STR");
        commands.WriteString("2", "hkCurrentUser;Software\\KelvaneTest\\Count;42;INT");
        commands.WriteString("3", "hkCurrentUser;Software\\KelvaneTest\\Three;x");

        RunningProgram kelvane(test_support::BinPath("kelvane.exe"), check);
        EXPECT_TRUE(kelvane.WaitForExit().has_value());
        EXPECT_TRUE(taskbar.Calls().empty());
        RegistryKey written = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(written);
        EXPECT_EQ(written.Read("")->Text(), "hello");
        EXPECT_EQ(written.Read("Count")->Dword(), 42u);
        EXPECT_FALSE(written.Read("Three")) << "a three-field command did something";
        // The commands stay for the next run.
        EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, kCommandsKey).Read("1"));
    }
}

TEST_F(KelvaneProgram, CheckRunRunsTheCommandsAndStays) {
    RegistryKey::Create(HKEY_CURRENT_USER, kCommandsKey)
        .WriteString("only", "hkCurrentUser;Software\\KelvaneTest\\Name;value;STR");
    RunningProgram kelvane(test_support::BinPath("kelvane.exe"), "/checkrun");
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));
    EXPECT_EQ(RegistryKey::Open(HKEY_CURRENT_USER, kTestKey).Read("Name")->Text(), "value");
    Exit(kelvane, form);
}

TEST_F(KelvaneProgram, AnIllegalIntegerIsLoggedAndReported) {
    RegistryKey::Create(HKEY_CURRENT_USER, kCommandsKey)
        .WriteString("bad", "hkCurrentUser;Software\\KelvaneTest\\Count;12x;INT");
    std::string log = "C:\\windows\\kelvane.LOG";
    DeleteFileA(log.c_str());

    RunningProgram kelvane(test_support::BinPath("kelvane.exe"), "/CHECK");
    HWND dialog = WaitForDialog(kelvane);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DialogMessage(dialog),
              "Nimbrel Kelvane was given an illegal command. If this problem occurs again, please contact Nimbrel. ");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(kelvane.WaitForExit().has_value());

    std::ifstream file(log, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string line = text.str();
    ASSERT_FALSE(line.empty()) << log;
    // "dd/mm/yy hh:nn:ss " and the text.
    ASSERT_GT(line.size(), 18u);
    EXPECT_EQ(line[2], '/');
    EXPECT_EQ(line[5], '/');
    EXPECT_EQ(line[11], ':');
    EXPECT_EQ(line.substr(18), "Illegal conversion in cParseCommandData: Value=12x; DataType=INT\r\n");
    EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, kTestKey));
    DeleteFileA(log.c_str());
}

TEST_F(KelvaneProgram, AMissingHookLibraryEndsTheProgramAfterItsMessage) {
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey).WriteDword("Add System Menu Commands", 1);
    // kelvane.exe alone in a folder, started from there: neither its own
    // folder nor the current one holds the library.
    test_support::ScratchFolder folder;
    const std::string exe = folder.Path() + "\\kelvane.exe";
    ASSERT_TRUE(CopyFileA(test_support::BinPath("kelvane.exe").c_str(), exe.c_str(), TRUE))
        << test_support::LastErrorText();
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    RunningProgram kelvane(exe);
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(kelvane.Started());

    HWND dialog = WaitForDialog(kelvane);
    ASSERT_NE(dialog, nullptr) << "no message about the missing library";
    EXPECT_EQ(DialogMessage(dialog),
              "Nimbrel Kelvane must terminate. Could not find the required file 'hookshim.Dll' in the path. You may "
              "need to reinstall the application.");
    EXPECT_EQ(WindowText(dialog), "Error");
    EXPECT_TRUE(kelvane.Running()) << "ended before the message was answered";
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(kelvane.WaitForExit(), std::optional<DWORD>(1));
    EXPECT_TRUE(test_support::ProcessWindows(kelvane.Id()).empty());
}

TEST_F(KelvaneProgram, AWindowStickingOutIsMovedBackAndAMaximisedOneIsNot) {
    RunningProgram helperOut(HelperPath(), "sticking-out");
    RunningProgram helperMax(HelperPath(), "maximised");
    HWND out = helperOut.WaitForWindow(kHookTestWindowClass);
    HWND max = helperMax.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(out && max);
    MoveWindow(out, 100, -50, 400, 300, TRUE);
    ShowWindow(max, SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(max) != FALSE; }));
    RECT maxBefore = {};
    GetWindowRect(max, &maxBefore);

    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT rect = {};
    EXPECT_TRUE(WaitUntil([&] {
        GetWindowRect(out, &rect);
        return rect.top == work.top;
    })) << "top "
        << rect.top;
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right - rect.left, 400);

    RECT maxAfter = {};
    GetWindowRect(max, &maxAfter);
    EXPECT_TRUE(IsZoomed(max));
    EXPECT_TRUE(EqualRect(&maxBefore, &maxAfter));
    Exit(kelvane, form);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Lets the program's repeat filter pass, so that the same command counts again.
void OutlastRepeatFilter(DWORD since) {
    ASSERT_TRUE(WaitUntil([since] { return GetTickCount() - since > kelvane::kRepeatWindowMs; }));
}

TEST_F(KelvaneProgram, AHelpersWindowGetsTheThreeCommandsAndEachDoesItsWork) {
    RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteDword("Add System Menu Commands", 1);
    settings.WriteDword("Adjust Frequency", 500);
    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    RunningProgram helperProgram(HelperPath(), "Kelvane commands helper");
    RunningProgram otherProgram(HelperPath(), "Kelvane adjusted helper");
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    HWND other = otherProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper && other);
    using hook_tests::HelperState;
    ASSERT_TRUE(WaitUntil([&] { return (HelperState(helper) & 0x7) == 0x7; })) << "the three commands";

    // Menu choices as the helper's system menu posts them.
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(helper); }));
    OutlastRepeatFilter(GetTickCount());
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsTopmost(helper); }));
    OutlastRepeatFilter(GetTickCount());
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(helper); })) << "left topmost for Exit to undo";

    PostMessageA(helper, WM_SYSCOMMAND, 61402, 0);
    // Once the menu shows the mark, the program has taken the window out.
    PostMessageA(helper, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    ASSERT_TRUE(WaitUntil([&] { return (HelperState(helper) & 0x40) != 0; })) << "Ne&ver Adjust checked";
    SendMessageTimeoutA(helper, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    // Both stick out at the top; the adjuster's run that brings the other
    // one back has passed over the excluded one too.
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(helper, 100, work.top - 50, 320, 200, TRUE);
    MoveWindow(other, 300, work.top - 50, 320, 200, TRUE);
    RECT rect = {};
    EXPECT_TRUE(WaitUntil([&] {
        GetWindowRect(other, &rect);
        return rect.top == work.top;
    })) << "the adjuster never ran";
    GetWindowRect(helper, &rect);
    EXPECT_EQ(rect.top, work.top - 50) << "Ne&ver Adjust window was moved";

    PostMessageA(helper, WM_SYSCOMMAND, 61401, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(helper); }));

    Exit(kelvane, form);
    EXPECT_TRUE(IsWindowVisible(helper)) << "Exit shows hidden windows again";
    EXPECT_FALSE(IsTopmost(helper)) << "Exit undoes Always On Top";
    EXPECT_EQ(HelperState(helper) & 0x7, 0u) << "Exit takes the commands out";
}

TEST_F(KelvaneProgram, TheTrayMenuOpensWithItsQuickCommands) {
    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));
    HWND icon = CallsOf(NIM_ADD)[0].owner;

    PostMessageA(icon, kelvane::kTrayCallbackMessage, kelvane::kTrayIconId, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus().size() == 1; })) << "no menu opened";
    HWND menu = VisibleMenus().front();
    // Settings, then Quick Commands, whose submenu opens to the right.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT}) PostMessageA(menu, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus().size() == 2; })) << "the Quick Commands submenu did not open";
    EXPECT_FALSE(test_support::SaveMenusPicture("kelvane-tray-menu").empty());

    PostMessageA(VisibleMenus().front(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus().size() <= 1; }));
    for (HWND open : VisibleMenus()) PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus().empty(); }));
    EXPECT_TRUE(kelvane.Running());
    Exit(kelvane, form);
}

TEST_F(KelvaneProgram, ShiftHeldAtStartOffersToTurnTheSystemMenuCommandsOff) {
    keybd_event(VK_SHIFT, 0, 0, 0);
    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND dialog = WaitForDialog(kelvane);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_NE(dialog, nullptr) << "no Shift prompt";
    EXPECT_EQ(DialogMessage(dialog), kelvane::kShiftPrompt);
    EXPECT_EQ(WindowText(dialog), "Information");
    EXPECT_TRUE(test_support::WaitUntilDrawn(dialog));
    EXPECT_FALSE(test_support::SaveScreenPicture("kelvane-shift-prompt", dialog).empty());
    PostMessageA(dialog, WM_COMMAND, IDYES, 0);

    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));
    auto stored = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey).Read("Add System Menu Commands");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Dword(), 0u);
    Exit(kelvane, form);
}

TEST_F(KelvaneProgram, TheFirstRunMakesTheStartupShortcutRecordsTheCascadesAndGivesTheHint) {
    RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey, KEY_ALL_ACCESS).DeleteValue("First Time Run");
    // Explorer set not to show full paths: bit 0 of byte 4 clear.
    std::string cabinet(12, '\0');
    cabinet[0] = 12;
    RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState")
        .WriteBinary("Settings", cabinet.data(), cabinet.size());
    char startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
    std::string link = std::string(startup) + "\\Kelvane.lnk";
    DeleteFileA(link.c_str());

    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND dialog = WaitForDialog(kelvane);
    ASSERT_NE(dialog, nullptr) << "no full-path hint";
    EXPECT_EQ(DialogMessage(dialog), kelvane::kFullPathHint);
    EXPECT_EQ(WindowText(dialog), "Nimbrel Kelvane");
    EXPECT_TRUE(test_support::WaitUntilDrawn(dialog));
    EXPECT_FALSE(test_support::SaveScreenPicture("kelvane-full-path-hint", dialog).empty());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND form = WaitForForm(kelvane);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() == 2; }));

    ASSERT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << link;
    CoInitialize(nullptr);
    auto shortcut = platform::ReadShortcut(link);
    CoUninitialize();
    ASSERT_TRUE(shortcut) << link;
    EXPECT_EQ(lstrcmpiA(shortcut->target.c_str(), test_support::BinPath("kelvane.exe").c_str()), 0) << shortcut->target;
    RegistryKey settings = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey);
    for (const char* name : {"CCP Already Exists", "CP Already Exists", "CDU Already Exists"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(settings.Read(name));
        EXPECT_EQ(settings.Read(name)->Dword(), 0u);
    }
    Exit(kelvane, form);
    EXPECT_EQ(settings.Read("First Time Run")->Dword(), 0u);
    DeleteFileA(link.c_str());
}

}  // namespace
