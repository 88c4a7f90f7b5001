// The start-up rules of kelvane.exe that need no window: the command-line
// switches, the registry commands of the "RegCommands" key, the diagnostic
// log line, the full-path test and when housekeeping runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

struct StartSwitches {
    bool check = false;     // "/CHECK": run the registry commands, then end
    bool checkRun = false;  // "/CHECKRUN": run them, then start as usual
};
// Whole arguments compared without regard to letter case.
StartSwitches ParseStartSwitches(const std::vector<std::string>& arguments);

// "\SOFTWARE\company\Kelvane[\version]\RegCommands".
std::string RegCommandsKeyPath(const std::string& company, const std::string& registryVersion);

enum class RegRoot { ClassesRoot, CurrentConfig, CurrentUser, DynData, LocalMachine, Users };

struct RegCommand {
    RegRoot root;
    std::string keyPath;    // relative to the root
    std::string valueName;  // empty: the key's default value
    bool isDword;           // "INT"; otherwise "STR"
    std::string text;       // the data of a "STR" command
    uint32_t dword = 0;     // the data of an "INT" command
};

// What one command value asks for.
struct RegCommandParse {
    enum class Outcome { Write, Skip, IllegalInteger };
    Outcome outcome = Outcome::Skip;
    RegCommand command{};
    std::string data;  // field 2 as given
    std::string type;  // field 3 as given
};

// Fields separated by ";": root name, key path ending in the value name
// ("(Default)" for the default value), data, type. Fewer than four fields, an
// unknown root name or an unknown type skip the command; "INT" data that is
// no integer is an illegal command.
RegCommandParse ParseRegCommand(const std::string& text);

// The diagnostic log's line for an "INT" command whose data is no integer.
std::string IllegalConversionText(const std::string& data, const std::string& type);

struct LogTime {
    int day, month, year, hour, minute, second;
};
// "dd/mm/yy hh:nn:ss text".
std::string LogLine(const LogTime& time, const std::string& text);

// Explorer's CabinetState "Settings" bytes: full paths are off when bit 0 of
// byte 4 is clear. Nothing read (missing key) counts as on.
bool FullPathsOff(const std::optional<std::string>& settingsBytes);

// The five-minute housekeeping runs in minutes that are multiples of 5.
inline bool HousekeepingDue(int minute) {
    return minute % 5 == 0;
}

}  // namespace kelvane
