// Lines and shapes: pen strokes leave out their end pixel, shapes exclude
// their right and bottom edges, fills sample pixel centres.
#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<TPoint> ToImage(HDC DC, const TPoint* Points, int Count)
{
    std::vector<TPoint> Result(std::size_t(std::max(Count, 0)));
    for (int I = 0; I < Count; ++I)
        Result[std::size_t(I)] = DC->ToImage(Points[I]);
    return Result;
}

// The outline of a closed figure through pixel centres.
void ClosedOutline(HDC DC, const std::vector<TPoint>& Points)
{
    if (Points.empty())
        return;
    int Counter = 0;
    if (Points.size() == 1) {
        DC->PenLine(Points[0], Points[0], Counter, true);
        return;
    }
    for (std::size_t I = 0; I < Points.size(); ++I)
        DC->PenLine(Points[I], Points[(I + 1) % Points.size()], Counter);
}

// Ellipses and round rectangles: the pen paints the ring between the figure
// and the figure shrunk by the pen width, the brush what lies inside.
BOOL RoundFigure(HDC DC, int Left, int Top, int Right, int Bottom, int EW, int EH, bool Ellipse)
{
    if (!IsValidDC(DC))
        return 0;
    const TPoint A = DC->ToImage({Left, Top});
    const TPoint B = DC->ToImage({Right, Bottom});
    TRect Box = NormalizeRect({A.X, A.Y, B.X, B.Y});
    const bool Pen = DC->PenVisible();
    if (!Pen) {
        --Box.Right;
        --Box.Bottom;
    }
    auto Figure = [&](const TRect& R, int W, int H) {
        return Ellipse ? TRegionData::FromEllipse(R, DC->ClipRows()) : TRegionData::FromRoundRect(R, W, H, DC->ClipRows());
    };
    const TRegionData Outer = Figure(Box, EW, EH);
    if (!Pen) {
        DC->FillRegion(Outer, DC->State().Brush.Get(), DC->State().Rop2);
        return 1;
    }
    const int W = std::max(DC->State().Pen->Log.lopnWidth.X, 1);
    TRect InnerBox = Box;
    InflateRect(InnerBox, -W, -W);
    const TRegionData Inner = Figure(InnerBox, EW - 2 * W, EH - 2 * W);
    DC->FillRegion(Inner, DC->State().Brush.Get(), DC->State().Rop2);
    const QRgb Color = DC->SurfaceColor(DC->State().Pen->Log.lopnColor);
    DC->PenRegion(Outer.Combine(Inner, RGN_DIFF), Color, DC->State().Rop2);
    return 1;
}

} // namespace

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old)
{
    if (!IsValidDC(DC))
        return 0;
    if (Old)
        *Old = DC->State().CurrentPos;
    DC->State().CurrentPos = {X, Y};
    return 1;
}

BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos)
{
    if (!IsValidDC(DC) || Pos == nullptr)
        return 0;
    *Pos = DC->State().CurrentPos;
    return 1;
}

BOOL LineTo(HDC DC, int X, int Y)
{
    if (!IsValidDC(DC))
        return 0;
    int Counter = 0;
    DC->PenLine(DC->ToImage(DC->State().CurrentPos), DC->ToImage({X, Y}), Counter);
    DC->State().CurrentPos = {X, Y};
    return 1;
}

BOOL Polyline(HDC DC, const TPoint* Points, int Count)
{
    if (!IsValidDC(DC) || Points == nullptr || Count < 2)
        return 0;
    const std::vector<TPoint> P = ToImage(DC, Points, Count);
    int Counter = 0;
    for (std::size_t I = 0; I + 1 < P.size(); ++I)
        DC->PenLine(P[I], P[I + 1], Counter);
    return 1;
}

BOOL PolyPolyline(HDC DC, const TPoint* Points, const DWORD* Counts, int PolyCount)
{
    if (!IsValidDC(DC) || Points == nullptr || Counts == nullptr || PolyCount < 1)
        return 0;
    for (int I = 0; I < PolyCount; ++I)
        if (Counts[I] < 2)
            return 0;
    for (int I = 0; I < PolyCount; ++I) {
        Polyline(DC, Points, int(Counts[I]));
        Points += Counts[I];
    }
    return 1;
}

