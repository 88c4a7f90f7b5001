#include "quillet/model/default_icon_set.h"

namespace quillet {

const int32_t kDefaultSpecialFolders[6] = {17, 3, 4, 10, 6, 2};

std::string RegistryPathValueName(const std::string& path) {
    return !path.empty() && path[0] == '!' ? path.substr(1) : std::string();
}

std::optional<std::string> ResolveItemPath(const std::string& path, const RegistryPathLookup& lookup) {
    if (path.empty()) return std::nullopt;
    if (path[0] != '!') return path;
    switch (lookup.result) {
    case RegistryPathLookup::Result::KeyMissing: return path;
    case RegistryPathLookup::Result::ValueMissing: return std::nullopt;
    case RegistryPathLookup::Result::Found:
        if (lookup.text.empty()) return std::nullopt;
        return lookup.text;
    }
    return std::nullopt;
}

namespace {

bool IsMenuDrive(const DriveFact& drive) {
    if (drive.root.empty() || drive.root[0] == 'A' || drive.root[0] == 'a') return false;
    return drive.type == kDriveRemovable || drive.type == kDriveFixed || drive.type == kDriveCdRom;
}

DefaultItem ColumnBreak() {
    DefaultItem item;
    item.kind = DefaultItem::Kind::ColumnSeparator;
    return item;
}

void AddFolder(std::vector<DefaultItem>& items, const std::optional<std::string>& path, std::string name = {}) {
    if (!path || path->empty()) return;
    DefaultItem item;
    item.kind = DefaultItem::Kind::Folder;
    item.path = *path;
    item.name = std::move(name);
    items.push_back(std::move(item));
}

}  // namespace

std::vector<DefaultItem> DefaultIconSetItems(const DefaultIconSetFacts& facts) {
    std::vector<DefaultItem> items;
    for (int32_t csidl : kDefaultSpecialFolders) {
        DefaultItem item;
        item.kind = DefaultItem::Kind::SpecialFolder;
        item.csidl = csidl;
        items.push_back(item);
    }
    bool firstDrive = true;
    for (const DriveFact& drive : facts.drives) {
        if (!IsMenuDrive(drive)) continue;
        if (firstDrive) items.push_back(ColumnBreak());
        firstDrive = false;
        AddFolder(items, drive.root);
    }
    items.push_back(ColumnBreak());
    AddFolder(items, ResolveItemPath(kProgramFilesPath, facts.programFiles));
    AddFolder(items, ResolveItemPath(facts.windowsFolder, {}), kWindowsFolderName);
    AddFolder(items, ResolveItemPath(facts.tempFolder, {}), kTempFolderName);
    return items;
}

size_t AppendDefaultItems(const ObjectModel& model, Object& trayIcon, const std::vector<DefaultItem>& items) {
    size_t appended = 0;
    for (const DefaultItem& item : items) {
        RefPtr<Object> object;
        switch (item.kind) {
        case DefaultItem::Kind::SpecialFolder:
            if (Failed(model.CreateObject(kClassFolder, &object)) || !object) continue;
            object->SetProperty(kTagFolderSpecial, Value::FromInteger(item.csidl));
            object->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionMenu));
            break;
        case DefaultItem::Kind::Folder: {
            Value path = Value::FromText(item.path);
            if (Failed(model.CreateObject(kClassFolder, &object, &path)) || !object) continue;
            if (!item.name.empty()) object->SetProperty(kTagName, Value::FromText(item.name));
            break;
        }
        case DefaultItem::Kind::ColumnSeparator:
            if (Failed(model.CreateObject(kClassColumnSeparator, &object)) || !object) continue;
            break;
        }
        if (Succeeded(trayIcon.Insert(object.Get()))) ++appended;
    }
    return appended;
}

}  // namespace quillet
