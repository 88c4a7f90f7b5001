// Resource ids of the object sheets, the new-item wizard and the folder
// panel. Control ids are the ones the What's-this tables and the pages use.
#pragma once

#define IDD_QUILLET_FOLDER_PANEL 101
#define IDD_QUILLET_FOLDER_DEFAULTS 109
#define IDD_QUILLET_FOLDER_PREVIEW 110
#define IDD_QUILLET_OBJECT_PAGE 201
#define IDD_QUILLET_WIZARD_CLASS 205
#define IDD_QUILLET_WIZARD_CLASS_LIST 207
#define IDD_QUILLET_WIZARD_DETAILS 208
#define IDB_QUILLET_WIZARD 101

// The object page (and the wizard's second page).
#define IDC_OBJECT_TITLE 1001
#define IDC_OBJECT_LARGE_ICON 1002
#define IDC_OBJECT_SMALL_ICON 1003
#define IDC_OBJECT_CHANGE_ICON 1004
#define IDC_OBJECT_FACTORY_TEXT 1005
#define IDC_OBJECT_FACTORY_ICON 1006
#define IDC_OBJECT_PANEL_AREA 1017
#define IDC_OBJECT_PANEL_FRAME 1021

// The wizard's first page and its class lists.
#define IDC_WIZARD_SMALL_ICONS 1009
#define IDC_WIZARD_CLASS_LIST 1018
#define IDC_WIZARD_GROUPS 1019
#define IDC_WIZARD_PICTURE 1031

// The folder panel.
#define IDC_FOLDER_PREVIEW 1001
#define IDC_FOLDER_PATH 1002
#define IDC_FOLDER_BROWSE 1003
#define IDC_FOLDER_ACTION 1004
#define IDC_FOLDER_NEW_WINDOW 1005
#define IDC_FOLDER_AS_ROOT 1006
#define IDC_FOLDER_CHECK_PATH 1007
#define IDC_FOLDER_SPECIAL 1008
