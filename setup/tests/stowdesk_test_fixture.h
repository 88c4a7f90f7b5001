// What the setup and uninstall tests share: a sandbox for the programs (their
// registry redirected below a scratch key, scratch special folders, a
// stand-in shell, a scratch temporary folder, a log the stand-ins write to)
// and helpers that answer the programs' dialogs as a user would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/registry.h"
#include "test_support/win_test_support.h"

namespace stowdesk_tests {

class StowdeskSandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Keys and values as the programs see them.
    std::string SandboxKey(const char* root, const std::string& path) const;
    platform::RegistryKey Key(const char* root, const std::string& path) const;
    std::optional<std::string> Text(const char* root, const std::string& path, const std::string& name = "") const;
    bool HasKey(const char* root, const std::string& path) const;
    void SetText(const char* root, const std::string& path, const std::string& name, const std::string& text);

    // Special folders the programs use in the sandbox.
    std::string ShellFolder(const char* name) const { return m_shell.Path() + "\\" + name; }
    std::string Temp() const { return m_shell.Path() + "\\Temp"; }
    std::string Scratch() const { return m_files.Path(); }
    // A scratch distribution folder: the built dist folder's files, its
    // images and one other subfolder that must not be installed.
    std::string MakeDistribution();
    std::string Log() const;

    // The stand-in taskbar and system-tray applet, started as the sandbox's
    // explorer.exe and systray.exe.
    std::optional<test_support::RunningProgram> m_taskbar;
    std::optional<test_support::RunningProgram> m_systray;
    void StartStandinTaskbar();
    void StartStandinSystray();
    HWND StandinTaskbar() const;
    // The product's quick-start and tray programs (whose windows get the
    // notices after Explorer came back), run from a folder of their own so
    // that no file the programs copy or delete is held.
    void StartProductStandins();

private:
    std::list<test_support::RunningProgram> m_products;
    std::string m_registryRoot;
    test_support::ScratchFolder m_shell;
    test_support::ScratchFolder m_files;
};

// A dialog box of the process with the product caption and, when `itemId` is
// not 0, that control. Waits up to `timeout`.
HWND WaitForDialog(DWORD processId, int itemId, std::chrono::milliseconds timeout = std::chrono::seconds(15));
// A message box of the process whose text contains `text`.
HWND WaitForMessageBox(DWORD processId, const std::string& text,
                       std::chrono::milliseconds timeout = std::chrono::seconds(15));
std::string MessageBoxText(HWND box);
// Presses a button the way a click does, and waits for the box to go when
// `closes`.
void Press(HWND dialog, int buttonId);
bool Answer(HWND box, int buttonId);

// A picture of another process's window once it has drawn itself whole.
std::string Picture(const std::string& name, HWND window);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// Paths compared as Windows does, without regard to letter case.
bool EqualPaths(const std::string& a, const std::string& b);
bool FolderExists(const std::string& path);
// The lines of the log that start with `prefix`.
std::vector<std::string> LogLines(const std::string& log, const std::string& prefix);
// Ends every stand-in of the product still running (they are started by setup).
void CloseProductStandins();

}  // namespace stowdesk_tests
