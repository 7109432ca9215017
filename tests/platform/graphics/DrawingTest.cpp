// Fills, frames, lines and shapes: the classic raster rules, pixel by pixel.
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

namespace {

struct TSelectedPen {
    TSelectedPen(HDC DC, int Style, int Width, COLORREF Color) : DC(DC), Pen(CreatePen(Style, Width, Color))
    {
        Old = SelectObject(DC, Pen);
    }
    ~TSelectedPen()
    {
        SelectObject(DC, Old);
        DeleteObject(Pen);
    }
    HDC DC;
    HPEN Pen;
    HPEN Old;
};

struct TSelectedBrush {
    TSelectedBrush(HDC DC, HBRUSH Brush) : DC(DC), Brush(Brush) { Old = SelectObject(DC, Brush); }
    ~TSelectedBrush()
    {
        SelectObject(DC, Old);
        DeleteObject(Brush);
    }
    HDC DC;
    HBRUSH Brush;
    HBRUSH Old;
};

} // namespace

TEST(Fills, FillRectExcludesRightAndBottomEdges)
{
    TTestSurface S(20, 20);
    HBRUSH Brush = CreateSolidBrush(Red);
    const TRect R = Rect(2, 3, 12, 9);
    EXPECT_TRUE(FillRect(S.DC(), &R, Brush));
    EXPECT_TRUE(PixelsMatch(S.Image(), [&](int X, int Y, COLORREF& Want) {
        Want = PtInRect(R, {X, Y}) ? Red : White;
        return true;
    }));
    // An inverted rectangle paints nothing; a null brush fails.
    const TRect Inverted = Rect(12, 3, 2, 9);
    S.Fill(White);
    FillRect(S.DC(), &Inverted, Brush);
    EXPECT_EQ(CountColor(S.Image(), Red, Rect(0, 0, 20, 20)), 0);
    EXPECT_FALSE(FillRect(S.DC(), &R, nullptr));
    DeleteObject(Brush);
}

TEST(Fills, SystemColourIndexBrushAndFrameRect)
{
    TTestSurface S(10, 10);
    const TRect R = Rect(1, 1, 9, 9);
    FillRect(S.DC(), &R, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
    EXPECT_TRUE(RectHasColor(S.Image(), R, GetSysColor(COLOR_BTNFACE)));

    HBRUSH Brush = CreateSolidBrush(Blue);
    FrameRect(S.DC(), &R, Brush);
    EXPECT_TRUE(PixelsMatch(S.Image(), [&](int X, int Y, COLORREF& Want) {
        if (!PtInRect(R, {X, Y}))
            Want = White;
        else if (X == 1 || Y == 1 || X == 8 || Y == 8)
            Want = Blue;
        else
            Want = GetSysColor(COLOR_BTNFACE);
        return true;
    }));
    DeleteObject(Brush);
}

TEST(Fills, HatchAndPatternBrushesFollowTheBrushOrigin)
{
    TTestSurface S(16, 16);
    HBRUSH Hatch = CreateHatchBrush(HS_VERTICAL, Red);
    SetBkMode(S.DC(), TRANSPARENT);
    const TRect All = Rect(0, 0, 16, 16);
    FillRect(S.DC(), &All, Hatch);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int, COLORREF& Want) {
        Want = X % 8 == 4 ? Red : White;
        return true;
    }));
    // Opaque background mode paints the gaps in the background colour.
    SetBkMode(S.DC(), OPAQUE);
    SetBkColor(S.DC(), Blue);
    SetBrushOrgEx(S.DC(), 1, 0, nullptr);
    FillRect(S.DC(), &All, Hatch);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int, COLORREF& Want) {
        Want = X % 8 == 5 ? Red : Blue;
        return true;
    }));
    DeleteObject(Hatch);

    // A monochrome 2x2 checker: 0 bits in the text colour, 1 bits in the background colour.
    const unsigned char Bits[] = {0x40, 0, 0x80, 0}; // row 0: 0 1, row 1: 1 0
    HBITMAP Mono = CreateBitmap(2, 2, 1, 1, Bits);
    HBRUSH Pattern = CreatePatternBrush(Mono);
    DeleteObject(Mono); // the brush keeps its own copy
    SetBrushOrgEx(S.DC(), 0, 0, nullptr);
    SetTextColor(S.DC(), Red);
    SetBkColor(S.DC(), Blue);
    FillRect(S.DC(), &All, Pattern);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        Want = (X + Y) % 2 == 0 ? Red : Blue;
        return true;
    }));
    DeleteObject(Pattern);
}

