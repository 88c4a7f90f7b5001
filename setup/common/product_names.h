// Names the installer and the uninstaller share: the product's caption,
// registry paths, window classes and messages. Kept in one place so that what
// setup writes is exactly what uninstall removes.
#pragma once

namespace stowdesk {

// Caption of every message box and of dialog 101.
inline constexpr const char* kProductName = "KORB Stowdesk";

// HKEY_LOCAL_MACHINE (install path) and HKEY_CURRENT_USER (auto-save folder).
inline constexpr const char* kMakerKey = "Software\\KORB Software";
inline constexpr const char* kProductKey = "Software\\KORB Software\\Stowdesk";
inline constexpr const char* kMakerSubkeyName = "KORB Software";
inline constexpr const char* kProductSubkeyName = "Stowdesk";
inline constexpr const char* kInstallPathValue = "InstallPath";
inline constexpr const char* kAutoSaveValue = "PathToAutoSD";
inline constexpr const char* kAutoSaveFolderName = "SDAutoSave";

inline constexpr const char* kUninstallRoot = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kUninstallSubkeyName = "KorbStowdesk";
inline constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KorbStowdesk";
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kOldAutostartValue = "AutoSDT";
inline constexpr const char* kAppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr const char* kProgramFilesKey = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Earlier releases, uninstalled in this order before installing.
inline constexpr const char* kEarlierReleaseKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORB Stowdesk 3.0",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORB Stowdesk 2.0",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORB Stowdesk 1.0",
};

// HKEY_CLASSES_ROOT: the layout file type.
inline constexpr const char* kFileExtension = ".sd";
inline constexpr const char* kFileTypeKey = "KorbStowdesk";

// HKEY_CURRENT_USER: the sound events' application key.
inline constexpr const char* kSoundAppsKey = "AppEvents\\Schemes\\Apps";
inline constexpr const char* kSoundAppKey = "AppEvents\\Schemes\\Apps\\KORB Stowdesk";

// Top-level windows of the running product. The second is the quick-start
// program of the maker's earlier releases.
inline constexpr const char* kAutoSaveWindowClass = "AutoSDWClass";
inline constexpr const char* kOldQuickStartWindowClass = "KorbQuickStart95";
inline constexpr const char* kQuickWindowClass = "KorbQuick";
inline constexpr const char* kLayoutWindowClass = "KorbStowdeskLayout";

// After Explorer came back, the maker's tray programs re-add their icons on
// 0x402 and the auto-save windows re-read the desktop on 0x403.
inline constexpr unsigned kTrayIconsBackMessage = 0x402;  // WM_USER + 2
inline constexpr unsigned kDesktopBackMessage = 0x403;    // WM_USER + 3
inline constexpr const char* kTrayIconsBackClasses[] = {"KorbQuick", "KorbQuickMenu", "KorbTrayPad", "KorbClipTray",
                                                        "KorbWinPeek"};
inline constexpr const char* kDesktopBackClasses[] = {"AutoSDWClass", "KorbDeskSaver"};

// The removal phase's switch.
inline constexpr const char* kInternallySwitch = "/internally";

// Test seams, read only when set: a key under HKEY_CURRENT_USER that stands in
// for HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_CLASSES_ROOT (subkeys
// "HKLM", "HKCU", "HKCR"), and a folder that stands in for the special folders
// and for the Windows folder (whose explorer.exe and systray.exe are then
// stand-ins whose windows carry kTestShellClassPrefix before the class names).
inline constexpr const char* kTestRegistryVariable = "STOWDESK_TEST_REGISTRY_ROOT";
inline constexpr const char* kTestShellVariable = "STOWDESK_TEST_SHELL_ROOT";
inline constexpr const char* kTestShellClassPrefix = "StowdeskTest ";

}  // namespace stowdesk