BOOL Polygon(HDC DC, const TPoint* Points, int Count)
{
    if (!IsValidDC(DC) || Points == nullptr || Count < 2)
        return 0;
    const std::vector<TPoint> P = ToImage(DC, Points, Count);
    DC->FillRegion(TRegionData::FromPolygon(P.data(), Count, DC->State().PolyFillMode, DC->ClipRows()),
                   DC->State().Brush.Get(), DC->State().Rop2);
    ClosedOutline(DC, P);
    return 1;
}

BOOL PolyPolygon(HDC DC, const TPoint* Points, const int* Counts, int PolyCount)
{
    if (!IsValidDC(DC) || Points == nullptr || Counts == nullptr || PolyCount < 1)
        return 0;
    int Total = 0;
    for (int I = 0; I < PolyCount; ++I) {
        if (Counts[I] < 2)
            return 0;
        Total += Counts[I];
    }
    const std::vector<TPoint> P = ToImage(DC, Points, Total);
    DC->FillRegion(TRegionData::FromPolygons(P.data(), Counts, PolyCount, DC->State().PolyFillMode, DC->ClipRows()),
                   DC->State().Brush.Get(), DC->State().Rop2);
    std::size_t Start = 0;
    for (int I = 0; I < PolyCount; ++I) {
        ClosedOutline(DC, std::vector<TPoint>(P.begin() + long(Start), P.begin() + long(Start + Counts[I])));
        Start += std::size_t(Counts[I]);
    }
    return 1;
}

BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!IsValidDC(DC))
        return 0;
    const TPoint A = DC->ToImage({Left, Top});
    const TPoint B = DC->ToImage({Right, Bottom});
    const TRect R = NormalizeRect({A.X, A.Y, B.X, B.Y});
    if (!DC->PenVisible()) {
        // The classic quirk: without a pen the fill stops one pixel short.
        DC->FillRegion(TRegionData({R.Left, R.Top, R.Right - 1, R.Bottom - 1}), DC->State().Brush.Get(),
                       DC->State().Rop2);
        return 1;
    }
    const LOGPEN& Pen = DC->State().Pen->Log;
    const int W = std::max(Pen.lopnWidth.X, 1);
    if (R.Width() < 1 || R.Height() < 1)
        return 1;
    // Wide inside-frame pens stay within the rectangle; other wide pens are
    // centred on its edges.
    TRect Path{R.Left, R.Top, R.Right - 1, R.Bottom - 1};
    if ((Pen.lopnStyle & PS_STYLE_MASK) == PS_INSIDEFRAME && W > 1) {
        Path.Left += (W - 1) / 2;
        Path.Top += (W - 1) / 2;
        Path.Right -= W / 2;
        Path.Bottom -= W / 2;
    }
    // The inside: what the strokes along the four edges leave free.
    DC->FillRegion(TRegionData({Path.Left + W / 2 + 1, Path.Top + W / 2 + 1, Path.Right - (W - 1) / 2,
                                Path.Bottom - (W - 1) / 2}),
                   DC->State().Brush.Get(), DC->State().Rop2);
    ClosedOutline(DC, {Path.TopLeft(), {Path.Right, Path.Top}, Path.BottomRight(), {Path.Left, Path.Bottom}});
    return 1;
}

BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom)
{
    return RoundFigure(DC, Left, Top, Right, Bottom, 0, 0, true);
}

BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int EllipseWidth, int EllipseHeight)
{
    return RoundFigure(DC, Left, Top, Right, Bottom, EllipseWidth, EllipseHeight, false);
}

COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color)
{
    if (!SetPixelV(DC, X, Y, Color))
        return COLORREF(CLR_INVALID);
    return QRgbToColorRef(DC->SurfaceColor(Color));
}

BOOL SetPixelV(HDC DC, int X, int Y, COLORREF Color)
{
    if (!IsValidDC(DC))
        return 0;
    const TPoint P = DC->ToImage({X, Y});
    if (!DC->ClipRegion().Contains(P.X, P.Y))
        return 0;
    DC->PenPixel(P.X, P.Y, DC->SurfaceColor(Color), R2_COPYPEN);
    return 1;
}

COLORREF GetPixel(HDC DC, int X, int Y)
{
    if (!IsValidDC(DC))
        return COLORREF(CLR_INVALID);
    const TPoint P = DC->ToImage({X, Y});
    const QImage* Img = DC->Image();
    if (Img == nullptr || !DC->ClipRegion().Contains(P.X, P.Y))
        return COLORREF(CLR_INVALID);
    return QRgbToColorRef(reinterpret_cast<const QRgb*>(Img->constScanLine(P.Y))[P.X]);
}
