#include "controls/foundation/FcCustomButton.h"

#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/TypInfo.h"

// Its published properties are chosen by each descendant.
REGISTER_COMPONENT(TFcCustomButton, TCustomControl)
END_REGISTER

TFcCustomButton::TFcCustomButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csSetCaption, csOpaque, csDoubleClicks, csReplicatable, csReflector};
    FHeight = 17;
    FWidth = 115;
    SetTabStop(true);
}

bool TFcCustomButton::Themed() const
{
    return FThemeAware && FcThemesEnabled();
}

// --- the mouse ----------------------------------------------------------------------------------------

void TFcCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    // The focus goes through the form, which may refuse it (an OnExit that
    // moves it elsewhere): only a button that got it is pressed.
    if (!Focused() && CanFocus())
        SetFocus();
    if (!Focused())
        return;
    FShownDown = true;
    RepaintButton();
    FTracking = true;
}

void TFcCustomButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FTracking)
        return;
    const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    if (Inside != FShownDown) {
        FShownDown = Inside;
        RepaintButton();
    }
}

void TFcCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FTracking)
        return;
    FTracking = false;
    FShownDown = false;
    if (X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight())
        Toggle();
    RepaintButton();
}

void TFcCustomButton::InvalidateHotTrackRect()
{
    if (!HandleAllocated())
        return;
    TRect R;
    GetHotTrackRect(R);
    InvalidateRect(WindowHandle(), &R, FALSE);
}

void TFcCustomButton::CMMouseEnter(TMessage& Message)
{
    if (ComponentState().Contains(csDesigning))
        return;
    FMouseOver = true;
    TCustomControl::CMMouseEnter(Message);
    if (FHotTrack || Themed())
        InvalidateHotTrackRect();
}

void TFcCustomButton::CMMouseLeave(TMessage& Message)
{
    FMouseOver = false;
    TCustomControl::CMMouseLeave(Message);
    if (FHotTrack || Themed())
        InvalidateHotTrackRect();
}

// --- messages -----------------------------------------------------------------------------------------

void TFcCustomButton::WMSetFocus(TMessage& Message)
{
    TCustomControl::WMSetFocus(Message);
    RepaintFocus();
}

void TFcCustomButton::WMKillFocus(TMessage& Message)
{
    TCustomControl::WMKillFocus(Message);
    RepaintFocus();
}

void TFcCustomButton::WMEraseBkgnd(TMessage& Message)
{
    if (!FTransparent) {
        TCustomControl::WMEraseBkgnd(Message);
        return;
    }
    PaintTransparentBackground(HDC(Message.WParam));
    Message.Result = 1;
}

void TFcCustomButton::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TFcCustomButton::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Repaint();
}

// --- the caption --------------------------------------------------------------------------------------

void TFcCustomButton::DrawCaptionCopy(TCanvas* ACanvas, TRect R, int DX, int DY, TColor Color, unsigned Flags)
{
    OffsetRect(R, DX, DY);
    ACanvas->Font()->SetColor(Color);
    DrawText(ACanvas->Handle(), Caption(), &R, Flags);
}

void TFcCustomButton::DrawCaption(TCanvas* ACanvas, TRect R, unsigned Flags)
{
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Font()->Assign(Font());
    const String Text = Caption();
    TRect Calc = R;
    const int H =
        DrawText(ACanvas->Handle(), Text, &Calc, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    switch (FAlignmentVertical) {
    case avTop:
        R.Bottom = R.Top + H;
        break;
    case avCenter:
        R.Top = (R.Top + R.Bottom - H) / 2;
        R.Bottom = R.Top + H;
        break;
    case avBottom:
        R.Top = R.Bottom - H - 1;
        break;
    }
    if (UseRightToLeftAlignment())
        Flags |= DT_RTLREADING;
    if (Enabled()) {
        const bool Light = FLightTextStyle;
        if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
            const bool Raised = FTextStyle == tsRaised;
            const TColor First = Raised ? FTextHighlightColor : FTextShadowColor;
            const TColor Second = Raised ? FTextShadowColor : FTextHighlightColor;
            if (!Raised || !Light)
                DrawCaptionCopy(ACanvas, R, 1, 1, Second, Flags);
            if (Raised || !Light)
                DrawCaptionCopy(ACanvas, R, -1, -1, First, Flags);
        } else if (FTextStyle == tsShadow) {
            DrawCaptionCopy(ACanvas, R, (Flags & DT_RIGHT) != 0 ? 0 : FTextShadowDepth, FTextShadowDepth,
                            FTextShadowColor, Flags);
        }
        ACanvas->Font()->SetColor(Font()->Color());
        // A right-aligned caption keeps clear of the right edge by the
        // shadow's depth, whatever its style, so that all styles line up.
        if ((Flags & DT_RIGHT) != 0)
            OffsetRect(R, -FTextShadowDepth, 0);
    } else {
        ACanvas->Font()->SetColor(clGrayText);
    }
    DrawText(ACanvas->Handle(), Text, &R, Flags);
    ACanvas->Brush()->SetStyle(bsSolid);
}
