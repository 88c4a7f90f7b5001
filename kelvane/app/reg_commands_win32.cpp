#include "kelvane/app/reg_commands_win32.h"

#include <windows.h>

#include <vector>

#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/start_rules.h"
#include "kelvane/components/registry_path.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/version_info.h"

namespace kelvane {
namespace {

HKEY RootKey(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::DynData: return HKEY_DYN_DATA;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

// Every value's text, in the order the key lists them.
std::vector<std::string> CommandTexts(const platform::RegistryKey& key) {
    std::vector<std::string> texts;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        if (RegEnumValueA(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        std::optional<platform::RegData> data = key.Read(name);
        if (data && (data->type == REG_SZ || data->type == REG_EXPAND_SZ)) texts.push_back(data->Text());
    }
    return texts;
}

void Write(const RegCommand& command) {
    platform::RegistryKey key = platform::RegistryKey::Create(RootKey(command.root), command.keyPath, KEY_WRITE);
    if (!key) return;
    if (command.isDword) {
        key.WriteDword(command.valueName, command.dword);
    } else {
        key.WriteString(command.valueName, command.text);
    }
}

}  // namespace

std::optional<std::string> RunRegistryCommands(const std::string& company, const std::string& registryVersion) {
    platform::RegistryKey key = platform::RegistryKey::Open(
        HKEY_CURRENT_USER, RelativeKeyPath(RegCommandsKeyPath(company, registryVersion)), KEY_READ);
    if (!key) return std::nullopt;
    for (const std::string& text : CommandTexts(key)) {
        RegCommandParse parse = ParseRegCommand(text);
        switch (parse.outcome) {
        case RegCommandParse::Outcome::Write: Write(parse.command); break;
        case RegCommandParse::Outcome::Skip: break;
        case RegCommandParse::Outcome::IllegalInteger:
            WriteDiagnosticLog(IllegalConversionText(parse.data, parse.type));
            return std::string(kIllegalCommandMessage);
        }
    }
    return std::nullopt;
}

std::string DiagnosticLogPath() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string program = platform::ModulePath();
    std::string name = program.substr(program.find_last_of("\\/") + 1);
    name = name.substr(0, name.rfind('.'));
    std::string folder = windows;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + name + ".LOG";
}

void WriteDiagnosticLog(const std::string& text) {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    std::string line = LogLine({now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute, now.wSecond}, text) + "\r\n";
    platform::unique_hfile file(CreateFileA(DiagnosticLogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace kelvane
