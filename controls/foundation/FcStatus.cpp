#include "controls/foundation/FcStatus.h"

#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcStatusBar.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/graphics/Bitmap.h"

REGISTER_COMPONENT(TFcCustomStatusPane, TGraphicControl)
    PUBLISHED(BorderWidth, 1)
    PUBLISHED_STORED(Color, clWindow, &TFcCustomStatusPane::IsColorStored)
    PUBLISHED_STORED(FillColor, clBtnFace, [](const TFcCustomStatusPane& P) { return !P.ParentFillColor(); })
    PUBLISHED(ParentFillColor, true)
    PUBLISHED(FlatColor, clBtnShadow)
    PUBLISHED(FlatColorAdjustment, 30)
    PUBLISHED_STORED(FrameStyle, TFrameStyle(fsFlat), &TFcCustomStatusPane::IsFrameStyleStored)
    PUBLISHED(FrameController, nullptr)
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)
    PUBLISHED(Transparent, true)
END_REGISTER

REGISTER_COMPONENT(TFcStatusPane, TFcCustomStatusPane)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(AutoHint, false)
    PUBLISHED(AutoSize, false)
    PUBLISHED(Blinking, false)
    PUBLISHED(BlinkColor, clHighlight)
    PUBLISHED(BlinkIntervalOff, 500)
    PUBLISHED(BlinkIntervalOn, 500)
    PUBLISHED(CaptionOffset, 2)
    PUBLISHED(DefaultWidth, 40)
END_REGISTER

TFcCustomStatusPane::TFcCustomStatusPane(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Exclude(csOpaque);
    FWidth = 100;
    FHeight = 20;
    FNormalFontColor = FCurrentFontColor = Font()->Color();
    AddBlinkingControl(this);
}

TFcCustomStatusPane::~TFcCustomStatusPane()
{
    if (FFrameController != nullptr)
        FFrameController->UnregisterFramedControl(this);
    RemoveBlinkingControl(this);
}

// --- properties ---------------------------------------------------------------------------

void TFcCustomStatusPane::SetFillColor(TColor Value)
{
    SetPaintProperty(FFillColor, Value);
    FParentFillColor = false;
}

