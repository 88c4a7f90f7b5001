// TCoolTrayIcon: one icon in the notification area on its own hidden window,
// with a tooltip, mouse events, a popup menu and optional icon cycling.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kelvane/components/icon_popup_menu_win32.h"
#include "kelvane/components/tray_mouse_rules.h"
#include "platform/tray.h"
#include "platform/window_base.h"

namespace kelvane {

inline constexpr const char* kTrayIconWindowClass = "KelvaneTrayIconWindow";
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1024;  // 2048

enum class TrayButton { Left, Right, Middle };
// Shift, Ctrl and Alt as held when the event came.
struct TrayShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class TCoolTrayIcon : public platform::BaseWindow<TCoolTrayIcon> {
public:
    // `mainForm` is brought to the foreground before the menu pops up.
    explicit TCoolTrayIcon(HWND mainForm);
    // Removes the icon.
    ~TCoolTrayIcon();

    // The icon is not owned: it belongs to the caller or to IconList.
    HICON Icon() const { return m_icon; }
    void SetIcon(HICON icon);
    bool IconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool visible);
    void ShowIcon();
    void HideIcon();
    // NIM_MODIFY with the current icon and tip, while the icon is up.
    bool Refresh();

    // Source of the cycled icons (not owned).
    const std::vector<HICON>* IconList() const { return m_iconList; }
    void SetIconList(const std::vector<HICON>* list) { m_iconList = list; }
    bool CycleIcons() const { return m_cycleIcons; }
    void SetCycleIcons(bool cycle);
    UINT CycleInterval() const { return m_cycleInterval; }
    void SetCycleInterval(UINT milliseconds);

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);
    // The tip the shell is given: empty when ShowHint is off.
    std::string Tip() const;

    bool Enabled = true;
    bool LeftPopup = false;
    CIconPopupMenu* PopupMenu = nullptr;  // not owned

    std::function<void(TCoolTrayIcon&)> OnClick;
    std::function<void(TCoolTrayIcon&)> OnDblClick;
    std::function<void(TCoolTrayIcon&, TrayButton, TrayShiftState, int x, int y)> OnMouseDown;
    std::function<void(TCoolTrayIcon&, TrayButton, TrayShiftState, int x, int y)> OnMouseUp;
    std::function<void(TCoolTrayIcon&, TrayShiftState, int x, int y)> OnMouseMove;
    std::function<void(TCoolTrayIcon&, int current)> OnCycle;

    // Pops up the menu at the cursor, if there is one that pops up by itself.
    void PopupAtCursor();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnTrayCallback(UINT mouseMessage);
    void Raise(TrayEvent event);
    void CycleOnce();

    HWND m_mainForm;
    std::unique_ptr<platform::TrayIcon> m_tray;
    HICON m_icon = nullptr;
    bool m_iconVisible = true;
    const std::vector<HICON>* m_iconList = nullptr;
    bool m_cycleIcons = false;
    UINT m_cycleInterval = 0;
    size_t m_cycleIndex = 0;
    std::string m_hint;
    bool m_showHint = true;
    TrayMouseState m_mouse;
};

// Dispatches every message waiting for this thread ("process pending
// messages" before a menu pops up, and in the main form's housekeeping).
void ProcessPendingMessages();

}  // namespace kelvane
