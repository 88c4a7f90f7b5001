// Class ids of quillet's object model and their text form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". Portable: no <windows.h>.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quillet/value/value.h"

namespace quillet {

// Upper-case hexadecimal in braces, hyphens after the 8th, 12th, 16th and 20th
// digit.
std::string ClassIdToText(const Guid& id);

// Reads exactly the text form above (hexadecimal digits of either case);
// anything else, including surrounding blanks, gives nothing.
std::optional<Guid> ClassIdFromText(std::string_view text);

// The classes built into quillet. They are written to every saved icon set,
// so they never change.
extern const Guid kClassIconSetRoot;       // {7FF48766-F53B-11D1-B9CA-006008536FD9}
extern const Guid kClassStandardTrayIcon;  // {7FF48765-F53B-11D1-B9CA-006008536FD9}
extern const Guid kClassFolder;            // {DC83F3D0-F4B8-11D1-B9C9-006008536FD9}
extern const Guid kClassSeparator;         // {DC83F3D1-F4B8-11D1-B9C9-006008536FD9}
extern const Guid kClassColumnSeparator;   // {3C66A7F8-3333-11D2-BA7A-006008536FD9}

}  // namespace quillet
