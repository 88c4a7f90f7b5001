// Registration of the "Add to Tray" handler in a scratch registry: the
// machine-wide roots (HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE) and
// HKEY_CURRENT_USER are redirected to scratch keys for each test.
#include "quillet/shellext/shell_extension.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/version_info.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using platform::RegistryKey;

const std::string kClassKey = "CLSID\\{A31B1730-068E-11D2-BA02-006008536FD9}";
const std::string kServerKey = kClassKey + "\\InProcServer32";
const std::string kDirectoryKey = "Directory\\shellex\\ContextMenuHandlers\\AddToTray";
const std::string kFolderKey = "Folder\\shellex\\ContextMenuHandlers\\AddToTray";
const std::string kApprovedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const std::string kClassIdText = "{A31B1730-068E-11D2-BA02-006008536FD9}";

// A scratch registry with HKEY_CLASSES_ROOT redirected too. With
// `machineRefuses`, HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE stand for keys
// that are gone, so that every write below them fails (error 1018) as the
// writes of a normal user fail on the NT family.
class ScratchShellRegistry {
public:
    explicit ScratchShellRegistry(bool machineRefuses = false)
        : m_path("Software\\SuiteTests\\shellext-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++s_count)) {
        // Made under the real HKEY_CURRENT_USER before the scratch registry
        // redirects it.
        m_classes = RegistryKey::Create(HKEY_CURRENT_USER, m_path + "\\HKCR", KEY_ALL_ACCESS);
        m_gone = RegistryKey::Create(HKEY_CURRENT_USER, m_path + "\\gone", KEY_ALL_ACCESS);
        RegDeleteKeyA(HKEY_CURRENT_USER, (m_path + "\\gone").c_str());
        m_scratch.emplace();
        RegOverridePredefKey(HKEY_CLASSES_ROOT, m_classes.get());
        if (machineRefuses) {
            RegOverridePredefKey(HKEY_CLASSES_ROOT, m_gone.get());
            RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_gone.get());
        }
    }
    ~ScratchShellRegistry() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        m_scratch.reset();
        m_classes = RegistryKey();
        m_gone = RegistryKey();
        platform::DeleteKeyTree(HKEY_CURRENT_USER, m_path);
    }
    ScratchShellRegistry(const ScratchShellRegistry&) = delete;
    ScratchShellRegistry& operator=(const ScratchShellRegistry&) = delete;

private:
    static inline int s_count = 0;
    std::string m_path;
    RegistryKey m_classes;
    RegistryKey m_gone;
    std::optional<test_support::ScratchRegistry> m_scratch;
};

std::optional<platform::RegData> ReadValue(HKEY root, const std::string& key, const std::string& name) {
    return RegistryKey::Open(root, key).Read(name);
}

ShellExtensionFacts SampleFacts() {
    return {"Add to &Tray", "C:\\PROGRA~1\\QUILLET\\QUILLE~1.DLL", "C:\\Program Files\\Quillet\\quillet.exe",
            "HV:quilletMainWnd"};
}

struct ExpectedValue {
    HKEY root;
    std::string key, name, text;
};

std::vector<ExpectedValue> ExpectedValues(HKEY classes, HKEY machine, const std::string& classesPrefix,
                                          const ShellExtensionFacts& facts) {
    return {
        {classes, classesPrefix + kClassKey, "", facts.menuText},
        {classes, classesPrefix + kServerKey, "", facts.libraryPath},
        {classes, classesPrefix + kServerKey, "ThreadingModel", "Apartment"},
        {classes, classesPrefix + kDirectoryKey, "", kClassIdText},
        {classes, classesPrefix + kDirectoryKey, "AppPath", facts.programPath},
        {classes, classesPrefix + kDirectoryKey, "WindowClass", facts.windowClass},
        {classes, classesPrefix + kFolderKey, "", kClassIdText},
        {classes, classesPrefix + kFolderKey, "AppPath", facts.programPath},
        {classes, classesPrefix + kFolderKey, "WindowClass", facts.windowClass},
        {machine, kApprovedKey, kClassIdText, "Add to Tray"},
    };
}

