// What tempane's command line can ask for.
#pragma once

#include <string>
#include <vector>

namespace tempane {

// True unless one parameter, after one leading "/" or "-" is removed, reads
// exactly "s" (lower case): "s", "/s" and "-s" start without the splash.
bool SplashWanted(const std::vector<std::string>& parameters);

}  // namespace tempane
