// Panel borders, control frames, the gradient ring and the group bar's
// background.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TBorder {
    TFrameStyleEx Outer = fsNone, Inner = fsNone;
    int BorderWidth = 0;
    int BevelWidth = 1;
    TColor FlatColor = clBlue;
    int FlatAdjustment = 0;
    bool Transparent = false, FlatLines = false;
};

const TColor BorderColor = clRed, Highlight = clAqua, Shadow = clPurple, Face = clSilver, Parent = clYellow;

QImage PaintBorder(const TBorder& B, int W, int H, TRect& Inner)
{
    return PaintToImage(W, H, [&](TCanvas& C) {
        Inner = PaintPanelBorder(&C, Rect(1, 1, W - 1, H - 1), B.Outer, B.Inner, B.BorderWidth, AllSides,
                                 B.BevelWidth, BorderColor, Highlight, Shadow, B.FlatColor, B.FlatAdjustment, Face,
                                 Parent, B.Transparent, B.FlatLines);
    }, TestBackground);
}

QImage PaintFrame(int W, int H, TFrameStyleEx Style, TColor Color, bool NoErase)
{
    return PaintToImage(W, H, [&](TCanvas& C) { PaintControlFrame(&C, W, H, Style, Color, clRed, AllSides, NoErase); },
                        TestBackground);
}

} // namespace

TEST(PanelBorder, RaisedOuterAloneShrinksByTwo)
{
    TRect Inner;
    const QImage I = PaintBorder({.Outer = fsRaised}, 10, 8, Inner);
    EXPECT_EQ(Inner, Rect(3, 3, 7, 5));
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".LLLLLLLD.", ".LHHHHHSD.", ".LH....SD.", ".LH....SD.", ".LSSSSSSD.",
                            ".DDDDDDDD.", ".........."},
                           {{'L', cl3DLight}, {'D', cl3DDkShadow}, {'H', clBtnHighlight}, {'S', clBtnShadow}}));
}

TEST(PanelBorder, FlatRingsBorderWidthAndOpenCorneredFlatLines)
{
    TRect Inner;
    const QImage I = PaintBorder(
        {.Outer = fsFlat, .Inner = fsFlat, .BorderWidth = 1, .FlatAdjustment = -20, .FlatLines = true}, 12, 10,
        Inner);
    EXPECT_TRUE(MatchesMap(I,
                           {"............", ".ffffffffff.", ".frrrrrrrrf.", ".fr.ffff.rf.", ".frf....frf.",
                            ".frf....frf.", ".fr.ffff.rf.", ".frrrrrrrrf.", ".ffffffffff.", "............"},
                           {{'f', DarkenColor(clBlue, 20)}, {'r', BorderColor}}));
    EXPECT_EQ(Inner, Rect(4, 4, 8, 6));
}

TEST(PanelBorder, RoundedOuterOnTheParentColour)
{
    TRect Inner;
    QImage I = PaintBorder({.Outer = fsFlatRounded}, 10, 8, Inner);
    // Nothing follows the rounded ring, so its inside ring is the face colour.
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".ppffffpp.", ".pfccccfp.", ".fc....cf.", ".fc....cf.", ".pfccccfp.",
                            ".ppffffpp.", ".........."},
                           {{'p', Parent}, {'f', clBlue}, {'c', Face}}));
    EXPECT_EQ(Inner, Rect(3, 3, 7, 5));

    // Transparent: no parent ring; the border colour ring because a border follows.
    I = PaintBorder({.Outer = fsFlatRounded, .BorderWidth = 1, .Transparent = true}, 10, 8, Inner);
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", "...ffff...", "..frrrrf..", ".frrrrrrf.", ".frrrrrrf.", "..frrrrf..",
                            "...ffff...", ".........."},
                           {{'f', clBlue}, {'r', BorderColor}}));
    EXPECT_EQ(Inner, Rect(4, 4, 6, 4));
}

TEST(PanelBorder, PopupAndStatusBevelsTakeTheBevelWidth)
{
    TRect Inner;
    QImage I = PaintBorder({.Outer = fsPopup, .BevelWidth = 2}, 10, 8, Inner);
    EXPECT_TRUE(MatchesMap(I,
                           {"..........", ".hhhhhhhs.", ".hhhhhhss.", ".hh....ss.", ".hh....ss.", ".hsssssss.",
                            ".ssssssss.", ".........."},
                           {{'h', Highlight}, {'s', Shadow}}));
    EXPECT_EQ(Inner, Rect(3, 3, 7, 5));
    I = PaintBorder({.Inner = fsStatus, .BevelWidth = 1}, 10, 8, Inner);
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(Shadow)));
    EXPECT_TRUE(PixelIs(I, 8, 6, ColorToRGB(Highlight)));
    EXPECT_EQ(Inner, Rect(2, 2, 8, 6));
}

