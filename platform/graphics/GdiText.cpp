// Text: Qt fonts on our images.  Everything is measured and placed with
// the same font metrics (no kerning, no anti-aliasing, full hinting), and
// each piece of text is drawn at the position its measurement gives, so
// layout computed from the extents matches what is painted.
#include "platform/graphics/ClassicFonts.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/TextCache.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum class TFontKind { Scalable, Raster, Vector };

// The faces the classic desktop had only as bitmap or stroke fonts.  Their
// stand-ins here are scalable, but callers ask whether a font is TrueType
// to decide whether it can be rotated, and swap these faces for a
// TrueType one (Verdana) as they always did.
TFontKind ClassicFontKind(const String& Face)
{
    static const char* const Raster[] = {"MS Sans Serif", "MS Serif", "Courier", "System", "Terminal",
                                         "Fixedsys", "Small Fonts"};
    static const char* const Vector[] = {"Modern", "Roman", "Script"};
    const String Name = Face.trimmed();
    for (const char* R : Raster)
        if (Name.compare(QLatin1String(R), Qt::CaseInsensitive) == 0)
            return TFontKind::Raster;
    for (const char* V : Vector)
        if (Name.compare(QLatin1String(V), Qt::CaseInsensitive) == 0)
            return TFontKind::Vector;
    return TFontKind::Scalable;
}

// Pixel size of the em for a logical height: negative = character height,
// positive = cell height (ascent + descent), 0 = the default size.
int PixelSizeFor(QFont Font, int Height)
{
    if (Height < 0)
        return std::max(1, -Height);
    if (Height == 0)
        return 11;
    Font.setPixelSize(Height);
    const int Cell = QFontMetrics(Font).height();
    if (Cell <= 0)
        return Height;
    int Size = std::max(1, int(std::lround(double(Height) * Height / Cell)));
    // Settle on the largest size whose cell does not exceed the request.
    for (int Step = 0; Step < 4; ++Step) {
        Font.setPixelSize(Size);
        const int C = QFontMetrics(Font).height();
        if (C > Height && Size > 1)
            --Size;
        else
            break;
    }
    return Size;
}

// A bitmap face's tables may give its average and widest character in
// the wrong units (the MS Sans Serif stand-in gives 611 and 4 pixels);
// the classic figures are then those of its own glyphs.
int AverageCharWidth(const QFontMetrics& FM)
{
    const int Average = FM.averageCharWidth();
    if (Average > 0 && Average <= 2 * FM.height())
        return Average;
    return std::max(1, FM.horizontalAdvance(QLatin1Char('x')));
}

int MaxCharWidth(const QFontMetrics& FM)
{
    int Widest = FM.maxWidth();
    for (QLatin1Char C : {QLatin1Char('W'), QLatin1Char('M'), QLatin1Char('@')})
        Widest = std::max(Widest, FM.horizontalAdvance(C));
    return Widest;
}

// The classic bitmap face (MS Sans Serif) shows only at the size it has;
// far from it, Tahoma, the scalable face of the same looks, stands in.
void KeepBitmapFaceNearItsSizes(QFont& F)
{
    const QFontInfo Info(F);
    if (!ClassicFontRegistered(Info.family()) || QFontDatabase::isScalable(Info.family(), Info.styleName())
        || std::abs(Info.pixelSize() - F.pixelSize()) <= 2)
        return;
    if (ClassicFontRegistered(QStringLiteral("Tahoma")))
        F.setFamilies({QStringLiteral("Tahoma")});
}

struct TTextEnv {
    QFont Font;
    QFontMetrics Metrics;
    int Extra;
    explicit TTextEnv(HDC DC)
        : Font(DC->State().Font.Get() ? QtOf(DC->State().Font.Get())->QtFont() : QFont()),
          Metrics(Font),
          Extra(DC->State().CharExtra)
    {
    }
    int Width(const QString& S) const
    {
        return S.isEmpty() ? 0 : CachedTextWidth(Font, Metrics, S) + Extra * int(S.size());
    }
    int Ascent() const { return Metrics.ascent(); }
    int Height() const { return Metrics.ascent() + Metrics.descent(); }
    int AveCharWidth() const { return AverageCharWidth(Metrics); }
};

