// The menu window and folder menus under Wine: real shell folders in scratch
// folders, real menu windows driven with posted mouse messages from a thread
// timer that runs inside the menu's own message loop, and stand-in programs
// for Explorer and the command prompt.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/rect_win32.h"
#include "quillet/menus/menu_layout.h"
#include "quillet/menus/menu_model_win32.h"
#include "quillet/menus/menu_placement.h"
#include "quillet/menus/menu_window_win32.h"
#include "quillet/menus/tray_menu.h"
#include "quillet/model/class_id.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using namespace std::chrono_literals;

BOOL CALLBACK CollectDialog(HWND window, LPARAM dialogs) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770") reinterpret_cast<std::vector<HWND>*>(dialogs)->push_back(window);
    return TRUE;
}

// The dialogs of this thread (the message dialog is one).
std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

// Steps run one after another from a thread timer, so they run inside
// whatever message loop the thread is in: the menu's own loop, a dialog's, a
// popup menu's. A step answers true when it is done; until then it is asked
// again at the next tick.
class Script {
public:
    using Step = std::function<bool()>;

    void Add(std::string name, Step step) { m_steps.push_back({std::move(name), std::move(step)}); }

    // Runs `body`, which enters a message loop, while the steps run. Steps
    // that do not all finish within `timeout` fail the test by name, and the
    // open menu and dialogs are closed so that `body` returns.
    void Run(const std::function<void()>& body, std::chrono::milliseconds timeout = 15s) {
        m_deadline = std::chrono::steady_clock::now() + timeout;
        s_current = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, &Script::Tick);
        body();
        KillTimer(nullptr, timer);
        s_current = nullptr;
        if (!m_timedOut && m_next < m_steps.size())
            ADD_FAILURE() << "the loop ended before the step \"" << m_steps[m_next].name << "\"";
    }

private:
    struct Named {
        std::string name;
        Step step;
    };

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* script = s_current;
        if (!script || script->m_busy || script->m_next >= script->m_steps.size() || script->m_timedOut) return;
        script->m_busy = true;
        if (std::chrono::steady_clock::now() > script->m_deadline) {
            script->m_timedOut = true;
            ADD_FAILURE() << "timed out at the step \"" << script->m_steps[script->m_next].name << "\"";
            CloseEverything();
        } else {
            while (script->m_next < script->m_steps.size() && script->m_steps[script->m_next].step())
                ++script->m_next;
        }
        script->m_busy = false;
    }

    static void CloseEverything() {
        if (HWND latest = LatestMenuWindow()) PostMessageA(latest, WM_KEYDOWN, VK_ESCAPE, 0);
        for (HWND dialog : ThreadDialogs()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EndMenu();
    }

    static Script* s_current;
    std::vector<Named> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    bool m_timedOut = false;
    std::chrono::steady_clock::time_point m_deadline;
};
Script* Script::s_current = nullptr;

POINT Centre(const platform::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Posts a mouse message as Windows delivers it: to the window holding the
// capture (the deepest open level) or else to `fallback`, in its client
// coordinates.
void PostMouse(UINT message, POINT screen, HWND fallback = nullptr, WPARAM keys = 0) {
    HWND target = LatestMenuWindow();
    if (!target) target = fallback;
    POINT client = screen;
    ScreenToClient(target, &client);
    PostMessageA(target, message, keys, MAKELPARAM(client.x, client.y));
}

std::vector<std::string> Texts(const Menu& menu) {
    std::vector<std::string> texts;
    for (const auto& entry : menu.Entries()) texts.push_back(entry->text);
    return texts;
}

int IndexOf(HWND window, const std::string& text) {
    const Menu* menu = MenuOfWindow(window);
    if (!menu) return -1;
    for (size_t i = 0; i < menu->Entries().size(); ++i)
        if (menu->Entries()[i]->text == text) return static_cast<int>(i);
    return -1;
}

// The number of distinct columns and the entries in each, from the entries'
// places on the screen.
std::vector<int> EntriesPerColumn(HWND window) {
    std::vector<int> counts;
    int lastLeft = INT_MIN;
    for (const platform::Rect& r : MenuEntryRects(window)) {
        if (r.left != lastLeft) counts.push_back(0);
        lastLeft = r.left;
        ++counts.back();
    }
    return counts;
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT WorkArea() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void MakeFile(const std::string& path) {
    std::ofstream(path) << "quillet\n";
}

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path << ": " << test_support::LastErrorText();
}

std::string ShellName(const std::string& path) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

std::string Text(const char* key) {
    return App().Texts().GetText(key).value_or(std::string("(no text for ") + key + ")");
}

// A folder item, a tray icon holding children, and plain named items.
RefPtr<Object> NewObject(const Guid& classId, const Value* initial = nullptr) {
    RefPtr<Object> object;
    EXPECT_EQ(kStatusOk, App().Model().CreateSavedObject(classId, &object));
    if (object && initial) {
        EXPECT_EQ(kStatusOk, object->Initialize(*initial));
    }
    return object;
}

RefPtr<Object> FolderItem(const std::string& path, int action = kFolderActionMenu) {
    const Value initial = Value::FromText(path);
    RefPtr<Object> folder = NewObject(kClassFolder, &initial);
    folder->SetProperty(kTagFolderAction, Value::FromInteger(action));
    return folder;
}

RefPtr<Object> NamedCommand(const std::string& name) {
    // A folder item whose action is a command: an entry with a name and no
    // shell access while the menu shows.
    RefPtr<Object> item = FolderItem("C:\\", kFolderActionExplore);
    item->SetProperty(kTagName, Value::FromText(name));
    return item;
}

RefPtr<Object> TrayIcon(const std::vector<RefPtr<Object>>& children) {
    EXPECT_EQ(kStatusOk, App().Model().AddStandardTrayIcon());
    Object* root = App().Model().Root();
    RefPtr<Object> tray = root->GetChild(root->Count() - 1);
    for (const RefPtr<Object>& child : children) EXPECT_EQ(kStatusOk, tray->Insert(child.Get()));
    return tray;
}

// The message dialog open on this thread, or null.
HWND MessageDialog() {
    for (HWND dialog : ThreadDialogs())
        if (IsWindowVisible(dialog)) return dialog;
    return nullptr;
}

std::string DialogText(HWND dialog) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, text, sizeof text);
    return text;
}

