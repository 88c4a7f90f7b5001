// The contents page in a real property sheet on a thread of its own, with the
// English language library, a scratch registry for the "Preview Pane" value
// and recording stand-ins for the wizard and the child's property sheet.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "quillet/options/option_pages.h"
#include "quillet/options/pages_resource_ids.h"
#include "quillet/options/tests/pages_win_test_support.h"
#include "quillet/ui/help_rules.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

struct WizardCall {
    Object* container = nullptr;
    size_t insertAt = 0;
    RefPtr<Object> templateItem;
};

// A preview that shows the child's name in a label, counted while it lives.
class NamePreview : public SettingsPanel {
public:
    explicit NamePreview(std::atomic<int>& alive) : m_alive(alive) { ++m_alive; }
    ~NamePreview() override { --m_alive; }
    HWND Create(HWND page, const RECT& area, Object& object) override {
        return CreateWindowExA(0, "Static", object.ReadText(kTagName).c_str(), WS_CHILD | WS_VISIBLE, area.left,
                               area.top, area.right - area.left, area.bottom - area.top, page,
                               reinterpret_cast<HMENU>(kPreviewId), nullptr, nullptr);
    }
    bool Validate(bool) override { return true; }
    void Apply() override {}
    static constexpr int kPreviewId = 4000;

private:
    std::atomic<int>& m_alive;
};

class ContentsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(kStatusOk, m_app.Model().AddStandardTrayIcon());
        m_tray = m_app.Model().Root()->GetChild(0);
    }

    void AddItems(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            RefPtr<Object> item;
            Value path = Value::FromText(m_folder.Path());
            ASSERT_EQ(kStatusOk, m_app.Model().CreateObject(kClassFolder, &item, &path));
            ASSERT_TRUE(item->SetProperty(kTagName, Value::FromText(name)));
            ASSERT_EQ(kStatusOk, m_tray->Insert(item.Get()));
        }
    }
    void AddSeparator() {
        RefPtr<Object> item;
        ASSERT_EQ(kStatusOk, m_app.Model().CreateObject(kClassSeparator, &item));
        ASSERT_EQ(kStatusOk, m_tray->Insert(item.Get()));
    }

    ContentsPageActions Actions() {
        ContentsPageActions actions;
        actions.runWizard = [this](HWND, const NewItemRequest& request) {
            std::lock_guard<std::mutex> lock(m_lock);
            m_wizardCalls.push_back({request.container, request.insertAt, RefPtr<Object>(request.templateItem)});
            if (!m_wizardCreates) return false;
            RefPtr<Object> item;
            m_app.Model().CreateObject(kClassSeparator, &item);
            if (request.insertAt == static_cast<size_t>(-1)) return Succeeded(request.container->Insert(item.Get()));
            return Succeeded(request.container->InsertAt(item.Get(), request.insertAt));
        };
        actions.editObject = [this](HWND, Object& child) {
            m_edits++;
            return m_editRename.empty() ? false : child.SetProperty(kTagName, Value::FromText(m_editRename));
        };
        actions.beep = [this] { m_beeps++; };
        actions.createPreview = [this](const Object&) { return std::make_unique<NamePreview>(m_previews); };
        return actions;
    }

    // Opens the container's page in a sheet and finds its controls.
    void Open(bool programActions = false) {
        m_ui.Post([this, programActions] {
            HPROPSHEETPAGE page = programActions ? CreateContentsPage(*m_tray) : CreateContentsPage(*m_tray, Actions());
            PROPSHEETHEADERA header = {};
            header.dwSize = sizeof header;
            header.dwFlags = PSH_NOAPPLYNOW;
            header.hInstance = GetModuleHandleA(nullptr);
            header.pszCaption = "Contents";
            header.nPages = 1;
            header.phpage = &page;
            PropertySheetA(&header);
        });
        m_sheet = m_ui.WaitForDialogWith(IDC_CONTENTS_LIST);
        ASSERT_NE(nullptr, m_sheet) << "the sheet did not open";
        m_page = reinterpret_cast<HWND>(SendMessageA(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(nullptr, m_page);
        m_list = GetDlgItem(m_page, IDC_CONTENTS_LIST);
    }
    void Close() {
        PostMessageA(m_sheet, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(m_ui.WaitUntilDone()) << "the sheet did not close";
    }

    // One letter per button (first, Modify, Remove, Up, Down): E enabled,
    // d disabled, - hidden.
    std::string Buttons() const {
        std::string sketch;
        for (int id = IDC_CONTENTS_NEW; id <= IDC_CONTENTS_DOWN; ++id) {
            HWND button = GetDlgItem(m_page, id);
            sketch += !IsWindowVisible(button) ? '-' : IsWindowEnabled(button) ? 'E' : 'd';
        }
        return sketch;
    }
    std::string Children() const {
        std::string names;
        for (const RefPtr<Object>& child : m_tray->Children())
            names += (names.empty() ? "" : ",") + (child->IsUntitled() ? "-" : child->ReadText(kTagName));
        return names;
    }
    std::string Rows() const {
        std::string rows;
        const int count = static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            char text[256] = {};
            LVITEMA item = {};
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            rows += (rows.empty() ? "" : ",") + std::string(text);
        }
        return rows;
    }
    int SelectedRow() const {
        return static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void SelectRow(int row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // A button press that finishes before it returns.
    void Click(int id) {
        SendMessageA(m_page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(m_page, id)));
    }
    // One that may open a dialog of its own.
    void PostClick(int id) {
        PostMessageA(m_page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(m_page, id)));
    }
    std::optional<DWORD> PreviewPaneValue() {
        platform::RegistryKey key =
            platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKeyPath(m_app.Texts().Facts()));
        if (!key) return std::nullopt;
        std::optional<platform::RegData> data = key.Read("Preview Pane");
        return data ? data->Dword() : std::nullopt;
    }

    test_support::ScratchRegistry m_registry;
    test_support::ScratchFolder m_folder;
    TestApplication m_app;
    RefPtr<Object> m_tray;
    std::mutex m_lock;
    std::vector<WizardCall> m_wizardCalls;
    std::atomic<bool> m_wizardCreates{false};
    std::atomic<int> m_edits{0};
    std::string m_editRename;
    std::atomic<int> m_beeps{0};
    std::atomic<int> m_previews{0};
    HWND m_sheet = nullptr;
    HWND m_page = nullptr;
    HWND m_list = nullptr;
    // Last: its dialogs close before what they show goes away.
    UiThread m_ui;
};

