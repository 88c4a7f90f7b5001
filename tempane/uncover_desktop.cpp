#include "tempane/uncover_desktop.h"

namespace tempane {

static bool IsEmpty(const Rect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool Intersects(const Rect& a, const Rect& b) {
    if (IsEmpty(a) || IsEmpty(b)) return false;
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool LiesAtOrBeforeOrigin(const Rect& rect) {
    return rect.left <= 0 && rect.top <= 0 && rect.right <= 0 && rect.bottom <= 0;
}

bool ShouldMinimise(const WindowFacts& window, const Rect& desktop) {
    if (!window.visible || window.minimised) return false;
    if (window.isTaskbar || window.isShellWindow || window.ownWindow) return false;
    if (LiesAtOrBeforeOrigin(window.rect)) return false;
    return Intersects(window.rect, desktop);
}

}  // namespace tempane
