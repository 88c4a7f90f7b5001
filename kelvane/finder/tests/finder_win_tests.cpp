// The window menu, the quick commands and the desktop finder in this
// process, over real windows of a helper process and the real shell
// namespace; menus are read here, where their items can be seen.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvane/finder/finder_menu_win32.h"
#include "kelvane/finder/tests/finder_test_support.h"
#include "kelvane/finder/tests/finder_test_windows.h"
#include "kelvane/finder/window_menu_win32.h"
#include "platform/windows_list.h"
#include "test_support/win_test_support.h"

namespace kelvane {
namespace {

using test_support::RunningProgram;
using test_support::WaitUntil;

// Waits until the helper's windows all stand as asked.
void WaitForHelper(RunningProgram& helper) {
    ASSERT_TRUE(helper.Started());
    ASSERT_TRUE(helper.WaitForWindow(kFinderTestReadyClass)) << "the helper's windows did not come";
}

std::vector<std::string> Captions(CIconPopupMenu& menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Count(); ++i) captions.push_back(menu.Items()[i].caption);
    return captions;
}

// The other processes' application windows are the helper's alone, so the
// menu's contents are known.
void ExpectOnlyHelperWindows(DWORD helper) {
    for (HWND window : ForeignTaskWindows()) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        EXPECT_EQ(process, helper) << "another program's window \"" << WindowCaption(window) << "\" of class "
                                   << platform::WindowClassName(window);
    }
}

class WindowMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = test_support::CreateTestWindow("KelvaneFinderTestForm", {0, 0, 200, 100}, WS_OVERLAPPEDWINDOW);
        ASSERT_TRUE(form);
        control.SetOwnerForm(form.get());
        auto created = CIconPopupMenu::Create(form.get());
        ASSERT_TRUE(created.menu) << created.error;
        menu = std::move(created.menu);
        for (const char* caption : {"-", "Settings", "Quick Commands", "-", "Exit"})
            menu->Items().Add(std::make_unique<CMenuItem>(caption));
        menu->Loaded();
    }

    test_support::ScratchRegistry registry;
    platform::unique_hwnd form;
    CKelvane control;
    std::unique_ptr<CIconPopupMenu> menu;
};

TEST_F(WindowMenuTest, ListsOtherWindowsThenExplorerWindowsAboveTheFixedItemsWithTheirMarkers) {
    RunningProgram helper(FinderHelperPath(),
                          "CabinetWClass|Temp|;CabinetWClass|Temp|;CabinetWClass|Hidden folder|h;"
                          "KelvaneFinderHelper|beta|t;KelvaneFinderHelper|Alpha|;KelvaneFinderHelper|Owned|o;"
                          "KelvaneFinderHelper|Popup|p;Progman|Program Manager|;tooltips_class32|tip|;"
                          "KelvaneFinderHelper|Hidden app|h");
    WaitForHelper(helper);
    ExpectOnlyHelperWindows(helper.Id());
    // A window this process owns, as the program's own forms and dialogs are: never listed.
    platform::unique_hwnd own = test_support::CreateTestWindow("KelvaneFinderOwn", {0, 0, 100, 100});
    HWND hiddenApp = HelperWindow(helper.Id(), "Hidden app");
    control.HiddenWindows.Add("Hidden app", hiddenApp);
    HWND gone = CreateWindowExA(0, "Static", "gone", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    control.HiddenWindows.Add("gone", gone);

    WindowMenu windowMenu(control, GetModuleHandleA(nullptr));
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening == 0 ? "first opening" : "opened again");
        windowMenu.Merge(*menu, true);
        EXPECT_EQ(Captions(*menu), (std::vector<std::string>{"Alpha", "beta", "Hidden app", "Hidden folder", "Temp",
                                                             "Temp", "-", "Settings", "Quick Commands", "-", "Exit"}));
    }
    EXPECT_EQ(control.HiddenWindows.Count(), 1u) << "the entry of the window that is gone stays";

    // Two folders of one name: by the decimal texts of their handles.
    HWND temp0 = HelperWindow(helper.Id(), "Temp", 0), temp1 = HelperWindow(helper.Id(), "Temp", 1);
    const CWindowList& explorer = control.ExplorerWindowList;
    ASSERT_EQ(explorer.Count(), 3u);
    std::string text0 = std::to_string(reinterpret_cast<uintptr_t>(temp0));
    std::string text1 = std::to_string(reinterpret_cast<uintptr_t>(temp1));
    EXPECT_EQ(explorer[1].window, text0 < text1 ? temp0 : temp1) << text0 << " " << text1;
    EXPECT_EQ(explorer[2].window, text0 < text1 ? temp1 : temp0);

    auto info = [&](int index) { return menu->Items()[index].info.value_or(CMenuItemInfo{}); };
    EXPECT_EQ(info(0).topMarker, nullptr);
    EXPECT_EQ(info(0).bottomMarker, nullptr);
    EXPECT_NE(info(1).topMarker, nullptr) << "topmost";
    EXPECT_NE(info(2).bottomMarker, nullptr) << "hidden by the program";
    EXPECT_NE(info(3).bottomMarker, nullptr) << "hidden Explorer window";
    // Wine answers WM_GETICON and GetClassLongPtr's icons across processes
    // with nothing, so the icons of other programs' windows are not checked
    // here (WindowMenuIcon's fallbacks are, in this process).
    EXPECT_EQ(info(6).icon, nullptr) << "fixed items get no icon";

    // Choosing the hidden folder restores it and brings it up.
    menu->Items()[3].onClick();
    HWND hiddenFolder = HelperWindow(helper.Id(), "Hidden folder");
    EXPECT_TRUE(IsWindowVisible(hiddenFolder));

    // Taken out again, the fixed items are all that is left.
    windowMenu.RemoveMergedItems(*menu);
    EXPECT_EQ(Captions(*menu), (std::vector<std::string>{"-", "Settings", "Quick Commands", "-", "Exit"}));
}

