#include "setup/common/install_rules.h"

#include <algorithm>
#include <cctype>

namespace stowdesk {

static char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

static std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    return lowered;
}

std::string JoinPath(std::string_view left, std::string_view right) {
    std::string joined(left);
    if (joined.empty() || joined.back() != '\\') joined += '\\';
    joined += right;
    return joined;
}

std::string StripOneTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Lowered(a) == Lowered(b);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return Lowered(text).find(Lowered(part)) != std::string::npos;
}

std::optional<UninstallCommand> SplitUninstallString(std::string_view text) {
    const size_t at = text.find("/uninstall");
    if (at == std::string_view::npos || at < 2) return std::nullopt;
    std::string_view program = text.substr(0, at - 1);
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
        program = program.substr(1, program.size() - 2);
    }
    if (program.empty()) return std::nullopt;
    return UninstallCommand{std::string(program), std::string(text.substr(at))};
}

// Where the walk may start creating: behind "X:\", behind "\\server\share\",
// or behind a leading "\" of a path from the current drive's root.
static size_t FirstCreatableLevel(std::string_view path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const size_t server = path.find('\\', 2);
        if (server == std::string_view::npos) return path.size();
        const size_t share = path.find('\\', server + 1);
        return share == std::string_view::npos ? path.size() : share + 1;
    }
    if (path.size() >= 2 && path[1] == ':') return path.size() > 2 && path[2] == '\\' ? 3 : 2;
    if (!path.empty() && path[0] == '\\') return 1;
    return 0;
}

std::vector<std::string> FolderLevels(std::string_view path) {
    std::vector<std::string> levels;
    size_t start = FirstCreatableLevel(path);
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) levels.emplace_back(path.substr(0, end));
        start = end + 1;
    }
    return levels;
}

bool InstallPathTooLong(std::string_view path) {
    return path.size() > kMaxInstallPathLength;
}

bool IsFullFolderPath(std::string_view path) {
    const bool drive =
        path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
    const bool share = path.size() > 1 && path[0] == '\\' && path[1] == '\\';
    return (drive || share) && !FolderLevels(path).empty();
}

bool SkippedWhenCopying(std::string_view name, bool isFolder) {
    return isFolder || name == "." || name == ".." || EqualsIgnoringCase(name, "setup.exe");
}

bool IsLibraryPath(std::string_view sourcePath) {
    return Lowered(sourcePath).find(".dll") != std::string::npos;
}

std::optional<std::string> MakerFolderToRemove(std::string_view installPath) {
    const size_t cut = installPath.rfind('\\');
    if (cut == std::string_view::npos) return std::nullopt;
    std::string_view parent = installPath.substr(0, cut);
    if (!ContainsIgnoringCase(parent, "\\KORB Software")) return std::nullopt;
    return std::string(parent);
}

bool IsSameOrInside(std::string_view path, std::string_view folder) {
    const std::string inner = Lowered(StripOneTrailingBackslash(path));
    const std::string outer = Lowered(StripOneTrailingBackslash(folder));
    if (outer.empty()) return false;
    return inner == outer ||
           (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 && inner[outer.size()] == '\\');
}

bool IsLayoutFile(std::string_view name) {
    return name.size() >= 3 && EqualsIgnoringCase(name.substr(name.size() - 3), ".sd");
}

std::string BatchFileName(std::string_view tempFolder, int number) {
    return JoinPath(tempFolder, "delme" + std::to_string(number) + ".bat");
}

std::string BatchFileText(std::string_view temporaryCopy, std::string_view batchFile) {
    const std::string copy = "\"" + std::string(temporaryCopy) + "\"";
    return "\r\n"
           "@echo off\r\n"
           ":myLabel\r\n"
           "del " +
           copy +
           "\r\n"
           "if exist " +
           copy +
           " goto myLabel\r\n"
           "del \"" +
           std::string(batchFile) + "\"\r\n";
}

std::vector<ClassesEntry> FileTypeEntries(std::string_view installPath) {
    const std::string path(installPath);
    const std::string program = "\"" + path + "\\sd.exe\"";
    return {
        {".sd", "", "KorbStowdesk"},
        {".sd\\ShellNew", "NullFile", ""},
        {".sd\\ShellNew", "command", "\"%1\""},
        {"KorbStowdesk", "", "Stowdesk"},
        {"KorbStowdesk\\DefaultIcon", "", path + "\\sd.exe,0"},
        {"KorbStowdesk\\Shell", "", "open"},
        {"KorbStowdesk\\Shell\\open", "", "S&ave Layout"},
        {"KorbStowdesk\\Shell\\open\\command", "", program + " /s \"%1\""},
        {"KorbStowdesk\\Shell\\qRestore_Layout", "", "R&estore Layout"},
        {"KorbStowdesk\\Shell\\qRestore_Layout\\command", "", program + " /r \"%1\""},
        {"KorbStowdesk\\Shell\\uOptions", "", "SD &Help"},
        {"KorbStowdesk\\Shell\\uOptions\\command", "", program + " /? \"%1\""},
    };
}

std::string SoundValueToWrite(const std::string& carried, const std::optional<std::string>& present,
                              const std::string& installedSound) {
    if (!present) return carried;
    // The registry reports the size with the terminator: below 3 bytes is an
    // empty or one-character value.
    if (present->size() + 1 < 3) return installedSound;
    return *present;
}

}  // namespace stowdesk
