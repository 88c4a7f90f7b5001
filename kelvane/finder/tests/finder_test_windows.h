// The helper program of the window menu and quick command tests: windows of
// a process other than kelvane's, described on its command line.
//
// finder_test_windows.exe "class|title|flags;class|title|flags;..."
// flags: m starts minimised, h hidden, o owned by the first window, p a bare
// popup, t topmost. Each window counts the WM_CLOSE messages it gets in its
// GWLP_USERDATA and stays open. Once all stand, a hidden window of class
// kFinderTestReadyClass appears.
#pragma once

inline constexpr const char* kFinderTestWindowsExe = "finder_test_windows.exe";
inline constexpr const char* kFinderTestWindowClass = "KelvaneFinderHelper";
inline constexpr const char* kFinderTestReadyClass = "KelvaneFinderHelperReady";
