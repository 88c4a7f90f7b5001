// TfrmMainKelvane: the hidden main form. It owns the control component with
// the settings and window lists, the two tray icons and their menus, the three
// timers and the binding to the hook library, and receives the library's
// registered messages.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kelvane/app/start_rules.h"
#include "kelvane/components/cool_tray_icon_win32.h"
#include "kelvane/components/icon_popup_menu_win32.h"
#include "kelvane/components/kelvane_control_win32.h"
#include "kelvane/finder/finder_menu_win32.h"
#include "kelvane/finder/window_menu_win32.h"
#include "kelvane/hooks/system_menu_commands_win32.h"
#include "kelvane/shellmaint/shell_maintenance_win32.h"
#include "platform/window_base.h"

namespace kelvane {

inline constexpr UINT_PTR kShiftWindowsTimer = 1;
inline constexpr UINT_PTR kEmptyDocumentsTimer = 2;
inline constexpr UINT_PTR kMinuteTimer = 3;
inline constexpr UINT_PTR kReAddIconsTimer = 4;
inline constexpr UINT kMinuteInterval = 60000;
inline constexpr UINT kReAddIconsDelay = 2000;

class TfrmMainKelvane : public platform::BaseWindow<TfrmMainKelvane> {
public:
    TfrmMainKelvane();
    ~TfrmMainKelvane();

    // Creates the hidden form and runs its creation steps. False when the
    // program is to end at once ("/CHECK", or the form could not be made).
    bool Create(HINSTANCE instance, const StartSwitches& switches);

    // Applies the saved settings to the icons, menus and timers.
    void ApplySettings();

    CKelvane ioControl;
    std::unique_ptr<CIconPopupMenu> mnuPopup;
    std::unique_ptr<CIconPopupMenu> mnuFinder;
    std::unique_ptr<TCoolTrayIcon> tiKelvane;
    std::unique_ptr<TCoolTrayIcon> tiFinder;
    bool AdjustAllMode = false;

    // Parts built elsewhere plug in here: the settings dialog, the window
    // list and quick commands, the desktop finder and Documents emptying.
    std::function<void()> OnOpenSettings;
    std::function<void(CIconPopupMenu&)> OnMergeWindowList;
    std::function<void(CIconPopupMenu&)> OnRemoveMergedItems;
    std::function<void(CIconPopupMenu&)> OnBuildFinderMenu;
    std::function<void(const char* command)> OnQuickCommand;
    std::function<void()> OnEmptyDocuments;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void BuildMenus();
    void PlugInSettingsDialog(HINSTANCE instance);
    void PlugInFinder(HINSTANCE instance);
    void LoadIcons(HINSTANCE instance);
    void FirstRun();
    void ShiftPrompt();
    LRESULT OnTimer(UINT_PTR timer);
    LRESULT OnClose();
    LRESULT OnDestroy();
    void ShiftWindowsTick();
    void MinuteTick();
    void EmptyDocumentsTick();
    void AdjustWindows(bool all);
    void ScheduleIconReAdd();
    void ReAddIcons();
    void ShowException(const std::string& message);

    UINT m_initiateMessage;
    UINT m_taskbarCreatedMessage;
    std::unique_ptr<SystemMenuCommands> m_commands;
    std::unique_ptr<WindowMenu> m_windowMenu;
    std::unique_ptr<FinderMenu> m_finderMenu;
    std::vector<HICON> imglKelvaneIcons;
    std::vector<HICON> imglFinderIcons;
    CMenuItem* miEndFinderSeparator = nullptr;
    // fiEmptyDocuments and the flag that keeps an emptying from re-entering itself.
    CDocumentsEmptier m_documents;
    bool m_destroying = false;
    bool m_closed = false;
};

// Shows a message box the way the program's dialogs look: owner-less, titled
// after the kind of dialog.
int MessageDialog(const std::string& text, UINT type);

}  // namespace kelvane
