// quillet's XML engine: an in-memory node tree (XmlDocument, XmlNode,
// XmlNodeList), a reader that builds it from bytes and a writer that lays it
// out again (CR LF line breaks, one tab per level). Portable: no <windows.h>;
// files go through the C standard library.
//
// Lifetime: every node belongs to the document that created it and lives in
// that document's storage. A reference to a node (AddRef, RefPtr<XmlNode>)
// keeps the whole document alive, so a node pointer obtained from a live
// reference never dangles, not even after the node is removed from the tree.
// Nodes cannot move between documents.
//
// Results follow value.h: kStatusOk, kStatusFalse (nothing found or not a
// document), negative failures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/value/value.h"

namespace quillet {

class XmlDocument;
class XmlNode;
class XmlNodeList;

// A source or sink of bytes for Load and Save.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Reads up to size bytes. Success with *bytesRead == 0 means end of input;
    // a failure status means the stream broke.
    virtual Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) = 0;
    // Writes all size bytes or fails.
    virtual Status Write(const void* data, uint32_t size) = 0;
};

// Reads from bytes the caller keeps alive; writing fails.
class MemoryReadStream final : public ByteStream {
public:
    explicit MemoryReadStream(std::string_view bytes) : m_bytes(bytes) {}
    Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) override;
    Status Write(const void* data, uint32_t size) override;

private:
    std::string_view m_bytes;
    size_t m_position = 0;
};

// Appends everything written to a string; reading gives end of input.
class StringWriteStream final : public ByteStream {
public:
    explicit StringWriteStream(std::string* output) : m_output(output) {}
    Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) override;
    Status Write(const void* data, uint32_t size) override;

private:
    std::string* m_output;
};

// A file opened through the C library (the path in the system code page).
class FileByteStream final : public ByteStream {
public:
    enum class Mode { Read, CreateForWrite };
    FileByteStream(const char* path, Mode mode);
    ~FileByteStream() override;
    FileByteStream(const FileByteStream&) = delete;
    FileByteStream& operator=(const FileByteStream&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // Flushes and closes; a failure here is a failed write.
    Status Close();
    Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) override;
    Status Write(const void* data, uint32_t size) override;

private:
    std::FILE* m_file = nullptr;
};

// Deepest element nesting the reader accepts; a deeper document fails to load.
constexpr int kXmlMaxDepth = 256;

class XmlNode {
public:
    static constexpr int32_t kElement = 1;
    static constexpr int32_t kText = 2;

    // Counts on the owning document (see the lifetime note above).
    void AddRef() const;
    void Release() const;

    int32_t GetType() const { return m_type; }
    XmlDocument* Document() const { return m_document; }

    // Name: empty for Text nodes. Markup read from a file (comments, CDATA,
    // DOCTYPE, processing instructions) are Elements named "!--", "![CDATA[",
    // "!DOCTYPE", "?xml" and so on.
    const char* Name() const { return m_name; }
    Status GetName(std::string* name) const;
    Status SetName(std::string_view name);

    // The node's own text; with deep, followed by the deep text of every child
    // in order.
    std::string_view TextView() const { return {m_text, m_textLength}; }
    const char* Text() const { return m_text; }
    Status GetText(std::string* text, bool deep) const;
    // Stores the text only when it differs; a change marks the document dirty.
    Status SetText(std::string_view text);

    // Attributes: names unique and compared without regard to ASCII case; a new
    // name goes to the end, a replaced one keeps its position.
    Status GetAttribute(std::string_view name, Value* value) const;  // kStatusFalse if absent
    Status SetAttribute(std::string_view name, const Value& value);
    Status RemoveAttribute(std::string_view name);  // kStatusFalse if absent
    // All names in order, joined by separator ("," when separator is null).
    Status GetAttributeNames(const char* separator, std::string* names) const;
    size_t AttributeCount() const { return m_attributeCount; }
    const char* AttributeName(size_t index) const;  // null past the end
    Value AttributeValue(size_t index) const;       // Empty past the end

    Status GetParent(RefPtr<XmlNode>* parent) const;
    XmlNode* Parent() const { return m_parent; }
    // Makes this node the last child of parent, or detaches it when parent is
    // null.
    Status SetParent(XmlNode* parent);

    // Inserts child before position index; a negative index or one at or past
    // the end appends. A child that already has a parent is moved. Inserting a
    // node of another document, the node itself or one of its ancestors, or
    // inserting into a Text node, fails with kStatusInvalidArgument.
    Status InsertChild(XmlNode* child, int32_t index);
    // By identity; kStatusFalse if child is not a child of this node.
    Status RemoveChild(XmlNode* child);
    // The children whose name equals filter without regard to case (every
    // child for a null filter), as a snapshot list. A node with no children at
    // all gives kStatusFalse and a null list.
    Status GetChildren(const char* filter, RefPtr<XmlNodeList>* list) const;
    // The first child named name (without regard to case); kStatusFalse and
    // null when there is none.
    Status FindChild(std::string_view name, RefPtr<XmlNode>* child) const;

