// Stand-ins for what later versions of quillet bring: the new-item wizard,
// the icon set's property sheet, the tip of the day and the registration of
// the shell's "Add to Tray" command. Each is called where the real one will
// be, and shows that it was reached.
#pragma once

#include <windows.h>

#include <string>

#include "quillet/app/application.h"

namespace quillet {

// Appends `line` to the file the test log variable names, if any.
void AppendTestLog(const std::string& line);

// Shows the path it was handed. A handed-over folder becomes a plain folder
// item at the end of the first tray icon's menu (true: the caller saves);
// anything else changes nothing.
bool RunNewItemWizardStandIn(Application& application, HWND owner, Object* templateItem, const std::string& path);

// The icon set's property sheet, opened from the tray command menu.
void ShowIconSetProperties(HWND owner);

// The tip of the day: from the tray command menu always, at start-up only
// when tips are enabled (there are no tips yet, so never).
void ShowTipOfTheDay(HWND owner, bool atStartup);

// Where start-up registers the shell context-menu handler that hands folders
// over through "HV:TxNewFile". Nothing is registered yet.
void RegisterShellContextMenuHandler();

}  // namespace quillet
