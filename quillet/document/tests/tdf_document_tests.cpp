#include <gtest/gtest.h>

#include "quillet/document/tests/tdf_test_model.h"

namespace quillet {
namespace {

using tdf_test::Add;
using tdf_test::BuildIconSet;
using tdf_test::Describe;
using tdf_test::FakeFiles;

const DocumentInfo kInfo{"Quillet tray menus", "2.1.0.7"};

// A model as the program has it at start-up: factories registered and one
// standard tray icon on the root.
struct StartedModel {
    StartedModel() {
        RegisterStandardFactories(model);
        model.AddStandardTrayIcon();
    }
    ObjectModel model;
};

TEST(TdfRoundTripTest, AWholeIconSetComesBackAsItWasSaved) {
    ObjectModel saved;
    RegisterStandardFactories(saved);
    BuildIconSet(saved);
    std::string bytes;
    ASSERT_EQ(SaveDocumentToBytes(saved, kInfo, &bytes), kStatusOk);

    StartedModel loaded;
    ASSERT_EQ(LoadDocumentFromBytes(loaded.model, bytes), kStatusOk);
    EXPECT_EQ(Describe(loaded.model), Describe(saved));
    EXPECT_EQ(loaded.model.Root()->Count(), 3u) << "the start-up tray icon is replaced";
    EXPECT_EQ(loaded.model.Root()->ReadInteger(kTagCustomHotkey), 0x0378);
    EXPECT_EQ(loaded.model.Root()->ReadText(kTagClickSound), "C:\\Sounds\\click & \"pop\".wav");

    std::string again;
    ASSERT_EQ(SaveDocumentToBytes(loaded.model, kInfo, &again), kStatusOk);
    EXPECT_EQ(again, bytes);
}

TEST(TdfRoundTripTest, AFileSavedByATextEditorWithAByteOrderMarkLoads) {
    ObjectModel saved;
    RegisterStandardFactories(saved);
    BuildIconSet(saved);
    std::string bytes;
    ASSERT_EQ(SaveDocumentToBytes(saved, kInfo, &bytes), kStatusOk);

    StartedModel loaded;
    ASSERT_EQ(LoadDocumentFromBytes(loaded.model, "\xEF\xBB\xBF" + bytes), kStatusOk);
    EXPECT_EQ(Describe(loaded.model), Describe(saved));
}

TEST(TdfRoundTripTest, ASpecialFolderWithoutANameOfItsOwnStaysNameless) {
    StartedModel saved;
    RefPtr<Object> icon = saved.model.Root()->GetChild(0);
    RefPtr<Object> folder =
        Add(saved.model, *icon, kClassFolder,
            {{kTagFolderSpecial, Value::FromInteger(10)}, {kTagFolderAction, Value::FromInteger(kFolderActionMenu)}});
    std::string bytes;
    ASSERT_EQ(SaveDocumentToBytes(saved.model, kInfo, &bytes), kStatusOk);
    EXPECT_EQ(bytes.find("Folder\""), std::string::npos) << "no class default as a title\n" << bytes;
    EXPECT_EQ(bytes.find("tag=\"1001\""), std::string::npos) << "no default path\n" << bytes;
    EXPECT_EQ(bytes.find("tag=\"9001\""), std::string::npos) << "no default setting\n" << bytes;

    StartedModel loaded;
    ASSERT_EQ(LoadDocumentFromBytes(loaded.model, bytes), kStatusOk);
    RefPtr<Object> read = loaded.model.Root()->GetChild(0)->GetChild(0);
    ASSERT_TRUE(read);
    Value value;
    EXPECT_FALSE(read->GetSavedProperty(kTagName, &value)) << value.ToText();
    EXPECT_EQ(read->ReadInteger(kTagFolderSpecial), 10);
    std::string again;
    ASSERT_EQ(SaveDocumentToBytes(loaded.model, kInfo, &again), kStatusOk);
    EXPECT_EQ(again, bytes);
}

TEST(TdfElementTreeTest, ASmallIconSetIsWrittenAsTheseElements) {
    ObjectModel model;
    RegisterStandardFactories(model);
    ASSERT_TRUE(model.Root()->SetProperty(kTagConfirmExit, Value::FromBoolean(false)));
    RefPtr<Object> icon = Add(model, *model.Root(), kClassStandardTrayIcon);
    Add(model, *icon, kClassSeparator);
    Add(model, *icon, kClassFolder, {{kTagName, Value::FromText("C & D")}, {kTagFolderPath, Value::FromText("C:\\")}});
    std::string bytes;
    ASSERT_EQ(SaveDocumentToBytes(model, kInfo, &bytes), kStatusOk);

    const char* expected =
        "<?xml version=\"1.0\"?>\r\n"
        "\r\n<trayicon app=\"Quillet tray menus\" version=\"2.1.0.7\">"
        "\r\n\t<factoryset>"
        "\r\n\t\t<factory class=\"{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}\"/>"
        "\r\n\t\t<factory class=\"{DC83F3D1-F4B8-11D1-B9C9-006008536FD9}\"/>"
        "\r\n\t\t<factory class=\"{3C66A7F8-3333-11D2-BA7A-006008536FD9}\"/>"
        "\r\n\t</factoryset>"
        "\r\n\t<iconset>"
        "\r\n\t\t<propertyset>"
        "\r\n\t\t\t<property tag=\"9002\" data=\"0\"/>"
        "\r\n\t\t\t<property tag=\"9106\" data=\"2\"/>"
        "\r\n\t\t</propertyset>"
        "\r\n\t\t<contents>"
        "\r\n\t\t\t<object class=\"{7FF48765-F53B-11D1-B9CA-006008536FD9}\">"
        "\r\n\t\t\t\t<contents>"
        "\r\n\t\t\t\t\t<object class=\"{DC83F3D1-F4B8-11D1-B9C9-006008536FD9}\"/>"
        "\r\n\t\t\t\t\t<object class=\"{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}\" title=\"C &amp; D\">"
        "\r\n\t\t\t\t\t\t<propertyset>"
        "\r\n\t\t\t\t\t\t\t<property tag=\"1001\" data=\"C:\\\"/>"
        "\r\n\t\t\t\t\t\t</propertyset>"
        "\r\n\t\t\t\t\t</object>"
        "\r\n\t\t\t\t</contents>"
        "\r\n\t\t\t</object>"
        "\r\n\t\t</contents>"
        "\r\n\t</iconset>"
        "\r\n</trayicon>\r\n";
    EXPECT_EQ(bytes, expected);
}

// The live model before and after a load that must not change it.
class TdfLoadTest : public ::testing::Test {
protected:
    TdfLoadTest() {
        RegisterStandardFactories(model);
        BuildIconSet(model);
        before = Describe(model);
    }
    static std::string Document(const std::string& iconSet, const std::string& factories = "") {
        return "<?xml version=\"1.0\"?>\r\n<trayicon><factoryset>" + factories + "</factoryset><iconset>" + iconSet +
               "</iconset></trayicon>\r\n";
    }
    ObjectModel model;
    std::string before;
};

TEST_F(TdfLoadTest, ABrokenFileLeavesTheLiveModelUnchanged) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"not XML", "this is not a document"},
        {"binary", std::string("\0\x01\xff<", 4)},
        {"no factory set", "<trayicon><iconset/></trayicon>"},
        {"no icon set", "<trayicon><factoryset/></trayicon>"},
        {"syntax error", "<trayicon><factoryset/><iconset><contents><object class=></iconset></trayicon>"},
        {"comment with a hyphen", "<trayicon><!-- a - b --><factoryset/><iconset/></trayicon>"},
        {"wrong declaration", "<?xml version=\"2.0\"?><trayicon><factoryset/><iconset/></trayicon>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LoadDocumentFromBytes(model, c.bytes), kStatusFalse);
        EXPECT_EQ(Describe(model), before);
    }
}

