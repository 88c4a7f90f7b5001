#include "vorrin/session_end_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/handles.h"
#include "vorrin/toggler_names.h"

namespace vorrin {

namespace {

// Windows NT refuses EWX_REBOOT and EWX_SHUTDOWN from a process that has not
// enabled the shut-down privilege of its token. Windows 95 has no tokens: the
// calls fail there and are not needed.
bool EnableShutdownPrivilege() {
    platform::unique_handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
    // AdjustTokenPrivileges succeeds even when the token lacks the privilege.
    return GetLastError() == ERROR_SUCCESS;
}

std::string TestRecordPath() {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(kSessionEndRecordVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    return path;
}

void AppendTestRecord(const std::string& path, const SessionEnd& end, bool privilegeEnabled) {
    platform::unique_hfile file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    char line[96];
    int length =
        snprintf(line, sizeof line, "ExitWindowsEx flags=%u reserved=0 shutdown-privilege=%s\r\n", end.exitWindowsFlags,
                 !end.needsShutdownPrivilege ? "not-needed"
                 : privilegeEnabled          ? "enabled"
                                             : "missing");
    DWORD written = 0;
    WriteFile(file.get(), line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void EndSession(const SessionEnd& end) {
    bool privilegeEnabled = end.needsShutdownPrivilege && EnableShutdownPrivilege();
    std::string record = TestRecordPath();
    if (!record.empty()) {
        AppendTestRecord(record, end, privilegeEnabled);
        return;
    }
    ExitWindowsEx(end.exitWindowsFlags, 0);
}

}  // namespace vorrin
