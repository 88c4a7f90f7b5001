#include "quillet/options/password_form.h"

#include <cstdio>

#include "quillet/strings/key_hash.h"

namespace quillet {

std::string StoredPasswordForm(std::string_view internalName, std::string_view password) {
    char digits[16] = {};
    std::snprintf(digits, sizeof digits, "%011lo", static_cast<unsigned long>(KeyHash(password)));
    return std::string(internalName) + digits;
}

bool SameStoredForm(std::string_view left, std::string_view right) {
    // Every byte of the longer form is looked at, whatever the first
    // difference; a missing byte counts as a difference of its own.
    const size_t length = left.size() > right.size() ? left.size() : right.size();
    unsigned difference = left.size() == right.size() ? 0u : 1u;
    for (size_t i = 0; i < length; ++i) {
        const unsigned a = i < left.size() ? static_cast<unsigned char>(left[i]) : 0u;
        const unsigned b = i < right.size() ? static_cast<unsigned char>(right[i]) : 0u;
        difference |= a ^ b;
    }
    return difference == 0;
}

PasswordDialogKind ChoosePasswordDialog(bool changeMode, std::string_view currentForm) {
    if (changeMode) return PasswordDialogKind::Change;
    return currentForm.empty() ? PasswordDialogKind::Lock : PasswordDialogKind::Unlock;
}

bool PasswordOkEnabled(PasswordDialogKind kind, const PasswordFields& fields) {
    if (fields.password.empty()) return false;
    switch (kind) {
    case PasswordDialogKind::Lock: return !fields.confirmation.empty();
    case PasswordDialogKind::Change: return !fields.oldPassword.empty() && !fields.confirmation.empty();
    case PasswordDialogKind::Unlock: return true;
    }
    return false;
}

PasswordOutcome JudgePasswordDialog(PasswordDialogKind kind, std::string_view internalName,
                                    std::string_view currentForm, const PasswordFields& fields) {
    PasswordOutcome outcome;
    switch (kind) {
    case PasswordDialogKind::Unlock:
        if (!SameStoredForm(StoredPasswordForm(internalName, fields.password), currentForm)) {
            outcome.verdict = PasswordVerdict::WrongPassword;
        }
        return outcome;  // accepted: the kept form is empty
    case PasswordDialogKind::Change:
        if (!SameStoredForm(StoredPasswordForm(internalName, fields.oldPassword), currentForm)) {
            outcome.verdict = PasswordVerdict::WrongPassword;
            return outcome;
        }
        [[fallthrough]];
    case PasswordDialogKind::Lock:
        if (fields.confirmation != fields.password) {
            outcome.verdict = PasswordVerdict::WrongConfirmation;
            return outcome;
        }
        outcome.keptForm = StoredPasswordForm(internalName, fields.password);
        return outcome;
    }
    return outcome;
}

}  // namespace quillet