TEST_F(TdfLoadTest, AnUnreadableFileLeavesTheModelAndTheReadOnlyMarkAlone) {
    FakeFiles files;
    LoadProblem problem;
    EXPECT_EQ(LoadDocument(model, files, "C:\\missing.tdf", &problem), kStatusFalse);
    EXPECT_EQ(problem, LoadProblem::NoFile);
    files.m_files["C:\\quillet.tdf"] = Document("");
    files.m_unreadable = true;
    files.m_refuseWrites = true;
    EXPECT_EQ(LoadDocument(model, files, "C:\\quillet.tdf", &problem), kStatusFalse);
    EXPECT_EQ(problem, LoadProblem::Unreadable);
    files.m_unreadable = false;
    files.m_files["C:\\broken.tdf"] = "<trayicon><iconset/></trayicon>";
    EXPECT_EQ(LoadDocument(model, files, "C:\\broken.tdf", &problem), kStatusFalse);
    EXPECT_EQ(problem, LoadProblem::NotADocument);
    EXPECT_EQ(Describe(model), before);
    EXPECT_FALSE(model.Root()->ReadBoolean(kTagReadOnlyDocument));
}

TEST_F(TdfLoadTest, ReadOnlyMarkIsSetAfterEveryLoad) {
    FakeFiles files;
    files.m_files["C:\\quillet.tdf"] = Document("");
    files.m_refuseWrites = true;
    ASSERT_EQ(LoadDocument(model, files, "C:\\quillet.tdf"), kStatusOk);
    EXPECT_TRUE(model.Root()->ReadBoolean(kTagReadOnlyDocument));
    EXPECT_TRUE(model.Root()->ReadBoolean(kTagLocked));
    files.m_refuseWrites = false;
    ASSERT_EQ(LoadDocument(model, files, "C:\\quillet.tdf"), kStatusOk);
    EXPECT_FALSE(model.Root()->ReadBoolean(kTagReadOnlyDocument));
}

