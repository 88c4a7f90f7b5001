// Which top-level windows a click on the tray icon minimises.
#pragma once

#include "platform/rect.h"

namespace tempane {

using platform::Rect;

// What the walk over the top-level windows learns about one window.
struct WindowFacts {
    Rect rect;
    bool visible = false;
    bool minimised = false;
    bool isTaskbar = false;      // the "Shell_TrayWnd" window
    bool isShellWindow = false;  // the desktop's "ProgMan" window
    bool ownWindow = false;      // one of tempane's own windows
};

// True when a window parked off the screen at negative coordinates (where
// Windows keeps minimised windows) has no coordinate greater than 0.
bool LiesAtOrBeforeOrigin(const Rect& rect);

// The rule of the walk: a visible window that lies on the desktop is
// minimised, unless it is the taskbar, the desktop's shell window, already
// minimised, or one of our own (the About box has no taskbar button, so a
// minimised About box could not be brought back).
bool ShouldMinimise(const WindowFacts& window, const Rect& desktop);

}  // namespace tempane
