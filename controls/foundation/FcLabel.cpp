#include "controls/foundation/FcLabel.h"

#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcTextHelpers.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/WinControl.h"

#include <cmath>
#include <numbers>

REGISTER_ENUM(TRotation, roNone, roFlat, roCurve)
REGISTER_ENUM(TCenterPoint, cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter,
              cpLowerLeft, cpLowerCenter, cpLowerRight)
REGISTER_ENUM(TFcCondenseCaption, ccNone, ccAtEnd, ccWithinPath)

namespace {

bool Framed(const TFcLabel& L, TFcFrameControllerProperty Prop)
{
    return IsFramingPropertyStored(L.FrameController(), L.FrameControllerNotifications(), Prop);
}

} // namespace

REGISTER_COMPONENT(TFcLabel, TCustomLabel)
    PUBLISHED(Angle, 0)
    PUBLISHED(Blinking, false)
    PUBLISHED(BlinkColor, clHighlight)
    PUBLISHED(BlinkIntervalOff, 500)
    PUBLISHED(BlinkIntervalOn, 500)
    PUBLISHED(BevelWidth, 1)
    PUBLISHED(BorderInner, fsNone)
    PUBLISHED_STORED(BorderOuter, fsNone, [](const TFcLabel& L) { return Framed(L, fcpFrameStyle); })
    PUBLISHED_STORED(BorderSides, AllSides, [](const TFcLabel& L) { return Framed(L, fcpFrameSides); })
    PUBLISHED(BorderColor, clBtnFace)
    PUBLISHED_STORED(BorderHighlight, clBtnHighlight, [](const TFcLabel& L) { return Framed(L, fcpColor); })
    PUBLISHED_STORED(BorderShadow, clBtnShadow, [](const TFcLabel& L) { return Framed(L, fcpColor); })
    PUBLISHED(BorderWidth, 0)
    PUBLISHED(CondenseCaption, ccNone)
    PUBLISHED_STORED(FlatColor, clBtnShadow, [](const TFcLabel& L) { return Framed(L, fcpFrameColor); })
    PUBLISHED_STORED(FlatColorAdjustment, 30, [](const TFcLabel& L) { return Framed(L, fcpFrameColor); })
    PUBLISHED(FrameController, nullptr)
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)
    PUBLISHED(CenterPoint, cpCenter)
    PUBLISHED(FlyByColor, clHighlight)
    PUBLISHED(FlyByEnabled, false)
    PUBLISHED(Layout, tlTop)
    PUBLISHED(LightTextStyle, false)
    PUBLISHED(Rotation, roNone)
    PUBLISHED(HighlightColor, clBtnHighlight)
    PUBLISHED(ShadowColor, clBtnShadow)
    PUBLISHED(ShadowDepth, 2)
    PUBLISHED(TextMargin, 0)
    PUBLISHED(TextStyle, tsNormal)
    PUBLISHED_STORED(Color, clBtnFace, [](const TFcLabel& L) { return L.IsColorStored() && Framed(L, fcpColor); })
    PUBLISHED_STORED(ParentColor, true, [](const TFcLabel& L) { return Framed(L, fcpParentColor); })
END_REGISTER

TFcLabel::TFcLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    FControlStyle.Include(csOpaque);
    SetLayout(tlTop);
    AddBlinkingControl(this);
    // The label takes its parent's colour, clBtnFace until it has one; the
    // parent's notice is not for this assignment.
    FNoParentColor = true;
    SetColor(clBtnFace);
    SetParentColor(true);
    FNoParentColor = false;
    FNormalFontColor = FCurrentFontColor = FSavedFontColor = Font()->Color();
}

TFcLabel::~TFcLabel()
{
    if (FFrameController != nullptr)
        FFrameController->UnregisterFramedControl(this);
    RemoveBlinkingControl(this);
}

void TFcLabel::DefineProperties(TFiler& Filer)
{
    TCustomLabel::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("FrameSides"), TFcOldPropReader::SkipSetProperty, nullptr, false);
}

// --- properties ---------------------------------------------------------------------------------------

// Borders take room: the label fits its text again.
void TFcLabel::LayoutPropertyChanged()
{
    AdjustBounds();
    Invalidate();
}

