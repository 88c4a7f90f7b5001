// Names the shell gives its items.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace platform {

// The name `folder` shows for its item `id` (SHGDN_NORMAL); empty when it
// has none.
std::string ShellDisplayName(IShellFolder& folder, const ITEMIDLIST* id);

}  // namespace platform
