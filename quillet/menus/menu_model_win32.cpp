#include "quillet/menus/menu_model_win32.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/handles.h"
#include "platform/shell_names.h"
#include "quillet/app/application.h"
#include "quillet/menus/folder_actions.h"
#include "quillet/menus/menu_order.h"
#include "quillet/model/class_id.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"

namespace quillet {

namespace {

int s_enumerations = 0;

std::string Text(const char* key) {
    return App().Texts().GetText(key).value_or(key);
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

unique_pidl Clone(const ITEMIDLIST* id) {
    return unique_pidl(id ? ILClone(id) : nullptr);
}

ComRef<IShellFolder> Desktop() {
    ComRef<IShellFolder> desktop;
    IShellFolder* raw = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&raw))) desktop = ComRef<IShellFolder>(raw);
    return desktop;
}

// The folder of an absolute id list; the desktop for the empty list.
ComRef<IShellFolder> BindFolder(const ITEMIDLIST* absolute) {
    ComRef<IShellFolder> desktop = Desktop();
    if (!desktop || !absolute || absolute->mkid.cb == 0) return desktop;
    ComRef<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, folder.put()))) return {};
    return folder;
}

HICON ShellIcon(IShellFolder& parent, const ITEMIDLIST* relative) {
    ComRef<IExtractIconA> extract;
    if (SUCCEEDED(parent.GetUIObjectOf(nullptr, 1, &relative, IID_IExtractIconA, nullptr, extract.put()))) {
        char location[MAX_PATH] = {};
        int index = 0;
        UINT flags = 0;
        if (SUCCEEDED(extract->GetIconLocation(GIL_FORSHELL, location, sizeof location, &index, &flags))) {
            const std::string key = std::string(location) + "," + std::to_string(index) + "," +
                                    std::to_string(flags & GIL_NOTFILENAME);
            HICON icon = KeptIcon("menu entry " + key, [&]() -> HICON {
                HICON small = nullptr;
                if (flags & GIL_NOTFILENAME) {
                    HICON large = nullptr;
                    if (extract->Extract(location, static_cast<UINT>(index), &large, &small, MAKELONG(32, 16)) ==
                        S_OK) {
                        if (large) DestroyIcon(large);
                    } else {
                        small = nullptr;
                    }
                }
                if (!small) ExtractIconExA(location, index, nullptr, &small, 1);
                return small;
            });
            if (icon) return icon;
        }
    }
    return LoadIcon(nullptr, IDI_WINLOGO);
}

// The shell's name of a folder, for items that have none of their own.
std::string ShellNameOf(const ITEMIDLIST* absolute) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return {};
    return info.szDisplayName;
}

bool IsShellFolder(const ITEMIDLIST* absolute) {
    SHFILEINFOA info = {};
    info.dwAttributes = SFGAO_FOLDER;
    return SHGetFileInfoA(reinterpret_cast<const char*>(absolute), 0, &info, sizeof info,
                          SHGFI_PIDL | SHGFI_ATTRIBUTES) &&
           (info.dwAttributes & SFGAO_FOLDER);
}

// Gives the entry its shell item: the folder holding it and its id there.
void SetShellItem(MenuEntry& entry, const ITEMIDLIST* absolute) {
    entry.absolute = Clone(absolute);
    ComRef<IShellFolder> parent;
    const ITEMIDLIST* relative = nullptr;
    if (SUCCEEDED(SHBindToParent(absolute, IID_IShellFolder, parent.put(), &relative)) && relative) {
        entry.parent = parent;
        entry.relative = Clone(relative);
    }
}

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    // A failure, or a short form that does not fit: the path as it is.
    if (length == 0 || length >= sizeof buffer) return path;
    return buffer;
}

std::optional<std::string> Environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    value.resize(length);
    return value;
}

// The path an action opens for a folder known by its id list: its
// file-system path when it has one, else its namespace path.
std::optional<std::string> PathOfFolder(const ITEMIDLIST* id) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(id, path) && path[0]) return std::string(path);
    return NamespacePathFromIdList(reinterpret_cast<const uint8_t*>(id), ILGetSize(id));
}

void StartFolderAction(HWND owner, int action, bool newWindow, bool asRoot, const std::string& ownPath,
                       const std::optional<std::string>& specialPath) {
    const FolderActionCommand command = MakeFolderActionCommand(
        action, newWindow, asRoot, FolderActionTarget(ownPath, specialPath, ShortPath), Environment("COMSPEC"));
    if (command.outcome == FolderActionOutcome::NoCommandPrompt) {
        ShowMessage(owner, MB_ICONHAND, "folder:nocomspec");
        return;
    }
    if (command.outcome != FolderActionOutcome::Started) return;
    const std::string program = command.program == kExplorerProgram ? ExplorerProgram() : command.program;
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", program.c_str(), command.parameters.c_str(),
                      command.directory.empty() ? nullptr : command.directory.c_str(), SW_SHOWNORMAL));
    if (started <= 32) ShowMessage(owner, MB_ICONEXCLAMATION, "menu:cannotrun");
}

}  // namespace

