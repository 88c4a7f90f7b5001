// The help window: the help text beside the program in a rich-edit control,
// over the main window's picture and at its place.
#pragma once

#include <windows.h>

#include "corvessa/drawing_win32.h"
#include "platform/handles.h"

namespace corvessa {

class HelpWindow {
public:
    HelpWindow(HINSTANCE instance, const Look& look) : m_instance(instance), m_look(look) {}
    // Opens the window at `mainWindow`'s place, or brings it forward if open.
    void Show(HWND mainWindow);
    void Close();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnSetCursor(HWND over, UINT mouseMessage);
    void LoadHelpText();

    HINSTANCE m_instance;
    const Look& m_look;
    HWND m_window = nullptr;
    platform::unique_hmodule m_richEdit;
    bool m_closeHint = false;
};

}  // namespace corvessa
