#pragma once
// What the control foundation asks of the platform's theme services: the
// themes switch, theme colours and three themed elements.  Each is a
// replaceable entry that starts out as the call to ThemeServices(), so
// tests can stand in for one theme answer without switching the whole
// process's themes.
#include "platform/graphics/Canvas.h"

#include <functional>

struct TThemedElementDetails;

// The theme classes the foundation asks about.
enum class TFcThemeClass { Edit, ExplorerBar, Button, ComboBox, Progress };

struct TFcThemeBridge {
    TFcThemeBridge();

    // Whether themed drawing is on (ThemesEnabled of the theme services).
    std::function<bool()> ThemesEnabled;
    // GetThemeColor of the part (by its ordinal in the platform's themed
    // element enumeration of the class) and property.
    std::function<TColor(TFcThemeClass Theme, int Part, int Property)> ThemeColor;
    // The explorer bar's themed background over R.
    std::function<void(TCanvas* Canvas, const TRect& R)> DrawExplorerBarBackground;
    // Themed progress chunks filling R, in a row or (Vertical) a column
    // that starts at R's top.
    std::function<void(TCanvas* Canvas, const TRect& R, bool Vertical)> DrawProgressChunks;
    // The themed drop-down button of a combo box in R.
    std::function<void(TCanvas* Canvas, const TRect& R)> DrawComboDropDownButton;
    // Any other element the containers draw (group-box frames, the status
    // bar with its panes and gripper, a popup's edit border) over R.
    std::function<void(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R)> DrawElement;
    // Text in the element's colour (grayed with DTT_GRAYED in Flags2), on a
    // transparent background; Flags are DrawText's.
    std::function<void(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, const TRect& R,
                       unsigned Flags, unsigned Flags2)>
        DrawText;
    // The size Text takes when drawn by DrawText with Flags.
    std::function<TSize(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, unsigned Flags)>
        TextExtent;
};

// The one process-wide bridge.
TFcThemeBridge& FcThemeBridge();

// The bridge's answers, safe while parts of it are unset: themes off, a
// theme colour of clNone, nothing drawn.
bool FcThemesEnabled();
TColor FcThemeColor(TFcThemeClass Theme, int Part, int Property);
void FcDrawThemedElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R);
void FcDrawThemedText(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, const TRect& R,
                      unsigned Flags, unsigned Flags2 = 0);
TSize FcThemedTextExtent(TCanvas* Canvas, const TThemedElementDetails& Details, const String& Text, unsigned Flags);
