#include "kelvane/components/file_iterator.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kelvane {
namespace {

constexpr uint32_t kFile = 0x20;
constexpr uint32_t kDir = kAttributeDirectory;

// Folders by path, each with its entries in the order the search gives them.
// Every pattern asked for is recorded.
class FakeFileSystem : public FileSearcher {
public:
    std::map<std::string, std::vector<FoundEntry>> folders;
    std::vector<std::string> patterns;

    std::unique_ptr<FileSearch> Search(const std::string& pattern) override {
        patterns.push_back(pattern);
        const std::string suffix = "\\*.*";
        if (pattern.size() < suffix.size() || pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix)) {
            return nullptr;
        }
        auto found = folders.find(pattern.substr(0, pattern.size() - suffix.size()));
        if (found == folders.end()) return nullptr;
        return std::make_unique<FakeSearch>(found->second);
    }

private:
    class FakeSearch : public FileSearch {
    public:
        explicit FakeSearch(const std::vector<FoundEntry>& entries) : m_entries(entries) {}
        std::optional<FoundEntry> Next() override {
            if (m_next == m_entries.size()) return std::nullopt;
            return m_entries[m_next++];
        }

    private:
        const std::vector<FoundEntry>& m_entries;
        size_t m_next = 0;
    };
};

FoundEntry Entry(const std::string& name, uint32_t attributes, uint64_t size = 0, uint64_t time = 0) {
    return FoundEntry{name, TFileInfo{attributes, time, size}};
}

//  C:\Root
//    .  ..  a.txt  Sub\  .hidden\  b.lnk  Volume (label)  .dotfile
//  C:\Root\Sub
//    .  ..  c.txt  Deeper\
//  C:\Root\Sub\Deeper
//    d.txt
//  C:\Root\.hidden
//    secret.txt
FakeFileSystem SampleTree() {
    FakeFileSystem fs;
    fs.folders["C:\\Root"] = {Entry(".", kDir),
                              Entry("..", kDir),
                              Entry("a.txt", kFile, 10, 111),
                              Entry("Sub", kDir),
                              Entry(".hidden", kDir),
                              Entry("b.lnk", kFile, 20, 222),
                              Entry("Volume", kAttributeVolumeLabel),
                              Entry(".dotfile", kFile, 30, 333)};
    fs.folders["C:\\Root\\Sub"] = {Entry(".", kDir), Entry("..", kDir), Entry("c.txt", kFile, 40, 444),
                                   Entry("Deeper", kDir)};
    fs.folders["C:\\Root\\Sub\\Deeper"] = {Entry("d.txt", kFile, 50, 555)};
    fs.folders["C:\\Root\\.hidden"] = {Entry("secret.txt", kFile)};
    return fs;
}

std::vector<std::string> Walk(FakeFileSystem& fs, CFileIteratorOptions options, const std::string& root) {
    CFileIterator iterator(fs);
    EXPECT_FALSE(iterator.SetOptions(options));
    EXPECT_FALSE(iterator.SetRootFolder(root));
    std::vector<std::string> names;
    iterator.OnAddFile = [&](CFileIterator&, const std::string& name, const TFileInfo&) { names.push_back(name); };
    EXPECT_FALSE(iterator.Run());
    return names;
}

using O = CFileIteratorOption;
using Names = std::vector<std::string>;

