// The main form's side of the system-hook library: loading and starting it,
// the registered messages it sends back, the three system-menu commands and
// the actions and window lists behind them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "hookshim/hookshim_protocol.h"
#include "kelvane/components/kelvane_control_win32.h"
#include "kelvane/hooks/repeat_filter.h"
#include "platform/handles.h"

namespace kelvane {

// The registered messages of the hook library, looked up once.
struct HookMessages {
    HookMessages();
    UINT addMenu, initMenu, removeMenu, sysCommand, setNeverAdjust, getNeverAdjust, ncLButtonDblClk;
    UINT hideWindow, alwaysOnTop, endSysHooks, editMenuRequest;
};
const HookMessages& RegisteredHookMessages();

// Put before a load failure's text in the message after which the program ends.
inline constexpr const char* kMustTerminatePrefix = "Nimbrel Kelvane must terminate. ";

class SystemMenuCommands {
public:
    // `control` owns the settings and the window lists; `mainForm` receives
    // the library's messages. `libraryName` is what LoadLibrary is given.
    SystemMenuCommands(CKelvane& control, HWND mainForm, std::string libraryName = hookshim::kLibraryName);
    // Switches the hooks off (stops and unloads the library).
    ~SystemMenuCommands();
    SystemMenuCommands(const SystemMenuCommands&) = delete;
    SystemMenuCommands& operator=(const SystemMenuCommands&) = delete;

    // Makes the hook switch follow the control's saved settings: sets
    // control.pOnSwitchSystemHooks, which CKelvane raises after every save.
    void FollowSettings();

    // On: loads the library unless loaded, starts its hooks for the main
    // form and sends the double-click action. Off: stops the hooks and
    // unloads the library. Setting the current value does nothing. False when
    // the library could not be loaded; LoadFailure() then holds the message
    // the program must show before it ends, and OnLoadFailure is raised with it.
    bool SwitchSystemHooks(bool on);
    bool HooksOn() const { return m_hooksOn; }
    bool LibraryLoaded() const { return static_cast<bool>(m_library); }
    // Sends the current "NCL Button DblClk" action to the running library.
    void SendDoubleClickAction();

    // "Nimbrel Kelvane must terminate. " + the reason; empty while none failed.
    const std::string& LoadFailure() const { return m_loadFailure; }
    std::function<void(const std::string& message)> OnLoadFailure;

    // The library's registered messages, in the main form's dispatch order
    // (WMGetNeverAdjust, WMSetNeverAdjust, Hide Window, Always On Top,
    // WMNCLButtonDBLCLK, WMSysCommand, WMAddMenu/WMInitMenu, WMRemoveMenu).
    // True when the message was one of them; `result` is then its answer.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Add the commands to a window's system menu, or refresh their marks.
    void AddOrRefreshCommands(HWND window);
    // Remove the commands from one window, or from every window in
    // SystemMenuWindows (emptying it): shut-down, and settings applied with
    // "Add System Menu Commands" off.
    void RemoveCommands(HWND window);
    void RemoveCommandsFromAllWindows();

    // The actions; ineligible windows are ignored.
    void ToggleAlwaysOnTop(HWND window);
    void HideWindow(HWND window);
    // Shows every hidden window again at the bottom of the Z order and
    // empties HiddenWindows ("Restore hidden windows", shut-down).
    void RestoreHiddenWindows();
    // Makes every window of TopmostWindows that is still topmost non-topmost (shut-down).
    void UndoTopmostWindows();
    // Housekeeping: drops entries whose window is gone from NeverAdjustWindows
    // and SystemMenuWindows, and from HiddenWindows and TopmostWindows also
    // those whose window someone else showed again or made non-topmost.
    void PruneWindowLists();

private:
    void ToggleNeverAdjust(HWND window);
    bool EditMenu(HWND window, hookshim::MenuEdit edit);

    CKelvane& m_control;
    HWND m_mainForm;
    std::string m_libraryName;
    const HookMessages& m_messages;
    platform::unique_hmodule m_library;
    bool m_hooksOn = false;
    bool m_followsSettings = false;
    std::string m_loadFailure;
    RepeatFilter m_repeatFilter;
};

// A window eligible for Always On Top and Hide Window: it exists, is not the
// taskbar, and has a caption, a system menu and the visible bit.
bool IsEligibleForCommands(HWND window);

}  // namespace kelvane
