#include "quillet/model/object.h"

#include <algorithm>

namespace quillet {

namespace {

// Icon handles and object references are never converted to or from other
// types: a handle read as a number would be meaningless after a restart.
bool IsHandleType(ValueType type) {
    return type == ValueType::IconHandle || type == ValueType::ObjectReference;
}

bool ConvertTo(const Value& value, ValueType type, Value* out) {
    if (value.Type() == type) {
        *out = value;
        return true;
    }
    if (IsHandleType(type) || IsHandleType(value.Type())) return false;
    Value converted = value;
    if (Failed(converted.ChangeType(type))) return false;
    *out = std::move(converted);
    return true;
}

}  // namespace

Object::Object(const Guid& classId) : m_classId(classId) {
    DeclareProperty(kTagName, ValueType::Text);
    DeclareProperty(kTagIconFile, ValueType::Text);
    DeclareProperty(kTagIconIndex, ValueType::Integer);
    DeclareProperty(kTagLargeIcon, ValueType::IconHandle);
    DeclareProperty(kTagSmallIcon, ValueType::IconHandle);
    DeclareProperty(kTagIconChooser, ValueType::Integer);
    DeclareProperty(kTagExactLargeIcon, ValueType::IconHandle);
    DeclareProperty(kTagExactSmallIcon, ValueType::IconHandle);
}

Object::~Object() {
    // A child may outlive its owner when someone else still holds it.
    for (const RefPtr<Object>& child : m_children) child->m_owner = nullptr;
}

void Object::DeclareProperty(PropertyTag tag, ValueType type, Value fallback) {
    if (Slot* slot = FindSlot(tag)) {
        slot->type = type;
        slot->fallback = std::move(fallback);
        return;
    }
    m_slots.push_back(Slot{tag, type, false, Value(), std::move(fallback)});
}

const Object::Slot* Object::FindSlot(PropertyTag tag) const {
    for (const Slot& slot : m_slots)
        if (slot.tag == tag) return &slot;
    return nullptr;
}

Object::Slot* Object::FindSlot(PropertyTag tag) {
    return const_cast<Slot*>(static_cast<const Object*>(this)->FindSlot(tag));
}

bool Object::ReadStored(PropertyTag tag, Value* out) const {
    const Slot* slot = FindSlot(tag);
    if (!slot) return false;
    const Value& value = slot->set ? slot->value : slot->fallback;
    if (value.IsEmpty()) return false;
    *out = value;
    return true;
}

bool Object::HasStoredValue(PropertyTag tag) const {
    const Slot* slot = FindSlot(tag);
    return slot && slot->set;
}

void Object::StoreValue(PropertyTag tag, const Value& converted) {
    Slot* slot = FindSlot(tag);
    if (!slot) return;
    slot->set = !converted.IsEmpty();
    slot->value = converted;
}

bool Object::ReadOwn(PropertyTag tag, Value* out) const {
    if (ReadStored(tag, out)) return true;
    switch (tag) {
    case kTagFlags: *out = Value::FromInteger(ClassFlags()); return true;
    case kTagOwner:
        if (!m_owner) return false;
        *out = Value::FromObjectReference(m_owner);
        return true;
    case kTagClassName: {
        std::string name = ClassDisplayName();
        if (name.empty()) return false;
        *out = Value::FromText(name);
        return true;
    }
    case kTagTrayTip: return GetProperty(kTagName, out);
    default: return false;
    }
}

bool Object::WriteOwn(PropertyTag tag, const Value& converted) {
    if (!FindSlot(tag)) return false;
    if (tag == kTagName && IsUntitled()) return false;
    StoreValue(tag, converted);
    return true;
}

bool Object::GetOwnProperty(PropertyTag tag, Value* out) const {
    Value value;
    if (!ReadOwn(tag, &value)) return false;
    *out = std::move(value);
    return true;
}

bool Object::ReadSaved(PropertyTag tag, Value* out) const {
    return HasStoredValue(tag) && ReadStored(tag, out);
}

bool Object::GetSavedProperty(PropertyTag tag, Value* out) const {
    Value value;
    if (!ReadSaved(tag, &value)) return false;
    *out = std::move(value);
    return true;
}

bool Object::GetProperty(PropertyTag tag, Value* out) const {
    for (const Object* object = this; object; object = object->m_owner) {
        if (object->GetOwnProperty(tag, out)) return true;
        if (object->AnswersAlone(tag)) return false;
    }
    return false;
}

bool Object::GetPropertyAs(PropertyTag tag, ValueType type, Value* out) const {
    Value value;
    if (!GetProperty(tag, &value)) return false;
    return ConvertTo(value, type, out);
}

bool Object::SetProperty(PropertyTag tag, const Value& value) {
    const Slot* slot = FindSlot(tag);
    if (!slot) return false;
    Value converted;
    if (!value.IsEmpty() && !ConvertTo(value, slot->type, &converted)) return false;
    return WriteOwn(tag, converted);
}

std::string Object::ReadText(PropertyTag tag, const std::string& fallback) const {
    Value value;
    return GetPropertyAs(tag, ValueType::Text, &value) ? std::string(value.Text()) : fallback;
}

int32_t Object::ReadInteger(PropertyTag tag, int32_t fallback) const {
    Value value;
    return GetPropertyAs(tag, ValueType::Integer, &value) ? value.Integer() : fallback;
}

bool Object::ReadBoolean(PropertyTag tag, bool fallback) const {
    Value value;
    return GetPropertyAs(tag, ValueType::Boolean, &value) ? value.Boolean() : fallback;
}

std::vector<PropertyTag> Object::PersistedTags() const {
    return {kTagName, kTagIconFile, kTagIconIndex, kTagIconChooser};
}

Status Object::Initialize(const Value&) {
    return kStatusOk;
}

const Object* Object::Root() const {
    const Object* object = this;
    while (object->m_owner) object = object->m_owner;
    return object;
}

RefPtr<Object> Object::GetChild(size_t index) const {
    return index < m_children.size() ? m_children[index] : RefPtr<Object>();
}

int32_t Object::IndexOf(const Object* child) const {
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i].Get() == child) return static_cast<int32_t>(i);
    return -1;
}

