// tempane's frame: a window without caption or taskbar button that owns the
// tray icon and the splash, and carries out the tray menu's commands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/handles.h"
#include "platform/tray.h"
#include "platform/window_base.h"
#include "tempane/help_page_win32.h"
#include "tempane/splash_win32.h"

namespace tempane {

class MainFrame : public platform::BaseWindow<MainFrame> {
public:
    // Creates the frame, which puts up the tray icon and, if `withSplash`,
    // the splash. On failure returns false and `failure` says which call
    // failed and why. The frame destroys itself when closed; the object must
    // outlive its window.
    bool Create(HINSTANCE instance, bool withSplash, std::string& failure);

    // The start-up picture, which the message loop lets take key and button
    // presses while it is up.
    Splash& StartupSplash() { return m_splash; }

    // How "Help ..." opens the page; tests replace it to record the call.
    void SetHelpLauncher(HelpLauncher launch) { m_launchHelp = std::move(launch); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
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
    bool m_withSplash = false;
    // Declared before the record that shows it, so it goes after the icon.
    platform::unique_hicon m_trayImage;
    std::optional<platform::TrayIcon> m_tray;
    HWND m_about = nullptr;
    HelpLauncher m_launchHelp = OpenWithShell;
    Splash m_splash;
};

}  // namespace tempane
