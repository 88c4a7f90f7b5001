#include <algorithm>
#include <cctype>
#include <cstring>

#include "quillet/document/xml_internal.h"

namespace quillet {
namespace {

struct Entity {
    const char* name;
    char character;
};

constexpr Entity kEntities[] = {
    {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'},
};

// Longest entity name looked for after an '&'; the ';' may follow it.
constexpr size_t kLongestEntityName = 9;

bool NeedsEncoding(char c) {
    return c == '<' || c == '>' || c == '&' || c == '\'' || c == '"';
}

const char* EntityFor(char c) {
    switch (c) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    case '\'': return "&apos;";
    default: return "&quot;";
    }
}

}  // namespace

void AppendDecodedEntities(std::string_view text, std::string* out) {
    size_t i = 0;
    while (i < text.size()) {
        size_t ampersand = text.find('&', i);
        if (ampersand == std::string_view::npos) {
            out->append(text.substr(i));
            return;
        }
        out->append(text.substr(i, ampersand - i));
        size_t nameStart = ampersand + 1;
        size_t limit = std::min(text.size(), nameStart + kLongestEntityName + 1);
        size_t semicolon = nameStart;
        while (semicolon < limit && text[semicolon] != ';') ++semicolon;
        if (semicolon < limit) {
            std::string_view name = text.substr(nameStart, semicolon - nameStart);
            for (const Entity& entity : kEntities) {
                if (EqualsIgnoringCase(name, entity.name)) {
                    out->push_back(entity.character);
                    break;
                }
            }
            i = semicolon + 1;
            continue;
        }
        // No ';' close enough to end a name: everything up to the next ';' is
        // dropped and that ';' kept. Without any ';' further on, the rest is kept
        // as it stands rather than lost.
        size_t next = text.find(';', limit);
        if (next == std::string_view::npos) {
            out->append(text.substr(ampersand));
            return;
        }
        out->push_back(';');
        i = next + 1;
    }
}

void AppendEncodedEntities(std::string_view text, std::string* out) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!NeedsEncoding(text[i])) continue;
        out->append(text.substr(start, i - start));
        out->append(EntityFor(text[i]));
        start = i + 1;
    }
    out->append(text.substr(start));
}

bool ParseAttributeInteger(std::string_view text, int32_t* value) {
    if (text == "-1") {
        *value = -1;
        return true;
    }
    // Most values are words or paths; turn them away before the full parse.
    if (text.empty()) return false;
    char first = text[0];
    if (first >= '1' && first <= '9' && text.size() <= 9) {
        int32_t decimal = 0;
        for (char c : text) {
            if (c < '0' || c > '9') return false;  // nothing else can follow a leading digit
            decimal = decimal * 10 + (c - '0');
        }
        *value = decimal;
        return true;
    }
    if (!(first >= '0' && first <= '9') && first != '-' && first != '+' && first != ' ' &&
        !(first >= '\t' && first <= '\r'))
        return false;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '0') {
        base = 8;
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            base = 16;
            i += 2;
        }
    }
    size_t firstDigit = i;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        if (digit >= base) break;
        magnitude = magnitude * base + digit;
        if (magnitude > UINT32_MAX) {
            overflow = true;
            magnitude = UINT32_MAX;
        }
    }
    if (i == firstDigit || i != text.size()) return false;
    // Like strtoul with a 32-bit unsigned long: out of range saturates, and a
    // minus sign negates in unsigned arithmetic.
    uint32_t result = static_cast<uint32_t>(magnitude);
    if (negative && !overflow) result = 0u - result;
    *value = static_cast<int32_t>(result);
    return true;
}

}  // namespace quillet
