// What the dialog controls decide without a window: the numeric edit's
// clamping and length, the frequency track bar's text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane {

// The numeric edit's Value: clamped to [minValue, maxValue]; equal bounds
// (both 0, say) mean no clamping.
int32_t ClampedValue(int32_t value, int32_t minValue, int32_t maxValue);

// How many characters a numeric edit whose MaxValue is `maxValue` may hold:
// the digits of that value; 0 (no limit) for a MaxValue of 0.
int MaxTextLength(int32_t maxValue);

// The integer a numeric text holds (leading and trailing blanks allowed, an
// optional sign); nothing for any other text or one out of range.
std::optional<int32_t> ParseInteger(const std::string& text);

// The frequency track bar's position as its field shows it: whole seconds,
// and "0.5" for the half second that position 0 stands for.
std::string FrequencyText(int position);

}  // namespace kelvane
