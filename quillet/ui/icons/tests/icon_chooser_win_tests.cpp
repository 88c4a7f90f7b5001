// The icon chooser with the real dialog resource and the English language
// library, run on a thread of its own as the modal dialog it is; the test
// reads the dialog and presses its buttons from the test's thread. The
// fixture library holds three icon groups, 100 red, 101 green, 102 blue.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "quillet/model/class_id.h"
#include "quillet/model/property_tags.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/icons/icons_resource_ids.h"
#include "quillet/ui/icons/tests/icon_test_support.h"
#include "quillet/strings/language.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

// ChooseIcon on its own thread. The thread's posted messages are recorded as
// they are taken from its queue.
class ChooserRun {
public:
    explicit ChooserRun(Object& object)
        : m_thread([this, &object] {
              m_threadId = GetCurrentThreadId();
              s_run = this;
              HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, Record, nullptr, GetCurrentThreadId());
              m_result = ChooseIcon(nullptr, object);
              UnhookWindowsHookEx(hook);
              m_done = true;
          }) {}
    ~ChooserRun() {
        WaitUntil([&] {
            for (HWND dialog : Dialogs()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return m_done.load();
        });
        m_thread.join();
        s_run = nullptr;
    }

    // The chooser once it is up.
    HWND WaitForChooser() {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND dialog : Dialogs()) {
                if (GetDlgItem(dialog, IDC_CHOOSER_ICONS)) found = dialog;
            }
            return found && IsWindowVisible(found);
        });
        return found;
    }
    // Another dialog of the chooser's thread (the message, the file dialog).
    HWND WaitForOtherDialog() {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND dialog : Dialogs()) {
                if (!GetDlgItem(dialog, IDC_CHOOSER_ICONS) && IsWindowVisible(dialog)) found = dialog;
            }
            return found != nullptr;
        });
        return found;
    }
    std::optional<bool> WaitForResult() {
        if (!WaitUntil([&] { return m_done.load(); })) return std::nullopt;
        return m_result.load();
    }
    int PostedCount(UINT message) {
        std::lock_guard<std::mutex> guard(m_lock);
        return static_cast<int>(std::count(m_posted.begin(), m_posted.end(), message));
    }
    // Waits until the chooser's thread has taken `message` from its queue
    // `count` times and handled it (a sent message is handled only once the
    // thread waits for messages again).
    bool WaitUntilHandled(HWND chooser, UINT message, int count) {
        if (!WaitUntil([&] { return PostedCount(message) >= count; })) return false;
        SendMessageA(chooser, WM_NULL, 0, 0);
        return true;
    }

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && wParam == PM_REMOVE && s_run) {
            std::lock_guard<std::mutex> guard(s_run->m_lock);
            s_run->m_posted.push_back(reinterpret_cast<const MSG*>(lParam)->message);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    std::vector<HWND> Dialogs() const { return ThreadDialogs(m_threadId); }

    static inline ChooserRun* s_run = nullptr;
    std::mutex m_lock;
    std::vector<UINT> m_posted;
    std::atomic<DWORD> m_threadId{0};
    std::atomic<bool> m_result{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

int Count(HWND chooser) {
    return static_cast<int>(SendDlgItemMessageA(chooser, IDC_CHOOSER_ICONS, LB_GETCOUNT, 0, 0));
}
int Selection(HWND chooser) {
    return static_cast<int>(SendDlgItemMessageA(chooser, IDC_CHOOSER_ICONS, LB_GETCURSEL, 0, 0));
}
bool OkEnabled(HWND chooser) {
    return IsWindowEnabled(GetDlgItem(chooser, IDOK)) != FALSE;
}
// As a click in the list does: select, then tell the dialog.
void Choose(HWND chooser, int position) {
    SendDlgItemMessageA(chooser, IDC_CHOOSER_ICONS, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_ICONS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDC_CHOOSER_ICONS)));
}
std::string FieldText(HWND chooser) {
    char text[MAX_PATH * 2] = {};
    SendDlgItemMessageA(chooser, IDC_CHOOSER_FILE, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

class IconChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(kStatusOk, app.Model().CreateObject(kClassFolder, &item));
        ASSERT_EQ(3u, ExtractIconExA(fixture.c_str(), -1, nullptr, nullptr, 0)) << fixture;
    }
    void SetSource(const std::string& file, int index) {
        ASSERT_TRUE(item->SetProperty(kTagIconFile, Value::FromText(file)));
        ASSERT_TRUE(item->SetProperty(kTagIconIndex, Value::FromInteger(index)));
    }
    std::string ProgramKey() { return ProgramKeyPath(app.Texts().Facts()); }

    test_support::ScratchRegistry registry;
    TestApplication app;
    RefPtr<Object> item;
    const std::string fixture = FixtureLibrary();
};

