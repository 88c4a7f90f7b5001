#include "platform/tray.h"

#include <shellapi.h>

#include <cstring>

namespace platform {

std::string TrayTip(const std::string& text) {
    return text.substr(0, 63);
}

NOTIFYICONDATAA TrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAA data = {};
    // MinGW's structure is the newest (508 bytes); the first version is 88.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = m_owner;
    data.uID = m_id;
    data.uFlags = flags;
    data.uCallbackMessage = m_callback;
    data.hIcon = m_icon;
    std::string tip = TrayTip(m_tip);
    memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    return data;
}

bool TrayIcon::Add(HICON icon, const std::string& tip) {
    m_icon = icon;
    m_tip = tip;
    NOTIFYICONDATAA data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    m_shown = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
    return m_shown;
}

bool TrayIcon::Update(HICON icon, const std::string& tip) {
    if (!m_shown) return Add(icon, tip);
    m_icon = icon;
    m_tip = tip;
    NOTIFYICONDATAA data = Record(NIF_ICON | NIF_TIP);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::Remove() {
    if (!m_shown) return;
    NOTIFYICONDATAA data = Record(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
    m_shown = false;
}

bool TrayIcon::Restore() {
    m_shown = false;
    return Add(m_icon, m_tip);
}

UINT ShowTrayMenu(HWND owner, HMENU menu, POINT where, UINT flags) {
    SetForegroundWindow(owner);
    UINT result = TrackPopupMenu(menu, flags, where.x, where.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return result;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace platform
