#include "quillet/ui/icons/icon_cache.h"

#include <algorithm>
#include <cstdio>

#include "quillet/strings/key_hash.h"

namespace quillet {
namespace {

void DropIcons(const IconCacheTable::Entry& entry, std::vector<IconCacheTable::Handle>* dropped) {
    for (IconCacheTable::Handle icon : entry.slots) {
        if (icon) dropped->push_back(icon);
    }
}

}  // namespace

std::string IconCacheKeyText(std::string_view file, int index, bool sixteenPixel) {
    std::string text(file);
    text += "," + std::to_string(index);
    if (sixteenPixel) text += ",16";
    // ASCII only: a byte of a code page's upper half means different letters
    // in different code pages, and the key must not change with the system's.
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

IconCacheTable::Entry& IconCacheTable::Touch(std::string_view keyText, std::vector<Handle>* dropped) {
    const uint32_t key = KeyHash(keyText);
    ++m_counter;
    auto [first, last] = m_entries.equal_range(key);
    for (auto it = first; it != last; ++it) {
        if (it->second.keyText == keyText) {
            it->second.stamp = m_counter;
            return it->second;
        }
    }
    if (TrimmableCount() > kTrimAbove) Trim(kTrimTo, dropped);
    Entry entry;
    entry.keyText = std::string(keyText);
    entry.stamp = m_counter;
    return m_entries.emplace(key, std::move(entry))->second;
}

size_t IconCacheTable::TrimmableCount() const {
    return static_cast<size_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const auto& item) { return !item.second.pinned; }));
}

void IconCacheTable::Trim(size_t keep, std::vector<Handle>* dropped) {
    std::vector<uint32_t> stamps;
    for (const auto& item : m_entries) {
        if (!item.second.pinned) stamps.push_back(item.second.stamp);
    }
    if (stamps.size() <= keep) return;
    // Stamps are unique, so the keep-th most recent one divides the entries.
    uint32_t oldestKept = UINT32_MAX;
    if (keep > 0) {
        std::nth_element(stamps.begin(), stamps.begin() + static_cast<std::ptrdiff_t>(keep - 1), stamps.end(),
                         std::greater<uint32_t>());
        oldestKept = stamps[keep - 1];
    }
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const Entry& entry = it->second;
        if (!entry.pinned && (keep == 0 || entry.stamp < oldestKept)) {
            DropIcons(entry, dropped);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
}

void IconCacheTable::Clear(std::vector<Handle>* dropped) {
    for (const auto& item : m_entries) DropIcons(item.second, dropped);
    m_entries.clear();
}

const IconCacheTable::Entry* IconCacheTable::Find(std::string_view keyText) const {
    auto [first, last] = m_entries.equal_range(KeyHash(keyText));
    for (auto it = first; it != last; ++it) {
        if (it->second.keyText == keyText) return &it->second;
    }
    return nullptr;
}

}  // namespace quillet