// Reads the text of the message dialog that comes up, and closes it.
void AnswerMessage(Script& script, std::string& shown) {
    script.Add("the message dialog shows", [&shown] {
        HWND dialog = MessageDialog();
        if (!dialog) return false;
        shown = DialogText(dialog);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
}

// Saves the open menu levels together, each painted first.
void SaveOpenMenus(const std::string& name) {
    RECT area = {};
    for (HWND window : OpenMenuWindows()) {
        EXPECT_TRUE(test_support::WaitUntilDrawn(window));
        RECT place = WindowRect(window);
        UnionRect(&area, &area, &place);
    }
    EXPECT_FALSE(test_support::SaveScreenPicture(name, area).empty());
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterMenuWindowClass(GetModuleHandleA(nullptr))) << test_support::LastErrorText();
        // In the bottom-right corner, which a menu opened at the cursor leaves
        // free: Wine reports the real pointer's place whenever windows change
        // under it, and those moves would fight the test's own.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    TestApplication m_app;
    test_support::ScratchFolder m_folder;
};

// The scratch folder of the folder menu tests:
//   Alpha.txt, beta.txt, Empty\, zeta\ (inner.txt, deeper\ (bottom.txt))
class FolderMenuTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        const std::string& root = m_folder.Path();
        MakeFile(root + "\\beta.txt");
        MakeFile(root + "\\Alpha.txt");
        MakeFolder(root + "\\zeta");
        MakeFolder(root + "\\Empty");
        MakeFile(root + "\\zeta\\inner.txt");
        MakeFolder(root + "\\zeta\\deeper");
        MakeFile(root + "\\zeta\\deeper\\bottom.txt");
    }
};

TEST_F(FolderMenuTest, FoldersComeFirstThenFilesEachInTheShellsOrder) {
    Menu top(kMenuViewTextAndIcons);
    RefPtr<Object> folder = FolderItem(m_folder.Path());
    ASSERT_TRUE(AddFolderItemToMenu(top, *folder, kMenuViewTextAndIcons, 0));
    RefPtr<Object> named = FolderItem(m_folder.Path() + "\\zeta");
    named->SetProperty(kTagName, Value::FromText("Projects"));
    ASSERT_TRUE(AddFolderItemToMenu(top, *named, kMenuViewTextAndIcons, 0));
    ASSERT_EQ(2u, top.Entries().size());
    EXPECT_EQ(ShellName(m_folder.Path()), top.Entries()[0]->text);
    EXPECT_EQ("Projects", top.Entries()[1]->text);
    for (const auto& entry : top.Entries()) {
        SCOPED_TRACE(entry->text);
        EXPECT_NE(nullptr, entry->Icon());
        EXPECT_TRUE(entry->HasSubmenu());
    }

    Menu* contents = top.Entries()[0]->Submenu();
    ASSERT_NE(nullptr, contents);
    const std::vector<std::string> expected = {"Empty", "zeta", ShellName(m_folder.Path() + "\\Alpha.txt"),
                                               ShellName(m_folder.Path() + "\\beta.txt")};
    EXPECT_EQ(expected, Texts(*contents));
    for (size_t i = 0; i < contents->Entries().size(); ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(i < 2, contents->Entries()[i]->HasSubmenu());
        EXPECT_TRUE(contents->Entries()[i]->Selectable());
    }

    // The empty folder's menu holds one grayed entry.
    Menu* empty = contents->Entries()[0]->Submenu();
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(std::vector<std::string>{Text("emptyMenuEntry")}, Texts(*empty));
    EXPECT_FALSE(empty->Entries()[0]->Selectable());
    EXPECT_FALSE(empty->Entries()[0]->HasSubmenu());
}

TEST_F(FolderMenuTest, AFolderThatCannotBeFoundAddsNoEntry) {
    Menu top(kMenuViewTextAndIcons);
    RefPtr<Object> missing = FolderItem(m_folder.Path() + "\\not here");
    EXPECT_FALSE(AddFolderItemToMenu(top, *missing, kMenuViewTextAndIcons, 0));
    EXPECT_TRUE(top.Entries().empty());
}