TEST(Lines, LineToLeavesOutTheEndPixel)
{
    TTestSurface S(20, 20);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, Red);
    MoveToEx(S.DC(), 2, 5, nullptr);
    LineTo(S.DC(), 10, 5); // horizontal: x 2..9
    MoveToEx(S.DC(), 15, 2, nullptr);
    LineTo(S.DC(), 15, 8); // vertical: y 2..7
    MoveToEx(S.DC(), 10, 18, nullptr);
    LineTo(S.DC(), 4, 12); // diagonal up-left: (10,18) .. (5,13)
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        const bool H = Y == 5 && X >= 2 && X <= 9;
        const bool V = X == 15 && Y >= 2 && Y <= 7;
        const bool D = X - Y == -8 && X >= 5 && X <= 10;
        Want = H || V || D ? Red : White;
        return true;
    }));
    TPoint Pos;
    GetCurrentPositionEx(S.DC(), &Pos);
    EXPECT_EQ(Pos, Point(4, 12));
}

TEST(Lines, PolylineJoinsWithoutGapsAndXorDrawsEachPixelOnce)
{
    TTestSurface S(12, 12);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, White);
    SetROP2(S.DC(), R2_XORPEN);
    const TPoint Points[] = {{1, 1}, {8, 1}, {8, 6}, {1, 6}};
    Polyline(S.DC(), Points, 4);
    // White background xor white pen: every drawn pixel turns black once.
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        const bool Top = Y == 1 && X >= 1 && X <= 7;
        const bool Right = X == 8 && Y >= 1 && Y <= 5;
        const bool Bottom = Y == 6 && X >= 2 && X <= 8;
        Want = Top || Right || Bottom ? 0x000000 : White;
        return true;
    }));
    const TPoint Two[] = {{0, 10}, {3, 10}, {0, 11}, {2, 11}};
    const DWORD Counts[] = {2, 2};
    S.Fill(White);
    SetROP2(S.DC(), R2_COPYPEN);
    EXPECT_TRUE(PolyPolyline(S.DC(), Two, Counts, 2));
    EXPECT_EQ(CountColor(S.Image(), White, Rect(0, 0, 12, 12)), 144);
}

TEST(Lines, DottedPenSkipsOrPaintsTheGaps)
{
    TTestSurface S(20, 3);
    TSelectedPen Pen(S.DC(), PS_DOT, 1, Red);
    SetBkMode(S.DC(), TRANSPARENT);
    MoveToEx(S.DC(), 0, 1, nullptr);
    LineTo(S.DC(), 12, 1);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        Want = Y == 1 && X < 12 && (X / 3) % 2 == 0 ? Red : White;
        return true;
    }));
    SetBkMode(S.DC(), OPAQUE);
    SetBkColor(S.DC(), Blue);
    MoveToEx(S.DC(), 0, 1, nullptr);
    LineTo(S.DC(), 12, 1);
    EXPECT_TRUE(PixelIs(S.Image(), 3, 1, Blue));
    EXPECT_TRUE(PixelIs(S.Image(), 6, 1, Red));
}

TEST(Shapes, RectangleWithPenAndWithClearPen)
{
    TTestSurface S(20, 20);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, Red);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Blue));
    Rectangle(S.DC(), 2, 2, 10, 8);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        if (X < 2 || Y < 2 || X > 9 || Y > 7)
            Want = White;
        else if (X == 2 || X == 9 || Y == 2 || Y == 7)
            Want = Red;
        else
            Want = Blue;
        return true;
    }));
    S.Fill(White);
    SelectObject(S.DC(), static_cast<HPEN>(GetStockObject(NULL_PEN)));
    Rectangle(S.DC(), 2, 2, 10, 8);
    // Without a pen the fill is one pixel smaller on the right and bottom.
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X >= 2 && X <= 8 && Y >= 2 && Y <= 6 ? Blue : White;
        return true;
    }));
    SelectObject(S.DC(), Pen.Pen);
}

