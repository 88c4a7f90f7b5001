// A stand-in for one of KORB Stowdesk's own programs, which lie outside this
// suite: it shows its name and the command line it got, and its window has
// the class the installer closes and notifies. With STOWDESK_STANDIN_LOG set it
// also appends what happened to it to that file, one line each.
#include <windows.h>

#include <string>

#include "platform/window_base.h"
#include "stowdesk_standins/standin_log.h"

#ifndef STANDIN_NAME
#error "STANDIN_NAME and STANDIN_CLASS name the program being stood in for"
#endif

namespace {

void Log(const std::string& line) {
    stowdesk::AppendStandinLogLine(STANDIN_NAME, line);
}

class StandinWindow : public platform::BaseWindow<StandinWindow> {
public:
    bool Create(HINSTANCE instance, const std::string& commandLine) {
        m_text = std::string(STANDIN_NAME) +
                 " stands in for the KORB Stowdesk program of this name.\r\n"
                 "Command line: " +
                 commandLine;
        WNDCLASSEXA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = STANDIN_CLASS;
        if (!platform::RegisterWindowClass(windowClass)) return false;
        return CreateBound(0, STANDIN_CLASS, STANDIN_NAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                           CW_USEDEFAULT, 480, 120, nullptr, nullptr, instance) != nullptr;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_USER + 2: Log("message 0x402"); return 0;
        case WM_USER + 3: Log("message 0x403"); return 0;
        case WM_CLOSE: Log("closed"); return DefaultHandling(message, wParam, lParam);
        case WM_DESTROY: PostQuitMessage(0); return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }

    void Paint(HDC dc) {
        RECT area;
        GetClientRect(m_window, &area);
        InflateRect(&area, -8, -8);
        DrawTextA(dc, m_text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

private:
    std::string m_text;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    Log(std::string("started [") + commandLine + "]");
    StandinWindow window;
    if (!window.Create(instance, commandLine)) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
