#include "kelvane/components/window_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using List = kelvane::WindowList<int>;

std::vector<std::string> Captions(const List& list) {
    std::vector<std::string> captions;
    for (const auto& entry : list) captions.push_back(entry.caption);
    return captions;
}

TEST(WindowList, LooksUpByWindowAndKeepsOrderAndDuplicates) {
    List list;
    list.Add("Editor", 7);
    list.Add("mail", 3);
    list.Add("Editor again", 7);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.IndexOf(7), 0);
    EXPECT_EQ(list.IndexOf(3), 1);
    EXPECT_EQ(list.IndexOf(9), -1);
    EXPECT_FALSE(list.Contains(9));

    EXPECT_TRUE(list.Remove(7)) << "every entry of the window goes";
    EXPECT_EQ(Captions(list), std::vector<std::string>{"mail"});
    EXPECT_FALSE(list.Remove(7));

    list.Delete(5);  // past the end: nothing
    list.Delete(0);
    EXPECT_TRUE(list.Empty());
}

TEST(WindowList, SortsByCaptionIgnoringCaseAndPrunesByPredicate) {
    List list;
    list.Add("beta", 1);
    list.Add("Alpha", 2);
    list.Add("ALPHA", 3);
    list.Add("", 4);
    list.SortByCaption();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"", "Alpha", "ALPHA", "beta"}));

    EXPECT_EQ(list.RemoveIf([](const List::Entry& entry) { return entry.window % 2 == 1; }), 2u);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"", "Alpha"}));
}

}  // namespace
