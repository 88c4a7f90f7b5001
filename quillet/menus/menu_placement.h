// Where a menu window goes on the screen, when a drag on its title band tears
// it off, and how its floating window answers hit tests. Portable: no
// <windows.h>; the window gathers the work area and system metrics.
#pragma once

#include "platform/rect.h"

namespace quillet {

// Alignment flags of ShowMenu. Without a horizontal flag the left edge goes
// at x; without a vertical one the top edge goes at y.
constexpr int kAlignCentreX = 4;
constexpr int kAlignRight = 8;     // right edge at x
constexpr int kAlignCentreY = 16;
constexpr int kAlignBottom = 32;   // bottom edge at y (tray menus)
constexpr int kAlignDropDown = 0x40;  // below the avoided rectangle, else above

// A drag on the title band that passes this many pixels in either direction
// tears the menu off.
constexpr int kTearOffDistance = 32;

enum class SubmenuSide { Right, Left };

// Moves `window` inside `workArea`; when it is larger, its left or top edge
// stays inside.
platform::Rect MoveInside(const platform::Rect& window, const platform::Rect& workArea);

// A top-level menu of the given size at (x, y) with alignment flags, moved
// inside the work area.
platform::Rect PlaceMenu(int width, int height, int x, int y, int flags, const platform::Rect& workArea);

struct SubmenuPlace {
    platform::Rect window;
    SubmenuSide side = SubmenuSide::Right;  // for the sub-menu's own sub-menus
};

// A sub-menu beside its parent entry (screen coordinates): on the `preferred`
// side, overlapping the entry by one pixel, or on the other side when it does
// not fit there; top aligned with the entry, then moved inside the work area.
// With kAlignDropDown it opens below the entry, or above when it does not fit.
SubmenuPlace PlaceSubmenu(int width, int height, const platform::Rect& entry, SubmenuSide preferred, int flags,
                          const platform::Rect& workArea);

// True once the pointer has moved more than kTearOffDistance pixels from the
// press point horizontally or vertically.
bool PassesTearOffDistance(int pressX, int pressY, int x, int y);

// The floating window made by a tear-off: its client area holds the content,
// framed by a sizing border and a small caption, and it starts where the
// pointer carries the old window's left edge.
struct FloatingMetrics {
    int frameX = 0;        // SM_CXFRAME
    int frameY = 0;        // SM_CYFRAME
    int smallCaption = 0;  // SM_CYSMCAPTION
};
platform::Rect FloatingWindowRect(int contentWidth, int contentHeight, int pointerX, int pointerY, int oldLeft,
                                  int pressX, const FloatingMetrics& metrics);

// Hit-test codes as Windows numbers them.
constexpr int kHitNowhere = 0;
constexpr int kHitLeft = 10;
constexpr int kHitRight = 11;
constexpr int kHitTop = 12;
constexpr int kHitTopLeft = 13;
constexpr int kHitTopRight = 14;
constexpr int kHitBottom = 15;
constexpr int kHitBottomLeft = 16;
constexpr int kHitBottomRight = 17;

// A floating menu is sized horizontally only: its top and bottom borders do
// nothing and its corners size sideways.
int FloatingHitTest(int hit);

}  // namespace quillet