TEST_F(ContentsPageTest, AnEmptyContainerOffersOnlyNew) {
    Open();
    EXPECT_EQ("", Rows());
    EXPECT_EQ("Edddd", Buttons());
    EXPECT_EQ("&New...", ControlText(GetDlgItem(m_page, IDC_CONTENTS_NEW)));
    EXPECT_EQ("Contents", ControlText(m_sheet)) << "the page's caption";
    Close();
}

TEST_F(ContentsPageTest, ListsTheChildrenAndFollowsTheSelection) {
    AddItems({"Alpha", "Beta"});
    AddSeparator();
    Open();
    EXPECT_EQ("Alpha,Beta,Separator", Rows()) << "a separator shows its class's name";
    EXPECT_EQ("Edddd", Buttons());
    SelectRow(2);
    EXPECT_EQ("EEEEd", Buttons()) << "last row: Down off, Up on";
    SelectRow(0);
    EXPECT_EQ("EEEdE", Buttons()) << "first row: Up off, Down on";
    SelectRow(1);
    EXPECT_EQ("EEEEE", Buttons());
    ASSERT_TRUE(test_support::WaitUntilDrawn(m_sheet));
    test_support::SaveScreenPicture("quillet-contents-page", m_sheet);
    Close();
}

TEST_F(ContentsPageTest, RemoveAsksAndOnlyYesRemoves) {
    AddItems({"Alpha", "Beta", "Gamma"});
    Open();
    SelectRow(1);
    PostClick(IDC_CONTENTS_REMOVE);
    HWND question = m_ui.WaitForDialogWith(IDC_MESSAGE_TEXT);
    ASSERT_NE(nullptr, question) << "no question";
    EXPECT_EQ(m_app.Texts().GetText("msgConfirmDelete").value_or("?"),
              ControlText(GetDlgItem(question, IDC_MESSAGE_TEXT)));
    EXPECT_EQ(GetDlgItem(question, IDCANCEL), m_ui.Focus()) << "No is the default answer";
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);  // No
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_EQ("Alpha,Beta,Gamma", Children());
    EXPECT_EQ("Alpha,Beta,Gamma", Rows());
    EXPECT_EQ(0, m_app.SaveCount());

    PostClick(IDC_CONTENTS_REMOVE);
    question = m_ui.WaitForDialogWith(IDC_MESSAGE_TEXT);
    ASSERT_NE(nullptr, question);
    PostMessageA(question, WM_COMMAND, IDOK, 0);  // Yes
    ASSERT_TRUE(WaitUntil([&] { return m_app.SaveCount() == 1; })) << "saves: " << m_app.SaveCount();
    EXPECT_EQ("Alpha,Gamma", Children());
    EXPECT_EQ("Alpha,Gamma", Rows());
    EXPECT_EQ("Edddd", Buttons()) << "the removed row took the selection with it";

    // Without the confirmation setting the row goes at once.
    ASSERT_TRUE(m_app.Model().Root()->SetProperty(kTagConfirmDelete, Value::FromBoolean(false)));
    SelectRow(0);
    Click(IDC_CONTENTS_REMOVE);
    EXPECT_EQ("Gamma", Children());
    EXPECT_EQ("Gamma", Rows());
    EXPECT_EQ(2, m_app.SaveCount());
    Close();
}

