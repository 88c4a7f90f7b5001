#include "quillet/model/classes.h"

namespace quillet {

// --- IconSetRoot -----------------------------------------------------------

IconSetRoot::IconSetRoot() : Object(kClassIconSetRoot) {
    DeclareProperty(kTagConfirmDelete, ValueType::Boolean, Value::FromBoolean(true));
    DeclareProperty(kTagConfirmExit, ValueType::Boolean, Value::FromBoolean(true));
    DeclareProperty(kTagHotkeyMode, ValueType::Integer, Value::FromInteger(kHotkeyModeNone));
    DeclareProperty(kTagCustomHotkey, ValueType::Integer, Value::FromInteger(0));
    DeclareProperty(kTagMenuView, ValueType::Integer, Value::FromInteger(kMenuViewTextAndIcons));
    DeclareProperty(kTagClickSound, ValueType::Text, Value::FromText(""));
    DeclareProperty(kTagClickMode, ValueType::Integer, Value::FromInteger(1));
    DeclareProperty(kTagPassword, ValueType::Text, Value::FromText(""));
    DeclareProperty(kTagChangesAllowed, ValueType::Boolean, Value::FromBoolean(false));
    DeclareProperty(kTagReadOnlyDocument, ValueType::Boolean, Value::FromBoolean(false));
    DeclareProperty(kTagHideDesktop, ValueType::Integer);
}

std::vector<PropertyTag> IconSetRoot::PersistedTags() const {
    std::vector<PropertyTag> tags = Object::PersistedTags();
    tags.insert(tags.end(), {kTagConfirmDelete, kTagConfirmExit, kTagHotkeyMode});
    // The custom hotkey only means something in custom mode, and it must come
    // after the mode so that a load sets the mode first.
    if (ReadInteger(kTagHotkeyMode) == kHotkeyModeCustom) tags.push_back(kTagCustomHotkey);
    tags.insert(tags.end(),
                {kTagMenuView, kTagClickSound, kTagClickMode, kTagPassword, kTagChangesAllowed, kTagHideDesktop});
    return tags;
}

bool IconSetRoot::ReadOwn(PropertyTag tag, Value* out) const {
    switch (tag) {
    case kTagName: *out = Value::FromText(m_programTitle); return true;
    case kTagCustomHotkey:
        if (ReadInteger(kTagHotkeyMode) != kHotkeyModeCustom) {
            *out = Value::FromInteger(0);
            return true;
        }
        break;
    case kTagLocked:
        *out = Value::FromBoolean(!ReadText(kTagPassword).empty() || ReadBoolean(kTagReadOnlyDocument));
        return true;
    case kTagHideDesktop:
        *out = Value::FromInteger(m_desktop ? m_desktop->State() : kDesktopIconsUnavailable);
        return true;
    default: break;
    }
    return Object::ReadOwn(tag, out);
}

bool IconSetRoot::ReadSaved(PropertyTag tag, Value* out) const {
    // The desktop's state is the setting; it is never stored here.
    if (tag == kTagHideDesktop) return ReadOwn(tag, out);
    return Object::ReadSaved(tag, out);
}

bool IconSetRoot::StoreChecked(PropertyTag tag, const Value& converted) {
    Value old;
    bool had = ReadStored(tag, &old);
    StoreValue(tag, converted);
    Value now;
    bool has = ReadStored(tag, &now);
    if ((had != has || old != now) && m_hotkeyChanged) m_hotkeyChanged();
    return true;
}

bool IconSetRoot::WriteOwn(PropertyTag tag, const Value& converted) {
    switch (tag) {
    case kTagName: return false;
    case kTagHotkeyMode:
        if (!converted.IsEmpty() && (converted.Integer() < kHotkeyModeNone || converted.Integer() > kHotkeyModeCustom))
            return false;
        return StoreChecked(tag, converted);
    case kTagCustomHotkey:
        // Accepted but ignored outside custom mode.
        if (ReadInteger(kTagHotkeyMode) != kHotkeyModeCustom) return true;
        return StoreChecked(tag, converted);
    case kTagMenuView:
        // A view without text and icons would show empty menus.
        if (!converted.IsEmpty() &&
            (converted.Integer() < kMenuViewText || converted.Integer() > kMenuViewTextAndIcons))
            return false;
        break;
    case kTagHideDesktop:
        if (converted.IsEmpty()) return true;
        if (converted.Integer() == kDesktopIconsUnavailable) return true;
        if (converted.Integer() != kDesktopIconsShown && converted.Integer() != kDesktopIconsHidden) return false;
        if (m_desktop && m_desktop->State() != kDesktopIconsUnavailable)
            m_desktop->SetHidden(converted.Integer() == kDesktopIconsHidden);
        return true;
    default: break;
    }
    return Object::WriteOwn(tag, converted);
}

// --- FolderItem ------------------------------------------------------------

FolderItem::FolderItem() : Object(kClassFolder) {
    // A literal, not a key: the name a new folder item shows until it is named.
    DeclareProperty(kTagName, ValueType::Text, Value::FromText("Folder"));
    DeclareProperty(kTagPath, ValueType::Text);
    DeclareProperty(kTagFolderPath, ValueType::Text, Value::FromText(""));
    DeclareProperty(kTagFolderSpecial, ValueType::Integer, Value::FromInteger(kNoSpecialFolder));
    DeclareProperty(kTagFolderAction, ValueType::Integer, Value::FromInteger(kFolderActionMenu));
    DeclareProperty(kTagFolderAsRoot, ValueType::Boolean, Value::FromBoolean(false));
    DeclareProperty(kTagFolderNewWindow, ValueType::Boolean, Value::FromBoolean(false));
    DeclareProperty(kTagFolderCheckPath, ValueType::Boolean, Value::FromBoolean(false));
}

Status FolderItem::Initialize(const Value& initial) {
    return SetProperty(kTagPath, initial) ? kStatusOk : kStatusInvalidArgument;
}

std::vector<PropertyTag> FolderItem::PersistedTags() const {
    std::vector<PropertyTag> tags = Object::PersistedTags();
    tags.insert(tags.end(), {kTagFolderPath, kTagFolderSpecial, kTagFolderAction});
    int32_t action = ReadInteger(kTagFolderAction);
    if (action == kFolderActionExplore || action == kFolderActionExploreTree) tags.push_back(kTagFolderNewWindow);
    if (action == kFolderActionExploreTree) tags.push_back(kTagFolderAsRoot);
    return tags;
}

bool FolderItem::ReadOwn(PropertyTag tag, Value* out) const {
    if (tag == kTagPath) {
        if (IsSpecial()) return false;
        return ReadStored(kTagFolderPath, out);
    }
    return Object::ReadOwn(tag, out);
}

bool FolderItem::WriteOwn(PropertyTag tag, const Value& converted) {
    switch (tag) {
    case kTagPath:
        if (IsSpecial()) return false;
        StoreValue(kTagFolderPath, converted);
        return true;
    case kTagFolderSpecial:
        if (!converted.IsEmpty() && converted.Integer() < kNoSpecialFolder) return false;
        break;
    case kTagFolderAction:
        if (!converted.IsEmpty() &&
            (converted.Integer() < kFolderActionMenu || converted.Integer() > kFolderActionCommandPrompt))
            return false;
        break;
    default: break;
    }
    return Object::WriteOwn(tag, converted);
}

std::string FolderItem::ClassDisplayName() const {
    return IsSpecial() ? "folder:clsSpecial" : "$folder:name";
}

}  // namespace quillet
