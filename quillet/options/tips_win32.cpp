// The tip of the day.
#include <windows.h>

#include "platform/handles.h"
#include "quillet/app/application.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/options/options_sheet_win32.h"
#include "quillet/options/tips_rules.h"
#include "quillet/strings/strings_win32.h"

namespace quillet {
namespace {

constexpr int kIconColumnWidth = 40;
constexpr int kTitleBandHeight = 32;
constexpr int kRuleHeight = 2;
constexpr int kTextMargin = 8;

platform::unique_hfont MakeFont(int height, int weight, const char* face) {
    return platform::unique_hfont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                              DEFAULT_PITCH | FF_DONTCARE, face));
}

class TipDialog {
public:
    void Run(HWND parent) {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TIP_OF_THE_DAY), parent,
                        BoundDialogProcedure<TipDialog>, reinterpret_cast<LPARAM>(this));
    }

    void Bind(HWND dialog) { m_dialog = dialog; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: return OnCommand(LOWORD(wParam));
        case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        default: return FALSE;
        }
    }

private:
    INT_PTR OnInitDialog() {
        Language& texts = App().Texts();
        LocalizeDialog(texts, m_dialog);
        m_count = ParseTipCount(texts.GetText("tipCount").value_or(""));
        m_title = texts.GetText("tipBlockTitle").value_or("");
        m_titleFont = MakeFont(-19, FW_BOLD, "Times New Roman");
        m_textFont = MakeFont(-12, FW_NORMAL, "Arial");
        m_icon.reset(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TIP), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
        CheckDlgButton(m_dialog, IDC_TIP_SHOW_TIPS,
                       ReadProgramDword(kShowTipsValueName, 1) ? BST_CHECKED : BST_UNCHECKED);
        ShowNextTip();
        return TRUE;
    }

    INT_PTR OnCommand(int id) {
        switch (id) {
        case IDOK: ShowNextTip(); return TRUE;
        case IDCANCEL: EndDialog(m_dialog, IDCANCEL); return TRUE;
        case IDC_TIP_SHOW_TIPS:
            WriteProgramDword(kShowTipsValueName, IsDlgButtonChecked(m_dialog, IDC_TIP_SHOW_TIPS) ? 1 : 0);
            return TRUE;
        default: return FALSE;
        }
    }

    void ShowNextTip() {
        const uint32_t number = NextTipNumber(ReadProgramDword(kLastTipValueName, 0), m_count);
        WriteProgramDword(kLastTipValueName, number);
        m_text = App().Texts().GetText(TipKey(number)).value_or("");
        InvalidateRect(GetDlgItem(m_dialog, IDC_TIP_AREA), nullptr, TRUE);
    }

    INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item) {
        if (item.CtlID != IDC_TIP_AREA) return FALSE;
        HDC dc = item.hDC;
        RECT area = item.rcItem;
        FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));

        RECT column = {area.left, area.top, area.left + kIconColumnWidth, area.bottom};
        FillRect(dc, &column, GetSysColorBrush(COLOR_BTNSHADOW));
        if (m_icon) DrawIconEx(dc, column.left + 4, column.top + 4, m_icon.get(), 32, 32, 0, nullptr, DI_NORMAL);

        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT band = {column.right + kTextMargin, area.top, area.right - kTextMargin, area.top + kTitleBandHeight};
        {
            platform::unique_select_object font(dc, m_titleFont.get());
            DrawTextA(dc, m_title.c_str(), -1, &band, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        RECT rule = {column.right, band.bottom, area.right, band.bottom + kRuleHeight};
        FillRect(dc, &rule, GetSysColorBrush(COLOR_BTNSHADOW));

        RECT text = {column.right + kTextMargin, rule.bottom + kTextMargin, area.right - kTextMargin,
                     area.bottom - kTextMargin};
        platform::unique_select_object font(dc, m_textFont.get());
        DrawTextA(dc, m_text.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
        FrameRect(dc, &area, GetSysColorBrush(COLOR_BTNSHADOW));
        return TRUE;
    }

    HWND m_dialog = nullptr;
    uint32_t m_count = 0;
    std::string m_title;
    std::string m_text;
    platform::unique_hfont m_titleFont;
    platform::unique_hfont m_textFont;
    platform::unique_hicon m_icon;
};

}  // namespace

void ShowTips(HWND parent, bool forced) {
    if (!forced && ReadProgramDword(kShowTipsValueName, 1) == 0) return;
    TipDialog dialog;
    dialog.Run(parent);
}

}  // namespace quillet
