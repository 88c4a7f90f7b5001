// The classes of quillet's icon set: the root with the program-wide settings,
// the standard tray icon, and the folder, separator and column separator
// items of a tray menu. Portable: no <windows.h>. What needs the shell or
// the desktop window reaches Windows through the small interfaces here,
// which the windowed side supplies.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillet/model/class_id.h"
#include "quillet/model/object.h"

namespace quillet {

// The desktop's icon view (setting 9106), found and switched by the windowed
// side.
class DesktopIconsSwitch {
public:
    virtual ~DesktopIconsSwitch() = default;
    // kDesktopIconsShown, kDesktopIconsHidden or kDesktopIconsUnavailable.
    virtual int32_t State() const = 0;
    virtual void SetHidden(bool hidden) = 0;
};

// The root of the icon set: its children are the tray icons and it answers
// the program-wide settings for every object below it.
class IconSetRoot : public Object {
public:
    IconSetRoot();

    // Property 1, read-only: the program title ("%pn %pv" expanded).
    void SetProgramTitle(std::string title) { m_programTitle = std::move(title); }
    // Without a switch, setting 9106 reads as unavailable and writes do nothing.
    void SetDesktopIconsSwitch(std::shared_ptr<DesktopIconsSwitch> desktop) { m_desktop = std::move(desktop); }
    // Called whenever the hotkey mode (9003) or custom hotkey (9004) changes,
    // so that the main window registers the hotkey again.
    void SetHotkeyChanged(std::function<void()> callback) { m_hotkeyChanged = std::move(callback); }

    std::vector<PropertyTag> PersistedTags() const override;

protected:
    bool ReadOwn(PropertyTag tag, Value* out) const override;
    bool ReadSaved(PropertyTag tag, Value* out) const override;
    bool WriteOwn(PropertyTag tag, const Value& converted) override;

private:
    bool StoreChecked(PropertyTag tag, const Value& converted);
    std::string m_programTitle;
    std::shared_ptr<DesktopIconsSwitch> m_desktop;
    std::function<void()> m_hotkeyChanged;
};

// A tray icon holding the items of its menu. Without a name or icon of its
// own it shows the root's.
class StandardTrayIcon : public Object {
public:
    StandardTrayIcon() : Object(kClassStandardTrayIcon) {}
};

// A folder, a special shell folder or a "!" registry path, shown as a
// cascading sub-menu or as one command that opens it.
class FolderItem : public Object {
public:
    FolderItem();

    bool IsSpecial() const { return ReadInteger(kTagFolderSpecial, kNoSpecialFolder) != kNoSpecialFolder; }
    // The initial value is the folder's path.
    Status Initialize(const Value& initial) override;
    std::vector<PropertyTag> PersistedTags() const override;
    int32_t ClassIconResource() const override { return 104; }

protected:
    bool ReadOwn(PropertyTag tag, Value* out) const override;
    bool WriteOwn(PropertyTag tag, const Value& converted) override;
    // A special folder has no path of its own, and the folder holding it has
    // a path that is not this one's.
    bool AnswersAlone(PropertyTag tag) const override { return tag == kTagPath; }
    std::string ClassDisplayName() const override;
};

class SeparatorItem : public Object {
public:
    SeparatorItem() : Object(kClassSeparator) {}
    int32_t ClassFlags() const override { return kFlagUntitled | kFlagFixedIcon; }
    int32_t ClassIconResource() const override { return 200; }
    bool IsContainer() const override { return false; }

protected:
    std::string ClassDisplayName() const override { return "$separator:name"; }
};

// Adds no menu entry: the next entry starts a new menu column.
class ColumnSeparatorItem : public Object {
public:
    ColumnSeparatorItem() : Object(kClassColumnSeparator) {}
    int32_t ClassFlags() const override { return kFlagUntitled | kFlagFixedIcon; }
    int32_t ClassIconResource() const override { return 105; }
    bool IsContainer() const override { return false; }
    bool HasMenuEntry() const override { return false; }

protected:
    std::string ClassDisplayName() const override { return "$colseparator:name"; }
};

}  // namespace quillet
