#include "tempane/splash_win32.h"

#include <memory>

#include "platform/handles.h"
#include "tempane/names.h"
#include "tempane/resource.h"

namespace tempane {

namespace {

struct Splash {
    platform::unique_hgdiobj bitmap;
    SIZE size = {};
    HWND owner = nullptr;
    HWND window = nullptr;
};

bool s_enabled = false;
std::unique_ptr<Splash> s_splash;

void HideSplash() {
    if (!s_splash || !s_splash->window) return;
    HWND owner = s_splash->owner;
    DestroyWindow(s_splash->window);  // WM_NCDESTROY frees the splash
    if (owner) UpdateWindow(owner);
}

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

void Paint(HDC target) {
    if (!s_splash) return;
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(memory, s_splash->bitmap.get());
    BitBlt(target, 0, 0, s_splash->size.cx, s_splash->size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

LRESULT OnCreate(HWND window) {
    CentreOnWorkArea(window);
    SetTimer(window, kSplashTimerId, kSplashMilliseconds, nullptr);
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(dc);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnNcDestroy(HWND window) {
    if (s_splash && s_splash->window == window) s_splash.reset();
    return 0;
}

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_PAINT: return OnPaint(window);
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_TIMER: if (wParam == kSplashTimerId) HideSplash(); return 0;
    case WM_NCDESTROY: OnNcDestroy(window); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterSplashClass(HINSTANCE instance) {
    WNDCLASSA existing = {};
    if (GetClassInfoA(instance, kSplashClass, &existing)) return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SplashProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSplashClass;
    return RegisterClassA(&windowClass) != 0;
}

bool IsDismissingInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace

void EnableSplash(bool enabled) {
    s_enabled = enabled;
}

HWND ShowSplash(HWND owner) {
    if (!s_enabled || s_splash) return nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto splash = std::make_unique<Splash>();
    splash->bitmap.reset(LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0));
    if (!splash->bitmap || !RegisterSplashClass(instance)) return nullptr;
    BITMAP facts = {};
    GetObjectA(splash->bitmap.get(), sizeof facts, &facts);
    splash->size = {facts.bmWidth, facts.bmHeight};
    splash->owner = owner;
    s_splash = std::move(splash);

    HWND window = CreateWindowExA(0, kSplashClass, "", WS_POPUP | WS_VISIBLE, 0, 0, s_splash->size.cx,
                                  s_splash->size.cy, owner, nullptr, instance, nullptr);
    if (!window) {
        s_splash.reset();
        return nullptr;
    }
    s_splash->window = window;
    UpdateWindow(window);
    return window;
}

HWND SplashWindow() {
    return s_splash ? s_splash->window : nullptr;
}

bool SplashTakesMessage(const MSG& message) {
    if (!s_splash || !s_splash->window || !IsDismissingInput(message.message)) return false;
    HideSplash();
    return true;
}

}  // namespace tempane