bool IsGrayed(UINT flags) {
    return (flags & 3) == 1 || (flags & 3) == 3;
}

Menu* MenuEntry::Submenu() {
    if (!submenuBuilt && makeSubmenu) {
        submenu = makeSubmenu();
        submenuBuilt = true;
    }
    return submenu.get();
}

HICON MenuEntry::Icon() {
    if (shellIconPending) {
        shellIconPending = false;
        if (parent && relative) icon = ShellIcon(*parent.get(), relative.get());
    }
    return icon;
}

MenuEntry& Menu::Append(std::string text, UINT flags) {
    m_entries.push_back(std::make_unique<MenuEntry>());
    MenuEntry& entry = *m_entries.back();
    entry.text = std::move(text);
    entry.flags = flags;
    return entry;
}

int FolderEnumerationCount() {
    return s_enumerations;
}

std::unique_ptr<Menu> BuildFolderMenu(const ComRef<IShellFolder>& folder, const ITEMIDLIST* absolute, int view,
                                      HICON iconOverride, const std::string& title);

namespace {

// A cascading entry over a folder whose menu is read when first opened.
void MakeCascading(MenuEntry& entry, ComRef<IShellFolder> folder, int view, HICON iconOverride) {
    MenuEntry* self = &entry;
    entry.makeSubmenu = [self, folder, view, iconOverride]() {
        return BuildFolderMenu(folder, self->absolute.get(), view, iconOverride, self->text);
    };
}

}  // namespace

std::unique_ptr<Menu> BuildFolderMenu(const ComRef<IShellFolder>& folder, const ITEMIDLIST* absolute, int view,
                                      HICON iconOverride, const std::string& title) {
    ++s_enumerations;
    auto menu = std::make_unique<Menu>(view, title);
    MenuTexts texts;
    for (SHCONTF pass : {SHCONTF_FOLDERS, SHCONTF_NONFOLDERS}) {
        std::vector<std::unique_ptr<MenuEntry>> found;
        ComRef<IEnumIDList> list;
        // S_FALSE: nothing to enumerate, and no list.
        if (folder && folder->EnumObjects(nullptr, pass, reinterpret_cast<IEnumIDList**>(list.put())) == S_OK &&
            list) {
            ITEMIDLIST* id = nullptr;
            ULONG fetched = 0;
            while (list->Next(1, &id, &fetched) == S_OK && fetched == 1) {
                unique_pidl relative(id);
                std::string text = platform::ShellDisplayName(*folder.get(), relative.get());
                if (!texts.Admit(text)) continue;
                auto entry = std::make_unique<MenuEntry>();
                entry->text = std::move(text);
                entry->parent = folder;
                entry->absolute = unique_pidl(ILCombine(absolute, relative.get()));
                if (pass == SHCONTF_FOLDERS) {
                    if (iconOverride)
                        entry->icon = iconOverride;
                    else
                        entry->shellIconPending = true;
                    ComRef<IShellFolder> sub;
                    if (SUCCEEDED(folder->BindToObject(relative.get(), nullptr, IID_IShellFolder, sub.put())))
                        MakeCascading(*entry, sub, view, iconOverride);
                    const ITEMIDLIST* item = relative.get();
                    SFGAOF attributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE;
                    if (SUCCEEDED(folder->GetAttributesOf(1, &item, &attributes)) &&
                        !(attributes & SFGAO_REMOVABLE) && (attributes & (SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER)))
                        entry->extraMenu = true;
                } else {
                    entry->shellIconPending = true;
                }
                entry->relative = std::move(relative);
                found.push_back(std::move(entry));
            }
        }
        SortInShellOrder(found, [&](const std::unique_ptr<MenuEntry>& a, const std::unique_ptr<MenuEntry>& b) {
            return static_cast<int32_t>(folder->CompareIDs(0, a->relative.get(), b->relative.get()));
        });
        for (auto& entry : found) menu->Entries().push_back(std::move(entry));
    }
    if (menu->Entries().empty()) menu->Append(Text("emptyMenuEntry"), kEntryGrayed);
    return menu;
}

std::unique_ptr<Menu> BuildFolderMenu(const ComRef<IShellFolder>& folder, const ITEMIDLIST* absolute, int view,
                                      HICON iconOverride) {
    return BuildFolderMenu(folder, absolute, view, iconOverride, std::string());
}

