// End-to-end tests: the real setup.exe installs from a scratch distribution
// folder into the sandbox, answered through its dialogs as a user would.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "platform/error_text.h"
#include "platform/shortcut.h"
#include "setup/common/product_names.h"
#include "setup/resource.h"
#include "setup/tests/stowdesk_test_fixture.h"

namespace stowdesk_tests {
namespace {

using namespace std::chrono_literals;
using test_support::RunningProgram;
using test_support::WaitUntil;

using stowdesk::kProductKey;
using stowdesk::kUninstallKey;

std::string EditText(HWND dialog) {
    char text[512] = {};
    SendDlgItemMessageA(dialog, IDC_INSTALL_PATH, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetEditText(HWND dialog, const std::string& text) {
    SendDlgItemMessageA(dialog, IDC_INSTALL_PATH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

class SetupTest : public StowdeskSandbox {
protected:
    void SetUp() override {
        StowdeskSandbox::SetUp();
        m_dist = MakeDistribution();
    }

    // Starts setup and waits for dialog 101.
    HWND StartSetup() {
        m_setup.emplace(m_dist + "\\setup.exe");
        EXPECT_TRUE(m_setup->Started()) << test_support::LastErrorText();
        HWND dialog = WaitForDialog(m_setup->Id(), IDC_INSTALL_PATH);
        EXPECT_NE(dialog, nullptr) << "dialog 101 did not appear";
        return dialog;
    }

    // Fills in the path and options and presses OK.
    void Confirm(HWND dialog, const std::string& path, bool startAfterSetup) {
        SetEditText(dialog, path);
        SendDlgItemMessageA(dialog, IDC_START_AFTER_SETUP, BM_SETCHECK, startAfterSetup ? BST_CHECKED : BST_UNCHECKED,
                            0);
        Press(dialog, IDOK);
    }

    void AnswerSuccess() {
        HWND box = WaitForMessageBox(m_setup->Id(), "has been installed successfully.");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "KORB Stowdesk has been installed successfully.");
        ASSERT_TRUE(Answer(box, IDOK));
    }

    // Installs into a folder whose sd_dll.dll is held open, with the stand-in
    // taskbar running, and returns Explorer's question.
    HWND InstallOverLockedLibrary(const std::string& install, platform::unique_hfile& lock);

    std::string m_dist;
    std::optional<RunningProgram> m_setup;
};

TEST_F(SetupTest, InstallsIntoANewDeepFolderWithTheWholeRegistryTableAndShortcuts) {
    // An earlier release, its leftovers and an old shortcut.
    SetText("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORB Stowdesk 2.0", "UninstallString",
            m_dist + "\\sd.exe /uninstall 2.0");
    SetText("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "AutoSDT", "C:\\old\\AutoSDT.exe");
    WriteWholeFile(ShellFolder("Desktop") + "\\KORB Stowdesk 98.lnk", "old");
    WriteWholeFile(ShellFolder("Startup") + "\\KORB Stowdesk 98.lnk", "old");

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(EditText(dialog), "C:\\Program Files\\KORB Stowdesk") << "a fresh install proposes program files";
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_START_MENU_SHORTCUT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_START_AFTER_SETUP), BST_CHECKED);
    char startText[128] = {};
    GetDlgItemTextA(dialog, IDC_START_AFTER_SETUP, startText, sizeof startText);
    EXPECT_STREQ(startText, "&Start KORB Stowdesk after Setup is Complete");
    EXPECT_NE(Picture("setup-dialog-101", dialog), "");

    const std::string install = Scratch() + "\\Apps\\KORB Software\\Stowdesk";
    Confirm(dialog, install + "\\", false);
    AnswerSuccess();
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));

    // Every level was created; every file but setup.exe and other/ copied.
    for (const char* name :
         {"sd.exe", "SDtray.exe", "Quick.exe", "sd_dll.dll", "gnoop.wav", "shhhuh.wav", "tki-tko.wav", "uninstall.exe",
          "images\\layout_saved.bmp", "images\\layout_restored.bmp"}) {
        EXPECT_TRUE(FileExists(install + "\\" + name)) << name;
    }
    EXPECT_FALSE(FileExists(install + "\\setup.exe"));
    EXPECT_FALSE(FolderExists(install + "\\other"));

    // The registry table, as the programs see it.
    struct Entry {
        const char* root;
        std::string key;
        const char* name;
        std::string data;
    };
    const std::string sd = "\"" + install + "\\sd.exe\"";
    const Entry table[] = {
        {"HKLM", kProductKey, "InstallPath", install},
        {"HKLM", kUninstallKey, "DisplayName", "KORB Stowdesk"},
        {"HKLM", kUninstallKey, "UninstallString", install + "\\uninstall.exe"},
        {"HKCU", kProductKey, "PathToAutoSD", ShellFolder("AppData") + "\\SDAutoSave"},
        {"HKCR", ".sd", "", "KorbStowdesk"},
        {"HKCR", ".sd\\ShellNew", "NullFile", ""},
        {"HKCR", ".sd\\ShellNew", "command", "\"%1\""},
        {"HKCR", "KorbStowdesk", "", "Stowdesk"},
        {"HKCR", "KorbStowdesk\\DefaultIcon", "", install + "\\sd.exe,0"},
        {"HKCR", "KorbStowdesk\\Shell", "", "open"},
        {"HKCR", "KorbStowdesk\\Shell\\open", "", "S&ave Layout"},
        {"HKCR", "KorbStowdesk\\Shell\\open\\command", "", sd + " /s \"%1\""},
        {"HKCR", "KorbStowdesk\\Shell\\qRestore_Layout", "", "R&estore Layout"},
        {"HKCR", "KorbStowdesk\\Shell\\qRestore_Layout\\command", "", sd + " /r \"%1\""},
        {"HKCR", "KorbStowdesk\\Shell\\uOptions", "", "SD &Help"},
        {"HKCR", "KorbStowdesk\\Shell\\uOptions\\command", "", sd + " /? \"%1\""},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk", "", "KORB Stowdesk"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\SD Help", "", "SD Help"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\SD Help\\.Current", "", install + "\\shhhuh.wav"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\SD Help\\.Default", "", install + "\\shhhuh.wav"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Stowdesk", "", "Stowdesk"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Stowdesk\\.Current", "", install + "\\tki-tko.wav"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Stowdesk\\.Default", "", install + "\\tki-tko.wav"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Restore Layout", "", "Restore Layout"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Restore Layout\\.Current", "", install + "\\gnoop.wav"},
        {"HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Restore Layout\\.Default", "", install + "\\gnoop.wav"},
    };
    for (const Entry& entry : table) {
        SCOPED_TRACE(std::string(entry.root) + "\\" + entry.key + " : " + entry.name);
        EXPECT_EQ(Text(entry.root, entry.key, entry.name), std::optional<std::string>(entry.data));
    }
    EXPECT_FALSE(Text("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "AutoSDT").has_value());
    EXPECT_TRUE(Text("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Other").has_value());
    EXPECT_TRUE(FolderExists(ShellFolder("AppData") + "\\SDAutoSave"));

    // The earlier release's uninstaller was started with its parameters.
    EXPECT_TRUE(WaitUntil([&] { return !LogLines(Log(), "sd started [/uninstall 2.0]").empty(); })) << Log();

    // Old shortcuts gone, new ones made through the shell-link object.
    EXPECT_FALSE(FileExists(ShellFolder("Desktop") + "\\KORB Stowdesk 98.lnk"));
    EXPECT_FALSE(FileExists(ShellFolder("Startup") + "\\KORB Stowdesk 98.lnk"));
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    struct Link {
        const char* name;
        const char* target;
    } links[] = {{"KORB Stowdesk.lnk", "SDtray.exe"}, {"KORB QuickStart.lnk", "Quick.exe"}};
    for (const Link& link : links) {
        SCOPED_TRACE(link.name);
        const std::string path = ShellFolder("Start Menu") + "\\" + link.name;
        auto fields = platform::ReadShortcut(path);
        ASSERT_TRUE(fields.has_value());
        // Wine reads the show command back as normal whatever the file holds:
        // the file's header says it at offset 0x3C.
        const std::string bytes = ReadWholeFile(path);
        ASSERT_GE(bytes.size(), 0x40u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0x3C]), SW_SHOWNORMAL);
        EXPECT_TRUE(EqualPaths(fields->target, install + "\\" + link.target)) << fields->target;
        EXPECT_EQ(fields->arguments, "");
        EXPECT_TRUE(EqualPaths(fields->workingFolder, install)) << fields->workingFolder;
        EXPECT_EQ(fields->hotkey, 0);
    }
    CoUninitialize();
}

TEST_F(SetupTest, ReinstallKeepsTheUsersSoundsAndAutoSaveFolderAndStartsTheProduct) {
    const std::string install = Scratch() + "\\Stowdesk";
    const std::string autoSave = Scratch() + "\\My Layouts";
    CreateDirectoryA(install.c_str(), nullptr);
    CreateDirectoryA(autoSave.c_str(), nullptr);
    SetText("HKLM", kProductKey, "InstallPath", install);
    SetText("HKCU", kProductKey, "PathToAutoSD", autoSave);
    const std::string apps = "AppEvents\\Schemes\\Apps\\KORB Stowdesk";
    SetText("HKCU", apps + "\\Stowdesk\\.Current", "", "C:\\Media\\my own.wav");
    SetText("HKCU", apps + "\\SD Help\\.Current", "", "");
    SetText("HKCU", apps + "\\Restore Layout\\.Current", "", "x");

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(EditText(dialog), install) << "the registered path is proposed as it stands";
    SendDlgItemMessageA(dialog, IDC_START_MENU_SHORTCUT, BM_SETCHECK, BST_UNCHECKED, 0);
    Press(dialog, IDOK);
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));

