#include "controls/foundation/FcPanel.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcPanelDockManager.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_ENUM(TFcGridStyle, gsDots, gsDottedLines, gsSolidLines)

// What every panel of the library publishes; the grid, the caption's
// layout and the bevel colours are the plain panel's own (below).
REGISTER_COMPONENT(TFcCustomPanel, TCustomPanel)
    PUBLISHED(BevelOuter, bvNone)
    PUBLISHED_STORED(Color, clBtnFace, &TFcCustomPanel::IsColorStored)
    PUBLISHED(BorderInner, fsNone)
    PUBLISHED(BorderOuter, fsRaised)
    PUBLISHED(BorderSides, AllSides)
    PUBLISHED(BorderColor, clBtnFace)
    PUBLISHED(FlatColor, clBtnShadow)
    PUBLISHED(FlatColorAdjustment, 30)
    PUBLISHED(FrameController, nullptr)
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)
    PUBLISHED(GradientColorStyle, gcsSystem)
    PUBLISHED(GradientColorStart, clWhite)
    PUBLISHED(GradientColorStop, clBtnFace)
    PUBLISHED(GradientDirection, gdHorizontalEnd)
    PUBLISHED(ShowDockClientCaptions, true)
    PUBLISHED(Transparent, false)
    PUBLISHED(VisualStyle, vsWinXP)
END_REGISTER

REGISTER_COMPONENT(TFcPanel, TFcCustomPanel)
    PUBLISHED(AlignmentVertical, avCenter)
    PUBLISHED(BorderHighlight, clBtnHighlight)
    PUBLISHED(BorderShadow, clBtnShadow)
    PUBLISHED(GridColor, clBtnShadow)
    PUBLISHED(GridStyle, gsDots)
    PUBLISHED(GridXSize, 8)
    PUBLISHED(GridYSize, 8)
    PUBLISHED(PaintClientArea, true)
    PUBLISHED(ShowGrid, false)
    PUBLISHED(TextMargin, 0)
    PUBLISHED(TextMarginVertical, 0)
    PUBLISHED(WordWrap, true)
    PUBLISHED_EVENT(OnPaint)
END_REGISTER

namespace {

// How far one border style eats into the panel on each chosen side.
int BorderThickness(TFrameStyleEx Style, int BevelWidth)
{
    switch (Style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return BevelWidth;
    default:
        return 2;
    }
}

void MoveSidesIn(TRect& R, TSides Sides, int Amount)
{
    if (Sides.Contains(sdLeft))
        R.Left += Amount;
    if (Sides.Contains(sdTop))
        R.Top += Amount;
    if (Sides.Contains(sdRight))
        R.Right -= Amount;
    if (Sides.Contains(sdBottom))
        R.Bottom -= Amount;
}

const unsigned AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

} // namespace

TFcCustomPanel::TFcCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    SetBevelOuter(bvNone);
    FControlStyle.Exclude(csSetCaption);
    FControlStyle.Exclude(csParentBackground);
    FControlStyle.Include(csOpaque);
}

TFcCustomPanel::~TFcCustomPanel()
{
    if (FFrameController != nullptr)
        FFrameController->UnregisterFramedControl(this);
}

// --- properties ---------------------------------------------------------------------------

void TFcCustomPanel::LayoutPropertyChanged()
{
    Invalidate();
    Realign();
}

void TFcCustomPanel::SetFrameController(TFcFrameController* Value)
{
    ChangeFrameController(this, FFrameController, Value);
}

void TFcCustomPanel::SetFrameControllerNotifications(TFcFrameControllerNotifications Value)
{
    SetPaintProperty(FFrameControllerNotifications, Value);
}

void TFcCustomPanel::SetGradientColorStart(TColor Value)
{
    if (SetPaintProperty(FGradientColorStart, Value))
        InvalidateTransparentControls(this);
}

void TFcCustomPanel::SetGradientColorStop(TColor Value)
{
    if (SetPaintProperty(FGradientColorStop, Value))
        InvalidateTransparentControls(this);
}

