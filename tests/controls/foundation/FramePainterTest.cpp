// The frame painters' pixels and the rectangles they give back, on a
// 10 x 8 image with the frame drawn on (1, 1, 9, 7).
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

const TRect Frame = Rect(1, 1, 9, 7);

const std::map<char, TColor> SystemLegend = {{'D', cl3DDkShadow}, {'S', clBtnShadow}, {'H', clBtnHighlight},
                                              {'L', cl3DLight},    {'T', clBtnText},   {'F', clBtnFace}};

QImage Paint(const std::function<void(TCanvas&)>& Paint, int Width = 10, int Height = 8)
{
    return PaintToImage(Width, Height, Paint, TestBackground);
}

// A single ring: a on the left and top, b on the right and bottom.
TLetterMap OneRing(char A, char B)
{
    static const TLetterMap Template = {"..........", ".aaaaaaab.", ".a......b.", ".a......b.",
                                        ".a......b.", ".a......b.", ".bbbbbbbb.", ".........."};
    return Relettered(Template, {{'a', A}, {'b', B}});
}

// Two rings: outer a/b, inner c/d.
TLetterMap TwoRings(char A, char B, char C, char D)
{
    static const TLetterMap Template = {"..........", ".aaaaaaab.", ".acccccdb.", ".ac....db.",
                                        ".ac....db.", ".addddddb.", ".bbbbbbbb.", ".........."};
    return Relettered(Template, {{'a', A}, {'b', B}, {'c', C}, {'d', D}});
}

const TLetterMap Groove = {"..........", ".uuuuuuul.", ".ulllllul.", ".ul....ul.",
                                         ".ul....ul.", ".uuuuuuul.", ".llllllll.", ".........."};

} // namespace

TEST(FramePainters, EveryFrameStyleOnAKnownRectangle)
{
    const struct {
        TFrameStyle Style;
        TLetterMap Map;
        std::map<char, TColor> Legend;
        TRect Inner;
    } Cases[] = {
        {fsNone, TLetterMap(8, ".........."), SystemLegend, Frame},
        {fsFlat, OneRing('D', 'D'), SystemLegend, Rect(2, 2, 8, 6)},
        {fsGroove, Groove, {{'u', clBtnShadow}, {'l', clBtnHighlight}}, Rect(3, 3, 7, 5)},
        {fsBump, Groove, {{'u', clBtnHighlight}, {'l', clBtnShadow}}, Rect(3, 3, 7, 5)},
        {fsLowered, TwoRings('S', 'H', 'D', 'L'), SystemLegend, Rect(3, 3, 7, 5)},
        {fsButtonDown, TwoRings('T', 'T', 'S', 'S'), SystemLegend, Rect(3, 3, 7, 5)},
        {fsRaised, TwoRings('L', 'D', 'H', 'S'), SystemLegend, Rect(3, 3, 7, 5)},
        {fsButtonUp, TwoRings('H', 'D', 'L', 'S'), SystemLegend, Rect(3, 3, 7, 5)},
        {fsStatus, OneRing('S', 'H'), SystemLegend, Rect(2, 2, 8, 6)},
        {fsPopup, OneRing('H', 'S'), SystemLegend, Rect(2, 2, 8, 6)},
        {fsFlatBold, TwoRings('S', 'S', 'S', 'S'), SystemLegend, Rect(3, 3, 7, 5)},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(testing::Message() << "style " << Case.Style);
        TRect Inner;
        const QImage I = Paint([&](TCanvas& C) { Inner = PaintFrameStyle(&C, Frame, Case.Style); });
        EXPECT_TRUE(MatchesMap(I, Case.Map, Case.Legend));
        EXPECT_EQ(Inner, Case.Inner);
    }
}

TEST(FramePainters, GrooveOnTwoSidesFinishesItsOpenEnds)
{
    TRect Inner;
    const QImage I = Paint([&](TCanvas& C) { Inner = PaintFrameStyleSides(&C, Frame, fsGroove, {sdTop, sdRight}); });
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".uuuuuuul.", ".llllllul.", ".......ul.", ".......ul.", ".......ul.",
                            ".......ul.", ".........."},
                           {{'u', clBtnShadow}, {'l', clBtnHighlight}}));
    EXPECT_EQ(Inner, Rect(1, 3, 7, 7));
}

