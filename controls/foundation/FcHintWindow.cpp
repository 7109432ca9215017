#include "controls/foundation/FcHintWindow.h"

#include "controls/foundation/FcBalloonHints.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Screen.h"

#include <algorithm>

REGISTER_COMPONENT(TFcCustomHintWindow, THintWindow)
    PUBLISHED(CaptionWidth, 100)
    PUBLISHED(CenterThreshold, 80)
    PUBLISHED(FrameColor, clInfoText)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(Corner, hcUpperRight)
    PUBLISHED(ShowBalloon, false)
    PUBLISHED_EVENT(OnSetHintWinSize)
    PUBLISHED_EVENT(OnSetHintRect)
END_REGISTER

namespace {

// The pointer's length, and the least width of a hint.
constexpr int PointerRoom = 20;
constexpr int MinWidth = 55;

bool IsLower(TFcHintCorner C)
{
    return C == hcLowerRight || C == hcLowerLeft;
}

bool IsUpper(TFcHintCorner C)
{
    return C == hcUpperLeft || C == hcUpperRight;
}

bool IsRight(TFcHintCorner C)
{
    return C == hcLowerRight || C == hcUpperRight;
}

TRect Normalized(const TRect& R)
{
    return Rect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                std::max(R.Top, R.Bottom));
}

} // namespace

TFcCustomHintWindow::TFcCustomHintWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    Font()->SetName(QStringLiteral("Tahoma"));
    Font()->SetSize(8);
    Canvas()->Brush()->SetStyle(bsClear);
    FApplication = dynamic_cast<TApplication*>(AOwner);
    if (FApplication == nullptr)
        return;
    FPreviousShowHint = FApplication->OnShowHint();
    FApplication->SetOnShowHint(
        [this](String& HintStr, bool& CanShow, THintInfo& Info) { ShowHintHook(HintStr, CanShow, Info); });
    if (!ComponentState().Contains(csDesigning))
        LinkToLastComponent();
}

// The application hears hints as before, and the component no longer
// speaks to this window.
TFcCustomHintWindow::~TFcCustomHintWindow()
{
    if (FApplication != nullptr)
        FApplication->SetOnShowHint(FPreviousShowHint);
    if (FBalloonHints != nullptr)
        FBalloonHints->SetHintWindow(nullptr);
}

// Every form's balloon-hint component is looked at; the last one found
// gives its settings.
void TFcCustomHintWindow::LinkToLastComponent()
{
    TFcBalloonHints* Found = nullptr;
    for (int F = 0; Screen != nullptr && F < Screen->FormCount(); ++F) {
        TCustomForm* Form = Screen->Forms(F);
        for (int I = 0; I < Form->ComponentCount(); ++I) {
            auto* Hints = dynamic_cast<TFcBalloonHints*>(Form->Components(I));
            if (Hints != nullptr && !Hints->ComponentState().Contains(csDestroying))
                Found = Hints;
        }
    }
    if (Found != nullptr)
        LinkTo(Found);
}

void TFcCustomHintWindow::LinkTo(TFcBalloonHints* Hints)
{
    if (FBalloonHints != nullptr && FBalloonHints != Hints)
        FBalloonHints->SetHintWindow(nullptr);
    FBalloonHints = Hints;
    FBitmaps = Hints != nullptr ? Hints->Bitmaps() : nullptr;
    if (Hints == nullptr)
        return;
    Hints->SetHintWindow(this);
    FCaptionWidth = Hints->CaptionWidth();
    SetColor(Hints->Color());
    FCorner = Hints->Corner();
    FShowBalloon = Hints->ShowBalloon();
    FAlignment = Hints->Alignment();
    FOnSetHintWinSize = Hints->OnSetHintWinSize();
    FOnSetHintRect = Hints->OnSetHintRect();
    Font()->Assign(Hints->Font());
}

