#include "quillet/strings/key_expansion.h"

#include <gtest/gtest.h>

#include "quillet/strings/tests/mlb_builder.h"

namespace quillet {
namespace {

class KeyExpansion : public ::testing::Test {
protected:
    void SetUp() override {
        m_facts.productName = "Quillet";
        m_facts.companyName = "Nimbrel";
        m_bytes = testing::BuildLibrary({
            {"folder:name", "Folder"},
            {"greeting", "Welcome to %pn"},
            {"outer", "[$inner;]"},
            {"inner", "in $greeting;"},
            {"broken", "see $nowhere"},
            {"loop", "again $loop"},
            {"dollar", "costs $$5"},
            {"percent", "100%%"},
            {"fileMissing", "Cannot find \"%1\" (%2)."},
        });
        m_table = MlbTable::Parse(m_bytes.data(), m_bytes.size());
        ASSERT_TRUE(m_table);
    }

    Expansion Expand(std::string_view text) { return ExpandKeys(text, &*m_table, m_facts); }

    VersionFacts m_facts;
    testing::Bytes m_bytes;
    std::optional<MlbTable> m_table;
};

TEST_F(KeyExpansion, ReplacesReferencesAndReportsMissingOnes) {
    const struct {
        const char* text;
        const char* expected;
        bool allFound;
    } cases[] = {
        {"Open $folder:name now", "Open Folder now", true},
        {"Open $folder:missing now", "Open  now", false},
        {"$folder:name", "Folder", true},
        {"$folder:name;s and more", "Folders and more", true},
        {"($folder:name;)", "(Folder)", true},
        {"Pay $$5", "Pay $5", true},
        {"$$", "$", true},
        {"$$$folder:name", "$Folder", true},
        {"no keys, %pn", "no keys, Quillet", true},
        {"", "", true},
        {"$outer", "[in Welcome to Quillet]", true},
        {"$broken", "see ", false},
        {"$dollar", "costs $5", true},
        {"$percent", "100%", true},
        {"end $", "end ", false},
        {"a $missing; b", "a  b", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Expansion expansion = Expand(c.text);
        EXPECT_EQ(c.expected, expansion.text);
        EXPECT_EQ(c.allFound, expansion.allFound);
    }
}

TEST_F(KeyExpansion, MacrosAreExpandedOnceOverTheWholeResult) {
    // A library text "100%%" yields "100%": the macros run after the keys,
    // not once more for each looked-up text.
    EXPECT_EQ("100% Quillet", Expand("$percent %pn").text);
}

TEST_F(KeyExpansion, AKeyThatRefersToItselfEnds) {
    const Expansion expansion = Expand("$loop");
    EXPECT_FALSE(expansion.allFound);
    EXPECT_EQ(0u, expansion.text.find("again again"));
}

TEST_F(KeyExpansion, WithoutALibraryNothingIsFound) {
    const Expansion expansion = ExpandKeys("x $folder:name y %pn", nullptr, m_facts);
    EXPECT_EQ("x  y Quillet", expansion.text);
    EXPECT_FALSE(expansion.allFound);
}

TEST(KeyExpansionLimits, ResultsAreCutAt1023Characters) {
    const std::string longText(3000, 'x');
    const testing::Bytes bytes = testing::BuildLibrary({{"long", longText}, {"fan", "$long;$long;$long;"}});
    auto table = MlbTable::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(table);
    VersionFacts facts;
    facts.productName = std::string(500, 'p');

    EXPECT_EQ(std::string(kMaxExpandedText, 'x'), ExpandKeys("$long", &*table, facts).text);
    EXPECT_EQ(kMaxExpandedText, ExpandKeys("$fan", &*table, facts).text.size());
    EXPECT_EQ(kMaxExpandedText, ExpandKeys(longText, &*table, facts).text.size());
    EXPECT_EQ(kMaxExpandedText, ExpandKeys("%pn %pn %pn", &*table, facts).text.size());
}

TEST(KeyExpansionLimits, TextsThatReferToEachOtherManyTimesStillEndQuickly) {
    // Each level refers to the next 300 times without producing text: without
    // a bound the work would grow as 300 to the power of the nesting depth.
    std::vector<std::pair<std::string, std::string>> texts;
    for (int level = 0; level < 10; ++level) {
        std::string text;
        for (int i = 0; i < 300; ++i) text += "$k" + std::to_string(level + 1) + ";";
        texts.emplace_back("k" + std::to_string(level), text);
    }
    texts.emplace_back("k10", "");
    const testing::Bytes bytes = testing::BuildLibrary(texts);
    auto table = MlbTable::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(table);
    const Expansion expansion = ExpandKeys("$k0", &*table, VersionFacts{});
    EXPECT_EQ("", expansion.text);
    EXPECT_FALSE(expansion.allFound) << "references beyond the bound count as not found";
}

TEST(FillInserts, FollowsTheWindowsMessageFormat) {
    const std::vector<std::string> arguments = {"C:\\a.txt", "C:", "\\", "a", ".txt"};
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"Cannot find %1.", "Cannot find C:\\a.txt."},
        {"%4%5 on %2", "a.txt on C:"},
        {"%1!s! done", "C:\\a.txt done"},
        {"%6 unknown", " unknown"},
        {"line%nbreak", "line\r\nbreak"},
        {"tab%tx%r", "tab\tx\r"},
        {"50%% %. %!", "50% . !"},
        {"stop%0here", "stop"},
        {"trailing %", "trailing "},
        {"%12", ""},
        {"%1%1",
         "C:\\a.txt"
         "C:\\a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(c.expected, FillInserts(c.format, arguments));
    }
}

TEST(FillInserts, TwoDigitNumbersReachTheTwelfthArgument) {
    std::vector<std::string> arguments;
    for (int i = 1; i <= 12; ++i) arguments.push_back("a" + std::to_string(i));
    EXPECT_EQ("a12|a10|a1x", FillInserts("%12|%10|%1x", arguments));
    EXPECT_EQ("a123", FillInserts("%123", arguments));
}

}  // namespace
}  // namespace quillet
