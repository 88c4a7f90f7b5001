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

bool TrayIcon::PutUp() {
    NOTIFYICONDATAA data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // NIM_ADD fails when the shell still holds our icon (a "TaskbarCreated"
    // from a shell that did not forget it): then the icon is brought up to
    // date instead.
    bool up = Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
    // A failure never clears the record: the shell may still show the icon,
    // and a NIM_DELETE that finds nothing costs nothing, while a skipped one
    // leaves a ghost icon behind.
    m_shown = m_shown || up;
    return up;
}

bool TrayIcon::Add(HICON icon, const std::string& tip) {
    m_icon = icon;
    m_tip = tip;
    return PutUp();
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
    return PutUp();
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

unique_hicon LoadSmallIcon(HINSTANCE instance, const char* resource) {
    return unique_hicon(static_cast<HICON>(LoadImageA(instance, resource, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

}  // namespace platform