QRegion ToQRegion(const TRegionData& R)
{
    QRegion Result;
    std::vector<QRect> Rects;
    for (const TRect& Rc : R.Rects())
        Rects.push_back(QRect(Rc.Left, Rc.Top, Rc.Width(), Rc.Height()));
    if (!Rects.empty())
        Result.setRects(Rects.data(), int(Rects.size()));
    return Result;
}

void DrawDecorations(QPainter& P, const TGlyphLayout& Layout)
{
    if (!Layout.UnderlineY && !Layout.StrikeOutY)
        return;
    QPen Pen = P.pen();
    Pen.setWidthF(Layout.LineWidth);
    Pen.setCapStyle(Qt::FlatCap);
    P.setPen(Pen);
    for (const std::optional<qreal>& Y : {Layout.UnderlineY, Layout.StrikeOutY})
        if (Y)
            P.drawLine(QLineF(0, *Y, Layout.Width, *Y));
}

// Draws Text with its cell's top-left corner at Origin (image coordinates),
// running at Angle degrees anticlockwise; Clip in image coordinates.
void PaintRun(HDC DC, const TTextEnv& Env, QPointF Origin, const QString& Text, QRgb Color, double Angle,
              const TRegionData& Clip, const QFont* FontOverride = nullptr, bool RightToLeft = false)
{
    QImage* Img = DC->Image();
    if (Img == nullptr || Text.isEmpty() || Clip.IsEmpty())
        return;
    QPainter P(Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    if (Clip.IsRect()) {
        const TRect B = Clip.Bounds();
        P.setClipRect(QRect(B.Left, B.Top, B.Width(), B.Height()));
    } else {
        P.setClipRegion(ToQRegion(Clip));
    }
    P.setPen(QColor::fromRgb(Color));
    P.setLayoutDirection(RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    P.translate(Origin);
    if (Angle != 0)
        P.rotate(-Angle);
    const QFont& Font = FontOverride ? *FontOverride : Env.Font;
    if (Env.Extra == 0) {
        const TGlyphLayout* Layout = Angle == 0 && !RightToLeft ? CachedGlyphRuns(Font, Text) : nullptr;
        if (Layout != nullptr) {
            for (const QGlyphRun& Run : Layout->Runs)
                P.drawGlyphRun(QPointF(0, 0), Run);
            DrawDecorations(P, *Layout);
            return;
        }
        P.setFont(Font);
        P.drawText(QPointF(0, Env.Ascent()), Text);
        return;
    }
    P.setFont(Font);
    int X = 0;
    for (const QChar C : Text) {
        P.drawText(QPointF(X, Env.Ascent()), QString(C));
        X += Env.Metrics.horizontalAdvance(C) + Env.Extra;
    }
}

void OpaqueRect(HDC DC, const TRect& ImageRect, const TRegionData* Limit)
{
    const QRgb Back = DC->SurfaceColor(DC->State().BkColor);
    TRegionData Area(ImageRect);
    if (Limit)
        Area = Area.Combine(*Limit, RGN_AND);
    for (const auto& Band : Area.Bands())
        for (int Y = Band.Top; Y < Band.Bottom; ++Y)
            for (const auto& S : Band.Spans)
                DC->PenSpan(Y, S.X0, S.X1, Back, R2_COPYPEN);
}

double Escapement(HDC DC)
{
    const TGdiFont* F = DC->State().Font.Get();
    return F ? F->Log.lfEscapement / 10.0 : 0.0;
}

QString Prefix(const QString& Text, int Count)
{
    return Count < 0 || Count >= Text.size() ? Text : Text.left(Count);
}

// Text output at a reference point with the context's alignment.
BOOL OutputText(HDC DC, int X, int Y, unsigned Options, const TRect* R, const QString& Text, const int* Dx)
{
    if (!IsValidDC(DC))
        return 0;
    const TTextEnv Env(DC);
    TDCState& S = DC->State();
    const bool UpdateCP = S.TextAlign & TA_UPDATECP;
    if (UpdateCP) {
        X = S.CurrentPos.X;
        Y = S.CurrentPos.Y;
    }
    int Width = 0;
    if (Dx != nullptr)
        for (int I = 0; I < Text.size(); ++I)
            Width += Dx[I];
    else
        Width = Env.Width(Text);
    const int Height = Env.Height();

    const TRegionData& Clip = DC->ClipRegion();
    TRegionData Limited = Clip;
    TRect ImgR{};
    if (R != nullptr) {
        ImgR = DC->ImageRect(*R);
        if (Options & ETO_OPAQUE)
            OpaqueRect(DC, ImgR, &Clip);
        if (Options & ETO_CLIPPED)
            Limited = Clip.Combine(TRegionData(ImgR), RGN_AND);
    }

    // Offsets of the cell's top-left from the reference point, along and
    // across the (possibly rotated) baseline.
    double OffX = 0, OffY = 0;
    const unsigned H = S.TextAlign & TA_CENTER;
    if (H == TA_RIGHT)
        OffX = -Width;
    else if (H == TA_CENTER)
        OffX = -(Width / 2);
    const unsigned V = S.TextAlign & TA_BASELINE;
    if (V == TA_BASELINE)
        OffY = -Env.Ascent();
    else if (V == TA_BOTTOM)
        OffY = -Height;

    const double Angle = Escapement(DC);
    const TPoint Ref = DC->ToImage({X, Y});
    const double Rad = Angle * M_PI / 180.0;
    const double CosA = std::cos(Rad), SinA = std::sin(Rad);
    // Rotation is anticlockwise on screen: y grows downwards.
    const QPointF Origin(Ref.X + OffX * CosA + OffY * SinA, Ref.Y - OffX * SinA + OffY * CosA);

    if (S.BkMode == OPAQUE && !(R != nullptr && (Options & ETO_OPAQUE))) {
        if (Angle == 0) {
            OpaqueRect(DC, Bounds(int(Origin.x()), int(Origin.y()), Width, Height), &Limited);
        } else if (QImage* Img = DC->Image()) {
            QPainter P(Img);
            P.setClipRegion(ToQRegion(Limited));
            P.translate(Origin);
            P.rotate(-Angle);
            P.fillRect(QRect(0, 0, Width, Height), QColor::fromRgb(DC->SurfaceColor(S.BkColor)));
        }
    }
    const QRgb Color = DC->SurfaceColor(S.TextColor);
    const bool Rtl = (Options & ETO_RTLREADING) || (S.TextAlign & TA_RTLREADING);
    if (Dx == nullptr) {
        PaintRun(DC, Env, Origin, Text, Color, Angle, Limited, nullptr, Rtl);
    } else {
        double Along = 0;
        for (int I = 0; I < Text.size(); ++I) {
            const QPointF At(Origin.x() + Along * CosA, Origin.y() - Along * SinA);
            PaintRun(DC, Env, At, QString(Text[I]), Color, Angle, Limited, nullptr, Rtl);
            Along += Dx[I];
        }
    }
    if (UpdateCP)
        S.CurrentPos.X += (H == TA_RIGHT ? -Width : Width);
    return 1;
}

// --- DrawText layout ---------------------------------------------------------------------

struct TLine {
    QString Text;
    int Underline = -1; // index into Text of the accelerator character
};

// Removes accelerator ampersands: "&&" gives "&", "&x" gives x (the first
// such x is remembered for underlining).  An "&" that ends the line marks
// nothing and is shown as it stands, as callers that measure captions
// without their accelerators expect.
TLine StripPrefix(const QString& S, bool Underline)
{
    TLine Line;
    for (int I = 0; I < S.size(); ++I) {
        if (S[I] == QLatin1Char('&') && I + 1 < S.size()) {
            ++I;
            if (S[I] != QLatin1Char('&') && Line.Underline < 0 && Underline)
                Line.Underline = int(Line.Text.size());
        }
        Line.Text += S[I];
    }
    return Line;
}

class TLayout {
public:
    TLayout(const TTextEnv& Env, unsigned Format) : FEnv(Env), FFormat(Format) {}

    // Width of a line, tabs expanded (or dropped) as they will be drawn.
    int Width(const QString& S) const
    {
        if (!S.contains(QLatin1Char('\t')))
            return FEnv.Width(S);
        int X = 0;
        const QStringList Parts = S.split(QLatin1Char('\t'));
        for (int I = 0; I < Parts.size(); ++I) {
            if (I > 0 && (FFormat & DT_EXPANDTABS))
                X = (X / Tab() + 1) * Tab();
            X += FEnv.Width(Parts[I]);
        }
        return X;
    }

    // Calls Fn(Piece, X) for each tab-separated piece of the line.
    template <typename F>
    void Pieces(const QString& S, F&& Fn) const
    {
        if (!S.contains(QLatin1Char('\t'))) {
            Fn(S, 0, 0);
            return;
        }
        int X = 0;
        int Start = 0;
        const QStringList Parts = S.split(QLatin1Char('\t'));
        for (int I = 0; I < Parts.size(); ++I) {
            if (I > 0 && (FFormat & DT_EXPANDTABS))
                X = (X / Tab() + 1) * Tab();
            Fn(Parts[I], X, Start);
            if (I + 1 < Parts.size())
                X += FEnv.Width(Parts[I]);
            Start += int(Parts[I].size()) + 1;
        }
    }

    std::vector<TLine> Wrap(const TLine& Line, int MaxWidth) const
    {
        std::vector<TLine> Result;
        const QString& S = Line.Text;
        int Start = 0;
        while (true) {
            if (Width(S.mid(Start)) <= MaxWidth || Start >= S.size()) {
                Result.push_back(Sub(Line, Start, int(S.size())));
                return Result;
            }
            // The longest run of whole words that fits.
            int Break = -1;
            for (int I = Start + 1; I <= S.size(); ++I) {
                if (I < S.size() && S[I] != QLatin1Char(' ') && S[I] != QLatin1Char('\t'))
                    continue;
                if (Width(S.mid(Start, I - Start)) > MaxWidth)
                    break;
                Break = I;
            }
            int End = Break;
            if (End <= Start) {
                // A word wider than the line: edit controls cut it, plain
                // word breaking keeps it whole.
                End = Start + 1;
                if (FFormat & DT_EDITCONTROL) {
                    while (End < S.size() && Width(S.mid(Start, End + 1 - Start)) <= MaxWidth)
                        ++End;
                } else {
                    while (End < S.size() && S[End] != QLatin1Char(' ') && S[End] != QLatin1Char('\t'))
                        ++End;
                }
            }
            Result.push_back(Sub(Line, Start, End));
            Start = End;
            while (Start < S.size() && S[Start] == QLatin1Char(' '))
                ++Start;
            if (Start >= S.size())
                return Result;
        }
    }

    TLine Ellipsis(const TLine& Line, int MaxWidth) const
    {
        if (Width(Line.Text) <= MaxWidth)
            return Line;
        const QString Dots = QStringLiteral("...");
        const QString& S = Line.Text;
        if (FFormat & DT_PATH_ELLIPSIS) {
            int Sep = std::max(S.lastIndexOf(QLatin1Char('\\')), S.lastIndexOf(QLatin1Char('/')));
            if (Sep > 0) {
                const QString Tail = S.mid(Sep);
                for (int Keep = Sep - 1; Keep >= 0; --Keep) {
                    const QString Candidate = S.left(Keep) + Dots + Tail;
                    if (Width(Candidate) <= MaxWidth || Keep == 0) {
                        if (Width(Candidate) <= MaxWidth) {
                            TLine R{Candidate, Line.Underline < Keep ? Line.Underline : -1};
                            return R;
                        }
                        break;
                    }
                }
                // Even the file name alone is too wide: it is cut at the end
                // only when end ellipses were asked for too.
                if (FFormat & DT_END_ELLIPSIS)
                    return EndEllipsis(TLine{Dots + Tail, -1}, MaxWidth);
                return TLine{Dots + Tail, -1};
            }
            if (!(FFormat & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)))
                return Line;
        }
        return EndEllipsis(Line, MaxWidth);
    }

private:
    TLine Sub(const TLine& Line, int Start, int End) const
    {
        TLine R;
        R.Text = Line.Text.mid(Start, End - Start);
        while (R.Text.endsWith(QLatin1Char(' ')))
            R.Text.chop(1);
        if (Line.Underline >= Start && Line.Underline < Start + R.Text.size())
            R.Underline = Line.Underline - Start;
        return R;
    }

    TLine EndEllipsis(const TLine& Line, int MaxWidth) const
    {
        const QString Dots = QStringLiteral("...");
        const QString& S = Line.Text;
        for (int Keep = int(S.size()) - 1; Keep >= 0; --Keep) {
            const QString Candidate = S.left(Keep) + Dots;
            if (Width(Candidate) <= MaxWidth || Keep == 0) {
                // With nothing left to keep, the dots alone, cut to fit.
                QString Shown = Candidate;
                while (Keep == 0 && Shown.size() > 1 && Width(Shown) > MaxWidth)
                    Shown.chop(1);
                return TLine{Shown, Line.Underline < Keep ? Line.Underline : -1};
            }
        }
        return TLine{Dots, -1};
    }

    const TTextEnv& FEnv;
    unsigned FFormat;
    // The tab's width, measured at the first tab (most text has none).
    int Tab() const
    {
        if (FTab == 0) {
            int TabChars = 8;
            if ((FFormat & DT_TABSTOP) && ((FFormat >> 8) & 0xFF) != 0)
                TabChars = int((FFormat >> 8) & 0xFF);
            FTab = TabChars * FEnv.AveCharWidth();
        }
        return FTab;
    }
    mutable int FTab = 0;
};

} // namespace