TEST_F(FolderMenuTest, SubMenusAreReadOnlyWhenTheyOpen) {
    RefPtr<Object> projects = FolderItem(m_folder.Path() + "\\zeta");
    projects->SetProperty(kTagName, Value::FromText("Projects"));
    RefPtr<Object> tray = TrayIcon({FolderItem(m_folder.Path()), projects, NewObject(kClassSeparator),
                                    NamedCommand("Explore the drive")});
    const int start = FolderEnumerationCount();
    int shownAt = -1;
    Script script;
    script.Add("the tray menu shows", [&] {
        if (OpenMenuWindows().size() != 1) return false;
        shownAt = FolderEnumerationCount();
        return true;
    });
    script.Add("rest on the folder", [&] {
        PostMouse(WM_MOUSEMOVE, Centre(MenuEntryRects(LatestMenuWindow())[0]));
        return true;
    });
    script.Add("its menu opens", [&] { return OpenMenuWindows().size() == 2; });
    int firstLevel = -1;
    script.Add("rest on zeta", [&] {
        firstLevel = FolderEnumerationCount();
        const int zeta = IndexOf(LatestMenuWindow(), "zeta");
        if (zeta < 0) return false;
        PostMouse(WM_MOUSEMOVE, Centre(MenuEntryRects(LatestMenuWindow())[static_cast<size_t>(zeta)]));
        return true;
    });
    int secondLevel = -1;
    script.Add("zeta's menu opens", [&] {
        if (OpenMenuWindows().size() != 3) return false;
        secondLevel = FolderEnumerationCount();
        SaveOpenMenus("quillet-nested-menus");
        PostMessageA(LatestMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });

    EXPECT_EQ(start, shownAt) << "opening the tray menu read a folder";
    EXPECT_EQ(start + 1, firstLevel) << "only the folder itself is read when its menu opens";
    EXPECT_EQ(start + 2, secondLevel) << "only zeta is read when its menu opens, not Empty nor deeper";
    EXPECT_TRUE(OpenMenuWindows().empty());
}

// A menu of two cascading entries ("First", "Second") over small menus, and a
// plain entry ("Plain") that records when it runs.
class ChainTest : public MenusTest {
protected:
    std::shared_ptr<Menu> TwoLevels() {
        auto menu = std::make_shared<Menu>(kMenuViewTextAndIcons);
        for (const char* name : {"First", "Second"}) {
            MenuEntry& entry = menu->Append(name);
            const std::string prefix = name;
            entry.makeSubmenu = [prefix] {
                auto submenu = std::make_unique<Menu>(kMenuViewTextAndIcons);
                submenu->Append(prefix + " inner");
                return submenu;
            };
        }
        MenuEntry& plain = menu->Append("Plain");
        plain.command = [this](HWND) {
            m_ranWithMenusOpen = !OpenMenuWindows().empty();
            ++m_runs;
        };
        return menu;
    }

    static POINT EntryPoint(HWND window, const std::string& name) {
        return Centre(MenuEntryRects(window)[static_cast<size_t>(IndexOf(window, name))]);
    }

    int m_runs = 0;
    bool m_ranWithMenusOpen = false;
};

TEST_F(ChainTest, ALevelAboveTheDeepestClosesItWhenItsHighlightMoves) {
    HWND top = nullptr;
    Script script;
    script.Add("click First", [&] {
        top = LatestMenuWindow();
        if (!top) return false;
        PostMouse(WM_LBUTTONUP, EntryPoint(top, "First"));
        return true;
    });
    script.Add("its menu opens at once", [&] { return OpenMenuWindows().size() == 2; });
    script.Add("back on the top level, onto Plain", [&] {
        PostMouse(WM_MOUSEMOVE, EntryPoint(top, "Plain"));
        return true;
    });
    script.Add("the second level closes", [&] {
        if (OpenMenuWindows().size() != 1) return false;
        EXPECT_EQ(IndexOf(top, "Plain"), HighlightedEntry(top));
        PostMessageA(top, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowMenu(TwoLevels(), nullptr, 40, 40, nullptr, 0); });
    EXPECT_EQ(0, m_runs);
}

TEST_F(ChainTest, HowTheMenuEnds) {
    struct Case {
        const char* name;
        UINT message;
        const char* where;  // an entry's name, or null for outside every level
        int runs;
    } cases[] = {
        {"release on a plain entry runs it after the menus closed", WM_LBUTTONUP, "Plain", 1},
        {"middle button", WM_MBUTTONDOWN, "Plain", 0},
        {"a press outside", WM_LBUTTONDOWN, nullptr, 0},
        {"the right button's press", WM_RBUTTONDOWN, "Plain", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_runs = 0;
        Script script;
        script.Add("act", [&] {
            HWND top = LatestMenuWindow();
            if (!top) return false;
            RECT place = WindowRect(top);
            const POINT point = c.where ? EntryPoint(top, c.where) : POINT{place.right + 50, place.bottom + 50};
            PostMouse(c.message, point);
            return true;
        });
        if (c.runs < 0) {
            // A press alone neither runs nor closes anything.
            script.Add("still open", [&] {
                test_support::PumpMessages();
                if (OpenMenuWindows().size() != 1) return false;
                PostMessageA(LatestMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
                return true;
            });
        }
        script.Run([&] { ShowMenu(TwoLevels(), nullptr, 40, 40, nullptr, 0); });
        EXPECT_EQ(std::max(c.runs, 0), m_runs);
        EXPECT_FALSE(m_ranWithMenusOpen);
        EXPECT_TRUE(OpenMenuWindows().empty());
    }
}

// A namespace path is parsed piece by piece, each piece in the folder the
// pieces before it reached: My Computer, then the drive inside it.
TEST_F(FolderMenuTest, ANamespacePathIsResolvedPieceByPiece) {
    char windows[MAX_PATH] = {};
    ASSERT_TRUE(GetWindowsDirectoryA(windows, sizeof windows));
    const std::string drive = std::string(windows, 3);  // "C:\"
    Menu top(kMenuViewTextAndIcons);
    RefPtr<Object> computer = FolderItem("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    RefPtr<Object> onDrive = FolderItem("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\" + drive);
    ASSERT_TRUE(AddFolderItemToMenu(top, *computer, kMenuViewTextAndIcons, 0));
    ASSERT_TRUE(AddFolderItemToMenu(top, *onDrive, kMenuViewTextAndIcons, 0));
    EXPECT_EQ(ShellName(drive), top.Entries()[1]->text);
    Menu* drives = top.Entries()[0]->Submenu();
    ASSERT_NE(nullptr, drives);
    const std::vector<std::string> driveTexts = Texts(*drives);
    EXPECT_NE(driveTexts.end(), std::find(driveTexts.begin(), driveTexts.end(), ShellName(drive)));
    Menu* folders = top.Entries()[1]->Submenu();
    ASSERT_NE(nullptr, folders);
    const std::vector<std::string> texts = Texts(*folders);
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), ShellName(windows)));
}

TEST_F(FolderMenuTest, ABuiltSubMenuIsKeptWhileTheMenuLives) {
    Menu top(kMenuViewTextAndIcons);
    RefPtr<Object> folder = FolderItem(m_folder.Path());
    ASSERT_TRUE(AddFolderItemToMenu(top, *folder, kMenuViewTextAndIcons, 0));
    const int start = FolderEnumerationCount();
    Menu* first = top.Entries()[0]->Submenu();
    Menu* second = top.Entries()[0]->Submenu();
    EXPECT_EQ(first, second);
    EXPECT_EQ(start + 1, FolderEnumerationCount());
}

TEST_F(FolderMenuTest, AFailedLaunchShowsTheLanguageLibrarysText) {
    Menu top(kMenuViewTextAndIcons);
    RefPtr<Object> folder = FolderItem(m_folder.Path());
    ASSERT_TRUE(AddFolderItemToMenu(top, *folder, kMenuViewTextAndIcons, 0));
    Menu* contents = top.Entries()[0]->Submenu();
    ASSERT_NE(nullptr, contents);
    MenuEntry& beta = *contents->Entries()[3];
    ASSERT_TRUE(DeleteFileA((m_folder.Path() + "\\beta.txt").c_str())) << test_support::LastErrorText();

    std::string shown;
    Script script;
    AnswerMessage(script, shown);
    bool launched = true;
    script.Run([&] { launched = LaunchEntry(nullptr, beta); });
    EXPECT_FALSE(launched);
    EXPECT_EQ(Text("menu:cannotrun"), shown);
}

TEST_F(MenusTest, ATallMenuSplitsIntoBalancedColumns) {
    const int usable = GetSystemMetrics(SM_CYSCREEN) - kMenuScreenMargin;
    auto menu = std::make_shared<Menu>(kMenuViewTextAndIcons);
    // Taller than the screen by a few entries: two columns of about half each.
    const int count = usable / kMenuIconCell + 6;
    for (int i = 0; i < count; ++i) menu->Append("Entry " + std::to_string(i + 1));

    std::vector<int> perColumn;
    RECT place = {};
    Script script;
    script.Add("the menu shows", [&] {
        HWND window = LatestMenuWindow();
        if (!window) return false;
        perColumn = EntriesPerColumn(window);
        place = WindowRect(window);
        UpdateWindow(window);
        test_support::SaveScreenPicture("quillet-columns", window);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowMenu(menu, nullptr, 10, 10, nullptr, 0); });

    ASSERT_EQ(2u, perColumn.size());
    EXPECT_LE(std::abs(perColumn[0] - perColumn[1]), 1) << perColumn[0] << " and " << perColumn[1];
    EXPECT_EQ(count, perColumn[0] + perColumn[1]);
    const RECT work = WorkArea();
    EXPECT_GE(place.top, work.top);
    EXPECT_LE(place.bottom, work.bottom);
}

TEST_F(MenusTest, ColumnSeparatorsStartColumnsInATrayMenu) {
    RefPtr<Object> tray =
        TrayIcon({NamedCommand("One"), NewObject(kClassColumnSeparator), NamedCommand("Two"),
                  NewObject(kClassColumnSeparator), NewObject(kClassColumnSeparator), NamedCommand("Three"),
                  NamedCommand("Four")});
    std::vector<int> perColumn;
    std::vector<std::string> texts;
    Script script;
    script.Add("the menu shows", [&] {
        HWND window = LatestMenuWindow();
        if (!window) return false;
        perColumn = EntriesPerColumn(window);
        texts = Texts(*MenuOfWindow(window));
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });
    EXPECT_EQ((std::vector<std::string>{"One", "Two", "Three", "Four"}), texts);
    // Two column separators in a row make one break.
    EXPECT_EQ((std::vector<int>{1, 1, 2}), perColumn);
}

TEST_F(MenusTest, ATrayMenuAtTheBottomRightCornerStaysInTheWorkArea) {
    std::vector<RefPtr<Object>> children;
    for (int i = 0; i < 8; ++i) children.push_back(NamedCommand("A rather long entry number " + std::to_string(i)));
    RefPtr<Object> tray = TrayIcon(children);
    const RECT work = WorkArea();
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    POINT cursor = {};
    GetCursorPos(&cursor);
    RECT place = {};
    Script script;
    script.Add("the menu shows", [&] {
        HWND window = LatestMenuWindow();
        if (!window) return false;
        place = WindowRect(window);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });
    EXPECT_GE(place.left, work.left);
    EXPECT_GE(place.top, work.top);
    EXPECT_LE(place.right, work.right);
    EXPECT_LE(place.bottom, work.bottom);
    // Its bottom edge is at the cursor, or at the work area's when that is higher.
    EXPECT_EQ(std::min<LONG>(cursor.y, work.bottom), place.bottom);
}

TEST_F(MenusTest, ATrayIconWithoutItemsShowsOneGrayedEntry) {
    RefPtr<Object> tray = TrayIcon({});
    platform::unique_hwnd owner = test_support::CreateTestWindow("QuilletMenusTestOwner", {0, 0, 80, 60}, WS_POPUP);
    std::string text;
    UINT state = 0;
    Script script;
    script.Add("the popup menu shows", [&] {
        std::vector<HWND> menus = test_support::VisibleMenus();
        if (menus.empty()) return false;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menus.front(), MN_GETHMENU, 0, 0));
        char buffer[128] = {};
        GetMenuStringA(menu, 0, buffer, sizeof buffer, MF_BYPOSITION);
        text = buffer;
        state = GetMenuState(menu, 0, MF_BYPOSITION);
        EndMenu();
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, owner.get()); });
    EXPECT_EQ(Text("emptyMenuEntry"), text);
    EXPECT_TRUE(state & MF_GRAYED);
}

