#include "kelvane/shellmaint/shell_maintenance_win32.h"

#include <windows.h>

#include "kelvane/components/file_iterator_win32.h"
#include "platform/registry.h"

namespace kelvane {
namespace {

const char* const kUserShellFoldersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kShellFoldersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string ReadFolderValue(const char* key, const std::string& name) {
    platform::RegistryKey folders = platform::RegistryKey::Open(HKEY_CURRENT_USER, key);
    if (!folders) return {};
    std::optional<platform::RegData> data = folders.Read(name);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return {};
    return data->type == REG_EXPAND_SZ ? platform::ExpandEnvironment(data->Text()) : data->Text();
}

}  // namespace

std::string ShellFolderPath(const std::string& name) {
    std::string path = ReadFolderValue(kUserShellFoldersKey, name);
    return path.empty() ? ReadFolderValue(kShellFoldersKey, name) : path;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

WindowsVersion RunningWindowsVersion() {
    DWORD version = GetVersion();
    WindowsVersion result;
    result.major = LOBYTE(LOWORD(version));
    result.minor = HIBYTE(LOWORD(version));
    // The high bit is set on the Windows (9x) platform.
    result.windows9x = (version & 0x80000000u) != 0;
    return result;
}

CDocumentsEmptier::CDocumentsEmptier() : fiEmptyDocuments(WindowsFileSearcher()) {
    // Full path names; no descent into subfolders, no folders reported.
    (void)fiEmptyDocuments.SetOptions({CFileIteratorOption::cfiPath});
    fiEmptyDocuments.OnAddFile = [this](CFileIterator&, const std::string& fileName, const TFileInfo&) {
        // A shortcut that cannot be deleted is left; the run goes on.
        if (IsDocumentsShortcut(fileName) && DeleteFileA(fileName.c_str())) ++m_deleted;
    };
}

int CDocumentsEmptier::EmptyNow() {
    if (m_running) return 0;
    return EmptyFolder(ShellFolderPath("Recent"));
}

int CDocumentsEmptier::EmptyFolder(const std::string& folder) {
    if (m_running || !IsUsableShellFolder(folder)) return 0;
    m_running = true;
    m_deleted = 0;
    if (!fiEmptyDocuments.SetRootFolder(folder)) (void)fiEmptyDocuments.Run();
    m_running = false;
    return m_deleted;
}

std::string CascadeFolderPath(Cascade cascade) {
    std::string startMenu = ShellFolderPath("Start Menu");
    if (!IsUsableShellFolder(startMenu)) return {};
    return WithTrailingBackslash(startMenu) + CascadeFolderName(cascade);
}

bool CascadeExists(Cascade cascade) {
    std::string path = CascadeFolderPath(cascade);
    return !path.empty() && FolderExists(path);
}

bool CascadeOffered(Cascade cascade) {
    return CascadeOffered(cascade, RunningWindowsVersion());
}

void ApplyCascades(const CascadeChoices& choices) {
    ApplyCascadesIn(ShellFolderPath("Start Menu"), choices, RunningWindowsVersion());
}

void ApplyCascadesIn(const std::string& startMenuFolder, const CascadeChoices& choices, const WindowsVersion& version) {
    // Never a cascade folder in the current folder or a drive root.
    if (!IsUsableShellFolder(startMenuFolder)) return;
    for (Cascade cascade : kCascades) {
        std::string path = WithTrailingBackslash(startMenuFolder) + CascadeFolderName(cascade);
        // Creating one that exists, or removing one that does not, is
        // harmless; RemoveDirectory leaves a folder that holds anything.
        switch (CascadeActionFor(cascade, choices.Checked(cascade), version)) {
        case CascadeAction::Create: CreateDirectoryA(path.c_str(), nullptr); break;
        case CascadeAction::RemoveIfEmpty: RemoveDirectoryA(path.c_str()); break;
        case CascadeAction::LeaveAlone: break;
        }
    }
}

}  // namespace kelvane
