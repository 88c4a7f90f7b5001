// How a folder's items become menu entries in order: names that are empty or
// already in the menu are left out (a merged folder lists some twice), and
// each pass is sorted by the shell's comparison. Portable: no <windows.h>.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace quillet {

// The texts a menu already holds.
class MenuTexts {
public:
    // True, and the text is remembered, when it is neither empty nor held yet
    // (exact comparison).
    bool Admit(const std::string& text) {
        if (text.empty()) return false;
        return m_texts.insert(text).second;
    }

private:
    std::unordered_set<std::string> m_texts;
};

// A comparison result in HRESULT form orders a before b when its code part
// (the low 16 bits, read as signed) is negative. A failed comparison has a
// positive code part and so keeps the order.
inline bool ComesBefore(int32_t comparison) {
    return static_cast<int16_t>(static_cast<uint32_t>(comparison) & 0xFFFF) < 0;
}

// Sorts `items` with `compare(a, b)` giving such a result. Stable, so items
// the shell calls equal (or cannot compare) keep their enumeration order; a
// merge sort never steps outside the list even when the shell's order is not
// transitive.
template <typename Item, typename Compare>
void SortInShellOrder(std::vector<Item>& items, Compare compare) {
    std::stable_sort(items.begin(), items.end(),
                     [&](const Item& a, const Item& b) { return ComesBefore(compare(a, b)); });
}

}  // namespace quillet
