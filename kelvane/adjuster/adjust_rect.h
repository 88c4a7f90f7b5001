// The window adjuster's decision for one top-level window: where to put it so
// that it stays reachable inside the work area, or nothing when it is to be
// left alone. Pure: every fact about the window and the screen is handed in.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rect.h"

namespace kelvane::adjuster {

using platform::Rect;

enum class ShowState { Normal, Minimized, Maximized, Other };

// What the adjuster knows about one window at the moment it looks at it.
struct WindowFacts {
    bool primaryButtonDown = false;  // the user may be dragging something
    bool isWindow = true;
    bool visible = true;
    Rect windowRect;
    ShowState showState = ShowState::Normal;
    bool neverAdjust = false;  // the user excluded this window
    std::string className;
    // Bounding box of the window's region, in window coordinates; none when
    // the window has no region.
    std::optional<Rect> regionBox;
};

// One monitor: with a single monitor, the desktop window's rectangle and the
// work area.
struct ScreenFacts {
    Rect screen;    // the monitor's rectangle
    Rect workArea;  // the monitor minus the taskbar
};

// The adjuster's settings, with the values a fresh installation starts with.
struct AdjusterSettings {
    bool adjustTop = true;
    bool adjustBottom = true;
    bool adjustLeft = true;
    bool adjustRight = true;
    bool resizeWindows = true;
    // How far (pixels) a window may stick out past each edge of the work area.
    int extendTop = 0;
    int extendLeft = 0;
    int extendBottom = 0;
    int extendRight = 0;
    bool extendBoundsInUse = true;
    bool adjustToExtendBounds = false;
    bool dontAdjustIfQuarterOffscreen = true;
    int offscreenFactor = 25;  // percent
};

// The rectangle to move the window to, or nothing to leave it untouched.
// adjustAllMode drops every tolerance and the mostly-off-screen test, so that
// each eligible window ends up inside the work area.
std::optional<Rect> AdjustedWindowRect(const WindowFacts& window, const AdjusterSettings& settings, bool adjustAllMode,
                                       const ScreenFacts& screen);

// The monitor that holds most of the window (the first listed wins a tie),
// or for a window on no monitor the nearest one, as MonitorFromRect answers
// with MONITOR_DEFAULTTONEAREST. Nothing when no monitor is known.
std::optional<ScreenFacts> MonitorHolding(const Rect& window, const std::vector<ScreenFacts>& monitors);

// The decision on a desktop of several monitors: a window is kept inside the
// work area of the monitor that holds most of it, so that a window on a
// second monitor stays there. With one monitor it is the decision above.
std::optional<Rect> AdjustedWindowRect(const WindowFacts& window, const AdjusterSettings& settings, bool adjustAllMode,
                                       const std::vector<ScreenFacts>& monitors);

// Shell and pop-up window classes the adjuster never moves (whole name, any
// letter case).
bool IsExcludedWindowClass(std::string_view className);

// "Offscreen Factor" brought into 1..100, the range in which the
// mostly-off-screen test has a meaning (and a non-zero divisor).
int UsableOffscreenFactor(int factor);

}  // namespace kelvane::adjuster
