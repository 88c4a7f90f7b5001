// uninstall.exe: removes KORB Stowdesk. Started by the user it confirms and
// hands over to a copy of itself in the temporary folder, which removes the
// install folder (this program's own included) and leaves a batch file that
// deletes the copy once it has ended.
#include <windows.h>

#include <cstring>

#include "setup/common/product_names.h"
#include "setup/common/stowdesk_win32.h"
#include "uninstall/uninstall_phases_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace stowdesk;
    if (!RedirectRegistryForTests()) return 1;
    if (std::strstr(GetCommandLineA(), kInternallySwitch)) {
        RemoveProduct();
    } else {
        ConfirmAndHandOver();
    }
    return 1;
}
