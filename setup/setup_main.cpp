// setup.exe: installs KORB Stowdesk from the folder it lies in.
#include <windows.h>

#include <objbase.h>

#include "setup/common/product_names.h"
#include "setup/common/stowdesk_win32.h"
#include "setup/install_dialog_win32.h"
#include "setup/setup_steps_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace stowdesk;
    if (!RedirectRegistryForTests()) return 0;

    CloseProductWindows();
    UninstallEarlierReleases();

    InstallDialog dialog(instance, ProposedInstallPath());
    if (dialog.Show() != IDOK) return 0;
    const InstallChoices& choices = dialog.Choices();

    WriteRegistry(choices.installPath);
    const bool allCopied = CopyProductFiles(choices.installPath);
    DeleteOldShortcuts();

    const HRESULT com = CoInitialize(nullptr);
    CreateShortcuts(choices.startMenuShortcut);
    if (choices.startAfterSetup) {
        StartProduct(choices.installPath);
    } else if (allCopied) {
        ShowMessage(std::string(kProductName) + " has been installed successfully.",
                    MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    } else {
        // Each file that could not be copied was reported already.
        ShowMessage(std::string(kProductName) +
                        " has not been installed completely: some files could not be "
                        "copied.\r\n\r\nPlease run setup again.",
                    MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 1;
}
