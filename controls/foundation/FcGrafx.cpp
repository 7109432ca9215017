#include "controls/foundation/FcGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// --- gradient arithmetic -------------------------------------------------------

// A colour walk in 16.16 fixed point per channel: N increments lead from
// From towards To.  The deltas are truncated, so the walk never overshoots
// and may end a little short of To.
class TColorWalk {
public:
    TColorWalk(COLORREF From, COLORREF To, int N)
        : FR(GetRValue(From) << 16), FG(GetGValue(From) << 16), FB(GetBValue(From) << 16),
          FDR(Delta(GetRValue(From), GetRValue(To), N)), FDG(Delta(GetGValue(From), GetGValue(To), N)),
          FDB(Delta(GetBValue(From), GetBValue(To), N))
    {
    }

    void Step()
    {
        FR += FDR;
        FG += FDG;
        FB += FDB;
    }

    COLORREF Color() const { return RGB(Channel(FR), Channel(FG), Channel(FB)); }

private:
    static int Delta(int From, int To, int N) { return N > 0 ? ((To << 16) - (From << 16)) / N : 0; }
    static int Channel(int Fixed) { return std::clamp(Fixed >> 16, 0, 255); }

    int FR, FG, FB;
    int FDR, FDG, FDB;
};

// Bands of one colour are merged: a band closes only after MinRun
// increments and once the colour has really changed.
class TBand {
public:
    TBand(int MinRun, COLORREF Color) : FMinRun(MinRun), FColor(Color) {}

    COLORREF Color() const { return FColor; }
    // One increment taken; true when the band ends here.
    bool Closes(COLORREF Now)
    {
        ++FRun;
        return FRun >= FMinRun && Now != FColor;
    }
    void Restart(COLORREF Color)
    {
        FColor = Color;
        FRun = 0;
    }

private:
    int FMinRun;
    int FRun = 0;
    COLORREF FColor;
};

int MinRunOf(std::uint8_t Steps, bool Box)
{
    const int Run = Steps <= 8 ? Steps : (Box ? 256 : 255) / Steps + 1;
    return std::max(Run, 1);
}

void FillSolid(HDC DC, const TRect& R, COLORREF Color)
{
    HBRUSH Brush = CreateSolidBrush(Color);
    FillRect(DC, &R, Brush);
    DeleteObject(Brush);
}

void FillQuad(HDC DC, const TPoint (&P)[4], COLORREF Color)
{
    HBRUSH Brush = CreateSolidBrush(Color);
    HBRUSH Old = SelectObject(DC, Brush);
    Polygon(DC, P, 4);
    SelectObject(DC, Old);
    DeleteObject(Brush);
}

// --- linear gradients ------------------------------------------------------------

// One stripe 8 pixels across: rows [A, B] (x 0..8) or columns [A, B] (y 0..8).
void FillStripe(HDC DC, bool Rows, int A, int B, COLORREF Color)
{
    FillSolid(DC, Rows ? Rect(0, A, 8, B + 1) : Rect(A, 0, B + 1, 8), Color);
}

// One pass over the coordinates [Low, High]: the walk starts at High in
// From and moves one pixel per increment towards Low; N increments would
// reach To (the pixel just beyond Low).
void FillLinearBands(HDC DC, bool Rows, int Low, int High, COLORREF From, COLORREF To, int N, int MinRun)
{
    if (Low > High)
        return;
    TColorWalk Walk(From, To, N);
    TBand Band(MinRun, Walk.Color());
    int BandEnd = High;
    for (int P = High - 1; P >= Low; --P) {
        Walk.Step();
        if (Band.Closes(Walk.Color())) {
            FillStripe(DC, Rows, P + 1, BandEnd, Band.Color());
            BandEnd = P;
            Band.Restart(Walk.Color());
        }
    }
    FillStripe(DC, Rows, Low, BandEnd, Band.Color());
}

// Completes an end or centre gradient: the painted stripe is copied beside
// itself, the copied extent doubling each time, the last copy cut to the
// bitmap's edge.
void ReplicateStripe(HDC DC, int W, int H, bool Rows)
{
    const int Extent = Rows ? W : H;
    for (int Done = 8; Done < Extent;) {
        const int N = std::min(Done, Extent - Done);
        if (Rows)
            BitBlt(DC, Done, 0, N, H, DC, 0, 0, SRCCOPY);
        else
            BitBlt(DC, 0, Done, W, N, DC, 0, 0, SRCCOPY);
        Done += N;
    }
}