    EXPECT_EQ(Text("HKCU", apps + "\\Stowdesk\\.Current"), std::optional<std::string>("C:\\Media\\my own.wav"));
    // A missing ".Default" takes what ".Current" got.
    EXPECT_EQ(Text("HKCU", apps + "\\Stowdesk\\.Default"), std::optional<std::string>("C:\\Media\\my own.wav"));
    EXPECT_EQ(Text("HKCU", apps + "\\SD Help\\.Current"), std::optional<std::string>(install + "\\shhhuh.wav"));
    EXPECT_EQ(Text("HKCU", apps + "\\Restore Layout\\.Current"), std::optional<std::string>(install + "\\gnoop.wav"));
    EXPECT_EQ(Text("HKCU", kProductKey, "PathToAutoSD"), std::optional<std::string>(autoSave));
    EXPECT_FALSE(FolderExists(ShellFolder("AppData") + "\\SDAutoSave"));
    // Only the quick-start shortcut, which is always made.
    EXPECT_FALSE(FileExists(ShellFolder("Start Menu") + "\\KORB Stowdesk.lnk"));
    EXPECT_TRUE(FileExists(ShellFolder("Start Menu") + "\\KORB QuickStart.lnk"));

    // Started after setup, from the install folder, Quick.exe with "/s".
    EXPECT_TRUE(WaitUntil([&] {
        return !LogLines(Log(), "Quick started [/s]").empty() && !LogLines(Log(), "SDtray started []").empty();
    })) << Log();
}

