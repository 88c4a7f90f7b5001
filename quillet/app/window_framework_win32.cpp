#include "quillet/app/window_framework_win32.h"

#include <cstdio>

#include "quillet/app/quillet_names.h"

namespace quillet {

namespace {
RegisteredMessages s_messages;
HHOOK s_filterHook = nullptr;
// A framework window that runs a modal loop of its own from PreTranslate
// would otherwise see its keys offered again.
bool s_filtering = false;

// The codes the hook looks at: the system's message sources (dialog boxes,
// menus, scroll bars...) and one more the framework uses for its own loops.
constexpr int kFrameworkFilterCode = 0x8001;

LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    if ((code >= 0 || code == kFrameworkFilterCode) && lParam && !s_filtering) {
        s_filtering = true;
        bool consumed = OfferToFrameworkWindows(*reinterpret_cast<const MSG*>(lParam));
        s_filtering = false;
        if (consumed) return 1;
    }
    return CallNextHookEx(s_filterHook, code, wParam, lParam);
}
}  // namespace

const RegisteredMessages& RegisterQuilletMessages(HINSTANCE instance) {
    s_messages.trayMessage = RegisterWindowMessageA(kTrayMessageName);
    s_messages.newFile = RegisterWindowMessageA(kNewFileMessageName);
    s_messages.notify = RegisterWindowMessageA(kNotifyMessageName);
    char name[64];
    snprintf(name, sizeof name, kGetPointerMessagePattern,
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(instance)));
    s_messages.getPointer = RegisterWindowMessageA(name);
    return s_messages;
}

const RegisteredMessages& QuilletMessages() {
    return s_messages;
}

FrameworkWindow* FrameworkWindowOf(HWND window) {
    if (!window || !s_messages.getPointer) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Another process's answer would be an address in its own memory.
    if (process != GetCurrentProcessId()) return nullptr;
    return reinterpret_cast<FrameworkWindow*>(SendMessageA(window, s_messages.getPointer, 0, 0));
}

bool OfferToFrameworkWindows(const MSG& message) {
    // WM_KEYDOWN up to WM_SYSDEADCHAR; WM_KEYLAST grew with later systems.
    if (message.message < 0x0100 || message.message > 0x0108) return false;
    HWND active = GetActiveWindow();
    if (!FrameworkWindowOf(active) || !IsWindowEnabled(active)) return false;
    // quillet has no modeless dialogs, so the walk ends at the top window.
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        FrameworkWindow* framework = FrameworkWindowOf(window);
        if (framework && framework->PreTranslateMessage(message)) return true;
    }
    return false;
}

MessageFilterHook::MessageFilterHook() {
    m_hook.reset(SetWindowsHookExA(WH_MSGFILTER, MessageFilterProc, nullptr, GetCurrentThreadId()));
    s_filterHook = m_hook.get();
}

MessageFilterHook::~MessageFilterHook() {
    m_hook.reset();
    s_filterHook = nullptr;
}

}  // namespace quillet
