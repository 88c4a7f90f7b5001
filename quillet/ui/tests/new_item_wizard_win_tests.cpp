// The new-item wizard with the program's pages: it runs on its own thread and
// the test chooses classes and presses its buttons.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "quillet/model/class_id.h"
#include "quillet/model/classes.h"
#include "quillet/strings/language.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/sheets_resource_ids.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

// The wizard's own buttons.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

class NewItemWizardTest : public ::testing::Test {
protected:
    // A tray icon holding two separators.
    void SetUp() override {
        trayIcon = MakeRef<StandardTrayIcon>();
        ASSERT_EQ(kStatusOk, app.Model().Root()->Insert(trayIcon.Get()));
        for (int i = 0; i < 2; ++i) ASSERT_EQ(kStatusOk, trayIcon->Insert(MakeRef<SeparatorItem>().Get()));
        request.container = trayIcon.Get();
    }

    // The wizard's window, its first page and the class list shown.
    static void WaitForClassPage(SheetRun& run, HWND* sheet, HWND* page, HWND* list) {
        *sheet = run.WaitForWindow("New Item");
        ASSERT_NE(nullptr, *sheet);
        *page = CurrentPage(*sheet);
        ASSERT_TRUE(WaitUntil([&] { return (*list = ClassList(*page)) != nullptr; }));
    }
    // The page after the class page, once the wizard shows it.
    static HWND WaitForDetails(HWND sheet, HWND classPage) {
        HWND details = nullptr;
        WaitUntil([&] { return (details = CurrentPage(sheet)) != classPage && details; });
        return details != classPage ? details : nullptr;
    }
    static HWND ClassList(HWND page) {
        // The list of the tab shown.
        for (HWND child = FindWindowExA(page, nullptr, "#32770", nullptr); child;
             child = FindWindowExA(page, child, "#32770", nullptr))
            if (IsWindowVisible(child)) return GetDlgItem(child, IDC_WIZARD_CLASS_LIST);
        return nullptr;
    }
    static std::string ItemText(HWND list, int item) {
        char text[256] = {};
        LVITEMA lvItem = {};
        lvItem.iSubItem = 0;
        lvItem.pszText = text;
        lvItem.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvItem));
        return text;
    }
    static int FindClass(HWND list, const std::string& name) {
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i)
            if (ItemText(list, i) == name) return i;
        return -1;
    }
    static void Choose(HWND list, int item) {
        ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static bool Offered(HWND sheet, int button) {
        HWND window = GetDlgItem(sheet, button);
        return window && IsWindowVisible(window) && IsWindowEnabled(window);
    }

    test_support::ScratchRegistry registry;
    TestApplication app;
    RefPtr<StandardTrayIcon> trayIcon;
    NewItemRequest request;
};

