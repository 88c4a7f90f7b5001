// The Win32 side of the string tables against a real version resource,
// registry, file mappings, dialogs and menus.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/version_info.h"
#include "quillet/strings/strings_win32.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

constexpr const char* kProgramKey = "Software\\Nimbrel\\Quillet";

std::string BinFolder() {
    std::string path = test_support::BinPath("quillet009.mlb");
    return path.substr(0, path.rfind('\\'));
}

// Facts of this test program (its version resource names "quillet"), with
// the libraries looked for in `folder`.
VersionFacts FactsWithLibrariesIn(const std::string& folder) {
    VersionFacts facts = ReadVersionFacts(platform::ModulePath());
    facts.folder = folder;
    return facts;
}

std::unique_ptr<Language> MakeLanguage(const std::string& folder, int* switches = nullptr) {
    return std::make_unique<Language>(std::make_unique<Win32LanguageEnvironment>(kProgramKey),
                                      FactsWithLibrariesIn(folder), [switches] {
                                          if (switches) ++*switches;
                                      });
}

std::optional<DWORD> StoredLanguage() {
    auto data = platform::RegistryKey::Open(HKEY_CURRENT_USER, kProgramKey).Read("Language");
    if (!data || data->type != REG_DWORD) return std::nullopt;
    return data->Dword();
}

