// The folder panel: in a window of the test's own for its rules, and inside
// the object sheet for its messages.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/registry.h"
#include "quillet/model/class_id.h"
#include "quillet/model/classes.h"
#include "quillet/ui/help_rules.h"
#include "quillet/ui/object_sheets.h"
#include "quillet/ui/sheets_resource_ids.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

class FolderPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(kStatusOk, app.Model().CreateObject(kClassFolder, &folder));
        host = test_support::CreateTestWindow("QuilletFolderPanelHost", RECT{40, 40, 480, 260});
        ASSERT_TRUE(host);
    }

    // The panel for `object` (the folder unless told) in the host window.
    HWND Show(bool asClassDefaults = false, Object* object = nullptr) {
        Object& target = object ? *object : *folder;
        panel = asClassDefaults ? CreateClassPanel(target, true) : CreateClassPanel(target);
        if (!panel) return nullptr;
        dialog = panel->Create(host.get(), RECT{8, 8, 430, 200}, target);
        return dialog;
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void ChooseRow(LRESULT row) {
        SendMessageA(Item(IDC_FOLDER_SPECIAL), CB_SETCURSEL, row, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_SPECIAL, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(IDC_FOLDER_SPECIAL)));
    }
    bool ReadOnlyPath() const { return (GetWindowLongA(Item(IDC_FOLDER_PATH), GWL_STYLE) & ES_READONLY) != 0; }
    LRESULT ActionCount() const { return SendMessageA(Item(IDC_FOLDER_ACTION), CB_GETCOUNT, 0, 0); }
    LRESULT ShownAction() const { return SendMessageA(Item(IDC_FOLDER_ACTION), CB_GETCURSEL, 0, 0) + 1; }

    TestApplication app;
    RefPtr<Object> folder;
    platform::unique_hwnd host;
    std::unique_ptr<SettingsPanel> panel;
    HWND dialog = nullptr;
};

TEST_F(FolderPanelTest, OnlyFolderItemsHaveAPanel) {
    auto separator = MakeRef<SeparatorItem>();
    EXPECT_EQ(nullptr, CreateClassPanel(*separator));
    EXPECT_EQ(nullptr, CreateClassPreview(*separator));
    EXPECT_NE(nullptr, CreateClassPanel(*folder));
}

TEST_F(FolderPanelTest, ValidatesThePathSilentlyAndAppliesIt) {
    test_support::ScratchFolder scratch;
    ASSERT_NE(nullptr, Show());
    EXPECT_FALSE(panel->Validate(false)) << "a plain folder needs a path";

    SetDlgItemTextA(dialog, IDC_FOLDER_PATH, (scratch.Path() + "\\missing").c_str());
    EXPECT_TRUE(panel->Validate(false)) << "unchecked, any path is taken";
    CheckDlgButton(dialog, IDC_FOLDER_CHECK_PATH, BST_CHECKED);
    EXPECT_FALSE(panel->Validate(false)) << "checked, the path must be a folder";
    SetDlgItemTextA(dialog, IDC_FOLDER_PATH, scratch.Path().c_str());
    EXPECT_TRUE(panel->Validate(false));

    SendMessageA(Item(IDC_FOLDER_ACTION), CB_SETCURSEL, 2, 0);
    CheckDlgButton(dialog, IDC_FOLDER_AS_ROOT, BST_CHECKED);
    CheckDlgButton(dialog, IDC_FOLDER_NEW_WINDOW, BST_CHECKED);
    panel->Apply();
    EXPECT_EQ(scratch.Path(), folder->ReadText(kTagFolderPath));
    EXPECT_EQ(kNoSpecialFolder, folder->ReadInteger(kTagFolderSpecial));
    EXPECT_EQ(kFolderActionExploreTree, folder->ReadInteger(kTagFolderAction));
    EXPECT_TRUE(folder->ReadBoolean(kTagFolderAsRoot));
    EXPECT_TRUE(folder->ReadBoolean(kTagFolderNewWindow));
    EXPECT_TRUE(folder->ReadBoolean(kTagFolderCheckPath));
}

