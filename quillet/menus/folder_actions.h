// The programs the folder actions start and their command lines: Explorer
// with "/N,", "/E," and "/ROOT," before the path, the command prompt from
// COMSPEC with "/K" in the folder; and the namespace path of a special folder
// that has no path of its own. Portable: no <windows.h>; the window supplies
// the short form of a path and the special folder's id list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quillet {

constexpr const char* kExplorerProgram = "EXPLORER.EXE";
constexpr const char* kCommandPromptSwitch = "/K";

// "/N," when `newWindow`, "/E," when `tree`, "/ROOT," when `asRoot`, then the
// path, with nothing between them.
std::string ExploreParameters(bool newWindow, bool tree, bool asRoot, const std::string& path);

// "::{class id}" for each element of a shell item id list joined by "\": the
// class id is read from the 16 bytes after the element's 2-byte size and 2
// further bytes. Nothing when the list is empty, when an element is too short
// to hold a class id, or when an element runs past the `size` bytes given.
std::optional<std::string> NamespacePathFromIdList(const uint8_t* bytes, size_t size);

// The path an action opens: the folder's own path when it has one (its short
// form, unless it names a namespace object with a leading ':'), otherwise the
// special folder's path as given (a namespace path or a file-system path,
// used as the own path would be). Nothing when there is none.
std::optional<std::string> FolderActionTarget(const std::string& ownPath, const std::optional<std::string>& specialPath,
                                              const std::function<std::string(const std::string&)>& shortPath);

enum class FolderActionOutcome { Started, NothingToOpen, NoCommandPrompt };

// What ShellExecute is asked to start for an action.
struct FolderActionCommand {
    FolderActionOutcome outcome = FolderActionOutcome::NothingToOpen;
    std::string program;
    std::string parameters;
    std::string directory;  // empty: none
};

// Actions 2 and 3 start Explorer, action 4 the command prompt named by
// COMSPEC (`comspec`; nothing or empty when the variable is missing) in the
// folder. Any other action, or no target, starts nothing.
FolderActionCommand MakeFolderActionCommand(int action, bool newWindow, bool asRoot,
                                            const std::optional<std::string>& target,
                                            const std::optional<std::string>& comspec);

}  // namespace quillet
