#include "quillet/document/xml_document.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "quillet/document/xml_internal.h"

namespace quillet {

// {F8AC2695-E72D-11D1-B9AB-006008536FD9}
const Guid XmlDocument::kClassId = {0xF8AC2695, 0xE72D, 0x11D1, {0xB9, 0xAB, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};

namespace {

char* AllocateOrDie(size_t size) {
    char* block = static_cast<char*>(std::malloc(size));
    if (!block) std::abort();
    return block;
}

}  // namespace

XmlDocument::Storage::~Storage() {
    for (char* block : blocks) std::free(block);
}

void* XmlDocument::Storage::AllocateSlow(size_t size) {
    if (size > nextBlockSize / 4) {
        // Large pieces get a block of their own so the current block keeps its room.
        char* block = AllocateOrDie(size);
        blocks.push_back(block);
        return block;
    }
    char* block = AllocateOrDie(nextBlockSize);
    blocks.push_back(block);
    cursor = block + size;
    limit = block + nextBlockSize;
    if (nextBlockSize < kLargestBlockSize) nextBlockSize *= 2;
    return block;
}

const char* XmlDocument::Storage::InternSlow(std::string_view name) {
    if ((nameCount + 1) * 2 > names.size()) GrowNames();
    uint32_t hash = HashName(name);
    size_t mask = names.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        Name& entry = names[slot];
        if (!entry.text) {
            entry = {CopyText(name), static_cast<uint32_t>(name.size()), hash};
            ++nameCount;
            return entry.text;
        }
        if (entry.hash == hash && entry.length == name.size() && std::memcmp(entry.text, name.data(), name.size()) == 0)
            return entry.text;
    }
}

void XmlDocument::Storage::GrowNames() {
    std::vector<Name> old(names.empty() ? 64 : names.size() * 2, Name{});
    old.swap(names);
    size_t mask = names.size() - 1;
    for (const Name& entry : old) {
        if (!entry.text) continue;
        size_t slot = entry.hash & mask;
        while (names[slot].text) slot = (slot + 1) & mask;
        names[slot] = entry;
    }
}

uint32_t XmlDocument::Storage::HashName(std::string_view name) {
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    uint64_t hash = name.size() * kMultiplier;
    size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    uint64_t tail = 0;
    for (; i < name.size(); ++i) tail = (tail << 8) | static_cast<unsigned char>(name[i]);
    hash = (hash ^ tail) * kMultiplier;
    hash ^= hash >> 32;
    return static_cast<uint32_t>(hash);
}

// ---------------------------------------------------------------- XmlDocument

XmlDocument::XmlDocument() : m_storage(std::make_unique<Storage>()) {}
XmlDocument::~XmlDocument() = default;

RefPtr<XmlDocument> XmlDocument::Create() {
    auto document = RefPtr<XmlDocument>::Adopt(new XmlDocument());
    document->m_root = document->NewNode(XmlNode::kElement, "document");
    return document;
}

void XmlDocument::Release() const {
    if (--m_references == 0) delete this;
}

Status XmlDocument::GetClassID(Guid* classId) const {
    if (!classId) return kStatusInvalidArgument;
    *classId = kClassId;
    return kStatusOk;
}

Status XmlDocument::Load(ByteStream& stream) {
    XmlNode* root = nullptr;
    Status status = XmlReader(*this, stream).ReadDocument(&root);
    m_root = status == kStatusOk ? root : nullptr;
    if (status == kStatusOk) m_dirty = false;
    return status;
}

Status XmlDocument::LoadFromBytes(std::string_view bytes) {
    MemoryReadStream stream(bytes);
    return Load(stream);
}

Status XmlDocument::LoadFromFile(const char* path) {
    FileByteStream file(path, FileByteStream::Mode::Read);
    if (!file.IsOpen()) return kStatusFileNotFound;
    return Load(file);
}

Status XmlDocument::Save(ByteStream& stream, bool clearDirty) {
    Status status = XmlWriter(stream).WriteDocument(*this);
    if (status == kStatusOk && clearDirty) m_dirty = false;
    return status;
}

Status XmlDocument::SaveToBytes(std::string* bytes, bool clearDirty) {
    if (!bytes) return kStatusInvalidArgument;
    bytes->clear();
    StringWriteStream stream(bytes);
    return Save(stream, clearDirty);
}

Status XmlDocument::SaveToFile(const char* path, bool clearDirty) {
    std::string bytes;
    Status status = SaveToBytes(&bytes, false);
    if (status != kStatusOk) return status;
    FileByteStream file(path, FileByteStream::Mode::CreateForWrite);
    if (!file.IsOpen()) return kStatusCantSave;
    if (file.Write(bytes.data(), static_cast<uint32_t>(bytes.size())) != kStatusOk || file.Close() != kStatusOk)
        return kStatusCantSave;
    if (clearDirty) m_dirty = false;
    return kStatusOk;
}

Status XmlDocument::GetSizeMax(uint64_t* size) const {
    if (!size) return kStatusInvalidArgument;
    *size = 0;
    return kStatusOk;
}

Status XmlDocument::GetRoot(RefPtr<XmlNode>* root) const {
    if (!root) return kStatusInvalidArgument;
    *root = RefPtr<XmlNode>(m_root);
    return m_root ? kStatusOk : kStatusFalse;
}

Status XmlDocument::GetVersion(std::string* version) const {
    if (!version) return kStatusInvalidArgument;
    *version = "1.0";
    return kStatusOk;
}

Status XmlDocument::GetRootName(std::string* name) const {
    if (!name) return kStatusInvalidArgument;
    *name = m_root ? m_root->Name() : "";
    return kStatusOk;
}

Status XmlDocument::CreateNode(std::string_view name, int32_t type, RefPtr<XmlNode>* node) {
    if (!node) return kStatusInvalidArgument;
    node->Reset();
    if (type != XmlNode::kElement && type != XmlNode::kText) return kStatusInvalidArgument;
    *node = RefPtr<XmlNode>(NewNode(type, name));
    return kStatusOk;
}

// -------------------------------------------------------------------- XmlNode

void XmlNode::AddRef() const {
    m_document->AddRef();
}
void XmlNode::Release() const {
    m_document->Release();
}

void XmlNode::MarkDirty() const {
    m_document->m_dirty = true;
}

Status XmlNode::GetName(std::string* name) const {
    if (!name) return kStatusInvalidArgument;
    *name = m_name;
    return kStatusOk;
}

Status XmlNode::SetName(std::string_view name) {
    const char* interned = m_document->InternName(name);
    if (interned != m_name) {
        m_name = interned;
        MarkDirty();
    }
    return kStatusOk;
}

Status XmlNode::GetText(std::string* text, bool deep) const {
    if (!text) return kStatusInvalidArgument;
    text->assign(m_text, m_textLength);
    if (!deep) return kStatusOk;
    // Document order through the links, so no depth can exhaust the stack.
    const XmlNode* node = m_firstChild;
    while (node) {
        text->append(node->m_text, node->m_textLength);
        if (node->m_firstChild) {
            node = node->m_firstChild;
            continue;
        }
        while (node != this && !node->m_nextSibling) node = node->m_parent;
        node = node == this ? nullptr : node->m_nextSibling;
    }
    return kStatusOk;
}

Status XmlNode::SetText(std::string_view text) {
    if (text == TextView()) return kStatusOk;
    if (text.size() > UINT32_MAX - 1) return kStatusInvalidArgument;
    m_text = m_document->CopyText(text);
    m_textLength = static_cast<uint32_t>(text.size());
    MarkDirty();
    return kStatusOk;
}

XmlNode::Attribute* XmlNode::FindAttribute(std::string_view name) const {
    for (uint32_t i = 0; i < m_attributeCount; ++i)
        if (EqualsIgnoringCase(m_attributes[i].name, name)) return &m_attributes[i];
    return nullptr;
}

Status XmlNode::GetAttribute(std::string_view name, Value* value) const {
    if (!value) return kStatusInvalidArgument;
    const Attribute* attribute = FindAttribute(name);
    if (!attribute) return kStatusFalse;
    *value = attribute->ToValue();
    return kStatusOk;
}

XmlNode::Attribute* XmlNode::AttributeSlot(std::string_view name) {
    if (Attribute* existing = FindAttribute(name)) return existing;
    if (m_attributeCount == m_attributeCapacity) {
        uint32_t capacity = m_attributeCapacity ? m_attributeCapacity * 2 : 2;
        auto* grown = static_cast<Attribute*>(m_document->Allocate(sizeof(Attribute) * capacity));
        if (m_attributeCount) std::memcpy(grown, m_attributes, sizeof(Attribute) * m_attributeCount);
        m_attributes = grown;
        m_attributeCapacity = capacity;
    }
    Attribute* attribute = &m_attributes[m_attributeCount++];
    attribute->name = m_document->InternName(name);
    attribute->type = ValueType::Empty;
    attribute->textLength = 0;
    attribute->payload.pointer = nullptr;
    return attribute;
}

Status XmlNode::SetAttribute(std::string_view name, const Value& value) {
    if (value.TextView().size() > UINT32_MAX - 1) return kStatusInvalidArgument;
    Attribute* attribute = AttributeSlot(name);
    attribute->type = value.Type();
    attribute->textLength = 0;
    switch (value.Type()) {
    case ValueType::Text: {
        std::string_view text = value.TextView();
        attribute->payload.text = m_document->CopyText(text);
        attribute->textLength = static_cast<uint32_t>(text.size());
        break;
    }
    case ValueType::Integer: attribute->payload.integer = value.Integer(); break;
    case ValueType::Boolean: attribute->payload.integer = value.Boolean() ? 1 : 0; break;
    case ValueType::IconHandle: attribute->payload.pointer = value.IconHandle(); break;
    case ValueType::ObjectReference: attribute->payload.pointer = value.ObjectReference(); break;
    case ValueType::Empty: attribute->payload.pointer = nullptr; break;
    }
    MarkDirty();
    return kStatusOk;
}

Status XmlNode::RemoveAttribute(std::string_view name) {
    Attribute* attribute = FindAttribute(name);
    if (!attribute) return kStatusFalse;
    Attribute* end = m_attributes + m_attributeCount;
    std::memmove(attribute, attribute + 1, sizeof(Attribute) * static_cast<size_t>(end - attribute - 1));
    --m_attributeCount;
    MarkDirty();
    return kStatusOk;
}

Status XmlNode::GetAttributeNames(const char* separator, std::string* names) const {
    if (!names) return kStatusInvalidArgument;
    if (!separator) separator = ",";
    names->clear();
    for (uint32_t i = 0; i < m_attributeCount; ++i) {
        if (i) names->append(separator);
        names->append(m_attributes[i].name);
    }
    return kStatusOk;
}

const char* XmlNode::AttributeName(size_t index) const {
    return index < m_attributeCount ? m_attributes[index].name : nullptr;
}

Value XmlNode::AttributeValue(size_t index) const {
    return index < m_attributeCount ? m_attributes[index].ToValue() : Value();
}

Status XmlNode::GetParent(RefPtr<XmlNode>* parent) const {
    if (!parent) return kStatusInvalidArgument;
    *parent = RefPtr<XmlNode>(m_parent);
    return m_parent ? kStatusOk : kStatusFalse;
}

Status XmlNode::SetParent(XmlNode* parent) {
    if (parent) return parent->InsertChild(this, -1);
    if (m_parent) m_parent->RemoveChild(this);
    return kStatusOk;
}

void XmlNode::Unlink() {
    XmlNode* parent = m_parent;
    if (!parent) return;
    (m_previousSibling ? m_previousSibling->m_nextSibling : parent->m_firstChild) = m_nextSibling;
    (m_nextSibling ? m_nextSibling->m_previousSibling : parent->m_lastChild) = m_previousSibling;
    m_parent = m_previousSibling = m_nextSibling = nullptr;
}

void XmlNode::LinkBefore(XmlNode* child, XmlNode* before) {
    child->m_parent = this;
    child->m_nextSibling = before;
    child->m_previousSibling = before ? before->m_previousSibling : m_lastChild;
    (child->m_previousSibling ? child->m_previousSibling->m_nextSibling : m_firstChild) = child;
    (before ? before->m_previousSibling : m_lastChild) = child;
}

Status XmlNode::InsertChild(XmlNode* child, int32_t index) {
    if (!child || child->m_document != m_document || m_type != kElement) return kStatusInvalidArgument;
    if (child == this) return kStatusInvalidArgument;
    // Only a node with children can be an ancestor; fresh leaves skip the walk.
    if (child->m_firstChild) {
        for (const XmlNode* ancestor = m_parent; ancestor; ancestor = ancestor->m_parent)
            if (ancestor == child) return kStatusInvalidArgument;
    }
    child->Unlink();
    XmlNode* before = nullptr;
    if (index >= 0) {
        before = m_firstChild;
        for (int32_t i = 0; before && i < index; ++i) before = before->m_nextSibling;
    }
    LinkBefore(child, before);
    MarkDirty();
    return kStatusOk;
}

Status XmlNode::RemoveChild(XmlNode* child) {
    if (!child || child->m_parent != this) return kStatusFalse;
    child->Unlink();
    MarkDirty();
    return kStatusOk;
}

Status XmlNode::GetChildren(const char* filter, RefPtr<XmlNodeList>* list) const {
    if (!list) return kStatusInvalidArgument;
    list->Reset();
    if (!m_firstChild) return kStatusFalse;
    auto result = RefPtr<XmlNodeList>::Adopt(new XmlNodeList(m_document));
    for (XmlNode* child = m_firstChild; child; child = child->m_nextSibling)
        if (!filter || EqualsIgnoringCase(child->m_name, filter)) result->m_nodes.push_back(child);
    *list = std::move(result);
    return kStatusOk;
}

Status XmlNode::FindChild(std::string_view name, RefPtr<XmlNode>* child) const {
    if (!child) return kStatusInvalidArgument;
    child->Reset();
    for (XmlNode* node = m_firstChild; node; node = node->m_nextSibling) {
        if (EqualsIgnoringCase(node->m_name, name)) {
            *child = RefPtr<XmlNode>(node);
            return kStatusOk;
        }
    }
    return kStatusFalse;
}

size_t XmlNode::ChildCount() const {
    size_t count = 0;
    for (XmlNode* node = m_firstChild; node; node = node->m_nextSibling) ++count;
    return count;
}

// ---------------------------------------------------------------- XmlNodeList

XmlNodeList::XmlNodeList(XmlDocument* document) : m_document(document) {}
XmlNodeList::~XmlNodeList() = default;

void XmlNodeList::Release() const {
    if (--m_references == 0) delete this;
}

Status XmlNodeList::Count(int32_t* count) const {
    if (!count) return kStatusInvalidArgument;
    *count = Count();
    return kStatusOk;
}

XmlNode* XmlNodeList::Item(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < m_nodes.size() ? m_nodes[static_cast<size_t>(index)] : nullptr;
}

Status XmlNodeList::Item(int32_t index, RefPtr<XmlNode>* node) const {
    if (!node) return kStatusInvalidArgument;
    *node = RefPtr<XmlNode>(Item(index));
    return *node ? kStatusOk : kStatusFalse;
}

// -------------------------------------------------------------------- Streams

Status MemoryReadStream::Read(void* buffer, uint32_t size, uint32_t* bytesRead) {
    size_t count = std::min<size_t>(size, m_bytes.size() - m_position);
    if (count) std::memcpy(buffer, m_bytes.data() + m_position, count);
    m_position += count;
    *bytesRead = static_cast<uint32_t>(count);
    return kStatusOk;
}

Status MemoryReadStream::Write(const void*, uint32_t) {
    return kStatusFail;
}

Status StringWriteStream::Read(void*, uint32_t, uint32_t* bytesRead) {
    *bytesRead = 0;
    return kStatusOk;
}

Status StringWriteStream::Write(const void* data, uint32_t size) {
    m_output->append(static_cast<const char*>(data), size);
    return kStatusOk;
}

FileByteStream::FileByteStream(const char* path, Mode mode)
    : m_file(path ? std::fopen(path, mode == Mode::Read ? "rb" : "wb") : nullptr) {}

FileByteStream::~FileByteStream() {
    Close();
}

Status FileByteStream::Close() {
    if (!m_file) return kStatusOk;
    int result = std::fclose(m_file);
    m_file = nullptr;
    return result == 0 ? kStatusOk : kStatusFail;
}

Status FileByteStream::Read(void* buffer, uint32_t size, uint32_t* bytesRead) {
    *bytesRead = 0;
    if (!m_file) return kStatusFail;
    size_t count = std::fread(buffer, 1, size, m_file);
    *bytesRead = static_cast<uint32_t>(count);
    return count == 0 && std::ferror(m_file) ? kStatusReadFault : kStatusOk;
}

Status FileByteStream::Write(const void* data, uint32_t size) {
    if (!m_file) return kStatusFail;
    return std::fwrite(data, 1, size, m_file) == size ? kStatusOk : kStatusFail;
}

}  // namespace quillet
