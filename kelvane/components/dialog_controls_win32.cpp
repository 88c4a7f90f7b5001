#include "kelvane/components/dialog_controls_win32.h"

#include <shellapi.h>

#include "kelvane/components/dialog_control_rules.h"

namespace kelvane {

std::string DialogControl::Text() const {
    // WM_GETTEXT, not GetWindowText: it reads what a control of another
    // process holds as well.
    int length = static_cast<int>(Send(WM_GETTEXTLENGTH));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = static_cast<int>(Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void CTrackBar::SetRange(int minimum, int maximum) {
    Send(TBM_SETRANGEMIN, FALSE, minimum);
    Send(TBM_SETRANGEMAX, TRUE, maximum);
}

void CUpDown::SetStep(int step) {
    UDACCEL accel = {0, static_cast<UINT>(step)};
    Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void CComboBox::SetpDefaultIndex(int index) {
    if (ItemIndex() < 0) SetItemIndex(index);
}

void CComboBox::SetpDefaultItem(const std::string& text) {
    if (ItemIndex() >= 0) return;
    LRESULT found = Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (found != CB_ERR) SetItemIndex(static_cast<int>(found));
}

void CComboBox::SetReadOnly(bool readOnly) {
    if ((GetWindowLongA(m_window, GWL_STYLE) & 0x3) == CBS_DROPDOWN) {
        HWND edit = FindWindowExA(m_window, nullptr, "Edit", nullptr);
        if (edit) SendMessageA(edit, EM_SETREADONLY, readOnly, 0);
        return;
    }
    SetEnabled(!readOnly);
}

int32_t CMaskEdit::Value() const {
    return ParseInteger(Text()).value_or(0);
}

void CMaskEdit::SetValue(int32_t value) {
    SetText(std::to_string(ClampedValue(value, m_minValue, m_maxValue)));
}

void CMaskEdit::SetRange(int32_t minValue, int32_t maxValue) {
    m_minValue = minValue;
    m_maxValue = maxValue;
    Send(EM_LIMITTEXT, static_cast<WPARAM>(MaxTextLength(maxValue)));
}

CPanel::CPanel(HWND dialog, std::initializer_list<int> ids) {
    for (int id : ids) m_controls.push_back(GetDlgItem(dialog, id));
}

void CPanel::SetContentsEnabled(bool enabled) {
    for (HWND control : m_controls) EnableWindow(control, enabled);
}

bool OpenUrl(const std::string& url) {
    if (url.find_first_not_of(" \t") == std::string::npos) return false;
    HINSTANCE result = ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace kelvane
