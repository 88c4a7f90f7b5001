// What the system-menu commands decide without asking Windows: which
// windows take the commands and the actions, what a command or a title-bar
// double-click does, and what a failed load of the hook library says.
#pragma once

#include <cstdint>
#include <string>

#include "hookshim/hookshim_protocol.h"
#include "kelvane/components/kelvane_settings.h"

namespace kelvane {

// Only the hidden application window of a program built with the same
// component library is left without the commands.
bool TakesSystemMenuCommands(const std::string& className);

// What is known of a window before Always On Top or Hide Window acts on it.
struct CommandWindowFacts {
    bool exists;
    bool isTaskbar;      // class "Shell_TrayWnd"
    bool hasCaption;     // WS_BORDER or WS_DLGFRAME
    bool hasSystemMenu;  // WS_SYSMENU
    bool visible;        // WS_VISIBLE
};
bool IsEligibleForCommands(const CommandWindowFacts& facts);

enum class WindowAction { None, ToggleAlwaysOnTop, HideWindow };

// WMSysCommand: 61400 and 61401; Ne&ver Adjust comes as WMSetNeverAdjust.
WindowAction ActionForSysCommand(uint32_t command);
WindowAction ActionForDoubleClick(CNCLButtonDblClk action);
// The byte shSetNCLButtonDblClk takes; a stored text that names no action
// leaves the window's own behaviour.
hookshim::DoubleClickAction LibraryDoubleClickAction(CNCLButtonDblClk action);

// The reason LoadLibrary gave, in the user's words.
std::string LoadFailureReason(uint32_t error);

}  // namespace kelvane
