// Rectangle fills, pattern and bitmap blits: every raster operation is a
// pixel loop over the destination's clip region.
#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

// Copies From onto [First, Last) except the pixels of colour Key, which
// leave the destination as it was.  Glyphs and icons go through here all
// the time: written as a choice per pixel rather than a branch, the loop
// runs on whole vectors of pixels.
void KeySpanPlain(QRgb* First, QRgb* Last, const QRgb* From, QRgb Key, QRgb KeepAlpha)
{
    for (; First < Last; ++First, ++From) {
        const QRgb S = *From;
        *First = (S & 0xFFFFFF) == Key ? *First : S | KeepAlpha;
    }
}

// Where the processor has them, sixteen pixels at once, with a masked
// store for groups that are partly transparent.
#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx512f"))) void KeySpanWide(QRgb* First, QRgb* Last, const QRgb* From, QRgb Key, QRgb KeepAlpha)
{
    const __m512i Colour = _mm512_set1_epi32(0xFFFFFF), Keys = _mm512_set1_epi32(int(Key));
    const __m512i Alpha = _mm512_set1_epi32(int(KeepAlpha));
    for (; Last - First >= 16; First += 16, From += 16) {
        const __m512i S = _mm512_loadu_si512(From);
        const __mmask16 Opaque = _mm512_cmpneq_epi32_mask(_mm512_and_si512(S, Colour), Keys);
        // Glyphs are mostly long runs of one kind: whole groups are left
        // alone or stored plainly.
        if (Opaque == 0xFFFF)
            _mm512_storeu_si512(First, _mm512_or_si512(S, Alpha));
        else if (Opaque != 0)
            _mm512_mask_storeu_epi32(First, Opaque, _mm512_or_si512(S, Alpha));
    }
    KeySpanPlain(First, Last, From, Key, KeepAlpha);
}

void KeySpan(QRgb* First, QRgb* Last, const QRgb* From, QRgb Key, QRgb KeepAlpha)
{
    static const bool Wide = __builtin_cpu_supports("avx512f");
    if (Wide)
        KeySpanWide(First, Last, From, Key, KeepAlpha);
    else
        KeySpanPlain(First, Last, From, Key, KeepAlpha);
}
#else
void KeySpan(QRgb* First, QRgb* Last, const QRgb* From, QRgb Key, QRgb KeepAlpha)
{
    KeySpanPlain(First, Last, From, Key, KeepAlpha);
}
#endif

bool UsesSource(std::uint8_t Code)
{
    return ((Code >> 2) & 0x33) != (Code & 0x33);
}

bool UsesPattern(std::uint8_t Code)
{
    return ((Code >> 4) & 0x0F) != (Code & 0x0F);
}

// The destination rectangle in image coordinates, normalised.
TRect ImageRect(HDC DC, int X, int Y, int Width, int Height)
{
    const TPoint A = DC->ToImage({X, Y});
    return NormalizeRect({A.X, A.Y, TDeviceContext::ClampCoord((long long)A.X + Width),
                          TDeviceContext::ClampCoord((long long)A.Y + Height)});
}

void RopRect(HDC DC, const TRect& R, std::uint8_t Code)
{
    QImage* Img = DC->Image();
    if (Img == nullptr)
        return;
    const TGdiBrush* Brush = DC->State().Brush.Get();
    const bool NeedPattern = UsesPattern(Code);
    if (NeedPattern && (Brush == nullptr || Brush->Log.lbStyle == BS_NULL))
        return;
    const TRect Limit = DC->ClipRegion().Bounds();
    for (int Y = std::max(R.Top, Limit.Top); Y < std::min(R.Bottom, Limit.Bottom); ++Y)
        DC->ClipRegion().ForEachSpan(Y, R.Left, R.Right, [&](int A, int B) {
            auto* Line = reinterpret_cast<QRgb*>(Img->scanLine(Y));
            for (int X = A; X < B; ++X) {
                QRgb P = 0;
                if (NeedPattern && !DC->BrushPixel(Brush, X, Y, P))
                    continue;
                Line[X] = 0xFF000000u | ApplyRop3(Code, P & 0xFFFFFF, 0, Line[X] & 0xFFFFFF);
            }
        });
}

