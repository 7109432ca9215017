#include "controls/foundation/FcControlButton.h"

#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_ENUM(TFcControlButtonStyle, cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown)

REGISTER_COMPONENT(TFcControlButton, TGraphicControl)
    PUBLISHED_STORED(Color, clBtnFace, &TControl::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(Flat, false)
    PUBLISHED_OBJECT(Glyph)
    PUBLISHED(NumGlyphs, 1)
    PUBLISHED(Delay, 100)
    PUBLISHED(InitialDelay, 400)
    PUBLISHED(RepeatClicks, false)
    PUBLISHED(Style, cbsNone)
END_REGISTER

TFcControlButton::TFcControlButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FGlyph->SetOnChange([this](TObject* Sender) { GlyphChanged(Sender); });
    FControlStyle = {csCaptureMouse};
    FWidth = 17;
    FHeight = 21;
    SetColor(clBtnFace);
    SetDragMode(dmManual);
}

// The repeat timer goes with the button's other owned components.
TFcControlButton::~TFcControlButton() = default;

// --- properties ---------------------------------------------------------------------------------------

void TFcControlButton::SetFlat(bool Value)
{
    if (AssignIfChanged(FFlat, Value))
        Repaint();
}

void TFcControlButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
}

void TFcControlButton::GlyphChanged(TObject*)
{
    const int W = FGlyph->Width(), H = FGlyph->Height();
    if (H != 0 && W % H == 0) {
        const int N = W / H;
        FNumGlyphs = N >= 1 && N <= 4 ? N : 1;
    }
    Invalidate();
}

TSize TFcControlButton::GetGlyphSize()
{
    if (FGlyph->Empty())
        return {0, 0};
    return {FGlyph->Width() / std::max(FNumGlyphs, 1), FGlyph->Height()};
}

int TFcControlButton::ControlStyleToArrow(TFcControlButtonStyle Style)
{
    switch (Style) {
    case cbsLeft:
        return 2;
    case cbsRight:
        return 3;
    case cbsDown:
        return 1;
    default:
        return 0;
    }
}

bool TFcControlButton::OwnerIsSpinEdit() const
{
    const TComponent* Part = Owner() != nullptr ? Owner()->Owner() : nullptr;
    if (Part == nullptr)
        return false;
    if (Part->ClassName() == QLatin1String("TFcSpinEdit"))
        return true;
    // A descendant of it, known by its registered ancestors.
    for (TClass C = ClassOfObject(Part); C != nullptr; C = C->ClassParent())
        if (C->ClassName() == QLatin1String("TFcSpinEdit"))
            return true;
    return false;
}

// --- press, release and repeat --------------------------------------------------------------------------

void TFcControlButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled()) {
        if (!FDown) {
            FDown = true;
            Invalidate();
        }
        FTracking = true;
    }
    if (!FRepeatClicks)
        return;
    if (FRepeatTimer == nullptr) {
        FRepeatTimer = new TTimer(this);
        FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTick(Sender); });
    }
    FRepeatTimer->SetInterval(FInitialDelay);
    FRepeatTimer->SetEnabled(true);
}

// A press that lost the mouse (a click that opened a dialog took it) is
// over: the button comes up and stops repeating instead of staying down.
void TFcControlButton::EndPress()
{
    if (FRepeatTimer != nullptr)
        FRepeatTimer->SetEnabled(false);
    FTracking = false;
    if (FDown) {
        FDown = false;
        Invalidate();
    }
}

void TFcControlButton::RepeatTick(TObject*)
{
    FRepeatTimer->SetInterval(FDelay);
    if (!FDown)
        return;
    if (!MouseCapture()) {
        EndPress();
        return;
    }
    try {
        Click();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
    if (!MouseCapture())
        EndPress();
}

void TFcControlButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // OnMouseUp and OnClick may free the button.
    const TComponentRef<> Self(this);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!Self)
        return;
    if (FRepeatTimer != nullptr)
        FRepeatTimer->SetEnabled(false);
    if (!FTracking)
        return;
    FTracking = false;
    const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    FDown = false;
    FMouseOver = false;
    Repaint();
    if (Inside)
        Click();
    if (Self)
        UpdateMouseOver();
}

bool TFcControlButton::FlatOrThemed() const
{
    return FFlat || FcThemesEnabled();
}

