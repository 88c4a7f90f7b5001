// The dialog controls the settings dialog is made of: thin views of the
// common controls a dialog template created, found by the dialog and the
// control's identifier.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kelvane {

class DialogControl {
public:
    DialogControl() = default;
    DialogControl(HWND dialog, int id) : m_window(GetDlgItem(dialog, id)) {}
    HWND Window() const { return m_window; }
    bool Enabled() const { return IsWindowEnabled(m_window) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(m_window, enabled); }
    std::string Text() const;
    void SetText(const std::string& text) { SetWindowTextA(m_window, text.c_str()); }

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(m_window, message, wParam, lParam);
    }
    HWND m_window = nullptr;
};

class CCheckBox : public DialogControl {
public:
    using DialogControl::DialogControl;
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

class CTrackBar : public DialogControl {
public:
    using DialogControl::DialogControl;
    void SetRange(int minimum, int maximum);
    int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPosition(int position) { Send(TBM_SETPOS, TRUE, position); }
};

class CUpDown : public DialogControl {
public:
    using DialogControl::DialogControl;
    void SetRange(int minimum, int maximum) { Send(UDM_SETRANGE32, minimum, maximum); }
    // Each click moves the position by `step`.
    void SetStep(int step);
    int Position() const { return static_cast<int>(Send(UDM_GETPOS32)); }
    void SetPosition(int position) { Send(UDM_SETPOS32, 0, position); }
};

class CComboBox : public DialogControl {
public:
    using DialogControl::DialogControl;
    template <typename Items>
    void SetItems(const Items& items) {
        Send(CB_RESETCONTENT);
        for (const char* item : items) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    // -1 when no entry is selected.
    int ItemIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetItemIndex(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // Selects `index` when no entry is selected.
    void SetpDefaultIndex(int index);
    // Selects the entry with this text when no entry is selected.
    void SetpDefaultItem(const std::string& text);
    // The drop-down list styles have no edit part to make read-only: they are
    // disabled instead.
    void SetReadOnly(bool readOnly);
};

// A numeric edit: its Value is the text read as an integer, and written
// clamped to [MinValue, MaxValue] (equal bounds: no clamping). A non-zero
// MaxValue limits the text to as many characters as it has digits.
class CMaskEdit : public DialogControl {
public:
    using DialogControl::DialogControl;
    int32_t Value() const;
    void SetValue(int32_t value);
    void SetRange(int32_t minValue, int32_t maxValue);

private:
    int32_t m_minValue = 0;
    int32_t m_maxValue = 0;
};

// A group of controls enabled and disabled together, in their order; the
// controls a panel held on the form.
class CPanel {
public:
    CPanel() = default;
    CPanel(HWND dialog, std::initializer_list<int> ids);
    void EnableContents() { SetContentsEnabled(true); }
    void DisableContents() { SetContentsEnabled(false); }
    void SetContentsEnabled(bool enabled);

private:
    std::vector<HWND> m_controls;
};

// Opens a link (mail or web address) with the shell's "open" verb; a blank
// text opens nothing.
bool OpenUrl(const std::string& url);

}  // namespace kelvane
