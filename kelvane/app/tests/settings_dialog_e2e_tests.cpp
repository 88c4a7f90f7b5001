// End-to-end tests of the settings dialog: the real kelvane.exe in a scratch
// registry, its dialog opened from the tray menu and driven with the
// messages a user's clicks produce.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "hookshim/tests/hook_test_support.h"
#include "hookshim/tests/hook_test_window.h"
#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/settings_dialog_resource.h"
#include "kelvane/components/cool_tray_icon_win32.h"
#include "platform/registry.h"
#include "platform/windows_list.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using platform::RegistryKey;
using test_support::RunningProgram;
using test_support::VisibleMenus;
using test_support::WaitUntil;

const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";

std::string ControlText(HWND control) {
    char text[512] = {};
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

struct FoundControl {
    int id;
    HWND window;
};

BOOL CALLBACK FindControl(HWND child, LPARAM found) {
    auto* wanted = reinterpret_cast<FoundControl*>(found);
    if (GetDlgCtrlID(child) != wanted->id) return TRUE;
    wanted->window = child;
    return FALSE;
}

// A control of the dialog or of one of its pages; the identifiers are unique
// over all of them.
HWND Control(HWND dialog, int id) {
    FoundControl found = {id, nullptr};
    EnumChildWindows(dialog, FindControl, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

bool Checked(HWND dialog, int id) {
    return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ComboIndex(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(Control(dialog, id), CB_GETCURSEL, 0, 0));
}

void Click(HWND dialog, int id) {
    SendMessageA(Control(dialog, id), BM_CLICK, 0, 0);
}

// As a click on a tab does: the tab control tells the dialog.
void SelectPage(HWND dialog, int page) {
    SendMessageA(Control(dialog, IDC_PAGES), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
}

// The track bar moved to `position`, reported as dragging it there does.
void MoveTrackBar(HWND dialog, int position) {
    HWND trackBar = Control(dialog, IDC_ADJUST_FREQUENCY_TB);
    SendMessageA(trackBar, TBM_SETPOS, TRUE, position);
    SendMessageA(GetParent(trackBar), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(trackBar));
}

// An up-down's arrow clicked until it shows `position`.
void SetUpDown(HWND dialog, int id, int position) {
    HWND upDown = Control(dialog, id);
    SendMessageA(upDown, UDM_SETPOS32, 0, position);
    SendMessageA(GetParent(upDown), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(upDown));
}

void ChooseComboItem(HWND dialog, int id, int index) {
    HWND combo = Control(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Every value of the settings key, as raw data, for "nothing was written".
std::map<std::string, std::string> SettingsSnapshot() {
    std::map<std::string, std::string> values;
    RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey);
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        DWORD nameSize = sizeof name;
        BYTE data[1024] = {};
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        values[name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    return values;
}

bool ModuleLoadedIn(DWORD processId, const std::string& moduleName) {
    platform::unique_handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.get(), &module); more; more = Module32Next(snapshot.get(), &module)) {
        if (lstrcmpiA(module.szModule, moduleName.c_str()) == 0) return true;
    }
    return false;
}

std::string StartupShortcut() {
    char startup[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE);
    return std::string(startup) + "\\Kelvane.lnk";
}

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA(kelvane::kTestRegistryVariable, scratch.RealPath().c_str());
        SetEnvironmentVariableA(kelvane::kTestHelpLogVariable, helpLog.c_str());
        DeleteFileA(helpLog.c_str());
        DeleteFileA(StartupShortcut().c_str());
        RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
        settings.WriteDword("First Time Run", 0);
        // The tray menu without the window list: Settings is its first item.
        settings.WriteDword("Merge Finder Menu", 0);
        settings.WriteDword("Add System Menu Commands", 0);
    }
    void TearDown() override {
        if (kelvane && kelvane->Running()) {
            PostMessageA(form, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return !kelvane->Running(); })) << "kelvane did not end";
        }
        kelvane.reset();
        SetEnvironmentVariableA(kelvane::kTestRegistryVariable, nullptr);
        SetEnvironmentVariableA(kelvane::kTestHelpLogVariable, nullptr);
        DeleteFileA(helpLog.c_str());
        DeleteFileA(StartupShortcut().c_str());
    }

    void Start() {
        kelvane = std::make_unique<RunningProgram>(test_support::BinPath("kelvane.exe"));
        form = kelvane->WaitForWindow(kelvane::kMainFormClass);
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return TrayIconOwner() != nullptr; }));
    }

    HWND TrayIconOwner() {
        for (const auto& call : taskbar.Calls()) {
            if (call.message == NIM_ADD && call.tip == kelvane::kKelvaneTrayHint) return call.owner;
        }
        return nullptr;
    }

    std::vector<HWND> SettingsDialogs() {
        std::vector<HWND> dialogs;
        for (HWND dialog : test_support::ProcessWindows(kelvane->Id(), "#32770")) {
            char title[64] = {};
            GetWindowTextA(dialog, title, sizeof title);
            if (IsWindowVisible(dialog) && !(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) &&
                std::string(title) == "Nimbrel Kelvane" && Control(dialog, IDC_PAGES)) {
                dialogs.push_back(dialog);
            }
        }
        return dialogs;
    }

    // Settings chosen from the tray menu, as the user does.
    HWND OpenFromTrayMenu() {
        PostMessageA(TrayIconOwner(), kelvane::kTrayCallbackMessage, kelvane::kTrayIconId, WM_RBUTTONDOWN);
        if (!WaitUntil([] { return VisibleMenus().size() == 1; })) return nullptr;
        HWND menu = VisibleMenus().front();
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        HWND dialog = nullptr;
        WaitUntil([&] {
            auto dialogs = SettingsDialogs();
            dialog = dialogs.empty() ? nullptr : dialogs.front();
            return dialog != nullptr;
        });
        return dialog;
    }

    void Close(HWND dialog, int button) {
        Click(dialog, button);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
    }

    // Where the shell keeps the user's folders, in the scratch registry.
    RegistryKey ShellFolders() {
        return RegistryKey::Create(HKEY_CURRENT_USER,
                                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    }

    RegistryKey Settings() { return RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey); }

    test_support::ScratchRegistry scratch;
    test_support::FakeTaskbar taskbar;
    std::string helpLog = TempFile("kelvane-settings-help.log");
    std::unique_ptr<RunningProgram> kelvane;
    HWND form = nullptr;
};