TEST_F(SetupTest, CancelAsksFirstAndThenEndsWithNothingInstalled) {
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    const std::string install = Scratch() + "\\Never";
    SetEditText(dialog, install);

    Press(dialog, IDCANCEL);
    HWND question = WaitForMessageBox(m_setup->Id(), "Setup will be stopped.");
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(Answer(question, IDCANCEL));
    EXPECT_TRUE(IsWindow(dialog)) << "Cancel in the question keeps the dialog";

    Press(dialog, IDCANCEL);
    question = WaitForMessageBox(m_setup->Id(), "Setup will be stopped.");
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(Answer(question, IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(0));

    EXPECT_FALSE(FolderExists(install));
    EXPECT_FALSE(Text("HKLM", kProductKey, "InstallPath").has_value());
    EXPECT_FALSE(HasKey("HKLM", kUninstallKey));
    EXPECT_FALSE(HasKey("HKCR", ".sd"));
    EXPECT_FALSE(HasKey("HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk"));
    EXPECT_FALSE(HasKey("HKCU", kProductKey));
    EXPECT_FALSE(FileExists(ShellFolder("Start Menu") + "\\KORB QuickStart.lnk"));
}

TEST_F(SetupTest, AProductKeyThatCannotBeCreatedIsReportedEachTimeAndTheRestIsInstalled) {
    // Below a volatile maker's key the product's lasting key cannot be
    // created, as in a registry the user may not write to.
    platform::unique_hkey maker;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SandboxKey("HKLM", stowdesk::kMakerKey).c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, maker.put(), nullptr),
              ERROR_SUCCESS);
    const std::string why = "\r\n\r\n" + platform::SystemErrorText(ERROR_CHILD_MUST_BE_VOLATILE);
    const std::string reading = "Error querying SZ value from registry. Cannot create key.";
    const std::string writing = "Error writing SZ value to registry. Cannot open key.";
    auto expectMessage = [&](const std::string& text) {
        HWND box = WaitForMessageBox(m_setup->Id(), text);
        ASSERT_NE(box, nullptr) << text;
        EXPECT_EQ(MessageBoxText(box), text + why);
        ASSERT_TRUE(Answer(box, IDOK));
    };

    // Reading the proposal, writing the path, and reading it back for each
    // shortcut, which is then skipped.
    m_setup.emplace(m_dist + "\\setup.exe");
    ASSERT_TRUE(m_setup->Started());
    expectMessage(reading);
    HWND dialog = WaitForDialog(m_setup->Id(), IDC_INSTALL_PATH);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(EditText(dialog), "C:\\Program Files\\KORB Stowdesk");
    const std::string install = Scratch() + "\\Stowdesk";
    Confirm(dialog, install, false);
    expectMessage(writing);
    expectMessage(reading);
    expectMessage(reading);
    AnswerSuccess();
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));

    EXPECT_FALSE(HasKey("HKLM", kProductKey));
    EXPECT_TRUE(FileExists(install + "\\sd.exe"));
    EXPECT_EQ(Text("HKLM", kUninstallKey, "UninstallString"), std::optional<std::string>(install + "\\uninstall.exe"));
    EXPECT_TRUE(HasKey("HKCR", "KorbStowdesk\\Shell\\open\\command"));
    EXPECT_FALSE(FileExists(ShellFolder("Start Menu") + "\\KORB Stowdesk.lnk"));
    EXPECT_FALSE(FileExists(ShellFolder("Start Menu") + "\\KORB QuickStart.lnk"));
}

