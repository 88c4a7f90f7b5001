// The options sheet as the program shows it: the contents page, the settings
// page and the advanced page, with the registration's own switch for the
// shell's command. Kept apart so that the options' own dialogs build and are
// tested without the other pages' libraries.
#include "quillet/options/option_pages.h"
#include "quillet/options/options.h"
#include "quillet/shellext/shell_extension.h"
#include "quillet/ui/icons/icon_chooser.h"

namespace quillet {

bool ShowOptions(HWND parent) {
    return ShowOptionsWithPages(
        parent,
        {[](Object& root) { return CreateContentsPage(root); }, [](Object& root) { return CreateSettingsPage(root); }},
        {IsShellExtensionEnabled, SetShellExtensionEnabled});
}

}  // namespace quillet
