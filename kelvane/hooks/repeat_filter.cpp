#include "kelvane/hooks/repeat_filter.h"

namespace kelvane {

bool IsRepeat(const std::optional<RememberedMessage>& stored, const RememberedMessage& incoming) {
    if (!stored) return false;
    if (stored->number != incoming.number || stored->window != incoming.window ||
        stored->parameter != incoming.parameter)
        return false;
    const uint32_t forward = incoming.tick - stored->tick;
    const uint32_t backward = stored->tick - incoming.tick;
    return (forward < backward ? forward : backward) <= kRepeatWindowMs;
}

}  // namespace kelvane