TEST(ControlFrame, ErasesTwoRingsThenDrawsTheStyle)
{
    QImage I = PaintFrame(10, 8, fsFlat, clYellow, false);
    EXPECT_TRUE(MatchesMap(I,
                           {"rrrrrrrrrr", "ryyyyyyyyr", "ry......yr", "ry......yr", "ry......yr", "ry......yr",
                            "ryyyyyyyyr", "rrrrrrrrrr"},
                           {{'r', clRed}, {'y', clYellow}}));
    I = PaintFrame(10, 8, fsFlatBold, clYellow, true);
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 2, 2, TestBackground));
    // Other styles in the system colours on clWindow, else in shades.
    I = PaintFrame(10, 8, fsLowered, clWindow, true);
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(cl3DDkShadow)));
    EXPECT_TRUE(PixelIs(I, 2, 2, TestBackground));
    I = PaintFrame(10, 8, fsLowered, TColor(0x4080C0), true);
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(DarkenColor(TColor(0x4080C0), 50))));
    EXPECT_TRUE(PixelIs(I, 9, 7, ColorToRGB(LightenColor(TColor(0x4080C0), 100))));
}

TEST(GradientBorder, ATwoPixelRingOnlyWithManyColours)
{
    {
        TColorStateGuard Guard(false, XpSchemeBlue, true);
        const QImage I =
            PaintToImage(12, 10, [](TCanvas& C) { PaintGradientBorder(&C, Rect(0, 0, 12, 10), gdVerticalEnd, clRed, clBlue); },
                         TestBackground);
        EXPECT_EQ(CountColor(I, TestBackground, Rect(0, 0, 12, 10)), 8 * 6);
        EXPECT_EQ(CountColor(I, TestBackground, Rect(2, 2, 10, 8)), 8 * 6);
        EXPECT_TRUE(PixelIs(I, 11, 5, ColorToRGB(clBlue)));
    }
    TColorStateGuard Guard(false, XpSchemeBlue, false);
    const QImage I =
        PaintToImage(12, 10, [](TCanvas& C) { PaintGradientBorder(&C, Rect(0, 0, 12, 10), gdVerticalEnd, clRed, clBlue); },
                     TestBackground);
    EXPECT_EQ(CountColor(I, TestBackground, Rect(0, 0, 12, 10)), 120);
}

TEST(GradientBorder, TheCallersClippingComesBack)
{
    TColorStateGuard Guard(false, XpSchemeBlue, true);
    const QImage I = PaintToImage(12, 10, [](TCanvas& C) {
        IntersectClipRect(C.Handle(), 0, 0, 6, 10);
        PaintGradientBorder(&C, Rect(0, 0, 12, 10), gdVerticalEnd, clRed, clRed);
        C.Brush()->SetColor(clBlue);
        C.FillRect(Rect(4, 4, 12, 6));
    }, TestBackground);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 6, 2), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(6, 0, 12, 2), TestBackground));
    EXPECT_TRUE(RectHasColor(I, Rect(4, 4, 6, 6), ColorToRGB(clBlue)));
    EXPECT_TRUE(RectHasColor(I, Rect(6, 4, 12, 6), TestBackground));
}

TEST(GroupBarBackground, GradientOrThemeOrNothing)
{
    const auto PaintBar = [](TFcVisualStyle Visual, TFcGradientColorStyle Colors, TFcGroupBarGradientPath Path) {
        return PaintToImage(6, 20, [&](TCanvas& C) {
            PaintGroupBarBackground(&C, Rect(0, 0, 6, 20), Visual, Colors, Path, clRed, clBlue);
        }, TestBackground);
    };
    TColorStateGuard Guard(false, XpSchemeBlue, true);
    EXPECT_TRUE(RectHasColor(PaintBar(vsClassic, gcsCustom, gpTopToBottom), Rect(0, 0, 6, 20), TestBackground));
    // The walk of a top-to-bottom gradient ends exactly in its second colour.
    EXPECT_TRUE(RectHasColor(PaintBar(vsGradient, gcsCustom, gpTopToBottom), Rect(0, 19, 6, 20), ColorToRGB(clBlue)));
    EXPECT_TRUE(RectHasColor(PaintBar(vsGradient, gcsCustom, gpBottomToTop), Rect(0, 19, 6, 20), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(PaintBar(vsWinXP, gcsSystem, gpTopToBottom), Rect(0, 19, 6, 20),
                             ColorToRGB(MixColors(clBlack, clBtnFace, 80))));

    FcThemeBridge().ThemesEnabled = [] { return true; };
    TRect Themed;
    FcThemeBridge().DrawExplorerBarBackground = [&](TCanvas*, const TRect& R) { Themed = R; };
    EXPECT_TRUE(RectHasColor(PaintBar(vsWinXP, gcsCustom, gpTopToBottom), Rect(0, 0, 6, 20), TestBackground));
    EXPECT_EQ(Themed, Rect(0, 0, 6, 20));

    SetManyColors(false);
    EXPECT_TRUE(RectHasColor(PaintBar(vsGradient, gcsCustom, gpTopToBottom), Rect(0, 0, 6, 20), TestBackground));
}
