// The window manager's settings: value names, stored types, defaults, the
// derived quantities and how the whole set is loaded and saved.
#pragma once

#include <array>
#include <cstdint>

#include "kelvane/components/stored_value.h"

namespace kelvane {

// Title-bar double-click action.
enum class CNCLButtonDblClk { NoValidValue = kNoValidValue, nbDefault = 0, nbAlwaysOnTop, nbHideWindow };
// Unit of the Documents-emptying delay.
enum class CMinutesSecondsTimeType { NoValidValue = kNoValidValue, mstMinutes = 0, mstSeconds };

const EnumIdentifiers& NCLButtonDblClkIdentifiers();
const EnumIdentifiers& MinutesSecondsTimeTypeIdentifiers();

// Every setting of the table, in the order it is loaded and saved.
enum class KelvaneSetting {
    AdjustTop,
    AdjustBottom,
    AdjustLeft,
    AdjustRight,
    ResizeWindows,
    AutoAdjustWindows,
    AdjustFrequency,
    ExtendTop,
    ExtendLeft,
    ExtendRight,
    ExtendBottom,
    AdjustToExtendBounds,
    AlwaysOnTopEnabled,
    HideWindowEnabled,
    AddSystemMenuCommands,
    ShowFinderIcons,
    SaveWindowPositions,
    ShowTrayIcon,
    ShowFinderTrayIcon,
    MergeFinderMenu,
    KelvaneAnyClickPopup,
    DontAdjustIfQuarterOffscreen,
    OffscreenFactor,
    ShowAdjustWindowsItem,
    ShowAdjustAllItem,
    NCLButtonDblClk,
    EmptyDocuments,
    EmptyDocumentsDelay,
    EmptyDocumentsDelayTimeType,
};
inline constexpr size_t kKelvaneSettingCount = static_cast<size_t>(KelvaneSetting::EmptyDocumentsDelayTimeType) + 1;

// How a setting is stored: booleans as DWORD 0/1, integers as DWORD,
// enumerations as their identifier text.
enum class SettingType { Boolean, Integer, Enumeration };

struct SettingDescriptor {
    KelvaneSetting setting;
    const char* valueName;
    SettingType type;
    int32_t defaultValue;                // enumerations: the value's ordinal
    const EnumIdentifiers* identifiers;  // enumerations only
};

// The table of all settings, in the order of KelvaneSetting.
const std::array<SettingDescriptor, kKelvaneSettingCount>& KelvaneSettingsTable();
const SettingDescriptor& DescriptorOf(KelvaneSetting setting);

// Values the window manager keeps in the same key, read and written one by one.
inline constexpr const char* kFirstTimeRunValue = "First Time Run";
inline constexpr const char* kCcpAlreadyExistsValue = "CCP Already Exists";
inline constexpr const char* kCpAlreadyExistsValue = "CP Already Exists";
inline constexpr const char* kCduAlreadyExistsValue = "CDU Already Exists";
inline constexpr const char* kControlLastPageValue = "Control Last Page";

// The lowest timer interval the adjuster may run at.
inline constexpr int32_t kMinimumAdjustFrequency = 500;

// Milliseconds of the Documents-emptying timer; 0 (never fires) for a unit
// that names no value.
int32_t EmptyDocumentsIntervalMs(int32_t delay, CMinutesSecondsTimeType unit);

class KelvaneSettings {
public:
    // Every setting at its default.
    KelvaneSettings();

