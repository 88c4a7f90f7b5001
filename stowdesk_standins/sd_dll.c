/* A stand-in for KORB Stowdesk's hook library: installed and removed, never
   loaded by anything of this suite. */
#include <windows.h>

BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
