// hookshim.dll: system-wide hooks that tell one window of the program about
// system menus and title-bar double-clicks in every process of the desktop.
//
// This code runs inside other programs, on their threads, for their
// messages. So: every hook looks at the message number first and leaves at
// once when it is not one of ours; nothing is allocated; nothing waits on
// the program except WMGetNeverAdjust, sent with a short timeout that gives
// up on a hung receiver; every other report is posted.
#include <windows.h>

#include "hookshim/hookshim_protocol.h"
#include "hookshim/system_menu_edit.h"

// Shared by every process the library is loaded into: the program's window,
// its double-click action, the hooks and the registered message numbers
// (registered message numbers are the same in every process of a session).
#define HOOKSHIM_SHARED __attribute__((section(".shr"), shared))

namespace {

HWND volatile g_target HOOKSHIM_SHARED = nullptr;
LONG volatile g_action HOOKSHIM_SHARED = 0;
HHOOK volatile g_cbtHook HOOKSHIM_SHARED = nullptr;
HHOOK volatile g_callWndProcHook HOOKSHIM_SHARED = nullptr;
HHOOK volatile g_getMessageHook HOOKSHIM_SHARED = nullptr;
UINT g_addMenu HOOKSHIM_SHARED = 0;
UINT g_initMenu HOOKSHIM_SHARED = 0;
UINT g_removeMenu HOOKSHIM_SHARED = 0;
UINT g_sysCommand HOOKSHIM_SHARED = 0;
UINT g_setNeverAdjust HOOKSHIM_SHARED = 0;
UINT g_getNeverAdjust HOOKSHIM_SHARED = 0;
UINT g_ncLButtonDblClk HOOKSHIM_SHARED = 0;
UINT g_editMenuRequest HOOKSHIM_SHARED = 0;

// This process's handle of the library.
HINSTANCE s_instance = nullptr;

// How long a hooked program waits at most for the never-adjust answer.
constexpr UINT kAnswerTimeoutMs = 200;

HWND Target() {
    return g_target;
}

void Report(UINT message, HWND window, LPARAM lParam) {
    HWND target = Target();
    if (target && message) PostMessageA(target, message, reinterpret_cast<WPARAM>(window), lParam);
}

bool IsTopLevel(LONG_PTR style) {
    return (style & WS_CHILD) == 0;
}

// A top-level window with a system menu, other than the program's own receiver.
bool HasSystemMenuCommands(HWND window) {
    if (!window || window == Target()) return false;
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    return IsTopLevel(style) && (style & WS_SYSMENU) != 0;
}

bool IsExcludedClass(HWND window) {
    char name[64];
    const int length = GetClassNameA(window, name, sizeof name);
    return length > 0 && lstrcmpA(name, hookshim::kExcludedClassName) == 0;
}

uint32_t CurrentMarks(HWND window) {
    uint32_t marks = 0;
    if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) marks |= hookshim::kMarkTopmost;
    DWORD_PTR answer = 0;
    HWND target = Target();
    if (target && g_getNeverAdjust &&
        SendMessageTimeoutA(target, g_getNeverAdjust, reinterpret_cast<WPARAM>(window), 0,
                            SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerTimeoutMs, &answer) &&
        answer == 1)
        marks |= hookshim::kMarkNeverAdjust;
    return marks;
}

// The system menu is about to open: the commands go in now, with the right
// marks, so that they show on this very opening; the program hears of it too.
void OnInitSystemMenu(HWND window, HMENU menu) {
    if (!menu || !HasSystemMenuCommands(window) || IsExcludedClass(window)) return;
    Report(g_initMenu, window, 0);
    hookshim::AddOrRefreshCommands(menu, CurrentMarks(window));
}