TEST_F(ContentsPageTest, PreviewModeHidesTheButtonsAndIsRemembered) {
    AddItems({"Alpha", "Beta"});
    Open();
    SendMessageA(GetDlgItem(m_page, IDC_CONTENTS_SHOW_PREVIEW), BM_CLICK, 0, 0);
    EXPECT_EQ("d----", Buttons());
    EXPECT_EQ("&Modify...", ControlText(GetDlgItem(m_page, IDC_CONTENTS_NEW)));
    EXPECT_EQ(1u, PreviewPaneValue().value_or(0));
    SelectRow(1);
    EXPECT_EQ("E----", Buttons());

    // The first button now opens the child's sheet; a rename is refused.
    m_editRename = "Changed";
    Click(IDC_CONTENTS_NEW);
    EXPECT_EQ(1, m_edits.load());
    EXPECT_EQ("Alpha,Changed", Rows());
    EXPECT_EQ(1, m_app.SaveCount());
    EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendMessageA(m_list, LVM_EDITLABELA, 0, 0)));
    Close();

    Open();
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_page, IDC_CONTENTS_SHOW_PREVIEW));
    EXPECT_EQ("d----", Buttons());
    SendMessageA(GetDlgItem(m_page, IDC_CONTENTS_SHOW_PREVIEW), BM_CLICK, 0, 0);
    EXPECT_EQ("Edddd", Buttons());
    EXPECT_EQ("&New...", ControlText(GetDlgItem(m_page, IDC_CONTENTS_NEW)));
    EXPECT_EQ(0u, PreviewPaneValue().value_or(7));
    Close();
}

TEST_F(ContentsPageTest, ThePreviewShowsTheSelectedChildWhileThePreviewIsOn) {
    AddItems({"Alpha", "Beta"});
    Open();
    SelectRow(0);
    EXPECT_EQ(nullptr, GetDlgItem(m_page, NamePreview::kPreviewId)) << "no preview in normal mode";
    SendMessageA(GetDlgItem(m_page, IDC_CONTENTS_SHOW_PREVIEW), BM_CLICK, 0, 0);
    EXPECT_EQ("Alpha", ControlText(GetDlgItem(m_page, NamePreview::kPreviewId)));
    SelectRow(1);
    EXPECT_EQ("Beta", ControlText(GetDlgItem(m_page, NamePreview::kPreviewId)));
    EXPECT_EQ(1, m_previews.load()) << "the previous preview was let go";

    // The preview sits inside the frame.
    RECT frame = {}, preview = {}, inside = {};
    GetWindowRect(GetDlgItem(m_page, IDC_CONTENTS_PREVIEW), &frame);
    GetWindowRect(GetDlgItem(m_page, NamePreview::kPreviewId), &preview);
    IntersectRect(&inside, &frame, &preview);
    EXPECT_TRUE(EqualRect(&inside, &preview));

    SendMessageA(GetDlgItem(m_page, IDC_CONTENTS_SHOW_PREVIEW), BM_CLICK, 0, 0);
    EXPECT_EQ(nullptr, GetDlgItem(m_page, NamePreview::kPreviewId));
    EXPECT_EQ(0, m_previews.load());
    Close();
}

