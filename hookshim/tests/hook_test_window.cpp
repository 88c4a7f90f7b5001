// hook_test_window.exe [title]: see hook_test_window.h.
#include <windows.h>

#include "hookshim/hookshim_protocol.h"
#include "hookshim/tests/hook_test_window.h"

namespace {

UINT s_stateQuery = 0;
bool s_sawCommand = false;
bool s_sawDoubleClick = false;

LRESULT MenuState(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    unsigned state = 0;
    const unsigned commands[] = {hookshim::kCommandAlwaysOnTop, hookshim::kCommandHideWindow,
                                 hookshim::kCommandNeverAdjust};
    for (unsigned i = 0; i < 3 && menu; ++i) {
        const UINT itemState = GetMenuState(menu, commands[i], MF_BYCOMMAND);
        if (itemState == static_cast<UINT>(-1)) continue;
        state |= kStateHasCommand << i;
        if (itemState & MF_CHECKED) state |= kStateChecked << i;
    }
    if (s_sawCommand) state |= kStateSawCommand;
    if (s_sawDoubleClick) state |= kStateSawDoubleClick;
    if (menu) state |= static_cast<unsigned>(GetMenuItemCount(menu)) << kStateItemCountShift;
    return static_cast<LRESULT>(state);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == s_stateQuery && s_stateQuery) return MenuState(window);
    switch (message) {
    case WM_SYSCOMMAND:
        if (wParam >= hookshim::kCommandAlwaysOnTop && wParam <= hookshim::kCommandNeverAdjust) {
            s_sawCommand = true;
            return 0;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION) {
            s_sawDoubleClick = true;
            return 0;
        }
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    s_stateQuery = RegisterWindowMessageA(kHookTestStateQuery);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kHookTestWindowClass;
    if (!RegisterClassA(&windowClass)) return 1;
    const char* title = commandLine && *commandLine ? commandLine : "Hook test window";
    HWND window = CreateWindowExA(0, kHookTestWindowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 200,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 2;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
