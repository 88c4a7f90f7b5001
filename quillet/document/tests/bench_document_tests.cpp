// The XML benchmark's document: the same bytes as the reference generator's,
// and a document our engine reads and writes back unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "quillet/document/bench/bench_document.h"
#include "quillet/document/xml_document.h"

namespace quillet {
namespace {

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t hash = 0xCBF29CE484222325u;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001B3u;
    }
    return hash;
}

TEST(BenchDocument, SameBytesAsTheReferenceGenerator) {
    // Length and FNV-1a hash of the reference generator's output for each case.
    struct Case {
        size_t target;
        uint32_t seed;
        size_t length;
        uint64_t hash;
    } cases[] = {
        {kBenchDocumentBytes, kBenchDocumentSeed, 10000183, 0x7EB0DBCB5D77854Cu},
        {3000, 7, 3121, 0xD97636D9E8D65EC5u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + " bytes, seed " + std::to_string(c.seed));
        std::string document = MakeBenchDocument(c.target, c.seed);
        EXPECT_EQ(document.size(), c.length);
        EXPECT_EQ(Fnv1a(document), c.hash);
    }
}

TEST(BenchDocument, OurEngineWritesItBackByteForByte) {
    std::string bytes = MakeBenchDocument(200'000, kBenchDocumentSeed);
    RefPtr<XmlDocument> document = XmlDocument::Create();
    ASSERT_EQ(document->LoadFromBytes(bytes), kStatusOk);
    EXPECT_STREQ(document->Root()->Name(), "trayicon");
    std::string written;
    ASSERT_EQ(document->SaveToBytes(&written, false), kStatusOk);
    EXPECT_EQ(written, bytes);
}

}  // namespace
}  // namespace quillet