TEST_F(SettingsDialog, OpensFromTheTrayMenuOnceWithItsFourPagesAndTheirHelp) {
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr) << "Settings did not open the dialog";
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 382);
    EXPECT_EQ(client.bottom, 361);
    RECT place = {};
    GetWindowRect(dialog, &place);
    EXPECT_EQ(place.left, 120);
    EXPECT_EQ(place.top, 120);

    // A second Settings brings the open one forward instead of a new one.
    EXPECT_EQ(OpenFromTrayMenu(), dialog);
    EXPECT_EQ(SettingsDialogs().size(), 1u);

    struct Page {
        const char* picture;
        int control;  // one control on the page
        int helpContext;
        const char* helpPage;
    };
    const Page pages[] = {
        {"kelvane-settings-general", IDC_ADD_SYSTEM_MENU_COMMANDS, 5200, "kelvane-general.html"},
        {"kelvane-settings-adjuster", IDC_ADJUST_FREQUENCY_TB, 5300, "kelvane-adjuster.html"},
        {"kelvane-settings-start-menu", IDC_EMPTY_NOW, 5400, "kelvane-start-menu.html"},
        {"kelvane-settings-about", IDC_VERSION, 5500, "kelvane-about.html"},
    };
    std::string expectedLog;
    for (int index = 0; index < 4; ++index) {
        const Page& page = pages[index];
        SCOPED_TRACE(page.picture);
        SelectPage(dialog, index);
        HWND control = Control(dialog, page.control);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(control) != FALSE; })) << "the page is not shown";
        for (int other = 0; other < 4; ++other) {
            if (other == index) continue;
            EXPECT_FALSE(IsWindowVisible(Control(dialog, pages[other].control))) << "page " << other << " shows too";
        }
        EXPECT_TRUE(test_support::WaitUntilDrawn(dialog));
        EXPECT_FALSE(test_support::SaveScreenPicture(page.picture, dialog).empty());

        Click(dialog, IDC_HELP_BUTTON);
        std::string helpPath = test_support::BinPath(std::string("help\\") + page.helpPage);
        expectedLog += std::to_string(page.helpContext) + " " + helpPath + "\n";
        EXPECT_NE(GetFileAttributesA(helpPath.c_str()), INVALID_FILE_ATTRIBUTES) << helpPath << " is not shipped";
    }
    // The Admin menu's Help asks for the same page as the help button.
    PostMessageA(dialog, WM_COMMAND, IDM_ADMIN_HELP, 0);
    expectedLog += "5500 " + test_support::BinPath("help\\kelvane-about.html") + "\n";
    std::string log;
    EXPECT_TRUE(WaitUntil([&] {
        std::ifstream file(helpLog);
        std::stringstream text;
        text << file.rdbuf();
        log = text.str();
        return log == expectedLog;
    })) << log;

    EXPECT_EQ(ControlText(Control(dialog, IDC_VERSION)), "Version 1.0.0")
        << "ProductVersion 1.0.0.0 loses its last part";
    EXPECT_EQ(ControlText(Control(dialog, IDC_DIAL_UP_NETWORKING)), "Dial-Up Networking (Only for Windows 95)");
    EXPECT_FALSE(IsWindowEnabled(Control(dialog, IDC_DIAL_UP_NETWORKING)));
    Close(dialog, IDCANCEL);
}

