// Resource identifiers of setup.exe.
#pragma once

#define IDD_INSTALL_OPTIONS 101
#define IDI_SETUP 101

#define IDC_INSTALL_PATH 1000
#define IDC_BROWSE 1001
#define IDC_START_MENU_SHORTCUT 1002
#define IDC_START_AFTER_SETUP 1003