TQtFont::TQtFont(const LOGFONT& L) : TGdiFont(L), FQtFont(QFontFromLogFont(L))
{
}

QFont QFontFromLogFont(const LOGFONT& Log)
{
    EnsureClassicFonts();
    QFont F;
    if (!Log.lfFaceName.isEmpty())
        F.setFamilies({Log.lfFaceName});
    if ((Log.lfPitchAndFamily & 3) == FIXED_PITCH) {
        F.setStyleHint(QFont::Monospace);
        F.setFixedPitch(true);
    }
    F.setWeight(QFont::Weight(std::clamp(Log.lfWeight == 0 ? int(FW_NORMAL) : Log.lfWeight, 1, 1000)));
    F.setItalic(Log.lfItalic != 0);
    F.setUnderline(Log.lfUnderline != 0);
    F.setStrikeOut(Log.lfStrikeOut != 0);
    F.setKerning(false);
    F.setHintingPreference(QFont::PreferFullHinting);
    F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    F.setPixelSize(PixelSizeFor(F, Log.lfHeight));
    KeepBitmapFaceNearItsSizes(F);
    return F;
}

BOOL GetTextMetrics(HDC DC, TEXTMETRIC* M)
{
    if (!IsValidDC(DC) || M == nullptr)
        return 0;
    const TTextEnv Env(DC);
    const QFontMetrics& FM = Env.Metrics;
    *M = TEXTMETRIC{};
    M->tmAscent = FM.ascent();
    M->tmDescent = FM.descent();
    M->tmHeight = M->tmAscent + M->tmDescent;
    M->tmInternalLeading = std::max(0, M->tmHeight - Env.Font.pixelSize());
    M->tmExternalLeading = std::max(0, FM.leading());
    M->tmAveCharWidth = AverageCharWidth(FM);
    M->tmMaxCharWidth = MaxCharWidth(FM);
    const TGdiFont* F = DC->State().Font.Get();
    M->tmWeight = F && F->Log.lfWeight != 0 ? F->Log.lfWeight : int(FW_NORMAL);
    M->tmItalic = Env.Font.italic();
    M->tmUnderlined = Env.Font.underline();
    M->tmStruckOut = Env.Font.strikeOut();
    M->tmCharSet = F ? F->Log.lfCharSet : std::uint8_t(DEFAULT_CHARSET);
    const QFontInfo Info(Env.Font);
    std::uint8_t Pitch = 0;
    if (!Info.fixedPitch())
        Pitch |= TMPF_FIXED_PITCH;
    const TFontKind Kind = ClassicFontKind(F ? F->Log.lfFaceName : String());
    if (Kind == TFontKind::Vector)
        Pitch |= TMPF_VECTOR;
    else if (Kind == TFontKind::Scalable && QFontDatabase::isSmoothlyScalable(Info.family(), Info.styleName()))
        Pitch |= TMPF_VECTOR | TMPF_TRUETYPE;
    M->tmPitchAndFamily = Pitch;
    return 1;
}

