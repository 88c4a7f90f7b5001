// Text macros ("%pn", "%bp", ...): product and file facts of the running
// program filled into texts. Portable: the facts are read by the Win32 side
// and handed in as plain strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// What the macros can name, read once from the program file at start-up.
// A field the version resource lacks stays empty.
struct VersionFacts {
    std::string baseName;                  // %bn: file name without folder and extension
    std::string folder;                    // %bp: folder, no trailing backslash
    std::string comments;                  // %cm
    std::string companyName;               // %cn; %cs is its first word
    std::string fileDescription;           // %fd
    std::string fileDate;                  // %ft: last-write date, already in the user's short date format
    std::string fileVersion;               // %fv
    std::string internalName;              // %in
    std::string legalCopyright;            // %lc
    std::string originalFilename;          // %of
    std::optional<uint16_t> productMajor;  // %p1: high word of the fixed product version
    std::string productName;               // %pn
    std::string productVersion;            // %pv
};

// Fills baseName and folder from the program's full path.
void SetProgramPath(VersionFacts& facts, std::string_view path);

// The value of the macro named by two characters (case-insensitive), or
// nothing when they name no macro.
std::optional<std::string> MacroValue(const VersionFacts& facts, char first, char second);

// "%%" gives "%"; "%xy" gives the macro's value, where a digit right after
// the macro picks that field (from 0) of the value split at ';'; an empty
// value also swallows one blank after it. Unknown pairs stay as they are.
// Finally every byte 0xAC becomes CR LF.
std::string ExpandMacros(std::string_view text, const VersionFacts& facts);

}  // namespace quillet