// The texts of the popup menu open on the screen (separators as "").
std::vector<std::string> PopupTexts(HWND popup) {
    std::vector<std::string> texts;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

// Right-clicks the entry `name` of the open tray menu, reads the context
// menu's texts into `texts` and then chooses the item `choice` with the
// arrow keys and Return, or closes the context menu when `choice` is empty.
void RightClickEntry(Script& script, const std::string& name, std::vector<std::string>& texts,
                     const std::string& choice) {
    script.Add("right-click " + name, [name] {
        HWND window = LatestMenuWindow();
        if (!window) return false;
        const int index = IndexOf(window, name);
        if (index < 0) return false;
        const POINT point = Centre(MenuEntryRects(window)[static_cast<size_t>(index)]);
        PostMouse(WM_MOUSEMOVE, point);
        PostMouse(WM_RBUTTONDOWN, point, nullptr, MK_RBUTTON);
        PostMouse(WM_RBUTTONUP, point);
        return true;
    });
    script.Add("the context menu shows", [&texts, choice] {
        std::vector<HWND> popups = test_support::VisibleMenus();
        if (popups.empty()) return false;
        texts = PopupTexts(popups.front());
        if (choice.empty()) PostMessageA(popups.front(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    if (choice.empty()) return;
    // One arrow key at a time until the wanted item is highlighted, so the
    // menu's starting selection does not matter.
    script.Add("choose " + choice, [choice] {
        std::vector<HWND> popups = test_support::VisibleMenus();
        if (popups.empty()) return false;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popups.front(), MN_GETHMENU, 0, 0));
        const std::vector<std::string> items = PopupTexts(popups.front());
        const auto wanted = std::find(items.begin(), items.end(), choice);
        if (wanted == items.end()) return false;
        const UINT position = static_cast<UINT>(wanted - items.begin());
        if (GetMenuState(menu, position, MF_BYPOSITION) & MF_HILITE) {
            PostMessageA(popups.front(), WM_KEYDOWN, VK_RETURN, 0);
            return true;
        }
        PostMessageA(popups.front(), WM_KEYDOWN, VK_DOWN, 0);
        return false;
    });
}

TEST_F(MenusTest, RemovingATrayItemAsksFirstThenSavesTheIconSet) {
    RefPtr<Object> tray = TrayIcon({NamedCommand("Keep"), NamedCommand("Drop")});
    std::vector<std::string> texts;
    std::string question;
    Script script;
    RightClickEntry(script, "Drop", texts, Text("mnuRemove"));
    script.Add("the question shows", [&] {
        HWND dialog = MessageDialog();
        if (!dialog) return false;
        question = DialogText(dialog);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);  // Yes
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });

    EXPECT_EQ((std::vector<std::string>{Text("mnuNew"), Text("mnuRemove"), "", Text("mnuProperties")}), texts);
    EXPECT_EQ(Text("msgConfirmDelete"), question);
    ASSERT_EQ(1u, tray->Count());
    EXPECT_EQ("Keep", tray->GetChild(0)->ReadText(kTagName));
    EXPECT_EQ(1, m_app.SaveCount());
}

TEST_F(MenusTest, RemovingWithoutConfirmationAndAnsweringNo) {
    struct Case {
        const char* name;
        bool confirm;
        bool answerYes;
        size_t left;
        int saves;
    } cases[] = {
        {"no question asked", false, false, 1, 1},
        {"answered No", true, false, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.ResetModel();
        App().Model().Root()->SetProperty(kTagConfirmDelete, Value::FromBoolean(c.confirm));
        RefPtr<Object> tray = TrayIcon({NamedCommand("Keep"), NamedCommand("Drop")});
        const int savesBefore = m_app.SaveCount();
        std::vector<std::string> texts;
        Script script;
        RightClickEntry(script, "Drop", texts, Text("mnuRemove"));
        if (c.confirm) {
            script.Add("the question shows", [&] {
                HWND dialog = MessageDialog();
                if (!dialog) return false;
                SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);  // No
                return true;
            });
        }
        script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });
        EXPECT_EQ(c.left, tray->Count());
        EXPECT_EQ(c.saves, m_app.SaveCount() - savesBefore);
    }
}

