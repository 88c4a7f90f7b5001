// The rules of quillet's context help: which help key a dialog control has,
// where the What's-this pop-up goes, and which help page a help context
// opens. Portable: no <windows.h>.
#pragma once

#include <string>
#include <string_view>

#include "platform/rect.h"

namespace quillet {

// One row of a dialog's help table: a control id and the bare key of its
// What's-this text. A table ends with a row whose id is 0.
struct HelpRow {
    int controlId;
    const char* key;
};

// The What's-this pop-up's window class, and the window property under which
// a dialog keeps its help table.
constexpr const char* kHelpWindowClass = "HV:HelpWnd";
constexpr const char* kHelpTableProperty = "HV:HelpTable";

constexpr const char* kUnknownHelpKey = "hlpUnknown";
constexpr const char* kWhatsThisMenuKey = "hlpWhatsThis";
constexpr int kWhatsThisCommand = 101;

// Whether a control has an id of its own: static controls share -1, which
// a dialog template of the older form stores as 0xFFFF.
bool HasHelpId(int controlId);

// The key of `controlId` in `rows` (which may be null); "hlpUnknown" for a
// control without a row, with an empty key, or without an id of its own.
std::string HelpKeyFor(const HelpRow* rows, int controlId);

// The pop-up's text is measured at this width, and the window is this much
// wider and higher than the text (frame, margins and shadow).
constexpr int kWhatsThisTextWidth = 256;
constexpr int kWhatsThisPadding = 16;
constexpr int kWhatsThisShadow = 6;
constexpr int kWhatsThisTextInset = 4;

// The pop-up's rectangle: its horizontal centre on the control's left edge,
// its top at the control's vertical middle, then moved inside `screen` (when
// it is larger than the screen, its top left corner stays visible).
platform::Rect WhatsThisPlacement(int width, int height, const platform::Rect& control,
                                  const platform::Rect& screen);

// Help contexts are the dialog template ids of the pages they explain.
constexpr int kHelpContextFolderPage = 101;
constexpr int kHelpContextContentsPage = 107;
constexpr int kHelpContextGeneralPage = 108;
constexpr int kHelpContextFolderDefaults = 109;
constexpr int kHelpContextFolderPreview = 110;

// The page of a help context, a file name beside the help index; empty for
// a context no page of its own explains.
std::string HelpPageName(int context);
// The page of `context` in the folder of `helpIndex` (the expanded
// "$helpFile" text, the index page's full path); the index itself for a
// context without a page of its own.
std::string HelpPagePath(std::string_view helpIndex, int context);

}  // namespace quillet
