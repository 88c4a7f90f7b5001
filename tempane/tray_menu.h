// Where the tray menu and the help page are found.
#pragma once

#include <optional>
#include <string>

namespace tempane {

struct MenuPlace {
    int x = 0;
    int y = 0;
};

// The menu opens 10 pixels right of the cursor (or near the right edge of the
// screen when the cursor position is unknown), just above the bottom edge
// where the taskbar usually lies.
MenuPlace TrayMenuPlace(int screenWidth, int screenHeight, std::optional<int> cursorX, int menuBarHeight);

// The help page beside the program: "<program folder>\Help\index.html".
std::string HelpPagePath(const std::string& programPath);

}  // namespace tempane
