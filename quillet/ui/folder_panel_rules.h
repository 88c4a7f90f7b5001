// What the folder item's settings panel offers and decides: the special
// folders of its list, the actions a folder can take, the preview line and
// whether a path may be accepted. Portable: no <windows.h>; the shell's
// answers come in as plain values and callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillet {

// One row of the special-folder list: a CSIDL, or (csidl -1) a path that
// begins with "!" and names a registry value, or (csidl -1, no path) a plain
// folder path typed by the user.
struct SpecialFolderChoice {
    int32_t csidl;
    const char* registryPath;  // "" for rows that are not a registry path
    const char* key;           // bare key of the row's text; "" for the plain path
};

// The rows in the order the list shows them; the all-users and application
// data rows only exist on Windows NT.
std::vector<SpecialFolderChoice> SpecialFolderChoices(bool windowsNt);

// The row an item stands on: its CSIDL's row, the registry row its path
// names (compared without regard to case), else the plain-path row 0.
size_t SpecialFolderChoiceIndex(const std::vector<SpecialFolderChoice>& choices, int32_t csidl,
                                const std::string& path);

// Keys of the actions 1-4, in value order.
extern const char* const kFolderActionKeys[4];

// How many actions the list offers: a special folder that has no file-system
// path cannot be the directory of a command prompt, so it loses the last one.
int32_t OfferedFolderActions(bool special, bool hasFileSystemPath);
// The action the list shows for a stored one: anything it does not offer
// (or out of range) shows as the menu.
int32_t ShownFolderAction(int32_t action, int32_t offered);

// The preview line: the path, the action's text, and the options that
// apply to it (as root only for Explorer with a tree, which alone honours
// it), joined by ", ". `text` turns a bare key into its text.
std::string FolderPreviewText(const std::string& path, int32_t action, bool asRoot, bool newWindow,
                              const std::function<std::string(const std::string&)>& text);

enum class FolderPathCheck { Accepted, NoPath, NotAFolder };

// Whether the panel may be accepted. Special folders need no path; a plain
// one needs a path, and when `checkPath` is set that path must be a folder
// (`isFolder` is only asked then). A path of blanks counts as none.
FolderPathCheck CheckFolderPath(bool special, const std::string& path, bool checkPath,
                                const std::function<bool(const std::string&)>& isFolder);

// The message key of a refusal; empty for an accepted path.
const char* FolderPathCheckKey(FolderPathCheck check);

}  // namespace quillet