TEST_F(SetupTest, PathsThatCannotBeUsedAreRefusedAndTheDialogStays) {
    // A registered path longer than the edit can hold is not proposed cut short.
    const std::string registered = Scratch() + "\\" + std::string(300, 'r');
    SetText("HKLM", kProductKey, "InstallPath", registered);
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(EditText(dialog), "C:\\Program Files\\KORB Stowdesk");
    struct Case {
        std::string path;
        const char* message;
    } cases[] = {
        // Longer than any composed path can take: refused, never cut short.
        {Scratch() + "\\" + std::string(240, 'x'), "The install path is too long."},
        // No drive Q: in the test prefix: its root is never created.
        {"Q:\\KORB Stowdesk", "Cannot create folder."},
        {"", "Cannot create folder."},
        // A drive's root holds everything else too, and a relative path names
        // another folder for each program that reads it back.
        {"C:\\", "Cannot install into 'C:'."},
        {"Stowdesk", "Cannot install into 'Stowdesk'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        SetEditText(dialog, c.path);
        Press(dialog, IDOK);
        HWND box = WaitForMessageBox(m_setup->Id(), c.message);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(Answer(box, IDOK));
        EXPECT_TRUE(IsWindow(dialog));
    }
    EXPECT_FALSE(FolderExists(Scratch() + "\\" + std::string(240, 'x').substr(0, 200)));
    EXPECT_EQ(Text("HKLM", kProductKey, "InstallPath"), std::optional<std::string>(registered)) << "nothing written";
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(Answer(WaitForMessageBox(m_setup->Id(), "Setup will be stopped."), IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(SetupTest, BrowseStartsAtTheTypedFolderAndTakesTheChosenOneAsItIs) {
    // Wine's folder browser finds a folder right below the drive's root but
    // not one inside the user's profile folder.
    const std::string chosen = "C:\\StowdeskBrowse-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr)) << test_support::LastErrorText();
    platform::scope_exit removeChosen([&] { RemoveDirectoryA(chosen.c_str()); });
    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    SetEditText(dialog, chosen);
    Press(dialog, IDC_BROWSE);

    HWND browser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : test_support::ProcessWindows(m_setup->Id(), "#32770")) {
            if (window != dialog && IsWindowVisible(window)) browser = window;
        }
        return browser != nullptr;
    }));
    // The browser fills its folder tree after it has appeared.
    EXPECT_TRUE(WaitUntil([&] {
        HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
        return tree && IsWindowVisible(tree) && SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 1;
    }));
    EXPECT_NE(Picture("setup-folder-browser", browser), "");
    ASSERT_TRUE(Answer(browser, IDOK));
    EXPECT_TRUE(EqualPaths(EditText(dialog), chosen)) << EditText(dialog);
    EXPECT_EQ(EditText(dialog).find("KORB Stowdesk"), std::string::npos);

    Press(dialog, IDCANCEL);
    ASSERT_TRUE(Answer(WaitForMessageBox(m_setup->Id(), "Setup will be stopped."), IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(0));
}

// Holds a file open without sharing, as a running program holds its file.
platform::unique_hfile Lock(const std::string& path) {
    WriteWholeFile(path, "in use");
    return platform::unique_hfile(
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

HWND SetupTest::InstallOverLockedLibrary(const std::string& install, platform::unique_hfile& lock) {
    CreateDirectoryA(install.c_str(), nullptr);
    lock = Lock(install + "\\sd_dll.dll");
    EXPECT_TRUE(lock) << test_support::LastErrorText();
    StartStandinTaskbar();
    StartStandinSystray();
    HWND dialog = StartSetup();
    if (!dialog) return nullptr;
    // Started once setup has closed the product's windows, to receive the
    // notices after Explorer came back.
    StartProductStandins();
    Confirm(dialog, install, false);
    return WaitForMessageBox(m_setup->Id(), "close all Explorer windows");
}

TEST_F(SetupTest, ALockedProgramFileAsksForARestartAndTheCopyGoesOn) {
    const std::string install = Scratch() + "\\Stowdesk";
    CreateDirectoryA(install.c_str(), nullptr);
    auto lock = Lock(install + "\\sd.exe");
    ASSERT_TRUE(lock) << test_support::LastErrorText();

    HWND dialog = StartSetup();
    ASSERT_NE(dialog, nullptr);
    Confirm(dialog, install, false);
    HWND box = WaitForMessageBox(m_setup->Id(), "because the file is in use");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Cannot copy 'sd.exe' because the file is in use.\r\n\r\nPlease restart your computer, then run setup "
              "again.");
    ASSERT_TRUE(Answer(box, IDOK));

    // Not a success: the end says the installation is incomplete.
    box = WaitForMessageBox(m_setup->Id(), "has not been installed completely");
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));
    EXPECT_TRUE(FileExists(install + "\\Quick.exe"));
    EXPECT_TRUE(FileExists(install + "\\uninstall.exe"));
    EXPECT_TRUE(FileExists(install + "\\images\\layout_saved.bmp"));
    lock.reset();
    EXPECT_EQ(ReadWholeFile(install + "\\sd.exe"), "in use");
}

