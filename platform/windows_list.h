// Enumeration of top-level windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// Every top-level window, in Z order, as EnumWindows reports them.
std::vector<HWND> TopLevelWindows();

// The window's class name (at most 255 characters), empty when it has none.
std::string WindowClassName(HWND window);

}  // namespace platform
