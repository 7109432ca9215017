#include "controls/foundation/FcStatusBar.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"

#include <cmath>

REGISTER_COMPONENT(TFcStatusBar, TFcCustomPanel)
    PUBLISHED(Align, alBottom)
    PUBLISHED_STORED(Anchors, (TAnchors{akLeft, akRight, akBottom}),
                     [](const TFcStatusBar& B) { return B.Anchors() != AnchorAlign(B.Align()); })
    PUBLISHED_NODEFAULT(BorderInner)
    PUBLISHED_NODEFAULT(BorderOuter)
    PUBLISHED_NODEFAULT(BorderSides)
    PUBLISHED(BorderHighlight, clBtnHighlight)
    PUBLISHED(BorderShadow, clBtnShadow)
    PUBLISHED(AutoScalePanes, false)
    PUBLISHED(AutoStyle, true)
    PUBLISHED(ShowSizeGrip, true)
    PUBLISHED(SimpleCaption, String())
    PUBLISHED(SimpleFrameStyle, TFrameStyle(fsFlat))
    PUBLISHED(SimpleStatus, false)
    PUBLISHED_EVENT(OnPaint)
END_REGISTER

TFcStatusBar::TFcStatusBar(TComponent* AOwner) : TFcCustomPanel(AOwner)
{
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(fsNone);
    TFcCustomPanel::SetBorderSides(AllSides);
    SetAlign(alBottom);
    FHeight = 19;
}

// --- properties ---------------------------------------------------------------------------

void TFcStatusBar::BorderChanged(bool Changed)
{
    if (Changed && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csReading))
        FAutoStyle = false;
}

void TFcStatusBar::SetBorderInner(TFrameStyleEx Value)
{
    const bool Changed = Value != BorderInner();
    TFcCustomPanel::SetBorderInner(Value);
    BorderChanged(Changed);
}

void TFcStatusBar::SetBorderOuter(TFrameStyleEx Value)
{
    const bool Changed = Value != BorderOuter();
    TFcCustomPanel::SetBorderOuter(Value);
    BorderChanged(Changed);
}

void TFcStatusBar::SetBorderSides(TSides Value)
{
    const bool Changed = Value != BorderSides();
    TFcCustomPanel::SetBorderSides(Value);
    BorderChanged(Changed);
}

void TFcStatusBar::ApplyAutoStyle()
{
    const bool Keep = FAutoStyle;
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(AllSides);
    SetHeight(19);
    SetBorderWidth(0);
    FAutoStyle = Keep;
}

void TFcStatusBar::SetShowSizeGrip(bool Value)
{
    if (!AssignIfChanged(FShowSizeGrip, Value))
        return;
    UpdateGripActive();
    Invalidate();
}

void TFcStatusBar::SetSimpleStatus(bool Value)
{
    if (!AssignIfChanged(FSimpleStatus, Value))
        return;
    DisableAlign();
    for (int I = 0; I < ControlCount(); ++I)
        Controls(I)->SetVisible(!Value);
    EnableAlign();
    Invalidate();
}

void TFcStatusBar::GetGradientColors(TColor& Start, TColor& Stop)
{
    if (GradientColorStyle() == gcsCustom) {
        Start = GradientColorStop();
        Stop = GradientColorStart();
        return;
    }
    TColor Divider;
    GetStatusGradientColors(GradientColorStyle(), Start, Stop, Divider);
}

void TFcStatusBar::Loaded()
{
    TFcCustomPanel::Loaded();
    if (FAutoStyle)
        ApplyAutoStyle();
}

// The panes reach over the bar's edges so that their frames meet it; the
// simple caption's frame starts below the top line.
TRect TFcStatusBar::GetClientRect()
{
    TRect R = TFcCustomPanel::GetClientRect();
    if (!FcThemesEnabled()) {
        ++R.Bottom;
        if (!FSimpleStatus) {
            R.Top = 1;
            --R.Left;
            ++R.Right;
        } else {
            R.Top = 2;
        }
    } else if (FSimpleStatus) {
        ++R.Left;
        ++R.Top;
        --R.Right;
    }
    return R;
}

// --- the size grip ------------------------------------------------------------------------

void TFcStatusBar::UpdateGripActive()
{
    const TCustomForm* Form = GetParentForm(this);
    FGripActive = Form != nullptr && (Form->BorderStyle() == bsSizeable || Form->BorderStyle() == bsSizeToolWin)
        && Form->WindowState() != wsMaximized;
}

bool TFcStatusBar::SizeGripUsable()
{
    UpdateGripActive();
    return FGripActive && FShowSizeGrip && !ComponentState().Contains(csDesigning);
}

bool TFcStatusBar::InSizeGrip(TPoint P)
{
    return PtInRect(SizeGripRect(), P) && SizeGripUsable();
}

void TFcStatusBar::CreateWnd()
{
    TFcCustomPanel::CreateWnd();
    UpdateGripActive();
}

void TFcStatusBar::WMLButtonDown(TMessage& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form == nullptr || !InSizeGrip(LParamToPoint(Message.LParam))) {
        TFcCustomPanel::WMLButtonDown(Message);
        return;
    }
    // The form's lower-right corner follows the mouse from here.
    ReleaseCapture();
    const TPoint Where = ClientToScreen(LParamToPoint(Message.LParam));
    SendMessage(Form->Handle(), WM_SYSCOMMAND, WPARAM(SC_SIZE) + WMSZ_BOTTOMRIGHT, PointToLParam(Where));
}

