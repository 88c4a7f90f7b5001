// What the icon tests share: the fixture library beside the test program and
// reading back what an icon draws.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handles.h"

namespace quillet {

// The colours of the fixture library's icon groups 100, 101 and 102.
constexpr COLORREF kIconRed = RGB(255, 0, 0);
constexpr COLORREF kIconGreen = RGB(0, 255, 0);
constexpr COLORREF kIconBlue = RGB(0, 0, 255);

// A file beside the running test program.
inline std::string BesideTestProgram(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// The dialogs (class "#32770") of a thread, such as a test's modal dialog
// and the message it shows.
inline std::vector<HWND> ThreadDialogs(DWORD threadId) {
    struct Take {
        static BOOL CALLBACK Dialog(HWND window, LPARAM list) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32770") == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        }
    };
    std::vector<HWND> dialogs;
    if (threadId) EnumThreadWindows(threadId, Take::Dialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

inline std::string FixtureLibrary() {
    return BesideTestProgram("icon_fixture.dll");
}

// The icon's width, 0 when the handle is no icon (a destroyed one).
inline int IconEdge(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    platform::unique_hbitmap mask(info.hbmMask);
    platform::unique_hbitmap colour(info.hbmColor);
    BITMAP bitmap = {};
    GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

// The colour the icon draws in its middle on white.
inline COLORREF IconMiddle(HICON icon) {
    const int edge = IconEdge(icon);
    if (edge == 0) return CLR_INVALID;
    platform::unique_hdc_window screen(nullptr);
    platform::unique_hdc dc(CreateCompatibleDC(screen.get()));
    platform::unique_hbitmap target(CreateCompatibleBitmap(screen.get(), edge, edge));
    platform::unique_select_object selected(dc.get(), target.get());
    RECT all = {0, 0, edge, edge};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc.get(), 0, 0, icon, edge, edge, 0, nullptr, DI_NORMAL);
    return GetPixel(dc.get(), edge / 2, edge / 2);
}

}  // namespace quillet
