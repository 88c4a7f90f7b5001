#include "uninstall/uninstall_phases_win32.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "platform/explorer_restart.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "setup/common/install_rules.h"
#include "setup/common/product_files.h"
#include "setup/common/product_names.h"
#include "setup/common/stowdesk_win32.h"

namespace stowdesk {

namespace {

std::string TemporaryFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) return "";
    return JoinPath(std::string(temp, length), "");
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadText(HKEY root, const char* key, const char* name) {
    auto data = platform::RegistryKey::Open(root, key, KEY_QUERY_VALUE).Read(name);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return std::nullopt;
    return data->Text();
}

}  // namespace

void ConfirmAndHandOver() {
    const std::string question =
        std::string("This will uninstall ") + kProductName + ", but keep your saved layouts" + ".";
    if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    CloseProductWindows();
    if (auto root = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kUninstallRoot, KEY_ALL_ACCESS)) {
        RegDeleteKeyA(root.get(), kUninstallSubkeyName);
    }

    const std::string temp = TemporaryFolder();
    const std::string copy = JoinPath(temp, kUninstallProgram);
    if (!temp.empty()) CreateDirectoryA(temp.c_str(), nullptr);
    if (temp.empty() || copy.size() >= kMaxPath || !CopyFileA(OwnProgramPath().c_str(), copy.c_str(), FALSE)) {
        ShowMessage("Cannot copy uninstall.exe to TEMP.", MB_OK | MB_ICONERROR);
        return;
    }
    const HINSTANCE started =
        ShellExecuteA(nullptr, nullptr, copy.c_str(), kInternallySwitch, temp.c_str(), SW_MINIMIZE);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        ShowMessage("Cannot start uninstall.exe in TEMP.", MB_OK | MB_ICONERROR);
}

namespace {

void RemoveShortcuts() {
    const std::string current = std::string(kProductName) + ".lnk";
    const std::string release98 = std::string(kProductName) + " 98.lnk";
    for (int csidl : {CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY}) {
        const std::string folder = SpecialFolder(csidl);
        if (folder.empty()) continue;
        DeleteFileA(JoinPath(folder, current).c_str());
        DeleteFileA(JoinPath(folder, release98).c_str());
        AnnouncePath(SHCNE_DELETE, JoinPath(folder, current), true);
    }
    struct Shortcuts {
        int csidl;
        std::initializer_list<const char*> names;
    };
    const Shortcuts groups[] = {
        {CSIDL_STARTUP,
         {"Restore 'layout1.sd'.lnk", "KORB Stowdesk.lnk", "KORB Quick.lnk", "KORB Quick Menu.lnk",
          "KORB QuickStart.lnk"}},
        {CSIDL_STARTMENU, {"KORB Stowdesk.lnk", "KORB Quick.lnk", "KORB Quick Menu.lnk", "KORB QuickStart.lnk"}},
    };
    for (const Shortcuts& group : groups) {
        const std::string folder = SpecialFolder(group.csidl);
        if (folder.empty()) continue;
        for (const char* name : group.names) {
            const std::string link = JoinPath(folder, name);
            DeleteFileA(link.c_str());
            AnnouncePath(SHCNE_DELETE, link, false);
        }
    }
}

DWORD SubkeyCount(HKEY key) {
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS) {
        return 1;  // unknown: keep the maker's key
    }
    return count;
}

// Deletes the product's subkey of the maker's key, and the maker's key when
// no other product's subkey is left in it.
void RemoveProductKey(HKEY root, bool wholeTree) {
    if (wholeTree) platform::DeleteKeyTree(root, kProductKey);
    auto maker = platform::RegistryKey::Open(root, kMakerKey, KEY_ALL_ACCESS);
    if (!maker) return;
    if (!wholeTree) RegDeleteKeyA(maker.get(), kProductSubkeyName);
    const DWORD left = SubkeyCount(maker.get());
    maker = platform::RegistryKey();
    if (left == 0) {
        if (auto software = platform::RegistryKey::Open(root, "Software", KEY_ALL_ACCESS)) {
            RegDeleteKeyA(software.get(), kMakerSubkeyName);
        }
    }
}

void RemoveKeys() {
    if (auto appPaths = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_ALL_ACCESS)) {
        RegDeleteKeyA(appPaths.get(), "sd.exe");
    }
    RemoveProductKey(HKEY_CURRENT_USER, true);
    RemoveProductKey(HKEY_LOCAL_MACHINE, false);

    // The file type's keys have subkeys (ShellNew, the verbs), which a plain
    // key deletion leaves behind on NT: their trees go.
    platform::DeleteKeyTree(HKEY_CLASSES_ROOT, kFileExtension);
    platform::DeleteKeyTree(HKEY_CLASSES_ROOT, kFileTypeKey);
    platform::DeleteKeyTree(HKEY_CURRENT_USER, kSoundAppKey);
    AnnounceAssociationsChanged();
}

