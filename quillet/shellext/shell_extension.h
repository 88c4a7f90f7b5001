// The registry entries that make Explorer offer "Add to Tray" for folders
// through quilletctx.dll, and their on/off switch.
//
// Where the machine-wide classes or HKEY_LOCAL_MACHINE refuse a write (a
// normal user on the NT family), the same keys and values are written below
// HKEY_CURRENT_USER ("Software\Classes\..." for the classes), which Explorer
// reads the same way; reading and switching look wherever the keys are.
#pragma once

#include "quillet/shellext/shell_extension_entries.h"

namespace quillet {

// Written at every start, after the main window exists.
void RegisterShellExtension();
bool IsShellExtensionEnabled();
void SetShellExtensionEnabled(bool enabled);

// What the running program registers: its language's "contextText", the
// handler library beside it (short path), its own file name and main window
// class.
ShellExtensionFacts CurrentShellExtensionFacts();
// Registration with given facts (tests register a library from elsewhere).
void RegisterShellExtension(const ShellExtensionFacts& facts);

}  // namespace quillet
