#include "tempane/splash_win32.h"

#include "platform/dismissing_input.h"
#include "tempane/names.h"
#include "tempane/resource.h"

namespace tempane {

namespace {

void CentreOnWorkArea(HWND window) {
    RECT area = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Splash::~Splash() {
    if (m_window) DestroyWindow(m_window);
}

HWND Splash::Show(HWND owner) {
    if (m_window) return nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSplashClass;
    if (!platform::RegisterWindowClass(windowClass)) return nullptr;

    m_bitmap.reset(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
    if (!m_bitmap) return nullptr;
    BITMAP facts = {};
    GetObjectA(m_bitmap.get(), sizeof facts, &facts);
    m_size = {facts.bmWidth, facts.bmHeight};
    m_owner = owner;
    // A window that fails to come up has had its WM_NCDESTROY, which let go
    // of the bitmap.
    if (!CreateBound(0, kSplashClass, "", WS_POPUP | WS_VISIBLE, 0, 0, m_size.cx, m_size.cy, owner, nullptr,
                     instance)) {
        return nullptr;
    }
    UpdateWindow(m_window);
    return m_window;
}

bool Splash::TakesMessage(const MSG& message) {
    if (!m_window || !platform::IsDismissingInput(message.message)) return false;
    Hide();
    return true;
}

LRESULT Splash::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_TIMER: return OnTimer(wParam);
    case WM_NCDESTROY: return OnNcDestroy(wParam, lParam);
    }
    return DefaultHandling(message, wParam, lParam);
}

void Splash::Paint(HDC dc) {
    if (!m_bitmap) return;
    platform::unique_hdc memory(CreateCompatibleDC(dc));
    platform::unique_select_object selected(memory.get(), m_bitmap.get());
    BitBlt(dc, 0, 0, m_size.cx, m_size.cy, memory.get(), 0, 0, SRCCOPY);
}

LRESULT Splash::OnCreate() {
    CentreOnWorkArea(m_window);
    SetTimer(m_window, kSplashTimerId, kSplashMilliseconds, nullptr);
    return 0;
}

LRESULT Splash::OnTimer(UINT_PTR timer) {
    if (timer == kSplashTimerId) Hide();
    return 0;
}

LRESULT Splash::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    m_bitmap.reset();
    return DefaultHandling(WM_NCDESTROY, wParam, lParam);
}

void Splash::Hide() {
    if (!m_window) return;
    HWND owner = m_owner;
    DestroyWindow(m_window);
    if (owner) UpdateWindow(owner);
}

}  // namespace tempane
