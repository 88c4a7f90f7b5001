// End to end: the real vorrin.exe, driven through its window the way the shell
// and the user would drive it, against a desktop window the test provides.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/tray.h"
#include "platform/windows_list.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"
#include "vorrin/toggler_names.h"
#include "vorrin/toggler_rules.h"

using test_support::RunningProgram;
using test_support::WaitUntil;

namespace vorrin {
namespace {

// Where the tray menu is opened: near the bottom-right corner, as over a taskbar.
constexpr POINT kClickPoint = {900, 700};

HWND VisibleWindowOf(DWORD processId, const char* className, const char* title = nullptr) {
    for (HWND window : test_support::ProcessWindows(processId, className)) {
        if (!IsWindowVisible(window)) continue;
        if (title) {
            char text[128] = {};
            GetWindowTextA(window, text, sizeof text);
            if (std::string(text) != title) continue;
        }
        return window;
    }
    return nullptr;
}

HWND WaitForVisibleWindow(DWORD processId, const char* className, const char* title = nullptr) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = VisibleWindowOf(processId, className, title)) != nullptr; });
    // A round trip through its thread: the window has been painted by then.
    if (found) SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    return found;
}

std::string DialogText(HWND box) {
    // The text of a message box sits in a static control with identifier 0xFFFF.
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

bool CloseMessageBox(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(box); });
}

// Icons of every program in the notification area. Under a bare X server Wine
// shows the area as a standalone window with one child window per icon.
int TrayIconCount() {
    int count = 0;
    for (HWND top : platform::TopLevelWindows()) {
        if (platform::WindowClassName(top) != "__winex11_standalone_tray") continue;
        for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (platform::WindowClassName(child) == "__winex11_tray_icon") ++count;
        }
    }
    return count;
}

HWND TrayWindow() {
    for (HWND top : platform::TopLevelWindows()) {
        if (platform::WindowClassName(top) == "__winex11_standalone_tray") return top;
    }
    return nullptr;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Sets an environment variable for the programs this test starts, and takes it
// away again.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(m_name, nullptr); }

private:
    const char* m_name;
};

// The programs this test starts inherit its current folder.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string& folder) {
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~ScopedCurrentFolder() { SetCurrentDirectoryA(m_previous); }

private:
    char m_previous[MAX_PATH] = {};
};

