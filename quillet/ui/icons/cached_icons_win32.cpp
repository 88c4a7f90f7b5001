// GetCachedIcon: the icon loaders of item icons behind the process's cache.
#include "quillet/ui/icons/icon_cache_win32.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/item_icons.h"

namespace quillet {

HICON GetCachedIcon(const std::string& file, int index, bool smallSlot, bool sixteenPixel) {
    // The 16-pixel variant is the exact-size image of the icon group; the
    // plain one is the icon as the system sizes it.
    const IconSize size = sixteenPixel ? (smallSlot ? IconSize::ExactSmall : IconSize::ExactLarge)
                                       : (smallSlot ? IconSize::Small : IconSize::Large);
    return CachedIcon(IconCacheKeyText(file, index, sixteenPixel), smallSlot ? IconSlot::Small : IconSlot::Large,
                      false, [&] { return LoadSourceIcon(file, index, size); });
}

}  // namespace quillet