TEST(Shapes, WidePenRectangleStaysCentredAndInsideFrameStaysInside)
{
    TTestSurface S(20, 20);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Blue));
    {
        TSelectedPen Pen(S.DC(), PS_INSIDEFRAME, 3, Red);
        Rectangle(S.DC(), 2, 2, 12, 12);
    }
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        if (X < 2 || Y < 2 || X > 11 || Y > 11)
            Want = White;
        else if (X <= 4 || Y <= 4 || X >= 9 || Y >= 9)
            Want = Red;
        else
            Want = Blue;
        return true;
    }));
}

TEST(Shapes, PolygonFillModes)
{
    // A five-pointed star: its centre is outside under ALTERNATE and inside
    // under WINDING; the points are inside under both.
    const TPoint Star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    TTestSurface S(40, 40);
    TSelectedPen Pen(S.DC(), PS_NULL, 1, 0);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Red));
    SetPolyFillMode(S.DC(), ALTERNATE);
    Polygon(S.DC(), Star, 5);
    EXPECT_TRUE(PixelIs(S.Image(), 20, 20, White));
    EXPECT_TRUE(PixelIs(S.Image(), 20, 8, Red));
    EXPECT_TRUE(PixelIs(S.Image(), 6, 15, Red));
    S.Fill(White);
    SetPolyFillMode(S.DC(), WINDING);
    Polygon(S.DC(), Star, 5);
    EXPECT_TRUE(PixelIs(S.Image(), 20, 20, Red));
    EXPECT_TRUE(PixelIs(S.Image(), 20, 8, Red));
    EXPECT_TRUE(PixelIs(S.Image(), 1, 1, White));
}

TEST(Shapes, PolygonFillExcludesRightAndBottomAndThePenCloses)
{
    TTestSurface S(12, 12);
    const TPoint Square[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
    {
        TSelectedPen Pen(S.DC(), PS_NULL, 1, 0);
        TSelectedBrush Brush(S.DC(), CreateSolidBrush(Red));
        Polygon(S.DC(), Square, 4);
    }
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X >= 1 && X <= 5 && Y >= 1 && Y <= 5 ? Red : White;
        return true;
    }));
    S.Fill(White);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, Blue);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Red));
    Polygon(S.DC(), Square, 4);
    // The outline runs through the vertices, so it covers columns 1..6.
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        if (X < 1 || Y < 1 || X > 6 || Y > 6)
            Want = White;
        else if (X == 1 || Y == 1 || X == 6 || Y == 6)
            Want = Blue;
        else
            Want = Red;
        return true;
    }));
}

TEST(Shapes, EllipseStaysInsideItsBoxAndIsSymmetric)
{
    TTestSurface S(30, 30);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, Blue);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Red));
    Ellipse(S.DC(), 5, 5, 25, 19);
    const TRect Box = Rect(5, 5, 25, 19);
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Blue, Box));
    EXPECT_TRUE(ColorOnlyInside(S.Image(), Red, Box));
    EXPECT_EQ(BoundsOfColor(S.Image(), Blue), Box);
    EXPECT_TRUE(PixelIs(S.Image(), 15, 12, Red));
    EXPECT_TRUE(PixelIs(S.Image(), 5, 5, White)); // corners are outside
    for (int Y = 5; Y < 19; ++Y)
        for (int X = 5; X < 25; ++X)
            ASSERT_EQ(S.Pixel(X, Y), S.Pixel(29 - X, Y)) << X << "," << Y;
    S.Fill(White);
    RoundRect(S.DC(), 2, 2, 20, 12, 6, 6);
    EXPECT_EQ(BoundsOfColor(S.Image(), Blue), Rect(2, 2, 20, 12));
    EXPECT_TRUE(PixelIs(S.Image(), 2, 2, White));
    EXPECT_TRUE(PixelIs(S.Image(), 10, 2, Blue));
}

