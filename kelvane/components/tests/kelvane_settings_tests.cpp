#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "kelvane/components/kelvane_settings.h"

using namespace kelvane;

namespace {

// A settings key held in memory: what was written, with the type it was written as.
class MapStore : public SettingsStore {
public:
    std::map<std::string, StoredValue> values;
    bool failWrites = false;

    std::optional<StoredValue> ReadValue(const std::string& name) const override {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    bool WriteBool(const std::string& name, bool value) override {
        return Write(name, StoredValue::FromDword(value ? 1 : 0));
    }
    bool WriteInteger(const std::string& name, int32_t value) override {
        return Write(name, StoredValue::FromDword(static_cast<uint32_t>(value)));
    }
    bool WriteString(const std::string& name, const std::string& text) override {
        return Write(name, StoredValue::FromText(text));
    }

private:
    bool Write(const std::string& name, StoredValue value) {
        if (failWrites) return false;
        values[name] = std::move(value);
        return true;
    }
};

}  // namespace

// The stored names, types and defaults are what existing installations hold.
TEST(KelvaneSettingsTable, NamesTypesAndDefaults) {
    using T = SettingType;
    struct Row {
        const char* name;
        SettingType type;
        const char* defaultText;  // as SaveTo writes it
    };
    const Row expected[] = {
        {"Adjust Top", T::Boolean, "1"},
        {"Adjust Bottom", T::Boolean, "1"},
        {"Adjust Left", T::Boolean, "1"},
        {"Adjust Right", T::Boolean, "1"},
        {"Resize Windows", T::Boolean, "1"},
        {"Auto Adjust Windows", T::Boolean, "1"},
        {"Adjust Frequency", T::Integer, "1000"},
        {"Extend Top", T::Integer, "0"},
        {"Extend Left", T::Integer, "0"},
        {"Extend Right", T::Integer, "0"},
        {"Extend Bottom", T::Integer, "0"},
        {"Adjust To Extend Bounds", T::Boolean, "0"},
        {"AlwaysOnTop Enabled", T::Boolean, "1"},
        {"HideWindow Enabled", T::Boolean, "1"},
        {"Add System Menu Commands", T::Boolean, "1"},
        {"Show Finder Icons", T::Boolean, "1"},
        {"Save Window Positions", T::Boolean, "1"},
        {"Show Tray Icon", T::Boolean, "1"},
        {"Show Finder Tray Icon", T::Boolean, "1"},
        {"Merge Finder Menu", T::Boolean, "1"},
        {"Kelvane Any Click Popup", T::Boolean, "1"},
        {"Dont Adjust If Quarter Offscreen", T::Boolean, "1"},
        {"Offscreen Factor", T::Integer, "25"},
        {"Show Adjust Windows Item", T::Boolean, "1"},
        {"Show Adjust All Item", T::Boolean, "1"},
        {"NCL Button DblClk", T::Enumeration, "nbDefault"},
        {"EmptyDocuments", T::Boolean, "0"},
        {"EmptyDocumentsDelay", T::Integer, "1"},
        {"EmptyDocumentsDelayTimeType", T::Enumeration, "mstMinutes"},
    };
    ASSERT_EQ(std::size(expected), KelvaneSettingsTable().size());

    MapStore store;
    ASSERT_TRUE(KelvaneSettings().SaveTo(store));
    EXPECT_EQ(std::size(expected), store.values.size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Row& row = expected[i];
        SCOPED_TRACE(row.name);
        const SettingDescriptor& descriptor = KelvaneSettingsTable()[i];
        EXPECT_EQ(static_cast<size_t>(descriptor.setting), i);
        EXPECT_STREQ(row.name, descriptor.valueName);
        EXPECT_EQ(row.type, descriptor.type);
        ASSERT_EQ(1u, store.values.count(row.name));
        const StoredValue& written = store.values[row.name];
        EXPECT_EQ(row.type == T::Enumeration ? StoredValue::Kind::Text : StoredValue::Kind::Dword, written.kind);
        EXPECT_EQ(row.defaultText, AsText(written));
    }
}

TEST(KelvaneSettings, DefaultsThroughTheAccessors) {
    KelvaneSettings settings;
    EXPECT_TRUE(settings.AdjustTop());
    EXPECT_TRUE(settings.AutoAdjustWindows());
    EXPECT_EQ(1000, settings.AdjustFrequency());
    EXPECT_EQ(1, settings.AdjustFrequencySeconds());
    EXPECT_EQ(0, settings.ExtendLeft());
    EXPECT_FALSE(settings.AdjustToExtendBounds());
    EXPECT_TRUE(settings.ExtendBoundsInUse());
    EXPECT_EQ(25, settings.OffscreenFactor());
    EXPECT_EQ(CNCLButtonDblClk::nbDefault, settings.NCLButtonDblClk());
    EXPECT_FALSE(settings.EmptyDocuments());
    EXPECT_EQ(1, settings.EmptyDocumentsDelay());
    EXPECT_EQ(CMinutesSecondsTimeType::mstMinutes, settings.EmptyDocumentsDelayTimeType());
    EXPECT_EQ(60000, settings.EmptyDocumentsInterval());
}

TEST(KelvaneSettings, FrequencyNeverGoesBelowHalfASecond) {
    struct Case {
        int32_t milliseconds;
        int32_t expected;
    };
    const Case cases[] = {{200, 500}, {0, 500}, {-100, 500}, {INT32_MIN, 500}, {499, 500}, {500, 500}, {2500, 2500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.milliseconds);
        KelvaneSettings settings;
        settings.SetAdjustFrequency(c.milliseconds);
        EXPECT_EQ(c.expected, settings.AdjustFrequency());
    }
}

TEST(KelvaneSettings, FrequencyInSeconds) {
    struct Case {
        int32_t seconds;
        int32_t milliseconds;
        int32_t readBack;
    };
    const Case cases[] = {{0, 500, 0}, {1, 1000, 1}, {7, 7000, 7}, {-3, 500, 0}, {INT32_MAX, INT32_MAX, 2147483}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        KelvaneSettings settings;
        settings.SetAdjustFrequencySeconds(c.seconds);
        EXPECT_EQ(c.milliseconds, settings.AdjustFrequency());
        EXPECT_EQ(c.readBack, settings.AdjustFrequencySeconds());
    }
    KelvaneSettings settings;
    settings.SetAdjustFrequency(1999);
    EXPECT_EQ(1, settings.AdjustFrequencySeconds()) << "whole seconds, rounded down";
}

TEST(KelvaneSettings, DocumentsTimerInterval) {
    using U = CMinutesSecondsTimeType;
    struct Case {
        int32_t delay;
        U unit;
        int32_t expected;
    };
    const Case cases[] = {
        {30, U::mstSeconds, 30000},
        {2, U::mstMinutes, 120000},
        {1, U::mstMinutes, 60000},
        {5, U::NoValidValue, 0},
        {0, U::mstMinutes, 0},
        {-4, U::mstSeconds, 0},
        {100000, U::mstMinutes, INT32_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        EXPECT_EQ(c.expected, EmptyDocumentsIntervalMs(c.delay, c.unit));
    }
}

TEST(KelvaneSettings, EnumerationsOutOfRangeHoldNoValidValue) {
    KelvaneSettings settings;
    settings.SetNCLButtonDblClk(static_cast<CNCLButtonDblClk>(7));
    EXPECT_EQ(CNCLButtonDblClk::NoValidValue, settings.NCLButtonDblClk());
    settings.Set(KelvaneSetting::AdjustTop, 5);
    EXPECT_EQ(1, settings.Get(KelvaneSetting::AdjustTop));
}

TEST(KelvaneSettingsLoad, MissingValuesKeepTheirDefaults) {
    MapStore store;
    store.values["Adjust Top"] = StoredValue::FromDword(0);
    store.values["Offscreen Factor"] = StoredValue::FromDword(50);
    KelvaneSettings settings;
    settings.LoadFrom(store);

    KelvaneSettings expected;
    expected.SetAdjustTop(false);
    expected.SetOffscreenFactor(50);
    EXPECT_EQ(expected, settings);
}

TEST(KelvaneSettingsLoad, StoredValuesFollowTheConversionRules) {
    struct Case {
        const char* name;
        StoredValue stored;
        KelvaneSetting setting;
        int32_t expected;
    };
    using S = KelvaneSetting;
    const int32_t noValue = kNoValidValue;
    const Case cases[] = {
        {"Adjust Frequency", StoredValue::FromDword(200), S::AdjustFrequency, 500},
        {"Adjust Frequency", StoredValue::FromText("200"), S::AdjustFrequency, 500},
        {"Adjust Frequency", StoredValue::FromText("3000"), S::AdjustFrequency, 3000},
        {"Adjust Frequency", StoredValue::FromText("fast"), S::AdjustFrequency, 1000},
        {"Adjust Frequency", StoredValue::FromText(std::string(100000, '9')), S::AdjustFrequency, 1000},
        {"Extend Top", StoredValue::FromDword(0xFFFFFFF6u), S::ExtendTop, -10},
        {"Extend Left", StoredValue::FromBinary("12"), S::ExtendLeft, 12},
        {"Adjust Right", StoredValue::FromText("0"), S::AdjustRight, 0},
        {"Adjust Right", StoredValue::FromText("maybe"), S::AdjustRight, 1},
        {"EmptyDocuments", StoredValue::FromDword(2), S::EmptyDocuments, 1},
        {"NCL Button DblClk", StoredValue::FromText("nbHideWindow"), S::NCLButtonDblClk, 2},
        {"NCL Button DblClk", StoredValue::FromText("nbAlwaysOnTop"), S::NCLButtonDblClk, 1},
        {"NCL Button DblClk", StoredValue::FromText("nbMaximize"), S::NCLButtonDblClk, noValue},
        {"NCL Button DblClk", StoredValue::FromText(""), S::NCLButtonDblClk, noValue},
        {"NCL Button DblClk", StoredValue::FromText(std::string(100000, 'n')), S::NCLButtonDblClk, noValue},
        {"NCL Button DblClk", StoredValue::FromDword(1), S::NCLButtonDblClk, noValue},
        {"EmptyDocumentsDelayTimeType", StoredValue::FromBinary(std::string("mstSeconds\0", 11)),
         S::EmptyDocumentsDelayTimeType, 1},
        {"EmptyDocumentsDelayTimeType", StoredValue::FromText("mstHours"), S::EmptyDocumentsDelayTimeType, noValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " = '" + AsText(c.stored).substr(0, 20) + "'");
        MapStore store;
        store.values[c.name] = c.stored;
        KelvaneSettings settings;
        settings.LoadFrom(store);
        EXPECT_EQ(c.expected, settings.Get(c.setting));
    }
}

TEST(KelvaneSettingsLoad, UnknownDocumentsUnitStopsTheTimer) {
    MapStore store;
    store.values["EmptyDocumentsDelayTimeType"] = StoredValue::FromText("mstFortnights");
    store.values["EmptyDocumentsDelay"] = StoredValue::FromDword(30);
    KelvaneSettings settings;
    settings.LoadFrom(store);
    EXPECT_EQ(0, settings.EmptyDocumentsInterval());
}

TEST(KelvaneSettingsSave, RoundTripOfEverySettingAwayFromItsDefault) {
    KelvaneSettings changed;
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        switch (row.type) {
        case SettingType::Boolean: changed.Set(row.setting, !row.defaultValue); break;
        case SettingType::Integer: changed.Set(row.setting, row.defaultValue + 1234); break;
        case SettingType::Enumeration: changed.Set(row.setting, 1); break;
        }
    }
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        EXPECT_NE(changed.Get(row.setting), KelvaneSettings().Get(row.setting)) << row.valueName;
    }

    MapStore store;
    ASSERT_TRUE(changed.SaveTo(store));
    EXPECT_EQ("nbAlwaysOnTop", store.values["NCL Button DblClk"].text);
    EXPECT_EQ("mstSeconds", store.values["EmptyDocumentsDelayTimeType"].text);
    EXPECT_EQ(0u, store.values["Adjust Top"].dword);
    EXPECT_EQ(2234u, store.values["Adjust Frequency"].dword);

    KelvaneSettings loaded;
    loaded.LoadFrom(store);
    EXPECT_EQ(changed, loaded);
}

TEST(KelvaneSettingsSave, NoValidValueLeavesTheStoredTextAlone) {
    MapStore store;
    store.values["NCL Button DblClk"] = StoredValue::FromText("nbSomethingNew");
    KelvaneSettings settings;
    settings.LoadFrom(store);
    ASSERT_TRUE(settings.SaveTo(store));
    EXPECT_EQ("nbSomethingNew", store.values["NCL Button DblClk"].text);
}

TEST(KelvaneSettingsSave, ReportsFailedWrites) {
    MapStore store;
    store.failWrites = true;
    EXPECT_FALSE(KelvaneSettings().SaveTo(store));
}
