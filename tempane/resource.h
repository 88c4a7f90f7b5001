// Resource and command identifiers, shared by tempane.rc and the program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDB_SPLASH 102
#define IDR_MAINFRAME 128
#define IDR_RIGHT_CLICK 130
#define IDB_ABOUT_PICTURE 135

#define ID_TRAY_ABOUT 32771
#define ID_TRAY_CLOSE 32772
#define ID_TRAY_HELP 32773

// The frame menu's standard commands.
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_PASTE 0xE125