TEST_F(TdfLoadTest, TheRootNameIsNotCheckedAndAnIconSetWithoutTrayIconsGetsOne) {
    ASSERT_EQ(LoadDocumentFromBytes(model, "<other app=\"x\"><FactorySet/><ICONSET/></other>"), kStatusOk);
    ASSERT_EQ(model.Root()->Count(), 1u);
    EXPECT_EQ(model.Root()->GetChild(0)->ClassId(), kClassStandardTrayIcon);
    EXPECT_EQ(model.Root()->GetChild(0)->Count(), 0u);
}

TEST_F(TdfLoadTest, ObjectsAndPropertiesTheFileCannotVouchForAreSkipped) {
    const std::string folder = "{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}";
    const std::string separator = "{DC83F3D1-F4B8-11D1-B9C9-006008536FD9}";
    const std::string tray = "{7FF48765-F53B-11D1-B9CA-006008536FD9}";
    std::string iconSet =
        "<propertyset>"
        "<property tag=\"9005\" data=\"1\"/>"
        "<property tag=\"9005\" data=\"2\"/>"     // the later duplicate wins
        "<property tag=\"9001\"/>"                // no data
        "<property tag=\"x9002\" data=\"0\"/>"    // tag is no number
        "<property tag=\"9007\" data=\"oops\"/>"  // converted by the Value rules
        "</propertyset><contents>"
        "<object class=\"" +
        tray +
        "\" title=\"Main\"><contents>"
        "<object class=\"{00000000-0000-0000-0000-000000000001}\" title=\"Unknown\"><contents>"
        "<object class=\"" +
        folder +
        "\" title=\"Lost with its unknown owner\"/></contents></object>"
        "<object class=\"DC83F3D0-F4B8-11D1-B9C9-006008536FD9\" title=\"No brace\"/>"
        "<object title=\"No class\"/>"
        "<object class=\"" +
        folder +
        "\" title=\"2000\"/>"
        "<object class=\"" +
        separator +
        "\" title=\"Ignored\"><contents>"
        "<object class=\"" +
        folder +
        "\" title=\"Under a separator\"/></contents></object>"
        "</contents></object></contents>";
    std::string factories =
        "<factory class=\"{00000000-0000-0000-0000-000000000002}\"/>"
        "<factory class=\"" +
        folder +
        "\"><propertyset>"
        "<property tag=\"1003\" data=\"4\"/></propertyset></factory>";
    ASSERT_EQ(LoadDocumentFromBytes(model, Document(iconSet, factories)), kStatusOk);

    IconSetRoot& root = *model.Root();
    EXPECT_EQ(root.ReadInteger(kTagMenuView), kMenuViewIcons);
    EXPECT_FALSE(root.ReadBoolean(kTagConfirmDelete)) << "kept from before the load";
    EXPECT_TRUE(root.ReadBoolean(kTagConfirmExit));
    EXPECT_EQ(root.ReadInteger(kTagClickMode), 0);
    EXPECT_EQ(model.FindFactory(kClassFolder)->ClassObject()->ReadInteger(kTagFolderAction),
              kFolderActionCommandPrompt);

    ASSERT_EQ(root.Count(), 1u);
    RefPtr<Object> main = root.GetChild(0);
    EXPECT_EQ(main->ReadText(kTagName), "Main");
    ASSERT_EQ(main->Count(), 2u);
    Value title;
    ASSERT_TRUE(main->GetChild(0)->GetOwnProperty(kTagName, &title));
    EXPECT_EQ(title, Value::FromText("2000")) << "a numeric title reads back as text";
    EXPECT_EQ(main->GetChild(1)->ClassId(), kClassSeparator);
    EXPECT_FALSE(main->GetChild(1)->GetOwnProperty(kTagName, &title));
}