TEST_F(MenusTest, NewItemRunsTheWizardWithTheItemAsTemplateAndSavesWhatItMade) {
    for (bool created : {false, true}) {
        SCOPED_TRACE(created ? "created" : "cancelled");
        m_app.ResetModel();
        m_app.SetWizardResult(created);
        RefPtr<Object> model = NamedCommand("Model");
        RefPtr<Object> tray = TrayIcon({model});
        const size_t callsBefore = m_app.WizardCalls().size();
        const int savesBefore = m_app.SaveCount();
        std::vector<std::string> texts;
        Script script;
        RightClickEntry(script, "Model", texts, Text("mnuNew"));
        script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });
        const std::vector<TestApplication::WizardCall> calls = m_app.WizardCalls();
        ASSERT_EQ(callsBefore + 1, calls.size());
        EXPECT_EQ(model.Get(), calls.back().templateItem.Get());
        EXPECT_EQ("", calls.back().path);
        EXPECT_EQ(created ? 1 : 0, m_app.SaveCount() - savesBefore);
    }
}

TEST_F(MenusTest, ALockedIconSetOffersOnlyProperties) {
    App().Model().Root()->SetProperty(kTagReadOnlyDocument, Value::FromBoolean(true));
    RefPtr<Object> tray = TrayIcon({NamedCommand("Keep")});
    std::vector<std::string> texts;
    Script script;
    RightClickEntry(script, "Keep", texts, "");
    script.Add("the menu is closed", [] {
        if (HWND latest = LatestMenuWindow()) PostMessageA(latest, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowTrayIconMenu(*tray, nullptr); });
    EXPECT_EQ(std::vector<std::string>{Text("mnuProperties")}, texts);
    EXPECT_EQ(1u, tray->Count());
}

TEST_F(FolderMenuTest, AFolderEntrysContextMenuOffersTheFolderActions) {
    auto menu = std::make_shared<Menu>(kMenuViewTextAndIcons);
    RefPtr<Object> folder = FolderItem(m_folder.Path());
    Menu holder(kMenuViewTextAndIcons);
    ASSERT_TRUE(AddFolderItemToMenu(holder, *folder, kMenuViewTextAndIcons, 0));
    Menu* contents = holder.Entries()[0]->Submenu();
    ASSERT_NE(nullptr, contents);
    // zeta: a file-system folder, so its context menu has the extra menu.
    EXPECT_TRUE(contents->Entries()[1]->extraMenu);
    for (auto& entry : contents->Entries()) menu->Entries().push_back(std::move(entry));

    std::vector<std::string> texts;
    Script script;
    RightClickEntry(script, "zeta", texts, "");
    script.Add("the menu is closed", [] {
        if (HWND latest = LatestMenuWindow()) PostMessageA(latest, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Run([&] { ShowMenu(menu, nullptr, 20, 20, nullptr, 0); });
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(Text("menu:folderMenu"), texts.back());
}

// A titled menu of six entries, pressed on its title band and dragged.
class TearOffTest : public MenusTest {
protected:
    std::shared_ptr<Menu> TitledMenu() {
        auto menu = std::make_shared<Menu>(kMenuViewTextAndIcons, "Tools");
        for (int i = 0; i < 6; ++i) {
            MenuEntry& entry = menu->Append("Tool " + std::to_string(i + 1));
            entry.command = [this, i](HWND) { m_chosen = i; };
        }
        return menu;
    }

    // Presses on the title band, moves by (dx, dy) and releases; answers
    // whether a floating window came of it. `pressAt` and `oldLeft` tell
    // where the drag began.
    bool Drag(int dx, int dy, POINT* pressAt = nullptr, LONG* oldLeft = nullptr) {
        auto menu = TitledMenu();
        Script script;
        POINT press = {};
        script.Add("press on the title band", [&] {
            HWND window = LatestMenuWindow();
            if (!window) return false;
            press = {5, 3};
            ClientToScreen(window, &press);
            if (oldLeft) *oldLeft = WindowRect(window).left;
            PostMouse(WM_LBUTTONDOWN, press, nullptr, MK_LBUTTON);
            PostMouse(WM_MOUSEMOVE, {press.x + dx, press.y + dy}, nullptr, MK_LBUTTON);
            return true;
        });
        script.Add("the drag is taken in", [&] {
            // Past the threshold the menu closes at once; short of it, it stays
            // and the release ends the drag.
            if (!LatestMenuWindow()) return true;
            PostMouse(WM_LBUTTONUP, {press.x + dx, press.y + dy});
            PostMessageA(LatestMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        });
        script.Run([&] { ShowMenu(menu, nullptr, 300, 200, nullptr, 0); });
        if (pressAt) *pressAt = press;
        return !FloatingMenuWindows().empty();
    }

    void TearDown() override {
        for (HWND window : FloatingMenuWindows()) DestroyWindow(window);
    }

    int m_chosen = -1;
};

TEST_F(TearOffTest, OnlyADragOfMoreThan32PixelsTearsTheMenuOff) {
    struct Case {
        int dx, dy;
        bool tears;
    } cases[] = {
        {32, 32, false}, {-32, 32, false}, {33, 0, true}, {0, -33, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        EXPECT_EQ(c.tears, Drag(c.dx, c.dy));
        for (HWND window : FloatingMenuWindows()) DestroyWindow(window);
    }
}

TEST_F(TearOffTest, TheFloatingWindowFollowsThePointerSizesSidewaysAndStaysLive) {
    POINT press = {};
    LONG oldLeft = 0;
    ASSERT_TRUE(Drag(40, 50, &press, &oldLeft));
    HWND floating = FloatingMenuWindows().front();
    char title[64] = {};
    GetWindowTextA(floating, title, sizeof title);
    EXPECT_STREQ("Tools", title);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_PALETTEWINDOW),
              GetWindowLongPtrA(floating, GWL_EXSTYLE) & WS_EX_PALETTEWINDOW);
    EXPECT_TRUE(GetWindowLongPtrA(floating, GWL_STYLE) & WS_THICKFRAME);
    RECT place = WindowRect(floating);
    // The pointer carries the old window's left edge; the small caption sits
    // just above the pointer.
    EXPECT_EQ(press.x + 40 + oldLeft - press.x, place.left);
    EXPECT_EQ(press.y + 50 - GetSystemMetrics(SM_CYSMCAPTION) + 4, place.top);
    UpdateWindow(floating);
    test_support::SaveScreenPicture("quillet-torn-off", floating);

    // Its top and bottom borders do not size it; the corners size it sideways.
    struct Border {
        POINT point;
        LRESULT hit;
    } borders[] = {
        {{(place.left + place.right) / 2, place.top + 1}, HTNOWHERE},
        {{(place.left + place.right) / 2, place.bottom - 1}, HTNOWHERE},
        {{place.left + 1, place.bottom - 1}, HTLEFT},
        {{place.right - 1, place.top + 1}, HTRIGHT},
    };
    for (const Border& border : borders) {
        SCOPED_TRACE(std::to_string(border.point.x) + "," + std::to_string(border.point.y));
        EXPECT_EQ(border.hit,
                  SendMessageA(floating, WM_NCHITTEST, 0, MAKELPARAM(border.point.x, border.point.y)));
    }

    // Three times as wide: the six entries lay out in three columns, and the
    // window takes the lower height that needs.
    const LONG oneColumnHeight = place.bottom - place.top;
    const LONG width = place.right - place.left;
    SetWindowPos(floating, nullptr, 0, 0, 3 * width, oneColumnHeight, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(test_support::WaitUntil([&] { return EntriesPerColumn(floating) == std::vector<int>{2, 2, 2}; }));
    RECT wide = WindowRect(floating);
    EXPECT_EQ(3 * width, wide.right - wide.left);
    EXPECT_LT(wide.bottom - wide.top, oneColumnHeight);

    // Its entries stay live, and the window stays after a choice.
    const POINT third = Centre(MenuEntryRects(floating)[2]);
    PostMouse(WM_MOUSEMOVE, third, floating);
    PostMouse(WM_LBUTTONUP, third, floating);
    ASSERT_TRUE(test_support::WaitUntil([&] { return m_chosen == 2; }));
    EXPECT_TRUE(IsWindow(floating));

    // A middle-button press closes it.
    PostMouse(WM_MBUTTONDOWN, third, floating);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(floating); }));
}

TEST_F(TearOffTest, AFloatingWindowOpensSubMenusThatCloseWithIt) {
    auto menu = TitledMenu();
    MenuEntry& more = menu->Append("More");
    more.makeSubmenu = [this] {
        auto submenu = std::make_unique<Menu>(kMenuViewTextAndIcons);
        submenu->Append("Inner").command = [this](HWND) { m_chosen = 100; };
        return submenu;
    };
    Script script;
    script.Add("tear off", [&] {
        HWND window = LatestMenuWindow();
        if (!window) return false;
        POINT press = {5, 3};
        ClientToScreen(window, &press);
        PostMouse(WM_LBUTTONDOWN, press, nullptr, MK_LBUTTON);
        PostMouse(WM_MOUSEMOVE, {press.x + 60, press.y + 60}, nullptr, MK_LBUTTON);
        return true;
    });
    script.Run([&] { ShowMenu(menu, nullptr, 300, 200, nullptr, 0); });
    ASSERT_EQ(1u, FloatingMenuWindows().size());
    HWND floating = FloatingMenuWindows().front();

    // A click on "More" opens its menu; a click on "Inner" runs it and closes
    // that menu, and the floating window stays.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        PostMouse(WM_LBUTTONUP, Centre(MenuEntryRects(floating)[6]), floating);
        ASSERT_TRUE(test_support::WaitUntil([] { return OpenMenuWindows().size() == 1; }));
        if (round == 1) break;
        HWND inner = LatestMenuWindow();
        PostMouse(WM_LBUTTONUP, Centre(MenuEntryRects(inner)[0]), floating);
        ASSERT_TRUE(test_support::WaitUntil([&] { return m_chosen == 100 && OpenMenuWindows().empty(); }));
        EXPECT_TRUE(IsWindow(floating));
        EXPECT_FALSE(IsWindow(inner));
    }
    // Closed by its caption's close button while "More" is open.
    HWND inner = LatestMenuWindow();
    SendMessageA(floating, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(floating) && !IsWindow(inner); }));
    EXPECT_TRUE(OpenMenuWindows().empty());
    EXPECT_EQ(nullptr, LatestMenuWindow());
}