TEST_F(SettingsDialog, EachSwitchEnablesItsDependentControls) {
    RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteDword("Add System Menu Commands", 1);
    settings.WriteString("NCL Button DblClk", "nbAlwaysOnTop");
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    HWND combo = Control(dialog, IDC_NCL_BUTTON_DBLCLK);
    EXPECT_EQ(ComboIndex(dialog, IDC_NCL_BUTTON_DBLCLK), 1);
    EXPECT_TRUE(IsWindowEnabled(combo));

    Click(dialog, IDC_ADD_SYSTEM_MENU_COMMANDS);
    EXPECT_EQ(ComboIndex(dialog, IDC_NCL_BUTTON_DBLCLK), 0) << "forced to Maximize/Restore";
    for (int id : {IDC_DO_LABEL, IDC_NCL_BUTTON_DBLCLK, IDC_DBLCLK_LABEL}) {
        EXPECT_FALSE(IsWindowEnabled(Control(dialog, id))) << id;
    }
    Click(dialog, IDC_ADD_SYSTEM_MENU_COMMANDS);
    EXPECT_EQ(ComboIndex(dialog, IDC_NCL_BUTTON_DBLCLK), 1) << "the earlier choice comes back";
    EXPECT_TRUE(IsWindowEnabled(combo));

    SelectPage(dialog, 2);
    const int delayControls[] = {IDC_EMPTY_EVERY_LABEL, IDC_EMPTY_DELAY_EDT, IDC_EMPTY_DELAY_UD, IDC_EMPTY_DELAY_TYPE};
    for (int id : delayControls) EXPECT_FALSE(IsWindowEnabled(Control(dialog, id))) << "emptying is off: " << id;
    EXPECT_TRUE(IsWindowEnabled(Control(dialog, IDC_EMPTY_NOW)));
    Click(dialog, IDC_EMPTY_DOCUMENTS);
    for (int id : delayControls) EXPECT_TRUE(IsWindowEnabled(Control(dialog, id))) << id;

    SelectPage(dialog, 1);
    const int percentControls[] = {IDC_OFFSCREEN_PERCENT_EDT, IDC_OFFSCREEN_PERCENT_UD, IDC_OFFSCREEN_LABEL};
    for (int id : percentControls) EXPECT_TRUE(IsWindowEnabled(Control(dialog, id))) << id;
    Click(dialog, IDC_DONT_ADJUST_IF_OFFSCREEN);
    for (int id : percentControls) EXPECT_FALSE(IsWindowEnabled(Control(dialog, id))) << id;

    // Switched off, the double-click choice stores Maximize/Restore.
    SelectPage(dialog, 0);
    Click(dialog, IDC_ADD_SYSTEM_MENU_COMMANDS);
    Close(dialog, IDOK);
    EXPECT_EQ(Settings().Read("NCL Button DblClk")->Text(), "nbDefault");
    EXPECT_EQ(Settings().Read("Add System Menu Commands")->Dword(), 0u);
}