BOOL GetTextExtentPoint32(HDC DC, const String& Text, int Count, TSize* Size)
{
    if (!IsValidDC(DC) || Size == nullptr)
        return 0;
    const TTextEnv Env(DC);
    Size->cx = Env.Width(Prefix(Text, Count));
    Size->cy = Env.Height();
    return 1;
}

BOOL GetTextExtentPoint32(HDC DC, const String& Text, TSize* Size)
{
    return GetTextExtentPoint32(DC, Text, -1, Size);
}

String GetTextFace(HDC DC)
{
    if (!IsValidDC(DC) || DC->State().Font.Get() == nullptr)
        return String();
    return DC->State().Font->Log.lfFaceName;
}

BOOL TextOut(HDC DC, int X, int Y, const String& Text, int Count)
{
    return OutputText(DC, X, Y, 0, nullptr, Prefix(Text, Count), nullptr);
}

BOOL ExtTextOut(HDC DC, int X, int Y, unsigned Options, const TRect* R, const String& Text, int Count, const int* Dx)
{
    return OutputText(DC, X, Y, Options, R, Prefix(Text, Count), Dx);
}

int DrawText(HDC DC, const String& Text, TRect* R, unsigned Format)
{
    return DrawText(DC, Text, -1, R, Format);
}

int DrawText(HDC DC, const String& Source, int Count, TRect* R, unsigned Format)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    const QString Text = Prefix(Source, Count);
    if (Text.isEmpty()) {
        if (Format & DT_CALCRECT) {
            R->Right = R->Left;
            R->Bottom = R->Top;
        }
        return 0;
    }
    const TTextEnv Env(DC);
    const TLayout Layout(Env, Format);
    const bool Single = Format & DT_SINGLELINE;
    const bool Prefixes = !(Format & DT_NOPREFIX);
    const int MaxWidth = TDeviceContext::ClampCoord((long long)R->Right - R->Left);

    std::vector<TLine> Lines;
    QStringList Raw;
    if (Single) {
        Raw << Text;
    } else {
        QString T = Text;
        T.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        T.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Raw = T.split(QLatin1Char('\n'));
    }
    for (const QString& L : Raw) {
        const TLine Line = Prefixes ? StripPrefix(L, !(Format & DT_HIDEPREFIX)) : TLine{L, -1};
        if ((Format & DT_WORDBREAK) && !Single) {
            for (TLine& Part : Layout.Wrap(Line, MaxWidth))
                Lines.push_back(std::move(Part));
        } else {
            Lines.push_back(Line);
        }
    }
    if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (TLine& Line : Lines)
            Line = Layout.Ellipsis(Line, MaxWidth);

    int LineHeight = Env.Height();
    if (Format & DT_EXTERNALLEADING)
        LineHeight += std::max(0, Env.Metrics.leading());
    const int Total = LineHeight * int(Lines.size());

    if (Format & DT_CALCRECT) {
        int Widest = 0;
        for (const TLine& Line : Lines)
            Widest = std::max(Widest, Layout.Width(Line.Text));
        R->Right = R->Left + Widest;
        R->Bottom = R->Top + Total;
        return Total;
    }

    int Y = R->Top;
    if (Single && (Format & DT_VCENTER))
        Y = int(R->Top + ((long long)R->Bottom - R->Top - LineHeight) / 2);
    else if (Single && (Format & DT_BOTTOM))
        Y = R->Bottom - LineHeight;

    const TRegionData& DCClip = DC->ClipRegion();
    const TPoint Org = DC->ToImage({0, 0});
    const TRect ImgR = DC->ImageRect(*R);
    const TRegionData Clip = (Format & DT_NOCLIP) ? DCClip : DCClip.Combine(TRegionData(ImgR), RGN_AND);
    const TDCState& S = DC->State();
    const QRgb Color = DC->SurfaceColor(S.TextColor);
    QFont UnderlineFont = Env.Font;
    UnderlineFont.setUnderline(true);

    for (std::size_t I = 0; I < Lines.size(); ++I) {
        const TLine& Line = Lines[I];
        const int LineY = Y + int(I) * LineHeight;
        // Edit controls do not show a line cut off at the bottom.
        if ((Format & DT_EDITCONTROL) && I > 0 && LineY + LineHeight > R->Bottom)
            break;
        // Measuring is the dear part of text output: only when placing or
        // backing the line needs it.
        const bool Opaque = S.BkMode == OPAQUE && !(Format & DT_PREFIXONLY);
        const int W = (Format & (DT_CENTER | DT_RIGHT)) || Opaque ? Layout.Width(Line.Text) : 0;
        int X = R->Left;
        if (Format & DT_CENTER)
            X = R->Left + (MaxWidth - W) / 2;
        else if (Format & DT_RIGHT)
            X = R->Right - W;
        if (Opaque)
            OpaqueRect(DC, Bounds(X + Org.X, LineY + Org.Y, W, LineHeight), &Clip);
        Layout.Pieces(Line.Text, [&](const QString& Piece, int PX, int Start) {
            const QPointF At(X + PX + Org.X, LineY + Org.Y);
            const int U = Line.Underline - Start;
            if (!(Format & DT_PREFIXONLY))
                PaintRun(DC, Env, At, Piece, Color, 0, Clip, nullptr, Format & DT_RTLREADING);
            if (U >= 0 && U < Piece.size()) {
                // The accelerator: its character drawn again with an
                // underlined font, or only the underline for DT_PREFIXONLY.
                const QPointF CharAt(At.x() + Env.Width(Piece.left(U)), At.y());
                if (Format & DT_PREFIXONLY) {
                    const int UY = int(At.y()) + Env.Ascent() + 1;
                    const int UX = int(CharAt.x());
                    DC->PenSpan(UY, UX, UX + Env.Width(Piece.mid(U, 1)), Color, R2_COPYPEN);
                } else {
                    PaintRun(DC, Env, CharAt, Piece.mid(U, 1), Color, 0, Clip, &UnderlineFont,
                             Format & DT_RTLREADING);
                }
            }
        });
    }
    if (Single && (Format & (DT_VCENTER | DT_BOTTOM)))
        return Y - R->Top + LineHeight;
    return Total;
}

