// The message dialog, launch errors and the help hand-over, with the real
// dialog resource and the English language library. Each dialog runs on a
// thread of its own, as a modal dialog of the program would block; the test
// reads it and presses its buttons from the test's thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/error_text.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

// A message shown on its own thread, and the dialog it opened.
class DialogRun {
public:
    explicit DialogRun(std::function<int()> show)
        : m_thread([this, show = std::move(show)] {
              m_threadId = GetCurrentThreadId();
              m_answer = show();
              m_done = true;
          }) {}
    ~DialogRun() {
        // A failed test may leave the dialog up: close it so the thread ends.
        WaitUntil([&] {
            if (HWND dialog = FindDialog()) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return m_done.load();
        });
        m_thread.join();
    }

    // The dialog once its thread shows it, else null.
    HWND WaitForDialog() {
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = FindDialog()) != nullptr && IsWindowVisible(dialog); });
        return dialog;
    }
    std::optional<int> WaitForAnswer() {
        if (!WaitUntil([&] { return m_done.load(); })) return std::nullopt;
        return m_answer.load();
    }
    DWORD ThreadId() const { return m_threadId; }

private:
    static BOOL CALLBACK TakeDialog(HWND window, LPARAM result) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") != 0) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    HWND FindDialog() const {
        if (!m_threadId) return nullptr;
        HWND found = nullptr;
        EnumThreadWindows(m_threadId, TakeDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<DWORD> m_threadId{0};
    std::atomic<int> m_answer{0};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

RECT ItemRect(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return rect;
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

class MessageDialogTest : public ::testing::Test {
protected:
    std::string Text(const char* key) { return app.Texts().GetText(key).value_or("<missing " + std::string(key) + ">"); }
    std::string Translated(const char* text) { return app.Texts().TranslateText(text); }

    TestApplication app;
};

TEST_F(MessageDialogTest, EachVariantShowsItsTextButtonsAndIcon) {
    const struct {
        const char* name;
        UINT style;
        const char* firstButton;
        const char* secondButton;  // null: hidden
        LPCSTR icon;
    } cases[] = {
        {"OK with information", MB_OK, "$btnOK", nullptr, IDI_ASTERISK},
        {"OK and Cancel with a warning", MB_OKCANCEL | MB_ICONEXCLAMATION, "$btnOK", "$btnCancel", IDI_EXCLAMATION},
        {"Yes and No with a question", MB_YESNO | MB_ICONQUESTION, "$btnYes", "$btnNo", IDI_QUESTION},
        {"OK with a stop sign", MB_OK | MB_ICONHAND, "$btnOK", nullptr, IDI_HAND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRun run([&] { return ShowMessage(nullptr, c.style, "msgConfirmDelete"); });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("Quillet", WindowText(dialog)) << "the caption is the product name";
        EXPECT_EQ(Text("msgConfirmDelete"), ItemText(dialog, IDC_MESSAGE_TEXT));
        EXPECT_EQ(Translated(c.firstButton), ItemText(dialog, IDOK));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(c.secondButton != nullptr, IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE);
        if (c.secondButton) {
            EXPECT_EQ(Translated(c.secondButton), ItemText(dialog, IDCANCEL));
        }
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_MESSAGE_LONE_BUTTON)));
        if (!c.secondButton) {
            // The lone button stands where the placeholder marks the middle.
            const RECT button = ItemRect(dialog, IDOK);
            const RECT place = ItemRect(dialog, IDC_MESSAGE_LONE_BUTTON);
            EXPECT_EQ(place.left, button.left);
            EXPECT_EQ(place.right, button.right);
        }
        const HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
        EXPECT_EQ(LoadIconA(nullptr, c.icon), shown);
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(run.WaitForAnswer());
    }
}

