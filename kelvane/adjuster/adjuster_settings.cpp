#include "kelvane/adjuster/adjuster_settings.h"

namespace kelvane::adjuster {

AdjusterSettings AdjusterSettingsFrom(const KelvaneSettings& settings) {
    AdjusterSettings result;
    result.adjustTop = settings.AdjustTop();
    result.adjustBottom = settings.AdjustBottom();
    result.adjustLeft = settings.AdjustLeft();
    result.adjustRight = settings.AdjustRight();
    result.resizeWindows = settings.ResizeWindows();
    result.extendTop = settings.ExtendTop();
    result.extendLeft = settings.ExtendLeft();
    result.extendBottom = settings.ExtendBottom();
    result.extendRight = settings.ExtendRight();
    result.extendBoundsInUse = settings.ExtendBoundsInUse();
    result.adjustToExtendBounds = settings.AdjustToExtendBounds();
    result.dontAdjustIfQuarterOffscreen = settings.DontAdjustIfQuarterOffscreen();
    result.offscreenFactor = settings.OffscreenFactor();
    return result;
}

}  // namespace kelvane::adjuster
