// What a failed launch tells the user: the message key for the system's
// error code and the parts of the path the message texts may quote.
// Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// "$errFileNotFound" for error 2 and so on; "$errDefault" for any code the
// table does not name (1155, "no association", as newer systems report it).
std::string LaunchErrorKey(uint32_t error);

// A path split as the C runtime's _splitpath does, but without its fixed
// buffers: drive "C:", directory up to and including the last separator,
// name, and extension from the last dot of the name on ("" when none).
struct PathParts {
    std::string drive;
    std::string directory;
    std::string name;
    std::string extension;
};
PathParts SplitPath(std::string_view path);

// The inserts of a launch error text: %1 the full path, %2 its drive, %3 its
// directory, %4 its name, %5 its extension.
std::vector<std::string> LaunchErrorArguments(std::string_view path);

}  // namespace quillet
