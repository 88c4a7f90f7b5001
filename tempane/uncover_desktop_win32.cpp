#include "tempane/uncover_desktop_win32.h"

#include "platform/rect_win32.h"
#include "platform/windows_list.h"
#include "tempane/uncover_desktop.h"

namespace tempane {

static bool HasClass(HWND window, const char* className) {
    return lstrcmpiA(platform::WindowClassName(window).c_str(), className) == 0;
}

static WindowFacts FactsOf(HWND window, const RECT& rect) {
    WindowFacts facts;
    facts.rect = platform::FromRECT(rect);
    facts.visible = (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    facts.minimised = IsIconic(window) != FALSE;
    facts.isTaskbar = HasClass(window, "Shell_TrayWnd");
    facts.isShellWindow = HasClass(window, "ProgMan");
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    facts.ownWindow = processId == GetCurrentProcessId();
    return facts;
}

std::vector<HWND> UncoverDesktop() {
    RECT desktopRect = {};
    GetWindowRect(GetDesktopWindow(), &desktopRect);
    const Rect desktop = platform::FromRECT(desktopRect);

    // A snapshot first: the windows we minimise change the Z order while we
    // would still be following it sibling by sibling.
    std::vector<HWND> posted;
    for (HWND window : platform::TopLevelWindows()) {
        RECT rect = {};
        if (!GetWindowRect(window, &rect)) continue;  // closed meanwhile
        if (!ShouldMinimise(FactsOf(window, rect), desktop)) continue;
        if (PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0)) posted.push_back(window);
    }
    return posted;
}

}  // namespace tempane
