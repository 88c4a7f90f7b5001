// hookshim.dll for real: the library is loaded as the program loads it, its
// hooks reach a helper program's window in a process of its own, and what
// they report arrives at a receiver window of this test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hookshim/hookshim_protocol.h"
#include "hookshim/tests/hook_test_support.h"
#include "platform/handles.h"
#include "test_support/win_test_support.h"

namespace {

using hook_tests::HelperState;
using test_support::LastErrorText;
using test_support::WaitUntil;

struct Report {
    UINT message;
    HWND window;
    LPARAM lParam;
};

// Stands in for the program's hidden main form: records every report of the
// library and answers the never-adjust question.
class Receiver : public hook_tests::ReceiverWindow<Receiver> {
public:
    Receiver() { CreateHidden("HookshimTestReceiver"); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message >= 0xC000 && message <= 0xFFFF) {
            reports.push_back({message, reinterpret_cast<HWND>(wParam), lParam});
            if (message == getNeverAdjust) return neverAdjustAnswer;
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }

    int Count(UINT message, HWND window) const {
        int count = 0;
        for (const Report& report : reports)
            if (report.message == message && report.window == window) ++count;
        return count;
    }

    std::vector<Report> reports;
    UINT getNeverAdjust = RegisterWindowMessageA(hookshim::kWMGetNeverAdjust);
    LRESULT neverAdjustAnswer = 0;
};

constexpr unsigned kAllCommands = 0x7;
unsigned Commands(unsigned state) {
    return state & kAllCommands;
}
unsigned Checks(unsigned state) {
    return (state >> 4) & kAllCommands;
}
unsigned ItemCount(unsigned state) {
    return state >> kStateItemCountShift;
}

HWND OpenMenuWindow() {
    return FindWindowA("#32768", nullptr);
}

class HookshimTest : public testing::Test {
protected:
    void SetUp() override {
        library.reset(LoadLibraryA(test_support::BinPath("hookshim.dll").c_str()));
        ASSERT_TRUE(library) << LastErrorText();
        start = reinterpret_cast<BOOL(WINAPI*)(HWND)>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "shStartSysHooks")));
        end =
            reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(library.get(), "shEndSysHooks")));
        setAction = reinterpret_cast<void(WINAPI*)(BYTE)>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "shSetNCLButtonDblClk")));
        ASSERT_TRUE(start && end && setAction) << "the exports carry their plain names";
        ASSERT_TRUE(receiver.Window());
    }
    void TearDown() override {
        if (end) end();
    }

    UINT Message(const char* name) { return RegisterWindowMessageA(name); }

    platform::unique_hmodule library;
    BOOL(WINAPI* start)(HWND) = nullptr;
    void(WINAPI* end)() = nullptr;
    void(WINAPI* setAction)(BYTE) = nullptr;
    Receiver receiver;
};

