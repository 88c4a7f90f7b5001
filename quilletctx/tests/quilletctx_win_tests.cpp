// quilletctx.dll as the shell meets it: created through its registered class
// id, initialised with a data object holding a folder, asked for its menu,
// and invoked. The hand-over goes to a stand-in main window in this process
// or, with no window, to a stand-in program that records its command line.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "quillet/shellext/shell_extension.h"
#include "quilletctx/tests/drop_data_object.h"
#include "test_support/win_test_support.h"

namespace {

using platform::RegistryKey;
using quilletctx_tests::ComPtr;
using quilletctx_tests::DropBlock;
using quilletctx_tests::DropDataObject;
using quilletctx_tests::Invoke;
using quilletctx_tests::kHandlerClass;

const std::string kDirectoryKey = "Directory\\shellex\\ContextMenuHandlers\\AddToTray";
const std::string kFolderKey = "Folder\\shellex\\ContextMenuHandlers\\AddToTray";
const std::string kClassKey = "CLSID\\{A31B1730-068E-11D2-BA02-006008536FD9}";
constexpr UINT kFirstId = 100;

std::string MenuText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The stand-in main window: records the text of each atom "HV:TxNewFile"
// brings, while the atom is still there.
std::vector<std::string> s_handedOver;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT newFile = RegisterWindowMessageA("HV:TxNewFile");
    if (message == newFile) {
        char path[MAX_PATH] = {};
        UINT length = GlobalGetAtomNameA(static_cast<ATOM>(wParam), path, sizeof path);
        s_handedOver.push_back(std::string(path, length));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Drives a menu from inside its loop: the picture, then Down three times
// and Return. The menu is ended if it never showed within about five seconds
// or is still open about ten seconds after the keys, so that a lost key
// fails the test instead of holding it for ever.
std::string s_menuPicture;
int s_menuTicks = 0;

bool s_drivingMenu = false;

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR, DWORD) {
    // Taking the picture waits for the menu to be drawn and dispatches the
    // messages meanwhile, this timer's too: a tick must not start another.
    if (s_drivingMenu) return;
    s_drivingMenu = true;
    platform::scope_exit done([] { s_drivingMenu = false; });
    auto menus = test_support::VisibleMenus();
    ++s_menuTicks;
    if (menus.empty()) {
        if (s_menuPicture.empty() && s_menuTicks > 100) EndMenu();
        return;
    }
    if (!s_menuPicture.empty()) {
        if (s_menuTicks > 200) EndMenu();
        return;
    }
    s_menuTicks = 0;
    s_menuPicture = test_support::SaveMenusPicture("quillet-add-to-tray-menu");
    if (s_menuPicture.empty()) s_menuPicture = "(failed)";
    for (int i = 0; i < 3; ++i) PostMessageA(menus.front(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menus.front(), WM_KEYDOWN, VK_RETURN, 0);
}

class AddToTrayHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        s_handedOver.clear();
        m_windowClass = "HV:quilletctxTestWnd" + std::to_string(GetCurrentProcessId());
        std::string testFolder = platform::ModulePath();
        testFolder.resize(testFolder.rfind('\\'));
        m_recorder = testFolder + "\\quillet_menus_record_command.exe";
        m_record = m_files.Path() + "\\record.txt";
        SetEnvironmentVariableA("QUILLET_TEST_RECORD", m_record.c_str());
        quillet::RegisterShellExtension(
            {"Add to &Tray", test_support::BinPath("quilletctx.dll"), m_recorder, m_windowClass});
    }

    void TearDown() override {
        SetEnvironmentVariableA("QUILLET_TEST_RECORD", nullptr);
        for (const auto& key : {kClassKey, kDirectoryKey, kFolderKey}) platform::DeleteKeyTree(HKEY_CLASSES_ROOT, key);
        CoUninitialize();
    }

