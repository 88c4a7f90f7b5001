// The folder list of the icon browser: the drive, each folder on the way
// down to the current one (drawn open), then the current folder's subfolders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvessa {

struct FolderLevel {
    std::string path;  // full path, what double-clicking the entry opens
    std::string name;  // shown text: "C:\" for the drive, else the folder's name
    int depth = 0;     // indentation step
    bool open = false;
};

// Levels for `folder` ("C:\Windows\System" or "C:\"); subfolders are listed
// in case-insensitive order. Empty for a path that does not start with a
// drive ("X:\").
std::vector<FolderLevel> FolderListLevels(std::string_view folder, std::vector<std::string> subfolders);

}  // namespace corvessa
