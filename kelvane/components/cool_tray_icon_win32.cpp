#include "kelvane/components/cool_tray_icon_win32.h"

namespace kelvane {
namespace {

constexpr UINT_PTR kCycleTimer = 1;

TrayShiftState CurrentShiftState() {
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

POINT CursorPosition() {
    POINT where = {};
    GetCursorPos(&where);
    return where;
}

}  // namespace

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

TCoolTrayIcon::TCoolTrayIcon(HWND mainForm) : m_mainForm(mainForm) {
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTrayIconWindowClass;
    platform::RegisterWindowClass(windowClass);
    CreateBound(WS_EX_TOOLWINDOW, kTrayIconWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                GetModuleHandleA(nullptr));
    m_tray = std::make_unique<platform::TrayIcon>(m_window, kTrayIconId, kTrayCallbackMessage);
}

TCoolTrayIcon::~TCoolTrayIcon() {
    m_tray.reset();
    if (m_window) DestroyWindow(m_window);
}

void TCoolTrayIcon::SetIcon(HICON icon) {
    m_icon = icon;
    Refresh();
}

void TCoolTrayIcon::SetIconVisible(bool visible) {
    if (visible) {
        ShowIcon();
    } else {
        HideIcon();
    }
}

void TCoolTrayIcon::ShowIcon() {
    m_iconVisible = true;
    // A second NIM_ADD of an icon that is up fails, and the record would then
    // count it as gone although the shell still shows it: modify it instead.
    if (m_tray->Shown()) {
        m_tray->Update(m_icon, Tip());
    } else {
        m_tray->Add(m_icon, Tip());
    }
}

void TCoolTrayIcon::HideIcon() {
    m_iconVisible = false;
    m_tray->Remove();
}

bool TCoolTrayIcon::Refresh() {
    // A hidden icon stays hidden: only an icon that is up is modified.
    if (!m_iconVisible || !m_tray->Shown()) return false;
    return m_tray->Update(m_icon, Tip());
}

void TCoolTrayIcon::SetCycleIcons(bool cycle) {
    m_cycleIcons = cycle;
    m_cycleIndex = 0;
    KillTimer(m_window, kCycleTimer);
    if (cycle && m_cycleInterval > 0) SetTimer(m_window, kCycleTimer, m_cycleInterval, nullptr);
}

void TCoolTrayIcon::SetCycleInterval(UINT milliseconds) {
    m_cycleInterval = milliseconds;
    if (m_cycleIcons) {
        KillTimer(m_window, kCycleTimer);
        if (milliseconds > 0) SetTimer(m_window, kCycleTimer, milliseconds, nullptr);
    }
}

void TCoolTrayIcon::SetHint(const std::string& hint) {
    m_hint = hint;
    Refresh();
}

void TCoolTrayIcon::SetShowHint(bool show) {
    m_showHint = show;
    Refresh();
}

std::string TCoolTrayIcon::Tip() const {
    return m_showHint ? platform::TrayTip(m_hint) : std::string();
}

void TCoolTrayIcon::CycleOnce() {
    if (!m_iconList || m_iconList->empty()) return;
    if (m_cycleIndex >= m_iconList->size()) m_cycleIndex = 0;
    m_icon = (*m_iconList)[m_cycleIndex];
    if (OnCycle) OnCycle(*this, static_cast<int>(m_cycleIndex));
    Refresh();
    m_cycleIndex = m_cycleIndex + 1 >= m_iconList->size() ? 0 : m_cycleIndex + 1;
}

LRESULT TCoolTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kTrayCallbackMessage: return OnTrayCallback(static_cast<UINT>(lParam));
    case WM_TIMER:
        if (wParam == kCycleTimer) CycleOnce();
        return 0;
    case WM_QUERYENDSESSION: return 1;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TCoolTrayIcon::OnTrayCallback(UINT mouseMessage) {
    m_mouse.enabled = Enabled;
    m_mouse.leftPopup = LeftPopup;
    m_mouse.hasAutoPopupMenu = PopupMenu && PopupMenu->AutoPopup;
    for (TrayEvent event : TrayMouseEvents(mouseMessage, m_mouse)) Raise(event);
    return 0;
}

void TCoolTrayIcon::Raise(TrayEvent event) {
    POINT where = CursorPosition();
    TrayShiftState shift = CurrentShiftState();
    auto down = [&](TrayButton button) {
        if (OnMouseDown) OnMouseDown(*this, button, shift, where.x, where.y);
    };
    auto up = [&](TrayButton button) {
        if (OnMouseUp) OnMouseUp(*this, button, shift, where.x, where.y);
    };
    switch (event) {
    case TrayEvent::MouseMove:
        if (OnMouseMove) OnMouseMove(*this, shift, where.x, where.y);
        break;
    case TrayEvent::MouseDownLeft: down(TrayButton::Left); break;
    case TrayEvent::MouseUpLeft: up(TrayButton::Left); break;
    case TrayEvent::MouseDownRight: down(TrayButton::Right); break;
    case TrayEvent::MouseUpRight: up(TrayButton::Right); break;
    case TrayEvent::MouseDownMiddle: down(TrayButton::Middle); break;
    case TrayEvent::MouseUpMiddle: up(TrayButton::Middle); break;
    case TrayEvent::Click:
        if (OnClick) OnClick(*this);
        break;
    case TrayEvent::DblClick:
        if (OnDblClick) OnDblClick(*this);
        break;
    case TrayEvent::ClickDefaultItem:
        if (PopupMenu) PopupMenu->ClickDefaultItem();
        break;
    case TrayEvent::PopupMenu: PopupAtCursor(); break;
    }
}

void TCoolTrayIcon::PopupAtCursor() {
    if (!PopupMenu || !PopupMenu->AutoPopup) return;
    POINT where = CursorPosition();
    ProcessPendingMessages();
    if (m_mainForm) SetForegroundWindow(m_mainForm);
    PopupMenu->Popup(where);
}

}  // namespace kelvane
