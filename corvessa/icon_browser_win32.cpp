#include "corvessa/icon_browser_win32.h"

#include <cctype>
#include <cstring>

#include "corvessa/control_text_win32.h"
#include "corvessa/recycle_rules.h"
#include "corvessa/resource.h"
#include "platform/handles.h"

namespace corvessa {

namespace {

const char* const kFilters[] = {"*.ico", "*.dll", "*.exe", "*.icl"};

}  // namespace

QuietDriveErrors::QuietDriveErrors() : m_previous(SetErrorMode(kMode)) {
    // SetErrorMode replaces the whole mode; keep what was set before as well.
    SetErrorMode(m_previous | kMode);
}

QuietDriveErrors::~QuietDriveErrors() {
    SetErrorMode(m_previous);
}

void IconBrowser::Start(HWND window) {
    m_drives = GetDlgItem(window, IDC_DRIVES);
    m_folders = GetDlgItem(window, IDC_FOLDERS);
    m_files = GetDlgItem(window, IDC_FILES);
    m_filterBox = GetDlgItem(window, IDC_FILTER);
    for (const char* pattern : kFilters) {
        SendMessageA(m_filterBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern));
    }
    SendMessageA(m_filterBox, CB_SETCURSEL, 0, 0);

    FillDrives();
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !ShowFolder(folder)) ShowFolder("C:\\");
}

void IconBrowser::FillDrives() {
    SendMessageA(m_drives, CB_RESETCONTENT, 0, 0);
    char roots[512] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof roots - 1, roots);
    if (length == 0 || length >= sizeof roots) return;
    QuietDriveErrors quiet;
    for (const char* root = roots; *root; root += strlen(root) + 1) {
        std::string entry = {static_cast<char>(tolower(static_cast<unsigned char>(root[0]))), ':'};
        char label[MAX_PATH + 1] = {};
        UINT type = GetDriveTypeA(root);
        // Asking a removable or network drive for its label may wait for it.
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
            if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && *label) {
                entry += std::string(" [") + label + "]";
            }
        }
        SendMessageA(m_drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void IconBrowser::OnDriveChosen() {
    LRESULT chosen = SendMessageA(m_drives, CB_GETCURSEL, 0, 0);
    std::string entry = ListText(m_drives, static_cast<int>(chosen), CB_GETLBTEXTLEN, CB_GETLBTEXT);
    bool shown = false;
    if (entry.size() >= 2) {
        QuietDriveErrors quiet;
        // "c:" alone names the drive's current folder, as a folder list expects.
        char folder[MAX_PATH] = {};
        std::string drive = {static_cast<char>(toupper(static_cast<unsigned char>(entry[0]))), ':'};
        DWORD length = GetFullPathNameA(drive.c_str(), MAX_PATH, folder, nullptr);
        shown = (length > 0 && length < MAX_PATH && ShowFolder(folder)) || ShowFolder(drive + "\\");
    }
    // A drive that cannot be read (no disk) leaves the folder where it was.
    if (!shown) SelectDriveOfFolder();
}

bool IconBrowser::ShowFolder(const std::string& folder) {
    QuietDriveErrors quiet;
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!find) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0) continue;
        subfolders.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    std::vector<FolderLevel> levels = FolderListLevels(folder, std::move(subfolders));
    if (levels.empty()) return false;

    m_levels = std::move(levels);
    int current = 0;
    while (current + 1 < static_cast<int>(m_levels.size()) && m_levels[current + 1].open) ++current;
    m_folder = m_levels[static_cast<size_t>(current)].path;

    SendMessageA(m_folders, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_folders, LB_RESETCONTENT, 0, 0);
    for (const FolderLevel& level : m_levels) {
        SendMessageA(m_folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level.name.c_str()));
    }
    SendMessageA(m_folders, LB_SETCURSEL, current, 0);
    SendMessageA(m_folders, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_folders, nullptr, TRUE);

    SelectDriveOfFolder();
    FillFiles();
    return true;
}

void IconBrowser::SelectDriveOfFolder() {
    if (m_folder.empty()) return;
    char prefix[3] = {static_cast<char>(m_folder[0]), ':', '\0'};
    LRESULT driveIndex =
        SendMessageA(m_drives, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix));
    if (driveIndex != CB_ERR) SendMessageA(m_drives, CB_SETCURSEL, driveIndex, 0);
}

void IconBrowser::OnFolderChosen() {
    LRESULT chosen = SendMessageA(m_folders, LB_GETCURSEL, 0, 0);
    const FolderLevel* level = chosen < 0 ? nullptr : Level(static_cast<UINT>(chosen));
    if (!level) return;
    std::string folder = level->path;
    if (!ShowFolder(folder)) ShowFolder(m_folder);
}

void IconBrowser::FillFiles() {
    SendMessageA(m_files, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_files, LB_RESETCONTENT, 0, 0);
    QuietDriveErrors quiet;
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA(JoinPath(m_folder, m_filter).c_str(), &found));
    if (find) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            SendMessageA(m_files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
        } while (FindNextFileA(find.get(), &found));
    }
    SendMessageA(m_files, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_files, nullptr, TRUE);
}

void IconBrowser::OnFilterChanged(bool fromSelection) {
    if (fromSelection) {
        // The edit part still shows the old text while the selection changes.
        LRESULT chosen = SendMessageA(m_filterBox, CB_GETCURSEL, 0, 0);
        if (chosen < 0) return;
        m_filter = ListText(m_filterBox, static_cast<int>(chosen), CB_GETLBTEXTLEN, CB_GETLBTEXT);
    } else {
        m_filter = WindowText(m_filterBox);
    }
    FillFiles();
}

std::optional<std::string> IconBrowser::ChosenFile() const {
    LRESULT chosen = SendMessageA(m_files, LB_GETCURSEL, 0, 0);
    if (chosen < 0) return std::nullopt;
    return JoinPath(m_folder, ListText(m_files, static_cast<int>(chosen), LB_GETTEXTLEN, LB_GETTEXT));
}

const FolderLevel* IconBrowser::Level(UINT item) const {
    return item < m_levels.size() ? &m_levels[item] : nullptr;
}

}  // namespace corvessa
