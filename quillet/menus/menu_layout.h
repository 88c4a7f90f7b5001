// Where the entries of a menu window go: each entry's size from its text, the
// columns (forced by an entry, or balanced when the menu is taller than the
// screen), the title band, and which entry lies under a point. Portable: no
// <windows.h>; the window measures texts and asks the screen, then lays out
// here.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/rect.h"

namespace quillet {

// Gaps and cells of the menu window, in pixels.
constexpr int kMenuIconCell = 19;        // the cell holding a 16 x 16 icon
constexpr int kMenuTextPadding = 9;      // added to a text's width
constexpr int kMenuEntryPadding = 16;    // added to every entry's width
constexpr int kMenuSeparatorWidth = 5;
constexpr int kMenuSeparatorHeight = 8;
constexpr int kMenuColumnGap = 4;        // between columns, with an etched line
constexpr int kMenuTitleBand = 7;        // drawn at the top of a titled menu
constexpr int kMenuTitleOffset = 8;      // entries start this far below it
constexpr int kMenuScreenMargin = 40;    // usable height = screen height - 40

struct MenuEntryFacts {
    bool separator = false;
    bool newColumn = false;  // starts a new column unless first in its column
    int textWidth = 0;       // of the entry's text in the menu font
    int textHeight = 0;
};

struct EntrySize {
    int width = 0;
    int height = 0;
};

// One entry's size in a menu view (bit 1 text, bit 2 icons).
EntrySize MeasureMenuEntry(const MenuEntryFacts& entry, int view);

struct MenuLayout {
    // In the window's client area, one per entry in order; all entries of a
    // column share its width.
    std::vector<platform::Rect> entries;
    // The x of each etched line between two columns (2 pixels wide).
    std::vector<int> columnLines;
    int columns = 0;
    int width = 0;   // content size
    int height = 0;
    bool titleBand = false;
};

// Lays a menu out for a screen `screenHeight` pixels high. Columns start at a
// forced entry or where the next entry would pass the usable height; with no
// forced column the entries are spread over balanced columns.
MenuLayout LayOutMenu(const std::vector<MenuEntryFacts>& entries, int view, int screenHeight, bool titled);

// Lays a floating menu out for a client area `width` pixels wide: as many
// columns of the widest entry as fit (one at least), balanced.
MenuLayout LayOutMenuForWidth(const std::vector<MenuEntryFacts>& entries, int view, int width, int screenHeight);

// The entry under a client point, or -1.
int EntryAt(const MenuLayout& layout, int x, int y);
// True when a client point lies in the title band of a titled menu.
bool InTitleBand(const MenuLayout& layout, int x, int y);

}  // namespace quillet
