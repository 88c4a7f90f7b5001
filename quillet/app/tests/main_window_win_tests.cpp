// The main window in the test's own process, with the shared test
// application: the tray records it hands the taskbar, the hand-over of paths
// around its busy times, and the message framework it sits on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "quillet/app/app_rules.h"
#include "quillet/app/main_window_win32.h"
#include "quillet/app/window_framework_win32.h"
#include "quillet/options/options.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::FakeTaskbar;
using test_support::WaitUntil;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window());
        RegisterQuilletMessages(GetModuleHandleA(nullptr));
        ASSERT_EQ(window.Create(GetModuleHandleA(nullptr)), MainWindow::CreateResult::Created)
            << test_support::LastErrorText();
        application.SetMainWindow(window.Window());
        // The tip of the day would hold the first refresh in its dialog.
        platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKeyPath(application.Texts().Facts()))
            .WriteDword(kShowTipsValueName, 0);
    }

    // The window posts the quit message as it goes; the next test's menus
    // would find it waiting.
    void TearDown() override {
        if (window.Window()) DestroyWindow(window.Window());
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    Object& AddTrayIcon(const std::string& name) {
        EXPECT_EQ(application.Model().AddStandardTrayIcon(), kStatusOk);
        IconSetRoot* root = application.Model().Root();
        Object& icon = *root->GetChild(root->Count() - 1);
        if (!name.empty()) icon.SetProperty(kTagName, Value::FromText(name));
        return icon;
    }

    // The (message, id) of each taskbar call from `from` on.
    std::vector<std::pair<DWORD, UINT>> CallsSince(size_t from) const {
        std::vector<std::pair<DWORD, UINT>> calls;
        for (size_t i = from; i < taskbar.Calls().size(); ++i)
            calls.emplace_back(taskbar.Calls()[i].message, taskbar.Calls()[i].id);
        return calls;
    }

    test_support::ScratchRegistry registry;
    FakeTaskbar taskbar;
    TestApplication application;
    MainWindow window{application};
};

