// A settings panel: a child dialog that edits one object's own settings and
// is placed inside a page (the object page's panel area, the settings page's
// panel area). Classes supply one for their objects; the root's is the
// general panel.
#pragma once

#include <windows.h>

#include <memory>

#include "quillet/model/object.h"

namespace quillet {

class SettingsPanel {
public:
    virtual ~SettingsPanel() = default;
    // Creates the panel as a child of `page`, filling `area` (client
    // coordinates of the page), showing the values of `object`. Null when the
    // dialog could not be created.
    virtual HWND Create(HWND page, const RECT& area, Object& object) = 0;
    // Whether the page may be left or applied; with `showMessages` the user is
    // told why not and the focus goes to the field at fault.
    virtual bool Validate(bool showMessages) = 0;
    // Writes the panel's values into its object.
    virtual void Apply() = 0;
};

}  // namespace quillet
