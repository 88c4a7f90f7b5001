#include "test_support/fake_taskbar.h"

namespace test_support {

namespace {

constexpr char kTaskbarClass[] = "Shell_TrayWnd";

// The start of Wine's record: the owner window (32 bits), the icon id, the
// flags, the callback message and a 128-character UTF-16 tip.
struct WineRecord {
    LONG owner;
    UINT id;
    UINT flags;
    UINT callback;
    WCHAR tip[128];
};

}  // namespace

FakeTaskbar::FakeTaskbar() {
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTaskbarClass;
    if (platform::RegisterWindowClass(windowClass)) {
        CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskbarClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleA(nullptr));
    }
}

FakeTaskbar::~FakeTaskbar() {
    if (m_window) DestroyWindow(m_window);
}

LRESULT FakeTaskbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA: return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT FakeTaskbar::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.cbData < sizeof(WineRecord)) return FALSE;
    auto* record = static_cast<const WineRecord*>(data.lpData);
    char tip[128] = {};
    WideCharToMultiByte(CP_ACP, 0, record->tip, -1, tip, sizeof tip - 1, nullptr, nullptr);
    m_calls.push_back({static_cast<DWORD>(data.dwData), reinterpret_cast<HWND>(static_cast<LONG_PTR>(record->owner)),
                       record->id, record->flags, record->callback, tip});
    return TRUE;
}

}  // namespace test_support
