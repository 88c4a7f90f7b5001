// End-to-end tests: the real corvessa.exe, driven through its windows as a
// user's clicks would drive it, against a private registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "corvessa/resource.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "test_support/win_test_support.h"

namespace {

const char* const kBinKey = "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const kIconKey = "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
const char* const kMetricsKey = ".default\\Control Panel\\desktop\\WindowMetrics";
const char* const kFixtureLibrary = "corvessa_fixture12.dll";

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// Asked of the control itself: edits and rich edits keep their own text.
std::string WindowText(HWND window) {
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The plain colour of the test library's icon `number`, away from its digits.
COLORREF FixtureIconColor(int number) {
    // Hue number/12 at saturation 0.65 and value 0.85, as the icons were drawn.
    const double value = 0.85, low = value * (1 - 0.65);
    const double hue = number / 2.0;  // in sixths of the circle
    const int sector = static_cast<int>(hue);
    const double rising = low + (value - low) * (hue - sector), falling = value - (value - low) * (hue - sector);
    double r = value, g = rising, b = low;
    switch (sector) {
    case 0: r = value, g = rising, b = low; break;
    case 1: r = falling, g = value, b = low; break;
    case 2: r = low, g = value, b = rising; break;
    case 3: r = low, g = falling, b = value; break;
    case 4: r = rising, g = low, b = value; break;
    default: r = value, g = low, b = falling; break;
    }
    return RGB(static_cast<int>(r * 255), static_cast<int>(g * 255), static_cast<int>(b * 255));
}

COLORREF ShownColor(HWND iconBox) {
    // Icons are drawn 2 pixels into the box; the tile's plain colour lies a
    // few pixels further in, clear of the number.
    POINT spot = {2 + 6, 2 + 6};
    ClientToScreen(iconBox, &spot);
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, spot.x, spot.y);
    ReleaseDC(nullptr, screen);
    return color;
}

bool Near(COLORREF a, COLORREF b) {
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// Whether `window` and every child of it have painted all there is to paint,
// so that a picture of the screen shows what a user sees.
BOOL CALLBACK NoteUnpainted(HWND child, LPARAM painted) {
    if (GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
    return TRUE;
}

bool Painted(HWND window) {
    bool painted = !GetUpdateRect(window, nullptr, FALSE);
    EnumChildWindows(window, NoteUnpainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

// Whether the screen shows text inside the client area of a text box: dark
// pixels on its light background (its frame and scroll bar left out).
bool ShowsText(HWND box) {
    test_support::ScreenPixels screen = test_support::ReadScreen(box);
    RECT frame, client;
    GetWindowRect(box, &frame);
    GetClientRect(box, &client);
    POINT origin = {0, 0};
    ClientToScreen(box, &origin);
    const int left = origin.x - frame.left, top = origin.y - frame.top;
    if (screen.pixels.empty() || left + client.right > screen.width || top + client.bottom > screen.height) {
        return false;
    }
    int dark = 0;
    for (int y = top; y < top + client.bottom; ++y) {
        for (int x = left; x < left + client.right; ++x) {
            uint32_t pixel = screen.pixels[static_cast<size_t>(y) * screen.width + x];
            if ((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF) < 3 * 100) ++dark;
        }
    }
    return dark > 100;
}

// The program's HKEY_LOCAL_MACHINE ("HKLM") and HKEY_USERS ("HKU"), as keys
// under a scratch key of the real HKEY_CURRENT_USER.
class PrivateRegistry {
public:
    PrivateRegistry() {
        static int counter = 0;
        m_root = "Software\\SuiteTests\\corvessa-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
        platform::RegistryKey::Create(HKEY_CURRENT_USER, m_root);
    }
    ~PrivateRegistry() { platform::DeleteKeyTree(HKEY_CURRENT_USER, m_root); }

    const std::string& Root() const { return m_root; }
    std::string Path(const char* hive, const std::string& key) const { return m_root + "\\" + hive + "\\" + key; }

    void Write(const char* hive, const std::string& key, const std::string& name, const std::string& text) {
        ASSERT_TRUE(platform::RegistryKey::Create(HKEY_CURRENT_USER, Path(hive, key)).WriteString(name, text))
            << key << " " << name;
    }
    std::optional<std::string> Read(const char* hive, const std::string& key, const std::string& name) const {
        auto data = platform::RegistryKey::Open(HKEY_CURRENT_USER, Path(hive, key)).Read(name);
        if (!data) return std::nullopt;
        return data->Text();
    }

private:
    std::string m_root;
};

// Signals when a value of one key is set.
class ValueWatch {
public:
    ValueWatch(const std::string& path)
        : m_key(platform::RegistryKey::Open(HKEY_CURRENT_USER, path, KEY_NOTIFY)),
          m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        EXPECT_EQ(RegNotifyChangeKeyValue(m_key.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, m_event.get(), TRUE),
                  ERROR_SUCCESS);
    }
    bool Changed() const { return WaitForSingleObject(m_event.get(), 0) == WAIT_OBJECT_0; }

private:
    platform::RegistryKey m_key;
    platform::unique_handle m_event;
};

// A Recycle Bin as a fresh system would store it, with icons from the
// twelve-icon test library.
void SeedRecycleBin(PrivateRegistry& registry, const std::string& name = "Recycle Bin") {
    std::string library = CurrentFolder() + "\\" + kFixtureLibrary;
    registry.Write("HKLM", kBinKey, "", name);
    registry.Write("HKLM", kIconKey, "", library + ",3");
    registry.Write("HKLM", kIconKey, "full", library + ",3");
    registry.Write("HKLM", kIconKey, "empty", library + ",0");
    registry.Write("HKU", kMetricsKey, "Shell Icon Size", "48");
}

// The program as a user sees it.
class Corvessa {
public:
    explicit Corvessa(const PrivateRegistry& registry) : m_program(StartWith(registry)) {
        m_window = m_program.WaitForWindow(CORVESSA_MAIN_CLASS);
        // The window is listed from its creation on; it is shown once its
        // controls are made and filled.
        if (m_window && !test_support::WaitUntil([&] { return IsWindowVisible(m_window) != FALSE; })) {
            m_window = nullptr;
        }
    }

    HWND Window() const { return m_window; }
    test_support::RunningProgram& Program() { return m_program; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    std::string Text(int id) const { return WindowText(Control(id)); }

    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    void TypeName(const std::string& text) {
        SendMessageA(Control(IDC_NEW_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void ChooseFilter(const char* filter) {
        HWND combo = Control(IDC_FILTER);
        ASSERT_NE(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(filter)),
                  CB_ERR)
            << filter;
        Notify(IDC_FILTER, CBN_SELCHANGE);
    }
    void ChooseDrive(const char* drive) {
        HWND combo = Control(IDC_DRIVES);
        ASSERT_NE(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive)),
                  CB_ERR)
            << drive;
        Notify(IDC_DRIVES, CBN_SELCHANGE);
    }
    // Found by text: Wine answers LB_GETTEXT from another process in wide characters.
    LRESULT FindListItem(int id, const std::string& name) const {
        return SendMessageA(Control(id), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(name.c_str()));
    }
    bool Lists(int id, const std::string& name) const { return FindListItem(id, name) != LB_ERR; }
    void ChooseFile(const std::string& name) { ChooseListItem(IDC_FILES, name, LBN_SELCHANGE); }
    void OpenFolder(const std::string& name) { ChooseListItem(IDC_FOLDERS, name, LBN_DBLCLK); }
    void Step(int id, int times) {
        for (int i = 0; i < times; ++i) Click(id);
    }

private:
    static std::string StartWith(const PrivateRegistry& registry) {
        SetEnvironmentVariableA(CORVESSA_TEST_REGISTRY_VARIABLE, registry.Root().c_str());
        return test_support::BinPath("corvessa.exe");
    }
    void Notify(int id, int code) {
        SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
    }
    void ChooseListItem(int id, const std::string& name, int code) {
        HWND list = Control(id);
        LRESULT index =
            SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_NE(index, LB_ERR) << name;
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(id, code);
    }

    test_support::RunningProgram m_program;
    HWND m_window = nullptr;
};

class CorvessaProgram : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRecycleBin(m_registry);
        m_library = CurrentFolder() + "\\" + kFixtureLibrary;
    }
    void TearDown() override { SetEnvironmentVariableA(CORVESSA_TEST_REGISTRY_VARIABLE, nullptr); }

    PrivateRegistry m_registry;
    std::string m_library;
};

TEST_F(CorvessaProgram, ShowsTheStoredNameAndStepsThroughALibrary) {
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr) << "no main window";
    EXPECT_EQ(WindowText(corvessa.Window()), "Corvessa");
    EXPECT_EQ(corvessa.Text(IDC_CURRENT_NAME), "Recycle Bin");
    EXPECT_EQ(corvessa.Text(IDC_NEW_NAME), "Recycle Bin");
    EXPECT_FALSE(IsWindowVisible(corvessa.Control(IDC_POSITION)));

    corvessa.ChooseFilter("*.dll");
    corvessa.ChooseFile(kFixtureLibrary);
    EXPECT_TRUE(IsWindowVisible(corvessa.Control(IDC_POSITION)));
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 0 out of 11");
    corvessa.Step(IDC_NEXT, 4);
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 4 out of 11");
    corvessa.Click(IDC_NEW_EMPTY);
    corvessa.Click(IDC_STRIP);
    corvessa.Click(IDC_NEW_FULL);
    corvessa.Step(IDC_PREVIOUS, 1);
    corvessa.Click(IDC_STRIP);
    // The picture is taken once the chosen icon is on the screen.
    EXPECT_TRUE(test_support::WaitUntil([&] {
        return Painted(corvessa.Window()) && Near(ShownColor(corvessa.Control(IDC_NEW_FULL)), FixtureIconColor(3));
    }));
    EXPECT_NE(test_support::SaveScreenPicture("corvessa-main", corvessa.Window()), "");
}

TEST_F(CorvessaProgram, StripOfTwelveIconsRunsFromZeroToEleven) {
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    corvessa.ChooseFilter("*.dll");
    corvessa.ChooseFile(kFixtureLibrary);
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 0 out of 11");
    corvessa.Step(IDC_PREVIOUS, 2);
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 0 out of 11");
    corvessa.Step(IDC_NEXT, 15);
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 11 out of 11");
    corvessa.Click(IDC_STRIP);
    corvessa.Step(IDC_PREVIOUS, 15);
    EXPECT_EQ(corvessa.Text(IDC_POSITION), "Icon # 0 out of 11");

    corvessa.Click(IDC_APPLY);
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "full"), m_library + ",11");
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, ""), m_library + ",11");
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "empty"), m_library + ",0");
}

