// The lock, unlock and change-password dialogs.
#include <windows.h>

#include "quillet/app/application.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/options/options_sheet_win32.h"
#include "quillet/options/password_form.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/messages.h"

namespace quillet {
namespace {

int TemplateOf(PasswordDialogKind kind) {
    switch (kind) {
    case PasswordDialogKind::Lock: return IDD_PASSWORD_LOCK;
    case PasswordDialogKind::Unlock: return IDD_PASSWORD_UNLOCK;
    case PasswordDialogKind::Change: return IDD_PASSWORD_CHANGE;
    }
    return IDD_PASSWORD_LOCK;
}

class PasswordDialog {
public:
    PasswordDialog(PasswordDialogKind kind, std::string currentForm)
        : m_kind(kind), m_currentForm(std::move(currentForm)) {}

    // The form tag 9101 takes, when the user confirmed.
    std::optional<std::string> Run(HWND parent) {
        const INT_PTR answer = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TemplateOf(m_kind)), parent,
                                               BoundDialogProcedure<PasswordDialog>, reinterpret_cast<LPARAM>(this));
        if (answer != IDOK) return std::nullopt;
        return m_keptForm;
    }

    void Bind(HWND dialog) { m_dialog = dialog; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
        default: return FALSE;
        }
    }

private:
    INT_PTR OnInitDialog() {
        LocalizeDialog(App().Texts(), m_dialog);
        if (m_kind == PasswordDialogKind::Unlock) {
            CheckDlgButton(m_dialog, IDC_PASSWORD_RELOCK,
                           ReadProgramDword(kRelockPasswordValueName, 1) ? BST_CHECKED : BST_UNCHECKED);
        }
        UpdateOk();
        SetFocus(GetDlgItem(m_dialog, m_kind == PasswordDialogKind::Change ? IDC_PASSWORD_OLD : IDC_PASSWORD));
        return FALSE;
    }

    INT_PTR OnCommand(int id, int code) {
        switch (id) {
        case IDC_PASSWORD:
        case IDC_PASSWORD_CONFIRM:
        case IDC_PASSWORD_OLD:
            if (code == EN_CHANGE) UpdateOk();
            return TRUE;
        case IDOK: OnOk(); return TRUE;
        case IDCANCEL: EndDialog(m_dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    }

    PasswordFields Fields() const {
        PasswordFields fields;
        fields.password = DialogItemText(m_dialog, IDC_PASSWORD);
        if (m_kind != PasswordDialogKind::Unlock) fields.confirmation = DialogItemText(m_dialog, IDC_PASSWORD_CONFIRM);
        if (m_kind == PasswordDialogKind::Change) fields.oldPassword = DialogItemText(m_dialog, IDC_PASSWORD_OLD);
        return fields;
    }

    void UpdateOk() { EnableWindow(GetDlgItem(m_dialog, IDOK), PasswordOkEnabled(m_kind, Fields())); }

    void ClearAndFocus(std::initializer_list<int> cleared, int focus) {
        for (int id : cleared) SetDlgItemTextA(m_dialog, id, "");
        SetFocus(GetDlgItem(m_dialog, focus));
        UpdateOk();
    }

    void OnOk() {
        const PasswordFields fields = Fields();
        // Enter reaches here even while OK is disabled.
        if (!PasswordOkEnabled(m_kind, fields)) return;
        const std::string internalName = App().Texts().ExpandMacros("%in");
        const PasswordOutcome outcome = JudgePasswordDialog(m_kind, internalName, m_currentForm, fields);
        switch (outcome.verdict) {
        case PasswordVerdict::WrongPassword:
            ShowMessage(m_dialog, MB_OK | MB_ICONHAND, "secBadPassword");
            if (m_kind == PasswordDialogKind::Change)
                ClearAndFocus({IDC_PASSWORD_OLD}, IDC_PASSWORD_OLD);
            else
                ClearAndFocus({IDC_PASSWORD}, IDC_PASSWORD);
            return;
        case PasswordVerdict::WrongConfirmation:
            ShowMessage(m_dialog, MB_OK | MB_ICONHAND, "secBadConfirmation");
            ClearAndFocus({IDC_PASSWORD, IDC_PASSWORD_CONFIRM}, IDC_PASSWORD);
            return;
        case PasswordVerdict::Accepted: break;
        }
        if (m_kind == PasswordDialogKind::Unlock) {
            WriteProgramDword(kRelockPasswordValueName, IsDlgButtonChecked(m_dialog, IDC_PASSWORD_RELOCK) ? 1 : 0);
        }
        m_keptForm = outcome.keptForm;
        EndDialog(m_dialog, IDOK);
    }

    PasswordDialogKind m_kind;
    std::string m_currentForm;
    std::string m_keptForm;
    HWND m_dialog = nullptr;
};

}  // namespace

bool ShowPasswordDialog(HWND parent, bool changeMode) {
    IconSetRoot& root = *App().Model().Root();
    const std::string current = root.ReadText(kTagPassword);
    PasswordDialog dialog(ChoosePasswordDialog(changeMode, current), current);
    std::optional<std::string> kept = dialog.Run(parent);
    if (!kept) return false;
    root.SetProperty(kTagPassword, Value::FromText(*kept));
    return true;
}

}  // namespace quillet
