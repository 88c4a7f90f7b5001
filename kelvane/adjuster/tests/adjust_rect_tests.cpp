#include "kelvane/adjuster/adjust_rect.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

namespace kelvane::adjuster {

namespace {

// The screen used throughout, 1024x768 with a 28-pixel taskbar at the bottom:
//
//      0                                   1024
//    0 +-------------------------------------+
//      |                                     |
//      |             work area               |
//      |                                     |
//  740 +-------------------------------------+
//      |  taskbar                            |
//  768 +-------------------------------------+
const ScreenFacts kScreen{{0, 0, 1024, 768}, {0, 0, 1024, 740}};

Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

WindowFacts Window(Rect rect, std::string className = "Notepad") {
    WindowFacts facts;
    facts.windowRect = rect;
    facts.className = std::move(className);
    return facts;
}

WindowFacts WithRegion(Rect rect, Rect regionBox) {
    WindowFacts facts = Window(rect);
    facts.regionBox = regionBox;
    return facts;
}

// All four edges, resizing, no tolerances, factor 25, mostly-off-screen test on.
AdjusterSettings Settings(const std::function<void(AdjusterSettings&)>& change = nullptr) {
    AdjusterSettings settings;
    if (change) change(settings);
    return settings;
}

struct Case {
    const char* name;
    WindowFacts window;
    AdjusterSettings settings;
    bool adjustAllMode;
    std::optional<Rect> expected;
};

void Check(const Case& c) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, AdjustedWindowRect(c.window, c.settings, c.adjustAllMode, kScreen));
}

const std::optional<Rect> kUntouched;

TEST(AdjustedWindowRect, MovesWindowsBackOrLeavesThemParked) {
    const auto noQuarterTest = Settings([](AdjusterSettings& s) { s.dontAdjustIfQuarterOffscreen = false; });
    const auto noResize = Settings([](AdjusterSettings& s) { s.resizeWindows = false; });
    const Case cases[] = {
        {"inside the work area", Window(At(100, 100, 400, 300)), Settings(), false, kUntouched},
        {"title bar above the screen comes down", Window(At(100, -50, 400, 300)), Settings(), false,
         At(100, 0, 400, 300)},
        {"title bar far above the screen still comes down", Window(At(100, -250, 400, 300)), Settings(), false,
         At(100, 0, 400, 300)},
        // dx 150 > 400 div 4: parked on purpose.
        {"mostly off at the left stays", Window(At(-150, 100, 400, 300)), Settings(), false, kUntouched},
        {"a little off at the left comes back", Window(At(-90, 100, 400, 300)), Settings(), false,
         At(0, 100, 400, 300)},
        {"off at the left and the top", Window(At(-90, -50, 400, 300)), Settings(), false, At(0, 0, 400, 300)},
        // dy 160 > 300 div 4 and the top did not move.
        {"mostly below the work area stays", Window({100, 600, 500, 900}), Settings(), false, kUntouched},
        {"below the work area, no off-screen test", Window({100, 600, 500, 900}), noQuarterTest, false,
         Rect{100, 440, 500, 740}},
        {"a little off at the right comes back", Window(At(700, 100, 400, 300)), Settings(), false,
         At(624, 100, 400, 300)},
        {"mostly off at the right stays", Window(At(800, 100, 400, 300)), Settings(), false, kUntouched},
        {"adjust-all ignores the off-screen test", Window(At(-150, 100, 400, 300)), Settings(), true,
         At(0, 100, 400, 300)},
        // Moved up so its bottom is 740, then its top pinned to 0.
        {"taller than the work area", Window(At(100, 0, 400, 900)), Settings(), false, At(100, 0, 400, 740)},
        {"taller than the work area, no resizing", Window(At(100, 0, 400, 900)), noResize, false, At(100, 0, 400, 740)},
        {"taller, all switches off, top still pinned", Window(At(100, -50, 400, 900)),
         Settings([](AdjusterSettings& s) { s.adjustTop = s.adjustBottom = s.adjustLeft = s.adjustRight = false; }),
         false, Rect{100, 0, 500, 850}},
        {"wider than the work area is cut to it", Window(At(-10, 100, 1200, 300)), Settings(), false,
         Rect{0, 100, 1024, 400}},
        // Without resizing the right edge, handled last, wins.
        {"wider, no resizing: right edge wins", Window(At(-10, 100, 1200, 300)), noResize, false,
         Rect{-176, 100, 1024, 400}},
    };
    for (const Case& c : cases) Check(c);
}

