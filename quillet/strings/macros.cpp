#include "quillet/strings/macros.h"

namespace quillet {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string FirstWord(const std::string& text) {
    return text.substr(0, text.find(' '));
}

std::string Field(const std::string& value, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const size_t separator = value.find(';', start);
        if (separator == std::string::npos) return {};
        start = separator + 1;
    }
    return value.substr(start, value.find(';', start) - start);
}

}  // namespace

void SetProgramPath(VersionFacts& facts, std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string_view fileName = slash == std::string_view::npos ? path : path.substr(slash + 1);
    facts.folder = slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
    const size_t dot = fileName.rfind('.');
    facts.baseName = std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

std::optional<std::string> MacroValue(const VersionFacts& facts, char first, char second) {
    const char name[3] = {Lower(first), Lower(second), '\0'};
    const std::string_view macro(name, 2);
    if (macro == "bn") return facts.baseName;
    if (macro == "bp") return facts.folder;
    if (macro == "cm") return facts.comments;
    if (macro == "cn") return facts.companyName;
    if (macro == "cs") return FirstWord(facts.companyName);
    if (macro == "fd") return facts.fileDescription;
    if (macro == "ft") return facts.fileDate;
    if (macro == "fv") return facts.fileVersion;
    if (macro == "in") return facts.internalName;
    if (macro == "lc") return facts.legalCopyright;
    if (macro == "of") return facts.originalFilename;
    if (macro == "p1") return facts.productMajor ? std::to_string(*facts.productMajor) : std::string();
    if (macro == "pn") return facts.productName;
    if (macro == "pv") return facts.productVersion;
    return std::nullopt;
}

std::string ExpandMacros(std::string_view text, const VersionFacts& facts) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            result += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            result += '%';
            i += 2;
            continue;
        }
        std::optional<std::string> value;
        if (i + 2 < text.size()) value = MacroValue(facts, text[i + 1], text[i + 2]);
        if (!value) {
            result += '%';
            ++i;
            continue;
        }
        i += 3;
        if (i < text.size() && IsDigit(text[i])) value = Field(*value, text[i++] - '0');
        if (value->empty() && i < text.size() && text[i] == ' ') ++i;
        result += *value;
    }

    std::string withBreaks;
    withBreaks.reserve(result.size());
    for (char c : result) {
        if (static_cast<unsigned char>(c) == 0xAC) {
            withBreaks += "\r\n";
        } else {
            withBreaks += c;
        }
    }
    return withBreaks;
}

}  // namespace quillet
