// The portable Rect at the edge where Windows is asked: RECT in, RECT out.
#pragma once

#include <windows.h>

#include "platform/rect.h"

namespace platform {

inline Rect FromRECT(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
            static_cast<int>(rect.bottom)};
}

inline RECT ToRECT(const Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace platform
