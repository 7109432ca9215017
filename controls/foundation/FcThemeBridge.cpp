#include "controls/foundation/FcThemeBridge.h"

TFcThemeBridge& FcThemeBridge()
{
    static TFcThemeBridge Bridge;
    return Bridge;
}

bool FcThemesEnabled()
{
    const TFcThemeBridge& B = FcThemeBridge();
    return B.ThemesEnabled && B.ThemesEnabled();
}

TColor FcThemeColor(TFcThemeClass Theme, int Part, int Property)
{
    const TFcThemeBridge& B = FcThemeBridge();
    return B.ThemeColor ? B.ThemeColor(Theme, Part, Property) : clNone;
}
