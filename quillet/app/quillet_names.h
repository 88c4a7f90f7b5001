// Names of quillet.exe that other programs, tests or the registry see: one
// place, never retyped. Window class names are patterns over the macros of the
// version resource ("%in" is the internal name, "quillet").
#pragma once

namespace quillet {

inline constexpr const char* kMainWindowClassPattern = "HV:%inMainWnd";
inline constexpr const char* kSplashClassPattern = "%in:Splash";

// Registered window messages, by name.
inline constexpr const char* kTrayMessageName = "HV:TxTrayMsg";
inline constexpr const char* kNewFileMessageName = "HV:TxNewFile";
inline constexpr const char* kNotifyMessageName = "HV:Notify";
// Formatted with the program's module handle in hexadecimal.
inline constexpr const char* kGetPointerMessagePattern = "HVGetPtr(%X)";

// Per-user values under HKEY_CURRENT_USER "Software\<company>\<product>".
inline constexpr const char* kSplashValueName = "Splash Window";

inline constexpr int kHotkeyId = 1;
inline constexpr unsigned kSplashTimerId = 101;

// Tests point the program at a scratch registry: a key path under the real
// HKEY_CURRENT_USER whose "HKCU" and "HKLM" subkeys stand for those roots.
inline constexpr const char* kTestRegistryVariable = "QUILLET_TEST_REGISTRY_ROOT";
// Tests name a file here; the stand-ins of windows a later version brings
// (the new-item wizard, the properties, the tip of the day) append a line
// to it for each time they are called.
inline constexpr const char* kTestLogVariable = "QUILLET_TEST_LOG";

}  // namespace quillet
