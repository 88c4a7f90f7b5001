// Fuzzes the CF_HDROP reader: a data object from any program may hand over
// any block. The block is copied to an exact-size buffer so that a read past
// its end is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quillet/shellext/drop_file_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> block(data, data + size);
    auto list = quillet::ReadDropFileList(block.data(), block.size());
    if (!list) return 0;
    // Every name lies within the block, without its terminator.
    size_t total = 0;
    for (const auto& name : list->names) {
        if (name.empty() || name.find('\0') != std::string::npos) std::abort();
        total += name.size() + 1;
    }
    for (const auto& name : list->wideNames) {
        if (name.empty() || name.find(u'\0') != std::u16string::npos) std::abort();
        total += 2 * (name.size() + 1);
    }
    if (total + quillet::kDropFilesHeaderSize > size) std::abort();
    return 0;
}
