// CreateSettingsPage with the program's real panels. Kept apart so that a
// test linking the page with panels of its own needs neither library.
#include "quillet/options/option_pages.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/icons/settings_page_win32.h"
#include "quillet/ui/object_sheets.h"

namespace quillet {

HPROPSHEETPAGE CreateSettingsPage(Object& root) {
    SettingsPanelSources sources;
    sources.general = [] { return CreateGeneralPanel(); };
    sources.classPanel = [](const Object& classObject) { return CreateClassPanel(classObject, true); };
    return CreateSettingsPageWith(root, std::move(sources));
}

}  // namespace quillet
