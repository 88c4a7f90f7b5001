// Resource ids of quillet.exe. The numbers are part of the program's
// interface: language libraries, icon sources ("quillet.exe", -104) and other
// programs refer to them.
#pragma once

#define IDI_QUILLET 1
#define IDI_QUILLET_2 2
#define IDB_STARTUP_SCREEN 102
#define IDI_FOLDER 104
#define IDI_COLUMN_SEPARATOR 105
#define IDI_SEPARATOR 200

#define IDM_TRAY_COMMANDS 101
#define IDM_CLOSE 40001
#define IDM_PROPERTIES 40002
#define IDM_NEW 40003
#define IDM_ABOUT 40004
#define IDM_TIP 40005
#define IDM_GENERAL_PROPERTIES 40007
#define IDM_REMOVE 40008

#define IDD_ABOUT 120
#define IDC_ABOUT_ICON 1029
#define IDC_ABOUT_TEXT 1200
#define IDC_ABOUT_COPYRIGHT 1201

// The start-up failure when no language library can be found.
#define IDS_NO_LANGUAGE 115
#define IDS_NO_LANGUAGE_CAPTION 116
