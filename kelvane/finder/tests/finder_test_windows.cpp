// finder_test_windows.exe: see finder_test_windows.h.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "kelvane/finder/tests/finder_test_windows.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) parts.push_back(part);
    return parts;
}

bool Register(HINSTANCE instance, const std::string& className) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIcon(nullptr, IDI_INFORMATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    HWND first = nullptr;
    int offset = 0;
    for (const std::string& entry : Split(commandLine ? commandLine : "", ';')) {
        std::vector<std::string> fields = Split(entry, '|');
        if (fields.size() < 2) continue;
        const std::string flags = fields.size() > 2 ? fields[2] : "";
        if (!Register(instance, fields[0])) return 1;
        auto has = [&flags](char flag) { return flags.find(flag) != std::string::npos; };
        const DWORD style = has('p') ? WS_POPUP | WS_BORDER : WS_OVERLAPPEDWINDOW;
        HWND window =
            CreateWindowExA(has('t') ? WS_EX_TOPMOST : 0, fields[0].c_str(), fields[1].c_str(), style, 120 + offset,
                            80 + offset, 300, 160, has('o') ? first : nullptr, nullptr, instance, nullptr);
        if (!window) return 2;
        offset += 24;
        if (!first) first = window;
        if (!has('h')) ShowWindow(window, has('m') ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    }
    // Last, a hidden window that tells the test all the others stand as asked.
    if (!Register(instance, kFinderTestReadyClass)) return 1;
    if (!CreateWindowExA(0, kFinderTestReadyClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance,
                         nullptr)) {
        return 2;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