    static HRESULT CreateHandler(IDataObject* data, ComPtr<IContextMenu>& menu) {
        HRESULT result = quilletctx_tests::CreateHandler(data, menu);
        EXPECT_TRUE(menu) << "CoCreateInstance: " << std::hex << result;
        return result;
    }

    // The handler's entries in a fresh popup menu: how many it said it added
    // and their texts.
    std::vector<std::string> Offered(IContextMenu* handler, HRESULT* result = nullptr) {
        platform::unique_hmenu menu(CreatePopupMenu());
        HRESULT added = handler->QueryContextMenu(menu.get(), 0, kFirstId, kFirstId + 10, CMF_NORMAL);
        if (result) *result = added;
        std::vector<std::string> texts;
        for (int i = 0; i < GetMenuItemCount(menu.get()); ++i) {
            EXPECT_EQ(GetMenuItemID(menu.get(), i), kFirstId);
            texts.push_back(MenuText(menu.get(), i));
        }
        EXPECT_EQ(static_cast<size_t>(HRESULT_CODE(added)), texts.size()) << "the count it reports";
        return texts;
    }

    test_support::ScratchRegistry m_scratch;
    test_support::ScratchFolder m_folder;
    test_support::ScratchFolder m_files;
    std::string m_windowClass;
    std::string m_recorder;
    std::string m_record;
};

TEST_F(AddToTrayHandler, AFolderIsOfferedTheCommandWithTheRegisteredText) {
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    EXPECT_EQ(data.Reads(), 1);
    HRESULT result = E_FAIL;
    EXPECT_EQ(Offered(handler.p, &result), std::vector<std::string>{"Add to &Tray"});
    EXPECT_EQ(result, MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));

    // Without text in the class key, the built-in one.
    ASSERT_TRUE(RegistryKey::Open(HKEY_CLASSES_ROOT, kClassKey, KEY_SET_VALUE).DeleteValue(""));
    EXPECT_EQ(Offered(handler.p), std::vector<std::string>{"Add to Tray"});

    // Only the default entry asked for: nothing of ours.
    platform::unique_hmenu menu(CreatePopupMenu());
    EXPECT_EQ(handler->QueryContextMenu(menu.get(), 0, kFirstId, kFirstId + 10, CMF_DEFAULTONLY),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
    EXPECT_EQ(GetMenuItemCount(menu.get()), 0);
}

TEST_F(AddToTrayHandler, TheEntryAmongAFolderMenusOwnIsChosenLikeAnyOther) {
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    // A folder's menu as Explorer builds it, with the handler's entry asked
    // for in the middle.
    platform::unique_hmenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, 1, "&Open");
    AppendMenuA(menu.get(), MF_STRING, 2, "E&xplore");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, 3, "P&roperties");
    ASSERT_EQ(handler->QueryContextMenu(menu.get(), 3, kFirstId, kFirstId + 10, CMF_NORMAL),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    EXPECT_EQ(MenuText(menu.get(), 3), "Add to &Tray");

    // A thread timer runs inside the menu's own loop: once the menu is up it
    // takes the picture and chooses with the keys, Down to Open, Explore,
    // then ours.
    s_menuPicture.clear();
    s_menuTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveMenu);
    ASSERT_NE(timer, 0u) << test_support::LastErrorText();
    platform::unique_hwnd owner =
        test_support::CreateTestWindow("quilletctxMenuOwner", {40, 40, 60, 60}, WS_POPUP | WS_VISIBLE);
    SetForegroundWindow(owner.get());
    UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN, 60, 60, 0, owner.get(), nullptr));
    KillTimer(nullptr, timer);
    EXPECT_NE(s_menuPicture, "(failed)") << "no picture of the menu";
    EXPECT_FALSE(s_menuPicture.empty()) << "the menu did not show";
    EXPECT_EQ(chosen, kFirstId);
}