// With the program's own actions: the folder item's preview from the
// property sheets.
TEST_F(ContentsPageTest, AFolderItemShowsTheFolderPreview) {
    AddItems({"Alpha"});
    platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKeyPath(m_app.Texts().Facts()))
        .WriteDword("Preview Pane", 1);
    Open(true);
    SelectRow(0);
    HWND preview = FindWindowExA(m_page, nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, preview) << "no preview dialog in the page";
    EXPECT_TRUE(IsWindowVisible(preview));
    ASSERT_TRUE(test_support::WaitUntilDrawn(m_sheet));
    test_support::SaveScreenPicture("quillet-contents-page-preview", m_sheet);
    Close();
}

TEST_F(ContentsPageTest, RenameInPlace) {
    AddItems({"Alpha", "Beta"});
    AddSeparator();
    Open();
    HWND edit = reinterpret_cast<HWND>(SendMessageA(m_list, LVM_EDITLABELA, 0, 0));
    ASSERT_NE(nullptr, edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Delta"));
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(edit); })) << "the edit did not end";
    EXPECT_EQ("Delta,Beta,-", Children());
    EXPECT_EQ("Delta,Beta,Separator", Rows());
    EXPECT_EQ(1, m_app.SaveCount());

    // An edit left empty: Wine's list view reports it as a cancelled edit
    // (no text at all), Windows as an empty text. The page is sent what
    // Windows sends and must refuse it with a beep.
    char empty[] = "";
    NMLVDISPINFOA ended = {};
    ended.hdr = {m_list, IDC_CONTENTS_LIST, static_cast<UINT>(LVN_ENDLABELEDITA)};
    ended.item.iItem = 1;
    ended.item.pszText = empty;
    EXPECT_EQ(FALSE, SendMessageA(m_page, WM_NOTIFY, IDC_CONTENTS_LIST, reinterpret_cast<LPARAM>(&ended)));
    EXPECT_EQ(1, m_beeps.load());
    EXPECT_EQ("Delta,Beta,-", Children());
    EXPECT_EQ("Delta,Beta,Separator", Rows());
    EXPECT_EQ(1, m_app.SaveCount());

    // A separator has no name to edit.
    EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendMessageA(m_list, LVM_EDITLABELA, 2, 0)));
    Close();
}

TEST_F(ContentsPageTest, UpAndDownMoveTheChildAndSaveEachMove) {
    AddItems({"Alpha", "Beta", "Gamma"});
    Open();
    SelectRow(0);
    Click(IDC_CONTENTS_DOWN);
    EXPECT_EQ("Beta,Alpha,Gamma", Children());
    EXPECT_EQ("Beta,Alpha,Gamma", Rows());
    EXPECT_EQ(1, SelectedRow());
    EXPECT_EQ(1, m_app.SaveCount());
    Click(IDC_CONTENTS_DOWN);
    EXPECT_EQ("Beta,Gamma,Alpha", Children());
    EXPECT_EQ("EEEEd", Buttons());
    Click(IDC_CONTENTS_DOWN);  // disabled at the bottom: nothing happens
    Click(IDC_CONTENTS_UP);
    EXPECT_EQ("Beta,Alpha,Gamma", Children());
    EXPECT_EQ("Beta,Alpha,Gamma", Rows());
    EXPECT_EQ(3, m_app.SaveCount());
    EXPECT_EQ(m_list, m_ui.Focus()) << "the focus goes back to the list";
    Close();
}

