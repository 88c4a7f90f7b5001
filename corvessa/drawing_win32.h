// Painting shared by corvessa's two windows: the background picture under
// the controls, which are drawn by their parent so that the picture shows
// through, the fonts, and the text buttons of the title bar.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace corvessa {

struct Look {
    platform::unique_hbitmap background;
    platform::unique_hfont font;
    platform::unique_hfont boldFont;
    platform::unique_hfont titleFont;
    SIZE backgroundSize = {};

    static const COLORREF kText = RGB(0x1C, 0x2B, 0x3C);
    static const COLORREF kTitleText = RGB(0xFF, 0xFF, 0xFF);
    static const COLORREF kHoverText = RGB(0xFF, 0xE0, 0x8A);
    static const COLORREF kTargetFrame = RGB(0xD2, 0x5A, 0x1E);
    static const int kTitleHeight = 28;

    // Loads the picture and makes the fonts; on failure `failure` says which
    // call failed and why.
    bool Load(HINSTANCE instance, std::string& failure);
};

// Copies the part of the background picture that lies under `area` of
// `window` into `dc` at `area`.
void PaintBackground(const Look& look, HWND window, HDC dc, const RECT& area);

// Text drawn transparently in one colour and font.
void PaintText(HDC dc, const char* text, RECT area, HFONT font, COLORREF color, UINT format);

// A text button of the title bar ("X", "?"): bold on the picture, in the
// hover colour while it shows its longer hint ("exit", "help", "close").
void DrawTitleButton(const Look& look, const DRAWITEMSTRUCT& item);

}  // namespace corvessa
