// Resource identifiers of kelvane.exe.
#pragma once

#define IDI_KELVANE 101
#define IDI_KELVANE_2 102
#define IDI_KELVANE_3 103
#define IDI_FINDER 104
