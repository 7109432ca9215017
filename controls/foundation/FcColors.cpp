#include "controls/foundation/FcColors.h"

#include "controls/foundation/FcThemeBridge.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampByte(int Value)
{
    return std::clamp(Value, 0, 255);
}

// Rounds halves to even, as the classic Round does.
int RoundEven(double Value)
{
    return int(std::nearbyint(Value));
}

int Channel(double Value)
{
    return RoundEven(255.0 * std::clamp(Value, 0.0, 1.0));
}

TColor AsColor(COLORREF C)
{
    return TColor(std::int32_t(C));
}

// The lightness of Color moved by Delta (clamped to the byte), back as a colour.
TColor WithLightness(TColor Color, int Delta)
{
    std::uint8_t H, S, L;
    ColorToHsl240(Color, H, S, L);
    return Hsl240ToColor(H, S, ClampByte(L + Delta));
}

} // namespace

void ColorToHsl240(TColor Color, std::uint8_t& H, std::uint8_t& S, std::uint8_t& L)
{
    const COLORREF C = ColorToRGB(Color);
    const double R = GetRValue(C) / 255.0, G = GetGValue(C) / 255.0, B = GetBValue(C) / 255.0;
    const double Max = std::max({R, G, B}), Min = std::min({R, G, B});
    const double Light = (Max + Min) / 2;
    double Hue = 0, Sat = 0;
    if (Max != Min) {
        const double D = Max - Min;
        Sat = Light < 0.5 ? D / (Max + Min) : D / (2 - Max - Min);
        if (R == Max)
            Hue = (G - B) / D;
        else if (G == Max)
            Hue = (B - R) / D + 2;
        else
            Hue = (R - G) / D + 4;
        Hue /= 6;
        if (Hue < 0)
            Hue += 1;
    }
    H = std::uint8_t(RoundEven(240 * Hue));
    S = std::uint8_t(RoundEven(240 * Sat));
    L = std::uint8_t(RoundEven(240 * Light));
}

std::uint8_t HueOfColor(TColor Color)
{
    std::uint8_t H, S, L;
    ColorToHsl240(Color, H, S, L);
    return H;
}

TColor Hsl240ToColor(int H, int S, int L)
{
    const double Hue = ClampByte(H) / 239.0, Sat = ClampByte(S) / 240.0, Light = ClampByte(L) / 240.0;
    const double M2 = Light < 0.5 ? Light * (1 + Sat) : Light + Sat - Light * Sat;
    if (M2 <= 0)
        return clBlack;
    const double M1 = 2 * Light - M2;
    const int Sextant = int(6 * Hue);
    const double F = 6 * Hue - Sextant;
    const double Rising = M1 + (M2 - M1) * F, Falling = M2 - (M2 - M1) * F;
    double R, G, B;
    switch (Sextant) {
    case 1: R = Falling, G = M2, B = M1; break;
    case 2: R = M1, G = M2, B = Rising; break;
    case 3: R = M1, G = Falling, B = M2; break;
    case 4: R = Rising, G = M1, B = M2; break;
    case 5: R = M2, G = M1, B = Falling; break;
    default: R = M2, G = Rising, B = M1; break;
    }
    return AsColor(RGB(Channel(R), Channel(G), Channel(B)));
}

TColor DarkenColor(TColor Color, int Amount)
{
    return WithLightness(Color, -ClampByte(Amount));
}

TColor LightenColor(TColor Color, int Amount)
{
    return WithLightness(Color, ClampByte(Amount));
}

TColor ShiftColorLightness(TColor Color, int Amount)
{
    if (Amount < 0)
        return DarkenColor(Color, Amount <= -255 ? 255 : -Amount);
    if (Amount == 0)
        return Color;
    return LightenColor(Color, Amount);
}

TColor MixColors(TColor Color1, TColor Color2, int Weight)
{
    const COLORREF A = ColorToRGB(Color1), B = ColorToRGB(Color2);
    // The weight is held in single precision, the sum is not.
    const double W = double(float(ClampByte(Weight)) / 255.0f);
    const auto Mix = [W](int C1, int C2) { return ClampByte(RoundEven(C1 * W + C2 * (1 - W))); };
    return AsColor(RGB(Mix(GetRValue(A), GetRValue(B)), Mix(GetGValue(A), GetGValue(B)),
                       Mix(GetBValue(A), GetBValue(B))));
}

bool ColorsAreNear(TColor Color1, TColor Color2)
{
    std::uint8_t H1, S1, L1, H2, S2, L2;
    ColorToHsl240(Color1, H1, S1, L1);
    ColorToHsl240(Color2, H2, S2, L2);
    return std::abs(H1 - H2) < 20 && std::abs(L1 - L2) < 60;
}

TColor OppositeHueColor(TColor Color, int Lightness)
{
    const int H = HueOfColor(Color);
    return Hsl240ToColor(H < 120 ? H + 120 : H - 120, 240, Lightness);
}

TColor GetThemedColor(int Element)
{
    if (!FcThemesEnabled())
        return clBtnFace;
    struct TEntry {
        TFcThemeClass Theme;
        int Part;
        int Property;
    };
    // Border colour 3801, fill colour 3802, text colour 3803, gradient
    // colour 1 3810, of the parts by their ordinals.
    static const TEntry Table[] = {
        {TFcThemeClass::Edit, 1, 3801},         {TFcThemeClass::ExplorerBar, 17, 3803},
        {TFcThemeClass::ExplorerBar, 25, 3803}, {TFcThemeClass::ExplorerBar, 17, 3802},
        {TFcThemeClass::ExplorerBar, 1, 3810},  {TFcThemeClass::ExplorerBar, 32, 3802},
        {TFcThemeClass::Button, 27, 3803},
    };
    if (Element < 0 || Element >= int(std::size(Table)))
        return clWhite;
    const TEntry& E = Table[Element];
    return FcThemeColor(E.Theme, E.Part, E.Property);
}
