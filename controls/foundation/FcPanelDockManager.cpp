#include "controls/foundation/FcPanelDockManager.h"

#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcTextHelpers.h"
#include "platform/graphics/Canvas.h"

namespace {

// The caption's font: 8 point Verdana (or what the desktop offers for it).
void SelectCaptionFont(TCanvas* Canvas, TColor Color)
{
    Canvas->Font()->SetName(QStringLiteral("Verdana"));
    Canvas->Font()->SetSize(8);
    Canvas->Font()->SetStyle({});
    Canvas->Font()->SetColor(Color);
}

// The close cross the caption font "Marlett" had as its letter "r": two
// strokes two pixels wide, corner to corner of a 7 x 7 square centred in R.
void PaintMarlettCross(TCanvas* Canvas, const TRect& R, TColor Color)
{
    const int X = (R.Left + R.Right - 7) / 2, Y = (R.Top + R.Bottom - 7) / 2;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    for (int I = 0; I < 7; ++I) {
        Canvas->FillRect(Rect(X + I, Y + I, X + I + 2, Y + I + 1));
        Canvas->FillRect(Rect(X + 5 - I, Y + I, X + 7 - I, Y + I + 1));
    }
}

// Whether the docked control shows as the active one: it (or a window
// inside it) has the focus; a control without a window always does.
bool HasFocus(TControl* Control)
{
    auto* Win = dynamic_cast<TWinControl*>(Control);
    if (Win == nullptr)
        return true;
    if (!Win->HandleAllocated())
        return false;
    HWND Focus = GetFocus();
    return Focus != nullptr && (Focus == Win->Handle() || IsChild(Win->Handle(), Focus));
}

} // namespace

TFcPanelDockManager::TFcPanelDockManager(TFcCustomPanel* DockSite) : TDockTree(DockSite), FPanel(DockSite)
{
    SetGrabberSize(FcDockGrabberSize);
}

TRect TFcPanelDockManager::CloseButtonRect(TControl* Control, const TRect& ZoneRect)
{
    if (!FPanel->ShowDockClientCaptions())
        return TDockTree::CloseButtonRect(Control, ZoneRect);
    if (GrabberOnLeft())
        return Rect(ZoneRect.Left + 1, ZoneRect.Top + 1, ZoneRect.Left + 12, ZoneRect.Top + 12);
    return Rect(ZoneRect.Right - 15, ZoneRect.Top + 1, ZoneRect.Right - 2, ZoneRect.Top + 12);
}

void TFcPanelDockManager::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect)
{
    if (!FPanel->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(Canvas, Control, ARect);
        return;
    }
    const bool Active = HasFocus(Control);
    const TColor Back = Active ? clActiveCaption : clInactiveCaption;
    const TColor Text = Active ? clCaptionText : clInactiveCaptionText;
    const TRect Strip = GrabberOnLeft() ? Rect(ARect.Left, ARect.Top, ARect.Left + FcDockGrabberSize, ARect.Bottom)
                                        : Rect(ARect.Left, ARect.Top, ARect.Right, ARect.Top + FcDockGrabberSize);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Back);
    Canvas->FillRect(Strip);
    if (GrabberOnLeft()) {
        PaintCaptionOnLeft(Canvas, Control->Caption(), Strip);
        PaintMarlettCross(Canvas, CloseButtonRect(Control, ARect), clCaptionText);
    } else {
        SelectCaptionFont(Canvas, Text);
        PaintCaptionOnTop(Canvas, Control->Caption(), Strip);
        PaintMarlettCross(Canvas, CloseButtonRect(Control, ARect), Text);
    }
}

void TFcPanelDockManager::PaintCaptionOnTop(TCanvas* Canvas, const String& Text, const TRect& Strip)
{
    TRect R = Strip;
    R.Right -= 16;
    Canvas->Brush()->SetStyle(bsClear);
    const int Y = Strip.Top + (Strip.Height() - Canvas->TextHeight(Text)) / 2;
    Canvas->TextRect(R, Strip.Left + 2, Y, Text);
}

// Reads upwards from the strip's bottom, the close cross above it.
void TFcPanelDockManager::PaintCaptionOnLeft(TCanvas* Canvas, const String& Text, const TRect& Strip)
{
    SelectCaptionFont(Canvas, clCaptionText);
    const int TextHeight = Canvas->TextHeight(Text);
    HDC DC = Canvas->Handle();
    HFONT Rotated = CreateRotatedFont(Canvas->Font(), 90);
    HGDIOBJ Old = SelectObject(DC, Rotated);
    const unsigned OldAlign = SetTextAlign(DC, TA_BOTTOM | TA_LEFT);
    SetTextColor(DC, ColorToRGB(clCaptionText));
    SetBkMode(DC, TRANSPARENT);
    const TRect Clip = Rect(Strip.Left, Strip.Top + 14, Strip.Right, Strip.Bottom);
    const int X = Strip.Right - (Strip.Width() - TextHeight) / 2;
    ExtTextOut(DC, X, Strip.Bottom - 2, ETO_CLIPPED, &Clip, Text);
    SetTextAlign(DC, OldAlign);
    SelectObject(DC, Old);
    DeleteObject(Rotated);
}