// Explorer and the command prompt replaced by a program that writes down
// how it was started.
class FolderActionTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, sizeof module);
        std::string standIn = module;
        standIn = standIn.substr(0, standIn.rfind('\\')) + "\\quillet_menus_record_command.exe";
        m_record = m_folder.Path() + "\\record.txt";
        m_target = m_folder.Path() + "\\Program Files Of Mine";
        MakeFolder(m_target);
        char comspec[MAX_PATH] = {};
        if (GetEnvironmentVariableA("COMSPEC", comspec, sizeof comspec)) m_comspec = comspec;
        SetEnvironmentVariableA("QUILLET_TEST_RECORD", m_record.c_str());
        SetEnvironmentVariableA("QUILLET_TEST_EXPLORER", standIn.c_str());
        SetEnvironmentVariableA("COMSPEC", standIn.c_str());
    }

    void TearDown() override {
        SetEnvironmentVariableA("QUILLET_TEST_RECORD", nullptr);
        SetEnvironmentVariableA("QUILLET_TEST_EXPLORER", nullptr);
        SetEnvironmentVariableA("COMSPEC", m_comspec.empty() ? nullptr : m_comspec.c_str());
    }

    std::vector<std::string> Recorded() {
        std::ifstream in(m_record);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::string ShortTarget() {
        char path[MAX_PATH] = {};
        GetShortPathNameA(m_target.c_str(), path, sizeof path);
        return path;
    }

    std::string m_record;
    std::string m_target;
    std::string m_comspec;
};

