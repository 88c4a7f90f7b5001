#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorrin/toggler_rules.h"

namespace vorrin {
namespace {

TEST(VorrinParseSwitches, FindsEachSwitchAsACaseSensitiveSubstring) {
    struct Case {
        const char* arguments;
        bool hide, show, quit;
    };
    const Case cases[] = {
        {"", false, false, false},
        {"-hide", true, false, false},
        {"-show", false, true, false},
        {"-quit", false, false, true},
        {"-hide -quit", true, false, true},
        {"-quit -show -hide", true, true, true},
        {"-hide-show", true, true, false},
        {"  -show  ", false, true, false},
        // Inside a longer word or a quoted path, a switch still counts.
        {"--hides", true, false, false},
        {"\"C:\\my-shows\\x\" -quitting", false, true, true},
        // Capitals, a slash or a missing dash do not.
        {"-HIDE -Show -QUIT", false, false, false},
        {"/hide /show /quit", false, false, false},
        {"hide show quit", false, false, false},
        {"-hid -sho -qui", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("arguments: [") + c.arguments + "]");
        StartSwitches switches = ParseSwitches(c.arguments);
        EXPECT_EQ(c.hide, switches.hide);
        EXPECT_EQ(c.show, switches.show);
        EXPECT_EQ(c.quit, switches.quit);
    }
}

TEST(VorrinParseSwitches, StopsAtTheEndOfTheViewNotAtATerminator) {
    const char text[] = "-hide and more";
    EXPECT_FALSE(ParseSwitches(std::string_view(text, 4)).hide);
    EXPECT_TRUE(ParseSwitches(std::string_view(text, 5)).hide);
}

TEST(VorrinTrayActionFor, LeftButtonUpTogglesByTheBelievedStateAndRightButtonUpOpensTheMenu) {
    constexpr unsigned kMouseMove = 0x0200, kLeftDown = 0x0201, kLeftDoubleClick = 0x0203, kRightDown = 0x0204,
                       kMiddleUp = 0x0208;
    struct Case {
        unsigned message;
        DesktopState believed;
        TrayAction expected;
    };
    const Case cases[] = {
        {kLeftButtonUp, DesktopState::Shown, TrayAction::PostHide},
        {kLeftButtonUp, DesktopState::Hidden, TrayAction::PostShow},
        {kRightButtonUp, DesktopState::Shown, TrayAction::ShowMenu},
        {kRightButtonUp, DesktopState::Hidden, TrayAction::ShowMenu},
        {kMouseMove, DesktopState::Shown, TrayAction::None},
        {kLeftDown, DesktopState::Hidden, TrayAction::None},
        {kLeftDoubleClick, DesktopState::Shown, TrayAction::None},
        {kRightDown, DesktopState::Shown, TrayAction::None},
        {kMiddleUp, DesktopState::Shown, TrayAction::None},
        {0, DesktopState::Shown, TrayAction::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mouse message " + std::to_string(c.message) + ", believed " +
                     std::to_string(static_cast<int>(c.believed)));
        EXPECT_EQ(c.expected, TrayActionFor(c.message, c.believed));
    }
}

TEST(VorrinCommands, EachMenuIdentifierHasItsCommandAndTheStateItLeaves) {
    struct Case {
        unsigned id;
        Command command;
        DesktopState afterShown, afterHidden;
    };
    const Case cases[] = {
        {1, Command::HideDesktopIcons, DesktopState::Hidden, DesktopState::Hidden},
        {2, Command::ShowDesktopIcons, DesktopState::Shown, DesktopState::Shown},
        {3, Command::About, DesktopState::Shown, DesktopState::Hidden},
        {4, Command::Quit, DesktopState::Shown, DesktopState::Hidden},
        {5, Command::DisplayProperties, DesktopState::Shown, DesktopState::Hidden},
        {6, Command::LogOff, DesktopState::Shown, DesktopState::Hidden},
        {7, Command::Restart, DesktopState::Shown, DesktopState::Hidden},
        {8, Command::ShutDown, DesktopState::Shown, DesktopState::Hidden},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("identifier " + std::to_string(c.id));
        std::optional<Command> command = CommandFromId(c.id);
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(c.command, *command);
        EXPECT_EQ(c.afterShown, StateAfter(*command, DesktopState::Shown));
        EXPECT_EQ(c.afterHidden, StateAfter(*command, DesktopState::Hidden));
    }
    for (unsigned unknown : {0u, 9u, 0x418u, 0xFFFFu}) {
        SCOPED_TRACE("identifier " + std::to_string(unknown));
        EXPECT_FALSE(CommandFromId(unknown).has_value());
    }
}

TEST(VorrinSessionEndFor, GivesTheExitWindowsFlagsAndWhetherNtWantsTheShutdownPrivilege) {
    struct Case {
        Command command;
        unsigned flags;
        bool privilege;
    };
    const Case cases[] = {
        {Command::LogOff, 0, false},
        {Command::ShutDown, 1, true},
        {Command::Restart, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("flags " + std::to_string(c.flags));
        std::optional<SessionEnd> end = SessionEndFor(c.command);
        ASSERT_TRUE(end.has_value());
        EXPECT_EQ(c.flags, end->exitWindowsFlags);
        EXPECT_EQ(c.privilege, end->needsShutdownPrivilege);
    }
    for (Command other : {Command::HideDesktopIcons, Command::ShowDesktopIcons, Command::About, Command::Quit,
                          Command::DisplayProperties}) {
        EXPECT_FALSE(SessionEndFor(other).has_value());
    }
}

TEST(VorrinAboutText, NamesProgramAndVersionFirstThenAuthorBlankLineWebPageAndMailLink) {
    std::string text = AboutText();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    ASSERT_EQ(5u, lines.size()) << text;
    EXPECT_EQ("Vorrin v2.0", lines[0]);
    EXPECT_FALSE(lines[1].empty());
    EXPECT_TRUE(lines[2].empty());
    EXPECT_EQ(0u, lines[3].find("http://"));
    EXPECT_EQ(0u, lines[4].find("mailto:"));
    EXPECT_NE(std::string::npos, lines[4].find('@'));
}

}  // namespace
}  // namespace vorrin
