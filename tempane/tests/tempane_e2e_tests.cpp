// End-to-end tests: the real tempane.exe, driven as the shell and the user
// would drive it, through messages to its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/windows_list.h"
#include "tempane/names.h"
#include "tempane/resource.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using namespace std::chrono_literals;
using test_support::FakeTaskbar;
using test_support::RunningProgram;
using test_support::WaitUntil;

std::string TitleOf(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string HelperPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\')) + "\\tempane_test_windows.exe";
}

// The frame once start-up has shown it, which happens after the splash (if
// any) was put up.
HWND WaitForShownFrame(RunningProgram& program) {
    HWND frame = program.WaitForWindow(tempane::kFrameClass);
    if (!frame || !WaitUntil([&] { return IsWindowVisible(frame) != FALSE; })) return nullptr;
    return frame;
}

std::vector<HWND> VisibleWindows(DWORD processId, const std::string& className) {
    std::vector<HWND> visible;
    for (HWND window : test_support::ProcessWindows(processId, className)) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

void CloseThroughCommand(RunningProgram& program, HWND frame) {
    PostMessageA(frame, WM_COMMAND, ID_TRAY_CLOSE, 0);
    auto exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "tempane did not end after Close";
    EXPECT_EQ(*exitCode, 0u);
}

// A left click on the tray icon, as the shell reports it. Sent rather than
// posted, so that every SC_MINIMIZE has been posted when it returns.
void LeftClickTrayIcon(HWND frame) {
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, tempane::kTrayCallbackMessage, tempane::kTrayIconId, WM_LBUTTONDOWN,
                                    SMTO_ABORTIFHUNG, 10000, &result))
        << test_support::LastErrorText();
}

RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// Puts back the windows of other programs that were on the screen when it was
// made and have been minimised since: tempane's click minimises those too
// (under Wine the tray's own window), and later tests should find the screen
// as it was.
class RestoresOthersWindows {
public:
    explicit RestoresOthersWindows(const std::vector<DWORD>& ourProcesses) {
        for (HWND window : platform::TopLevelWindows()) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            bool ours = std::find(ourProcesses.begin(), ourProcesses.end(), process) != ourProcesses.end();
            if (!ours && IsWindowVisible(window) && !IsIconic(window)) m_shown.push_back(window);
        }
    }
    ~RestoresOthersWindows() {
        for (HWND window : m_shown) {
            if (IsWindowVisible(window) && IsIconic(window)) ShowWindow(window, SW_RESTORE);
        }
    }

private:
    std::vector<HWND> m_shown;
};

TEST(TempaneTray, LeftClickMinimisesWindowsOnTheScreenAndSparesTheRest) {
    RunningProgram tempane(test_support::BinPath("tempane.exe"), "/s");
    ASSERT_TRUE(tempane.Started()) << test_support::LastErrorText();
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);

    RunningProgram helper(HelperPath());
    ASSERT_TRUE(helper.Started()) << HelperPath() << ": " << test_support::LastErrorText();
    std::map<std::string, HWND> windows;
    const std::vector<std::string> names = {"plain",  "partly-off", "negative", "origin-corner", "beyond-right",
                                            "hidden", "minimised",  "progman",  "taskbar"};
    ASSERT_TRUE(WaitUntil([&] {
        windows.clear();
        for (HWND window : test_support::ProcessWindows(helper.Id())) windows[TitleOf(window)] = window;
        for (const auto& name : names) {
            if (!windows.count(name)) return false;
        }
        return IsIconic(windows["minimised"]) != FALSE;
    })) << "the helper's windows did not appear";

    // The places the rules depend on are where they were asked to be.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    RECT negative = RectOf(windows["negative"]);
    ASSERT_TRUE(negative.right <= 0 && negative.bottom <= 0) << negative.left << "," << negative.top;
    RECT beyond = RectOf(windows["beyond-right"]);
    ASSERT_GE(beyond.left, width);
    RECT partly = RectOf(windows["partly-off"]);
    ASSERT_TRUE(partly.left < 0 && partly.right > 0) << partly.left << "," << partly.right;

    {
        // Put back while tempane's icon still keeps the tray window up.
        RestoresOthersWindows restore({GetCurrentProcessId(), tempane.Id(), helper.Id()});
        LeftClickTrayIcon(frame);
        HWND marker = windows["hidden"];
        PostMessageA(marker, WM_APP, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return Contains(TitleOf(marker), " marker"); }));

        for (const char* name : {"plain", "partly-off"}) {
            SCOPED_TRACE(name);
            HWND window = windows[name];
            EXPECT_TRUE(Contains(TitleOf(window), "+minimise")) << TitleOf(window);
            EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));
        }
        for (const char* name :
             {"negative", "origin-corner", "beyond-right", "hidden", "minimised", "progman", "taskbar"}) {
            SCOPED_TRACE(name);
            EXPECT_FALSE(Contains(TitleOf(windows[name]), "+minimise")) << TitleOf(windows[name]);
        }
        for (const char* name : {"hidden", "progman", "taskbar"}) {
            SCOPED_TRACE(name);
            EXPECT_FALSE(IsIconic(windows[name]));
        }
        EXPECT_FALSE(IsWindowVisible(windows["hidden"]));
        EXPECT_TRUE(IsWindowVisible(windows["taskbar"]));
    }
    EXPECT_FALSE(IsIconic(frame)) << "tempane minimised its own frame";
    EXPECT_TRUE(tempane.Running());

    CloseThroughCommand(tempane, frame);
}

