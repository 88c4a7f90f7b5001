// Numbered properties of quillet's objects. Stored in every saved icon set,
// so the numbers never change. Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace quillet {

using PropertyTag = int32_t;

// Common to every class.
constexpr PropertyTag kTagName = 1;             // Text: menu text, tray tip
constexpr PropertyTag kTagIconFile = 2;         // Text: icon source file
constexpr PropertyTag kTagIconIndex = 3;        // Integer: negative = resource id
constexpr PropertyTag kTagLargeIcon = 4;        // icon handle, 32 x 32
constexpr PropertyTag kTagSmallIcon = 5;        // icon handle, 16 x 16
constexpr PropertyTag kTagIconChooser = 6;      // Integer kept for the icon chooser
constexpr PropertyTag kTagFlags = 7;            // Integer: class flags below
constexpr PropertyTag kTagOwner = 8;            // object reference, read-only
constexpr PropertyTag kTagClassName = 10;       // Text: class display name (a key)
constexpr PropertyTag kTagPath = 13;            // Text: generic target path
constexpr PropertyTag kTagExactLargeIcon = 14;  // icon handle, exact 32 x 32 image
constexpr PropertyTag kTagExactSmallIcon = 15;  // icon handle, exact 16 x 16 image
constexpr PropertyTag kTagTrayTip = 16;         // Text: equals the name, read-only

// Bits of kTagFlags.
constexpr int32_t kFlagUntitled = 1;   // no name to edit, none written
constexpr int32_t kFlagFixedIcon = 2;  // the icon cannot be changed
constexpr int32_t kFlagFixedPath = 4;  // a folder item's path cannot be edited

// The folder class.
constexpr PropertyTag kTagFolderPath = 1001;       // Text
constexpr PropertyTag kTagFolderSpecial = 1002;    // Integer: CSIDL, -1 = none
constexpr PropertyTag kTagFolderAction = 1003;     // Integer: kFolderAction*
constexpr PropertyTag kTagFolderAsRoot = 1004;     // Boolean: "/ROOT,"
constexpr PropertyTag kTagFolderNewWindow = 1005;  // Boolean: "/N,"
constexpr PropertyTag kTagFolderCheckPath = 1006;  // Boolean: page checks the path

constexpr int32_t kNoSpecialFolder = -1;
constexpr int32_t kFolderActionMenu = 1;
constexpr int32_t kFolderActionExplore = 2;
constexpr int32_t kFolderActionExploreTree = 3;
constexpr int32_t kFolderActionCommandPrompt = 4;

// Program-wide settings, answered by the root of the icon set.
constexpr PropertyTag kTagConfirmDelete = 9001;     // Boolean
constexpr PropertyTag kTagConfirmExit = 9002;       // Boolean
constexpr PropertyTag kTagHotkeyMode = 9003;        // Integer: kHotkeyMode*
constexpr PropertyTag kTagCustomHotkey = 9004;      // Integer: modifiers << 8 | virtual key
constexpr PropertyTag kTagMenuView = 9005;          // Integer: bit 1 text, bit 2 icons
constexpr PropertyTag kTagClickSound = 9006;        // Text: sound file, empty = none
constexpr PropertyTag kTagClickMode = 9007;         // Integer: 1 single press, else double-click
constexpr PropertyTag kTagPassword = 9101;          // Text: stored form of the password
constexpr PropertyTag kTagChangesAllowed = 9102;    // Boolean: changes allowed while locked
constexpr PropertyTag kTagLocked = 9103;            // Boolean, read-only: password or read-only file
constexpr PropertyTag kTagReadOnlyDocument = 9104;  // Boolean: set after each load
constexpr PropertyTag kTagHideDesktop = 9106;       // Integer: 1 hidden, 0 shown, 2 unavailable

constexpr int32_t kHotkeyModeNone = 0;
constexpr int32_t kHotkeyModeNatural = 1;
constexpr int32_t kHotkeyModeCustom = 2;
constexpr int32_t kNaturalHotkey = 0x0854;  // MOD_WIN with the T key

constexpr int32_t kMenuViewText = 1;
constexpr int32_t kMenuViewIcons = 2;
constexpr int32_t kMenuViewTextAndIcons = 3;

constexpr int32_t kDesktopIconsShown = 0;
constexpr int32_t kDesktopIconsHidden = 1;
constexpr int32_t kDesktopIconsUnavailable = 2;

}  // namespace quillet