    // Plain navigation without counting.
    XmlNode* FirstChild() const { return m_firstChild; }
    XmlNode* LastChild() const { return m_lastChild; }
    XmlNode* NextSibling() const { return m_nextSibling; }
    XmlNode* PreviousSibling() const { return m_previousSibling; }
    size_t ChildCount() const;

private:
    friend class XmlDocument;
    friend class XmlReader;
    friend class XmlWriter;
    struct Attribute;

    XmlNode(XmlDocument* document, int32_t type, const char* name);
    ~XmlNode() = default;
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    Attribute* FindAttribute(std::string_view name) const;
    // The attribute named name, appended (with an Empty value) when absent.
    Attribute* AttributeSlot(std::string_view name);
    void Unlink();
    void LinkBefore(XmlNode* child, XmlNode* before);
    void MarkDirty() const;

    XmlDocument* m_document;
    XmlNode* m_parent = nullptr;
    XmlNode* m_firstChild = nullptr;
    XmlNode* m_lastChild = nullptr;
    XmlNode* m_nextSibling = nullptr;
    XmlNode* m_previousSibling = nullptr;
    const char* m_name;  // interned in the document, never null
    const char* m_text;  // never null
    Attribute* m_attributes = nullptr;
    uint32_t m_textLength = 0;
    uint32_t m_attributeCount = 0;
    uint32_t m_attributeCapacity = 0;
    int32_t m_type;
};

// A snapshot of node references.
class XmlNodeList {
public:
    void AddRef() const { ++m_references; }
    void Release() const;

    Status Count(int32_t* count) const;
    int32_t Count() const { return static_cast<int32_t>(m_nodes.size()); }
    // kStatusFalse and null when index is out of range.
    Status Item(int32_t index, RefPtr<XmlNode>* node) const;
    XmlNode* Item(int32_t index) const;

private:
    friend class XmlNode;
    explicit XmlNodeList(XmlDocument* document);
    ~XmlNodeList();

    mutable int32_t m_references = 1;
    RefPtr<XmlDocument> m_document;
    std::vector<XmlNode*> m_nodes;
};

class XmlDocument {
public:
    // {F8AC2695-E72D-11D1-B9AB-006008536FD9}
    static const Guid kClassId;

    // A new, clean document whose root is an Element named "document".
    static RefPtr<XmlDocument> Create();

    void AddRef() const { ++m_references; }
    void Release() const;

    Status GetClassID(Guid* classId) const;
    // kStatusOk when dirty, kStatusFalse when clean.
    Status IsDirty() const { return m_dirty ? kStatusOk : kStatusFalse; }
    bool Dirty() const { return m_dirty; }

    // Reads a whole document and replaces the tree. kStatusOk on success (the
    // document is then clean); kStatusFalse when the bytes are not a document
    // (the document then has no root); kStatusReadFault when the stream broke
    // before the root was complete.
    Status Load(ByteStream& stream);
    Status LoadFromBytes(std::string_view bytes);
    // kStatusFileNotFound when the file cannot be opened for reading.
    Status LoadFromFile(const char* path);

    // Writes the declaration and the root. kStatusCantSave when a write
    // failed. clearDirty clears the dirty flag after a successful save.
    Status Save(ByteStream& stream, bool clearDirty);
    Status SaveToBytes(std::string* bytes, bool clearDirty);
    // Lays the document out in memory first, so an existing file is replaced
    // only once the file could be created.
    Status SaveToFile(const char* path, bool clearDirty);

    Status GetSizeMax(uint64_t* size) const;

    // The root with a new reference (null and kStatusFalse when there is none).
    Status GetRoot(RefPtr<XmlNode>* root) const;
    XmlNode* Root() const { return m_root; }
    Status GetVersion(std::string* version) const;
    // The root's name, or "" when there is no root.
    Status GetRootName(std::string* name) const;

    // A new node owned by this document and not yet in the tree. type is
    // XmlNode::kElement or XmlNode::kText (a Text node's name is always empty).
    Status CreateNode(std::string_view name, int32_t type, RefPtr<XmlNode>* node);

private:
    friend class XmlNode;
    friend class XmlReader;
    struct Storage;

    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    XmlNode* NewNode(int32_t type, std::string_view name);
    const char* InternName(std::string_view name);
    const char* CopyText(std::string_view text);
    void* Allocate(size_t size);

    mutable int32_t m_references = 1;
    bool m_dirty = false;
    XmlNode* m_root = nullptr;
    std::unique_ptr<Storage> m_storage;
};

}  // namespace quillet