TEST_F(NewItemWizardTest, AHandedOverFolderBecomesAFolderItemAtTheRequestedPlace) {
    test_support::ScratchFolder scratch;
    request.folderPath = scratch.Path();
    request.insertAt = 1;
    SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
    HWND sheet = nullptr, page = nullptr, list = nullptr;
    ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
    // The one tab of the standard group, with every creatable class.
    EXPECT_EQ(1, TabCtrl_GetItemCount(GetDlgItem(page, IDC_WIZARD_GROUPS)));
    EXPECT_EQ(3, ListView_GetItemCount(list));
    // The folder class takes the folder and is chosen; it has details to fill.
    const int chosen = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    EXPECT_EQ("Folder", ItemText(list, chosen));
    EXPECT_TRUE(WaitUntil([&] { return Offered(sheet, kNextButton); }));
    test_support::WaitUntilDrawn(sheet);
    test_support::SaveScreenPicture("quillet-wizard-class", sheet);

    PressSheetButton(sheet, PSBTN_NEXT);
    HWND details = WaitForDetails(sheet, page);
    ASSERT_NE(nullptr, details);
    HWND panel = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (panel = FindWindowExA(details, nullptr, "#32770", nullptr)) != nullptr; }));
    EXPECT_EQ(scratch.Path(), TextOf(GetDlgItem(panel, IDC_FOLDER_PATH)));
    EXPECT_TRUE(WaitUntil([&] { return Offered(sheet, kBackButton) && Offered(sheet, kFinishButton); }));
    SendMessageA(GetDlgItem(details, IDC_OBJECT_TITLE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Scratch"));
    test_support::WaitUntilDrawn(sheet);
    test_support::SaveScreenPicture("quillet-wizard-details", sheet);

    PressSheetButton(sheet, PSBTN_FINISH);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    ASSERT_EQ(3u, trayIcon->Count());
    RefPtr<Object> created = trayIcon->GetChild(1);
    EXPECT_EQ(kClassFolder, created->ClassId());
    EXPECT_EQ("Scratch", created->ReadText(kTagName));
    EXPECT_EQ(scratch.Path(), created->ReadText(kTagFolderPath));
    EXPECT_EQ(0, app.SaveCount()) << "saving is the caller's";
}

TEST_F(NewItemWizardTest, AClassWithNothingToFillInFinishesFromTheFirstPage) {
    SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
    HWND sheet = nullptr, page = nullptr, list = nullptr;
    ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
    EXPECT_EQ(-1, ListView_GetNextItem(list, -1, LVNI_SELECTED));
    EXPECT_FALSE(Offered(sheet, kNextButton));
    EXPECT_FALSE(Offered(sheet, kFinishButton));

    Choose(list, FindClass(list, "Folder"));
    EXPECT_TRUE(WaitUntil([&] { return Offered(sheet, kNextButton) && !Offered(sheet, kFinishButton); }));
    const int columnBreak = FindClass(list, "Column Break");
    ASSERT_GE(columnBreak, 0);
    Choose(list, columnBreak);
    EXPECT_TRUE(WaitUntil([&] { return Offered(sheet, kFinishButton); }));
    PressSheetButton(sheet, PSBTN_FINISH);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    ASSERT_EQ(3u, trayIcon->Count());
    EXPECT_EQ(kClassColumnSeparator, trayIcon->GetChild(2)->ClassId()) << "appended";
}

TEST_F(NewItemWizardTest, ATemplateItemsClassIsOfferedFirst) {
    request.templateItem = trayIcon->GetChild(0).Get();
    request.insertAt = 1;
    SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
    HWND sheet = nullptr, page = nullptr, list = nullptr;
    ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
    EXPECT_EQ("Separator", ItemText(list, ListView_GetNextItem(list, -1, LVNI_SELECTED)));
    EXPECT_TRUE(WaitUntil([&] { return Offered(sheet, kFinishButton); }));
    PressSheetButton(sheet, PSBTN_FINISH);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    ASSERT_EQ(3u, trayIcon->Count());
    EXPECT_NE(request.templateItem, trayIcon->GetChild(1).Get()) << "a new separator after the template";
    EXPECT_EQ(kClassSeparator, trayIcon->GetChild(1)->ClassId());
}

TEST_F(NewItemWizardTest, DoubleClickFinishesOnlyWhatNeedsNoDetails) {
    SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
    HWND sheet = nullptr, page = nullptr, list = nullptr;
    ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
    auto doubleClick = [&](int item) {
        Choose(list, item);
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = list;
        activate.hdr.idFrom = IDC_WIZARD_CLASS_LIST;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = item;
        SendMessageA(GetParent(list), WM_NOTIFY, IDC_WIZARD_CLASS_LIST, reinterpret_cast<LPARAM>(&activate));
    };
    // A folder without a folder would be an item that shows nothing: its
    // details come first.
    doubleClick(FindClass(list, "Folder"));
    HWND details = WaitForDetails(sheet, page);
    ASSERT_NE(nullptr, details);
    EXPECT_EQ(2u, trayIcon->Count());
    PressSheetButton(sheet, PSBTN_BACK);
    ASSERT_TRUE(WaitUntil([&] { return CurrentPage(sheet) == page; }));
    doubleClick(FindClass(list, "Separator"));
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    ASSERT_EQ(3u, trayIcon->Count());
    EXPECT_EQ(kClassSeparator, trayIcon->GetChild(2)->ClassId());
}

TEST_F(NewItemWizardTest, TheIconSizeIsRemembered) {
    const std::string keyPath = ProgramKeyPath(app.Texts().Facts());
    for (int round = 0; round < 2; ++round) {
        SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
        HWND sheet = nullptr, page = nullptr, list = nullptr;
        ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
        HWND box = GetDlgItem(page, IDC_WIZARD_SMALL_ICONS);
        const DWORD view = GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK;
        if (round == 0) {
            EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
            EXPECT_EQ(static_cast<DWORD>(LVS_ICON), view);
            PostMessageA(box, BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_SMALLICON; }));
            platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, keyPath);
            ASSERT_TRUE(key);
            auto value = key.Read("Small Icon Wizard");
            ASSERT_TRUE(value);
            EXPECT_EQ(1u, value->Dword().value_or(0));
        } else {
            EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
            EXPECT_EQ(static_cast<DWORD>(LVS_SMALLICON), view);
        }
        PressSheetButton(sheet, PSBTN_CANCEL);
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_FALSE(run.Result());
    }
    EXPECT_EQ(2u, trayIcon->Count());
}

TEST_F(NewItemWizardTest, TheRootGetsATrayIcon) {
    request.container = app.Model().Root();
    SheetRun run([&] { return RunNewItemWizard(nullptr, request); });
    HWND sheet = nullptr, page = nullptr, list = nullptr;
    ASSERT_NO_FATAL_FAILURE(WaitForClassPage(run, &sheet, &page, &list));
    ASSERT_EQ(1, ListView_GetItemCount(list));
    EXPECT_EQ("Standard", ItemText(list, 0));
    Choose(list, 0);
    ASSERT_TRUE(WaitUntil([&] { return Offered(sheet, kNextButton); }));
    PressSheetButton(sheet, PSBTN_NEXT);
    HWND details = WaitForDetails(sheet, page);
    ASSERT_NE(nullptr, details);
    // A new tray icon is not yet under the root whose name it would show.
    EXPECT_EQ("", TextOf(GetDlgItem(details, IDC_OBJECT_TITLE)));
    SendMessageA(GetDlgItem(details, IDC_OBJECT_TITLE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Work"));
    PressSheetButton(sheet, PSBTN_FINISH);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    ASSERT_EQ(2u, app.Model().Root()->Count());
    EXPECT_EQ(kClassStandardTrayIcon, app.Model().Root()->GetChild(1)->ClassId());
    EXPECT_EQ("Work", app.Model().Root()->GetChild(1)->ReadText(kTagName));
}

}  // namespace
}  // namespace quillet
