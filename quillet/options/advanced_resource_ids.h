// Resource ids of the options sheet's advanced page, the password dialogs and
// the tip of the day. The dialog and control numbers are the program's
// interface to its language libraries' help tables, so they never change.
#pragma once

// The advanced page holding the three sub-pages.
#define IDD_OPTIONS_ADVANCED 1070
#define IDC_ADVANCED_TABS 1071

// User interface sub-page.
#define IDD_OPTIONS_INTERFACE 1069
#define IDC_INTERFACE_SHOW_TIPS 1024
#define IDC_INTERFACE_CONTEXT_MENU 1012
#define IDC_INTERFACE_HIDE_DESKTOP 1011
#define IDC_INTERFACE_CONFIRM_DELETE 1019
#define IDC_INTERFACE_CONFIRM_EXIT 1020
#define IDC_INTERFACE_STARTUP_SCREEN 1009
#define IDC_INTERFACE_SOUND 1040
#define IDC_INTERFACE_SOUND_BROWSE 1003
#define IDC_INTERFACE_SOUND_PLAY 1004
#define IDC_INTERFACE_CLICK 1041

// Language sub-page.
#define IDD_OPTIONS_LANGUAGE 1067
#define IDC_LANGUAGE_LIST 1018

// Security sub-page.
#define IDD_OPTIONS_SECURITY 1068
#define IDC_SECURITY_LOCK 1016
#define IDC_SECURITY_CHANGE 1017

// Password dialogs: lock, unlock, change.
#define IDD_PASSWORD_LOCK 218
#define IDD_PASSWORD_UNLOCK 1047
#define IDD_PASSWORD_CHANGE 1048
#define IDC_PASSWORD 1054
#define IDC_PASSWORD_CONFIRM 1055
#define IDC_PASSWORD_OLD 1056
#define IDC_PASSWORD_RELOCK 1064

// Tip of the day: Next is button 1, Close button 2.
#define IDD_TIP_OF_THE_DAY 1065
#define IDC_TIP_AREA 1039
#define IDC_TIP_SHOW_TIPS 1009

#define IDI_OPTIONS_LANGUAGE 201
#define IDI_OPTIONS_INTERFACE 203
#define IDI_OPTIONS_SECURITY 2
#define IDI_TIP 206
#define IDB_PLAY_SOUND 219
