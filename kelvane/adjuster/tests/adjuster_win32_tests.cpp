#include "kelvane/adjuster/adjuster_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/rect_win32.h"
#include "test_support/win_test_support.h"

namespace kelvane::adjuster {

namespace {

using test_support::CreateTestWindow;
using test_support::LastErrorText;
using test_support::PumpMessages;

// Each test window is subclassed so that every attempt to move or size it
// (WM_WINDOWPOSCHANGING) is counted.
struct TrackedWindow {
    WNDPROC original = nullptr;
    int positionChanges = 0;
};
std::map<HWND, TrackedWindow> s_tracked;

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TrackedWindow& tracked = s_tracked[window];
    if (message == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++tracked.positionChanges;
    }
    return CallWindowProcA(tracked.original, window, message, wParam, lParam);
}

Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

class AdjusterWindows : public ::testing::Test {
protected:
    void SetUp() override {
        RECT workArea = {};
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) << LastErrorText();
        m_workArea = platform::FromRECT(workArea);
        ASSERT_EQ(m_workArea, ReadScreenFacts().workArea);
    }

    void TearDown() override {
        // Destroyed first: their last messages still go through the counter.
        m_windows.clear();
        s_tracked.clear();
        PumpMessages();
    }

    // A visible top-level window of this test at `rect`, relative to the work
    // area's top left corner.
    HWND MakeWindow(Rect rect, const std::string& className = "KelvaneAdjusterTest") {
        platform::unique_hwnd window = CreateTestWindow(className, platform::ToRECT(OnWorkArea(rect)));
        EXPECT_TRUE(window) << LastErrorText();
        HWND handle = window.get();
        s_tracked[handle].original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingWindowProc)));
        m_windows.push_back(std::move(window));
        PumpMessages();
        EXPECT_EQ(OnWorkArea(rect), RectOf(handle)) << "the test window was not placed where asked";
        return handle;
    }

    bool IsOurs(HWND window) const {
        return std::any_of(m_windows.begin(), m_windows.end(),
                           [window](const platform::unique_hwnd& ours) { return ours.get() == window; });
    }

    // One run of the adjuster over every top-level window of the desktop.
    // Every window but this test's own counts as excluded by the user, so a
    // run can never move a window of another program.
    int RunAdjuster(const AdjusterSettings& settings = {}, bool adjustAllMode = false) {
        for (auto& window : m_windows) s_tracked[window.get()].positionChanges = 0;
        const int moved = AdjustAllWindows(settings, adjustAllMode, [this](HWND window) { return !IsOurs(window); });
        PumpMessages();
        return moved;
    }

    Rect OnWorkArea(Rect rect) const {
        return {m_workArea.left + rect.left, m_workArea.top + rect.top, m_workArea.left + rect.right,
                m_workArea.top + rect.bottom};
    }

    static Rect RectOf(HWND window) {
        RECT rect = {};
        EXPECT_TRUE(GetWindowRect(window, &rect)) << LastErrorText();
        return platform::FromRECT(rect);
    }

    static int PositionChanges(HWND window) { return s_tracked[window].positionChanges; }

    Rect m_workArea;
    std::vector<platform::unique_hwnd> m_windows;
};

TEST_F(AdjusterWindows, MovesAWindowStickingOutAtTheLeftBack) {
    HWND window = MakeWindow(At(-90, 100, 400, 300));

    EXPECT_EQ(1, RunAdjuster());
    EXPECT_EQ(OnWorkArea(At(0, 100, 400, 300)), RectOf(window));
    EXPECT_LE(1, PositionChanges(window));

    EXPECT_EQ(0, RunAdjuster()) << "a window in place stays in place";
    EXPECT_EQ(0, PositionChanges(window));
}

