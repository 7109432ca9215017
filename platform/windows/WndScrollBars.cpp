// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL): their state, their
// painting in the window's frame and the classic mouse tracking that sends
// WM_HSCROLL / WM_VSCROLL to the window.  A scroll-bar control (SB_CTL) is
// the same bar filling a window's client area; it reports to its parent.
#include "platform/windows/WndHandle.h"

#include <algorithm>

using namespace QvWnd;

namespace {

constexpr std::uintptr_t RepeatTimer = 0xFFF0;

DWORD BarStyle(int Bar)
{
    return Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

int Range(const SCROLLINFO& I)
{
    return I.nMax - I.nMin + 1;
}

int MaxPos(const SCROLLINFO& I)
{
    return std::max(I.nMin, I.nMax - std::max(int(I.nPage) - 1, 0));
}

// Parts of a scroll bar along its length.
struct TParts {
    int Length = 0;
    int Arrow = 0;
    int ThumbStart = 0;
    int ThumbSize = 0;
};

TParts Measure(const SCROLLINFO& I, int Length)
{
    TParts P;
    P.Length = Length;
    P.Arrow = std::min(GetSystemMetrics(SM_CXVSCROLL), Length / 2);
    const int Track = Length - 2 * P.Arrow;
    if (Track < 8 || Range(I) <= 0)
        return P;
    const int R = Range(I);
    P.ThumbSize = I.nPage == 0 ? GetSystemMetrics(SM_CXHTHUMB)
                               : std::max(8, int((long long)Track * int(I.nPage) / std::max(R, 1)));
    P.ThumbSize = std::min(P.ThumbSize, Track);
    const int Span = MaxPos(I) - I.nMin;
    const int Free = Track - P.ThumbSize;
    P.ThumbStart = P.Arrow + (Span > 0 ? int((long long)(I.nPos - I.nMin) * Free / Span) : 0);
    return P;
}

bool BarEnabled(const SCROLLINFO& I)
{
    return int(I.nPage) <= I.nMax - I.nMin;
}

void UpdateVisibility(HWND W, int Bar, bool KeepShown)
{
    const SCROLLINFO& I = W->Scroll[Bar].Info;
    const bool Needed = KeepShown || BarEnabled(I);
    const bool Shown = (W->Style & BarStyle(Bar)) != 0;
    if (Needed == Shown)
        return;
    if (Needed)
        W->Style |= BarStyle(Bar);
    else
        W->Style &= ~BarStyle(Bar);
    W->Scroll[Bar].Visible = Needed;
    SetWindowPos(W, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HBRUSH TrackBrush()
{
    static HBRUSH Brush = [] {
        HBITMAP Bits = CreateBitmap(8, 8, 1, 32, nullptr);
        HDC DC = CreateCompatibleDC(nullptr);
        HGDIOBJ Old = SelectObject(DC, Bits);
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X)
                SetPixelV(DC, X, Y, (X + Y) % 2 == 0 ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNFACE));
        SelectObject(DC, Old);
        DeleteDC(DC);
        HBRUSH B = CreatePatternBrush(Bits);
        DeleteObject(Bits);
        return B;
    }();
    return Brush;
}

// One bar: the window it belongs to, which of its bars, and where it lies
// in window coordinates.
struct TBar {
    HWND Wnd = nullptr;
    int Bar = SB_HORZ;
    TRect Rect;
    bool Vertical = false;
    const SCROLLINFO& Info() const { return Wnd->Scroll[Bar].Info; }
    int Length() const { return Vertical ? Rect.Height() : Rect.Width(); }
    // A point in window coordinates, along the bar.
    int At(TPoint P) const { return Vertical ? P.Y - Rect.Top : P.X - Rect.Left; }
};

TBar FrameBar(HWND W, int Bar)
{
    return {W, Bar, ScrollBarRect(W, Bar), Bar == SB_VERT};
}

TBar ControlBar(HWND W)
{
    return {W, SB_CTL, W->Client, (W->Style & SBS_VERT) != 0};
}

// Paints B, its rectangle moved by Offset (into DC's coordinates).
void PaintBar(const TBar& B, HDC DC, TPoint Offset, int PressedPart)
{
    TRect R = B.Rect;
    OffsetRect(R, Offset.X, Offset.Y);
    if (IsRectEmpty(R))
        return;
    const SCROLLINFO& I = B.Info();
    const bool Vertical = B.Vertical;
    const TParts P = Measure(I, B.Length());
    const bool Enabled = BarEnabled(I) && B.Wnd->Enabled();
    auto Part = [&](int From, int To) {
        return Vertical ? TRect{R.Left, R.Top + From, R.Right, R.Top + To}
                        : TRect{R.Left + From, R.Top, R.Left + To, R.Bottom};
    };
    const unsigned Inactive = Enabled ? 0u : unsigned(DFCS_INACTIVE);
    TRect A = Part(0, P.Arrow);
    DrawFrameControl(DC, &A, DFC_SCROLL,
                     (Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | Inactive
                         | (PressedPart == SB_LINEUP ? unsigned(DFCS_PUSHED) : 0u));
    TRect Down = Part(P.Length - P.Arrow, P.Length);
    DrawFrameControl(DC, &Down, DFC_SCROLL,
                     (Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | Inactive
                         | (PressedPart == SB_LINEDOWN ? unsigned(DFCS_PUSHED) : 0u));
    TRect Track = Part(P.Arrow, P.Length - P.Arrow);
    FillRect(DC, &Track, TrackBrush());
    if (Enabled && P.ThumbSize > 0) {
        TRect Thumb = Part(P.ThumbStart, P.ThumbStart + P.ThumbSize);
        FillRect(DC, &Thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(DC, &Thumb, EDGE_RAISED, BF_RECT);
    }
}

int HitPart(const TBar& B, TPoint WindowPoint)
{
    const TParts P = Measure(B.Info(), B.Length());
    const int At = B.At(WindowPoint);
    if (At < P.Arrow)
        return SB_LINEUP;
    if (At >= P.Length - P.Arrow)
        return SB_LINEDOWN;
    if (P.ThumbSize == 0)
        return -1;
    if (At < P.ThumbStart)
        return SB_PAGEUP;
    if (At >= P.ThumbStart + P.ThumbSize)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

// A window's own bar tells the window; a scroll-bar control tells its
// parent, naming itself.
void Send(const TBar& B, int Code, int Pos = 0)
{
    const UINT Msg = B.Vertical ? WM_VSCROLL : WM_HSCROLL;
    if (B.Bar == SB_CTL)
        SendMessage(B.Wnd->Parent, Msg, MAKEWPARAM(Code, Pos), LPARAM(B.Wnd));
    else
        SendMessage(B.Wnd, Msg, MAKEWPARAM(Code, Pos), 0);
}

// Follows a left press on the bar at WindowPoint until the release: the
// arrows and the track repeat while held over their part, the thumb
// follows the mouse.
void TrackBar(const TBar& B, TPoint WindowPoint)
{
    HWND Wnd = B.Wnd;
    const int Part = HitPart(B, WindowPoint);
    if (Part < 0)
        return;
    const std::uint64_t Serial = Wnd->Serial;
    SetCapture(Wnd);
    const TParts Start = Measure(B.Info(), B.Length());
    const int GrabOffset = B.At(WindowPoint) - Start.ThumbStart;
    int TrackPos = B.Info().nPos;
    // A thumb let go where it was taken reports where it is, not where
    // an earlier drag left it.
    Wnd->Scroll[B.Bar].Info.nTrackPos = TrackPos;
    if (Part != SB_THUMBTRACK) {
        Send(B, Part);
        SetTimer(Wnd, RepeatTimer, 400);
    }
    bool Over = true;
    MSG M;
    while (IsWindowSerial(Wnd, Serial) && GetCapture() == Wnd) {
        if (!GetMessage(M, nullptr, 0, 0)) {
            PostQuitMessage(int(M.wParam));
            break;
        }
        if (M.message == WM_LBUTTONUP || M.message == WM_NCLBUTTONUP)
            break;
        if (M.message == WM_MOUSEMOVE && M.hwnd == Wnd) {
            TPoint C = LParamToPoint(M.lParam);
            const TPoint WP{C.X + Wnd->Client.Left, C.Y + Wnd->Client.Top};
            if (Part == SB_THUMBTRACK) {
                const SCROLLINFO& I = B.Info();
                const int At = B.At(WP) - GrabOffset;
                const int Free = Start.Length - 2 * Start.Arrow - Start.ThumbSize;
                const int Span = MaxPos(I) - I.nMin;
                const int Pos = Free > 0 ? I.nMin + int((long long)(At - Start.Arrow) * Span / Free) : I.nMin;
                const int Clamped = std::clamp(Pos, I.nMin, MaxPos(I));
                if (Clamped != TrackPos) {
                    TrackPos = Clamped;
                    Wnd->Scroll[B.Bar].Info.nTrackPos = TrackPos;
                    Send(B, SB_THUMBTRACK, TrackPos);
                }
            } else {
                Over = HitPart(B, WP) == Part;
            }
            continue;
        }
        if (M.message == WM_TIMER && M.hwnd == Wnd && M.wParam == RepeatTimer) {
            SetTimer(Wnd, RepeatTimer, 100);
            if (Over)
                Send(B, Part);
            continue;
        }
        if (M.message >= WM_MOUSEFIRST && M.message <= WM_MOUSELAST)
            continue;
        TranslateMessage(M);
        DispatchMessage(M);
    }
    if (!IsWindowSerial(Wnd, Serial))
        return;
    KillTimer(Wnd, RepeatTimer);
    if (GetCapture() == Wnd)
        ReleaseCapture();
    if (Part == SB_THUMBTRACK)
        Send(B, SB_THUMBPOSITION, TrackPos);
    if (IsWindowSerial(Wnd, Serial))
        Send(B, SB_ENDSCROLL);
}

// The keys a focused scroll-bar control answers, and the codes they send.
int KeyCode(WPARAM Key)
{
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        return SB_LINEUP;
    case VK_RIGHT:
    case VK_DOWN:
        return SB_LINEDOWN;
    case VK_PRIOR:
        return SB_PAGEUP;
    case VK_NEXT:
        return SB_PAGEDOWN;
    case VK_HOME:
        return SB_TOP;
    case VK_END:
        return SB_BOTTOM;
    default:
        return -1;
    }
}

} // namespace

namespace QvWnd {

TRect ScrollBarRect(HWND Wnd, int Bar)
{
    if (Bar != SB_VERT && Bar != SB_HORZ)
        return {};
    if ((Wnd->Style & BarStyle(Bar)) == 0)
        return {};
    const int Size = GetSystemMetrics(Bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
    const TRect& C = Wnd->Client;
    if (Bar == SB_VERT) {
        if ((Wnd->ExStyle & WS_EX_LEFTSCROLLBAR) != 0)
            return {C.Left - Size, C.Top, C.Left, C.Bottom};
        return {C.Right, C.Top, C.Right + Size, C.Bottom};
    }
    return {C.Left, C.Bottom, C.Right, C.Bottom + Size};
}

void PaintScrollBars(HWND Wnd, HDC WindowDC)
{
    PaintBar(FrameBar(Wnd, SB_VERT), WindowDC, {0, 0}, -1);
    PaintBar(FrameBar(Wnd, SB_HORZ), WindowDC, {0, 0}, -1);
    if ((Wnd->Style & WS_VSCROLL) != 0 && (Wnd->Style & WS_HSCROLL) != 0) {
        const TRect V = ScrollBarRect(Wnd, SB_VERT);
        const TRect H = ScrollBarRect(Wnd, SB_HORZ);
        TRect Corner{V.Left, H.Top, V.Right, H.Bottom};
        FillRect(WindowDC, &Corner, GetSysColorBrush(COLOR_BTNFACE));
    }
}

bool ScrollBarMouse(HWND Wnd, UINT Msg, TPoint Screen)
{
    if (Msg != WM_NCLBUTTONDOWN)
        return false;
    TRect WR;
    GetWindowRect(Wnd, &WR);
    const TPoint P{Screen.X - WR.Left, Screen.Y - WR.Top};
    int Bar = -1;
    for (int B : {SB_VERT, SB_HORZ}) {
        const TRect R = ScrollBarRect(Wnd, B);
        if (!IsRectEmpty(R) && PtInRect(R, P))
            Bar = B;
    }
    if (Bar < 0 || !BarEnabled(Wnd->Scroll[Bar].Info) || !Wnd->Enabled())
        return false;
    TrackBar(FrameBar(Wnd, Bar), P);
    return true;
}

} // namespace QvWnd

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw)
{
    if (Live(Wnd) == nullptr || Info == nullptr || Bar < SB_HORZ || Bar > SB_CTL)
        return 0;
    SCROLLINFO& S = Wnd->Scroll[Bar].Info;
    if ((Info->fMask & SIF_RANGE) != 0) {
        S.nMin = Info->nMin;
        S.nMax = std::max(Info->nMin, Info->nMax);
    }
    if ((Info->fMask & SIF_PAGE) != 0)
        S.nPage = std::min<UINT>(Info->nPage, UINT(std::max(0, Range(S))));
    if ((Info->fMask & SIF_POS) != 0)
        S.nPos = Info->nPos;
    S.nPos = std::clamp(S.nPos, S.nMin, MaxPos(S));
    if (Bar != SB_CTL)
        UpdateVisibility(Wnd, Bar, (Info->fMask & SIF_DISABLENOSCROLL) != 0);
    if (Redraw && Live(Wnd) != nullptr)
        RedrawWindow(Wnd, nullptr, nullptr, Bar == SB_CTL ? RDW_INVALIDATE : RDW_INVALIDATE | RDW_FRAME);
    return S.nPos;
}

BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info)
{
    if (Live(Wnd) == nullptr || Info == nullptr || Bar < SB_HORZ || Bar > SB_CTL)
        return FALSE;
    const SCROLLINFO& S = Wnd->Scroll[Bar].Info;
    if ((Info->fMask & SIF_RANGE) != 0) {
        Info->nMin = S.nMin;
        Info->nMax = S.nMax;
    }
    if ((Info->fMask & SIF_PAGE) != 0)
        Info->nPage = S.nPage;
    if ((Info->fMask & SIF_POS) != 0)
        Info->nPos = S.nPos;
    if ((Info->fMask & SIF_TRACKPOS) != 0)
        Info->nTrackPos = S.nTrackPos;
    return TRUE;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw)
{
    if (Live(Wnd) == nullptr || Bar < SB_HORZ || Bar > SB_CTL)
        return 0;
    const int Old = Wnd->Scroll[Bar].Info.nPos;
    SCROLLINFO I;
    I.fMask = SIF_POS;
    I.nPos = Pos;
    SetScrollInfo(Wnd, Bar, &I, Redraw);
    return Old;
}

int GetScrollPos(HWND Wnd, int Bar)
{
    if (Live(Wnd) == nullptr || Bar < SB_HORZ || Bar > SB_CTL)
        return 0;
    return Wnd->Scroll[Bar].Info.nPos;
}

BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw)
{
    SCROLLINFO I;
    I.fMask = SIF_RANGE;
    I.nMin = Min;
    I.nMax = Max;
    return Live(Wnd) != nullptr && SetScrollInfo(Wnd, Bar, &I, Redraw) >= Min ? TRUE : FALSE;
}

BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max)
{
    if (Live(Wnd) == nullptr || Min == nullptr || Max == nullptr || Bar < SB_HORZ || Bar > SB_CTL)
        return FALSE;
    *Min = Wnd->Scroll[Bar].Info.nMin;
    *Max = Wnd->Scroll[Bar].Info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    for (int B : {SB_HORZ, SB_VERT}) {
        if (Bar != B && Bar != SB_BOTH)
            continue;
        const bool Shown = (Wnd->Style & BarStyle(B)) != 0;
        if (Shown == bool(Show))
            continue;
        if (Show)
            Wnd->Style |= BarStyle(B);
        else
            Wnd->Style &= ~BarStyle(B);
        Wnd->Scroll[B].Visible = Show != 0;
        SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return TRUE;
}

LRESULT DefScrollBarProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Live(Wnd) == nullptr)
        return 0;
    const TBar B = ControlBar(Wnd);
    // Painted in client coordinates.
    const TPoint ToClient{-Wnd->Client.Left, -Wnd->Client.Top};
    switch (Msg) {
    case WM_PAINT: {
        PAINTSTRUCT PS;
        HDC DC = WParam != 0 ? HDC(WParam) : BeginPaint(Wnd, &PS);
        PaintBar(B, DC, ToClient, -1);
        if (WParam == 0)
            EndPaint(Wnd, &PS);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        InvalidateRect(Wnd, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A bar that is a tab stop takes the focus when pressed.
        if ((Wnd->Style & WS_TABSTOP) != 0 && GetFocus() != Wnd)
            SetFocus(Wnd);
        if (Live(Wnd) != nullptr && BarEnabled(B.Info()) && Wnd->Enabled()) {
            const TPoint C = LParamToPoint(LParam);
            TrackBar(B, {C.X + Wnd->Client.Left, C.Y + Wnd->Client.Top});
        }
        return 0;
    case WM_KEYDOWN:
        if (KeyCode(WParam) >= 0 && BarEnabled(B.Info()) && Wnd->Enabled()) {
            Send(B, KeyCode(WParam));
            return 0;
        }
        break;
    case WM_KEYUP:
        if (KeyCode(WParam) >= 0) {
            Send(B, SB_ENDSCROLL);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(Wnd, Msg, WParam, LParam);
}
