#include "corvessa/control_text_win32.h"

#include <algorithm>

namespace corvessa {

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

std::string ListText(HWND list, int index, UINT lengthMessage, UINT textMessage) {
    LRESULT length = SendMessageA(list, lengthMessage, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

}  // namespace corvessa