struct TAxis {
    long long First; // lowest destination (or source) coordinate
    long long Count; // number of pixels
    bool Negative;
};

TAxis Axis(long long Start, long long Extent)
{
    // A negative extent runs from Start towards smaller coordinates,
    // Start itself included.
    if (Extent < 0)
        return {Start + Extent + 1, -Extent, true};
    return {Start, Extent, false};
}

struct TBlitSource {
    HDC DC = nullptr;
    TPoint Origin;          // image position of the source's logical (0, 0)
    HDC Mask = nullptr;     // TransparentStretchBlt
    TPoint MaskOrigin;
    std::optional<COLORREF> Transparent; // TransparentBlt
};

BOOL StretchCore(HDC Dest, int X, int Y, int Width, int Height, const TBlitSource& Source, int SrcX, int SrcY,
                 int SrcWidth, int SrcHeight, DWORD Rop)
{
    if (!IsValidDC(Dest))
        return 0;
    const std::uint8_t Code = std::uint8_t(Rop >> 16);
    if (!UsesSource(Code)) {
        RopRect(Dest, ImageRect(Dest, X, Y, Width, Height), Code);
        return 1;
    }
    HDC Src = Source.DC;
    if (!IsValidDC(Src) || Width == 0 || Height == 0 || SrcWidth == 0 || SrcHeight == 0)
        return Width == 0 || Height == 0 ? 1 : 0;
    QImage* DstImg = Dest->Image();
    const QImage* SrcLive = Src->Image();
    if (DstImg == nullptr || SrcLive == nullptr)
        return 0;
    const QImage* MaskImg = Source.Mask ? Source.Mask->Image() : nullptr;

    const TPoint DstOrg = Dest->ToImage({0, 0});
    const TAxis DX = Axis((long long)X + DstOrg.X, Width), DY = Axis((long long)Y + DstOrg.Y, Height);
    const TAxis SX = Axis(SrcX, SrcWidth), SY = Axis(SrcY, SrcHeight);
    const bool MirrorX = DX.Negative != SX.Negative, MirrorY = DY.Negative != SY.Negative;
    const long long SrcLeft = Source.Origin.X + SX.First, SrcTop = Source.Origin.Y + SY.First;

    // Copying within one image reads the picture as it was before the blit;
    // only a source that overlaps the destination needs a snapshot for that.
    QImage Snapshot;
    const QImage* SrcImg = SrcLive;
    if (SrcLive == DstImg && SrcLeft < DX.First + DX.Count && DX.First < SrcLeft + SX.Count &&
        SrcTop < DY.First + DY.Count && DY.First < SrcTop + SY.Count) {
        Snapshot = DstImg->copy();
        SrcImg = &Snapshot;
    }

    const bool SrcMono = Src->Monochrome(), DstMono = Dest->Monochrome();
    const QRgb MonoFore = Dest->SurfaceColor(Dest->State().TextColor);
    const QRgb MonoBack = Dest->SurfaceColor(Dest->State().BkColor);
    const QRgb SrcBack = ColorRefToQRgb(Src->State().BkColor) & 0xFFFFFF;
    const QRgb Key = Source.Transparent ? ColorRefToQRgb(*Source.Transparent) & 0xFFFFFF : 0;
    const TGdiBrush* Brush = Dest->State().Brush.Get();
    const bool NeedPattern = UsesPattern(Code);
    const bool PlainCopy = Code == 0xCC && SrcMono == DstMono;
    // Only an image with an alpha channel keeps the source's alpha.
    const QRgb KeepAlpha = DstImg->format() == QImage::Format_ARGB32 ? 0u : 0xFF000000u;
    // Plain copies move whole spans (gathered when scaled), and so do
    // copies that leave out a transparent colour.
    const bool SpanCopy = PlainCopy && MaskImg == nullptr && !Source.Transparent;
    const bool KeyCopy = PlainCopy && MaskImg == nullptr && Source.Transparent;
    const bool Unscaled = SX.Count == DX.Count;

    // Only the destination rows and columns inside the clip are visited;
    // each visited column's offset into the source is worked out once.
    const TRegionData& Clip = Dest->ClipRegion();
    const TRect Limit = Clip.Bounds();
    const long long FirstRow = std::max(0LL, Limit.Top - DY.First);
    const long long EndRow = std::min(DY.Count, Limit.Bottom - DY.First);
    const int Col0 = int(std::clamp<long long>(DX.First, Limit.Left, Limit.Right));
    const int Col1 = int(std::clamp<long long>(DX.First + DX.Count, Limit.Left, Limit.Right));
    // Column Col reads (Col - DX.First) * SX.Count / DX.Count, worked out
    // as a running quotient and remainder rather than a division per column.
    // Spans copied one to one need no table: their offsets follow the columns.
    // A strip one column wide stretched across (a gradient's rows) reads
    // that column everywhere.
    const bool OneColumn = SX.Count == 1 && SpanCopy;
    const bool OneToOne = (Unscaled && (SpanCopy || (KeyCopy && !MirrorX))) || OneColumn;
    std::vector<long long> Offsets(OneToOne ? 0 : std::size_t(std::max(Col1 - Col0, 0)));
    if (Col1 > Col0 && !OneToOne) {
        const long long Whole = SX.Count / DX.Count, Part = SX.Count % DX.Count;
        long long L = (Col0 - DX.First) * SX.Count / DX.Count, Rem = (Col0 - DX.First) * SX.Count % DX.Count;
        for (int Col = Col0; Col < Col1; ++Col) {
            Offsets[std::size_t(Col - Col0)] = MirrorX ? SX.Count - 1 - L : L;
            L += Whole;
            Rem += Part;
            if (Rem >= DX.Count) {
                Rem -= DX.Count;
                ++L;
            }
        }
    }
    // The masking operations are spelt out; the rest go through the table.
    const auto Combine = [Code](std::uint32_t P, std::uint32_t S, std::uint32_t D) -> std::uint32_t {
        switch (Code) {
        case 0x88: return S & D;
        case 0xEE: return S | D;
        case 0x66: return S ^ D;
        default: return ApplyRop3(Code, P, S, D);
        }
    };
    const int SrcW = SrcImg->width();
    const auto InSource = [SrcW](long long SrcCol) { return SrcCol >= 0 && SrcCol < SrcW; };
    const auto OffsetOf = [&](int Col) {
        if (OneColumn)
            return 0LL;
        if (!OneToOne)
            return Offsets[std::size_t(Col - Col0)];
        const long long L = Col - DX.First;
        return MirrorX ? SX.Count - 1 - L : L;
    };

    // The destination's rows found once, not a scan-line lookup per row.
    uchar* const DstBits = DstImg->bits();
    const qsizetype DstStride = DstImg->bytesPerLine();
    const uchar* const SrcBits = SrcImg->constBits();
    const qsizetype SrcStride = SrcImg->bytesPerLine();
    const int SrcH = SrcImg->height();

    // A transparent copy one to one, all inside the source and a
    // rectangular clip - a glyph or an icon - needs no bookkeeping per span.
    if (KeyCopy && OneToOne && !MirrorX && SY.Count == DY.Count && !MirrorY && Clip.IsRect() && Col0 < Col1
        && FirstRow < EndRow && InSource(SrcLeft + OffsetOf(Col0)) && InSource(SrcLeft + OffsetOf(Col1 - 1))
        && SrcTop + FirstRow >= 0 && SrcTop + EndRow <= SrcH) {
        for (long long I = FirstRow; I < EndRow; ++I) {
            auto* Line = reinterpret_cast<QRgb*>(DstBits + (DY.First + I) * DstStride);
            const auto* SrcLine = reinterpret_cast<const QRgb*>(SrcBits + (SrcTop + I) * SrcStride);
            KeySpan(Line + Col0, Line + Col1, SrcLine + SrcLeft + OffsetOf(Col0), Key, KeepAlpha);
        }
        return 1;
    }
    // Row I reads source row I * SY.Count / DY.Count, a running quotient.
    const long long RowWhole = SY.Count / DY.Count, RowPart = SY.Count % DY.Count;
    // One column stretched across a rectangular clip: each row one fill.
    if (OneColumn && Clip.IsRect() && Col0 < Col1 && FirstRow < EndRow && InSource(SrcLeft)) {
        long long Row = FirstRow * SY.Count / DY.Count, Rem = FirstRow * SY.Count % DY.Count;
        for (long long I = FirstRow; I < EndRow; ++I) {
            const long long SrcRow = SrcTop + (MirrorY ? SY.Count - 1 - Row : Row);
            if (SrcRow >= 0 && SrcRow < SrcH) {
                const QRgb Color = reinterpret_cast<const QRgb*>(SrcBits + SrcRow * SrcStride)[SrcLeft] | KeepAlpha;
                FillPixels(reinterpret_cast<QRgb*>(DstBits + (DY.First + I) * DstStride) + Col0, Col1 - Col0, Color);
            }
            Row += RowWhole;
            Rem += RowPart;
            if (Rem >= DY.Count) {
                Rem -= DY.Count;
                ++Row;
            }
        }
        return 1;
    }
    long long Pick = FirstRow < EndRow ? FirstRow * SY.Count / DY.Count : 0;
    long long PickRem = FirstRow < EndRow ? FirstRow * SY.Count % DY.Count : 0;
    for (long long I = FirstRow; I < EndRow; ++I) {
        const int RowY = int(DY.First + I);
        long long J = Pick;
        Pick += RowWhole;
        PickRem += RowPart;
        if (PickRem >= DY.Count) {
            PickRem -= DY.Count;
            ++Pick;
        }
        if (MirrorY)
            J = SY.Count - 1 - J;
        const long long SrcRow = SrcTop + J;
        if (SrcRow < 0 || SrcRow >= SrcH)
            continue;
        const auto* SrcLine = reinterpret_cast<const QRgb*>(SrcBits + SrcRow * SrcStride);
        const QRgb* MaskLine = nullptr;
        if (MaskImg != nullptr) {
            const long long MaskRow = Source.MaskOrigin.Y + J;
            if (MaskRow < 0 || MaskRow >= MaskImg->height())
                continue;
            MaskLine = reinterpret_cast<const QRgb*>(MaskImg->constScanLine(int(MaskRow)));
        }
        auto* Line = reinterpret_cast<QRgb*>(DstBits + RowY * DstStride);
        Clip.ForEachSpan(RowY, Col0, Col1, [&](int A, int B) {
            if (SpanCopy) {
                const long long First = SrcLeft + OffsetOf(A);
                const long long Last = SrcLeft + OffsetOf(B - 1);
                if (InSource(First) && InSource(Last)) {
                    const QRgb* S = SrcLine + First;
                    if (SX.Count == 1)
                        // One source column stretched: a solid span.
                        FillPixels(Line + A, B - A, *S | KeepAlpha);
                    else if (!Unscaled)
                        for (int Col = A; Col < B; ++Col)
                            Line[Col] = SrcLine[SrcLeft + Offsets[std::size_t(Col - Col0)]] | KeepAlpha;
                    else if (MirrorX)
                        for (int Col = A; Col < B; ++Col)
                            Line[Col] = *S-- | KeepAlpha;
                    else
                        for (int Col = A; Col < B; ++Col)
                            Line[Col] = *S++ | KeepAlpha;
                    return;
                }
            }
            if (KeyCopy) {
                const long long First = SrcLeft + OffsetOf(A);
                const long long Last = SrcLeft + OffsetOf(B - 1);
                if (InSource(First) && InSource(Last) && Unscaled && !MirrorX) {
                    KeySpan(Line + A, Line + B, SrcLine + First, Key, KeepAlpha);
                    return;
                }
            }
            for (int Col = A; Col < B; ++Col) {
                const long long L = OffsetOf(Col);
                const long long SrcCol = SrcLeft + L;
                if (!InSource(SrcCol))
                    continue;
                if (MaskLine != nullptr) {
                    const long long MaskCol = Source.MaskOrigin.X + L;
                    if (MaskCol < 0 || MaskCol >= MaskImg->width() || (MaskLine[MaskCol] & 0xFFFFFF) != 0)
                        continue;
                }
                QRgb S = SrcLine[SrcCol];
                if (Source.Transparent && (S & 0xFFFFFF) == Key)
                    continue;
                if (PlainCopy) {
                    Line[Col] = S | KeepAlpha;
                    continue;
                }
                if (SrcMono && !DstMono)
                    S = (S & 0xFFFFFF) == 0 ? MonoFore : MonoBack;
                else if (!SrcMono && DstMono)
                    S = (S & 0xFFFFFF) == SrcBack ? 0xFFFFFFu : 0u;
                QRgb P = 0;
                if (NeedPattern && (Brush == nullptr || !Dest->BrushPixel(Brush, Col, RowY, P)))
                    P = 0;
                Line[Col] = 0xFF000000u | Combine(P & 0xFFFFFF, S & 0xFFFFFF, Line[Col] & 0xFFFFFF);
            }
        });
    }
    return 1;
}

