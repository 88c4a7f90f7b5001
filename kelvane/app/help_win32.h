// kelvane's help: one HTML page per help context in the help folder beside
// the program, opened in the user's browser.
#pragma once

#include <string>

namespace kelvane {

// Full path of the page of a help context; empty for a context no page has.
std::string HelpPagePath(int helpContext);

// Opens the page of a help context. Every help request of the program goes
// through here. False when there is no page or the shell could not open it.
bool ShowHelp(int helpContext);

}  // namespace kelvane
