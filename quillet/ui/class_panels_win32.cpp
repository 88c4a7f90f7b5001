#include "quillet/model/class_id.h"
#include "quillet/ui/folder_panel_win32.h"
#include "quillet/ui/object_sheets.h"

namespace quillet {

std::unique_ptr<SettingsPanel> CreateClassPanel(const Object& object, bool asClassDefaults) {
    if (object.ClassId() == kClassFolder)
        return CreateFolderPanel(asClassDefaults ? FolderPanelForm::ClassDefaults : FolderPanelForm::Item);
    return nullptr;
}

std::unique_ptr<SettingsPanel> CreateClassPreview(const Object& object) {
    if (object.ClassId() == kClassFolder) return CreateFolderPanel(FolderPanelForm::Preview);
    return nullptr;
}

}  // namespace quillet