TEST(AdjustedWindowRect, EdgeSwitchesAndFactor) {
    const auto only = [](bool top, bool bottom, bool left, bool right) {
        return Settings([=](AdjusterSettings& s) {
            s.adjustTop = top;
            s.adjustBottom = bottom;
            s.adjustLeft = left;
            s.adjustRight = right;
        });
    };
    const auto factor = [](int percent) { return Settings([=](AdjusterSettings& s) { s.offscreenFactor = percent; }); };
    const Case cases[] = {
        {"top switched off", Window(At(100, -50, 400, 300)), only(false, true, true, true), false, kUntouched},
        {"bottom switched off", Window(At(100, 480, 400, 300)), only(true, false, true, true), false, kUntouched},
        {"bottom switched on", Window(At(100, 480, 400, 300)), only(false, true, false, false), false,
         At(100, 440, 400, 300)},
        {"left switched off", Window(At(-90, 100, 400, 300)), only(true, true, false, true), false, kUntouched},
        {"right switched off", Window(At(700, 100, 400, 300)), only(true, true, true, false), false, kUntouched},
        {"right switched on", Window(At(700, 100, 400, 300)), only(false, false, false, true), false,
         At(624, 100, 400, 300)},
        // 100 div 30 = 3: 150 > 133.
        {"factor 30", Window(At(-150, 100, 400, 300)), factor(30), false, kUntouched},
        {"factor 50", Window(At(-150, 100, 400, 300)), factor(50), false, At(0, 100, 400, 300)},
        {"factor 51 allows a whole width", Window(At(-390, 100, 400, 300)), factor(51), false, At(0, 100, 400, 300)},
    };
    for (const Case& c : cases) Check(c);
}

TEST(AdjustedWindowRect, ExtendTolerances) {
    const auto extendLeft = [](bool toBounds) {
        return Settings([=](AdjusterSettings& s) {
            s.extendLeft = 20;
            s.adjustToExtendBounds = toBounds;
        });
    };
    const auto extendBottom = [](bool toBounds) {
        return Settings([=](AdjusterSettings& s) {
            s.extendBottom = 30;
            s.adjustToExtendBounds = toBounds;
        });
    };
    const Case cases[] = {
        {"past the tolerance, back to the work area", Window(At(-30, 100, 400, 300)), extendLeft(false), false,
         At(0, 100, 400, 300)},
        {"past the tolerance, back to the tolerance", Window(At(-30, 100, 400, 300)), extendLeft(true), false,
         At(-20, 100, 400, 300)},
        {"within the tolerance", Window(At(-15, 100, 400, 300)), extendLeft(false), false, kUntouched},
        {"adjust-all drops the tolerance", Window(At(-15, 100, 400, 300)), extendLeft(false), true,
         At(0, 100, 400, 300)},
        {"tolerances not in use", Window(At(-15, 100, 400, 300)), Settings([](AdjusterSettings& s) {
             s.extendLeft = 20;
             s.extendBoundsInUse = false;
         }),
         false, At(0, 100, 400, 300)},
        {"below, within the tolerance", Window({100, 460, 500, 760}), extendBottom(false), false, kUntouched},
        {"below, past the tolerance", Window({100, 480, 500, 780}), extendBottom(false), false,
         Rect{100, 440, 500, 740}},
        {"below, back to the tolerance", Window({100, 480, 500, 780}), extendBottom(true), false,
         Rect{100, 470, 500, 770}},
        // A negative tolerance would push windows away from an edge they do
        // not even touch.
        {"negative tolerance counts as none", Window(At(10, 100, 400, 300)),
         Settings([](AdjusterSettings& s) { s.extendLeft = -20; }), false, kUntouched},
        {"negative tolerance, window off the edge", Window(At(-30, 100, 400, 300)),
         Settings([](AdjusterSettings& s) { s.extendLeft = -20; }), false, At(0, 100, 400, 300)},
    };
    for (const Case& c : cases) Check(c);
}

