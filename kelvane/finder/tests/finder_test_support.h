// What the finder's Windows tests share: the helper program and its windows.
#pragma once

#include <windows.h>

#include <string>

namespace kelvane {

// finder_test_windows.exe beside the running test program.
std::string FinderHelperPath();

// The `nth` top-level window of `process` with this title, or NULL.
HWND HelperWindow(DWORD process, const std::string& title, int nth = 0);

}  // namespace kelvane