// StartColor at coordinate 0, StopColor at the far edge.
void FillEndGradient(HDC DC, int W, int H, bool Rows, COLORREF Start, COLORREF Stop, int MinRun)
{
    const int Extent = Rows ? H : W;
    FillLinearBands(DC, Rows, 0, Extent - 1, Stop, Start, Extent, MinRun);
    ReplicateStripe(DC, W, H, Rows);
}

// StartColor at both edges, StopColor at the middle.
void FillCenterGradient(HDC DC, int W, int H, bool Rows, COLORREF Start, COLORREF Stop, int MinRun)
{
    const int Extent = Rows ? H : W;
    const int M = Extent / 2;
    FillLinearBands(DC, Rows, 0, M, Stop, Start, M + 1, MinRun);
    FillLinearBands(DC, Rows, M + 1, Extent - 1, Start, Stop, Extent - M - 1, MinRun);
    ReplicateStripe(DC, W, H, Rows);
}

// --- box gradients -----------------------------------------------------------------

// Paints the top-left quarter of a box gradient as L-shaped rings, from
// StopColor at the quarter's inner corner out to StartColor at (0, 0).  The
// first ring reaches into the inner corner, so the whole quarter is painted.
void FillBoxBands(HDC DC, int W, int H, int XOffset, int YOffset, COLORREF Start, COLORREF Stop, int MinRun)
{
    if (Start == Stop || W < 5 || H <= 4) {
        FillSolid(DC, Rect(0, 0, W + 1, H + 1), Start);
        return;
    }
    const int HalfW = (W - 1) / 2, HalfH = (H - 1) / 2;
    const int X0 = HalfW - XOffset, Y0 = HalfH - YOffset;
    const int N = std::max(X0, Y0) + 1;
    const long long DX = ((long long)X0 << 16) / N, DY = ((long long)Y0 << 16) / N;
    long long X = (long long)X0 << 16, Y = (long long)Y0 << 16;
    int PX = HalfW + 1, PY = HalfH + 1;
    TColorWalk Walk(Stop, Start, N);
    TBand Band(MinRun, Walk.Color());
    const auto CloseBand = [&] {
        const int XI = int(X >> 16), YI = int(Y >> 16);
        if (XI < 0 && YI < 0)
            return false;
        if (YI != PY)
            FillSolid(DC, Rect(XI, YI, HalfW + 1, PY), Band.Color());
        if (XI != PX)
            FillSolid(DC, Rect(XI, PY, PX, HalfH + 1), Band.Color());
        PX = XI;
        PY = YI;
        return true;
    };
    for (int I = 0; I < N; ++I) {
        Walk.Step();
        X -= DX;
        Y -= DY;
        if (Band.Closes(Walk.Color())) {
            if (!CloseBand())
                return;
            Band.Restart(Walk.Color());
        }
    }
    CloseBand();
}

// Mirrors the top-left quarter into the lower-left one, then the left half
// into the right one.
void MirrorHalf(HDC DC, int X, int Y, int W, int H)
{
    StretchBlt(DC, X, Y + H - 1, W / 2 + 1, -(H / 2), DC, X, Y, W / 2, H / 2, SRCCOPY);
    const int Half = W / 2;
    StretchBlt(DC, X + W - 1, Y, -(Half + (Half & 1)), H, DC, X, Y, Half & ~1, H, SRCCOPY);
}

void FillBoxGradient(HDC DC, int W, int H, int XOffset, int YOffset, bool PreFill, COLORREF Start, COLORREF Stop,
                     int MinRun)
{
    if (PreFill)
        FillSolid(DC, Rect(0, 0, W, H), Start);
    FillBoxBands(DC, W, H, XOffset, YOffset, Start, Stop, MinRun);
    MirrorHalf(DC, 0, 0, W, H);
}

// --- diagonal gradients -------------------------------------------------------------

// The sweep of one diagonal pass: a line whose ends move by (DX, DY) per
// increment, in 16.16 fixed point, with the band edges in whole pixels.
struct TSweep {
    long long X, Y;  // fixed point
    int PX, PY;      // where the current band began
    int XI() const { return int(X >> 16); }
    int YI() const { return int(Y >> 16); }
};

