// The toggler's hidden window: it owns the tray icon, receives the icon's
// mouse messages and runs the menu commands.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "platform/error_text.h"
#include "platform/handles.h"
#include "platform/tray.h"
#include "platform/window_base.h"
#include "vorrin/session_end_win32.h"
#include "vorrin/toggler_names.h"
#include "vorrin/toggler_rules.h"

namespace vorrin {

namespace {

void ShowDesktopIcons(bool visible) {
    HWND desktop = FindWindowA(kDesktopWindowClass, nullptr);
    if (desktop) ShowWindow(desktop, visible ? SW_SHOW : SW_HIDE);
}

void ShowAbout() {
    MessageBoxA(nullptr, AboutText().c_str(), "About Vorrin", MB_ICONINFORMATION);
}

class TogglerWindow : public platform::BaseWindow<TogglerWindow> {
public:
    // Nothing may reach the object once it is gone; the window is never
    // destroyed by Quit (which only posts WM_DESTROY).
    ~TogglerWindow() {
        if (m_window) DestroyWindow(m_window);
    }

    // Registers the class and creates the window, which is never shown: it
    // exists to own the tray icon and receive the commands. On failure returns
    // false and `failure` says which call failed and why.
    bool Create(HINSTANCE instance, std::string& failure);

    // Posts the commands the switches ask for; without "-quit" puts up the
    // tray icon and loads the menu.
    void Start(const StartSwitches& switches);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnCommand(unsigned id);
    LRESULT OnTrayNotification(unsigned mouseMessage);
    LRESULT OnTaskbarCreated();
    LRESULT OnDestroy();

    void PostCommand(unsigned id);
    void ShowTrayPopup();
    void AddTrayIcon();
    void LoadTrayMenu();

    HINSTANCE m_instance = nullptr;
    platform::unique_hmenu m_menu;
    // Declared before the record that shows it, so it goes after the icon.
    platform::unique_hicon m_trayImage;
    std::optional<platform::TrayIcon> m_trayIcon;
    DesktopState m_desktop = DesktopState::Shown;
    // TrackPopupMenu and the message boxes run modal loops inside the tray
    // handler; notifications arriving meanwhile are dropped, not nested.
    bool m_inTrayNotification = false;
    POINT m_cursor = {};
};

bool TogglerWindow::Create(HINSTANCE instance, std::string& failure) {
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = kMenuResource;
    windowClass.lpszClassName = kWindowClass;
    if (!platform::RegisterWindowClass(windowClass)) {
        failure = platform::CallErrorText("RegisterClassEx");
        return false;
    }
    m_instance = instance;
    if (!CreateBound(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, nullptr, nullptr, instance)) {
        failure = platform::CallErrorText("CreateWindowEx");
        return false;
    }
    m_desktop = DesktopState::Shown;
    return true;
}

void TogglerWindow::Start(const StartSwitches& switches) {
    if (switches.hide) PostCommand(IDM_HIDE_DESKTOP_ICONS);
    if (switches.show) PostCommand(IDM_SHOW_DESKTOP_ICONS);
    if (switches.quit) {
        PostMessageA(m_window, WM_DESTROY, 0, 0);
    } else {
        AddTrayIcon();
        LoadTrayMenu();
    }
}

LRESULT TogglerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == platform::TaskbarCreatedMessage()) return OnTaskbarCreated();
    switch (message) {
    case WM_DESTROY: return OnDestroy();
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case kTrayCallbackMessage: return OnTrayNotification(static_cast<unsigned>(lParam));
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TogglerWindow::OnCommand(unsigned id) {
    std::optional<Command> command = CommandFromId(id);
    if (!command) return 0;
    switch (*command) {
    case Command::HideDesktopIcons: ShowDesktopIcons(false); break;
    case Command::ShowDesktopIcons: ShowDesktopIcons(true); break;
    case Command::DisplayProperties:
        ShellExecuteA(m_window, "open", kDisplayPropertiesProgram, kDisplayPropertiesParameters, nullptr, SW_SHOW);
        break;
    case Command::LogOff:
    case Command::Restart:
    case Command::ShutDown: EndSession(*SessionEndFor(*command)); break;
    case Command::About: ShowAbout(); break;
    // Quit goes through the queue, as a start with "-quit" does.
    case Command::Quit: PostMessageA(m_window, WM_DESTROY, 0, 0); break;
    }
    m_desktop = StateAfter(*command, m_desktop);
    return 0;
}

LRESULT TogglerWindow::OnTrayNotification(unsigned mouseMessage) {
    if (m_inTrayNotification) return 0;
    m_inTrayNotification = true;
    switch (TrayActionFor(mouseMessage, m_desktop)) {
    case TrayAction::PostHide: PostCommand(IDM_HIDE_DESKTOP_ICONS); break;
    case TrayAction::PostShow: PostCommand(IDM_SHOW_DESKTOP_ICONS); break;
    case TrayAction::ShowMenu: ShowTrayPopup(); break;
    case TrayAction::None: break;
    }
    m_inTrayNotification = false;
    return 0;
}

// The shell forgets every icon when it restarts; it says so with
// "TaskbarCreated" and the icon has to be added again.
LRESULT TogglerWindow::OnTaskbarCreated() {
    if (m_trayIcon) m_trayIcon->Restore();
    return 0;
}

LRESULT TogglerWindow::OnDestroy() {
    if (m_trayIcon) m_trayIcon->Remove();
    m_menu.reset();
    PostQuitMessage(0);
    return 0;
}

void TogglerWindow::PostCommand(unsigned id) {
    PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void TogglerWindow::ShowTrayPopup() {
    if (!GetCursorPos(&m_cursor)) {
        MessageBoxA(m_window, "Failed to locate current cursor co-ordinates.", "GetCursorPos() Failed", MB_OK);
        return;
    }
    // Without a loaded menu there is no submenu, and TrackPopupMenu fails.
    HMENU popup = GetSubMenu(m_menu.get(), 0);
    if (!platform::ShowTrayMenu(m_window, popup, m_cursor, TPM_LEFTBUTTON | TPM_RIGHTALIGN)) {
        MessageBoxA(m_window, "Failed to popup menu window.", "TrackPopupMenu() Failed", MB_OK);
    }
}

void TogglerWindow::AddTrayIcon() {
    m_trayImage = platform::LoadSmallIcon(m_instance, kIconResource);
    m_trayIcon.emplace(m_window, kTrayIconId, kTrayCallbackMessage);
    m_trayIcon->Add(m_trayImage.get(), kTrayTip);
}

void TogglerWindow::LoadTrayMenu() {
    m_menu.reset(LoadMenuA(m_instance, kMenuResource));
    if (!m_menu) MessageBoxA(m_window, "Failed to load menu resource.", "LoadMenu() Failed", MB_OK);
}

int Run(HINSTANCE instance, const char* arguments) {
    TogglerWindow toggler;
    std::string failure;
    if (!toggler.Create(instance, failure)) {
        platform::ShowStartFailure("Vorrin", failure);
        return 1;
    }
    toggler.Start(ParseSwitches(arguments ? arguments : ""));

    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

}  // namespace vorrin

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    return vorrin::Run(instance, arguments);
}
