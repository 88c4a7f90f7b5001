// Screen rectangles for the portable core. No <windows.h> here: the rules
// that reason about window places build and are tested natively, and
// platform/rect_win32.h converts to and from RECT where Windows is asked.
#pragma once

#include <ostream>

namespace platform {

// Pixels, laid out as RECT: the right and bottom edges lie just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Only for rectangles whose size fits an int, as every one Windows reports.
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }

    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
    // "{left,top,right,bottom}", for test failure messages.
    friend std::ostream& operator<<(std::ostream& out, const Rect& r) {
        return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
    }
};

// True when the two share at least one pixel, as IntersectRect answers; an
// empty rectangle shares none.
inline bool Intersects(const Rect& a, const Rect& b) {
    if (a.Empty() || b.Empty()) return false;
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace platform
