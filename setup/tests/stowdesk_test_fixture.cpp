#include "setup/tests/stowdesk_test_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/windows_list.h"
#include "setup/common/product_names.h"

namespace stowdesk_tests {

using test_support::RunningProgram;
using test_support::WaitUntil;

static int s_sandboxes = 0;

void StowdeskSandbox::SetUp() {
    m_registryRoot = "Software\\SuiteTests\\stowdesk-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(GetTickCount()) + "-" + std::to_string(++s_sandboxes);
    for (const char* root : {"HKLM", "HKCU", "HKCR"}) {
        platform::RegistryKey::Create(HKEY_CURRENT_USER, m_registryRoot + "\\" + root, KEY_ALL_ACCESS);
    }
    // What a Windows machine already has: the sound schemes, the uninstall
    // and Run keys, the user's Start Menu folder.
    Key("HKCU", stowdesk::kSoundAppsKey);
    Key("HKLM", stowdesk::kUninstallRoot);
    SetText("HKLM", stowdesk::kRunKey, "Other", "C:\\other.exe");
    SetText("HKCU", stowdesk::kShellFoldersKey, "Start Menu", ShellFolder("Start Menu"));
    for (const char* folder : {"Start Menu", "Programs", "Startup", "Desktop", "AppData", "Windows", "Temp"}) {
        CreateDirectoryA(ShellFolder(folder).c_str(), nullptr);
    }
    for (const char* shell : {"explorer.exe", "systray.exe"}) {
        CopyFileA(test_support::BinPath("..\\tests\\stowdesk_test_shell.exe").c_str(),
                  (ShellFolder("Windows") + "\\" + shell).c_str(), FALSE);
    }
    SetEnvironmentVariableA(stowdesk::kTestRegistryVariable, m_registryRoot.c_str());
    SetEnvironmentVariableA(stowdesk::kTestShellVariable, m_shell.Path().c_str());
    SetEnvironmentVariableA("STOWDESK_STANDIN_LOG", (m_shell.Path() + "\\standins.log").c_str());
    SetEnvironmentVariableA("TMP", Temp().c_str());
    SetEnvironmentVariableA("TEMP", Temp().c_str());
}

void StowdeskSandbox::TearDown() {
    CloseProductStandins();
    m_taskbar.reset();
    m_systray.reset();
    m_products.clear();
    for (const char* variable :
         {stowdesk::kTestRegistryVariable, stowdesk::kTestShellVariable, "STOWDESK_STANDIN_LOG", "TMP", "TEMP"}) {
        SetEnvironmentVariableA(variable, nullptr);
    }
    platform::DeleteKeyTree(HKEY_CURRENT_USER, m_registryRoot);
}

std::string StowdeskSandbox::SandboxKey(const char* root, const std::string& path) const {
    return m_registryRoot + "\\" + root + (path.empty() ? "" : "\\" + path);
}

platform::RegistryKey StowdeskSandbox::Key(const char* root, const std::string& path) const {
    return platform::RegistryKey::Create(HKEY_CURRENT_USER, SandboxKey(root, path), KEY_ALL_ACCESS);
}

std::optional<std::string> StowdeskSandbox::Text(const char* root, const std::string& path,
                                                 const std::string& name) const {
    auto data = platform::RegistryKey::Open(HKEY_CURRENT_USER, SandboxKey(root, path)).Read(name);
    if (!data) return std::nullopt;
    return data->Text();
}

bool StowdeskSandbox::HasKey(const char* root, const std::string& path) const {
    return platform::KeyExists(HKEY_CURRENT_USER, SandboxKey(root, path));
}

void StowdeskSandbox::SetText(const char* root, const std::string& path, const std::string& name,
                              const std::string& text) {
    ASSERT_TRUE(Key(root, path).WriteString(name, text)) << path;
}

std::string StowdeskSandbox::MakeDistribution() {
    const std::string dist = Scratch() + "\\dist";
    CreateDirectoryA(dist.c_str(), nullptr);
    CreateDirectoryA((dist + "\\images").c_str(), nullptr);
    CreateDirectoryA((dist + "\\other").c_str(), nullptr);
    const std::string built = test_support::BinPath("dist");
    for (const char* name :
         {"setup.exe", "uninstall.exe", "sd.exe", "SDtray.exe", "Quick.exe", "sd_dll.dll", "gnoop.wav", "shhhuh.wav",
          "tki-tko.wav", "images\\layout_saved.bmp", "images\\layout_restored.bmp"}) {
        EXPECT_TRUE(CopyFileA((built + "\\" + name).c_str(), (dist + "\\" + name).c_str(), FALSE))
            << name << ": " << test_support::LastErrorText();
    }
    WriteWholeFile(dist + "\\other\\not installed.txt", "only images/ is installed");
    return dist;
}

std::string StowdeskSandbox::Log() const {
    return ReadWholeFile(m_shell.Path() + "\\standins.log");
}

void StowdeskSandbox::StartStandinTaskbar() {
    m_taskbar.emplace(ShellFolder("Windows") + "\\explorer.exe");
    ASSERT_TRUE(m_taskbar->Started()) << test_support::LastErrorText();
    ASSERT_TRUE(WaitUntil([&] { return StandinTaskbar() != nullptr; }));
}

void StowdeskSandbox::StartStandinSystray() {
    m_systray.emplace(ShellFolder("Windows") + "\\systray.exe");
    ASSERT_TRUE(m_systray->Started()) << test_support::LastErrorText();
    ASSERT_NE(m_systray->WaitForWindow(std::string(stowdesk::kTestShellClassPrefix) + "SystemTray_Main"), nullptr);
}

void StowdeskSandbox::StartProductStandins() {
    const std::string folder = Scratch() + "\\running";
    CreateDirectoryA(folder.c_str(), nullptr);
    struct Standin {
        const char* name;
        const char* className;
    } standins[] = {{"Quick.exe", stowdesk::kQuickWindowClass}, {"SDtray.exe", stowdesk::kAutoSaveWindowClass}};
    for (const Standin& standin : standins) {
        const std::string path = folder + "\\" + standin.name;
        ASSERT_TRUE(CopyFileA(test_support::BinPath(std::string("dist\\") + standin.name).c_str(), path.c_str(), FALSE))
            << standin.name << ": " << test_support::LastErrorText();
        RunningProgram& program = m_products.emplace_back(path);
        ASSERT_TRUE(program.Started()) << test_support::LastErrorText();
        ASSERT_NE(program.WaitForWindow(standin.className), nullptr) << standin.name;
    }
}

HWND StowdeskSandbox::StandinTaskbar() const {
    return FindWindowA((std::string(stowdesk::kTestShellClassPrefix) + "Shell_TrayWnd").c_str(), nullptr);
}

static std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

static std::vector<HWND> ProductDialogs(DWORD processId) {
    std::vector<HWND> dialogs;
    for (HWND window : test_support::ProcessWindows(processId, "#32770")) {
        if (IsWindowVisible(window) && WindowText(window) == stowdesk::kProductName) dialogs.push_back(window);
    }
    return dialogs;
}

HWND WaitForDialog(DWORD processId, int itemId, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : ProductDialogs(processId)) {
                if (itemId == 0 || GetDlgItem(dialog, itemId)) found = dialog;
            }
            return found != nullptr;
        },
        timeout);
    return found;
}

