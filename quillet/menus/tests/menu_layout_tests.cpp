#include "quillet/menus/menu_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {

namespace {

MenuEntryFacts Text(int width, int height = 13) {
    MenuEntryFacts entry;
    entry.textWidth = width;
    entry.textHeight = height;
    return entry;
}

MenuEntryFacts Separator() {
    MenuEntryFacts entry;
    entry.separator = true;
    return entry;
}

MenuEntryFacts NewColumn(MenuEntryFacts entry) {
    entry.newColumn = true;
    return entry;
}

std::vector<MenuEntryFacts> Entries(size_t count, MenuEntryFacts entry = Text(50)) {
    return std::vector<MenuEntryFacts>(count, entry);
}

std::vector<int> EntriesPerColumn(const MenuLayout& layout) {
    std::vector<int> counts;
    int lastLeft = -1;
    for (const platform::Rect& r : layout.entries) {
        if (r.left != lastLeft) counts.push_back(0);
        lastLeft = r.left;
        ++counts.back();
    }
    return counts;
}

}  // namespace

TEST(MenuEntrySize, FollowsTheViewAndTheText) {
    struct Case {
        const char* name;
        MenuEntryFacts entry;
        int view;
        int width;
        int height;
    } cases[] = {
        {"text and icons", Text(60), 3, 60 + 9 + 19 + 16, 19},
        {"text only", Text(60), 1, 60 + 9 + 16, 19},
        {"icons only", Text(60), 2, 19 + 16, 19},
        {"tall text sets the height", Text(60, 24), 3, 104, 26},
        {"text just under the icon cell", Text(10, 17), 1, 35, 19},
        {"separator in any view", Separator(), 3, 5, 8},
        {"separator, text only", Separator(), 1, 5, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntrySize size = MeasureMenuEntry(c.entry, c.view);
        EXPECT_EQ(c.width, size.width);
        EXPECT_EQ(c.height, size.height);
    }
}

// A screen 440 pixels high leaves 400 for entries of 19: 21 fit a column.
TEST(MenuLayout, ColumnsAreBalancedWhenTheMenuIsTallerThanTheScreen) {
    struct Case {
        size_t entries;
        std::vector<int> perColumn;
    } cases[] = {
        {21, {21}},            // 399 pixels: one column
        {22, {11, 11}},        // 418: two columns of half each, not 21 + 1
        {30, {15, 15}},
        {43, {15, 15, 13}},    // 817 / 400 + 1 = 3 columns of about 273
        {63, {21, 21, 21}},    // exactly full
        {64, {16, 16, 16, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.entries) + " entries");
        MenuLayout layout = LayOutMenu(Entries(c.entries), 3, 440, false);
        EXPECT_EQ(c.perColumn, EntriesPerColumn(layout));
        EXPECT_EQ(static_cast<int>(c.perColumn.size()), layout.columns);
        EXPECT_LE(layout.height, 400);
    }
}

// Entries 30 pixels high leave 10 pixels free in each full column; 53 of them
// (1590 pixels) need 5 columns although 1590 / 400 + 1 is 4. Balancing over 4
// would leave a fifth column with one entry.
TEST(MenuLayout, BalancedColumnsNeverRunOffTheScreen) {
    struct Case {
        size_t entries;
        std::vector<int> perColumn;
    } cases[] = {
        {53, {11, 11, 11, 11, 9}},
        {26, {13, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.entries) + " entries");
        MenuLayout layout = LayOutMenu(Entries(c.entries, Text(50, 28)), 3, 440, false);
        EXPECT_EQ(c.perColumn, EntriesPerColumn(layout));
        EXPECT_EQ(static_cast<int>(c.perColumn.size()), layout.columns);
        EXPECT_LE(layout.height, 400);
    }
}

TEST(MenuLayout, ColumnsShareTheWidestEntryAndAreFourPixelsApart) {
    std::vector<MenuEntryFacts> entries = {Text(50), Text(120), NewColumn(Text(30)), Separator()};
    MenuLayout layout = LayOutMenu(entries, 1, 768, false);
    const int width = 120 + 9 + 16;
    ASSERT_EQ(2, layout.columns);
    EXPECT_EQ((platform::Rect{0, 0, width, 19}), layout.entries[0]);
    EXPECT_EQ((platform::Rect{0, 19, width, 38}), layout.entries[1]);
    EXPECT_EQ((platform::Rect{width + 4, 0, 2 * width + 4, 19}), layout.entries[2]);
    EXPECT_EQ((platform::Rect{width + 4, 19, 2 * width + 4, 27}), layout.entries[3]);
    EXPECT_EQ(2 * width + 4, layout.width);
    EXPECT_EQ(38, layout.height);
    ASSERT_EQ(1u, layout.columnLines.size());
    EXPECT_EQ(width + 1, layout.columnLines[0]);
}

TEST(MenuLayout, ColumnFlagsForceColumnsAndStopBalancing) {
    struct Case {
        const char* name;
        std::vector<MenuEntryFacts> entries;
        std::vector<int> perColumn;
    } cases[] = {
        {"flag on the first entry opens the first column", {NewColumn(Text(9)), Text(9), Text(9)}, {3}},
        {"flag in the middle", {Text(9), Text(9), NewColumn(Text(9)), Text(9)}, {2, 2}},
        {"two flags in a row make two columns", {Text(9), NewColumn(Text(9)), NewColumn(Text(9))}, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.perColumn, EntriesPerColumn(LayOutMenu(c.entries, 3, 768, false)));
    }

    // Forced columns are not balanced: the rest simply stacks until the screen
    // is full.
    std::vector<MenuEntryFacts> tall = Entries(30);
    tall[1].newColumn = true;
    EXPECT_EQ((std::vector<int>{1, 21, 8}), EntriesPerColumn(LayOutMenu(tall, 3, 440, false)));
}

TEST(MenuLayout, TitledMenuStartsItsEntriesBelowTheBand) {
    MenuLayout layout = LayOutMenu(Entries(2), 3, 768, true);
    EXPECT_EQ(8, layout.entries[0].top);
    EXPECT_EQ(8 + 2 * 19, layout.height);
    EXPECT_TRUE(InTitleBand(layout, 5, 0));
    EXPECT_TRUE(InTitleBand(layout, 5, 7));
    EXPECT_FALSE(InTitleBand(layout, 5, 8));
    EXPECT_FALSE(InTitleBand(LayOutMenu(Entries(2), 3, 768, false), 5, 0));
}

TEST(MenuLayout, EntryAtMapsPointsToEntries) {
    std::vector<MenuEntryFacts> entries = {Text(40), Separator(), NewColumn(Text(40))};
    MenuLayout layout = LayOutMenu(entries, 3, 768, true);
    const int width = layout.entries[0].Width();
    struct Case {
        int x, y, entry;
    } cases[] = {
        {0, 3, -1},                   // title band
        {0, 8, 0},                    // first pixel of the first entry
        {width - 1, 26, 0},           // last pixel of it
        {3, 27, 1},                   // the separator
        {3, 35, -1},                  // below the last entry of the column
        {width + 1, 10, -1},          // the gap between columns
        {width + 4, 8, 2},            // second column
        {-1, 10, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(c.entry, EntryAt(layout, c.x, c.y));
    }
}

TEST(MenuLayout, FloatingMenuTakesAsManyColumnsAsItsWidthHolds) {
    const int entryWidth = 50 + 9 + 19 + 16;
    struct Case {
        int width;
        std::vector<int> perColumn;
    } cases[] = {
        {10, {6}},                         // narrower than one entry: one column
        {entryWidth, {6}},
        {2 * entryWidth + 3, {6}},         // the gap does not fit
        {2 * entryWidth + 4, {3, 3}},
        {3 * entryWidth + 8, {2, 2, 2}},
        {50 * entryWidth, {1, 1, 1, 1, 1, 1}},  // never more columns than entries
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        MenuLayout layout = LayOutMenuForWidth(Entries(6), 3, c.width, 768);
        EXPECT_EQ(c.perColumn, EntriesPerColumn(layout));
        EXPECT_FALSE(layout.titleBand);
    }
}

TEST(MenuLayout, EmptyMenuAndTinyScreenLayOutWithoutFault) {
    MenuLayout empty = LayOutMenu({}, 3, 768, false);
    EXPECT_EQ(0, empty.columns);
    EXPECT_EQ(0, empty.width);
    EXPECT_EQ(-1, EntryAt(empty, 0, 0));
    // A screen no taller than the margin: each entry gets a column of its own.
    MenuLayout tiny = LayOutMenu(Entries(3), 3, 30, false);
    EXPECT_EQ((std::vector<int>{1, 1, 1}), EntriesPerColumn(tiny));
}

}  // namespace quillet
