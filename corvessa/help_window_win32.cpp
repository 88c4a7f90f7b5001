#include "corvessa/help_window_win32.h"

#include <richedit.h>

#include <string>

#include "corvessa/resource.h"
#include "platform/version_info.h"

namespace corvessa {

namespace {

const char* const kHelpFileName = "help.rtf";

DWORD CALLBACK ReadHelpFile(DWORD_PTR file, LPBYTE buffer, LONG size, LONG* read) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(size), &got, nullptr)) return 1;
    *read = static_cast<LONG>(got);
    return 0;
}

std::string ProgramFolder() {
    std::string path = platform::ModulePath();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

void HelpWindow::Show(HWND mainWindow) {
    if (m_window) {
        ShowWindow(m_window, SW_SHOW);
        SetForegroundWindow(m_window);
        return;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_CORVESSA));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CORVESSA_HELP_CLASS;
    if (!platform::RegisterWindowClass(windowClass)) return;
    if (!m_richEdit) m_richEdit.reset(LoadLibraryA("riched20.dll"));
    RECT place;
    GetWindowRect(mainWindow, &place);
    CreateBound(WS_EX_APPWINDOW, CORVESSA_HELP_CLASS, "Corvessa Help",
                WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CLIPCHILDREN, place.left, place.top, place.right - place.left,
                place.bottom - place.top, nullptr, nullptr, m_instance);
    if (m_window) ShowWindow(m_window, SW_SHOW);
}

void HelpWindow::Close() {
    if (m_window) DestroyWindow(m_window);
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DRAWITEM: DrawTitleButton(m_look, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    default: return DefaultHandling(message, wParam, lParam);
    }
}

void HelpWindow::OnCreate() {
    RECT client;
    GetClientRect(m_window, &client);
    HWND close =
        CreateWindowExA(0, "BUTTON", "X", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, client.right - 42, 5, 38, 18, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HELP_CLOSE)), m_instance, nullptr);
    SendMessageA(close, WM_SETFONT, reinterpret_cast<WPARAM>(m_look.boldFont.get()), FALSE);
    HWND text =
        CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 10,
                        Look::kTitleHeight + 8, client.right - 20, client.bottom - Look::kTitleHeight - 18, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_HELP_TEXT)), m_instance, nullptr);
    if (text) {
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(m_look.font.get()), FALSE);
        LoadHelpText(text);
    }
}

void HelpWindow::OnCommand(int id) {
    if (id != IDC_HELP_CLOSE) return;
    ShowWindow(m_window, SW_HIDE);
    DestroyWindow(m_window);
}

void HelpWindow::LoadHelpText(HWND text) {
    std::string path = ProgramFolder() + kHelpFileName;
    platform::unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        std::string missing = "The help file \"" + path + "\" could not be opened.";
        SetWindowTextA(text, missing.c_str());
        return;
    }
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file.get());
    stream.pfnCallback = ReadHelpFile;
    SendMessageA(text, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void HelpWindow::Paint(HDC dc) {
    RECT client;
    GetClientRect(m_window, &client);
    PaintBackground(m_look, m_window, dc, client);
    RECT title = {12, 0, client.right - 50, Look::kTitleHeight};
    PaintText(dc, "Corvessa Help", title, m_look.titleFont.get(), Look::kTitleText, DT_SINGLELINE | DT_VCENTER);
}

LRESULT HelpWindow::OnSetCursor(HWND over, UINT mouseMessage) {
    if (mouseMessage == WM_MOUSEMOVE) {
        HWND close = GetDlgItem(m_window, IDC_HELP_CLOSE);
        bool hint = over == close;
        if (hint != m_closeHint) {
            m_closeHint = hint;
            SetWindowTextA(close, hint ? "close" : "X");
            InvalidateRect(close, nullptr, FALSE);
        }
    }
    if (over != m_window) return FALSE;
    return DefaultHandling(WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, mouseMessage));
}

}  // namespace corvessa