// A window at left -90 would come back; each of these facts keeps it where it is.
TEST(AdjustedWindowRect, IneligibleWindowsAreNeverMoved) {
    const Rect stickingOut = At(-90, 100, 400, 300);
    ASSERT_TRUE(AdjustedWindowRect(Window(stickingOut), Settings(), false, kScreen));

    const auto changed = [&](const std::function<void(WindowFacts&)>& change) {
        WindowFacts facts = Window(stickingOut);
        change(facts);
        return facts;
    };
    const Case cases[] = {
        {"mouse button held", changed([](WindowFacts& w) { w.primaryButtonDown = true; }), Settings(), true,
         kUntouched},
        {"no longer a window", changed([](WindowFacts& w) { w.isWindow = false; }), Settings(), true, kUntouched},
        {"hidden", changed([](WindowFacts& w) { w.visible = false; }), Settings(), true, kUntouched},
        {"wholly off the screen", Window(At(-500, 100, 400, 300)), Settings(), true, kUntouched},
        {"minimised", changed([](WindowFacts& w) { w.showState = ShowState::Minimized; }), Settings(), true,
         kUntouched},
        {"maximised", changed([](WindowFacts& w) { w.showState = ShowState::Maximized; }), Settings(), true,
         kUntouched},
        {"other show state", changed([](WindowFacts& w) { w.showState = ShowState::Other; }), Settings(), true,
         kUntouched},
        {"never adjust", changed([](WindowFacts& w) { w.neverAdjust = true; }), Settings(), true, kUntouched},
        {"taskbar class in other letter case", Window(stickingOut, "SHELL_TRAYWND"), Settings(), true, kUntouched},
        {"taskbar class in lower case", Window(stickingOut, "shell_traywnd"), Settings(), true, kUntouched},
        {"menu class", Window(stickingOut, "#32768"), Settings(), true, kUntouched},
        {"tooltip class", Window(stickingOut, "Tooltips_Class32"), Settings(), true, kUntouched},
        {"empty rectangle", Window({-90, 100, -90, 400}), Settings(), true, kUntouched},
        {"covers the whole screen", Window({-10, -10, 1034, 778}), Settings(), true, kUntouched},
        {"sized like a maximised window", Window({-4, -4, 1028, 744}), Settings(), true, kUntouched},
    };
    for (const Case& c : cases) Check(c);
}

TEST(ExcludedWindowClasses, WholeNamesInAnyLetterCase) {
    for (const char* name : {"Progman", "Shell_TrayWnd", "Tray Volume", "MSOASSISTANT", "#32768", "tooltips_class32",
                             "THintWindow", "BaseBar", "ComboLBox", "TPopupListBox", "PROGMAN", "tray volume",
                             "msoassistant", "thintwindow", "BASEBAR", "combolbox", "tpopuplistbox"}) {
        EXPECT_TRUE(IsExcludedWindowClass(name)) << name;
    }
    for (const char* name : {"", "Shell_Tray", "Shell_TrayWnd2", " Progman", "#3276", "Notepad", "TrayVolume"}) {
        EXPECT_FALSE(IsExcludedWindowClass(name)) << name;
    }
}

TEST(AdjustedWindowRect, RegionBoxDecides) {
    const auto noResize = Settings([](AdjusterSettings& s) { s.resizeWindows = false; });
    const Case cases[] = {
        // Judged by its 200-pixel visible part: dx 90 > 200 div 4.
        {"shaped window mostly off", WithRegion(At(-90, 100, 400, 300), {0, 0, 200, 150}), Settings(), false,
         kUntouched},
        // Moved by the visible part, then given its full size back.
        {"shaped window a little off", WithRegion(At(-40, 100, 400, 300), {0, 0, 200, 150}), Settings(), false,
         At(0, 100, 400, 300)},
        {"box left and top are not used", WithRegion(At(-40, 100, 400, 300), {50, 50, 200, 150}), Settings(), false,
         At(0, 100, 400, 300)},
        // Without resizing a box 9999 wide would have to travel thousands of
        // pixels, which the off-screen test refuses.
        {"box to x 10000 means the window's width", WithRegion(At(-90, 100, 400, 300), {0, 0, 10000, 150}), noResize,
         false, At(0, 100, 400, 300)},
        {"box to x 9998 means the window's width", WithRegion(At(-90, 100, 400, 300), {0, 0, 9998, 150}), noResize,
         false, At(0, 100, 400, 300)},
        {"box to x 9999 is taken as it is", WithRegion(At(-90, 100, 400, 300), {0, 0, 9999, 150}), noResize, false,
         kUntouched},
        {"visible part inside, frame below", WithRegion({100, 600, 500, 900}, {0, 0, 400, 100}), Settings(), true,
         kUntouched},
        {"empty region", WithRegion(At(-90, 100, 400, 300), {0, 0, 0, 0}), Settings(), true, kUntouched},
    };
    for (const Case& c : cases) Check(c);
}

TEST(AdjustedWindowRect, PictureViewerLargerThanWorkAreaIsLeftFree) {
    const Case cases[] = {
        {"wider than the work area", Window(At(-50, 100, 1200, 300), "LViewProImage"), Settings(), false, kUntouched},
        {"same window of another program", Window(At(-50, 100, 1200, 300), "Notepad"), Settings(), false,
         Rect{0, 100, 1024, 400}},
        {"viewer window that fits is adjusted", Window(At(-90, 100, 400, 300), "lviewpro"), Settings(), false,
         At(0, 100, 400, 300)},
        {"short class name", Window(At(-90, 100, 400, 300), "LVIEW"), Settings(), false, At(0, 100, 400, 300)},
    };
    for (const Case& c : cases) Check(c);
}

