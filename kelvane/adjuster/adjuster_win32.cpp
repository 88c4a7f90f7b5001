#include "kelvane/adjuster/adjuster_win32.h"

#include "platform/handles.h"
#include "platform/rect_win32.h"
#include "platform/windows_list.h"

namespace kelvane::adjuster {

namespace {

bool PrimaryButtonDown() {
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    // The low bit (pressed since the last query) counts too: a click that
    // ended a drag a moment ago still leaves the window alone this time.
    return GetAsyncKeyState(button) != 0;
}

ShowState ShowStateOf(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return ShowState::Other;
    switch (placement.showCmd) {
    case SW_SHOWNORMAL: return ShowState::Normal;
    case SW_SHOWMINIMIZED: return ShowState::Minimized;
    case SW_SHOWMAXIMIZED: return ShowState::Maximized;
    default: return ShowState::Other;
    }
}

std::optional<Rect> RegionBox(HWND window) {
    platform::unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
    // Without a region to copy into, whether the window has one is unknown:
    // an empty box keeps the window untouched.
    if (!region) return Rect{};
    if (GetWindowRgn(window, region.get()) == ERROR) return std::nullopt;
    RECT box = {};
    if (GetRgnBox(region.get(), &box) == ERROR) return Rect{};
    return platform::FromRECT(box);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        auto& list = *reinterpret_cast<std::vector<ScreenFacts>*>(monitors);
        const ScreenFacts facts{platform::FromRECT(info.rcMonitor), platform::FromRECT(info.rcWork)};
        // The primary monitor first: it wins a window shared half and half.
        if (info.dwFlags & MONITORINFOF_PRIMARY) {
            list.insert(list.begin(), facts);
        } else {
            list.push_back(facts);
        }
    }
    return TRUE;
}

}  // namespace

ScreenFacts ReadScreenFacts() {
    ScreenFacts facts;
    RECT screen = {};
    if (GetWindowRect(GetDesktopWindow(), &screen)) facts.screen = platform::FromRECT(screen);
    RECT workArea = {};
    // Without a work area the whole screen is the best answer: it is the work
    // area of a desktop that has no taskbar.
    facts.workArea =
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0) ? platform::FromRECT(workArea) : facts.screen;
    return facts;
}

std::vector<ScreenFacts> ReadMonitors() {
    std::vector<ScreenFacts> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors)) || monitors.empty()) {
        return {ReadScreenFacts()};
    }
    return monitors;
}

// The facts are read in the order the decision consults them, and reading
// stops at the first one that leaves the window alone: each query about another
// program's window is a round trip to the window server, the timer runs every
// half second, and most top-level windows are hidden.
WindowFacts ReadWindowFacts(HWND window, const NeverAdjustTest& isNeverAdjust) {
    WindowFacts facts;
    facts.primaryButtonDown = PrimaryButtonDown();
    if (facts.primaryButtonDown) return facts;
    facts.isWindow = IsWindow(window) != FALSE;
    if (!facts.isWindow) return facts;
    facts.visible = IsWindowVisible(window) != FALSE;
    if (!facts.visible) return facts;
    RECT rect = {};
    if (GetWindowRect(window, &rect)) facts.windowRect = platform::FromRECT(rect);
    facts.showState = ShowStateOf(window);
    if (facts.showState != ShowState::Normal) return facts;
    facts.neverAdjust = isNeverAdjust && isNeverAdjust(window);
    if (facts.neverAdjust) return facts;
    facts.className = platform::WindowClassName(window);
    facts.regionBox = RegionBox(window);
    return facts;
}

bool AdjustWindow(HWND window, const AdjusterSettings& settings, bool adjustAllMode,
                  const std::vector<ScreenFacts>& monitors, const NeverAdjustTest& isNeverAdjust) {
    const WindowFacts facts = ReadWindowFacts(window, isNeverAdjust);
    const std::optional<Rect> target = AdjustedWindowRect(facts, settings, adjustAllMode, monitors);
    if (!target) return false;
    return MoveWindow(window, target->left, target->top, target->Width(), target->Height(), TRUE) != FALSE;
}

int AdjustAllWindows(const AdjusterSettings& settings, bool adjustAllMode, const NeverAdjustTest& isNeverAdjust) {
    const std::vector<ScreenFacts> monitors = ReadMonitors();
    int moved = 0;
    for (HWND window : platform::TopLevelWindows()) {
        if (AdjustWindow(window, settings, adjustAllMode, monitors, isNeverAdjust)) ++moved;
    }
    return moved;
}

}  // namespace kelvane::adjuster
