// Shortcut (.lnk) files through the shell-link object. The caller initialises
// COM on its thread.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

struct ShortcutFields {
    std::string target;
    std::string arguments;
    std::string workingFolder;
    int showCommand = SW_SHOWNORMAL;
    WORD hotkey = 0;
};

// Writes the shortcut file `linkPath`; the result of the first failing call,
// S_OK on success.
HRESULT CreateShortcut(const std::string& linkPath, const ShortcutFields& fields);

// Reads a shortcut file back. Wine always answers SW_SHOWNORMAL for the show
// command after loading; read the file's bytes where that matters.
std::optional<ShortcutFields> ReadShortcut(const std::string& linkPath);

}  // namespace platform