// The shell's desktop window, played by a window of the test, which records
// every WM_SHOWWINDOW it receives (TRUE shown, FALSE hidden).
class VorrinTest : public testing::Test {
protected:
    void SetUp() override {
        m_desktop = test_support::CreateTestWindow(kDesktopWindowClass, RECT{620, 420, 820, 520});
        ASSERT_TRUE(m_desktop) << test_support::LastErrorText();
        s_recorder = this;
        s_originalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(m_desktop.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
        m_trayIconsBefore = TrayIconCount();
    }

    void TearDown() override {
        m_desktop.reset();
        s_recorder = nullptr;
    }

    bool DesktopShown() const { return IsWindowVisible(m_desktop.get()) != FALSE; }
    bool WaitForDesktop(bool shown) {
        return WaitUntil([&] { return DesktopShown() == shown; });
    }
    void HideDesktopAsAnotherProgramDid() {
        ShowWindow(m_desktop.get(), SW_HIDE);
        m_showWindow.clear();
    }

    static std::unique_ptr<RunningProgram> Start(const std::string& arguments = "") {
        return std::make_unique<RunningProgram>(test_support::BinPath("vorrin.exe"), arguments);
    }

    static void PostTrayMouse(HWND window, UINT mouseMessage) {
        PostMessageA(window, kTrayCallbackMessage, kTrayIconId, mouseMessage);
    }
    static void LeftClick(HWND window) {
        PostTrayMouse(window, WM_LBUTTONDOWN);
        PostTrayMouse(window, WM_LBUTTONUP);
    }

    // Opens the tray menu with a right click and returns its window.
    static HWND OpenTrayMenu(const RunningProgram& program, HWND window) {
        SetCursorPos(kClickPoint.x, kClickPoint.y);
        PostTrayMouse(window, WM_RBUTTONDOWN);
        PostTrayMouse(window, WM_RBUTTONUP);
        return WaitForVisibleWindow(program.Id(), "#32768");
    }
    static void PressKeys(HWND menu, std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
    }
    static bool WaitForMenusClosed(const RunningProgram& program) {
        return WaitUntil([&] { return VisibleWindowOf(program.Id(), "#32768") == nullptr; });
    }

    // The program handles its posted messages in order: once an About box
    // posted after them has come up, everything posted earlier has been
    // handled. The box is closed again.
    static bool HandlePostedMessages(const RunningProgram& program, HWND window) {
        PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
        HWND box = WaitForVisibleWindow(program.Id(), "#32770", "About Vorrin");
        return box && CloseMessageBox(box);
    }

    static bool Quit(RunningProgram& program, HWND window) {
        PostMessageA(window, WM_COMMAND, IDM_QUIT, 0);
        return program.WaitForExit() == std::optional<DWORD>(0);
    }

    platform::unique_hwnd m_desktop;
    std::vector<bool> m_showWindow;
    int m_trayIconsBefore = 0;

private:
    static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SHOWWINDOW && s_recorder) s_recorder->m_showWindow.push_back(wParam != FALSE);
        return CallWindowProcA(s_originalProc, window, message, wParam, lParam);
    }
    static inline VorrinTest* s_recorder = nullptr;
    static inline WNDPROC s_originalProc = nullptr;
};

TEST_F(VorrinTest, SwitchesWithQuitActAndLeaveWithExitCodeZeroWithoutATrayIcon) {
    struct Case {
        const char* arguments;
        bool shownBefore;
        bool shownAfter;
        std::vector<bool> showWindow;
    };
    const Case cases[] = {
        {"-hide -quit", true, false, {false}},
        {"-quit", true, true, {}},
        {"-quit", false, false, {}},
        // Hide is posted before show whatever their order on the command line.
        {"-show -hide -quit", true, true, {false, true}},
        {"-show -quit", false, true, {true}},
        // Anywhere in the arguments, also inside longer words.
        {"\"x-hidemyself\" /-quitnow", true, false, {false}},
        // Capitals are not switches.
        {"-HIDE -Show -quit", true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("arguments: ") + c.arguments);
        if (c.shownBefore) {
            ShowWindow(m_desktop.get(), SW_SHOW);
            m_showWindow.clear();
        } else {
            HideDesktopAsAnotherProgramDid();
        }

        auto program = Start(c.arguments);
        ASSERT_TRUE(program->Started()) << test_support::LastErrorText();
        int mostTrayIcons = TrayIconCount();
        bool ended = WaitUntil([&] {
            mostTrayIcons = std::max(mostTrayIcons, TrayIconCount());
            return !program->Running();
        });
        ASSERT_TRUE(ended);
        EXPECT_EQ(std::optional<DWORD>(0), program->WaitForExit());
        EXPECT_EQ(m_trayIconsBefore, mostTrayIcons) << "no tray icon is put up with -quit";
        EXPECT_EQ(c.shownAfter, DesktopShown());
        EXPECT_EQ(c.showWindow, m_showWindow);
    }
}

TEST_F(VorrinTest, HideAndShowWithoutQuitEndShownAndStayInTheTrayBelievingTheDesktopShown) {
    auto program = Start("-hide -show");
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window)) << "the window only owns the tray icon";

    ASSERT_TRUE(WaitUntil([&] { return m_showWindow.size() == 2; }));
    EXPECT_EQ((std::vector<bool>{false, true}), m_showWindow);
    EXPECT_TRUE(DesktopShown());
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_trayIconsBefore + 1; }));

    LeftClick(window);
    EXPECT_TRUE(WaitForDesktop(false)) << "believed shown, so the first click hides";

    ASSERT_TRUE(Quit(*program, window));
    EXPECT_EQ(m_trayIconsBefore, TrayIconCount()) << "the icon goes with the program";
}