bool Object::IsOwnerOrSelf(const Object* candidate) const {
    for (const Object* object = this; object; object = object->m_owner)
        if (object == candidate) return true;
    return false;
}

size_t Object::Height() const {
    // Bounded by kMaxObjectDepth, so the recursion is shallow.
    size_t height = 0;
    for (const RefPtr<Object>& child : m_children) height = std::max(height, child->Height() + 1);
    return height;
}

bool Object::CanAdopt(const Object* child) const {
    if (!child || child->m_owner || IsOwnerOrSelf(child)) return false;
    size_t depth = 1;
    for (const Object* object = m_owner; object; object = object->m_owner) ++depth;
    return depth + child->Height() <= kMaxObjectDepth;
}

Status Object::Insert(Object* child, const Object* before) {
    if (!before) return InsertAt(child, m_children.size());
    int32_t index = IndexOf(before);
    if (index < 0) return kStatusInvalidArgument;
    return InsertAt(child, static_cast<size_t>(index));
}

Status Object::InsertAt(Object* child, size_t index) {
    if (!IsContainer()) return kStatusNotImplemented;
    if (!CanAdopt(child) || index > m_children.size()) return kStatusInvalidArgument;
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index), RefPtr<Object>(child));
    child->m_owner = this;
    return kStatusOk;
}

Status Object::RemoveAt(size_t index) {
    if (index >= m_children.size()) return kStatusInvalidArgument;
    RefPtr<Object> child = std::move(m_children[index]);
    m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
    child->m_owner = nullptr;
    return kStatusOk;
}

Status Object::Remove(const Object* child) {
    int32_t index = IndexOf(child);
    if (index < 0) return kStatusFalse;
    return RemoveAt(static_cast<size_t>(index));
}

Status Object::ReplaceChildren(const std::vector<RefPtr<Object>>& children) {
    if (!IsContainer() && !children.empty()) return kStatusNotImplemented;
    for (size_t i = 0; i < children.size(); ++i) {
        const Object* child = children[i].Get();
        bool ownChild = child && child->m_owner == this;
        if (!ownChild && !CanAdopt(child)) return kStatusInvalidArgument;
        for (size_t j = 0; j < i; ++j)
            if (children[j].Get() == child) return kStatusInvalidArgument;
    }
    std::vector<RefPtr<Object>> old = std::move(m_children);
    for (const RefPtr<Object>& child : old) child->m_owner = nullptr;
    m_children = children;
    for (const RefPtr<Object>& child : m_children) child->m_owner = this;
    return kStatusOk;
}

}  // namespace quillet
