// The one way our windows find their C++ object: CreateWindowEx passes the
// object as lpCreateParams, WM_NCCREATE stores it in GWLP_USERDATA, and every
// later message reads it back.
#pragma once

#include <windows.h>

namespace platform {

// The object bound to `window`, binding it first on WM_NCCREATE; nullptr for
// the few messages that come before WM_NCCREATE and after WM_NCDESTROY.
template <typename T>
T* BoundWindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return object;
}

}  // namespace platform
