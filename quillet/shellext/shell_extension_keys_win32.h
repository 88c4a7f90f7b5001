// Where the "Add to Tray" entries are found: the per-user classes first (as
// Explorer's merged view of HKEY_CLASSES_ROOT reads them), then the
// machine-wide classes. Shared by the program and quilletctx.dll.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "quillet/shellext/shell_extension_entries.h"

namespace quillet {

// The key at `path` below the classes, from the first place that has it;
// empty when neither does.
platform::RegistryKey OpenClassesKey(const std::string& path, REGSAM access = KEY_READ);

// Every existing copy of the key below the classes, opened with `access`:
// the per-user one, then the machine-wide one. A copy that exists but does
// not open with that access is left out.
std::vector<platform::RegistryKey> OpenEveryClassesKey(const std::string& path, REGSAM access);

// The switch of the handler key of one file class ("Directory", "Folder").
HandlerSwitch ReadHandlerSwitch(const char* fileClass);

// True when both handler keys allow the command.
bool ReadCommandEnabled();

// A text value of a key, or nothing when absent or not a string.
std::optional<std::string> ReadText(const platform::RegistryKey& key, const std::string& name);

}  // namespace quillet
