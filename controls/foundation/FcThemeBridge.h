#pragma once
// What the control foundation needs of the platform's theme services: the
// themes switch, theme colours and three themed elements.  Until the theme
// services exist the bridge reports themes off, so the library's own
// classic painting is used; the windowing layer fills the bridge in, and
// tests may, to reach the themed paths.
#include "platform/graphics/Canvas.h"

#include <functional>

// The theme classes the foundation asks about.
enum class TFcThemeClass { Edit, ExplorerBar, Button, ComboBox, Progress };

struct TFcThemeBridge {
    // Whether themed drawing is on; unset means off.
    std::function<bool()> ThemesEnabled;
    // GetThemeColor of the part (by its ordinal in the platform's themed
    // element enumeration) and property.
    std::function<TColor(TFcThemeClass Theme, int Part, int Property)> ThemeColor;
    // The explorer bar's themed background over R.
    std::function<void(TCanvas* Canvas, const TRect& R)> DrawExplorerBarBackground;
    // Themed progress chunks filling R, in a row or (Vertical) a column
    // that starts at R's top.
    std::function<void(TCanvas* Canvas, const TRect& R, bool Vertical)> DrawProgressChunks;
    // The themed drop-down button of a combo box in R.
    std::function<void(TCanvas* Canvas, const TRect& R)> DrawComboDropDownButton;
};

// The one process-wide bridge.
TFcThemeBridge& FcThemeBridge();

// The bridge's answers, safe while parts of it are unset: themes off, a
// theme colour of clNone, nothing drawn.
bool FcThemesEnabled();
TColor FcThemeColor(TFcThemeClass Theme, int Part, int Property);