// Up (SignedW > 0): StartColor in the bottom-left corner, StopColor in the
// top-right one.  Down: StopColor bottom-right, StartColor top-left.  Pass
// 1 sweeps the lower-left triangle (a line from the origin edge to the
// bottom edge), pass 2 the rest (from the top edge to the far edge).
void FillDiagonalBands(HDC DC, int SignedW, int H, COLORREF Start, COLORREF Stop, int MinRun)
{
    const bool Up = SignedW > 0;
    const int W = std::abs(SignedW);
    const int X0 = Up ? 0 : W, XFar = Up ? W : 0, Dir = Up ? 1 : -1;
    const int L = int(std::sqrt(double(W) * W + double(H) * H)) + 1;
    const int Half = std::max(L / 2, 1);
    const long long DX = ((long long)W << 16) / Half * Dir, DY = ((long long)H << 16) / Half;
    TColorWalk Walk(Up ? Start : Stop, Up ? Stop : Start, L);
    // The bands are filled without outline.
    HGDIOBJ OldPen = SelectObject(DC, GetStockObject(NULL_PEN));
    for (int Pass = 1; Pass <= 2; ++Pass) {
        TSweep S{(long long)X0 << 16, (long long)H << 16, X0, H};
        TBand Band(MinRun, Walk.Color());
        const auto Paint = [&](int XI, int YI) {
            if (XI == S.PX && YI == S.PY)
                return;  // the band's two lines coincide
            if (Pass == 1)
                FillQuad(DC, {{X0, YI}, {X0, S.PY}, {S.PX, H}, {XI, H}}, Band.Color());
            else
                FillQuad(DC, {{XI, 0}, {S.PX, 0}, {XFar, S.PY}, {XFar, YI}}, Band.Color());
            S.PX = XI;
            S.PY = YI;
        };
        for (int I = 0; I < Half; ++I) {
            Walk.Step();
            S.X += DX;
            S.Y -= DY;
            if (S.Y < 0)
                break;
            if (Band.Closes(Walk.Color())) {
                Paint(S.XI(), S.YI());
                Band.Restart(Walk.Color());
            }
        }
        // The last band reaches the corner line exactly, whatever the
        // truncated steps left over.
        Paint(XFar, 0);
    }
    SelectObject(DC, OldPen);
}

void PaintGradient(HDC DC, int W, int H, TGradientDirection Direction, COLORREF Start, COLORREF Stop,
                   std::uint8_t Steps)
{
    const int Run = MinRunOf(Steps, false), BoxRun = MinRunOf(Steps, true);
    switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        // One colour fills every pixel (a pen-less Rectangle would leave
        // out the last row and column).
        if (Start == Stop)
            FillSolid(DC, Rect(0, 0, W, H), Start);
        else
            FillDiagonalBands(DC, Direction == gdDiagonalUp ? W : -W, H, Start, Stop, Run);
        break;
    case gdHorizontalEnd: FillEndGradient(DC, W, H, true, Start, Stop, Run); break;
    case gdHorizontalCenter: FillCenterGradient(DC, W, H, true, Start, Stop, Run); break;
    case gdHorizontalBox: FillBoxGradient(DC, W, H, W / 4, 0, true, Start, Stop, BoxRun); break;
    case gdVerticalEnd: FillEndGradient(DC, W, H, false, Start, Stop, Run); break;
    case gdVerticalCenter: FillCenterGradient(DC, W, H, false, Start, Stop, Run); break;
    case gdVerticalBox: FillBoxGradient(DC, W, H, 0, H / 4, false, Start, Stop, BoxRun); break;
    case gdSquareBox: FillBoxGradient(DC, W, H, 0, 0, true, Start, Stop, BoxRun); break;
    case gdBigSquareBox: FillBoxGradient(DC, W, H, W / 4, H / 4, false, Start, Stop, BoxRun); break;
    }
}

// --- masks ---------------------------------------------------------------------------