TBlitSource SourceOf(HDC Src)
{
    TBlitSource S;
    S.DC = Src;
    if (IsValidDC(Src))
        S.Origin = Src->ToImage({0, 0});
    return S;
}

} // namespace

int FillRect(HDC DC, const TRect* R, HBRUSH Brush)
{
    Brush = ResolveBrush(Brush);
    if (!IsValidDC(DC) || R == nullptr || Brush == nullptr)
        return 0;
    if (IsRectEmpty(*R))
        return 1;
    DC->FillRegion(TRegionData(NormalizeRect(DC->ImageRect(*R))), Brush, -1);
    return 1;
}

int FrameRect(HDC DC, const TRect* R, HBRUSH Brush)
{
    Brush = ResolveBrush(Brush);
    if (!IsValidDC(DC) || R == nullptr || Brush == nullptr)
        return 0;
    if (IsRectEmpty(*R))
        return 1;
    const TRect I = DC->ImageRect(*R);
    TRegionData Frame(I);
    Frame = Frame.Combine(TRegionData({I.Left + 1, I.Top + 1, I.Right - 1, I.Bottom - 1}), RGN_DIFF);
    DC->FillRegion(Frame, Brush, -1);
    return 1;
}

BOOL InvertRect(HDC DC, const TRect* R)
{
    if (!IsValidDC(DC) || R == nullptr)
        return 0;
    if (IsRectEmpty(*R))
        return 1;
    RopRect(DC, DC->ImageRect(*R), 0x55);
    return 1;
}

BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop)
{
    if (!IsValidDC(DC) || UsesSource(std::uint8_t(Rop >> 16)))
        return 0;
    RopRect(DC, ImageRect(DC, X, Y, Width, Height), std::uint8_t(Rop >> 16));
    return 1;
}

BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, DWORD Rop)
{
    if (Width < 0 || Height < 0)
        return 0;
    return StretchCore(Dest, X, Y, Width, Height, SourceOf(Src), SrcX, SrcY, Width, Height, Rop);
}

BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight, DWORD Rop)
{
    return StretchCore(Dest, X, Y, Width, Height, SourceOf(Src), SrcX, SrcY, SrcWidth, SrcHeight, Rop);
}

BOOL TransparentStretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
                           int SrcWidth, int SrcHeight, HDC Mask, int MaskX, int MaskY)
{
    if (!IsValidDC(Mask))
        return 0;
    TBlitSource S = SourceOf(Src);
    S.Mask = Mask;
    const TPoint MaskOrg = Mask->ToImage({MaskX, MaskY});
    // The mask is read at the same offsets as the source, counted from the
    // lowest source coordinate.
    S.MaskOrigin = {MaskOrg.X + (SrcWidth < 0 ? SrcWidth + 1 : 0), MaskOrg.Y + (SrcHeight < 0 ? SrcHeight + 1 : 0)};
    return StretchCore(Dest, X, Y, Width, Height, S, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
}

BOOL TransparentBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                    int SrcHeight, COLORREF Transparent)
{
    if (Width < 0 || Height < 0 || SrcWidth < 0 || SrcHeight < 0)
        return 0;
    TBlitSource S = SourceOf(Src);
    S.Transparent = Transparent & 0xFFFFFF;
    return StretchCore(Dest, X, Y, Width, Height, S, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
}

BOOL AlphaBlend(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth, int SrcHeight,
                BLENDFUNCTION Blend)
{
    if (!IsValidDC(Dest) || !IsValidDC(Src) || Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0)
        return 0;
    QImage* DstImg = Dest->Image();
    const QImage* SrcImg = Src->Image();
    if (DstImg == nullptr || SrcImg == nullptr || DstImg == SrcImg)
        return 0;
    const bool PerPixel = (Blend.AlphaFormat & AC_SRC_ALPHA) != 0 && SrcImg->hasAlphaChannel();
    const TRect R = ImageRect(Dest, X, Y, Width, Height);
    const TPoint SrcOrg = Src->ToImage({SrcX, SrcY});
    const TRegionData& Clip = Dest->ClipRegion();
    const TRect Limit = Clip.Bounds();
    const bool Unscaled = SrcWidth == Width && SrcHeight == Height;
    const int SrcW = SrcImg->width(), SrcH = SrcImg->height(); // out-of-line calls: once, not a pixel
    for (int RowY = std::max(R.Top, Limit.Top); RowY < std::min(R.Bottom, Limit.Bottom); ++RowY) {
        const long long SrcRow = SrcOrg.Y + (long long)(RowY - R.Top) * SrcHeight / Height;
        if (SrcRow < 0 || SrcRow >= SrcH)
            continue;
        const auto* SrcLine = reinterpret_cast<const QRgb*>(SrcImg->constScanLine(int(SrcRow)));
        auto* Line = reinterpret_cast<QRgb*>(DstImg->scanLine(RowY));
        Clip.ForEachSpan(RowY, R.Left, R.Right, [&](int A, int B) {
            for (int Col = A; Col < B; ++Col) {
                // Image lists blend at their own size: no division a pixel.
                const long long SrcCol =
                    SrcOrg.X + (Unscaled ? Col - R.Left : (long long)(Col - R.Left) * SrcWidth / Width);
                if (SrcCol < 0 || SrcCol >= SrcW)
                    continue;
                const QRgb S = SrcLine[SrcCol];
                const int Weight = PerPixel ? Blend.SourceConstantAlpha * qAlpha(S) / 255 : Blend.SourceConstantAlpha;
                if (Weight == 0)
                    continue;
                const QRgb D = Line[Col];
                if (Weight == 255) { // what the mix below gives at full weight
                    Line[Col] = (D & 0xFF000000u) | (S & 0x00FFFFFFu);
                    continue;
                }
                const auto Mix = [Weight](int SC, int DC) { return (SC * Weight + DC * (255 - Weight) + 127) / 255; };
                Line[Col] =
                    (D & 0xFF000000u) | qRgb(Mix(qRed(S), qRed(D)), Mix(qGreen(S), qGreen(D)), Mix(qBlue(S), qBlue(D)));
            }
        });
    }
    return 1;
}
