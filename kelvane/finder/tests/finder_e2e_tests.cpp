// End-to-end tests: the real kelvane.exe in a scratch registry, its window
// menu, quick commands and desktop finder driven through its tray menus as a
// user drives them, over a helper program's windows. Menus of another
// process cannot be read, so an item is chosen with the keyboard and what it
// did to the windows tells which item it was.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "kelvane/app/kelvane_names.h"
#include "kelvane/components/cool_tray_icon_win32.h"
#include "kelvane/finder/finder_menu_win32.h"
#include "kelvane/finder/tests/finder_test_support.h"
#include "kelvane/finder/tests/finder_test_windows.h"
#include "kelvane/finder/window_menu_win32.h"
#include "platform/registry.h"
#include "platform/windows_list.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using platform::RegistryKey;
using test_support::FakeTaskbar;
using test_support::RunningProgram;
using test_support::VisibleMenus;
using test_support::WaitUntil;

const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

LONG_PTR Closes(HWND window) {
    return GetWindowLongPtrA(window, GWLP_USERDATA);
}

class FinderProgram : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA(kelvane::kTestRegistryVariable, scratch.RealPath().c_str());
        settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
        settings.WriteDword("First Time Run", 0);
        settings.WriteDword("Add System Menu Commands", 0);
        settings.WriteDword("Auto Adjust Windows", 0);
    }
    void TearDown() override { SetEnvironmentVariableA(kelvane::kTestRegistryVariable, nullptr); }

    // Starts the helper with its windows and kelvane.exe with its tray icons.
    void Start(const std::string& windows) {
        helper = std::make_unique<RunningProgram>(kelvane::FinderHelperPath(), windows);
        ASSERT_TRUE(helper->WaitForWindow(kFinderTestReadyClass)) << "the helper's windows did not come";
        kelvane = std::make_unique<RunningProgram>(test_support::BinPath("kelvane.exe"));
        form = kelvane->WaitForWindow(kelvane::kMainFormClass);
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return AddedIcons().size() == 2; }));
        // The helper's are the only application windows, so the menu's contents are known.
        for (HWND window : platform::TopLevelWindows()) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == kelvane->Id() || process == helper->Id() || !kelvane::IsTaskWindow(window)) continue;
            ADD_FAILURE() << "another application window \"" << kelvane::WindowCaption(window) << "\" of class "
                          << platform::WindowClassName(window);
        }
    }

    void Exit() {
        PostMessageA(form, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !kelvane->Running(); })) << "kelvane did not end";
    }

    std::vector<HWND> AddedIcons() const {
        std::vector<HWND> icons;
        for (const auto& call : taskbar.Calls())
            if (call.message == NIM_ADD) icons.push_back(call.owner);
        return icons;
    }

    // Opens the menu of tray icon `icon` (0 the main one, 1 the finder).
    HWND OpenTrayMenu(size_t icon) {
        PostMessageA(AddedIcons().at(icon), kelvane::kTrayCallbackMessage, kelvane::kTrayIconId, WM_RBUTTONDOWN);
        if (!WaitUntil([] { return VisibleMenus().size() == 1; })) return nullptr;
        return VisibleMenus().front();
    }

    // Selects item `index` from the top (separators are passed over) and chooses it.
    static void Choose(HWND menu, int index) {
        for (int i = 0; i <= index; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }

    static bool MenusClosed() {
        return WaitUntil([] { return VisibleMenus().empty(); });
    }

    test_support::ScratchRegistry scratch;
    FakeTaskbar taskbar;
    RegistryKey settings;
    std::unique_ptr<RunningProgram> helper;
    std::unique_ptr<RunningProgram> kelvane;
    HWND form = nullptr;
};

