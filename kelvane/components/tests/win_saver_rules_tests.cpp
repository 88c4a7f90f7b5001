#include <gtest/gtest.h>

#include <map>

#include "kelvane/components/win_saver_rules.h"

using namespace kelvane;

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

ReadText ReaderOf(const std::map<std::string, std::string>& values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

}  // namespace

TEST(WinSaverRules, OptionBits) {
    EXPECT_EQ(1u, CSaveOptions{CSaveOption::soSaveLocation}.Bits());
    EXPECT_EQ(15u, (CSaveOptions{CSaveOption::soSaveLocation, CSaveOption::soSaveSize, CSaveOption::soSaveState,
                                 CSaveOption::soSaveVisible}
                        .Bits()));
    EXPECT_EQ(6u, CSaveOptions::FromBits(0xF6).Bits());
}

TEST(WinSaverRules, ValueNamesFollowTheFormClass) {
    FormPosition position{100, 40, 640, 480, FormWindowState::Maximized, false};
    struct Case {
        CSaveOptions options;
        Values expected;
    };
    const Case cases[] = {
        {{CSaveOption::soSaveLocation}, {{"TfrmMainKelvane_Top", "40"}, {"TfrmMainKelvane_Left", "100"}}},
        {{CSaveOption::soSaveSize}, {{"TfrmMainKelvane_Width", "640"}, {"TfrmMainKelvane_Height", "480"}}},
        {{CSaveOption::soSaveState}, {{"TfrmMainKelvane_WindowState", "3"}}},
        {{CSaveOption::soSaveVisible}, {{"TfrmMainKelvane_Visible", "0"}}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.Bits());
        EXPECT_EQ(c.expected, FormPositionValues("TfrmMainKelvane", c.options, position));
    }
}

TEST(WinSaverRules, WindowStateCodes) {
    EXPECT_EQ(2, WindowStateCode(FormWindowState::Normal));
    EXPECT_EQ(1, WindowStateCode(FormWindowState::Minimized));
    EXPECT_EQ(3, WindowStateCode(FormWindowState::Maximized));
    const std::pair<int, FormWindowState> reads[] = {
        {2, FormWindowState::Normal}, {1, FormWindowState::Minimized}, {3, FormWindowState::Maximized},
        {0, FormWindowState::Normal}, {4, FormWindowState::Normal},    {-1, FormWindowState::Normal},
    };
    for (const auto& [code, state] : reads) {
        SCOPED_TRACE(code);
        EXPECT_EQ(state, WindowStateFromCode(code));
    }
}

TEST(WinSaverRules, ReadsBackWhatItWrote) {
    FormPosition position{-20, 15, 300, 200, FormWindowState::Minimized, true};
    CSaveOptions all{CSaveOption::soSaveLocation, CSaveOption::soSaveSize, CSaveOption::soSaveState,
                     CSaveOption::soSaveVisible};
    std::map<std::string, std::string> stored;
    for (const auto& [name, text] : FormPositionValues("TfrmProbe", all, position)) stored[name] = text;

    StoredFormPosition read = ReadFormPosition("TfrmProbe", all, ReaderOf(stored));
    EXPECT_EQ(-20, read.left);
    EXPECT_EQ(15, read.top);
    EXPECT_EQ(300, read.width);
    EXPECT_EQ(200, read.height);
    EXPECT_EQ(FormWindowState::Minimized, read.state);
    EXPECT_EQ(true, read.visible);

    StoredFormPosition locationOnly = ReadFormPosition("TfrmProbe", {CSaveOption::soSaveLocation}, ReaderOf(stored));
    EXPECT_EQ(-20, locationOnly.left);
    EXPECT_FALSE(locationOnly.width);
    EXPECT_FALSE(locationOnly.state);
}

TEST(WinSaverRules, MissingOrUnreadableValuesStayEmpty) {
    CSaveOptions all{CSaveOption::soSaveLocation, CSaveOption::soSaveSize, CSaveOption::soSaveState,
                     CSaveOption::soSaveVisible};
    std::map<std::string, std::string> stored = {
        {"TfrmProbe_Left", "left"},  {"TfrmProbe_Top", ""},          {"TfrmProbe_Width", "0"},
        {"TfrmProbe_Height", "-40"}, {"TfrmProbe_WindowState", "9"}, {"TfrmProbe_Visible", "perhaps"},
    };
    StoredFormPosition read = ReadFormPosition("TfrmProbe", all, ReaderOf(stored));
    EXPECT_FALSE(read.left);
    EXPECT_FALSE(read.top);
    EXPECT_FALSE(read.width) << "a window is never restored to no size";
    EXPECT_FALSE(read.height);
    EXPECT_EQ(FormWindowState::Normal, read.state) << "an unknown state code reads as normal";
    EXPECT_FALSE(read.visible);

    EXPECT_FALSE(ReadFormPosition("TfrmOther", all, ReaderOf(stored)).left);
}
