#include "platform/error_text.h"

namespace platform {

std::string SystemErrorText(DWORD error) {
    char* buffer = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "error " + std::to_string(error);
    return text;
}

std::string CallErrorText(const char* call, DWORD error) {
    std::string text = std::string(call) + ": error " + std::to_string(error);
    std::string system = SystemErrorText(error);
    if (system != "error " + std::to_string(error)) text += ": " + system;
    return text;
}

void ShowStartFailure(const char* program, const std::string& why) {
    std::string text = std::string(program) + " cannot start.\n\n" + why;
    MessageBoxA(nullptr, text.c_str(), program, MB_OK | MB_ICONERROR);
}

}  // namespace platform
