// The colour arithmetic on the 0..240 scale.
#include "controls/foundation/FcColors.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct THsl {
    int H, S, L;
    bool operator==(const THsl&) const = default;
};

THsl Hsl(TColor Color)
{
    std::uint8_t H, S, L;
    ColorToHsl240(Color, H, S, L);
    return {H, S, L};
}

std::ostream& operator<<(std::ostream& Out, const THsl& V)
{
    return Out << "(" << V.H << ", " << V.S << ", " << V.L << ")";
}

const TColor Samples[] = {clBlack, clWhite, clRed, clLime, clBlue, clNavy, clTeal, clSilver, clBtnFace, C(0x123456)};

} // namespace

TEST(Colors, ColorToHsl240OnKnownColours)
{
    const struct {
        TColor Color;
        THsl Want;
    } Cases[] = {
        {clWhite, {0, 0, 240}},     {clBlack, {0, 0, 0}},      {clRed, {0, 240, 120}},
        {clLime, {80, 240, 120}},   {clBlue, {160, 240, 120}}, {clGray, {0, 0, 120}},
        {C(RGB(255, 0, 32)), {235, 240, 120}},
        // System colours are resolved first (the standard button face).
        {clBtnFace, Hsl(C(GetSysColor(COLOR_BTNFACE)))},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Hsl(Case.Color), Case.Want) << std::hex << Case.Color;
    EXPECT_EQ(HueOfColor(clLime), 80);
}

TEST(Colors, Hsl240ToColorOnKnownValues)
{
    EXPECT_EQ(Hsl240ToColor(0, 0, 240), clWhite);
    EXPECT_EQ(Hsl240ToColor(0, 0, 0), clBlack);
    EXPECT_EQ(Hsl240ToColor(0, 240, 120), clRed);
    // 239 is a full turn, so it is red again.
    EXPECT_EQ(Hsl240ToColor(239, 240, 120), clRed);
    // Any lightness of 240 or more is white, whatever the rest.
    EXPECT_EQ(Hsl240ToColor(57, 200, 240), clWhite);
    EXPECT_EQ(Hsl240ToColor(57, 240, 255), clWhite);
}

TEST(Colors, Hsl240ToColorDividesHueBy239SoHue160IsNotQuitePureBlue)
{
    // The algorithm holds over the wish for pure blue: 160 / 239 lies a
    // little past the blue sextant's start, which lifts red to 4.
    EXPECT_EQ(Hsl240ToColor(160, 240, 120), C(0xFF0004));
}

TEST(Colors, DarkerAndLighterShades)
{
    EXPECT_EQ(DarkenColor(clBlack, 50), clBlack);
    for (TColor Color : Samples) {
        EXPECT_EQ(LightenColor(Color, 255), clWhite) << std::hex << Color;
        EXPECT_EQ(DarkenColor(Color, 255), clBlack) << std::hex << Color;
    }
    // Only the lightness moves.
    const THsl Before = Hsl(clTeal), After = Hsl(DarkenColor(clTeal, 40));
    EXPECT_EQ(After.L, Before.L - 40);
    EXPECT_NEAR(After.H, Before.H, 1);
}

TEST(Colors, AdjustmentsClampInsteadOfWrapping)
{
    // 256 and more act as 255, never as 0 (no change); below 0 as 0.
    const TColor Mid = C(RGB(90, 140, 200));
    EXPECT_EQ(DarkenColor(Mid, 256), clBlack);
    EXPECT_EQ(LightenColor(Mid, 300), clWhite);
    EXPECT_EQ(DarkenColor(Mid, -20), DarkenColor(Mid, 0));
    EXPECT_EQ(ShiftColorLightness(Mid, -256), clBlack);
    EXPECT_EQ(ShiftColorLightness(Mid, -1000), clBlack);
    EXPECT_EQ(ShiftColorLightness(Mid, 512), clWhite);
    EXPECT_EQ(MixColors(clRed, clBlue, 256), clRed);
    EXPECT_EQ(MixColors(clRed, clBlue, -5), clBlue);
    EXPECT_EQ(Hsl240ToColor(-10, 300, 120), Hsl240ToColor(0, 255, 120));
}

