// tempane: a tray icon that uncovers the desktop with one click.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/error_text.h"
#include "tempane/main_frame_win32.h"
#include "tempane/names.h"
#include "tempane/switches.h"

static std::vector<std::string> Parameters() {
    std::vector<std::string> parameters;
    for (int i = 1; i < __argc; ++i) parameters.emplace_back(__argv[i]);
    return parameters;
}

static int RunMessageLoop(tempane::Splash& splash) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (splash.TakesMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    tempane::MainFrame frame;
    std::string failure;
    if (!frame.Create(instance, tempane::SplashWanted(Parameters()), failure)) {
        platform::ShowStartFailure(tempane::kFrameTitle, failure);
        return 1;
    }
    ShowWindow(frame.Window(), SW_SHOW);
    UpdateWindow(frame.Window());
    Sleep(tempane::kStartupPauseMilliseconds);
    return RunMessageLoop(frame.StartupSplash());
}