TEST(TempaneStart, TheLowerCaseSSwitchSuppressesTheSplash) {
    struct Case {
        const char* arguments;
        bool splash;
    };
    const Case cases[] = {
        {"", true}, {"/s", false}, {"-s", false}, {"s", false}, {"S", true}, {"/S", true},
    };
    bool pictureSaved = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("arguments \"") + c.arguments + "\"");
        RunningProgram tempane(test_support::BinPath("tempane.exe"), c.arguments);
        ASSERT_TRUE(tempane.Started()) << test_support::LastErrorText();
        HWND frame = WaitForShownFrame(tempane);
        ASSERT_NE(frame, nullptr);

        auto splashes = VisibleWindows(tempane.Id(), tempane::kSplashClass);
        EXPECT_EQ(splashes.size(), c.splash ? 1u : 0u);
        if (c.splash && splashes.size() == 1) {
            HWND splash = splashes.front();
            RECT rect = RectOf(splash);
            EXPECT_EQ(rect.right - rect.left, 360);
            EXPECT_EQ(rect.bottom - rect.top, 216);
            EXPECT_EQ(GetWindow(splash, GW_OWNER), frame);
            if (!pictureSaved) {
                EXPECT_TRUE(test_support::WaitUntilDrawn(splash));
                std::string picture = test_support::SaveScreenPicture("tempane-splash", splash);
                EXPECT_FALSE(picture.empty());
                pictureSaved = true;
            }
            // Its timer takes it down by itself.
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(splash); }, 10s)) << "the splash stayed up";
        }
        CloseThroughCommand(tempane, frame);
    }
}

TEST(TempaneStart, TheFrameHasNoCaptionAndNoTaskbarButton) {
    RunningProgram tempane(test_support::BinPath("tempane.exe"), "/s");
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);
    LONG_PTR style = GetWindowLongPtrA(frame, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(frame, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(TitleOf(frame), "Tempane");
    CloseThroughCommand(tempane, frame);
}

TEST(TempaneStart, AKeyPressTakesTheSplashDown) {
    RunningProgram tempane(test_support::BinPath("tempane.exe"));
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);
    auto splashes = VisibleWindows(tempane.Id(), tempane::kSplashClass);
    ASSERT_EQ(splashes.size(), 1u);
    PostMessageA(splashes.front(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(splashes.front()); }));
    EXPECT_TRUE(tempane.Running());
    CloseThroughCommand(tempane, frame);
}

