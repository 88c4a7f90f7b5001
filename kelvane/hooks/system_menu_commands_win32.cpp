#include "kelvane/hooks/system_menu_commands_win32.h"

#include <utility>

#include "hookshim/system_menu_edit.h"
#include "kelvane/hooks/system_menu_rules.h"
#include "platform/windows_list.h"

namespace kelvane {

namespace {

using StartSysHooks = BOOL(WINAPI*)(HWND);
using EndSysHooks = void(WINAPI*)();
using SetNCLButtonDblClk = void(WINAPI*)(BYTE);

// How long the program waits for a window's own process to edit its menu.
constexpr UINT kEditRequestTimeoutMs = 1000;

// A missing export is skipped, as an older library may lack it.
template <typename Function>
Function Export(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool IsHidden(HWND window) {
    return IsWindow(window) && !IsWindowVisible(window);
}

// The window text at the time of insertion, at most 255 characters.
std::string Caption(HWND window) {
    char text[256] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

void SetListed(CWindowList& list, HWND window, bool listed) {
    if (listed) {
        if (!list.Contains(window)) list.Add(Caption(window), window);
    } else {
        list.Remove(window);
    }
}

bool SameProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// Bottom of the Z order, neither moved, sized nor activated.
void ShowQuietly(HWND window) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

HookMessages::HookMessages()
    : addMenu(RegisterWindowMessageA(hookshim::kWMAddMenu)),
      initMenu(RegisterWindowMessageA(hookshim::kWMInitMenu)),
      removeMenu(RegisterWindowMessageA(hookshim::kWMRemoveMenu)),
      sysCommand(RegisterWindowMessageA(hookshim::kWMSysCommand)),
      setNeverAdjust(RegisterWindowMessageA(hookshim::kWMSetNeverAdjust)),
      getNeverAdjust(RegisterWindowMessageA(hookshim::kWMGetNeverAdjust)),
      ncLButtonDblClk(RegisterWindowMessageA(hookshim::kWMNCLButtonDBLCLK)),
      hideWindow(RegisterWindowMessageA(hookshim::kHideWindowMessage)),
      alwaysOnTop(RegisterWindowMessageA(hookshim::kAlwaysOnTopMessage)),
      endSysHooks(RegisterWindowMessageA(hookshim::kEndSysHooksMessage)),
      editMenuRequest(RegisterWindowMessageA(hookshim::kEditMenuRequest)) {}

const HookMessages& RegisteredHookMessages() {
    static const HookMessages messages;
    return messages;
}

bool IsEligibleForCommands(HWND window) {
    CommandWindowFacts facts{};
    facts.exists = window && IsWindow(window);
    if (facts.exists) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        facts.isTaskbar = platform::WindowClassName(window) == "Shell_TrayWnd";
        facts.hasCaption = (style & (WS_BORDER | WS_DLGFRAME)) != 0;
        facts.hasSystemMenu = (style & WS_SYSMENU) != 0;
        facts.visible = (style & WS_VISIBLE) != 0;
    }
    return IsEligibleForCommands(facts);
}

SystemMenuCommands::SystemMenuCommands(CKelvane& control, HWND mainForm, std::string libraryName)
    : m_control(control),
      m_mainForm(mainForm),
      m_libraryName(std::move(libraryName)),
      m_messages(RegisteredHookMessages()) {}

SystemMenuCommands::~SystemMenuCommands() {
    if (m_control.pOnSwitchSystemHooks && m_followsSettings) m_control.pOnSwitchSystemHooks = nullptr;
    SwitchSystemHooks(false);
}

void SystemMenuCommands::FollowSettings() {
    m_followsSettings = true;
    m_control.pOnSwitchSystemHooks = [this](bool on) {
        const bool wasOn = m_hooksOn;
        SwitchSystemHooks(on);
        // A save may have changed the action alone.
        if (wasOn && m_hooksOn) SendDoubleClickAction();
    };
}

bool SystemMenuCommands::SwitchSystemHooks(bool on) {
    if (on == m_hooksOn) return true;
    if (on) {
        if (!m_library) {
            m_library.reset(LoadLibraryA(m_libraryName.c_str()));
            if (!m_library) {
                m_loadFailure = kMustTerminatePrefix + LoadFailureReason(GetLastError());
                if (OnLoadFailure) OnLoadFailure(m_loadFailure);
                return false;
            }
        }
        m_hooksOn = true;
        if (auto start = Export<StartSysHooks>(m_library.get(), hookshim::kStartSysHooksExport)) start(m_mainForm);
        SendDoubleClickAction();
        return true;
    }
    m_hooksOn = false;
    if (m_library) {
        if (auto end = Export<EndSysHooks>(m_library.get(), hookshim::kEndSysHooksExport)) end();
        // Counted as unloaded only when FreeLibrary succeeds.
        if (FreeLibrary(m_library.get())) m_library.release();
    }
    return true;
}

void SystemMenuCommands::SendDoubleClickAction() {
    if (!m_library || !m_hooksOn) return;
    if (auto set = Export<SetNCLButtonDblClk>(m_library.get(), hookshim::kSetNCLButtonDblClkExport))
        set(static_cast<BYTE>(LibraryDoubleClickAction(m_control.Settings().NCLButtonDblClk())));
}

bool SystemMenuCommands::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND window = reinterpret_cast<HWND>(wParam);
    const RememberedMessage incoming{static_cast<uint16_t>(message), static_cast<uintptr_t>(wParam),
                                     static_cast<intptr_t>(lParam), static_cast<uint32_t>(GetTickCount())};
    result = 0;
    if (message == m_messages.getNeverAdjust) {
        result = m_control.NeverAdjustWindows.Contains(window) ? 1 : 0;
    } else if (message == m_messages.setNeverAdjust) {
        if (m_repeatFilter.IsRepeat(incoming)) return true;
        m_repeatFilter.Record(incoming);
        ToggleNeverAdjust(window);
    } else if (message == m_messages.hideWindow) {
        SetListed(m_control.HiddenWindows, window, IsHidden(window));
    } else if (message == m_messages.alwaysOnTop) {
        SetListed(m_control.TopmostWindows, window, IsWindow(window) && IsTopmost(window));
    } else if (message == m_messages.ncLButtonDblClk) {
        const WindowAction action = ActionForDoubleClick(m_control.Settings().NCLButtonDblClk());
        if (action == WindowAction::ToggleAlwaysOnTop) ToggleAlwaysOnTop(window);
        if (action == WindowAction::HideWindow) HideWindow(window);
    } else if (message == m_messages.sysCommand) {
        if (m_repeatFilter.IsRepeat(incoming)) return true;
        m_repeatFilter.Record(incoming);
        const WindowAction action = ActionForSysCommand(static_cast<uint32_t>(lParam));
        if (action == WindowAction::ToggleAlwaysOnTop) ToggleAlwaysOnTop(window);
        if (action == WindowAction::HideWindow) HideWindow(window);
    } else if (message == m_messages.addMenu || message == m_messages.initMenu) {
        if (IsWindow(window)) AddOrRefreshCommands(window);
    } else if (message == m_messages.removeMenu) {
        m_control.SystemMenuWindows.Remove(window);
    } else {
        return false;
    }
    return true;
}

// The program edits the menu itself where Windows lets it; Wine gives no
// system menu of another process's window, and then the library does the
// same edit inside that process on request.
bool SystemMenuCommands::EditMenu(HWND window, hookshim::MenuEdit edit) {
    uint32_t marks = 0;
    if (IsTopmost(window)) marks |= hookshim::kMarkTopmost;
    if (m_control.NeverAdjustWindows.Contains(window)) marks |= hookshim::kMarkNeverAdjust;
    if (HMENU menu = GetSystemMenu(window, FALSE)) {
        if (edit == hookshim::MenuEdit::AddOrRefresh) {
            hookshim::AddOrRefreshCommands(menu, marks);
        } else if (hookshim::RemoveCommands(menu)) {
            DrawMenuBar(window);
        }
        return true;
    }
    if (SameProcess(window) || !(GetWindowLongPtrA(window, GWL_STYLE) & WS_SYSMENU)) return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, m_messages.editMenuRequest, static_cast<WPARAM>(edit), static_cast<LPARAM>(marks),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL, kEditRequestTimeoutMs, &ignored);
    return true;
}

void SystemMenuCommands::AddOrRefreshCommands(HWND window) {
    if (!TakesSystemMenuCommands(platform::WindowClassName(window))) return;
    if (!EditMenu(window, hookshim::MenuEdit::AddOrRefresh)) return;
    if (!m_control.SystemMenuWindows.Contains(window)) m_control.SystemMenuWindows.Add({}, window);
}

void SystemMenuCommands::RemoveCommands(HWND window) {
    if (IsWindow(window)) EditMenu(window, hookshim::MenuEdit::Remove);
}

void SystemMenuCommands::RemoveCommandsFromAllWindows() {
    CWindowList& windows = m_control.SystemMenuWindows;
    while (!windows.Empty()) {
        const size_t last = windows.Count() - 1;
        RemoveCommands(windows[last].window);
        windows.Delete(last);
    }
}

void SystemMenuCommands::ToggleAlwaysOnTop(HWND window) {
    if (!IsEligibleForCommands(window)) return;
    SetWindowPos(window, IsTopmost(window) ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetListed(m_control.TopmostWindows, window, IsTopmost(window));
}

void SystemMenuCommands::HideWindow(HWND window) {
    if (!IsEligibleForCommands(window)) return;
    ShowWindow(window, SW_HIDE);
    SetListed(m_control.HiddenWindows, window, IsHidden(window));
}

void SystemMenuCommands::ToggleNeverAdjust(HWND window) {
    const bool listed = m_control.NeverAdjustWindows.Contains(window);
    if (listed || IsWindow(window)) SetListed(m_control.NeverAdjustWindows, window, !listed);
}

void SystemMenuCommands::RestoreHiddenWindows() {
    CWindowList& hidden = m_control.HiddenWindows;
    for (size_t i = hidden.Count(); i-- > 0;)
        if (IsHidden(hidden[i].window)) ShowQuietly(hidden[i].window);
    hidden.Clear();
}

void SystemMenuCommands::UndoTopmostWindows() {
    const CWindowList& topmost = m_control.TopmostWindows;
    for (size_t i = topmost.Count(); i-- > 0;) {
        HWND window = topmost[i].window;
        if (IsWindow(window) && IsTopmost(window))
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void SystemMenuCommands::PruneWindowLists() {
    auto gone = [](const CWindowList::Entry& entry) { return !IsWindow(entry.window); };
    m_control.NeverAdjustWindows.RemoveIf(gone);
    m_control.HiddenWindows.RemoveIf([](const CWindowList::Entry& entry) { return !IsHidden(entry.window); });
    m_control.TopmostWindows.RemoveIf(
        [](const CWindowList::Entry& entry) { return !IsWindow(entry.window) || !IsTopmost(entry.window); });
    m_control.SystemMenuWindows.RemoveIf(gone);
}

}  // namespace kelvane