bool TFcLabel::IsLoading() const
{
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

// Only scalable fonts turn: a bitmap font gives way to Verdana.
void TFcLabel::UseScalableFont()
{
    if (!IsTrueTypeFont(Font()))
        Font()->SetName(QStringLiteral("Verdana"));
}

void TFcLabel::SetAngle(int Value)
{
    // Into 0..359, whatever the sign and size.
    Value = ((Value % 360) + 360) % 360;
    if (Value == FAngle)
        return;
    FAngle = Value;
    if (!IsLoading()) {
        if (FAngle != 0)
            UseScalableFont();
        // A turned label is at least flat; its angle stays.
        if (FAngle != 0 && FRotation == roNone)
            FRotation = roFlat;
    }
    AdjustBounds();
    Invalidate();
}

void TFcLabel::SetRotation(TRotation Value)
{
    if (Value == FRotation)
        return;
    FRotation = Value;
    if (!IsLoading()) {
        if (Value != roNone)
            UseScalableFont();
        if (Value != roCurve)
            FAngle = 0;
        if (Value == roFlat)
            FCenterPoint = cpCenter;
        AdjustBounds();
    }
    Invalidate();
}

void TFcLabel::SetBlinking(bool Value)
{
    if (!AssignIfChanged(FBlinking, Value))
        return;
    if (!Value) {
        FBlinkOn = false;
        FCurrentFontColor = FNormalFontColor;
        Repaint();
    }
}

std::uint16_t TFcLabel::BlinkIntervalOff() const
{
    return SharedBlinkInterval(false);
}

void TFcLabel::SetBlinkIntervalOff(std::uint16_t Value)
{
    SetSharedBlinkInterval(false, Value);
}

std::uint16_t TFcLabel::BlinkIntervalOn() const
{
    return SharedBlinkInterval(true);
}

void TFcLabel::SetBlinkIntervalOn(std::uint16_t Value)
{
    SetSharedBlinkInterval(true, Value);
}

void TFcLabel::SetCondenseCaption(TFcCondenseCaption Value)
{
    if (!AssignIfChanged(FCondenseCaption, Value))
        return;
    if (Value != ccNone)
        SetAutoSize(false);
    Invalidate();
}

void TFcLabel::SetFrameController(TFcFrameController* Value)
{
    ChangeFrameController(this, FFrameController, Value);
}

void TFcLabel::SetFlyByEnabled(bool Value)
{
    if (!AssignIfChanged(FFlyByEnabled, Value))
        return;
    if (!Value && FInFlyBy) {
        FInFlyBy = false;
        SetFontColor(FSavedFontColor);
    }
}

void TFcLabel::SetFontColor(TColor Value)
{
    Font()->SetColor(Value);
}

// --- frame controller, blinking, fly-by ---------------------------------------------------------------

void TFcLabel::ApplyFrameController()
{
    TFcFrameController* C = FFrameController;
    if (C == nullptr || !C->FrameVisible())
        return;
    const TFcFrameControllerNotifications N = FNotifications;
    if (N.Contains(fcpFrameStyle))
        SetBorderOuter(TFrameStyleEx(C->FrameStyle()));
    if (N.Contains(fcpFrameSides))
        SetBorderSides(C->FrameSides());
    if (N.Contains(fcpFrameColor)) {
        SetFlatColor(C->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (N.Contains(fcpColor))
        SetColor(C->Color());
    if (N.Contains(fcpParentColor))
        SetParentColor(C->ParentColor());
    if (N.Contains(fcpColor)) {
        SetBorderHighlight(LightenColor(Color(), 100));
        SetBorderShadow(DarkenColor(Color(), 50));
    }
    Invalidate();
}

void TFcLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

void TFcLabel::BlinkPhaseChanged(bool On)
{
    FBlinkOn = On;
    FCurrentFontColor = On ? FBlinkColor : FNormalFontColor;
    Repaint();
}

void TFcLabel::FontChanged()
{
    if (IsLoading())
        return;
    if (!FBlinking)
        FNormalFontColor = FCurrentFontColor = Font()->Color();
    else
        FNormalFontColor = Font()->Color();
    if (FAngle != 0 && !IsTrueTypeFont(Font()))
        SetAngle(0);
}

void TFcLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_QUERYBLINKING:
        Message.Result = FBlinking ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        if (FBlinking)
            BlinkPhaseChanged(Message.WParam == 1);
        return;
    case CM_FONTCHANGED:
        TCustomLabel::Dispatch(Message);
        FontChanged();
        return;
    case CM_TEXTCHANGED:
        TCustomLabel::Dispatch(Message);
        Repaint();
        return;
    case CM_PARENTCOLORCHANGED:
        if (!FNoParentColor)
            TCustomLabel::Dispatch(Message);
        return;
    case CM_MOUSEENTER:
        TCustomLabel::Dispatch(Message);
        if (FFlyByEnabled && Message.LParam == 0 && !ComponentState().Contains(csDesigning) && !FInFlyBy) {
            FSavedFontColor = Font()->Color();
            FInFlyBy = true;
            SetFontColor(FFlyByColor);
        }
        return;
    case CM_MOUSELEAVE:
        TCustomLabel::Dispatch(Message);
        if (FInFlyBy && Message.LParam == 0) {
            FInFlyBy = false;
            SetFontColor(FSavedFontColor);
        }
        return;
    default:
        TCustomLabel::Dispatch(Message);
        return;
    }
}

void TFcLabel::Loaded()
{
    TCustomLabel::Loaded();
    if (FAngle != 0 && FRotation == roNone)
        FRotation = roFlat;
    if (FRotation != roNone)
        UseScalableFont();
    FNormalFontColor = FCurrentFontColor = Font()->Color();
    AdjustBounds();
}

// --- geometry -----------------------------------------------------------------------------------------

namespace {

int FrameWidth(TFrameStyleEx Style, int BevelWidth)
{
    switch (Style) {
    case fsFlat:
        return 1;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
        return 2;
    case fsStatus:
    case fsPopup:
        return BevelWidth;
    default:
        return 0;
    }
}

} // namespace

TRect TFcLabel::BorderWidths() const
{
    const int W = FBorderWidth + FrameWidth(FBorderOuter, FBevelWidth) + FrameWidth(FBorderInner, FBevelWidth);
    auto Side = [&](TSide S) { return FBorderSides.Contains(S) ? W : 0; };
    return Rect(Side(sdLeft), Side(sdTop), Side(sdRight), Side(sdBottom));
}

TPoint TFcLabel::CenterPointPosition()
{
    const int M = FBorderWidth, W = Width(), H = Height();
    if (FRotation == roFlat)
        return {W / 2, H / 2};
    switch (FCenterPoint) {
    case cpUpperLeft:
        return {M, M};
    case cpUpperCenter:
        return {W / 2, M};
    case cpUpperRight:
        return {W - M, M};
    case cpLeftCenter:
        return {M, H / 2};
    case cpRightCenter:
        return {W - M, H / 2};
    case cpLowerLeft:
        return {M, H - M};
    case cpLowerCenter:
        return {W / 2, H - M};
    case cpLowerRight:
        return {W - M, H - M};
    default:
        return {W / 2, H / 2};
    }
}

TPoint TFcLabel::CurveRadii()
{
    const int D = 2 * FBorderWidth, W = Width(), H = Height();
    switch (FCenterPoint) {
    case cpUpperCenter:
    case cpLowerCenter:
        return {W / 2 - D, H - D};
    case cpLeftCenter:
    case cpRightCenter:
        return {W - D, H / 2 - D};
    case cpCenter:
        return {W / 2 - D, H / 2 - D};
    default:
        return {W - D, H - D};
    }
}

unsigned TFcLabel::TextFlags()
{
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TAlignment A = Alignment();
    if (UseRightToLeftAlignment() && A != taCenter)
        A = A == taLeftJustify ? taRightJustify : taLeftJustify;
    unsigned Flags = Alignments[A] | DT_EXPANDTABS;
    if (UseRightToLeftReading())
        Flags |= DT_RTLREADING;
    if (WordWrap())
        Flags |= DT_WORDBREAK;
    if (!ShowAccelChar())
        Flags |= DT_NOPREFIX;
    if (FCondenseCaption == ccAtEnd)
        Flags |= DT_END_ELLIPSIS;
    else if (FCondenseCaption == ccWithinPath)
        Flags |= DT_PATH_ELLIPSIS;
    return Flags;
}

TRect TFcLabel::TextRect()
{
    const TRect B = BorderWidths();
    TRect R = Rect(B.Left, B.Top, Width() - B.Right, Height() - B.Bottom);
    InflateRect(R, -FTextMargin, -FTextMargin);
    return R;
}

// Measured on the screen as it paints, then grown by the borders, the
// shadow and, turned, to the box the turned text needs.  The full angle
// is used, so that every quadrant gets its right box.
void TFcLabel::AdjustBounds()
{
    if (ComponentState().Contains(csReading) || !AutoSize() || GetLabelText().isEmpty())
        return;
    const TRect B = BorderWidths();
    TRect R = Rect(B.Left, B.Top, Width() - B.Right, Height() - B.Bottom);
    HDC DC = GetDC(nullptr);
    {
        TCanvas Screen;
        Screen.SetHandle(DC);
        Screen.Font()->Assign(Font());
        unsigned Flags = DT_CALCRECT | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0u);
        if (!ShowAccelChar())
            Flags |= DT_NOPREFIX;
        DrawText(Screen.Handle(), GetLabelText(), &R, DrawTextBiDiModeFlags(Flags));
        Screen.SetHandle(nullptr);
    }
    ReleaseDC(nullptr, DC);
    int W = R.Width() + B.Left + B.Right, H = R.Height() + B.Top + B.Bottom;
    if (FTextStyle == tsShadow && FRotation == roNone) {
        W += FShadowDepth;
        H += FShadowDepth;
    }
    if (FRotation == roFlat && FAngle != 0 && FAngle != 180) {
        if (FTextStyle == tsShadow) {
            W += FShadowDepth / 2;
            H += FShadowDepth / 2;
        }
        const double A = FAngle * std::numbers::pi / 180.0;
        const double C = std::abs(std::cos(A)), S = std::abs(std::sin(A));
        const int TurnedW = int(std::lround(W * C + H * S)), TurnedH = int(std::lround(W * S + H * C));
        W = TurnedW;
        H = TurnedH;
    }
    int X = Left();
    TAlignment Al = Alignment();
    if (UseRightToLeftAlignment() && Al != taCenter)
        Al = Al == taLeftJustify ? taRightJustify : taLeftJustify;
    if (Al == taRightJustify)
        X += Width() - W;
    SetBounds(X, Top(), W, H);
}

