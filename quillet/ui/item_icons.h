// The icons of icon-set objects: from the object's icon source (a file and an
// index, or a resource id when the index is negative), else from its class
// (the program icon for a tray icon, the shell's icon for a folder), else the
// program's fallback icon. Icons are kept for the life of the process, so the
// caller never destroys them.
#pragma once

#include <windows.h>

#include "quillet/model/object.h"

namespace quillet {

enum class IconSize { Large, Small, ExactLarge, ExactSmall };

HICON ItemIcon(const Object& item, IconSize size);

}  // namespace quillet