TEST(OffscreenFactor, OutOfRangeValuesAreClamped) {
    EXPECT_EQ(1, UsableOffscreenFactor(0));
    EXPECT_EQ(1, UsableOffscreenFactor(-25));
    EXPECT_EQ(1, UsableOffscreenFactor(INT_MIN));
    EXPECT_EQ(25, UsableOffscreenFactor(25));
    EXPECT_EQ(100, UsableOffscreenFactor(100));
    EXPECT_EQ(100, UsableOffscreenFactor(101));
    EXPECT_EQ(100, UsableOffscreenFactor(INT_MAX));

    const auto factor = [](int percent) { return Settings([=](AdjusterSettings& s) { s.offscreenFactor = percent; }); };
    const Case cases[] = {
        // Taken as 1 %: any real travel is too far.
        {"factor 0", Window(At(-90, 100, 400, 300)), factor(0), false, kUntouched},
        {"negative factor", Window(At(-90, 100, 400, 300)), factor(-5), false, kUntouched},
        {"factor 0 still allows a tiny step", Window(At(-4, 100, 400, 300)), factor(0), false, At(0, 100, 400, 300)},
        // Taken as 100 %.
        {"factor 101", Window(At(-390, 100, 400, 300)), factor(101), false, At(0, 100, 400, 300)},
        {"huge factor", Window(At(-390, 100, 400, 300)), factor(INT_MAX), false, At(0, 100, 400, 300)},
    };
    for (const Case& c : cases) Check(c);
}

// Windows whose near edge lies beyond the work area's far edge (in the
// taskbar strip): cut at the work area's edge they would turn inside out.
// The edge handled next moves them in instead.
//
//    0 +---------------------+
//      |      work area      |
//  740 +---------------------+
//  750 |   [window top]      |
//  768 +---------------------+
//          |  window  |  (900 tall, down to 1650)
TEST(AdjustedWindowRect, NeverTurnsAWindowInsideOut) {
    const Case cases[] = {
        {"tall window below the work area, adjust-all", Window(At(100, 750, 400, 900)), Settings(), true,
         At(100, 0, 400, 740)},
        {"tall window below the work area", Window(At(100, 750, 400, 900)), Settings(), false, kUntouched},
    };
    for (const Case& c : cases) Check(c);

    SCOPED_TRACE("taskbar at the right, wide window starting in it");
    const ScreenFacts rightTaskbar{{0, 0, 1024, 768}, {0, 0, 960, 768}};
    EXPECT_EQ(Rect({0, 100, 960, 400}),
              AdjustedWindowRect(Window(At(980, 100, 1200, 300)), Settings(), true, rightTaskbar));
}

// With the top and bottom switched off a window taller than the work area
// still has its top pinned; one lying wholly above a top taskbar would be
// turned inside out by that and stays where it is.
TEST(AdjustedWindowRect, NeverMovesAWindowToAnEmptyRectangle) {
    const ScreenFacts topTaskbar{{0, 0, 1024, 768}, {0, 28, 1024, 768}};
    const auto noVertical = Settings([](AdjusterSettings& s) { s.adjustTop = s.adjustBottom = false; });
    EXPECT_EQ(kUntouched, AdjustedWindowRect(Window({100, -800, 500, 20}), noVertical, true, topTaskbar));
    EXPECT_EQ(Rect({100, 28, 500, 830}),
              AdjustedWindowRect(Window({100, -800, 500, 830}), noVertical, true, topTaskbar));
}

TEST(AdjustedWindowRect, ExtremeValuesStayWellDefined) {
    const auto extendAll = [](int value, bool toBounds) {
        return Settings([=](AdjusterSettings& s) {
            s.extendTop = s.extendLeft = s.extendBottom = s.extendRight = value;
            s.adjustToExtendBounds = toBounds;
        });
    };
    const Case cases[] = {
        {"huge tolerances", Window(At(-30, -30, 400, 300)), extendAll(INT_MAX, false), false, kUntouched},
        {"most negative tolerances", Window(At(-30, 100, 400, 300)), extendAll(INT_MIN, true), false,
         At(0, 100, 400, 300)},
        {"window across the whole int range", Window({INT_MIN, 100, INT_MAX, 400}), Settings(), true,
         Rect{0, 100, 1024, 400}},
        // Right-aligned without resizing its left edge would lie far below INT_MIN.
        {"window across the whole int range, no resizing", Window({INT_MIN, 100, INT_MAX, 400}),
         Settings([](AdjusterSettings& s) { s.resizeWindows = false; }), true, kUntouched},
        {"window reaching INT_MAX", Window({-10, 100, INT_MAX, 400}), Settings(), true, Rect{0, 100, 1024, 400}},
        {"region box reaching INT_MAX", WithRegion(At(-90, 100, 400, 300), {0, 0, INT_MAX, INT_MAX}), Settings(), true,
         At(0, 100, 400, 300)},
    };
    for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace kelvane::adjuster