TEST(Pixels, SetAndGetPixelRespectTheClip)
{
    TTestSurface S(5, 5);
    EXPECT_EQ(SetPixel(S.DC(), 1, 1, Red), Red);
    EXPECT_EQ(GetPixel(S.DC(), 1, 1), Red);
    EXPECT_EQ(GetPixel(S.DC(), 5, 0), COLORREF(CLR_INVALID));
    EXPECT_EQ(SetPixel(S.DC(), -1, 0, Red), COLORREF(CLR_INVALID));
    IntersectClipRect(S.DC(), 0, 0, 1, 1);
    EXPECT_EQ(GetPixel(S.DC(), 1, 1), COLORREF(CLR_INVALID));
}

TEST(Objects, DeletingASelectedObjectIsDeferredAndStockObjectsStay)
{
    TTestSurface S(4, 4);
    HBRUSH Brush = CreateSolidBrush(Red);
    HBRUSH Old = SelectObject(S.DC(), Brush);
    EXPECT_TRUE(DeleteObject(Brush));
    // Still usable while selected: painting with it must not crash.
    Rectangle(S.DC(), 0, 0, 3, 3);
    EXPECT_TRUE(PixelIs(S.Image(), 1, 1, Red));
    SelectObject(S.DC(), Old); // now it really goes
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH)->Kind(), TGdiKind::Brush);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_FALSE(DeleteObject(nullptr));

    LOGBRUSH LB;
    EXPECT_TRUE(GetObject(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), LB));
    EXPECT_EQ(LB.lbColor, 0u);
    LOGPEN LP;
    EXPECT_EQ(GetObject(GetStockObject(NULL_PEN), int(sizeof(LP)), &LP), int(sizeof(LP)));
    EXPECT_EQ(LP.lopnStyle, unsigned(PS_NULL));
    EXPECT_EQ(GetObject(GetStockObject(NULL_PEN), 1, &LP), 0);
    BITMAP BM;
    EXPECT_TRUE(GetObject(S.Bitmap(), BM));
    EXPECT_EQ(BM.bmWidth, 4);
    EXPECT_EQ(BM.bmBitsPixel, 32);
}

TEST(Objects, HandlesOfDeletedObjectsAreRejected)
{
    // A handle outliving its object - the classic clean-up idiom run after
    // a deferred deletion, a region freed twice - fails like a bad handle.
    TTestSurface S(4, 4);
    HRGN Region = CreateRectRgn(0, 0, 2, 2);
    HBRUSH Brush = CreateSolidBrush(Red);
    HBRUSH Old = SelectObject(S.DC(), Brush);
    EXPECT_TRUE(DeleteObject(Brush));
    EXPECT_FALSE(DeleteObject(Brush)); // already on its way out
    EXPECT_EQ(SelectObject(S.DC(), Brush), nullptr);
    HBRUSH Back = SelectObject(S.DC(), Old); // the deletion completes here
    EXPECT_EQ(Back, Brush);
    EXPECT_FALSE(IsGdiObject(Back));
    EXPECT_FALSE(DeleteObject(Back));
    LOGBRUSH LB;
    EXPECT_FALSE(GetObject(Back, LB));
    EXPECT_EQ(GetObject(Back, int(sizeof(LB)), &LB), 0);
    const TRect All = Rect(0, 0, 4, 4);
    EXPECT_FALSE(FillRect(S.DC(), &All, Back));
    EXPECT_FALSE(FrameRect(S.DC(), &All, Back));
    EXPECT_TRUE(RectHasColor(S.Image(), All, White));
    EXPECT_EQ(SelectObject(S.DC(), Back), nullptr);
    EXPECT_EQ(GetCurrentObject(S.DC(), OBJ_BRUSH), Old);

    EXPECT_TRUE(DeleteObject(Region));
    EXPECT_FALSE(DeleteObject(Region));
    EXPECT_FALSE(PtInRegion(Region, 1, 1));
    EXPECT_EQ(SelectClipRgn(S.DC(), Region), RGN_ERROR);
    EXPECT_EQ(CombineRgn(Region, Region, nullptr, RGN_COPY), RGN_ERROR);
    EXPECT_EQ(OffsetRgn(Region, 1, 1), RGN_ERROR);
    EXPECT_FALSE(PaintRgn(S.DC(), Region));
    TRect Box;
    EXPECT_EQ(GetRgnBox(Region, &Box), RGN_ERROR);
}