    bool AdjustTop() const { return Bool(KelvaneSetting::AdjustTop); }
    bool AdjustBottom() const { return Bool(KelvaneSetting::AdjustBottom); }
    bool AdjustLeft() const { return Bool(KelvaneSetting::AdjustLeft); }
    bool AdjustRight() const { return Bool(KelvaneSetting::AdjustRight); }
    bool ResizeWindows() const { return Bool(KelvaneSetting::ResizeWindows); }
    bool AutoAdjustWindows() const { return Bool(KelvaneSetting::AutoAdjustWindows); }
    int32_t AdjustFrequency() const { return Get(KelvaneSetting::AdjustFrequency); }
    int32_t ExtendTop() const { return Get(KelvaneSetting::ExtendTop); }
    int32_t ExtendLeft() const { return Get(KelvaneSetting::ExtendLeft); }
    int32_t ExtendRight() const { return Get(KelvaneSetting::ExtendRight); }
    int32_t ExtendBottom() const { return Get(KelvaneSetting::ExtendBottom); }
    bool AdjustToExtendBounds() const { return Bool(KelvaneSetting::AdjustToExtendBounds); }
    bool AlwaysOnTopEnabled() const { return Bool(KelvaneSetting::AlwaysOnTopEnabled); }
    bool HideWindowEnabled() const { return Bool(KelvaneSetting::HideWindowEnabled); }
    bool AddSystemMenuCommands() const { return Bool(KelvaneSetting::AddSystemMenuCommands); }
    bool ShowFinderIcons() const { return Bool(KelvaneSetting::ShowFinderIcons); }
    bool SaveWindowPositions() const { return Bool(KelvaneSetting::SaveWindowPositions); }
    bool ShowTrayIcon() const { return Bool(KelvaneSetting::ShowTrayIcon); }
    bool ShowFinderTrayIcon() const { return Bool(KelvaneSetting::ShowFinderTrayIcon); }
    bool MergeFinderMenu() const { return Bool(KelvaneSetting::MergeFinderMenu); }
    bool KelvaneAnyClickPopup() const { return Bool(KelvaneSetting::KelvaneAnyClickPopup); }
    bool DontAdjustIfQuarterOffscreen() const { return Bool(KelvaneSetting::DontAdjustIfQuarterOffscreen); }
    int32_t OffscreenFactor() const { return Get(KelvaneSetting::OffscreenFactor); }
    bool ShowAdjustWindowsItem() const { return Bool(KelvaneSetting::ShowAdjustWindowsItem); }
    bool ShowAdjustAllItem() const { return Bool(KelvaneSetting::ShowAdjustAllItem); }
    CNCLButtonDblClk NCLButtonDblClk() const {
        return static_cast<CNCLButtonDblClk>(Get(KelvaneSetting::NCLButtonDblClk));
    }
    bool EmptyDocuments() const { return Bool(KelvaneSetting::EmptyDocuments); }
    int32_t EmptyDocumentsDelay() const { return Get(KelvaneSetting::EmptyDocumentsDelay); }
    CMinutesSecondsTimeType EmptyDocumentsDelayTimeType() const {
        return static_cast<CMinutesSecondsTimeType>(Get(KelvaneSetting::EmptyDocumentsDelayTimeType));
    }

    // Always on: the adjuster honours the four Extend values. Never stored.
    bool ExtendBoundsInUse() const { return true; }

    // Whole seconds of the adjuster's interval.
    int32_t AdjustFrequencySeconds() const { return AdjustFrequency() / 1000; }
    int32_t EmptyDocumentsInterval() const {
        return EmptyDocumentsIntervalMs(EmptyDocumentsDelay(), EmptyDocumentsDelayTimeType());
    }

