// The icons of icon-set objects: from the object's icon source (a file and an
// index, or a resource id when the index is negative), else from its class
// (the program icon for a tray icon, the shell's icon for a folder), else the
// program's fallback icon. Icons are kept for the life of the process, so the
// caller never destroys them. They live in the process's icon cache
// (quillet/ui/icons/icon_cache_win32.h), held there for good.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "quillet/model/object.h"

namespace quillet {

enum class IconSize { Large, Small, ExactLarge, ExactSmall };

HICON ItemIcon(const Object& item, IconSize size);

// The process's one store of such icons, for any icon quillet loads and
// shows for as long as it likes (menu entries, tray icons): the icon `key`
// names, loaded by `load` the first time (its handle is then owned here) and
// the same handle every time after. A key says where the icon came from and
// its size; a failed load is not kept, so it is tried again next time.
HICON KeptIcon(const std::string& key, const std::function<HICON()>& load);

// An icon loaded from a file and index as an item's icon source names it,
// not cached: the caller owns it. Null when the file yields none.
HICON LoadSourceIcon(const std::string& file, int index, IconSize size);

// The position of the icon group resource `resourceId` among the icon groups
// of a program file, in the order the file lists them; nothing when the file
// cannot be opened or has no such group.
std::optional<int> IconGroupPosition(const std::string& file, int resourceId);

}  // namespace quillet
