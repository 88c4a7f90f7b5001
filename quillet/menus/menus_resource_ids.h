// Resource ids the menus need in the program file.
#pragma once

// Check marks of checked menu entries, plain and highlighted.
#define IDI_MENU_CHECK 9006
#define IDI_MENU_CHECK_HIGHLIGHTED 9007
