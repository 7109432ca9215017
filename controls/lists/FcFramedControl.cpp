#include "controls/lists/FcFramedControl.h"

namespace FcFraming {

bool IsColorStored(TControl* Control, const TFcFrameController* Controller,
                   TFcFrameControllerNotifications Notifications)
{
    return Control->Enabled() && IsFramingPropertyStored(Controller, Notifications, fcpColor);
}

bool IsFocusColorStored(TControl* Control, TColor FocusColor, const TFcFrameController* Controller,
                        TFcFrameControllerNotifications Notifications)
{
    return ColorToRGB(FocusColor) != ColorToRGB(Control->Color())
        && IsFramingPropertyStored(Controller, Notifications, fcpFocusColor);
}

TColor StateColor(bool Enabled, bool Focused, bool ReadOnly, bool ReadOnlyColorOnFocus, TColor Disabled, TColor Focus,
                  TColor ReadOnlyColor, TColor Normal)
{
    if (!Enabled)
        return Disabled;
    if (Focused)
        return ReadOnly && ReadOnlyColorOnFocus ? ReadOnlyColor : Focus;
    if (ReadOnly)
        return ReadOnlyColor;
    return Normal;
}

} // namespace FcFraming
