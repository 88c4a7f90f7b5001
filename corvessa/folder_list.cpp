#include "corvessa/folder_list.h"

#include <algorithm>
#include <cctype>

#include "corvessa/recycle_rules.h"

namespace corvessa {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<FolderLevel> FolderListLevels(std::string_view folder, std::vector<std::string> subfolders) {
    std::vector<FolderLevel> levels;
    if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\') return levels;
    while (folder.size() > 3 && folder.back() == '\\') folder.remove_suffix(1);

    std::string drive(folder.substr(0, 3));
    levels.push_back({drive, drive, 0, true});
    size_t at = 3;
    while (at < folder.size()) {
        size_t end = std::min(folder.find('\\', at), folder.size());
        if (end > at) {
            int depth = static_cast<int>(levels.size());
            levels.push_back(
                {std::string(folder.substr(0, end)), std::string(folder.substr(at, end - at)), depth, true});
        }
        at = end + 1;
    }
    std::sort(subfolders.begin(), subfolders.end(), LessIgnoringCase);
    int depth = static_cast<int>(levels.size());
    std::string current = levels.back().path;
    for (std::string& name : subfolders) {
        levels.push_back({JoinPath(current, name), std::move(name), depth, false});
    }
    return levels;
}

}  // namespace corvessa