TEST_F(MessageDialogTest, EveryWayOfClosingGivesItsAnswerAndNoneButYesGivesYes) {
    enum Action { FirstButton, SecondButton, Escape, CloseBox };
    const struct {
        UINT style;
        Action action;
        int answer;
    } cases[] = {
        {MB_YESNO, FirstButton, IDYES}, {MB_YESNO, SecondButton, IDNO},   {MB_YESNO, Escape, IDNO},
        {MB_YESNO, CloseBox, IDNO},     {MB_OKCANCEL, FirstButton, IDOK}, {MB_OKCANCEL, SecondButton, IDCANCEL},
        {MB_OKCANCEL, Escape, IDCANCEL}, {MB_OK, FirstButton, IDOK},     {MB_OK, Escape, IDOK},
        {MB_OK, CloseBox, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style) + ", action " + std::to_string(c.action));
        DialogRun run([&] { return ShowMessage(nullptr, c.style | MB_ICONQUESTION, "msgConfirmExit"); });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        switch (c.action) {
        case FirstButton: PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); break;
        case SecondButton: PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); break;
        case Escape: PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); break;
        case CloseBox: PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
        EXPECT_EQ(c.answer, run.WaitForAnswer());
    }
}

TEST_F(MessageDialogTest, SecondButtonAsDefaultTakesTheFocusAndEnter) {
    // 292: the question before an item is removed, where Enter must not remove.
    DialogRun run([] { return ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "msgConfirmDelete"); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(run.ThreadId()) == GetDlgItem(dialog, IDCANCEL); }));
    EXPECT_EQ(IDCANCEL, LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)));
    PostMessageA(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(IDNO, run.WaitForAnswer());
}

TEST_F(MessageDialogTest, ALongTextGrowsTheDialogInsteadOfBeingCut) {
    std::string withBlanks = "C:";
    std::string withoutBlanks = "C:";
    for (int i = 0; i < 40; ++i) {
        withBlanks += "\\a folder with a long name number " + std::to_string(i);
        withoutBlanks += "\\folder_" + std::to_string(i);
    }
    for (const std::string& path : {withBlanks, withoutBlanks}) {
        SCOPED_TRACE(path);
        DialogRun run([&] { return ShowFormattedMessage(nullptr, MB_OK, "$errDefault", {path}); });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        const std::string text = ItemText(dialog, IDC_MESSAGE_TEXT);
        EXPECT_NE(std::string::npos, text.find(path));
        // Measured as the field draws it, the text fits the field's width and
        // height...
        HWND field = GetDlgItem(dialog, IDC_MESSAGE_TEXT);
        EXPECT_TRUE(GetWindowLongA(field, GWL_STYLE) & SS_EDITCONTROL);
        RECT fieldRect = {};
        GetClientRect(field, &fieldRect);
        RECT needed = fieldRect;
        {
            platform::unique_hdc_window dc(field);
            platform::unique_select_object font(dc.get(),
                                                reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)));
            DrawTextA(dc.get(), text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        }
        EXPECT_LE(needed.right, fieldRect.right);
        EXPECT_LE(needed.bottom, fieldRect.bottom);
        // ...and the button sits below it, inside the dialog.
        const RECT button = ItemRect(dialog, IDOK);
        RECT window = {};
        GetWindowRect(dialog, &window);
        EXPECT_GE(button.top, ItemRect(dialog, IDC_MESSAGE_TEXT).bottom);
        EXPECT_LE(button.bottom, window.bottom);
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(IDOK, run.WaitForAnswer());
    }
}

TEST_F(MessageDialogTest, TheSystemsReasonFollowsTheTextAfterABlankLine) {
    const struct {
        DWORD error;
        bool reasonShown;
    } cases[] = {
        {ERROR_ACCESS_DENIED, true},
        {ERROR_FILE_NOT_FOUND, true},
        {0, false},           // no error: nothing to explain
        {0x2000ABCD, false},  // an application's own code the system has no words for
    };
    const std::string text = app.Texts().FormatText("$errDefault", {"C:\\plan.txt"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        DialogRun run([&] {
            SetLastError(c.error);
            return ShowMessageWithError(nullptr, MB_OK | MB_ICONHAND, "$errDefault", {"C:\\plan.txt"});
        });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        const std::string expected =
            c.reasonShown ? text + "\r\n\r\n" + platform::SystemErrorText(c.error) : text;
        EXPECT_EQ(expected, ItemText(dialog, IDC_MESSAGE_TEXT));
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(IDOK, run.WaitForAnswer());
    }
}

TEST_F(MessageDialogTest, LaunchErrorsNameThePathWithTheKeyOfTheirCode) {
    const struct {
        DWORD error;
        const char* text;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, "The file \"D:\\Work\\plan.txt\" cannot be found."},
        {ERROR_ACCESS_DENIED, "Access to \"D:\\Work\\plan.txt\" is denied."},
        {1155, "\"D:\\Work\\plan.txt\" cannot be opened."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        DialogRun run([&] {
            ReportLaunchError(nullptr, "D:\\Work\\plan.txt", c.error);
            return 0;
        });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.text, ItemText(dialog, IDC_MESSAGE_TEXT));
        EXPECT_EQ(LoadIconA(nullptr, IDI_HAND),
                  reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_MESSAGE_ICON, STM_GETICON, 0, 0)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDCANCEL)));
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(run.WaitForAnswer());
    }
}

