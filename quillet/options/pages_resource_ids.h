// Resource ids of the contents page and the general panel. Read by the
// resource compiler (pages_resources.rc) and by C++.
#pragma once

#define IDD_CONTENTS_PAGE 107
#define IDC_CONTENTS_LIST 1000
#define IDC_CONTENTS_NEW 1001
#define IDC_CONTENTS_MODIFY 1002
#define IDC_CONTENTS_REMOVE 1003
#define IDC_CONTENTS_UP 1004
#define IDC_CONTENTS_DOWN 1005
#define IDC_CONTENTS_SHOW_PREVIEW 1010
#define IDC_CONTENTS_PREVIEW 1011
#define IDC_CONTENTS_DRAG_CURSOR 205

#define IDD_GENERAL_PANEL 108
#define IDC_GENERAL_VIEW 1007
#define IDC_GENERAL_MODE 1013
#define IDC_GENERAL_MENU_ON_TOP 1010
#define IDC_GENERAL_HOTKEY 1022
#define IDC_GENERAL_HOTKEY_LABEL 1023
