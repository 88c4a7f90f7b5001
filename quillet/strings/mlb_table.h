// Reader of a language library image (.mlb): a header, a table of
// (key hash, text offset) entries sorted by hash, and NUL-terminated texts.
// Portable: works on a byte span, whoever owns the bytes (a file mapping, a
// test buffer). Nothing in the image is trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet {

constexpr size_t kMlbHeaderSize = 8;
constexpr size_t kMlbEntrySize = 7;

class MlbTable {
public:
    // The table of a library image, or nothing when the image is not one we
    // can use: no "mlb" magic, an entry table that runs past the end, or
    // entries out of hash order (a binary search over them would miss keys).
    // The bytes must stay readable for as long as the table is used.
    static std::optional<MlbTable> Parse(const uint8_t* data, size_t size);

    uint32_t EntryCount() const { return m_count; }

    // The text stored for a hash, without its NUL. Nothing when no entry has
    // the hash, or when the entry's offset lies outside the text area or its
    // text has no NUL before the end of the image.
    std::optional<std::string_view> Find(uint32_t hash) const;
    std::optional<std::string_view> Lookup(std::string_view key) const;

private:
    MlbTable(const uint8_t* data, size_t size, uint32_t count) : m_data(data), m_size(size), m_count(count) {}
    uint32_t HashAt(uint32_t index) const;
    uint32_t OffsetAt(uint32_t index) const;

    const uint8_t* m_data;
    size_t m_size;
    uint32_t m_count;
};

}  // namespace quillet
