// FillGradientRect: coverage, the colours of each direction's band walk,
// and the odd rectangles callers pass.
#include "controls/foundation/FcGrafx.h"
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Green never occurs in the gradients below, so it shows what was not painted.
constexpr COLORREF Green = 0x00FF00;
constexpr TColor DarkRed = TColor(0x0000C8), DarkBlue = TColor(0xC80000);

QImage PaintGradient(int Width, int Height, const TRect& R, TGradientDirection D, TColor Start, TColor Stop,
                     std::uint8_t Steps = 1)
{
    return PaintToImage(Width, Height, [&](TCanvas& C) { FillGradientRect(&C, R, D, Start, Stop, Steps); }, Green);
}

QImage PaintGradient(int Width, int Height, TGradientDirection D, TColor Start, TColor Stop,
                     std::uint8_t Steps = 1)
{
    return PaintGradient(Width, Height, Rect(0, 0, Width, Height), D, Start, Stop, Steps);
}

int Grey(COLORREF C)
{
    return GetRValue(C);
}

// The largest channel difference of two colours.
int Distance(COLORREF A, COLORREF B)
{
    return std::max({std::abs(GetRValue(A) - GetRValue(B)), std::abs(GetGValue(A) - GetGValue(B)),
                     std::abs(GetBValue(A) - GetBValue(B))});
}

// No pixel of the image comes nearer to Color than the one at P.
::testing::AssertionResult NearestTo(const QImage& I, TPoint P, COLORREF Color)
{
    const int Best = Distance(ImagePixel(I, P.X, P.Y), Color);
    for (int Y = 0; Y < I.height(); ++Y)
        for (int X = 0; X < I.width(); ++X)
            if (Distance(ImagePixel(I, X, Y), Color) < Best)
                return ::testing::AssertionFailure() << "(" << X << ", " << Y << ") is nearer than (" << P.X << ", "
                                                     << P.Y << ")";
    return ::testing::AssertionSuccess();
}

const TGradientDirection AllDirections[] = {gdDiagonalUp,      gdDiagonalDown,   gdHorizontalEnd, gdHorizontalCenter,
                                            gdHorizontalBox,   gdVerticalEnd,    gdVerticalCenter, gdVerticalBox,
                                            gdSquareBox,       gdBigSquareBox};
const TGradientDirection BoxDirections[] = {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox};

} // namespace

TEST(Gradients, OneColourFillsEveryPixelInEveryDirection)
{
    // The diagonals included: a pen-less Rectangle would leave the last
    // row and column out.
    const TSize Sizes[] = {{1, 1}, {3, 2}, {7, 5}, {40, 30}};
    for (TGradientDirection D : AllDirections)
        for (TSize S : Sizes) {
            SCOPED_TRACE(testing::Message() << "direction " << D << ", " << S.cx << " x " << S.cy);
            const TRect R = Bounds(2, 3, S.cx, S.cy);
            const QImage I = PaintGradient(50, 40, R, D, DarkRed, DarkRed);
            EXPECT_TRUE(RectHasColor(I, R, ColorToRGB(DarkRed)));
            EXPECT_EQ(CountColor(I, Green, Rect(0, 0, 50, 40)), 50 * 40 - S.cx * S.cy);
        }
}

TEST(Gradients, EveryDirectionPaintsEveryPixelAndNothingElse)
{
    const TSize Sizes[] = {{1, 1}, {2, 1}, {1, 9}, {3, 3}, {4, 4}, {5, 5}, {9, 4}, {8, 17}, {17, 11}, {100, 70}};
    for (TGradientDirection D : AllDirections)
        for (TSize S : Sizes) {
            SCOPED_TRACE(testing::Message() << "direction " << D << ", " << S.cx << " x " << S.cy);
            const TRect R = Bounds(5, 3, S.cx, S.cy);
            const QImage I = PaintGradient(110, 80, R, D, DarkRed, DarkBlue);
            EXPECT_EQ(CountColor(I, Green, R), 0);
            EXPECT_EQ(CountColor(I, Green, Rect(0, 0, 110, 80)), 110 * 80 - S.cx * S.cy);
        }
}

TEST(Gradients, EmptyRectanglesDrawNothing)
{
    for (TGradientDirection D : AllDirections)
        for (const TRect& R : {Rect(5, 5, 5, 20), Rect(5, 5, 20, 5), Rect(0, 0, 0, 0)}) {
            const QImage I = PaintGradient(30, 30, R, D, DarkRed, DarkBlue);
            EXPECT_EQ(CountColor(I, Green, Rect(0, 0, 30, 30)), 30 * 30) << D;
        }
}

