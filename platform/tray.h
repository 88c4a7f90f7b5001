// Notification-area icons and popup menus as every tray program uses them.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace platform {

// One tray icon on a hidden window, with the first-version record (88 bytes,
// tip of at most 63 characters), which every shell version accepts.
class TrayIcon {
public:
    TrayIcon(HWND owner, UINT id, UINT callbackMessage) : m_owner(owner), m_id(id), m_callback(callbackMessage) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Puts the icon up (NIM_ADD); false when the shell refused it.
    bool Add(HICON icon, const std::string& tip);
    // NIM_MODIFY of icon and tip; adds the icon if it is not shown.
    bool Update(HICON icon, const std::string& tip);
    // NIM_DELETE if shown.
    void Remove();
    // Puts the icon up again after the shell restarted ("TaskbarCreated").
    bool Restore();
    bool Shown() const { return m_shown; }

    // The record Shell_NotifyIcon is given, with these NIF_ flags.
    NOTIFYICONDATAA Record(UINT flags) const;

private:
    bool PutUp();
    HWND m_owner;
    UINT m_id;
    UINT m_callback;
    HICON m_icon = nullptr;
    std::string m_tip;
    bool m_shown = false;
};

// The tip as the first-version record holds it: at most 63 characters.
std::string TrayTip(const std::string& text);

// Shows a popup menu at `where` (screen coordinates) for a tray owner window:
// brings the owner forward first and posts WM_NULL afterwards, so the menu
// closes when the user clicks elsewhere. Returns the chosen command with
// TPM_RETURNCMD in `flags`, else what TrackPopupMenu returns.
UINT ShowTrayMenu(HWND owner, HMENU menu, POINT where, UINT flags = TPM_RIGHTBUTTON);

// Message id of the shell's "TaskbarCreated" broadcast.
UINT TaskbarCreatedMessage();

// The small (tray-sized) image of an icon resource of `instance`; empty when
// there is none.
unique_hicon LoadSmallIcon(HINSTANCE instance, const char* resource);

}  // namespace platform
