// The main form's side of the hook library: the commands in real system
// menus, the actions on real windows, the window lists, the hook switch with
// the real hookshim.dll and a helper program's window, and the load failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "hookshim/system_menu_edit.h"
#include "hookshim/tests/hook_test_support.h"
#include "kelvane/hooks/system_menu_commands_win32.h"
#include "test_support/win_test_support.h"

namespace {

using hook_tests::HelperState;
using kelvane::CNCLButtonDblClk;
using kelvane::SystemMenuCommands;
using test_support::LastErrorText;
using test_support::WaitUntil;

// The hidden main form as the program has it: the library's messages go to
// SystemMenuCommands first.
class MainForm : public hook_tests::ReceiverWindow<MainForm> {
public:
    MainForm() { CreateHidden("HooksTestMainForm"); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        LRESULT result = 0;
        if (commands && commands->HandleMessage(message, wParam, lParam, result)) return result;
        return DefaultHandling(message, wParam, lParam);
    }

    SystemMenuCommands* commands = nullptr;
};

struct MenuItem {
    UINT id;
    std::string text;  // empty for a separator
    bool checked;
    bool operator==(const MenuItem& other) const {
        return id == other.id && text == other.text && checked == other.checked;
    }
};

void PrintTo(const MenuItem& item, std::ostream* out) {
    *out << item.id << " \"" << item.text << "\"" << (item.checked ? " checked" : "");
}

std::vector<MenuItem> SystemMenuItems(HWND window) {
    std::vector<MenuItem> items;
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items.push_back({GetMenuItemID(menu, i), text, (state & MF_CHECKED) != 0});
    }
    return items;
}

// The last `count` items of the window's system menu.
std::vector<MenuItem> LastItems(HWND window, size_t count) {
    std::vector<MenuItem> items = SystemMenuItems(window);
    return std::vector<MenuItem>(items.end() - static_cast<std::ptrdiff_t>(std::min(count, items.size())), items.end());
}