TEST_F(ContentsPageTest, DraggingARowMovesTheChildThere) {
    AddItems({"Alpha", "Beta", "Gamma"});
    Open();
    ASSERT_NE(nullptr, LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CONTENTS_DRAG_CURSOR)));
    NMLISTVIEW drag = {};
    drag.hdr.hwndFrom = m_list;
    drag.hdr.idFrom = IDC_CONTENTS_LIST;
    drag.hdr.code = LVN_BEGINDRAG;
    drag.iItem = 0;
    SendMessageA(m_page, WM_NOTIFY, IDC_CONTENTS_LIST, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(m_page, m_ui.Capture()) << "the page holds the mouse while dragging";

    RECT target = {};
    target.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(m_list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&target)));
    POINT drop = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    MapWindowPoints(m_list, m_page, &drop, 1);
    PostMessageA(m_page, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    ASSERT_TRUE(WaitUntil([&] { return m_app.SaveCount() == 1; })) << "saves: " << m_app.SaveCount();
    EXPECT_EQ("Beta,Gamma,Alpha", Children());
    EXPECT_EQ("Beta,Gamma,Alpha", Rows());
    EXPECT_EQ(2, SelectedRow());
    EXPECT_EQ(nullptr, m_ui.Capture());

    // No dragging in preview mode.
    SendMessageA(GetDlgItem(m_page, IDC_CONTENTS_SHOW_PREVIEW), BM_CLICK, 0, 0);
    SendMessageA(m_page, WM_NOTIFY, IDC_CONTENTS_LIST, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(nullptr, m_ui.Capture());
    Close();
}

TEST_F(ContentsPageTest, NewGoesAfterTheSelectedRowOrAtTheEnd) {
    AddItems({"Alpha", "Beta"});
    Open();
    Click(IDC_CONTENTS_NEW);  // the wizard cancelled
    EXPECT_EQ(0, m_app.SaveCount());

    m_wizardCreates = true;
    SelectRow(0);
    Click(IDC_CONTENTS_NEW);
    EXPECT_EQ("Alpha,-,Beta", Children());
    EXPECT_EQ("Alpha,Separator,Beta", Rows());
    EXPECT_EQ(1, SelectedRow());
    EXPECT_EQ(1, m_app.SaveCount());

    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED;
    SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    Click(IDC_CONTENTS_NEW);
    EXPECT_EQ("Alpha,-,Beta,-", Children());
    EXPECT_EQ("Alpha,Separator,Beta,Separator", Rows());
    EXPECT_EQ(2, m_app.SaveCount());

    std::lock_guard<std::mutex> lock(m_lock);
    ASSERT_EQ(3u, m_wizardCalls.size());
    EXPECT_EQ(m_tray.Get(), m_wizardCalls[0].container);
    EXPECT_EQ(static_cast<size_t>(-1), m_wizardCalls[0].insertAt);
    EXPECT_EQ(nullptr, m_wizardCalls[0].templateItem);
    EXPECT_EQ(1u, m_wizardCalls[1].insertAt);
    EXPECT_EQ(m_tray->GetChild(0), m_wizardCalls[1].templateItem) << "the selected child is the template";
    EXPECT_EQ(static_cast<size_t>(-1), m_wizardCalls[2].insertAt);
    Close();
}

TEST_F(ContentsPageTest, ModifyRefreshesTheRowOnlyWhenConfirmed) {
    AddItems({"Alpha", "Beta"});
    Open();
    SelectRow(1);
    Click(IDC_CONTENTS_MODIFY);  // cancelled
    EXPECT_EQ(0, m_app.SaveCount());
    m_editRename = "Changed";
    NMHDR doubleClick = {m_list, IDC_CONTENTS_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(m_page, WM_NOTIFY, IDC_CONTENTS_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(2, m_edits.load());
    EXPECT_EQ("Alpha,Changed", Rows());
    EXPECT_EQ(1, m_app.SaveCount());
    Close();
}

TEST_F(ContentsPageTest, ControlsHaveTheirWhatsThisRows) {
    Open();
    const auto* rows = static_cast<const HelpRow*>(GetPropA(m_page, kHelpTableProperty));
    ASSERT_NE(nullptr, rows);
    const std::pair<int, const char*> expected[] = {
        {IDC_CONTENTS_LIST, "hlpProp:list"},         {IDC_CONTENTS_NEW, "hlpProp:btnNew"},
        {IDC_CONTENTS_MODIFY, "hlpProp:btnModify"},  {IDC_CONTENTS_REMOVE, "hlpProp:btnRemove"},
        {IDC_CONTENTS_UP, "hlpProp:btnUp"},          {IDC_CONTENTS_DOWN, "hlpProp:btnDown"},
        {IDC_CONTENTS_SHOW_PREVIEW, "hlpProp:showProps"},
    };
    for (const auto& [id, key] : expected) EXPECT_EQ(key, HelpKeyFor(rows, id)) << id;
    Close();
}

}  // namespace
}  // namespace quillet
