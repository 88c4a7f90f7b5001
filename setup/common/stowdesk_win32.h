// What setup and uninstall both do with Windows: their message boxes, the
// test seams, the special folders, closing the running product and telling
// the maker's programs that Explorer came back.
#pragma once

#include <windows.h>

#include <string>

#include "platform/explorer_restart.h"

namespace stowdesk {

// An owner-less message box with the product caption; the button pressed.
int ShowMessage(const std::string& text, UINT flags);

// With the test registry variable set, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER
// and HKEY_CLASSES_ROOT of this process are redirected below it. False when a
// redirection was asked for and failed: the program must then not go on.
bool RedirectRegistryForTests();

// A special folder's path (CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS,
// CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA); empty when the shell has none.
std::string SpecialFolder(int csidl);

// The shell whose Explorer is closed and restarted.
platform::ExplorerShell ProductExplorerShell();

// WM_CLOSE to the product's running windows.
void CloseProductWindows();

// Explorer restarted: the maker's tray programs put their icons back and the
// auto-save windows re-read the desktop.
void NotifyExplorerBack();

// SHChangeNotify for one path, with a flush afterwards when asked.
void AnnouncePath(LONG event, const std::string& path, bool flush);
void AnnounceAssociationsChanged();

// This program's own file and folder.
std::string OwnProgramPath();

}  // namespace stowdesk
