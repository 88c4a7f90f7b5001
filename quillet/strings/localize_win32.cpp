#include <cstdio>

#include "quillet/strings/strings_win32.h"

namespace quillet {

namespace {

constexpr int kMaxWindowText = 1023;
constexpr int kMaxMenuText = 255;
// Static controls with these ids show the program's icons.
constexpr int kLargeIconControl = 1029;
constexpr int kSmallIconControl = 1030;

bool LocalizeWindowText(Language& language, HWND window) {
    char text[kMaxWindowText + 1];
    const int length = GetWindowTextA(window, text, sizeof text);
    if (length <= 0) return true;
    const Expansion expansion = language.ExpandKeys(std::string_view(text, length));
    if (expansion.text != std::string_view(text, length)) SetWindowTextA(window, expansion.text.c_str());
    return expansion.allFound;
}

}  // namespace

bool LocalizeDialog(Language& language, HWND dialog, HMODULE iconModule) {
    if (iconModule == nullptr) iconModule = GetModuleHandleA(nullptr);
    bool allFound = LocalizeWindowText(language, dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!LocalizeWindowText(language, child)) allFound = false;
        const int id = GetDlgCtrlID(child);
        if (id == kLargeIconControl || id == kSmallIconControl) {
            // LoadIcon gives the standard size and a shared icon that is never destroyed.
            HICON icon = LoadIconA(iconModule, MAKEINTRESOURCEA(id == kLargeIconControl ? 1 : 2));
            if (icon) SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
    }
    return allFound;
}

bool LocalizeMenu(Language& language, HMENU menu) {
    bool allFound = true;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[kMaxMenuText + 1] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) continue;
        if (item.hSubMenu && !LocalizeMenu(language, item.hSubMenu)) allFound = false;
        if (item.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) continue;
        if (text[0] == '\0') continue;

        const Expansion expansion = language.ExpandKeys(text);
        if (!expansion.allFound) allFound = false;
        if (expansion.text == text) continue;
        MENUITEMINFOA update{};
        update.cbSize = sizeof update;
        update.fMask = MIIM_STRING;
        update.dwTypeData = const_cast<char*>(expansion.text.c_str());
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &update);
    }
    return allFound;
}

std::string LanguageDisplayName(uint16_t number) {
    const LCID locale = MAKELCID(MAKELANGID(number, SUBLANG_DEFAULT), SORT_DEFAULT);
    char name[256];
    if (number <= 0x3FF && GetLocaleInfoA(locale, LOCALE_SLANGUAGE, name, sizeof name) > 0) {
        std::string stripped = StripLanguageQualifier(name);
        if (!stripped.empty()) return stripped;
    }
    return std::to_string(number);
}

}  // namespace quillet
