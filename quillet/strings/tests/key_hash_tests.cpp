#include "quillet/strings/key_hash.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(KeyHash, MatchesKnownValues) {
    // Expected values come from the library build tool's own implementation.
    const struct {
        const char* key;
        uint32_t hash;
    } cases[] = {
        {"", 0x0FEDCBA9u},
        {"a", 0x0EDCBA01u},
        {"mnuClose", 0x08539775u},
        {"menu:cannotrun", 0x04E2110Eu},
        {"abcdefghijklmnopqrstuvwxyz", 0x0B187A3Au},
        // Bytes from 0x80 count as negative: "\xE4" adds -28, not 228.
        {"\xE4", 0x0EDCBA84u},
        {"Passw\xF6rt", 0x0561CC14u},
        {"\xFF\xFE\x80", 0x0CBA70B0u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(c.hash, KeyHash(c.key));
    }
}

TEST(KeyHash, IsCaseSensitiveAndNeverSetsTheTopNibble) {
    EXPECT_NE(KeyHash("mnuclose"), KeyHash("mnuClose"));
    std::string longKey(500, '\xFF');
    EXPECT_EQ(0u, KeyHash(longKey) & 0xF0000000u);
}

}  // namespace
}  // namespace quillet
