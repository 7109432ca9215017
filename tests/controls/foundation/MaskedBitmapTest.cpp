// Masked copies leave the canvas alone under the transparent colour, and
// the row flip keeps every row.
#include "controls/foundation/FcGrafx.h"
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Fuchsia = 0xFF00FF;

// A 4 x 3 glyph: the middle two columns hold colours, the outer ones the
// transparent colour T.
void MakeGlyph(TBitmap& Glyph, COLORREF T)
{
    const COLORREF Rows[3][4] = {{T, 0x0000FF, 0x00FF00, T}, {T, 0xFF0000, 0x101010, T}, {T, 0xFFFFFF, 0x808080, T}};
    QImage Img(4, 3, QImage::Format_RGB32);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 4; ++X)
            Img.setPixel(X, Y, ColorRefToQRgb(Rows[Y][X]));
    Glyph.SetImage(Img);
}

// A checkerboard background that every copy must keep where it is transparent.
COLORREF Board(int X, int Y)
{
    return (X + Y) % 2 ? 0x204060 : 0xC0A080;
}

using TMaskedCopy = void (*)(TCanvas*, TBitmap*, const TRect&, const TRect&, TColor);

QImage CopyOnto(TMaskedCopy Copy, TBitmap& Glyph, const TRect& Dest, const TRect& Source, TColor Transparent)
{
    return PaintToImage(12, 10, [&](TCanvas& C) {
        for (int Y = 0; Y < 10; ++Y)
            for (int X = 0; X < 12; ++X)
                C.SetPixels(X, Y, TColor(Board(X, Y)));
        // Colours a classic mask blit would take from the canvas.
        C.Font()->SetColor(clRed);
        C.Brush()->SetColor(clBlue);
        C.TextExtent(QStringLiteral("x"));
        C.FillRect(Rect(0, 0, 0, 0));
        Copy(&C, &Glyph, Dest, Source, Transparent);
    });
}

} // namespace

TEST(MaskedBitmaps, TransparentPixelsLeaveTheCanvasAlone)
{
    const struct {
        const char* Name;
        TMaskedCopy Copy;
        COLORREF Transparent;
    } Cases[] = {
        {"copy, fuchsia", CopyMaskedBitmap, Fuchsia},
        {"copy, black", CopyMaskedBitmap, 0x000000},
        {"stretch, fuchsia", StretchMaskedBitmap, Fuchsia},
        {"stretch, black", StretchMaskedBitmap, 0x000000},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TBitmap Glyph;
        MakeGlyph(Glyph, C.Transparent);
        const QImage I = CopyOnto(C.Copy, Glyph, Bounds(3, 2, 4, 3), Rect(0, 0, 4, 3), TColor(C.Transparent));
        EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
            const bool Inside = X >= 4 && X <= 5 && Y >= 2 && Y <= 4;
            Want = Inside ? ImagePixel(Glyph.Image(), X - 3, Y - 2) : Board(X, Y);
            return true;
        }));
    }
}

TEST(MaskedBitmaps, StretchedAndPartialCopies)
{
    for (TMaskedCopy Copy : {CopyMaskedBitmap, StretchMaskedBitmap}) {
        TBitmap Glyph;
        MakeGlyph(Glyph, Fuchsia);
        // Columns 1..2 of the glyph, twice as large.
        const QImage I = CopyOnto(Copy, Glyph, Bounds(2, 1, 4, 6), Rect(1, 0, 3, 3), clFuchsia);
        EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
            const bool Inside = X >= 2 && X < 6 && Y >= 1 && Y < 7;
            Want = Inside ? ImagePixel(Glyph.Image(), 1 + (X - 2) / 2, (Y - 1) / 2) : Board(X, Y);
            return true;
        }));
    }
}

TEST(MaskedBitmaps, NothingToCopyDrawsNothing)
{
    TBitmap Empty;
    TBitmap Glyph;
    MakeGlyph(Glyph, Fuchsia);
    for (TMaskedCopy Copy : {CopyMaskedBitmap, StretchMaskedBitmap}) {
        for (const QImage& I : {CopyOnto(Copy, Empty, Bounds(1, 1, 4, 3), Rect(0, 0, 4, 3), clFuchsia),
                                CopyOnto(Copy, Glyph, Rect(5, 5, 5, 8), Rect(0, 0, 4, 3), clFuchsia)})
            EXPECT_TRUE(PixelsMatch(I, [](int X, int Y, COLORREF& Want) {
                Want = Board(X, Y);
                return true;
            }));
        Copy(nullptr, &Glyph, Bounds(0, 0, 4, 3), Rect(0, 0, 4, 3), clFuchsia);
    }
}

TEST(FlipBitmapRows, EveryRowLandsOnItsMirrorRow)
{
    // Row y goes to row Height - 1 - y: the first row is kept and nothing
    // is written outside the bitmap.
    for (int H : {1, 2, 5}) {
        TBitmap B;
        B.SetSize(3, H);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < 3; ++X)
                B.Canvas()->SetPixels(X, Y, TColor(RGB(10 * Y, X, 200)));
        FlipBitmapRows(&B);
        ASSERT_EQ(B.Height(), H);
        EXPECT_TRUE(PixelsMatch(B.Image(), [&](int X, int Y, COLORREF& Want) {
            Want = RGB(10 * (H - 1 - Y), X, 200);
            return true;
        }));
    }
    TBitmap Empty;
    FlipBitmapRows(&Empty);
    FlipBitmapRows(nullptr);
    EXPECT_TRUE(Empty.Empty());
}
