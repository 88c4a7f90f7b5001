// Loads arbitrary bytes; whatever loads must save, and what was saved must
// load again and save to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quillet/document/xml_document.h"

using quillet::kStatusOk;
using quillet::RefPtr;
using quillet::XmlDocument;
using quillet::XmlNode;

namespace {

// Names the layout cannot carry: an empty name is written as "</>" or
// "<>...</>", which read as end tags, and the one-character names "!" and
// "?" are laid out as ordinary elements but read back as markup.
bool HasUnwritableName(const XmlNode* node) {
    const char* name = node->Name();
    if (node->GetType() == XmlNode::kElement &&
        (name[0] == '\0' || ((name[0] == '!' || name[0] == '?') && name[1] == '\0')))
        return true;
    for (const XmlNode* child = node->FirstChild(); child; child = child->NextSibling())
        if (HasUnwritableName(child)) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RefPtr<XmlDocument> document = XmlDocument::Create();
    if (document->LoadFromBytes(bytes) != kStatusOk) return 0;

    std::string deepText;
    document->Root()->GetText(&deepText, true);

    std::string once;
    if (document->SaveToBytes(&once, true) != kStatusOk) std::abort();
    RefPtr<XmlDocument> reread = XmlDocument::Create();
    if (reread->LoadFromBytes(once) != kStatusOk) {
        if (!HasUnwritableName(document->Root())) std::abort();
        return 0;
    }
    std::string twice;
    if (reread->SaveToBytes(&twice, true) != kStatusOk) std::abort();
    RefPtr<XmlDocument> third = XmlDocument::Create();
    if (third->LoadFromBytes(twice) != kStatusOk) {
        if (!HasUnwritableName(document->Root())) std::abort();
        return 0;
    }
    std::string thrice;
    third->SaveToBytes(&thrice, true);
    // The first pass may normalise (a Text child becomes element text, say);
    // after that the layout is a fixed point.
    if (thrice != twice && !HasUnwritableName(document->Root())) std::abort();
    return 0;
}
