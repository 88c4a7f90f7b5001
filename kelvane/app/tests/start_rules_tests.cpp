#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvane/app/start_rules.h"

using namespace kelvane;
using Outcome = RegCommandParse::Outcome;

TEST(StartSwitches, WholeArgumentsInAnyLetterCase) {
    struct Case {
        std::vector<std::string> arguments;
        bool check, checkRun;
    };
    const Case cases[] = {
        {{}, false, false},
        {{"/CHECK"}, true, false},
        {{"/check"}, true, false},
        {{"/CheckRun"}, false, true},
        {{"/CHECKRUN"}, false, true},
        {{"foo", "/checkrun"}, false, true},
        {{"/CHECKRUNS"}, false, false},
        {{"CHECK"}, false, false},
        {{"-CHECK"}, false, false},
        {{"/CHECK", "/CHECKRUN"}, true, true},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const auto& argument : c.arguments) trace += argument + " ";
        SCOPED_TRACE(trace);
        StartSwitches switches = ParseStartSwitches(c.arguments);
        EXPECT_EQ(switches.check, c.check);
        EXPECT_EQ(switches.checkRun, c.checkRun);
    }
}

TEST(RegCommands, TheKeyUsesTheFixedWordKelvaneAndTheVersionWhenThere) {
    EXPECT_EQ(RegCommandsKeyPath("Nimbrel", "1.0"), "\\SOFTWARE\\Nimbrel\\Kelvane\\1.0\\RegCommands");
    EXPECT_EQ(RegCommandsKeyPath("Nimbrel", ""), "\\SOFTWARE\\Nimbrel\\Kelvane\\RegCommands");
}

TEST(RegCommands, EachCommandParsesToItsWrite) {
    struct Case {
        const char* text;
        Outcome outcome;
        RegRoot root;
        const char* keyPath;
        const char* valueName;
        bool isDword;
        const char* textData;
        uint32_t dword;
    };
    const Case cases[] = {
        {"hkCurrentUser;Software\\Test\\Name;hello;STR", Outcome::Write, RegRoot::CurrentUser, "Software\\Test", "Name",
         false, "hello", 0},
        {"hkCurrentUser;Software\\Test\\(Default);text;STR", Outcome::Write, RegRoot::CurrentUser, "Software\\Test", "",
         false, "text", 0},
        {"hkCurrentUser;Software\\Test\\(default);text;STR", Outcome::Write, RegRoot::CurrentUser, "Software\\Test", "",
         false, "text", 0},
        {"hkLocalMachine;\\Software\\Test\\Count;42;INT", Outcome::Write, RegRoot::LocalMachine, "Software\\Test",
         "Count", true, "", 42},
        {"hkClassesRoot;.xyz\\Big;-1;INT", Outcome::Write, RegRoot::ClassesRoot, ".xyz", "Big", true, "", 0xFFFFFFFFu},
        {"hkUsers;A\\B;$1F;INT", Outcome::Write, RegRoot::Users, "A", "B", true, "", 31},
        {"HKCURRENTUSER;Software\\X;v;STR", Outcome::Write, RegRoot::CurrentUser, "Software", "X", false, "v", 0},
        {"hkCurrentConfig;Name;;STR", Outcome::Write, RegRoot::CurrentConfig, "", "Name", false, "", 0},
        {"hkDynData;K\\V;a;STR;extra", Outcome::Write, RegRoot::DynData, "K", "V", false, "a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RegCommandParse parse = ParseRegCommand(c.text);
        ASSERT_EQ(parse.outcome, c.outcome);
        EXPECT_EQ(parse.command.root, c.root);
        EXPECT_EQ(parse.command.keyPath, c.keyPath);
        EXPECT_EQ(parse.command.valueName, c.valueName);
        EXPECT_EQ(parse.command.isDword, c.isDword);
        if (c.isDword) {
            EXPECT_EQ(parse.command.dword, c.dword);
        } else {
            EXPECT_EQ(parse.command.text, c.textData);
        }
    }
}

TEST(RegCommands, IncompleteOrUnknownCommandsAreSkippedAndBadIntegersAreIllegal) {
    struct Case {
        const char* text;
        Outcome outcome;
    };
    const Case cases[] = {
        {"hkCurrentUser;Software\\Test\\Name;hello", Outcome::Skip},  // three fields
        {"", Outcome::Skip},
        {"hkNowhere;Software\\Test\\Name;hello;STR", Outcome::Skip},
        {"hkCurrentUser;Software\\Test\\Name;hello;BIN", Outcome::Skip},
        {"hkCurrentUser;Software\\Test\\Name;hello;str", Outcome::Skip},
        {"hkCurrentUser;Software\\Test\\Name;12x;INT", Outcome::IllegalInteger},
        {"hkCurrentUser;Software\\Test\\Name;;INT", Outcome::IllegalInteger},
        {"hkCurrentUser;Software\\Test\\Name;99999999999;INT", Outcome::IllegalInteger},
        {"hkCurrentUser;Software\\Test\\Name; 1;INT", Outcome::IllegalInteger},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseRegCommand(c.text).outcome, c.outcome);
    }
    RegCommandParse bad = ParseRegCommand("hkCurrentUser;Software\\Test\\Name;12x;INT");
    EXPECT_EQ(IllegalConversionText(bad.data, bad.type),
              "Illegal conversion in cParseCommandData: Value=12x; DataType=INT");
}

TEST(DiagnosticLog, LinesStartWithDayMonthYearAndTime) {
    EXPECT_EQ(LogLine({7, 3, 2026, 9, 5, 2}, "text"), "07/03/26 09:05:02 text");
    EXPECT_EQ(LogLine({31, 12, 1999, 23, 59, 59}, "x"), "31/12/99 23:59:59 x");
}

TEST(FullPathHint, ByteFourBitZeroSaysWhetherFullPathsAreShown) {
    std::string on(12, '\0'), off(12, '\0');
    on[4] = 0x01;
    off[4] = 0x02;
    EXPECT_FALSE(FullPathsOff(on));
    EXPECT_TRUE(FullPathsOff(off));
    EXPECT_FALSE(FullPathsOff(std::nullopt)) << "a missing key counts as full paths on";
    EXPECT_TRUE(FullPathsOff(std::string(4, '\xFF'))) << "too short to hold the flag";
}

TEST(Housekeeping, RunsOnlyInMinutesThatAreMultiplesOfFive) {
    const int due[] = {0, 5, 10, 55};
    const int notDue[] = {1, 4, 7, 59};
    for (int minute : due) EXPECT_TRUE(HousekeepingDue(minute)) << minute;
    for (int minute : notDue) EXPECT_FALSE(HousekeepingDue(minute)) << minute;
}