TEST_F(VorrinTest, SwitchesInCapitalsAreIgnoredAndTheProgramStays) {
    auto program = Start("-HIDE -SHOW -QUIT");
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);
    ASSERT_TRUE(HandlePostedMessages(*program, window));
    EXPECT_TRUE(program->Running());
    EXPECT_TRUE(DesktopShown());
    EXPECT_TRUE(m_showWindow.empty());
    EXPECT_EQ(m_trayIconsBefore + 1, TrayIconCount());
    EXPECT_TRUE(Quit(*program, window));
}

TEST_F(VorrinTest, LeftClickOnTheTrayIconTogglesByTheBelievedState) {
    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);

    for (bool shownAfterClick : {false, true, false, true}) {
        SCOPED_TRACE(shownAfterClick ? "click to show" : "click to hide");
        LeftClick(window);
        EXPECT_TRUE(WaitForDesktop(shownAfterClick));
    }
    PostTrayMouse(window, WM_LBUTTONDBLCLK);
    PostTrayMouse(window, WM_MOUSEMOVE);
    ASSERT_TRUE(HandlePostedMessages(*program, window));
    EXPECT_TRUE(DesktopShown()) << "only the button's release toggles";
    EXPECT_EQ((std::vector<bool>{false, true, false, true}), m_showWindow);
    EXPECT_TRUE(Quit(*program, window));
}

TEST_F(VorrinTest, AFreshStartBelievesTheDesktopShownEvenWhenItIsHidden) {
    auto hider = Start("-hide -quit");
    ASSERT_EQ(std::optional<DWORD>(0), hider->WaitForExit());
    ASSERT_FALSE(DesktopShown());

    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);
    // Sent rather than posted: when it returns, the hide command it chose is
    // already queued before the About box that marks the end.
    SendMessageA(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    SendMessageA(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    ASSERT_TRUE(HandlePostedMessages(*program, window));
    EXPECT_FALSE(DesktopShown()) << "the first click hides again";

    LeftClick(window);
    EXPECT_TRUE(WaitForDesktop(true)) << "the second one shows";

    // Leaving does not bring the desktop icons back.
    LeftClick(window);
    ASSERT_TRUE(WaitForDesktop(false));
    ASSERT_TRUE(Quit(*program, window));
    EXPECT_FALSE(DesktopShown());
}

TEST_F(VorrinTest, TrayMenuHidesAndShowsAndIgnoresClicksWhileOpen) {
    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);

    HWND menu = OpenTrayMenu(*program, window);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(test_support::WaitUntilDrawn(menu));
    EXPECT_FALSE(test_support::SaveScreenPicture("vorrin-tray-menu", menu).empty());

    // A click while the menu is open is dropped, not nested.
    LeftClick(window);
    PressKeys(menu, {VK_ESCAPE});
    ASSERT_TRUE(WaitForMenusClosed(*program));
    ASSERT_TRUE(HandlePostedMessages(*program, window));
    EXPECT_TRUE(DesktopShown());
    EXPECT_FALSE(VisibleWindowOf(program->Id(), "#32770", "TrackPopupMenu() Failed"))
        << "closing the menu without a choice is no failure";

    menu = OpenTrayMenu(*program, window);
    ASSERT_TRUE(menu);
    PressKeys(menu, {VK_DOWN, VK_RETURN});  // "Hide Desktop Icons"
    EXPECT_TRUE(WaitForDesktop(false));
    ASSERT_TRUE(WaitForMenusClosed(*program));

    menu = OpenTrayMenu(*program, window);
    ASSERT_TRUE(menu);
    PressKeys(menu, {VK_DOWN, VK_DOWN, VK_RETURN});  // "Show Desktop Icons"
    EXPECT_TRUE(WaitForDesktop(true));
    ASSERT_TRUE(WaitForMenusClosed(*program));

    // The left click works again once the menu has closed.
    LeftClick(window);
    EXPECT_TRUE(WaitForDesktop(false));

    menu = OpenTrayMenu(*program, window);
    ASSERT_TRUE(menu);
    PressKeys(menu, {VK_UP, VK_RETURN});  // "Quit", the last item
    EXPECT_EQ(std::optional<DWORD>(0), program->WaitForExit());
    EXPECT_EQ(m_trayIconsBefore, TrayIconCount());
}

