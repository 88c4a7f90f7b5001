#include "tempane/uncover_desktop.h"

namespace tempane {

bool LiesAtOrBeforeOrigin(const Rect& rect) {
    return rect.left <= 0 && rect.top <= 0 && rect.right <= 0 && rect.bottom <= 0;
}

bool ShouldMinimise(const WindowFacts& window, const Rect& desktop) {
    if (!window.visible || window.minimised) return false;
    if (window.isTaskbar || window.isShellWindow || window.ownWindow) return false;
    if (LiesAtOrBeforeOrigin(window.rect)) return false;
    return platform::Intersects(window.rect, desktop);
}

}  // namespace tempane
