// Registry paths of the settings store and the position saver.
#pragma once

#include <string>

namespace kelvane {

// The parts every registry path of a control is built from. Empty parts are
// left out of the path.
struct RegistryParts {
    std::string company;
    std::string application;
    std::string version;
    std::string section;
};

// What an empty company, application or settings section stands for.
inline constexpr const char* kDefaultCompany = "My Company";
inline constexpr const char* kDefaultApplicationName = "My Application";
inline constexpr const char* kDefaultUserSettings = "Settings";
inline constexpr const char* kDefaultSaveSection = "Positions";

// The value name that addresses a key's default (unnamed) value.
inline constexpr const char* kDefaultValueName = "(Default)";

// "\SOFTWARE\company\application[\version][\section]" for the settings and
// "\Software\..." for the window positions. A part may itself contain
// backslashes (a version "1.0\beta" nests one key deeper); empty pieces are
// dropped, so no part ever leaves an empty key name behind.
std::string SettingsKeyPath(const RegistryParts& parts);
std::string PositionsKeyPath(const RegistryParts& parts);

// A value addressed as "key path\name": the last backslash-separated piece is
// the value name, "(Default)" (any letter case) standing for the unnamed value.
struct ValueAddress {
    std::string keyPath;
    std::string valueName;
};
ValueAddress AddressValue(const std::string& keyPath, const std::string& name);

// The path as the registry functions take it, relative to the root key.
std::string RelativeKeyPath(const std::string& keyPath);

// The text cut from its last "." on; a text without a dot is kept.
std::string WithoutLastDotPart(const std::string& text);

// The registry version a program keeps its settings under: the product
// version with its last dot-separated part removed twice ("1.0.0.0" -> "1.0").
// A text without a dot is kept as it is.
std::string RegistryVersionFromProductVersion(const std::string& productVersion);

}  // namespace kelvane
