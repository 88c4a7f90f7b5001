// The process's one icon cache, owning the icons it holds. Every icon quillet
// shows in a menu or a tray icon comes from here (see item_icons.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "quillet/ui/icons/icon_cache.h"

namespace quillet {

// The icon in `slot` of the entry `keyText` (an IconCacheKeyText, or any
// text naming where an icon comes from), loaded by `load` when the slot is
// empty; a null load leaves the slot empty to be tried again. `hold` marks
// the entry as handed out for good (a menu entry, a tray icon): it is then
// never trimmed. An icon not held stays valid until a later request or trim
// drops its entry.
HICON CachedIcon(const std::string& keyText, IconSlot slot, bool hold, const std::function<HICON()>& load);

// The number of entries, and of those trimming may drop.
size_t CachedIconEntries();
size_t TrimmableCachedIconEntries();

}  // namespace quillet