TEST_F(CorvessaProgram, ChoosingOnlyAnEmptyIconWritesOnlyEmpty) {
    // Stored with a blank that a rewrite of "full" would not keep.
    m_registry.Write("HKLM", kIconKey, "full", m_library + ", 3");
    m_registry.Write("HKLM", kIconKey, "", "the default as it was");
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    corvessa.Click(IDC_NEW_EMPTY);
    corvessa.ChooseFilter("*.dll");
    corvessa.ChooseFile(kFixtureLibrary);
    corvessa.Step(IDC_NEXT, 7);
    corvessa.Click(IDC_STRIP);
    corvessa.Click(IDC_APPLY);

    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "empty"), m_library + ",7");
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "full"), m_library + ", 3");
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, ""), "the default as it was");
    EXPECT_EQ(m_registry.Read("HKLM", kBinKey, ""), "Recycle Bin");
}

TEST_F(CorvessaProgram, RenameWritesOnlyARealChange) {
    struct Case {
        const char* typed;
        bool written;
        const char* stored;
    } cases[] = {
        {"Wastebasket   ", true, "Wastebasket"},  {"RECYCLE BIN", false, "Recycle Bin"},
        {"recycle bin   ", false, "Recycle Bin"}, {"", false, "Recycle Bin"},
        {"     ", false, "Recycle Bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed '") + c.typed + "'");
        PrivateRegistry registry;
        SeedRecycleBin(registry);
        Corvessa corvessa(registry);
        ASSERT_NE(corvessa.Window(), nullptr);
        ValueWatch watch(registry.Path("HKLM", kBinKey));
        corvessa.TypeName(c.typed);
        corvessa.Click(IDC_APPLY);
        EXPECT_EQ(watch.Changed(), c.written);
        EXPECT_EQ(registry.Read("HKLM", kBinKey, ""), c.stored);
        // The window shows what is stored now.
        EXPECT_EQ(corvessa.Text(IDC_CURRENT_NAME), c.stored);
    }
}

