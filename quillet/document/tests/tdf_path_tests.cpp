#include <gtest/gtest.h>

#include "quillet/document/tdf_path.h"

namespace quillet {
namespace {

TEST(TdfPathTest, TheCommonDocumentWinsWhenItExists) {
    struct Case {
        const char* what;
        DocumentPathFacts facts;
        const char* path;
        bool common;
    } cases[] = {
        {"common file beside the program",
         {"C:\\Program Files\\Quillet", "quillet", true, "C:\\My Documents\\Nimbrel User Files", true},
         "C:\\Program Files\\Quillet\\quilletcmn.tdf",
         true},
        {"per-user file in the user files folder",
         {"C:\\Program Files\\Quillet", "quillet", false, "C:\\My Documents\\Nimbrel User Files", true},
         "C:\\My Documents\\Nimbrel User Files\\quillet.tdf",
         false},
        {"no personal folder: the program folder",
         {"C:\\Program Files\\Quillet", "quillet", false, "", false},
         "C:\\Program Files\\Quillet\\quillet.tdf",
         false},
        {"user files folder could not be made: the program folder",
         {"C:\\Program Files\\Quillet", "quillet", false, "C:\\My Documents\\Nimbrel User Files", false},
         "C:\\Program Files\\Quillet\\quillet.tdf",
         false},
        {"program in a drive root", {"C:\\", "quillet", true, "", false}, "C:\\quilletcmn.tdf", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocumentLocation location = ChooseDocumentPath(c.facts);
        EXPECT_EQ(location.path, c.path);
        EXPECT_EQ(location.common, c.common);
    }
}

TEST(TdfPathTest, UserFilesFolderIsNamedAfterTheCompany) {
    EXPECT_EQ(UserFilesFolder("C:\\My Documents", "Nimbrel"), "C:\\My Documents\\Nimbrel User Files");
    EXPECT_EQ(UserFilesFolder("D:\\", "Nimbrel"), "D:\\Nimbrel User Files");
    EXPECT_EQ(UserFilesFolder("", "Nimbrel"), "");
    EXPECT_EQ(JoinPath("", "a.tdf"), "a.tdf");
}

}  // namespace
}  // namespace quillet
