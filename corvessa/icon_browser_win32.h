// The icon browser: a list of drives, the folder list of the current
// folder, and the files there that match the type filter.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "corvessa/folder_list.h"

namespace corvessa {

// While it lives, a drive without a disk makes calls fail quietly instead of
// asking the user to insert one; the error mode before it comes back after.
class QuietDriveErrors {
public:
    static const UINT kMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

    QuietDriveErrors();
    ~QuietDriveErrors();
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT m_previous;
};

class IconBrowser {
public:
    // Binds the browser to its controls in `window`, lists the drives and the
    // filters and opens the current folder (C:\ when it cannot be read).
    void Start(HWND window);

    void OnDriveChosen();
    // Opens the folder chosen in the folder list.
    void OnFolderChosen();
    // The filter's chosen item, or (when typed) its edit text, filters the files.
    void OnFilterChanged(bool fromSelection);

    // The full path of the file chosen in the file list; nothing when none is.
    std::optional<std::string> ChosenFile() const;
    const std::string& Filter() const { return m_filter; }
    HWND FolderList() const { return m_folders; }
    // What entry `item` of the folder list shows; nullptr past the end.
    const FolderLevel* Level(UINT item) const;

private:
    void FillDrives();
    bool ShowFolder(const std::string& folder);
    void SelectDriveOfFolder();
    void FillFiles();

    HWND m_drives = nullptr;
    HWND m_folders = nullptr;
    HWND m_files = nullptr;
    HWND m_filterBox = nullptr;

    std::string m_folder;
    std::vector<FolderLevel> m_levels;
    std::string m_filter = "*.ico";
};

}  // namespace corvessa
