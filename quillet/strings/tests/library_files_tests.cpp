// Checks the language libraries the build makes with its host tool: the
// loader reads them, and every key of the key list has a text in each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "quillet/strings/key_expansion.h"
#include "quillet/strings/mlb_table.h"
#include "quillet/strings/tests/mlb_builder.h"

namespace quillet {
namespace {

testing::Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return testing::Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> KeyList() {
    std::vector<std::string> keys;
    std::ifstream file(QUILLET_KEY_LIST);
    std::string line;
    while (std::getline(file, line)) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty() && line[0] != '#') keys.push_back(line);
    }
    return keys;
}

TEST(SampleLibrary, TheToolWritesExactlyWhatTheLoaderReads) {
    // The texts of tests/data/sample.txt as cp1252 bytes.
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"greeting", "Hello, %pn!"},
        {"umlauts",
         "Gr\xFC\xDF"
         "e aus K\xF6ln"},
        {"twoLines", "first\xACsecond"},
        {"nested", "$greeting; and more"},
        {"empty", ""},
        {"colon:key", "a text with = in it"},
        {"trailing", "blanks at the end are dropped"},
    };
    const testing::Bytes built = ReadFile(QUILLET_SAMPLE_LIBRARY);
    ASSERT_FALSE(built.empty()) << QUILLET_SAMPLE_LIBRARY;
    EXPECT_EQ(testing::BuildLibrary(texts), built);

    auto table = MlbTable::Parse(built.data(), built.size());
    ASSERT_TRUE(table);
    EXPECT_EQ(texts.size(), table->EntryCount());
    for (const auto& [key, text] : texts) {
        SCOPED_TRACE(key);
        EXPECT_EQ(text, table->Lookup(key));
    }
}

class ProgramLibrary : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramLibrary, HasATextForEveryKeyOfTheKeyList) {
    const std::string path = std::string(QUILLET_LANGUAGE_DIR) + "/" + GetParam();
    const testing::Bytes bytes = ReadFile(path);
    auto table = MlbTable::Parse(bytes.data(), bytes.size());
    ASSERT_TRUE(table) << path;

    const std::vector<std::string> keys = KeyList();
    ASSERT_GT(keys.size(), 100u);
    EXPECT_EQ(keys.size(), table->EntryCount()) << "the library holds exactly the listed keys";
    VersionFacts facts;
    facts.productName = "Quillet";
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(table->Lookup(key));
        // Texts that refer to other keys must refer to existing ones.
        EXPECT_TRUE(ExpandKeys("$" + key, &*table, facts).allFound);
    }

    // The tip dialog shows tip001 up to the number that "tipCount" gives.
    std::optional<std::string_view> count = table->Lookup("tipCount");
    ASSERT_TRUE(count);
    const int tips = std::atoi(std::string(*count).c_str());
    EXPECT_GT(tips, 0);
    for (int n = 1; n <= tips; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "tip%03d", n);
        EXPECT_TRUE(table->Lookup(key)) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ProgramLibrary, ::testing::Values("quillet009.mlb", "quillet007.mlb"));

// The `$key` references inside the string literals of a resource script.
std::vector<std::string> ResourceKeys(const std::filesystem::path& script) {
    std::vector<std::string> keys;
    std::ifstream file(script);
    std::string line;
    while (std::getline(file, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 2, "//") == 0) continue;
        bool inLiteral = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') {
                inLiteral = !inLiteral;
            } else if (inLiteral && line[i] == '$') {
                if (i + 1 < line.size() && line[i + 1] == '$') {
                    ++i;
                    continue;
                }
                size_t end = i + 1;
                while (end < line.size() && line[end] != ' ' && line[end] != ';' && line[end] != '"') ++end;
                keys.push_back(line.substr(i + 1, end - i - 1));
                i = end - 1;
            }
        }
    }
    return keys;
}

TEST(ResourceKeys, EveryKeyInQuilletsResourcesIsInTheKeyList) {
    const std::vector<std::string> listed = KeyList();
    const std::filesystem::path quillet =
        std::filesystem::path(QUILLET_KEY_LIST).parent_path().parent_path().parent_path();
    const std::filesystem::path ownTests = quillet / "strings" / "tests";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(quillet)) {
        if (entry.path().extension() != ".rc") continue;
        // The tests' own resources refer to a missing key on purpose.
        if (entry.path().parent_path() == ownTests) continue;
        for (const std::string& key : ResourceKeys(entry.path())) {
            EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), key))
                << "\"$" << key << "\" in " << entry.path().string()
                << " has no text: add it to quillet/strings/languages/keys.txt and every language source";
        }
    }
}

TEST(ResourceKeys, FindsTheKeysOfTheTestsOwnScript) {
    const std::filesystem::path script =
        std::filesystem::path(QUILLET_KEY_LIST).parent_path().parent_path() / "tests" / "strings_win_tests.rc";
    const std::vector<std::string> keys = ResourceKeys(script);
    for (const char* key : {"propSettings", "folder:path", "folder:name", "btnOK", "folder:missing", "missingKey"}) {
        EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), key)) << key;
    }
    EXPECT_EQ(keys.end(), std::find(keys.begin(), keys.end(), "5")) << "\"$$5\" is a dollar sign, not a key";
}

}  // namespace
}  // namespace quillet
