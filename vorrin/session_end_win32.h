// Log-off, restart and shut-down.
#pragma once

#include "vorrin/toggler_rules.h"

namespace vorrin {

// Asks Windows to end the session as `end` says; the result is not reported
// (a refusal shows up as the session simply going on, as with the Start menu).
void EndSession(const SessionEnd& end);

}  // namespace vorrin