TEST_F(WindowMenuTest, WithoutIconsNoItemGetsAnIconOrMarker) {
    RunningProgram helper(FinderHelperPath(), "KelvaneFinderHelper|Only|t");
    WaitForHelper(helper);
    control.KelvaneData().Settings().SetShowFinderIcons(false);
    WindowMenu windowMenu(control, GetModuleHandleA(nullptr));
    windowMenu.Merge(*menu, false);
    ASSERT_EQ(menu->Count(), 6);
    const CMenuItemInfo info = menu->Items()[0].info.value_or(CMenuItemInfo{});
    EXPECT_EQ(info.icon, nullptr);
    EXPECT_EQ(info.topMarker, nullptr);
}

TEST_F(WindowMenuTest, TheFixedItemsEndTheFirstColumnWhenTheWindowsFillMore) {
    const int perColumn = CIconPopupMenu::ItemsPerColumn();
    ASSERT_GT(perColumn, 5);
    const int windows = perColumn + 3;
    std::string windowsWanted;
    for (int i = 0; i < windows; ++i) {
        char title[32];
        wsprintfA(title, "Window %02d", i);
        windowsWanted += std::string("KelvaneFinderHelper|") + title + "|m;";
    }
    RunningProgram helper(FinderHelperPath(), windowsWanted);
    WaitForHelper(helper);
    WindowMenu windowMenu(control, GetModuleHandleA(nullptr));
    windowMenu.Merge(*menu, false);
    ASSERT_EQ(menu->Count(), windows + 5);
    const int block = perColumn - 5;
    auto title = [](int i) {
        char text[32];
        wsprintfA(text, "Window %02d", i);
        return std::string(text);
    };
    EXPECT_EQ(menu->Items()[block - 1].caption, title(block - 1));
    EXPECT_EQ(menu->Items()[block + 1].caption, "Settings");
    EXPECT_EQ(menu->Items()[block + 4].caption, "Exit");
    EXPECT_EQ(menu->Items()[block + 5].caption, title(block));
    EXPECT_EQ(menu->Items()[perColumn].info->breakAt, MenuBreak::BarBreak) << "second column";
    EXPECT_EQ(menu->Items()[block].info->breakAt, MenuBreak::None);
}

