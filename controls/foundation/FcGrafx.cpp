#include "controls/foundation/FcGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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
    QRgb Pixel() const { return ColorRefToQRgb(FColor); }
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

// The gradient is worked out in bitmaps of its own, drawn with the
// canvas's copy mode, clipping and origin as any bitmap is.  Their pixels
// are written directly, a row or a band at a time; as the gradient gives
// every pixel its colour, a new one starts unpainted.
std::unique_ptr<TBitmap> GradientBitmap(int W, int H)
{
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetImage(QImage(W, H, QImage::Format_RGB32));
    return Bitmap;
}

// Draws a gradient worked out one row at a time, top to bottom:
// PaintRow(Y, Line) fills row Y.  The rows are gathered in blocks small
// enough to stay in the processor's cache, and each block is drawn at its
// place; as every pixel is drawn on its own, that is what drawing one
// bitmap of the whole gradient would paint.
template <typename TPaintRow>
void DrawRows(TCanvas* Canvas, const TRect& Target, TPaintRow&& PaintRow)
{
    const int W = Target.Width(), H = Target.Height();
    const int Rows = std::clamp(65536 / W, 1, H);
    std::unique_ptr<TBitmap> Block = GradientBitmap(W, Rows);
    for (int Top = 0; Top < H; Top += Rows) {
        const int Count = std::min(Rows, H - Top);
        if (Count < Rows)
            Block = GradientBitmap(W, Count);
        for (int I = 0; I < Count; ++I)
            PaintRow(Top + I, Block->ScanLine(I));
        Canvas->StretchDraw(Bounds(Target.Left, Target.Top + Top, W, Count), Block.get());
    }
}

// --- linear gradients ------------------------------------------------------------

// One pass over the coordinates [Low, High] of Colors: the walk starts at
// High in From and moves one pixel per increment towards Low; N increments
// would reach To (the pixel just beyond Low).
void FillLinearBands(std::vector<QRgb>& Colors, int Low, int High, COLORREF From, COLORREF To, int N, int MinRun)
{
    if (Low > High)
        return;
    TColorWalk Walk(From, To, N);
    TBand Band(MinRun, Walk.Color());
    int BandEnd = High;
    for (int P = High - 1; P >= Low; --P) {
        Walk.Step();
        if (Band.Closes(Walk.Color())) {
            std::fill(Colors.begin() + P + 1, Colors.begin() + BandEnd + 1, Band.Pixel());
            BandEnd = P;
            Band.Restart(Walk.Color());
        }
    }
    std::fill(Colors.begin() + Low, Colors.begin() + BandEnd + 1, Band.Pixel());
}

// End and centre gradients have one colour per row (Rows) or per column:
// the colours go into a bitmap one pixel wide (or high), which drawing
// stretches over the whole rectangle.
void DrawLinearGradient(TCanvas* Canvas, const TRect& Target, bool Rows, bool Center, COLORREF Start, COLORREF Stop,
                        int MinRun)
{
    const int Extent = Rows ? Target.Height() : Target.Width();
    std::vector<QRgb> Colors(std::size_t(Extent), 0);
    if (Center) {
        // StartColor at both edges, StopColor at the middle.
        const int M = Extent / 2;
        FillLinearBands(Colors, 0, M, Stop, Start, M + 1, MinRun);
        FillLinearBands(Colors, M + 1, Extent - 1, Start, Stop, Extent - M - 1, MinRun);
    } else {
        // StartColor at coordinate 0, StopColor at the far edge.
        FillLinearBands(Colors, 0, Extent - 1, Stop, Start, Extent, MinRun);
    }
    QImage Pixels(Rows ? 1 : Extent, Rows ? Extent : 1, QImage::Format_RGB32);
    uchar* const Bits = Pixels.bits();
    const qsizetype Stride = Rows ? Pixels.bytesPerLine() : qsizetype(sizeof(QRgb));
    for (int I = 0; I < Extent; ++I)
        *reinterpret_cast<QRgb*>(Bits + I * Stride) = Colors[std::size_t(I)];
    TBitmap Strip;
    Strip.SetImage(Pixels);
    Canvas->StretchDraw(Target, &Strip);
}

void DrawSolid(TCanvas* Canvas, const TRect& Target, COLORREF Color)
{
    const auto Dot = GradientBitmap(1, 1);
    Dot->ScanLine(0)[0] = ColorRefToQRgb(Color);
    Canvas->StretchDraw(Target, Dot.get());
}

// --- box gradients -----------------------------------------------------------------

