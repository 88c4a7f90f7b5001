#include "setup/setup_steps_win32.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/error_text.h"
#include "platform/explorer_restart.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/shortcut.h"
#include "setup/common/install_rules.h"
#include "setup/common/product_files.h"
#include "setup/common/product_names.h"
#include "setup/common/stowdesk_win32.h"
#include "setup/install_dialog_win32.h"

namespace stowdesk {

namespace {

void RegistryError(const std::string& text, LONG status) {
    ShowMessage(text + "\r\n\r\n" + platform::SystemErrorText(static_cast<DWORD>(status)),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::optional<std::string> ReadText(HKEY root, const std::string& key, const std::string& name) {
    auto data = platform::RegistryKey::Open(root, key, KEY_QUERY_VALUE).Read(name);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return std::nullopt;
    return data->Text();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

}  // namespace

void UninstallEarlierReleases() {
    for (const char* key : kEarlierReleaseKeys) {
        auto text = ReadText(HKEY_LOCAL_MACHINE, key, "UninstallString");
        if (!text) continue;
        if (auto command = SplitUninstallString(*text)) {
            ShellExecuteA(nullptr, nullptr, command->program.c_str(), command->parameters.c_str(), nullptr,
                          SW_SHOWNORMAL);
        }
    }
}

// The product key, created if missing; the registry message when it cannot be.
static platform::unique_hkey CreateProductKey(REGSAM access, const char* failure) {
    platform::unique_hkey key;
    const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                        nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        key.release();
        RegistryError(failure, status);
    }
    return key;
}

std::optional<std::string> ReadInstallPath() {
    if (!CreateProductKey(KEY_QUERY_VALUE, "Error querying SZ value from registry. Cannot create key.")) {
        return std::nullopt;
    }
    return ReadText(HKEY_LOCAL_MACHINE, kProductKey, kInstallPathValue);
}

std::string ProposedInstallPath() {
    // A registered path that the edit could not hold whole is not proposed:
    // cut short, it would name another folder.
    if (auto registered = ReadInstallPath(); registered && !registered->empty() && registered->size() <= kMaxPath) {
        return *registered;
    }
    auto base = ReadText(HKEY_LOCAL_MACHINE, kProgramFilesKey, "ProgramFilesDir");
    if (!base || base->empty() || base->size() >= kMaxPath) base = "C:\\Program Files\\";
    return JoinPath(*base, kProductName);
}

static void WriteInstallPath(const std::string& installPath) {
    auto key = CreateProductKey(KEY_SET_VALUE, "Error writing SZ value to registry. Cannot open key.");
    if (!key) return;
    const LONG status =
        RegSetValueExA(key.get(), kInstallPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(installPath.c_str()),
                       static_cast<DWORD>(installPath.size() + 1));
    if (status != ERROR_SUCCESS) RegistryError("Error writing SZ value to registry. Cannot set value.", status);
}

static void WriteUninstallEntry(const std::string& installPath) {
    auto key = platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_SET_VALUE);
    key.WriteString("DisplayName", kProductName);
    key.WriteString("UninstallString", JoinPath(installPath, kUninstallProgram));
}

static void WriteSoundEvents(const std::string& installPath) {
    auto apps = platform::RegistryKey::Open(HKEY_CURRENT_USER, kSoundAppsKey, KEY_CREATE_SUB_KEY);
    if (!apps) return;
    auto appKey = platform::RegistryKey::Create(apps.get(), kProductName);
    appKey.WriteString("", kProductName);
    for (const SoundEvent& event : kSoundEvents) {
        auto eventKey = platform::RegistryKey::Create(appKey.get(), event.name);
        eventKey.WriteString("", event.name);
        const std::string installed = JoinPath(installPath, event.sound);
        std::string value = installed;
        for (const char* scheme : {".Current", ".Default"}) {
            auto schemeKey = platform::RegistryKey::Create(eventKey.get(), scheme);
            std::optional<std::string> present;
            if (auto data = schemeKey.Read("")) present = data->Text();
            value = SoundValueToWrite(value, present, installed);
            schemeKey.WriteString("", value);
        }
    }
}

static void WriteFileType(const std::string& installPath) {
    for (const ClassesEntry& entry : FileTypeEntries(installPath)) {
        platform::RegistryKey::Create(HKEY_CLASSES_ROOT, entry.key, KEY_SET_VALUE).WriteString(entry.name, entry.data);
    }
    AnnounceAssociationsChanged();
}

static void EnsureAutoSaveFolder() {
    auto present = ReadText(HKEY_CURRENT_USER, kProductKey, kAutoSaveValue);
    if (present && !present->empty() && Exists(*present)) return;
    std::string base = SpecialFolder(CSIDL_APPDATA);
    if (base.empty()) {
        char temp[MAX_PATH + 1] = {};
        DWORD length = GetTempPathA(sizeof temp, temp);
        base = length > 0 && length < sizeof temp ? std::string(temp, length) : "C:\\";
    }
    const std::string folder = JoinPath(base, kAutoSaveFolderName);
    CreateDirectoryA(folder.c_str(), nullptr);
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kProductKey, KEY_SET_VALUE).WriteString(kAutoSaveValue, folder);
}

void WriteRegistry(const std::string& installPath) {
    WriteInstallPath(installPath);
    WriteUninstallEntry(installPath);
    platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE).DeleteValue(kOldAutostartValue);
    WriteSoundEvents(installPath);
    WriteFileType(installPath);
    EnsureAutoSaveFolder();
}

