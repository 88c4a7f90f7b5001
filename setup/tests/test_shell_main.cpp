// Stands in for Explorer (as explorer.exe: its taskbar and a folder window on
// one thread) or for the system-tray applet (as systray.exe) in the installer
// tests, so that closing and restarting "Explorer" never touches the test
// session's own shell. Its windows' classes are the shell's with the test
// prefix the programs look for; what they are asked to do is logged.
#include <windows.h>

#include <cstring>
#include <string>

#include "setup/common/product_names.h"
#include "stowdesk_standins/standin_log.h"

static std::string s_program;

static void Log(const std::string& line) {
    stowdesk::AppendStandinLogLine(s_program, line);
}

static LRESULT CALLBACK ShellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char className[128] = {};
    GetClassNameA(window, className, sizeof className);
    const std::string shellClass = className + std::strlen(stowdesk::kTestShellClassPrefix);
    const bool folderWindow = shellClass == "ExploreWClass";
    if (message == WM_CANCELMODE) Log(shellClass + " cancel mode");
    if (message == WM_CLOSE) {
        Log(shellClass + " close");
        // As Explorer's taskbar, which offers to shut down instead: the
        // process must be ended.
        if (!folderWindow) return 0;
    }
    if (message == WM_DESTROY && !folderWindow) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

static void CreateShellWindow(HINSTANCE instance, const char* shellClass) {
    const std::string className = std::string(stowdesk::kTestShellClassPrefix) + shellClass;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ShellProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass);
    CreateWindowExA(0, className.c_str(), s_program.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                    nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    s_program = std::strrchr(path, '\\') ? std::strrchr(path, '\\') + 1 : path;
    Log("started");
    if (lstrcmpiA(s_program.c_str(), "systray.exe") == 0) {
        CreateShellWindow(instance, "SystemTray_Main");
    } else {
        // The folder window first, so the taskbar is found ready once it is.
        CreateShellWindow(instance, "ExploreWClass");
        CreateShellWindow(instance, "Shell_TrayWnd");
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