TEST(Objects, BadHandlesFailWithoutCrashing)
{
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
    EXPECT_FALSE(Rectangle(nullptr, 0, 0, 1, 1));
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(RestoreDC(nullptr, -1));
    EXPECT_EQ(SelectObject(nullptr, GetStockObject(WHITE_PEN)), nullptr);
    EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 0);
    EXPECT_FALSE(DeleteDC(nullptr));
    HDC DC = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(DC, BITSPIXEL), 1); // the stock 1x1 monochrome bitmap
    EXPECT_TRUE(Rectangle(DC, -5, -5, 50, 50));
    EXPECT_FALSE(Polygon(DC, nullptr, 3));
    EXPECT_TRUE(DeleteDC(DC));
    EXPECT_FALSE(DeleteDC(DC)); // a second delete is refused, not a crash
    HDC Screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(Screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(Screen, NUMCOLORS), -1);
    EXPECT_EQ(GetDeviceCaps(Screen, LOGPIXELSY), 96);
    // Every screen context starts fresh: what one caller selected or set
    // does not leak into the next.
    SetTextColor(Screen, 0x123456);
    EXPECT_TRUE(ReleaseDC(nullptr, Screen));
    HDC Again = GetDC(nullptr);
    EXPECT_EQ(GetTextColor(Again), 0u);
    EXPECT_TRUE(ReleaseDC(nullptr, Again));
    EXPECT_FALSE(ReleaseDC(nullptr, Again)); // released twice: refused
}

TEST(Robustness, AbsurdCoordinatesDrawOnlyWhatIsVisible)
{
    const int Big = 2000000000;
    TTestSurface S(16, 8);
    TSelectedPen Pen(S.DC(), PS_SOLID, 1, Red);
    TSelectedBrush Brush(S.DC(), CreateSolidBrush(Blue));
    // A line across the whole coordinate range paints exactly its row.
    MoveToEx(S.DC(), -Big, 3, nullptr);
    LineTo(S.DC(), Big, 3);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 3, 16, 4), Red));
    EXPECT_EQ(CountColor(S.Image(), Red, Rect(0, 0, 16, 8)), 16);
    // Huge fills, shapes and blits finish and cover the image.
    const TRect All = Rect(-Big, -Big, Big, Big);
    FillRect(S.DC(), &All, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 16, 8), GetSysColor(COLOR_BTNFACE)));
    Rectangle(S.DC(), -Big, -Big, Big, Big);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 16, 8), Blue));
    Ellipse(S.DC(), -Big, -Big, Big, Big);
    const TPoint Tri[] = {{-Big, -Big}, {Big, -Big}, {-Big, Big}};
    Polygon(S.DC(), Tri, 3);
    EXPECT_TRUE(PatBlt(S.DC(), -Big, -Big, Big, Big, DSTINVERT));
    TTestSurface Src(2, 2, Red);
    EXPECT_TRUE(StretchBlt(S.DC(), Big, Big, -Big, -Big, Src.DC(), 0, 0, 2, 2, SRCCOPY));
    TRect Edge = All;
    DrawEdge(S.DC(), &Edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    DrawFocusRect(S.DC(), &All);
    HPEN Wide = CreatePen(PS_SOLID, 5, Red);
    HPEN Old = SelectObject(S.DC(), Wide);
    MoveToEx(S.DC(), -Big, -Big, nullptr);
    LineTo(S.DC(), Big, Big);
    SelectObject(S.DC(), Old);
    DeleteObject(Wide);
    HRGN Huge = CreatePolygonRgn(Tri, 3, WINDING);
    EXPECT_TRUE(PtInRegion(Huge, -10, -10));
    EXPECT_FALSE(PtInRegion(Huge, 10, 10));
    DeleteObject(Huge);
}
