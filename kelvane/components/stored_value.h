// Values as the settings store hands them back, and their conversion to the
// types the settings are kept in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

// One stored value. Strings arrive as text (expandable strings already
// expanded), DWORDs as numbers, binary data as its bytes.
struct StoredValue {
    enum class Kind { Text, Dword, Binary };
    Kind kind = Kind::Text;
    std::string text;    // Text: the string; Binary: the raw bytes
    uint32_t dword = 0;  // Dword

    static StoredValue FromText(std::string text) { return {Kind::Text, std::move(text), 0}; }
    static StoredValue FromDword(uint32_t value) { return {Kind::Dword, {}, value}; }
    static StoredValue FromBinary(std::string bytes) { return {Kind::Binary, std::move(bytes), 0}; }
};

// The value as text: strings as they are, DWORDs in decimal (as a signed
// 32-bit number), binary data as the characters up to its first NUL.
std::string AsText(const StoredValue& value);

// A signed 32-bit integer: a DWORD's bits, or a decimal text with optional
// sign and surrounding blanks. Nothing for any other text or one out of range.
std::optional<int32_t> AsInteger(const StoredValue& value);

// A boolean: a non-zero number is true; a text may also say "true" or
// "false" in any letter case. Nothing for any other text.
std::optional<bool> AsBoolean(const StoredValue& value);

// The identifiers of an enumeration, in the order of its values 0, 1, ...
using EnumIdentifiers = std::vector<const char*>;

// Stands for a stored enumeration text that names no value.
inline constexpr int kNoValidValue = -1;

// The value an identifier text names (letter case ignored, as identifiers
// are), or kNoValidValue.
int EnumValueFromText(const EnumIdentifiers& identifiers, const std::string& text);
// The identifier of a value; empty for kNoValidValue or any value out of range.
std::string EnumText(const EnumIdentifiers& identifiers, int value);

// Where settings are read from and written to: a registry key in the
// program, a map in the tests.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Nothing when the value is missing or holds a type the store does not
    // accept.
    virtual std::optional<StoredValue> ReadValue(const std::string& name) const = 0;
    // False when the value could not be written.
    virtual bool WriteBool(const std::string& name, bool value) = 0;
    virtual bool WriteInteger(const std::string& name, int32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& text) = 0;
};

// Change notifications a settings data object sends to its control.
inline constexpr int kAspectDataLoaded = 100;
inline constexpr int kAspectDataSaved = 101;

}  // namespace kelvane
