#include "quillet/ui/folder_panel_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

std::string Bracketed(const std::string& key) {
    return "[" + key + "]";
}

TEST(FolderPanelRules, SpecialFolderListHasTheNtRowsOnlyOnNt) {
    auto nine = SpecialFolderChoices(false);
    auto nt = SpecialFolderChoices(true);
    ASSERT_EQ(nine.size(), 16u);
    ASSERT_EQ(nt.size(), 21u);
    EXPECT_EQ(nine[0].csidl, -1);
    EXPECT_STREQ(nine[0].key, "");
    EXPECT_EQ(nine[1].csidl, 0);
    EXPECT_EQ(nine[13].csidl, 20);
    EXPECT_STREQ(nine[14].registryPath, "!ProgramFilesDir");
    EXPECT_STREQ(nine[15].registryPath, "!MediaPath");
    EXPECT_EQ(nine[15].csidl, -1);
    for (size_t i = 0; i < nine.size(); ++i) EXPECT_EQ(nt[i].csidl, nine[i].csidl) << i;
    const int ntRows[] = {26, 25, 23, 22, 24};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(nt[16 + i].csidl, ntRows[i]) << i;
}

TEST(FolderPanelRules, AnItemStandsOnItsRow) {
    auto choices = SpecialFolderChoices(true);
    struct Case {
        int32_t csidl;
        const char* path;
        size_t row;
    } cases[] = {
        {-1, "C:\\Data", 0},
        {-1, "", 0},
        {17, "", 5},
        {24, "", 20},
        {-1, "!programfilesdir", 14},  // the registry name, whatever its case
        {-1, "!MediaPath", 15},
        {-1, "!OtherPath", 0},
        {99, "", 0},                   // a CSIDL the list does not offer
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpecialFolderChoiceIndex(choices, c.csidl, c.path), c.row) << c.csidl << " " << c.path;
    // Without the NT rows their CSIDLs fall back to the plain path.
    EXPECT_EQ(SpecialFolderChoiceIndex(SpecialFolderChoices(false), 24, ""), 0u);
}

TEST(FolderPanelRules, ASpecialFolderWithoutPathLosesTheCommandPrompt) {
    EXPECT_EQ(OfferedFolderActions(false, false), 4);
    EXPECT_EQ(OfferedFolderActions(true, true), 4);
    EXPECT_EQ(OfferedFolderActions(true, false), 3);
    EXPECT_EQ(ShownFolderAction(4, 3), 1);
    EXPECT_EQ(ShownFolderAction(4, 4), 4);
    EXPECT_EQ(ShownFolderAction(3, 3), 3);
    EXPECT_EQ(ShownFolderAction(0, 4), 1);
    EXPECT_EQ(ShownFolderAction(7, 4), 1);
}

TEST(FolderPanelRules, PreviewJoinsPathActionAndOptions) {
    struct Case {
        const char* path;
        int32_t action;
        bool asRoot;
        bool newWindow;
        const char* preview;
    } cases[] = {
        {"C:\\Data", 1, false, false, "C:\\Data, [folder:actMenu]"},
        {"C:\\Data", 3, true, true, "C:\\Data, [folder:actExpTree], [folder:pvTreeRoot], [folder:pvNewWindow]"},
        // As root means nothing to a plain window.
        {"C:\\Data", 2, true, false, "C:\\Data, [folder:actExp]"},
        {"C:\\Data", 2, false, true, "C:\\Data, [folder:actExp], [folder:pvNewWindow]"},
        {"", 4, false, false, "[folder:actCmd]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderPreviewText(c.path, c.action, c.asRoot, c.newWindow, Bracketed), c.preview) << c.preview;
}

TEST(FolderPanelRules, PathCheck) {
    int asked = 0;
    auto onlyData = [&](const std::string& path) {
        ++asked;
        return path == "C:\\Data";
    };
    struct Case {
        bool special;
        const char* path;
        bool checkPath;
        FolderPathCheck result;
        int asks;
    } cases[] = {
        {true, "", true, FolderPathCheck::Accepted, 0},
        {false, "", false, FolderPathCheck::NoPath, 0},
        {false, "   ", true, FolderPathCheck::NoPath, 0},
        {false, "C:\\Missing", false, FolderPathCheck::Accepted, 0},
        {false, "C:\\Missing", true, FolderPathCheck::NotAFolder, 1},
        {false, "C:\\Data", true, FolderPathCheck::Accepted, 1},
    };
    for (const Case& c : cases) {
        asked = 0;
        EXPECT_EQ(CheckFolderPath(c.special, c.path, c.checkPath, onlyData), c.result) << c.path;
        EXPECT_EQ(asked, c.asks) << c.path;
    }
    EXPECT_STREQ(FolderPathCheckKey(FolderPathCheck::NoPath), "folder:nopath");
    EXPECT_STREQ(FolderPathCheckKey(FolderPathCheck::NotAFolder), "folder:notvalidpath");
    EXPECT_STREQ(FolderPathCheckKey(FolderPathCheck::Accepted), "");
}

}  // namespace
}  // namespace quillet
