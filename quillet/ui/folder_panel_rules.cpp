#include "quillet/ui/folder_panel_rules.h"

#include <algorithm>
#include <cctype>

namespace quillet {

namespace {

// Common rows, then the rows only Windows NT has.
constexpr SpecialFolderChoice kCommonChoices[] = {
    {-1, "", ""},
    {0, "", "folder:sfDesktop"},
    {3, "", "folder:sfCtrl"},
    {6, "", "folder:sfFav"},
    {5, "", "folder:sfPers"},
    {17, "", "folder:sfComputer"},
    {18, "", "folder:sfNet"},
    {4, "", "folder:sfPrinter"},
    {2, "", "folder:sfPrograms"},
    {11, "", "folder:sfStart"},
    {7, "", "folder:sfStartup"},
    {8, "", "folder:sfRecent"},
    {10, "", "folder:sfRecycle"},
    {20, "", "folder:sfFonts"},
    {-1, "!ProgramFilesDir", "folder:sfProgFiles"},
    {-1, "!MediaPath", "folder:sfMedia"},
};
constexpr SpecialFolderChoice kNtChoices[] = {
    {26, "", "folder:sfAppData"},
    {25, "", "folder:sfCmnDesktop"},
    {23, "", "folder:sfCmnPrograms"},
    {22, "", "folder:sfCmnStart"},
    {24, "", "folder:sfCmnStartup"},
};

bool SameTextIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

}  // namespace

const char* const kFolderActionKeys[4] = {"folder:actMenu", "folder:actExp", "folder:actExpTree", "folder:actCmd"};

std::vector<SpecialFolderChoice> SpecialFolderChoices(bool windowsNt) {
    std::vector<SpecialFolderChoice> choices(std::begin(kCommonChoices), std::end(kCommonChoices));
    if (windowsNt) choices.insert(choices.end(), std::begin(kNtChoices), std::end(kNtChoices));
    return choices;
}

size_t SpecialFolderChoiceIndex(const std::vector<SpecialFolderChoice>& choices, int32_t csidl,
                                const std::string& path) {
    for (size_t i = 1; i < choices.size(); ++i) {
        const SpecialFolderChoice& choice = choices[i];
        if (choice.csidl != -1 ? choice.csidl == csidl
                               : csidl == -1 && SameTextIgnoringCase(choice.registryPath, path))
            return i;
    }
    return 0;
}

int32_t OfferedFolderActions(bool special, bool hasFileSystemPath) {
    return special && !hasFileSystemPath ? 3 : 4;
}

int32_t ShownFolderAction(int32_t action, int32_t offered) {
    return action >= 1 && action <= offered ? action : 1;
}

std::string FolderPreviewText(const std::string& path, int32_t action, bool asRoot, bool newWindow,
                              const std::function<std::string(const std::string&)>& text) {
    std::vector<std::string> parts;
    if (!path.empty()) parts.push_back(path);
    if (action >= 1 && action <= 4) parts.push_back(text(kFolderActionKeys[action - 1]));
    if (action == 3 && asRoot) parts.push_back(text("folder:pvTreeRoot"));
    if (newWindow) parts.push_back(text("folder:pvNewWindow"));
    std::string line;
    for (const std::string& part : parts) {
        if (!line.empty()) line += ", ";
        line += part;
    }
    return line;
}

FolderPathCheck CheckFolderPath(bool special, const std::string& path, bool checkPath,
                                const std::function<bool(const std::string&)>& isFolder) {
    if (special) return FolderPathCheck::Accepted;
    if (IsBlank(path)) return FolderPathCheck::NoPath;
    if (checkPath && !isFolder(path)) return FolderPathCheck::NotAFolder;
    return FolderPathCheck::Accepted;
}

const char* FolderPathCheckKey(FolderPathCheck check) {
    switch (check) {
    case FolderPathCheck::NoPath: return "folder:nopath";
    case FolderPathCheck::NotAFolder: return "folder:notvalidpath";
    default: return "";
    }
}

}  // namespace quillet
