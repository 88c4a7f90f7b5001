#include "quillet/ui/launch_errors.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(LaunchErrorKey, EachNamedCodeHasItsKeyAndEveryOtherTheDefault) {
    const struct {
        uint32_t error;
        const char* key;
    } cases[] = {
        {0, "$errOSResources"},      {2, "$errFileNotFound"},     {3, "$errPathNotFound"},
        {5, "$errAccessDenied"},     {11, "$errInvalidEXE"},      {26, "$errSharingViolation"},
        {27, "$errBadAssoc"},        {31, "$errNoAssoc"},         {1, "$errDefault"},
        {1155, "$errDefault"},       {0xFFFFFFFFu, "$errDefault"}, {32, "$errDefault"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(c.key, LaunchErrorKey(c.error));
    }
}

TEST(SplitPath, GivesDriveDirectoryNameAndExtension) {
    const struct {
        const char* path;
        PathParts parts;
    } cases[] = {
        {"C:\\Tools\\Viewer\\notes.txt", {"C:", "\\Tools\\Viewer\\", "notes", ".txt"}},
        {"C:\\Tools\\archive.tar.gz", {"C:", "\\Tools\\", "archive.tar", ".gz"}},
        // A dot in a folder name is not an extension.
        {"C:\\my.folder\\readme", {"C:", "\\my.folder\\", "readme", ""}},
        {"C:\\", {"C:", "\\", "", ""}},
        {"C:file.exe", {"C:", "", "file", ".exe"}},
        {"\\\\server\\share\\doc.rtf", {"", "\\\\server\\share\\", "doc", ".rtf"}},
        {"relative/path/run.bat", {"", "relative/path/", "run", ".bat"}},
        {".profile", {"", "", "", ".profile"}},
        {"https://www.nimbrel.com/quillet/help/", {"", "https://www.nimbrel.com/quillet/help/", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(c.parts.drive, parts.drive);
        EXPECT_EQ(c.parts.directory, parts.directory);
        EXPECT_EQ(c.parts.name, parts.name);
        EXPECT_EQ(c.parts.extension, parts.extension);
    }
}

TEST(SplitPath, APathLongerThanTheOldFixedBuffersIsSplitWhole) {
    // _splitpath's buffers hold 256 characters of a directory and of a name;
    // a longer part must neither overflow nor be cut.
    const std::string folder = "\\" + std::string(300, 'd') + "\\";
    const std::string name(400, 'n');
    const PathParts parts = SplitPath("D:" + folder + name + ".document");
    EXPECT_EQ("D:", parts.drive);
    EXPECT_EQ(folder, parts.directory);
    EXPECT_EQ(name, parts.name);
    EXPECT_EQ(".document", parts.extension);
}

TEST(LaunchErrorArguments, AreThePathThenItsParts) {
    const std::vector<std::string> expected = {"E:\\Games\\chess.exe", "E:", "\\Games\\", "chess", ".exe"};
    EXPECT_EQ(expected, LaunchErrorArguments("E:\\Games\\chess.exe"));
}

}  // namespace
}  // namespace quillet