TEST_F(SettingsDialog, TheTrackBarAtZeroShowsHalfASecondAndStores500) {
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    SelectPage(dialog, 1);
    HWND field = Control(dialog, IDC_ADJUST_FREQUENCY_EDT);
    EXPECT_EQ(ControlText(field), "1") << "the default second";

    SetUpDown(dialog, IDC_ADJUST_FREQUENCY_UD, 4);
    EXPECT_EQ(SendMessageA(Control(dialog, IDC_ADJUST_FREQUENCY_TB), TBM_GETPOS, 0, 0), 4) << "the up-down moves it";
    EXPECT_EQ(ControlText(field), "4");
    MoveTrackBar(dialog, 0);
    EXPECT_EQ(ControlText(field), "0.5");
    Close(dialog, IDOK);
    EXPECT_EQ(Settings().Read("Adjust Frequency")->Dword(), 500u);
}

TEST_F(SettingsDialog, ResetFollowedByCancelStoresNothing) {
    RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteDword("Offscreen Factor", 50);
    settings.WriteDword("Adjust Top", 0);
    settings.WriteDword("Adjust Frequency", 7000);
    settings.WriteDword("Control Last Page", 1);
    Start();
    auto before = SettingsSnapshot();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    HWND percent = Control(dialog, IDC_OFFSCREEN_PERCENT_EDT);
    EXPECT_EQ(ControlText(percent), "50");
    EXPECT_FALSE(Checked(dialog, IDC_AUTO_RUN_AT_STARTUP)) << "no shortcut in the Startup folder";

    // Admin opens its menu; its last item is the reset.
    PostMessageA(Control(dialog, IDC_ADMIN), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus().size() == 1; })) << "no Admin menu";
    HWND admin = VisibleMenus().front();
    PostMessageA(admin, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(admin, WM_KEYDOWN, VK_RETURN, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND box : test_support::ProcessWindows(kelvane->Id(), "#32770")) {
            if (GetWindow(box, GW_OWNER) == dialog && IsWindowVisible(box)) question = box;
        }
        return question != nullptr;
    })) << "no confirmation";
    EXPECT_TRUE(test_support::WaitUntilDrawn(question));
    // The message box's text control has the identifier 0xFFFF.
    EXPECT_EQ(ControlText(Control(question, 0xFFFF)),
              "Are you sure you want to restore all settings to the factory defaults?");
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(percent) == "25"; })) << ControlText(percent);
    EXPECT_TRUE(Checked(dialog, IDC_ADJUST_TOP));
    EXPECT_EQ(ControlText(Control(dialog, IDC_ADJUST_FREQUENCY_EDT)), "1");
    EXPECT_TRUE(Checked(dialog, IDC_AUTO_RUN_AT_STARTUP));

    Close(dialog, IDCANCEL);
    EXPECT_EQ(SettingsSnapshot(), before);
    EXPECT_EQ(GetFileAttributesA(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel made a shortcut";
}

TEST_F(SettingsDialog, OkStoresEveryValueAndTheProgramFollowsThem) {
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey).WriteDword("Add System Menu Commands", 1);
    Start();
    RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Settings helper");
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_NE(helper, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return (hook_tests::HelperState(helper) & 0x7) == 0x7; })) << "the three commands";
    ASSERT_TRUE(ModuleLoadedIn(kelvane->Id(), "hookshim.dll"));
    size_t callsBefore = taskbar.Calls().size();

    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDC_SHOW_FINDER_TRAY_ICON);
    Click(dialog, IDC_AUTO_ADJUST_WINDOWS);
    Click(dialog, IDC_AUTO_RUN_AT_STARTUP);
    Click(dialog, IDC_SHOW_FINDER_ICONS);
    ChooseComboItem(dialog, IDC_NCL_BUTTON_DBLCLK, 1);
    Click(dialog, IDC_ADD_SYSTEM_MENU_COMMANDS);
    SelectPage(dialog, 1);
    Click(dialog, IDC_ADJUST_TOP);
    Click(dialog, IDC_ADJUST_LEFT);
    MoveTrackBar(dialog, 3);
    SetUpDown(dialog, IDC_OFFSCREEN_PERCENT_UD, 40);
    Click(dialog, IDC_RESIZE_WINDOWS);
    Click(dialog, IDC_DONT_ADJUST_IF_OFFSCREEN);
    SelectPage(dialog, 2);
    Click(dialog, IDC_EMPTY_DOCUMENTS);
    SetUpDown(dialog, IDC_EMPTY_DELAY_UD, 30);
    ChooseComboItem(dialog, IDC_EMPTY_DELAY_TYPE, 1);
    Close(dialog, IDOK);

    RegistryKey settings = Settings();
    const std::pair<const char*, DWORD> dwords[] = {
        {"Show Finder Tray Icon", 0},
        {"Auto Adjust Windows", 0},
        {"Show Finder Icons", 0},
        {"Add System Menu Commands", 0},
        {"Adjust Top", 0},
        {"Adjust Left", 0},
        {"Adjust Bottom", 1},
        {"Adjust Right", 1},
        {"Adjust Frequency", 3000},
        {"Offscreen Factor", 40},
        {"Resize Windows", 0},
        {"Dont Adjust If Quarter Offscreen", 0},
        {"EmptyDocuments", 1},
        {"EmptyDocumentsDelay", 30},
        {"Control Last Page", 2},
    };
    for (const auto& [name, value] : dwords) {
        SCOPED_TRACE(name);
        auto stored = settings.Read(name);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->Dword(), value);
    }
    // The double-click choice was made before the switch went off, which
    // forced Maximize/Restore.
    EXPECT_EQ(settings.Read("NCL Button DblClk")->Text(), "nbDefault");
    EXPECT_EQ(settings.Read("EmptyDocumentsDelayTimeType")->Text(), "mstSeconds");
    EXPECT_NE(GetFileAttributesA(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES) << "the checked box made it";

    // The main form re-applied: the finder icon went, the commands left the
    // helper's window and the hook library was unloaded.
    EXPECT_TRUE(WaitUntil([&] {
        for (size_t i = callsBefore; i < taskbar.Calls().size(); ++i) {
            const auto& call = taskbar.Calls()[i];
            if (call.message == NIM_DELETE && call.owner != TrayIconOwner()) return true;
        }
        return false;
    })) << "the finder icon stayed";
    EXPECT_TRUE(WaitUntil([&] { return (hook_tests::HelperState(helper) & 0x7) == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return !ModuleLoadedIn(kelvane->Id(), "hookshim.dll"); })) << "still loaded";

    // Reopened, the dialog shows the page it was closed on, and the values.
    dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(Control(dialog, IDC_EMPTY_NOW))) << "not the Start Menu page";
    EXPECT_EQ(SendMessageA(Control(dialog, IDC_PAGES), TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(ControlText(Control(dialog, IDC_EMPTY_DELAY_EDT)), "30");
    EXPECT_EQ(ComboIndex(dialog, IDC_EMPTY_DELAY_TYPE), 1);
    EXPECT_TRUE(Checked(dialog, IDC_AUTO_RUN_AT_STARTUP)) << "the shortcut is found";
    SelectPage(dialog, 1);
    EXPECT_EQ(ControlText(Control(dialog, IDC_ADJUST_FREQUENCY_EDT)), "3");
    EXPECT_EQ(ControlText(Control(dialog, IDC_OFFSCREEN_PERCENT_EDT)), "40");
    Close(dialog, IDCANCEL);
    EXPECT_EQ(Settings().Read("Control Last Page")->Dword(), 1u);
}

TEST_F(SettingsDialog, AStoredPageOutOfRangeOpensTheFirstPage) {
    RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey).WriteDword("Control Last Page", 9);
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(Control(dialog, IDC_PAGES), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(Control(dialog, IDC_ADD_SYSTEM_MENU_COMMANDS)));
    Close(dialog, IDCANCEL);
    EXPECT_EQ(Settings().Read("Control Last Page")->Dword(), 0u);
}

