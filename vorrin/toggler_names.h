// Names and numbers through which the toggler meets Windows, the shell and its
// own tests. No Windows headers here.
#pragma once

namespace vorrin {

constexpr const char* kWindowClass = "vnc";
constexpr const char* kWindowTitle = "vnw";
constexpr const char* kMenuResource = "vorrinmenu";
constexpr const char* kIconResource = "vorrinicon";
constexpr const char* kTrayTip = "Show/Hide Desktop Icons";

// WM_USER + 24: the message the shell sends for mouse events on the icon.
constexpr unsigned kTrayCallbackMessage = 0x0418;
constexpr unsigned kTrayIconId = 1;

// The shell's desktop window; hiding it hides every desktop icon.
constexpr const char* kDesktopWindowClass = "Progman";

constexpr const char* kDisplayPropertiesProgram = "rundll32";
constexpr const char* kDisplayPropertiesParameters = "shell32.dll,Control_RunDLL desk.cpl";

// For tests only: when this names a file, log-off, restart and shut-down are
// appended to it instead of ending the session (under Wine ExitWindowsEx ends
// every process of the prefix, the test runner included).
constexpr const char* kSessionEndRecordVariable = "VORRIN_TEST_SESSION_END_RECORD";

}  // namespace vorrin
