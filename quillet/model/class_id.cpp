#include "quillet/model/class_id.h"

#include <cstdio>

namespace quillet {

const Guid kClassIconSetRoot = {0x7FF48766, 0xF53B, 0x11D1, {0xB9, 0xCA, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};
const Guid kClassStandardTrayIcon = {0x7FF48765, 0xF53B, 0x11D1, {0xB9, 0xCA, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};
const Guid kClassFolder = {0xDC83F3D0, 0xF4B8, 0x11D1, {0xB9, 0xC9, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};
const Guid kClassSeparator = {0xDC83F3D1, 0xF4B8, 0x11D1, {0xB9, 0xC9, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};
const Guid kClassColumnSeparator = {0x3C66A7F8, 0x3333, 0x11D2, {0xBA, 0x7A, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};

std::string ClassIdToText(const Guid& id) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(id.data1), id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2],
                  id.data4[3], id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
    return text;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `pos`, advancing it.
bool ReadHex(std::string_view text, size_t& pos, int digits, uint32_t& out) {
    if (pos + digits > text.size()) return false;
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        int digit = HexDigit(text[pos + i]);
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    pos += digits;
    out = value;
    return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::optional<Guid> ClassIdFromText(std::string_view text) {
    Guid id;
    size_t pos = 0;
    uint32_t part = 0;
    if (!Expect(text, pos, '{') || !ReadHex(text, pos, 8, part)) return std::nullopt;
    id.data1 = part;
    if (!Expect(text, pos, '-') || !ReadHex(text, pos, 4, part)) return std::nullopt;
    id.data2 = static_cast<uint16_t>(part);
    if (!Expect(text, pos, '-') || !ReadHex(text, pos, 4, part)) return std::nullopt;
    id.data3 = static_cast<uint16_t>(part);
    if (!Expect(text, pos, '-')) return std::nullopt;
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(text, pos, '-')) return std::nullopt;
        if (!ReadHex(text, pos, 2, part)) return std::nullopt;
        id.data4[i] = static_cast<uint8_t>(part);
    }
    if (!Expect(text, pos, '}') || pos != text.size()) return std::nullopt;
    return id;
}

}  // namespace quillet
