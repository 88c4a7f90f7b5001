// Opens the help page beside the program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tempane {

// Opens `path` for `owner`; the program uses OpenWithShell, tests record.
using HelpLauncher = std::function<void(HWND owner, const std::string& path)>;

// ShellExecuteEx with the default verb and SW_SHOW. A missing page or a
// missing browser is not reported: the user simply sees no page.
void OpenWithShell(HWND owner, const std::string& path);

// Full path of the running program, however long.
std::string ProgramPath();

// Hands "<program folder>\Help\index.html" to `launch`.
void OpenHelpPage(HWND owner, const HelpLauncher& launch);

}  // namespace tempane
