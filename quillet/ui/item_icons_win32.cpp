// Icons of icon-set objects, loaded once and held in the icon cache for the
// life of the process.
#include "quillet/ui/item_icons.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "quillet/model/class_id.h"
#include "quillet/model/property_tags.h"
#include "quillet/ui/icon_group.h"
#include "quillet/ui/icons/icon_cache_win32.h"
#include "quillet/ui/ui_resource_ids.h"

namespace quillet {
namespace {

constexpr int kProgramIcon = 1;

bool IsLarge(IconSize size) {
    return size == IconSize::Large || size == IconSize::ExactLarge;
}

bool IsExact(IconSize size) {
    return size == IconSize::ExactLarge || size == IconSize::ExactSmall;
}

PropertyTag IconTag(IconSize size) {
    switch (size) {
    case IconSize::Large: return kTagLargeIcon;
    case IconSize::Small: return kTagSmallIcon;
    case IconSize::ExactLarge: return kTagExactLargeIcon;
    default: return kTagExactSmallIcon;
    }
}

std::string SizeKey(IconSize size) {
    return std::to_string(static_cast<int>(size));
}

std::string Lowered(std::string text) {
    if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

platform::unique_hmodule OpenAsData(const std::string& file) {
    return platform::unique_hmodule(LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// A resource id is a 16-bit number: an index of -70000 names no resource,
// rather than resource 70000 - 65536.
bool ResourceIdOfIndex(int index, WORD* id) {
    if (index >= 0 || index < -0xFFFF) return false;
    *id = static_cast<WORD>(-index);
    return true;
}

HICON LoadSized(HMODULE module, WORD id, bool large) {
    const int edge = large ? 0 : 16;
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, edge, edge,
                                         large ? LR_DEFAULTSIZE : 0));
}

std::vector<uint8_t> ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found));
}

BOOL CALLBACK CollectGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    auto* names = reinterpret_cast<std::vector<std::string>*>(list);
    // Keep a numbered name as "#id", which FindResource reads back as that id.
    names->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name);
    return TRUE;
}

// The 16-colour image of exactly `edge` pixels from the icon group at
// position `index` (or with id -index) of a program file.
HICON LoadExactImage(const std::string& file, int index, int edge) {
    platform::unique_hmodule module = OpenAsData(file);
    if (!module) return nullptr;
    std::string group;
    WORD id = 0;
    if (ResourceIdOfIndex(index, &id)) {
        group = "#" + std::to_string(id);
    } else {
        std::vector<std::string> groups;
        EnumResourceNamesA(module.get(), RT_GROUP_ICON, CollectGroup, reinterpret_cast<LONG_PTR>(&groups));
        if (index < 0 || static_cast<size_t>(index) >= groups.size()) return nullptr;
        group = groups[index];
    }
    const std::vector<uint8_t> directory = ResourceBytes(module.get(), group.c_str(), RT_GROUP_ICON);
    const std::optional<uint16_t> image = FindExactIconImage(directory.data(), directory.size(), edge);
    if (!image) return nullptr;
    std::vector<uint8_t> bits = ResourceBytes(module.get(), MAKEINTRESOURCEA(*image), RT_ICON);
    if (bits.empty()) return nullptr;
    return CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), TRUE, 0x00030000, edge, edge, 0);
}

HICON LoadFromSource(const std::string& file, int index, IconSize size) {
    const bool large = IsLarge(size);
    if (IsExact(size)) {
        if (HICON icon = LoadExactImage(file, index, large ? 32 : 16)) return icon;
    }
    WORD id = 0;
    if (ResourceIdOfIndex(index, &id)) {
        platform::unique_hmodule module = OpenAsData(file);
        return module ? LoadSized(module.get(), id, large) : nullptr;
    }
    if (index < 0) return nullptr;
    HICON icon = nullptr;
    ExtractIconExA(file.c_str(), index, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    return icon;
}

HICON ProgramIcon(int id, IconSize size) {
    if (id <= 0 || id > 0xFFFF) return nullptr;
    return KeptIcon("program|" + std::to_string(id) + "|" + SizeKey(size), [&] {
        return LoadSized(GetModuleHandleA(nullptr), static_cast<WORD>(id), IsLarge(size));
    });
}

HICON ShellIcon(const char* pathOrList, UINT flags, IconSize size) {
    SHFILEINFOA info = {};
    flags |= SHGFI_ICON | (IsLarge(size) ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!SHGetFileInfoA(pathOrList, 0, &info, sizeof info, flags)) return nullptr;
    return info.hIcon;
}

HICON ShellIconOfList(LPITEMIDLIST list, IconSize size) {
    if (!list) return nullptr;
    platform::scope_exit free_list([&] { CoTaskMemFree(list); });
    return ShellIcon(reinterpret_cast<const char*>(list), SHGFI_PIDL, size);
}

// A path of the shell namespace ("::{class id}", such as My Computer) names
// no file, so it goes through the shell's parser.
HICON ShellIconOfNamespacePath(const std::string& path, IconSize size) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return nullptr;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHParseDisplayName(wide.c_str(), nullptr, &list, 0, nullptr))) return nullptr;
    return ShellIconOfList(list, size);
}