void ExpectValues(const std::vector<ExpectedValue>& values) {
    for (const auto& value : values) {
        SCOPED_TRACE(value.key + " : \"" + value.name + "\"");
        auto data = ReadValue(value.root, value.key, value.name);
        ASSERT_TRUE(data) << "missing";
        EXPECT_EQ(data->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(data->bytes, value.text + '\0') << "a string with its terminating zero";
    }
}

void ExpectNoEnabledValue(HKEY root, const std::string& prefix) {
    for (const auto& key : {kDirectoryKey, kFolderKey}) {
        ASSERT_TRUE(platform::KeyExists(root, prefix + key)) << key;
        EXPECT_FALSE(ReadValue(root, prefix + key, "Enabled")) << key;
    }
}

TEST(ShellExtensionRegistration, ACleanRegistryGetsEveryValueMachineWideAndNoSwitch) {
    ScratchShellRegistry registry;
    RegisterShellExtension(SampleFacts());
    ExpectValues(ExpectedValues(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, "", SampleFacts()));
    ExpectNoEnabledValue(HKEY_CLASSES_ROOT, "");
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\CLSID")) << "no per-user copy";
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, kApprovedKey)) << "no per-user copy";
    EXPECT_TRUE(IsShellExtensionEnabled());
}

TEST(ShellExtensionRegistration, WhereMachineWideWritesAreRefusedThePerUserClassesGetTheSameEntries) {
    ScratchShellRegistry registry(true);
    ASSERT_FALSE(RegistryKey::Create(HKEY_CLASSES_ROOT, "CLSID")) << "the machine-wide classes should refuse";
    ASSERT_FALSE(RegistryKey::Create(HKEY_LOCAL_MACHINE, "Software")) << "HKEY_LOCAL_MACHINE should refuse";
    RegisterShellExtension(SampleFacts());
    ExpectValues(ExpectedValues(HKEY_CURRENT_USER, HKEY_CURRENT_USER, "Software\\Classes\\", SampleFacts()));
    ExpectNoEnabledValue(HKEY_CURRENT_USER, "Software\\Classes\\");

    // The switch works on the per-user keys where they are.
    EXPECT_TRUE(IsShellExtensionEnabled());
    TestApplication application;
    SetShellExtensionEnabled(false);
    EXPECT_FALSE(IsShellExtensionEnabled());
    for (const auto& key : {kDirectoryKey, kFolderKey}) {
        auto enabled = ReadValue(HKEY_CURRENT_USER, "Software\\Classes\\" + key, "Enabled");
        ASSERT_TRUE(enabled) << key;
        EXPECT_EQ(enabled->Dword(), std::optional<DWORD>(0)) << key;
    }
    SetShellExtensionEnabled(true);
    EXPECT_TRUE(IsShellExtensionEnabled());
}

TEST(ShellExtensionRegistration, TheRunningProgramRegistersItsTextLibraryPathFileAndWindowClass) {
    ScratchShellRegistry registry;
    TestApplication application;
    RegisterShellExtension();
    const std::string library = test_support::BinPath("quilletctx.dll");
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(library.c_str(), shortPath, MAX_PATH), 0u)
        << library << ": " << test_support::LastErrorText();
    ShellExtensionFacts expected{"Add to &Tray", shortPath, platform::ModulePath(), "HV:quilletMainWnd"};
    ExpectValues(ExpectedValues(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, "", expected));
    EXPECT_EQ(CurrentShellExtensionFacts().libraryPath, shortPath);
}

TEST(ShellExtensionRegistration, AMissingHandlerLibraryIsRegisteredByItsFullPathRatherThanAnEmptyText) {
    // A program folder with the language library but no quilletctx.dll:
    // there is no short form of a missing file's path.
    test_support::ScratchFolder program;
    const std::string language = program.Path() + "\\quillet009.mlb";
    ASSERT_TRUE(CopyFileA(test_support::BinPath("quillet009.mlb").c_str(), language.c_str(), FALSE))
        << test_support::LastErrorText();
    TestApplication application(program.Path());
    EXPECT_EQ(CurrentShellExtensionFacts().libraryPath, program.Path() + "\\quilletctx.dll");
}

