// What a failed call says to a person: the system's own text for an error
// code, and "call: error N: text" for reports that name the call.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The system's message for `error` without its trailing line break, or
// "error N" when the system has none.
std::string SystemErrorText(DWORD error);

// "CreateWindowEx: error 1407: Cannot find window class."
std::string CallErrorText(const char* call, DWORD error = GetLastError());

// Tells the user in an owner-less box that `program` cannot start, and why
// (a CallErrorText).
void ShowStartFailure(const char* program, const std::string& why);

}  // namespace platform
