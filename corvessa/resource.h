// Resource and control identifiers of corvessa, shared by the program, its
// resource script and its tests.
#pragma once

#define IDI_CORVESSA 1
#define IDI_FOLDER_CLOSED 2
#define IDI_FOLDER_OPEN 3

#define IDB_BACKGROUND 101
#define IDB_ARROW_PREVIOUS 102
#define IDB_ARROW_NEXT 103

#define IDM_SYSTEM_EXTRAS 201
#define IDM_HELP_TOPICS 0x0110
#define IDM_ABOUT 0x0120

#define IDD_ABOUT 301
#define IDC_ABOUT_VERSION 302

#define IDC_CURRENT_NAME 1001
#define IDC_NEW_NAME 1002
#define IDC_CURRENT_FULL 1003
#define IDC_CURRENT_EMPTY 1004
#define IDC_NEW_FULL 1005
#define IDC_NEW_EMPTY 1006
#define IDC_DRIVES 1007
#define IDC_FOLDERS 1008
#define IDC_FILES 1009
#define IDC_FILTER 1010
#define IDC_STRIP 1011
#define IDC_PREVIOUS 1012
#define IDC_NEXT 1013
#define IDC_POSITION 1014
#define IDC_APPLY 1015
#define IDC_CLOSE 1016
#define IDC_SHOW_HELP 1017
#define IDC_CURRENT_NAME_CAPTION 1018
#define IDC_RENAME_CAPTION 1019
#define IDC_FULL_CAPTION 1020
#define IDC_EMPTY_CAPTION 1021

#define IDC_HELP_TEXT 1101
#define IDC_HELP_CLOSE 1102

#define CORVESSA_MAIN_CLASS "CorvessaMain"
#define CORVESSA_HELP_CLASS "CorvessaHelp"
// Names a key under HKEY_CURRENT_USER that stands in for HKEY_LOCAL_MACHINE,
// HKEY_USERS and HKEY_CLASSES_ROOT, so that tests never touch the real ones.
#define CORVESSA_TEST_REGISTRY_VARIABLE "CORVESSA_TEST_REGISTRY_ROOT"
