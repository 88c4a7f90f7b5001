// The window list: an ordered list of (caption, window) pairs, looked up by
// window. Duplicates are accepted. Portable; the program uses it with HWND.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

template <typename Window>
class WindowList {
public:
    struct Entry {
        std::string caption;
        Window window;
    };

    size_t Count() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const Entry& operator[](size_t index) const { return m_entries[index]; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    // Position of the first entry for `window`, or -1.
    int IndexOf(Window window) const {
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].window == window) return static_cast<int>(i);
        return -1;
    }
    bool Contains(Window window) const { return IndexOf(window) >= 0; }

    void Add(std::string caption, Window window) { m_entries.push_back({std::move(caption), window}); }
    // Removes every entry of `window`; false when there was none.
    bool Remove(Window window) {
        return RemoveIf([window](const Entry& entry) { return entry.window == window; }) > 0;
    }
    void Delete(size_t index) {
        if (index < m_entries.size()) m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void Clear() { m_entries.clear(); }
    // Removes the entries `drop` accepts; returns how many.
    template <typename Predicate>
    size_t RemoveIf(Predicate drop) {
        const auto kept = std::remove_if(m_entries.begin(), m_entries.end(), drop);
        const size_t removed = static_cast<size_t>(m_entries.end() - kept);
        m_entries.erase(kept, m_entries.end());
        return removed;
    }
    // By caption, case-insensitively; equal captions keep their order.
    void SortByCaption() {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            return std::lexicographical_compare(a.caption.begin(), a.caption.end(), b.caption.begin(), b.caption.end(),
                                                [](char x, char y) { return Fold(x) < Fold(y); });
        });
    }

private:
    static unsigned char Fold(char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
    }

    std::vector<Entry> m_entries;
};

}  // namespace kelvane
