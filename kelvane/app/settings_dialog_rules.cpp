#include "kelvane/app/settings_dialog_rules.h"

#include "kelvane/components/dialog_control_rules.h"
#include "kelvane/components/registry_path.h"

namespace kelvane {
namespace {

int IndexOf(int ordinal, size_t itemCount) {
    return ordinal >= 0 && static_cast<size_t>(ordinal) < itemCount ? ordinal : -1;
}

bool Shows(int index, size_t itemCount) {
    return index >= 0 && static_cast<size_t>(index) < itemCount;
}

}  // namespace

const std::array<SettingsPageInfo, kSettingsPageCount>& SettingsPages() {
    static const std::array<SettingsPageInfo, kSettingsPageCount> pages = {{
        {SettingsPage::General, "General", 5200, "kelvane-general.html"},
        {SettingsPage::Adjuster, "Adjuster", 5300, "kelvane-adjuster.html"},
        {SettingsPage::StartMenu, "Start Menu", 5400, "kelvane-start-menu.html"},
        {SettingsPage::About, "About", 5500, "kelvane-about.html"},
    }};
    return pages;
}

std::optional<std::string> HelpPageOf(int helpContext) {
    for (const SettingsPageInfo& page : SettingsPages()) {
        if (page.helpContext == helpContext) return std::string(page.helpPage);
    }
    return std::nullopt;
}

int PageToOpen(std::optional<int32_t> storedPage) {
    if (!storedPage || *storedPage < 0 || *storedPage >= static_cast<int32_t>(kSettingsPageCount)) return 0;
    return *storedPage;
}

SettingsDialogValues DialogValuesFrom(const KelvaneSettings& settings) {
    SettingsDialogValues values;
    values.adjustTop = settings.AdjustTop();
    values.adjustLeft = settings.AdjustLeft();
    values.adjustBottom = settings.AdjustBottom();
    values.adjustRight = settings.AdjustRight();
    values.frequencyPosition = settings.AdjustFrequencySeconds();
    values.autoAdjustWindows = settings.AutoAdjustWindows();
    values.resizeWindows = settings.ResizeWindows();
    values.dontAdjustIfOffscreen = settings.DontAdjustIfQuarterOffscreen();
    values.offscreenPercentText = std::to_string(settings.OffscreenFactor());
    values.showFinderTrayIcon = settings.ShowFinderTrayIcon();
    values.addSystemMenuCommands = settings.AddSystemMenuCommands();
    values.showFinderIcons = settings.ShowFinderIcons();
    values.doubleClickIndex = IndexOf(static_cast<int>(settings.NCLButtonDblClk()), kDoubleClickItems.size());
    values.emptyDocuments = settings.EmptyDocuments();
    values.emptyDocumentsDelay = settings.EmptyDocumentsDelay();
    values.delayTypeIndex = IndexOf(static_cast<int>(settings.EmptyDocumentsDelayTimeType()), kDelayTypeItems.size());
    return values;
}

void ApplyDialogValues(const SettingsDialogValues& values, KelvaneSettings& settings) {
    settings.SetAdjustTop(values.adjustTop);
    settings.SetAdjustLeft(values.adjustLeft);
    settings.SetAdjustBottom(values.adjustBottom);
    settings.SetAdjustRight(values.adjustRight);
    settings.SetAdjustFrequencySeconds(values.frequencyPosition);
    settings.SetAutoAdjustWindows(values.autoAdjustWindows);
    settings.SetResizeWindows(values.resizeWindows);
    settings.SetDontAdjustIfQuarterOffscreen(values.dontAdjustIfOffscreen);
    if (auto percent = ParseInteger(values.offscreenPercentText)) settings.SetOffscreenFactor(*percent);
    settings.SetShowFinderTrayIcon(values.showFinderTrayIcon);
    settings.SetAddSystemMenuCommands(values.addSystemMenuCommands);
    settings.SetShowFinderIcons(values.showFinderIcons);
    if (Shows(values.doubleClickIndex, kDoubleClickItems.size())) {
        settings.SetNCLButtonDblClk(static_cast<CNCLButtonDblClk>(values.doubleClickIndex));
    }
    settings.SetEmptyDocuments(values.emptyDocuments);
    settings.SetEmptyDocumentsDelay(values.emptyDocumentsDelay);
    if (Shows(values.delayTypeIndex, kDelayTypeItems.size())) {
        settings.SetEmptyDocumentsDelayTimeType(static_cast<CMinutesSecondsTimeType>(values.delayTypeIndex));
    }
}

MouseSettingsState MouseSettingsFor(bool addSystemMenuCommands, int doubleClickIndex, int rememberedIndex) {
    if (addSystemMenuCommands) return {rememberedIndex, rememberedIndex, true};
    return {0, doubleClickIndex, false};
}

std::string VersionText(const std::string& productVersion) {
    return WithoutLastDotPart(productVersion);
}

std::string DialUpNetworkingCaption(bool windows95) {
    std::string caption = "Dial-Up Networking";
    if (!windows95) caption += " (Only for Windows 95)";
    return caption;
}

}  // namespace kelvane