void TFcControlButton::UpdateMouseOver()
{
    if (!FlatOrThemed() || !Enabled())
        return;
    TPoint P;
    GetCursorPos(&P);
    Perform(FindDragTarget(P, true) == this ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TFcControlButton::CMMouseEnter(TMessage& Message)
{
    if (ComponentState().Contains(csDesigning))
        return;
    FMouseOver = true;
    TGraphicControl::CMMouseEnter(Message);
    if (FlatOrThemed())
        Repaint();
}

void TFcControlButton::CMMouseLeave(TMessage& Message)
{
    FMouseOver = false;
    TGraphicControl::CMMouseLeave(Message);
    if (FlatOrThemed())
        Repaint();
}

// --- painting -----------------------------------------------------------------------------------------

bool TFcControlButton::IsHot() const
{
    return FDown || (FMouseOver && Enabled()) || ComponentState().Contains(csDesigning);
}

// Normal, hot, pressed and disabled follow each other in every element
// this button draws.
template <typename TThemed>
TThemed TFcControlButton::ThemedState(TThemed Normal) const
{
    int Offset = 0;
    if (!IsHot())
        Offset = Enabled() ? 0 : 3;
    else
        Offset = FDown ? 2 : 1;
    return TThemed(int(Normal) + Offset);
}

void TFcControlButton::Paint()
{
    TRect R = GetClientRect();
    if (FStyle == cbsDropDown) {
        DrawDropDownFace(R);
        return;
    }
    if (FStyle != cbsNone) {
        DrawArrowFace(R);
        return;
    }
    DrawButtonFace(R);
    if (FGlyph->Empty())
        return;
    InflateRect(R, -1, -1);
    const TSize G = GetGlyphSize();
    TPoint P{(R.Left + R.Right - G.cx) / 2, (R.Top + R.Bottom - G.cy) / 2};
    if (FDown) {
        P.X += 1;
        P.Y += FcThemesEnabled() ? 0 : 1;
    }
    DrawGlyph(Rect(P.X, P.Y, P.X + G.cx, P.Y + G.cy));
}

// The flat face's frame while hot: sunk when down, raised otherwise.
void TFcControlButton::DrawFlatFrame(TRect& R)
{
    if (IsHot())
        R = PaintFrameStyle(Canvas(), R, FDown ? fsStatus : fsPopup);
}

// The face without themes: a flat button's frame only while hot, in its
// colour; a raised one sunk while down and filled with RaisedFill.
void TFcControlButton::DrawClassicFace(TRect& R, TFrameStyle Up, TColor RaisedFill)
{
    TCanvas* C = Canvas();
    if (FFlat) {
        DrawFlatFrame(R);
        C->Brush()->SetColor(Color());
    } else {
        R = FDown ? PaintBoxOutline(C, R, clBtnShadow) : PaintFrameStyle(C, R, Up);
        C->Brush()->SetColor(RaisedFill);
    }
    C->FillRect(R);
}

// The scroll-bar thumb, its outer border left outside the button.
void TFcControlButton::DrawThemedThumb(TRect& R)
{
    const TThemedElementDetails Details = TThemeServices::GetElementDetails(ThemedState(tsThumbBtnHorzNormal));
    TRect Element = R;
    Element.Left -= 1;
    Element.Top -= 2;
    Element.Right += 2;
    Element.Bottom += 2;
    ThemeServices().DrawElement(Canvas()->Handle(), Details, Element, &R);
}

void TFcControlButton::DrawButtonFace(TRect& R)
{
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    if (FcThemesEnabled()) {
        if (FFlat && !IsHot()) {
            C->Brush()->SetColor(Color());
            C->FillRect(R);
        } else {
            DrawThemedThumb(R);
        }
        InflateRect(R, -2, -2);
        return;
    }
    DrawClassicFace(R, fsRaised, clBtnFace);
}

void TFcControlButton::DrawArrowFace(TRect& R)
{
    TCanvas* C = Canvas();
    const int Direction = ControlStyleToArrow(FStyle);
    C->Brush()->SetStyle(bsSolid);
    if (FcThemesEnabled()) {
        if (FFlat && !IsHot()) {
            C->Brush()->SetColor(Color());
            C->FillRect(R);
            PaintDirectionArrow(C, R, true, Direction, Enabled(), FDown);
        } else {
            TThemedSpin Normal = tsUpNormal;
            if (FStyle == cbsDown)
                Normal = tsDownNormal;
            else if (FStyle == cbsRight)
                Normal = tsUpHorzNormal;
            else if (FStyle == cbsLeft)
                Normal = tsDownHorzNormal;
            ThemeServices().DrawElement(C->Handle(), TThemeServices::GetElementDetails(ThemedState(Normal)), R);
        }
        InflateRect(R, -2, -2);
        return;
    }
    DrawClassicFace(R, fsButtonUp, OwnerIsSpinEdit() ? clBtnFace : Color());
    PaintDirectionArrow(C, R, false, Direction, Enabled(), FDown);
}

void TFcControlButton::DrawDropDownFace(TRect& R)
{
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    if (FcThemesEnabled()) {
        InflateRect(R, 1, 1);
        if (FFlat && !IsHot()) {
            C->Brush()->SetColor(Color());
            C->FillRect(R);
            PaintDropDownArrow(C, R, true, Enabled(), FDown);
        } else {
            ThemeServices().DrawElement(C->Handle(),
                                        TThemeServices::GetElementDetails(ThemedState(tcDropDownButtonNormal)), R);
        }
        InflateRect(R, -2, -2);
        return;
    }
    DrawClassicFace(R, fsButtonUp, clBtnFace);
    PaintDropDownArrow(C, R, false, Enabled(), FDown);
}

void TFcControlButton::DrawGlyph(const TRect& R)
{
    int Index = 1;
    if (FNumGlyphs >= 3 && FDown)
        Index = 2;
    else if (FNumGlyphs < 2 || Enabled())
        Index = 0;
    const int W = R.Width(), H = R.Height();
    StretchMaskedBitmap(Canvas(), FGlyph.get(), R, Rect(Index * W, 0, (Index + 1) * W, H), FGlyph->TransparentColor());
}
