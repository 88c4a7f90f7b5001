#include "kelvane/app/settings_dialog_rules.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(SettingsDialogRules, EachPageHasItsHelpContextAndPage) {
    const int contexts[] = {5200, 5300, 5400, 5500};
    const char* captions[] = {"General", "Adjuster", "Start Menu", "About"};
    for (size_t i = 0; i < kSettingsPageCount; ++i) {
        SCOPED_TRACE(captions[i]);
        EXPECT_EQ(SettingsPages()[i].caption, std::string(captions[i]));
        EXPECT_EQ(SettingsPages()[i].helpContext, contexts[i]);
        EXPECT_EQ(HelpPageOf(contexts[i]), std::string(SettingsPages()[i].helpPage));
    }
    EXPECT_FALSE(HelpPageOf(0).has_value());
    EXPECT_FALSE(HelpPageOf(5201).has_value());
}

TEST(SettingsDialogRules, TheDialogOpensOnTheStoredPageWhenThereIsOne) {
    struct Case {
        std::optional<int32_t> stored;
        int expected;
    };
    const Case cases[] = {{std::nullopt, 0}, {0, 0}, {2, 2}, {3, 3}, {4, 0}, {-1, 0}, {2147483647, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "missing");
        EXPECT_EQ(PageToOpen(c.stored), c.expected);
    }
}

TEST(SettingsDialogRules, TheSystemMenuSwitchForcesAndRestoresTheDoubleClickChoice) {
    struct Step {
        bool on;
        int expectedIndex;
        bool expectedEnabled;
    };
    // Loaded with "Always on top" (1), switched off, on, off, on.
    const Step steps[] = {{false, 0, false}, {true, 1, true}, {false, 0, false}, {true, 1, true}};
    int index = 1;
    int remembered = 1;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.on ? "on" : "off");
        MouseSettingsState state = MouseSettingsFor(step.on, index, remembered);
        EXPECT_EQ(state.doubleClickIndex, step.expectedIndex);
        EXPECT_EQ(state.enabled, step.expectedEnabled);
        index = state.doubleClickIndex;
        remembered = state.rememberedIndex;
    }
    // Loaded with the switch off: the stored choice is what comes back.
    MouseSettingsState loadedOff = MouseSettingsFor(false, 1, 1);
    EXPECT_EQ(MouseSettingsFor(true, loadedOff.doubleClickIndex, loadedOff.rememberedIndex).doubleClickIndex, 1);
}

TEST(SettingsDialogRules, TheDefaultsShowAndStoreThemselvesUnchanged) {
    KelvaneSettings defaults;
    SettingsDialogValues values = DialogValuesFrom(defaults);
    EXPECT_EQ(values.frequencyPosition, 1);
    EXPECT_EQ(values.offscreenPercentText, "25");
    EXPECT_EQ(values.doubleClickIndex, 0);
    EXPECT_EQ(values.delayTypeIndex, 0);
    KelvaneSettings applied;
    ApplyDialogValues(values, applied);
    EXPECT_EQ(applied, defaults);
}

TEST(SettingsDialogRules, EveryControlStoresItsSetting) {
    SettingsDialogValues values;
    values.adjustTop = false;
    values.adjustLeft = true;
    values.adjustBottom = false;
    values.adjustRight = true;
    values.frequencyPosition = 7;
    values.autoAdjustWindows = false;
    values.resizeWindows = true;
    values.dontAdjustIfOffscreen = false;
    values.offscreenPercentText = "45";
    values.showFinderTrayIcon = false;
    values.addSystemMenuCommands = true;
    values.showFinderIcons = false;
    values.doubleClickIndex = 1;
    values.emptyDocuments = true;
    values.emptyDocumentsDelay = 30;
    values.delayTypeIndex = 1;
    KelvaneSettings settings;
    ApplyDialogValues(values, settings);
    EXPECT_FALSE(settings.AdjustTop());
    EXPECT_TRUE(settings.AdjustLeft());
    EXPECT_FALSE(settings.AdjustBottom());
    EXPECT_TRUE(settings.AdjustRight());
    EXPECT_EQ(settings.AdjustFrequency(), 7000);
    EXPECT_FALSE(settings.AutoAdjustWindows());
    EXPECT_TRUE(settings.ResizeWindows());
    EXPECT_FALSE(settings.DontAdjustIfQuarterOffscreen());
    EXPECT_EQ(settings.OffscreenFactor(), 45);
    EXPECT_FALSE(settings.ShowFinderTrayIcon());
    EXPECT_TRUE(settings.AddSystemMenuCommands());
    EXPECT_FALSE(settings.ShowFinderIcons());
    EXPECT_EQ(settings.NCLButtonDblClk(), CNCLButtonDblClk::nbAlwaysOnTop);
    EXPECT_TRUE(settings.EmptyDocuments());
    EXPECT_EQ(settings.EmptyDocumentsDelay(), 30);
    EXPECT_EQ(settings.EmptyDocumentsDelayTimeType(), CMinutesSecondsTimeType::mstSeconds);
    EXPECT_EQ(DialogValuesFrom(settings).frequencyPosition, 7);

    values.frequencyPosition = 0;
    ApplyDialogValues(values, settings);
    EXPECT_EQ(settings.AdjustFrequency(), 500) << "position 0 is half a second";
    EXPECT_EQ(DialogValuesFrom(settings).frequencyPosition, 0);
}

TEST(SettingsDialogRules, AChoiceTheComboBoxCannotShowIsKept) {
    // "nbHideWindow" has no entry in the two-item combo box; the dialog must
    // not turn it into "no valid value" when the user presses OK.
    KelvaneSettings settings;
    settings.SetNCLButtonDblClk(CNCLButtonDblClk::nbHideWindow);
    settings.Set(KelvaneSetting::EmptyDocumentsDelayTimeType, kNoValidValue);
    SettingsDialogValues values = DialogValuesFrom(settings);
    EXPECT_EQ(values.doubleClickIndex, -1);
    EXPECT_EQ(values.delayTypeIndex, -1);
    values.offscreenPercentText = "lots";
    ApplyDialogValues(values, settings);
    EXPECT_EQ(settings.NCLButtonDblClk(), CNCLButtonDblClk::nbHideWindow);
    EXPECT_EQ(settings.EmptyDocumentsDelayTimeType(), CMinutesSecondsTimeType::NoValidValue);
    EXPECT_EQ(settings.OffscreenFactor(), 25) << "a percentage that is no number stores nothing";
}

TEST(SettingsDialogRules, TheVersionTextLosesItsLastPart) {
    EXPECT_EQ(VersionText("1.0.0.0"), "1.0.0");
    EXPECT_EQ(VersionText("2.5"), "2");
    EXPECT_EQ(VersionText("7"), "7");
    EXPECT_EQ(DialUpNetworkingCaption(true), "Dial-Up Networking");
    EXPECT_EQ(DialUpNetworkingCaption(false), "Dial-Up Networking (Only for Windows 95)");
}

}  // namespace
}  // namespace kelvane
