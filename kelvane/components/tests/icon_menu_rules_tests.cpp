#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvane/components/icon_menu_rules.h"

using namespace kelvane;

namespace {

std::vector<int> BarBreakPositions(const std::vector<MenuBreak>& breaks) {
    std::vector<int> positions;
    for (size_t i = 0; i < breaks.size(); ++i) {
        if (breaks[i] == MenuBreak::BarBreak) positions.push_back(static_cast<int>(i));
        EXPECT_NE(breaks[i], MenuBreak::Break) << "item " << i;
    }
    return positions;
}

}  // namespace

TEST(IconMenuColumns, BarBreaksFallOnEveryFullColumn) {
    struct Case {
        const char* name;
        int count, screenHeight, itemHeight;
        std::vector<int> barBreaks;
    };
    const Case cases[] = {
        {"60 items, 25 a column", 60, 500, 20, {25, 50}},
        {"fits exactly", 25, 500, 20, {}},
        {"one too many", 26, 500, 20, {25}},
        {"exactly two columns", 50, 500, 20, {25}},
        {"one item past two columns", 51, 500, 20, {25, 50}},
        {"empty menu", 0, 500, 20, {}},
        {"fits easily", 3, 768, 22, {}},
        // A screen shorter than one item would divide by zero: one item a column.
        {"screen shorter than an item", 3, 10, 20, {1, 2}},
        {"no item height", 5, 500, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<MenuBreak> breaks = ColumnBreaks(c.count, c.screenHeight, c.itemHeight);
        EXPECT_EQ(breaks.size(), static_cast<size_t>(c.count));
        EXPECT_EQ(BarBreakPositions(breaks), c.barBreaks);
    }
}

TEST(IconMenuColumns, ItemHeightIsTheTallerOfTextAndIcon) {
    EXPECT_EQ(MenuItemHeight(13, 16), 19);  // icon + 3
    EXPECT_EQ(MenuItemHeight(16, 16), 21);  // text + 5
    EXPECT_EQ(ItemsPerColumn(768, 19), 40);
    EXPECT_EQ(ItemsPerColumn(768, 0), 0);
}

TEST(IconMenuMeasure, WidthIsCappedAndHeightHasAFloor) {
    // caption + icon column + 18, at most the limit
    EXPECT_EQ(MeasuredMenuItem(100, 13, 16, 16, 400).width, 134);
    EXPECT_EQ(MeasuredMenuItem(500, 13, 16, 16, 400).width, 400);
    // text + 3, at least icon + 2
    EXPECT_EQ(MeasuredMenuItem(10, 13, 16, 16, 400).height, 18);
    EXPECT_EQ(MeasuredMenuItem(10, 20, 16, 16, 400).height, 23);
}

TEST(IconMenuCaption, LongCaptionsEndInAnEllipsisWithinTheLimit) {
    // Every character is 7 pixels wide: the limit of 50 "O" is 350.
    auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
    const int limit = 50 * 7;
    EXPECT_EQ(ShortenedCaption("Settings", limit, width), "Settings");
    std::string fifty(50, 'x');
    EXPECT_EQ(ShortenedCaption(fifty, limit, width), fifty);

    std::string shortened = ShortenedCaption(std::string(51, 'x'), limit, width);
    EXPECT_EQ(shortened, std::string(47, 'x') + "...");
    EXPECT_LE(width(shortened), limit);

    // Proportional text: wide letters go first from the end.
    auto proportional = [](const std::string& text) {
        int sum = 0;
        for (char c : text) sum += c == 'W' ? 20 : 5;
        return sum;
    };
    EXPECT_EQ(ShortenedCaption("abcWWWW", 40, proportional), "abc...");
    // A limit below the ellipsis itself leaves just the ellipsis.
    EXPECT_EQ(ShortenedCaption("abc", 2, width), "...");
}