TEST(Gradients, ReversedEdgesDrawTheirExtentFromLeftAndTop)
{
    // Right < Left (and Bottom < Top) still paints |Right - Left| pixels,
    // starting at Left.
    const QImage I = PaintGradient(40, 30, Rect(20, 15, 10, 5), gdVerticalEnd, DarkRed, DarkBlue);
    EXPECT_TRUE(ColorOnlyInside(I, ColorToRGB(DarkBlue), Rect(29, 15, 30, 25)));
    EXPECT_EQ(CountColor(I, Green, Rect(20, 15, 30, 25)), 0);
    EXPECT_EQ(CountColor(I, Green, Rect(0, 0, 40, 30)), 40 * 30 - 100);
}

TEST(Gradients, HorizontalEndLastRowFollowsTheBandWalkNotStartColor)
{
    // The walk starts at the bottom row in StopColor and takes H - 1 steps
    // of (Start - Stop) / H, so the top row ends one step short of
    // StartColor: 19 * 12.75 = 242 for white over black on 20 rows.
    const QImage I = PaintGradient(100, 20, gdHorizontalEnd, clWhite, clBlack);
    const struct {
        int Row;
        int Value;
    } Rows[] = {{19, 0}, {18, 12}, {10, 114}, {1, 229}, {0, 242}};
    for (const auto& R : Rows)
        EXPECT_TRUE(RectHasColor(I, Rect(0, R.Row, 100, R.Row + 1), RGB(R.Value, R.Value, R.Value))) << R.Row;
    for (int Y = 1; Y < 20; ++Y)
        EXPECT_GT(Grey(ImagePixel(I, 50, Y - 1)), Grey(ImagePixel(I, 50, Y)));
}

TEST(Gradients, VerticalEndIsTheHorizontalOneTurned)
{
    const QImage Across = PaintGradient(100, 20, gdHorizontalEnd, DarkRed, DarkBlue);
    const QImage Down = PaintGradient(20, 100, gdVerticalEnd, DarkRed, DarkBlue);
    EXPECT_TRUE(PixelsMatch(Down, [&](int X, int Y, COLORREF& Want) {
        Want = ImagePixel(Across, Y, X);
        return true;
    }));
    EXPECT_TRUE(PixelIs(Down, 19, 0, ColorToRGB(DarkBlue)));
}

TEST(Gradients, CentreGradientsPeakAtTheMiddleRow)
{
    // 21 rows: the middle row 10 and the bottom row are exact, the top row
    // one step short of StartColor.
    const QImage I = PaintGradient(12, 21, gdHorizontalCenter, clWhite, clBlack);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 10, 12, 11), 0x000000));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 20, 12, 21), 0xFFFFFF));
    // Pass 1: 11 steps of 255/11 from black at row 10; 10 of them reach row 0.
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 12, 1), RGB(231, 231, 231)));
    for (int Y = 1; Y <= 10; ++Y)
        EXPECT_GT(Grey(ImagePixel(I, 0, Y - 1)), Grey(ImagePixel(I, 0, Y)));
    for (int Y = 11; Y <= 20; ++Y)
        EXPECT_LT(Grey(ImagePixel(I, 0, Y - 1)), Grey(ImagePixel(I, 0, Y)));

    const QImage V = PaintGradient(21, 12, gdVerticalCenter, clWhite, clBlack);
    EXPECT_TRUE(PixelsMatch(V, [&](int X, int Y, COLORREF& Want) {
        Want = ImagePixel(I, Y, X);
        return true;
    }));
}

TEST(Gradients, BoxGradientsRunFromStopInTheMiddleToStartInTheCorners)
{
    for (TGradientDirection D : BoxDirections)
        for (TSize S : {TSize{40, 30}, TSize{41, 31}, TSize{24, 9}}) {
            SCOPED_TRACE(testing::Message() << "direction " << D << ", " << S.cx << " x " << S.cy);
            const int W = S.cx, H = S.cy;
            const QImage I = PaintGradient(W, H, D, DarkRed, DarkBlue);
            EXPECT_TRUE(PixelIs(I, (W - 1) / 2, (H - 1) / 2, ColorToRGB(DarkBlue)));
            // The walk's last band, which began a step or two before
            // StartColor, holds the corners: nowhere is nearer to it.
            EXPECT_TRUE(NearestTo(I, {0, 0}, ColorToRGB(DarkRed)));
            for (TPoint Corner : {TPoint{W - 1, 0}, TPoint{0, H - 1}, TPoint{W - 1, H - 1}})
                EXPECT_EQ(ImagePixel(I, Corner.X, Corner.Y), ImagePixel(I, 0, 0)) << Corner.X << ", " << Corner.Y;
            // The left column is mirrored top to bottom.
            for (int Y = 0; Y < H / 2; ++Y)
                EXPECT_EQ(ImagePixel(I, 0, Y), ImagePixel(I, 0, H - 1 - Y)) << Y;
            // With an even half width the right half mirrors the left one.
            if ((W / 2) % 2 == 0) {
                EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
                    Want = ImagePixel(I, W - 1 - X, Y);
                    return true;
                }));
            }
        }
}