// A bitmap selected into its own memory context, freed with it.
class TScratchBitmap {
public:
    TScratchBitmap(int Width, int Height, int BitsPixel)
        : FDC(CreateCompatibleDC(nullptr)), FBitmap(CreateBitmap(Width, Height, 1, unsigned(BitsPixel), nullptr)),
          FOld(SelectObject(FDC, FBitmap))
    {
    }
    ~TScratchBitmap()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TScratchBitmap(const TScratchBitmap&) = delete;
    TScratchBitmap& operator=(const TScratchBitmap&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
};

// The stretched colour copy of the source part, and its mask: 1 where the
// copy has the transparent colour, 0 elsewhere.
struct TMaskedCopy {
    TMaskedCopy(TBitmap* Source, const TRect& SourceRect, int W, int H, COLORREF Transparent)
        : Colors(W, H, 32), Mask(W, H, 1)
    {
        StretchBlt(Colors.DC(), 0, 0, W, H, Source->Canvas()->Handle(), SourceRect.Left, SourceRect.Top,
                   SourceRect.Width(), SourceRect.Height(), SRCCOPY);
        SetBkColor(Colors.DC(), Transparent);
        BitBlt(Mask.DC(), 0, 0, W, H, Colors.DC(), 0, 0, SRCCOPY);
    }
    TScratchBitmap Colors;
    TScratchBitmap Mask;
};

bool CanCopy(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect)
{
    return Canvas != nullptr && Source != nullptr && !Source->Empty() && DestRect.Width() > 0 &&
           DestRect.Height() > 0;
}

} // namespace

void FillGradientRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor StartColor,
                      TColor StopColor, std::uint8_t Steps)
{
    const int W = std::abs(R.Right - R.Left), H = std::abs(R.Bottom - R.Top);
    if (Canvas == nullptr || W == 0 || H == 0)
        return;
    TBitmap Bitmap;
    Bitmap.SetSize(W, H);
    PaintGradient(Bitmap.Canvas()->Handle(), W, H, Direction, ColorToRGB(StartColor), ColorToRGB(StopColor),
                  Steps);
    Canvas->Draw(R.Left, R.Top, &Bitmap);
}

void StretchMaskedBitmap(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                         TColor TransparentColor)
{
    if (!CanCopy(Canvas, Source, DestRect))
        return;
    const int W = DestRect.Width(), H = DestRect.Height();
    TMaskedCopy Copy(Source, SourceRect, W, H, ColorToRGB(TransparentColor));
    TransparentStretchBlt(Canvas->Handle(), DestRect.Left, DestRect.Top, W, H, Copy.Colors.DC(), 0, 0, W, H,
                          Copy.Mask.DC(), 0, 0);
}

void CopyMaskedBitmap(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                      TColor TransparentColor)
{
    if (!CanCopy(Canvas, Source, DestRect))
        return;
    const int W = DestRect.Width(), H = DestRect.Height();
    const COLORREF Transparent = ColorToRGB(TransparentColor);
    TMaskedCopy Copy(Source, SourceRect, W, H, Transparent);
    if (Transparent != 0) {
        // Black where transparent, so that the OR below leaves the canvas.
        SetBkColor(Copy.Colors.DC(), 0x000000);
        SetTextColor(Copy.Colors.DC(), 0xFFFFFF);
        BitBlt(Copy.Colors.DC(), 0, 0, W, H, Copy.Mask.DC(), 0, 0, SRCAND);
    }
    // The mask arrives as black (keep nothing) where opaque and white (keep
    // the canvas) where transparent, whatever colours the canvas holds.
    HDC Dest = Canvas->Handle();
    const COLORREF OldText = SetTextColor(Dest, 0x000000);
    const COLORREF OldBack = SetBkColor(Dest, 0xFFFFFF);
    BitBlt(Dest, DestRect.Left, DestRect.Top, W, H, Copy.Mask.DC(), 0, 0, SRCAND);
    SetTextColor(Dest, OldText);
    SetBkColor(Dest, OldBack);
    BitBlt(Dest, DestRect.Left, DestRect.Top, W, H, Copy.Colors.DC(), 0, 0, SRCPAINT);
}

void FlipBitmapRows(TBitmap* Bitmap)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return;
    const int W = Bitmap->Width(), H = Bitmap->Height();
    TCanvas* C = Bitmap->Canvas();
    const TCopyMode OldMode = C->CopyMode();
    C->SetCopyMode(cmSrcCopy);
    // A negative height mirrors: row y lands on row H - 1 - y.
    C->CopyRect(Rect(0, H - 1, W, -1), C, Rect(0, 0, W, H));
    C->SetCopyMode(OldMode);
}
