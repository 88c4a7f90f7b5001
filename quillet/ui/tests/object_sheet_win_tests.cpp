// The object property sheet with the program's page and the English texts:
// the sheet runs on its own thread and the test edits and presses it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "quillet/model/class_id.h"
#include "quillet/model/classes.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/icons/icons_resource_ids.h"
#include "quillet/ui/sheets_resource_ids.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

class ObjectSheetTest : public ::testing::Test {
protected:
    // A tray icon holding a folder item named "Letters".
    void SetUp() override {
        trayIcon = MakeRef<StandardTrayIcon>();
        ASSERT_EQ(kStatusOk, app.Model().Root()->Insert(trayIcon.Get()));
        ASSERT_EQ(kStatusOk, app.Model().CreateObject(kClassFolder, &folder));
        folder->SetProperty(kTagName, Value::FromText("Letters"));
        folder->SetProperty(kTagPath, Value::FromText(scratch.Path()));
        ASSERT_EQ(kStatusOk, trayIcon->Insert(folder.Get()));
    }

    TestApplication app;
    test_support::ScratchFolder scratch;
    RefPtr<StandardTrayIcon> trayIcon;
    RefPtr<Object> folder;
};

TEST_F(ObjectSheetTest, EditsTheNameAndWritesItOnOk) {
    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Letters");
    ASSERT_NE(nullptr, sheet) << "no sheet captioned with the item's name";
    HWND page = CurrentPage(sheet);
    ASSERT_NE(nullptr, page);
    HWND title = GetDlgItem(page, IDC_OBJECT_TITLE);
    EXPECT_EQ("Letters", TextOf(title));
    // The folder's class defaults, and the folder panel in the settings area.
    EXPECT_EQ("Defaults of (Folder)", TextOf(GetDlgItem(page, IDC_OBJECT_FACTORY_TEXT)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_OBJECT_FACTORY_ICON)));
    HWND path = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        HWND panel = FindWindowExA(page, nullptr, "#32770", nullptr);
        path = panel ? GetDlgItem(panel, IDC_FOLDER_PATH) : nullptr;
        return path != nullptr;
    }));
    EXPECT_EQ(scratch.Path(), TextOf(path));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_OBJECT_PANEL_FRAME)));

    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Letters 2026"));
    test_support::WaitUntilDrawn(sheet);
    test_support::SaveScreenPicture("quillet-object-page", sheet);
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ("Letters 2026", folder->ReadText(kTagName));
    // OK writes the live object only: saving is the caller's.
    EXPECT_EQ(0, app.SaveCount());
}

TEST_F(ObjectSheetTest, ANameKeepsToItsLength) {
    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Letters");
    ASSERT_NE(nullptr, sheet);
    HWND title = GetDlgItem(CurrentPage(sheet), IDC_OBJECT_TITLE);
    EXPECT_EQ(1023, SendMessageA(title, EM_GETLIMITTEXT, 0, 0));
    const std::string longName(1500, 'n');
    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longName.c_str()));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(longName.substr(0, 1023), folder->ReadText(kTagName));
}

TEST_F(ObjectSheetTest, AnEmptyNameIsRefusedAndTheSheetStays) {
    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Letters");
    ASSERT_NE(nullptr, sheet);
    HWND page = CurrentPage(sheet);
    HWND title = GetDlgItem(page, IDC_OBJECT_TITLE);
    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PressSheetButton(sheet, PSBTN_OK);

    HWND message = WaitForMessageOver(run, sheet);
    ASSERT_NE(nullptr, message) << "no message about the missing name";
    EXPECT_EQ("Please enter a name for the item.", TextOf(GetDlgItem(message, IDC_MESSAGE_TEXT)));
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return run.TopDialog() == sheet; }));
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == title; })) << "the focus is not back on the name";

    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
    EXPECT_EQ("Letters", folder->ReadText(kTagName));
}