TEST_F(AdjusterWindows, WindowsThatNeedNoChangeAreNotTouched) {
    HWND inside = MakeWindow(At(100, 100, 400, 300));
    HWND parked = MakeWindow(At(-150, 100, 400, 300));  // mostly off the screen on purpose
    HWND withinTolerance = MakeWindow(At(-15, 200, 400, 300));

    AdjusterSettings settings;
    settings.extendLeft = 20;
    EXPECT_EQ(0, RunAdjuster(settings));
    for (HWND window : {inside, parked, withinTolerance}) {
        SCOPED_TRACE(testing::Message() << "window " << window);
        EXPECT_EQ(0, PositionChanges(window));
    }
    EXPECT_EQ(OnWorkArea(At(-150, 100, 400, 300)), RectOf(parked));
}

TEST_F(AdjusterWindows, AdjustAllModeBringsParkedWindowsBack) {
    HWND parked = MakeWindow(At(-150, 100, 400, 300));
    EXPECT_EQ(1, RunAdjuster({}, true));
    EXPECT_EQ(OnWorkArea(At(0, 100, 400, 300)), RectOf(parked));
}

TEST_F(AdjusterWindows, MaximisedMinimisedAndTaskbarWindowsAreLeftAlone) {
    HWND maximised = MakeWindow(At(-90, 100, 400, 300));
    ShowWindow(maximised, SW_MAXIMIZE);
    HWND minimised = MakeWindow(At(-90, 100, 400, 300));
    ShowWindow(minimised, SW_MINIMIZE);
    HWND taskbar = MakeWindow(At(-90, 100, 400, 300), "SHELL_TRAYWND");
    HWND ordinary = MakeWindow(At(-90, 100, 400, 300));
    PumpMessages();

    EXPECT_EQ(ShowState::Maximized, ReadWindowFacts(maximised, nullptr).showState);
    EXPECT_EQ(ShowState::Minimized, ReadWindowFacts(minimised, nullptr).showState);
    EXPECT_EQ(ShowState::Normal, ReadWindowFacts(taskbar, nullptr).showState);
    const Rect maximisedRect = RectOf(maximised);
    const Rect minimisedRect = RectOf(minimised);

    EXPECT_EQ(1, RunAdjuster({}, true)) << "only the ordinary window moves";
    EXPECT_EQ(OnWorkArea(At(0, 100, 400, 300)), RectOf(ordinary));
    for (HWND window : {maximised, minimised, taskbar}) {
        SCOPED_TRACE(testing::Message() << "window " << window);
        EXPECT_EQ(0, PositionChanges(window));
    }
    EXPECT_EQ(maximisedRect, RectOf(maximised));
    EXPECT_EQ(minimisedRect, RectOf(minimised));
    EXPECT_EQ(OnWorkArea(At(-90, 100, 400, 300)), RectOf(taskbar));
}

TEST_F(AdjusterWindows, ShapedWindowsAreJudgedByTheirRegion) {
    // Each region shows the top left 200x150 of a 400x300 window, or in the
    // last case a box running out to x = 10000, which stands for the width.
    struct Shaped {
        const char* name;
        Rect rect;
        Rect region;
        Rect expected;
    };
    const Shaped cases[] = {
        {"mostly off by its visible part", At(-90, 0, 400, 300), {0, 0, 200, 150}, At(-90, 0, 400, 300)},
        {"a little off by its visible part", At(-40, 320, 400, 300), {0, 0, 200, 150}, At(0, 320, 400, 300)},
        {"region box to x 10000", At(-90, 200, 400, 300), {0, 0, 10000, 150}, At(0, 200, 400, 300)},
    };
    std::vector<HWND> windows;
    for (const Shaped& c : cases) {
        HWND window = MakeWindow(c.rect);
        HRGN region = CreateRectRgn(c.region.left, c.region.top, c.region.right, c.region.bottom);
        // The window owns the region once this succeeds.
        ASSERT_TRUE(SetWindowRgn(window, region, TRUE)) << LastErrorText();
        windows.push_back(window);
    }
    PumpMessages();
    EXPECT_EQ(Rect({0, 0, 200, 150}), ReadWindowFacts(windows[0], nullptr).regionBox);
    EXPECT_FALSE(ReadWindowFacts(MakeWindow(At(100, 100, 200, 100)), nullptr).regionBox) << "a window without a region";

    // Without resizing, a region box taken at its word (10000 wide) could
    // never come back within the off-screen test.
    AdjusterSettings settings;
    settings.resizeWindows = false;
    RunAdjuster(settings);
    for (size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(OnWorkArea(cases[i].expected), RectOf(windows[i]));
    }
}

