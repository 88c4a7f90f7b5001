#include "tempane/help_page_win32.h"

#include <shellapi.h>

#include "tempane/tray_menu.h"

namespace tempane {

void OpenWithShell(HWND owner, const std::string& path) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = path.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
}

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer means the path may have been cut short.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void OpenHelpPage(HWND owner, const HelpLauncher& launch) {
    launch(owner, HelpPagePath(ProgramPath()));
}

}  // namespace tempane
