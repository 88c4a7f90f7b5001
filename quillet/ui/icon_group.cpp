#include "quillet/ui/icon_group.h"

namespace quillet {
namespace {

constexpr size_t kHeaderSize = 6;  // reserved, type, count
constexpr size_t kEntrySize = 14;  // width, height, colours, reserved, planes, bits, bytes, id
constexpr uint16_t kIconType = 1;

uint16_t Word(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

}  // namespace

std::optional<uint16_t> FindExactIconImage(const uint8_t* group, size_t size, int edge) {
    if (!group || size < kHeaderSize || Word(group + 2) != kIconType) return std::nullopt;
    const size_t count = Word(group + 4);
    for (size_t i = 0; i < count; ++i) {
        const size_t offset = kHeaderSize + i * kEntrySize;
        if (offset + kEntrySize > size) break;
        const uint8_t* entry = group + offset;
        // A width or height byte of 0 means 256.
        const int width = entry[0] ? entry[0] : 256;
        const int height = entry[1] ? entry[1] : 256;
        const uint16_t bits = Word(entry + 6);
        // Some writers leave the bit count 0 and give only the colour count.
        const bool sixteenColours = bits == 4 || (bits == 0 && entry[2] == 16);
        if (width == edge && height == edge && sixteenColours) return Word(entry + 12);
    }
    return std::nullopt;
}

}  // namespace quillet