TEST(FramePainters, SideLinesSkipNoneColoursButStillShrink)
{
    TRect Inner;
    QImage I = Paint([&](TCanvas& C) { Inner = PaintSideLines(&C, Frame, clNone, clNone, AllSides); });
    EXPECT_EQ(CountColor(I, TestBackground, Rect(0, 0, 10, 8)), 80);
    EXPECT_EQ(Inner, Rect(2, 2, 8, 6));
    // Only the chosen sides, and only they shrink.
    I = Paint([&](TCanvas& C) { Inner = PaintSideLines(&C, Frame, clRed, clNone, {sdLeft, sdBottom}); });
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".r........", ".r........", ".r........", ".r........", ".r........",
                            ".r........", ".........."},
                           {{'r', clRed}}));
    EXPECT_EQ(Inner, Rect(2, 1, 9, 6));
    // Without a canvas nothing is drawn, but the geometry is the same.
    EXPECT_EQ(PaintFrameStyle(nullptr, Frame, fsLowered), Rect(3, 3, 7, 5));
}

TEST(FramePainters, ColouredFramesUseShadesOfTheColour)
{
    const TColor Base = TColor(0x4080C0);
    const std::map<char, TColor> Shades = {{'a', DarkenColor(Base, 50)},  {'b', LightenColor(Base, 100)},
                                           {'c', DarkenColor(Base, 100)}, {'d', LightenColor(Base, 50)},
                                           {'e', LightenColor(Base, 40)}};
    const struct {
        TFrameStyle Style;
        TLetterMap Map;
    } Cases[] = {
        {fsFlat, OneRing('a', 'a')},
        {fsStatus, OneRing('a', 'b')},
        {fsPopup, OneRing('b', 'a')},
        {fsFlatBold, TwoRings('a', 'a', 'a', 'a')},
        {fsLowered, TwoRings('a', 'b', 'c', 'd')},
        {fsRaised, TwoRings('d', 'c', 'b', 'a')},
        {fsButtonUp, TwoRings('b', 'c', 'e', 'a')},
        {fsButtonDown, TwoRings('c', 'c', 'a', 'a')},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(testing::Message() << "style " << Case.Style);
        const QImage I = Paint([&](TCanvas& C) { PaintColoredFrame(&C, Frame, Base, Case.Style); });
        EXPECT_TRUE(MatchesMap(I, Case.Map, Shades));
    }
    const QImage I = Paint([&](TCanvas& C) { PaintColoredFrame(&C, Frame, Base, fsGroove); });
    EXPECT_TRUE(MatchesMap(I, Groove, {{'u', Shades.at('a')}, {'l', Shades.at('b')}}));
}

TEST(FramePainters, Outlines)
{
    const std::map<char, TColor> Red = {{'r', clRed}};
    TRect Inner;
    QImage I = Paint([&](TCanvas& C) { Inner = PaintBoxOutline(&C, Frame, clRed); });
    EXPECT_TRUE(MatchesMap(I, OneRing('r', 'r'), Red));
    EXPECT_EQ(Inner, Rect(2, 2, 8, 6));

    I = Paint([&](TCanvas& C) { Inner = PaintCornerBrackets(&C, Frame, clRed, 2); });
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".rr....rr.", ".r......r.", "..........", "..........", ".r......r.",
                            ".rr....rr.", ".........."},
                           Red));
    EXPECT_EQ(Inner, Rect(2, 2, 8, 6));

    I = Paint([&](TCanvas& C) { Inner = PaintRoundedOutline(&C, Frame, clRed, AllSides); });
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", "...rrrr...", "..r....r..", ".r......r.", ".r......r.", "..r....r..",
                            "...rrrr...", ".........."},
                           Red));
    EXPECT_EQ(Inner, Rect(3, 3, 7, 5));
    // A side whose corner is not shared runs to the corner.
    I = Paint([&](TCanvas& C) { Inner = PaintRoundedOutline(&C, Frame, clRed, {sdTop, sdLeft}); });
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", "...rrrrrr.", "..r.......", ".r........", ".r........", ".r........",
                            ".r........", ".........."},
                           Red));
    EXPECT_EQ(Inner, Rect(3, 3, 9, 7));
}

TEST(FramePainters, DottedOutlineSetsEverySecondPixelBlack)
{
    TRect Inner;
    const QImage I = PaintToImage(10, 8, [&](TCanvas& C) {
        C.Brush()->SetColor(clYellow);
        C.FillRect(Rect(0, 0, 10, 8));
        C.Brush()->SetColor(clBlack);
        C.FillRect(Rect(0, 0, 10, 1)); // black already: stays black
        Inner = PaintDottedOutline(&C, Frame);
    });
    EXPECT_TRUE(PixelsMatch(I, [](int X, int Y, COLORREF& Want) {
        if (Y == 0) {
            Want = 0;
            return true;
        }
        const bool Row = (Y == 1 || Y == 6) && X >= 1 && X <= 8 && X % 2 == 0;
        const bool Column = (X == 1 || X == 8) && Y >= 1 && Y <= 6 && Y % 2 == 0;
        Want = Row || Column ? 0x000000 : ColorToRGB(clYellow);
        return true;
    }));
    EXPECT_EQ(Inner, Rect(2, 2, 8, 6));
}