TEST(ShellExtensionRegistration, ASecondStartFromAnotherFolderRewritesThePathsAndKeepsTheSwitch) {
    ScratchShellRegistry registry;
    TestApplication application;
    RegisterShellExtension(SampleFacts());
    SetShellExtensionEnabled(false);
    ShellExtensionFacts moved = SampleFacts();
    moved.libraryPath = "D:\\TOOLS\\QUILLE~1.DLL";
    moved.programPath = "D:\\Tools\\quillet.exe";
    RegisterShellExtension(moved);
    ExpectValues(ExpectedValues(HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, "", moved));
    EXPECT_FALSE(IsShellExtensionEnabled()) << "the user's choice outlives a start";
}

TEST(ShellExtensionSwitch, OffInBothKeysThenEachKeyAloneDecides) {
    ScratchShellRegistry registry;
    TestApplication application;
    RegisterShellExtension(SampleFacts());
    SetShellExtensionEnabled(false);
    EXPECT_FALSE(IsShellExtensionEnabled());
    for (const auto& key : {kDirectoryKey, kFolderKey}) {
        auto enabled = ReadValue(HKEY_CLASSES_ROOT, key, "Enabled");
        ASSERT_TRUE(enabled) << key;
        EXPECT_EQ(enabled->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(enabled->Dword(), std::optional<DWORD>(0)) << key;
    }

    // With one value deleted, the other one alone decides.
    struct Case {
        const std::string& deleted;
        const std::string& other;
        DWORD otherValue;
        bool enabled;
    };
    const Case cases[] = {
        {kDirectoryKey, kFolderKey, 0, false},
        {kDirectoryKey, kFolderKey, 1, true},
        {kFolderKey, kDirectoryKey, 0, false},
        {kFolderKey, kDirectoryKey, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deleted + " deleted, the other " + std::to_string(c.otherValue));
        SetShellExtensionEnabled(false);
        ASSERT_TRUE(RegistryKey::Open(HKEY_CLASSES_ROOT, c.deleted, KEY_SET_VALUE).DeleteValue("Enabled"));
        ASSERT_TRUE(RegistryKey::Open(HKEY_CLASSES_ROOT, c.other, KEY_SET_VALUE).WriteDword("Enabled", c.otherValue));
        EXPECT_EQ(IsShellExtensionEnabled(), c.enabled);
    }

    SetShellExtensionEnabled(true);
    EXPECT_TRUE(IsShellExtensionEnabled());
    for (const auto& key : {kDirectoryKey, kFolderKey})
        EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, key, "Enabled")->Dword(), std::optional<DWORD>(1)) << key;
}

TEST(ShellExtensionSwitch, AMissingHandlerKeyIsNeitherCreatedNorConsulted) {
    ScratchShellRegistry registry;
    TestApplication application;
    RegisterShellExtension(SampleFacts());
    ASSERT_TRUE(platform::DeleteKeyTree(HKEY_CLASSES_ROOT, kFolderKey));
    SetShellExtensionEnabled(false);
    EXPECT_FALSE(platform::KeyExists(HKEY_CLASSES_ROOT, kFolderKey));
    EXPECT_FALSE(IsShellExtensionEnabled()) << "the Directory key alone says off";
    ASSERT_TRUE(platform::DeleteKeyTree(HKEY_CLASSES_ROOT, kDirectoryKey));
    EXPECT_TRUE(IsShellExtensionEnabled()) << "no handler key: nothing says off";
    SetShellExtensionEnabled(false);
    EXPECT_FALSE(platform::KeyExists(HKEY_CLASSES_ROOT, kDirectoryKey));
}

TEST(ShellExtensionSwitch, TheClassKeyTakesTheTextOfTheLanguageInUse) {
    ScratchShellRegistry registry;
    TestApplication application;
    RegisterShellExtension(SampleFacts());
    application.Texts().SetLanguage(7);
    SetShellExtensionEnabled(true);
    auto text = ReadValue(HKEY_CLASSES_ROOT, kClassKey, "");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Text(), "Zum &Infobereich hinzuf\xfcgen");
}

}  // namespace
}  // namespace quillet
