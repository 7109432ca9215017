// Regions and the clip state of a device context.
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

TEST(Regions, CombineModes)
{
    HRGN A = CreateRectRgn(0, 0, 10, 10);
    HRGN B = CreateRectRgn(5, 5, 15, 15);
    HRGN R = CreateRectRgn(0, 0, 0, 0);

    EXPECT_EQ(CombineRgn(R, A, B, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(R, 0, 0));
    EXPECT_TRUE(PtInRegion(R, 14, 14));
    EXPECT_FALSE(PtInRegion(R, 12, 2));
    EXPECT_FALSE(PtInRegion(R, 15, 15)); // right and bottom edges outside
    TRect Box;
    EXPECT_EQ(GetRgnBox(R, &Box), COMPLEXREGION);
    EXPECT_EQ(Box, Rect(0, 0, 15, 15));

    EXPECT_EQ(CombineRgn(R, A, B, RGN_AND), SIMPLEREGION);
    GetRgnBox(R, &Box);
    EXPECT_EQ(Box, Rect(5, 5, 10, 10));

    EXPECT_EQ(CombineRgn(R, A, B, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(R, 2, 7));
    EXPECT_FALSE(PtInRegion(R, 7, 7));

    EXPECT_EQ(CombineRgn(R, A, B, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(R, 7, 7));
    EXPECT_TRUE(PtInRegion(R, 12, 12));

    EXPECT_EQ(CombineRgn(R, A, A, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(R, B, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(R, B));
    EXPECT_EQ(CombineRgn(R, A, nullptr, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(R, A, B, 9), RGN_ERROR);

    // Union of two touching rectangles is one rectangle again.
    HRGN Left = CreateRectRgn(0, 0, 5, 5), Right = CreateRectRgn(5, 0, 9, 5);
    EXPECT_EQ(CombineRgn(R, Left, Right, RGN_OR), SIMPLEREGION);
    HRGN Whole = CreateRectRgn(0, 0, 9, 5);
    EXPECT_TRUE(EqualRgn(R, Whole));
    EXPECT_EQ(OffsetRgn(Whole, 3, -2), SIMPLEREGION);
    GetRgnBox(Whole, &Box);
    EXPECT_EQ(Box, Rect(3, -2, 12, 3));
    for (HRGN H : {A, B, R, Left, Right, Whole})
        DeleteObject(H);
}

TEST(Regions, PolygonRegionHitTestsUnderBothFillModes)
{
    const TPoint Star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    HRGN Alt = CreatePolygonRgn(Star, 5, ALTERNATE);
    HRGN Wind = CreatePolygonRgn(Star, 5, WINDING);
    EXPECT_FALSE(PtInRegion(Alt, 20, 20));
    EXPECT_TRUE(PtInRegion(Wind, 20, 20));
    for (HRGN H : {Alt, Wind}) {
        EXPECT_TRUE(PtInRegion(H, 20, 6));  // top point
        EXPECT_TRUE(PtInRegion(H, 8, 16));  // left point
        EXPECT_TRUE(PtInRegion(H, 28, 32)); // lower right point
        EXPECT_FALSE(PtInRegion(H, 20, 35));
        EXPECT_FALSE(PtInRegion(H, 2, 30));
    }
    // A triangle: left edge in, right edge out, bottom edge out.
    const TPoint Tri[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN T = CreatePolygonRgn(Tri, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(T, 0, 0));
    EXPECT_TRUE(PtInRegion(T, 9, 0));
    EXPECT_FALSE(PtInRegion(T, 10, 0));
    EXPECT_TRUE(PtInRegion(T, 0, 9));
    EXPECT_FALSE(PtInRegion(T, 0, 10));
    EXPECT_FALSE(PtInRegion(T, 5, 5)); // on the hypotenuse: outside
    EXPECT_TRUE(PtInRegion(T, 4, 5));
    TRect Box;
    GetRgnBox(T, &Box);
    EXPECT_EQ(Box, Rect(0, 0, 10, 10));
    EXPECT_EQ(CreatePolygonRgn(Tri, 3, 7), nullptr);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, WINDING), nullptr);
    for (HRGN H : {Alt, Wind, T})
        DeleteObject(H);
}

TEST(Clipping, SaveAndRestoreWithAMovedViewport)
{
    TTestSurface S(20, 20);
    HBRUSH Brush = CreateSolidBrush(Red);
    const int Saved = SaveDC(S.DC());
    EXPECT_EQ(Saved, 1);
    SetViewportOrgEx(S.DC(), 5, 5, nullptr);
    EXPECT_EQ(IntersectClipRect(S.DC(), 0, 0, 10, 10), SIMPLEREGION); // device 5..15
    EXPECT_EQ(ExcludeClipRect(S.DC(), 2, 2, 4, 4), COMPLEXREGION);     // device 7..9
    TRect Box;
    GetClipBox(S.DC(), &Box);
    EXPECT_EQ(Box, Rect(0, 0, 10, 10)); // logical coordinates
    const TRect Big = Rect(-5, -5, 30, 30);
    FillRect(S.DC(), &Big, Brush);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        const bool In = X >= 5 && X < 15 && Y >= 5 && Y < 15 && !(X >= 7 && X < 9 && Y >= 7 && Y < 9);
        Want = In ? Red : White;
        return true;
    }));
    EXPECT_TRUE(RestoreDC(S.DC(), -1));
    TPoint Org;
    GetViewportOrgEx(S.DC(), &Org);
    EXPECT_EQ(Org, Point(0, 0));
    GetClipBox(S.DC(), &Box);
    EXPECT_EQ(Box, Rect(0, 0, 20, 20));
    EXPECT_FALSE(RestoreDC(S.DC(), -1)); // nothing left to restore
    DeleteObject(Brush);
}

TEST(Clipping, NumberedRestoreDropsLaterStatesAndKeepsSelectedObjects)
{
    TTestSurface S(4, 4);
    HPEN Pen = CreatePen(PS_SOLID, 1, Red);
    EXPECT_EQ(SaveDC(S.DC()), 1);
    SelectObject(S.DC(), Pen);
    SetTextColor(S.DC(), Red);
    EXPECT_EQ(SaveDC(S.DC()), 2);
    SetTextColor(S.DC(), 0x00FF00);
    EXPECT_EQ(SaveDC(S.DC()), 3);
    EXPECT_TRUE(RestoreDC(S.DC(), 2));
    EXPECT_EQ(GetTextColor(S.DC()), Red);
    EXPECT_FALSE(RestoreDC(S.DC(), 2)); // state 2 was consumed
    EXPECT_EQ(GetCurrentObject(S.DC(), OBJ_PEN), Pen);
    EXPECT_TRUE(RestoreDC(S.DC(), 1));
    EXPECT_EQ(GetTextColor(S.DC()), 0u);
    EXPECT_NE(GetCurrentObject(S.DC(), OBJ_PEN), Pen);
    EXPECT_FALSE(RestoreDC(S.DC(), 0));
    DeleteObject(Pen);
}

TEST(Clipping, SelectClipRgnUsesDeviceCoordinatesAndCopiesTheRegion)
{
    TTestSurface S(12, 12);
    const TPoint Tri[] = {{0, 0}, {12, 0}, {0, 12}};
    HRGN Region = CreatePolygonRgn(Tri, 3, WINDING);
    SetViewportOrgEx(S.DC(), 2, 0, nullptr);
    EXPECT_EQ(SelectClipRgn(S.DC(), Region), COMPLEXREGION);
    DeleteObject(Region); // the context keeps its own copy
    HBRUSH Brush = CreateSolidBrush(Red);
    const TRect All = Rect(-2, 0, 10, 12);
    FillRect(S.DC(), &All, Brush);
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X + Y < 12 ? Red : White;
        return true;
    }));
    HRGN Copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(S.DC(), Copy), 1);
    EXPECT_TRUE(PtInRegion(Copy, 0, 11));
    EXPECT_EQ(SelectClipRgn(S.DC(), nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(S.DC(), Copy), 0);
    EXPECT_TRUE(PtVisible(S.DC(), 9, 11));
    EXPECT_FALSE(PtVisible(S.DC(), 10, 11)); // device x 12 is off the image
    DeleteObject(Copy);
    DeleteObject(Brush);
}

TEST(Clipping, FillAndFrameRegions)
{
    TTestSurface S(10, 10);
    HRGN R = CreateRectRgn(1, 1, 7, 5);
    HBRUSH Brush = CreateSolidBrush(Red);
    EXPECT_TRUE(FrameRgn(S.DC(), R, Brush, 1, 1));
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int X, int Y, COLORREF& Want) {
        const bool In = X >= 1 && X < 7 && Y >= 1 && Y < 5;
        const bool Border = In && (X == 1 || X == 6 || Y == 1 || Y == 4);
        Want = Border ? Red : White;
        return true;
    }));
    S.Fill(White);
    FillRgn(S.DC(), R, Brush);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(1, 1, 7, 5), Red));
    InvertRgn(S.DC(), R);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(1, 1, 7, 5), 0xFFFF00));
    DeleteObject(R);
    DeleteObject(Brush);
}
