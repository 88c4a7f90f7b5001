// The file list of a CF_HDROP block (a DROPFILES header followed by
// NUL-terminated names and an empty name), read within the block's size:
// a block from another program is never trusted to be terminated.
// Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// sizeof(DROPFILES): offset of the names, point, non-client flag, wide flag.
constexpr size_t kDropFilesHeaderSize = 20;

struct DropFileList {
    bool wide = false;
    // Names of an ANSI list...
    std::vector<std::string> names;
    // ...or of a UTF-16 list.
    std::vector<std::u16string> wideNames;
};

// Nothing when the header does not fit or its offset points outside the
// block. Names end at the first empty name or at the block's end; a name
// cut off by the block's end is dropped.
std::optional<DropFileList> ReadDropFileList(const uint8_t* block, size_t size);

}  // namespace quillet
