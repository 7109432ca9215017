#include "controls/foundation/FcColorScheme.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/windows/Themes.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/Registry.h"

#include <array>

namespace {

using TSchemeRow = std::array<TColor, 8>;

// Per scheme: hot-track frame, light and fill; panel gradient start and
// stop (the stop also starts status gradients and divides panes); gradient
// frame; group-bar gradient start and stop.
const TSchemeRow SchemeTable[3] = {
    {TColor(0x800000), TColor(0xC2EEFF), TColor(0xA0D9FF), TColor(0xFFEFE3), TColor(0xEABB99), TColor(0xBF7F57),
     TColor(0xE7A27B), TColor(0xD67563)},
    {TColor(0x385D3F), TColor(0xC2EEFF), TColor(0xA0D9FF), TColor(0xEDFFFF), TColor(0x92C7B8), TColor(0x77A17F),
     TColor(0xADD9CC), TColor(0x84BDA5)},
    {TColor(0x6F4B4B), TColor(0xC2EEFF), TColor(0xA0D9FF), TColor(0xFFF9F9), TColor(0xD0BCBD), TColor(0xB19F9F),
     TColor(0xD4C8C4), TColor(0xC8B3B1)},
};

using TGroupRow = std::array<TColor, 10>;

// Office-style group palettes per scheme, special groups first.
const TGroupRow GroupTable[3][2] = {
    {{TColor(0xC56A31), TColor(0xBE500F), TColor(0xCE5D29), TColor(0xFFFFFF), TColor(0xF7DFD6), TColor(0xC35E2F),
      TColor(0xDE9A6A), TColor(0xC56A31), TColor(0xFFF3EF), TColor(0xFFFFFF)},
     {TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xF7D3C6), TColor(0xA53C00), TColor(0xFF8E42), TColor(0xFCFCFC),
      TColor(0xD9BAB3), TColor(0xC56A31), TColor(0xF7DFD6), TColor(0xFFFFFF)}},
    {{TColor(0x70A093), TColor(0x4E9682), TColor(0x67A896), TColor(0xFFFFFF), TColor(0xA9D6C8), TColor(0x4FA382),
      TColor(0x81B7A9), TColor(0x70A093), TColor(0xECF6F6), TColor(0xFFFFFF)},
     {TColor(0xB8E7E0), TColor(0xD5F3F1), TColor(0xB8E7E0), TColor(0x1C674B), TColor(0x1D9272), TColor(0xFCFCFC),
      TColor(0xBED5CA), TColor(0x70A093), TColor(0xECF6F6), TColor(0xFFFFFF)}},
    {{TColor(0xAB9594), TColor(0xA58D8C), TColor(0xC7B6B4), TColor(0xFFFFFF), TColor(0xE0D7D6), TColor(0x96746E),
      TColor(0xDEC7C1), TColor(0xBFB4B2), TColor(0xF5F1F0), TColor(0xFFFFFF)},
     {TColor(0xE0D7D6), TColor(0xFCFBFB), TColor(0xE0D7D6), TColor(0x3D3D3F), TColor(0x7C7C7E), TColor(0xFCFCFC),
      TColor(0xD1C5C3), TColor(0xBFB4B2), TColor(0xF5F1F0), TColor(0xFFFFFF)}},
};

// Group item texts (normal, hot) and group caption texts per scheme.
const TColor ItemTextTable[3][2] = {{TColor(0xA53C00), TColor(0xFF8E42)},
                                    {TColor(0x1C674B), TColor(0x1D9272)},
                                    {TColor(0x3D3D3F), TColor(0x7C7C7E)}};
const TColor GroupTextTable[3][2] = {{TColor(0xC65D21), TColor(0xFF8E42)},
                                     {TColor(0x2D6656), TColor(0x1D9272)},
                                     {TColor(0x3D3D3F), TColor(0x7C7C7E)}};

struct TColorState {
    TColorState()
    {
        // From now on every theme change (the one that brings the windows
        // WM_THEMECHANGED) reads the scheme again first, so that they
        // repaint in the new one.  Hooked in on first use, after the
        // window layer has installed its own part.
        TThemeHooks& Hooks = ThemeHooks();
        Hooks.ThemeChanged = [Windows = Hooks.ThemeChanged] {
            XpColorSchemeChanged();
            if (Windows)
                Windows();
        };
    }
    bool ManyColors = ScreenHasManyColors();
    std::uint8_t Scheme = ReadXpColorScheme();
};

TColorState& State()
{
    static TColorState S;
    return S;
}

bool OfficeStyle(TFcGradientColorStyle ColorStyle)
{
    return ColorStyle == gcsMSOffice && FcThemesEnabled();
}

const TSchemeRow& Scheme()
{
    return SchemeTable[XpColorScheme()];
}

bool Silver()
{
    return XpColorScheme() == XpSchemeSilver;
}

// The text pair outside Office style: the highlight and a darker shade of
// it, or greys under the silver scheme.
void SystemTextPair(TColor& Dark, TColor& Light, TColor SilverDark, TColor SilverLight)
{
    Dark = Silver() ? SilverDark : DarkenColor(clHighlight, 30);
    Light = Silver() ? SilverLight : clHighlight;
}

} // namespace

bool ScreenHasManyColors()
{
    HDC DC = GetDC(nullptr);
    const int Bits = GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES);
    ReleaseDC(nullptr, DC);
    return Bits > 8;
}

