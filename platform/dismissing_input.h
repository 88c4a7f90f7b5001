// What closes a transient window (a splash screen, a help pop-up): any key or
// any mouse button pressed, in the client area or on the frame.
#pragma once

#include <windows.h>

namespace platform {

inline bool IsDismissingInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
    }
}

}  // namespace platform