void TFcCustomHintWindow::ShowHintHook(String& HintStr, bool& CanShow, THintInfo& Info)
{
    if (FBalloonHints != nullptr) {
        Info.HintColor = FBalloonHints->Color();
        CanShow = true;
        Info.HintMaxWidth = FCaptionWidth;
        if (FBalloonHints->OnShowHint())
            FBalloonHints->OnShowHint()(HintStr, CanShow, Info);
    }
    Watch(Info.HintControl);
    FHintInfo = Info;
    SetColor(Info.HintColor);
}

// The hint's control may go while its hint shows: the copy forgets it.
void TFcCustomHintWindow::Watch(TControl* Control)
{
    if (FHintInfo.HintControl == Control)
        return;
    if (FHintInfo.HintControl != nullptr)
        FHintInfo.HintControl->RemoveFreeNotification(this);
    if (Control != nullptr)
        Control->FreeNotification(this);
}

void TFcCustomHintWindow::Notification(TComponent* AComponent, TOperation Operation)
{
    THintWindow::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FHintInfo.HintControl)
        FHintInfo.HintControl = nullptr;
}

// --- sizing and placing ---------------------------------------------------------------------------------

void TFcCustomHintWindow::CMTextChanged(TMessage& Message)
{
    THintWindow::CMTextChanged(Message);
    TRect R = Rect(0, 0, FCaptionWidth, 0);
    Canvas()->Font()->Assign(Font());
    DrawText(Canvas()->Handle(), Caption(), &R,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DrawTextBiDiModeFlagsReadingOnly());
    if (FOnSetHintRect)
        FOnSetHintRect(this, Canvas(), R, Caption(), FActiveCorner);
    int W = std::max(R.Width(), MinWidth), H = R.Height();
    if (FOnSetHintWinSize)
        FOnSetHintWinSize(this, Canvas(), W, H, Caption(), FActiveCorner);
    W = std::max(W, MinWidth);
    SetBounds(Left(), Top(), W, H);
}

// The spot the pointer's tip is on: the middle of a small control, the
// mouse's place in it otherwise, the mouse without a control.  The first
// hint of a new window comes before the application told the window its
// control: the control under the mouse stands in then.
TPoint TFcCustomHintWindow::AnchorPoint()
{
    TPoint Cursor;
    GetCursorPos(&Cursor);
    TControl* Control = FHintInfo.HintControl;
    TPoint Pos = FHintInfo.CursorPos;
    if (Control == nullptr) {
        Control = FindDragTarget(Cursor, true);
        if (Control == nullptr)
            return Cursor;
        Pos = Control->ScreenToClient(Cursor);
    }
    if (Control->Width() <= FCenterThreshold && Control->Height() <= FCenterThreshold)
        return Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2});
    return Control->ClientToScreen(Pos);
}

