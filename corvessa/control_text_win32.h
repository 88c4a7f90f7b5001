// Texts of the controls corvessa reads back: a window's own text and one
// item of a list box or combo box, of any length.
#pragma once

#include <windows.h>

#include <string>

namespace corvessa {

std::string WindowText(HWND window);

// Item `index` of a list (LB_GETTEXTLEN, LB_GETTEXT) or combo box
// (CB_GETLBTEXTLEN, CB_GETLBTEXT); empty when there is no such item.
std::string ListText(HWND list, int index, UINT lengthMessage, UINT textMessage);

}  // namespace corvessa
