// The rules of the program's icon cache, without windows: entries found by
// the key hash of their key text, a stamp from a counter that grows at every
// request, two icon slots per entry, and trimming to the most recently used.
// Handles are opaque numbers here; the Win32 side destroys what comes back
// as dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// "%s,%d%s" over the icon file, the index and ",16" for the 16-pixel
// variant, lower-cased.
std::string IconCacheKeyText(std::string_view file, int index, bool sixteenPixel);

enum class IconSlot { Small = 0, Large = 1 };

class IconCacheTable {
public:
    using Handle = uintptr_t;

    // A miss when more than this many entries are trimmable trims first.
    static constexpr size_t kTrimAbove = 47;
    static constexpr size_t kTrimTo = 24;

    // The entry of `keyText` with a fresh stamp, created when missing (a new
    // entry may first trim the cache; the icons of dropped entries are
    // appended to `dropped`). The reference stays valid until the next call
    // that may drop entries.
    struct Entry {
        std::string keyText;
        uint32_t stamp = 0;
        Handle slots[2] = {0, 0};
        // Handed out for as long as the holder likes (a menu entry, a tray
        // icon): never dropped by trimming.
        bool pinned = false;
        Handle& Slot(IconSlot slot) { return slots[static_cast<int>(slot)]; }
    };
    Entry& Touch(std::string_view keyText, std::vector<Handle>* dropped);

    // Keeps the `keep` most recently used entries that are not pinned (0:
    // none of them); pinned entries always stay.
    void Trim(size_t keep, std::vector<Handle>* dropped);

    // Every icon of every entry, pinned ones included, for the end of the
    // process.
    void Clear(std::vector<Handle>* dropped);

    size_t Size() const { return m_entries.size(); }
    size_t TrimmableCount() const;
    const Entry* Find(std::string_view keyText) const;

private:
    // Several texts may share one hash: an entry is the one whose text matches.
    std::multimap<uint32_t, Entry> m_entries;
    uint32_t m_counter = 0;
};

}  // namespace quillet
