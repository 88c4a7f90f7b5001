// Resource ids of quillet's message dialog, What's-this shadow and fallback
// icon. Read by the resource compiler (ui_resources.rc) and by C++.
#pragma once

#define IDD_QUILLET_MESSAGE 219
#define IDC_MESSAGE_TEXT 1060
#define IDC_MESSAGE_ICON 1061
#define IDC_MESSAGE_LONE_BUTTON 1062
#define IDB_QUILLET_HELP_SHADOW 211
#define IDI_QUILLET_FALLBACK 218
