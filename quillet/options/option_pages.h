// The contents page of a container and the general settings panel.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <functional>
#include <memory>

#include "quillet/model/object.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/settings_panel.h"

namespace quillet {

// The page listing a container's children (the root's tray icons, a tray
// icon's items) with New, Modify, Remove, Up and Down.
HPROPSHEETPAGE CreateContentsPage(Object& container);

// What the contents page asks of the rest of the program. CreateContentsPage
// above uses the property sheets and wizard of object_sheets.h; a test gives
// its own.
struct ContentsPageActions {
    // The new-item wizard; true when it created and inserted a child.
    std::function<bool(HWND owner, const NewItemRequest& request)> runWizard;
    // A child's property sheet; true when the user confirmed.
    std::function<bool(HWND owner, Object& child)> editObject;
    // The preview of a child shown beside the list, or null when its class
    // has none (the area then stays empty). May be left unset.
    std::function<std::unique_ptr<SettingsPanel>(const Object& child)> createPreview;
    // The sound of a refused rename; MessageBeep when unset.
    std::function<void()> beep;
};
HPROPSHEETPAGE CreateContentsPage(Object& container, ContentsPageActions actions);

// The root's own panel: menu view and the menu hotkey.
std::unique_ptr<SettingsPanel> CreateGeneralPanel();

}  // namespace quillet