// --- painting -----------------------------------------------------------------------------------------

// The copies of the 3-D styles, then the text itself; grey and single when
// disabled.
void TFcLabel::DrawPasses(const std::function<void(int DX, int DY, TColor Color)>& Draw)
{
    if (!Enabled()) {
        Draw(0, 0, clGrayText);
        return;
    }
    switch (FTextStyle) {
    case tsRaised:
        if (!FLightTextStyle)
            Draw(1, 1, FShadowColor);
        Draw(-1, -1, FHighlightColor);
        break;
    case tsRecessed:
        Draw(1, 1, FHighlightColor);
        if (!FLightTextStyle)
            Draw(-1, -1, FShadowColor);
        break;
    case tsShadow:
        Draw(FShadowDepth, FShadowDepth, FShadowColor);
        break;
    case tsNormal:
        break;
    }
    Draw(0, 0, FCurrentFontColor);
}

void TFcLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
    if ((Flags & DT_CALCRECT) != 0) {
        TCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    const String Text = GetLabelText();
    DrawPasses([&](int DX, int DY, TColor Color) {
        TRect R = Rect;
        OffsetRect(R, DX, DY);
        C->Font()->SetColor(Color);
        DrawText(C->Handle(), Text, &R, Flags);
    });
}

void TFcLabel::Paint()
{
    TCanvas* C = Canvas();
    const TColor ParentFace = Parent() != nullptr ? Parent()->Color() : Color();
    const TRect Inner = PaintPanelBorder(C, Rect(0, 0, Width(), Height()), FBorderOuter, FBorderInner, FBorderWidth,
                                         FBorderSides, FBevelWidth, FBorderColor, FBorderHighlight, FBorderShadow,
                                         FFlatColor, FFlatColorAdjustment, Color(), ParentFace, Transparent(), false);
    if (!Transparent()) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(Inner);
    }
    C->Brush()->SetStyle(bsClear);
    C->Font()->Assign(Font());
    if (FRotation == roCurve) {
        PaintCurvedText();
        return;
    }
    if (FRotation == roFlat) {
        PaintFlatText();
        return;
    }
    TRect R = TextRect();
    const unsigned Flags = TextFlags();
    if (Layout() != tlTop) {
        TRect Calc = R;
        TCustomLabel::DoDrawText(Calc, Flags | DT_CALCRECT);
        const int Free = R.Height() - Calc.Height();
        OffsetRect(R, 0, Layout() == tlBottom ? Free : Free / 2);
    }
    if (FTextStyle == tsShadow) {
        if ((Flags & DT_RIGHT) != 0)
            OffsetRect(R, -FShadowDepth, 0);
        if (Layout() == tlBottom)
            OffsetRect(R, 0, -FShadowDepth);
    }
    DoDrawText(R, Flags);
}

