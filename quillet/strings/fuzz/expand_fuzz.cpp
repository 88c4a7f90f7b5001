// Fuzzes key and macro expansion and the message inserts with any text,
// against a small library whose texts refer to each other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/strings/key_expansion.h"
#include "quillet/strings/macros.h"
#include "quillet/strings/tests/mlb_builder.h"

namespace {

const quillet::testing::Bytes& Library() {
    static const quillet::testing::Bytes bytes = quillet::testing::BuildLibrary({
        {"a", "A"},
        {"folder:name", "Folder"},
        {"self", "x $self"},
        {"pair", "$a;$a;$self;$pair"},
        {"macros", "%pn %pv1 %cm %% \xAC"},
        {"insert", "%1 and %2!s! %n"},
        {"", "empty key"},
        {"dollar", "$$ $"},
    });
    return bytes;
}

quillet::VersionFacts Facts() {
    quillet::VersionFacts facts;
    quillet::SetProgramPath(facts, "C:\\Program Files\\Quillet\\quillet.exe");
    facts.companyName = "Nimbrel Software";
    facts.productName = "Quillet";
    facts.productVersion = "1.0;beta;";
    facts.productMajor = 1;
    facts.internalName = "quillet";
    return facts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const quillet::VersionFacts facts = Facts();
    static const auto table = quillet::MlbTable::Parse(Library().data(), Library().size());

    const std::string text(reinterpret_cast<const char*>(data), size);
    const quillet::Expansion expansion = quillet::ExpandKeys(text, &*table, facts);
    if (expansion.text.size() > quillet::kMaxExpandedText) __builtin_trap();
    quillet::ExpandMacros(text, facts);
    quillet::FillInserts(expansion.text, {"one", "two", "three"});
    quillet::FillInserts(text, {});
    return 0;
}