TEST_F(FolderActionTest, ExploreAndCommandPromptCommandLines) {
    struct Case {
        const char* name;
        int action;
        bool newWindow, asRoot;
        std::string parameters;
        bool inTheFolder;
    } cases[] = {
        {"explore in a new window", kFolderActionExplore, true, false, "/N," + ShortTarget(), false},
        {"explore with the tree as root", kFolderActionExploreTree, false, true, "/E,/ROOT," + ShortTarget(), false},
        {"all three switches", kFolderActionExploreTree, true, true, "/N,/E,/ROOT," + ShortTarget(), false},
        {"command prompt", kFolderActionCommandPrompt, true, true, "/K", true},
    };
    size_t lines = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefPtr<Object> folder = FolderItem(m_target, c.action);
        folder->SetProperty(kTagFolderNewWindow, Value::FromBoolean(c.newWindow));
        folder->SetProperty(kTagFolderAsRoot, Value::FromBoolean(c.asRoot));
        RunFolderAction(nullptr, *folder);
        ASSERT_TRUE(test_support::WaitUntil([&] { return Recorded().size() >= lines + 2; }))
            << "the stand-in was not started";
        const std::vector<std::string> recorded = Recorded();
        EXPECT_EQ(c.parameters, recorded[lines]);
        if (c.inTheFolder) {
            char longRecorded[MAX_PATH] = {};
            GetLongPathNameA(recorded[lines + 1].c_str(), longRecorded, sizeof longRecorded);
            EXPECT_EQ(0, lstrcmpiA(m_target.c_str(), longRecorded)) << recorded[lines + 1];
        }
        lines += 2;
    }
}

