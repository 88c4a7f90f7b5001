#include "quillet/options/password_form.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "quillet/strings/key_hash.h"

namespace quillet {
namespace {

TEST(StoredPasswordForm, IsTheInternalNameAndElevenOctalDigitsOfTheKeyHash) {
    for (const char* password : {"", "a", "secret", "Passw\xF6rt", "a much longer password with blanks"}) {
        SCOPED_TRACE(password);
        const std::string form = StoredPasswordForm("quillet", password);
        ASSERT_EQ(7u + 11u, form.size());
        EXPECT_EQ("quillet", form.substr(0, 7));
        EXPECT_EQ(KeyHash(password), std::stoul(form.substr(7), nullptr, 8));
        EXPECT_EQ(std::string::npos, form.find_first_not_of("01234567", 7));
    }
    // The hash of "a" is 0x0EDCBA01: leading zeros are kept.
    EXPECT_EQ("quillet01667135001", StoredPasswordForm("quillet", "a"));
}

TEST(StoredPasswordForm, SamePasswordSameFormAndOneLetterMakesAnother) {
    EXPECT_EQ(StoredPasswordForm("quillet", "secret"), StoredPasswordForm("quillet", "secret"));
    for (const char* other : {"Secret", "secreT", "secrets", "sacret", "ecret"}) {
        SCOPED_TRACE(other);
        EXPECT_NE(StoredPasswordForm("quillet", "secret"), StoredPasswordForm("quillet", other));
    }
}

TEST(SameStoredForm, ComparesWholeFormsOfAnyLength) {
    const struct {
        const char* left;
        const char* right;
        bool same;
    } cases[] = {
        {"quillet01667135001", "quillet01667135001", true},  {"", "", true},
        {"quillet01667135001", "quillet01667135002", false}, {"quillet01667135001", "Quillet01667135001", false},
        {"quillet0166713500", "quillet01667135001", false},  {"quillet01667135001", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.left) + " / " + c.right);
        EXPECT_EQ(c.same, SameStoredForm(c.left, c.right));
        EXPECT_EQ(c.same, SameStoredForm(c.right, c.left));
    }
    // A NUL where the shorter form ends is still a difference.
    EXPECT_FALSE(SameStoredForm("abc", std::string_view("abc\0", 4)));
}

TEST(PasswordDialogs, KindFollowsTheModeAndWhetherAPasswordIsSet) {
    EXPECT_EQ(PasswordDialogKind::Lock, ChoosePasswordDialog(false, ""));
    EXPECT_EQ(PasswordDialogKind::Unlock, ChoosePasswordDialog(false, "quillet01667135001"));
    EXPECT_EQ(PasswordDialogKind::Change, ChoosePasswordDialog(true, "quillet01667135001"));
}

TEST(PasswordDialogs, OkNeedsEveryFieldOfTheDialog) {
    using K = PasswordDialogKind;
    const struct {
        K kind;
        PasswordFields fields;
        bool enabled;
    } cases[] = {
        {K::Lock, {"", "", ""}, false},         {K::Lock, {"", "pw", ""}, false},
        {K::Lock, {"", "", "pw"}, false},       {K::Lock, {"", "pw", "x"}, true},
        {K::Unlock, {"", "", ""}, false},       {K::Unlock, {"", "pw", ""}, true},
        {K::Change, {"old", "new", ""}, false}, {K::Change, {"", "new", "new"}, false},
        {K::Change, {"old", "", "new"}, false}, {K::Change, {"old", "new", "x"}, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].enabled, PasswordOkEnabled(cases[i].kind, cases[i].fields));
    }
}

TEST(PasswordDialogs, JudgeAcceptsOrNamesTheFieldAtFault) {
    using K = PasswordDialogKind;
    using V = PasswordVerdict;
    const std::string set = StoredPasswordForm("quillet", "secret");
    const struct {
        const char* name;
        K kind;
        std::string current;
        PasswordFields fields;
        V verdict;
        std::string kept;
    } cases[] = {
        {"lock", K::Lock, "", {"", "new", "new"}, V::Accepted, StoredPasswordForm("quillet", "new")},
        {"lock, confirmation differs", K::Lock, "", {"", "new", "New"}, V::WrongConfirmation, ""},
        {"unlock", K::Unlock, set, {"", "secret", ""}, V::Accepted, ""},
        {"unlock, wrong", K::Unlock, set, {"", "Secret", ""}, V::WrongPassword, ""},
        {"change", K::Change, set, {"secret", "new", "new"}, V::Accepted, StoredPasswordForm("quillet", "new")},
        {"change, wrong old", K::Change, set, {"secrets", "new", "new"}, V::WrongPassword, ""},
        // The old password is checked first, so a wrong one is named even
        // when the confirmation differs too.
        {"change, both wrong", K::Change, set, {"x", "new", "neu"}, V::WrongPassword, ""},
        {"change, confirmation differs", K::Change, set, {"secret", "new", "neu"}, V::WrongConfirmation, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PasswordOutcome outcome = JudgePasswordDialog(c.kind, "quillet", c.current, c.fields);
        EXPECT_EQ(c.verdict, outcome.verdict);
        EXPECT_EQ(c.kept, outcome.keptForm);
    }
}

TEST(PasswordDialogs, AConfirmationWithTheSameHashButOtherTextIsRefused) {
    // "!1" and "\"!" share a key hash: the stored form cannot tell them
    // apart, the confirmation check must.
    const std::string first = "!1", second = "\"!";
    ASSERT_EQ(StoredPasswordForm("quillet", first), StoredPasswordForm("quillet", second));
    PasswordOutcome outcome = JudgePasswordDialog(PasswordDialogKind::Lock, "quillet", "", {"", first, second});
    EXPECT_EQ(PasswordVerdict::WrongConfirmation, outcome.verdict);
    EXPECT_TRUE(outcome.keptForm.empty());
}

}  // namespace
}  // namespace quillet
