// The uninstaller's two phases: the one the user starts, which hands over to
// a copy of itself in the temporary folder, and that copy's removal phase.
#pragma once

namespace stowdesk {

void ConfirmAndHandOver();
void RemoveProduct();

}  // namespace stowdesk
