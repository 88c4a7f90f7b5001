// The start-up picture: one per process, shown over the frame for a moment.
#pragma once

#include <windows.h>

namespace tempane {

// Start-up turns the splash on unless the command line asked it not to.
void EnableSplash(bool enabled);

// Shows bitmap IDB_SPLASH centred on the screen, owned by `owner`, when the
// splash is enabled and none is up yet. Without the bitmap or its window
// start-up simply goes on without a splash. Returns the window or NULL.
HWND ShowSplash(HWND owner);

// The splash window while it is up, else NULL.
HWND SplashWindow();

// For the message loop: while the splash is up, a key or mouse button press
// (in any of this thread's windows) removes it and is consumed: returns true
// and the message must not be dispatched.
bool SplashTakesMessage(const MSG& message);

}  // namespace tempane