TEST(VersionFacts, MacrosComeFromTheProgramsVersionResource) {
    const std::string path = platform::ModulePath();
    const VersionFacts facts = ReadVersionFacts(path);
    const struct {
        const char* text;
        std::string expected;
    } cases[] = {
        {"%pn %pv", "Quillet 1.0.0.0"},
        {"%cn", "Nimbrel Software"},
        {"%cs", "Nimbrel"},
        {"\\%cs User Files", "\\Nimbrel User Files"},
        {"%in", "quillet"},
        {"%fd %fv", "Quillet string table tests 1.0.0.0"},
        {"%lc", "Copyright (C) Nimbrel"},
        {"%of", "quillet_strings_win_tests.exe"},
        {"%p1", "1"},
        {"%cm word", "word"},
        {"%bn", "quillet_strings_win_tests"},
        {"%bp", path.substr(0, path.rfind('\\'))},
        {"Software\\%cs\\%pn", kProgramKey},
        {"HV:%inMainWnd", "HV:quilletMainWnd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, ExpandMacros(c.text, facts));
    }
    EXPECT_FALSE(facts.fileDate.empty()) << "the program file's last-write date";
}

TEST(VersionFacts, AFileWithoutVersionResourceGivesOnlyPathFacts) {
    test_support::ScratchFolder folder;
    const std::string path = folder.Path() + "\\plain.exe";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << test_support::LastErrorText();
    CloseHandle(file);
    const VersionFacts facts = ReadVersionFacts(path);
    EXPECT_EQ("plain", facts.baseName);
    EXPECT_EQ("[][]", ExpandMacros("[%pn][%p1]", facts));
}

TEST(LanguageRegistry, ReadsAndWritesTheLanguageValue) {
    test_support::ScratchRegistry registry;
    Win32LanguageEnvironment environment(kProgramKey);
    EXPECT_FALSE(environment.ReadLanguageValue()) << "absent before the first write";

    environment.WriteLanguageValue(7);
    EXPECT_EQ(std::optional<DWORD>(7), StoredLanguage()) << "a REG_DWORD under HKCU\\" << kProgramKey;
    EXPECT_EQ(std::optional<uint32_t>(7), environment.ReadLanguageValue());

    platform::RegistryKey::Open(HKEY_CURRENT_USER, kProgramKey, KEY_WRITE).WriteString("Language", "7");
    EXPECT_FALSE(environment.ReadLanguageValue()) << "a text value is not a language number";
}

TEST(MappedLibrary, MapsTheBuiltEnglishLibrary) {
    auto library = MappedLibraryFile::Open(test_support::BinPath("quillet009.mlb"));
    ASSERT_TRUE(library) << test_support::LastErrorText();
    auto table = MlbTable::Parse(library->Data(), library->Size());
    ASSERT_TRUE(table);
    EXPECT_EQ("&Close", table->Lookup("mnuClose"));
    EXPECT_EQ("The item could not be started.", table->Lookup("menu:cannotrun"));

    // Nobody can write the file while it is mapped.
    HANDLE writer = CreateFileA(test_support::BinPath("quillet009.mlb").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST(MappedLibrary, MissingAndEmptyFilesAreNotMapped) {
    test_support::ScratchFolder folder;
    EXPECT_FALSE(MappedLibraryFile::Open(folder.Path() + "\\quillet009.mlb"));
    const std::string empty = folder.Path() + "\\quillet007.mlb";
    HANDLE file = CreateFileA(empty.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_FALSE(MappedLibraryFile::Open(empty));
}

TEST(ProgramLanguage, StartsInTheStoredLanguageFromTheProgramFolder) {
    test_support::ScratchRegistry registry;
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword("Language", 7);
    auto language = MakeLanguage(BinFolder());
    ASSERT_TRUE(language->Start());
    EXPECT_EQ(7, language->GetLanguage());
    EXPECT_EQ("&Beenden", language->GetText("mnuClose"));
    EXPECT_EQ(
        "M\xF6"
        "chten Sie dieses Element wirklich entfernen?",
        language->GetText("msgConfirmDelete"));
}

TEST(ProgramLanguage, AnAbsentLanguageFallsBackToEnglishAndLeavesTheRegistryAlone) {
    test_support::ScratchRegistry registry;
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kProgramKey).WriteDword("Language", 5);
    auto language = MakeLanguage(BinFolder());
    ASSERT_TRUE(language->Start());
    EXPECT_EQ(9, language->GetLanguage());
    EXPECT_EQ("&Close", language->GetText("mnuClose"));
    EXPECT_EQ(std::optional<DWORD>(5), StoredLanguage());
}

TEST(ProgramLanguage, TakesAnyLibraryOfTheFolderWhenEnglishIsMissing) {
    test_support::ScratchRegistry registry;
    test_support::ScratchFolder folder;
    ASSERT_TRUE(
        CopyFileA(test_support::BinPath("quillet007.mlb").c_str(), (folder.Path() + "\\quillet007.mlb").c_str(), TRUE))
        << test_support::LastErrorText();
    auto language = MakeLanguage(folder.Path());
    ASSERT_TRUE(language->Start());
    EXPECT_EQ(7, language->GetLanguage());
    EXPECT_EQ(std::vector<uint16_t>{7}, language->AvailableLanguages());
    EXPECT_FALSE(StoredLanguage());
}

TEST(ProgramLanguage, WithoutAnyLibraryStartFailsWithTheResourceMessage) {
    test_support::ScratchRegistry registry;
    test_support::ScratchFolder folder;
    auto language = MakeLanguage(folder.Path());
    EXPECT_FALSE(language->Start());
    const auto [text, caption] = NoLanguageMessage(*language, GetModuleHandleA(nullptr));
    EXPECT_EQ("Cannot find any Quillet language files.  Quillet cannot run", text);
    EXPECT_EQ("Quillet", caption);
}

TEST(ProgramLanguage, SetLanguageStoresTheChoiceAndSwitchesAtTheNextLookup) {
    test_support::ScratchRegistry registry;
    int switches = 0;
    auto language = MakeLanguage(BinFolder(), &switches);
    ASSERT_TRUE(language->Start());
    EXPECT_EQ("&Close", language->TranslateText("$mnuClose"));

    language->SetLanguage(7);
    EXPECT_EQ(std::optional<DWORD>(7), StoredLanguage());
    EXPECT_EQ(0, switches);
    EXPECT_EQ("&Beenden", language->TranslateText("$mnuClose"));
    EXPECT_EQ(1, switches);
}

TEST(LanguageDisplayName, NamesTheLanguageWithoutItsCountry) {
    EXPECT_EQ("English", LanguageDisplayName(9));
    EXPECT_EQ("German", LanguageDisplayName(7));
    EXPECT_EQ("2000", LanguageDisplayName(2000));
}

class Localize : public ::testing::Test {
protected:
    void SetUp() override {
        m_language = MakeLanguage(BinFolder());
        ASSERT_TRUE(m_language->Start());
    }

    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    platform::unique_hwnd OpenDialog(int id) {
        return platform::unique_hwnd(
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, DialogProc, 0));
    }

    static std::string Text(HWND window) {
        char text[1024] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    static std::string ItemText(HMENU menu, UINT position) {
        char text[256] = "";
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }

    test_support::ScratchRegistry m_registry;
    std::unique_ptr<Language> m_language;
};

TEST_F(Localize, DialogTextsAndIconsAreFilledIn) {
    platform::unique_hwnd dialog = OpenDialog(100);
    ASSERT_TRUE(dialog) << test_support::LastErrorText();
    EXPECT_TRUE(LocalizeDialog(*m_language, dialog.get()));

    EXPECT_EQ("Settings", Text(dialog.get()));
    const struct {
        int id;
        const char* expected;
    } controls[] = {
        {1001, "&Path:"}, {1002, "Open Folder now"}, {1003, "Quillet 1.0.0.0"}, {1004, ""}, {1005, "Costs $5, 100%"},
        {IDOK, "OK"},     {IDCANCEL, "Cancel"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(c.expected, Text(GetDlgItem(dialog.get(), c.id)));
    }
    for (int id : {1029, 1030}) {
        SCOPED_TRACE(id);
        EXPECT_NE(0, SendDlgItemMessageA(dialog.get(), id, STM_GETICON, 0, 0));
    }
}

TEST_F(Localize, AMissingKeyVanishesAndIsReported) {
    platform::unique_hwnd dialog = OpenDialog(101);
    ASSERT_TRUE(dialog) << test_support::LastErrorText();
    EXPECT_FALSE(LocalizeDialog(*m_language, dialog.get()));
    EXPECT_EQ("Advanced", Text(dialog.get()));
    EXPECT_EQ("Open  now", Text(GetDlgItem(dialog.get(), 1002)));
    EXPECT_EQ("General", Text(GetDlgItem(dialog.get(), 1003)));
}

TEST_F(Localize, MenuItemsAndSubmenusAreTranslated) {
    platform::unique_hmenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200)));
    ASSERT_TRUE(menu) << test_support::LastErrorText();
    HMENU tray = GetSubMenu(menu.get(), 0);
    EXPECT_TRUE(LocalizeMenu(*m_language, tray));

    EXPECT_EQ("&Close", ItemText(tray, 0));
    EXPECT_EQ("&About Quillet...", ItemText(tray, 1));
    EXPECT_EQ(MF_SEPARATOR, GetMenuState(tray, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ("Folder", ItemText(tray, 3));
    EXPECT_EQ("&Properties...", ItemText(GetSubMenu(tray, 3), 0));
    EXPECT_EQ(40001u, GetMenuItemID(tray, 0)) << "ids stay as they were";
}

TEST_F(Localize, AMenuWithAMissingKeyReportsIt) {
    platform::unique_hmenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(201)));
    ASSERT_TRUE(menu);
    HMENU tray = GetSubMenu(menu.get(), 0);
    EXPECT_FALSE(LocalizeMenu(*m_language, tray));
    EXPECT_EQ("&New Item...", ItemText(tray, 0));
    EXPECT_EQ(" here", ItemText(tray, 1));
}

TEST_F(Localize, TheGermanLibraryTranslatesTheSameMenu) {
    m_language->SetLanguage(7);
    platform::unique_hmenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200)));
    ASSERT_TRUE(menu);
    HMENU tray = GetSubMenu(menu.get(), 0);
    EXPECT_TRUE(LocalizeMenu(*m_language, tray));
    EXPECT_EQ("&Beenden", ItemText(tray, 0));
    EXPECT_EQ(
        "&Info \xFC"
        "ber Quillet...",
        ItemText(tray, 1));
    EXPECT_EQ("Ordner", ItemText(tray, 3));
}

}  // namespace
}  // namespace quillet