void TFcCustomPanel::SetGradientDirection(TGradientDirection Value)
{
    if (SetPaintProperty(FGradientDirection, Value))
        InvalidateTransparentControls(this);
}

void TFcCustomPanel::SetTransparent(bool Value)
{
    if (!SetPaintProperty(FTransparent, Value))
        return;
    if (Value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    for (int I = 0; I < ControlCount(); ++I)
        Controls(I)->Invalidate();
}

bool TFcCustomPanel::IsColorStored() const
{
    return TControl::IsColorStored()
        && IsFramingPropertyStored(FFrameController, FFrameControllerNotifications, fcpColor);
}

// --- the virtual slots --------------------------------------------------------------------

TPoint TFcCustomPanel::CursorPosition()
{
    TPoint P;
    GetCursorPos(&P);
    return ScreenToClient(P);
}

void TFcCustomPanel::AdjustRectForBorders(TRect& R, bool IncludeBorderWidth)
{
    if (IncludeBorderWidth)
        InflateRect(R, -BorderWidth(), -BorderWidth());
    MoveSidesIn(R, FBorderSides, BorderThickness(FBorderOuter, BevelWidth()));
    MoveSidesIn(R, FBorderSides, BorderThickness(FBorderInner, BevelWidth()));
}

TRect TFcCustomPanel::GetPaintRect()
{
    return Rect(0, 0, Width(), Height());
}

TPoint TFcCustomPanel::GetRepaintMargin()
{
    return {1, 1};
}

void TFcCustomPanel::GetGradientColors(TColor& Start, TColor& Stop)
{
    if (FGradientColorStyle == gcsCustom) {
        Start = FGradientColorStart;
        Stop = FGradientColorStop;
        return;
    }
    GetPanelGradientColors(FGradientColorStyle, Start, Stop);
}

void TFcCustomPanel::GetFlatColors(TColor& FlatColor, int& Adjustment)
{
    if (FVisualStyle == vsGradient && FGradientColorStyle != gcsCustom) {
        FlatColor = GetPanelFrameColor(FGradientColorStyle);
        Adjustment = 0;
        return;
    }
    FlatColor = FFlatColor;
    Adjustment = FFlatColorAdjustment;
}

void TFcCustomPanel::DrawCaption(const TRect& Area)
{
    const String Text = Caption();
    if (Text.isEmpty())
        return;
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    TRect R = Area;
    InflateRect(R, -FTextMargin, -FTextMarginVertical);
    const unsigned Flags = DT_EXPANDTABS | DT_VCENTER | (FWordWrap ? DT_WORDBREAK : 0u) | AlignmentFlags[Alignment()];
    TRect Measure = R;
    const int H = DrawText(C->Handle(), Text, &Measure, Flags | DT_CALCRECT);
    switch (FAlignmentVertical) {
    case avTop:
        R.Bottom = std::min(R.Bottom, R.Top + H);
        break;
    case avCenter:
        R.Top = (R.Top + R.Bottom - H) / 2;
        R.Bottom = std::min(R.Bottom, R.Top + H);
        break;
    case avBottom:
        R.Top = std::max(R.Top, R.Bottom - H - 1);
        break;
    }
    if (!Enabled())
        C->Font()->SetColor(clGrayText);
    DrawText(C->Handle(), Text, &R, Flags);
}

void TFcCustomPanel::DrawGrid(const TRect& R)
{
    TCanvas* C = Canvas();
    const int Cols = FGridXSize == 0 ? 0 : (R.Right - R.Left) / FGridXSize;
    const int Rows = FGridYSize == 0 ? 0 : (R.Bottom - R.Top) / FGridYSize;
    const auto X = [&](int I) { return R.Left - 1 + I * FGridXSize; };
    const auto Y = [&](int J) { return R.Top - 1 + J * FGridYSize; };
    C->Pen()->SetColor(FGridColor);
    if (FGridStyle == gsDots) {
        for (int I = 1; I <= Cols; ++I)
            for (int J = 1; J <= Rows; ++J)
                C->SetPixels(X(I), Y(J), FGridColor);
        return;
    }
    if (FGridStyle == gsSolidLines) {
        for (int I = 1; I <= Cols; ++I) {
            C->MoveTo(X(I), R.Top);
            C->LineTo(X(I), R.Bottom);
        }
        for (int J = 1; J <= Rows; ++J) {
            C->MoveTo(R.Left, Y(J));
            C->LineTo(R.Right, Y(J));
        }
        return;
    }
    // Dotted: every second pixel, the first one after the line's start.
    for (int I = 1; I <= Cols; ++I)
        for (int Y0 = R.Top + 1; Y0 < R.Bottom; Y0 += 2)
            C->SetPixels(X(I), Y0, FGridColor);
    for (int J = 1; J <= Rows; ++J)
        for (int X0 = R.Left + 1; X0 < R.Right; X0 += 2)
            C->SetPixels(X0, Y(J), FGridColor);
}

void TFcCustomPanel::ApplyFrameController()
{
    TFcFrameController* FC = FFrameController;
    if (FC == nullptr || !FC->FrameVisible())
        return;
    const TFcFrameControllerNotifications N = FFrameControllerNotifications;
    if (N.Contains(fcpFrameStyle))
        SetBorderOuter(FC->FrameStyle());
    if (N.Contains(fcpFrameSides))
        SetBorderSides(FC->FrameSides());
    if (N.Contains(fcpFrameColor)) {
        SetFlatColor(FC->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (N.Contains(fcpColor))
        SetColor(FC->Color());
    if (N.Contains(fcpParentColor))
        SetParentColor(FC->ParentColor());
    if (N.Contains(fcpColor)) {
        SetBorderHighlight(LightenColor(Color(), 100));
        SetBorderShadow(DarkenColor(Color(), 50));
    }
    Invalidate();
}

// --- painting -----------------------------------------------------------------------------

void TFcCustomPanel::Paint()
{
    TCanvas* C = Canvas();
    TColor Flat;
    int Adjustment;
    GetFlatColors(Flat, Adjustment);
    const TColor ParentColor = Parent() != nullptr ? Parent()->Color() : Color();
    TRect R = PaintPanelBorder(C, GetPaintRect(), FBorderOuter, FBorderInner, BorderWidth(), FBorderSides, BevelWidth(),
                               FBorderColor, FBorderHighlight, FBorderShadow, Flat, Adjustment, Color(), ParentColor,
                               FTransparent, false);
    if (!FTransparent && FPaintClientArea)
        FillClientArea(R);
    if (FShowGrid)
        DrawGrid(R);
    C->Brush()->SetStyle(bsClear);
    DrawCaption(R);
    C->Brush()->SetStyle(bsSolid);
    if (FOnPaint)
        FOnPaint(this);
}

void TFcCustomPanel::FillClientArea(const TRect& R)
{
    TCanvas* C = Canvas();
    if (FVisualStyle != vsGradient) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(R);
        return;
    }
    TColor Start, Stop;
    GetGradientColors(Start, Stop);
    FillGradientRect(C, R, FGradientDirection, Start, Stop, 1);
}

// --- geometry -----------------------------------------------------------------------------

void TFcCustomPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // A panel along the bottom or the right edge keeps that edge when it
    // grows or shrinks.
    if (Align() == alBottom && AHeight != Height())
        ATop -= AHeight - Height();
    if (Align() == alRight && AWidth != Width())
        ALeft -= AWidth - Width();
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TFcCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomPanel::AdjustClientRect(Rect);
    if (ClientRectExcludesBorders())
        AdjustRectForBorders(Rect, false);
}

void TFcCustomPanel::AlignControls(TControl* AControl, TRect& Rect)
{
    // The platform panel takes off the band of BorderWidth itself.
    if (!ClientRectExcludesBorders())
        AdjustRectForBorders(Rect, false);
    TCustomPanel::AlignControls(AControl, Rect);
}

void TFcCustomPanel::DefineProperties(TFiler& Filer)
{
    TCustomPanel::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("FrameSides"), TFcOldPropReader::SkipSetProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("ThemeAware"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
    Filer.DefineProperty(
        QStringLiteral("UseGradients"),
        [this](TReader& Reader) {
            if (Reader.ReadBoolean())
                SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// --- messages -----------------------------------------------------------------------------

void TFcCustomPanel::Dispatch(TMessage& Message)
{
    // A child that leaves is forgotten by the enabled-state memory.
    if (Message.Msg == CM_CONTROLLISTCHANGE && Message.LParam == 0)
        FEnabledMemory.erase(reinterpret_cast<TControl*>(Message.WParam));
    TCustomPanel::Dispatch(Message);
}

void TFcCustomPanel::WndProc(TMessage& Message)
{
    // The dock clients' captions show whether they have the focus: a
    // command or a click inside may have moved it.
    if ((Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) && HandleAllocated()
        && dynamic_cast<TFcPanelDockManager*>(DockManager()) != nullptr)
        Invalidate();
    TCustomPanel::WndProc(Message);
}

void TFcCustomPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

void TFcCustomPanel::WMWindowPosChanged(TMessage& Message)
{
    const auto* Pos = LParamToPtr<WINDOWPOS>(Message.LParam);
    if (FullRepaint() || !Caption().isEmpty() || Pos == nullptr || !HandleAllocated())
        Invalidate();
    else
        RepaintBorderStrips(*Pos);
    TWinControl::WMWindowPosChanged(Message);
}

// Only the border moves when a panel without a caption is resized: the
// strips along the right and bottom edges are painted again.
void TFcCustomPanel::RepaintBorderStrips(const WINDOWPOS& Pos)
{
    if ((Pos.flags & SWP_NOSIZE) != 0)
        return;
    TRect Inner = Rect(0, 0, Pos.cx, Pos.cy);
    AdjustRectForBorders(Inner, true);
    const TPoint Margin = GetRepaintMargin();
    if (Pos.cx != Width()) {
        const int Strip = Pos.cx - Inner.Right + Margin.X;
        const TRect R = Rect(std::min(Pos.cx, Width()) - Strip, 0, Pos.cx, Pos.cy);
        InvalidateRect(Handle(), &R, TRUE);
    }
    if (Pos.cy != Height()) {
        const int Strip = Pos.cy - Inner.Bottom + Margin.Y;
        const TRect R = Rect(0, std::min(Pos.cy, Height()) - Strip, Pos.cx, Pos.cy);
        InvalidateRect(Handle(), &R, TRUE);
    }
}

void TFcCustomPanel::WMEraseBkgnd(TMessage& Message)
{
    if (FTransparent && FPaintClientArea) {
        PaintParentBackdrop(this, HDC(Message.WParam), true);
        Message.Result = 1;
        return;
    }
    if (PaintCoversBackground()) {
        Message.Result = 1;
        return;
    }
    TCustomPanel::WMEraseBkgnd(Message);
}

void TFcCustomPanel::CMEnabledChanged(TMessage& Message)
{
    TCustomPanel::CMEnabledChanged(Message);
    Invalidate();
    if (Enabled())
        EnableRememberedChildren();
    else
        RememberAndDisableChildren();
}

void TFcCustomPanel::RememberAndDisableChildren()
{
    FEnabledMemory.clear();
    for (int I = 0; I < ControlCount(); ++I)
        FEnabledMemory[Controls(I)] = Controls(I)->Enabled();
    for (int I = 0; I < ControlCount(); ++I)
        Controls(I)->SetEnabled(false);
}

void TFcCustomPanel::EnableRememberedChildren()
{
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* Child = Controls(I);
        const auto It = FEnabledMemory.find(Child);
        if (It == FEnabledMemory.end() || It->second)
            Child->SetEnabled(true);
    }
}

std::unique_ptr<IDockManager> TFcCustomPanel::CreateDockManager()
{
    return std::make_unique<TFcPanelDockManager>(this);
}
