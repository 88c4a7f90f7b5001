// The settings page in a real property sheet, with panels of the test's own
// making that record what the page asks of them.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "quillet/model/class_id.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/icons/icons_resource_ids.h"
#include "quillet/ui/icons/settings_page_win32.h"
#include "quillet/ui/icons/tests/icon_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

// What the panels were asked, in order: "create General", "apply Folder"...
class Journal {
public:
    void Add(std::string line) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lines.push_back(std::move(line));
    }
    std::vector<std::string> Lines() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_lines;
    }

private:
    std::mutex m_lock;
    std::vector<std::string> m_lines;
};

class RecordingPanel : public SettingsPanel {
public:
    RecordingPanel(std::string name, Journal& journal, bool valid) : m_name(std::move(name)), m_journal(journal), m_valid(valid) {}
    ~RecordingPanel() override {
        if (m_window) DestroyWindow(m_window);
    }
    HWND Create(HWND page, const RECT& area, Object& object) override {
        m_journal.Add("create " + m_name + (object.ClassId() == kClassIconSetRoot ? " on the root" : " on its class"));
        m_window = CreateWindowExA(0, "BUTTON", (m_name + " settings").c_str(), WS_CHILD | BS_GROUPBOX, area.left,
                                   area.top, area.right - area.left, area.bottom - area.top, page, nullptr, nullptr,
                                   nullptr);
        return m_window;
    }
    bool Validate(bool showMessages) override {
        if (showMessages || !m_valid) m_journal.Add("validate " + m_name);
        return m_valid;
    }
    void Apply() override { m_journal.Add("apply " + m_name); }

private:
    std::string m_name;
    Journal& m_journal;
    bool m_valid;
    HWND m_window = nullptr;
};

// The sheet on a thread of its own, as the modal sheet it is.
class SheetRun {
public:
    explicit SheetRun(HPROPSHEETPAGE page)
        : m_thread([this, page] {
              m_threadId = GetCurrentThreadId();
              HPROPSHEETPAGE pages[] = {page};
              PROPSHEETHEADERA header = {};
              header.dwSize = sizeof header;
              header.dwFlags = PSH_NOAPPLYNOW;
              header.pszCaption = "Quillet";
              header.nPages = 1;
              header.phpage = pages;
              m_result = static_cast<int>(PropertySheetA(&header));
              m_done = true;
          }) {}
    ~SheetRun() {
        WaitUntil([&] {
            if (HWND sheet = Sheet()) PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
            return m_done.load();
        });
        m_thread.join();
    }
    HWND Sheet() const {
        std::vector<HWND> dialogs = ThreadDialogs(m_threadId);
        return dialogs.empty() ? nullptr : dialogs.front();
    }
    HWND WaitForPage() {
        HWND page = nullptr;
        WaitUntil([&] {
            HWND sheet = Sheet();
            page = sheet ? PropSheet_GetCurrentPageHwnd(sheet) : nullptr;
            return page && IsWindowVisible(page);
        });
        return page;
    }
    bool Done() const { return m_done.load(); }
    std::optional<int> WaitForResult() {
        if (!WaitUntil([&] { return m_done.load(); })) return std::nullopt;
        return m_result.load();
    }

private:
    std::atomic<DWORD> m_threadId{0};
    std::atomic<int> m_result{-1};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

std::string ItemName(HWND list, int index) {
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

void Select(HWND list, int index) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The panel windows of the page that are shown now, by text.
std::vector<std::string> ShownPanels(HWND page) {
    std::vector<std::string> shown;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        if (IsWindowVisible(child) && strstr(text, " settings")) shown.push_back(text);
    }
    return shown;
}

class SettingsPageTest : public ::testing::Test {
protected:
    // The root's panel "General"; a panel for the folder class only, the
    // other classes have none. `folderValid` is what its validation answers.
    HPROPSHEETPAGE MakePage(bool folderValid = true) {
        SettingsPanelSources sources;
        sources.general = [this] { return std::make_unique<RecordingPanel>("General", journal, true); };
        sources.classPanel = [this, folderValid](const Object& classObject) -> std::unique_ptr<SettingsPanel> {
            if (classObject.ClassId() != kClassFolder) return nullptr;
            return std::make_unique<RecordingPanel>("Folder", journal, folderValid);
        };
        return CreateSettingsPageWith(*app.Model().Root(), std::move(sources));
    }

