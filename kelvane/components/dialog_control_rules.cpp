#include "kelvane/components/dialog_control_rules.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace kelvane {

int32_t ClampedValue(int32_t value, int32_t minValue, int32_t maxValue) {
    if (minValue == maxValue) return value;
    if (value < minValue) return minValue;
    if (value > maxValue) return maxValue;
    return value;
}

int MaxTextLength(int32_t maxValue) {
    if (maxValue == 0) return 0;
    int64_t rest = maxValue < 0 ? -int64_t{maxValue} : int64_t{maxValue};
    int digits = 0;
    for (; rest > 0; rest /= 10) ++digits;
    return digits;
}

std::optional<int32_t> ParseInteger(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    size_t last = text.find_last_not_of(" \t");
    std::string trimmed = text.substr(first, last - first + 1);
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(trimmed.c_str(), &end, 10);
    if (end == trimmed.c_str() || *end != '\0' || errno == ERANGE) return std::nullopt;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::string FrequencyText(int position) {
    return position == 0 ? std::string("0.5") : std::to_string(position);
}

}  // namespace kelvane