TEST_F(AddToTrayHandler, EnabledZeroInEitherHandlerKeyWithdrawsTheCommand) {
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    struct Case {
        const char* name;
        std::optional<DWORD> directory, folder;
        bool offered;
    };
    const Case cases[] = {
        {"both 1", 1u, 1u, true},  {"directory 0", 0u, 1u, false}, {"folder 0", 1u, 0u, false},
        {"both 0", 0u, 0u, false}, {"both absent", {}, {}, true},  {"directory 0, folder absent", 0u, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto [key, value] : {std::pair{kDirectoryKey, c.directory}, std::pair{kFolderKey, c.folder}}) {
            auto handlerKey = RegistryKey::Open(HKEY_CLASSES_ROOT, key, KEY_SET_VALUE);
            if (value)
                ASSERT_TRUE(handlerKey.WriteDword("Enabled", *value));
            else
                handlerKey.DeleteValue("Enabled");
        }
        EXPECT_EQ(Offered(handler.p).size(), c.offered ? 1u : 0u);
    }
}

TEST_F(AddToTrayHandler, TheFolderGoesToTheRunningProgramAsAGlobalAtomThatIsDeletedAfterwards) {
    platform::unique_hwnd window;
    {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = StandInProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = m_windowClass.c_str();
        ASSERT_NE(RegisterClassExA(&windowClass), 0) << test_support::LastErrorText();
        window.reset(CreateWindowExA(0, m_windowClass.c_str(), "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window) << test_support::LastErrorText();
    }
    platform::scope_exit unregister([&] {
        window.reset();
        UnregisterClassA(m_windowClass.c_str(), GetModuleHandleA(nullptr));
    });
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    ASSERT_EQ(Offered(handler.p).size(), 1u);
    // By menu position, and by the verb's name in any case.
    for (LPCSTR verb : {static_cast<LPCSTR>(MAKEINTRESOURCEA(0)), "AddToTray", "addtotray"}) {
        s_handedOver.clear();
        EXPECT_EQ(Invoke(handler.p, verb), S_OK);
        EXPECT_EQ(s_handedOver, std::vector<std::string>{m_folder.Path()});
        EXPECT_EQ(GlobalFindAtomA(m_folder.Path().c_str()), 0) << "the handler owns the atom and deletes it";
    }
    s_handedOver.clear();
    for (LPCSTR verb : {static_cast<LPCSTR>(MAKEINTRESOURCEA(1)), "AddToTrayX", "Open"})
        EXPECT_EQ(Invoke(handler.p, verb), E_INVALIDARG);
    EXPECT_TRUE(s_handedOver.empty());
    EXPECT_TRUE(ReadWholeFile(m_record).empty()) << "no program started while one runs";
}

TEST_F(AddToTrayHandler, WithoutARunningProgramTheRegisteredProgramStartsWithSlashNAndThePath) {
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    ASSERT_EQ(FindWindowA(m_windowClass.c_str(), nullptr), nullptr);
    ASSERT_EQ(Invoke(handler.p, MAKEINTRESOURCEA(0)), S_OK);
    ASSERT_TRUE(test_support::WaitUntil([&] { return ReadWholeFile(m_record).find('\n') != std::string::npos; }))
        << "the program did not start";
    std::string record = ReadWholeFile(m_record);
    EXPECT_EQ(record.substr(0, record.find('\n')), "/N \"" + m_folder.Path() + "\"");

    // A registered program that is not there: a failure, not a success.
    quillet::RegisterShellExtension(
        {"Add to &Tray", test_support::BinPath("quilletctx.dll"), m_files.Path() + "\\missing.exe", m_windowClass});
    EXPECT_EQ(Invoke(handler.p, MAKEINTRESOURCEA(0)), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

TEST_F(AddToTrayHandler, AHungProgramDoesNotHoldTheShell) {
    // A main window whose thread stops taking messages.
    platform::unique_handle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> hung{nullptr};
    std::thread program([&] {
        HWND window = test_support::CreateTestWindow(m_windowClass, {0, 0, 10, 10}, WS_OVERLAPPEDWINDOW).release();
        hung = window;
        WaitForSingleObject(release.get(), INFINITE);
        DestroyWindow(window);
    });
    ASSERT_TRUE(test_support::WaitUntil([&] { return hung.load() != nullptr; }));
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    HRESULT result = Invoke(handler.p, MAKEINTRESOURCEA(0));
    SetEvent(release.get());
    program.join();
    EXPECT_TRUE(FAILED(result)) << std::hex << result;
    EXPECT_EQ(GlobalFindAtomA(m_folder.Path().c_str()), 0) << "the atom is deleted even so";
}

TEST_F(AddToTrayHandler, WhatIsNotAFolderOrIsMalformedIsRefusedCleanly) {
    test_support::ScratchFolder other;
    const std::string file = m_files.Path() + "\\plain.txt";
    std::ofstream(file) << "text";
    auto outOfRange = DropBlock({m_folder.Path()});
    reinterpret_cast<DROPFILES*>(outOfRange.data())->pFiles = 0x7fffffff;
    auto unterminated = DropBlock({});
    unterminated.resize(sizeof(DROPFILES));
    for (char c : m_folder.Path()) unterminated.push_back(static_cast<uint8_t>(c));
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        DWORD tymed;
        HRESULT initialised;
        std::string handed;  // empty: nothing offered
    };
    const Case cases[] = {
        {"a file only", DropBlock({file}), TYMED_HGLOBAL, E_FAIL, ""},
        {"a missing folder", DropBlock({m_folder.Path() + "\\gone"}), TYMED_HGLOBAL, E_FAIL, ""},
        {"a file, then folders: the first folder", DropBlock({file, other.Path(), m_folder.Path()}), TYMED_HGLOBAL,
         S_OK, other.Path()},
        {"a UTF-16 list", DropBlock({m_folder.Path()}, true), TYMED_HGLOBAL, S_OK, m_folder.Path()},
        {"names past the block's end", outOfRange, TYMED_HGLOBAL, E_FAIL, ""},
        {"a name without its terminator", unterminated, TYMED_HGLOBAL, E_FAIL, ""},
        {"a header cut short", std::vector<uint8_t>(6, 0), TYMED_HGLOBAL, E_FAIL, ""},
        {"a stream instead of memory", DropBlock({m_folder.Path()}), TYMED_ISTREAM, E_FAIL, ""},
    };
    platform::unique_hwnd window = test_support::CreateTestWindow(m_windowClass, {0, 0, 10, 10}, WS_OVERLAPPEDWINDOW);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DropDataObject data(c.block, c.tymed);
        ComPtr<IContextMenu> handler;
        EXPECT_EQ(CreateHandler(&data, handler), c.initialised);
        ASSERT_TRUE(handler);
        EXPECT_EQ(Offered(handler.p).size(), c.handed.empty() ? 0u : 1u);
        if (c.handed.empty()) {
            EXPECT_EQ(Invoke(handler.p, MAKEINTRESOURCEA(0)), E_FAIL);
        } else {
            EXPECT_EQ(Invoke(handler.p, MAKEINTRESOURCEA(0)), S_OK);
        }
    }
    EXPECT_TRUE(ReadWholeFile(m_record).empty()) << "nothing started";

    // No data object at all (a folder's background).
    ComPtr<IContextMenu> handler;
    EXPECT_EQ(CreateHandler(nullptr, handler), E_INVALIDARG);
    EXPECT_TRUE(Offered(handler.p).empty());
}

TEST_F(AddToTrayHandler, BadArgumentsFromTheShellAreRefusedWithoutTouchingThem) {
    DropDataObject data(DropBlock({m_folder.Path()}));
    ComPtr<IContextMenu> handler;
    ASSERT_EQ(CreateHandler(&data, handler), S_OK);
    EXPECT_EQ(handler->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
    void* unknown = reinterpret_cast<void*>(1);
    EXPECT_EQ(handler->QueryInterface(IID_IShellFolder, &unknown), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(handler->QueryContextMenu(nullptr, 0, kFirstId, kFirstId, CMF_NORMAL), E_INVALIDARG);
    EXPECT_EQ(handler->QueryContextMenu(reinterpret_cast<HMENU>(0x1234), 0, kFirstId, kFirstId, CMF_NORMAL),
              E_INVALIDARG);
    EXPECT_EQ(handler->InvokeCommand(nullptr), E_INVALIDARG);
    CMINVOKECOMMANDINFO small = {};
    small.cbSize = sizeof small - 4;
    EXPECT_EQ(handler->InvokeCommand(&small), E_INVALIDARG);

    // Command strings: the verb and the help text, ANSI and UTF-16, only
    // where they fit.
    char text[64] = {};
    EXPECT_EQ(handler->GetCommandString(0, GCS_VERBA, nullptr, text, sizeof text), S_OK);
    EXPECT_STREQ(text, "AddToTray");
    wchar_t wide[64] = {};
    EXPECT_EQ(handler->GetCommandString(0, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), 64), S_OK);
    EXPECT_STREQ(wide, L"AddToTray");
    EXPECT_EQ(handler->GetCommandString(0, GCS_HELPTEXTA, nullptr, text, sizeof text), S_OK);
    EXPECT_STRNE(text, "");
    EXPECT_EQ(handler->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(wide), 64), S_OK);
    EXPECT_STRNE(wide, L"");
    char tiny[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(handler->GetCommandString(0, GCS_VERBA, nullptr, tiny, sizeof tiny),
              HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tiny[0], '\0');
    EXPECT_EQ(tiny[1], 'x') << "nothing written past what it was given";
    EXPECT_EQ(handler->GetCommandString(0, GCS_VERBA, nullptr, nullptr, 64), E_INVALIDARG);
    EXPECT_EQ(handler->GetCommandString(0, GCS_VERBA, nullptr, text, 0), E_INVALIDARG);
    EXPECT_EQ(handler->GetCommandString(1, GCS_VERBA, nullptr, text, sizeof text), E_INVALIDARG);
    EXPECT_EQ(handler->GetCommandString(0, GCS_VALIDATEA, nullptr, nullptr, 0), S_OK);
}

TEST_F(AddToTrayHandler, TheLibraryCanUnloadOnlyWhenNoObjectOrLockIsLeft) {
    platform::unique_hmodule library(LoadLibraryA(test_support::BinPath("quilletctx.dll").c_str()));
    ASSERT_TRUE(library) << test_support::LastErrorText();
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(WINAPI*)();
    // Through void*: the exports' real types are not FARPROC's.
    auto getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(library.get(), "DllGetClassObject")));
    auto canUnloadNow =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(library.get(), "DllCanUnloadNow")));
    ASSERT_TRUE(getClassObject && canUnloadNow);
    EXPECT_EQ(canUnloadNow(), S_OK);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(CLSID_ShellLink, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(getClassObject(kHandlerClass, IID_IClassFactory, nullptr), E_POINTER);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(kHandlerClass, IID_IClassFactory, (void**)factory.put()), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is alive";
    ComPtr<IUnknown> outer;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, (void**)outer.put()),
              S_OK);
    void* aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer.p, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, (void**)menu.put()), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.p->Release();
    factory.p = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object and a lock are alive";
    menu.p->Release();
    menu.p = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock is held";
    ComPtr<IClassFactory> again;
    ASSERT_EQ(getClassObject(kHandlerClass, IID_IClassFactory, (void**)again.put()), S_OK);
    EXPECT_EQ(again->LockServer(FALSE), S_OK);
    again.p->Release();
    again.p = nullptr;
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