void TFcCustomHintWindow::ActivateHint(TRect Area, const String& AHint)
{
    FActiveCorner = FCorner;
    SetCaption(AHint);
    if (FOnSetHintRect)
        FOnSetHintRect(this, Canvas(), Area, AHint, FActiveCorner);
    SetBounds(Area.Left, Area.Top, Area.Width(), Area.Height());
    const bool Balloon = FShowBalloon && FActiveCorner != hcNone;
    InflateRect(Area, Balloon ? 4 : 2, Balloon ? 4 : 2);
    if (FShowBalloon) {
        if (IsLower(FActiveCorner))
            Area.Top -= PointerRoom;
        else if (IsUpper(FActiveCorner))
            Area.Bottom += PointerRoom;
    }
    if (Balloon) {
        const TPoint Anchor = AnchorPoint();
        OffsetRect(Area, Anchor.X - Area.Left, Anchor.Y - Area.Top);
    }
    int W = std::max(Area.Width(), MinWidth), H = Area.Height();
    if (FOnSetHintWinSize)
        FOnSetHintWinSize(this, Canvas(), W, H, AHint, FActiveCorner);
    W = std::max(W, MinWidth);
    if (!FShowBalloon)
        FActiveCorner = hcLowerRight;

    const int AX = Area.Left, AY = Area.Top;
    int X = AX - 10, Y = AY;
    if (FActiveCorner == hcLowerLeft || FActiveCorner == hcUpperLeft)
        X = AX - W + 10;
    if (IsUpper(FActiveCorner))
        Y = AY - H;

    TRect Work;
    if (TMonitor* M = FindMonitorAtPoint({X, Y}))
        GetMonitorWorkArea(M, Work);
    else
        Work = Screen->WorkAreaRect();
    if (Y < Work.Top) {
        if (FActiveCorner == hcUpperRight)
            FActiveCorner = hcLowerRight;
        else if (FActiveCorner == hcUpperLeft)
            FActiveCorner = hcLowerLeft;
        Y = AY;
    }
    if (Y + H > Work.Bottom) {
        if (FActiveCorner == hcLowerRight)
            FActiveCorner = hcUpperRight;
        else if (FActiveCorner == hcLowerLeft)
            FActiveCorner = hcUpperLeft;
        Y = AY - H;
    }
    if (X + W > Work.Right) {
        if (FActiveCorner == hcLowerRight)
            FActiveCorner = hcLowerLeft;
        else if (FActiveCorner == hcUpperRight)
            FActiveCorner = hcUpperLeft;
        X = AX - W - 1;
    }
    if (X < Work.Left) {
        if (FActiveCorner == hcLowerLeft)
            FActiveCorner = hcLowerRight;
        else if (FActiveCorner == hcUpperLeft)
            FActiveCorner = hcUpperRight;
        X = AX + 1;
    }

    FBounds = Bounds(X, Y, W, H);
    SetBounds(X, Y, W, H);
    ::SetWindowPos(Handle(), HWND_TOPMOST, X, Y, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    SetWindowRgn(Handle(), FShowBalloon ? BalloonRegion(Rect(0, 0, W, H)) : nullptr, TRUE);
    Invalidate();
    FTracking = true;
}

// --- the balloon's shape --------------------------------------------------------------------------------

TRect TFcCustomHintWindow::BodyRect(const TRect& R) const
{
    TRect B = R;
    if (!FShowBalloon)
        return B;
    if (IsLower(FActiveCorner))
        B.Top += PointerRoom;
    else if (IsUpper(FActiveCorner))
        B.Bottom -= PointerRoom;
    return B;
}

namespace {

// The pointer's three points: its base's ends on the body and its tip on
// the window's edge, 10 pixels in from the body's end.
std::array<TPoint, 3> PointerPoints(TFcHintCorner Corner, const TRect& B, const TRect& F)
{
    switch (Corner) {
    case hcLowerRight:
        return {TPoint{B.Left + 10, B.Top + 1}, TPoint{B.Left + 10, F.Top + 1}, TPoint{B.Left + 30, B.Top + 1}};
    case hcLowerLeft:
        return {TPoint{B.Right - 10, B.Top + 1}, TPoint{B.Right - 10, F.Top + 1}, TPoint{B.Right - 30, B.Top + 1}};
    case hcUpperLeft:
        return {TPoint{B.Right - 10, B.Bottom - 2}, TPoint{B.Right - 10, F.Bottom - 2},
                TPoint{B.Right - 30, B.Bottom - 2}};
    default:
        return {TPoint{B.Left + 10, B.Bottom - 2}, TPoint{B.Left + 10, F.Bottom - 2},
                TPoint{B.Left + 30, B.Bottom - 2}};
    }
}

} // namespace

HRGN TFcCustomHintWindow::BalloonRegion(const TRect& R) const
{
    const TRect B = BodyRect(R);
    HRGN Box = CreateRectRgn(B.Left, B.Top + 4, B.Right, B.Bottom - 4);
    for (const TRect& Part :
         {Rect(B.Left + 4, B.Top, B.Right - 4, B.Bottom), Rect(B.Left + 2, B.Top + 1, B.Right - 2, B.Bottom - 1),
          Rect(B.Left + 1, B.Top + 2, B.Right - 1, B.Bottom - 2)}) {
        HRGN Next = CreateRectRgnIndirect(Part);
        CombineRgn(Box, Box, Next, RGN_OR);
        DeleteObject(Next);
    }
    if (FActiveCorner == hcNone)
        return Box;
    std::array<TPoint, 3> P = PointerPoints(FActiveCorner, B, R);
    // The region's edges lie a pixel outside the drawn pointer's.
    switch (FActiveCorner) {
    case hcLowerRight:
        P[1].Y -= 1;
        P[2].X += 1;
        break;
    case hcLowerLeft:
        P[0].X += 1;
        P[1].X += 1;
        P[1].Y -= 1;
        break;
    case hcUpperLeft:
        P[0].X += 1;
        P[1].X += 1;
        P[1].Y += 1;
        break;
    default:
        P[1].Y += 1;
        P[2].X += 1;
        break;
    }
    HRGN Pointer = CreatePolygonRgn(P.data(), 3, WINDING);
    CombineRgn(Box, Box, Pointer, RGN_OR);
    DeleteObject(Pointer);
    return Box;
}

// --- painting -------------------------------------------------------------------------------------------

// The picture of the active corner, or another corner's mirrored.
TBitmap* TFcCustomHintWindow::FaceBitmap(bool& MirrorX, bool& MirrorY) const
{
    MirrorX = MirrorY = false;
    if (FBitmaps == nullptr || !FBitmaps->AnyImage())
        return nullptr;
    const TFcHintCorner Active = FActiveCorner == hcNone ? hcLowerRight : FActiveCorner;
    if (!FBitmaps->Bitmap(Active)->Empty())
        return FBitmaps->Bitmap(Active);
    for (TFcHintCorner C : {hcUpperRight, hcUpperLeft, hcLowerRight, hcLowerLeft}) {
        if (FBitmaps->Bitmap(C)->Empty())
            continue;
        MirrorX = IsRight(C) != IsRight(Active);
        MirrorY = IsLower(C) != IsLower(Active);
        return FBitmaps->Bitmap(C);
    }
    return nullptr;
}

void TFcCustomHintWindow::PaintBitmapFace(TBitmap* Face, bool MirrorX, bool MirrorY)
{
    TBitmap Turned;
    TBitmap* Picture = Face;
    if (MirrorX || MirrorY) {
        Turned.SetImage(Face->Image().mirrored(MirrorX, MirrorY));
        Picture = &Turned;
    }
    TCanvas* C = Canvas();
    C->SetCopyMode(cmSrcCopy);
    SetBkMode(C->Handle(), OPAQUE);
    SetBkColor(C->Handle(), 0xFFFFFF);
    CopyMaskedBitmap(C, Picture, GetClientRect(), Rect(0, 0, Picture->Width(), Picture->Height()),
                     FBitmaps->TransparentColor());
}

void TFcCustomHintWindow::PaintBalloon(const TRect& B)
{
    TCanvas* C = Canvas();
    PaintBoxOutline(C, B, FFrameColor);
    const int L = B.Left, T = B.Top, R = B.Right, Bm = B.Bottom;
    const TPoint Corners[] = {{L + 1, T + 3},  {L + 1, T + 2},  {L + 2, T + 1},  {L + 3, T + 1},
                              {R - 4, T + 1},  {R - 3, T + 1},  {R - 2, T + 2},  {R - 2, T + 3},
                              {R - 2, Bm - 4}, {R - 2, Bm - 3}, {R - 3, Bm - 2}, {R - 4, Bm - 2},
                              {L + 3, Bm - 2}, {L + 2, Bm - 2}, {L + 1, Bm - 3}, {L + 1, Bm - 4}};
    for (const TPoint& P : Corners)
        C->SetPixels(P.X, P.Y, FFrameColor);
    if (FActiveCorner == hcNone)
        return;
    const std::array<TPoint, 3> P = PointerPoints(FActiveCorner, B, GetClientRect());
    C->Pen()->SetColor(FFrameColor);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->Polygon(P.data(), 3);
    // Where the pointer meets the body, its base line goes.
    TRect Join;
    switch (FActiveCorner) {
    case hcLowerRight:
        Join = Rect(L + 10, T + 2, L + 31, T + 1);
        break;
    case hcLowerLeft:
        Join = Rect(R - 9, T + 2, R - 30, T + 1);
        break;
    case hcUpperLeft:
        Join = Rect(R - 9, Bm - 3, R - 30, Bm - 1);
        break;
    default:
        Join = Rect(L + 10, Bm - 3, L + 31, Bm - 1);
        break;
    }
    C->FillRect(Normalized(Join));
}

void TFcCustomHintWindow::PaintCaption(TRect B)
{
    const bool Balloon = FShowBalloon && FActiveCorner != hcNone;
    int DX = 0;
    if (FAlignment == taLeftJustify)
        DX = Balloon ? 8 : 2;
    else if (FAlignment == taRightJustify)
        DX = Balloon ? -8 : -2;
    else if (Balloon && B.Width() > FCaptionWidth)
        DX = 8;
    OffsetRect(B, DX, Balloon ? 4 : 2);
    if (B.Width() > FCaptionWidth) {
        if (FAlignment == taRightJustify)
            B.Left = B.Right - FCaptionWidth;
        else
            B.Right = B.Left + FCaptionWidth;
    }
    static const unsigned Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    DrawText(C->Handle(), Caption(), &B,
             DT_WORDBREAK | DT_NOPREFIX | Alignments[FAlignment] | DrawTextBiDiModeFlagsReadingOnly());
}

void TFcCustomHintWindow::Paint()
{
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    C->Font()->Assign(Font());
    TRect B = BodyRect(GetClientRect());
    if (FOnSetHintRect)
        FOnSetHintRect(this, C, B, Caption(), FActiveCorner);
    bool MirrorX = false, MirrorY = false;
    if (TBitmap* Face = FaceBitmap(MirrorX, MirrorY)) {
        PaintBitmapFace(Face, MirrorX, MirrorY);
    } else if (FShowBalloon) {
        PaintBalloon(B);
    }
    PaintCaption(B);
}

// --- messages -------------------------------------------------------------------------------------------

void TFcCustomHintWindow::MouseMoved(TMessage& Message)
{
    if (FTracking && FHintInfo.HintControl != nullptr) {
        TPoint Spot = FHintInfo.HintControl->ClientToScreen(FHintInfo.CursorPos);
        Spot = ScreenToClient(Spot);
        const TPoint P = LParamToPoint(Message.LParam);
        if (std::abs(P.X - Spot.X) > 2 || std::abs(P.Y - Spot.Y) > 2) {
            FTracking = false;
            if (FApplication != nullptr)
                FApplication->CancelHint();
        }
    }
    ToHintControl(Message);
}

void TFcCustomHintWindow::ToHintControl(TMessage& Message)
{
    if (FHintInfo.HintControl != nullptr)
        FHintInfo.HintControl->Perform(Message);
}

void TFcCustomHintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        THintWindow::WndProc(Message);
        // A balloon is all client area: its shape is its frame.
        if (FShowBalloon && Message.LParam != 0)
            InflateRect(LParamToPtr<NCCALCSIZE_PARAMS>(Message.LParam)->rgrc[0], 1, 1);
        return;
    case WM_NCPAINT:
        if (!FShowBalloon && HandleAllocated()) {
            HDC DC = GetWindowDC(WindowHandle());
            TCanvas Frame;
            Frame.SetHandle(DC);
            PaintSideLines(&Frame, Rect(0, 0, Width(), Height()), FFrameColor, FFrameColor, AllSides);
            Frame.SetHandle(nullptr);
            ReleaseDC(WindowHandle(), DC);
        }
        return;
    case WM_SETFOCUS:
        if (Message.WParam != 0)
            ::SetFocus(HWND(Message.WParam));
        return;
    case WM_MOUSEMOVE:
        MouseMoved(Message);
        return;
    default:
        break;
    }
    if (Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MBUTTONDBLCLK) {
        ToHintControl(Message);
        return;
    }
    THintWindow::WndProc(Message);
}
