#include "quillet/shellext/drop_file_list.h"

namespace quillet {
namespace {

uint32_t ReadUint32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::optional<DropFileList> ReadDropFileList(const uint8_t* block, size_t size) {
    if (!block || size < kDropFilesHeaderSize) return std::nullopt;
    const uint32_t offset = ReadUint32(block);
    if (offset < kDropFilesHeaderSize || offset > size) return std::nullopt;
    DropFileList list;
    list.wide = ReadUint32(block + 16) != 0;
    size_t at = offset;
    if (!list.wide) {
        while (at < size) {
            size_t end = at;
            while (end < size && block[end] != 0) ++end;
            if (end == size || end == at) break;
            list.names.emplace_back(reinterpret_cast<const char*>(block + at), end - at);
            at = end + 1;
        }
        return list;
    }
    // UTF-16 units, little-endian; a trailing odd byte is no unit.
    auto unitAt = [&](size_t position) { return static_cast<char16_t>(block[position] | block[position + 1] << 8); };
    while (at + 2 <= size) {
        size_t end = at;
        while (end + 2 <= size && unitAt(end) != 0) end += 2;
        if (end + 2 > size || end == at) break;
        std::u16string name;
        name.reserve((end - at) / 2);
        for (size_t position = at; position < end; position += 2) name.push_back(unitAt(position));
        list.wideNames.push_back(std::move(name));
        at = end + 2;
    }
    return list;
}

}  // namespace quillet