// My Computer has no file-system path: the actions name it by its namespace
// path, made from its id list.
TEST_F(FolderActionTest, ASpecialFolderWithoutAPathIsOpenedByItsNamespacePath) {
    RefPtr<Object> folder = NewObject(kClassFolder);
    folder->SetProperty(kTagFolderSpecial, Value::FromInteger(CSIDL_DRIVES));
    folder->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionExplore));
    folder->SetProperty(kTagFolderNewWindow, Value::FromBoolean(true));
    RunFolderAction(nullptr, *folder);
    ASSERT_TRUE(test_support::WaitUntil([&] { return Recorded().size() >= 2; })) << "the stand-in was not started";
    EXPECT_EQ("/N,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", Recorded()[0]);
}

TEST_F(FolderActionTest, AProgramThatCannotStartIsReported) {
    SetEnvironmentVariableA("QUILLET_TEST_EXPLORER", (m_folder.Path() + "\\no such explorer.exe").c_str());
    RefPtr<Object> folder = FolderItem(m_target, kFolderActionExplore);
    std::string shown;
    Script script;
    AnswerMessage(script, shown);
    script.Run([&] { RunFolderAction(nullptr, *folder); });
    EXPECT_EQ(Text("menu:cannotrun"), shown);
}

TEST_F(FolderActionTest, WithoutComspecTheCommandPromptIsNotStarted) {
    SetEnvironmentVariableA("COMSPEC", nullptr);
    RefPtr<Object> folder = FolderItem(m_target, kFolderActionCommandPrompt);
    std::string shown;
    Script script;
    AnswerMessage(script, shown);
    script.Run([&] { RunFolderAction(nullptr, *folder); });
    EXPECT_EQ(Text("folder:nocomspec"), shown);
    EXPECT_TRUE(Recorded().empty());
}

}  // namespace
}  // namespace quillet
