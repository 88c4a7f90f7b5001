// The geometry of icon popup menus: how tall an item is, where the columns
// break, how wide an item may be and how a long caption is shortened.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

// An item's column break.
enum class MenuBreak { None, Break, BarBreak };

// The widest caption an item may show is that of this many letters "O".
inline constexpr int kMenuCaptionLimitLetters = 50;
inline constexpr const char* kMenuEllipsis = "...";

// The item height the column computation works with: the text height of "I"
// in the menu font plus 5, or the small-icon height plus 3 if that is more.
int MenuItemHeight(int textHeightOfI, int smallIconHeight);

// How many items fit in one column of a screen `screenHeight` pixels tall.
int ItemsPerColumn(int screenHeight, int itemHeight);

// The break of every item of a menu of `count` items: none at all when the
// menu fits on the screen, else a bar break at every full column after the
// first.
std::vector<MenuBreak> ColumnBreaks(int count, int screenHeight, int itemHeight);

struct MenuItemSize {
    int width;
    int height;
};

// WM_MEASUREITEM's answer: the caption's width plus the icon column and 18,
// at most `widthLimit`; the text height plus 3, at least the small icon's
// height plus 2.
MenuItemSize MeasuredMenuItem(int captionWidth, int textHeight, int smallIconWidth, int smallIconHeight,
                              int widthLimit);

// The caption as drawn: unchanged when `widthOf(caption)` fits within
// `widthLimit`; otherwise characters are taken off its end until the rest
// followed by "..." fits, and "..." is appended.
std::string ShortenedCaption(const std::string& caption, int widthLimit,
                             const std::function<int(const std::string&)>& widthOf);

}  // namespace kelvane
