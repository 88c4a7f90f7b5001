#include "kelvane/components/kelvane_control_win32.h"

namespace kelvane {

void CKelvane::DataAspectChanged(int aspect) {
    CControl::DataAspectChanged(aspect);
    if (aspect == kAspectDataSaved) SwitchSystemHooks(Settings().AddSystemMenuCommands());
}

}  // namespace kelvane
