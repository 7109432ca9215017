// DrawEdge rings, focus rectangles and frame-control faces.
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

namespace {

// Expected colour of a two-ring edge on the full rectangle R.
bool EdgePixel(const TRect& R, int X, int Y, int OuterUL, int OuterLR, int InnerUL, int InnerLR, COLORREF& Want)
{
    if (!PtInRect(R, {X, Y}))
        return false;
    for (int Ring = 0; Ring < 2; ++Ring) {
        const TRect Q = Rect(R.Left + Ring, R.Top + Ring, R.Right - Ring, R.Bottom - Ring);
        const bool OnLR = X == Q.Right - 1 || Y == Q.Bottom - 1;
        const bool OnUL = X == Q.Left || Y == Q.Top;
        if (OnLR) {
            Want = GetSysColor(Ring == 0 ? OuterLR : InnerLR);
            return true;
        }
        if (OnUL) {
            Want = GetSysColor(Ring == 0 ? OuterUL : InnerUL);
            return true;
        }
    }
    return false;
}

} // namespace

TEST(Edges, RaisedAndSunkenRings)
{
    TTestSurface S(12, 10);
    const TRect R = Rect(1, 1, 11, 9);
    TRect Work = R;
    EXPECT_TRUE(DrawEdge(S.DC(), &Work, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(Work, Rect(3, 3, 9, 7));
    EXPECT_TRUE(PixelsMatch(S.Image(), [&](int X, int Y, COLORREF& Want) {
        return EdgePixel(R, X, Y, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, Want);
    }));
    // The two off-diagonal corners belong to the lower-right colour.
    EXPECT_EQ(S.Pixel(10, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(S.Pixel(1, 8), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(S.Pixel(1, 1), GetSysColor(COLOR_3DLIGHT));

    S.Fill(White);
    Work = R;
    DrawEdge(S.DC(), &Work, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(Work, R); // no BF_ADJUST
    EXPECT_TRUE(PixelsMatch(S.Image(), [&](int X, int Y, COLORREF& Want) {
        if (EdgePixel(R, X, Y, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, Want))
            return true;
        Want = PtInRect(Rect(3, 3, 9, 7), {X, Y}) ? GetSysColor(COLOR_BTNFACE) : White;
        return true;
    }));
}

TEST(Edges, SingleSidesAndSingleRings)
{
    TTestSurface S(10, 10);
    TRect R = Rect(0, 0, 10, 10);
    DrawEdge(S.DC(), &R, BDR_SUNKENOUTER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(R, Rect(0, 0, 10, 9));
    EXPECT_TRUE(PixelsMatch(S.Image(), [](int, int Y, COLORREF& Want) {
        Want = Y == 9 ? GetSysColor(COLOR_BTNHIGHLIGHT) : White;
        return true;
    }));
    S.Fill(0);
    R = Rect(0, 0, 10, 10);
    DrawEdge(S.DC(), &R, EDGE_ETCHED, BF_LEFT | BF_TOP | BF_ADJUST);
    EXPECT_EQ(R, Rect(2, 2, 10, 10));
    EXPECT_EQ(S.Pixel(0, 5), GetSysColor(COLOR_BTNSHADOW));    // sunken outer
    EXPECT_EQ(S.Pixel(1, 5), GetSysColor(COLOR_BTNHIGHLIGHT)); // raised inner
    EXPECT_EQ(S.Pixel(9, 9), 0u);
    // Flat and mono borders.
    R = Rect(0, 0, 10, 10);
    DrawEdge(S.DC(), &R, EDGE_RAISED, BF_RECT | BF_FLAT);
    EXPECT_EQ(S.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(S.Pixel(9, 9), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(S.Pixel(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(DrawEdge(S.DC(), nullptr, EDGE_RAISED, BF_RECT));
}

TEST(Edges, FocusRectangleDotsAndDrawingTwiceRestores)
{
    TTestSurface S(10, 8);
    const TRect R = Rect(1, 1, 9, 7);
    DrawFocusRect(S.DC(), &R);
    EXPECT_TRUE(PixelsMatch(S.Image(), [&](int X, int Y, COLORREF& Want) {
        const bool Outline = PtInRect(R, {X, Y}) && (X == 1 || X == 8 || Y == 1 || Y == 6);
        Want = Outline && (X + Y) % 2 == 0 ? 0x000000 : White;
        return true;
    }));
    DrawFocusRect(S.DC(), &R);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 10, 8), White));
}

TEST(FrameControls, CheckBoxFace)
{
    TTestSurface S(13, 13);
    TRect R = Rect(0, 0, 13, 13);
    EXPECT_TRUE(DrawFrameControl(S.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(S.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(S.Pixel(12, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(S.Pixel(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(S.Pixel(2, 2), GetSysColor(COLOR_WINDOW));
    // The 7x7 tick sits in the middle of the 9x9 well (2..10).
    EXPECT_EQ(CountColor(S.Image(), GetSysColor(COLOR_WINDOWTEXT), Rect(3, 3, 10, 10)), 21);
    EXPECT_EQ(S.Pixel(3, 5), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(S.Pixel(9, 3), GetSysColor(COLOR_WINDOWTEXT));
    // Unchecked and inactive: no tick, a button-face well.
    DrawFrameControl(S.DC(), &R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(2, 2, 11, 11), GetSysColor(COLOR_BTNFACE)));
}

TEST(FrameControls, ScrollArrowFaces)
{
    TTestSurface S(16, 16);
    TRect R = Rect(0, 0, 16, 16);
    DrawFrameControl(S.DC(), &R, DFC_SCROLL, DFCS_SCROLLDOWN);
    const COLORREF Arrow = GetSysColor(COLOR_BTNTEXT);
    const TRect B = BoundsOfColor(S.Image(), Arrow);
    ASSERT_FALSE(IsRectEmpty(B));
    // A downward triangle: widest row on top, one pixel at the tip.
    EXPECT_EQ(B.Width(), 2 * B.Height() - 1);
    EXPECT_EQ(CountColor(S.Image(), Arrow, Rect(0, B.Bottom - 1, 16, B.Bottom)), 1);
    EXPECT_EQ(CountColor(S.Image(), Arrow, Rect(0, B.Top, 16, B.Top + 1)), B.Width());
    EXPECT_EQ(S.Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(S.Pixel(15, 15), GetSysColor(COLOR_3DDKSHADOW));
    // Pressed: a flat frame and the arrow one pixel further down and right.
    DrawFrameControl(S.DC(), &R, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    const TRect P = BoundsOfColor(S.Image(), Arrow);
    EXPECT_EQ(P.Left, B.Left + 1);
    EXPECT_EQ(P.Top, B.Top + 1);
    EXPECT_EQ(S.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    // Inactive: no text-coloured pixels at all.
    DrawFrameControl(S.DC(), &R, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    EXPECT_EQ(CountColor(S.Image(), Arrow, R), 0);
}

TEST(FrameControls, ArrowsOfA17PixelButtonFitTheGlyphWindowsToolButtonsCopy)
{
    // The part of a 17 x 17 face that a tool button copies as its glyph,
    // per direction: the arrow, pressed or not, lies wholly inside it.
    struct TCase {
        unsigned Kind;
        TRect Window;
    };
    const TCase Cases[] = {
        {DFCS_SCROLLLEFT, Bounds(4, 4, 9, 9)},
        {DFCS_SCROLLUP, Bounds(4, 5, 9, 6)},
        {DFCS_SCROLLRIGHT, Bounds(6, 4, 9, 9)},
        {DFCS_SCROLLDOWN, Bounds(4, 6, 9, 6)},
    };
    for (const TCase& C : Cases)
        for (unsigned Extra : {0u, unsigned(DFCS_PUSHED)}) {
            TTestSurface S(17, 17);
            TRect R = Rect(0, 0, 17, 17);
            DrawFrameControl(S.DC(), &R, DFC_SCROLL, C.Kind | Extra);
            EXPECT_TRUE(ColorOnlyInside(S.Image(), GetSysColor(COLOR_BTNTEXT), C.Window)) << C.Kind << " " << Extra;
        }
}
