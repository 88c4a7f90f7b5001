// The helper program of the hook tests: a top-level window with a system
// menu in a process of its own, which reports on request what its system
// menu holds and which of the library's messages reached its procedure.
#pragma once

inline constexpr const char* kHookTestWindowClass = "HookTestWindow";
inline constexpr const char* kHookTestWindowExe = "hook_test_window.exe";
// Registered message; the answer is a set of the bits below.
inline constexpr const char* kHookTestStateQuery = "Hook test window: state";

// For each of 61400, 61401, 61402 (i = 0, 1, 2): bit i when the system menu
// holds it, bit 4 + i when it is checked.
inline constexpr unsigned kStateHasCommand = 0x1;
inline constexpr unsigned kStateChecked = 0x10;
// A WM_SYSCOMMAND of one of the commands reached the window procedure.
inline constexpr unsigned kStateSawCommand = 0x100;
// A title-bar WM_NCLBUTTONDBLCLK reached the window procedure.
inline constexpr unsigned kStateSawDoubleClick = 0x200;
// Bits 16 and up: the number of items in the system menu.
inline constexpr unsigned kStateItemCountShift = 16;