TEST(TempaneTray, TheIconIsPutUpAtStartAndRemovedByClose) {
    FakeTaskbar taskbar;
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window()) << "another taskbar would get the calls";

    RunningProgram tempane(test_support::BinPath("tempane.exe"), "-s");
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !taskbar.Calls().empty(); }));
    const FakeTaskbar::Call added = taskbar.Calls().front();
    EXPECT_EQ(added.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.owner, frame);
    EXPECT_EQ(added.id, tempane::kTrayIconId);
    EXPECT_EQ(added.flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.callback, tempane::kTrayCallbackMessage);
    EXPECT_EQ(added.tip, "Tempane 98");

    PostMessageA(frame, WM_COMMAND, ID_TRAY_CLOSE, 0);
    // The program waits in Shell_NotifyIcon until this thread answers.
    ASSERT_TRUE(WaitUntil([&] { return !tempane.Running(); }));
    ASSERT_EQ(taskbar.Calls().size(), 2u);
    const FakeTaskbar::Call removed = taskbar.Calls().back();
    EXPECT_EQ(removed.message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(removed.owner, frame);
    EXPECT_EQ(removed.id, tempane::kTrayIconId);
    EXPECT_EQ(tempane.WaitForExit(), std::optional<DWORD>(0));
}

TEST(TempaneTray, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
    FakeTaskbar taskbar;
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window());
    RunningProgram tempane(test_support::BinPath("tempane.exe"), "/s");
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return taskbar.Calls().size() == 1; }));

    // Wine never broadcasts "TaskbarCreated"; a restarted shell would.
    PostMessageA(frame, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return taskbar.Calls().size() == 2; }));
    EXPECT_EQ(taskbar.Calls().back().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(taskbar.Calls().back().id, tempane::kTrayIconId);

    PostMessageA(frame, WM_COMMAND, ID_TRAY_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !tempane.Running(); }));
}

TEST(TempaneTray, RightClickShowsTheMenuAndAboutOpensTheBox) {
    RunningProgram tempane(test_support::BinPath("tempane.exe"), "/s");
    HWND frame = WaitForShownFrame(tempane);
    ASSERT_NE(frame, nullptr);

    PostMessageA(frame, tempane::kTrayCallbackMessage, tempane::kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        auto menus = VisibleWindows(tempane.Id(), "#32768");
        menu = menus.empty() ? nullptr : menus.front();
        return menu != nullptr;
    })) << "no menu appeared";
    // The menu opens near the bottom edge of the screen, right of the cursor.
    RECT place = RectOf(menu);
    EXPECT_GT(place.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_TRUE(test_support::WaitUntilDrawn(menu));
    std::string picture = test_support::SaveScreenPicture("tempane-menu", menu);
    EXPECT_FALSE(picture.empty());

    // Down, Down, Return: "Help ...", then "About Tempane 98 ...".
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(menu, WM_KEYDOWN, key, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        auto dialogs = VisibleWindows(tempane.Id(), "#32770");
        about = dialogs.empty() ? nullptr : dialogs.front();
        return about != nullptr;
    })) << "the About box did not open";
    EXPECT_EQ(TitleOf(about), "About Tempane");
    EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Tempane Version 1.0"), nullptr);
    EXPECT_TRUE(test_support::WaitUntilDrawn(about));
    EXPECT_FALSE(test_support::SaveScreenPicture("tempane-about", about).empty());

    // About asked for again while the box is up opens no second box. Both
    // posts reach tempane in order: a second box would already exist when
    // the click closes the first.
    PostMessageA(frame, WM_COMMAND, ID_TRAY_ABOUT, 0);
    PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(VisibleWindows(tempane.Id(), "#32770").empty()) << "a second About box opened";
    EXPECT_TRUE(tempane.Running());
    CloseThroughCommand(tempane, frame);
}

TEST(TempaneHelp, AMissingHelpPageGivesNoMessage) {
    // The program alone in a folder, without its Help folder.
    test_support::ScratchFolder folder;
    std::string program = folder.Path() + "\\tempane.exe";
    ASSERT_TRUE(CopyFileA(test_support::BinPath("tempane.exe").c_str(), program.c_str(), FALSE))
        << test_support::LastErrorText();
    {
        RunningProgram tempane(program, "/s");
        HWND frame = WaitForShownFrame(tempane);
        ASSERT_NE(frame, nullptr);
        const size_t before = VisibleWindows(tempane.Id(), "").size();

        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(frame, WM_COMMAND, ID_TRAY_HELP, 0, SMTO_ABORTIFHUNG, 10000, &result))
            << "tempane hung over the missing page";
        EXPECT_EQ(VisibleWindows(tempane.Id(), "").size(), before) << "a message appeared";
        EXPECT_TRUE(tempane.Running());
        CloseThroughCommand(tempane, frame);
    }
}

}  // namespace
