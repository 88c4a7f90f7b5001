// The settings page with the panels it lists handed in, so that a test can
// give it panels of its own making.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <functional>
#include <memory>

#include "quillet/model/object.h"
#include "quillet/ui/settings_panel.h"

namespace quillet {

struct SettingsPanelSources {
    // The root's own panel.
    std::function<std::unique_ptr<SettingsPanel>()> general;
    // A class's panel for its own settings, or null when it has none.
    std::function<std::unique_ptr<SettingsPanel>(const Object& classObject)> classPanel;
};

// The page lists the root's panel, named by "general:Title", then each
// registered class's panel in registration order, named by the class's name
// with its large icon. Panels are made when first chosen; OK or Apply applies
// every one made.
HPROPSHEETPAGE CreateSettingsPageWith(Object& root, SettingsPanelSources sources);

}  // namespace quillet
