#include "corvessa/drawing_win32.h"

#include "corvessa/resource.h"

namespace corvessa {

bool Look::Load(HINSTANCE instance) {
    background.reset(LoadImageA(instance, MAKEINTRESOURCEA(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (!background || !GetObjectA(background.get(), sizeof info, &info)) return false;
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
    return font && boldFont && titleFont;
}

void PaintBackground(const Look& look, HWND window, HDC dc, const RECT& area) {
    // Child controls draw the slice of their parent's picture that they cover.
    POINT origin = {area.left, area.top};
    HWND parent = GetParent(window);
    if (parent && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) MapWindowPoints(window, parent, &origin, 1);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, look.background.get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, origin.x, origin.y,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void PaintText(HDC dc, const char* text, RECT area, HGDIOBJ font, COLORREF color, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, color);
    DrawTextA(dc, text, -1, &area, format | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, old);
}

}  // namespace corvessa
