// Painting shared by corvessa's two windows: the background picture under
// the controls, which are drawn by their parent so that the picture shows
// through, and the fonts.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace corvessa {

struct Look {
    platform::unique_hgdiobj background;
    platform::unique_hgdiobj font;
    platform::unique_hgdiobj boldFont;
    platform::unique_hgdiobj titleFont;
    SIZE backgroundSize = {};

    static const COLORREF kText = RGB(0x1C, 0x2B, 0x3C);
    static const COLORREF kTitleText = RGB(0xFF, 0xFF, 0xFF);
    static const COLORREF kHoverText = RGB(0xFF, 0xE0, 0x8A);
    static const COLORREF kTargetFrame = RGB(0xD2, 0x5A, 0x1E);
    static const int kTitleHeight = 28;

    bool Load(HINSTANCE instance);
};

// Copies the part of the background picture that lies under `area` of
// `window` into `dc` at `area`.
void PaintBackground(const Look& look, HWND window, HDC dc, const RECT& area);

// Text drawn transparently in one colour and font.
void PaintText(HDC dc, const char* text, RECT area, HGDIOBJ font, COLORREF color, UINT format);

}  // namespace corvessa
