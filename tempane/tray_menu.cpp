#include "tempane/tray_menu.h"

namespace tempane {

MenuPlace TrayMenuPlace(int screenWidth, int screenHeight, std::optional<int> cursorX, int menuBarHeight) {
    MenuPlace place;
    place.x = cursorX.value_or(screenWidth - 100) + 10;
    place.y = screenHeight - (2 * menuBarHeight + 10);
    return place;
}

std::string HelpPagePath(const std::string& programPath) {
    std::string::size_type slash = programPath.find_last_of('\\');
    // A bare program name (no folder) means the current folder.
    std::string folder = slash == std::string::npos ? std::string(".") : programPath.substr(0, slash);
    return folder + "\\Help\\index.html";
}

}  // namespace tempane