TEST_F(SetupTest, ALockedLibraryClosesExplorerOnOkRetriesAndRestartsIt) {
    const std::string install = Scratch() + "\\Stowdesk";
    platform::unique_hfile lock;
    HWND question = InstallOverLockedLibrary(install, lock);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), "To finish the installation Setup will now close all Explorer windows.");
    EXPECT_NE(Picture("setup-explorer-question", question), "");
    ASSERT_TRUE(Answer(question, IDOK));

    // The folder window's thread was asked to leave its modes and close; the
    // taskbar, which stays when asked, and the tray applet were ended.
    // Explorer lets go of the library and the retries copy it.
    EXPECT_EQ(m_taskbar->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(LogLines(Log(), "explorer.exe ExploreWClass"),
              (std::vector<std::string>{"explorer.exe ExploreWClass cancel mode", "explorer.exe ExploreWClass close"}))
        << Log();
    EXPECT_EQ(LogLines(Log(), "explorer.exe Shell_TrayWnd").size(), 2u) << Log();
    EXPECT_TRUE(LogLines(Log(), "systray.exe SystemTray_Main").empty()) << Log();
    lock.reset();
    HWND success = WaitForMessageBox(m_setup->Id(), "has been installed successfully.");
    ASSERT_NE(success, nullptr);
    EXPECT_NE(Picture("setup-success", success), "");
    ASSERT_TRUE(Answer(success, IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));
    EXPECT_EQ(ReadWholeFile(install + "\\sd_dll.dll"), ReadWholeFile(m_dist + "\\sd_dll.dll"));
    // Explorer was started again from the Windows folder, and the tray
    // applet that had been running with it; the product's programs were told.
    EXPECT_EQ(LogLines(Log(), "explorer.exe started").size(), 2u) << Log();
    EXPECT_NE(StandinTaskbar(), nullptr);
    EXPECT_FALSE(m_systray->Running());
    EXPECT_TRUE(WaitUntil([&] {
        return LogLines(Log(), "systray.exe started").size() == 2 && !LogLines(Log(), "Quick message 0x402").empty() &&
               !LogLines(Log(), "SDtray message 0x403").empty();
    })) << Log();
}