TEST_F(HookshimTest, ReportsAnotherProcessWindowAndEditsItsSystemMenuThere) {
    ASSERT_TRUE(start(receiver.Window()));
    test_support::RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Hooked helper");
    ASSERT_TRUE(helperProgram.Started()) << LastErrorText();
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper);

    const UINT addMenu = Message(hookshim::kWMAddMenu);
    EXPECT_TRUE(WaitUntil([&] { return receiver.Count(addMenu, helper) == 1; })) << "WMAddMenu when the window appears";
    const unsigned plain = HelperState(helper);
    EXPECT_EQ(Commands(plain), 0u) << "the library adds nothing by itself before the menu opens";

    // Opening the system menu (as Alt+Space does) puts the commands in with
    // the program's never-adjust answer.
    receiver.neverAdjustAnswer = 1;
    PostMessageA(helper, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(WaitUntil([&] { return receiver.Count(Message(hookshim::kWMInitMenu), helper) == 1; }));
    EXPECT_EQ(receiver.Count(receiver.getNeverAdjust, helper), 1);
    unsigned opened = 0;
    EXPECT_TRUE(WaitUntil([&] { return Commands(opened = HelperState(helper)) == kAllCommands; }));
    EXPECT_EQ(Checks(opened), 0x4u) << "Ne&ver Adjust checked, Always On Top not";
    EXPECT_EQ(ItemCount(opened), ItemCount(plain) + 4) << "a separator and three commands";
    HWND menuWindow = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (menuWindow = OpenMenuWindow()) && IsWindowVisible(menuWindow); }));
    EXPECT_FALSE(test_support::SaveScreenPicture("kelvane-system-menu", menuWindow).empty());
    SendMessageTimeoutA(helper, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(WaitUntil([] { return !OpenMenuWindow() || !IsWindowVisible(OpenMenuWindow()); }));

    // A second opening refreshes the marks and appends nothing.
    receiver.neverAdjustAnswer = 0;
    SetWindowPos(helper, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PostMessageA(helper, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(WaitUntil([&] { return receiver.Count(Message(hookshim::kWMInitMenu), helper) == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return Checks(HelperState(helper)) == 0x1u; }));
    EXPECT_EQ(ItemCount(HelperState(helper)), ItemCount(plain) + 4);
    SendMessageTimeoutA(helper, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);

    // The program's requests: take the commands out, put them back with marks.
    const UINT edit = Message(hookshim::kEditMenuRequest);
    SendMessageTimeoutA(helper, edit, static_cast<WPARAM>(hookshim::MenuEdit::Remove), 0, SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    EXPECT_EQ(HelperState(helper) & 0xFFFF00FFu, plain & 0xFFFF00FFu) << "the menu is as it was";
    SendMessageTimeoutA(helper, edit, static_cast<WPARAM>(hookshim::MenuEdit::AddOrRefresh), hookshim::kMarkNeverAdjust,
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(Commands(HelperState(helper)), kAllCommands);
    EXPECT_EQ(Checks(HelperState(helper)), 0x4u);

    PostMessageA(helper, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return receiver.Count(Message(hookshim::kWMRemoveMenu), helper) == 1; }))
        << "WMRemoveMenu when the window goes";
}

TEST_F(HookshimTest, ReportsChosenCommandsAndTitleBarDoubleClicksInsteadOfTheWindow) {
    ASSERT_TRUE(start(receiver.Window()));
    test_support::RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Commands helper");
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper);
    const UINT sysCommand = Message(hookshim::kWMSysCommand);
    const UINT setNeverAdjust = Message(hookshim::kWMSetNeverAdjust);
    const UINT doubleClick = Message(hookshim::kWMNCLButtonDBLCLK);

    // What a menu choice posts.
    PostMessageA(helper, WM_SYSCOMMAND, hookshim::kCommandAlwaysOnTop, 0);
    PostMessageA(helper, WM_SYSCOMMAND, hookshim::kCommandHideWindow, 0);
    PostMessageA(helper, WM_SYSCOMMAND, hookshim::kCommandNeverAdjust, MAKELPARAM(40, 50));
    ASSERT_TRUE(WaitUntil([&] { return receiver.Count(setNeverAdjust, helper) == 1; }));
    std::vector<std::pair<UINT, LPARAM>> commands;
    for (const Report& report : receiver.reports)
        if (report.window == helper && (report.message == sysCommand || report.message == setNeverAdjust))
            commands.emplace_back(report.message, report.lParam);
    const std::vector<std::pair<UINT, LPARAM>> expected = {
        {sysCommand, 61400}, {sysCommand, 61401}, {setNeverAdjust, MAKELPARAM(40, 50)}};
    EXPECT_EQ(commands, expected);
    EXPECT_FALSE(HelperState(helper) & kStateSawCommand) << "the window never acts on the commands itself";

    // With an action set, a title-bar double-click is the program's alone.
    setAction(1);
    PostMessageA(helper, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(150, 110));
    EXPECT_TRUE(WaitUntil([&] { return receiver.Count(doubleClick, helper) == 1; }));
    EXPECT_FALSE(HelperState(helper) & kStateSawDoubleClick);

    // With the default action the window keeps its own behaviour and the
    // program hears nothing.
    setAction(0);
    PostMessageA(helper, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(150, 110));
    EXPECT_TRUE(WaitUntil([&] { return (HelperState(helper) & kStateSawDoubleClick) != 0; }));
    test_support::PumpMessages();
    EXPECT_EQ(receiver.Count(doubleClick, helper), 1);
}

TEST_F(HookshimTest, AfterTheHooksEndAWindowGetsItsMessagesAgain) {
    ASSERT_TRUE(start(receiver.Window()));
    test_support::RunningProgram helperProgram(hook_tests::HookTestWindowPath(), "Unhooked helper");
    HWND helper = helperProgram.WaitForWindow(kHookTestWindowClass);
    ASSERT_TRUE(helper);
    ASSERT_TRUE(WaitUntil([&] { return receiver.Count(Message(hookshim::kWMAddMenu), helper) == 1; }));

    end();
    PostMessageA(helper, WM_SYSCOMMAND, hookshim::kCommandAlwaysOnTop, 0);
    EXPECT_TRUE(WaitUntil([&] { return (HelperState(helper) & kStateSawCommand) != 0; }));
    test_support::PumpMessages();
    EXPECT_EQ(receiver.Count(Message(hookshim::kWMSysCommand), helper), 0);
    EXPECT_TRUE(helperProgram.Running()) << "the hooked program lives on";
}

}  // namespace
