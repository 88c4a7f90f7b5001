// The start-up screen: bitmap 102 for about two seconds while quillet starts.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "platform/window_base.h"
#include "quillet/strings/language.h"

namespace quillet {

class SplashWindow : public platform::BaseWindow<SplashWindow> {
public:
    // Creates the window of class `className` over the middle of the screen;
    // false when the bitmap or the window cannot be made.
    bool Create(HINSTANCE instance, const std::string& className);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    LRESULT OnCreate();
    LRESULT OnTimer();
    LRESULT OnDestroy();

    platform::unique_hbitmap m_bitmap;
    SIZE m_size = {};
    DWORD m_shownAt = 0;
};

// Whether the user wants the start-up screen: the "Splash Window" value
// under the program key, on when absent.
bool StartupScreenWanted(const Language& language);

// Shows the start-up screen when wanted and returns when it has closed.
void ShowStartupScreen(HINSTANCE instance, const Language& language);

}  // namespace quillet
