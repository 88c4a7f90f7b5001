#include <gtest/gtest.h>

#include "quillet/app/app_rules.h"
#include "quillet/model/property_tags.h"

namespace quillet {
namespace {

TEST(AppRulesTest, TheLastNewItemSwitchNamesThePath) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> expected;
    } cases[] = {
        {{"quillet.exe", "/N", "C:\\Data"}, "C:\\Data"},
        {{"quillet.exe", "-n", "C:\\Data"}, "C:\\Data"},
        {{"quillet.exe", "/Nonsense", "C:\\Data"}, "C:\\Data"},  // further characters are ignored
        {{"quillet.exe", "/N", "C:\\A", "-N", "C:\\B"}, "C:\\B"},
        {{"quillet.exe", "/N", "C:\\A", "/N"}, "C:\\A"},  // a switch in last place takes nothing
        {{"quillet.exe", "/N"}, std::nullopt},
        {{"/N", "C:\\A"}, std::nullopt},  // the program's own name is never a switch
        {{"quillet.exe", "N", "C:\\A"}, std::nullopt},
        {{"quillet.exe", "/", "C:\\A"}, std::nullopt},
        {{"quillet.exe", "/X", "C:\\A"}, std::nullopt},
        {{"quillet.exe", "/N", "/N"}, "/N"},  // the next argument is the path, whatever it is
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.arguments) joined += "[" + a + "]";
        SCOPED_TRACE(joined);
        EXPECT_EQ(NewItemPathFromArguments(c.arguments), c.expected);
    }
}

TEST(AppRulesTest, TrayTipsAreCutOrNamedUnnamed) {
    EXPECT_EQ(TrayTipText(""), "<unnamed icon>");
    EXPECT_EQ(TrayTipText("Quillet 1.0"), "Quillet 1.0");
    EXPECT_EQ(TrayTipText(std::string(100, 'x')), std::string(63, 'x'));
    EXPECT_EQ(TrayTipText(std::string(63, 'y')), std::string(63, 'y'));
}

TEST(AppRulesTest, ClickModeDecidesWhichLeftClickOpensTheMenu) {
    struct Case {
        int32_t mode;
        uint32_t message;
        TrayAction expected;
    } cases[] = {
        {1, kLeftButtonDown, TrayAction::OpenMenu},
        {1, kLeftButtonDoubleClick, TrayAction::Ignore},
        {2, kLeftButtonDown, TrayAction::Ignore},
        {2, kLeftButtonDoubleClick, TrayAction::OpenMenu},
        {0, kLeftButtonDoubleClick, TrayAction::OpenMenu},  // any other mode is the double-click
        {7, kLeftButtonDown, TrayAction::Ignore},
        {1, kRightButtonDown, TrayAction::CommandMenu},
        {2, kRightButtonDown, TrayAction::CommandMenu},
        {1, 0x0202, TrayAction::Ignore},  // button up
        {1, 0x0200, TrayAction::Ignore},  // mouse move
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.message));
        EXPECT_EQ(ClassifyTrayMessage(c.mode, c.message), c.expected);
    }
}

TEST(AppRulesTest, LockedSettingsTakeCloseAndNewOutOfTheCommandMenu) {
    EXPECT_EQ(CommandMenuRemovals(false), (std::vector<uint32_t>{40007, 40008}));
    EXPECT_EQ(CommandMenuRemovals(true), (std::vector<uint32_t>{40007, 40008, 40001, 40003}));
}

TEST(AppRulesTest, HotkeyModes) {
    struct Case {
        int32_t mode;
        int32_t custom;
        std::optional<uint32_t> expected;
    } cases[] = {
        {kHotkeyModeNone, 0x0378, std::nullopt},
        {kHotkeyModeNatural, 0, 0x0854u},
        {kHotkeyModeNatural, 0x0378, 0x0854u},
        {kHotkeyModeCustom, 0x0378, 0x0378u},  // Ctrl+Alt+F9
        {kHotkeyModeCustom, 0, std::nullopt},
        {kHotkeyModeCustom, 0x10378, 0x0378u},  // nothing above the modifier byte reaches RegisterHotKey
        {5, 0x0378, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.custom));
        EXPECT_EQ(HotkeyToRegister(c.mode, c.custom), c.expected);
    }
}

TEST(AppRulesTest, TrayIconIdsMapToIndexes) {
    EXPECT_EQ(TrayIconIndex(21200, 1), std::optional<size_t>(0));
    EXPECT_EQ(TrayIconIndex(21204, 5), std::optional<size_t>(4));
    EXPECT_EQ(TrayIconIndex(21205, 5), std::nullopt);
    EXPECT_EQ(TrayIconIndex(21199, 5), std::nullopt);
    EXPECT_EQ(TrayIconIndex(21200, 0), std::nullopt);
}

TEST(AppRulesTest, SplashScreenPlaceAndTime) {
    ScreenPoint origin = SplashOrigin(1024, 768, 400, 240);
    EXPECT_EQ(origin.x, 312);
    EXPECT_EQ(origin.y, 176);
    ScreenPoint larger = SplashOrigin(300, 200, 400, 260);
    EXPECT_EQ(larger.x, -50);
    EXPECT_EQ(larger.y, -20);

    EXPECT_FALSE(SplashTimeUp(1000, 1000));
    EXPECT_FALSE(SplashTimeUp(1000, 3000)) << "more than two seconds, not exactly two";
    EXPECT_TRUE(SplashTimeUp(1000, 3001));
    EXPECT_FALSE(SplashTimeUp(0xFFFFFF00u, 0x00000100u)) << "512 ms across the wrap";
    EXPECT_TRUE(SplashTimeUp(0xFFFFFF00u, 0x00000900u));
}

}  // namespace
}  // namespace quillet
