#include "quillet/shellext/shell_extension_entries.h"

#include <gtest/gtest.h>

#include "quillet/model/class_id.h"

namespace quillet {
namespace {

TEST(ShellExtensionEntries, TheClassIdAndKeyPathsAreTheOnesExplorerLooksUp) {
    EXPECT_EQ(ClassIdToText(kShellExtensionClassId), "{A31B1730-068E-11D2-BA02-006008536FD9}");
    EXPECT_EQ(ShellExtensionClassKeyPath(), "CLSID\\{A31B1730-068E-11D2-BA02-006008536FD9}");
    EXPECT_EQ(ShellExtensionServerKeyPath(), "CLSID\\{A31B1730-068E-11D2-BA02-006008536FD9}\\InProcServer32");
    EXPECT_EQ(HandlerKeyPath("Folder"), "Folder\\shellex\\ContextMenuHandlers\\AddToTray");
}

TEST(ShellExtensionEntries, EveryValueOfTheTableInTheOrderWritten) {
    ShellExtensionFacts facts{"Add to &Tray", "C:\\PROG~1\\QUILLE~1.DLL", "C:\\Program Files\\q\\quillet.exe",
                              "HV:quilletMainWnd"};
    const std::string id = "{A31B1730-068E-11D2-BA02-006008536FD9}";
    const std::string clsid = "CLSID\\" + id;
    const std::string directory = "Directory\\shellex\\ContextMenuHandlers\\AddToTray";
    const std::string folder = "Folder\\shellex\\ContextMenuHandlers\\AddToTray";
    struct Expected {
        EntryRoot root;
        std::string key, name, text;
    };
    const std::vector<Expected> expected = {
        {EntryRoot::Classes, clsid, "", "Add to &Tray"},
        {EntryRoot::Classes, clsid + "\\InProcServer32", "", "C:\\PROG~1\\QUILLE~1.DLL"},
        {EntryRoot::Classes, clsid + "\\InProcServer32", "ThreadingModel", "Apartment"},
        {EntryRoot::Classes, directory, "", id},
        {EntryRoot::Classes, directory, "AppPath", "C:\\Program Files\\q\\quillet.exe"},
        {EntryRoot::Classes, directory, "WindowClass", "HV:quilletMainWnd"},
        {EntryRoot::Classes, folder, "", id},
        {EntryRoot::Classes, folder, "AppPath", "C:\\Program Files\\q\\quillet.exe"},
        {EntryRoot::Classes, folder, "WindowClass", "HV:quilletMainWnd"},
        {EntryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved", id,
         "Add to Tray"},
    };
    auto entries = ShellExtensionEntries(facts);
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].key + " : " + expected[i].name);
        EXPECT_EQ(entries[i].root, expected[i].root);
        EXPECT_EQ(entries[i].keyPath, expected[i].key);
        EXPECT_EQ(entries[i].valueName, expected[i].name);
        EXPECT_EQ(entries[i].text, expected[i].text);
    }
}

TEST(ShellExtensionEntries, TheCommandIsOfferedUnlessAnExistingHandlerKeySaysZero) {
    const HandlerSwitch missing{false, std::nullopt};
    const HandlerSwitch absent{true, std::nullopt};
    const HandlerSwitch on{true, 1u};
    const HandlerSwitch other{true, 7u};
    const HandlerSwitch off{true, 0u};
    // A missing key is not consulted even if something was read for it.
    const HandlerSwitch missingButZero{false, 0u};
    struct Case {
        const char* name;
        HandlerSwitch directory, folder;
        bool offered;
    };
    const Case cases[] = {
        {"fresh registration", absent, absent, true},
        {"both keys missing", missing, missing, true},
        {"both on", on, on, true},
        {"any non-zero counts as on", other, absent, true},
        {"both off", off, off, false},
        {"directory off", off, on, false},
        {"folder off", absent, off, false},
        {"folder key gone, directory off", off, missing, false},
        {"directory key gone, folder on", missing, on, true},
        {"a missing key's value is ignored", missingButZero, absent, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CommandEnabled(c.directory, c.folder), c.offered);
    }
}

TEST(ShellExtensionEntries, MenuTextFallsBackOnlyWhenTheClassKeyHasNone) {
    EXPECT_EQ(MenuTextOrDefault(std::string("Zum &Infobereich")), "Zum &Infobereich");
    EXPECT_EQ(MenuTextOrDefault(std::string()), "Add to Tray");
    EXPECT_EQ(MenuTextOrDefault(std::nullopt), "Add to Tray");
}

TEST(ShellExtensionEntries, APathIsHandedOverOnlyWhenAnAtomCanCarryItWhole) {
    const std::string longest = "C:\\" + std::string(252, 'a');
    struct Case {
        std::string path;
        bool accepted;
    };
    const Case cases[] = {
        {"C:\\", true},         {"C:\\My Folders\\Work", true},          {longest, true},
        {longest + "b", false}, {"C:\\" + std::string(300, 'a'), false}, {"", false},
        {"C:\\a\"b", false},    {std::string("C:\\a\nb"), false},
    };
    ASSERT_EQ(longest.size(), 255u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 40) + " (" + std::to_string(c.path.size()) + ")");
        EXPECT_EQ(CanHandOver(c.path), c.accepted);
    }
}

TEST(ShellExtensionEntries, HandOverArgumentsSurviveTheRuntimesSplitting) {
    // The C runtime reads 2n backslashes before a quote as n backslashes and
    // the quote as the argument's end.
    struct Case {
        std::string path, arguments;
    };
    const Case cases[] = {
        {"C:\\My Folders", "/N \"C:\\My Folders\""},
        {"C:\\", "/N \"C:\\\\\""},
        {"\\\\server\\share\\", "/N \"\\\\server\\share\\\\\""},
        {"C:\\a\\\\", "/N \"C:\\a\\\\\\\\\""},
        {"C:\\a\\b", "/N \"C:\\a\\b\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(HandOverArguments(c.path), c.arguments);
    }
}

}  // namespace
}  // namespace quillet
