// Helpers for the Windows tests. Every test cleans up what it made: scratch
// registry keys, folders and windows are removed when these objects go away.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace test_support {

// Polls `condition` until it holds or `timeout` passes, dispatching this
// thread's messages in between. Returns the condition's last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Dispatches every message waiting for this thread.
void PumpMessages();

// "Error 5: Access is denied." for failure messages of assertions.
std::string LastErrorText(DWORD error = GetLastError());

// Redirects HKEY_CURRENT_USER (and optionally HKEY_LOCAL_MACHINE) of this
// process to fresh scratch keys, and removes them again when destroyed.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // Path of the scratch key under the real HKEY_CURRENT_USER.
    const std::string& RealPath() const { return m_path; }

private:
    std::string m_path;
    platform::unique_hkey m_currentUser;
    platform::unique_hkey m_localMachine;
};

// A fresh empty folder under the temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A plain top-level window owned by the test, of the given class name (the
// class is registered on first use), with the given screen rectangle.
platform::unique_hwnd CreateTestWindow(const std::string& className, RECT rect,
                                       DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD exStyle = 0);

// A program started by a test; ended (TerminateProcess) if still running when
// this object goes away.
class RunningProgram {
public:
    // Starts `exePath` with `arguments` (the command line after the program).
    // Check Started() afterwards.
    RunningProgram(const std::string& exePath, const std::string& arguments = "");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    DWORD Id() const { return m_id; }
    HANDLE Process() const { return m_process.get(); }
    bool Running() const;
    // The exit code once the program has ended within `timeout`, else nothing.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // A top-level window of this program with the class name (any, if empty),
    // waited for up to `timeout`; NULL if none appeared.
    HWND WaitForWindow(const std::string& className, std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    platform::unique_handle m_process;
    DWORD m_id = 0;
};

// Top-level windows of a process, optionally only those of one class.
std::vector<HWND> ProcessWindows(DWORD processId, const std::string& className = "");

// The first window at any depth below `parent` whose control id is `id`: a
// control of a dialog nested in a page of a property sheet, say.
HWND FindControl(HWND parent, int id);

// What the screen shows over `window` (the whole screen when NULL), row by
// row from the top, each pixel 0x00RRGGBB. Empty when it cannot be read.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};
ScreenPixels ReadScreen(HWND window = nullptr);
ScreenPixels ReadScreen(const RECT& area);

// The popup menus on the screen now (class "#32768", visible), top first.
// A menu of another process cannot be read, but its window can be sent keys.
std::vector<HWND> VisibleMenus();

// Waits until what the screen shows over `window` has been drawn and has
// settled: more than one colour, unchanged for a moment. A window
// is on the screen before it has painted itself (a menu, a message box's
// text), and a picture taken then shows the empty screen's black.
bool WaitUntilDrawn(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Saves what the screen shows of `window` (the whole screen when NULL) as
// screenshots/NAME.bmp in the build tree; the test session turns each into a
// PNG beside it when it stops. Returns the BMP's path, empty on failure.
std::string SaveScreenPicture(const std::string& name, HWND window = nullptr);
// The same for an area of the screen, such as a menu with its open submenu.
std::string SaveScreenPicture(const std::string& name, const RECT& area);
// The same for the menus open now, a menu with its open submenus: each is
// waited for until drawn, then the area they cover together is saved.
std::string SaveMenusPicture(const std::string& name);

// Full Windows path of a built program or file in bin/ ("vorrin.exe").
std::string BinPath(const std::string& fileName);

}  // namespace test_support