// One ring of a box gradient's top-left quarter: a rectangle in one colour.
struct TRing {
    TRect R;
    QRgb Color;
};

// The top-left quarter of a box gradient as L-shaped rings, in the order
// they are painted, from StopColor at the quarter's inner corner out to
// StartColor at (0, 0).  The first ring reaches into the inner corner and
// the walk ends at (0, 0), so the rings cover the whole quarter.  A box
// too small for rings is one rectangle of StartColor over everything.
std::vector<TRing> BoxRings(int W, int H, int XOffset, int YOffset, COLORREF Start, COLORREF Stop, int MinRun)
{
    std::vector<TRing> Rings;
    if (Start == Stop || W < 5 || H <= 4) {
        Rings.push_back({Rect(0, 0, W + 1, H + 1), ColorRefToQRgb(Start)});
        return Rings;
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
            Rings.push_back({Rect(XI, YI, HalfW + 1, PY), Band.Pixel()});
        if (XI != PX)
            Rings.push_back({Rect(XI, PY, PX, HalfH + 1), Band.Pixel()});
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
                return Rings;
            Band.Restart(Walk.Color());
        }
    }
    CloseBand();
    return Rings;
}

// The quarter's rows change only where a ring begins or ends: the rows
// between two such places are one row, painted once.  RowOf maps each row
// of the rectangle to its row of the returned bitmap.
std::unique_ptr<TBitmap> QuarterRows(int W, int H, const std::vector<TRing>& Rings, std::vector<int>& RowOf)
{
    std::vector<int> Breaks{0, H};
    for (const TRing& Ring : Rings)
        for (int B : {Ring.R.Top, Ring.R.Bottom})
            Breaks.push_back(std::clamp(B, 0, H));
    std::sort(Breaks.begin(), Breaks.end());
    Breaks.erase(std::unique(Breaks.begin(), Breaks.end()), Breaks.end());
    const int Count = int(Breaks.size()) - 1;
    auto Quarter = GradientBitmap(W, Count);
    RowOf.assign(std::size_t(H), 0);
    for (int I = 0; I < Count; ++I) {
        const int Top = Breaks[std::size_t(I)];
        std::fill(RowOf.begin() + Top, RowOf.begin() + Breaks[std::size_t(I) + 1], I);
        QRgb* Line = Quarter->ScanLine(I);
        for (const TRing& Ring : Rings) {
            const int Left = std::clamp(Ring.R.Left, 0, W), Right = std::clamp(Ring.R.Right, 0, W);
            if (Ring.R.Top <= Top && Top < Ring.R.Bottom && Left < Right)
                std::fill(Line + Left, Line + Right, Ring.Color);
        }
    }
    return Quarter;
}

// The quarter is mirrored into the lower-left quarter (stretched by one
// column), then the left half into the right half.  Worked on the
// quarter's distinct rows with the same blits, columns fare as they would
// in the whole picture: Top holds the finished rows of the upper half,
// Bottom those of the lower half (row Y of the lower half being quarter
// row H - 1 - Y).  Between them the copies cover every pixel the quarter
// leaves.
void MirrorHalf(TBitmap& Top, TBitmap& Bottom, int W)
{
    const int Rows = Top.Height(), Half = W / 2;
    HDC TopDC = Top.Canvas()->Handle(), BottomDC = Bottom.Canvas()->Handle();
    StretchBlt(BottomDC, 0, 0, Half + 1, Rows, TopDC, 0, 0, Half, Rows, SRCCOPY);
    for (HDC DC : {TopDC, BottomDC})
        StretchBlt(DC, W - 1, 0, -(Half + (Half & 1)), Rows, DC, 0, 0, Half & ~1, Rows, SRCCOPY);
}

void DrawBoxGradient(TCanvas* Canvas, const TRect& Target, int XOffset, int YOffset, COLORREF Start, COLORREF Stop,
                     int MinRun)
{
    const int W = Target.Width(), H = Target.Height();
    std::vector<int> RowOf;
    const auto Top = QuarterRows(W, H, BoxRings(W, H, XOffset, YOffset, Start, Stop, MinRun), RowOf);
    // Where the blits leave a lower row alone (boxes of one to three
    // columns) it keeps what the rings painted there.
    TBitmap Bottom;
    Bottom.SetImage(Top->Image());
    MirrorHalf(*Top, Bottom, W);
    const int HalfH = (H - 1) / 2;
    DrawRows(Canvas, Target, [&](int Y, QRgb* Line) {
        const QRgb* From =
            Y <= HalfH ? Top->ScanLine(RowOf[std::size_t(Y)]) : Bottom.ScanLine(RowOf[std::size_t(H - 1 - Y)]);
        std::copy_n(From, W, Line);
    });
}

