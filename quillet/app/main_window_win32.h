// quillet's hidden main window: it owns the tray icons and the hotkey, routes
// tray clicks to the tray icons' menus and to its own command menu, and takes
// over the paths the shell hands to the program.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/tray.h"
#include "platform/window_base.h"
#include "quillet/app/application.h"
#include "quillet/app/window_framework_win32.h"

namespace quillet {

class MainWindow : public platform::BaseWindow<MainWindow>, public FrameworkWindow {
public:
    explicit MainWindow(Application& application);
    ~MainWindow();

    enum class CreateResult { Created, OtherInstance, Failed };
    // Brings an instance that already runs forward instead of creating a
    // second main window. Needs the registered messages.
    CreateResult Create(HINSTANCE instance);

    // Puts up, updates and takes down tray icons to match the icon set.
    void RefreshTrayIcons();
    // Registers hotkey 1 from settings 9003 and 9004 again.
    void ApplyHotkey();
    // "/N <path>" hands a path to the new-item wizard once the loop runs.
    void HandleCommandLine(const std::vector<std::string>& arguments);

    int Busy() const { return m_busy; }
    const std::string& PendingPath() const { return m_pendingPath; }
    size_t TrayIconsUp() const { return m_trayIcons.size(); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnTrayMessage(WPARAM id, LPARAM mouseMessage);
    LRESULT OnHotkey(WPARAM id, LPARAM);
    LRESULT OnNewFile(WPARAM atom, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnGetPointer(WPARAM, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);

    void OpenTrayIconMenu(size_t index);
    void ShowCommandMenu();
    void RunCommand(UINT command);
    void Close();
    // Runs the new-item wizard with the pending path and saves when it made
    // an item.
    void TakeUpPendingPath();
    void RemoveTrayIcons();
    void UnregisterHotkey();

    Application& m_application;
    HINSTANCE m_instance = nullptr;
    // Built in Create, once the registered messages are known.
    std::vector<MessageRow<MainWindow>> m_messageTable;
    bool m_hotkeyRegistered = false;
    bool m_firstRefreshDone = false;
    int m_busy = 0;
    std::string m_pendingPath;
    std::vector<std::unique_ptr<platform::TrayIcon>> m_trayIcons;
};

// The About box: the program's description and version.
void ShowAboutBox(HWND owner);

}  // namespace quillet
