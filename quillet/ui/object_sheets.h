// The property sheet of an icon-set object and the new-icon wizard.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "quillet/model/object.h"
#include "quillet/ui/settings_panel.h"

namespace quillet {

// Where the wizard puts what it creates, and what it starts from.
struct NewItemRequest {
    Object* container = nullptr;           // gets the new object
    size_t insertAt = static_cast<size_t>(-1);  // index in the container; -1 appends
    Object* templateItem = nullptr;        // an item whose class the wizard offers first, or null
    std::string folderPath;                // a folder handed over from the shell, or empty
};

// The object's property sheet (a container's contents page first, then the
// object page with its class's panel). True when the user confirmed; the
// caller saves the icon set.
bool EditObject(HWND owner, Object& object, int startPage = 0);

// The two-step new-icon wizard. True when an object was created and inserted;
// the caller saves the icon set.
bool RunNewItemWizard(HWND owner, const NewItemRequest& request);

// The settings panel a class supplies for its objects (for a folder item: the
// folder panel), or null when the class has none. `asClassDefaults` asks for
// the panel of the class's own settings (the folder's defaults dialog).
std::unique_ptr<SettingsPanel> CreateClassPanel(const Object& object, bool asClassDefaults = false);
// A read-only summary of the object's settings in the same panel form (for a
// folder item: one line with its path, action and options), or null when the
// class has none.
std::unique_ptr<SettingsPanel> CreateClassPreview(const Object& object);

}  // namespace quillet
