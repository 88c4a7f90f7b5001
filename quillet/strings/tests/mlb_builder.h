// Builds language library images in memory for the tests, in the layout the
// build tool writes: entries sorted by hash, texts in entry order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "quillet/strings/key_hash.h"

namespace quillet::testing {

using Bytes = std::vector<uint8_t>;

struct RawEntry {
    uint32_t hash;
    uint32_t offset;  // only the low 24 bits are stored
};

inline void PutLittleEndian(Bytes& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A header claiming `count` entries followed by exactly the given entries and text area.
inline Bytes RawLibrary(uint32_t count, const std::vector<RawEntry>& entries, const std::string& textArea) {
    Bytes bytes = {'m', 'l', 'b', 0};
    PutLittleEndian(bytes, count, 4);
    for (const RawEntry& entry : entries) {
        PutLittleEndian(bytes, entry.hash, 4);
        PutLittleEndian(bytes, entry.offset, 3);
    }
    bytes.insert(bytes.end(), textArea.begin(), textArea.end());
    return bytes;
}

inline Bytes BuildLibrary(const std::vector<std::pair<std::string, std::string>>& texts) {
    std::vector<std::pair<uint32_t, std::string>> byHash;
    for (const auto& [key, text] : texts) byHash.emplace_back(KeyHash(key), text);
    std::sort(byHash.begin(), byHash.end());

    std::vector<RawEntry> entries;
    std::string textArea;
    const uint32_t textStart = static_cast<uint32_t>(8 + 7 * byHash.size());
    for (const auto& [hash, text] : byHash) {
        entries.push_back({hash, textStart + static_cast<uint32_t>(textArea.size())});
        textArea += text;
        textArea += '\0';
    }
    return RawLibrary(static_cast<uint32_t>(entries.size()), entries, textArea);
}

}  // namespace quillet::testing
