#include "controls/foundation/FcButton.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/actions/Menus.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Button.h"

REGISTER_COMPONENT(TFcButton, TFcCustomButton)
    PUBLISHED(Alignment, taCenter)
    PUBLISHED(AlignmentVertical, avCenter)
    PUBLISHED(AllowAllUp, false)
    PUBLISHED(Cancel, false)
    PUBLISHED_STORED(Color, clBtnFace, &TControl::IsColorStored)
    PUBLISHED(Default, false)
    PUBLISHED(Down, false)
    PUBLISHED(DropDownOnEnter, true)
    PUBLISHED(FrameColor, cl3DDkShadow)
    PUBLISHED(GroupIndex, 0)
    PUBLISHED(Height, 25)
    PUBLISHED(HighlightColor, clHighlight)
    PUBLISHED(HotTrack, false)
    PUBLISHED(HotTrackColor, TColor(0x149BF0))
    PUBLISHED(HotTrackColorType, htctActual)
    PUBLISHED(LightTextStyle, false)
    PUBLISHED(ModalResult, mrNone)
    PUBLISHED(ParentColor, false)
    PUBLISHED(ShowDownPattern, true)
    PUBLISHED(ShowFocusRect, true)
    PUBLISHED(TabStop, true)
    PUBLISHED(TextHighlightColor, clBtnHighlight)
    PUBLISHED(TextShadowColor, clBtnShadow)
    PUBLISHED(TextShadowDepth, 2)
    PUBLISHED(TextStyle, tsNormal)
    PUBLISHED(ThemeAware, true)
    PUBLISHED(Width, 75)
END_REGISTER

TFcButton::TFcButton(TComponent* AOwner) : TFcCustomButton(AOwner)
{
    FHeight = 25;
    FWidth = 75;
    SetColor(clBtnFace);
}

void TFcButton::DefineProperties(TFiler& Filer)
{
    TFcCustomButton::DefineProperties(Filer);
    // Older definitions called the hot-track look "FrameFlat".
    Filer.DefineProperty(
        QStringLiteral("FrameFlat"), [this](TReader& Reader) { SetHotTrack(Reader.ReadBoolean()); }, nullptr, false);
}

// --- properties ---------------------------------------------------------------------------------------

void TFcButton::SetAllowAllUp(bool Value)
{
    if (!AssignIfChanged(FAllowAllUp, Value))
        return;
    TellGroup();
    Invalidate();
}

void TFcButton::SetDefault(bool Value)
{
    if (!AssignIfChanged(FDefault, Value))
        return;
    // Every button of the form looks again at which one Enter presses.
    if (!HandleAllocated())
        return;
    if (TCustomForm* Form = GetParentForm(this))
        Form->Perform(CM_FOCUSCHANGED, 0, PtrToLParam(Form->ActiveControl()));
}

void TFcButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    // The down button of a group goes up only when all may be up.
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    FState = Value ? bsExclusive : bsUp;
    Invalidate();
    if (Value)
        TellGroup();
}

void TFcButton::SetGroupIndex(int Value)
{
    if (!AssignIfChanged(FGroupIndex, Value))
        return;
    TellGroup();
    Invalidate();
}

// The hot-track face leaves its corners to the parent.
void TFcButton::SetHotTrack(bool Value)
{
    TFcCustomButton::SetHotTrack(Value);
    SetTransparent(HotTrack());
    if (HandleAllocated())
        InvalidateRect(WindowHandle(), nullptr, TRUE);
}

// --- groups -------------------------------------------------------------------------------------------

void TFcButton::TellGroup()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    TMessage Msg{CM_GROUPBUTTONPRESSED, WPARAM(FGroupIndex), PtrToLParam(this), 0};
    Parent()->Broadcast(Msg);
}

void TFcButton::GroupButtonPressed(TMessage& Message)
{
    auto* Sender = LParamToPtr<TFcButton>(Message.LParam);
    if (int(Message.WParam) != FGroupIndex || Sender == this || Sender == nullptr)
        return;
    // The other button went down: this one is up, in its look and in its
    // Down, so that the group never holds two and its next press works.
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

bool TFcButton::PressedLook() const
{
    return FState == bsDown || FState == bsExclusive || ShownDown();
}

// --- keys and clicks ----------------------------------------------------------------------------------

void TFcButton::Toggle()
{
    if (FGroupIndex != 0)
        SetDown(!FDown);
    else
        RepaintButton();
    FClicking = true;
    try {
        Click();
    } catch (...) {
        FClicking = false;
        throw;
    }
    FClicking = false;
}

void TFcButton::Click()
{
    if (TCustomForm* Form = GetParentForm(this))
        Form->SetModalResult(FModalResult);
    TFcCustomButton::Click();
}

void TFcButton::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && !Shift.Contains(ssAlt)) {
        FSpaceDown = true;
        SetShownDown(true);
        RepaintButton();
    }
    TFcCustomButton::KeyDown(Key, Shift);
}

