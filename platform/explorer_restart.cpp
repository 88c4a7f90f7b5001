#include "platform/explorer_restart.h"

#include <shellapi.h>

#include "platform/handles.h"

namespace platform {

ExplorerShell SessionExplorerShell() {
    char windows[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    std::string folder = length > 0 && length < MAX_PATH ? std::string(windows, length) : "C:\\WINDOWS";
    if (folder.back() != '\\') folder += '\\';
    return {"", folder + "explorer.exe", "systray.exe"};
}

HWND ExplorerRestart::FindShellWindow(const char* className) const {
    return FindWindowA((m_shell.classPrefix + className).c_str(), nullptr);
}

static BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM) {
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void ExplorerRestart::Close() {
    // The volume control and the tray applet first, then the folder windows
    // (twice, for a second Explorer process), then the taskbar and desktop.
    struct ShellClass {
        const char* name;
        bool closeThreadWindows;
        bool trayApplet;
    };
    static const ShellClass classes[] = {{"Tray Volume", false, true},     {"SNDVOL32", false, true},
                                         {"SystemTray_Main", false, true}, {"ExploreWClass", true, false},
                                         {"ExploreWClass", true, false},   {"Proxy Desktop", false, false},
                                         {"Shell_TrayWnd", false, false},  {"ProgMan", false, false}};
    for (const ShellClass& shellClass : classes) {
        HWND window = FindShellWindow(shellClass.name);
        if (window && shellClass.closeThreadWindows) {
            EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CloseThreadWindow, 0);
        }
        if (window && shellClass.trayApplet) m_systrayWasRunning = true;

        window = FindShellWindow(shellClass.name);
        if (!window) continue;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        // A shell window of our own process would end us with it.
        if (processId == 0 || processId == GetCurrentProcessId()) continue;
        unique_handle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
        if (process) TerminateProcess(process.get(), 0);
        Sleep(100);
    }
    m_closed = true;
}

void ExplorerRestart::StartProgram(const std::string& program) const {
    ShellExecuteA(nullptr, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ExplorerRestart::RestartIfClosed() {
    if (!m_closed) return;
    StartProgram(m_shell.explorerProgram);
    for (int look = 0; look < 51 && !FindShellWindow("Shell_TrayWnd"); ++look) Sleep(100);
    Sleep(500);
    if (m_systrayWasRunning && !FindShellWindow("SystemTray_Main")) StartProgram(m_shell.systrayProgram);
    m_systrayWasRunning = false;
    m_closed = false;
}

}  // namespace platform