TEST(FileIteratorTest, EachOptionSetWalksTheTreeAsExpected) {
    struct Case {
        const char* name;
        CFileIteratorOptions options;
        const char* root;
        Names expected;
    };
    const Case cases[] = {
        {"bare names: files only, no descent", {}, "C:\\Root", {"a.txt", "b.lnk", ".dotfile"}},
        {"full paths: files only, no descent",
         {O::cfiPath},
         "C:\\Root",
         {"C:\\Root\\a.txt", "C:\\Root\\b.lnk", "C:\\Root\\.dotfile"}},
        {"a trailing backslash gives the same names",
         {O::cfiPath},
         "C:\\Root\\",
         {"C:\\Root\\a.txt", "C:\\Root\\b.lnk", "C:\\Root\\.dotfile"}},
        {"folders included, not entered", {O::cfiIncludeFolders}, "C:\\Root", {"a.txt", "Sub", "b.lnk", ".dotfile"}},
        {"recursion is depth first, before the next entry",
         {O::cfiPath, O::cfiRecurseFolders},
         "C:\\Root",
         {"C:\\Root\\a.txt", "C:\\Root\\Sub\\c.txt", "C:\\Root\\Sub\\Deeper\\d.txt", "C:\\Root\\b.lnk",
          "C:\\Root\\.dotfile"}},
        {"recursion with folders: the folder comes before its contents",
         {O::cfiPath, O::cfiRecurseFolders, O::cfiIncludeFolders},
         "C:\\Root",
         {"C:\\Root\\a.txt", "C:\\Root\\Sub", "C:\\Root\\Sub\\c.txt", "C:\\Root\\Sub\\Deeper",
          "C:\\Root\\Sub\\Deeper\\d.txt", "C:\\Root\\b.lnk", "C:\\Root\\.dotfile"}},
        {"bare names in subfolders",
         {O::cfiRecurseFolders},
         "C:\\Root",
         {"a.txt", "c.txt", "d.txt", "b.lnk", ".dotfile"}},
        {"a missing folder reports nothing", {O::cfiPath}, "C:\\Missing", {}},
        {"an empty root reports nothing", {O::cfiPath, O::cfiRecurseFolders}, "", {}},
        {"a lone backslash reports nothing", {O::cfiPath}, "\\", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem fs = SampleTree();
        EXPECT_EQ(Walk(fs, c.options, c.root), c.expected);
    }
}

TEST(FileIteratorTest, AnEmptyRootNeverSearchesTheDriveRoot) {
    for (const char* root : {"", "\\"}) {
        SCOPED_TRACE(root);
        FakeFileSystem fs = SampleTree();
        fs.folders[""] = {Entry("boot.lnk", kFile)};
        EXPECT_EQ(Walk(fs, {O::cfiPath}, root), Names{});
        EXPECT_EQ(fs.patterns, Names{});
    }
}

TEST(FileIteratorTest, DetailsAreFilledOnlyWithTheDetailsOption) {
    for (bool details : {false, true}) {
        SCOPED_TRACE(details ? "cfiDetails" : "no details");
        FakeFileSystem fs = SampleTree();
        CFileIterator iterator(fs);
        ASSERT_FALSE(iterator.SetOptions(details ? CFileIteratorOptions{O::cfiDetails} : CFileIteratorOptions{}));
        ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
        std::vector<TFileInfo> infos;
        iterator.OnAddFile = [&](CFileIterator&, const std::string&, const TFileInfo& info) { infos.push_back(info); };
        ASSERT_FALSE(iterator.Run());
        ASSERT_EQ(infos.size(), 3u);
        EXPECT_EQ(infos[1].size, details ? 20u : 0u);
        EXPECT_EQ(infos[1].time, details ? 222u : 0u);
        EXPECT_EQ(infos[1].attributes, details ? kFile : 0u);
    }
}

TEST(FileIteratorTest, TheQueryDecidesWhatIsAdded) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
    Names asked, added;
    iterator.OnAddFileQuery = [&](CFileIterator&, const std::string& name, const TFileInfo&, bool& canAdd) {
        EXPECT_TRUE(canAdd);
        asked.push_back(name);
        canAdd = name != "b.lnk";
    };
    iterator.OnAddFile = [&](CFileIterator&, const std::string& name, const TFileInfo&) { added.push_back(name); };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(asked, (Names{"a.txt", "b.lnk", ".dotfile"}));
    EXPECT_EQ(added, (Names{"a.txt", ".dotfile"}));
}

