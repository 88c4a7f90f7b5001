#include "quillet/shellext/drop_file_list.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// A DROPFILES block: the header, then `names` as given (terminators included).
std::vector<uint8_t> Block(const std::string& names, bool wide = false, uint32_t offset = kDropFilesHeaderSize) {
    std::vector<uint8_t> block(kDropFilesHeaderSize, 0);
    for (int i = 0; i < 4; ++i) block[i] = static_cast<uint8_t>(offset >> (8 * i));
    block[16] = wide ? 1 : 0;
    if (!wide) {
        block.insert(block.end(), names.begin(), names.end());
    } else {
        for (char c : names) {
            block.push_back(static_cast<uint8_t>(c));
            block.push_back(0);
        }
    }
    return block;
}

TEST(DropFileList, NamesAreReadUpToTheEmptyName) {
    auto block = Block(std::string("C:\\one\0C:\\two\0\0C:\\after\0\0", 25));
    auto list = ReadDropFileList(block.data(), block.size());
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->wide);
    EXPECT_EQ(list->names, (std::vector<std::string>{"C:\\one", "C:\\two"}));

    auto wide = Block(std::string("C:\\\xe4\0D:\\x\0\0", 11), true);
    wide[kDropFilesHeaderSize + 7] = 0x01;  // U+01E4 instead of U+00E4
    list = ReadDropFileList(wide.data(), wide.size());
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->wide);
    EXPECT_EQ(list->wideNames, (std::vector<std::u16string>{u"C:\\\u01e4", u"D:\\x"}));
}

TEST(DropFileList, ABlockFromAnotherProgramIsReadOnlyWithinItsSize) {
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        bool readable;
        size_t names;
    };
    auto cutName = Block(std::string("C:\\one\0C:\\tw", 12));
    auto wideOddEnd = Block(std::string("C:\\x\0", 5), true);
    wideOddEnd.push_back('y');
    const Case cases[] = {
        {"header cut short", std::vector<uint8_t>(kDropFilesHeaderSize - 1, 0), false, 0},
        {"offset inside the header", Block(std::string("C:\\\0\0", 5), false, 8), false, 0},
        {"offset past the end", Block(std::string("C:\\\0\0", 5), false, 4096), false, 0},
        {"offset right at the end: no names", Block("", false, kDropFilesHeaderSize), true, 0},
        {"no terminator at all", Block("C:\\endless"), true, 0},
        {"last name cut off by the end", cutName, true, 1},
        {"wide list with a stray odd byte", wideOddEnd, true, 1},
        {"empty list", Block(std::string("\0\0", 2)), true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // An exact-size heap copy, so that the sanitizer sees any read past it.
        std::vector<uint8_t> exact(c.block);
        auto list = ReadDropFileList(exact.data(), exact.size());
        ASSERT_EQ(list.has_value(), c.readable);
        if (list) EXPECT_EQ(list->names.size() + list->wideNames.size(), c.names);
    }
    EXPECT_FALSE(ReadDropFileList(nullptr, 100));
}

}  // namespace
}  // namespace quillet
