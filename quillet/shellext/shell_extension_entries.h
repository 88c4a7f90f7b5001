// The registry entries of the "Add to Tray" shell extension as data: where
// they live, what they hold, and the rules both the program and quilletctx.dll
// read them by. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/value/value.h"

namespace quillet {

// The context-menu handler's class: {A31B1730-068E-11D2-BA02-006008536FD9}.
extern const Guid kShellExtensionClassId;

// Below HKEY_CLASSES_ROOT, or below the per-user classes when the machine-wide
// classes refuse a write.
inline constexpr const char* kUserClassesPath = "Software\\Classes";
// Below HKEY_LOCAL_MACHINE, or below HKEY_CURRENT_USER when that is refused.
inline constexpr const char* kApprovedKeyPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
inline constexpr const char* kApprovedText = "Add to Tray";

// The two file classes whose context menus offer the command.
inline constexpr const char* kHandlerFileClasses[] = {"Directory", "Folder"};

inline constexpr const char* kAppPathValueName = "AppPath";
inline constexpr const char* kWindowClassValueName = "WindowClass";
inline constexpr const char* kThreadingModelValueName = "ThreadingModel";
inline constexpr const char* kEnabledValueName = "Enabled";

// The handler library beside the program: "%bp\%inctx.dll" before expansion.
inline constexpr const char* kHandlerLibraryPattern = "%bp\\%inctx.dll";

// The menu text when the class key holds none, the verb and the help text.
inline constexpr const char* kDefaultMenuText = "Add to Tray";
inline constexpr const char* kCommandVerb = "AddToTray";
inline constexpr const char* kCommandHelpText = "Adds this folder to the tray menus.";

// Global atoms hold names of at most this many characters, so a longer path
// cannot be handed to the running program.
constexpr size_t kMaxHandOverPath = 255;

// "CLSID\{A31B1730-...}" and its "InProcServer32" subkey.
std::string ShellExtensionClassKeyPath();
std::string ShellExtensionServerKeyPath();
// "<file class>\shellex\ContextMenuHandlers\AddToTray".
std::string HandlerKeyPath(std::string_view fileClass);

// What the entries say about the running program.
struct ShellExtensionFacts {
    std::string menuText;     // the text of the key "contextText"
    std::string libraryPath;  // the handler library, short form where there is one
    std::string programPath;  // the program's full file name
    std::string windowClass;  // the main window class, expanded
};

// Which machine-wide root an entry belongs under.
enum class EntryRoot { Classes, LocalMachine };

// One string value to write.
struct RegistryEntry {
    EntryRoot root;
    std::string keyPath;
    std::string valueName;  // empty: the key's default value
    std::string text;
};

// Every value registration writes, grouped by key in the order written:
// the class key, its server key, the Directory and Folder handler keys, the
// Approved key.
std::vector<RegistryEntry> ShellExtensionEntries(const ShellExtensionFacts& facts);

// One handler key's switch as found: whether the key opened, and its
// "Enabled" number when it holds one.
struct HandlerSwitch {
    bool keyExists = false;
    std::optional<uint32_t> enabled;
};

// A handler allows the command unless its key holds "Enabled" = 0.
bool HandlerAllows(const HandlerSwitch& handler);
// Offered only when both handler keys allow it.
bool CommandEnabled(const HandlerSwitch& directory, const HandlerSwitch& folder);

// The menu text: the class key's text, or the built-in one when it has none.
std::string MenuTextOrDefault(const std::optional<std::string>& classKeyText);

// A folder can be handed over when it is a non-empty path an atom can hold.
bool CanHandOver(std::string_view path);
// The arguments that start the program with the path: /N "path", split by
// the C runtime back into exactly /N and the path.
std::string HandOverArguments(std::string_view path);

}  // namespace quillet
