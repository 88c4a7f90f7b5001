#include <gtest/gtest.h>

#include <windows.h>

#include "platform/error_text.h"
#include "platform/handles.h"
#include "quillet/document/tdf_win32.h"
#include "quillet/document/tests/tdf_test_model.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

const DocumentInfo kInfo{"Quillet tray menus", "2.1.0.7"};

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    Win32DocumentFiles files;
    return files.ReadWholeFile(path, &bytes) == DocumentFiles::ReadResult::Read ? bytes : std::string("<unreadable>");
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    platform::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A saved icon set in a scratch folder, and a model that differs from it.
class TdfFileTest : public ::testing::Test {
protected:
    TdfFileTest() : path(scratch.Path() + "\\quillet.tdf") {
        RegisterStandardFactories(model);
        tdf_test::BuildIconSet(model);
    }
    ~TdfFileTest() override { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }

    void SaveOriginal() {
        SaveFailure failure;
        ASSERT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusOk) << failure.reason;
        original = ReadBytes(path);
        // Something to save that differs from what is on disk.
        model.Root()->SetProperty(kTagMenuView, Value::FromInteger(kMenuViewIcons));
        model.Root()->RemoveAt(1);
    }

    test_support::ScratchFolder scratch;
    std::string path;
    Win32DocumentFiles files;
    ObjectModel model;
    std::string original;
};

TEST_F(TdfFileTest, ASaveReplacesTheWholeFileAndLoadsBack) {
    ASSERT_TRUE(WriteBytes(path, std::string(200000, 'x'))) << test_support::LastErrorText();
    SaveFailure failure;
    ASSERT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusOk) << failure.reason;
    std::string expected;
    ASSERT_EQ(SaveDocumentToBytes(model, kInfo, &expected), kStatusOk);
    EXPECT_EQ(ReadBytes(path), expected) << "no tail of the longer old file is left";
    EXPECT_FALSE(Exists(path + ".saving"));

    ObjectModel loaded;
    RegisterStandardFactories(loaded);
    loaded.AddStandardTrayIcon();
    ASSERT_EQ(LoadDocument(loaded, files, path), kStatusOk);
    EXPECT_EQ(tdf_test::Describe(loaded), tdf_test::Describe(model));
    EXPECT_FALSE(loaded.Root()->ReadBoolean(kTagReadOnlyDocument));
}

TEST_F(TdfFileTest, AReadOnlyDocumentLoadsMarkedAndRefusesTheSave) {
    SaveOriginal();
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << test_support::LastErrorText();

    ObjectModel loaded;
    RegisterStandardFactories(loaded);
    ASSERT_EQ(LoadDocument(loaded, files, path), kStatusOk);
    EXPECT_TRUE(loaded.Root()->ReadBoolean(kTagReadOnlyDocument));
    EXPECT_TRUE(loaded.Root()->ReadBoolean(kTagLocked));

    SaveFailure failure;
    EXPECT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusFalse);
    EXPECT_EQ(failure.messageKey, "iconSaveFailure");
    EXPECT_EQ(failure.path, path);
    EXPECT_EQ(failure.reason, platform::SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_FALSE(Exists(path + ".saving"));
}

TEST_F(TdfFileTest, ALockedDocumentRefusesTheSaveAndKeepsItsContent) {
    SaveOriginal();
    {
        // Held open without sharing, as another program might.
        platform::unique_hfile lock(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock) << test_support::LastErrorText();
        SaveFailure failure;
        EXPECT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusFalse);
        EXPECT_EQ(failure.messageKey, "iconSaveFailure");
        EXPECT_EQ(failure.path, path);
        EXPECT_FALSE(failure.reason.empty());
        EXPECT_FALSE(Exists(path + ".saving"));

        ObjectModel loaded;
        RegisterStandardFactories(loaded);
        const std::string before = tdf_test::Describe(loaded);
        LoadProblem problem;
        EXPECT_EQ(LoadDocument(loaded, files, path, &problem), kStatusFalse);
        EXPECT_EQ(problem, LoadProblem::Unreadable) << "cannot be opened while locked";
        EXPECT_EQ(tdf_test::Describe(loaded), before);
    }
    EXPECT_EQ(ReadBytes(path), original);
}