TEST_F(SetupTest, ALockedLibraryIsRetriedEvenWhenExplorerMayNotBeClosed) {
    const std::string install = Scratch() + "\\Stowdesk";
    platform::unique_hfile lock;
    HWND question = InstallOverLockedLibrary(install, lock);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(Answer(question, IDCANCEL));

    // About five seconds of retries, then the message, and the copy goes on.
    HWND box = WaitForMessageBox(m_setup->Id(), "Cannot copy 'sd_dll.dll'", 20s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Cannot copy 'sd_dll.dll'.\r\n\r\nIf the file is in use, please close it and then run setup again.");
    ASSERT_TRUE(Answer(box, IDOK));
    ASSERT_TRUE(Answer(WaitForMessageBox(m_setup->Id(), "has not been installed completely"), IDOK));
    EXPECT_EQ(m_setup->WaitForExit(), std::optional<DWORD>(1));
    EXPECT_TRUE(m_taskbar->Running()) << "Explorer stays when the user said Cancel";
    EXPECT_TRUE(m_systray->Running());
    EXPECT_EQ(LogLines(Log(), "explorer.exe started").size(), 1u);
    EXPECT_EQ(LogLines(Log(), "systray.exe started").size(), 1u);
    EXPECT_TRUE(LogLines(Log(), "Quick message").empty()) << Log();
    EXPECT_TRUE(LogLines(Log(), "SDtray message").empty()) << Log();
    EXPECT_TRUE(FileExists(install + "\\uninstall.exe"));
}

}  // namespace
}  // namespace stowdesk_tests
