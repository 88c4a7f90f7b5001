// Closing Explorer so that it lets go of a library it holds loaded, and
// starting it again afterwards. Used by installers that must replace or delete
// a shell extension or hook library.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// Where the shell lives. Tests put stand-ins in its place: their windows carry
// `classPrefix` in front of the shell's class names and their programs lie
// elsewhere, so the real shell of the session is never touched.
struct ExplorerShell {
    std::string classPrefix;
    std::string explorerProgram;  // the Windows folder's explorer.exe
    std::string systrayProgram;   // "systray.exe", found along the search path
};

// The shell of this session.
ExplorerShell SessionExplorerShell();

class ExplorerRestart {
public:
    explicit ExplorerRestart(ExplorerShell shell) : m_shell(std::move(shell)) {}

    // Closes the volume and tray applets, every Explorer window and the
    // taskbar and desktop: the windows of an Explorer window's thread are
    // asked to close, then the process of each shell window still there is
    // ended. Remembers whether the system-tray applet was running.
    void Close();
    bool Closed() const { return m_closed; }

    // When Close ran: starts Explorer, waits (up to about five seconds) for
    // its taskbar, gives it half a second more and starts the system-tray
    // applet again if it had been running and has not come back by itself.
    void RestartIfClosed();

private:
    HWND FindShellWindow(const char* className) const;
    void StartProgram(const std::string& program) const;

    ExplorerShell m_shell;
    bool m_closed = false;
    bool m_systrayWasRunning = false;
};

}  // namespace platform