// A folder that refuses new files, which Wine cannot make: the new file
// beside the document is refused as Windows refuses it.
class NoNewFilesDocumentFiles : public Win32DocumentFiles {
protected:
    HANDLE CreateSavingFile(const std::string&) override {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
};

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

TEST_F(TdfFileTest, ASaveKeepsTheDocumentsAttributesOnEitherWay) {
    NoNewFilesDocumentFiles noNewFiles;
    struct Case {
        const char* what;
        DocumentFiles& files;
        DWORD attributes;
    } cases[] = {
        {"new file moved in, hidden system", files, kHiddenSystem},
        {"new file moved in, plain", files, FILE_ATTRIBUTE_NORMAL},
        {"rewritten in place, hidden system archive", noNewFiles, kHiddenSystem | FILE_ATTRIBUTE_ARCHIVE},
        {"rewritten in place, plain", noNewFiles, FILE_ATTRIBUTE_NORMAL},
    };
    std::string expected;
    ASSERT_EQ(SaveDocumentToBytes(model, kInfo, &expected), kStatusOk);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Longer than the document, so that a tail left over would show.
        ASSERT_TRUE(WriteBytes(path, std::string(200000, 'x'))) << test_support::LastErrorText();
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes)) << test_support::LastErrorText();
        // Wine reports every file as to be archived; what counts is that nothing
        // changes.
        const DWORD before = GetFileAttributesA(path.c_str());
        ASSERT_EQ(before & kHiddenSystem, c.attributes & kHiddenSystem) << "the file system keeps them";

        SaveFailure failure;
        ASSERT_EQ(SaveDocument(model, c.files, path, kInfo, &failure), kStatusOk) << failure.reason;
        EXPECT_EQ(ReadBytes(path), expected);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), before);
        EXPECT_FALSE(Exists(path + ".saving"));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(TdfFileTest, AFolderRefusingNewFilesLocksOnlyADocumentThatCannotBeWritten) {
    SaveOriginal();
    NoNewFilesDocumentFiles noNewFiles;
    ObjectModel loaded;
    RegisterStandardFactories(loaded);
    ASSERT_EQ(LoadDocument(loaded, noNewFiles, path), kStatusOk);
    EXPECT_FALSE(loaded.Root()->ReadBoolean(kTagReadOnlyDocument)) << "the save writes it in place";
    EXPECT_FALSE(Exists(path + ".saving"));

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << test_support::LastErrorText();
    ASSERT_EQ(LoadDocument(loaded, noNewFiles, path), kStatusOk);
    EXPECT_TRUE(loaded.Root()->ReadBoolean(kTagReadOnlyDocument));
    SaveFailure failure;
    EXPECT_EQ(SaveDocument(model, noNewFiles, path, kInfo, &failure), kStatusFalse);
    EXPECT_EQ(failure.reason, platform::SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadBytes(path), original);

    // No document yet and no new file allowed: nothing can be saved.
    const std::string absent = scratch.Path() + "\\absent.tdf";
    EXPECT_EQ(SaveDocument(model, noNewFiles, absent, kInfo, &failure), kStatusFalse);
    EXPECT_EQ(failure.reason, platform::SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(Exists(absent));
}

TEST_F(TdfFileTest, AMissingDocumentIsToldApartFromABrokenOne) {
    LoadProblem problem;
    EXPECT_EQ(LoadDocument(model, files, path, &problem), kStatusFalse);
    EXPECT_EQ(problem, LoadProblem::NoFile);
    ASSERT_TRUE(WriteBytes(path, "<trayicon/>")) << test_support::LastErrorText();
    EXPECT_EQ(LoadDocument(model, files, path, &problem), kStatusFalse);
    EXPECT_EQ(problem, LoadProblem::NotADocument);
}

TEST_F(TdfFileTest, ASaveIntoAMissingFolderFailsWithTheSystemsReason) {
    SaveFailure failure;
    std::string missing = scratch.Path() + "\\no such folder\\quillet.tdf";
    EXPECT_EQ(SaveDocument(model, files, missing, kInfo, &failure), kStatusFalse);
    EXPECT_EQ(failure.path, missing);
    EXPECT_EQ(failure.reason, platform::SystemErrorText(ERROR_PATH_NOT_FOUND));
}

TEST(TdfLocateTest, TheCommonDocumentBesideTheProgramWins) {
    test_support::ScratchFolder program;
    ASSERT_TRUE(WriteBytes(program.Path() + "\\quilletcmn.tdf", "")) << test_support::LastErrorText();
    // A company name of our own, so that the per-user folder would be ours too.
    const std::string company = "QuilletTest" + std::to_string(GetCurrentProcessId());
    DocumentLocation location = LocateDocument(program.Path(), "quillet", company);
    EXPECT_TRUE(location.common);
    EXPECT_EQ(location.path, program.Path() + "\\quilletcmn.tdf");
}

TEST(TdfLocateTest, WithoutACommonDocumentTheUserFilesFolderIsMadeAndUsed) {
    test_support::ScratchFolder program;
    const std::string company = "QuilletTest" + std::to_string(GetCurrentProcessId());
    DocumentLocation location = LocateDocument(program.Path(), "quillet", company);
    EXPECT_FALSE(location.common);
    const std::string suffix = "\\" + company + " User Files\\quillet.tdf";
    ASSERT_GT(location.path.size(), suffix.size());
    EXPECT_EQ(location.path.substr(location.path.size() - suffix.size()), suffix);
    std::string folder = location.path.substr(0, location.path.size() - std::string("\\quillet.tdf").size());
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Exists(location.path)) << "the document itself is made by the first save";
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << test_support::LastErrorText();
}

TEST(TdfLocateTest, ProgramFolderIsTheFolderOfThisProgram) {
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(Exists(folder + "\\quillet_tdf_win_tests.exe"));
}

}  // namespace
}  // namespace quillet
