#include "corvessa/drawing_win32.h"

#include "corvessa/control_text_win32.h"
#include "corvessa/resource.h"
#include "platform/error_text.h"

namespace corvessa {

bool Look::Load(HINSTANCE instance, std::string& failure) {
    background.reset(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!background) {
        failure = platform::CallErrorText("LoadImage");
        return false;
    }
    BITMAP info = {};
    if (!GetObjectA(background.get(), sizeof info, &info)) {
        failure = platform::CallErrorText("GetObject");
        return false;
    }
    backgroundSize = {info.bmWidth, info.bmHeight};

    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTA base = {};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        base = metrics.lfMessageFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof base, &base);
    }
    font.reset(CreateFontIndirectA(&base));
    LOGFONTA bold = base;
    bold.lfWeight = FW_BOLD;
    boldFont.reset(CreateFontIndirectA(&bold));
    LOGFONTA title = bold;
    title.lfHeight = -15;
    titleFont.reset(CreateFontIndirectA(&title));
    if (!font || !boldFont || !titleFont) {
        failure = platform::CallErrorText("CreateFontIndirect");
        return false;
    }
    return true;
}

void PaintBackground(const Look& look, HWND window, HDC dc, const RECT& area) {
    // Child controls draw the slice of their parent's picture that they cover.
    POINT origin = {area.left, area.top};
    HWND parent = GetParent(window);
    if (parent && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) MapWindowPoints(window, parent, &origin, 1);
    platform::unique_hdc memory(CreateCompatibleDC(dc));
    platform::unique_select_object picture(memory.get(), look.background.get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), origin.x, origin.y,
           SRCCOPY);
}

void PaintText(HDC dc, const char* text, RECT area, HFONT font, COLORREF color, UINT format) {
    platform::unique_select_object selected(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, color);
    DrawTextA(dc, text, -1, &area, format | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void DrawTitleButton(const Look& look, const DRAWITEMSTRUCT& item) {
    PaintBackground(look, item.hwndItem, item.hDC, item.rcItem);
    RECT area = item.rcItem;
    if (item.itemState & ODS_SELECTED) OffsetRect(&area, 1, 1);
    std::string text = WindowText(item.hwndItem);
    PaintText(item.hDC, text.c_str(), area, look.boldFont.get(), text.size() > 1 ? Look::kHoverText : Look::kTitleText,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

}  // namespace corvessa
