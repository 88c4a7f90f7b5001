#include "quillet/ui/help_rules.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

const HelpRow kFolderPage[] = {
    {1002, "hlpFolder:pvpath"},
    {1003, "hlpFolder:pvpathbrowse"},
    {1004, ""},
    {1005, nullptr},
    {0, nullptr},
    // Past the end: never read.
    {1006, "hlpFolder:pvTreeRoot"},
};

const HelpRow kStaticRow[] = {{0xFFFF, "hlpStatic"}, {0xFFFE, "hlpStatic"}, {0, nullptr}};

TEST(HelpKeyFor, FindsTheRowOrAnswersUnknown) {
    const struct {
        const HelpRow* rows;
        int controlId;
        const char* key;
    } cases[] = {
        {kFolderPage, 1002, "hlpFolder:pvpath"},
        {kFolderPage, 1003, "hlpFolder:pvpathbrowse"},
        {kFolderPage, 1004, "hlpUnknown"},  // empty key
        {kFolderPage, 1005, "hlpUnknown"},  // no key at all
        {kFolderPage, 1006, "hlpUnknown"},  // after the end row
        {kFolderPage, 4711, "hlpUnknown"},  // no row
        {kFolderPage, 0, "hlpUnknown"},
        {kFolderPage, -1, "hlpUnknown"},  // static controls share the id -1
        {kStaticRow, 0xFFFF, "hlpUnknown"},  // ...stored as 0xFFFF by older templates
        {kStaticRow, 0xFFFE, "hlpStatic"},
        {nullptr, 1002, "hlpUnknown"},    // a dialog without a table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.controlId);
        EXPECT_EQ(c.key, HelpKeyFor(c.rows, c.controlId));
    }
}

// A 1024 x 768 screen; the pop-up is 200 x 60.
//
//   (0,0) +-------------------------------------------+
//         |  [ctl]            centred on ctl's left   |
//         |                          edge, top at its |
//         |                          middle     [ctl]-|-> pushed left
//         |                                           |
//         |[ctl] pushed right                  [ctl]  |-> pushed up
//         +-------------------------------------------+ (1024,768)
TEST(WhatsThisPlacement, CentresOnTheControlsLeftEdgeAndStaysOnTheScreen) {
    const platform::Rect screen = {0, 0, 1024, 768};
    const struct {
        const char* name;
        platform::Rect control;
        platform::Rect expected;
    } cases[] = {
        {"in the middle", {400, 300, 480, 320}, {300, 310, 500, 370}},
        {"near the right edge", {1000, 300, 1020, 320}, {824, 310, 1024, 370}},
        {"near the left edge", {10, 300, 90, 320}, {0, 310, 200, 370}},
        {"near the bottom", {400, 740, 480, 760}, {300, 708, 500, 768}},
        {"in the bottom right corner", {1010, 750, 1024, 768}, {824, 708, 1024, 768}},
        {"partly off the screen", {-50, -40, 10, -20}, {0, 0, 200, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, WhatsThisPlacement(200, 60, c.control, screen));
    }
}

TEST(WhatsThisPlacement, APopUpLargerThanTheScreenKeepsItsTopLeftVisible) {
    const platform::Rect screen = {0, 0, 640, 480};
    EXPECT_EQ((platform::Rect{0, 0, 700, 500}), WhatsThisPlacement(700, 500, {600, 400, 620, 420}, screen));
}

TEST(WhatsThisPlacement, FollowsAScreenThatDoesNotStartAtZero) {
    const platform::Rect screen = {1024, 0, 2048, 768};
    EXPECT_EQ((platform::Rect{1024, 110, 1224, 170}), WhatsThisPlacement(200, 60, {1030, 100, 1100, 120}, screen));
}

TEST(HelpPagePath, EachPageContextOpensItsPageBesideTheIndex) {
    const std::string index = "C:\\Program Files\\Quillet\\help\\quillet-help.html";
    const std::string folder = "C:\\Program Files\\Quillet\\help\\";
    const struct {
        int context;
        std::string page;
    } cases[] = {
        {kHelpContextFolderPage, folder + "quillet-folder.html"},
        {kHelpContextFolderDefaults, folder + "quillet-folder.html"},
        {kHelpContextFolderPreview, folder + "quillet-folder.html"},
        {kHelpContextContentsPage, folder + "quillet-contents.html"},
        {kHelpContextGeneralPage, folder + "quillet-general.html"},
        {0, index},
        {9999, index},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.context);
        EXPECT_EQ(c.page, HelpPagePath(index, c.context));
    }
    EXPECT_EQ("quillet-general.html", HelpPagePath("index.html", kHelpContextGeneralPage));
}

}  // namespace
}  // namespace quillet
