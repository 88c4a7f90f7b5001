// What's-this help: the one-entry menu on a dialog control, the help tables
// dialogs register, and the pop-up window that shows a control's help text.
#include <windows.h>
#include <windowsx.h>

#include <string>

#include "platform/dismissing_input.h"
#include "platform/handles.h"
#include "platform/rect_win32.h"
#include "platform/window_base.h"
#include "quillet/app/application.h"
#include "quillet/ui/help_rules.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/ui_resource_ids.h"

namespace quillet {
namespace {

// One pop-up at a time for the whole process, as one help text is shown at a
// time: a new request replaces the open pop-up.
class HelpPopup : public platform::BaseWindow<HelpPopup> {
public:
    void Show(const RECT& control, std::string text);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    void Close();
    void KeepBackground(const platform::Rect& place);
    std::string m_text;
    bool m_closing = false;
    // What the screen showed where the pop-up goes: the shadow darkens it.
    platform::unique_hbitmap m_background;
};

HelpPopup s_popup;

HFONT HelpFont() {
    return static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

// The text's size at the help width, as the pop-up draws it.
SIZE MeasureHelpText(const std::string& text) {
    platform::unique_hdc_window dc(nullptr);
    platform::unique_select_object font(dc.get(), HelpFont());
    RECT rect = {0, 0, kWhatsThisTextWidth, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &rect, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

platform::Rect ScreenOf(const RECT& control) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&control, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return platform::FromRECT(monitor.rcMonitor);
    }
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void HelpPopup::Show(const RECT& control, std::string text) {
    if (m_window) Close();
    m_text = std::move(text);
    m_closing = false;

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_PARENTDC | CS_SAVEBITS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHelpWindowClass;
    if (!platform::RegisterWindowClass(windowClass)) return;

    const SIZE textSize = MeasureHelpText(m_text);
    RECT frame = {0, 0, textSize.cx + kWhatsThisPadding, textSize.cy + kWhatsThisPadding};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_VISIBLE, FALSE, WS_EX_TOOLWINDOW);
    const platform::Rect place = WhatsThisPlacement(frame.right - frame.left, frame.bottom - frame.top,
                                                    platform::FromRECT(control), ScreenOf(control));
    KeepBackground(place);
    // The text is the window's title too, where tools and tests can read it.
    if (!CreateBound(WS_EX_TOOLWINDOW, kHelpWindowClass, m_text.c_str(), WS_POPUP, place.left, place.top,
                     place.Width(), place.Height(), nullptr, nullptr, instance)) {
        return;
    }
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    SetCapture(m_window);
}

// A window's unpainted pixels are not the screen behind it where windows are
// composed (and under X): the shadow is drawn over a copy of the screen taken
// before the pop-up appears, or it would be solid black.
void HelpPopup::KeepBackground(const platform::Rect& place) {
    platform::unique_hdc_window screen(nullptr);
    platform::unique_hdc copy(CreateCompatibleDC(screen.get()));
    m_background.reset(CreateCompatibleBitmap(screen.get(), place.Width(), place.Height()));
    if (!copy || !m_background) return;
    platform::unique_select_object selected(copy.get(), m_background.get());
    BitBlt(copy.get(), 0, 0, place.Width(), place.Height(), screen.get(), place.left, place.top, SRCCOPY);
}

void HelpPopup::Close() {
    if (m_closing || !m_window) return;
    m_closing = true;
    if (GetCapture() == m_window) ReleaseCapture();
    DestroyWindow(m_window);
    m_background.reset();
}

LRESULT HelpPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (platform::IsDismissingInput(message)) {
        Close();
        return 0;
    }
    switch (message) {
    // Without the capture no click would reach the pop-up, and it would stay
    // up forever: losing it to another window closes it too.
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window) Close();
        return 0;
    // Paint covers every pixel.
    case WM_ERASEBKGND: return 1;
    default: return DefaultHandling(message, wParam, lParam);
    }
}

void HelpPopup::Paint(HDC dc) {
    RECT client = {};
    GetClientRect(m_window, &client);
    const RECT frame = {0, 0, client.right - kWhatsThisShadow, client.bottom - kWhatsThisShadow};

    if (m_background) {
        platform::unique_hdc copy(CreateCompatibleDC(dc));
        platform::unique_select_object selected(copy.get(), m_background.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, copy.get(), 0, 0, SRCCOPY);
    }

    platform::unique_hbitmap halftone(LoadBitmapA(GetModuleHandleA(nullptr),
                                                  MAKEINTRESOURCEA(IDB_QUILLET_HELP_SHADOW)));
    platform::unique_hbrush shadow(halftone ? CreatePatternBrush(halftone.get()) : nullptr);
    if (shadow) {
        constexpr DWORD kPatternAndScreen = 0x00A000C9;
        platform::unique_select_object brush(dc, shadow.get());
        PatBlt(dc, frame.right, kWhatsThisShadow, kWhatsThisShadow, frame.bottom - kWhatsThisShadow,
               kPatternAndScreen);
        PatBlt(dc, kWhatsThisShadow, frame.bottom, client.right - kWhatsThisShadow, kWhatsThisShadow,
               kPatternAndScreen);
    }
    FillRect(dc, &frame, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    RECT text = frame;
    InflateRect(&text, -kWhatsThisTextInset, -kWhatsThisTextInset);
    platform::unique_select_object font(dc, HelpFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, m_text.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
}

// The dialog's own child that holds `window` (a combo box for its edit).
HWND DialogChild(HWND dialog, HWND window) {
    while (window && GetParent(window) != dialog) window = GetParent(window);
    return window;
}

}  // namespace

void ShowWhatsThis(HWND control, const char* key) {
    const std::string helpKey =
        key ? std::string(key)
            : HelpKeyFor(static_cast<const HelpRow*>(GetPropA(GetParent(control), kHelpTableProperty)),
                         GetDlgCtrlID(control));
    Language& texts = App().Texts();
    std::optional<std::string> text = texts.GetText(helpKey);
    // A row naming a key the language library lacks says what a missing row
    // says, rather than showing an empty pop-up.
    if (!text || text->empty()) text = texts.GetText(kUnknownHelpKey);
    RECT place = {};
    GetWindowRect(control, &place);
    s_popup.Show(place, text.value_or(std::string()));
}

void SetDialogHelp(HWND dialog, const HelpRow* rows) {
    if (rows) {
        SetPropA(dialog, kHelpTableProperty, const_cast<HelpRow*>(rows));
    } else {
        RemovePropA(dialog, kHelpTableProperty);
    }
}

bool HandleContextHelp(HWND dialog, WPARAM wParam, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HWND control = nullptr;
    if (lParam == -1) {
        // From the keyboard (Shift+F10, the menu key): the focused control,
        // with the menu at its middle.
        control = DialogChild(dialog, GetFocus());
        RECT rect = {};
        if (control) GetWindowRect(control, &rect);
        point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    } else {
        control = DialogChild(dialog, reinterpret_cast<HWND>(wParam));
        if (!control) {
            // Clicked on the dialog itself: a static or disabled control there
            // does not take the click.
            POINT client = point;
            ScreenToClient(dialog, &client);
            control = ChildWindowFromPointEx(dialog, client, CWP_SKIPINVISIBLE);
            if (control == dialog) control = nullptr;
        }
    }
    if (!control || !HasHelpId(GetDlgCtrlID(control))) return false;

    platform::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return false;
    const std::string entry = App().Texts().GetText(kWhatsThisMenuKey).value_or(kWhatsThisMenuKey);
    AppendMenuA(menu.get(), MF_STRING, kWhatsThisCommand, entry.c_str());
    const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, dialog,
                                      nullptr);
    if (chosen == kWhatsThisCommand) ShowWhatsThis(control);
    return true;
}

}  // namespace quillet
