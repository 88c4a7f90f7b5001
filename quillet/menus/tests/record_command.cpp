// Stands in for Explorer and the command prompt in the folder action tests:
// appends its command line after the program name and its working folder,
// one line each, to the file QUILLET_TEST_RECORD names, then ends.
#include <windows.h>

#include <string>

int main() {
    char file[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("QUILLET_TEST_RECORD", file, sizeof file)) return 1;
    std::string line = GetCommandLineA();
    // The program's own name, quoted or not, is not part of what it was given.
    size_t start = 0;
    if (!line.empty() && line[0] == '"') {
        start = line.find('"', 1);
        start = start == std::string::npos ? line.size() : start + 1;
    } else {
        start = line.find(' ');
        if (start == std::string::npos) start = line.size();
    }
    while (start < line.size() && line[start] == ' ') ++start;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    const std::string record = line.substr(start) + "\n" + folder + "\n";
    HANDLE out = CreateFileA(file, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (out == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(out, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(out);
    return 0;
}
