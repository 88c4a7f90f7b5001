#include "quillet/menus/menu_layout.h"

#include <algorithm>
#include <climits>

namespace quillet {

EntrySize MeasureMenuEntry(const MenuEntryFacts& entry, int view) {
    if (entry.separator) return {kMenuSeparatorWidth, kMenuSeparatorHeight};
    int width = kMenuEntryPadding;
    if (view & 1) width += entry.textWidth + kMenuTextPadding;
    if (view & 2) width += kMenuIconCell;
    return {width, std::max(entry.textHeight + 2, kMenuIconCell)};
}

namespace {

struct Stacking {
    std::vector<int> column;  // per entry
    int columns = 0;
    bool forced = false;  // some column began at an entry's own flag
};

// Stacks the entries into columns. A column ends before an entry that asks
// for a new one (when `honourFlags`), once it has reached `target` while it is
// before `lastColumn` (so the last column takes what is left, never more than
// one entry beyond the others), and always before an entry that would pass
// `usable`. A column never stays empty, so an entry taller than the
// screen still gets one of its own.
Stacking Stack(const std::vector<EntrySize>& sizes, const std::vector<MenuEntryFacts>& entries, bool honourFlags,
               int target, int lastColumn, int usable) {
    Stacking result;
    result.column.resize(sizes.size());
    int column = 0;
    int height = 0;
    bool empty = true;
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int next = sizes[i].height;
        if (!empty) {
            const bool flagged = honourFlags && entries[i].newColumn;
            const bool reachedTarget = column < lastColumn && height >= target;
            const bool pastScreen = height + next > usable;
            if (flagged || reachedTarget || pastScreen) {
                if (flagged) result.forced = true;
                ++column;
                height = 0;
            }
        }
        result.column[i] = column;
        height += next;
        empty = false;
    }
    result.columns = sizes.empty() ? 0 : column + 1;
    return result;
}

MenuLayout Place(const std::vector<EntrySize>& sizes, const Stacking& stacking, bool titled) {
    MenuLayout layout;
    layout.titleBand = titled;
    layout.columns = stacking.columns;
    if (sizes.empty()) return layout;

    int columnWidth = 0;
    for (const EntrySize& size : sizes) columnWidth = std::max(columnWidth, size.width);
    const int top = titled ? kMenuTitleOffset : 0;
    int y = top;
    int column = 0;
    int bottom = top;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (stacking.column[i] != column) {
            column = stacking.column[i];
            y = top;
        }
        const int x = column * (columnWidth + kMenuColumnGap);
        layout.entries.push_back({x, y, x + columnWidth, y + sizes[i].height});
        y += sizes[i].height;
        bottom = std::max(bottom, y);
    }
    for (int c = 1; c < layout.columns; ++c)
        layout.columnLines.push_back(c * (columnWidth + kMenuColumnGap) - kMenuColumnGap + 1);
    layout.width = layout.columns * columnWidth + (layout.columns - 1) * kMenuColumnGap;
    layout.height = bottom;
    return layout;
}

std::vector<EntrySize> Measure(const std::vector<MenuEntryFacts>& entries, int view) {
    std::vector<EntrySize> sizes;
    sizes.reserve(entries.size());
    for (const MenuEntryFacts& entry : entries) sizes.push_back(MeasureMenuEntry(entry, view));
    return sizes;
}

int TotalHeight(const std::vector<EntrySize>& sizes) {
    long long total = 0;
    for (const EntrySize& size : sizes) total += size.height;
    return static_cast<int>(std::min<long long>(total, INT_MAX));
}

// Balanced: `columns` columns of about the same height; more when even
// balanced columns would run off the screen.
MenuLayout Balance(const std::vector<EntrySize>& sizes, const std::vector<MenuEntryFacts>& entries, int columns,
                   int usable, bool titled) {
    const int total = TotalHeight(sizes);
    const Stacking greedy = Stack(sizes, entries, false, INT_MAX, 0, usable);
    columns = std::max({columns, greedy.columns, 1});
    const int target = (total + columns - 1) / columns;
    return Place(sizes, Stack(sizes, entries, false, target, columns - 1, usable), titled);
}

int UsableHeight(int screenHeight) {
    return std::max(screenHeight - kMenuScreenMargin, 1);
}

}  // namespace

MenuLayout LayOutMenu(const std::vector<MenuEntryFacts>& entries, int view, int screenHeight, bool titled) {
    const std::vector<EntrySize> sizes = Measure(entries, view);
    const int usable = UsableHeight(screenHeight);
    const Stacking stacked = Stack(sizes, entries, true, INT_MAX, 0, usable);
    if (stacked.forced) return Place(sizes, stacked, titled);
    return Balance(sizes, entries, TotalHeight(sizes) / usable + 1, usable, titled);
}

MenuLayout LayOutMenuForWidth(const std::vector<MenuEntryFacts>& entries, int view, int width, int screenHeight) {
    const std::vector<EntrySize> sizes = Measure(entries, view);
    const int usable = UsableHeight(screenHeight);
    const Stacking stacked = Stack(sizes, entries, true, INT_MAX, 0, usable);
    if (stacked.forced) return Place(sizes, stacked, false);
    int columnWidth = 1;
    for (const EntrySize& size : sizes) columnWidth = std::max(columnWidth, size.width);
    int columns = std::max(1, (width + kMenuColumnGap) / (columnWidth + kMenuColumnGap));
    columns = std::min<int>(columns, std::max<size_t>(sizes.size(), 1));
    return Balance(sizes, entries, columns, usable, false);
}

int EntryAt(const MenuLayout& layout, int x, int y) {
    for (size_t i = 0; i < layout.entries.size(); ++i) {
        const platform::Rect& r = layout.entries[i];
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
    }
    return -1;
}

bool InTitleBand(const MenuLayout& layout, int x, int y) {
    return layout.titleBand && x >= 0 && x < std::max(layout.width, 1) && y >= 0 && y < kMenuTitleOffset;
}

}  // namespace quillet
