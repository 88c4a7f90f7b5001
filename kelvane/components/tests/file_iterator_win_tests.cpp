// The file iterator over FindFirstFile: a real folder tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvane/components/file_iterator_win32.h"
#include "platform/handles.h"
#include "test_support/win_test_support.h"

namespace kelvane {
namespace {

void MakeFile(const std::string& path, const std::string& content = "") {
    platform::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path << ": " << test_support::LastErrorText();
    DWORD written = 0;
    if (!content.empty()) WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

TEST(FileIteratorWindows, WalksARealTreeWithDetails) {
    test_support::ScratchFolder scratch;
    const std::string root = scratch.Path();
    MakeFile(root + "\\one.txt", "12345");
    ASSERT_TRUE(CreateDirectoryA((root + "\\Sub").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\.dotted").c_str(), nullptr));
    MakeFile(root + "\\Sub\\two.lnk", "ab");
    MakeFile(root + "\\.dotted\\hidden.txt");

    CFileIterator iterator(WindowsFileSearcher());
    ASSERT_FALSE(iterator.SetOptions({CFileIteratorOption::cfiPath, CFileIteratorOption::cfiDetails,
                                      CFileIteratorOption::cfiRecurseFolders, CFileIteratorOption::cfiIncludeFolders}));
    ASSERT_FALSE(iterator.SetRootFolder(root + "\\"));
    struct Seen {
        std::string name;
        uint64_t size;
        bool operator<(const Seen& other) const { return name < other.name; }
    };
    std::vector<Seen> seen;
    iterator.OnAddFile = [&](CFileIterator&, const std::string& name, const TFileInfo& info) {
        seen.push_back({name, (info.attributes & kAttributeDirectory) ? 0 : info.size});
    };
    ASSERT_FALSE(iterator.Run());
    std::sort(seen.begin(), seen.end());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].name, root + "\\Sub");
    EXPECT_EQ(seen[1].name, root + "\\Sub\\two.lnk");
    EXPECT_EQ(seen[1].size, 2u);
    EXPECT_EQ(seen[2].name, root + "\\one.txt");
    EXPECT_EQ(seen[2].size, 5u);
}

TEST(FileIteratorWindows, AMissingFolderReportsNothing) {
    test_support::ScratchFolder scratch;
    CFileIterator iterator(WindowsFileSearcher());
    ASSERT_FALSE(iterator.SetRootFolder(scratch.Path() + "\\Missing"));
    int reported = 0, terminated = 0;
    iterator.OnAddFile = [&](CFileIterator&, const std::string&, const TFileInfo&) { ++reported; };
    iterator.OnTerminate = [&](CFileIterator&) { ++terminated; };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(terminated, 1);
}

}  // namespace
}  // namespace kelvane