void TFcButton::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        SetShownDown(false);
        // Only a space press that began here presses the button, once.
        const bool Press = FSpaceDown;
        FSpaceDown = false;
        if (Press)
            Toggle();
        RepaintButton();
    }
    TFcCustomButton::KeyUp(Key, Shift);
}

void TFcButton::WMKillFocus(TMessage& Message)
{
    TFcCustomButton::WMKillFocus(Message);
    FSpaceDown = false;
    SetShownDown(false);
    RepaintButton();
}

void TFcButton::CMDialogKey(TMessage& Message)
{
    const bool Pressed = (Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel);
    if (Pressed && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TFcCustomButton::CMDialogKey(Message);
}

void TFcButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TFcCustomButton::CMDialogChar(Message);
}

void TFcButton::CMFocusChanged(TMessage& Message)
{
    TWinControl* Focused = LParamToPtr<TWinControl>(Message.LParam);
    const bool IsButton =
        dynamic_cast<TFcButton*>(Focused) != nullptr || dynamic_cast<TCustomButton*>(Focused) != nullptr;
    const bool NewActive = IsButton ? Focused == this : FDefault;
    if (AssignIfChanged(FActive, NewActive))
        Invalidate();
    TFcCustomButton::CMFocusChanged(Message);
}

void TFcButton::CreateWnd()
{
    TFcCustomButton::CreateWnd();
    FActive = FDefault;
}

void TFcButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_GROUPBUTTONPRESSED) {
        GroupButtonPressed(Message);
        return;
    }
    TFcCustomButton::Dispatch(Message);
}

// --- painting -----------------------------------------------------------------------------------------

void TFcButton::GetCaptionRect(TRect& R)
{
    R = GetClientRect();
    InflateRect(R, -5, -5);
    if (HotTrack() || Themed())
        return;
    if (FGroupIndex != 0 ? PressedLook() : ShownDown())
        OffsetRect(R, 1, 1);
}

void TFcButton::PaintCaption()
{
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TAlignment A = FAlignment;
    if (UseRightToLeftAlignment() && A != taCenter)
        A = A == taLeftJustify ? taRightJustify : taLeftJustify;
    TRect R;
    GetCaptionRect(R);
    DrawCaption(Canvas(), R, Alignments[A] | DT_EXPANDTABS | DT_WORDBREAK);
}

void TFcButton::BuildDownPattern(TBitmap* Bitmap)
{
    Bitmap->SetSize(8, 8);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(Rect(0, 0, 8, 8));
    const TColor Dot = ColorToRGB(Color()) == 0xC0C0C0 ? TColor(0x808080) : TColor(0xC0C0C0);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            if (X % 2 == Y % 2)
                C->SetPixels(X, Y, Dot);
}

bool TFcButton::Defaulted()
{
    return FGroupIndex == 0 && (FActive || Focused()) && !ShownDown();
}

void TFcButton::Paint()
{
    TFcCustomButton::Paint();
    TRect F = GetClientRect();
    const int FocusInset = HotTrack() || Themed() ? 3 : 4;
    InflateRect(F, -FocusInset, -FocusInset);
    if (FGroupIndex != 0 && PressedLook())
        OffsetRect(F, 1, 1);
    TRect R = GetClientRect();
    const bool IsDefaulted = Defaulted();
    if (Themed())
        PaintThemedFace(R, IsDefaulted);
    else if (HotTrack() && Enabled())
        PaintHotTrackFace(R, IsDefaulted);
    else if (HotTrack())
        PaintDisabledHotTrackFace(R);
    else
        PaintClassicFace(R, IsDefaulted);
    if (FGroupIndex != 0 && FState == bsExclusive && FShowDownPattern)
        PaintDownPattern(R);
    Canvas()->Font()->Assign(Font());
    Canvas()->Brush()->SetColor(Color());
    PaintCaption();
    if (Focused() && FShowFocusRect)
        PaintDottedOutline(Canvas(), F);
}

void TFcButton::PaintThemedFace(const TRect& R, bool IsDefaulted)
{
    TThemedButton Button = tbPushButtonNormal;
    if (!Enabled())
        Button = tbPushButtonDisabled;
    else if (PressedLook())
        Button = tbPushButtonPressed;
    else if (MouseOver())
        Button = tbPushButtonHot;
    else if (IsDefaulted)
        Button = tbPushButtonDefaulted;
    const TThemedElementDetails Details = TThemeServices::GetElementDetails(Button);
    HDC DC = Canvas()->Handle();
    ThemeServices().DrawParentBackground(Handle(), DC, &Details, true);
    ThemeServices().DrawElement(DC, Details, R);
}