TEST_F(FinderProgram, TheWindowMenuListsAHelpersWindowsAndChoosingOneRestoresAndRaisesIt) {
    // Explorer set not to show full paths: bit 0 of byte 4 clear.
    std::string cabinet(12, '\0');
    cabinet[0] = 12;
    RegistryKey::Create(HKEY_CURRENT_USER, kelvane::kCabinetStateKey)
        .WriteBinary("Settings", cabinet.data(), cabinet.size());
    ASSERT_NO_FATAL_FAILURE(
        Start("KelvaneFinderHelper|Alpha|m;KelvaneFinderHelper|beta|mt;"
              "CabinetWClass|Hidden folder|h;CabinetWClass|Temp|m;CabinetWClass|Temp|m"));
    const DWORD id = helper->Id();
    HWND temp0 = kelvane::HelperWindow(id, "Temp", 0), temp1 = kelvane::HelperWindow(id, "Temp", 1);
    const bool inOrder =
        std::to_string(reinterpret_cast<uintptr_t>(temp0)) < std::to_string(reinterpret_cast<uintptr_t>(temp1));
    // Other windows by name, then Explorer windows by name; the two "Temp"
    // folders by the decimal texts of their handles.
    const std::vector<HWND> expected{kelvane::HelperWindow(id, "Alpha"), kelvane::HelperWindow(id, "beta"),
                                     kelvane::HelperWindow(id, "Hidden folder"), inOrder ? temp0 : temp1,
                                     inOrder ? temp1 : temp0};

    for (int index = 0; index < static_cast<int>(expected.size()); ++index) {
        HWND chosen = expected[static_cast<size_t>(index)];
        SCOPED_TRACE("item " + std::to_string(index) + ": " + kelvane::WindowCaption(chosen));
        HWND menu = OpenTrayMenu(0);
        ASSERT_NE(menu, nullptr) << "no menu opened";
        if (index == 0) {
            EXPECT_TRUE(test_support::WaitUntilDrawn(menu));
            EXPECT_FALSE(test_support::SaveScreenPicture("kelvane-window-menu", menu).empty());
        }
        Choose(menu, index);
        ASSERT_TRUE(MenusClosed());
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(chosen) && !IsIconic(chosen); }))
            << "the chosen window was not restored";
        for (HWND other : expected) {
            if (other == chosen) continue;
            EXPECT_TRUE(IsIconic(other) || !IsWindowVisible(other)) << "restored as well";
        }
        // Raised above the helper's other shown windows that are not topmost.
        std::string above;
        EXPECT_TRUE(WaitUntil([&] {
            above.clear();
            for (HWND window : platform::TopLevelWindows()) {
                if (window == chosen) break;
                const bool rival = std::find(expected.begin(), expected.end(), window) != expected.end();
                if (rival && IsWindowVisible(window) && !IsTopmost(window)) above = kelvane::WindowCaption(window);
            }
            return above.empty();
        })) << "\""
            << above << "\" stays above the chosen window";
        ShowWindow(chosen, SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(chosen) != FALSE; }));
    }
    EXPECT_TRUE(kelvane->Running());
    Exit();
}

