#include "controls/foundation/FcTextHelpers.h"

#include <cmath>

namespace {

// Runs Measure on a screen context with Font selected.
template <typename F>
auto OnScreen(TFont* Font, F&& Measure)
{
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font->Handle());
    const auto Result = Measure(DC);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return Result;
}

TEXTMETRIC MetricsOf(TFont* Font)
{
    return OnScreen(Font, [](HDC DC) {
        TEXTMETRIC M;
        GetTextMetrics(DC, &M);
        return M;
    });
}

} // namespace

bool IsTrueTypeFont(TFont* Font)
{
    return Font != nullptr && (MetricsOf(Font).tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

int GetFontHeight(TFont* Font)
{
    return Font != nullptr ? MetricsOf(Font).tmHeight + 2 : 0;
}

int GetAverageCharWidth(TFont* Font)
{
    if (Font == nullptr)
        return 0;
    const TSize Size = OnScreen(Font, [](HDC DC) {
        TSize S;
        GetTextExtentPoint32(DC, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), &S);
        return S;
    });
    return int(std::nearbyint(Size.cx / 52.0));
}

HFONT CreateRotatedFont(TFont* Font, int Angle)
{
    if (Font == nullptr)
        return nullptr;
    LOGFONT L;
    L.lfHeight = Font->Height();
    L.lfWidth = 0;
    L.lfEscapement = Angle * 10;
    L.lfOrientation = 0;
    L.lfWeight = Font->Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    L.lfItalic = Font->Style().Contains(fsItalic);
    L.lfUnderline = Font->Style().Contains(fsUnderline);
    L.lfStrikeOut = Font->Style().Contains(fsStrikeOut);
    L.lfCharSet = std::uint8_t(Font->Charset());
    L.lfOutPrecision = OUT_DEFAULT_PRECIS;
    L.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    L.lfQuality = DEFAULT_QUALITY;
    switch (Font->Pitch()) {
    case fpVariable:
        L.lfPitchAndFamily = VARIABLE_PITCH;
        break;
    case fpFixed:
        L.lfPitchAndFamily = FIXED_PITCH;
        break;
    default:
        L.lfPitchAndFamily = DEFAULT_PITCH;
        break;
    }
    L.lfFaceName = Font->Name();
    return CreateFontIndirect(L);
}

int CountChar(QChar Ch, const String& S)
{
    return int(S.count(Ch));
}

String StripAccelChars(const String& S)
{
    String Result;
    Result.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == QLatin1Char('&') && I + 1 < S.size()) {
            // "&&" stands for one "&"; a single one only marks what follows.
            if (S[I + 1] == QLatin1Char('&')) {
                Result += QLatin1Char('&');
                ++I;
            }
            continue;
        }
        Result += S[I];
    }
    return Result;
}

TRect CenteredRect(const TRect& R, int Width, int Height)
{
    const int Left = (R.Left + R.Right - Width) / 2, Top = (R.Top + R.Bottom - Height) / 2;
    return Rect(Left, Top, Left + Width, Top + Height);
}
