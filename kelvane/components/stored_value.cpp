#include "kelvane/components/stored_value.h"

#include <cctype>
#include <climits>

namespace kelvane {
namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t start = text.find_first_not_of(blanks);
    if (start == std::string::npos) return {};
    size_t end = text.find_last_not_of(blanks);
    return text.substr(start, end - start + 1);
}

std::optional<int32_t> ParseDecimal(const std::string& raw) {
    std::string text = Trimmed(raw);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT32_MAX) + 1) return std::nullopt;
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

std::string AsText(const StoredValue& value) {
    switch (value.kind) {
    case StoredValue::Kind::Dword: return std::to_string(static_cast<int32_t>(value.dword));
    case StoredValue::Kind::Binary: return value.text.substr(0, value.text.find('\0'));
    case StoredValue::Kind::Text: break;
    }
    return value.text;
}

std::optional<int32_t> AsInteger(const StoredValue& value) {
    if (value.kind == StoredValue::Kind::Dword) return static_cast<int32_t>(value.dword);
    return ParseDecimal(AsText(value));
}

std::optional<bool> AsBoolean(const StoredValue& value) {
    if (auto number = AsInteger(value)) return *number != 0;
    std::string text = Trimmed(AsText(value));
    if (EqualsIgnoringCase(text, "true")) return true;
    if (EqualsIgnoringCase(text, "false")) return false;
    return std::nullopt;
}

int EnumValueFromText(const EnumIdentifiers& identifiers, const std::string& text) {
    for (size_t i = 0; i < identifiers.size(); ++i) {
        if (EqualsIgnoringCase(text, identifiers[i])) return static_cast<int>(i);
    }
    return kNoValidValue;
}

std::string EnumText(const EnumIdentifiers& identifiers, int value) {
    if (value < 0 || static_cast<size_t>(value) >= identifiers.size()) return {};
    return identifiers[static_cast<size_t>(value)];
}

}  // namespace kelvane