unique_pidl ResolveFolder(const Object& folderItem) {
    const int32_t special = folderItem.ReadInteger(kTagFolderSpecial, kNoSpecialFolder);
    if (special != kNoSpecialFolder) {
        ITEMIDLIST* id = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, special, &id))) return nullptr;
        return unique_pidl(id);
    }
    const std::string path = folderItem.ReadText(kTagFolderPath);
    if (path.empty()) return nullptr;
    ComRef<IShellFolder> folder = Desktop();
    if (!folder) return nullptr;
    if (path.rfind("::{", 0) != 0) {
        std::wstring wide = Wide(path);
        ITEMIDLIST* id = nullptr;
        if (FAILED(folder->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &id, nullptr))) return nullptr;
        return unique_pidl(id);
    }
    // A namespace path: each piece is parsed in the folder the ones before reached.
    unique_pidl absolute(static_cast<ITEMIDLIST*>(CoTaskMemAlloc(sizeof(USHORT))));
    if (!absolute) return nullptr;
    absolute->mkid.cb = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string piece = path.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        if (!folder) return nullptr;
        std::wstring wide = Wide(piece);
        ITEMIDLIST* id = nullptr;
        if (FAILED(folder->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &id, nullptr)) || !id)
            return nullptr;
        unique_pidl relative(id);
        ComRef<IShellFolder> next;
        if (FAILED(folder->BindToObject(relative.get(), nullptr, IID_IShellFolder, next.put()))) next = {};
        absolute.reset(ILCombine(absolute.get(), relative.get()));
        if (!absolute) return nullptr;
        folder = next;
    }
    return absolute;
}

bool AddFolderItemToMenu(Menu& menu, Object& folderItem, int view, UINT flags) {
    const int32_t action = folderItem.ReadInteger(kTagFolderAction, kFolderActionMenu);
    Value ownName;
    const bool named = folderItem.GetSavedProperty(kTagName, &ownName) && !ownName.ToText().empty();
    if (action != kFolderActionMenu) {
        MenuEntry& entry = menu.Append(folderItem.ReadText(kTagName), flags);
        entry.icon = ItemIcon(folderItem, IconSize::Small);
        entry.item = RefPtr<Object>(&folderItem);
        RefPtr<Object> item(&folderItem);
        entry.command = [item](HWND owner) { RunFolderAction(owner, *item); };
        return true;
    }
    unique_pidl absolute = ResolveFolder(folderItem);
    if (!absolute) return false;
    ComRef<IShellFolder> folder = BindFolder(absolute.get());
    if (!folder) return false;
    MenuEntry& entry = menu.Append(named ? ownName.ToText() : ShellNameOf(absolute.get()), flags);
    entry.icon = ItemIcon(folderItem, IconSize::Small);
    entry.item = RefPtr<Object>(&folderItem);
    entry.extraMenu = IsShellFolder(absolute.get());
    SetShellItem(entry, absolute.get());
    MakeCascading(entry, folder, view, nullptr);
    return true;
}

void AddTrayItemToMenu(Menu& menu, Object& item, UINT flags) {
    const Guid& classId = item.ClassId();
    if (classId == kClassColumnSeparator) return;
    if (classId == kClassFolder) {
        AddFolderItemToMenu(menu, item, item.ReadInteger(kTagMenuView, kMenuViewTextAndIcons), flags);
        return;
    }
    if (classId == kClassSeparator) {
        menu.Append(std::string(), flags | kEntrySeparator).item = RefPtr<Object>(&item);
        return;
    }
    MenuEntry& entry = menu.Append(item.ReadText(kTagName), flags);
    entry.icon = ItemIcon(item, IconSize::Small);
    entry.item = RefPtr<Object>(&item);
}

void RunFolderAction(HWND owner, const Object& folderItem) {
    const int32_t action = folderItem.ReadInteger(kTagFolderAction, kFolderActionMenu);
    const std::string ownPath = folderItem.ReadText(kTagFolderPath);
    std::optional<std::string> specialPath;
    const int32_t special = folderItem.ReadInteger(kTagFolderSpecial, kNoSpecialFolder);
    if (ownPath.empty() && special != kNoSpecialFolder) {
        ITEMIDLIST* raw = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, special, &raw)) || !raw) return;
        unique_pidl id(raw);
        specialPath = PathOfFolder(id.get());
    }
    StartFolderAction(owner, action, folderItem.ReadBoolean(kTagFolderNewWindow),
                      folderItem.ReadBoolean(kTagFolderAsRoot), ownPath, specialPath);
}

void RunFolderActionOn(HWND owner, const ITEMIDLIST* folder, int action) {
    if (!folder) return;
    StartFolderAction(owner, action, false, false, std::string(), PathOfFolder(folder));
}

bool LaunchEntry(HWND owner, MenuEntry& entry) {
    if (entry.command) {
        entry.command(owner);
        return true;
    }
    if (!entry.absolute) return false;
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST | SEE_MASK_FLAG_DDEWAIT;
    execute.hwnd = GetActiveWindow();
    execute.nShow = SW_SHOWNORMAL;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(entry.absolute.get(), path) && path[0]) {
        execute.lpFile = path;
    } else {
        execute.fMask |= SEE_MASK_INVOKEIDLIST;
        execute.lpIDList = entry.absolute.get();
    }
    if (ShellExecuteExA(&execute)) return true;
    ShowMessage(owner, MB_ICONEXCLAMATION, "menu:cannotrun");
    return false;
}

std::string ExplorerProgram() {
    return Environment("QUILLET_TEST_EXPLORER").value_or(kExplorerProgram);
}

}  // namespace quillet
