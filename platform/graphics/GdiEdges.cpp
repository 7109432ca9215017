// Three-dimensional edges, focus rectangles and the painted faces of the
// standard frame controls, in the classic desktop colours.
#include "platform/graphics/DeviceContext.h"

#include <algorithm>

namespace {

struct TRing {
    int UpperLeft = -1;  // system colour index, -1 = no ring
    int LowerRight = -1;
};

TRing OuterRing(unsigned Edge, unsigned Flags)
{
    if ((Edge & BDR_OUTER) == 0)
        return {};
    if (Flags & BF_MONO)
        return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    if (Flags & BF_FLAT)
        return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    const bool Soft = Flags & BF_SOFT;
    if (Edge & BDR_RAISEDOUTER)
        return {Soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {Soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

TRing InnerRing(unsigned Edge, unsigned Flags)
{
    if ((Edge & BDR_INNER) == 0)
        return {};
    if (Flags & BF_MONO)
        return {COLOR_WINDOW, COLOR_WINDOW};
    if (Flags & BF_FLAT)
        return {COLOR_BTNFACE, COLOR_BTNFACE};
    const bool Soft = Flags & BF_SOFT;
    if (Edge & BDR_RAISEDINNER)
        return {Soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return {Soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// Image-coordinate helpers that paint plain pixels of one colour.
void HLine(HDC DC, int X0, int X1, int Y, QRgb C)
{
    DC->PenSpan(Y, X0, X1, C, R2_COPYPEN);
}

void Fill(HDC DC, const TRect& R, QRgb C)
{
    const TRect Limit = DC->ClipRegion().Bounds();
    for (int Y = std::max(R.Top, Limit.Top); Y < std::min(R.Bottom, Limit.Bottom); ++Y)
        DC->PenSpan(Y, R.Left, R.Right, C, R2_COPYPEN);
}

void VLine(HDC DC, int X, int Y0, int Y1, QRgb C)
{
    Fill(DC, {X, Y0, X + 1, Y1}, C);
}

QRgb Sys(HDC DC, int Index)
{
    return DC->SurfaceColor(GetSysColor(Index));
}

// One ring on the chosen sides; the sides drawn move in by one.
void PaintRing(HDC DC, TRect& R, const TRing& Ring, unsigned Flags)
{
    if (Ring.UpperLeft < 0 || IsRectEmpty(R))
        return;
    const QRgb UL = Sys(DC, Ring.UpperLeft), LR = Sys(DC, Ring.LowerRight);
    if (Flags & BF_TOP)
        HLine(DC, R.Left, R.Right, R.Top, UL);
    if (Flags & BF_LEFT)
        VLine(DC, R.Left, R.Top, R.Bottom, UL);
    if (Flags & BF_RIGHT)
        VLine(DC, R.Right - 1, R.Top, R.Bottom, LR);
    if (Flags & BF_BOTTOM)
        HLine(DC, R.Left, R.Right, R.Bottom - 1, LR);
    if (Flags & BF_LEFT) ++R.Left;
    if (Flags & BF_TOP) ++R.Top;
    if (Flags & BF_RIGHT) --R.Right;
    if (Flags & BF_BOTTOM) --R.Bottom;
}

void DiagonalEdge(HDC DC, TRect R, const TRing& Ring, unsigned Flags)
{
    if (Ring.UpperLeft < 0)
        return;
    // A line between two opposite corners: the colour of the side it faces.
    const bool EndsTop = Flags & BF_TOP, EndsRight = Flags & BF_RIGHT;
    const QRgb C = Sys(DC, (EndsTop == EndsRight) ? Ring.UpperLeft : Ring.LowerRight);
    const int N = std::min({R.Width(), R.Height(), 1 << 16});
    for (int I = 0; I < N; ++I) {
        const int X = EndsRight ? R.Left + I : R.Right - 1 - I;
        const int Y = EndsTop ? R.Bottom - 1 - I : R.Top + I;
        DC->PenSpan(Y, X, X + 1, C, R2_COPYPEN);
    }
}

TRect ImageRect(HDC DC, const TRect& R)
{
    return DC->ImageRect(R);
}

TRect LogicalRect(HDC DC, const TRect& R)
{
    const TPoint A = DC->FromImage(R.TopLeft());
    const TPoint B = DC->FromImage(R.BottomRight());
    return {A.X, A.Y, B.X, B.Y};
}

// The classic 7 x 7 tick: seven columns of three pixels.
void PaintTick(HDC DC, int X, int Y, QRgb C)
{
    static const int Top[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int I = 0; I < 7; ++I)
        VLine(DC, X + I, Y + Top[I], Y + Top[I] + 3, C);
}

// A solid triangle pointing in Direction (0 up, 1 down, 2 left, 3 right),
// Size rows deep, its base centred in R.
void PaintArrow(HDC DC, const TRect& R, int Direction, int Size, QRgb C)
{
    const int CX = R.Left + (R.Width() - 1) / 2, CY = R.Top + (R.Height() - 1) / 2;
    for (int I = 0; I < Size; ++I) {
        // Row I from the tip: 2I + 1 pixels wide.
        const int Offset = I - Size / 2;
        switch (Direction) {
        case 0: HLine(DC, CX - I, CX + I + 1, CY + Offset, C); break;
        case 1: HLine(DC, CX - I, CX + I + 1, CY - Offset, C); break;
        case 2: VLine(DC, CX + Offset, CY - I, CY + I + 1, C); break;
        default: VLine(DC, CX - Offset, CY - I, CY + I + 1, C); break;
        }
    }
}

// The classic 12 x 12 radio button: an outer and an inner ring, shaded
// like a sunken edge (the upper-left half dark, the lower-right half
// light), a well, and a 4 x 4 dot with its corners cut when checked.
void PaintRadio(HDC DC, int X, int Y, unsigned State)
{
    static const char* const Shape[12] = {
        "....OOOO....", "..OOIIIIOO..", ".OIIWWWWIIO.", ".OIWWWWWWIO.", "OIWWWWWWWWIO", "OIWWWWWWWWIO",
        "OIWWWWWWWWIO", "OIWWWWWWWWIO", ".OIWWWWWWIO.", ".OIIWWWWIIO.", "..OOIIIIOO..", "....OOOO....",
    };
    static const char* const Dot[4] = {".XX.", "XXXX", "XXXX", ".XX."};
    const bool Inactive = State & DFCS_INACTIVE, Grey = Inactive || (State & DFCS_PUSHED);
    for (int Row = 0; Row < 12; ++Row)
        for (int Col = 0; Col < 12; ++Col) {
            const bool UpperLeft = Row + Col < 11;
            int Index = -1;
            switch (Shape[Row][Col]) {
            case 'O':
                Index = UpperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
                break;
            case 'I':
                Index = UpperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
                break;
            case 'W':
                if (!(State & DFCS_TRANSPARENT))
                    Index = Grey ? COLOR_BTNFACE : COLOR_WINDOW;
                break;
            default:
                break;
            }
            if (Index >= 0)
                Fill(DC, {X + Col, Y + Row, X + Col + 1, Y + Row + 1}, Sys(DC, Index));
        }
    if (!(State & DFCS_CHECKED))
        return;
    const QRgb Mark = Sys(DC, Inactive ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    for (int Row = 0; Row < 4; ++Row)
        for (int Col = 0; Col < 4; ++Col)
            if (Dot[Row][Col] == 'X')
                Fill(DC, {X + 4 + Col, Y + 4 + Row, X + 5 + Col, Y + 5 + Row}, Mark);
}

} // namespace

BOOL DrawEdge(HDC DC, TRect* R, unsigned Edge, unsigned Flags)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    TRect I = ImageRect(DC, *R);
    const TRing Outer = OuterRing(Edge, Flags), Inner = InnerRing(Edge, Flags);
    if (Flags & BF_DIAGONAL) {
        DiagonalEdge(DC, I, Outer, Flags);
        TRect Moved = I;
        InflateRect(Moved, -1, -1);
        DiagonalEdge(DC, Moved, Inner, Flags);
        return 1;
    }
    PaintRing(DC, I, Outer, Flags);
    PaintRing(DC, I, Inner, Flags);
    if (Flags & BF_MIDDLE)
        Fill(DC, I, Sys(DC, (Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (Flags & BF_ADJUST)
        *R = LogicalRect(DC, I);
    return 1;
}

BOOL DrawFocusRect(HDC DC, const TRect* R)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    if (IsRectEmpty(*R))
        return 1;
    const TRect I = ImageRect(DC, *R);
    const TPoint Org = DC->ToImage({0, 0});
    const TPoint Device = DC->ToDevice({0, 0});
    // Parity in device coordinates, so the dots do not crawl when the
    // viewport moves by an odd amount.
    const int OX = Org.X - Device.X, OY = Org.Y - Device.Y;
    auto Dot = [&](int X, int Y) {
        if (((X - OX + Y - OY) & 1) == 0)
            DC->PenSpan(Y, X, X + 1, 0, R2_NOT);
    };
    const TRect Limit = DC->ClipRegion().Bounds();
    for (int X = std::max(I.Left, Limit.Left); X < std::min(I.Right, Limit.Right); ++X) {
        Dot(X, I.Top);
        if (I.Bottom - 1 > I.Top)
            Dot(X, I.Bottom - 1);
    }
    for (int Y = std::max(I.Top + 1, Limit.Top); Y < std::min(I.Bottom - 1, Limit.Bottom); ++Y) {
        Dot(I.Left, Y);
        if (I.Right - 1 > I.Left)
            Dot(I.Right - 1, Y);
    }
    return 1;
}

BOOL DrawFrameControl(HDC DC, TRect* R, unsigned Type, unsigned State)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    const TRect Box = ImageRect(DC, *R);
    if (IsRectEmpty(Box))
        return 1;
    const bool Inactive = State & DFCS_INACTIVE, Pushed = State & DFCS_PUSHED;
    if (Type == DFC_BUTTON && (State & 0x1F) == DFCS_BUTTONRADIO) {
        PaintRadio(DC, Box.Left + (Box.Width() - 12) / 2, Box.Top + (Box.Height() - 12) / 2, State);
        return 1;
    }
    if (Type == DFC_BUTTON && (State & 0x1F) != DFCS_BUTTONPUSH) {
        // Check box: a square of the smaller side, centred, a sunken well
        // and the tick.
        const int S = std::min(Box.Width(), Box.Height());
        TRect Sq = Bounds(Box.Left + (Box.Width() - S) / 2, Box.Top + (Box.Height() - S) / 2, S, S);
        TRect L = LogicalRect(DC, Sq);
        if (State & DFCS_MONO)
            DrawEdge(DC, &L, BDR_OUTER, BF_RECT | BF_MONO | BF_ADJUST);
        else if (State & DFCS_FLAT)
            DrawEdge(DC, &L, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        else
            DrawEdge(DC, &L, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        const TRect Well = ImageRect(DC, L);
        const bool Grey = Pushed || Inactive || ((State & DFCS_BUTTON3STATE) && (State & DFCS_CHECKED));
        if (!(State & DFCS_TRANSPARENT))
            Fill(DC, Well, Sys(DC, Grey ? COLOR_BTNFACE : COLOR_WINDOW));
        if (State & DFCS_CHECKED) {
            const QRgb Mark = Sys(DC, Inactive || (State & DFCS_BUTTON3STATE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
            PaintTick(DC, Well.Left + (Well.Width() - 7) / 2, Well.Top + (Well.Height() - 7) / 2, Mark);
        }
        return 1;
    }
    if (Type == DFC_BUTTON || Type == DFC_SCROLL) {
        TRect L = LogicalRect(DC, Box);
        if (Pushed && (Type == DFC_SCROLL || (State & DFCS_FLAT)))
            DrawEdge(DC, &L, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        else if (Pushed)
            DrawEdge(DC, &L, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        else if (State & DFCS_FLAT)
            DrawEdge(DC, &L, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
        else
            DrawEdge(DC, &L, EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST);
        TRect Face = ImageRect(DC, L);
        Fill(DC, Face, Sys(DC, COLOR_BTNFACE));
        if (Type == DFC_SCROLL) {
            const unsigned Kind = State & 0x1F;
            const int Direction = Kind == DFCS_SCROLLUP ? 0 : Kind == DFCS_SCROLLLEFT ? 2 : Kind == DFCS_SCROLLRIGHT ? 3 : 1;
            const int Size = std::clamp((std::min(Box.Width(), Box.Height()) + 1) / 4, 1, 1024);
            if (Pushed)
                OffsetRect(Face, 1, 1);
            if (Inactive) {
                TRect Shifted = Face;
                OffsetRect(Shifted, 1, 1);
                PaintArrow(DC, Shifted, Direction, Size, Sys(DC, COLOR_BTNHIGHLIGHT));
                PaintArrow(DC, Face, Direction, Size, Sys(DC, COLOR_BTNSHADOW));
            } else {
                PaintArrow(DC, Face, Direction, Size, Sys(DC, COLOR_BTNTEXT));
            }
        }
        if (State & DFCS_ADJUSTRECT)
            *R = L;
        return 1;
    }
    return 0;
}