// --- diagonal gradients -------------------------------------------------------------

// A band edge of a diagonal gradient, the line from its upper end (X1, Y1)
// to its lower end (X2, Y2).  Where it crosses pixel row Y (Y1 <= Y < Y2)
// is the first column at or right of the line, as polygons are filled:
// ceil((X1 * (Y2 - Y1) + (Y - Y1) * (X2 - X1)) / (Y2 - Y1)), kept as a
// quotient Q and remainder R (numerator = Q * (Y2 - Y1) - R, 0 <= R <
// Y2 - Y1) that move on by one row at a time.
class TEdgeCrossing {
public:
    TEdgeCrossing(TPoint A, TPoint B)
    {
        if (B.Y < A.Y)
            std::swap(A, B);
        FX1 = A.X;
        FY1 = A.Y;
        FDen = std::max(B.Y - A.Y, 1);
        const long long DX = (long long)B.X - A.X;
        // Per row the numerator grows by DX: StepQ whole columns and
        // StepRem / Den of one.
        FStepQ = FloorDiv(DX, FDen);
        FStepRem = DX - FStepQ * FDen;
    }

    // The crossing with row Y, worked out afresh.
    long long Start(int Y)
    {
        const long long Num = FX1 * FDen + ((long long)Y - FY1) * (FStepQ * FDen + FStepRem);
        FQ = -FloorDiv(-Num, FDen);
        FRem = FQ * FDen - Num;
        return FQ;
    }
    // The crossing with the row below the last one asked for.
    long long Next()
    {
        // Without a branch: whether the remainder borrows is as good as
        // random from row to row.
        FRem -= FStepRem;
        const long long Borrow = FRem >> 63; // -1 when negative
        FRem += FDen & Borrow;
        FQ += FStepQ - Borrow;
        return FQ;
    }

private:
    static long long FloorDiv(long long N, long long D) { return N >= 0 ? N / D : -((-N + D - 1) / D); }

    long long FX1 = 0, FY1 = 0, FDen = 1;
    long long FStepQ = 0, FStepRem = 0;
    long long FQ = 0, FRem = 0;
};

// One sweep of a diagonal gradient: its edges in order, from the edge it
// starts from, and per band (between edge I - 1 and edge I) its colour and
// the rows from Top[I] to Bottom[I] that it holds.
struct TDiagonalSweep {
    std::vector<TEdgeCrossing> Edges;
    std::vector<int> Top, Bottom;
    std::vector<QRgb> Colors;
};

// The bands of both sweeps, in the order they are painted.  Up (SignedW >
// 0): StartColor in the bottom-left corner, StopColor in the top-right one;
// down: StopColor bottom-right, StartColor top-left.  Sweep 1 covers the
// lower triangle with a line from the origin edge to the bottom edge, its
// bands ending in edges (X0, y) - (x, H); sweep 2 covers the rest with a
// line from the top edge to the far edge, its bands ending in edges
// (x, 0) - (XFar, y).  Each band is the quadrilateral between the edge where
// it began and the edge where it ended.
struct TDiagonalSweeps {
    TDiagonalSweep Sweep[2];
    int X0 = 0, XFar = 0;
};

TDiagonalSweeps DiagonalBands(int SignedW, int H, COLORREF Start, COLORREF Stop, int MinRun)
{
    const bool Up = SignedW > 0;
    const int W = std::abs(SignedW);
    TDiagonalSweeps Result;
    const int X0 = Up ? 0 : W, XFar = Up ? W : 0, Dir = Up ? 1 : -1;
    Result.X0 = X0;
    Result.XFar = XFar;
    const int L = int(std::sqrt(double(W) * W + double(H) * H)) + 1;
    const int Half = std::max(L / 2, 1);
    const long long DX = ((long long)W << 16) / Half * Dir, DY = ((long long)H << 16) / Half;
    TColorWalk Walk(Up ? Start : Stop, Up ? Stop : Start, L);
    for (int Pass = 0; Pass < 2; ++Pass) {
        TDiagonalSweep& S = Result.Sweep[Pass];
        long long X = (long long)X0 << 16, Y = (long long)H << 16;
        int PX = X0, PY = H;
        // Sweep 1 starts from the corner (X0, H), sweep 2 from the diagonal
        // that ended sweep 1.
        S.Edges.emplace_back(Pass == 0 ? TPoint{X0, H} : TPoint{X0, 0}, TPoint{Pass == 0 ? X0 : XFar, H});
        S.Top.push_back(0);
        S.Bottom.push_back(0);
        S.Colors.push_back(0);
        TBand Band(MinRun, Walk.Color());
        const auto Close = [&](int XI, int YI) {
            if (XI == PX && YI == PY)
                return; // the band's two lines coincide
            if (Pass == 0)
                S.Edges.emplace_back(TPoint{X0, YI}, TPoint{XI, H});
            else
                S.Edges.emplace_back(TPoint{XI, 0}, TPoint{XFar, YI});
            S.Top.push_back(Pass == 0 ? YI : 0);
            S.Bottom.push_back(Pass == 0 ? H : PY);
            S.Colors.push_back(Band.Pixel());
            PX = XI;
            PY = YI;
        };
        for (int I = 0; I < Half; ++I) {
            Walk.Step();
            X += DX;
            Y -= DY;
            if (Y < 0)
                break;
            if (Band.Closes(Walk.Color())) {
                Close(int(X >> 16), int(Y >> 16));
                Band.Restart(Walk.Color());
            }
        }
        // The last band reaches the corner line exactly, whatever the
        // truncated steps left over.
        Close(XFar, 0);
    }
    return Result;
}

