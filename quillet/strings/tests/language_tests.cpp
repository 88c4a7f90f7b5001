#include "quillet/strings/language.h"

#include <gtest/gtest.h>

#include <map>

#include "quillet/strings/tests/mlb_builder.h"

namespace quillet {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Quillet";

// Libraries, the stored setting and the folder listing, all in memory.
struct FakeWorld {
    std::map<std::string, testing::Bytes> files;  // full path -> bytes
    std::vector<std::string> listing;             // FindFiles answer, in order
    std::optional<uint32_t> storedLanguage;
    int writes = 0;
    std::vector<std::string> opened;

    void AddLibrary(uint16_t number, const std::string& closeText) {
        char name[32];
        std::snprintf(name, sizeof name, "quillet%03u.mlb", static_cast<unsigned>(number));
        files[std::string(kFolder) + "\\" + name] =
            testing::BuildLibrary({{"mnuClose", closeText}, {"title", "%pn $mnuClose"}});
        listing.push_back(name);
    }
};

class MemoryImage : public LibraryImage {
public:
    explicit MemoryImage(const testing::Bytes& bytes) : m_bytes(bytes) {}
    const uint8_t* Data() const override { return m_bytes.data(); }
    size_t Size() const override { return m_bytes.size(); }

private:
    testing::Bytes m_bytes;
};

class FakeEnvironment : public LanguageEnvironment {
public:
    explicit FakeEnvironment(FakeWorld& world) : m_world(world) {}
    std::optional<uint32_t> ReadLanguageValue() override { return m_world.storedLanguage; }
    void WriteLanguageValue(uint32_t number) override {
        m_world.storedLanguage = number;
        ++m_world.writes;
    }
    std::unique_ptr<LibraryImage> OpenLibrary(const std::string& path) override {
        m_world.opened.push_back(path);
        auto found = m_world.files.find(path);
        if (found == m_world.files.end()) return nullptr;
        return std::make_unique<MemoryImage>(found->second);
    }
    std::vector<std::string> FindFiles(const std::string& pattern) override {
        EXPECT_EQ(std::string(kFolder) + "\\quillet???.mlb", pattern);
        return m_world.listing;
    }

private:
    FakeWorld& m_world;
};

VersionFacts QuilletFacts() {
    VersionFacts facts;
    SetProgramPath(facts, std::string(kFolder) + "\\quillet.exe");
    facts.internalName = "quillet";
    facts.productName = "Quillet";
    facts.companyName = "Nimbrel Software";
    return facts;
}

class LanguageTest : public ::testing::Test {
protected:
    Language& Make() {
        m_language = std::make_unique<Language>(std::make_unique<FakeEnvironment>(m_world), QuilletFacts(),
                                                [this] { ++m_switches; });
        return *m_language;
    }