namespace {

// Draws Text at (X, Y) in Font turned by Escapement tenths of a degree.
class TTurnedText {
public:
    TTurnedText(TCanvas* Canvas, TFont* Font, int Escapement, unsigned Align) : FDC(Canvas->Handle())
    {
        LOGFONT L;
        GetObject(Font->Handle(), L);
        L.lfEscapement = Escapement;
        L.lfOrientation = Escapement;
        FFont = CreateFontIndirect(L);
        FOld = SelectObject(FDC, FFont);
        FOldAlign = SetTextAlign(FDC, Align);
        FOldMode = SetBkMode(FDC, TRANSPARENT);
    }
    ~TTurnedText()
    {
        SetBkMode(FDC, FOldMode);
        SetTextAlign(FDC, FOldAlign);
        SelectObject(FDC, FOld);
        DeleteObject(FFont);
    }
    TTurnedText(const TTurnedText&) = delete;
    TTurnedText& operator=(const TTurnedText&) = delete;

    void Out(int X, int Y, TColor Color, const String& Text)
    {
        SetTextColor(FDC, ColorToRGB(Color));
        TextOut(FDC, X, Y, Text);
    }

private:
    HDC FDC;
    HFONT FFont;
    HFONT FOld;
    unsigned FOldAlign;
    int FOldMode;
};

} // namespace

