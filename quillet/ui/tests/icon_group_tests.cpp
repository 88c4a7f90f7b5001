#include "quillet/ui/icon_group.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

struct Entry {
    uint8_t width, height, colours;
    uint16_t bits;
    uint16_t id;
};

std::vector<uint8_t> Group(const std::vector<Entry>& entries, uint16_t type = 1) {
    std::vector<uint8_t> bytes = {0, 0, static_cast<uint8_t>(type), 0, static_cast<uint8_t>(entries.size()), 0};
    for (const Entry& e : entries) {
        const uint8_t entry[14] = {e.width, e.height, e.colours, 0, 1, 0, static_cast<uint8_t>(e.bits),
                                   static_cast<uint8_t>(e.bits >> 8), 0x28, 0x01, 0, 0,
                                   static_cast<uint8_t>(e.id), static_cast<uint8_t>(e.id >> 8)};
        bytes.insert(bytes.end(), entry, entry + 14);
    }
    return bytes;
}

TEST(FindExactIconImage, TakesTheSixteenColourImageOfExactlyThatSize) {
    const std::vector<uint8_t> group = Group({
        {32, 32, 0, 32, 11},   // true colour
        {48, 48, 16, 4, 12},   // 16 colours, too large
        {32, 32, 16, 4, 13},   // the large one
        {16, 16, 0, 8, 14},    // 256 colours
        {16, 16, 16, 4, 15},   // the small one
        {32, 16, 16, 4, 16},   // not square
    });
    EXPECT_EQ(13, FindExactIconImage(group.data(), group.size(), 32));
    EXPECT_EQ(15, FindExactIconImage(group.data(), group.size(), 16));
    EXPECT_EQ(std::nullopt, FindExactIconImage(group.data(), group.size(), 24));
}

TEST(FindExactIconImage, AcceptsAColourCountWithoutBitCountAndReadsZeroAs256) {
    const std::vector<uint8_t> group = Group({{16, 16, 16, 0, 21}, {0, 0, 16, 4, 22}});
    EXPECT_EQ(21, FindExactIconImage(group.data(), group.size(), 16));
    EXPECT_EQ(22, FindExactIconImage(group.data(), group.size(), 256));
    EXPECT_EQ(std::nullopt, FindExactIconImage(group.data(), group.size(), 0));
}

TEST(FindExactIconImage, RefusesShortOrForeignDirectories) {
    const std::vector<uint8_t> group = Group({{32, 32, 0, 32, 1}, {32, 32, 16, 4, 2}});
    // The second entry ends at byte 34: one byte less and it is not read.
    EXPECT_EQ(std::nullopt, FindExactIconImage(group.data(), group.size() - 1, 32));
    EXPECT_EQ(2, FindExactIconImage(group.data(), group.size(), 32));
    // A count larger than the entries present.
    std::vector<uint8_t> overstated = group;
    overstated[4] = 200;
    EXPECT_EQ(2, FindExactIconImage(overstated.data(), overstated.size(), 32));
    // A cursor directory (type 2) is not an icon group.
    const std::vector<uint8_t> cursor = Group({{32, 32, 16, 4, 3}}, 2);
    EXPECT_EQ(std::nullopt, FindExactIconImage(cursor.data(), cursor.size(), 32));
    EXPECT_EQ(std::nullopt, FindExactIconImage(group.data(), 5, 32));
    EXPECT_EQ(std::nullopt, FindExactIconImage(nullptr, 0, 32));
}

}  // namespace
}  // namespace quillet
