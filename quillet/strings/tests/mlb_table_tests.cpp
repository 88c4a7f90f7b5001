#include "quillet/strings/mlb_table.h"

#include <gtest/gtest.h>

#include "quillet/strings/key_hash.h"
#include "quillet/strings/tests/mlb_builder.h"

namespace quillet {
namespace {

using testing::BuildLibrary;
using testing::Bytes;
using testing::RawLibrary;

std::optional<MlbTable> Parse(const Bytes& bytes) {
    return MlbTable::Parse(bytes.data(), bytes.size());
}

TEST(MlbTable, FindsEveryKeyOfABuiltLibrary) {
    const Bytes bytes = BuildLibrary({{"mnuClose", "&Close"},
                                      {"folder:name", "Folder"},
                                      {"empty", ""},
                                      {"btnOK", "OK"},
                                      {"menu:cannotrun", "Cannot run"}});
    auto table = Parse(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ(5u, table->EntryCount());
    EXPECT_EQ("&Close", table->Lookup("mnuClose"));
    EXPECT_EQ("Folder", table->Lookup("folder:name"));
    EXPECT_EQ("", table->Lookup("empty"));
    EXPECT_EQ("OK", table->Lookup("btnOK"));
    EXPECT_EQ("Cannot run", table->Lookup("menu:cannotrun"));
    EXPECT_FALSE(table->Lookup("mnuclose")) << "keys are case-sensitive";
}

TEST(MlbTable, HashesOutsideTheTableAreNotFound) {
    const Bytes bytes = RawLibrary(2, {{0x100, 22}, {0x200, 24}}, std::string("a\0b\0", 4));
    auto table = Parse(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ("a", table->Find(0x100));
    EXPECT_EQ("b", table->Find(0x200));
    EXPECT_FALSE(table->Find(0x0FF));
    EXPECT_FALSE(table->Find(0x150));
    EXPECT_FALSE(table->Find(0x201));
    EXPECT_FALSE(table->Find(0xFFFFFFFFu));
}

TEST(MlbTable, AnEmptyTableFindsNothing) {
    auto table = Parse(RawLibrary(0, {}, ""));
    ASSERT_TRUE(table);
    EXPECT_FALSE(table->Find(KeyHash("")));
}

TEST(MlbTable, RefusesImagesItCannotUse) {
    Bytes badMagic = BuildLibrary({{"a", "x"}});
    badMagic[2] = 'x';
    Bytes unsorted = RawLibrary(2, {{0x200, 22}, {0x100, 24}}, std::string("a\0b\0", 4));
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty file", {}},
        {"header cut short", {'m', 'l', 'b', 0, 1, 0, 0}},
        {"wrong magic", badMagic},
        {"count one past the entries", RawLibrary(2, {{0x100, 15}}, "")},
        {"count that wraps 32-bit size arithmetic", RawLibrary(0xFFFFFFFFu, {{0x100, 15}}, std::string("a\0", 2))},
        {"count of 0x24924925 (7 x count wraps to 3)", RawLibrary(0x24924925u, {{0x100, 15}}, "")},
        {"entries out of hash order", unsorted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(MlbTable::Parse(c.bytes.data(), c.bytes.size()));
    }
    EXPECT_FALSE(MlbTable::Parse(nullptr, 0));
}

TEST(MlbTable, TheFourthByteAndEqualHashesAreAccepted) {
    Bytes bytes = RawLibrary(2, {{0x100, 22}, {0x100, 22}}, std::string("a\0", 2));
    bytes[3] = 0x7F;
    auto table = Parse(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ("a", table->Find(0x100));
}

TEST(MlbTable, AnEntryWithABadTextIsNotFound) {
    // Header 8 bytes + 4 entries x 7 = 36: the text area starts at offset 36.
    const std::string texts("ok\0unterminated", 15);
    const Bytes bytes = RawLibrary(4,
                                   {{0x1, 36},        // "ok"
                                    {0x2, 39},        // runs to the end without a NUL
                                    {0x3, 0xFFFFFF},  // far outside the file
                                    {0x4, 8}},        // inside the entry table
                                   texts);
    auto table = Parse(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ("ok", table->Find(0x1));
    EXPECT_FALSE(table->Find(0x2));
    EXPECT_FALSE(table->Find(0x3));
    EXPECT_FALSE(table->Find(0x4));
}

TEST(MlbTable, ATextEndingAtTheLastByteIsFound) {
    const Bytes bytes = RawLibrary(1, {{0x1, 15}}, std::string("last\0", 5));
    auto table = Parse(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ("last", table->Find(0x1));
    // The same image one byte shorter loses the NUL.
    auto cut = MlbTable::Parse(bytes.data(), bytes.size() - 1);
    ASSERT_TRUE(cut);
    EXPECT_FALSE(cut->Find(0x1));
}

}  // namespace
}  // namespace quillet
