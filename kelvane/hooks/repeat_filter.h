// The main form's repeat filter: the hook library may report one menu
// choice twice, so an identical message within 350 ms is dropped.
#pragma once

#include <cstdint>
#include <optional>

namespace kelvane {

inline constexpr uint32_t kRepeatWindowMs = 350;

struct RememberedMessage {
    uint16_t number;  // the message number's low 16 bits
    uintptr_t window;
    intptr_t parameter;
    uint32_t tick;  // GetTickCount when recorded
};

// A repeat has the same number, window and parameter as `stored` and lies at
// most 350 ms from it either way. The tick count wraps after 49.7 days; the
// distance is taken across the wrap.
bool IsRepeat(const std::optional<RememberedMessage>& stored, const RememberedMessage& incoming);

class RepeatFilter {
public:
    bool IsRepeat(const RememberedMessage& incoming) const { return kelvane::IsRepeat(m_stored, incoming); }
    void Record(const RememberedMessage& message) { m_stored = message; }

private:
    std::optional<RememberedMessage> m_stored;
};

}  // namespace kelvane