TEST_F(SettingsDialog, UncheckingAutoRunDeletesTheStartupShortcut) {
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDC_AUTO_RUN_AT_STARTUP);
    Close(dialog, IDOK);
    ASSERT_NE(GetFileAttributesA(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES);

    dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Checked(dialog, IDC_AUTO_RUN_AT_STARTUP));
    Click(dialog, IDC_AUTO_RUN_AT_STARTUP);
    Close(dialog, IDOK);
    EXPECT_EQ(GetFileAttributesA(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsDialog, TheStartMenuCheckBoxesMakeAndRemoveTheCascades) {
    test_support::ScratchFolder startMenu;
    ShellFolders().WriteString("Start Menu", startMenu.Path());
    const std::string printers = startMenu.Path() + "\\Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";
    ASSERT_TRUE(CreateDirectoryA(printers.c_str(), nullptr));

    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    SelectPage(dialog, 2);
    EXPECT_FALSE(Checked(dialog, IDC_CONTROL_PANEL));
    EXPECT_TRUE(Checked(dialog, IDC_PRINTERS)) << "its folder exists";
    Click(dialog, IDC_CONTROL_PANEL);
    Click(dialog, IDC_PRINTERS);
    Close(dialog, IDOK);
    const std::string controlPanel = startMenu.Path() + "\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    EXPECT_NE(GetFileAttributesA(controlPanel.c_str()), INVALID_FILE_ATTRIBUTES) << "no Control Panel cascade";
    EXPECT_EQ(GetFileAttributesA(printers.c_str()), INVALID_FILE_ATTRIBUTES) << "the empty Printers cascade stayed";
}

TEST_F(SettingsDialog, EmptyNowEmptiesTheRecentDocumentsAndLeavesTheDialogOpen) {
    test_support::ScratchFolder recent;
    ShellFolders().WriteString("Recent", recent.Path());
    const std::string shortcut = recent.Path() + "\\letter.lnk";
    const std::string other = recent.Path() + "\\notes.txt";
    std::ofstream(shortcut) << "shortcut";
    std::ofstream(other) << "kept";

    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    SelectPage(dialog, 2);
    ASSERT_FALSE(Checked(dialog, IDC_EMPTY_DOCUMENTS)) << "Empty Now works with the timer off too";
    Click(dialog, IDC_EMPTY_NOW);
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES; }))
        << "the shortcut is still there";
    EXPECT_NE(GetFileAttributesA(other.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsWindowVisible(dialog));
    Close(dialog, IDCANCEL);
}

bool Shows(HWND window, uint32_t colour) {
    test_support::ScreenPixels screen = test_support::ReadScreen(window);
    for (uint32_t pixel : screen.pixels) {
        if (pixel == colour) return true;
    }
    return false;
}

TEST_F(SettingsDialog, TheAboutPageLinksTakeTheHoverColourUnderTheMouse) {
    Start();
    HWND dialog = OpenFromTrayMenu();
    ASSERT_NE(dialog, nullptr);
    SelectPage(dialog, 3);
    HWND link = Control(dialog, IDC_WEB_LINK);
    HWND heading = Control(dialog, IDC_FEEDBACK_HEADING);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(link) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return Shows(link, 0x0000FF); })) << "a link is blue";

    // What the mouse moving onto the link, and then off it, makes the page hear.
    SendMessageA(GetParent(link), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(WaitUntil([&] { return Shows(link, 0xFF0000) && !Shows(link, 0x0000FF); })) << "no hover colour";
    SendMessageA(GetParent(link), WM_SETCURSOR, reinterpret_cast<WPARAM>(heading), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(WaitUntil([&] { return Shows(link, 0x0000FF) && !Shows(link, 0xFF0000); })) << "the colour stayed";
    Close(dialog, IDCANCEL);
}

}  // namespace