void TFcStatusBar::WMSetCursor(TMessage& Message)
{
    TPoint P;
    GetCursorPos(&P);
    if (HWND(Message.WParam) == WindowHandle() && InSizeGrip(ScreenToClient(P))) {
        ::SetCursor(CursorHandle(crSizeNWSE));
        Message.Result = 1;
        return;
    }
    TFcCustomPanel::WMSetCursor(Message);
}

// After the panes: the grip lies on top of the last one.
void TFcStatusBar::WMPaint(TMessage& Message)
{
    HDC Given = HDC(Message.WParam);
    TFcCustomPanel::WMPaint(Message);
    UpdateGripActive();
    if (!FGripActive || !FShowSizeGrip || !HandleAllocated())
        return;
    if (Given != nullptr) {
        PaintSizeGrip(Given);
        return;
    }
    HDC DC = GetDC(Handle());
    PaintSizeGrip(DC);
    ReleaseDC(Handle(), DC);
}

void TFcStatusBar::PaintSizeGrip(HDC DC)
{
    TCanvas C;
    C.SetHandle(DC);
    TRect R = ClientRect();
    --R.Bottom;
    if (VisualStyle() == vsWinXP && FcThemesEnabled()) {
        FcDrawThemedElement(&C, TThemeServices::GetElementDetails(tsGripper),
                            Rect(R.Right - 20, R.Top, R.Right, R.Bottom));
        C.SetHandle(nullptr);
        return;
    }
    TColor Highlight = clBtnHighlight, Shadow = clBtnShadow;
    if (VisualStyle() == vsGradient) {
        TColor Start;
        GetStatusGradientColors(GradientColorStyle(), Start, Highlight, Shadow);
    }
    // Six dots in a triangle, each a highlight square with its shadow one
    // pixel up and to the left (a shadow covers only its own square, so
    // all highlights go first).
    const TPoint Dots[] = {{4, 12}, {4, 8}, {4, 4}, {8, 8}, {8, 4}, {12, 4}};
    const auto Squares = [&](TColor Color, int X, int Y) {
        C.Brush()->SetStyle(bsSolid);
        C.Brush()->SetColor(Color);
        for (const TPoint D : Dots)
            C.FillRect(Rect(X - D.X, Y - D.Y, X - D.X + 2, Y - D.Y + 2));
    };
    Squares(Highlight, R.Right - 1, R.Bottom);
    Squares(Shadow, R.Right - 2, R.Bottom - 1);
    C.SetHandle(nullptr);
}

// --- painting -----------------------------------------------------------------------------

bool TFcStatusBar::PaintCoversBackground()
{
    return !(VisualStyle() == vsWinXP && FcThemesEnabled()) && TFcCustomPanel::PaintCoversBackground();
}

void TFcStatusBar::Paint()
{
    UpdateGripActive();
    if (VisualStyle() == vsWinXP && FcThemesEnabled()) {
        PaintThemed();
        return;
    }
    TFcCustomPanel::Paint();
    if (!FSimpleStatus)
        return;
    TRect R = ClientRect();
    --R.Bottom;
    TCanvas* C = Canvas();
    if (VisualStyle() == vsClassic) {
        if (FSimpleFrameStyle == fsFlat)
            PaintFlatLines(C, R, ShiftColorLightness(FlatColor(), FlatColorAdjustment()));
        else
            PaintFrameStyle(C, R, FSimpleFrameStyle);
    }
    InflateRect(R, -1, -1);
    PaintSimpleCaption(R);
}

void TFcStatusBar::PaintThemed()
{
    TCanvas* C = Canvas();
    FcDrawThemedElement(C, TThemeServices::GetElementDetails(tsStatusRoot), Rect(0, 0, Width(), Height()));
    if (FSimpleStatus && !FSimpleCaption.isEmpty()) {
        C->Font()->Assign(Font());
        FcDrawThemedText(C, TThemeServices::GetElementDetails(tsStatusRoot), FSimpleCaption, ClientRect(),
                         DT_SINGLELINE | DT_VCENTER);
    }
}

void TFcStatusBar::PaintSimpleCaption(TRect R)
{
    if (FSimpleCaption.isEmpty())
        return;
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    const int Y = R.Top + (R.Height() - C->TextHeight(QStringLiteral("Pp"))) / 2;
    C->TextRect(R, R.Left + 2, Y, FSimpleCaption);
    C->Brush()->SetStyle(bsSolid);
}

// --- resizing -----------------------------------------------------------------------------

void TFcStatusBar::Resize()
{
    TFcCustomPanel::Resize();
    if (!FResizedOnce) {
        FResizedOnce = true;
        FPreviousWidth = Width();
        return;
    }
    const int Delta = Width() - FPreviousWidth;
    // A bar first sized while it had no width has nothing to scale from.
    if (FAutoScalePanes && ControlCount() > 0 && Delta != 0 && FPreviousWidth != 0)
        ScalePanes(Delta);
    FPreviousWidth = Width();
}

void TFcStatusBar::ScalePanes(int Delta)
{
    DisableAlign();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* Pane = Controls(I);
        const float Ratio = float(Pane->Width()) / float(FPreviousWidth);
        Pane->SetWidth(Pane->Width() + int(std::nearbyint(float(Delta) * Ratio)));
    }
    EnableAlign();
}