// The program could not reach this window's menu from its own process.
void OnEditMenuRequest(HWND window, WPARAM edit, LPARAM marks) {
    if (!HasSystemMenuCommands(window)) return;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    if (edit == static_cast<WPARAM>(hookshim::MenuEdit::AddOrRefresh)) {
        if (!IsExcludedClass(window)) hookshim::AddOrRefreshCommands(menu, static_cast<uint32_t>(marks));
    } else if (edit == static_cast<WPARAM>(hookshim::MenuEdit::Remove)) {
        if (hookshim::RemoveCommands(menu)) DrawMenuBar(window);
    }
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (Target()) {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if (create && IsTopLevel(create->style) && (create->style & WS_SYSMENU))
                Report(g_addMenu, reinterpret_cast<HWND>(wParam), 0);
        } else if (code == HCBT_DESTROYWND) {
            HWND window = reinterpret_cast<HWND>(wParam);
            if (HasSystemMenuCommands(window)) Report(g_removeMenu, window, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Sees sent messages only: the opening of a system menu and the program's requests.
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && Target()) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_INITMENUPOPUP) {
            if (HIWORD(sent->lParam)) OnInitSystemMenu(sent->hwnd, reinterpret_cast<HMENU>(sent->wParam));
        } else if (sent->message == g_editMenuRequest && g_editMenuRequest) {
            OnEditMenuRequest(sent->hwnd, sent->wParam, sent->lParam);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Sees posted messages: a menu choice posts WM_SYSCOMMAND, a double-click on
// the title bar arrives as WM_NCLBUTTONDBLCLK. What the program acts on is
// turned into WM_NULL so the window does not act on it as well.
LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && Target()) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (message->message == WM_SYSCOMMAND) {
            const WPARAM command = message->wParam;
            if (command == hookshim::kCommandAlwaysOnTop || command == hookshim::kCommandHideWindow) {
                Report(g_sysCommand, message->hwnd, static_cast<LPARAM>(command));
                message->message = WM_NULL;
            } else if (command == hookshim::kCommandNeverAdjust) {
                Report(g_setNeverAdjust, message->hwnd, message->lParam);
                message->message = WM_NULL;
            }
        } else if (message->message == WM_NCLBUTTONDBLCLK) {
            if (message->wParam == HTCAPTION && g_action != 0 && HasSystemMenuCommands(message->hwnd)) {
                Report(g_ncLButtonDblClk, message->hwnd, 0);
                message->message = WM_NULL;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Unhook(HHOOK volatile& hook) {
    HHOOK old = static_cast<HHOOK>(InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&hook), nullptr));
    if (old) UnhookWindowsHookEx(old);
}

void EndHooks() {
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_target), nullptr);
    Unhook(g_getMessageHook);
    Unhook(g_callWndProcHook);
    Unhook(g_cbtHook);
}

}  // namespace

// Exported through hookshim.def under their plain names.
extern "C" {

// Starts the hooks (or only changes the window they report to). FALSE when
// a hook could not be set; then none is left running.
BOOL WINAPI shStartSysHooks(HWND target) {
    if (!target) return FALSE;
    g_addMenu = RegisterWindowMessageA(hookshim::kWMAddMenu);
    g_initMenu = RegisterWindowMessageA(hookshim::kWMInitMenu);
    g_removeMenu = RegisterWindowMessageA(hookshim::kWMRemoveMenu);
    g_sysCommand = RegisterWindowMessageA(hookshim::kWMSysCommand);
    g_setNeverAdjust = RegisterWindowMessageA(hookshim::kWMSetNeverAdjust);
    g_getNeverAdjust = RegisterWindowMessageA(hookshim::kWMGetNeverAdjust);
    g_ncLButtonDblClk = RegisterWindowMessageA(hookshim::kWMNCLButtonDBLCLK);
    g_editMenuRequest = RegisterWindowMessageA(hookshim::kEditMenuRequest);
    if (!g_cbtHook) g_cbtHook = SetWindowsHookExA(WH_CBT, CbtProc, s_instance, 0);
    if (!g_callWndProcHook) g_callWndProcHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, s_instance, 0);
    if (!g_getMessageHook) g_getMessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, s_instance, 0);
    if (!g_cbtHook || !g_callWndProcHook || !g_getMessageHook) {
        EndHooks();
        return FALSE;
    }
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_target), target);
    return TRUE;
}

void WINAPI shEndSysHooks() {
    EndHooks();
}

// 0 leaves a title-bar double-click to the window, 1 and 2 report it instead.
void WINAPI shSetNCLButtonDblClk(BYTE action) {
    InterlockedExchange(&g_action, action <= 2 ? action : 0);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        s_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

}  // extern "C"