TEST_F(IconChooserTest, ListsTheLibrarysIconsInOrderAndStoresTheChosenOneAsFileAndIndex) {
    SetSource(fixture, 0);
    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    EXPECT_EQ(fixture, FieldText(chooser));
    ASSERT_EQ(3, Count(chooser));
    EXPECT_EQ(0, Selection(chooser));
    const COLORREF expected[] = {kIconRed, kIconGreen, kIconBlue};
    for (int i = 0; i < 3; ++i) {
        auto icon = reinterpret_cast<HICON>(SendDlgItemMessageA(chooser, IDC_CHOOSER_ICONS, LB_GETITEMDATA, i, 0));
        EXPECT_EQ(expected[i], IconMiddle(icon)) << "icon " << i;
    }
    Choose(chooser, 2);
    EXPECT_TRUE(OkEnabled(chooser));
    ASSERT_TRUE(test_support::WaitUntilDrawn(chooser));
    test_support::SaveScreenPicture("quillet-icon-chooser", chooser);

    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::optional<bool>(true), run.WaitForResult());
    EXPECT_EQ(fixture, item->ReadText(kTagIconFile));
    EXPECT_EQ(2, item->ReadInteger(kTagIconIndex, -1));
}

TEST_F(IconChooserTest, TheStoredIndexChoosesTheStartingSelection) {
    struct Case {
        int index;
        int selected;  // -1: none
    } cases[] = {
        {-101, 1},  // resource 101 is the second group
        {-102, 2},
        {-100, 0},
        {1, 1},
        {-999, -1},  // no such resource
        {3, -1},     // past the last icon
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        SetSource(fixture, c.index);
        ChooserRun run(*item);
        HWND chooser = run.WaitForChooser();
        ASSERT_NE(nullptr, chooser);
        EXPECT_EQ(3, Count(chooser));
        EXPECT_EQ(c.selected, Selection(chooser));
        EXPECT_EQ(c.selected >= 0, OkEnabled(chooser));
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
        EXPECT_EQ(c.index, item->ReadInteger(kTagIconIndex, 12345)) << "Cancel writes nothing";
    }
}

TEST_F(IconChooserTest, AFileWithoutIconsPostsNoIconsTellsTheUserAndKeepsOkDisabled) {
    test_support::ScratchFolder folder;
    const std::string plain = folder.Path() + "\\notes.txt";
    std::ofstream(plain) << "no icons in here";
    SetSource(plain, 0);
    const UINT noIcons = RegisterWindowMessageA(kNoIconsMessageName);

    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    HWND message = run.WaitForOtherDialog();
    ASSERT_NE(nullptr, message) << "nobody told the user";
    EXPECT_EQ(1, run.PostedCount(noIcons));
    char text[1024] = {};
    GetDlgItemTextA(message, IDC_MESSAGE_TEXT, text, sizeof text);
    EXPECT_EQ(app.Texts().FormatText("$ciNoIcons", {plain}), text);
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(message); }));

    EXPECT_EQ(0, Count(chooser));
    EXPECT_FALSE(OkEnabled(chooser));
    // OK pressed anyway (Enter) neither closes nor writes.
    SendMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(chooser));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
    EXPECT_EQ(plain, item->ReadText(kTagIconFile));
}

TEST_F(IconChooserTest, AnItemWithoutAnIconFileStartsEmptyWithoutAMessage) {
    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    // Whatever the dialog posted itself on opening comes out of its queue
    // before a message posted now.
    constexpr UINT kMarker = WM_APP + 77;
    PostMessageA(chooser, kMarker, 0, 0);
    ASSERT_TRUE(run.WaitUntilHandled(chooser, kMarker, 1));
    EXPECT_EQ(0, run.PostedCount(RegisterWindowMessageA(kNoIconsMessageName)));
    EXPECT_EQ("", FieldText(chooser));
    EXPECT_EQ(0, Count(chooser));
    EXPECT_FALSE(OkEnabled(chooser));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
}

