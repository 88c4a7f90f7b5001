#include "quillet/ui/launch_errors.h"

namespace quillet {

std::string LaunchErrorKey(uint32_t error) {
    switch (error) {
    case 0: return "$errOSResources";
    case 2: return "$errFileNotFound";
    case 3: return "$errPathNotFound";
    case 5: return "$errAccessDenied";
    case 11: return "$errInvalidEXE";
    case 26: return "$errSharingViolation";
    case 27: return "$errBadAssoc";
    case 31: return "$errNoAssoc";
    default: return "$errDefault";
    }
}

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) {
        parts.directory = std::string(path.substr(0, separator + 1));
        path.remove_prefix(separator + 1);
    }
    const size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        parts.extension = std::string(path.substr(dot));
        path = path.substr(0, dot);
    }
    parts.name = std::string(path);
    return parts;
}

std::vector<std::string> LaunchErrorArguments(std::string_view path) {
    PathParts parts = SplitPath(path);
    return {std::string(path), std::move(parts.drive), std::move(parts.directory), std::move(parts.name),
            std::move(parts.extension)};
}

}  // namespace quillet
