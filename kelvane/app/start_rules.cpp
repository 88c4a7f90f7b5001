#include "kelvane/app/start_rules.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace kelvane {
namespace {

bool SameLetters(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && !b[i];
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(';', start);
        fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

std::optional<RegRoot> RootNamed(const std::string& name) {
    struct Named {
        const char* name;
        RegRoot root;
    };
    static const Named roots[] = {
        {"hkClassesRoot", RegRoot::ClassesRoot},   {"hkCurrentConfig", RegRoot::CurrentConfig},
        {"hkCurrentUser", RegRoot::CurrentUser},   {"hkDynData", RegRoot::DynData},
        {"hkLocalMachine", RegRoot::LocalMachine}, {"hkUsers", RegRoot::Users},
    };
    for (const Named& root : roots) {
        if (SameLetters(name, root.name)) return root.root;
    }
    return std::nullopt;
}

// A whole decimal (or "$" hexadecimal) integer that fits 32 bits.
std::optional<uint32_t> Integer(const std::string& text) {
    std::string trimmed = text;
    if (trimmed.empty() || std::isspace(static_cast<unsigned char>(trimmed.front())) ||
        std::isspace(static_cast<unsigned char>(trimmed.back()))) {
        return std::nullopt;
    }
    bool hex = trimmed[0] == '$';
    const char* digits = trimmed.c_str() + (hex ? 1 : 0);
    if (!*digits) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(digits, &end, hex ? 16 : 10);
    if (errno || *end || (hex && *digits == '-')) return std::nullopt;
    if (hex ? (value < 0 || value > 0xFFFFFFFFLL) : (value < INT32_MIN || value > INT32_MAX)) return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace

StartSwitches ParseStartSwitches(const std::vector<std::string>& arguments) {
    StartSwitches switches;
    for (const std::string& argument : arguments) {
        if (SameLetters(argument, "/CHECK")) switches.check = true;
        if (SameLetters(argument, "/CHECKRUN")) switches.checkRun = true;
    }
    return switches;
}

std::string RegCommandsKeyPath(const std::string& company, const std::string& registryVersion) {
    std::string path = "\\SOFTWARE\\" + company + "\\Kelvane";
    if (!registryVersion.empty()) path += "\\" + registryVersion;
    return path + "\\RegCommands";
}

RegCommandParse ParseRegCommand(const std::string& text) {
    RegCommandParse parse;
    std::vector<std::string> fields = Fields(text);
    if (fields.size() < 4) return parse;
    parse.data = fields[2];
    parse.type = fields[3];
    std::optional<RegRoot> root = RootNamed(fields[0]);
    if (!root) return parse;

    RegCommand& command = parse.command;
    command.root = *root;
    std::string path = fields[1];
    while (!path.empty() && path.front() == '\\') path.erase(0, 1);
    size_t slash = path.rfind('\\');
    command.keyPath = slash == std::string::npos ? std::string() : path.substr(0, slash);
    command.valueName = slash == std::string::npos ? path : path.substr(slash + 1);
    if (SameLetters(command.valueName, "(Default)")) command.valueName.clear();

    if (parse.type == "STR") {
        command.isDword = false;
        command.text = parse.data;
    } else if (parse.type == "INT") {
        std::optional<uint32_t> value = Integer(parse.data);
        if (!value) {
            parse.outcome = RegCommandParse::Outcome::IllegalInteger;
            return parse;
        }
        command.isDword = true;
        command.dword = *value;
    } else {
        return parse;
    }
    parse.outcome = RegCommandParse::Outcome::Write;
    return parse;
}

std::string IllegalConversionText(const std::string& data, const std::string& type) {
    return "Illegal conversion in cParseCommandData: Value=" + data + "; DataType=" + type;
}

std::string LogLine(const LogTime& time, const std::string& text) {
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d", time.day % 100, time.month % 100, time.year % 100,
             time.hour % 100, time.minute % 100, time.second % 100);
    return std::string(stamp) + " " + text;
}

bool FullPathsOff(const std::optional<std::string>& settingsBytes) {
    if (!settingsBytes) return false;
    // Fewer than five bytes hold no flag: counted as clear.
    if (settingsBytes->size() < 5) return true;
    return (static_cast<unsigned char>((*settingsBytes)[4]) & 1) == 0;
}

}  // namespace kelvane
