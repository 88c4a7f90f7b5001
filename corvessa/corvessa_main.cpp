// corvessa: changes the Recycle Bin's name and its full and empty icons.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "corvessa/main_window_win32.h"
#include "corvessa/recycle_registry_win32.h"
#include "platform/error_text.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A test run that asked for a private registry must never reach the real one.
    corvessa::TestRegistryRedirect redirect;
    if (!redirect.Start()) return 2;
    InitCommonControls();

    corvessa::MainWindow window(instance);
    std::string failure;
    if (!window.Create(showCommand, failure)) {
        platform::ShowStartFailure("Corvessa", failure);
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the window's controls.
        if (IsWindow(window.Window()) && IsDialogMessageA(window.Window(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
