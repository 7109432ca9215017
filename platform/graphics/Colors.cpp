#include "platform/graphics/Colors.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/Exceptions.h"

#include <array>

// Colours read and write as integers whose form text may be a name.
REGISTER_INTEGER_CONSTS(TColor,
    TIdentToInt([](const String& Ident, std::int64_t& Value) {
        std::int32_t Color = 0;
        if (!IdentToColor(Ident, Color))
            return false;
        Value = Color;
        return true;
    }),
    TIntToIdent([](std::int64_t Value, String& Ident) {
        return Value >= INT32_MIN && Value <= INT32_MAX && ColorToIdent(std::int32_t(Value), Ident);
    }))

namespace {

// The classic "Windows Standard" desktop scheme: one fixed table so that the
// program and its tests see the same colours on every desktop.
constexpr std::array<COLORREF, 31> SysColors = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(0, 0, 0),       // (unused index 25)
    RGB(0, 0, 128),     // hot light
    RGB(166, 202, 240), // gradient active caption
    RGB(192, 192, 192), // gradient inactive caption
    RGB(10, 36, 106),   // menu highlight
    RGB(212, 208, 200), // menu bar
};

struct TColorName {
    std::int32_t Value;
    const char* Name;
};

// Order matters for ColorToIdent: the first name of a value wins
// (clGray before clDkGray, clSilver before clLtGray).
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"}, {clNone, "clNone"},
    {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
};

} // namespace

COLORREF GetSysColor(int Index)
{
    if (Index < 0 || Index >= int(SysColors.size()))
        return 0;
    return SysColors[std::size_t(Index)];
}

COLORREF ColorToRGB(TColor Color)
{
    const std::int32_t Value = Color;
    if (Value < 0)
        return GetSysColor(Value & 0xFF);
    return COLORREF(Value) & 0xFFFFFF;
}

QRgb ColorRefToQRgb(COLORREF C)
{
    return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}

COLORREF QRgbToColorRef(QRgb Pixel)
{
    return RGB(qRed(Pixel), qGreen(Pixel), qBlue(Pixel));
}

QRgb ColorToQRgb(TColor Color)
{
    return ColorRefToQRgb(ColorToRGB(Color));
}

bool ColorToIdent(std::int32_t Color, String& Ident)
{
    for (const TColorName& Entry : ColorNames)
        if (Entry.Value == Color) {
            Ident = QString::fromLatin1(Entry.Name);
            return true;
        }
    return false;
}

bool IdentToColor(const String& Ident, std::int32_t& Color)
{
    for (const TColorName& Entry : ColorNames)
        if (Ident.compare(QLatin1String(Entry.Name), Qt::CaseInsensitive) == 0) {
            Color = Entry.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor Color)
{
    String Name;
    if (ColorToIdent(Color, Name))
        return Name;
    return QStringLiteral("$%1").arg(quint32(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const String& S)
{
    std::int32_t Value = 0;
    if (IdentToColor(S, Value))
        return TColor(Value);
    const String T = S.trimmed();
    bool Ok = false;
    qint64 Number = 0;
    if (T.startsWith(QLatin1Char('$')))
        Number = T.mid(1).toLongLong(&Ok, 16);
    else if (T.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        Number = T.mid(2).toLongLong(&Ok, 16);
    else
        Number = T.toLongLong(&Ok, 10);
    if (!Ok || Number < -2147483648LL || Number > 0xFFFFFFFFLL)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(QuotedInput(S)));
    return TColor(std::int32_t(quint32(Number)));
}

void GetColorValues(const TGetStrProc& Proc)
{
    for (const TColorName& Entry : ColorNames)
        Proc(QString::fromLatin1(Entry.Name));
}
