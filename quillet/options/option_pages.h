// The contents page of a container and the general settings panel.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <memory>

#include "quillet/model/object.h"
#include "quillet/ui/settings_panel.h"

namespace quillet {

// The page listing a container's children (the root's tray icons, a tray
// icon's items) with New, Modify, Remove, Up and Down.
HPROPSHEETPAGE CreateContentsPage(Object& container);

// The root's own panel: menu view and the menu hotkey.
std::unique_ptr<SettingsPanel> CreateGeneralPanel();

}  // namespace quillet
