// Names and numbers other programs and the tests see: window classes, the
// tray icon's identity and its callback message.
#pragma once

namespace tempane {

inline constexpr char kFrameClass[] = "TempaneFrame";
inline constexpr char kSplashClass[] = "TempaneSplash";
inline constexpr char kFrameTitle[] = "Tempane";
inline constexpr char kTrayTip[] = "Tempane 98";
inline constexpr unsigned kTrayIconId = 103;
inline constexpr unsigned kTrayCallbackMessage = 0x8002;  // WM_APP + 2
inline constexpr unsigned kSplashTimerId = 1;
inline constexpr unsigned kSplashMilliseconds = 750;
// Start-up pauses this long before its message loop, so the splash stays up
// for about a second even though its timer is shorter.
inline constexpr unsigned kStartupPauseMilliseconds = 1000;

}  // namespace tempane
