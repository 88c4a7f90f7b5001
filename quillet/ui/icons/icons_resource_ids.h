// Resource ids of the icon chooser and the settings page.
#pragma once

#define IDD_QUILLET_ICON_CHOOSER 211
#define IDD_QUILLET_SETTINGS_PAGE 202

// The icon chooser.
#define IDC_CHOOSER_BROWSE 1020
#define IDC_CHOOSER_FILE 1022
#define IDC_CHOOSER_SMALL_ICONS 1024
#define IDC_CHOOSER_ICONS 1027

// The settings page.
#define IDC_SETTINGS_PANEL_AREA 1017
#define IDC_SETTINGS_PANELS 1022