TEST(Colors, ShiftColorLightness)
{
    // No round trip through the scale for 0: a system colour stays one.
    EXPECT_EQ(ShiftColorLightness(clBtnFace, 0), clBtnFace);
    EXPECT_EQ(ShiftColorLightness(clTeal, -30), DarkenColor(clTeal, 30));
    EXPECT_EQ(ShiftColorLightness(clTeal, 30), LightenColor(clTeal, 30));
}

TEST(Colors, MixColorsWeighsTheFirstColour)
{
    const TColor A = C(RGB(200, 100, 0)), B = C(RGB(0, 100, 200));
    EXPECT_EQ(MixColors(A, B, 255), A);
    EXPECT_EQ(MixColors(A, B, 0), B);
    EXPECT_EQ(MixColors(A, B, 51), C(RGB(40, 100, 160)));
    EXPECT_EQ(MixColors(clWhite, clBlack, 128), C(RGB(128, 128, 128)));
    EXPECT_EQ(MixColors(clBtnFace, clBtnFace, 77), C(GetSysColor(COLOR_BTNFACE)));
}

TEST(Colors, ColorsAreNearByHueAndLightness)
{
    // Greys of lightness 100, 159 and 160.
    const TColor L100 = C(RGB(106, 106, 106)), L159 = C(RGB(169, 169, 169)), L160 = C(RGB(170, 170, 170));
    ASSERT_EQ(Hsl(L100).L, 100);
    ASSERT_EQ(Hsl(L159).L, 159);
    ASSERT_EQ(Hsl(L160).L, 160);
    EXPECT_TRUE(ColorsAreNear(L100, L159));
    EXPECT_FALSE(ColorsAreNear(L100, L160));
    // Hue 0 and hue 235 are not near: the difference does not wrap round.
    EXPECT_FALSE(ColorsAreNear(clRed, C(RGB(255, 0, 32))));
    EXPECT_TRUE(ColorsAreNear(clRed, C(RGB(255, 64, 0)))); // hue 10
    // Saturation plays no part.
    EXPECT_TRUE(ColorsAreNear(clGray, C(RGB(140, 120, 120))));
}

TEST(Colors, OppositeHueColor)
{
    // Red turned by 120 at full saturation: hue 120 of 239 is just past cyan.
    EXPECT_EQ(OppositeHueColor(clRed, 120), C(RGB(0, 252, 255)));
    EXPECT_EQ(OppositeHueColor(clBlue, 240), clWhite);
}

TEST(Colors, ThemedColorsComeFromTheThemeOnlyWhileThemesAreOn)
{
    {
        TColorStateGuard Off(false);
        FcThemeBridge().ThemeColor = [](TFcThemeClass, int, int) { return clRed; };
        for (int Element = -1; Element <= 7; ++Element)
            EXPECT_EQ(GetThemedColor(Element), clBtnFace) << Element;
    }
    TColorStateGuard On(true);
    std::vector<std::tuple<TFcThemeClass, int, int>> Asked;
    FcThemeBridge().ThemeColor = [&](TFcThemeClass Theme, int Part, int Property) {
        Asked.emplace_back(Theme, Part, Property);
        return C(0x010203);
    };
    for (int Element = 0; Element <= 6; ++Element)
        EXPECT_EQ(GetThemedColor(Element), C(0x010203));
    const std::vector<std::tuple<TFcThemeClass, int, int>> Want = {
        {TFcThemeClass::Edit, 1, 3801},         {TFcThemeClass::ExplorerBar, 17, 3803},
        {TFcThemeClass::ExplorerBar, 25, 3803}, {TFcThemeClass::ExplorerBar, 17, 3802},
        {TFcThemeClass::ExplorerBar, 1, 3810},  {TFcThemeClass::ExplorerBar, 32, 3802},
        {TFcThemeClass::Button, 27, 3803}};
    EXPECT_EQ(Asked, Want);
    EXPECT_EQ(GetThemedColor(7), clWhite);
    EXPECT_EQ(GetThemedColor(-1), clWhite);
}
