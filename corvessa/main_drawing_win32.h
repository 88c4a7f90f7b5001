// Painting of the main window: its title bar and captions on the picture,
// the frame that marks the assignment target, and its owner-drawn controls.
#pragma once

#include <windows.h>

#include "corvessa/drawing_win32.h"
#include "corvessa/folder_list.h"
#include "platform/handles.h"

namespace corvessa {

// The main window's own pictures besides the shared look.
struct MainPictures {
    // Each arrow picture holds both looks side by side: usable, then dimmed.
    platform::unique_hbitmap previousArrow;
    platform::unique_hbitmap nextArrow;
    platform::unique_hicon folderClosed;
    platform::unique_hicon folderOpen;
    platform::unique_hicon smallIcon;

    void Load(HINSTANCE instance);
};

// The window's own painting; the target frame goes around `targetBox`.
void PaintMainWindow(const Look& look, const MainPictures& pictures, HWND window, HDC dc, HWND targetBox);

// Where the target frames around the two new-icon boxes are painted.
RECT TargetFramesArea(HWND fullBox, HWND emptyBox);

// A label on the picture showing its window text.
void DrawLabel(const Look& look, const DRAWITEMSTRUCT& item, UINT format, HFONT font, COLORREF color);

// A sunken box with a 32x32 icon (or none) 2 pixels in.
void DrawIconBox(const DRAWITEMSTRUCT& item, HICON icon);

// The icon strip's viewport with the icon in view centred.
void DrawIconView(const DRAWITEMSTRUCT& item, HICON icon);

void DrawArrow(const Look& look, const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool enabled);

// "Apply!": a text on a small raised plate.
void DrawPlateButton(const Look& look, const DRAWITEMSTRUCT& item, bool bold);

// One entry of the folder list, indented by its depth, with an open or
// closed folder icon.
void DrawFolderItem(const Look& look, const MainPictures& pictures, const DRAWITEMSTRUCT& item,
                    const FolderLevel* level);

}  // namespace corvessa
