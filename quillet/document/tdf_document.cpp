#include "quillet/document/tdf_document.h"

#include <algorithm>
#include <optional>

#include "quillet/model/class_id.h"

namespace quillet {

const Guid DocumentSnapshot::kClassId = {0x9E8B15FA, 0xF711, 0x11D1, {0xB9, 0xD2, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};

// Every object level takes a "contents" and an "object" element below
// "trayicon" and "iconset", and the deepest object's properties a
// "propertyset" and a "property": so any tree the model allows is written
// within the reader's depth.
static_assert(1 + 2 * kMaxObjectDepth + 2 < static_cast<size_t>(kXmlMaxDepth));

namespace {

size_t RecordHeight(const SavedObject& record) {
    // Bounded by the XML reader's depth, so the recursion is shallow.
    size_t height = 0;
    for (const RefPtr<SavedObject>& child : record.Children()) height = std::max(height, RecordHeight(*child) + 1);
    return height;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsElementNamed(const XmlNode& node, std::string_view name) {
    if (node.GetType() != XmlNode::kElement) return false;
    std::string_view nodeName = node.Name();
    if (nodeName.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (LowerAscii(nodeName[i]) != LowerAscii(name[i])) return false;
    return true;
}

const XmlNode* FindElement(const XmlNode& parent, std::string_view name) {
    for (const XmlNode* child = parent.FirstChild(); child; child = child->NextSibling())
        if (IsElementNamed(*child, name)) return child;
    return nullptr;
}

template <typename Visit>
void ForEachElement(const XmlNode& parent, std::string_view name, Visit visit) {
    for (const XmlNode* child = parent.FirstChild(); child; child = child->NextSibling())
        if (IsElementNamed(*child, name)) visit(*child);
}

// Only a text that begins with a brace and reads as a class id counts.
std::optional<Guid> ReadClassAttribute(const XmlNode& element) {
    Value value;
    if (element.GetAttribute("class", &value) != kStatusOk || value.Type() != ValueType::Text) return std::nullopt;
    if (value.TextView().empty() || value.TextView().front() != '{') return std::nullopt;
    return ClassIdFromText(value.TextView());
}

bool IsWritable(const Value& value) {
    return value.Type() == ValueType::Text || value.Type() == ValueType::Integer || value.Type() == ValueType::Boolean;
}

Status AppendElement(XmlDocument& document, XmlNode& parent, std::string_view name, XmlNode** element) {
    RefPtr<XmlNode> node;
    Status status = document.CreateNode(name, XmlNode::kElement, &node);
    if (Failed(status)) return status;
    status = parent.InsertChild(node.Get(), -1);
    if (Failed(status)) return status;
    // The document keeps the node alive from here on.
    *element = node.Get();
    return kStatusOk;
}

}  // namespace

// --- SavedObject -------------------------------------------------------------

const Value* SavedObject::Find(PropertyTag tag) const {
    for (const Property& property : m_properties)
        if (property.first == tag) return &property.second;
    return nullptr;
}

void SavedObject::SetProperty(PropertyTag tag, const Value& value) {
    if (value.IsEmpty()) return;
    for (Property& property : m_properties) {
        if (property.first == tag) {
            property.second = value;
            return;
        }
    }
    m_properties.emplace_back(tag, value);
}

void SavedObject::CaptureProperty(PropertyTag tag) {
    Value value;
    if (m_target && m_target->GetSavedProperty(tag, &value)) SetProperty(tag, value);
}

void SavedObject::CaptureFrom(Object* live) {
    m_target = RefPtr<Object>(live);
    m_classId = live->ClassId();
    m_properties.clear();
    m_children.clear();
    for (PropertyTag tag : live->PersistedTags()) CaptureProperty(tag);
    if (!live->IsContainer()) return;
    for (const RefPtr<Object>& child : live->Children()) {
        RefPtr<SavedObject> record = MakeRef<SavedObject>(child, child->ClassId());
        record->CaptureFrom(child.Get());
        m_children.push_back(std::move(record));
    }
}

Status SavedObject::ApplyTo(RefPtr<Object>* applied) const {
    applied->Reset();
    if (!m_target) return kStatusFail;
    // A property the class refuses is skipped like an unknown one.
    for (const Property& property : m_properties) m_target->SetProperty(property.first, property.second);
    Status result = kStatusOk;
    if (m_target->IsContainer()) {
        std::vector<RefPtr<Object>> children;
        children.reserve(m_children.size());
        for (const RefPtr<SavedObject>& record : m_children) {
            RefPtr<Object> child;
            Status status = record->ApplyTo(&child);
            if (Failed(status)) {
                result = status;
                continue;
            }
            // The record is authoritative: a child moved elsewhere since it was
            // captured comes back here.
            if (Object* owner = child->Owner(); owner && owner != m_target.Get()) owner->Remove(child.Get());
            children.push_back(std::move(child));
        }
        Status status = m_target->ReplaceChildren(children);
        if (Failed(status)) result = kStatusFail;
    }
    *applied = m_target;
    return result;
}

Status SavedObject::WriteElement(XmlDocument& document, XmlNode& element, bool writeClassAndTitle) const {
    Status status = kStatusOk;
    if (writeClassAndTitle) {
        status = element.SetAttribute("class", Value::FromText(ClassIdToText(m_classId)));
        if (Failed(status)) return status;
        const Value* title = Find(kTagName);
        if (title && !(m_target && m_target->IsUntitled())) {
            Value text = *title;
            if (Succeeded(text.ChangeType(ValueType::Text))) {
                status = element.SetAttribute("title", text);
                if (Failed(status)) return status;
            }
        }
    }

    bool anyProperty = false;
    for (const Property& property : m_properties)
        anyProperty = anyProperty || (property.first != kTagName && IsWritable(property.second));
    if (anyProperty) {
        XmlNode* set = nullptr;
        status = AppendElement(document, element, "propertyset", &set);
        if (Failed(status)) return status;
        for (const Property& property : m_properties) {
            // The title travels only as the attribute.
            if (property.first == kTagName || !IsWritable(property.second)) continue;
            XmlNode* node = nullptr;
            status = AppendElement(document, *set, "property", &node);
            if (Succeeded(status)) status = node->SetAttribute("tag", Value::FromInteger(property.first));
            if (Succeeded(status)) status = node->SetAttribute("data", property.second);
            if (Failed(status)) return status;
        }
    }

    if (!m_children.empty()) {
        XmlNode* contents = nullptr;
        status = AppendElement(document, element, "contents", &contents);
        if (Failed(status)) return status;
        for (const RefPtr<SavedObject>& child : m_children) {
            XmlNode* node = nullptr;
            status = AppendElement(document, *contents, "object", &node);
            if (Succeeded(status)) status = child->WriteElement(document, *node, true);
            if (Failed(status)) return status;
        }
    }
    return kStatusOk;
}

void SavedObject::ReadElement(const ObjectModel& model, const XmlNode& element, bool withContents) {
    if (const XmlNode* set = FindElement(element, "propertyset")) {
        ForEachElement(*set, "property", [&](const XmlNode& node) {
            // Only a tag written as a number counts: a damaged one must not land
            // on some other property.
            Value tag, data;
            if (node.GetAttribute("tag", &tag) != kStatusOk || tag.Type() != ValueType::Integer) return;
            if (node.GetAttribute("data", &data) != kStatusOk || data.IsEmpty()) return;
            // Duplicates are kept in file order; the later one wins when applied.
            m_properties.emplace_back(tag.Integer(), std::move(data));
        });
    }
    if (!withContents || !m_target || !m_target->IsContainer()) return;
    const XmlNode* contents = FindElement(element, "contents");
    if (!contents) return;
    ForEachElement(*contents, "object", [&](const XmlNode& node) {
        std::optional<Guid> classId = ReadClassAttribute(node);
        if (!classId) return;
        RefPtr<Object> object;
        if (Failed(model.CreateSavedObject(*classId, &object)) || !object) return;
        RefPtr<SavedObject> record = MakeRef<SavedObject>(object, *classId);
        Value title;
        if (!object->IsUntitled() && node.GetAttribute("title", &title) == kStatusOk &&
            Succeeded(title.ChangeType(ValueType::Text)))
            record->m_properties.emplace_back(kTagName, std::move(title));
        record->ReadElement(model, node, true);
        m_children.push_back(std::move(record));
    });
}

// --- DocumentSnapshot ----------------------------------------------------------

void DocumentSnapshot::Capture() {
    m_factories.clear();
    for (const RefPtr<ClassFactory>& factory : m_model.Factories()) {
        RefPtr<SavedObject> record = MakeRef<SavedObject>(RefPtr<Object>(factory->ClassObject()), factory->ClassId());
        record->CaptureFrom(factory->ClassObject());
        m_factories.push_back(std::move(record));
    }
    IconSetRoot* root = m_model.Root();
    m_iconSet = MakeRef<SavedObject>(RefPtr<Object>(root), root->ClassId());
    m_iconSet->CaptureFrom(root);
}

Status DocumentSnapshot::Apply() const {
    if (!m_iconSet) return kStatusFalse;
    for (const RefPtr<SavedObject>& record : m_factories) {
        for (const SavedObject::Property& property : record->Properties())
            record->Target()->SetProperty(property.first, property.second);
    }
    RefPtr<Object> root;
    return m_iconSet->ApplyTo(&root);
}

Status DocumentSnapshot::Load(ByteStream& stream) {
    RefPtr<XmlDocument> document = XmlDocument::Create();
    if (!document || document->Load(stream) != kStatusOk || !document->Root()) return kStatusFalse;
    // The root's name and its "app" and "version" are not checked: only the
    // two sets below matter.
    const XmlNode& root = *document->Root();
    const XmlNode* factorySet = FindElement(root, "factoryset");
    const XmlNode* iconSetElement = FindElement(root, "iconset");
    if (!factorySet || !iconSetElement) return kStatusFalse;

    std::vector<RefPtr<SavedObject>> factories;
    ForEachElement(*factorySet, "factory", [&](const XmlNode& node) {
        std::optional<Guid> classId = ReadClassAttribute(node);
        if (!classId) return;
        ClassFactory* factory = m_model.FindFactory(*classId);
        if (!factory) return;
        RefPtr<SavedObject> record = MakeRef<SavedObject>(RefPtr<Object>(factory->ClassObject()), factory->ClassId());
        // A class object holds the class's settings, never children.
        record->ReadElement(m_model, node, false);
        factories.push_back(std::move(record));
    });

    IconSetRoot* liveRoot = m_model.Root();
    RefPtr<SavedObject> iconSet = MakeRef<SavedObject>(RefPtr<Object>(liveRoot), liveRoot->ClassId());
    iconSet->ReadElement(m_model, *iconSetElement, true);
    // Deeper than the model can hold: applying it would drop a part.
    if (RecordHeight(*iconSet) > kMaxObjectDepth) return kStatusFalse;

    m_factories = std::move(factories);
    m_iconSet = std::move(iconSet);
    return kStatusOk;
}

Status DocumentSnapshot::LoadFromBytes(std::string_view bytes) {
    MemoryReadStream stream(bytes);
    return Load(stream);
}

Status DocumentSnapshot::Save(ByteStream& stream, const DocumentInfo& info) const {
    RefPtr<XmlDocument> document = XmlDocument::Create();
    if (!document || !document->Root()) return kStatusOutOfMemory;
    XmlNode& root = *document->Root();
    Status status = root.SetName("trayicon");
    if (Succeeded(status)) status = root.SetAttribute("app", Value::FromText(info.app));
    if (Succeeded(status)) status = root.SetAttribute("version", Value::FromText(info.version));
    XmlNode* factorySet = nullptr;
    if (Succeeded(status)) status = AppendElement(*document, root, "factoryset", &factorySet);
    for (size_t i = 0; Succeeded(status) && i < m_factories.size(); ++i) {
        XmlNode* node = nullptr;
        status = AppendElement(*document, *factorySet, "factory", &node);
        if (Succeeded(status)) status = m_factories[i]->WriteElement(*document, *node, true);
    }
    XmlNode* iconSet = nullptr;
    if (Succeeded(status)) status = AppendElement(*document, root, "iconset", &iconSet);
    if (Succeeded(status) && m_iconSet) status = m_iconSet->WriteElement(*document, *iconSet, false);
    if (Failed(status)) return status;
    return document->Save(stream, true);
}

Status DocumentSnapshot::SaveToBytes(std::string* bytes, const DocumentInfo& info) const {
    bytes->clear();
    StringWriteStream stream(bytes);
    return Save(stream, info);
}

// --- Loading and saving the live model -------------------------------------------

Status LoadDocumentFromBytes(ObjectModel& model, std::string_view bytes) {
    RefPtr<DocumentSnapshot> snapshot = MakeRef<DocumentSnapshot>(model);
    if (snapshot->LoadFromBytes(bytes) != kStatusOk) return kStatusFalse;
    Status status = snapshot->Apply();
    if (Failed(status)) return status;
    IconSetRoot* root = model.Root();
    if (root->Count() == 0) {
        RefPtr<Object> icon = MakeRef<StandardTrayIcon>();
        if (Failed(root->InsertAt(icon.Get(), 0))) return kStatusFail;
    }
    return kStatusOk;
}

Status LoadDocument(ObjectModel& model, DocumentFiles& files, const std::string& path, LoadProblem* problem) {
    LoadProblem ignored;
    if (!problem) problem = &ignored;
    *problem = LoadProblem::None;
    std::string bytes;
    switch (files.ReadWholeFile(path, &bytes)) {
    case DocumentFiles::ReadResult::Read: break;
    case DocumentFiles::ReadResult::Missing:
        // Nothing there to lose: the first save makes the file.
        *problem = LoadProblem::NoFile;
        model.SetUnloadedDocument(std::string());
        return kStatusFalse;
    case DocumentFiles::ReadResult::Failed:
        *problem = LoadProblem::Unreadable;
        model.SetUnloadedDocument(path);
        return kStatusFalse;
    }
    Status status = LoadDocumentFromBytes(model, bytes);
    if (status == kStatusFalse) *problem = LoadProblem::NotADocument;
    model.SetUnloadedDocument(status == kStatusOk ? std::string() : path);
    if (status != kStatusOk) return status;
    model.Root()->SetProperty(kTagReadOnlyDocument, Value::FromBoolean(files.IsWriteRefused(path)));
    return kStatusOk;
}

Status SaveDocumentToBytes(const ObjectModel& model, const DocumentInfo& info, std::string* bytes) {
    RefPtr<DocumentSnapshot> snapshot = MakeRef<DocumentSnapshot>(model);
    snapshot->Capture();
    return snapshot->SaveToBytes(bytes, info);
}

Status SaveDocument(ObjectModel& model, DocumentFiles& files, const std::string& path, const DocumentInfo& info,
                    SaveFailure* failure, UnloadedDocumentSave unloaded) {
    bool isUnloaded = !model.UnloadedDocument().empty() && model.UnloadedDocument() == path;
    if (isUnloaded && unloaded != UnloadedDocumentSave::Replace) {
        if (failure)
            *failure = SaveFailure{SaveProblem::DocumentNotLoaded, std::string(), path,
                                   "The icon set in this file could not be loaded; saving would replace it."};
        return kStatusFalse;
    }
    std::string bytes;
    std::string reason;
    if (Failed(SaveDocumentToBytes(model, info, &bytes))) {
        reason = "The document could not be laid out in memory.";
    } else if (files.ReplaceFile(path, bytes, &reason)) {
        if (isUnloaded) model.SetUnloadedDocument(std::string());
        return kStatusOk;
    }
    if (failure) *failure = SaveFailure{SaveProblem::CantWrite, kSaveFailureKey, path, reason};
    return kStatusFalse;
}

}  // namespace quillet