// The shell's icon of a folder item's folder: its special folder's, else its
// path's.
HICON FolderIcon(const Object& item, IconSize size) {
    const int32_t special = item.ReadInteger(kTagFolderSpecial, kNoSpecialFolder);
    if (special != kNoSpecialFolder) {
        return KeptIcon("special|" + std::to_string(special) + "|" + SizeKey(size), [&]() -> HICON {
            LPITEMIDLIST list = nullptr;
            if (FAILED(SHGetSpecialFolderLocation(nullptr, special, &list))) return nullptr;
            return ShellIconOfList(list, size);
        });
    }
    const std::string path = item.ReadText(kTagPath);
    if (path.empty()) return nullptr;
    return KeptIcon("shell|" + Lowered(path) + "|" + SizeKey(size), [&] {
        return path.rfind("::", 0) == 0 ? ShellIconOfNamespacePath(path, size) : ShellIcon(path.c_str(), 0, size);
    });
}

HICON ClassIcon(const Object& item, IconSize size) {
    const Guid& classId = item.ClassId();
    if (classId == kClassStandardTrayIcon || classId == kClassIconSetRoot) return ProgramIcon(kProgramIcon, size);
    if (classId == kClassFolder) {
        if (HICON icon = FolderIcon(item, size)) return icon;
    }
    return ProgramIcon(item.ClassIconResource(), size);
}

HICON FallbackIcon(IconSize size) {
    if (HICON icon = ProgramIcon(IDI_QUILLET_FALLBACK, size)) return icon;
    // A shared system icon, never destroyed by anyone.
    return LoadIconA(nullptr, IDI_APPLICATION);
}

}  // namespace

// Menus and tray icons show the same handles for as long as they like, so
// the cache holds every one of them for good.
HICON KeptIcon(const std::string& key, const std::function<HICON()>& load) {
    return CachedIcon(key, IconSlot::Large, true, load);
}

HICON LoadSourceIcon(const std::string& file, int index, IconSize size) {
    return LoadFromSource(file, index, size);
}

std::optional<int> IconGroupPosition(const std::string& file, int resourceId) {
    platform::unique_hmodule module = OpenAsData(file);
    if (!module) return std::nullopt;
    std::vector<std::string> groups;
    EnumResourceNamesA(module.get(), RT_GROUP_ICON, CollectGroup, reinterpret_cast<LONG_PTR>(&groups));
    const std::string wanted = "#" + std::to_string(resourceId);
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i] == wanted) return static_cast<int>(i);
    }
    return std::nullopt;
}

HICON ItemIcon(const Object& item, IconSize size) {
    // An icon handle put on the object itself (by whoever owns it) comes first.
    Value own;
    if (item.GetOwnProperty(IconTag(size), &own) && own.IconHandle()) return static_cast<HICON>(own.IconHandle());

    Value file;
    if (item.GetOwnProperty(kTagIconFile, &file) && !file.TextView().empty()) {
        Value index;
        item.GetOwnProperty(kTagIconIndex, &index);
        const std::string source(file.TextView());
        const int number = index.Integer();
        // The same entries as GetCachedIcon's: the exact-size images are the
        // 16-pixel variant's loader, the others the plain one's.
        const IconSlot slot = IsLarge(size) ? IconSlot::Large : IconSlot::Small;
        HICON icon = CachedIcon(IconCacheKeyText(source, number, IsExact(size)), slot, true,
                                [&] { return LoadFromSource(source, number, size); });
        return icon ? icon : FallbackIcon(size);
    }
    if (HICON icon = ClassIcon(item, size)) return icon;
    return FallbackIcon(size);
}

}  // namespace quillet