TEST_F(FolderPanelTest, SpecialFoldersFixThePathAndOfferWhatTheyCan) {
    // My Computer has no place in the file system: no command prompt in it,
    // and a stored command prompt shows as the menu.
    folder->SetProperty(kTagFolderSpecial, Value::FromInteger(CSIDL_DRIVES));
    folder->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionCommandPrompt));
    ASSERT_NE(nullptr, Show());
    HWND list = Item(IDC_FOLDER_SPECIAL);
    // Wine reports Windows NT: the all-users rows are offered.
    EXPECT_EQ(21, SendMessageA(list, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(5, SendMessageA(list, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(ReadOnlyPath());
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_FOLDER_BROWSE)));
    EXPECT_EQ(3, ActionCount());
    EXPECT_EQ(1, ShownAction());
    EXPECT_TRUE(panel->Validate(false)) << "a special folder needs no path";

    // My Documents lies in the file system: the prompt is offered again, and
    // the choice made stays.
    SendMessageA(Item(IDC_FOLDER_ACTION), CB_SETCURSEL, 1, 0);
    ChooseRow(4);
    EXPECT_EQ(4, ActionCount());
    EXPECT_EQ(2, ShownAction());
    EXPECT_TRUE(ReadOnlyPath());
    char documents[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, documents, CSIDL_PERSONAL, FALSE));
    EXPECT_EQ(documents, TextOf(Item(IDC_FOLDER_PATH)));

    // Back to a plain folder: the path is the user's again.
    ChooseRow(0);
    EXPECT_FALSE(ReadOnlyPath());
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_FOLDER_BROWSE)));
    ChooseRow(4);
    panel->Apply();
    EXPECT_EQ(CSIDL_PERSONAL, folder->ReadInteger(kTagFolderSpecial));
    EXPECT_EQ(kFolderActionExplore, folder->ReadInteger(kTagFolderAction));
}

// A folder item whose class keeps its path as it is.
class FixedPathFolder : public FolderItem {
public:
    int32_t ClassFlags() const override { return kFlagFixedPath; }
};

TEST_F(FolderPanelTest, AClassThatFixesThePathLeavesNothingToChoose) {
    auto fixed = MakeRef<FixedPathFolder>();
    fixed->SetProperty(kTagPath, Value::FromText("C:\\Data"));
    ASSERT_NE(nullptr, Show(false, fixed.Get()));
    EXPECT_TRUE(ReadOnlyPath());
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_FOLDER_BROWSE)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_FOLDER_SPECIAL)));
    EXPECT_EQ(4, ActionCount());
}

TEST_F(FolderPanelTest, ARegistryRowPointsAtTheValuesFolder) {
    test_support::ScratchRegistry registry;
    test_support::ScratchFolder media;
    platform::RegistryKey key =
        platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key.WriteString("MediaPath", media.Path()));
    ASSERT_NE(nullptr, Show());
    ChooseRow(15);  // "Media", the "!MediaPath" row
    EXPECT_FALSE(ReadOnlyPath()) << "a registry row is a plain folder";
    EXPECT_EQ(media.Path(), TextOf(Item(IDC_FOLDER_PATH)));
    panel->Apply();
    EXPECT_EQ(media.Path(), folder->ReadText(kTagFolderPath)) << "the item keeps the folder, not the \"!\" name";
    EXPECT_EQ(kNoSpecialFolder, folder->ReadInteger(kTagFolderSpecial));
}

TEST_F(FolderPanelTest, ClassDefaultsAndPreview) {
    Object* classObject = app.Model().FindFactory(kClassFolder)->ClassObject();
    ASSERT_NE(nullptr, Show(true, classObject));
    EXPECT_EQ(nullptr, Item(IDC_FOLDER_PATH)) << "the class's defaults name no folder";
    SendMessageA(Item(IDC_FOLDER_ACTION), CB_SETCURSEL, 1, 0);
    CheckDlgButton(dialog, IDC_FOLDER_NEW_WINDOW, BST_CHECKED);
    EXPECT_TRUE(panel->Validate(true));
    panel->Apply();
    EXPECT_EQ(kFolderActionExplore, classObject->ReadInteger(kTagFolderAction));
    EXPECT_TRUE(classObject->ReadBoolean(kTagFolderNewWindow));

    folder->SetProperty(kTagPath, Value::FromText("C:\\Data"));
    folder->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionExploreTree));
    folder->SetProperty(kTagFolderAsRoot, Value::FromBoolean(true));
    folder->SetProperty(kTagFolderNewWindow, Value::FromBoolean(true));
    std::unique_ptr<SettingsPanel> preview = CreateClassPreview(*folder);
    ASSERT_NE(nullptr, preview);
    HWND previewDialog = preview->Create(host.get(), RECT{8, 8, 430, 60}, *folder);
    ASSERT_NE(nullptr, previewDialog);
    EXPECT_EQ("C:\\Data, Open in Explorer, as root, in a new window",
              TextOf(GetDlgItem(previewDialog, IDC_FOLDER_PREVIEW)));
}

