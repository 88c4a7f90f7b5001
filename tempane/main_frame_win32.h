// tempane's frame: a window without caption or taskbar button that owns the
// tray icon and carries out the tray menu's commands.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/tray.h"
#include "tempane/help_page_win32.h"

namespace tempane {

class MainFrame {
public:
    // Creates the frame (which puts up the tray icon and the splash); NULL on
    // failure. The frame destroys itself when closed; the object must outlive
    // its window.
    HWND Create(HINSTANCE instance);
    HWND Window() const { return m_window; }

    // How "Help ..." opens the page; tests replace it to record the call.
    void SetHelpLauncher(HelpLauncher launch) { m_launchHelp = std::move(launch); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnCreate();
    LRESULT OnTrayNotify(UINT mouseMessage);
    LRESULT OnCommand(UINT command);
    LRESULT OnDestroy();
    LRESULT OnEndSession(bool ending);
    LRESULT OnTaskbarCreated();

    void AddTrayIcon();
    void ShowTrayMenu();
    void ShowAbout();
    void CloseProgram();

    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    std::unique_ptr<platform::TrayIcon> m_tray;
    HWND m_about = nullptr;
    HelpLauncher m_launchHelp = OpenWithShell;
};

}  // namespace tempane