TEST_F(MessageDialogTest, OpeningAMissingFileSaysItCannotBeFound) {
    test_support::ScratchFolder folder;
    const std::string missing = folder.Path() + "\\report & notes.txt";
    std::atomic<bool> opened{true};
    DialogRun run([&] {
        opened = OpenTarget(nullptr, missing);
        return 0;
    });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("The file \"" + missing + "\" cannot be found.", ItemText(dialog, IDC_MESSAGE_TEXT));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(run.WaitForAnswer());
    EXPECT_FALSE(opened);
}

TEST_F(MessageDialogTest, OpeningAFileStartsItsProgram) {
    test_support::ScratchFolder folder;
    const std::string mark = folder.Path() + "\\opened.txt";
    const std::string script = folder.Path() + "\\open me.bat";
    std::ofstream(script) << "@echo opened > \"" << mark << "\"\r\n";
    EXPECT_TRUE(OpenTarget(nullptr, script));
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES; }));
}

// The help requests are written to a log instead of starting a browser.
class HelpTest : public MessageDialogTest {
protected:
    void SetUp() override { SetEnvironmentVariableA(kTestHelpLogVariable, log.c_str()); }
    void TearDown() override { SetEnvironmentVariableA(kTestHelpLogVariable, nullptr); }
    std::string LogText() {
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    test_support::ScratchFolder folder;
    std::string log = folder.Path() + "\\help.log";
};

TEST_F(HelpTest, AContextOpensItsPageBesideTheProgramAndZeroTheWebAddress) {
    const std::string help = TestApplication::LanguageFolder() + "\\help\\";
    const struct {
        int context;
        std::string target;
    } cases[] = {
        {kHelpContextFolderPage, help + "quillet-folder.html"},
        {kHelpContextContentsPage, help + "quillet-contents.html"},
        {kHelpContextGeneralPage, help + "quillet-general.html"},
        {4711, help + "quillet-help.html"},
        {0, "https://www.nimbrel.com/quillet/help/"},
    };
    std::string expected;
    for (const auto& c : cases) {
        OpenHelp(nullptr, c.context);
        expected += std::to_string(c.context) + " " + c.target + "\n";
        if (c.context != 0) {
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(c.target.c_str())) << c.target << " is shipped";
        }
    }
    EXPECT_EQ(expected, LogText());
}

TEST(HelpFailure, APageThatCannotBeOpenedIsReportedWithItsPath) {
    // A program folder with the language library but no help pages.
    test_support::ScratchFolder folder;
    ASSERT_TRUE(CopyFileA(test_support::BinPath("quillet009.mlb").c_str(), (folder.Path() + "\\quillet009.mlb").c_str(),
                          FALSE))
        << test_support::LastErrorText();
    TestApplication app(folder.Path());
    DialogRun run([] {
        OpenHelp(nullptr, kHelpContextGeneralPage);
        return 0;
    });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    const std::string page = folder.Path() + "\\help\\quillet-general.html";
    const std::string text = ItemText(dialog, IDC_MESSAGE_TEXT);
    EXPECT_NE(std::string::npos, text.find("\"" + page + "\"")) << text;
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(run.WaitForAnswer());
}

TEST_F(MessageDialogTest, PictureOfAQuestion) {
    DialogRun run([] { return ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION, "msgConfirmExit"); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(test_support::WaitUntilDrawn(dialog));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-message-dialog", dialog).empty());
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(IDNO, run.WaitForAnswer());
}

}  // namespace
}  // namespace quillet
