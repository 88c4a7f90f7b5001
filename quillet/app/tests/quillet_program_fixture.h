// The real quillet.exe as end-to-end tests run it: copied with its language
// libraries into a scratch folder, a scratch registry through the program's
// test registry variable, the start-up screen and the tips switched off, and a
// stand-in taskbar that records the tray calls. Shared by the test programs
// that drive it.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/windows_list.h"
#include "quillet/app/app_rules.h"
#include "quillet/app/quillet_names.h"
#include "quillet/document/tdf_document.h"
#include "quillet/model/default_icon_set.h"
#include "quillet/options/options.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace quillet_tests {

using platform::RegistryKey;
using quillet::ObjectModel;
using test_support::FakeTaskbar;
using test_support::RunningProgram;
using test_support::WaitUntil;

inline constexpr DWORD kExitFailed = static_cast<DWORD>(-1);
inline const char* const kProgramKey = "Software\\Nimbrel\\Quillet";
inline const char* const kMainWindowClass = "HV:quilletMainWnd";
inline const quillet::DocumentInfo kInfo{"Quillet tray menus", "1.0.0.0"};

// Read with every sharing allowed: the program replaces its document by
// moving a new file over it, which a reader without delete sharing would
// make fail.
inline std::string ReadFile(const std::string& path) {
    platform::unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    if (!file) return content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    return content;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What tells one version of a file from the next, read without opening it:
// a test that opened the document while the program saves would make the
// save fail (a file open without delete sharing cannot be replaced).
inline std::string FileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::string();
    return std::to_string(data.nFileSizeLow) + ":" + std::to_string(data.ftLastWriteTime.dwLowDateTime) + ":" +
           std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
           std::to_string(data.ftCreationTime.dwLowDateTime);
}

// The TDF of an icon set with one standard tray icon, as `fill` makes it.
inline std::string DocumentBytes(const std::function<void(ObjectModel&)>& fill = {}) {
    ObjectModel model;
    quillet::RegisterStandardFactories(model);
    model.AddStandardTrayIcon();
    if (fill) fill(model);
    std::string bytes;
    quillet::SaveDocumentToBytes(model, kInfo, &bytes);
    return bytes;
}

// A model read back from a TDF on disk; its tray icons are its root's children.
inline std::unique_ptr<ObjectModel> LoadModel(const std::string& path) {
    auto model = std::make_unique<ObjectModel>();
    quillet::RegisterStandardFactories(*model);
    if (quillet::LoadDocumentFromBytes(*model, ReadFile(path)) != quillet::kStatusOk) return nullptr;
    return model;
}

// A folder item with `path` appended to the first tray icon.
inline void AddFolder(ObjectModel& model, const std::string& path, const std::string& name = {}) {
    quillet::RefPtr<quillet::Object> folder;
    quillet::Value initial = quillet::Value::FromText(path);
    ASSERT_EQ(model.CreateObject(quillet::kClassFolder, &folder, &initial), quillet::kStatusOk);
    if (!name.empty()) folder->SetProperty(quillet::kTagName, quillet::Value::FromText(name));
    model.Root()->GetChild(0)->Insert(folder.Get());
}

inline std::string WindowText(HWND window) {
    char text[2048] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return text;
}

inline BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    std::string text = WindowText(child);
    if (!text.empty()) *reinterpret_cast<std::string*>(texts) += text + "\n";
    return TRUE;
}

// Every text a dialog shows: its controls', one per line.
inline std::string DialogTexts(HWND dialog) {
    std::string texts;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}


class QuilletProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.Window()) << "another taskbar would get the calls";
        ASSERT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr) << "a quillet from elsewhere is running";
        CopyProgram(true);
        SetEnvironmentVariableA(quillet::kTestRegistryVariable, scratch.RealPath().c_str());
        SetEnvironmentVariableA(quillet::kTestLogVariable, LogPath().c_str());
        // Only the start-up screen's own test waits two seconds for it.
        RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword(quillet::kSplashValueName, 0);
        RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword(quillet::kShowTipsValueName, 0);
        char personal[MAX_PATH] = {};
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, personal)));
        userDocument = std::string(personal) + "\\Nimbrel User Files\\quillet.tdf";
        DeleteFileA(userDocument.c_str());
    }

    void TearDown() override {
        SetEnvironmentVariableA(quillet::kTestRegistryVariable, nullptr);
        SetEnvironmentVariableA(quillet::kTestLogVariable, nullptr);
        SetFileAttributesA(CommonDocument().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(userDocument.c_str());
    }

    void CopyProgram(bool withLanguages) {
        for (const char* file : {"quillet.exe", "quillet009.mlb", "quillet007.mlb"}) {
            std::string target = install.Path() + "\\" + file;
            if (!withLanguages && std::string(file) != "quillet.exe") {
                DeleteFileA(target.c_str());
                continue;
            }
            ASSERT_TRUE(CopyFileA(test_support::BinPath(file).c_str(), target.c_str(), FALSE))
                << file << ": " << test_support::LastErrorText();
        }
    }

    std::string Exe() const { return install.Path() + "\\quillet.exe"; }
    std::string CommonDocument() const { return install.Path() + "\\quilletcmn.tdf"; }
    std::string LogPath() const { return files.Path() + "\\log.txt"; }
    std::string Log() const { return ReadFile(LogPath()); }

    std::vector<FakeTaskbar::Call> CallsOf(DWORD message) const {
        std::vector<FakeTaskbar::Call> calls;
        for (const auto& call : taskbar.Calls())
            if (call.message == message) calls.push_back(call);
        return calls;
    }

    // Starts the program and waits until its tray icons are up.
    HWND StartAndWaitForIcons(RunningProgram& program, size_t icons = 1) {
        HWND main = program.WaitForWindow(kMainWindowClass);
        EXPECT_NE(main, nullptr) << "no main window";
        EXPECT_TRUE(WaitUntil([&] { return CallsOf(NIM_ADD).size() >= icons; })) << "no tray icon";
        return main;
    }

    // A dialog of the program whose texts contain `text`, waited for.
    HWND WaitForDialog(RunningProgram& program, const std::string& text) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND dialog : test_support::ProcessWindows(program.Id(), "#32770")) {
                if (IsWindowVisible(dialog) && DialogTexts(dialog).find(text) != std::string::npos) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    // What the program's open dialogs say, for failure messages.
    static std::string OpenDialogTexts(RunningProgram& program) {
        std::string texts;
        for (HWND dialog : test_support::ProcessWindows(program.Id(), "#32770"))
            texts += "[" + DialogTexts(dialog) + "]";
        return texts;
    }

    void Exit(RunningProgram& program, HWND main) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << "quillet did not end";
    }

    // Opens the tray command menu with a right press on the first icon and
    // chooses its first entry.
    void ChooseFirstCommand(HWND main) { ChooseCommand(main, 0); }

    // Opens the tray command menu and chooses the entry at `position`,
    // counted without separators, as the arrow keys step.
    void ChooseCommand(HWND main, int position) {
        PostMessageA(main, RegisterWindowMessageA(quillet::kTrayMessageName), quillet::kFirstTrayIconId,
                     WM_RBUTTONDOWN);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            auto menus = test_support::VisibleMenus();
            menu = menus.empty() ? nullptr : menus.front();
            return menu != nullptr;
        })) << "no command menu";
        for (int step = 0; step <= position; ++step) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }

    // Hands a path over as the shell extension does: a global atom with
    // "HV:TxNewFile", deleted once the program has taken it.
    void HandOver(HWND main, const std::string& path) {
        ATOM atom = GlobalAddAtomA(path.c_str());
        ASSERT_NE(atom, 0) << test_support::LastErrorText();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main, RegisterWindowMessageA(quillet::kNewFileMessageName), atom, 0, SMTO_NORMAL, 5000,
                            &result);
        GlobalDeleteAtom(atom);
    }

    test_support::ScratchRegistry scratch;
    test_support::ScratchFolder install;
    test_support::ScratchFolder files;
    FakeTaskbar taskbar;
    std::string userDocument;
};

}  // namespace quillet_tests