TEST_F(CorvessaProgram, ReadsANameLongerThanAnyFixedBuffer) {
    std::string name(700, 'n');
    name.replace(0, 12, "Recycle Bin ");
    name.back() = 'Z';
    m_registry.Write("HKLM", kBinKey, "", name);
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    EXPECT_EQ(corvessa.Text(IDC_CURRENT_NAME), name);
    EXPECT_EQ(corvessa.Text(IDC_NEW_NAME), name);
    ValueWatch watch(m_registry.Path("HKLM", kBinKey));
    corvessa.Click(IDC_APPLY);
    EXPECT_FALSE(watch.Changed());
    EXPECT_EQ(m_registry.Read("HKLM", kBinKey, ""), name);
}

// A top-level window of the test that notes what the broadcast found stored.
std::optional<std::string> g_sizeDuringBroadcast;
const PrivateRegistry* g_watchedRegistry = nullptr;

LRESULT CALLBACK BroadcastListener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WININICHANGE && g_watchedRegistry) {
        g_sizeDuringBroadcast = g_watchedRegistry->Read("HKU", kMetricsKey, "Shell Icon Size");
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(CorvessaProgram, ApplyMakesTheShellRebuildItsIconsAndKeepsTheUsersIconSize) {
    WNDCLASSA listenerClass = {};
    listenerClass.lpfnWndProc = BroadcastListener;
    listenerClass.hInstance = GetModuleHandleA(nullptr);
    listenerClass.lpszClassName = "CorvessaBroadcastListener";
    RegisterClassA(&listenerClass);
    platform::unique_hwnd listener(CreateWindowExA(0, listenerClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                   nullptr, listenerClass.hInstance, nullptr));
    ASSERT_TRUE(listener);

    // The metric is changed only for the broadcast: a user's own size comes
    // back, and where there was none there is none afterwards.
    const std::optional<std::string> storedSizes[] = {"48", std::nullopt};
    for (const auto& stored : storedSizes) {
        SCOPED_TRACE(stored ? "stored " + *stored : std::string("nothing stored"));
        PrivateRegistry registry;
        SeedRecycleBin(registry);
        if (stored) {
            registry.Write("HKU", kMetricsKey, "Shell Icon Size", *stored);
        } else {
            platform::RegistryKey::Open(HKEY_CURRENT_USER, registry.Path("HKU", kMetricsKey), KEY_SET_VALUE)
                .DeleteValue("Shell Icon Size");
        }
        g_watchedRegistry = &registry;
        g_sizeDuringBroadcast.reset();

        Corvessa corvessa(registry);
        ASSERT_NE(corvessa.Window(), nullptr);
        corvessa.Click(IDC_APPLY);
        g_watchedRegistry = nullptr;

        EXPECT_EQ(g_sizeDuringBroadcast, "31");
        EXPECT_EQ(registry.Read("HKU", kMetricsKey, "Shell Icon Size"), stored);
        // Nothing was chosen: the icons stay as they were.
        EXPECT_EQ(registry.Read("HKLM", kIconKey, "full"), m_library + ",3");
        EXPECT_EQ(registry.Read("HKLM", kIconKey, "empty"), m_library + ",0");
    }
}

TEST_F(CorvessaProgram, IconFilesShowTheirFirstIconWithoutPosition) {
    std::string folderName = "corvessa-icons-" + std::to_string(GetCurrentProcessId());
    std::string folder = CurrentFolder() + "\\" + folderName;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << test_support::LastErrorText();
    platform::scope_exit removeFolder([&] {
        DeleteFileA((folder + "\\bin.ico").c_str());
        RemoveDirectoryA(folder.c_str());
    });
    std::string source = std::string(SUITE_SOURCE_DIR) + "\\corvessa\\tests\\fixture\\icon05.ico";
    for (char& c : source) {
        if (c == '/') c = '\\';
    }
    ASSERT_TRUE(CopyFileA(source.c_str(), (folder + "\\bin.ico").c_str(), FALSE)) << test_support::LastErrorText();

    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    corvessa.ChooseFilter("*.dll");
    corvessa.ChooseFile(kFixtureLibrary);
    ASSERT_TRUE(IsWindowVisible(corvessa.Control(IDC_POSITION)));

    corvessa.ChooseFilter("*.ico");
    corvessa.OpenFolder(folderName);
    corvessa.ChooseFile("bin.ico");
    EXPECT_FALSE(IsWindowVisible(corvessa.Control(IDC_POSITION)));
    corvessa.Step(IDC_NEXT, 2);
    EXPECT_FALSE(IsWindowVisible(corvessa.Control(IDC_POSITION)));
    corvessa.Click(IDC_STRIP);
    corvessa.Click(IDC_APPLY);
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "full"), folder + "\\bin.ico,0");
}

