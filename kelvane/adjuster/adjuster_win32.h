// The window adjuster bound to Windows: reads each top-level window's facts,
// asks AdjustedWindowRect where it belongs and moves it there.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "kelvane/adjuster/adjust_rect.h"

namespace kelvane::adjuster {

// Answers whether the user excluded a window ("Never Adjust"); may be empty.
using NeverAdjustTest = std::function<bool(HWND)>;

// The desktop window's rectangle and the work area as Windows reports them now.
ScreenFacts ReadScreenFacts();

// Every monitor's rectangle and work area, the primary monitor first; when the
// monitors cannot be listed, the desktop as ReadScreenFacts sees it.
std::vector<ScreenFacts> ReadMonitors();

// What the adjuster needs to know about one window, read from Windows. A query
// that fails leaves an empty rectangle, which the decision leaves alone.
WindowFacts ReadWindowFacts(HWND window, const NeverAdjustTest& isNeverAdjust);

// Adjusts one window within the monitor that holds most of it; true when it
// was moved. A window that needs no change is not touched at all.
bool AdjustWindow(HWND window, const AdjusterSettings& settings, bool adjustAllMode,
                  const std::vector<ScreenFacts>& monitors, const NeverAdjustTest& isNeverAdjust);

// Adjusts every top-level window of the desktop; returns how many were moved.
int AdjustAllWindows(const AdjusterSettings& settings, bool adjustAllMode, const NeverAdjustTest& isNeverAdjust);

}  // namespace kelvane::adjuster