std::string MessageBoxText(HWND box) {
    // The message box's text is a static control with the id 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : "";
}

HWND WaitForMessageBox(DWORD processId, const std::string& text, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : ProductDialogs(processId)) {
                if (MessageBoxText(dialog).find(text) != std::string::npos) found = dialog;
            }
            return found != nullptr;
        },
        timeout);
    return found;
}

void Press(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool Answer(HWND box, int buttonId) {
    Press(box, buttonId);
    return WaitUntil([&] { return !IsWindow(box); });
}

std::string Picture(const std::string& name, HWND window) {
    // The window's thread has handled what was sent before once WM_NULL comes
    // back; the synchronous redraw then paints every control.
    for (int pass = 0; pass < 2; ++pass) {
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return test_support::SaveScreenPicture(name, window);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EqualPaths(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> LogLines(const std::string& log, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream stream(log);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
}

void CloseProductStandins() {
    for (const char* className : {"KorbQuick", "AutoSDWClass", "KorbStowdeskLayout", "StowdeskTest Shell_TrayWnd",
                                  "StowdeskTest SystemTray_Main"}) {
        for (HWND window : platform::TopLevelWindows()) {
            if (platform::WindowClassName(window) != className) continue;
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            platform::unique_handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
            if (!process) continue;
            TerminateProcess(process.get(), 0);
            WaitForSingleObject(process.get(), 5000);
        }
    }
}

}  // namespace stowdesk_tests