TEST_F(ObjectSheetTest, ChangeIconShowsTheChosenIconAndOkOrCancelDecides) {
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string library = std::string(system) + "\\shell32.dll";
    const struct {
        int button;
        bool confirmed;
        int32_t index;  // afterwards
    } rounds[] = {{PSBTN_OK, true, 5}, {PSBTN_CANCEL, false, 3}};
    for (const auto& round : rounds) {
        SCOPED_TRACE(round.confirmed ? "OK" : "Cancel");
        folder->SetProperty(kTagIconFile, Value::FromText(library));
        folder->SetProperty(kTagIconIndex, Value::FromInteger(3));
        SheetRun run([&] { return EditObject(nullptr, *folder); });
        HWND sheet = run.WaitForWindow("Letters");
        ASSERT_NE(nullptr, sheet);
        HWND page = CurrentPage(sheet);
        HWND large = GetDlgItem(page, IDC_OBJECT_LARGE_ICON);
        const LRESULT before = SendMessageA(large, STM_GETICON, 0, 0);
        ASSERT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_OBJECT_CHANGE_ICON)));
        PostMessageA(GetDlgItem(page, IDC_OBJECT_CHANGE_ICON), BM_CLICK, 0, 0);

        HWND chooser = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            chooser = run.TopDialog();
            return chooser && chooser != sheet && GetDlgItem(chooser, IDC_CHOOSER_FILE);
        })) << "no icon chooser";
        EXPECT_EQ(library, TextOf(GetDlgItem(chooser, IDC_CHOOSER_FILE)));
        HWND icons = GetDlgItem(chooser, IDC_CHOOSER_ICONS);
        ASSERT_TRUE(WaitUntil([&] { return SendMessageA(icons, LB_GETCOUNT, 0, 0) > 5; }));
        SendMessageA(icons, LB_SETCURSEL, 5, 0);
        SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_ICONS, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(icons));
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return run.TopDialog() == sheet; }));
        EXPECT_EQ(5, folder->ReadInteger(kTagIconIndex));
        EXPECT_TRUE(WaitUntil([&] { return SendMessageA(large, STM_GETICON, 0, 0) != before; }))
            << "the page still shows the old icon";

        // Cancel takes the whole sheet back, the chosen icon too.
        PressSheetButton(sheet, round.button);
        ASSERT_TRUE(run.WaitForEnd());
        EXPECT_EQ(round.confirmed, run.Result());
        EXPECT_EQ(round.index, folder->ReadInteger(kTagIconIndex));
        EXPECT_EQ(library, folder->ReadText(kTagIconFile));
    }
}

TEST_F(ObjectSheetTest, AnUntitledClassShowsNoNameToEdit) {
    auto separator = MakeRef<SeparatorItem>();
    ASSERT_EQ(kStatusOk, trayIcon->Insert(separator.Get()));
    SheetRun run([&] { return EditObject(nullptr, *separator); });
    HWND sheet = run.WaitForWindow("<untitled>");
    ASSERT_NE(nullptr, sheet) << "an untitled item's sheet is captioned <untitled>";
    HWND page = CurrentPage(sheet);
    HWND title = GetDlgItem(page, IDC_OBJECT_TITLE);
    EXPECT_EQ("", TextOf(title));
    EXPECT_TRUE(GetWindowLongA(title, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OBJECT_CHANGE_ICON)));
    // No panel of its own.
    EXPECT_EQ(nullptr, FindWindowExA(page, nullptr, "#32770", nullptr));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OBJECT_PANEL_FRAME)));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result()) << "an untitled item needs no name to be accepted";
}

TEST_F(ObjectSheetTest, LockedSettingsShowTheSheetReadOnly) {
    // A document that could only be read locks the settings.
    ASSERT_TRUE(app.Model().Root()->SetProperty(kTagReadOnlyDocument, Value::FromBoolean(true)));
    ASSERT_TRUE(folder->ReadBoolean(kTagLocked));
    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Letters");
    ASSERT_NE(nullptr, sheet);
    HWND page = CurrentPage(sheet);
    HWND title = GetDlgItem(page, IDC_OBJECT_TITLE);
    EXPECT_TRUE(GetWindowLongA(title, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OBJECT_CHANGE_ICON)));
    SendMessageA(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed"));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ("Letters", folder->ReadText(kTagName));
}

TEST_F(ObjectSheetTest, ATrayIconsSheetBeginsWithItsContents) {
    const std::string programTitle = trayIcon->ReadText(kTagName);
    ASSERT_FALSE(programTitle.empty()) << "a tray icon shows the program's title";
    SheetRun run([&] { return EditObject(nullptr, *trayIcon, 1); });
    HWND sheet = run.WaitForWindow(programTitle);
    ASSERT_NE(nullptr, sheet);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(2, TabCtrl_GetItemCount(tabs));
    EXPECT_EQ(1, TabCtrl_GetCurSel(tabs)) << "the sheet opens on the page asked for";
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(programTitle, TextOf(GetDlgItem(page, IDC_OBJECT_TITLE)));
    EXPECT_EQ(nullptr, FindWindowExA(page, nullptr, "#32770", nullptr)) << "a tray icon has no panel";

    // Left as it was, the name stays the program's rather than becoming the
    // tray icon's own.
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    Value own;
    EXPECT_FALSE(trayIcon->GetSavedProperty(kTagName, &own)) << own.Text();
}

}  // namespace
}  // namespace quillet
