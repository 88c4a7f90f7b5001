// Icon locations come from the registry, where any program may write them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "corvessa/recycle_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto location = corvessa::SplitIconLocation(text)) {
        // What we write back must read back as the same icon.
        auto again = corvessa::SplitIconLocation(corvessa::FormatIconLocation(*location));
        if (!(again && *again == *location)) __builtin_trap();
    }
    size_t half = size / 2;
    corvessa::NameToWrite(text.substr(0, half), text.substr(half));
    return 0;
}
