// Version resources of program files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// Full path of a loaded module (nullptr: the running program).
std::string ModulePath(HMODULE module = nullptr);

// A string of the file's version resource ("ProductVersion", "CompanyName",
// ...), taken from the first language the resource lists.
std::optional<std::string> VersionString(const std::string& file, const std::string& name);

}  // namespace platform
