#include "quillet/menus/menu_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {

TEST(MenuOrder, EmptyAndRepeatedTextsAreLeftOut) {
    MenuTexts texts;
    struct Step {
        const char* text;
        bool admitted;
    } steps[] = {
        {"Readme.txt", true}, {"", false},          {"Readme.txt", false},  // a merged folder's second copy
        {"readme.txt", true},                                             // exact comparison
        {"Readme.txt ", true}, {"Games", true},     {"Games", false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        EXPECT_EQ(step.admitted, texts.Admit(step.text));
    }
}

TEST(MenuOrder, OnlyTheSignedLowWordOfTheComparisonCounts) {
    struct Case {
        uint32_t result;
        bool before;
    } cases[] = {
        {0x00000000, false}, {0x00000001, false}, {0x0000FFFF, true},  // -1
        {0x00008000, true},                                              // -32768
        {0x00007FFF, false}, {0x8000FFFF, true},  // a failure code with a negative code part
        {0x80070057, false},                      // E_INVALIDARG: not before
        {0xFFFF0001, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_EQ(c.before, ComesBefore(static_cast<int32_t>(c.result)));
    }
}

TEST(MenuOrder, SortKeepsEqualItemsInEnumerationOrder) {
    struct Item {
        std::string name;
        int enumerated;
    };
    std::vector<Item> items = {{"b", 0}, {"A", 1}, {"a", 2}, {"c", 3}, {"B", 4}};
    // Case-insensitive, like the shell's name order; equal names compare 0.
    SortInShellOrder(items, [](const Item& x, const Item& y) -> int32_t {
        const char a = static_cast<char>(tolower(x.name[0]));
        const char b = static_cast<char>(tolower(y.name[0]));
        return a < b ? 0xFFFF : (a > b ? 1 : 0);
    });
    std::vector<int> order;
    for (const Item& item : items) order.push_back(item.enumerated);
    EXPECT_EQ((std::vector<int>{1, 2, 0, 4, 3}), order);
}

TEST(MenuOrder, SortSurvivesAComparisonThatAlwaysFails) {
    std::vector<int> items(100);
    for (int i = 0; i < 100; ++i) items[i] = i;
    SortInShellOrder(items, [](int, int) { return static_cast<int32_t>(0x80004005); });  // E_FAIL
    for (int i = 0; i < 100; ++i) EXPECT_EQ(i, items[i]);
}

}  // namespace quillet