// Each band is the polygon of its two edges and a side of the rectangle;
// per pixel row it fills from one crossing up to (not including) the
// other, the way a pen-less Polygon fills it.  The bands of a sweep follow
// one another without overlapping, so a row is the chain of the crossings
// of the bands that reach it: sweep 1 from its side (the origin edge,
// where the first band that reaches the row meets it) to the diagonal,
// sweep 2 from the diagonal to its side (the far edge, where the last band
// that reaches the row meets it).  Together they cover every pixel.
class TDiagonalRows {
public:
    TDiagonalRows(TDiagonalSweeps& Sweeps, int W)
        : FS1(Sweeps.Sweep[0]), FS2(Sweeps.Sweep[1]), FX0(Sweeps.X0), FXFar(Sweeps.XFar), FW(W),
          FFirst1(int(FS1.Colors.size())), FLast2(int(FS2.Colors.size()))
    {
        // Sweep 1's edges start at the first row their band reaches,
        // sweep 2's just above the first row.
        for (TEdgeCrossing& E : FS2.Edges)
            E.Start(-1);
    }

    // Rows are asked for in order, from 0.
    void operator()(int Y, QRgb* Line)
    {
        // Sweep 1's bands reach every row from their top down, so the
        // bands that reach row Y are the last ones, from First1 on; sweep
        // 2's reach every row above their bottom, so they are the first
        // ones, up to Last2.
        const int N1 = int(FS1.Colors.size());
        const int Fresh = FFirst1;
        while (FFirst1 > 1 && FS1.Top[std::size_t(FFirst1 - 1)] <= Y)
            --FFirst1;
        while (FLast2 > 1 && FS2.Bottom[std::size_t(FLast2 - 1)] <= Y)
            --FLast2;
        long long Previous = FX0;
        for (int I = FFirst1; I < N1; ++I) {
            TEdgeCrossing& E = FS1.Edges[std::size_t(I)];
            const long long Current = I < Fresh ? E.Start(Y) : E.Next();
            Fill(Line, Previous, Current, FS1.Colors[std::size_t(I)]);
            Previous = Current;
        }
        Previous = FS2.Edges[0].Next();
        for (int I = 1; I < FLast2; ++I) {
            const long long Current = I + 1 < FLast2 ? FS2.Edges[std::size_t(I)].Next() : FXFar;
            Fill(Line, Previous, Current, FS2.Colors[std::size_t(I)]);
            Previous = Current;
        }
    }

private:
    // Spans are short (a dozen pixels): four at a time, the last four
    // ending exactly at the span's end, rather than a loop with a tail.
    void Fill(QRgb* Line, long long A, long long C, QRgb Color) const
    {
        const long long From = std::clamp<long long>(std::min(A, C), 0, FW);
        const long long To = std::clamp<long long>(std::max(A, C), 0, FW);
        if (To - From < 4) {
            for (long long X = From; X < To; ++X)
                Line[X] = Color;
            return;
        }
        const QRgb Four[4] = {Color, Color, Color, Color};
        for (long long X = From; X < To - 4; X += 4)
            std::memcpy(Line + X, Four, sizeof Four);
        std::memcpy(Line + To - 4, Four, sizeof Four);
    }

    TDiagonalSweep& FS1;
    TDiagonalSweep& FS2;
    int FX0, FXFar, FW;
    int FFirst1, FLast2;
};