namespace {

// A pixel-exact line from (X1, Y1) up to, not including, (X2, Y2).
void Line(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color)
{
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// The outline of R without its four corner pixels.
void OutlineWithoutCorners(TCanvas* C, const TRect& R, TColor Color)
{
    Line(C, R.Left + 1, R.Top, R.Right - 1, R.Top, Color);
    Line(C, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1, Color);
    Line(C, R.Left, R.Top + 1, R.Left, R.Bottom - 1, Color);
    Line(C, R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1, Color);
}

// The etched outline of the hot-track look, its corners cut by a pixel
// set diagonally inside: dark above and left, light below and right.
void EtchedOutline(TCanvas* C, const TRect& R, TColor Dark, TColor Light)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    Line(C, L, T + 2, L, B - 2, Dark);
    Line(C, L + 2, T, Rt - 2, T, Dark);
    Line(C, Rt - 1, T + 2, Rt - 1, B - 2, Light);
    Line(C, L + 2, B - 1, Rt - 2, B - 1, Light);
    C->SetPixels(L + 1, T + 1, Dark);
    C->SetPixels(Rt - 2, T + 1, Dark);
    C->SetPixels(L + 1, B - 2, Dark);
    C->SetPixels(Rt - 2, B - 2, Light);
}

} // namespace

void TFcButton::PaintHotTrackFace(TRect& R, bool IsDefaulted)
{
    TCanvas* C = Canvas();
    const TColor ParentFace = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    EtchedOutline(C, R, DarkenColor(ParentFace, 20), LightenColor(ParentFace, 20));
    InflateRect(R, -1, -1);
    OutlineWithoutCorners(C, R, FFrameColor);
    InflateRect(R, -1, -1);
    C->Brush()->SetStyle(bsSolid);
    if (PressedLook()) {
        C->Brush()->SetColor(DarkenColor(Color(), 10));
        C->FillRect(R);
    } else {
        Line(C, R.Left, R.Bottom - 2, R.Right, R.Bottom - 2, DarkenColor(Color(), 20));
        Line(C, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, DarkenColor(Color(), 30));
        R.Bottom -= 2;
        if (ManyColors()) {
            FillGradientRect(C, R, gdHorizontalEnd, LightenColor(Color(), 30), DarkenColor(Color(), 10), 1);
        } else {
            C->Brush()->SetColor(Color());
            C->FillRect(R);
        }
    }
    if (MouseOver()) {
        TColor Start = MixColors(TColor(0xFFFFFF), HotTrackColor(), 190);
        TColor Stop = HotTrackColor();
        if (HotTrackColorType() == htctComplement) {
            Start = OppositeHueColor(HotTrackColor(), 180);
            Stop = DarkenColor(Start, 30);
        }
        PaintGradientBorder(C, R, gdHorizontalEnd, Start, Stop);
    } else if (IsDefaulted) {
        const TColor Base =
            ColorsAreNear(HighlightColor(), clBtnFace) ? DarkenColor(HighlightColor(), 30) : HighlightColor();
        const TColor Light = LightenColor(Color(), 30);
        PaintGradientBorder(C, R, gdHorizontalEnd, MixColors(Base, Light, 60), MixColors(Base, Light, 160));
    }
}

void TFcButton::PaintDisabledHotTrackFace(TRect& R)
{
    TCanvas* C = Canvas();
    InflateRect(R, -1, -1);
    OutlineWithoutCorners(C, R, Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80));
    InflateRect(R, -1, -1);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(R);
}

void TFcButton::PaintClassicFace(TRect& R, bool IsDefaulted)
{
    TCanvas* C = Canvas();
    if (FGroupIndex == 0 && (IsDefaulted || FClicking))
        R = PaintSideLines(C, R, clWindowFrame, clWindowFrame, AllSides);
    const bool Pressed = PressedLook();
    if (Color() == clBtnFace) {
        if (FGroupIndex == 0)
            R = PaintButtonEdgeSides(C, R, ShownDown(), AllSides);
        else
            R = PaintFrameStyle(C, R, Pressed ? fsLowered : fsButtonUp);
    } else if (FGroupIndex == 0) {
        R = PaintColoredButtonEdgeSides(C, R, Color(), ShownDown(), AllSides);
    } else if (Pressed) {
        R = PaintColoredFrame(C, R, Color(), fsLowered);
    } else {
        R = PaintColoredButtonEdgeSides(C, R, Color(), false, AllSides);
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(R);
}

void TFcButton::PaintDownPattern(const TRect& R)
{
    TBitmap Pattern;
    BuildDownPattern(&Pattern);
    TCanvas* C = Canvas();
    C->Brush()->SetBitmap(&Pattern);
    C->FillRect(R);
    C->Brush()->SetBitmap(nullptr);
}

// The corners of the face (and, disabled, its outer ring) show the parent.
void TFcButton::PaintTransparentBackground(HDC DC)
{
    if (!Transparent())
        return;
    const int Saved = SaveDC(DC);
    TRect R = GetClientRect();
    const int Inset = Enabled() ? 1 : 2;
    InflateRect(R, -Inset, -Inset);
    ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    InflateRect(R, 1, -1);
    ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    InflateRect(R, -2, 2);
    ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    PaintParentBackdrop(this, DC, false);
    RestoreDC(DC, Saved);
}
