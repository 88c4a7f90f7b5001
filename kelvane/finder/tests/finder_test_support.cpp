#include "kelvane/finder/tests/finder_test_support.h"

#include "kelvane/finder/tests/finder_test_windows.h"
#include "kelvane/finder/window_menu_win32.h"
#include "test_support/win_test_support.h"

namespace kelvane {

std::string FinderHelperPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\')) + "\\" + kFinderTestWindowsExe;
}

HWND HelperWindow(DWORD process, const std::string& title, int nth) {
    for (HWND window : test_support::ProcessWindows(process)) {
        if (WindowCaption(window) == title && nth-- == 0) return window;
    }
    return nullptr;
}

}  // namespace kelvane
