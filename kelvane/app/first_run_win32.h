// What kelvane.exe does at its first start, and the tests' registry seam.
#pragma once

#include <windows.h>

#include <string>

#include "kelvane/components/control_win32.h"

namespace kelvane {

// A shortcut to the program in the user's Startup folder, named after the
// application with ".lnk"; the caller has initialised COM.
bool CreateStartupShortcut(const std::string& applicationName);
std::string StartupShortcutPath(const std::string& applicationName);
// The same shortcut in the Startup folder all users share.
std::string CommonStartupShortcutPath(const std::string& applicationName);

// Stores whether each Start Menu cascade folder already exists.
void RecordCascadeFolders(CRegistryEnhanced& settings);

// Explorer is set not to show full paths in window titles.
bool ExplorerHidesFullPaths();

}  // namespace kelvane
