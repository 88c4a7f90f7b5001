// The folder item's settings panel in its three forms: the item's own
// settings inside an object page or the wizard, the class's defaults, and a
// one-line preview beside a list of items.
#pragma once

#include <memory>

#include "quillet/ui/settings_panel.h"

namespace quillet {

enum class FolderPanelForm { Item, ClassDefaults, Preview };

std::unique_ptr<SettingsPanel> CreateFolderPanel(FolderPanelForm form);

}  // namespace quillet
