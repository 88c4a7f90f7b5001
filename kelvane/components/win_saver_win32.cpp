#include "kelvane/components/win_saver_win32.h"

#include "platform/windows_list.h"

namespace kelvane {
namespace {

// GetWindowPlacement's normal rectangle is in workspace coordinates, which
// are shifted from screen coordinates by a taskbar at the top or left (tool
// windows excepted).
POINT WorkspaceOffset(HWND window) {
    POINT offset = {0, 0};
    if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return offset;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        offset.x = monitor.rcWork.left - monitor.rcMonitor.left;
        offset.y = monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return offset;
}

FormWindowState CurrentState(HWND window) {
    if (IsIconic(window)) return FormWindowState::Minimized;
    if (IsZoomed(window)) return FormWindowState::Maximized;
    return FormWindowState::Normal;
}

// The rectangle the window has when it is neither minimised nor maximised, in screen pixels.
RECT NormalRect(HWND window) {
    RECT rect = {};
    if (CurrentState(window) == FormWindowState::Normal) {
        GetWindowRect(window, &rect);
        return rect;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    POINT offset = WorkspaceOffset(window);
    rect = placement.rcNormalPosition;
    OffsetRect(&rect, offset.x, offset.y);
    return rect;
}

void SetNormalRect(HWND window, const RECT& rect) {
    if (CurrentState(window) == FormWindowState::Normal) {
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    POINT offset = WorkspaceOffset(window);
    placement.rcNormalPosition = rect;
    OffsetRect(&placement.rcNormalPosition, -offset.x, -offset.y);
    // Keep the window as it is: hidden stays hidden, minimised stays inactive.
    if (!IsWindowVisible(window)) {
        placement.showCmd = SW_HIDE;
    } else if (placement.showCmd == SW_SHOWMINIMIZED) {
        placement.showCmd = SW_SHOWMINNOACTIVE;
    }
    SetWindowPlacement(window, &placement);
}

void ApplyState(HWND window, FormWindowState state) {
    if (state == CurrentState(window)) return;
    switch (state) {
    case FormWindowState::Minimized: ShowWindow(window, SW_SHOWMINNOACTIVE); break;
    case FormWindowState::Maximized: ShowWindow(window, SW_SHOWMAXIMIZED); break;
    case FormWindowState::Normal: ShowWindow(window, SW_RESTORE); break;
    }
}

}  // namespace

CWinSaver::Creation CWinSaver::Create(HWND owner, const RegistryParts& parts, CSaveOptions options) {
    Creation creation;
    if (!IsForm(owner)) {
        creation.error = kWinSaverOwnerMessage;
        return creation;
    }
    creation.saver.reset(new CWinSaver(owner, parts, options));
    return creation;
}

CWinSaver::CWinSaver(HWND owner, const RegistryParts& parts, CSaveOptions options)
    : m_owner(owner), m_options(options) {
    m_registry.SetParts(parts);
}

bool CWinSaver::IsForm(HWND window) {
    return window && IsWindow(window) && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0;
}

bool CWinSaver::Save(HWND form) {
    if (!IsForm(form)) return false;
    RECT rect = NormalRect(form);
    FormPosition position;
    position.left = rect.left;
    position.top = rect.top;
    position.width = rect.right - rect.left;
    position.height = rect.bottom - rect.top;
    position.state = CurrentState(form);
    position.visible = IsWindowVisible(form) != FALSE;
    bool allWritten = true;
    for (const auto& [name, text] : FormPositionValues(platform::WindowClassName(form), m_options, position)) {
        allWritten &= m_registry.WriteString(name, text);
    }
    return allWritten;
}

bool CWinSaver::Restore(HWND form) {
    if (!IsForm(form)) return false;
    StoredFormPosition stored =
        ReadFormPosition(platform::WindowClassName(form), m_options, [this](const std::string& name) {
            std::string text;
            return m_registry.ReadString(name, text) ? std::optional<std::string>(text) : std::nullopt;
        });

    RECT rect = NormalRect(form);
    RECT wanted = rect;
    if (stored.left) OffsetRect(&wanted, *stored.left - wanted.left, 0);
    if (stored.top) OffsetRect(&wanted, 0, *stored.top - wanted.top);
    if (stored.width) wanted.right = wanted.left + *stored.width;
    if (stored.height) wanted.bottom = wanted.top + *stored.height;
    if (!EqualRect(&rect, &wanted)) SetNormalRect(form, wanted);

    if (stored.state) ApplyState(form, *stored.state);
    if (stored.visible && *stored.visible != (IsWindowVisible(form) != FALSE)) {
        ShowWindow(form, *stored.visible ? SW_SHOW : SW_HIDE);
    }
    return true;
}

}  // namespace kelvane
