#include "quillet/strings/mlb_table.h"

#include <cstring>

#include "quillet/strings/key_hash.h"

namespace quillet {

namespace {

uint32_t ReadLittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::optional<MlbTable> MlbTable::Parse(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kMlbHeaderSize) return std::nullopt;
    if (std::memcmp(data, "mlb", 3) != 0) return std::nullopt;
    const uint32_t count = ReadLittleEndian(data + 4, 4);
    // 64-bit arithmetic: a count near 2^32 must not wrap the table's size.
    const uint64_t tableEnd = kMlbHeaderSize + uint64_t{kMlbEntrySize} * count;
    if (tableEnd > size) return std::nullopt;

    MlbTable table(data, size, count);
    for (uint32_t i = 1; i < count; ++i) {
        if (table.HashAt(i) < table.HashAt(i - 1)) return std::nullopt;
    }
    return table;
}

uint32_t MlbTable::HashAt(uint32_t index) const {
    return ReadLittleEndian(m_data + kMlbHeaderSize + size_t{index} * kMlbEntrySize, 4);
}

uint32_t MlbTable::OffsetAt(uint32_t index) const {
    return ReadLittleEndian(m_data + kMlbHeaderSize + size_t{index} * kMlbEntrySize + 4, 3);
}

std::optional<std::string_view> MlbTable::Find(uint32_t hash) const {
    uint32_t low = 0;
    uint32_t high = m_count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        const uint32_t found = HashAt(middle);
        if (found < hash) {
            low = middle + 1;
        } else if (found > hash) {
            high = middle;
        } else {
            const size_t textArea = kMlbHeaderSize + size_t{m_count} * kMlbEntrySize;
            const size_t offset = OffsetAt(middle);
            if (offset < textArea || offset >= m_size) return std::nullopt;
            const void* end = std::memchr(m_data + offset, 0, m_size - offset);
            if (end == nullptr) return std::nullopt;
            const char* text = reinterpret_cast<const char*>(m_data + offset);
            return std::string_view(text, static_cast<const char*>(end) - text);
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> MlbTable::Lookup(std::string_view key) const {
    return Find(KeyHash(key));
}

}  // namespace quillet