void SendPrimaryButton(bool down) {
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    if (down) {
        input.mi.dwFlags = swapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    } else {
        input.mi.dwFlags = swapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    }
    EXPECT_EQ(1u, SendInput(1, &input, sizeof input)) << LastErrorText();
}

bool PrimaryButtonState(bool down) {
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) < 0) == down;
}

TEST_F(AdjusterWindows, NothingMovesWhileThePrimaryButtonIsDown) {
    HWND window = MakeWindow(At(-90, 100, 400, 300));
    // The press lands in the client area of a window of this test.
    HWND pressed = MakeWindow(At(500, 100, 200, 200));
    const Rect pressedRect = RectOf(pressed);
    ASSERT_TRUE(SetCursorPos((pressedRect.left + pressedRect.right) / 2, (pressedRect.top + pressedRect.bottom) / 2));

    SendPrimaryButton(true);
    platform::scope_exit release([] { SendPrimaryButton(false); });
    ASSERT_TRUE(test_support::WaitUntil([] { return PrimaryButtonState(true); }));
    EXPECT_EQ(0, RunAdjuster({}, true));
    EXPECT_EQ(0, PositionChanges(window));

    release.dismiss();
    SendPrimaryButton(false);
    ASSERT_TRUE(test_support::WaitUntil([] { return PrimaryButtonState(false); }));
    // Reading the state clears the "pressed since" bit: the next run sees the
    // button up.
    EXPECT_EQ(1, RunAdjuster({}, true));
    EXPECT_EQ(OnWorkArea(At(0, 100, 400, 300)), RectOf(window));
}

// Wine shows one monitor, so a desktop of several is decided by the native
// table tests; here the primary monitor, listed first, must be the desktop the
// single-screen decision always used.
TEST(AdjusterMonitors, ThePrimaryMonitorIsTheDesktopAndItsWorkArea) {
    const std::vector<ScreenFacts> monitors = ReadMonitors();
    ASSERT_FALSE(monitors.empty());
    const ScreenFacts desktop = ReadScreenFacts();
    EXPECT_EQ(desktop.screen, monitors.front().screen);
    EXPECT_EQ(desktop.workArea, monitors.front().workArea);
}

TEST_F(AdjusterWindows, OneWindowStepAndVanishedWindows) {
    HWND window = MakeWindow(At(-150, 100, 400, 300));
    const std::vector<ScreenFacts> screen = ReadMonitors();
    EXPECT_FALSE(AdjustWindow(window, {}, false, screen, nullptr)) << "parked mostly off the screen";
    EXPECT_TRUE(AdjustWindow(window, {}, true, screen, nullptr));
    EXPECT_EQ(OnWorkArea(At(0, 100, 400, 300)), RectOf(window));

    HWND excluded = MakeWindow(At(-90, 100, 400, 300));
    EXPECT_FALSE(AdjustWindow(excluded, {}, true, screen, [excluded](HWND w) { return w == excluded; }));
    EXPECT_EQ(0, PositionChanges(excluded));

    platform::unique_hwnd gone = CreateTestWindow("KelvaneAdjusterTest", {-90, 100, 310, 400});
    HWND stale = gone.get();
    gone.reset();
    EXPECT_FALSE(ReadWindowFacts(stale, nullptr).isWindow);
    EXPECT_FALSE(AdjustWindow(stale, {}, true, screen, nullptr));
}

}  // namespace
}  // namespace kelvane::adjuster
