// The toggler's hidden window: it owns the tray icon, receives the icon's
// mouse messages and runs the menu commands.
#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "platform/handles.h"
#include "platform/tray.h"
#include "vorrin/session_end_win32.h"
#include "vorrin/toggler_names.h"
#include "vorrin/toggler_rules.h"

namespace vorrin {

namespace {

HINSTANCE s_instance = nullptr;
platform::unique_hmenu s_menu;
platform::unique_hicon s_trayImage;
std::optional<platform::TrayIcon> s_trayIcon;
DesktopState s_desktop = DesktopState::Shown;
// TrackPopupMenu and the message boxes run modal loops inside the tray
// handler; notifications arriving meanwhile are dropped, not nested.
bool s_inTrayNotification = false;
POINT s_cursor = {};

void PostCommand(HWND window, unsigned id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void ShowDesktopIcons(bool visible) {
    HWND desktop = FindWindowA(kDesktopWindowClass, nullptr);
    if (desktop) ShowWindow(desktop, visible ? SW_SHOW : SW_HIDE);
}

void OpenDisplayProperties(HWND window) {
    ShellExecuteA(window, "open", kDisplayPropertiesProgram, kDisplayPropertiesParameters, nullptr, SW_SHOW);
}

void ShowAbout() {
    MessageBoxA(nullptr, AboutText().c_str(), "About Vorrin", MB_ICONINFORMATION);
}

void ShowTrayPopup(HWND window) {
    if (!GetCursorPos(&s_cursor)) {
        MessageBoxA(window, "Failed to locate current cursor co-ordinates.", "GetCursorPos() Failed", MB_OK);
        return;
    }
    // Without a loaded menu there is no submenu, and TrackPopupMenu fails.
    HMENU popup = GetSubMenu(s_menu.get(), 0);
    if (!platform::ShowTrayMenu(window, popup, s_cursor, TPM_LEFTBUTTON | TPM_RIGHTALIGN)) {
        MessageBoxA(window, "Failed to popup menu window.", "TrackPopupMenu() Failed", MB_OK);
    }
}

void AddTrayIcon(HWND window) {
    s_trayImage.reset(static_cast<HICON>(LoadImageA(s_instance, kIconResource, IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    s_trayIcon.emplace(window, kTrayIconId, kTrayCallbackMessage);
    s_trayIcon->Add(s_trayImage.get(), kTrayTip);
}

void LoadTrayMenu(HWND window) {
    s_menu.reset(LoadMenuA(s_instance, kMenuResource));
    if (!s_menu) MessageBoxA(window, "Failed to load menu resource.", "LoadMenu() Failed", MB_OK);
}

LRESULT OnCommand(HWND window, unsigned id) {
    std::optional<Command> command = CommandFromId(id);
    if (!command) return 0;
    switch (*command) {
    case Command::HideDesktopIcons: ShowDesktopIcons(false); break;
    case Command::ShowDesktopIcons: ShowDesktopIcons(true); break;
    case Command::DisplayProperties: OpenDisplayProperties(window); break;
    case Command::LogOff:
    case Command::Restart:
    case Command::ShutDown: EndSession(*SessionEndFor(*command)); break;
    case Command::About: ShowAbout(); break;
    // Quit goes through the queue, as a start with "-quit" does.
    case Command::Quit: PostMessageA(window, WM_DESTROY, 0, 0); break;
    }
    s_desktop = StateAfter(*command, s_desktop);
    return 0;
}

LRESULT OnTrayNotification(HWND window, unsigned mouseMessage) {
    if (s_inTrayNotification) return 0;
    s_inTrayNotification = true;
    switch (TrayActionFor(mouseMessage, s_desktop)) {
    case TrayAction::PostHide: PostCommand(window, IDM_HIDE_DESKTOP_ICONS); break;
    case TrayAction::PostShow: PostCommand(window, IDM_SHOW_DESKTOP_ICONS); break;
    case TrayAction::ShowMenu: ShowTrayPopup(window); break;
    case TrayAction::None: break;
    }
    s_inTrayNotification = false;
    return 0;
}

// The shell forgets every icon when it restarts; it says so with
// "TaskbarCreated" and the icon has to be added again.
LRESULT OnTaskbarCreated() {
    if (s_trayIcon) s_trayIcon->Restore();
    return 0;
}

LRESULT OnDestroy() {
    if (s_trayIcon) s_trayIcon->Remove();
    s_menu.reset();
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK TogglerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: return OnDestroy();
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam));
    case kTrayCallbackMessage: return OnTrayNotification(window, static_cast<unsigned>(lParam));
    }
    if (message == platform::TaskbarCreatedMessage()) return OnTaskbarCreated();
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterTogglerClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TogglerWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = kMenuResource;
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

int Run(HINSTANCE instance, const char* arguments) {
    if (!RegisterTogglerClass(instance)) return 0;
    s_instance = instance;
    // Never shown: it exists to own the tray icon and receive the commands.
    HWND window = CreateWindowA(kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    s_desktop = DesktopState::Shown;

    StartSwitches switches = ParseSwitches(arguments ? arguments : "");
    if (switches.hide) PostCommand(window, IDM_HIDE_DESKTOP_ICONS);
    if (switches.show) PostCommand(window, IDM_SHOW_DESKTOP_ICONS);
    if (switches.quit) {
        PostMessageA(window, WM_DESTROY, 0, 0);
    } else {
        AddTrayIcon(window);
        LoadTrayMenu(window);
    }

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