TEST_F(FinderProgram, EachQuickCommandActsOnTheHelpersWindowsAndLeavesTheExcludedOnesAlone) {
    // Without the window items the commands' submenu is reached the same way every time.
    settings.WriteDword("Merge Finder Menu", 0);
    ASSERT_NO_FATAL_FAILURE(
        Start("KelvaneFinderHelper|Plain|;KelvaneFinderHelper|Minimised|m;"
              "KelvaneFinderHelper|Owned|o;KelvaneFinderHelper|Popup|p;Progman|Program Manager|;"
              "CabinetWClass|Hidden folder|h"));
    const DWORD id = helper->Id();
    auto window = [&](const char* title) { return kelvane::HelperWindow(id, title); };
    // kelvane's own settings dialog stays open through every command.
    HWND menu = OpenTrayMenu(0);
    ASSERT_NE(menu, nullptr) << "no menu opened";
    Choose(menu, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND shown : test_support::ProcessWindows(kelvane->Id(), "#32770"))
            if (IsWindowVisible(shown)) dialog = shown;
        return dialog != nullptr;
    })) << "the settings dialog did not open";
    const size_t kelvaneWindows = test_support::ProcessWindows(kelvane->Id()).size();

    // Settings, Quick Commands, then into its submenu, whose first item the
    // keyboard selects: Adjust windows, Adjust all, Close all, Hide all,
    // Restore hidden, Minimize all, Restore all.
    auto run = [&](int item, const char* picture = nullptr) {
        HWND menu = OpenTrayMenu(0);
        ASSERT_NE(menu, nullptr) << "no menu opened";
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT}) PostMessageA(menu, WM_KEYDOWN, key, 0);
        ASSERT_TRUE(WaitUntil([] { return VisibleMenus().size() == 2; })) << "no Quick Commands submenu";
        for (int i = 0; i < item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        if (picture) {
            EXPECT_FALSE(test_support::SaveMenusPicture(picture).empty());
        }
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(MenusClosed());
    };
    auto expectKelvaneUntouched = [&] {
        EXPECT_TRUE(kelvane->Running());
        EXPECT_TRUE(IsWindow(form));
        EXPECT_EQ(test_support::ProcessWindows(kelvane->Id()).size(), kelvaneWindows) << "kelvane lost a window";
        EXPECT_TRUE(IsWindow(taskbar.Window())) << "the taskbar was closed";
        EXPECT_TRUE(IsWindowVisible(dialog) && !IsIconic(dialog))
            << "the settings dialog was closed, hidden or minimised";
    };

    ASSERT_NO_FATAL_FAILURE(run(2, "kelvane-quick-commands"));
    ASSERT_TRUE(WaitUntil([&] { return Closes(window("Plain")) == 1 && Closes(window("Minimised")) == 1; }))
        << "Close all windows";
    EXPECT_EQ(Closes(window("Hidden folder")), 1) << "a hidden Explorer window counts";
    for (const char* untouched : {"Owned", "Popup", "Program Manager"})
        EXPECT_EQ(Closes(window(untouched)), 0) << untouched;
    expectKelvaneUntouched();

    ASSERT_NO_FATAL_FAILURE(run(3));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window("Plain")) && !IsWindowVisible(window("Minimised")); }))
        << "Hide all windows";
    for (const char* untouched : {"Owned", "Popup", "Program Manager"})
        EXPECT_TRUE(IsWindowVisible(window(untouched))) << untouched;
    expectKelvaneUntouched();

    ASSERT_NO_FATAL_FAILURE(run(4));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window("Plain")) && IsWindowVisible(window("Minimised")); }))
        << "Restore hidden windows";

    ASSERT_NO_FATAL_FAILURE(run(5));
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window("Plain")) != FALSE; })) << "Minimize all windows";
    for (const char* untouched : {"Owned", "Popup", "Program Manager"})
        EXPECT_FALSE(IsIconic(window(untouched))) << untouched;
    EXPECT_FALSE(IsWindowVisible(window("Hidden folder"))) << "minimising showed a hidden window";
    expectKelvaneUntouched();

    ShowWindow(window("Owned"), SW_SHOWMINNOACTIVE);
    ASSERT_NO_FATAL_FAILURE(run(6));
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window("Plain")) && !IsIconic(window("Minimised")); }))
        << "Restore all windows";
    EXPECT_TRUE(IsIconic(window("Owned"))) << "an owned window is no application window";
    EXPECT_FALSE(IsWindowVisible(window("Hidden folder")));
    expectKelvaneUntouched();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the settings dialog did not close";
    Exit();
}

std::string DesktopFolder() {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, TRUE);
    return path;
}

TEST_F(FinderProgram, TheFinderMenuListsTheDesktopsItemsAndOpensTheChosenOne) {
    // A batch file on the prefix's desktop that leaves a mark when opened;
    // both are removed whatever happens.
    test_support::ScratchFolder scratchFolder;
    const std::string mark = scratchFolder.Path() + "\\opened.txt";
    const std::string probe = DesktopFolder() + "\\Kelvane finder probe.bat";
    const std::string folder = DesktopFolder() + "\\Kelvane finder folder";
    struct Cleanup {
        std::string probe, folder;
        ~Cleanup() {
            DeleteFileA(probe.c_str());
            RemoveDirectoryA(folder.c_str());
        }
    } cleanup{probe, folder};
    {
        std::ofstream batch(probe, std::ios::binary);
        batch << "@echo off\r\necho opened> \"" << mark << "\"\r\n";
    }
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << test_support::LastErrorText();

    CoInitialize(nullptr);
    std::vector<kelvane::DesktopItem> items = kelvane::DesktopItems(nullptr);
    CoUninitialize();
    auto at = std::find_if(items.begin(), items.end(), [](const kelvane::DesktopItem& item) {
        return item.name.rfind("Kelvane finder probe", 0) == 0;
    });
    ASSERT_NE(at, items.end()) << "the shell does not list the probe";
    const int index = static_cast<int>(at - items.begin());

    ASSERT_NO_FATAL_FAILURE(Start(""));
    HWND menu = OpenTrayMenu(1);
    ASSERT_NE(menu, nullptr) << "no finder menu opened";
    EXPECT_TRUE(test_support::WaitUntilDrawn(menu));
    EXPECT_FALSE(test_support::SaveScreenPicture("kelvane-finder-menu", menu).empty());
    Choose(menu, index);
    ASSERT_TRUE(MenusClosed());
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES; },
                          std::chrono::seconds(20)))
        << "item " << index << " did not open the probe";
    Exit();
}

}  // namespace
