#include "platform/stdctrls/ControlText.h"

int DrawControlText(TCanvas* Canvas, const String& Text, TRect& R, unsigned Flags, bool Enabled)
{
    if (Enabled || (Flags & DT_CALCRECT) != 0)
        return DrawText(Canvas->Handle(), Text, &R, Flags);
    const TColor Saved = Canvas->Font()->Color();
    OffsetRect(R, 1, 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    DrawText(Canvas->Handle(), Text, &R, Flags);
    OffsetRect(R, -1, -1);
    Canvas->Font()->SetColor(clBtnShadow);
    const int Height = DrawText(Canvas->Handle(), Text, &R, Flags);
    Canvas->Font()->SetColor(Saved);
    return Height;
}