void DeleteNames(const std::string& folder, const std::vector<std::string_view>& names) {
    for (std::string_view name : names) DeleteFileA((folder + std::string(name)).c_str());
}

// Empties `folder` of what the installer put there. Layout files and the
// auto-save folder (should the user have put them here) are kept, and with
// them the folders that hold them.
void EmptyFolder(const std::string& folder, const std::string& autoSaveFolder) {
    WIN32_FIND_DATAA found;
    platform::unique_hfind find(FindFirstFileA(JoinPath(folder, "*.*").c_str(), &found));
    if (!find) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = JoinPath(folder, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (IsSameOrInside(path, autoSaveFolder)) continue;
            EmptyFolder(path, autoSaveFolder);
            RemoveDirectoryA(path.c_str());
        } else if (!IsLayoutFile(name)) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find.get(), &found));
}

void RemoveFiles(const std::string& folder, const std::string& autoSaveFolder) {
    DeleteNames(folder, UninstallFirstGroup());

    platform::ExplorerRestart explorer(ProductExplorerShell());
    for (std::string_view name : UninstallLibraries()) {
        const std::string library = folder + std::string(name);
        DeleteFileA(library.c_str());
        if (!Exists(library)) continue;
        if (ShowMessage("To finish deinstallation Uninstall will now close all Explorer windows.",
                        MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            explorer.Close();
        }
        DeleteFileA(library.c_str());
        for (int retry = 0; retry < 50 && Exists(library); ++retry) {
            Sleep(100);
            DeleteFileA(library.c_str());
        }
    }
    if (explorer.Closed()) {
        explorer.RestartIfClosed();
        NotifyExplorerBack();
    }

    DeleteNames(folder, UninstallSecondGroup());

    const std::string images = JoinPath(folder, "images");
    if (!IsSameOrInside(images, autoSaveFolder)) {
        EmptyFolder(images, autoSaveFolder);
        RemoveDirectoryA(images.c_str());
        AnnouncePath(SHCNE_RMDIR, images, true);
    }

    // The copy the user started may still be ending.
    const std::string installed = JoinPath(folder, kUninstallProgram);
    for (int retry = 0; !DeleteFileA(installed.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && retry < 50;
         ++retry) {
        Sleep(100);
    }

    RemoveDirectoryA(folder.c_str());
    if (auto maker = MakerFolderToRemove(folder)) RemoveDirectoryA(maker->c_str());
    AnnouncePath(SHCNE_RMDIR, folder, true);
}

void WriteAndStartBatchFile() {
    const std::string temp = TemporaryFolder();
    if (temp.empty()) return;
    for (int number = 1; number <= kMaxBatchFiles; ++number) {
        const std::string batch = BatchFileName(temp, number);
        platform::unique_hfile file(
            CreateFileA(batch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) continue;
        const std::string text = BatchFileText(JoinPath(temp, kUninstallProgram), batch);
        DWORD written = 0;
        const bool complete = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                              written == text.size();
        file.reset();
        // A cut-short batch file could loop or delete the wrong file: it is
        // removed instead of started.
        if (!complete) {
            DeleteFileA(batch.c_str());
            return;
        }
        ShellExecuteA(nullptr, nullptr, batch.c_str(), nullptr, temp.c_str(), SW_HIDE);
        return;
    }
}

}  // namespace

void RemoveProduct() {
    std::string installPath;
    {
        platform::unique_hkey key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE,
                            nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
            key.release();
        }
        auto path = ReadText(HKEY_LOCAL_MACHINE, kProductKey, kInstallPathValue);
        // An over-long path is refused rather than cut short into another
        // folder whose files would then go; a drive's root or a relative path
        // (which earlier releases accepted) is refused so that nothing there
        // is deleted by name.
        if (path && !InstallPathTooLong(*path) && IsFullFolderPath(*path)) {
            installPath = *path;
        } else {
            ShowMessage("Cannot find install path to remove files.", MB_OK);
        }
    }
    // Read before the settings keys go: the user's layouts stay where they are.
    const std::string autoSaveFolder = ReadText(HKEY_CURRENT_USER, kProductKey, kAutoSaveValue).value_or("");

    RemoveShortcuts();
    RemoveKeys();
    if (installPath.size() > 1) RemoveFiles(installPath, autoSaveFolder);
    WriteAndStartBatchFile();
}

}  // namespace stowdesk
