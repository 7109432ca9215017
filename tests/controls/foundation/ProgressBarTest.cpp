// LED, plain and gradient progress bars.
#include "controls/foundation/FcProgressBars.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF Back = ColorToRGB(clNavy), Bar = ColorToRGB(clYellow);

QImage PaintLed(int W, int H, TOrientation O, int Percent, int Segments, bool Transparent = false)
{
    return PaintToImage(W, H, [&](TCanvas& C) {
        PaintLedBar(&C, Rect(0, 0, W, H), O, Transparent, false, Percent, Segments, clNavy, clYellow);
    }, TestBackground);
}

// Where segment pixels of a horizontal bar lie: Margin, then Count
// segments of Size with a one-pixel outline; the first Lit ones are lit.
bool LedPixel(int X, int Y, int H, int Margin, int Size, int Count, int Lit, bool Transparent, COLORREF& Want)
{
    const int Offset = X - Margin;
    if (Offset < 0 || Offset >= Count * Size) {
        Want = Transparent ? TestBackground : Back;
        return true;
    }
    const int I = Offset / Size, In = Offset % Size;
    const bool Interior = In > 0 && In < Size - 1 && Y > 0 && Y < H - 1;
    if (Interior)
        Want = I < Lit ? Bar : (Transparent ? TestBackground : Back);
    else
        Want = Transparent ? TestBackground : Back;
    return true;
}

} // namespace

TEST(LedBar, SegmentsGapsAndMargins)
{
    const struct {
        int Width, Segments, Percent;
        int Size, Count, Margin, Lit;
    } Cases[] = {
        // 80 pixels or less: at most 10 segments.
        {60, 20, 50, 6, 10, 0, 5},
        {100, 12, 25, 8, 12, 2, 3},
        // Room left over for whole segments adds them.
        {90, 20, 100, 4, 22, 1, 22},
        {90, 20, 150, 4, 22, 1, 22},
        {64, 10, 0, 6, 10, 2, 0},
        {64, 10, 99, 6, 10, 2, 9},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Width << " pixels, " << C.Segments << " segments, " << C.Percent << "%");
        for (bool Transparent : {false, true}) {
            const QImage I = PaintLed(C.Width, 8, orHorizontal, C.Percent, C.Segments, Transparent);
            EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
                return LedPixel(X, Y, 8, C.Margin, C.Size, C.Count, C.Lit, Transparent, Want);
            }));
        }
    }
}

TEST(LedBar, VerticalBarsFillFromTheBottom)
{
    const QImage Across = PaintLed(60, 8, orHorizontal, 30, 20);
    const QImage Up = PaintLed(8, 60, orVertical, 30, 20);
    EXPECT_TRUE(PixelsMatch(Up, [&](int X, int Y, COLORREF& Want) {
        Want = ImagePixel(Across, 59 - Y, X);
        return true;
    }));
}

TEST(LedBar, TooNarrowForASegmentPaintsOnlyTheBackground)
{
    // 5 pixels for 10 segments: no division by zero, just the background.
    for (int Segments : {10, 40, 0, -3}) {
        EXPECT_TRUE(RectHasColor(PaintLed(5, 8, orHorizontal, 60, Segments), Rect(0, 0, 5, 8), Back)) << Segments;
        EXPECT_TRUE(RectHasColor(PaintLed(5, 8, orHorizontal, 60, Segments, true), Rect(0, 0, 5, 8), TestBackground));
    }
    EXPECT_TRUE(RectHasColor(PaintLed(8, 0, orVertical, 60, 10), Rect(0, 0, 0, 0), Back));
}

TEST(LedBar, ThemedChunksWhenThemesAreOn)
{
    TColorStateGuard Guard(true);
    std::vector<std::pair<TRect, bool>> Drawn;
    FcThemeBridge().DrawProgressChunks = [&](TCanvas* C, const TRect& R, bool Vertical) {
        Drawn.push_back({R, Vertical});
        C->Brush()->SetColor(clRed);
        C->FillRect(Rect(R.Left, R.Top, R.Right, R.Top + 1)); // marks the top of the chunks
    };
    const QImage Across = PaintToImage(42, 10, [](TCanvas& C) {
        PaintLedBar(&C, Rect(0, 0, 42, 10), orHorizontal, false, true, 50, 10, clNavy, clYellow);
    }, TestBackground);
    ASSERT_EQ(Drawn.size(), 1u);
    EXPECT_EQ(Drawn[0].first, Rect(1, 1, 21, 9));
    // Vertical chunks are drawn from the top of a bitmap, then turned over.
    const QImage Up = PaintToImage(10, 42, [](TCanvas& C) {
        PaintLedBar(&C, Rect(0, 0, 10, 42), orVertical, false, true, 50, 10, clNavy, clYellow);
    }, TestBackground);
    ASSERT_EQ(Drawn.size(), 2u);
    EXPECT_EQ(Drawn[1], std::make_pair(Rect(0, 0, 8, 20), true));
    EXPECT_TRUE(RectHasColor(Up, Rect(1, 40, 9, 41), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(Up, Rect(0, 0, 10, 21), TestBackground));
}

TEST(TraditionalBar, TheBarPartAndTheRest)
{
    const auto PaintBar = [](TOrientation O, int Percent, bool Transparent, bool ShowPercent) {
        return PaintToImage(100, 20, [&](TCanvas& C) {
            PaintTraditionalBar(&C, O == orHorizontal ? Rect(0, 0, 100, 20) : Rect(0, 0, 20, 100), O, Transparent,
                                ShowPercent, Percent, clYellow, clNavy);
        }, TestBackground);
    };
    QImage I = PaintBar(orHorizontal, 50, false, false);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 50, 20), Bar));
    EXPECT_TRUE(RectHasColor(I, Rect(50, 0, 100, 20), Back));
    I = PaintBar(orHorizontal, 33, true, false);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 33, 20), Bar));
    EXPECT_TRUE(RectHasColor(I, Rect(33, 0, 100, 20), TestBackground));
    I = PaintBar(orHorizontal, 250, false, false);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 100, 20), Bar));
    I = PaintBar(orHorizontal, -5, false, false);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 100, 20), Back));
}