LRESULT CALLBACK IconAnsweringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETICON) {
        const auto answers = reinterpret_cast<HICON*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (answers) return reinterpret_cast<LRESULT>(answers[wParam == ICON_SMALL ? 0 : 1]);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(WindowMenuIcon, TakesTheSmallIconThenTheClassIconThenTheBigIcon) {
    HICON small = LoadIcon(nullptr, IDI_INFORMATION), big = LoadIcon(nullptr, IDI_WARNING);
    HICON classSmall = LoadIcon(nullptr, IDI_QUESTION);
    struct Case {
        const char* name;
        HICON answers[2];  // ICON_SMALL, ICON_BIG
        HICON classIcon;
        HICON expected;
    };
    const Case cases[] = {
        {"the window's small icon", {small, big}, classSmall, small},
        {"the class's small icon", {nullptr, big}, classSmall, classSmall},
        {"the window's big icon", {nullptr, big}, nullptr, big},
        {"none at all", {nullptr, nullptr}, nullptr, nullptr},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string className = "KelvaneIconAnswer" + std::to_string(n++);
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = IconAnsweringProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIconSm = c.classIcon;
        windowClass.lpszClassName = className.c_str();
        ASSERT_TRUE(RegisterClassExA(&windowClass)) << test_support::LastErrorText();
        platform::unique_hwnd window(CreateWindowExA(0, className.c_str(), "icons", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window);
        HICON answers[2] = {c.answers[0], c.answers[1]};
        SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(answers));
        EXPECT_EQ(WindowMenuIcon(window.get()), c.expected);
    }
}

// Not the desktop window, not the shell's.
TEST(IsForeignTaskWindow, NeverTheDesktopOrThisProcesssWindows) {
    EXPECT_FALSE(IsForeignTaskWindow(GetDesktopWindow()));
    platform::unique_hwnd own = test_support::CreateTestWindow("KelvaneFinderOwn", {0, 0, 100, 100});
    EXPECT_TRUE(IsTaskWindow(own.get()));
    EXPECT_FALSE(IsForeignTaskWindow(own.get()));
}

TEST(QuickCommands, ActOnOtherProcessesApplicationWindowsOnly) {
    RunningProgram helper(FinderHelperPath(),
                          "KelvaneFinderHelper|Plain|;KelvaneFinderHelper|Minimised|m;KelvaneFinderHelper|Owned|o;"
                          "KelvaneFinderHelper|Popup|p;Progman|Program Manager|;Shell_TrayWnd|Taskbar|;"
                          "CabinetWClass|Hidden folder|h");
    WaitForHelper(helper);
    ExpectOnlyHelperWindows(helper.Id());
    platform::unique_hwnd own = test_support::CreateTestWindow("KelvaneFinderOwn", {0, 0, 100, 100});
    auto window = [&](const char* title) { return HelperWindow(helper.Id(), title); };
    auto closes = [](HWND w) { return GetWindowLongPtrA(w, GWLP_USERDATA); };

    std::vector<HWND> hidden;
    RunQuickCommand(QuickCommand::CloseAll, {});
    ASSERT_TRUE(WaitUntil([&] { return closes(window("Plain")) == 1 && closes(window("Minimised")) == 1; }));
    EXPECT_EQ(closes(window("Hidden folder")), 1) << "a hidden Explorer window counts";
    for (const char* untouched : {"Owned", "Popup", "Program Manager", "Taskbar"}) {
        SCOPED_TRACE(untouched);
        EXPECT_EQ(closes(window(untouched)), 0);
    }
    test_support::PumpMessages();
    EXPECT_TRUE(IsWindow(own.get())) << "this process's window was closed";

    RunQuickCommand(QuickCommand::HideAll, [&](HWND w) { hidden.push_back(w); });
    std::sort(hidden.begin(), hidden.end());
    std::vector<HWND> expected{window("Plain"), window("Minimised"), window("Hidden folder")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(hidden, expected);

    RunQuickCommand(QuickCommand::MinimizeAll, {});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window("Plain")) != FALSE; }));
    EXPECT_FALSE(IsIconic(window("Owned")));
    EXPECT_FALSE(IsIconic(window("Popup")));
    EXPECT_FALSE(IsIconic(window("Program Manager")));
    EXPECT_FALSE(IsIconic(own.get()));
    EXPECT_FALSE(IsWindowVisible(window("Hidden folder"))) << "minimising showed a hidden window";

    ShowWindow(window("Owned"), SW_SHOWMINNOACTIVE);
    RunQuickCommand(QuickCommand::RestoreAll, {});
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window("Plain")) && !IsIconic(window("Minimised")); }));
    EXPECT_TRUE(IsIconic(window("Owned"))) << "an owned window is no application window";
    EXPECT_FALSE(IsWindowVisible(window("Hidden folder")));
}

std::string DesktopFolder() {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, TRUE);
    return path;
}

// A file and a folder put on the desktop for one test, removed afterwards.
class DesktopProbe {
public:
    DesktopProbe()
        : m_file(DesktopFolder() + "\\Kelvane finder probe.txt"),
          m_folder(DesktopFolder() + "\\Kelvane finder folder") {
        HANDLE file = CreateFileA(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        CreateDirectoryA(m_folder.c_str(), nullptr);
    }
    ~DesktopProbe() {
        DeleteFileA(m_file.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

private:
    std::string m_file, m_folder;
};

TEST(FinderMenu, ListsTheDesktopsItemsWithTheirIcons) {
    CoInitialize(nullptr);
    {
        DesktopProbe probe;
        platform::unique_hwnd form =
            test_support::CreateTestWindow("KelvaneFinderTestForm", {0, 0, 200, 100}, WS_OVERLAPPEDWINDOW);
        auto created = CIconPopupMenu::Create(form.get());
        ASSERT_TRUE(created.menu);
        CIconPopupMenu& menu = *created.menu;
        menu.Items().Add(std::make_unique<CMenuItem>("stale"));

        std::vector<DesktopItem> items = DesktopItems(form.get());
        std::vector<std::string> names;
        for (const auto& item : items) names.push_back(item.name);
        auto has = [&](const std::string& prefix) {
            return std::any_of(names.begin(), names.end(),
                               [&](const std::string& name) { return name.rfind(prefix, 0) == 0; });
        };
        EXPECT_TRUE(has("Kelvane finder probe")) << "the file";
        EXPECT_TRUE(has("Kelvane finder folder")) << "the folder";

        FinderMenu finder(form.get());
        finder.Build(menu, true);
        EXPECT_EQ(Captions(menu), names) << "the stale item went, the desktop's items came in their order";
        for (int i = 0; i < menu.Count(); ++i) {
            SCOPED_TRACE(menu.Items()[i].caption);
            ASSERT_TRUE(menu.Items()[i].info);
            EXPECT_NE(menu.Items()[i].info->icon, nullptr);
        }
        finder.Build(menu, false);
        EXPECT_EQ(Captions(menu), names);
        for (int i = 0; i < menu.Count(); ++i) EXPECT_EQ(menu.Items()[i].info->icon, nullptr);
    }
    CoUninitialize();
}

}  // namespace
}  // namespace kelvane
