#include "quillet/options/option_pages.h"

namespace quillet {

// Kept apart from the page itself so that a program or test that gives the
// page its own actions does not need the property sheets linked in.
HPROPSHEETPAGE CreateContentsPage(Object& container) {
    ContentsPageActions actions;
    actions.runWizard = [](HWND owner, const NewItemRequest& request) { return RunNewItemWizard(owner, request); };
    actions.editObject = [](HWND owner, Object& child) { return EditObject(owner, child); };
    actions.createPreview = [](const Object& child) { return CreateClassPreview(child); };
    return CreateContentsPage(container, std::move(actions));
}

}  // namespace quillet
