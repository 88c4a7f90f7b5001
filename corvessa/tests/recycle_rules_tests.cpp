#include "corvessa/recycle_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace corvessa {
namespace {

TEST(CorvessaIconLocation, SplitsFileAndIndex) {
    struct Case {
        const char* text;
        const char* path;
        int index;
    } cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\shell32.dll,31", "C:\\WINDOWS\\SYSTEM\\shell32.dll", 31},
        {"C:\\icons\\bin.ico,0", "C:\\icons\\bin.ico", 0},
        {"C:\\icons\\bin.ico,0   ", "C:\\icons\\bin.ico", 0},
        {"shell32.dll, 7", "shell32.dll", 7},
        {"%SystemRoot%\\System32\\imageres.dll,-55", "%SystemRoot%\\System32\\imageres.dll", -55},
        // Folder names may hold commas: the index follows the last comma.
        {"C:\\Bins, old and new\\bins.icl,4", "C:\\Bins, old and new\\bins.icl", 4},
        // No index: the first icon of the file, as the shell reads it.
        {"C:\\icons\\bin.ico", "C:\\icons\\bin.ico", 0},
        {"C:\\a,b\\bin.ico", "C:\\a,b\\bin.ico", 0},
        {"bins.dll,", "bins.dll,", 0},
        {"bins.dll,12x", "bins.dll,12x", 0},
        {"bins.dll,99999999999", "bins.dll,99999999999", 0},
        {",3", "", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto location = SplitIconLocation(c.text);
        ASSERT_TRUE(location.has_value());
        EXPECT_EQ(location->path, c.path);
        EXPECT_EQ(location->index, c.index);
    }
}

TEST(CorvessaIconLocation, EmptyOrBlankTextIsNoIcon) {
    EXPECT_FALSE(SplitIconLocation(""));
    EXPECT_FALSE(SplitIconLocation("    "));
}

TEST(CorvessaIconLocation, FormattedLocationSplitsBackToItself) {
    const IconLocation locations[] = {{"C:\\x\\bins.dll", 11}, {"C:\\a,b\\c.exe", 0}, {"y.icl", -3}};
    for (const IconLocation& location : locations) {
        SCOPED_TRACE(location.path);
        EXPECT_EQ(SplitIconLocation(FormatIconLocation(location)), location);
    }
    EXPECT_EQ(FormatIconLocation({"C:\\x\\bins.dll", 11}), "C:\\x\\bins.dll,11");
}

TEST(CorvessaRename, WritesOnlyARealChange) {
    struct Case {
        const char* typed;
        const char* current;
        std::optional<std::string> written;
    } cases[] = {
        {"Wastebasket", "Recycle Bin", "Wastebasket"},
        {"Wastebasket   ", "Recycle Bin", "Wastebasket"},
        {"  Wastebasket", "Recycle Bin", "  Wastebasket"},
        {"RECYCLE BIN", "Recycle Bin", std::nullopt},
        {"recycle bin   ", "Recycle Bin", std::nullopt},
        {"Recycle Bin", "Recycle Bin  ", std::nullopt},
        {"Recycle  Bin", "Recycle Bin", "Recycle  Bin"},
        {"", "Recycle Bin", std::nullopt},
        {"     ", "Recycle Bin", std::nullopt},
        {"Papierkorb", "", "Papierkorb"},
        {"M\xDC"
         "LL",
         "M\xFC"
         "ll",
         std::nullopt},
        {"Corbeille", "Corbeill\xE9", "Corbeille"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed '") + c.typed + "' current '" + c.current + "'");
        EXPECT_EQ(NameToWrite(c.typed, c.current), c.written);
    }
}

TEST(CorvessaJoinPath, AddsOneBackslash) {
    EXPECT_EQ(JoinPath("C:\\", "bins.dll"), "C:\\bins.dll");
    EXPECT_EQ(JoinPath("C:\\icons", "bins.dll"), "C:\\icons\\bins.dll");
    EXPECT_EQ(JoinPath("", "bins.dll"), "bins.dll");
}

TEST(CorvessaStripMode, LibrariesAndProgramsAreStepped) {
    struct Case {
        const char* filter;
        StripMode mode;
    } cases[] = {
        {"*.dll", StripMode::Library}, {"*.icl", StripMode::Library},          {"*.exe", StripMode::Library},
        {"*.DLL", StripMode::Library}, {"*.ico", StripMode::SingleIcon},       {"*.cur", StripMode::SingleIcon},
        {"", StripMode::SingleIcon},   {"*.dll;*.exe", StripMode::SingleIcon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(StripModeForFilter(c.filter), c.mode);
    }
}

TEST(CorvessaExtraction, ZeroIsPastTheEndAndOneIsNoIcons) {
    EXPECT_EQ(ClassifyExtraction(0), Extraction::PastLastIcon);
    EXPECT_EQ(ClassifyExtraction(1), Extraction::NoIcons);
    EXPECT_EQ(ClassifyExtraction(0x10A4), Extraction::Icon);
}

TEST(CorvessaExtraction, MinusOneIsNoIndexAndOtherNegativesAreResourceIds) {
    struct Case {
        int index;
        std::optional<unsigned> passed;
    } cases[] = {
        {0, 0u}, {11, 11u}, {-1, std::nullopt}, {-55, static_cast<unsigned>(-55)}, {INT_MIN, 0x80000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(ExtractionIndex(c.index), c.passed);
    }
}

TEST(CorvessaStrip, AttemptsCountEveryIconAndTheEnd) {
    // A file with n icons takes n + 1 attempts; its last index is n - 1.
    struct Case {
        int attempts;
        int current;
        bool next;
        bool previous;
        std::optional<std::string> text;
    } cases[] = {
        {13, 0, true, false, "Icon # 0 out of 11"},
        {13, 5, true, true, "Icon # 5 out of 11"},
        {13, 11, false, true, "Icon # 11 out of 11"},
        {2, 0, false, false, "Icon # 0 out of 0"},
        // No icons, and no file chosen yet: nowhere to step.
        {1, 0, false, false, std::nullopt},
        {0, 0, false, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("attempts " + std::to_string(c.attempts) + " current " + std::to_string(c.current));
        StripPosition position{c.current, c.attempts};
        EXPECT_EQ(position.CanStepNext(), c.next);
        EXPECT_EQ(position.CanStepPrevious(), c.previous);
        EXPECT_EQ(PositionText(position), c.text);
    }
}

TEST(CorvessaStrip, SteppingStopsAtBothEnds) {
    StripPosition position{0, 13};
    for (int step = 0; step < 20; ++step) {
        if (position.CanStepNext()) ++position.currentIndex;
    }
    EXPECT_EQ(position.currentIndex, 11);
    for (int step = 0; step < 20; ++step) {
        if (position.CanStepPrevious()) --position.currentIndex;
    }
    EXPECT_EQ(position.currentIndex, 0);
}

TEST(CorvessaHover, FollowThePointer) {
    const HoverHints none{};
    const HoverHints all{true, true, true};
    struct Case {
        const char* name;
        HoverHints before;
        PointerOver place;
        HoverHints after;
    } cases[] = {
        {"close label", none, PointerOver::CloseLabel, {true, false, false}},
        {"help label", none, PointerOver::HelpLabel, {false, true, false}},
        {"apply label", none, PointerOver::ApplyLabel, {false, false, true}},
        {"from close to help", {true, false, false}, PointerOver::HelpLabel, {false, true, false}},
        {"background", all, PointerOver::Background, none},
        {"file list", all, PointerOver::FileList, {true, true, false}},
        {"position label", all, PointerOver::PositionLabel, {true, false, false}},
        {"elsewhere", all, PointerOver::Elsewhere, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HintsAfterMove(c.before, c.place), c.after);
    }
    EXPECT_STREQ(CloseLabelText({true, false, false}), "exit");
    EXPECT_STREQ(CloseLabelText(none), "X");
    EXPECT_STREQ(HelpLabelText({false, true, false}), "help");
    EXPECT_STREQ(HelpLabelText(none), "?");
}

}  // namespace
}  // namespace corvessa