TEST_F(FolderPanelTest, ControlsHaveTheirHelpRows) {
    ASSERT_NE(nullptr, Show());
    const auto* rows = static_cast<const HelpRow*>(GetPropA(dialog, kHelpTableProperty));
    ASSERT_NE(nullptr, rows);
    const std::pair<int, const char*> expected[] = {
        {IDC_FOLDER_PATH, "hlpFolder:pvpath"},        {IDC_FOLDER_BROWSE, "hlpFolder:pvpathbrowse"},
        {IDC_FOLDER_ACTION, "hlpFolder:pvaction"},    {IDC_FOLDER_NEW_WINDOW, "hlpFolder:pvNewWindow"},
        {IDC_FOLDER_AS_ROOT, "hlpFolder:pvTreeRoot"}, {IDC_FOLDER_CHECK_PATH, "hlpFolder:pvValidatePath"},
        {IDC_FOLDER_SPECIAL, "hlpUnknown"},
    };
    for (const auto& [id, key] : expected) EXPECT_EQ(key, HelpKeyFor(rows, id)) << id;
}

// Inside the sheet the refusals are told, and the sheet stays.
TEST_F(FolderPanelTest, TheSheetTellsWhatIsWrongWithThePath) {
    auto trayIcon = MakeRef<StandardTrayIcon>();
    ASSERT_EQ(kStatusOk, app.Model().Root()->Insert(trayIcon.Get()));
    ASSERT_EQ(kStatusOk, trayIcon->Insert(folder.Get()));
    folder->SetProperty(kTagName, Value::FromText("Projects"));
    folder->SetProperty(kTagFolderCheckPath, Value::FromBoolean(true));
    test_support::ScratchFolder scratch;

    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Projects");
    ASSERT_NE(nullptr, sheet);
    HWND page = CurrentPage(sheet);
    HWND panelDialog = FindWindowExA(page, nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, panelDialog);
    HWND path = GetDlgItem(panelDialog, IDC_FOLDER_PATH);

    const struct {
        std::string path;
        const char* message;
    } refusals[] = {
        {"", "Please enter the path of a folder."},
        {scratch.Path() + "\\missing",
         "The path does not name an existing folder.\r\nPlease enter the path of a folder."},
    };
    for (const auto& refusal : refusals) {
        SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(refusal.path.c_str()));
        PressSheetButton(sheet, PSBTN_OK);
        HWND message = WaitForMessageOver(run, sheet);
        ASSERT_NE(nullptr, message) << refusal.path;
        EXPECT_EQ(refusal.message, TextOf(GetDlgItem(message, IDC_MESSAGE_TEXT)));
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return run.TopDialog() == sheet; }));
        EXPECT_TRUE(WaitUntil([&] { return run.Focus() == path; })) << "the focus is not on the path";
    }

    SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(scratch.Path().c_str()));
    test_support::WaitUntilDrawn(sheet);
    test_support::SaveScreenPicture("quillet-folder-panel", sheet);
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ(scratch.Path(), folder->ReadText(kTagFolderPath));
}

static BOOL CALLBACK FindText(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<std::pair<std::string, HWND>*>(data);
    if (TextOf(window) != search->first) return TRUE;
    search->second = window;
    return FALSE;
}

// A child of `dialog` showing `text`, or null.
HWND ChildWithText(HWND dialog, const std::string& text) {
    std::pair<std::string, HWND> search{text, nullptr};
    EnumChildWindows(dialog, FindText, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

TEST_F(FolderPanelTest, BrowseStartsAtThePathAndShowsWhereItIs) {
    auto trayIcon = MakeRef<StandardTrayIcon>();
    ASSERT_EQ(kStatusOk, app.Model().Root()->Insert(trayIcon.Get()));
    ASSERT_EQ(kStatusOk, trayIcon->Insert(folder.Get()));
    test_support::ScratchFolder scratch;
    folder->SetProperty(kTagName, Value::FromText("Browsed"));
    folder->SetProperty(kTagPath, Value::FromText(scratch.Path()));

    SheetRun run([&] { return EditObject(nullptr, *folder); });
    HWND sheet = run.WaitForWindow("Browsed");
    ASSERT_NE(nullptr, sheet);
    HWND panelDialog = FindWindowExA(CurrentPage(sheet), nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, panelDialog);
    PostMessageA(GetDlgItem(panelDialog, IDC_FOLDER_BROWSE), BM_CLICK, 0, 0);
    HWND browse = run.WaitForWindow("Browse for Folder");
    ASSERT_NE(nullptr, browse) << "no browse dialog with its caption";
    EXPECT_NE(nullptr, ChildWithText(browse, "Choose the folder whose contents the menu shows:"));
    // The current folder is selected, and the status line names it.
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(browse, scratch.Path()) != nullptr; }))
        << "the status text does not show the selected folder";
    PostMessageA(browse, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return run.TopDialog() == sheet; }));
    EXPECT_EQ(scratch.Path(), TextOf(GetDlgItem(panelDialog, IDC_FOLDER_PATH)));
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
}

}  // namespace
}  // namespace quillet