TEST(FileIteratorTest, EventsComeInOrderAndTheStateFollowsTheWalk) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root\\Sub\\Deeper"));
    Names events;
    auto state = [&] { return std::to_string(static_cast<int>(iterator.CurrentState())); };
    iterator.OnActivate = [&](CFileIterator&) { events.push_back("activate " + state()); };
    iterator.OnAddFileQuery = [&](CFileIterator&, const std::string& name, const TFileInfo&, bool&) {
        events.push_back("query " + name + " " + state());
    };
    iterator.OnAddFile = [&](CFileIterator&, const std::string& name, const TFileInfo&) {
        events.push_back("add " + name);
    };
    iterator.OnTerminate = [&](CFileIterator&) { events.push_back("terminate " + state()); };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(events, (Names{"activate 1", "query d.txt 1", "add d.txt", "terminate 1"}));
    EXPECT_EQ(iterator.CurrentState(), CFileIterator::State::Idle);
}

TEST(FileIteratorTest, WithoutAnEntryEventNothingRuns) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
    int notifications = 0;
    iterator.OnActivate = [&](CFileIterator&) { ++notifications; };
    iterator.OnTerminate = [&](CFileIterator&) { ++notifications; };
    EXPECT_FALSE(iterator.Run());
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(fs.patterns, Names{});
}

TEST(FileIteratorTest, WhileRunningRunAndChangesAreRefusedWithTheirTexts) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
    std::vector<std::optional<EFileIteratorError>> errors;
    iterator.OnAddFile = [&](CFileIterator& sender, const std::string&, const TFileInfo&) {
        errors.push_back(sender.Run());
        errors.push_back(sender.SetOptions({O::cfiPath}));
        errors.push_back(sender.SetRootFolder("C:\\Other"));
    };
    ASSERT_FALSE(iterator.Run());
    ASSERT_EQ(errors.size(), 9u);
    for (size_t i = 0; i < errors.size(); i += 3) {
        ASSERT_TRUE(errors[i] && errors[i + 1] && errors[i + 2]);
        EXPECT_EQ(errors[i]->message, "Iterator is not available at the moment. Please call later, but do call");
        EXPECT_EQ(errors[i + 1]->message, "Cannot change options on fly. Try later");
        EXPECT_EQ(errors[i + 2]->message, "Cannot change options on fly. Try later");
    }
    EXPECT_EQ(iterator.Options(), CFileIteratorOptions{});
    EXPECT_EQ(iterator.RootFolder(), "C:\\Root");
    // Idle again: the same calls are taken.
    EXPECT_FALSE(iterator.SetOptions({O::cfiPath}));
    EXPECT_FALSE(iterator.SetRootFolder("C:\\Other"));
}

TEST(FileIteratorTest, WhileLoadingPropertiesMayChangeInAnyState) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
    iterator.OnAddFile = [&](CFileIterator& sender, const std::string&, const TFileInfo&) {
        sender.BeginLoading();
        EXPECT_FALSE(sender.SetOptions({O::cfiDetails}));
        sender.Loaded();
        EXPECT_TRUE(sender.SetOptions({O::cfiPath}));
    };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(iterator.Options(), CFileIteratorOptions{O::cfiDetails});
}

TEST(FileIteratorTest, AStopEndsTheWalkAtTheNextEntry) {
    FakeFileSystem fs = SampleTree();
    CFileIterator iterator(fs);
    ASSERT_FALSE(iterator.SetOptions({O::cfiRecurseFolders}));
    ASSERT_FALSE(iterator.SetRootFolder("C:\\Root"));
    Names added;
    int terminated = 0;
    iterator.OnAddFile = [&](CFileIterator& sender, const std::string& name, const TFileInfo&) {
        added.push_back(name);
        if (name == "c.txt") sender.Stop();
    };
    iterator.OnTerminate = [&](CFileIterator& sender) {
        EXPECT_EQ(sender.CurrentState(), CFileIterator::State::StopRequested);
        ++terminated;
    };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(added, (Names{"a.txt", "c.txt"}));
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(iterator.CurrentState(), CFileIterator::State::Idle);
    // A stop asked while idle changes nothing: the next walk is whole.
    iterator.Stop();
    added.clear();
    iterator.OnTerminate = nullptr;
    iterator.OnAddFile = [&](CFileIterator&, const std::string& name, const TFileInfo&) { added.push_back(name); };
    ASSERT_FALSE(iterator.Run());
    EXPECT_EQ(added.size(), 5u);
}

}  // namespace
}  // namespace kelvane
