#include "platform/shell_names.h"

#include <shlwapi.h>

namespace platform {

std::string ShellDisplayName(IShellFolder& folder, const ITEMIDLIST* id) {
    STRRET name = {};
    if (FAILED(folder.GetDisplayNameOf(id, SHGDN_NORMAL, &name))) return {};
    char text[MAX_PATH] = {};
    // Frees what the shell allocated for the name, whatever form it took.
    if (FAILED(StrRetToBufA(&name, id, text, sizeof text))) return {};
    return text;
}

}  // namespace platform
