#include "corvessa/main_drawing_win32.h"

#include <string>

#include "corvessa/control_text_win32.h"
#include "corvessa/resource.h"

namespace corvessa {

namespace {

const COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

// Captions painted straight onto the background.
struct PaintedCaption {
    RECT place;
    const char* text;
};
const PaintedCaption kCaptions[] = {
    {{110, 154, 172, 168}, "now"},
    {{110, 204, 172, 218}, "new"},
    {{16, 244, 172, 258}, "Icons in the file:"},
    {{196, 40, 364, 54}, "Pick an icon file:"},
    {{196, 309, 230, 323}, "Type:"},
};

RECT PlaceOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void MainPictures::Load(HINSTANCE instance) {
    auto bitmap = [&](int id) {
        return platform::unique_hbitmap(
            static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    };
    auto smallIcon = [&](int id) {
        return platform::unique_hicon(
            static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    };
    previousArrow = bitmap(IDB_ARROW_PREVIOUS);
    nextArrow = bitmap(IDB_ARROW_NEXT);
    folderClosed = smallIcon(IDI_FOLDER_CLOSED);
    folderOpen = smallIcon(IDI_FOLDER_OPEN);
    this->smallIcon = smallIcon(IDI_CORVESSA);
}

void PaintMainWindow(const Look& look, const MainPictures& pictures, HWND window, HDC dc, HWND targetBox) {
    RECT client;
    GetClientRect(window, &client);
    PaintBackground(look, window, dc, client);

    DrawIconEx(dc, 8, 6, pictures.smallIcon.get(), 16, 16, 0, nullptr, DI_NORMAL);
    RECT title = {30, 0, 300, Look::kTitleHeight};
    PaintText(dc, "Corvessa", title, look.titleFont.get(), Look::kTitleText, DT_SINGLELINE | DT_VCENTER);
    for (const PaintedCaption& caption : kCaptions) {
        PaintText(dc, caption.text, caption.place, look.font.get(), Look::kText, DT_SINGLELINE | DT_VCENTER);
    }

    RECT frame = PlaceOf(targetBox);
    InflateRect(&frame, 3, 3);
    platform::unique_hbrush brush(CreateSolidBrush(Look::kTargetFrame));
    for (int ring = 0; ring < 2; ++ring) {
        FrameRect(dc, &frame, brush.get());
        InflateRect(&frame, -1, -1);
    }
}

RECT TargetFramesArea(HWND fullBox, HWND emptyBox) {
    RECT frames = PlaceOf(fullBox);
    RECT empty = PlaceOf(emptyBox);
    UnionRect(&frames, &frames, &empty);
    InflateRect(&frames, 5, 5);
    return frames;
}

void DrawLabel(const Look& look, const DRAWITEMSTRUCT& item, UINT format, HFONT font, COLORREF color) {
    PaintBackground(look, item.hwndItem, item.hDC, item.rcItem);
    PaintText(item.hDC, WindowText(item.hwndItem).c_str(), item.rcItem, font, color, format);
}

void DrawIconBox(const DRAWITEMSTRUCT& item, HICON icon) {
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(item.hDC, &box, EDGE_SUNKEN, BF_RECT);
    if (icon) DrawIconEx(item.hDC, box.left + 2, box.top + 2, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

void DrawIconView(const DRAWITEMSTRUCT& item, HICON icon) {
    RECT view = item.rcItem;
    FillRect(item.hDC, &view, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(item.hDC, &view, BDR_SUNKENOUTER, BF_RECT);
    if (icon) {
        int left = view.left + (view.right - view.left - 32) / 2;
        int top = view.top + (view.bottom - view.top - 32) / 2;
        DrawIconEx(item.hDC, left, top, icon, 32, 32, 0, nullptr, DI_NORMAL);
    }
}

void DrawArrow(const Look& look, const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool enabled) {
    PaintBackground(look, item.hwndItem, item.hDC, item.rcItem);
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    platform::unique_hdc memory(CreateCompatibleDC(item.hDC));
    platform::unique_select_object picture(memory.get(), bitmap);
    int half = info.bmWidth / 2;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    TransparentBlt(item.hDC, item.rcItem.left + (pressed ? 1 : 0), item.rcItem.top + (pressed ? 1 : 0), half,
                   info.bmHeight, memory.get(), enabled ? 0 : half, 0, half, info.bmHeight, kMagenta);
}

void DrawPlateButton(const Look& look, const DRAWITEMSTRUCT& item, bool bold) {
    PaintBackground(look, item.hwndItem, item.hDC, item.rcItem);
    RECT area = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (pressed) OffsetRect(&area, 1, 1);
    PaintText(item.hDC, WindowText(item.hwndItem).c_str(), area, bold ? look.boldFont.get() : look.font.get(),
              Look::kText, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void DrawFolderItem(const Look& look, const MainPictures& pictures, const DRAWITEMSTRUCT& item,
                    const FolderLevel* level) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!level) return;
    int left = item.rcItem.left + 2 + level->depth * 8;
    int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 16) / 2;
    DrawIconEx(item.hDC, left, top, (level->open ? pictures.folderOpen : pictures.folderClosed).get(), 16, 16, 0,
               nullptr, DI_NORMAL);
    RECT text = item.rcItem;
    text.left = left + 20;
    PaintText(item.hDC, level->name.c_str(), text, look.font.get(),
              GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace corvessa
