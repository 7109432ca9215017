#pragma once
// Colours as the classic library holds them: 0x00BBGGRR, system colours with
// the high byte 0xFF and their index in the low byte, and two markers
// (clNone, clDefault) that are never painted.
#include "platform/rtl/System.h"

#include <QRgb>
#include <cstdint>
#include <functional>

enum TColor : std::int32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clLtGray = 0xC0C0C0,
    clDkGray = 0x808080,
    clWhite = 0xFFFFFF,
    clMoneyGreen = 0xC0DCC0,
    clSkyBlue = 0xF0CAA6,
    clCream = 0xF0FBFF,
    clMedGray = 0xA4A0A0,

    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,

    clScrollBar = std::int32_t(0xFF000000),
    clBackground = std::int32_t(0xFF000001),
    clActiveCaption = std::int32_t(0xFF000002),
    clInactiveCaption = std::int32_t(0xFF000003),
    clMenu = std::int32_t(0xFF000004),
    clWindow = std::int32_t(0xFF000005),
    clWindowFrame = std::int32_t(0xFF000006),
    clMenuText = std::int32_t(0xFF000007),
    clWindowText = std::int32_t(0xFF000008),
    clCaptionText = std::int32_t(0xFF000009),
    clActiveBorder = std::int32_t(0xFF00000A),
    clInactiveBorder = std::int32_t(0xFF00000B),
    clAppWorkSpace = std::int32_t(0xFF00000C),
    clHighlight = std::int32_t(0xFF00000D),
    clHighlightText = std::int32_t(0xFF00000E),
    clBtnFace = std::int32_t(0xFF00000F),
    clBtnShadow = std::int32_t(0xFF000010),
    clGrayText = std::int32_t(0xFF000011),
    clBtnText = std::int32_t(0xFF000012),
    clInactiveCaptionText = std::int32_t(0xFF000013),
    clBtnHighlight = std::int32_t(0xFF000014),
    cl3DDkShadow = std::int32_t(0xFF000015),
    cl3DLight = std::int32_t(0xFF000016),
    clInfoText = std::int32_t(0xFF000017),
    clInfoBk = std::int32_t(0xFF000018),
    clHotLight = std::int32_t(0xFF00001A),
    clGradientActiveCaption = std::int32_t(0xFF00001B),
    clGradientInactiveCaption = std::int32_t(0xFF00001C),
    clMenuHighlight = std::int32_t(0xFF00001D),
    clMenuBar = std::int32_t(0xFF00001E),
};

// A COLORREF: 0x00BBGGRR without the system-colour high byte.
using COLORREF = std::uint32_t;

// System colour indexes for GetSysColor.
enum : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
    COLOR_3DFACE = COLOR_BTNFACE, COLOR_3DSHADOW = COLOR_BTNSHADOW, COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
    COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT, COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
    COLOR_DESKTOP = COLOR_BACKGROUND,
};

constexpr COLORREF RGB(int R, int G, int B)
{
    return COLORREF(R & 0xFF) | (COLORREF(G & 0xFF) << 8) | (COLORREF(B & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF C) { return int(C & 0xFF); }
constexpr int GetGValue(COLORREF C) { return int((C >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF C) { return int((C >> 16) & 0xFF); }

// The standard desktop colour for a system colour index; indexes outside the
// table give black, as the classic call does.
COLORREF GetSysColor(int Index);

// System colours resolve through GetSysColor; every other value keeps its
// low 24 bits, so clNone paints white and clDefault black, as classically.
COLORREF ColorToRGB(TColor Color);

// Qt pixel (0xFFRRGGBB) of a colour, after ColorToRGB.
QRgb ColorToQRgb(TColor Color);
QRgb ColorRefToQRgb(COLORREF C);
COLORREF QRgbToColorRef(QRgb Pixel);

// Names for streaming: "clBtnFace", "clRed" ...  IdentToColor also accepts
// the name without regard to case.
bool ColorToIdent(std::int32_t Color, String& Ident);
bool IdentToColor(const String& Ident, std::int32_t& Color);
// The form text of a colour: its name when it has one, else "$00BBGGRR".
String ColorToString(TColor Color);
// Accepts names and numbers ("$00FF0000", "16711680", "-16777201");
// raises EConvertError "'%s' is not a valid integer value" otherwise.
TColor StringToColor(const String& S);
using TGetStrProc = std::function<void(const String& S)>;
void GetColorValues(const TGetStrProc& Proc);