    FakeWorld m_world;
    std::unique_ptr<Language> m_language;
    int m_switches = 0;
};

TEST_F(LanguageTest, StartsInTheStoredLanguage) {
    m_world.AddLibrary(9, "&Close");
    m_world.AddLibrary(7, "&Beenden");
    m_world.storedLanguage = 7;
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(7, language.GetLanguage());
    EXPECT_EQ(7, language.LoadedLanguage());
    EXPECT_EQ("&Beenden", language.GetText("mnuClose"));
    EXPECT_EQ(0, m_world.writes);
    EXPECT_EQ(0, m_switches);
}

TEST_F(LanguageTest, StartsInEnglishWhenNothingIsStored) {
    m_world.AddLibrary(7, "&Beenden");
    m_world.AddLibrary(9, "&Close");
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(9, language.GetLanguage());
    EXPECT_EQ("&Close", language.GetText("mnuClose"));
}

TEST_F(LanguageTest, FallsBackToEnglishAndKeepsTheStoredChoice) {
    m_world.AddLibrary(9, "&Close");
    m_world.storedLanguage = 5;
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(9, language.GetLanguage());
    EXPECT_EQ(9, language.LoadedLanguage());
    EXPECT_EQ("&Close", language.GetText("mnuClose"));
    EXPECT_EQ(std::optional<uint32_t>(5), m_world.storedLanguage) << "a fallback is not written back";
    EXPECT_EQ(0, m_world.writes);
}

TEST_F(LanguageTest, FallsBackToTheFirstUsableLibraryInTheFolder) {
    m_world.listing = {"quillet.mlb", "quilletabc.mlb", "other007.mlb", "quillet012.mlb"};
    m_world.AddLibrary(7, "&Beenden");  // listed after quillet012.mlb, which does not exist
    m_world.AddLibrary(10, "&Cerrar");
    m_world.storedLanguage = 5;
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(7, language.GetLanguage());
    EXPECT_EQ("&Beenden", language.GetText("mnuClose"));
    EXPECT_EQ(0, m_world.writes);
}

TEST_F(LanguageTest, ACorruptLibraryCountsAsMissing) {
    m_world.AddLibrary(9, "&Close");
    m_world.AddLibrary(7, "&Beenden");
    m_world.files[std::string(kFolder) + "\\quillet009.mlb"][0] = 'X';
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(7, language.GetLanguage());
}

TEST_F(LanguageTest, FailsWhenNoLibraryLoads) {
    m_world.listing = {"quillet003.mlb"};
    Language& language = Make();
    EXPECT_FALSE(language.Start());
    EXPECT_FALSE(language.HasLibrary());
    EXPECT_FALSE(language.GetText("mnuClose"));
}

TEST_F(LanguageTest, AStoredValueBeyond16BitsCountsAsNoChoice) {
    m_world.AddLibrary(9, "&Close");
    m_world.AddLibrary(7, "&Beenden");
    m_world.storedLanguage = 0x10007;
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    EXPECT_EQ(9, language.GetLanguage());
}

TEST_F(LanguageTest, SwitchesLazilyAtTheNextLookup) {
    m_world.AddLibrary(9, "&Close");
    m_world.AddLibrary(7, "&Beenden");
    Language& language = Make();
    ASSERT_TRUE(language.Start());

    language.SetLanguage(9);
    EXPECT_EQ(0, m_world.writes) << "selecting the current language stores nothing";

    language.SetLanguage(7);
    EXPECT_EQ(std::optional<uint32_t>(7), m_world.storedLanguage);
    EXPECT_EQ(7, language.GetLanguage());
    EXPECT_EQ(9, language.LoadedLanguage()) << "nothing is loaded before the next lookup";
    EXPECT_EQ(0, m_switches);

    EXPECT_EQ("Quillet &Beenden", language.TranslateText("$title"));
    EXPECT_EQ(7, language.LoadedLanguage());
    EXPECT_EQ(1, m_switches);
    EXPECT_EQ("&Beenden", language.GetText("mnuClose"));
    EXPECT_EQ(1, m_switches);
}

TEST_F(LanguageTest, ALanguageThatCannotLoadLeavesKeysUnresolved) {
    m_world.AddLibrary(9, "&Close");
    Language& language = Make();
    ASSERT_TRUE(language.Start());
    language.SetLanguage(12);
    EXPECT_EQ("$mnuClose", language.TranslateText("$mnuClose"));
    EXPECT_EQ(1, m_switches);
    const size_t opens = m_world.opened.size();
    EXPECT_FALSE(language.GetText("mnuClose"));
    EXPECT_EQ(opens, m_world.opened.size()) << "the missing library is not retried at every lookup";

    language.SetLanguage(9);
    language.ApplySelectedLanguage();
    EXPECT_EQ(2, m_switches);
    EXPECT_EQ("&Close", language.TranslateText("$mnuClose"));
}

TEST_F(LanguageTest, TextServices) {
    m_world.files[std::string(kFolder) + "\\quillet009.mlb"] = testing::BuildLibrary({
        {"mnuClose", "&Close"},
        {"title", "%pn $mnuClose"},
        {"iconSaveFailure", "Cannot save \"%1\"."},
        {"withMissing", "$nothere"},
        {"long", std::string(3000, 'y')},
    });
    Language& language = Make();
    ASSERT_TRUE(language.Start());

    EXPECT_EQ("Quillet $mnuClose", language.GetText("title")) << "GetText expands macros, not keys";
    EXPECT_EQ(std::string(kMaxLibraryText, 'y'), language.GetText("long"));
    EXPECT_FALSE(language.GetText("$mnuClose")) << "GetText takes bare keys";

    EXPECT_EQ("Quillet &Close", language.TranslateText("$title"));
    EXPECT_EQ("%pn $missing", language.TranslateText("%pn $missing")) << "unchanged, not even macro-expanded";

    EXPECT_EQ("Cannot save \"C:\\x.tdf\".", language.FormatText("$iconSaveFailure", {"C:\\x.tdf"}));
    EXPECT_EQ("", language.FormatText("$withMissing %1", {"x"}));
    EXPECT_EQ("Quillet x", language.FormatText("%pn %1", {"x"}));
}

TEST(LanguagePaths, AreBuiltFromTheVersionFacts) {
    const VersionFacts facts = QuilletFacts();
    EXPECT_EQ("Software\\Nimbrel\\Quillet", ProgramKeyPath(facts));
    EXPECT_EQ("C:\\Program Files\\Quillet\\quillet009.mlb", LibraryPath(facts, 9));
    EXPECT_EQ("C:\\Program Files\\Quillet\\quillet1031.mlb", LibraryPath(facts, 1031));
    EXPECT_EQ("C:\\Program Files\\Quillet\\quillet???.mlb", LibrarySearchPattern(facts));
}

TEST(LanguagePaths, LibraryNumbersComeFromThreeDigitsBeforeTheExtension) {
    const struct {
        const char* name;
        int number;  // -1: not a library name
    } cases[] = {
        {"quillet009.mlb", 9},   {"QUILLET007.MLB", 7},
        {"quillet123.mlb", 123}, {"quillet.mlb", -1},
        {"quillet09.mlb", -1},   {"quillet0009.mlb", -1},
        {"quillet0a9.mlb", -1},  {"quillet009.txt", -1},
        {"other009.mlb", -1},    {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<uint16_t> number = LibraryNumberFromFileName(c.name, "quillet");
        EXPECT_EQ(c.number, number ? *number : -1);
    }
}

TEST(LanguagePaths, DisplayNamesLoseTheirQualifier) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"English (United States)", "English"},
        {"German (Germany)", "German"},
        {"Norwegian (Bokmal) (Norway)", "Norwegian (Bokmal)"},
        {"Deutsch", "Deutsch"},
        {"English  (United States)  ", "English"},
        {"(Unknown)", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, StripLanguageQualifier(c.name));
    }
}

}  // namespace
}  // namespace quillet
