// The registry entries that make Explorer offer "Add to Tray" for folders
// through quilletctx.dll, and their on/off switch.
#pragma once

namespace quillet {

// Written at every start, after the main window exists.
void RegisterShellExtension();
bool IsShellExtensionEnabled();
void SetShellExtensionEnabled(bool enabled);

}  // namespace quillet
