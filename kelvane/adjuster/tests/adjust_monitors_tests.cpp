#include <gtest/gtest.h>

#include <vector>

#include "kelvane/adjuster/adjust_rect.h"

namespace kelvane::adjuster {

namespace {

Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

WindowFacts Window(Rect rect) {
    WindowFacts facts;
    facts.windowRect = rect;
    facts.className = "Notepad";
    return facts;
}

// The primary monitor, 1024x768 with a 28-pixel taskbar at the bottom.
const ScreenFacts kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 740}};

// Two monitors, a larger one without a taskbar right of the primary:
//
//      0                 1024                    2304
//    0 +------------------+-----------------------+
//      |                  |                       |
//      |     primary      |        second         |
//  740 |..taskbar.........|                       |
//  768 +------------------+                       |
//                         |                       |
// 1024                    +-----------------------+
const ScreenFacts kRightOfPrimary{{1024, 0, 2304, 1024}, {1024, 0, 2304, 1024}};
const std::vector<ScreenFacts> kTwoMonitors{kPrimary, kRightOfPrimary};

// Three monitors: a tall one left of the primary reaching above it, and a
// small one right of it with its taskbar at the top. Below the small one lies
// a strip that belongs to no monitor.
//
//  -1280              0                 1024          1824
//   -256 +-------------+
//        |             |
//      0 |    left     +-----------------+-------------+
//        |             |                 |..taskbar....|  30
//        |             |     primary     |    small    |
//        |             |                 +-------------+ 600
//        |             |                 |  (nothing)  |
//    740 |             |..taskbar........|             |
//    768 +-------------+-----------------+ - - - - - - +
const ScreenFacts kLeftOfPrimary{{-1280, -256, 0, 768}, {-1280, -256, 0, 768}};
const ScreenFacts kSmallRight{{1024, 0, 1824, 600}, {1024, 30, 1824, 600}};
const std::vector<ScreenFacts> kThreeMonitors{kPrimary, kLeftOfPrimary, kSmallRight};

const std::optional<Rect> kUntouched;

TEST(MonitorHolding, MostOfTheWindowOrTheNearestMonitor) {
    struct Case {
        const char* name;
        Rect window;
        const std::vector<ScreenFacts>& monitors;
        Rect expectedMonitor;
    };
    const Case cases[] = {
        {"wholly on the primary", At(100, 100, 400, 300), kTwoMonitors, kPrimary.screen},
        {"wholly on the second", At(1100, 800, 400, 200), kTwoMonitors, kRightOfPrimary.screen},
        {"straddling, most on the second", At(950, 100, 400, 300), kTwoMonitors, kRightOfPrimary.screen},
        {"straddling, most on the primary", At(700, 100, 400, 300), kTwoMonitors, kPrimary.screen},
        {"straddling half and half: the first listed", At(824, 100, 400, 300), kTwoMonitors, kPrimary.screen},
        {"on no monitor, nearest the small one", At(1200, 650, 300, 100), kThreeMonitors, kSmallRight.screen},
        {"far below everything, nearest the primary", At(400, 2000, 100, 100), kThreeMonitors, kPrimary.screen},
        {"far left of everything", At(-5000, 0, 100, 100), kThreeMonitors, kLeftOfPrimary.screen},
        {"across all three, most on the left", At(-1100, 100, 2800, 100), kThreeMonitors, kLeftOfPrimary.screen},
        {"parked minimised far away", At(-32000, -32000, 160, 24), kThreeMonitors, kLeftOfPrimary.screen},
        {"one monitor always answers", At(5000, 5000, 10, 10), {kPrimary}, kPrimary.screen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<ScreenFacts> monitor = MonitorHolding(c.window, c.monitors);
        ASSERT_TRUE(monitor);
        EXPECT_EQ(c.expectedMonitor, monitor->screen);
    }
    EXPECT_FALSE(MonitorHolding(At(0, 0, 10, 10), {})) << "no monitor known";
}

TEST(AdjustedWindowRect, KeepsEachWindowOnTheMonitorThatHoldsMostOfIt) {
    struct Case {
        const char* name;
        Rect window;
        const std::vector<ScreenFacts>& monitors;
        std::optional<Rect> expected;
    };
    const Case cases[] = {
        // Below the primary's work area, but inside the second monitor's.
        {"on the second monitor, left there", At(1100, 800, 400, 200), kTwoMonitors, kUntouched},
        {"sticking out below the second comes up, staying on it", At(1100, 850, 400, 200), kTwoMonitors,
         At(1100, 824, 400, 200)},
        {"sticking out right of the second comes back onto it", At(2000, 300, 400, 200), kTwoMonitors,
         At(1904, 300, 400, 200)},
        {"straddling, most on the second: onto the second", At(950, 100, 400, 300), kTwoMonitors,
         At(1024, 100, 400, 300)},
        {"straddling, most on the primary: onto the primary", At(700, 100, 400, 300), kTwoMonitors,
         At(624, 100, 400, 300)},
        {"straddling below the primary's taskbar, most on the second", At(950, 700, 400, 200), kTwoMonitors,
         At(1024, 700, 400, 200)},
        {"full-screen on the second", At(1024, 0, 1280, 1024), kTwoMonitors, kUntouched},
        {"maximised on the small monitor", Rect{1020, 26, 1828, 604}, kThreeMonitors, kUntouched},
        {"title bar under the small monitor's taskbar comes down", At(1300, 10, 300, 200), kThreeMonitors,
         At(1300, 30, 300, 200)},
        {"above and left of the left monitor comes onto it", At(-1300, -300, 400, 300), kThreeMonitors,
         At(-1280, -256, 400, 300)},
        {"partly in the strip under the small monitor comes up onto it", At(1200, 520, 300, 100), kThreeMonitors,
         At(1200, 500, 300, 100)},
        // As on a single screen, a window nobody can see is taken to be
        // parked there on purpose.
        {"on no monitor, left where it is", At(1200, 650, 300, 100), kThreeMonitors, kUntouched},
        {"no monitor known", At(-90, 100, 400, 300), {}, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, AdjustedWindowRect(Window(c.window), AdjusterSettings{}, false, c.monitors));
    }
}

TEST(AdjustedWindowRect, OneMonitorDecidesAsTheSingleScreen) {
    const Rect windows[] = {
        At(100, 100, 400, 300),   At(100, -50, 400, 300),  At(-90, 100, 400, 300), At(-150, 100, 400, 300),
        At(700, 100, 400, 300),   At(100, 600, 400, 300),  At(0, 0, 1024, 768),    Rect{-4, -4, 1028, 744},
        At(2000, 2000, 100, 100), At(100, 100, 400, 1000),
    };
    for (const Rect& window : windows) {
        SCOPED_TRACE(::testing::Message() << window);
        for (const bool adjustAllMode : {false, true}) {
            EXPECT_EQ(AdjustedWindowRect(Window(window), {}, adjustAllMode, kPrimary),
                      AdjustedWindowRect(Window(window), {}, adjustAllMode, std::vector<ScreenFacts>{kPrimary}));
        }
    }
}

}  // namespace
}  // namespace kelvane::adjuster
