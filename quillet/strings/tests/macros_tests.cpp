#include "quillet/strings/macros.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

VersionFacts SampleFacts() {
    VersionFacts facts;
    SetProgramPath(facts, "C:\\Program Files\\Quillet\\quillet.exe");
    facts.companyName = "Nimbrel Software";
    facts.fileDescription = "Tray menus";
    facts.fileDate = "12/10/2026";
    facts.fileVersion = "1.2.3.4";
    facts.internalName = "quillet";
    facts.legalCopyright = "(c) Nimbrel";
    facts.originalFilename = "quillet.exe";
    facts.productMajor = 3;
    facts.productName = "Quillet";
    facts.productVersion = "3.1;beta";
    return facts;  // Comments stays empty.
}

TEST(ExpandMacros, ExpandsEveryMacro) {
    const VersionFacts facts = SampleFacts();
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%bn", "quillet"},
        {"%bp", "C:\\Program Files\\Quillet"},
        {"%cn", "Nimbrel Software"},
        {"%cs", "Nimbrel"},
        {"%fd", "Tray menus"},
        {"%ft", "12/10/2026"},
        {"%fv", "1.2.3.4"},
        {"%in", "quillet"},
        {"%lc", "(c) Nimbrel"},
        {"%of", "quillet.exe"},
        {"%p1", "3"},
        {"%pn", "Quillet"},
        {"%pv", "3.1;beta"},
        {"%PN %Pv", "Quillet 3.1;beta"},
        {"Software\\%cs\\%pn", "Software\\Nimbrel\\Quillet"},
        {"\\%cs User Files", "\\Nimbrel User Files"},
        {"%bp\\%in???.mlb", "C:\\Program Files\\Quillet\\quillet???.mlb"},
        {"HV:%inMainWnd", "HV:quilletMainWnd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, ExpandMacros(c.text, facts));
    }
}

TEST(ExpandMacros, HandlesPercentSignsThatAreNoMacro) {
    const VersionFacts facts = SampleFacts();
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"100%%", "100%"},
        {"%%pn", "%pn"},
        {"%%%pn", "%Quillet"},
        {"%xy and %1", "%xy and %1"},
        {"HVGetPtr(%X)", "HVGetPtr(%X)"},
        {"%", "%"},
        {"%p", "%p"},
        {"ends in %pn", "ends in Quillet"},
        {"%%", "%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, ExpandMacros(c.text, facts));
    }
}

TEST(ExpandMacros, ADigitPicksAFieldAndAnEmptyValueSwallowsOneBlank) {
    const VersionFacts facts = SampleFacts();
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%pv0", "3.1"},       {"%pv1", "beta"},     {"[%pv3]", "[]"},     {"%pv3 x", "x"}, {"%pn0", "Quillet"},
        {"%pn1 rest", "rest"}, {"%cm word", "word"}, {"%cm  two", " two"}, {"a %cm", "a "}, {"%p10", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected, ExpandMacros(c.text, facts));
    }
}

TEST(ExpandMacros, TurnsByteACIntoALineBreak) {
    EXPECT_EQ("one\r\ntwo\r\n", ExpandMacros("one\xACtwo\xAC", SampleFacts()));
}

TEST(ExpandMacros, MissingVersionFactsGiveEmptyValues) {
    VersionFacts facts;
    EXPECT_EQ("[][]", ExpandMacros("[%p1][%cs]", facts));
    EXPECT_EQ("x", ExpandMacros("%pn x", facts));
}

TEST(SetProgramPath, SplitsFolderAndBaseName) {
    const struct {
        const char* path;
        const char* folder;
        const char* baseName;
    } cases[] = {
        {"C:\\Program Files\\Quillet\\quillet.exe", "C:\\Program Files\\Quillet", "quillet"},
        {"C:\\quillet.exe", "C:", "quillet"},
        {"C:\\a.b\\my.tool.exe", "C:\\a.b", "my.tool"},
        {"C:\\dir\\noext", "C:\\dir", "noext"},
        {"quillet.exe", "", "quillet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        VersionFacts facts;
        SetProgramPath(facts, c.path);
        EXPECT_EQ(c.folder, facts.folder);
        EXPECT_EQ(c.baseName, facts.baseName);
    }
}

}  // namespace
}  // namespace quillet
