// The help window: the help text beside the program in a rich-edit control,
// over the main window's picture and at its place.
#pragma once

#include <windows.h>

#include "corvessa/drawing_win32.h"
#include "platform/handles.h"
#include "platform/window_base.h"

namespace corvessa {

class HelpWindow : public platform::BaseWindow<HelpWindow> {
public:
    HelpWindow(HINSTANCE instance, const Look& look) : m_instance(instance), m_look(look) {}
    // Opens the window at `mainWindow`'s place, or brings it forward if open.
    void Show(HWND mainWindow);
    void Close();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    void OnCreate();
    void OnCommand(int id);
    LRESULT OnSetCursor(HWND over, UINT mouseMessage);
    void LoadHelpText(HWND text);

    HINSTANCE m_instance;
    const Look& m_look;
    platform::unique_hmodule m_richEdit;
    bool m_closeHint = false;
};

}  // namespace corvessa
