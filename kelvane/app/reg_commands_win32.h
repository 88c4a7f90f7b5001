// The registry commands of the "RegCommands" key, run for "/CHECK" and
// "/CHECKRUN".
#pragma once

#include <optional>
#include <string>

namespace kelvane {

// Runs every command value of the key in turn. Stops at an "INT" command
// whose data is no integer: its log line is written and the error message
// for the user is returned. Nothing when every command ran.
std::optional<std::string> RunRegistryCommands(const std::string& company, const std::string& registryVersion);

// Appends a time-stamped line to the program's diagnostic log: the program's
// name with ".LOG" in the Windows folder.
void WriteDiagnosticLog(const std::string& text);
// The log's path.
std::string DiagnosticLogPath();

}  // namespace kelvane
