// The start-up picture, shown over the frame for a moment.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "platform/window_base.h"

namespace tempane {

class Splash : public platform::BaseWindow<Splash> {
public:
    Splash() = default;
    // Takes a splash that is still up down with it.
    ~Splash();

    // Shows bitmap IDB_SPLASH centred on the work area, owned by `owner`,
    // unless one is up already. Without the bitmap or its window start-up
    // simply goes on without a splash. Returns the window or NULL. Window()
    // is the splash while it is up, else NULL.
    HWND Show(HWND owner);

    // For the message loop: while the splash is up, a key or mouse button press
    // (in any of this thread's windows) removes it and is consumed: returns true
    // and the message must not be dispatched.
    bool TakesMessage(const MSG& message);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    LRESULT OnCreate();
    LRESULT OnTimer(UINT_PTR timer);
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
    void Hide();

    platform::unique_hbitmap m_bitmap;
    SIZE m_size = {};
    HWND m_owner = nullptr;
};

}  // namespace tempane