TEST(TdfSnapshotTest, ApplyingACapturedSnapshotUndoesEveryChange) {
    ObjectModel model;
    RegisterStandardFactories(model);
    BuildIconSet(model);
    const std::string before = Describe(model);
    RefPtr<DocumentSnapshot> undo = MakeRef<DocumentSnapshot>(model);
    undo->Capture();

    IconSetRoot& root = *model.Root();
    root.SetProperty(kTagMenuView, Value::FromInteger(kMenuViewIcons));
    root.SetProperty(kTagPassword, Value::FromText(""));
    model.FindFactory(kClassFolder)->ClassObject()->SetProperty(kTagFolderAction, Value());
    RefPtr<Object> first = root.GetChild(0);
    RefPtr<Object> second = root.GetChild(1);
    first->GetChild(0)->SetProperty(kTagName, Value::FromText("Renamed"));
    RefPtr<Object> moved = first->GetChild(3);
    first->RemoveAt(3);
    second->Insert(moved.Get());
    root.RemoveAt(2);
    Add(model, root, kClassStandardTrayIcon, {{kTagName, Value::FromText("New")}});
    ASSERT_NE(Describe(model), before);

    ASSERT_EQ(undo->Apply(), kStatusOk);
    EXPECT_EQ(Describe(model), before);
    EXPECT_EQ(root.GetChild(0), first) << "the same live objects come back";
    EXPECT_EQ(moved->Owner(), first.Get());
}

TEST(TdfSaveTest, AFailedSaveReportsKeyPathAndReasonAndKeepsTheOldFile) {
    ObjectModel model;
    RegisterStandardFactories(model);
    BuildIconSet(model);
    FakeFiles files;
    files.m_files["C:\\quillet.tdf"] = "old content";
    files.m_refuseWrites = true;
    SaveFailure failure;
    EXPECT_EQ(SaveDocument(model, files, "C:\\quillet.tdf", kInfo, &failure), kStatusFalse);
    EXPECT_EQ(failure.messageKey, "iconSaveFailure");
    EXPECT_EQ(failure.path, "C:\\quillet.tdf");
    EXPECT_EQ(failure.reason, "Access is denied.");
    EXPECT_EQ(files.m_files["C:\\quillet.tdf"], "old content");

    files.m_refuseWrites = false;
    ASSERT_EQ(SaveDocument(model, files, "C:\\quillet.tdf", kInfo, &failure), kStatusOk);
    std::string expected;
    ASSERT_EQ(SaveDocumentToBytes(model, kInfo, &expected), kStatusOk);
    EXPECT_EQ(files.m_files["C:\\quillet.tdf"], expected);
}

