// Dragging the current tab to a new place: the drop marker between tabs,
// the strip scrolling while the pointer is held beyond it, the drop, and
// the scroller's clicks.
#include "controls/lists/FcTabControl.h"

#include "platform/forms/Timer.h"

namespace {

constexpr unsigned DragScrollFirstDelay = 400;
constexpr unsigned DragScrollRepeatDelay = 300;

} // namespace

bool TFcCustomTabControl::UpRightScrollsForward() const
{
    return FTabSequence == tsStandard ? FTabOrientation != toRight : FTabOrientation == toRight;
}

void TFcCustomTabControl::ScrollerUpRightClick(TObject* Sender)
{
    (void)Sender;
    ScrollTabs(UpRightScrollsForward());
}

void TFcCustomTabControl::ScrollerDownLeftClick(TObject* Sender)
{
    (void)Sender;
    ScrollTabs(!UpRightScrollsForward());
}

// --- the drop marker -----------------------------------------------------------------------------------

// Next to the target tab, on the side the dragged (current) tab would go.
TRect TFcCustomTabControl::DropMarkerRectFor(int Target)
{
    TRect R = TabClientRect(Target);
    const int Half = FFixedDimension / 2;
    const bool Before = FTabSequence == tsStandard ? Target < FTabIndex : Target > FTabIndex;
    const bool Single = FTabStyle == tsSingleSlant, Double = FTabStyle == tsDoubleSlant,
               Back = FTabStyle == tsBackSlant, Square = FTabStyle == tsCutCorner || FTabStyle == tsRoundCorners;
    switch (FTabOrientation) {
    case toTop:
    case toBottom:
        if (FTabOrientation == toTop) {
            R.Top -= 2;
            R.Bottom = R.Top + 8;
        } else {
            R.Bottom += 2;
            R.Top = R.Bottom - 8;
        }
        if (Before) {
            R.Left -= 8;
            R.Right = R.Left + 15;
            if (Double || Back)
                OffsetRect(R, Half, 0);
        } else {
            R.Right += 8;
            R.Left = R.Right - 15;
            if (Single || Double)
                OffsetRect(R, -Half, 0);
            if (Square)
                OffsetRect(R, 1, 0);
        }
        break;
    case toLeft:
        R.Left -= 2;
        R.Right = R.Left + 8;
        if (Before) {
            R.Bottom += 8;
            R.Top = R.Bottom - 15;
            if (Double || Back)
                OffsetRect(R, 0, -Half);
            if (Square)
                OffsetRect(R, 0, 1);
        } else {
            R.Top -= 8;
            R.Bottom = R.Top + 15;
            if (Single || Double)
                OffsetRect(R, 0, Half);
        }
        break;
    case toRight:
        R.Right += 3;
        R.Left = R.Right - 8;
        if (Before) {
            R.Top -= 8;
            R.Bottom = R.Top + 15;
            if (Double || Back)
                OffsetRect(R, 0, Half + 1);
        } else {
            R.Bottom += 8;
            R.Top = R.Bottom - 15;
            if (Single || Double)
                OffsetRect(R, 0, -Half);
            if (Square)
                OffsetRect(R, 0, 1);
        }
        break;
    }
    return R;
}

// Two black triangles on the button shadow colour, their notch pointing at
// the gap, laid over the window's picture with an exclusive or.  Painting
// the window again removes it; the control's own painting puts it back
// while the marker is shown.
void TFcCustomTabControl::DrawDropMarker(const TRect& R)
{
    if (!HandleAllocated())
        return;
    const int W = R.Width(), H = R.Height();
    TBitmap Marker;
    Marker.SetSize(W, H);
    TCanvas* C = Marker.Canvas();
    C->Brush()->SetColor(clBtnShadow);
    C->FillRect(Rect(0, 0, W, H));
    // The triangles for tabs on top, turned for the other sides.
    const TPoint Top[2][3] = {{{0, 0}, {8, 8}, {0, 8}}, {{7, 8}, {15, 0}, {15, 8}}};
    C->Brush()->SetColor(clBlack);
    C->Pen()->SetColor(clBlack);
    for (const auto& Triangle : Top) {
        TPoint P[3];
        for (int I = 0; I < 3; ++I) {
            const TPoint T = Triangle[I];
            switch (FTabOrientation) {
            case toTop:
                P[I] = T;
                break;
            case toBottom:
                P[I] = {T.X, 8 - T.Y};
                break;
            case toLeft:
                P[I] = {T.Y, T.X};
                break;
            case toRight:
                P[I] = {8 - T.Y, T.X};
                break;
            }
        }
        C->Polygon(P, 3);
    }
    const bool Painting = FMarkerDC != nullptr;
    HDC DC = Painting ? FMarkerDC : GetDC(Handle());
    BitBlt(DC, R.Left, R.Top, W, H, C->Handle(), 0, 0, SRCINVERT);
    if (!Painting)
        ReleaseDC(Handle(), DC);
}

