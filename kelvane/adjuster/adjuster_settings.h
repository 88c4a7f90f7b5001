// What the adjuster reads of the window manager's settings, taken at each run.
#pragma once

#include "kelvane/adjuster/adjust_rect.h"
#include "kelvane/components/kelvane_settings.h"

namespace kelvane::adjuster {

AdjusterSettings AdjusterSettingsFrom(const KelvaneSettings& settings);

}  // namespace kelvane::adjuster