// A tray icon with a chain of folders below it, `levels` deep counted from
// the root, the deepest one titled.
std::string DeepIconSet(size_t levels) {
    const std::string folder = "<object class=\"{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}\"";
    std::string text =
        "<trayicon><factoryset/><iconset><contents>"
        "<object class=\"{7FF48765-F53B-11D1-B9CA-006008536FD9}\">";
    for (size_t level = 2; level < levels; ++level) text += "<contents>" + folder + ">";
    text += "<contents>" + folder +
            " title=\"deepest\"><propertyset>"
            "<property tag=\"1001\" data=\"C:\\\"/></propertyset></object></contents>";
    for (size_t level = 2; level < levels; ++level) text += "</object></contents>";
    return text + "</object></contents></iconset></trayicon>";
}

TEST(TdfDepthTest, TheDeepestTreeTheModelHoldsSavesAndLoadsBack) {
    StartedModel saved;
    ASSERT_EQ(LoadDocumentFromBytes(saved.model, DeepIconSet(kMaxObjectDepth)), kStatusOk);
    std::string bytes;
    ASSERT_EQ(SaveDocumentToBytes(saved.model, kInfo, &bytes), kStatusOk);
    StartedModel loaded;
    ASSERT_EQ(LoadDocumentFromBytes(loaded.model, bytes), kStatusOk);
    EXPECT_EQ(Describe(loaded.model), Describe(saved.model));
    EXPECT_NE(bytes.find("deepest"), std::string::npos);
}

TEST(TdfDepthTest, ADocumentDeeperThanTheModelHoldsIsNotLoaded) {
    ObjectModel model;
    RegisterStandardFactories(model);
    BuildIconSet(model);
    const std::string before = Describe(model);
    EXPECT_EQ(LoadDocumentFromBytes(model, DeepIconSet(kMaxObjectDepth + 1)), kStatusFalse);
    EXPECT_EQ(Describe(model), before);
}

TEST(TdfSaveTest, AFileThatDidNotLoadIsReplacedOnlyWithConsent) {
    const std::string path = "C:\\quillet.tdf";
    struct Case {
        const char* what;
        std::string content;
        bool unreadable;
    } cases[] = {
        {"too deep", DeepIconSet(kMaxObjectDepth + 1), false},
        {"not a document", "<trayicon><iconset/></trayicon>", false},
        {"unreadable", "locked content", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedModel started;
        ObjectModel& model = started.model;
        FakeFiles files;
        files.m_files[path] = c.content;
        files.m_unreadable = c.unreadable;
        EXPECT_EQ(LoadDocument(model, files, path), kStatusFalse);
        files.m_unreadable = false;
        EXPECT_EQ(model.UnloadedDocument(), path);

        SaveFailure failure;
        EXPECT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusFalse);
        EXPECT_EQ(failure.problem, SaveProblem::DocumentNotLoaded);
        EXPECT_EQ(failure.path, path);
        EXPECT_EQ(files.m_files[path], c.content);

        // Another file is no concern of the guard.
        EXPECT_EQ(SaveDocument(model, files, "C:\\copy.tdf", kInfo, &failure), kStatusOk);

        ASSERT_EQ(SaveDocument(model, files, path, kInfo, &failure, UnloadedDocumentSave::Replace), kStatusOk);
        EXPECT_EQ(files.m_files[path], files.m_files["C:\\copy.tdf"]);
        EXPECT_EQ(model.UnloadedDocument(), "");
        EXPECT_EQ(SaveDocument(model, files, path, kInfo, &failure), kStatusOk) << "its own file now";
    }
}

TEST(TdfSaveTest, AMissingOrLoadedFileIsSavedWithoutAsking) {
    StartedModel started;
    FakeFiles files;
    SaveFailure failure;
    EXPECT_EQ(LoadDocument(started.model, files, "C:\\quillet.tdf"), kStatusFalse);
    EXPECT_EQ(SaveDocument(started.model, files, "C:\\quillet.tdf", kInfo, &failure), kStatusOk)
        << "the first run makes the file";
    // A later good load ends an earlier failure.
    started.model.SetUnloadedDocument("C:\\quillet.tdf");
    ASSERT_EQ(LoadDocument(started.model, files, "C:\\quillet.tdf"), kStatusOk);
    EXPECT_EQ(SaveDocument(started.model, files, "C:\\quillet.tdf", kInfo, &failure), kStatusOk);
}

}  // namespace
}  // namespace quillet
