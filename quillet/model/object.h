// The object tree of quillet: reference-counted objects with a class id,
// numbered properties holding Values, an owner and an ordered child list.
// A property an object does not answer itself is asked of its owners up to
// the root. Portable: no <windows.h>; icons are opaque Value payloads here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "quillet/model/property_tags.h"
#include "quillet/value/value.h"

namespace quillet {

// Intrusive reference count. The tree lives on one GUI thread, so the count
// is a plain integer. A new object starts at zero: wrap it in a RefPtr (see
// MakeRef) to take the first reference.
class RefCounted {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    void AddRef() const noexcept { ++m_references; }
    void Release() const noexcept {
        if (--m_references == 0) delete this;
    }
    int32_t ReferenceCount() const noexcept { return m_references; }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    mutable int32_t m_references = 0;
};

template <typename T, typename... Args>
RefPtr<T> MakeRef(Args&&... args) {
    return RefPtr<T>(new T(std::forward<Args>(args)...));
}

// The deepest an object may sit below the top of its tree (the root's tray
// icons sit at 1). An icon set file spends two elements on each level and
// two more on the deepest object's properties; this keeps every tree within
// what a saved file can be read back with.
constexpr size_t kMaxObjectDepth = 126;

class Object : public RefCounted {
public:
    const Guid& ClassId() const { return m_classId; }

    // --- Properties -------------------------------------------------------

    // The value of `tag` as this object answers it, or as its owners do.
    bool GetProperty(PropertyTag tag, Value* out) const;
    // The same, converted to `type` with the Value rules; icon handles and
    // object references are never converted.
    bool GetPropertyAs(PropertyTag tag, ValueType type, Value* out) const;
    // Only what this object answers itself (its own values and its class's
    // defaults), never its owners'.
    bool GetOwnProperty(PropertyTag tag, Value* out) const;
    // What a document stores: a value set on this object or one it works out
    // from its own state, never a class default nor an owner's value, so that
    // a load leaves defaults and inheritance as they are.
    bool GetSavedProperty(PropertyTag tag, Value* out) const;
    // True if accepted. The value is converted to the property's type; an icon
    // handle or object reference for another type is refused, as is a value
    // the property does not allow. An Empty value returns the property to its
    // default.
    bool SetProperty(PropertyTag tag, const Value& value);

    // Convenience readers with the caller's default when nobody answers.
    std::string ReadText(PropertyTag tag, const std::string& fallback = std::string()) const;
    int32_t ReadInteger(PropertyTag tag, int32_t fallback = 0) const;
    bool ReadBoolean(PropertyTag tag, bool fallback = false) const;

    // The tags this object writes to a document, in the order they are written.
    virtual std::vector<PropertyTag> PersistedTags() const;

    // Bits kFlag*: answered as property 7.
    virtual int32_t ClassFlags() const { return 0; }
    bool IsUntitled() const { return (ClassFlags() & kFlagUntitled) != 0; }

    // The resource id of the class's icon in the program file.
    virtual int32_t ClassIconResource() const { return 1; }

    // False only for the column separator, which adds no menu entry but starts
    // a new menu column.
    virtual bool HasMenuEntry() const { return true; }

    // Called by CreateObject with an initial value (a path for a folder).
    virtual Status Initialize(const Value& initial);

    // --- Children ---------------------------------------------------------

    // Whether this object can hold children at all.
    virtual bool IsContainer() const { return true; }

    // Not counted: the owner holds a reference to its children, not the other
    // way round. Null for the root and for detached objects.
    Object* Owner() const { return m_owner; }
    const Object* Root() const;

    size_t Count() const { return m_children.size(); }
    RefPtr<Object> GetChild(size_t index) const;
    std::vector<RefPtr<Object>> Children() const { return m_children; }
    // Index of `child` in the list, or -1.
    int32_t IndexOf(const Object* child) const;

    // Inserts before `before` (null: appends). Refused with
    // kStatusInvalidArgument when the child already has an owner, when it is
    // this object or one of its owners, when `before` is not a child, or when
    // the child's tree would reach deeper than kMaxObjectDepth;
    // kStatusNotImplemented when this object holds no children.
    Status Insert(Object* child, const Object* before = nullptr);
    Status InsertAt(Object* child, size_t index);
    Status RemoveAt(size_t index);
    Status Remove(const Object* child);
    // Replaces the whole list, releasing the old children. Checked like Insert;
    // on refusal nothing changes.
    Status ReplaceChildren(const std::vector<RefPtr<Object>>& children);

protected:
    explicit Object(const Guid& classId);
    ~Object() override;

    // Declares a stored property: its type and the value answered while none
    // was set (Empty: not answered until set). Classes declare theirs in their
    // constructors.
    void DeclareProperty(PropertyTag tag, ValueType type, Value fallback = Value());

    // Hooks for classes whose properties are computed or checked. ReadOwn
    // answers the stored and common properties; override to add computed ones.
    virtual bool ReadOwn(PropertyTag tag, Value* out) const;
    // What GetSavedProperty answers: by default the values set on the object;
    // override for a computed property that is stored.
    virtual bool ReadSaved(PropertyTag tag, Value* out) const;
    // True for a tag whose lookup ends at this object even when it has no
    // value: its owners' value would be wrong for it.
    virtual bool AnswersAlone(PropertyTag) const { return false; }
    // Stores an already converted value; override to refuse values or act on
    // them. Return false to refuse.
    virtual bool WriteOwn(PropertyTag tag, const Value& converted);
    // The display name key of the class (property 10); empty: not answered.
    virtual std::string ClassDisplayName() const { return std::string(); }
    // Reads only the stored slot (its value or its default).
    bool ReadStored(PropertyTag tag, Value* out) const;
    bool HasStoredValue(PropertyTag tag) const;
    // Stores into a slot without the class's checks.
    void StoreValue(PropertyTag tag, const Value& converted);

private:
    struct Slot {
        PropertyTag tag;
        ValueType type;
        bool set;
        Value value;
        Value fallback;
    };
    const Slot* FindSlot(PropertyTag tag) const;
    Slot* FindSlot(PropertyTag tag);
    bool IsOwnerOrSelf(const Object* candidate) const;
    bool CanAdopt(const Object* child) const;
    // Levels of children below this object (0 without children).
    size_t Height() const;

    Guid m_classId;
    Object* m_owner = nullptr;
    std::vector<RefPtr<Object>> m_children;
    std::vector<Slot> m_slots;
};

}  // namespace quillet