TEST_F(CorvessaProgram, DraggingTheBackgroundMovesTheWindow) {
    Corvessa corvessa(m_registry);
    HWND window = corvessa.Window();
    ASSERT_NE(window, nullptr);
    RECT before;
    GetWindowRect(window, &before);
    // The pointer itself moves, as the system sends the moves of a real drag.
    POINT grip = {120, 14};
    ClientToScreen(window, &grip);
    ASSERT_TRUE(SetCursorPos(grip.x, grip.y)) << test_support::LastErrorText();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 14));
    ASSERT_TRUE(SetCursorPos(grip.x + 30, grip.y + 20)) << test_support::LastErrorText();
    RECT after = before;
    EXPECT_TRUE(test_support::WaitUntil([&] {
        GetWindowRect(window, &after);
        return after.left != before.left || after.top != before.top;
    }));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 14));
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);

    // With the button up, moving the pointer leaves the window where it is.
    ASSERT_TRUE(SetCursorPos(grip.x + 80, grip.y + 60));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
    RECT still;
    GetWindowRect(window, &still);
    EXPECT_TRUE(EqualRect(&still, &after));
}

TEST_F(CorvessaProgram, HoverHintsFollowThePointer) {
    Corvessa corvessa(m_registry);
    HWND window = corvessa.Window();
    ASSERT_NE(window, nullptr);
    auto pointAt = [&](HWND over) {
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    pointAt(corvessa.Control(IDC_CLOSE));
    EXPECT_EQ(corvessa.Text(IDC_CLOSE), "exit");
    pointAt(corvessa.Control(IDC_SHOW_HELP));
    EXPECT_EQ(corvessa.Text(IDC_SHOW_HELP), "help");
    EXPECT_EQ(corvessa.Text(IDC_CLOSE), "X");
    pointAt(window);
    EXPECT_EQ(corvessa.Text(IDC_SHOW_HELP), "?");
    EXPECT_EQ(corvessa.Text(IDC_CLOSE), "X");
}

TEST_F(CorvessaProgram, HelpShowsTheHelpFileAndCloseEndsTheProgram) {
    Corvessa corvessa(m_registry);
    HWND window = corvessa.Window();
    ASSERT_NE(window, nullptr);
    corvessa.Click(IDC_SHOW_HELP);
    HWND help = corvessa.Program().WaitForWindow(CORVESSA_HELP_CLASS);
    ASSERT_NE(help, nullptr);
    RECT mainPlace, helpPlace;
    GetWindowRect(window, &mainPlace);
    GetWindowRect(help, &helpPlace);
    EXPECT_TRUE(EqualRect(&mainPlace, &helpPlace));
    // The picture is taken once the text is in the box and on the screen.
    HWND textBox = GetDlgItem(help, IDC_HELP_TEXT);
    std::string text;
    EXPECT_TRUE(test_support::WaitUntil([&] {
        text = WindowText(textBox);
        return text.find("Renaming the Recycle Bin") != std::string::npos && Painted(help) && ShowsText(textBox);
    })) << text;
    EXPECT_EQ(text.find("\\rtf"), std::string::npos) << "shown as plain text";
    EXPECT_NE(test_support::SaveScreenPicture("corvessa-help", help), "");

    SendMessageA(help, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(help, IDC_HELP_CLOSE)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(WindowText(GetDlgItem(help, IDC_HELP_CLOSE)), "close");
    SendMessageA(GetDlgItem(help, IDC_HELP_CLOSE), BM_CLICK, 0, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(help); }));
    EXPECT_TRUE(IsWindowVisible(window));

    corvessa.Click(IDC_CLOSE);
    EXPECT_EQ(corvessa.Program().WaitForExit(), 0u);
}

