// The TDF: quillet's icon set file. The live object model is captured into
// SavedObject records, written as an XML element tree and read back; a load
// builds every record and object first and only then applies them, so a file
// that cannot be read leaves the live model as it was. Portable: no
// <windows.h>; the file operations come in through DocumentFiles.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quillet/document/xml_document.h"
#include "quillet/model/object_model.h"
#include "quillet/value/value.h"

namespace quillet {

// One live object (or one class object, for a factory record) as stored:
// its class, its persisted properties in order and its children.
class SavedObject : public RefCounted {
public:
    using Property = std::pair<PropertyTag, Value>;

    SavedObject(RefPtr<Object> target, const Guid& classId) : m_target(std::move(target)), m_classId(classId) {}

    Object* Target() const { return m_target.Get(); }
    const Guid& ClassId() const { return m_classId; }
    const std::vector<Property>& Properties() const { return m_properties; }
    const std::vector<RefPtr<SavedObject>>& Children() const { return m_children; }
    // The stored value of tag, or null.
    const Value* Find(PropertyTag tag) const;

    // Replaces a tag already in the list in place, else appends. An Empty
    // value is never stored.
    void SetProperty(PropertyTag tag, const Value& value);
    // Reads one property from the target as the target itself holds it (not
    // its class's default nor its owners' value) and stores it.
    void CaptureProperty(PropertyTag tag);
    // The tags the object names, then its children, recursively.
    void CaptureFrom(Object* live);
    // Sets every stored property on the target in list order, then for a
    // container applies the children and replaces its child list with theirs.
    // *applied receives the target.
    Status ApplyTo(RefPtr<Object>* applied) const;

    // Fills `element`: "class" and "title" when asked, a "propertyset" when
    // there is any property other than the title, a "contents" when there are
    // children.
    Status WriteElement(XmlDocument& document, XmlNode& element, bool writeClassAndTitle) const;
    // Reads the "propertyset" of `element` and, when `withContents` and the
    // target is a container, its "contents", creating a new object for every
    // child of a known class.
    void ReadElement(const ObjectModel& model, const XmlNode& element, bool withContents);

private:
    RefPtr<Object> m_target;
    Guid m_classId;
    std::vector<Property> m_properties;
    std::vector<RefPtr<SavedObject>> m_children;
};

// What the "trayicon" root element says about the program that wrote it
// (the expansions of "%fd" and "%fv").
struct DocumentInfo {
    std::string app;
    std::string version;
};

// The whole icon set as stored: one record per registered class, in
// registration order, and the record of the root.
class DocumentSnapshot : public RefCounted {
public:
    // {9E8B15FA-F711-11D1-B9D2-006008536FD9}
    static const Guid kClassId;

    explicit DocumentSnapshot(const ObjectModel& model) : m_model(model) {}

    const std::vector<RefPtr<SavedObject>>& Factories() const { return m_factories; }
    const RefPtr<SavedObject>& IconSet() const { return m_iconSet; }

    // Fills the snapshot from the live model.
    void Capture();
    // Pushes the snapshot into the live model. kStatusFalse when there is
    // nothing to apply.
    Status Apply() const;

    // Reads a TDF. kStatusOk; kStatusFalse when the bytes are not a TDF, and
    // then the snapshot is unchanged.
    Status Load(ByteStream& stream);
    Status LoadFromBytes(std::string_view bytes);
    // Writes the snapshot as a TDF; kStatusCantSave when a write failed.
    Status Save(ByteStream& stream, const DocumentInfo& info) const;
    Status SaveToBytes(std::string* bytes, const DocumentInfo& info) const;

private:
    const ObjectModel& m_model;
    std::vector<RefPtr<SavedObject>> m_factories;
    RefPtr<SavedObject> m_iconSet;
};

// The file operations a document needs, supplied by the Win32 binding (and
// by fakes in tests).
class DocumentFiles {
public:
    virtual ~DocumentFiles() = default;
    enum class ReadResult { Read, Missing, Failed };
    // The whole file. Missing only when there is no such file: start-up then
    // builds the default icon set instead of giving up.
    virtual ReadResult ReadWholeFile(const std::string& path, std::string* bytes) = 0;
    // Writes `bytes` to a new file beside `path` and puts it in place of
    // `path` only once everything was written; on failure `path` is left as
    // it was and `reason` receives the system's text for the failure.
    virtual bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) = 0;
    // True exactly when writing the file is refused for lack of access.
    virtual bool IsWriteRefused(const std::string& path) = 0;
};

// Why a load returned kStatusFalse.
enum class LoadProblem { None, NoFile, Unreadable, NotADocument };

// Loads the TDF at `path` into the live model: kStatusOk; kStatusFalse when
// the file cannot be read or is not a TDF (the live model is unchanged, and
// `problem` says which); a failure status when applying it failed. After a
// load, setting 9104 says whether the file refuses writing. A file that
// exists but did not load is remembered as the model's UnloadedDocument.
Status LoadDocument(ObjectModel& model, DocumentFiles& files, const std::string& path, LoadProblem* problem = nullptr);

// Why a save returned kStatusFalse: the file could not be written, or it is
// the model's UnloadedDocument and the user has not agreed to replace it.
enum class SaveProblem { CantWrite, DocumentNotLoaded };

// A failed save: the text key of the message (for CantWrite), the path and
// the system's reason, for the message dialog.
struct SaveFailure {
    SaveProblem problem = SaveProblem::CantWrite;
    std::string messageKey;
    std::string path;
    std::string reason;
};
constexpr const char* kSaveFailureKey = "iconSaveFailure";

// Whether a save may replace a file that exists but did not load.
enum class UnloadedDocumentSave { Refuse, Replace };

// Captures the live model and writes it to `path`: kStatusOk, or kStatusFalse
// with `failure` filled and the old file left as it was. The model's
// UnloadedDocument is replaced only with UnloadedDocumentSave::Replace (the
// user's consent); once written, it is the model's document again.
Status SaveDocument(ObjectModel& model, DocumentFiles& files, const std::string& path, const DocumentInfo& info,
                    SaveFailure* failure, UnloadedDocumentSave unloaded = UnloadedDocumentSave::Refuse);

// The same without files: the TDF text of the live model, and a load from
// bytes (without the read-only test).
Status SaveDocumentToBytes(const ObjectModel& model, const DocumentInfo& info, std::string* bytes);
Status LoadDocumentFromBytes(ObjectModel& model, std::string_view bytes);

}  // namespace quillet
