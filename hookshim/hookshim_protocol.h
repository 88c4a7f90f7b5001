// What hookshim.dll and the program that loads it agree on: the library's
// file and export names, the registered messages it sends back, the
// system-menu command identifiers and the menu-edit request. Portable: no
// <windows.h>, so both sides and the native tests share one copy.
#pragma once

#include <cstdint>

namespace hookshim {

inline constexpr const char* kLibraryName = "hookshim.Dll";

inline constexpr const char* kStartSysHooksExport = "shStartSysHooks";
inline constexpr const char* kEndSysHooksExport = "shEndSysHooks";
inline constexpr const char* kSetNCLButtonDblClkExport = "shSetNCLButtonDblClk";

// Registered messages the library sends to the program's window; wParam is
// always the window concerned.
inline constexpr const char* kWMAddMenu = "Nimbrel System Hooks WMAddMenu";
inline constexpr const char* kWMInitMenu = "Nimbrel System Hooks WMInitMenu";
inline constexpr const char* kWMRemoveMenu = "Nimbrel System Hooks WMRemoveMenu";
inline constexpr const char* kWMSysCommand = "Nimbrel System Hooks WMSysCommand";
inline constexpr const char* kWMSetNeverAdjust = "Nimbrel System Hooks WMSetNeverAdjust";
inline constexpr const char* kWMGetNeverAdjust = "Nimbrel System Hooks WMGetNeverAdjust";
inline constexpr const char* kWMNCLButtonDBLCLK = "Nimbrel System Hooks WMNCLButtonDBLCLK";
inline constexpr const char* kHideWindowMessage = "Nimbrel Kelvane Hide Window Window Message";
inline constexpr const char* kAlwaysOnTopMessage = "Nimbrel Kelvane Always On Top Window Message";
inline constexpr const char* kEndSysHooksMessage = "Nimbrel Kelvane End SysHooks Window Message";

// Sent by the program to a window whose system menu it cannot reach from its
// own process (Wine gives no system menu of another process's window): the
// library, loaded into the window's process by its hooks, edits the menu
// there with the same routine. wParam is a MenuEdit, lParam the MenuMarks.
inline constexpr const char* kEditMenuRequest = "Nimbrel System Hooks Edit Menu";

enum class MenuEdit : uint32_t { AddOrRefresh = 1, Remove = 2 };
// Bits of the edit request's lParam: the check marks to show.
inline constexpr uint32_t kMarkTopmost = 1;
inline constexpr uint32_t kMarkNeverAdjust = 2;

// The commands appended to a system menu, after a separator.
inline constexpr uint32_t kCommandAlwaysOnTop = 61400;
inline constexpr uint32_t kCommandHideWindow = 61401;
inline constexpr uint32_t kCommandNeverAdjust = 61402;
inline constexpr const char* kCaptionAlwaysOnTop = "&Always On Top";
inline constexpr const char* kCaptionHideWindow = "&Hide Window";
inline constexpr const char* kCaptionNeverAdjust = "Ne&ver Adjust";

// Title-bar double-click action, as shSetNCLButtonDblClk takes it.
enum class DoubleClickAction : uint8_t { Default = 0, AlwaysOnTop = 1, HideWindow = 2 };

// Windows whose class is this never get the commands: it is the hidden
// application window of programs built with the same component library,
// whose system menu stands for the whole program.
inline constexpr const char* kExcludedClassName = "TApplication";

}  // namespace hookshim