TEST_F(CorvessaProgram, DriveListMovesTheFolderListAndBack) {
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    corvessa.ChooseFilter("*.dll");
    ASSERT_TRUE(corvessa.Lists(IDC_FILES, kFixtureLibrary));

    corvessa.ChooseDrive("c:");
    EXPECT_EQ(corvessa.FindListItem(IDC_FOLDERS, "C:\\"), 0);
    EXPECT_FALSE(corvessa.Lists(IDC_FILES, kFixtureLibrary));
    // Back on the tests' drive, the folder list returns to that drive's
    // current folder, where the test library lies.
    std::string drive(1, static_cast<char>(tolower(static_cast<unsigned char>(CurrentFolder()[0]))));
    corvessa.ChooseDrive((drive + ":").c_str());
    EXPECT_TRUE(corvessa.Lists(IDC_FILES, kFixtureLibrary));
}

TEST_F(CorvessaProgram, ADriveThatCannotBeReadLeavesTheFolderWhereItWas) {
    // A letter with no drive behind it stands in for a drive without a disk:
    // both fail the folder probe. (Whether the system would have asked for a
    // disk cannot be seen here: Wine never asks.)
    DWORD drives = GetLogicalDrives();
    char letter = 0;
    for (char candidate = 'q'; candidate <= 'y' && !letter; ++candidate) {
        if (!(drives & (1u << (candidate - 'a')))) letter = candidate;
    }
    ASSERT_NE(letter, 0) << "no free drive letter";
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    corvessa.ChooseFilter("*.dll");
    ASSERT_TRUE(corvessa.Lists(IDC_FILES, kFixtureLibrary));
    HWND driveList = corvessa.Control(IDC_DRIVES);
    LRESULT shownDrive = SendMessageA(driveList, CB_GETCURSEL, 0, 0);
    std::string missing = {letter, ':'};
    ASSERT_NE(SendMessageA(driveList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(missing.c_str())), CB_ERR);

    corvessa.ChooseDrive(missing.c_str());
    EXPECT_TRUE(corvessa.Program().Running());
    EXPECT_TRUE(corvessa.Lists(IDC_FILES, kFixtureLibrary));
    EXPECT_EQ(SendMessageA(driveList, CB_GETCURSEL, 0, 0), shownDrive);
}

