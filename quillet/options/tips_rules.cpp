#include "quillet/options/tips_rules.h"

#include <cctype>
#include <cstdio>

namespace quillet {

uint32_t ParseTipCount(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at < text.size() && text[at] == '+') ++at;
    unsigned base = 10;
    if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        // "0x" without a hexadecimal digit after it is the number 0.
        if (at + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[at + 2]))) return 0;
        base = 16;
        at += 2;
    } else if (at < text.size() && text[at] == '0') {
        base = 8;
    }
    uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        unsigned digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = static_cast<unsigned>(std::tolower(c) - 'a' + 10);
        else
            break;
        if (digit >= base) break;
        value = value * base + digit;
        if (value > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

uint32_t NextTipNumber(uint32_t lastTip, uint32_t count) {
    // A stored "Last Tip" of 0xFFFFFFFF must not wrap to tip 0.
    const uint64_t next = static_cast<uint64_t>(lastTip) + 1;
    return next > count ? 1 : static_cast<uint32_t>(next);
}

std::string TipKey(uint32_t number) {
    char key[16] = {};
    std::snprintf(key, sizeof key, "tip%03lu", static_cast<unsigned long>(number));
    return key;
}

}  // namespace quillet