std::vector<MenuItem> Commands(bool topmost, bool neverAdjust) {
    return {{0, "", false},
            {61400, "&Always On Top", topmost},
            {61401, "&Hide Window", false},
            {61402, "Ne&ver Adjust", neverAdjust}};
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Lets the repeat filter's 350 ms pass since `since`, so an identical
// message counts again.
void OutlastRepeatFilter(DWORD since) {
    ASSERT_TRUE(WaitUntil([since] { return GetTickCount() - since > kelvane::kRepeatWindowMs; }));
}

class SystemMenuCommandsTest : public testing::Test {
protected:
    SystemMenuCommandsTest() : commands(control, form.Window(), test_support::BinPath("hookshim.dll")) {
        form.commands = &commands;
        control.Data();
    }
    ~SystemMenuCommandsTest() override { form.commands = nullptr; }

    // What the library would send or post for `window`.
    LRESULT Deliver(UINT message, HWND window, LPARAM lParam = 0) {
        return SendMessageA(form.Window(), message, reinterpret_cast<WPARAM>(window), lParam);
    }
    platform::unique_hwnd Window(const char* className = "HooksTestWindow",
                                 DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
        return test_support::CreateTestWindow(className, {40, 40, 340, 240}, style);
    }

    test_support::ScratchRegistry scratch;
    kelvane::CKelvane control;
    MainForm form;
    SystemMenuCommands commands;
    const kelvane::HookMessages& messages = kelvane::RegisteredHookMessages();
};

TEST_F(SystemMenuCommandsTest, AddsRefreshesAndRemovesTheCommandsInAWindowsSystemMenu) {
    platform::unique_hwnd window = Window();
    const std::vector<MenuItem> original = SystemMenuItems(window.get());
    ASSERT_FALSE(original.empty());

    Deliver(messages.addMenu, window.get());
    EXPECT_EQ(SystemMenuItems(window.get()).size(), original.size() + 4);
    EXPECT_EQ(LastItems(window.get(), 4), Commands(false, false));
    EXPECT_EQ(control.SystemMenuWindows.Count(), 1u);
    EXPECT_TRUE(control.SystemMenuWindows.Contains(window.get()));

    // Opening the menu refreshes the marks and appends nothing more.
    SetWindowPos(window.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    control.NeverAdjustWindows.Add("x", window.get());
    Deliver(messages.initMenu, window.get());
    EXPECT_EQ(SystemMenuItems(window.get()).size(), original.size() + 4);
    EXPECT_EQ(LastItems(window.get(), 4), Commands(true, true));

    // The application rebuilt its system menu: the next opening adds the
    // commands again, and the window is still listed once.
    GetSystemMenu(window.get(), TRUE);
    Deliver(messages.initMenu, window.get());
    EXPECT_EQ(LastItems(window.get(), 4), Commands(true, true));
    EXPECT_EQ(control.SystemMenuWindows.Count(), 1u);

    commands.RemoveCommandsFromAllWindows();
    EXPECT_EQ(SystemMenuItems(window.get()), original);
    EXPECT_TRUE(control.SystemMenuWindows.Empty());

    // A menu that lost the commands is left as it is.
    commands.RemoveCommands(window.get());
    EXPECT_EQ(SystemMenuItems(window.get()), original);

    Deliver(messages.removeMenu, window.get());
    EXPECT_TRUE(control.SystemMenuWindows.Empty());
}

TEST_F(SystemMenuCommandsTest, AMenuThatAlreadyHoldsTheCommandsGetsNoSecondSet) {
    // The library put the commands in when the menu first opened, before the
    // program heard of the window: the program lists it and appends nothing.
    platform::unique_hwnd window = Window();
    const size_t items = SystemMenuItems(window.get()).size();
    hookshim::AddOrRefreshCommands(GetSystemMenu(window.get(), FALSE), 0);
    Deliver(messages.addMenu, window.get());
    EXPECT_EQ(SystemMenuItems(window.get()).size(), items + 4);
    EXPECT_TRUE(control.SystemMenuWindows.Contains(window.get()));
}

TEST_F(SystemMenuCommandsTest, LeavesApplicationWindowsAndWindowsWithoutSystemMenuAlone) {
    platform::unique_hwnd application = Window("TApplication");
    const size_t items = SystemMenuItems(application.get()).size();
    Deliver(messages.addMenu, application.get());
    EXPECT_EQ(SystemMenuItems(application.get()).size(), items);

    platform::unique_hwnd plain = Window("HooksTestPlain", WS_POPUP | WS_VISIBLE);
    Deliver(messages.initMenu, plain.get());
    Deliver(messages.addMenu, reinterpret_cast<HWND>(0x7FF0));  // no window
    EXPECT_TRUE(control.SystemMenuWindows.Empty());
}

TEST_F(SystemMenuCommandsTest, CommandsToggleTopmostHideAndNeverAdjustThroughTheRepeatFilter) {
    platform::unique_hwnd window = Window();
    HWND w = window.get();

    Deliver(messages.sysCommand, w, 61400);
    const DWORD first = GetTickCount();
    EXPECT_TRUE(IsTopmost(w));
    EXPECT_TRUE(control.TopmostWindows.Contains(w));
    Deliver(messages.sysCommand, w, 61400);
    EXPECT_TRUE(IsTopmost(w)) << "the same command again at once is a repeat";
    OutlastRepeatFilter(first);
    Deliver(messages.sysCommand, w, 61400);
    EXPECT_FALSE(IsTopmost(w));
    EXPECT_FALSE(control.TopmostWindows.Contains(w));

    EXPECT_EQ(Deliver(messages.getNeverAdjust, w), 0);
    Deliver(messages.setNeverAdjust, w, 7);
    const DWORD marked = GetTickCount();
    EXPECT_EQ(Deliver(messages.getNeverAdjust, w), 1);
    ASSERT_EQ(control.NeverAdjustWindows.Count(), 1u);
    EXPECT_EQ(control.NeverAdjustWindows[0].caption, "Suite test window");
    Deliver(messages.setNeverAdjust, w, 7);
    EXPECT_EQ(Deliver(messages.getNeverAdjust, w), 1) << "a repeat";
    Deliver(messages.setNeverAdjust, w, 8);
    EXPECT_EQ(Deliver(messages.getNeverAdjust, w), 0) << "another parameter is no repeat";
    OutlastRepeatFilter(marked);

    Deliver(messages.sysCommand, w, 61401);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(control.HiddenWindows.Contains(w));
    Deliver(messages.sysCommand, w, 61402);
    EXPECT_TRUE(control.NeverAdjustWindows.Empty()) << "Ne&ver Adjust comes as WMSetNeverAdjust only";

    commands.RestoreHiddenWindows();
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(control.HiddenWindows.Empty());
}

TEST_F(SystemMenuCommandsTest, ActionsRefuseTheTaskbarAndWindowsWithoutCaptionOrSystemMenu) {
    struct Case {
        const char* name;
        const char* className;
        DWORD style;
    };
    const Case cases[] = {
        {"taskbar", "Shell_TrayWnd", WS_OVERLAPPEDWINDOW | WS_VISIBLE},
        {"no caption", "HooksTestNoCaption", WS_POPUP | WS_SYSMENU | WS_VISIBLE},
        {"no system menu", "HooksTestNoSystemMenu", WS_CAPTION | WS_VISIBLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::unique_hwnd window = Window(c.className, c.style);
        commands.ToggleAlwaysOnTop(window.get());
        commands.HideWindow(window.get());
        EXPECT_FALSE(IsTopmost(window.get()));
        EXPECT_TRUE(IsWindowVisible(window.get()));
        EXPECT_TRUE(control.TopmostWindows.Empty());
        EXPECT_TRUE(control.HiddenWindows.Empty());
    }
}

TEST_F(SystemMenuCommandsTest, TitleBarDoubleClickDoesTheStoredAction) {
    struct Case {
        CNCLButtonDblClk action;
        bool topmost;
        bool visible;
    };
    const Case cases[] = {
        {CNCLButtonDblClk::nbDefault, false, true},
        {CNCLButtonDblClk::nbAlwaysOnTop, true, true},
        // Not offered by the settings dialog, but a stored value works.
        {CNCLButtonDblClk::nbHideWindow, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        platform::unique_hwnd window = Window();
        control.KelvaneData().Settings().SetNCLButtonDblClk(c.action);
        Deliver(messages.ncLButtonDblClk, window.get());
        EXPECT_EQ(IsTopmost(window.get()), c.topmost);
        EXPECT_EQ(IsWindowVisible(window.get()) != FALSE, c.visible);
    }
}

TEST_F(SystemMenuCommandsTest, HideAndTopmostNotificationsKeepTheListsTrue) {
    platform::unique_hwnd window = Window();
    HWND w = window.get();
    ShowWindow(w, SW_HIDE);
    Deliver(messages.hideWindow, w);
    EXPECT_TRUE(control.HiddenWindows.Contains(w));
    ShowWindow(w, SW_SHOWNA);
    Deliver(messages.hideWindow, w);
    EXPECT_FALSE(control.HiddenWindows.Contains(w));

    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Deliver(messages.alwaysOnTop, w);
    EXPECT_TRUE(control.TopmostWindows.Contains(w));
    commands.UndoTopmostWindows();
    EXPECT_FALSE(IsTopmost(w));
    Deliver(messages.alwaysOnTop, w);
    EXPECT_FALSE(control.TopmostWindows.Contains(w));

    LRESULT result = 0;
    EXPECT_FALSE(commands.HandleMessage(WM_USER + 5, 0, 0, result)) << "other messages are the form's";
}

TEST_F(SystemMenuCommandsTest, HousekeepingDropsGoneWindowsAndUndoneStates) {
    platform::unique_hwnd kept = Window();
    platform::unique_hwnd undone = Window();
    platform::unique_hwnd gone = Window();
    for (HWND w : {kept.get(), undone.get(), gone.get()}) {
        commands.ToggleAlwaysOnTop(w);
        Deliver(messages.setNeverAdjust, w, reinterpret_cast<LPARAM>(w));
        Deliver(messages.addMenu, w);
    }
    for (HWND w : {kept.get(), undone.get(), gone.get()}) commands.HideWindow(w);
    // Someone else shows one window again and makes it non-topmost; another ends.
    SetWindowPos(undone.get(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    const HWND goneWindow = gone.get();
    gone.reset();

    commands.PruneWindowLists();
    auto windows = [](const kelvane::CWindowList& list) {
        std::vector<HWND> handles;
        for (const auto& entry : list) handles.push_back(entry.window);
        return handles;
    };
    EXPECT_EQ(windows(control.NeverAdjustWindows), (std::vector<HWND>{kept.get(), undone.get()}));
    EXPECT_EQ(windows(control.SystemMenuWindows), (std::vector<HWND>{kept.get(), undone.get()}));
    EXPECT_EQ(windows(control.HiddenWindows), std::vector<HWND>{kept.get()});
    EXPECT_EQ(windows(control.TopmostWindows), std::vector<HWND>{kept.get()});
    EXPECT_FALSE(control.NeverAdjustWindows.Contains(goneWindow));
}

TEST_F(SystemMenuCommandsTest, AHelperProgramsWindowGetsTheCommandsAndTheirActions) {
    control.KelvaneData().Settings().SetAddSystemMenuCommands(true);
    ASSERT_TRUE(commands.SwitchSystemHooks(true)) << commands.LoadFailure();
    test_support::RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Kelvane helper");
    ASSERT_TRUE(helperProgram.Started()) << LastErrorText();
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper);

    // Wine gives no system menu of another process's window: the library
    // puts the commands in inside the helper's process.
    EXPECT_TRUE(WaitUntil([&] { return control.SystemMenuWindows.Contains(helper); }));
    EXPECT_TRUE(WaitUntil([&] { return (HelperState(helper) & 0x7) == 0x7; }));

    // A menu choice as the helper's menu posts it.
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(helper); }));
    const DWORD first = GetTickCount();
    EXPECT_TRUE(control.TopmostWindows.Contains(helper));
    OutlastRepeatFilter(first);
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(helper); }));
    EXPECT_FALSE(control.TopmostWindows.Contains(helper));

    PostMessageA(helper, WM_SYSCOMMAND, 61402, 0);
    EXPECT_TRUE(WaitUntil([&] { return control.NeverAdjustWindows.Contains(helper); }));
    // The mark shows when the menu next opens (as Alt+Space opens it).
    PostMessageA(helper, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(WaitUntil([&] { return (HelperState(helper) & 0x40) != 0; })) << "Ne&ver Adjust checked";
    SendMessageTimeoutA(helper, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);

    PostMessageA(helper, WM_SYSCOMMAND, 61401, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(helper); }));
    EXPECT_TRUE(control.HiddenWindows.Contains(helper));
    commands.RestoreHiddenWindows();  // as Exit does
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(helper) != FALSE; }));

    control.KelvaneData().Settings().SetNCLButtonDblClk(CNCLButtonDblClk::nbAlwaysOnTop);
    commands.SendDoubleClickAction();
    PostMessageA(helper, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(150, 110));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(helper); }));
    EXPECT_FALSE(HelperState(helper) & kStateSawDoubleClick) << "the window's own double-click is suppressed";
}