TEST_F(CorvessaProgram, AboutBoxFromTheSystemMenu) {
    EXPECT_EQ(platform::VersionString(test_support::BinPath("corvessa.exe"), "CompanyName"), "Nimbrel");
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    PostMessageA(corvessa.Window(), WM_SYSCOMMAND, IDM_ABOUT, 0);
    HWND about = corvessa.Program().WaitForWindow("#32770");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "About Corvessa");
    SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(corvessa.Program().Running());
}

TEST_F(CorvessaProgram, IconBoxesShowStoredIconsAndAStoredChoice) {
    // A location without an index names the file's first icon.
    m_registry.Write("HKLM", kIconKey, "empty", m_library);
    Corvessa corvessa(m_registry);
    ASSERT_NE(corvessa.Window(), nullptr);
    HWND currentFull = corvessa.Control(IDC_CURRENT_FULL);
    HWND currentEmpty = corvessa.Control(IDC_CURRENT_EMPTY);
    EXPECT_TRUE(test_support::WaitUntil([&] { return Near(ShownColor(currentFull), FixtureIconColor(3)); }))
        << std::hex << ShownColor(currentFull);
    EXPECT_TRUE(test_support::WaitUntil([&] { return Near(ShownColor(currentEmpty), FixtureIconColor(0)); }))
        << std::hex << ShownColor(currentEmpty);

    corvessa.ChooseFilter("*.dll");
    corvessa.ChooseFile(kFixtureLibrary);
    corvessa.Step(IDC_NEXT, 6);
    corvessa.Click(IDC_STRIP);
    HWND newFull = corvessa.Control(IDC_NEW_FULL);
    EXPECT_TRUE(test_support::WaitUntil([&] { return Near(ShownColor(newFull), FixtureIconColor(6)); }))
        << std::hex << ShownColor(newFull);

    corvessa.Click(IDC_APPLY);
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "full"), m_library + ",6");
    // Untouched, as it was stored.
    EXPECT_EQ(m_registry.Read("HKLM", kIconKey, "empty"), m_library);
    // The window now shows what is stored, and the new boxes are free again.
    EXPECT_TRUE(test_support::WaitUntil([&] { return Near(ShownColor(currentFull), FixtureIconColor(6)); }))
        << std::hex << ShownColor(currentFull);
    EXPECT_TRUE(test_support::WaitUntil([&] { return Near(ShownColor(newFull), GetSysColor(COLOR_WINDOW)); }))
        << std::hex << ShownColor(newFull);
}

}  // namespace