    TestApplication app;
    Journal journal;
};

TEST_F(SettingsPageTest, ListsTheRootsPanelThenEachClassWithOneAndAppliesEveryPanelMade) {
    SheetRun run(MakePage());
    HWND page = run.WaitForPage();
    ASSERT_NE(nullptr, page);
    HWND tabs = PropSheet_GetTabControl(GetParent(page));
    char caption[64] = {};
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption;
    tab.cchTextMax = sizeof caption;
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ("Settings", caption);
    HWND list = GetDlgItem(page, IDC_SETTINGS_PANELS);
    ASSERT_EQ(2, ListView_GetItemCount(list));
    EXPECT_EQ("General", ItemName(list, 0));
    EXPECT_EQ(app.Texts().TranslateText("$folder:name"), ItemName(list, 1));
    EXPECT_EQ(std::vector<std::string>{"create General on the root"}, journal.Lines()) << "only the shown panel is made";
    EXPECT_EQ(std::vector<std::string>{"General settings"}, ShownPanels(page));

    Select(list, 1);
    EXPECT_EQ(std::vector<std::string>{"Folder settings"}, ShownPanels(page));
    Select(list, 0);
    EXPECT_EQ(std::vector<std::string>{"General settings"}, ShownPanels(page));
    PostMessageA(GetParent(page), PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(run.WaitForResult().has_value());
    const std::vector<std::string> expected = {"create General on the root", "create Folder on its class",
                                               "validate General", "apply General", "apply Folder"};
    EXPECT_EQ(expected, journal.Lines());
}

TEST_F(SettingsPageTest, ARefusingPanelIsShownAndNothingIsApplied) {
    SheetRun run(MakePage(false));
    HWND page = run.WaitForPage();
    ASSERT_NE(nullptr, page);
    HWND list = GetDlgItem(page, IDC_SETTINGS_PANELS);
    Select(list, 1);
    Select(list, 0);
    PostMessageA(GetParent(page), PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(WaitUntil([&] { return ShownPanels(page) == std::vector<std::string>{"Folder settings"}; }));
    SendMessageA(GetParent(page), WM_NULL, 0, 0);
    EXPECT_FALSE(run.Done());
    for (const std::string& line : journal.Lines()) EXPECT_EQ(std::string::npos, line.find("apply")) << line;
    EXPECT_EQ(1, ListView_GetNextItem(list, -1, LVNI_SELECTED));
}

// The program's own panels: the general panel, then the folder class's
// defaults (the separators have no panel).
TEST_F(SettingsPageTest, TheProgramsPageShowsTheGeneralPanelThenTheFolderDefaults) {
    SheetRun run(CreateSettingsPage(*app.Model().Root()));
    HWND page = run.WaitForPage();
    ASSERT_NE(nullptr, page);
    HWND list = GetDlgItem(page, IDC_SETTINGS_PANELS);
    ASSERT_EQ(2, ListView_GetItemCount(list));
    EXPECT_EQ(app.Texts().GetText("general:Title").value_or("?"), ItemName(list, 0));
    EXPECT_EQ(app.Texts().TranslateText("$folder:name"), ItemName(list, 1));
    ASSERT_TRUE(test_support::WaitUntilDrawn(GetParent(page)));
    test_support::SaveScreenPicture("quillet-settings-page", GetParent(page));

    Select(list, 1);
    ASSERT_TRUE(test_support::WaitUntilDrawn(GetParent(page)));
    test_support::SaveScreenPicture("quillet-settings-page-folder", GetParent(page));
    PostMessageA(GetParent(page), PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_TRUE(run.WaitForResult().has_value());
}

}  // namespace
}  // namespace quillet
