#include "kelvane/hooks/system_menu_rules.h"

#include <gtest/gtest.h>

namespace {

using kelvane::CNCLButtonDblClk;
using kelvane::CommandWindowFacts;
using kelvane::WindowAction;

TEST(SystemMenuRules, OnlyCaptionedVisibleWindowsWithASystemMenuAreEligible) {
    struct Case {
        const char* name;
        CommandWindowFacts facts;
        bool eligible;
    };
    const Case cases[] = {
        {"ordinary window", {true, false, true, true, true}, true},
        {"gone", {false, false, true, true, true}, false},
        {"the taskbar", {true, true, true, true, true}, false},
        {"no caption", {true, false, false, true, true}, false},
        {"no system menu", {true, false, true, false, true}, false},
        {"hidden", {true, false, true, true, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kelvane::IsEligibleForCommands(c.facts), c.eligible);
    }
}

TEST(SystemMenuRules, OnlyTheApplicationWindowClassIsLeftWithoutCommands) {
    EXPECT_FALSE(kelvane::TakesSystemMenuCommands("TApplication"));
    EXPECT_TRUE(kelvane::TakesSystemMenuCommands("tapplication")) << "the class name is compared case-sensitively";
    EXPECT_TRUE(kelvane::TakesSystemMenuCommands("TApplicationX"));
    EXPECT_TRUE(kelvane::TakesSystemMenuCommands("Notepad"));
}

TEST(SystemMenuRules, CommandsAndDoubleClicksMapToActions) {
    EXPECT_EQ(kelvane::ActionForSysCommand(61400), WindowAction::ToggleAlwaysOnTop);
    EXPECT_EQ(kelvane::ActionForSysCommand(61401), WindowAction::HideWindow);
    EXPECT_EQ(kelvane::ActionForSysCommand(61402), WindowAction::None) << "never-adjust comes as its own message";
    EXPECT_EQ(kelvane::ActionForSysCommand(0xF060), WindowAction::None);

    struct Case {
        CNCLButtonDblClk stored;
        WindowAction action;
        hookshim::DoubleClickAction sent;
    };
    const Case cases[] = {
        {CNCLButtonDblClk::nbDefault, WindowAction::None, hookshim::DoubleClickAction::Default},
        {CNCLButtonDblClk::nbAlwaysOnTop, WindowAction::ToggleAlwaysOnTop, hookshim::DoubleClickAction::AlwaysOnTop},
        // Not offered by the settings dialog, but a stored value works.
        {CNCLButtonDblClk::nbHideWindow, WindowAction::HideWindow, hookshim::DoubleClickAction::HideWindow},
        {CNCLButtonDblClk::NoValidValue, WindowAction::None, hookshim::DoubleClickAction::Default},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stored));
        EXPECT_EQ(kelvane::ActionForDoubleClick(c.stored), c.action);
        EXPECT_EQ(kelvane::LibraryDoubleClickAction(c.stored), c.sent);
    }
}

TEST(SystemMenuRules, LoadFailuresSayWhatWentWrong) {
    EXPECT_EQ(kelvane::LoadFailureReason(126),
              "Could not find the required file 'hookshim.Dll' in the path. You may need to reinstall the "
              "application.");
    EXPECT_EQ(kelvane::LoadFailureReason(193), "Could not load hookshim.Dll");
    EXPECT_EQ(kelvane::LoadFailureReason(5), "Could not load hookshim.Dll");
}

}  // namespace
