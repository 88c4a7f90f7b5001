// The 32-bit key hash that indexes language libraries; the icon cache and the
// stored password form use it too. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillet {

constexpr uint32_t kKeyHashStart = 0x0FEDCBA9u;

// Bytes count as signed values, so texts with bytes 0x80-0xFF hash the same
// as they always have in existing libraries and stored passwords.
uint32_t KeyHash(std::string_view key);

}  // namespace quillet