TEST_F(VorrinTest, AboutBoxHasNoOwnerAndShowsNameVersionAuthorAndAddresses) {
    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);

    PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
    HWND box = WaitForVisibleWindow(program->Id(), "#32770", "About Vorrin");
    ASSERT_TRUE(box);
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
    EXPECT_EQ(AboutText(), DialogText(box));
    EXPECT_EQ(0u, DialogText(box).find("Vorrin v2.0\n"));
    // A message box draws its text some time after it has become visible.
    EXPECT_TRUE(test_support::WaitUntilDrawn(GetDlgItem(box, 0xFFFF)));
    EXPECT_TRUE(test_support::WaitUntilDrawn(box));
    EXPECT_FALSE(test_support::SaveScreenPicture("vorrin-about", box).empty());
    ASSERT_TRUE(CloseMessageBox(box));
    EXPECT_TRUE(program->Running());
    EXPECT_TRUE(Quit(*program, window));
}

TEST_F(VorrinTest, DisplayPropertiesOpensTheDisplayAppletThroughRundll32) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    if (GetFileAttributesA((std::string(system) + "\\desk.cpl").c_str()) != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the system's own display applet would be opened instead of the stand-in";
    }
    test_support::ScratchFolder folder;
    ASSERT_TRUE(CopyFileA(VORRIN_TEST_APPLET, (folder.Path() + "\\desk.cpl").c_str(), FALSE))
        << test_support::LastErrorText();
    std::unique_ptr<RunningProgram> program;
    {
        // rundll32 finds the stand-in applet in the folder it inherits.
        ScopedCurrentFolder current(folder.Path());
        program = Start();
    }
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);

    PostMessageA(window, WM_COMMAND, IDM_DISPLAY_PROPERTIES, 0);
    std::string record;
    EXPECT_TRUE(WaitUntil([&] {
        record = ReadFile(folder.Path() + "\\applet-record.txt");
        return !record.empty();
    }));
    EXPECT_NE(std::string::npos, record.find("rundll32")) << record;
    EXPECT_NE(std::string::npos, record.find("shell32.dll,Control_RunDLL desk.cpl")) << record;
    EXPECT_TRUE(Quit(*program, window));
}

TEST_F(VorrinTest, LogOffRestartAndShutDownAskWindowsToEndTheSession) {
    test_support::ScratchFolder folder;
    std::string recordPath = folder.Path() + "\\session-end.txt";
    std::unique_ptr<RunningProgram> program;
    {
        ScopedEnvironment record(kSessionEndRecordVariable, recordPath);
        program = Start();
    }
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);

    // Restart through the menu, with the "Shut Down" submenu open.
    HWND menu = OpenTrayMenu(*program, window);
    ASSERT_TRUE(menu);
    PressKeys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN});
    // The submenu's window may exist a moment before it is shown.
    HWND submenu = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND candidate : test_support::ProcessWindows(program->Id(), "#32768")) {
            if (candidate != menu && IsWindowVisible(candidate)) submenu = candidate;
        }
        return submenu != nullptr;
    }));
    EXPECT_TRUE(test_support::WaitUntilDrawn(submenu));
    EXPECT_FALSE(test_support::SaveScreenPicture("vorrin-shut-down-menu").empty());
    PressKeys(submenu, {VK_RETURN});
    ASSERT_TRUE(WaitForMenusClosed(*program));

    PostMessageA(window, WM_COMMAND, IDM_LOG_OFF, 0);
    PostMessageA(window, WM_COMMAND, IDM_SHUT_DOWN, 0);
    ASSERT_TRUE(HandlePostedMessages(*program, window));
    EXPECT_EQ(
        "ExitWindowsEx flags=2 reserved=0 shutdown-privilege=enabled\r\n"
        "ExitWindowsEx flags=0 reserved=0 shutdown-privilege=not-needed\r\n"
        "ExitWindowsEx flags=1 reserved=0 shutdown-privilege=enabled\r\n",
        ReadFile(recordPath));
    EXPECT_TRUE(program->Running());
    EXPECT_TRUE(Quit(*program, window));
}

