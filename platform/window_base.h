// The one way our windows are made: a class derives from BaseWindow<Derived>,
// registers its class once with RegisterWindowClass and creates its window
// with CreateBound. The static procedure binds the object to its handle on
// WM_NCCREATE, forwards every message to Derived::HandleMessage and lets go of
// the handle on WM_NCDESTROY. A class that paints defines Paint(HDC); WM_PAINT
// and WM_PRINTCLIENT both reach it.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

#include "platform/handles.h"

namespace platform {

// Registers a window class; a class that is already registered counts as
// success, so every window can call this before each CreateBound.
inline bool RegisterWindowClass(const WNDCLASSEXA& windowClass) {
    WNDCLASSEXA copy = windowClass;
    copy.cbSize = sizeof copy;
    return RegisterClassExA(&copy) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

namespace detail {
template <typename T, typename = void>
struct has_paint : std::false_type {};
template <typename T>
struct has_paint<T, std::void_t<decltype(std::declval<T&>().Paint(HDC{}))>> : std::true_type {};
}  // namespace detail

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND Window() const { return m_window; }

    // The procedure to put in the window class.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            if (self) self->m_window = window;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        }
        // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
        if (!self) return DefWindowProcA(window, message, wParam, lParam);

        LRESULT result = self->Dispatch(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->m_window = nullptr;
        }
        return result;
    }

protected:
    ~BaseWindow() = default;

    // CreateWindowEx with this object as the creation parameter.
    HWND CreateBound(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance) {
        return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu, instance,
                               static_cast<Derived*>(this));
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(m_window, message, wParam, lParam);
    }

    HWND m_window = nullptr;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
        auto& derived = static_cast<Derived&>(*this);
        if constexpr (detail::has_paint<Derived>::value) {
            if (message == WM_PAINT) {
                unique_hdc_paint paint(m_window);
                derived.Paint(paint.get());
                return 0;
            }
            if (message == WM_PRINTCLIENT) {
                derived.Paint(reinterpret_cast<HDC>(wParam));
                return 0;
            }
        }
        return derived.HandleMessage(message, wParam, lParam);
    }
};

}  // namespace platform
