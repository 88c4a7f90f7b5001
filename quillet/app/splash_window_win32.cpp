#include "quillet/app/splash_window_win32.h"

#include "platform/registry.h"
#include "quillet/app/app_rules.h"
#include "quillet/app/quillet_names.h"
#include "quillet/app/resource.h"

namespace quillet {

bool SplashWindow::Create(HINSTANCE instance, const std::string& className) {
    m_bitmap.reset(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_STARTUP_SCREEN), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP facts = {};
    if (!m_bitmap || !GetObjectA(m_bitmap.get(), sizeof facts, &facts)) return false;
    m_size = {facts.bmWidth, facts.bmHeight};

    WNDCLASSEXA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!platform::RegisterWindowClass(windowClass)) return false;
    ScreenPoint origin =
        SplashOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), m_size.cx, m_size.cy);
    return CreateBound(WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, className.c_str(), "", WS_POPUP | WS_VISIBLE, origin.x,
                       origin.y, m_size.cx, m_size.cy, nullptr, nullptr, instance) != nullptr;
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_TIMER: return wParam == kSplashTimerId ? OnTimer() : 0;
    case WM_DESTROY: return OnDestroy();
    default: return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT SplashWindow::OnCreate() {
    m_shownAt = GetTickCount();
    SetTimer(m_window, kSplashTimerId, kSplashTimerMilliseconds, nullptr);
    return 0;
}

LRESULT SplashWindow::OnTimer() {
    if (!SplashTimeUp(m_shownAt, GetTickCount())) return 0;
    KillTimer(m_window, kSplashTimerId);
    DestroyWindow(m_window);
    return 0;
}

// However the screen goes (its time is up, or someone closed it), its loop
// ends with it; otherwise start-up would wait for it forever.
LRESULT SplashWindow::OnDestroy() {
    PostQuitMessage(0);
    return 0;
}

void SplashWindow::Paint(HDC dc) {
    platform::unique_hdc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    platform::unique_select_object select(memory.get(), m_bitmap.get());
    BitBlt(dc, 0, 0, m_size.cx, m_size.cy, memory.get(), 0, 0, SRCCOPY);
}

bool StartupScreenWanted(const Language& language) {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKeyPath(language.Facts()));
    std::optional<platform::RegData> data = key ? key.Read(kSplashValueName) : std::nullopt;
    std::optional<DWORD> value = data && data->type == REG_DWORD ? data->Dword() : std::nullopt;
    return !value || *value != 0;
}

void ShowStartupScreen(HINSTANCE instance, const Language& language) {
    if (!StartupScreenWanted(language)) return;
    SplashWindow splash;
    if (!splash.Create(instance, language.ExpandMacros(kSplashClassPattern))) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace quillet