void TFcCustomStatusPane::SetParentFillColor(bool Value)
{
    if (!SetPaintProperty(FParentFillColor, Value))
        return;
    if (Parent() != nullptr && !ComponentState().Contains(csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TFcCustomStatusPane::SetFrameController(TFcFrameController* Value)
{
    ChangeFrameController(this, FFrameController, Value);
}

void TFcCustomStatusPane::SetFrameControllerNotifications(TFcFrameControllerNotifications Value)
{
    SetPaintProperty(FFrameControllerNotifications, Value);
}

void TFcCustomStatusPane::SetTransparent(bool Value)
{
    if (!SetPaintProperty(FTransparent, Value))
        return;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
}

void TFcCustomStatusPane::SetAutoSize(bool Value)
{
    if (AutoSize() == Value)
        return;
    TGraphicControl::SetAutoSize(Value);
    Invalidate();
}

void TFcCustomStatusPane::SetBlinking(bool Value)
{
    if (!SetPaintProperty(FBlinking, Value) || Value)
        return;
    FCurrentFontColor = FNormalFontColor;
    Repaint();
}

std::uint16_t TFcCustomStatusPane::BlinkIntervalOff() const
{
    return SharedBlinkInterval(false);
}

void TFcCustomStatusPane::SetBlinkIntervalOff(std::uint16_t Value)
{
    SetSharedBlinkInterval(false, Value);
}

std::uint16_t TFcCustomStatusPane::BlinkIntervalOn() const
{
    return SharedBlinkInterval(true);
}

void TFcCustomStatusPane::SetBlinkIntervalOn(std::uint16_t Value)
{
    SetSharedBlinkInterval(true, Value);
}

bool TFcCustomStatusPane::IsColorStored() const
{
    return TControl::IsColorStored()
        && IsFramingPropertyStored(FFrameController, FFrameControllerNotifications, fcpColor);
}

bool TFcCustomStatusPane::IsFrameStyleStored() const
{
    return IsFramingPropertyStored(FFrameController, FFrameControllerNotifications, fcpFrameStyle);
}

// --- where the pane sits ------------------------------------------------------------------

TFcStatusBar* TFcCustomStatusPane::StatusBar() const
{
    return dynamic_cast<TFcStatusBar*>(Parent());
}

bool TFcCustomStatusPane::IsUnderSizeGrip() const
{
    TFcStatusBar* Bar = StatusBar();
    return Bar != nullptr && Bar->ShowSizeGrip() && BoundsRect().Right >= Bar->ClientRect().Right;
}

bool TFcCustomStatusPane::Themed() const
{
    TFcStatusBar* Bar = StatusBar();
    return Bar != nullptr && Bar->VisualStyle() == vsWinXP && FcThemesEnabled();
}

// --- sizing -------------------------------------------------------------------------------

int TFcCustomStatusPane::GetAutoWidth()
{
    const String Text = Caption();
    if (Text.isEmpty())
        return FDefaultWidth;
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font()->Handle());
    TRect R = ClientRect();
    DrawText(DC, Text, &R, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return R.Width() + 2 * FBorderWidth + FCaptionOffset + 6;
}

void TFcCustomStatusPane::AdjustSize()
{
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !AutoSize())
        return;
    SetWidth(GetAutoWidth());
}

// --- painting -----------------------------------------------------------------------------

void TFcCustomStatusPane::Paint()
{
    DrawFrame();
    DrawCaption(Caption());
}

void TFcCustomStatusPane::DrawFrame()
{
    TCanvas* C = Canvas();
    if (Themed()) {
        FcDrawThemedElement(C, TThemeServices::GetElementDetails(tsPane), ClientRect());
        return;
    }
    TRect R = Rect(0, 0, Width(), Height());
    if (!FTransparent) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(R);
    }
    InflateRect(R, -FBorderWidth, -FBorderWidth);
    TFcStatusBar* Bar = StatusBar();
    if (Bar != nullptr && Bar->VisualStyle() == vsGradient) {
        // Dividers between the panes; the first pane needs none.
        if (Bar->BorderWidth() + Bar->Padding()->Left() >= Left())
            return;
        TColor Start, Stop, Divider;
        GetStatusGradientColors(Bar->GradientColorStyle(), Start, Stop, Divider);
        C->Pen()->SetColor(Divider);
        C->MoveTo(R.Left, R.Top + 1);
        C->LineTo(R.Left, R.Bottom - 1);
        return;
    }
    if (FFrameStyle == fsFlat)
        PaintFlatLines(C, R, ShiftColorLightness(FFlatColor, FFlatColorAdjustment));
    else
        PaintFrameStyle(C, R, FFrameStyle);
}

void TFcCustomStatusPane::GetTextRect(TRect& R)
{
    R = ClientRect();
    int Inset = FBorderWidth;
    switch (FFrameStyle) {
    case fsNone:
        break;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        Inset += 1;
        break;
    default:
        Inset += 2;
        break;
    }
    InflateRect(R, -Inset, -Inset);
}

void TFcCustomStatusPane::DrawCaption(const String& Text)
{
    DrawCaptionText(Text, FCurrentFontColor);
}

void TFcCustomStatusPane::DrawCaptionText(const String& Text, TColor Color)
{
    TCanvas* C = Canvas();
    // The canvas keeps its font from paint to paint: only a changed font
    // is made afresh (the colour alone is no new font).
    TFont* CanvasFont = C->Font();
    CanvasFont->SetColor(Font()->Color());
    if (!CanvasFont->Equals(*Font()))
        CanvasFont->Assign(Font());
    CanvasFont->SetColor(Color);
    TRect R;
    GetTextRect(R);
    TAlignment A = FAlignment;
    if (UseRightToLeftReading() && A != taCenter)
        A = A == taLeftJustify ? taRightJustify : taLeftJustify;
    int X;
    unsigned Align;
    switch (A) {
    case taLeftJustify:
        X = R.Left + FCaptionOffset + 1;
        Align = TA_LEFT;
        break;
    case taRightJustify:
        X = R.Right - FCaptionOffset - 1;
        Align = TA_RIGHT;
        break;
    default:
        X = (R.Left + R.Right) / 2;
        Align = TA_CENTER;
        break;
    }
    // The line's height is measured once per font: panes repaint often.
    if (FLineHeight < 0)
        FLineHeight = C->TextHeight(QStringLiteral("Pp"));
    const int Y = R.Top + (R.Bottom - R.Top - FLineHeight) / 2;
    if (Themed()) {
        PaintThemedBackground(R);
        C->Brush()->SetStyle(bsClear);
    } else if (!FTransparent) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(FFillColor);
    } else {
        C->Brush()->SetStyle(bsClear);
    }
    if (!Enabled())
        C->Font()->SetColor(clGrayText);
    const unsigned Old = SetTextAlign(C->Handle(), Align);
    C->TextRect(R, X, Y, Text);
    SetTextAlign(C->Handle(), Old);
    C->Brush()->SetStyle(bsSolid);
}

