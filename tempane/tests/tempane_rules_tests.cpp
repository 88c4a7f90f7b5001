#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tempane/switches.h"
#include "tempane/tray_menu.h"
#include "tempane/uncover_desktop.h"

namespace tempane {
namespace {

TEST(SplashWanted, OnlyALowerCaseSOptionallyMarkedTurnsTheSplashOff) {
    struct Case {
        const char* name;
        std::vector<std::string> parameters;
        bool wanted;
    };
    const Case cases[] = {
        {"no parameters", {}, true},
        {"bare s", {"s"}, false},
        {"slash s", {"/s"}, false},
        {"dash s", {"-s"}, false},
        {"upper case S", {"S"}, true},
        {"slash upper case S", {"/S"}, true},
        {"dash upper case S", {"-S"}, true},
        {"only one mark is removed", {"//s"}, true},
        {"mixed marks", {"-/s"}, true},
        {"longer word", {"/silent"}, true},
        {"s with trailing space", {"s "}, true},
        {"a file name", {"s.txt"}, true},
        {"empty parameter", {""}, true},
        {"lone mark", {"/"}, true},
        {"s among others", {"/x", "readme.txt", "-s"}, false},
        {"others only", {"/x", "readme.txt"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplashWanted(c.parameters), c.wanted);
    }
}

// The desktop in these cases is a 1024x768 screen:
//
//   (0,0) +--------------------------+
//         |        desktop           |
//         |                          |
//         +--------------------------+ (1024,768)
const Rect kDesktop{0, 0, 1024, 768};

WindowFacts Visible(Rect rect) {
    WindowFacts facts;
    facts.rect = rect;
    facts.visible = true;
    return facts;
}

TEST(ShouldMinimise, VisibleWindowsOnTheScreenGoOthersStay) {
    struct Case {
        const char* name;
        WindowFacts window;
        bool minimise;
    };
    WindowFacts hidden = Visible({100, 100, 400, 300});
    hidden.visible = false;
    WindowFacts iconic = Visible({100, 700, 260, 730});
    iconic.minimised = true;
    WindowFacts taskbar = Visible({0, 740, 1024, 768});
    taskbar.isTaskbar = true;
    WindowFacts shell = Visible(kDesktop);
    shell.isShellWindow = true;
    WindowFacts own = Visible({332, 276, 692, 492});
    own.ownWindow = true;
    const Case cases[] = {
        {"ordinary window", Visible({100, 100, 400, 300}), true},
        {"maximised window", Visible({-4, -4, 1028, 772}), true},
        {"partly above and left of the screen", Visible({-200, -150, 150, 120}), true},
        {"partly right of the screen", Visible({900, 100, 1300, 300}), true},
        {"only its right edge is positive", Visible({-300, -300, 1, 0}), false},
        {"one pixel on the screen", Visible({-300, -300, 1, 1}), true},
        {"hidden window", hidden, false},
        {"already minimised", iconic, false},
        {"parked where Windows keeps minimised windows", Visible({-32000, -32000, -31840, -31976}), false},
        {"left of and above the origin", Visible({-600, -500, -100, -50}), false},
        {"ending exactly at the origin", Visible({-300, -300, 0, 0}), false},
        {"a zero-sized window at the origin", Visible({0, 0, 0, 0}), false},
        {"right of the screen", Visible({1100, 100, 1400, 300}), false},
        {"below the screen", Visible({100, 800, 400, 900}), false},
        {"starting exactly at the right edge", Visible({1024, 100, 1200, 300}), false},
        {"left of the screen but below the origin", Visible({-500, 100, -10, 300}), false},
        {"empty rectangle on the screen", Visible({100, 100, 100, 300}), false},
        {"taskbar", taskbar, false},
        {"desktop shell window", shell, false},
        {"tempane's own window", own, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShouldMinimise(c.window, kDesktop), c.minimise);
    }
}

TEST(ShouldMinimise, WithoutATaskbarEveryOtherWindowOnTheScreenGoes) {
    // Nothing marks a window as the taskbar: a full-width strip at the bottom
    // is then an ordinary window; the shell window is still spared.
    WindowFacts strip = Visible({0, 740, 1024, 768});
    WindowFacts shell = Visible(kDesktop);
    shell.isShellWindow = true;
    EXPECT_TRUE(ShouldMinimise(strip, kDesktop));
    EXPECT_FALSE(ShouldMinimise(shell, kDesktop));
}

TEST(ShouldMinimise, ADesktopNotAtTheOriginIsMeasuredAsItIs) {
    // A desktop spanning a second monitor on the left: (-1280,0)-(1024,768).
    const Rect wide{-1280, 0, 1024, 768};
    EXPECT_TRUE(ShouldMinimise(Visible({-1000, 100, -600, 400}), wide)) << "right side of the left monitor";
    EXPECT_FALSE(ShouldMinimise(Visible({-1000, -400, -600, -100}), wide)) << "above everything, all negative";
}

TEST(TrayMenuPlace, OpensRightOfTheCursorAboveTheBottomEdge) {
    struct Case {
        const char* name;
        int width, height;
        std::optional<int> cursorX;
        int menuBar;
        int x, y;
    };
    const Case cases[] = {
        {"cursor known", 1024, 768, 900, 19, 910, 720},
        {"cursor unknown", 1024, 768, std::nullopt, 19, 934, 720},
        {"large menu bar", 800, 600, 0, 30, 10, 530},
        {"cursor at the right edge", 640, 480, 639, 18, 649, 434},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuPlace place = TrayMenuPlace(c.width, c.height, c.cursorX, c.menuBar);
        EXPECT_EQ(place.x, c.x);
        EXPECT_EQ(place.y, c.y);
    }
}

TEST(HelpPagePath, IsTheHelpFolderBesideTheProgram) {
    struct Case {
        const char* program;
        const char* page;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Nimbrel\\tempane.exe", "C:\\Program Files\\Nimbrel\\Help\\index.html"},
        {"C:\\tempane.exe", "C:\\Help\\index.html"},
        {"\\\\server\\tools\\tempane.exe", "\\\\server\\tools\\Help\\index.html"},
        {"tempane.exe", ".\\Help\\index.html"},
        {"", ".\\Help\\index.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(HelpPagePath(c.program), c.page);
    }
}

TEST(HelpPagePath, LongProgramPathsAreKeptWhole) {
    // Deeper than the 260 characters a fixed path buffer would hold.
    std::string folder = "C:";
    while (folder.size() < 400) folder += "\\a folder with a long name";
    EXPECT_EQ(HelpPagePath(folder + "\\tempane.exe"), folder + "\\Help\\index.html");
}

}  // namespace
}  // namespace tempane