TEST_F(SystemMenuCommandsTest, SavingWithTheCommandsOffRemovesThemEverywhereAndUnloadsTheLibrary) {
    const std::string library = test_support::BinPath("hookshim.dll");
    commands.FollowSettings();
    // What the main form's ApplySettings does after a save.
    control.pOnDataAspectChanged = [&](kelvane::CControl&, int aspect) {
        if (aspect == kelvane::kAspectDataSaved && !control.Settings().AddSystemMenuCommands())
            commands.RemoveCommandsFromAllWindows();
    };
    platform::unique_hwnd own = Window();
    const std::vector<MenuItem> ownOriginal = SystemMenuItems(own.get());
    control.KelvaneData().Settings().SetAddSystemMenuCommands(true);
    control.KelvaneData().Save();
    ASSERT_TRUE(commands.HooksOn()) << commands.LoadFailure();
    ASSERT_TRUE(GetModuleHandleA(library.c_str()));

    test_support::RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Saved helper");
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper);
    Deliver(messages.addMenu, own.get());
    ASSERT_TRUE(WaitUntil([&] { return (HelperState(helper) & 0x7) == 0x7; }));
    ASSERT_EQ(LastItems(own.get(), 4), Commands(false, false));

    control.KelvaneData().Settings().SetAddSystemMenuCommands(false);
    control.KelvaneData().Save();
    EXPECT_EQ(HelperState(helper) & 0x7, 0u) << "gone from the other process's window";
    EXPECT_EQ(SystemMenuItems(own.get()), ownOriginal);
    EXPECT_TRUE(control.SystemMenuWindows.Empty());
    EXPECT_FALSE(commands.HooksOn());
    EXPECT_FALSE(commands.LibraryLoaded());
    EXPECT_FALSE(GetModuleHandleA(library.c_str())) << "the library is unloaded";

    // A window that appears now gets nothing.
    PostMessageA(helper, WM_SYSCOMMAND, 61400, 0);
    EXPECT_TRUE(WaitUntil([&] { return (HelperState(helper) & kStateSawCommand) != 0; }));
    EXPECT_FALSE(IsTopmost(helper));
}