// The bar's themed background behind R, so the text stands on it.
void TFcCustomStatusPane::PaintThemedBackground(const TRect& R)
{
    TFcStatusBar* Bar = StatusBar();
    TBitmap Background;
    Background.SetSize(Bar->Width(), Bar->Height());
    FcDrawThemedElement(Background.Canvas(), TThemeServices::GetElementDetails(tsStatusRoot),
                        Rect(0, 0, Bar->Width(), Bar->Height()));
    BitBlt(Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(), Background.Canvas()->Handle(), Left() + R.Left,
           Top() + R.Top, SRCCOPY);
}

// --- the frame controller and blinking ----------------------------------------------------

void TFcCustomStatusPane::ApplyFrameController()
{
    TFcFrameController* FC = FFrameController;
    if (FC == nullptr || !FC->FrameVisible())
        return;
    const TFcFrameControllerNotifications N = FFrameControllerNotifications;
    if (N.Contains(fcpFrameStyle))
        SetFrameStyle(FC->FrameStyle());
    if (N.Contains(fcpFrameColor)) {
        SetFlatColor(FC->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (N.Contains(fcpColor))
        SetColor(FC->Color());
    if (N.Contains(fcpParentColor))
        SetParentColor(FC->ParentColor());
    Invalidate();
}

void TFcCustomStatusPane::BlinkStateChanged(int State)
{
    FCurrentFontColor = State == 1 ? FBlinkColor : FNormalFontColor;
    Repaint();
}

// --- messages -----------------------------------------------------------------------------

void TFcCustomStatusPane::Loaded()
{
    TGraphicControl::Loaded();
    if (!ParentColor())
        SetTransparent(false);
    FNormalFontColor = FCurrentFontColor = Font()->Color();
    AdjustSize();
}

bool TFcCustomStatusPane::ExecuteAction(TBasicAction* Action)
{
    // The application's hint, shown by a pane that wants it.
    if (FAutoHint && dynamic_cast<THintAction*>(Action) != nullptr) {
        SetCaption(static_cast<THintAction*>(Action)->Hint());
        return true;
    }
    return TGraphicControl::ExecuteAction(Action);
}

void TFcCustomStatusPane::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_QUERYBLINKING:
        Message.Result = FBlinking ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        if (FBlinking)
            BlinkStateChanged(int(Message.WParam));
        return;
    default:
        TGraphicControl::Dispatch(Message);
        return;
    }
}

void TFcCustomStatusPane::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

void TFcCustomStatusPane::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    FLineHeight = -1;
    if (ComponentState().Contains(csLoading))
        return;
    FNormalFontColor = Font()->Color();
    if (!FBlinking)
        FCurrentFontColor = FNormalFontColor;
    AdjustSize();
}

void TFcCustomStatusPane::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    Invalidate();
    AdjustSize();
}

void TFcCustomStatusPane::CMColorChanged(TMessage& Message)
{
    TGraphicControl::CMColorChanged(Message);
    if (FParentFillColor) {
        FFillColor = Color();
        Invalidate();
    }
}

void TFcCustomStatusPane::CMParentColorChanged(TMessage& Message)
{
    TGraphicControl::CMParentColorChanged(Message);
    if (FParentFillColor) {
        FFillColor = Color();
        Invalidate();
    }
}

// The last pixels of a pane under the size grip belong to the grip.
void TFcCustomStatusPane::CMHitTest(TMessage& Message)
{
    TFcStatusBar* Bar = StatusBar();
    if (IsUnderSizeGrip() && LParamToPoint(Message.LParam).X >= Width() - 12 && Bar->SizeGripUsable()) {
        Message.Result = HTNOWHERE;
        return;
    }
    TGraphicControl::CMHitTest(Message);
}
