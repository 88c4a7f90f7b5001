// Minimises the windows that cover the desktop.
#pragma once

#include <windows.h>

#include <vector>

namespace tempane {

// Walks the top-level windows in Z order and posts SC_MINIMIZE to each one
// the rule picks; every window minimises itself in its own time. Returns the
// windows it posted to.
std::vector<HWND> UncoverDesktop();

}  // namespace tempane