TEST(TraditionalBar, ThePercentageInTheOppositeColours)
{
    // At 0 % there is no bar part: "0%" in the bar colour on the background.
    QImage I = PaintToImage(100, 20, [](TCanvas& C) {
        PaintTraditionalBar(&C, Rect(0, 0, 100, 20), orHorizontal, false, true, 0, clYellow, clNavy);
    }, TestBackground);
    EXPECT_EQ(CountColor(I, Back, Rect(0, 0, 100, 20)) + CountColor(I, Bar, Rect(0, 0, 100, 20)), 2000);
    const TRect Text = BoundsOfColor(I, Bar);
    EXPECT_GT(Text.Width(), 4);
    EXPECT_LE(std::abs((Text.Left + Text.Right) / 2 - 50), 2);
    EXPECT_LE(std::abs((Text.Top + Text.Bottom) / 2 - 10), 3);
    // At 50 % the text's left half is over the bar, in the background colour.
    I = PaintToImage(100, 20, [](TCanvas& C) {
        PaintTraditionalBar(&C, Rect(0, 0, 100, 20), orHorizontal, false, true, 50, clYellow, clNavy);
    }, TestBackground);
    EXPECT_GT(CountColor(I, Back, Rect(0, 0, 50, 20)), 0);
    EXPECT_GT(CountColor(I, Bar, Rect(50, 0, 100, 20)), 0);
    EXPECT_EQ(CountColor(I, Back, Rect(0, 0, 50, 20)) + CountColor(I, Bar, Rect(0, 0, 50, 20)), 1000);
}

TEST(GradientBar, GradientPartsAndTransparentText)
{
    QImage I = PaintToImage(100, 20, [](TCanvas& C) {
        PaintGradientBar(&C, Rect(0, 0, 100, 20), orHorizontal, false, false, 40, gdVerticalEnd, clNavy, clBlue,
                         clYellow, clRed);
    }, TestBackground);
    // Each part is a gradient of its own that ends exactly in its stop colour.
    EXPECT_TRUE(PixelIs(I, 39, 10, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 99, 10, ColorToRGB(clBlue)));
    EXPECT_EQ(CountColor(I, TestBackground, Rect(0, 0, 100, 20)), 0);
    I = PaintToImage(100, 20, [](TCanvas& C) {
        PaintGradientBar(&C, Rect(0, 0, 100, 20), orHorizontal, true, true, 40, gdVerticalEnd, clNavy, clBlue,
                         clYellow, clRed);
    }, TestBackground);
    // The rest is left alone, apart from the text in the bar colour.
    EXPECT_EQ(CountColor(I, TestBackground, Rect(40, 0, 100, 20)) + CountColor(I, Bar, Rect(40, 0, 100, 20)), 1200);
    EXPECT_GT(CountColor(I, Bar, Rect(40, 0, 100, 20)), 0);
}

TEST(ProgressBars, TheCanvasStateComesBack)
{
    const QImage I = PaintToImage(30, 10, [](TCanvas& C) {
        C.Brush()->SetColor(clRed);
        C.Font()->SetColor(clLime);
        PaintTraditionalBar(&C, Rect(0, 0, 30, 10), orHorizontal, true, true, 50, clYellow, clNavy);
        PaintLedBar(&C, Rect(0, 0, 30, 10), orHorizontal, false, false, 50, 5, clNavy, clYellow);
        EXPECT_EQ(C.Brush()->Color(), clRed);
        EXPECT_EQ(C.Brush()->Style(), bsSolid);
        EXPECT_EQ(C.Font()->Color(), clLime);
        EXPECT_EQ(C.Pen()->Style(), psSolid);
        EXPECT_EQ(GetTextAlign(C.Handle()), unsigned(TA_LEFT | TA_TOP));
    });
    (void)I;
}