std::uint8_t ReadXpColorScheme()
{
    TRegIniFile Reg(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    const String Name = Reg.ReadString(QStringLiteral("ThemeManager"), QStringLiteral("ColorName"), String()).toUpper();
    if (Name == QLatin1String("HOMESTEAD"))
        return XpSchemeOlive;
    if (Name == QLatin1String("METALLIC"))
        return XpSchemeSilver;
    return XpSchemeBlue;
}

bool ManyColors()
{
    return State().ManyColors;
}

void SetManyColors(bool Value)
{
    State().ManyColors = Value;
}

std::uint8_t XpColorScheme()
{
    return State().Scheme <= XpSchemeSilver ? State().Scheme : XpSchemeBlue;
}

void SetXpColorScheme(std::uint8_t Value)
{
    State().Scheme = Value;
}

void XpColorSchemeChanged()
{
    State().Scheme = ReadXpColorScheme();
}

void GetHotTrackColors(TFcGradientColorStyle ColorStyle, TColor& FrameColor, TColor& LightColor, TColor& FillColor)
{
    if (OfficeStyle(ColorStyle)) {
        FrameColor = Scheme()[0];
        LightColor = Scheme()[1];
        FillColor = Scheme()[2];
    } else {
        FrameColor = clHighlight;
        FillColor = MixColors(clHighlight, clWindow, 77);
        LightColor = LightenColor(FillColor, 20);
    }
    if (!ManyColors())
        LightColor = FillColor;
}

void GetPanelGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor)
{
    if (OfficeStyle(ColorStyle)) {
        StartColor = Scheme()[3];
        StopColor = Scheme()[4];
    } else {
        StartColor = clWindow;
        StopColor = DarkenColor(clBtnFace, 10);
    }
}

TColor GetPanelFrameColor(TFcGradientColorStyle ColorStyle)
{
    return OfficeStyle(ColorStyle) ? Scheme()[5] : LightenColor(clBtnShadow, 30);
}

void GetStatusGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor,
                             TColor& DividerColor)
{
    if (OfficeStyle(ColorStyle)) {
        StartColor = Scheme()[4];
        StopColor = Scheme()[3];
        DividerColor = Scheme()[4];
    } else {
        StartColor = DarkenColor(clBtnFace, 20);
        StopColor = clWindow;
        DividerColor = DarkenColor(clBtnFace, 40);
    }
}

void GetGroupBarGradientColors(TFcGradientColorStyle ColorStyle, TColor& StartColor, TColor& StopColor)
{
    if (OfficeStyle(ColorStyle)) {
        StartColor = Scheme()[6];
        StopColor = Scheme()[7];
    } else {
        StartColor = MixColors(clBlack, clBtnFace, 40);
        StopColor = MixColors(clBlack, clBtnFace, 80);
    }
}

void GetGroupColors(TFcGradientColorStyle ColorStyle, bool Special, TColor& C1, TColor& C2, TColor& C3, TColor& C4,
                    TColor& C5, TColor& C6, TColor& C7, TColor& C8, TColor& C9, TColor& C10)
{
    TGroupRow Row;
    if (OfficeStyle(ColorStyle)) {
        Row = GroupTable[XpColorScheme()][Special ? 0 : 1];
    } else if (Special) {
        Row = {clHighlight,  clHighlight, DarkenColor(clHighlight, 20), clHighlightText,
               LightenColor(clHighlight, 30), clHighlight, LightenColor(clHighlight, 30)};
    } else {
        Row = {clBtnFace, clWindow, DarkenColor(clBtnFace, 10)};
        SystemTextPair(Row[3], Row[4], clBlack, TColor(0x555556));
        Row[5] = clWindow;
        Row[6] = DarkenColor(clBtnFace, 20);
    }
    if (!OfficeStyle(ColorStyle)) {
        Row[7] = clHighlight;
        Row[8] = clBtnFace;
        Row[9] = clWhite;
    }
    C1 = Row[0], C2 = Row[1], C3 = Row[2], C4 = Row[3], C5 = Row[4];
    C6 = Row[5], C7 = Row[6], C8 = Row[7], C9 = Row[8], C10 = Row[9];
}

void GetGroupItemColors(TFcGradientColorStyle ColorStyle, TColor& C1, TColor& C2, TColor& TextColor,
                        TColor& HotTextColor, TColor& C5, TColor& C6)
{
    GetPanelGradientColors(ColorStyle, C1, C2);
    C5 = C1;
    C6 = C2;
    if (OfficeStyle(ColorStyle)) {
        TextColor = ItemTextTable[XpColorScheme()][0];
        HotTextColor = ItemTextTable[XpColorScheme()][1];
    } else {
        SystemTextPair(TextColor, HotTextColor, clBlack, TColor(0x555556));
    }
}

void GetGroupTextColors(TFcGradientColorStyle ColorStyle, TColor& TextColor, TColor& HotTextColor)
{
    if (OfficeStyle(ColorStyle)) {
        TextColor = GroupTextTable[XpColorScheme()][0];
        HotTextColor = GroupTextTable[XpColorScheme()][1];
    } else {
        SystemTextPair(TextColor, HotTextColor, TColor(0x3D3D3F), TColor(0x7C7C7E));
    }
}
