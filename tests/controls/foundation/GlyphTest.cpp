// Arrows, the close cross and the check box glyph.
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

QImage PaintGlyph(int W, int H, const std::function<void(TCanvas&)>& Paint, TColor Brush = clWhite)
{
    return PaintToImage(W, H, [&](TCanvas& C) {
        C.Brush()->SetColor(Brush);
        Paint(C);
    }, TestBackground);
}

const std::map<char, TColor> BlackKey = {{'#', clBlack}};

} // namespace

TEST(Glyphs, ClassicArrowsAreSinglePixelTriangles)
{
    // An 11 x 11 box: the centre is (5, 5).
    const struct {
        int Direction;
        TLetterMap Map;
    } Cases[] = {
        {ArrowUp, {"...........", "...........", "...........", ".....#.....", "....###....", "...#####...",
                   "..#######..", "...........", "...........", "...........", "..........."}},
        {ArrowDown, {"...........", "...........", "...........", "..#######..", "...#####...", "....###....",
                     ".....#.....", "...........", "...........", "...........", "..........."}},
        {ArrowLeft, {"...........", "...........", "......#....", ".....##....", "....###....", "...####....",
                     "....###....", ".....##....", "......#....", "...........", "..........."}},
        {ArrowRight, {"...........", "...........", "...#.......", "...##......", "...###.....", "...####....",
                      "...###.....", "...##......", "...#.......", "...........", "..........."}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Direction);
        const QImage I =
            PaintGlyph(11, 11, [&](TCanvas& C) { PaintDirectionArrow(&C, Rect(0, 0, 11, 11), false, Case.Direction, true, false); });
        EXPECT_TRUE(MatchesMap(I, Case.Map, BlackKey));
    }
}

TEST(Glyphs, DropDownArrowSitsBelowTheCentre)
{
    // Height 10 is even, so the centre row is 4; the tip is two rows below.
    const TLetterMap Map = {"...........", "...........", "...........", "..#######..", "...#####...",
                                          "....###....", ".....#.....", "...........", "...........", "..........."};
    QImage I = PaintGlyph(11, 10, [](TCanvas& C) { PaintDropDownArrow(&C, Rect(0, 0, 11, 10), false, true, false); });
    EXPECT_TRUE(MatchesMap(I, Map, BlackKey));
    // Pressed: one pixel right and down, whether enabled or not.
    I = PaintGlyph(11, 10, [](TCanvas& C) { PaintDropDownArrow(&C, Rect(0, 0, 11, 10), false, false, true); });
    EXPECT_EQ(BoundsOfColor(I, ColorToRGB(clBtnShadow)), Rect(3, 4, 10, 8));
}

TEST(Glyphs, GlyphColours)
{
    const auto ArrowColour = [](bool XP, bool Enabled, TColor Brush) {
        const QImage I = PaintGlyph(11, 11, [&](TCanvas& C) { PaintDirectionArrow(&C, Rect(0, 0, 11, 11), XP, ArrowDown, Enabled, false); },
                                    Brush);
        return ImagePixel(I, 5, 6);
    };
    EXPECT_EQ(ArrowColour(false, true, clWhite), 0x000000u);
    EXPECT_EQ(ArrowColour(false, true, TColor(0x101010)), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ArrowColour(false, false, clWhite), ColorToRGB(clBtnShadow));
    // XP style takes the middle pixel of the themed drop-down button ...
    TColorStateGuard Guard(true);
    FcThemeBridge().DrawComboDropDownButton = [](TCanvas* C, const TRect& R) {
        C->Brush()->SetColor(TColor(0x5A3C1E));
        C->FillRect(R);
    };
    EXPECT_EQ(ArrowColour(true, true, clWhite), 0x5A3C1Eu);
    // ... unless it is too near the window colour to be seen.
    FcThemeBridge().DrawComboDropDownButton = [](TCanvas* C, const TRect& R) {
        C->Brush()->SetColor(TColor(0xFAFAFA));
        C->FillRect(R);
    };
    EXPECT_EQ(ArrowColour(true, true, clWhite), ColorToRGB(cl3DDkShadow));
    FcThemeBridge().ThemesEnabled = [] { return false; };
    EXPECT_EQ(ArrowColour(true, true, clWhite), ColorToRGB(cl3DDkShadow));
    // The close cross is plain black in the classic style, even on black.
    const QImage I = PaintGlyph(11, 11, [](TCanvas& C) { PaintCloseCross(&C, Rect(0, 0, 11, 11), false, true, false); },
                                TColor(0x101010));
    EXPECT_TRUE(PixelIs(I, 5, 5, 0x000000));
}

