/* Identifiers shared by the resource script and the code. Plain C so that
   windres can read it too. */
#ifndef VORRIN_IDS_H
#define VORRIN_IDS_H

#define IDM_HIDE_DESKTOP_ICONS 1
#define IDM_SHOW_DESKTOP_ICONS 2
#define IDM_ABOUT 3
#define IDM_QUIT 4
#define IDM_DISPLAY_PROPERTIES 5
#define IDM_LOG_OFF 6
#define IDM_RESTART 7
#define IDM_SHUT_DOWN 8

#endif
