// The "Add to Tray" command end to end: quilletctx.dll, created through its
// registered class id in this process as Explorer creates it, hands a folder
// to the real quillet.exe (copied with its language library into a scratch
// folder, run against a scratch registry and a stand-in taskbar), which
// puts it into its icon set and saves it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/windows_list.h"
#include "quillet/app/app_rules.h"
#include "quillet/app/quillet_names.h"
#include "quillet/document/tdf_document.h"
#include "quillet/app/tests/new_item_wizard_driver.h"
#include "quillet/model/default_icon_set.h"
#include "quillet/options/options.h"
#include "quillet/shellext/shell_extension.h"
#include "quilletctx/tests/drop_data_object.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using quilletctx_tests::ComPtr;
using quilletctx_tests::DropBlock;
using quilletctx_tests::DropDataObject;
using test_support::WaitUntil;

const char* const kMainWindowClass = "HV:quilletMainWnd";
const char* const kProgramKey = "Software\\Nimbrel\\Quillet";
const quillet::DocumentInfo kInfo{"Quillet tray menus", "1.0.0.0"};

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(texts) += std::string(text) + "\n";
    return TRUE;
}

// What the process's dialogs say, for failure messages.
std::string DialogTexts(DWORD processId) {
    std::string texts;
    for (HWND dialog : test_support::ProcessWindows(processId, "#32770")) {
        texts += "[";
        EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
        texts += "]";
    }
    return texts;
}

class AddToTrayWithQuillet : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), m_taskbar.Window()) << "another taskbar would get the calls";
        ASSERT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr) << "a quillet from elsewhere is running";
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        // The handler library beside the program, where the program's own
        // registration at start points too.
        for (const char* file : {"quillet.exe", "quillet009.mlb", "quilletctx.dll"}) {
            ASSERT_TRUE(CopyFileA(test_support::BinPath(file).c_str(), (m_install.Path() + "\\" + file).c_str(), FALSE))
                << file << ": " << test_support::LastErrorText();
        }
        // An icon set with one standard tray icon beside the program.
        quillet::ObjectModel model;
        quillet::RegisterStandardFactories(model);
        model.AddStandardTrayIcon();
        std::string bytes;
        quillet::SaveDocumentToBytes(model, kInfo, &bytes);
        std::ofstream(Document(), std::ios::binary) << bytes;

        SetEnvironmentVariableA(quillet::kTestRegistryVariable, m_scratch.RealPath().c_str());
        SetEnvironmentVariableA(quillet::kTestLogVariable, LogPath().c_str());
        platform::RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword(quillet::kSplashValueName, 0);
        platform::RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword(quillet::kShowTipsValueName, 0);
        quillet::RegisterShellExtension(
            {"Add to &Tray", m_install.Path() + "\\quilletctx.dll", Exe(), kMainWindowClass});
    }

    void TearDown() override {
        SetEnvironmentVariableA(quillet::kTestRegistryVariable, nullptr);
        SetEnvironmentVariableA(quillet::kTestLogVariable, nullptr);
        for (const auto& key : {quillet::ShellExtensionClassKeyPath(), quillet::HandlerKeyPath("Directory"),
                                quillet::HandlerKeyPath("Folder")}) {
            platform::DeleteKeyTree(HKEY_CLASSES_ROOT, key);
        }
        CoUninitialize();
    }

    std::string Exe() const { return m_install.Path() + "\\quillet.exe"; }
    std::string Document() const { return m_install.Path() + "\\quilletcmn.tdf"; }
    std::string LogPath() const { return m_files.Path() + "\\log.txt"; }

    // Explorer's part: the handler for the chosen folder, its menu, the choice.
    void ChooseAddToTray(const std::string& folder) {
        DropDataObject data(DropBlock({folder}));
        ComPtr<IContextMenu> handler;
        ASSERT_EQ(quilletctx_tests::CreateHandler(&data, handler), S_OK);
        platform::unique_hmenu menu(CreatePopupMenu());
        ASSERT_EQ(handler->QueryContextMenu(menu.get(), 0, 1, 100, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
        ASSERT_EQ(quilletctx_tests::Invoke(handler.p, MAKEINTRESOURCEA(0)), S_OK);
    }

    // The program's part: the new item's dialog shows the path; once it is
    // answered the saved icon set ends with a folder item of that path.
    void ExpectFolderAdded(DWORD processId, const std::string& folder) {
        HWND wizard = quillet_tests::WaitForNewItemWizard(processId);
        ASSERT_NE(wizard, nullptr) << "the program did not take up the folder";
        EXPECT_EQ(ReadWholeFile(LogPath()), "new item: " + folder + "\r\n");
        ASSERT_TRUE(quillet_tests::FinishNewItemWizard(wizard)) << DialogTexts(processId);
        EXPECT_TRUE(WaitUntil([&] { return LastSavedItem() == "folder " + folder; }))
            << "last saved item: " << LastSavedItem() << "; the program's dialogs: " << DialogTexts(processId);
    }

    // "folder <path>" for a folder item at the end of the saved first tray
    // icon; what else is there, or why nothing is.
    std::string LastSavedItem() const {
        quillet::ObjectModel saved;
        quillet::RegisterStandardFactories(saved);
        if (quillet::LoadDocumentFromBytes(saved, ReadWholeFile(Document())) != quillet::kStatusOk)
            return "(no document)";
        if (saved.Root()->Count() == 0 || saved.Root()->GetChild(0)->Count() == 0) return "(no item)";
        auto tray = saved.Root()->GetChild(0);
        auto item = tray->GetChild(tray->Count() - 1);
        return std::string(item->ClassId() == quillet::kClassFolder ? "folder " : "other ") +
               item->ReadText(quillet::kTagPath);
    }

    test_support::FakeTaskbar m_taskbar;
    test_support::ScratchRegistry m_scratch;
    test_support::ScratchFolder m_install;
    test_support::ScratchFolder m_files;
    test_support::ScratchFolder m_chosen;
};

TEST_F(AddToTrayWithQuillet, TheRunningProgramGainsAnIconForTheChosenFolder) {
    test_support::RunningProgram quillet(Exe());
    HWND main = quillet.WaitForWindow(kMainWindowClass);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !m_taskbar.Calls().empty(); })) << "no tray icon";
    ChooseAddToTray(m_chosen.Path());
    ExpectFolderAdded(quillet.Id(), m_chosen.Path());
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(quillet.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(AddToTrayWithQuillet, WithNoProgramRunningTheCommandStartsItWithTheFolder) {
    // A drive's root ends in a backslash, which the program's command line
    // must not read as an escaped quote.
    for (const std::string& folder : {m_chosen.Path(), std::string("C:\\")}) {
        SCOPED_TRACE(folder);
        DeleteFileA(LogPath().c_str());
        ChooseAddToTray(folder);
        HWND main = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (main = FindWindowA(kMainWindowClass, nullptr)) != nullptr; }))
            << "quillet.exe did not start";
        DWORD processId = 0;
        GetWindowThreadProcessId(main, &processId);
        platform::unique_handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
        ASSERT_TRUE(process) << test_support::LastErrorText();
        platform::scope_exit end([&] {
            if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.get(), 1);
        });
        ExpectFolderAdded(processId, folder);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }));
    }
}

}  // namespace
