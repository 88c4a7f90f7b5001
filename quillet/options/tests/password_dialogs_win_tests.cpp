// The lock, unlock and change-password dialogs with their real templates and
// the English texts; each runs on a thread of its own and the test types into
// it and presses its buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/options/password_form.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

class PasswordDialogTest : public ::testing::Test {
protected:
    std::string Text(const char* key) { return app.Texts().GetText(key).value_or(key); }
    std::string StoredForm() { return app.Model().Root()->ReadText(kTagPassword); }
    void SetPassword(const char* password) {
        app.Model().Root()->SetProperty(kTagPassword, Value::FromText(StoredPasswordForm("quillet", password)));
    }
    std::optional<DWORD> Relock() {
        platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKeyPath(app.Texts().Facts()));
        std::optional<platform::RegData> data = key ? key.Read(kRelockPasswordValueName) : std::nullopt;
        return data ? data->Dword() : std::nullopt;
    }

    static void Type(HWND dialog, int id, const char* text) {
        SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    static bool OkEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }
    static void PressOk(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

    // The message the dialog answered OK with: its text, after closing it.
    std::string TakeMessage(SheetRun& run, HWND dialog) {
        HWND message = WaitForMessageOver(run, dialog);
        if (!message) return "<no message>";
        const std::string text = TextOf(GetDlgItem(message, IDC_MESSAGE_TEXT));
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return run.TopDialog() == dialog; });
        return text;
    }

    test_support::ScratchRegistry registry;
    TestApplication app;
};

TEST_F(PasswordDialogTest, LockOffersOkOnlyWithBothFieldsAndStoresTheForm) {
    SheetRun run([] { return ShowPasswordDialog(nullptr, false); });
    HWND dialog = run.WaitForWindow(Text("secLockTitle"));
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(OkEnabled(dialog));
    Type(dialog, IDC_PASSWORD, "secret");
    EXPECT_FALSE(OkEnabled(dialog)) << "the confirmation is still empty";
    Type(dialog, IDC_PASSWORD_CONFIRM, "secret");
    EXPECT_TRUE(OkEnabled(dialog));
    EXPECT_EQ(ES_PASSWORD, GetWindowLongA(GetDlgItem(dialog, IDC_PASSWORD), GWL_STYLE) & ES_PASSWORD);
    PressOk(dialog);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ(StoredPasswordForm("quillet", "secret"), StoredForm());
    EXPECT_EQ(0u, StoredForm().find("quillet"));
    EXPECT_EQ(18u, StoredForm().size());
}

TEST_F(PasswordDialogTest, LockWithAMismatchedConfirmationClearsBothFieldsAndStaysOpen) {
    SheetRun run([] { return ShowPasswordDialog(nullptr, false); });
    HWND dialog = run.WaitForWindow(Text("secLockTitle"));
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_PASSWORD, "secret");
    Type(dialog, IDC_PASSWORD_CONFIRM, "secrte");
    PressOk(dialog);
    const std::string expected = app.Texts().ExpandMacros(Text("secBadConfirmation"));
    EXPECT_EQ(expected, TakeMessage(run, dialog));
    EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD)));
    EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD_CONFIRM)));
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(dialog, IDC_PASSWORD); }));
    EXPECT_FALSE(OkEnabled(dialog));

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
    EXPECT_EQ("", StoredForm());
}

TEST_F(PasswordDialogTest, UnlockRefusesAWrongPasswordAndAcceptsTheRightOne) {
    SetPassword("secret");
    for (bool relock : {true, false}) {
        SCOPED_TRACE(relock ? "relock checked" : "relock cleared");
        SetPassword("secret");
        SheetRun run([] { return ShowPasswordDialog(nullptr, false); });
        HWND dialog = run.WaitForWindow(Text("secUnlockTitle"));
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_PASSWORD_RELOCK)) << "relocking is the default";

        Type(dialog, IDC_PASSWORD, "Secret");
        PressOk(dialog);
        EXPECT_EQ(Text("secBadPassword"), TakeMessage(run, dialog));
        EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD)));
        EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(dialog, IDC_PASSWORD); }));
        EXPECT_EQ(StoredPasswordForm("quillet", "secret"), StoredForm()) << "still locked";

        Type(dialog, IDC_PASSWORD, "secret");
        SendDlgItemMessageA(dialog, IDC_PASSWORD_RELOCK, BM_SETCHECK, relock ? BST_CHECKED : BST_UNCHECKED, 0);
        PressOk(dialog);
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_TRUE(run.Result());
        EXPECT_EQ("", StoredForm());
        EXPECT_EQ(relock ? 1u : 0u, Relock().value_or(99));
    }
}

TEST_F(PasswordDialogTest, ChangeChecksTheOldPasswordThenTheConfirmation) {
    SetPassword("secret");
    SheetRun run([] { return ShowPasswordDialog(nullptr, true); });
    HWND dialog = run.WaitForWindow(Text("secChangeTitle"));
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_PASSWORD_OLD, "wrong");
    Type(dialog, IDC_PASSWORD, "fresh");
    EXPECT_FALSE(OkEnabled(dialog)) << "the confirmation is still empty";
    Type(dialog, IDC_PASSWORD_CONFIRM, "fresh");
    EXPECT_TRUE(OkEnabled(dialog));

    PressOk(dialog);
    EXPECT_EQ(Text("secBadPassword"), TakeMessage(run, dialog));
    EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD_OLD)));
    EXPECT_EQ("fresh", TextOf(GetDlgItem(dialog, IDC_PASSWORD))) << "only the old password is cleared";
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(dialog, IDC_PASSWORD_OLD); }));

    Type(dialog, IDC_PASSWORD_OLD, "secret");
    Type(dialog, IDC_PASSWORD_CONFIRM, "frsh");
    PressOk(dialog);
    EXPECT_EQ(app.Texts().ExpandMacros(Text("secBadConfirmation")), TakeMessage(run, dialog));
    EXPECT_EQ("secret", TextOf(GetDlgItem(dialog, IDC_PASSWORD_OLD)));
    EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD)));
    EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_PASSWORD_CONFIRM)));
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == GetDlgItem(dialog, IDC_PASSWORD); }));
    EXPECT_EQ(StoredPasswordForm("quillet", "secret"), StoredForm());

    Type(dialog, IDC_PASSWORD, "fresh");
    Type(dialog, IDC_PASSWORD_CONFIRM, "fresh");
    PressOk(dialog);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ(StoredPasswordForm("quillet", "fresh"), StoredForm());
}

TEST_F(PasswordDialogTest, PictureOfTheUnlockPrompt) {
    SetPassword("secret");
    SheetRun run([] { return ShowPasswordDialog(nullptr, false); });
    HWND dialog = run.WaitForWindow(Text("secUnlockTitle"));
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_PASSWORD, "secret");
    ASSERT_TRUE(test_support::WaitUntilDrawn(dialog));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-password", dialog).empty());
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
    EXPECT_EQ(StoredPasswordForm("quillet", "secret"), StoredForm()) << "Cancel keeps the lock";
}

}  // namespace
}  // namespace quillet
