// What the desktop-icons toggler decides: start-up switches, tray clicks, menu
// commands and the About text. No Windows headers here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vorrin/vorrin_ids.h"

namespace vorrin {

// The desktop as the program believes it to be; nobody asks the shell.
enum class DesktopState { Hidden = 1, Shown = 2 };

// Switches found in the argument string (the command line after the program's
// own name). Each is a case-sensitive substring, so "-hide" also matches
// inside a longer word and "-HIDE" matches nothing.
struct StartSwitches {
    bool hide = false;
    bool show = false;
    bool quit = false;
};
StartSwitches ParseSwitches(std::string_view arguments);

// Mouse messages as the tray callback carries them in lParam.
constexpr unsigned kLeftButtonUp = 0x0202;
constexpr unsigned kRightButtonUp = 0x0205;

enum class TrayAction { None, PostHide, PostShow, ShowMenu };

// A left click toggles by the believed state; a right click opens the menu;
// every other mouse message does nothing.
TrayAction TrayActionFor(unsigned mouseMessage, DesktopState believed);

// The menu command an identifier stands for, or nothing for an unknown one.
enum class Command { HideDesktopIcons, ShowDesktopIcons, About, Quit, DisplayProperties, LogOff, Restart, ShutDown };
std::optional<Command> CommandFromId(unsigned id);

// The believed desktop state after a command (unchanged by all but two).
DesktopState StateAfter(Command command, DesktopState before);

// How a session-ending command ends the session.
struct SessionEnd {
    unsigned exitWindowsFlags;    // EWX_LOGOFF 0, EWX_SHUTDOWN 1, EWX_REBOOT 2
    bool needsShutdownPrivilege;  // Windows NT refuses restart and shut-down without it
};
std::optional<SessionEnd> SessionEndFor(Command command);

// The text of the About box.
std::string AboutText();

}  // namespace vorrin