TEST(Glyphs, XPArrowsAndTheCrossFillTheirOutlines)
{
    TColorStateGuard Guard(false);
    const COLORREF Dark = ColorToRGB(cl3DDkShadow);
    // The centre of 21 x 21 is (10, 10).
    const struct {
        const char* Name;
        std::function<void(TCanvas&)> Paint;
        TRect Box;
        TPoint Inside;
    } Cases[] = {
        {"drop-down", [](TCanvas& C) { PaintDropDownArrow(&C, Rect(0, 0, 21, 21), true, true, false); },
         Rect(6, 7, 16, 15), {10, 13}},
        {"up", [](TCanvas& C) { PaintDirectionArrow(&C, Rect(0, 0, 21, 21), true, ArrowUp, true, false); },
         Rect(6, 9, 15, 15), {10, 11}},
        {"right pressed", [](TCanvas& C) { PaintDirectionArrow(&C, Rect(0, 0, 21, 21), true, ArrowRight, true, true); },
         Rect(8, 7, 13, 16), {10, 11}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const QImage I = PaintGlyph(21, 21, Case.Paint);
        EXPECT_TRUE(ColorOnlyInside(I, Dark, Case.Box));
        EXPECT_TRUE(PixelIs(I, Case.Inside.X, Case.Inside.Y, Dark));
    }
    // The cross: the middle filled, the notch above it open; pressed it
    // moves by a pixel.
    QImage I = PaintGlyph(21, 21, [](TCanvas& C) { PaintCloseCross(&C, Rect(0, 0, 21, 21), false, true, false); });
    EXPECT_TRUE(ColorOnlyInside(I, 0x000000, Rect(6, 7, 16, 15)));
    EXPECT_TRUE(PixelIs(I, 10, 10, 0x000000));
    EXPECT_TRUE(PixelIs(I, 10, 8, TestBackground));
    I = PaintGlyph(21, 21, [](TCanvas& C) { PaintCloseCross(&C, Rect(0, 0, 21, 21), false, true, true); });
    EXPECT_TRUE(PixelIs(I, 11, 9, TestBackground));
    EXPECT_TRUE(PixelIs(I, 11, 11, 0x000000));
    // Nothing for an unknown direction; the brush colour is kept.
    I = PaintGlyph(21, 21, [](TCanvas& C) {
        PaintDirectionArrow(&C, Rect(0, 0, 21, 21), false, 4, true, false);
        C.FillRect(Rect(0, 0, 1, 1));
    }, clRed);
    EXPECT_EQ(CountColor(I, TestBackground, Rect(0, 0, 21, 21)), 21 * 21 - 1);
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clRed)));
}

namespace {

struct TCheck {
    int State = 0;
    int DrawState = 0;
    bool Focused = false;
    TFcButtonHotTrackStyle HotStyle = htsFrame;
    bool ReadOnly = false;
    bool ReadOnlyOnFocus = false;
};

// Frame f, mark m, fill i, focus o, disabled d, hot h, hot light l, read-only r.
const std::map<char, TColor> CheckLegend = {{'f', clNavy},   {'m', clRed},  {'i', clWhite},  {'o', clYellow},
                                            {'d', clSilver}, {'h', clLime}, {'l', clFuchsia}, {'r', clAqua}};

QImage PaintCheck(const TCheck& C)
{
    return PaintToImage(13, 13, [&](TCanvas& Canvas) {
        PaintCheckGlyph(&Canvas, Rect(0, 0, 13, 13), C.State, C.DrawState, C.Focused, C.HotStyle, clNavy, clRed,
                        clWhite, clYellow, clSilver, clLime, clFuchsia, C.ReadOnly, C.ReadOnlyOnFocus, clAqua);
    }, TestBackground);
}

// The box outline in Frame, the inside in Fill, with the tick in Mark.
TLetterMap TickedBox(char Frame, char Fill, char Mark)
{
    static const TLetterMap Template = {"FFFFFFFFFFFFF", "F...........F", "F.......#...F", "F......##...F",
                                        "F.#...###...F", "F.##.###....F", "F.#####.....F", "F..###......F",
                                        "F...#.......F", "F...........F", "F...........F", "F...........F",
                                        "FFFFFFFFFFFFF"};
    return Relettered(Template, {{'F', Frame}, {'.', Fill}, {'#', Mark}});
}

} // namespace

TEST(CheckGlyph, TheTickAndTheFillOfEachState)
{
    EXPECT_TRUE(MatchesMap(PaintCheck({.State = 1}), TickedBox('f', 'i', 'm'), CheckLegend));
    // Disabled: the disabled fill and a shadow-coloured tick.
    auto Legend = CheckLegend;
    Legend['s'] = clBtnShadow;
    EXPECT_TRUE(MatchesMap(PaintCheck({.State = 1, .DrawState = 3}), TickedBox('f', 'd', 's'), Legend));
    // Grayed: a block two pixels inside.
    const QImage Grayed = PaintCheck({.State = 2});
    EXPECT_TRUE(RectHasColor(Grayed, Rect(3, 3, 10, 10), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(Grayed, Rect(1, 1, 12, 3), ColorToRGB(clWhite)));

    const struct {
        TCheck Check;
        TColor Fill;
    } Fills[] = {
        {{}, clWhite},
        {{.DrawState = 1}, DarkenColor(clYellow, 20)},
        {{.Focused = true}, clYellow},
        {{.Focused = true, .ReadOnly = true}, clYellow},
        {{.Focused = true, .ReadOnly = true, .ReadOnlyOnFocus = true}, clAqua},
        {{.ReadOnly = true}, clAqua},
        {{.DrawState = 2, .HotStyle = htsFrame, .ReadOnly = true}, clAqua},
    };
    for (const auto& F : Fills) {
        const QImage I = PaintCheck(F.Check);
        EXPECT_TRUE(RectHasColor(I, Rect(1, 1, 12, 12), ColorToRGB(F.Fill)));
    }
}

TEST(CheckGlyph, HotBoxes)
{
    TColorStateGuard Guard(false);
    // A frame hot style draws the outline in the hot light colour.
    QImage I = PaintCheck({.DrawState = 2, .HotStyle = htsFrame});
    EXPECT_TRUE(MatchesMap(I, TickedBox('l', 'i', 'i'), CheckLegend));
    // The interior style keeps the frame and rings the inside with a gradient.
    I = PaintCheck({.DrawState = 2, .HotStyle = htsInterior});
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clNavy)));
    EXPECT_EQ(CountColor(I, ColorToRGB(clWhite), Rect(1, 1, 12, 12)), 7 * 7);
    EXPECT_TRUE(RectHasColor(I, Rect(3, 3, 10, 10), ColorToRGB(clWhite)));
    // Bottom right of a diagonal-down gradient: the hot light colour.
    EXPECT_TRUE(PixelIs(I, 11, 11, ColorToRGB(clFuchsia)));
}