TEST_F(VorrinTest, TrayIconComesBackWhenTheTaskbarIsCreatedAgain) {
    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == m_trayIconsBefore + 1; }));
    HWND tray = TrayWindow();
    ASSERT_TRUE(tray);
    EXPECT_TRUE(test_support::WaitUntilDrawn(tray));
    EXPECT_FALSE(test_support::SaveScreenPicture("vorrin-tray-icon", tray).empty());

    // A restarted shell has forgotten every icon.
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == m_trayIconsBefore; }));

    PostMessageA(window, platform::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_trayIconsBefore + 1; }));
    EXPECT_TRUE(Quit(*program, window));
    EXPECT_EQ(m_trayIconsBefore, TrayIconCount());
}

TEST_F(VorrinTest, TheTrayRecordNamesItsWindowAndACallbackThatWorks) {
    test_support::FakeTaskbar taskbar;
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window()) << "another taskbar would get the calls";
    auto program = Start();
    HWND window = program->WaitForWindow(kWindowClass);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntil([&] { return !taskbar.Calls().empty(); }));

    const test_support::FakeTaskbar::Call added = taskbar.Calls().front();
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), added.message);
    EXPECT_EQ(window, added.owner);
    EXPECT_EQ(1u, added.id);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), added.flags);
    EXPECT_EQ(0x418u, added.callback) << "WM_USER + 24";
    EXPECT_EQ("Show/Hide Desktop Icons", added.tip);

    // A click reported exactly as the record asks toggles the desktop.
    PostMessageA(added.owner, added.callback, added.id, WM_LBUTTONDOWN);
    PostMessageA(added.owner, added.callback, added.id, WM_LBUTTONUP);
    EXPECT_TRUE(WaitForDesktop(false));

    ASSERT_TRUE(Quit(*program, window));
    ASSERT_EQ(2u, taskbar.Calls().size());
    const test_support::FakeTaskbar::Call removed = taskbar.Calls().back();
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), removed.message);
    EXPECT_EQ(window, removed.owner);
    EXPECT_EQ(1u, removed.id);
}

TEST_F(VorrinTest, TwoCopiesShowTwoIconsEachWithItsOwnBelief) {
    auto first = Start();
    HWND firstWindow = first->WaitForWindow(kWindowClass);
    auto second = Start();
    HWND secondWindow = second->WaitForWindow(kWindowClass);
    ASSERT_TRUE(firstWindow);
    ASSERT_TRUE(secondWindow);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_trayIconsBefore + 2; }));

    LeftClick(firstWindow);
    ASSERT_TRUE(WaitForDesktop(false));
    LeftClick(secondWindow);
    ASSERT_TRUE(HandlePostedMessages(*second, secondWindow));
    EXPECT_FALSE(DesktopShown()) << "the second copy still believes the desktop shown and hides it";
    LeftClick(firstWindow);
    EXPECT_TRUE(WaitForDesktop(true));

    EXPECT_TRUE(Quit(*first, firstWindow));
    EXPECT_TRUE(Quit(*second, secondWindow));
}

}  // namespace
}  // namespace vorrin