namespace {

struct SourceFile {
    std::string name;
    std::string path;
};

// The files of `folder` that are copied, in the order the folder lists them.
std::vector<SourceFile> FilesToCopy(const std::string& folder) {
    std::vector<SourceFile> files;
    WIN32_FIND_DATAA found;
    platform::unique_hfind find(FindFirstFileA(JoinPath(folder, "*.*").c_str(), &found));
    if (!find) return files;
    do {
        if (SkippedWhenCopying(found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) continue;
        files.push_back({found.cFileName, JoinPath(folder, found.cFileName)});
    } while (FindNextFileA(find.get(), &found));
    return files;
}

bool CopyOver(const std::string& source, const std::string& destination) {
    // A path the file calls cannot take whole is a failed copy, never a
    // shortened one.
    if (source.size() >= kMaxPath || destination.size() >= kMaxPath) return false;
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE;
}

std::string InUseRetryText(const std::string& name) {
    return "Cannot copy '" + name + "'.\r\n\r\nIf the file is in use, please close it and then run setup again.";
}

}  // namespace

bool CopyProductFiles(const std::string& installPath) {
    const std::string destination = JoinPath(installPath, "");
    for (std::string_view name : OldReleaseFiles()) DeleteFileA(JoinPath(destination, name).c_str());

    const std::string source = FolderOf(OwnProgramPath());
    platform::ExplorerRestart explorer(ProductExplorerShell());
    bool allCopied = true;
    for (const SourceFile& file : FilesToCopy(source)) {
        const std::string target = destination + file.name;
        if (CopyOver(file.path, target)) continue;
        if (!IsLibraryPath(file.path)) {
            ShowMessage("Cannot copy '" + file.name +
                            "' because the file is in use.\r\n\r\nPlease restart your computer, then run setup again.",
                        MB_OK | MB_ICONERROR);
            allCopied = false;
            continue;
        }
        if (ShowMessage("To finish the installation Setup will now close all Explorer windows.",
                        MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            explorer.Close();
        }
        bool copied = CopyOver(file.path, target);
        for (int attempt = 1; !copied && attempt < 51; ++attempt) {
            Sleep(100);
            copied = CopyOver(file.path, target);
        }
        if (!copied) {
            ShowMessage(InUseRetryText(file.name), MB_OK | MB_ICONERROR);
            allCopied = false;
        }
    }
    if (explorer.Closed()) {
        explorer.RestartIfClosed();
        NotifyExplorerBack();
    }

    const std::string images = destination + "images";
    CreateDirectoryA(images.c_str(), nullptr);
    AnnouncePath(SHCNE_MKDIR, images, false);
    for (const SourceFile& file : FilesToCopy(JoinPath(source, "images"))) {
        if (!CopyOver(file.path, JoinPath(images, file.name))) {
            ShowMessage(InUseRetryText(file.name), MB_OK | MB_ICONERROR);
            allCopied = false;
        }
    }
    return allCopied;
}

void DeleteOldShortcuts() {
    const std::string current = std::string(kProductName) + ".lnk";
    const std::string release98 = std::string(kProductName) + " 98.lnk";
    for (int csidl : {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY}) {
        const std::string folder = SpecialFolder(csidl);
        if (folder.empty()) continue;
        DeleteFileA(JoinPath(folder, current).c_str());
        DeleteFileA(JoinPath(folder, release98).c_str());
        AnnouncePath(SHCNE_DELETE, JoinPath(folder, current), true);
    }
    const std::string startup = SpecialFolder(CSIDL_STARTUP);
    if (!startup.empty()) {
        DeleteFileA(JoinPath(startup, release98).c_str());
        AnnouncePath(SHCNE_DELETE, JoinPath(startup, release98), false);
    }
}

static void CreateShortcut(const std::string& name) {
    auto installPath = ReadInstallPath();
    if (!installPath) return;
    auto startMenu = platform::RegistryKey::Open(HKEY_CURRENT_USER, kShellFoldersKey, KEY_QUERY_VALUE);
    if (!startMenu) return;
    auto folder = startMenu.Read("Start Menu");
    if (!folder) return;
    const std::string target = name.find("KORB Quick") != std::string::npos ? "Quick.exe" : "SDtray.exe";
    platform::ShortcutFields fields;
    fields.target = JoinPath(*installPath, target);
    fields.workingFolder = *installPath;
    const std::string link = JoinPath(folder->Text(), name + ".lnk");
    if (SUCCEEDED(platform::CreateShortcut(link, fields))) AnnouncePath(SHCNE_CREATE, link, true);
}

void CreateShortcuts(bool startMenuShortcut) {
    if (startMenuShortcut) CreateShortcut(kProductName);
    CreateShortcut("KORB QuickStart");
}

void StartProduct(const std::string& installPath) {
    ShellExecuteA(nullptr, nullptr, JoinPath(installPath, "Quick.exe").c_str(), "/s", installPath.c_str(),
                  SW_SHOWNORMAL);
    ShellExecuteA(nullptr, nullptr, JoinPath(installPath, "SDtray.exe").c_str(), nullptr, installPath.c_str(),
                  SW_SHOWNORMAL);
}

}  // namespace stowdesk
