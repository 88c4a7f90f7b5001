// How the rest of quillet opens menus: the menu window class and a tray
// icon's menu.
#pragma once

#include <windows.h>

#include "quillet/model/object.h"

namespace quillet {

// Registers the menu window's class; false when Windows refuses it.
bool RegisterMenuWindowClass(HINSTANCE instance);

// Shows the menu of a tray icon's items with its bottom edge at the cursor and
// returns when it has closed, after the chosen entry was launched.
void ShowTrayIconMenu(Object& trayIcon, HWND owner);

}  // namespace quillet
