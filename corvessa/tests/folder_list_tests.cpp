#include "corvessa/folder_list.h"

#include <gtest/gtest.h>

namespace corvessa {
namespace {

std::string Describe(const std::vector<FolderLevel>& levels) {
    std::string text;
    for (const FolderLevel& level : levels) {
        text += std::string(static_cast<size_t>(level.depth), ' ') + (level.open ? "[" : "(") + level.name +
                (level.open ? "]" : ")") + " " + level.path + "\n";
    }
    return text;
}

TEST(CorvessaFolderList, DriveThenWayDownThenSubfolders) {
    struct Case {
        const char* folder;
        std::vector<std::string> subfolders;
        const char* expected;
    } cases[] = {
        {"C:\\", {"Windows", "icons"}, "[C:\\] C:\\\n (icons) C:\\icons\n (Windows) C:\\Windows\n"},
        {"C:\\Windows\\System",
         {"Color"},
         "[C:\\] C:\\\n"
         " [Windows] C:\\Windows\n"
         "  [System] C:\\Windows\\System\n"
         "   (Color) C:\\Windows\\System\\Color\n"},
        {"D:\\Bins, old\\", {}, "[D:\\] D:\\\n [Bins, old] D:\\Bins, old\n"},
        {"E:\\a\\\\b", {}, "[E:\\] E:\\\n [a] E:\\a\n  [b] E:\\a\\\\b\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(Describe(FolderListLevels(c.folder, c.subfolders)), c.expected);
    }
}

TEST(CorvessaFolderList, PathsWithoutADriveGiveNothing) {
    for (const char* folder : {"", "C:", "\\\\server\\share", "relative\\path"}) {
        SCOPED_TRACE(folder);
        EXPECT_TRUE(FolderListLevels(folder, {"x"}).empty());
    }
}

}  // namespace
}  // namespace corvessa
