// Owned Win32 handles: one small move-only type per close function.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// "No handle" is NULL for most handle types...
template <typename T>
struct null_is_invalid {
    static T invalid() { return T{}; }
};
// ...and INVALID_HANDLE_VALUE for files and find handles.
struct minus_one_is_invalid {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
};

// Owns a handle of type T and releases it with Close when it goes away.
template <typename T, auto Close, typename Traits = null_is_invalid<T>>
class unique_any {
public:
    unique_any() = default;
    explicit unique_any(T handle) : m_handle(handle) {}
    ~unique_any() { reset(); }

    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : m_handle(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::invalid(); }

    // For out-parameters: releases the current handle and returns its slot.
    T* put() {
        reset();
        return &m_handle;
    }

    T release() { return std::exchange(m_handle, Traits::invalid()); }

    void reset() { reset(Traits::invalid()); }
    void reset(T handle) {
        T old = std::exchange(m_handle, handle);
        if (old != Traits::invalid()) Close(old);
    }

private:
    T m_handle = Traits::invalid();
};

inline void close_key(HKEY key) {
    ::RegCloseKey(key);
}
inline void destroy_window(HWND window) {
    ::DestroyWindow(window);
}
inline void destroy_menu(HMENU menu) {
    ::DestroyMenu(menu);
}
inline void destroy_icon(HICON icon) {
    ::DestroyIcon(icon);
}
inline void find_close(HANDLE find) {
    ::FindClose(find);
}
inline void close_handle(HANDLE handle) {
    ::CloseHandle(handle);
}
inline void free_library(HMODULE module) {
    ::FreeLibrary(module);
}
inline void unhook(HHOOK hook) {
    ::UnhookWindowsHookEx(hook);
}

using unique_hkey = unique_any<HKEY, close_key>;
using unique_hwnd = unique_any<HWND, destroy_window>;
using unique_hmenu = unique_any<HMENU, destroy_menu>;
using unique_hicon = unique_any<HICON, destroy_icon>;
using unique_handle = unique_any<HANDLE, close_handle>;
using unique_hfile = unique_any<HANDLE, close_handle, minus_one_is_invalid>;
using unique_hfind = unique_any<HANDLE, find_close, minus_one_is_invalid>;
using unique_hmodule = unique_any<HMODULE, free_library>;
using unique_hhook = unique_any<HHOOK, unhook>;

// Drawing objects. A GDI object must not be deleted while selected into a
// device context: declare the owner before the unique_select_object that
// selects it, so the selection is undone first.
template <typename T>
void delete_object(T object) {
    ::DeleteObject(object);
}
inline void delete_dc(HDC dc) {
    ::DeleteDC(dc);
}

using unique_hfont = unique_any<HFONT, delete_object<HFONT>>;
using unique_hbitmap = unique_any<HBITMAP, delete_object<HBITMAP>>;
using unique_hbrush = unique_any<HBRUSH, delete_object<HBRUSH>>;
using unique_hpen = unique_any<HPEN, delete_object<HPEN>>;
using unique_hrgn = unique_any<HRGN, delete_object<HRGN>>;
// A device context made with CreateCompatibleDC or CreateDC.
using unique_hdc = unique_any<HDC, delete_dc>;

// A window's device context from GetDC, released to that window.
class unique_hdc_window {
public:
    explicit unique_hdc_window(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~unique_hdc_window() {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }
    unique_hdc_window(const unique_hdc_window&) = delete;
    unique_hdc_window& operator=(const unique_hdc_window&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint and EndPaint around one WM_PAINT.
class unique_hdc_paint {
public:
    explicit unique_hdc_paint(HWND window) : m_window(window) { ::BeginPaint(window, &m_paint); }
    ~unique_hdc_paint() { ::EndPaint(m_window, &m_paint); }
    unique_hdc_paint(const unique_hdc_paint&) = delete;
    unique_hdc_paint& operator=(const unique_hdc_paint&) = delete;
    HDC get() const { return m_paint.hdc; }
    const PAINTSTRUCT& info() const { return m_paint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
};

// Selects an object into a device context and puts the previous one back.
class unique_select_object {
public:
    unique_select_object(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~unique_select_object() {
        if (m_previous && m_previous != HGDI_ERROR) ::SelectObject(m_dc, m_previous);
    }
    unique_select_object(const unique_select_object&) = delete;
    unique_select_object& operator=(const unique_select_object&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Runs a one-off cleanup at scope exit.
template <typename F>
class scope_exit {
public:
    explicit scope_exit(F f) : m_f(std::move(f)) {}
    ~scope_exit() {
        if (m_active) m_f();
    }
    scope_exit(const scope_exit&) = delete;
    scope_exit& operator=(const scope_exit&) = delete;
    void dismiss() { m_active = false; }

private:
    F m_f;
    bool m_active = true;
};

}  // namespace platform
