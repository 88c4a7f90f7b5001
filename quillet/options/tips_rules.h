// Which tip of the day comes next. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The "tipCount" text as an unsigned number: decimal, or hexadecimal ("0x")
// or octal ("0") as C writes them; anything else, a sign included, is 0.
// Digits that follow a number ("8 tips") are ignored; a number too large for
// 32 bits counts as the largest.
uint32_t ParseTipCount(std::string_view text);

// The tip after `lastTip`: one more, or the first when that passes the count
// (and with no tips at all, always the first).
uint32_t NextTipNumber(uint32_t lastTip, uint32_t count);

// "tip001", "tip002", ... "tip1000".
std::string TipKey(uint32_t number);

}  // namespace quillet
