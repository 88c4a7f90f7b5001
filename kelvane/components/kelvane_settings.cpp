#include "kelvane/components/kelvane_settings.h"

#include <algorithm>
#include <climits>

namespace kelvane {
namespace {

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

const EnumIdentifiers& NCLButtonDblClkIdentifiers() {
    static const EnumIdentifiers identifiers = {"nbDefault", "nbAlwaysOnTop", "nbHideWindow"};
    return identifiers;
}

const EnumIdentifiers& MinutesSecondsTimeTypeIdentifiers() {
    static const EnumIdentifiers identifiers = {"mstMinutes", "mstSeconds"};
    return identifiers;
}

const std::array<SettingDescriptor, kKelvaneSettingCount>& KelvaneSettingsTable() {
    using S = KelvaneSetting;
    constexpr SettingType B = SettingType::Boolean;
    constexpr SettingType I = SettingType::Integer;
    constexpr SettingType E = SettingType::Enumeration;
    static const std::array<SettingDescriptor, kKelvaneSettingCount> table = {{
        {S::AdjustTop, "Adjust Top", B, 1, nullptr},
        {S::AdjustBottom, "Adjust Bottom", B, 1, nullptr},
        {S::AdjustLeft, "Adjust Left", B, 1, nullptr},
        {S::AdjustRight, "Adjust Right", B, 1, nullptr},
        {S::ResizeWindows, "Resize Windows", B, 1, nullptr},
        {S::AutoAdjustWindows, "Auto Adjust Windows", B, 1, nullptr},
        {S::AdjustFrequency, "Adjust Frequency", I, 1000, nullptr},
        {S::ExtendTop, "Extend Top", I, 0, nullptr},
        {S::ExtendLeft, "Extend Left", I, 0, nullptr},
        {S::ExtendRight, "Extend Right", I, 0, nullptr},
        {S::ExtendBottom, "Extend Bottom", I, 0, nullptr},
        {S::AdjustToExtendBounds, "Adjust To Extend Bounds", B, 0, nullptr},
        {S::AlwaysOnTopEnabled, "AlwaysOnTop Enabled", B, 1, nullptr},
        {S::HideWindowEnabled, "HideWindow Enabled", B, 1, nullptr},
        {S::AddSystemMenuCommands, "Add System Menu Commands", B, 1, nullptr},
        {S::ShowFinderIcons, "Show Finder Icons", B, 1, nullptr},
        {S::SaveWindowPositions, "Save Window Positions", B, 1, nullptr},
        {S::ShowTrayIcon, "Show Tray Icon", B, 1, nullptr},
        {S::ShowFinderTrayIcon, "Show Finder Tray Icon", B, 1, nullptr},
        {S::MergeFinderMenu, "Merge Finder Menu", B, 1, nullptr},
        {S::KelvaneAnyClickPopup, "Kelvane Any Click Popup", B, 1, nullptr},
        {S::DontAdjustIfQuarterOffscreen, "Dont Adjust If Quarter Offscreen", B, 1, nullptr},
        {S::OffscreenFactor, "Offscreen Factor", I, 25, nullptr},
        {S::ShowAdjustWindowsItem, "Show Adjust Windows Item", B, 1, nullptr},
        {S::ShowAdjustAllItem, "Show Adjust All Item", B, 1, nullptr},
        {S::NCLButtonDblClk, "NCL Button DblClk", E, static_cast<int32_t>(CNCLButtonDblClk::nbDefault),
         &NCLButtonDblClkIdentifiers()},
        {S::EmptyDocuments, "EmptyDocuments", B, 0, nullptr},
        {S::EmptyDocumentsDelay, "EmptyDocumentsDelay", I, 1, nullptr},
        {S::EmptyDocumentsDelayTimeType, "EmptyDocumentsDelayTimeType", E,
         static_cast<int32_t>(CMinutesSecondsTimeType::mstMinutes), &MinutesSecondsTimeTypeIdentifiers()},
    }};
    return table;
}

const SettingDescriptor& DescriptorOf(KelvaneSetting setting) {
    return KelvaneSettingsTable()[static_cast<size_t>(setting)];
}

int32_t EmptyDocumentsIntervalMs(int32_t delay, CMinutesSecondsTimeType unit) {
    int64_t factor = 0;
    switch (unit) {
    case CMinutesSecondsTimeType::mstMinutes: factor = 60000; break;
    case CMinutesSecondsTimeType::mstSeconds: factor = 1000; break;
    case CMinutesSecondsTimeType::NoValidValue: break;
    }
    // A negative delay would turn into an enormous unsigned timer interval,
    // and a large one would overflow: keep the result within 0..INT32_MAX.
    return static_cast<int32_t>(std::clamp<int64_t>(factor * delay, 0, INT32_MAX));
}

KelvaneSettings::KelvaneSettings() {
    Defaults();
}

void KelvaneSettings::Set(KelvaneSetting setting, int32_t value) {
    const SettingDescriptor& row = DescriptorOf(setting);
    switch (row.type) {
    case SettingType::Boolean: value = value != 0 ? 1 : 0; break;
    case SettingType::Enumeration:
        if (EnumText(*row.identifiers, value).empty()) value = kNoValidValue;
        break;
    case SettingType::Integer:
        if (setting == KelvaneSetting::AdjustFrequency) value = std::max(value, kMinimumAdjustFrequency);
        break;
    }
    m_values[static_cast<size_t>(setting)] = value;
}

void KelvaneSettings::SetAdjustFrequencySeconds(int32_t seconds) {
    SetAdjustFrequency(ClampToInt32(int64_t{seconds} * 1000));
}

void KelvaneSettings::Defaults() {
    for (const SettingDescriptor& row : KelvaneSettingsTable()) Set(row.setting, row.defaultValue);
}

void KelvaneSettings::LoadFrom(const SettingsStore& store) {
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        std::optional<StoredValue> stored = store.ReadValue(row.valueName);
        if (!stored) continue;
        switch (row.type) {
        case SettingType::Boolean:
            if (auto on = AsBoolean(*stored)) Set(row.setting, *on);
            break;
        case SettingType::Integer:
            if (auto number = AsInteger(*stored)) Set(row.setting, *number);
            break;
        case SettingType::Enumeration: Set(row.setting, EnumValueFromText(*row.identifiers, AsText(*stored))); break;
        }
    }
}

bool KelvaneSettings::SaveTo(SettingsStore& store) const {
    bool allWritten = true;
    for (const SettingDescriptor& row : KelvaneSettingsTable()) {
        int32_t value = Get(row.setting);
        switch (row.type) {
        case SettingType::Boolean: allWritten &= store.WriteBool(row.valueName, value != 0); break;
        case SettingType::Integer: allWritten &= store.WriteInteger(row.valueName, value); break;
        case SettingType::Enumeration:
            if (value != kNoValidValue) {
                allWritten &= store.WriteString(row.valueName, EnumText(*row.identifiers, value));
            }
            break;
        }
    }
    return allWritten;
}

}  // namespace kelvane
