#include "tempane/main_frame_win32.h"

#include "platform/error_text.h"
#include "tempane/names.h"
#include "tempane/resource.h"
#include "tempane/tray_menu.h"
#include "tempane/uncover_desktop_win32.h"

namespace tempane {

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: *reinterpret_cast<HWND*>(lParam) = dialog; return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

bool MainFrame::Create(HINSTANCE instance, bool withSplash, std::string& failure) {
    m_instance = instance;
    m_withSplash = withSplash;
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kFrameClass;
    if (!platform::RegisterWindowClass(windowClass)) {
        failure = platform::CallErrorText("RegisterClassEx");
        return false;
    }
    platform::unique_hmenu menu(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)));
    // A popup tool window of no size: no caption, no frame, no taskbar button.
    if (!CreateBound(WS_EX_TOOLWINDOW, kFrameClass, kFrameTitle, WS_POPUP, 0, 0, 0, 0, nullptr, menu.get(), instance)) {
        failure = platform::CallErrorText("CreateWindowEx");
        return false;
    }
    menu.release();  // the window's now, destroyed with it
    return true;
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) return OnTrayNotify(static_cast<UINT>(lParam));
    if (message == platform::TaskbarCreatedMessage()) return OnTaskbarCreated();
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case WM_DESTROY: return OnDestroy();
    case WM_ENDSESSION: return OnEndSession(wParam != FALSE);
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT MainFrame::OnCreate() {
    AddTrayIcon();
    if (m_withSplash) m_splash.Show(m_window);
    return 0;
}

void MainFrame::AddTrayIcon() {
    // Kept as long as the frame, so it is still there when the shell restarts
    // and the icon must be put up again.
    m_trayImage = platform::LoadSmallIcon(m_instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_tray.emplace(m_window, kTrayIconId, kTrayCallbackMessage);
    m_tray->Add(m_trayImage.get(), kTrayTip);
}

LRESULT MainFrame::OnTaskbarCreated() {
    if (m_tray) m_tray->Restore();
    return 0;
}

LRESULT MainFrame::OnTrayNotify(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN: UncoverDesktop(); break;
    case WM_RBUTTONDOWN: ShowTrayMenu(); break;
    }
    return 0;
}

void MainFrame::ShowTrayMenu() {
    POINT cursor = {};
    std::optional<int> cursorX;
    if (GetCursorPos(&cursor)) cursorX = cursor.x;
    MenuPlace place = TrayMenuPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), cursorX,
                                    GetSystemMetrics(SM_CYMENU));
    platform::unique_hmenu menu(LoadMenuA(m_instance, MAKEINTRESOURCEA(IDR_RIGHT_CLICK)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    platform::ShowTrayMenu(m_window, popup, POINT{place.x, place.y}, TPM_RIGHTBUTTON);
}

LRESULT MainFrame::OnCommand(UINT command) {
    switch (command) {
    case ID_TRAY_HELP: OpenHelpPage(m_window, m_launchHelp); break;
    case ID_TRAY_ABOUT:
    case ID_APP_ABOUT: ShowAbout(); break;
    case ID_TRAY_CLOSE:
    case ID_APP_EXIT: CloseProgram(); break;
    }
    return 0;
}

void MainFrame::ShowAbout() {
    // The tray keeps delivering clicks while the box is up; a second box
    // would only hide behind the first.
    if (m_about) {
        SetForegroundWindow(m_about);
        return;
    }
    DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_window, AboutProc,
                    reinterpret_cast<LPARAM>(&m_about));
    m_about = nullptr;
}

void MainFrame::CloseProgram() {
    if (m_tray) m_tray->Remove();
    DestroyWindow(m_window);
}

LRESULT MainFrame::OnDestroy() {
    if (m_tray) m_tray->Remove();
    PostQuitMessage(0);
    return 0;
}

LRESULT MainFrame::OnEndSession(bool ending) {
    if (ending && m_tray) m_tray->Remove();
    return 0;
}

}  // namespace tempane