    void SetAdjustTop(bool on) { Set(KelvaneSetting::AdjustTop, on); }
    void SetAdjustBottom(bool on) { Set(KelvaneSetting::AdjustBottom, on); }
    void SetAdjustLeft(bool on) { Set(KelvaneSetting::AdjustLeft, on); }
    void SetAdjustRight(bool on) { Set(KelvaneSetting::AdjustRight, on); }
    void SetResizeWindows(bool on) { Set(KelvaneSetting::ResizeWindows, on); }
    void SetAutoAdjustWindows(bool on) { Set(KelvaneSetting::AutoAdjustWindows, on); }
    // Below 500 ms is taken as 500 ms.
    void SetAdjustFrequency(int32_t milliseconds) { Set(KelvaneSetting::AdjustFrequency, milliseconds); }
    // Seconds x 1000; 0 seconds (and anything below) gives 500 ms.
    void SetAdjustFrequencySeconds(int32_t seconds);
    void SetExtendTop(int32_t pixels) { Set(KelvaneSetting::ExtendTop, pixels); }
    void SetExtendLeft(int32_t pixels) { Set(KelvaneSetting::ExtendLeft, pixels); }
    void SetExtendRight(int32_t pixels) { Set(KelvaneSetting::ExtendRight, pixels); }
    void SetExtendBottom(int32_t pixels) { Set(KelvaneSetting::ExtendBottom, pixels); }
    void SetAdjustToExtendBounds(bool on) { Set(KelvaneSetting::AdjustToExtendBounds, on); }
    void SetAlwaysOnTopEnabled(bool on) { Set(KelvaneSetting::AlwaysOnTopEnabled, on); }
    void SetHideWindowEnabled(bool on) { Set(KelvaneSetting::HideWindowEnabled, on); }
    void SetAddSystemMenuCommands(bool on) { Set(KelvaneSetting::AddSystemMenuCommands, on); }
    void SetShowFinderIcons(bool on) { Set(KelvaneSetting::ShowFinderIcons, on); }
    void SetSaveWindowPositions(bool on) { Set(KelvaneSetting::SaveWindowPositions, on); }
    void SetShowTrayIcon(bool on) { Set(KelvaneSetting::ShowTrayIcon, on); }
    void SetShowFinderTrayIcon(bool on) { Set(KelvaneSetting::ShowFinderTrayIcon, on); }
    void SetMergeFinderMenu(bool on) { Set(KelvaneSetting::MergeFinderMenu, on); }
    void SetKelvaneAnyClickPopup(bool on) { Set(KelvaneSetting::KelvaneAnyClickPopup, on); }
    void SetDontAdjustIfQuarterOffscreen(bool on) { Set(KelvaneSetting::DontAdjustIfQuarterOffscreen, on); }
    void SetOffscreenFactor(int32_t percent) { Set(KelvaneSetting::OffscreenFactor, percent); }
    void SetShowAdjustWindowsItem(bool on) { Set(KelvaneSetting::ShowAdjustWindowsItem, on); }
    void SetShowAdjustAllItem(bool on) { Set(KelvaneSetting::ShowAdjustAllItem, on); }
    void SetNCLButtonDblClk(CNCLButtonDblClk action) {
        Set(KelvaneSetting::NCLButtonDblClk, static_cast<int32_t>(action));
    }
    void SetEmptyDocuments(bool on) { Set(KelvaneSetting::EmptyDocuments, on); }
    void SetEmptyDocumentsDelay(int32_t delay) { Set(KelvaneSetting::EmptyDocumentsDelay, delay); }
    void SetEmptyDocumentsDelayTimeType(CMinutesSecondsTimeType unit) {
        Set(KelvaneSetting::EmptyDocumentsDelayTimeType, static_cast<int32_t>(unit));
    }

    // Generic access by table row: booleans as 0/1, enumerations as ordinals.
    int32_t Get(KelvaneSetting setting) const { return m_values[static_cast<size_t>(setting)]; }
    void Set(KelvaneSetting setting, int32_t value);

    // Every setting back to its default.
    void Defaults();
    // Reads every setting in table order; missing or unreadable values keep
    // what they hold. An enumeration text that names no value gives
    // NoValidValue.
    void LoadFrom(const SettingsStore& store);
    // Writes every setting; false if any write failed. An enumeration that
    // holds no valid value is not written, so the stored text stays as it was.
    bool SaveTo(SettingsStore& store) const;

    bool operator==(const KelvaneSettings& other) const { return m_values == other.m_values; }
    bool operator!=(const KelvaneSettings& other) const { return !(*this == other); }

private:
    bool Bool(KelvaneSetting setting) const { return Get(setting) != 0; }
    std::array<int32_t, kKelvaneSettingCount> m_values{};
};

}  // namespace kelvane