void TFcLabel::PaintFlatText()
{
    TCanvas* C = Canvas();
    const String Text = GetLabelText();
    const TRect R = TextRect();
    TPoint P = CenterPointPosition();
    const double Theta = (FAngle + 90) * std::numbers::pi / 180.0;
    int TH = C->TextHeight(QStringLiteral("Pp"));
    const double Radius = TH / 4.0;
    int TW = C->TextWidth(Text);
    const int S = FTextStyle == tsShadow ? FShadowDepth / 2 : 0;
    TW += S;
    TH += S;
    const int Shift = int(std::lround(Radius * std::cos(Theta)));
    const TAlignment A = Alignment();
    unsigned Align = TA_BASELINE;
    switch (FAngle) {
    case 0:
        Align = TA_TOP;
        if (A == taCenter)
            Align |= TA_CENTER;
        else
            P.X = A == taRightJustify ? R.Right - TW - S : R.Left + S;
        P.Y -= TH / 2;
        break;
    case 90:
        P.X -= Shift;
        P.Y = A == taCenter ? R.Bottom - (R.Bottom - TW) / 2 : A == taRightJustify ? R.Top + TW + S : R.Bottom - S;
        break;
    case 180:
        P.X = A == taCenter ? R.Right - (R.Right - TW) / 2 : A == taRightJustify ? R.Left + TW : R.Right - S;
        P.Y -= TH / 4;
        break;
    case 270:
        P.X -= Shift;
        P.Y = A == taCenter ? (R.Bottom - TW) / 2 : A == taRightJustify ? R.Bottom - TW - S : R.Top + S;
        break;
    default:
        P.X -= Shift;
        P.Y += int(std::lround(Radius * std::sin(Theta)));
        Align |= TA_CENTER;
        break;
    }
    TTurnedText Turned(C, Font(), FAngle * 10, Align);
    DrawPasses([&](int DX, int DY, TColor Color) { Turned.Out(P.X + DX, P.Y + DY, Color, Text); });
}

// Each character in turn along the ellipse, clockwise from the angle,
// upright to the curve.  Without a radius there is no curve to follow.
void TFcLabel::PaintCurvedText()
{
    const TPoint Centre = CenterPointPosition(), Radii = CurveRadii();
    if (Radii.X <= 0 || Radii.Y <= 0)
        return;
    TCanvas* C = Canvas();
    const String Text = GetLabelText();
    const int TH = C->TextHeight(QStringLiteral("Yy"));
    const double Step = (C->TextWidth(QStringLiteral("w")) + 2) / double(Radii.X);
    double Theta = FAngle * std::numbers::pi / 180.0;
    for (const QChar Ch : Text) {
        const int X = Centre.X - int(std::lround((Radii.X - TH) * std::sin(Theta)));
        const int Y = Centre.Y - int(std::lround((Radii.Y - TH) * std::cos(Theta)));
        TTurnedText Turned(C, Font(), int(std::lround(Theta * 1800.0 / std::numbers::pi)), TA_BASELINE | TA_CENTER);
        if (Enabled()) {
            DrawPasses([&](int DX, int DY, TColor Color) { Turned.Out(X + DX, Y + DY, Color, String(Ch)); });
        } else {
            Turned.Out(X + 1, Y + 1, clBtnHighlight, String(Ch));
            Turned.Out(X, Y, clBtnShadow, String(Ch));
        }
        Theta -= Step;
    }
}