TEST_F(IconChooserTest, SmallIconsAreRememberedAtOnceAndTheListRebuiltWithSmallerCells) {
    SetSource(fixture, -101);
    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    HWND list = GetDlgItem(chooser, IDC_CHOOSER_ICONS);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(chooser, IDC_CHOOSER_SMALL_ICONS));
    EXPECT_EQ(40, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));

    SendDlgItemMessageA(chooser, IDC_CHOOSER_SMALL_ICONS, BM_CLICK, 0, 0);
    auto stored = [&]() -> std::optional<DWORD> {
        auto key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKey());
        auto data = key ? key.Read(kSmallIconChooseValue) : std::nullopt;
        return data ? data->Dword() : std::nullopt;
    };
    EXPECT_EQ(std::optional<DWORD>(1), stored()) << "written before the dialog closes";
    EXPECT_EQ(24, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(3, Count(chooser));
    EXPECT_EQ(1, Selection(chooser)) << "the choice survives the rebuild";
    auto icon = reinterpret_cast<HICON>(SendMessageA(list, LB_GETITEMDATA, 0, 0));
    EXPECT_EQ(16, IconEdge(icon));

    SendDlgItemMessageA(chooser, IDC_CHOOSER_SMALL_ICONS, BM_CLICK, 0, 0);
    EXPECT_EQ(std::optional<DWORD>(0), stored());
    EXPECT_EQ(40, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
}

// The field is rebuilt from when the focus leaves it, except to Browse or
// Cancel (the user is about to replace or drop what was typed).
TEST_F(IconChooserTest, AnEditedFileIsReadWhenTheFocusLeavesTheFieldButNotForCancelOrBrowse) {
    SetSource(fixture, 0);
    const std::string program = BesideTestProgram("quillet_icons_win_tests.exe");
    const int programIcons = static_cast<int>(ExtractIconExA(program.c_str(), -1, nullptr, nullptr, 0));
    ASSERT_GT(programIcons, 0);
    ASSERT_NE(3, programIcons);

    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    SetDlgItemTextA(chooser, IDC_CHOOSER_FILE, program.c_str());

    int left = 0;
    for (int id : {IDCANCEL, IDC_CHOOSER_FILE, IDC_CHOOSER_BROWSE, IDC_CHOOSER_FILE}) {
        SendMessageA(chooser, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(chooser, id)), TRUE);
        if (id != IDC_CHOOSER_FILE) {
            ASSERT_TRUE(run.WaitUntilHandled(chooser, WM_APP + 1, ++left));
        }
        EXPECT_EQ(3, Count(chooser)) << "focus on " << id;
        EXPECT_EQ(0, Selection(chooser));
    }
    SendMessageA(chooser, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(chooser, IDC_CHOOSER_ICONS)), TRUE);
    ASSERT_TRUE(run.WaitUntilHandled(chooser, WM_APP + 1, ++left));
    EXPECT_EQ(programIcons, Count(chooser));
    EXPECT_EQ(-1, Selection(chooser));
    EXPECT_FALSE(OkEnabled(chooser));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
}

// Enter in an edited field presses OK while the list still shows the old
// file's icons: storing that position for the new file would point at
// another icon, or at none.
TEST_F(IconChooserTest, OkWithAnEditedFieldShowsTheNewFilesIconsInsteadOfStoringAStalePosition) {
    SetSource(fixture, 2);
    const std::string program = BesideTestProgram("quillet_icons_win_tests.exe");
    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    SetDlgItemTextA(chooser, IDC_CHOOSER_FILE, program.c_str());
    SendMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(chooser));
    EXPECT_EQ(static_cast<int>(ExtractIconExA(program.c_str(), -1, nullptr, nullptr, 0)), Count(chooser));
    EXPECT_FALSE(OkEnabled(chooser));

    Choose(chooser, 0);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::optional<bool>(true), run.WaitForResult());
    EXPECT_EQ(program, item->ReadText(kTagIconFile));
    EXPECT_EQ(0, item->ReadInteger(kTagIconIndex, -1));
}

HWND ChildWithId(HWND dialog, int id) {
    struct Find {
        int id;
        HWND found;
        static BOOL CALLBACK Child(HWND child, LPARAM data) {
            auto* find = reinterpret_cast<Find*>(data);
            if (GetDlgCtrlID(child) == find->id) find->found = child;
            return find->found == nullptr;
        }
    } find = {id, nullptr};
    EnumChildWindows(dialog, Find::Child, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

TEST_F(IconChooserTest, BrowseOffersIconFilesAndTheChosenFileIsListedWithNoSelection) {
    const std::string program = BesideTestProgram("quillet_icons_win_tests.exe");
    SetSource(program, 0);
    ChooserRun run(*item);
    HWND chooser = run.WaitForChooser();
    ASSERT_NE(nullptr, chooser);
    PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_BROWSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDC_CHOOSER_BROWSE)));
    HWND open = run.WaitForOtherDialog();
    ASSERT_NE(nullptr, open);
    char title[128] = {};
    GetWindowTextA(open, title, sizeof title);
    EXPECT_EQ(app.Texts().GetText("ciBrowseTitle").value_or("?"), title);
    constexpr int kFilterList = 0x470, kReadOnlyBox = 0x410, kFileNameEdit = 0x480, kFileNameCombo = 0x47C;
    HWND filter = ChildWithId(open, kFilterList);
    ASSERT_NE(nullptr, filter);
    char shown[128] = {};
    SendMessageA(filter, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(app.Texts().GetText("ciBrowseFilterName").value_or("?"), shown);
    HWND readOnly = ChildWithId(open, kReadOnlyBox);
    EXPECT_TRUE(!readOnly || !IsWindowVisible(readOnly));

    HWND name = ChildWithId(open, kFileNameEdit);
    if (!name) name = ChildWithId(open, kFileNameCombo);
    ASSERT_NE(nullptr, name);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fixture.c_str()));
    PostMessageA(open, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return FieldText(chooser) == fixture && Count(chooser) == 3; }))
        << FieldText(chooser);
    EXPECT_EQ(-1, Selection(chooser));
    EXPECT_FALSE(OkEnabled(chooser));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(std::optional<bool>(false), run.WaitForResult());
}

}  // namespace
}  // namespace quillet