void TFcCustomTabControl::EraseDropMarker()
{
    if (!FDropMarkerShown)
        return;
    FDropMarkerShown = false;
    if (HandleAllocated())
        InvalidateRect(Handle(), &FDropMarkerRect, FALSE);
}

// --- the drag ----------------------------------------------------------------------------------------------

void TFcCustomTabControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    TCustomControl::DragOver(Source, X, Y, State, Accept);
    if (Source != this)
        return;
    if (State == dsDragLeave) {
        EraseDropMarker();
        FDropTargetIndex = -1;
        return;
    }
    const int Tab = TabAtPos(X, Y);
    if (Tab == -1)
        StartDragScrollTimer();
    Accept = Tab != -1 && Tab != FTabIndex;
    if (Tab == FDropTargetIndex)
        return;
    EraseDropMarker();
    FDropTargetIndex = Tab;
    if (!Accept)
        return;
    FDropMarkerRect = DropMarkerRectFor(Tab);
    DrawDropMarker(FDropMarkerRect);
    FDropMarkerShown = true;
}

void TFcCustomTabControl::DragDrop(TObject* Source, int X, int Y)
{
    if (Source == this) {
        StopDragScrollTimer();
        EraseDropMarker();
        // A second drag over the same tab shows its marker again.
        FDropTargetIndex = -1;
        const int Tab = TabAtPos(X, Y);
        if (Tab != -1)
            MoveCurrentTab(Tab);
    }
    TCustomControl::DragDrop(Source, X, Y);
}

void TFcCustomTabControl::DoEndDrag(TObject* Target, int X, int Y)
{
    // Dropped elsewhere or cancelled: nothing of the drag stays behind.
    StopDragScrollTimer();
    EraseDropMarker();
    FDropTargetIndex = -1;
    TCustomControl::DoEndDrag(Target, X, Y);
}

// --- scrolling while dragging ----------------------------------------------------------------------------------

void TFcCustomTabControl::StartDragScrollTimer()
{
    if (FDragScrollTimer == nullptr) {
        FDragScrollTimer = new TTimer(this);
        FDragScrollTimer->SetEnabled(false);
        FDragScrollTimer->SetOnTimer([this](TObject* Sender) { DragScrollTimerTick(Sender); });
    }
    FDragScrollTimer->SetInterval(DragScrollFirstDelay);
    FDragScrollTimer->SetEnabled(true);
}

void TFcCustomTabControl::StopDragScrollTimer()
{
    if (FDragScrollTimer != nullptr)
        FDragScrollTimer->SetEnabled(false);
}

// Beyond the end of the strip scrolls forward, before its start back.
void TFcCustomTabControl::DragScrollTimerTick(TObject* Sender)
{
    (void)Sender;
    FDragScrollTimer->SetInterval(DragScrollRepeatDelay);
    if (!Dragging())
        return;
    const TPoint P = ScreenToClient(FcTabCursorPos());
    const int W = ClientWidth(), H = ClientHeight();
    int Direction = 0; // 1 forward, -1 back
    switch (FTabOrientation) {
    case toTop:
    case toBottom:
        Direction = P.X >= W ? 1 : P.X < 0 ? -1 : 0;
        break;
    case toLeft:
        Direction = P.Y < 0 ? 1 : P.Y >= H ? -1 : 0;
        break;
    case toRight:
        Direction = P.Y >= H ? 1 : P.Y < 0 ? -1 : 0;
        break;
    }
    if (FTabSequence == tsReverse)
        Direction = -Direction;
    if (Direction == 0)
        return;
    try {
        ScrollTabs(Direction > 0);
    } catch (...) {
        StopDragScrollTimer();
        throw;
    }
}
