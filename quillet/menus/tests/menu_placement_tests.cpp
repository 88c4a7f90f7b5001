#include "quillet/menus/menu_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {

namespace {

// The screen used throughout, 1024x768 with a 28-pixel taskbar at the bottom:
//
//      0                                   1024
//    0 +-------------------------------------+
//      |             work area               |
//  740 +-------------------------------------+
//      |  taskbar                       tray |
//  768 +-------------------------------------+
const platform::Rect kWorkArea{0, 0, 1024, 740};

platform::Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

TEST(MenuPlacement, AlignmentFlagsThenTheWorkArea) {
    struct Case {
        const char* name;
        int x, y, flags;
        platform::Rect expected;
    } cases[] = {
        {"left and top at the point", 100, 100, 0, At(100, 100, 200, 300)},
        {"centred on x", 500, 100, kAlignCentreX, At(400, 100, 200, 300)},
        {"right edge at x", 500, 100, kAlignRight, At(300, 100, 200, 300)},
        {"centred on y", 100, 400, kAlignCentreY, At(100, 250, 200, 300)},
        {"bottom edge at y", 100, 400, kAlignBottom, At(100, 100, 200, 300)},
        // A tray menu opened at the tray, over the taskbar in the corner.
        {"bottom-right corner", 1020, 760, kAlignBottom, At(824, 440, 200, 300)},
        {"past the right edge", 900, 100, 0, At(824, 100, 200, 300)},
        {"above the top", 100, 200, kAlignBottom, At(100, 0, 200, 300)},
        {"left of the screen", -50, 100, kAlignRight, At(0, 100, 200, 300)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, PlaceMenu(200, 300, c.x, c.y, c.flags, kWorkArea));
    }
}

TEST(MenuPlacement, LargerThanTheWorkAreaKeepsItsTopLeftInside) {
    EXPECT_EQ(At(0, 0, 1200, 900), PlaceMenu(1200, 900, 500, 700, kAlignBottom, kWorkArea));
    EXPECT_EQ(At(10, 20, 1200, 900), MoveInside(At(300, 300, 1200, 900), {10, 20, 1024, 740}));
}

TEST(MenuPlacement, SubmenuOpensBesideItsEntryAndRemembersTheSide) {
    struct Case {
        const char* name;
        platform::Rect entry;
        SubmenuSide preferred;
        platform::Rect expected;
        SubmenuSide side;
    } cases[] = {
        {"right, overlapping by a pixel", At(100, 50, 150, 19), SubmenuSide::Right, At(249, 50, 200, 300),
         SubmenuSide::Right},
        {"no room on the right", At(700, 50, 150, 19), SubmenuSide::Right, At(501, 50, 200, 300),
         SubmenuSide::Left},
        {"left remembered", At(500, 50, 150, 19), SubmenuSide::Left, At(301, 50, 200, 300), SubmenuSide::Left},
        {"left remembered but no room", At(100, 50, 150, 19), SubmenuSide::Left, At(249, 50, 200, 300),
         SubmenuSide::Right},
        {"low entry: moved up into the work area", At(100, 700, 150, 19), SubmenuSide::Right,
         At(249, 440, 200, 300), SubmenuSide::Right},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SubmenuPlace place = PlaceSubmenu(200, 300, c.entry, c.preferred, 0, kWorkArea);
        EXPECT_EQ(c.expected, place.window);
        EXPECT_EQ(c.side, place.side);
    }
}

TEST(MenuPlacement, NoRoomOnEitherSideStaysOnThePreferredSideInsideTheScreen) {
    SubmenuPlace place = PlaceSubmenu(600, 300, At(300, 50, 400, 19), SubmenuSide::Right, 0, kWorkArea);
    EXPECT_EQ(At(424, 50, 600, 300), place.window);
    EXPECT_EQ(SubmenuSide::Right, place.side);
}

TEST(MenuPlacement, DropDownOpensBelowElseAbove) {
    EXPECT_EQ(At(100, 69, 200, 300),
              PlaceSubmenu(200, 300, At(100, 50, 80, 19), SubmenuSide::Right, kAlignDropDown, kWorkArea).window);
    EXPECT_EQ(At(100, 300, 200, 300),
              PlaceSubmenu(200, 300, At(100, 600, 80, 19), SubmenuSide::Right, kAlignDropDown, kWorkArea).window);
}

TEST(MenuTearOff, MoreThan32PixelsInEitherDirection) {
    struct Case {
        int dx, dy;
        bool tears;
    } cases[] = {
        {0, 0, false},  {32, 32, false}, {-32, -32, false}, {32, -32, false},
        {33, 0, true},  {0, 33, true},   {-33, 0, true},    {0, -33, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        EXPECT_EQ(c.tears, PassesTearOffDistance(400, 300, 400 + c.dx, 300 + c.dy));
    }
}

TEST(MenuTearOff, FloatingWindowFollowsThePointer) {
    FloatingMetrics metrics{4, 4, 17};
    // Pressed at x 130 on a menu whose left edge was 100; released at (200, 250).
    EXPECT_EQ(At(170, 237, 150 + 8, 80 + 8 + 17), FloatingWindowRect(150, 80, 200, 250, 100, 130, metrics));
}

TEST(MenuTearOff, FloatingWindowSizesSidewaysOnly) {
    struct Case {
        int hit, mapped;
    } cases[] = {
        {kHitTop, kHitNowhere},         {kHitBottom, kHitNowhere},       {kHitTopLeft, kHitLeft},
        {kHitBottomLeft, kHitLeft},     {kHitTopRight, kHitRight},       {kHitBottomRight, kHitRight},
        {kHitLeft, kHitLeft},           {kHitRight, kHitRight},          {2 /* caption */, 2},
        {1 /* client */, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hit);
        EXPECT_EQ(c.mapped, FloatingHitTest(c.hit));
    }
}

}  // namespace quillet