TEST_F(MainWindowTest, RefreshPutsUpUpdatesAndTakesDownTheIconsOfTheIconSet) {
    const std::string longName(100, 'n');
    AddTrayIcon("");  // the root's title
    AddTrayIcon(longName);
    AddTrayIcon("Third");
    AddTrayIcon("Fourth");
    AddTrayIcon("Fifth");
    window.RefreshTrayIcons();
    ASSERT_EQ(CallsSince(0),
              (std::vector<std::pair<DWORD, UINT>>{
                  {NIM_ADD, 21200}, {NIM_ADD, 21201}, {NIM_ADD, 21202}, {NIM_ADD, 21203}, {NIM_ADD, 21204}}));
    const auto& calls = taskbar.Calls();
    EXPECT_EQ(calls[0].tip, application.Texts().ExpandMacros("%pn %pv"));
    EXPECT_EQ(calls[1].tip, std::string(63, 'n')) << "cut to what the record holds";
    EXPECT_EQ(calls[2].tip, "Third");
    for (const auto& call : calls) {
        EXPECT_EQ(call.owner, window.Window());
        EXPECT_EQ(call.callback, QuilletMessages().trayMessage);
        EXPECT_EQ(call.flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    }

    // Five reduced to three: the three left are updated, the two others go.
    IconSetRoot* root = application.Model().Root();
    ASSERT_EQ(root->RemoveAt(1), kStatusOk);
    ASSERT_EQ(root->RemoveAt(3), kStatusOk);
    size_t before = taskbar.Calls().size();
    window.RefreshTrayIcons();
    EXPECT_EQ(
        CallsSince(before),
        (std::vector<std::pair<DWORD, UINT>>{
            {NIM_MODIFY, 21200}, {NIM_MODIFY, 21201}, {NIM_MODIFY, 21202}, {NIM_DELETE, 21203}, {NIM_DELETE, 21204}}));
    EXPECT_EQ(taskbar.Calls()[before + 1].tip, "Third");
    EXPECT_EQ(window.TrayIconsUp(), 3u);
}

TEST_F(MainWindowTest, AnIconWithoutAnyNameIsCalledUnnamed) {
    application.Model().Root()->SetProgramTitle("");
    AddTrayIcon("");
    window.RefreshTrayIcons();
    ASSERT_EQ(taskbar.Calls().size(), 1u);
    EXPECT_EQ(taskbar.Calls()[0].tip, "<unnamed icon>");
}

TEST_F(MainWindowTest, ARestartedShellGetsEveryIconBack) {
    AddTrayIcon("One");
    AddTrayIcon("Two");
    window.RefreshTrayIcons();
    size_t before = taskbar.Calls().size();
    // Wine never broadcasts "TaskbarCreated"; a restarted shell would.
    SendMessageA(window.Window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(CallsSince(before), (std::vector<std::pair<DWORD, UINT>>{{NIM_ADD, 21200}, {NIM_ADD, 21201}}));
    EXPECT_EQ(taskbar.Calls().back().tip, "Two");
}

TEST_F(MainWindowTest, DestroyingTheWindowTakesEveryIconDownAndEndsTheLoop) {
    AddTrayIcon("One");
    AddTrayIcon("Two");
    window.RefreshTrayIcons();
    size_t before = taskbar.Calls().size();
    DestroyWindow(window.Window());
    EXPECT_EQ(CallsSince(before), (std::vector<std::pair<DWORD, UINT>>{{NIM_DELETE, 21200}, {NIM_DELETE, 21201}}));
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message";
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_EQ(window.TrayIconsUp(), 0u);
}

TEST_F(MainWindowTest, AHandedOverPathReachesTheWizardAndAMadeItemIsSaved) {
    AddTrayIcon("One");
    application.SetWizardResult(true);
    ATOM atom = GlobalAddAtomA("C:\\Handed Over");
    SendMessageA(window.Window(), QuilletMessages().newFile, atom, 0);
    GlobalDeleteAtom(atom);
    EXPECT_EQ(window.PendingPath(), "C:\\Handed Over") << "taken up from the posted message, not at once";
    ASSERT_TRUE(WaitUntil([&] { return application.WizardCalls().size() == 1; }));
    EXPECT_EQ(application.WizardCalls()[0].path, "C:\\Handed Over");
    EXPECT_EQ(application.WizardCalls()[0].owner, window.Window());
    EXPECT_EQ(application.WizardCalls()[0].templateItem.Get(), nullptr);
    EXPECT_EQ(application.SaveCount(), 1);
    EXPECT_EQ(window.PendingPath(), "");

    // A wizard that made nothing leaves the icon set unsaved; an empty
    // hand-over without a pending path opens nothing.
    application.SetWizardResult(false);
    window.HandleCommandLine({"quillet.exe", "-N", "C:\\Second"});
    ASSERT_TRUE(WaitUntil([&] { return application.WizardCalls().size() == 2; }));
    EXPECT_EQ(application.WizardCalls()[1].path, "C:\\Second");
    PostMessageA(window.Window(), QuilletMessages().newFile, 0, 0);
    test_support::PumpMessages();
    EXPECT_EQ(application.WizardCalls().size(), 2u);
    EXPECT_EQ(application.SaveCount(), 1);
}

TEST_F(MainWindowTest, AnAtomTooLongForAPathIsReadNoFurtherThanTheBuffer) {
    // Atom names hold at most 255 characters; the longest one still fits.
    const std::string longest(255, 'p');
    ATOM atom = GlobalAddAtomA(longest.c_str());
    ASSERT_NE(atom, 0) << test_support::LastErrorText();
    SendMessageA(window.Window(), QuilletMessages().newFile, atom, 0);
    GlobalDeleteAtom(atom);
    EXPECT_EQ(window.PendingPath(), longest);
    // An atom that no longer exists hands over nothing.
    SendMessageA(window.Window(), QuilletMessages().newFile, atom, 0);
    EXPECT_EQ(window.PendingPath(), longest);
    test_support::PumpMessages();
}

// A path handed over while the tray command menu is open waits for the menu
// to close, and is taken up right after.
MainWindow* s_window = nullptr;
ATOM s_atom = 0;
std::vector<int> s_busyWhenHandedOver;

void CALLBACK HandOverWhileTheMenuIsOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    if (test_support::VisibleMenus().empty()) return;
    KillTimer(nullptr, timer);
    s_busyWhenHandedOver.push_back(s_window->Busy());
    SendMessageA(s_window->Window(), QuilletMessages().newFile, s_atom, 0);
    test_support::PumpMessages();
    EndMenu();
}

TEST_F(MainWindowTest, APathHandedOverWhileTheCommandMenuIsOpenWaitsForIt) {
    AddTrayIcon("One");
    s_window = &window;
    s_atom = GlobalAddAtomA("C:\\During The Menu");
    s_busyWhenHandedOver.clear();
    SetTimer(nullptr, 0, 50, HandOverWhileTheMenuIsOpen);
    SendMessageA(window.Window(), QuilletMessages().trayMessage, kFirstTrayIconId, WM_RBUTTONDOWN);
    GlobalDeleteAtom(s_atom);
    ASSERT_EQ(s_busyWhenHandedOver, std::vector<int>{1}) << "the menu did not open, or was not counted busy";
    ASSERT_EQ(application.WizardCalls().size(), 1u) << "taken up when the menu closed";
    EXPECT_EQ(application.WizardCalls()[0].path, "C:\\During The Menu");
    EXPECT_EQ(window.Busy(), 0);
    EXPECT_EQ(window.PendingPath(), "");
}

TEST_F(MainWindowTest, APathHandedOverWhileTheWizardRunsIsTakenUpAfterIt) {
    AddTrayIcon("One");
    application.SetWizardResult(true);
    // The save after the first wizard is still inside the busy time.
    bool handedOver = false;
    application.SetSaveHandler([&](HWND) {
        if (handedOver) return true;
        handedOver = true;
        EXPECT_EQ(window.Busy(), 1);
        ATOM atom = GlobalAddAtomA("C:\\Second");
        SendMessageA(window.Window(), QuilletMessages().newFile, atom, 0);
        GlobalDeleteAtom(atom);
        test_support::PumpMessages();
        return true;
    });
    window.HandleCommandLine({"quillet.exe", "/N", "C:\\First"});
    ASSERT_TRUE(WaitUntil([&] { return application.WizardCalls().size() == 2; })) << "the second path was lost";
    EXPECT_EQ(application.WizardCalls()[0].path, "C:\\First");
    EXPECT_EQ(application.WizardCalls()[1].path, "C:\\Second");
    EXPECT_EQ(window.PendingPath(), "");
}

TEST_F(MainWindowTest, AQuitMessageWaitingWhenATrayMenuWouldOpenIsKeptAndNoMenuOpens) {
    AddTrayIcon("One");
    PostQuitMessage(7);
    // A menu's own loop would hold the thread over the quit message.
    SendMessageA(window.Window(), QuilletMessages().trayMessage, kFirstTrayIconId, WM_RBUTTONDOWN);
    EXPECT_EQ(window.Busy(), 0);
    MSG quit = {};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was swallowed";
    EXPECT_EQ(quit.wParam, 7u);
}

TEST_F(MainWindowTest, TrayMessagesOfIconsThatAreNotUpAndOtherMouseMessagesDoNothing) {
    AddTrayIcon("One");
    window.RefreshTrayIcons();
    for (LPARAM mouse : {LPARAM(WM_MOUSEMOVE), LPARAM(WM_LBUTTONUP), LPARAM(WM_LBUTTONDOWN)}) {
        SendMessageA(window.Window(), QuilletMessages().trayMessage, kFirstTrayIconId + 1, mouse);
        SendMessageA(window.Window(), QuilletMessages().trayMessage, kFirstTrayIconId - 1, mouse);
    }
    SendMessageA(window.Window(), QuilletMessages().trayMessage, kFirstTrayIconId, WM_MOUSEMOVE);
    EXPECT_EQ(window.Busy(), 0);
    EXPECT_TRUE(test_support::VisibleMenus().empty());
}

TEST_F(MainWindowTest, TheHotkeyFollowsTheSettingsAtOnce) {
    HWND probe = window.Window();
    IconSetRoot* root = application.Model().Root();
    HWND other = test_support::CreateTestWindow("QuilletHotkeyOther", {0, 0, 10, 10}, WS_POPUP).release();
    auto taken = [&] {
        if (RegisterHotKey(other, 9, MOD_CONTROL | MOD_ALT, VK_F9)) {
            UnregisterHotKey(other, 9);
            return false;
        }
        return true;
    };
    ASSERT_TRUE(root->SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeCustom)));
    ASSERT_TRUE(root->SetProperty(kTagCustomHotkey, Value::FromInteger(0x0378)));
    EXPECT_TRUE(taken()) << "Ctrl+Alt+F9 was not registered for " << probe;
    ASSERT_TRUE(root->SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeNone)));
    EXPECT_FALSE(taken()) << "custom to none did not unregister it";
    DestroyWindow(other);
}

