#include "quillet/menus/menu_placement.h"

#include <cstdlib>

namespace quillet {

namespace {

platform::Rect Sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

bool FitsHorizontally(const platform::Rect& r, const platform::Rect& workArea) {
    return r.left >= workArea.left && r.right <= workArea.right;
}

bool FitsVertically(const platform::Rect& r, const platform::Rect& workArea) {
    return r.top >= workArea.top && r.bottom <= workArea.bottom;
}

}  // namespace

platform::Rect MoveInside(const platform::Rect& window, const platform::Rect& workArea) {
    platform::Rect r = window;
    const int width = r.Width();
    const int height = r.Height();
    if (r.right > workArea.right) r.left = workArea.right - width;
    if (r.left < workArea.left) r.left = workArea.left;
    if (r.bottom > workArea.bottom) r.top = workArea.bottom - height;
    if (r.top < workArea.top) r.top = workArea.top;
    return Sized(r.left, r.top, width, height);
}

platform::Rect PlaceMenu(int width, int height, int x, int y, int flags, const platform::Rect& workArea) {
    int left = x;
    if (flags & kAlignCentreX)
        left = x - width / 2;
    else if (flags & kAlignRight)
        left = x - width;
    int top = y;
    if (flags & kAlignCentreY)
        top = y - height / 2;
    else if (flags & kAlignBottom)
        top = y - height;
    return MoveInside(Sized(left, top, width, height), workArea);
}

SubmenuPlace PlaceSubmenu(int width, int height, const platform::Rect& entry, SubmenuSide preferred, int flags,
                          const platform::Rect& workArea) {
    SubmenuPlace place;
    if (flags & kAlignDropDown) {
        platform::Rect below = Sized(entry.left, entry.bottom, width, height);
        if (!FitsVertically(below, workArea)) {
            platform::Rect above = Sized(entry.left, entry.top - height, width, height);
            if (FitsVertically(above, workArea)) below = above;
        }
        place.window = MoveInside(below, workArea);
        place.side = preferred;
        return place;
    }
    const platform::Rect right = Sized(entry.right - 1, entry.top, width, height);
    const platform::Rect left = Sized(entry.left + 1 - width, entry.top, width, height);
    const platform::Rect& first = preferred == SubmenuSide::Right ? right : left;
    const platform::Rect& second = preferred == SubmenuSide::Right ? left : right;
    SubmenuSide other = preferred == SubmenuSide::Right ? SubmenuSide::Left : SubmenuSide::Right;
    if (FitsHorizontally(first, workArea) || !FitsHorizontally(second, workArea)) {
        place.window = first;
        place.side = preferred;
    } else {
        place.window = second;
        place.side = other;
    }
    place.window = MoveInside(place.window, workArea);
    return place;
}

bool PassesTearOffDistance(int pressX, int pressY, int x, int y) {
    return std::abs(x - pressX) > kTearOffDistance || std::abs(y - pressY) > kTearOffDistance;
}

platform::Rect FloatingWindowRect(int contentWidth, int contentHeight, int pointerX, int pointerY, int oldLeft,
                                  int pressX, const FloatingMetrics& metrics) {
    const int left = pointerX + oldLeft - pressX;
    const int top = pointerY - metrics.smallCaption + 4;
    return Sized(left, top, contentWidth + 2 * metrics.frameX,
                 contentHeight + 2 * metrics.frameY + metrics.smallCaption);
}

int FloatingHitTest(int hit) {
    switch (hit) {
    case kHitTop:
    case kHitBottom:
        return kHitNowhere;
    case kHitTopLeft:
    case kHitBottomLeft:
        return kHitLeft;
    case kHitTopRight:
    case kHitBottomRight:
        return kHitRight;
    default:
        return hit;
    }
}

}  // namespace quillet
