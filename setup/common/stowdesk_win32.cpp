#include "setup/common/stowdesk_win32.h"

#include <shlobj.h>

#include <cstdlib>

#include "platform/registry.h"
#include "setup/common/install_rules.h"
#include "setup/common/product_names.h"

namespace stowdesk {

int ShowMessage(const std::string& text, UINT flags) {
    return MessageBoxA(nullptr, text.c_str(), kProductName, flags);
}

static std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool RedirectRegistryForTests() {
    return platform::RedirectRegistryForTests(
        kTestRegistryVariable,
        {{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}, {HKEY_CLASSES_ROOT, "HKCR"}});
}

std::string SpecialFolder(int csidl) {
    const std::string testRoot = Variable(kTestShellVariable);
    if (!testRoot.empty()) {
        switch (csidl) {
        case CSIDL_STARTUP: return JoinPath(testRoot, "Startup");
        case CSIDL_STARTMENU: return JoinPath(testRoot, "Start Menu");
        case CSIDL_PROGRAMS: return JoinPath(testRoot, "Programs");
        case CSIDL_DESKTOPDIRECTORY: return JoinPath(testRoot, "Desktop");
        case CSIDL_APPDATA: return JoinPath(testRoot, "AppData");
        default: return "";
        }
    }
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return "";
    return path;
}

platform::ExplorerShell ProductExplorerShell() {
    const std::string testRoot = Variable(kTestShellVariable);
    if (testRoot.empty()) return platform::SessionExplorerShell();
    const std::string windows = JoinPath(testRoot, "Windows");
    return {kTestShellClassPrefix, JoinPath(windows, "explorer.exe"), JoinPath(windows, "systray.exe")};
}

void CloseProductWindows() {
    for (const char* className : {kAutoSaveWindowClass, kOldQuickStartWindowClass, kQuickWindowClass}) {
        if (HWND window = FindWindowA(className, nullptr)) PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

void NotifyExplorerBack() {
    for (const char* className : kTrayIconsBackClasses) {
        if (HWND window = FindWindowA(className, nullptr)) PostMessageA(window, kTrayIconsBackMessage, 0, 0);
    }
    for (const char* className : kDesktopBackClasses) {
        if (HWND window = FindWindowA(className, nullptr)) PostMessageA(window, kDesktopBackMessage, 0, 0);
    }
}

void AnnouncePath(LONG event, const std::string& path, bool flush) {
    SHChangeNotify(event, SHCNF_PATHA, path.c_str(), nullptr);
    if (flush) SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

void AnnounceAssociationsChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr);
    SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
}

std::string OwnProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace stowdesk
