#include "quillet/menus/folder_actions.h"

#include "quillet/model/class_id.h"
#include "quillet/model/property_tags.h"

namespace quillet {

std::string ExploreParameters(bool newWindow, bool tree, bool asRoot, const std::string& path) {
    std::string parameters;
    if (newWindow) parameters += "/N,";
    if (tree) parameters += "/E,";
    if (asRoot) parameters += "/ROOT,";
    return parameters + path;
}

std::optional<std::string> NamespacePathFromIdList(const uint8_t* bytes, size_t size) {
    // An element: 2-byte size (counting itself), 2 bytes, then the class id.
    constexpr size_t kClassIdOffset = 4;
    constexpr size_t kElementWithClassId = kClassIdOffset + 16;
    std::string path;
    size_t offset = 0;
    while (bytes && offset + 2 <= size) {
        const size_t elementSize = bytes[offset] | (static_cast<size_t>(bytes[offset + 1]) << 8);
        if (elementSize == 0) break;
        if (elementSize < kElementWithClassId || elementSize > size - offset) return std::nullopt;
        const uint8_t* id = bytes + offset + kClassIdOffset;
        Guid guid;
        guid.data1 = id[0] | (id[1] << 8) | (id[2] << 16) | (static_cast<uint32_t>(id[3]) << 24);
        guid.data2 = static_cast<uint16_t>(id[4] | (id[5] << 8));
        guid.data3 = static_cast<uint16_t>(id[6] | (id[7] << 8));
        for (int i = 0; i < 8; ++i) guid.data4[i] = id[8 + i];
        if (!path.empty()) path += '\\';
        path += "::" + ClassIdToText(guid);
        offset += elementSize;
    }
    if (path.empty()) return std::nullopt;
    return path;
}

std::optional<std::string> FolderActionTarget(const std::string& ownPath, const std::optional<std::string>& specialPath,
                                              const std::function<std::string(const std::string&)>& shortPath) {
    const std::string& path = !ownPath.empty() ? ownPath : specialPath.value_or(std::string());
    if (path.empty()) return std::nullopt;
    if (path[0] == ':') return path;
    return shortPath(path);
}

FolderActionCommand MakeFolderActionCommand(int action, bool newWindow, bool asRoot,
                                            const std::optional<std::string>& target,
                                            const std::optional<std::string>& comspec) {
    FolderActionCommand command;
    if (!target || target->empty()) return command;
    if (action == kFolderActionCommandPrompt) {
        if (!comspec || comspec->empty()) {
            command.outcome = FolderActionOutcome::NoCommandPrompt;
            return command;
        }
        command.outcome = FolderActionOutcome::Started;
        command.program = *comspec;
        command.parameters = kCommandPromptSwitch;
        command.directory = *target;
        return command;
    }
    if (action == kFolderActionExplore || action == kFolderActionExploreTree) {
        command.outcome = FolderActionOutcome::Started;
        command.program = kExplorerProgram;
        command.parameters = ExploreParameters(newWindow, action == kFolderActionExploreTree, asRoot, *target);
    }
    return command;
}

}  // namespace quillet