namespace {

// Walks the tab-separated pieces of a line; returns the extent's width.
template <typename F>
int TabbedWalk(const TTextEnv& Env, const QString& Text, int TabCount, const int* TabStops, int Origin, int Start,
               F&& Fn)
{
    const int Default = 8 * Env.AveCharWidth();
    const QStringList Parts = Text.split(QLatin1Char('\t'));
    int X = Start;
    for (int I = 0; I < Parts.size(); ++I) {
        const int W = Env.Width(Parts[I]);
        if (I > 0) {
            bool Placed = false;
            if (TabStops != nullptr && TabCount > 1) {
                for (int K = 0; K < TabCount; ++K) {
                    const int Stop = Origin + std::abs(TabStops[K]);
                    if (Stop <= X)
                        continue;
                    X = TabStops[K] < 0 ? std::max(X, Stop - W) : Stop;
                    Placed = true;
                    break;
                }
            }
            if (!Placed) {
                int Step = Default;
                if (TabStops != nullptr && TabCount == 1 && TabStops[0] != 0)
                    Step = std::abs(TabStops[0]);
                X = Origin + ((X - Origin) / Step + 1) * Step;
            }
        }
        Fn(Parts[I], X);
        X += W;
    }
    return X - Start;
}

} // namespace

DWORD TabbedTextOut(HDC DC, int X, int Y, const String& Source, int Count, int TabCount, const int* TabStops,
                    int TabOrigin)
{
    if (!IsValidDC(DC))
        return 0;
    const QString Text = Prefix(Source, Count);
    const TTextEnv Env(DC);
    const int Width = TabbedWalk(Env, Text, TabCount, TabStops, TabOrigin, X, [](const QString&, int) {});
    const TPoint Org = DC->ToImage({0, 0});
    const TRegionData& Clip = DC->ClipRegion();
    if (DC->State().BkMode == OPAQUE)
        OpaqueRect(DC, Bounds(X + Org.X, Y + Org.Y, Width, Env.Height()), &Clip);
    const QRgb Color = DC->SurfaceColor(DC->State().TextColor);
    TabbedWalk(Env, Text, TabCount, TabStops, TabOrigin, X, [&](const QString& Piece, int PX) {
        PaintRun(DC, Env, QPointF(PX + Org.X, Y + Org.Y), Piece, Color, 0, Clip);
    });
    return (DWORD(Env.Height()) << 16) | DWORD(Width & 0xFFFF);
}

DWORD GetTabbedTextExtent(HDC DC, const String& Source, int Count, int TabCount, const int* TabStops)
{
    if (!IsValidDC(DC))
        return 0;
    const TTextEnv Env(DC);
    const int Width = TabbedWalk(Env, Prefix(Source, Count), TabCount, TabStops, 0, 0, [](const QString&, int) {});
    return (DWORD(Env.Height()) << 16) | DWORD(Width & 0xFFFF);
}

HFONT CreateFontIndirect(const LOGFONT& Log)
{
    return new TQtFont(Log);
}
