#include "tempane/switches.h"

namespace tempane {

static std::string WithoutSwitchMark(const std::string& parameter) {
    if (!parameter.empty() && (parameter[0] == '/' || parameter[0] == '-')) return parameter.substr(1);
    return parameter;
}

bool SplashWanted(const std::vector<std::string>& parameters) {
    for (const std::string& parameter : parameters) {
        if (WithoutSwitchMark(parameter) == "s") return false;
    }
    return true;
}

}  // namespace tempane
