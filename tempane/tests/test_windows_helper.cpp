// Puts up a set of windows for tempane's tests to uncover: ordinary windows on
// the screen, windows off the screen, a minimised and a hidden one, and
// stand-ins for the taskbar and the desktop's shell window.
//
// Each window's title is its name. A window that receives SC_MINIMIZE adds
// " +minimise" to its title before minimising, so a test in another process
// can read what arrived. WM_APP to a window adds " marker" to its title: as
// posted messages arrive in order, a test that posts it after tempane's posts
// knows all of those have been handled once it shows.
#include <windows.h>

#include <string>

namespace {

const char kWindowClass[] = "TempaneTestWindow";

void AddToTitle(HWND window, const char* text) {
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    SetWindowTextA(window, (std::string(title) + text).c_str());
}

LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) AddToTitle(window, " +minimise");
        break;
    case WM_APP: AddToTitle(window, " marker"); return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, const char* className) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelperProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
}

HWND Make(HINSTANCE instance, const char* className, const char* name, RECT rect, DWORD style, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, className, name, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Register(instance, kWindowClass);
    Register(instance, "ProgMan");
    Register(instance, "Shell_TrayWnd");
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD shown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

    HWND shell = Make(instance, "ProgMan", "progman", {0, 0, width, height}, WS_POPUP | WS_VISIBLE);
    SetWindowPos(shell, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Make(instance, "Shell_TrayWnd", "taskbar", {0, height - 28, width, height}, WS_POPUP | WS_VISIBLE,
         WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    Make(instance, kWindowClass, "plain", {100, 100, 400, 300}, shown);
    Make(instance, kWindowClass, "partly-off", {-200, -150, 150, 120}, shown);
    Make(instance, kWindowClass, "negative", {-600, -500, -100, -50}, shown);
    Make(instance, kWindowClass, "origin-corner", {-300, -300, 0, 0}, shown);
    Make(instance, kWindowClass, "beyond-right", {width + 100, 100, width + 400, 300}, shown);
    Make(instance, kWindowClass, "hidden", {100, 100, 400, 300}, WS_OVERLAPPEDWINDOW);
    HWND minimised = Make(instance, kWindowClass, "minimised", {150, 150, 450, 350}, shown);
    ShowWindow(minimised, SW_MINIMIZE);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
