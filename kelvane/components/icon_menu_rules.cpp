#include "kelvane/components/icon_menu_rules.h"

#include <algorithm>

namespace kelvane {

int MenuItemHeight(int textHeightOfI, int smallIconHeight) {
    return std::max(textHeightOfI + 5, smallIconHeight + 3);
}

int ItemsPerColumn(int screenHeight, int itemHeight) {
    return itemHeight > 0 ? screenHeight / itemHeight : 0;
}

std::vector<MenuBreak> ColumnBreaks(int count, int screenHeight, int itemHeight) {
    std::vector<MenuBreak> breaks(static_cast<size_t>(std::max(count, 0)), MenuBreak::None);
    if (count <= 0 || itemHeight <= 0) return breaks;
    // A menu on a screen shorter than one item still shows one item a column.
    if (static_cast<long long>(screenHeight) >= static_cast<long long>(count) * itemHeight) return breaks;
    int per = std::clamp(ItemsPerColumn(screenHeight, itemHeight), 1, count);
    for (int k = 1; k <= (count - 1) / per; ++k) breaks[static_cast<size_t>(k * per)] = MenuBreak::BarBreak;
    return breaks;
}

MenuItemSize MeasuredMenuItem(int captionWidth, int textHeight, int smallIconWidth, int smallIconHeight,
                              int widthLimit) {
    return {std::min(captionWidth + smallIconWidth + 18, widthLimit), std::max(textHeight + 3, smallIconHeight + 2)};
}

std::string ShortenedCaption(const std::string& caption, int widthLimit,
                             const std::function<int(const std::string&)>& widthOf) {
    if (widthOf(caption) <= widthLimit) return caption;
    std::string rest = caption;
    while (!rest.empty() && widthOf(rest + kMenuEllipsis) > widthLimit) rest.pop_back();
    return rest + kMenuEllipsis;
}

}  // namespace kelvane
