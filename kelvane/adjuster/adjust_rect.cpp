#include "kelvane/adjuster/adjust_rect.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace kelvane::adjuster {

namespace {

// Rectangles are worked on in 64 bits: tolerances come from the registry and
// may be anything, and window rectangles may lie anywhere in int range, so
// sums of the two must not overflow.
struct Box {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;

    long long Width() const { return right - left; }
    long long Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    void Offset(long long dx, long long dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend bool operator==(const Box& a, const Box& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

Box ToBox(const Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool FitsInt(long long value) {
    return value >= INT_MIN && value <= INT_MAX;
}

bool FitsRect(const Box& box) {
    return FitsInt(box.left) && FitsInt(box.top) && FitsInt(box.right) && FitsInt(box.bottom) && FitsInt(box.Width()) &&
           FitsInt(box.Height());
}

// Areas and squared distances in double: a product of two int-range lengths
// does not fit 64 bits, and the comparisons need no exact figure that large.
double Area(const Box& box) {
    return box.Empty() ? 0 : static_cast<double>(box.Width()) * static_cast<double>(box.Height());
}

// How far apart two rectangles lie along one axis; zero when they overlap on it.
long long Gap(long long lowEnd, long long highStart) {
    return std::max(highStart - lowEnd, 0LL);
}

// Squared distance between the nearest points of two rectangles.
double SquaredDistance(const Box& a, const Box& b) {
    const auto dx = static_cast<double>(std::max(Gap(a.right, b.left), Gap(b.right, a.left)));
    const auto dy = static_cast<double>(std::max(Gap(a.bottom, b.top), Gap(b.bottom, a.top)));
    return dx * dx + dy * dy;
}

// Like IntersectRect: false when the rectangles share no area.
bool Intersect(const Box& a, const Box& b, Box* common) {
    Box both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
             std::min(a.bottom, b.bottom)};
    if (a.Empty() || b.Empty() || both.Empty()) return false;
    *common = both;
    return true;
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// LView Pro sizes its picture windows to the picture; on an axis where such a
// window is larger than the work area, pushing it back could never make it fit.
bool IsPictureViewerClass(std::string_view className) {
    static constexpr std::string_view prefix = "LVIEWPRO";
    return className.size() >= prefix.size() && EqualIgnoringCase(className.substr(0, prefix.size()), prefix);
}

// Some skinned windows carry a region whose box runs out to x = 10000 (or
// 9998) instead of ending at the window's own width.
bool IsUnboundedRegionRight(long long right) {
    return right == 10000 || right == 9998;
}

// A negative tolerance would ask a window to keep away from the screen edge,
// which is not what the setting means; it counts as none.
long long Tolerance(int value, bool honoured) {
    return honoured ? std::max(value, 0) : 0;
}

}  // namespace

bool IsExcludedWindowClass(std::string_view className) {
    static constexpr std::string_view excluded[] = {
        "Progman",          "Shell_TrayWnd", "Tray Volume", "MSOASSISTANT", "#32768",
        "tooltips_class32", "THintWindow",   "BaseBar",     "ComboLBox",    "TPopupListBox",
    };
    for (std::string_view name : excluded) {
        if (EqualIgnoringCase(className, name)) return true;
    }
    return false;
}

int UsableOffscreenFactor(int factor) {
    return std::clamp(factor, 1, 100);
}

std::optional<ScreenFacts> MonitorHolding(const Rect& window, const std::vector<ScreenFacts>& monitors) {
    if (monitors.empty()) return std::nullopt;
    const Box windowBox = ToBox(window);
    const ScreenFacts* best = nullptr;
    double bestArea = 0;
    for (const ScreenFacts& monitor : monitors) {
        Box common;
        const double area = Intersect(windowBox, ToBox(monitor.screen), &common) ? Area(common) : 0;
        if (area > bestArea) {
            best = &monitor;
            bestArea = area;
        }
    }
    if (best) return *best;
    best = &monitors.front();
    double bestDistance = SquaredDistance(windowBox, ToBox(best->screen));
    for (const ScreenFacts& monitor : monitors) {
        const double distance = SquaredDistance(windowBox, ToBox(monitor.screen));
        if (distance < bestDistance) {
            best = &monitor;
            bestDistance = distance;
        }
    }
    return *best;
}

std::optional<Rect> AdjustedWindowRect(const WindowFacts& window, const AdjusterSettings& settings, bool adjustAllMode,
                                       const std::vector<ScreenFacts>& monitors) {
    // A window on no monitor gets the nearest one, which it does not touch:
    // it is left where it is, as on a single screen.
    const std::optional<ScreenFacts> monitor = MonitorHolding(window.windowRect, monitors);
    if (!monitor) return std::nullopt;
    return AdjustedWindowRect(window, settings, adjustAllMode, *monitor);
}

std::optional<Rect> AdjustedWindowRect(const WindowFacts& window, const AdjusterSettings& settings, bool adjustAllMode,
                                       const ScreenFacts& screen) {
    // A window being dragged is never fought over.
    if (window.primaryButtonDown) return std::nullopt;
    if (!window.isWindow) return std::nullopt;

    if (!window.visible || !platform::Intersects(window.windowRect, screen.screen)) return std::nullopt;
    if (window.showState != ShowState::Normal) return std::nullopt;
    if (window.neverAdjust) return std::nullopt;
    if (IsExcludedWindowClass(window.className)) return std::nullopt;

    // A shaped window is judged by the part its region shows, anchored at the
    // window's top left corner.
    const Box windowBox = ToBox(window.windowRect);
    const Box screenBox = ToBox(screen.screen);
    Box r = windowBox;
    if (window.regionBox) {
        long long boxRight = window.regionBox->right;
        if (IsUnboundedRegionRight(boxRight)) boxRight = windowBox.Width();
        r.right = windowBox.left + boxRight;
        r.bottom = windowBox.top + window.regionBox->bottom;
    }
    if (r.Empty()) return std::nullopt;

    // Full-screen windows (games, presentations, screen savers) cover the
    // taskbar on purpose.
    Box common;
    if (Intersect(r, screenBox, &common) && common == screenBox) return std::nullopt;

    bool top = settings.adjustTop;
    bool bottom = settings.adjustBottom;
    bool left = settings.adjustLeft;
    bool right = settings.adjustRight;
    const Box original = r;

    // A window sized like a maximised one (its frame just outside the work
    // area) is treated as maximised even in its normal state: some programs
    // maximise themselves by sizing.
    const Box workArea = ToBox(screen.workArea);
    const Box maximised{workArea.left - 4, workArea.top - 4, workArea.right + 4, workArea.bottom + 4};
    if (r == maximised) return std::nullopt;

    if (IsPictureViewerClass(window.className)) {
        if (r.Height() > workArea.Height()) top = bottom = false;
        if (r.Width() > workArea.Width()) left = right = false;
    }

    const bool tolerancesHonoured = settings.extendBoundsInUse && !adjustAllMode;
    const long long extendTop = Tolerance(settings.extendTop, tolerancesHonoured);
    const long long extendLeft = Tolerance(settings.extendLeft, tolerancesHonoured);
    const long long extendBottom = Tolerance(settings.extendBottom, tolerancesHonoured);
    const long long extendRight = Tolerance(settings.extendRight, tolerancesHonoured);
    const Box bounds{workArea.left - extendLeft, workArea.top - extendTop, workArea.right + extendRight,
                     workArea.bottom + extendBottom};
    // Without "Adjust To Extend Bounds" a window that crossed the tolerance
    // goes all the way back to the work area's edge.
    const bool backToWorkArea = !settings.adjustToExtendBounds;

    // Edges in the fixed order top, bottom, left, right: for a window taller
    // than the work area the bottom correction follows the top one and then
    // its top is pinned, so the title bar always ends up reachable.
    if (top && bounds.top > r.top) {
        long long d = bounds.top - r.top;
        if (backToWorkArea) d += extendTop;
        r.Offset(0, d);
    }
    // Shrinking a window whose top lies below the work area would turn it
    // inside out; the bottom edge then moves it up instead.
    if (bottom && settings.resizeWindows && r.Height() > workArea.Height() && r.top < workArea.bottom) {
        r.bottom = workArea.bottom;
    }
    const bool movedTop = r.top != original.top;

    if (bottom && bounds.bottom < r.bottom) {
        long long d = r.bottom - bounds.bottom;
        if (backToWorkArea) d += extendBottom;
        r.Offset(0, -d);
    }
    if (r.Height() > workArea.Height()) r.top = workArea.top;

    if (left && bounds.left > r.left) {
        long long d = bounds.left - r.left;
        if (backToWorkArea) d += extendLeft;
        r.Offset(d, 0);
    }
    // As above: never shrink a window that lies wholly right of the work area.
    if (right && settings.resizeWindows && r.Width() > workArea.Width() && r.left < workArea.right) {
        r.right = workArea.right;
    }

    if (right && bounds.right < r.right) {
        long long d = r.right - bounds.right;
        if (backToWorkArea) d += extendRight;
        r.Offset(-d, 0);
    }
    if (left && settings.resizeWindows && r.Width() > workArea.Width()) r.left = workArea.left;

    if (r == original) return std::nullopt;

    // A window the user left mostly off the screen is taken to be parked there
    // on purpose, unless its title bar went above the screen.
    if (settings.dontAdjustIfQuarterOffscreen && !adjustAllMode) {
        const long long divisor = 100 / UsableOffscreenFactor(settings.offscreenFactor);
        const long long dx = std::llabs(r.left - original.left);
        const long long dy = std::llabs(r.top - original.top);
        if (dx > r.Width() / divisor) return std::nullopt;
        if (r.Height() / divisor < dy && !movedTop) return std::nullopt;
    }

    if (window.regionBox) {
        r.right = r.left + windowBox.Width();
        r.bottom = r.top + windowBox.Height();
    }

    // Never collapse a window to nothing or move it where no coordinate can
    // say; such a window stays where it is.
    if (r.Empty() || !FitsRect(r)) return std::nullopt;
    return Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                static_cast<int>(r.bottom)};
}

}  // namespace kelvane::adjuster
