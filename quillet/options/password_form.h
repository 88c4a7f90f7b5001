// The settings password: its stored form, and what the lock, unlock and
// change dialogs decide from the fields the user filled in. Portable: no
// <windows.h>.
//
// The stored form is the program's internal name followed by the 32-bit key
// hash of the password in 11 octal digits. Icon set files already hold forms
// made this way, so it stays; it keeps a casual user out of the settings and
// protects no data.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

std::string StoredPasswordForm(std::string_view internalName, std::string_view password);

// Whether two stored forms are the same, taking as long for any two forms of
// one length wherever they differ.
bool SameStoredForm(std::string_view left, std::string_view right);

enum class PasswordDialogKind { Lock, Unlock, Change };

// Lock when no password is set, unlock when one is, change when asked for.
PasswordDialogKind ChoosePasswordDialog(bool changeMode, std::string_view currentForm);

// What the user typed. Fields a dialog does not have stay empty.
struct PasswordFields {
    std::string oldPassword;   // change dialog
    std::string password;      // the new password (lock, change) or the one to unlock with
    std::string confirmation;  // lock and change dialogs
};

// OK is offered once every field of the dialog holds something.
bool PasswordOkEnabled(PasswordDialogKind kind, const PasswordFields& fields);

enum class PasswordVerdict {
    Accepted,
    WrongPassword,      // "secBadPassword": the password (or old password) is not the set one
    WrongConfirmation,  // "secBadConfirmation": the confirmation is not the new password
};

struct PasswordOutcome {
    PasswordVerdict verdict = PasswordVerdict::Accepted;
    // The form tag 9101 takes when accepted: the new form, or empty after an
    // unlock.
    std::string keptForm;
};

// The dialog's OK, judged. The confirmation is compared with the password as
// typed: two different passwords can share a stored form, and a mistyped
// confirmation must not slip through that way.
PasswordOutcome JudgePasswordDialog(PasswordDialogKind kind, std::string_view internalName,
                                    std::string_view currentForm, const PasswordFields& fields);

}  // namespace quillet
