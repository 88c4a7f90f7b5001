// tempane: a tray icon that uncovers the desktop with one click.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tempane/main_frame_win32.h"
#include "tempane/names.h"
#include "tempane/splash_win32.h"
#include "tempane/switches.h"

static std::vector<std::string> Parameters() {
    std::vector<std::string> parameters;
    for (int i = 1; i < __argc; ++i) parameters.emplace_back(__argv[i]);
    return parameters;
}

static int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (tempane::SplashTakesMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tempane::EnableSplash(tempane::SplashWanted(Parameters()));

    tempane::MainFrame frame;
    HWND window = frame.Create(instance);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Sleep(tempane::kStartupPauseMilliseconds);
    return RunMessageLoop();
}
