#include "quillet/strings/key_hash.h"

namespace quillet {

uint32_t KeyHash(std::string_view key) {
    uint32_t hash = kKeyHashStart;
    for (char c : key) {
        const int32_t byte = static_cast<signed char>(c);
        hash = (hash << 4) + static_cast<uint32_t>(byte);
        const uint32_t high = hash & 0xF0000000u;
        if (high != 0) hash ^= high >> 24;
        hash &= ~high;
    }
    return hash;
}

}  // namespace quillet