TEST_F(MainWindowTest, TheWindowAnswersItsFrameworkObjectOnlyInItsOwnProcess) {
    EXPECT_EQ(FrameworkWindowOf(window.Window()), static_cast<FrameworkWindow*>(&window));
    auto plain = test_support::CreateTestWindow("QuilletPlainWindow", {0, 0, 10, 10}, WS_POPUP);
    EXPECT_EQ(FrameworkWindowOf(plain.get()), nullptr);
    EXPECT_EQ(FrameworkWindowOf(nullptr), nullptr);
}

// A framework window that takes F1 for itself.
class KeyTakingWindow : public platform::BaseWindow<KeyTakingWindow>, public FrameworkWindow {
public:
    KeyTakingWindow() {
        WNDCLASSEXA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuilletKeyTakingWindow";
        platform::RegisterWindowClass(windowClass);
        CreateBound(0, "QuilletKeyTakingWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                    GetModuleHandleA(nullptr));
        m_child = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, m_window, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~KeyTakingWindow() {
        if (m_window) DestroyWindow(m_window);
    }
    HWND Child() const { return m_child; }
    const std::vector<UINT>& Offered() const { return m_offered; }

    bool PreTranslateMessage(const MSG& message) override {
        m_offered.push_back(message.message);
        return message.message == WM_KEYDOWN && message.wParam == VK_F1;
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == QuilletMessages().getPointer)
            return reinterpret_cast<LRESULT>(static_cast<FrameworkWindow*>(this));
        return DefaultHandling(message, wParam, lParam);
    }

private:
    HWND m_child = nullptr;
    std::vector<UINT> m_offered;
};

TEST(MessageFilterHookTest, KeysOfAFrameworkWindowAreOfferedFromTheirWindowUpThroughItsParents) {
    RegisterQuilletMessages(GetModuleHandleA(nullptr));
    MessageFilterHook hook;
    ASSERT_TRUE(hook.Installed()) << test_support::LastErrorText();
    KeyTakingWindow framework;
    SetForegroundWindow(framework.Window());
    SetActiveWindow(framework.Window());
    ASSERT_EQ(GetActiveWindow(), framework.Window());

    struct Case {
        UINT message;
        WPARAM key;
        BOOL consumed;
        size_t offered;
    } cases[] = {
        {WM_KEYDOWN, VK_F1, TRUE, 1}, {WM_KEYDOWN, VK_F2, FALSE, 1},
        {WM_SYSCHAR, 'x', FALSE, 1},                          // 0x106, inside the keyboard range
        {WM_MOUSEMOVE, 0, FALSE, 0},  {0x0109, 0, FALSE, 0},  // WM_UNICHAR, beyond it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        size_t before = framework.Offered().size();
        MSG message = {framework.Child(), c.message, c.key, 0, 0, {}};
        // CallMsgFilter runs the thread's WH_MSGFILTER hooks as a dialog's loop does.
        EXPECT_EQ(CallMsgFilterA(&message, MSGF_DIALOGBOX) != FALSE, c.consumed != FALSE);
        EXPECT_EQ(framework.Offered().size() - before, c.offered);
    }

    // Another window active: nothing is offered.
    auto plain = test_support::CreateTestWindow("QuilletPlainActive", {0, 0, 50, 50}, WS_POPUP | WS_VISIBLE);
    SetActiveWindow(plain.get());
    size_t before = framework.Offered().size();
    MSG message = {framework.Child(), WM_KEYDOWN, VK_F1, 0, 0, {}};
    EXPECT_FALSE(CallMsgFilterA(&message, MSGF_DIALOGBOX));
    EXPECT_EQ(framework.Offered().size(), before);
}

}  // namespace
}  // namespace quillet