TEST_F(SystemMenuCommandsTest, SwitchingToTheCurrentValueDoesNothing) {
    const std::string library = test_support::BinPath("hookshim.dll");
    EXPECT_TRUE(commands.SwitchSystemHooks(false));
    EXPECT_FALSE(commands.LibraryLoaded());
    ASSERT_TRUE(commands.SwitchSystemHooks(true));
    HMODULE loaded = GetModuleHandleA(library.c_str());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(commands.SwitchSystemHooks(true));
    // One load only: a single FreeLibrary of the switch unloads it.
    EXPECT_TRUE(commands.SwitchSystemHooks(false));
    EXPECT_FALSE(GetModuleHandleA(library.c_str()));
}

TEST(SystemMenuCommandsLoad, AMissingOrBrokenLibraryGivesTheMessageThatEndsTheProgram) {
    test_support::ScratchRegistry scratch;
    test_support::ScratchFolder folder;
    const std::string broken = folder.Path() + "\\hookshim.dll";
    std::ofstream(broken) << "not a library";
    struct Case {
        std::string libraryName;
        std::string message;
    };
    const Case cases[] = {
        {folder.Path() + "\\missing\\hookshim.Dll",
         "Nimbrel Kelvane must terminate. Could not find the required file 'hookshim.Dll' in the path. You may need "
         "to reinstall the application."},
        {broken, "Nimbrel Kelvane must terminate. Could not load hookshim.Dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.libraryName);
        kelvane::CKelvane control;
        MainForm form;
        SystemMenuCommands commands(control, form.Window(), c.libraryName);
        std::vector<std::string> raised;
        commands.OnLoadFailure = [&](const std::string& message) { raised.push_back(message); };
        EXPECT_FALSE(commands.SwitchSystemHooks(true));
        EXPECT_EQ(commands.LoadFailure(), c.message);
        EXPECT_EQ(raised, std::vector<std::string>{c.message});
        EXPECT_FALSE(commands.HooksOn());
        EXPECT_FALSE(commands.LibraryLoaded());
    }
}

}  // namespace
