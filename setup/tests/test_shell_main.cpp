// Stands in for Explorer's taskbar (as explorer.exe) or for the system-tray
// applet (as systray.exe) in the installer tests, so that closing and
// restarting "Explorer" never touches the test session's own shell. Its
// window's class is the shell's with the test prefix the programs look for.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "setup/common/product_names.h"

static LRESULT CALLBACK ShellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\') ? std::strrchr(path, '\\') + 1 : path;
    const bool systray = lstrcmpiA(name, "systray.exe") == 0;
    const std::string className =
        std::string(stowdesk::kTestShellClassPrefix) + (systray ? "SystemTray_Main" : "Shell_TrayWnd");
    if (const char* log = std::getenv("STOWDESK_STANDIN_LOG")) {
        if (FILE* file = std::fopen(log, "ab")) {
            std::fprintf(file, "%s started\r\n", name);
            std::fclose(file);
        }
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ShellProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass);
    CreateWindowExA(0, className.c_str(), name, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