void DrawDiagonalGradient(TCanvas* Canvas, const TRect& Target, bool Up, COLORREF Start, COLORREF Stop, int MinRun)
{
    const int W = Target.Width(), H = Target.Height();
    TDiagonalSweeps Sweeps = DiagonalBands(Up ? W : -W, H, Start, Stop, MinRun);
    DrawRows(Canvas, Target, TDiagonalRows(Sweeps, W));
}

void DrawGradient(TCanvas* Canvas, const TRect& Target, TGradientDirection Direction, COLORREF Start, COLORREF Stop,
                  std::uint8_t Steps)
{
    const int Run = MinRunOf(Steps, false), BoxRun = MinRunOf(Steps, true);
    const int W = Target.Width(), H = Target.Height();
    switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        // One colour fills every pixel (a pen-less Rectangle would leave
        // out the last row and column).
        if (Start == Stop)
            DrawSolid(Canvas, Target, Start);
        else
            DrawDiagonalGradient(Canvas, Target, Direction == gdDiagonalUp, Start, Stop, Run);
        break;
    case gdHorizontalEnd:
        DrawLinearGradient(Canvas, Target, true, false, Start, Stop, Run);
        break;
    case gdHorizontalCenter:
        DrawLinearGradient(Canvas, Target, true, true, Start, Stop, Run);
        break;
    case gdHorizontalBox:
        DrawBoxGradient(Canvas, Target, W / 4, 0, Start, Stop, BoxRun);
        break;
    case gdVerticalEnd:
        DrawLinearGradient(Canvas, Target, false, false, Start, Stop, Run);
        break;
    case gdVerticalCenter:
        DrawLinearGradient(Canvas, Target, false, true, Start, Stop, Run);
        break;
    case gdVerticalBox:
        DrawBoxGradient(Canvas, Target, 0, H / 4, Start, Stop, BoxRun);
        break;
    case gdSquareBox:
        DrawBoxGradient(Canvas, Target, 0, 0, Start, Stop, BoxRun);
        break;
    case gdBigSquareBox:
        DrawBoxGradient(Canvas, Target, W / 4, H / 4, Start, Stop, BoxRun);
        break;
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

// The colour copy and its mask come down to copying every source pixel
// but those of the transparent colour, which one TransparentBlt does
// without the two scratch bitmaps - as long as the colour copy would take
// the source's pixels unchanged: a colour source without an alpha channel,
// read inside its bounds, onto a colour canvas.
bool CopiesDirectly(TCanvas* Canvas, TBitmap* Source, const TRect& SourceRect)
{
    const TRect Bounds = Rect(0, 0, Source->Width(), Source->Height());
    return !Source->Monochrome() && Source->Image().format() == QImage::Format_RGB32 && SourceRect.Left >= 0
        && SourceRect.Top >= 0 && SourceRect.Right <= Bounds.Right && SourceRect.Bottom <= Bounds.Bottom
        && SourceRect.Width() > 0 && SourceRect.Height() > 0 && GetDeviceCaps(Canvas->Handle(), BITSPIXEL) == 32;
}

void CopyDirectly(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                  COLORREF Transparent)
{
    TransparentBlt(Canvas->Handle(), DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(),
                   Source->Canvas()->Handle(), SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height(),
                   Transparent);
}

} // namespace

void FillGradientRect(TCanvas* Canvas, const TRect& R, TGradientDirection Direction, TColor StartColor,
                      TColor StopColor, std::uint8_t Steps)
{
    const int W = std::abs(R.Right - R.Left), H = std::abs(R.Bottom - R.Top);
    if (Canvas == nullptr || W == 0 || H == 0)
        return;
    DrawGradient(Canvas, Bounds(R.Left, R.Top, W, H), Direction, ColorToRGB(StartColor), ColorToRGB(StopColor), Steps);
}

void StretchMaskedBitmap(TCanvas* Canvas, TBitmap* Source, const TRect& DestRect, const TRect& SourceRect,
                         TColor TransparentColor)
{
    if (!CanCopy(Canvas, Source, DestRect))
        return;
    if (CopiesDirectly(Canvas, Source, SourceRect)) {
        CopyDirectly(Canvas, Source, DestRect, SourceRect, ColorToRGB(TransparentColor));
        return;
    }
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
    const COLORREF Transparent = ColorToRGB(TransparentColor);
    if (CopiesDirectly(Canvas, Source, SourceRect)) {
        CopyDirectly(Canvas, Source, DestRect, SourceRect, Transparent);
        return;
    }
    const int W = DestRect.Width(), H = DestRect.Height();
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