TEST(Gradients, BigSquareBoxHasASolidCore)
{
    // The walk starts a quarter of the size away from the middle; the first
    // band reaches into the middle, so the core is one block of StopColor.
    const QImage I = PaintGradient(40, 32, gdBigSquareBox, DarkRed, DarkBlue);
    EXPECT_TRUE(RectHasColor(I, Rect(10, 8, 30, 24), ColorToRGB(DarkBlue)));
    EXPECT_NE(ImagePixel(I, 8, 16), ColorToRGB(DarkBlue));
}

TEST(Gradients, SmallBoxesAreOneSolidStartColour)
{
    for (TGradientDirection D : BoxDirections)
        for (TSize S : {TSize{20, 4}, TSize{4, 20}, TSize{1, 1}}) {
            const QImage I = PaintGradient(S.cx, S.cy, D, DarkRed, DarkBlue);
            EXPECT_TRUE(RectHasColor(I, Rect(0, 0, S.cx, S.cy), ColorToRGB(DarkRed))) << D;
        }
}

TEST(Gradients, DiagonalsStartAndStopInOppositeCorners)
{
    const int W = 60, H = 40;
    const QImage Up = PaintGradient(W, H, gdDiagonalUp, DarkRed, DarkBlue);
    EXPECT_TRUE(PixelIs(Up, 0, H - 1, ColorToRGB(DarkRed)));
    EXPECT_TRUE(NearestTo(Up, {W - 1, 0}, ColorToRGB(DarkBlue)));
    const QImage Down = PaintGradient(W, H, gdDiagonalDown, DarkRed, DarkBlue);
    EXPECT_TRUE(PixelIs(Down, W - 1, H - 1, ColorToRGB(DarkBlue)));
    EXPECT_TRUE(NearestTo(Down, {0, 0}, ColorToRGB(DarkRed)));
    // Along the sweep the red part only falls.
    for (int X = 1; X < W; ++X) {
        const int Y = (H - 1) - X * (H - 1) / (W - 1);
        EXPECT_GE(GetRValue(ImagePixel(Up, X - 1, (H - 1) - (X - 1) * (H - 1) / (W - 1))),
                  GetRValue(ImagePixel(Up, X, Y)));
        EXPECT_GE(GetRValue(ImagePixel(Down, X - 1, (X - 1) * (H - 1) / (W - 1))),
                  GetRValue(ImagePixel(Down, X, X * (H - 1) / (W - 1))));
    }
}

TEST(Gradients, StepsMergeRowsIntoWiderBands)
{
    // Steps up to 8 is the least run of a band; above, 255 div Steps + 1.
    const struct {
        std::uint8_t Steps;
        int MinRun;
    } Cases[] = {{1, 1}, {4, 4}, {8, 8}, {16, 16}, {200, 2}};
    for (const auto& C : Cases) {
        const QImage I = PaintGradient(4, 128, gdHorizontalEnd, clWhite, clBlack, C.Steps);
        // Bands are counted from the bottom, where the walk starts; the
        // top band may be cut short.
        int Run = 1, Bands = 1;
        for (int Y = 126; Y >= 0; --Y) {
            if (ImagePixel(I, 0, Y) == ImagePixel(I, 0, Y + 1)) {
                ++Run;
                continue;
            }
            EXPECT_GE(Run, C.MinRun) << "steps " << int(C.Steps) << ", row " << Y + 1;
            Run = 1;
            ++Bands;
        }
        EXPECT_GT(Bands, 1) << int(C.Steps);
    }
}

TEST(Gradients, SystemColoursAreResolved)
{
    const QImage I = PaintGradient(20, 10, gdVerticalCenter, clBtnFace, clBtnFace);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 20, 10), GetSysColor(COLOR_BTNFACE)));
    const QImage J = PaintGradient(20, 10, gdVerticalEnd, clWindow, clHighlight);
    EXPECT_TRUE(PixelIs(J, 19, 5, GetSysColor(COLOR_HIGHLIGHT)));
}
