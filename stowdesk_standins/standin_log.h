// The log the installer tests read: every stand-in program appends what
// happened to it to the file STOWDESK_STANDIN_LOG names, one line each.
// Several of them write at the same moment (Explorer's restart wakes the tray
// programs together), so each line is appended whole, under a mutex that all
// of them share.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace stowdesk {

inline void AppendStandinLogLine(const std::string& program, const std::string& what) {
    const char* path = std::getenv("STOWDESK_STANDIN_LOG");
    if (!path || !*path) return;
    const std::string line = program + " " + what + "\r\n";
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "StowdeskStandinLog");
    if (mutex) WaitForSingleObject(mutex, 5000);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

}  // namespace stowdesk
