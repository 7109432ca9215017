// Blits and raster operations: each operation on known source and
// destination colours, masks, monochrome conversion and mirrored stretches.
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

namespace {

// A source whose column X has colour X * 16 in red and row Y * 16 in green.
void PaintGradient(TTestSurface& S)
{
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X)
            SetPixelV(S.DC(), X, Y, RGB(X * 16, Y * 16, 0));
}

} // namespace

TEST(RasterOps, EveryOperationOnKnownColours)
{
    const COLORREF Src = 0x0F33CC, Dst = 0x5A55F0, Pat = 0x3C0FAA;
    struct TCase {
        DWORD Rop;
        COLORREF Expected;
    };
    const TCase Cases[] = {
        {SRCCOPY, Src},
        {SRCAND, Src & Dst},
        {SRCPAINT, Src | Dst},
        {SRCINVERT, Src ^ Dst},
        {SRCERASE, Src & (~Dst & 0xFFFFFF)},
        {NOTSRCCOPY, ~Src & 0xFFFFFF},
        {NOTSRCERASE, ~(Src | Dst) & 0xFFFFFF},
        {MERGECOPY, Src & Pat},
        {MERGEPAINT, (~Src & 0xFFFFFF) | Dst},
        {PATCOPY, Pat},
        {PATINVERT, Pat ^ Dst},
        {PATPAINT, Pat | (~Src & 0xFFFFFF) | Dst},
        {DSTINVERT, ~Dst & 0xFFFFFF},
        {BLACKNESS, Black},
        {WHITENESS, White},
    };
    TTestSurface Source(4, 4, Src);
    for (const TCase& C : Cases) {
        TTestSurface Dest(4, 4, Dst);
        HBRUSH Brush = CreateSolidBrush(Pat);
        HBRUSH Old = SelectObject(Dest.DC(), Brush);
        EXPECT_TRUE(BitBlt(Dest.DC(), 1, 1, 2, 2, Source.DC(), 0, 0, C.Rop));
        EXPECT_TRUE(RectHasColor(Dest.Image(), Rect(1, 1, 3, 3), C.Expected)) << std::hex << C.Rop;
        EXPECT_TRUE(PixelIs(Dest.Image(), 0, 0, Dst));
        EXPECT_TRUE(PixelIs(Dest.Image(), 3, 3, Dst));
        SelectObject(Dest.DC(), Old);
        DeleteObject(Brush);
    }
}

TEST(RasterOps, PatBltAndInvertRectUseOnlyPatternAndDestination)
{
    TTestSurface S(6, 6, 0x123456);
    HBRUSH Brush = CreateSolidBrush(Red);
    HBRUSH Old = SelectObject(S.DC(), Brush);
    EXPECT_TRUE(PatBlt(S.DC(), 4, 4, -2, -2, PATCOPY)); // negative extents are normalised
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(2, 2, 4, 4), Red));
    EXPECT_FALSE(PatBlt(S.DC(), 0, 0, 2, 2, SRCCOPY)); // needs a source
    const TRect R = Rect(0, 0, 2, 2);
    InvertRect(S.DC(), &R);
    EXPECT_TRUE(RectHasColor(S.Image(), R, ~COLORREF(0x123456) & 0xFFFFFF));
    SelectObject(S.DC(), Old);
    DeleteObject(Brush);
}

TEST(Blits, CopyWithinOneImageReadsTheOldPicture)
{
    TTestSurface S(8, 2);
    PaintGradient(S);
    // Overlapping copy to the right: the result is the original shifted.
    BitBlt(S.DC(), 2, 0, 6, 2, S.DC(), 0, 0, SRCCOPY);
    for (int X = 2; X < 8; ++X)
        EXPECT_EQ(S.Pixel(X, 0), RGB((X - 2) * 16, 0, 0)) << X;
}

TEST(Blits, StretchDoublesAndHalvesByPickingPixels)
{
    TTestSurface Src(4, 4);
    PaintGradient(Src);
    TTestSurface Dst(8, 8);
    StretchBlt(Dst.DC(), 0, 0, 8, 8, Src.DC(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_TRUE(PixelsMatch(Dst.Image(), [](int X, int Y, COLORREF& Want) {
        Want = RGB((X / 2) * 16, (Y / 2) * 16, 0);
        return true;
    }));
    TTestSurface Small(2, 2);
    StretchBlt(Small.DC(), 0, 0, 2, 2, Src.DC(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(Small.Pixel(1, 1), RGB(32, 32, 0));
}

// A strip one pixel wide stretched across (how gradients are drawn): each
// row takes the colour its source row has, also upside down and within a
// clip rectangle.
TEST(Blits, AOneColumnStripFillsEachRowWithItsColour)
{
    TTestSurface Strip(1, 4);
    const COLORREF Colors[] = {Red, COLORREF(0x00FF00), Blue, Black};
    for (int Y = 0; Y < 4; ++Y)
        SetPixelV(Strip.DC(), 0, Y, Colors[Y]);
    for (bool Mirrored : {false, true}) {
        TTestSurface Dst(12, 10, White);
        IntersectClipRect(Dst.DC(), 3, 0, 9, 10);
        StretchBlt(Dst.DC(), 2, Mirrored ? 8 : 1, 8, Mirrored ? -8 : 8, Strip.DC(), 0, 0, 1, 4, SRCCOPY);
        for (int Y = 0; Y < 10; ++Y)
            for (int X = 0; X < 12; ++X) {
                COLORREF Want = White;
                if (Y >= 1 && Y < 9 && X >= 3 && X < 9)
                    Want = Colors[Mirrored ? 3 - (Y - 1) / 2 : (Y - 1) / 2];
                ASSERT_TRUE(PixelIs(Dst.Image(), X, Y, Want)) << Mirrored << " " << X << "," << Y;
            }
    }
}

TEST(Blits, NegativeExtentsMirrorFromTheGivenPixel)
{
    TTestSurface Src(4, 3);
    PaintGradient(Src);
    TTestSurface Dst(10, 10, White);
    // Width -4 at x = 7: columns 7, 6, 5, 4 receive source columns 0..3.
    StretchBlt(Dst.DC(), 7, 0, -4, 3, Src.DC(), 0, 0, 4, 3, SRCCOPY);
    EXPECT_TRUE(PixelsMatch(Dst.Image(), [](int X, int Y, COLORREF& Want) {
        if (Y < 3 && X >= 4 && X <= 7)
            Want = RGB((7 - X) * 16, Y * 16, 0);
        else
            Want = White;
        return true;
    }));
    // Height -3 at y = 9: rows 9, 8, 7 (upside down).
    Dst.Fill(White);
    StretchBlt(Dst.DC(), 0, 9, 4, -3, Src.DC(), 0, 0, 4, 3, SRCCOPY);
    EXPECT_TRUE(PixelsMatch(Dst.Image(), [](int X, int Y, COLORREF& Want) {
        if (X < 4 && Y >= 7)
            Want = RGB(X * 16, (9 - Y) * 16, 0);
        else
            Want = White;
        return true;
    }));
    // Both source and destination negative: no mirroring at all.
    Dst.Fill(White);
    StretchBlt(Dst.DC(), 3, 0, -4, 3, Src.DC(), 3, 0, -4, 3, SRCCOPY);
    EXPECT_EQ(Dst.Pixel(0, 1), RGB(0, 16, 0));
    EXPECT_EQ(Dst.Pixel(3, 1), RGB(48, 16, 0));
}

TEST(Blits, MaskBuildingAndMonochromeToColour)
{
    TTestSurface Src(4, 1);
    SetPixelV(Src.DC(), 0, 0, Red);
    SetPixelV(Src.DC(), 1, 0, Blue);
    SetPixelV(Src.DC(), 2, 0, Red);
    SetPixelV(Src.DC(), 3, 0, White);
    // Colour -> monochrome: the source's background colour becomes 1 (white).
    TTestSurface Mask(4, 1, Black, 1);
    SetBkColor(Src.DC(), Red);
    BitBlt(Mask.DC(), 0, 0, 4, 1, Src.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(Mask.Pixel(0, 0), White);
    EXPECT_EQ(Mask.Pixel(1, 0), Black);
    EXPECT_EQ(Mask.Pixel(2, 0), White);
    EXPECT_EQ(Mask.Pixel(3, 0), Black);
    // Monochrome -> colour: 0 in the text colour, 1 in the background colour.
    TTestSurface Dst(4, 1);
    SetTextColor(Dst.DC(), 0x00FF00);
    SetBkColor(Dst.DC(), 0x808080);
    BitBlt(Dst.DC(), 0, 0, 4, 1, Mask.DC(), 0, 0, SRCCOPY);
    EXPECT_EQ(Dst.Pixel(0, 0), 0x808080u);
    EXPECT_EQ(Dst.Pixel(1, 0), 0x00FF00u);
    // Painting into a monochrome bitmap maps colours to black or white.
    HBRUSH Light = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    const TRect All = Rect(0, 0, 4, 1);
    FillRect(Mask.DC(), &All, Light);
    EXPECT_TRUE(RectHasColor(Mask.Image(), All, White));
    DeleteObject(Light);
    EXPECT_EQ(GetDeviceCaps(Mask.DC(), BITSPIXEL), 1);
    EXPECT_EQ(GetDeviceCaps(Mask.DC(), NUMCOLORS), 2);
}

TEST(Blits, TransparentStretchLeavesMaskedPixelsUntouched)
{
    // Source: a red square with a blue (transparent) border.
    TTestSurface Src(4, 4, Blue);
    HBRUSH Brush = CreateSolidBrush(Red);
    const TRect Inner = Rect(1, 1, 3, 3);
    FillRect(Src.DC(), &Inner, Brush);
    DeleteObject(Brush);
    TTestSurface Mask(4, 4, Black, 1);
    SetBkColor(Src.DC(), Blue);
    BitBlt(Mask.DC(), 0, 0, 4, 4, Src.DC(), 0, 0, SRCCOPY);

    TTestSurface Dst(8, 8, 0x00FF00);
    EXPECT_TRUE(TransparentStretchBlt(Dst.DC(), 0, 0, 8, 8, Src.DC(), 0, 0, 4, 4, Mask.DC(), 0, 0));
    EXPECT_TRUE(PixelsMatch(Dst.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X >= 2 && X < 6 && Y >= 2 && Y < 6 ? Red : 0x00FF00;
        return true;
    }));
    // The classic two-step way: mask with SRCAND, colour with SRCPAINT.
    TTestSurface Dst2(4, 4, 0x00FF00);
    SetBkColor(Src.DC(), Black);
    SetTextColor(Src.DC(), White);
    // Clear the transparent area of the colour copy (mask 1 -> black).
    TTestSurface Colour(4, 4);
    BitBlt(Colour.DC(), 0, 0, 4, 4, Src.DC(), 0, 0, SRCCOPY);
    SetBkColor(Colour.DC(), Black);
    SetTextColor(Colour.DC(), White);
    BitBlt(Colour.DC(), 0, 0, 4, 4, Mask.DC(), 0, 0, SRCAND);
    EXPECT_EQ(Colour.Pixel(0, 0), Black);
    EXPECT_EQ(Colour.Pixel(1, 1), Red);
    SetBkColor(Dst2.DC(), White);
    SetTextColor(Dst2.DC(), Black);
    BitBlt(Dst2.DC(), 0, 0, 4, 4, Mask.DC(), 0, 0, SRCAND);
    BitBlt(Dst2.DC(), 0, 0, 4, 4, Colour.DC(), 0, 0, SRCPAINT);
    EXPECT_EQ(Dst2.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(Dst2.Pixel(2, 2), Red);

    TTestSurface Dst3(4, 4, 0x00FF00);
    TransparentBlt(Dst3.DC(), 0, 0, 4, 4, Src.DC(), 0, 0, 4, 4, Blue);
    EXPECT_EQ(Dst3.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(Dst3.Pixel(1, 2), Red);
}

TEST(Blits, DestinationClipAndViewportApply)
{
    TTestSurface Src(4, 4, Red);
    TTestSurface Dst(10, 10);
    SetViewportOrgEx(Dst.DC(), 3, 3, nullptr);
    IntersectClipRect(Dst.DC(), 0, 0, 2, 10); // logical -> device columns 3..4
    BitBlt(Dst.DC(), 0, 0, 4, 4, Src.DC(), 0, 0, SRCCOPY);
    EXPECT_TRUE(PixelsMatch(Dst.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X >= 3 && X < 5 && Y >= 3 && Y < 7 ? Red : White;
        return true;
    }));
    EXPECT_FALSE(BitBlt(Dst.DC(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(Dst.DC(), 0, 0, 4, 4, nullptr, 0, 0, BLACKNESS)); // needs no source
}

TEST(Blits, TransparentCopiesOfWideRowsKeepTheKeyedPixelsEverywhere)
{
    // Rows wider than the widest vector the copy uses, with a ragged end,
    // so that whole groups, mixed groups and the tail all occur.
    constexpr int W = 37, H = 5;
    const auto SourcePixel = [](int X, int Y) -> COLORREF {
        return (X / 3 + Y) % 4 == 0 ? Blue : RGB(X * 6, Y * 40, 7);
    };
    TTestSurface Src(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            SetPixelV(Src.DC(), X, Y, SourcePixel(X, Y));
    const struct {
        const char* Name;
        TRect Clip; // device coordinates; empty for none
        bool Hole; // a hole cut out of the clip
        int DestWidth;
    } Cases[] = {
        {"unclipped", {}, false, W},
        {"rectangular clip", {5, 1, 30, 6}, false, W},
        {"clip with a hole", {0, 0, 50, 10}, true, W},
        {"stretched", {}, false, 2 * W},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTestSurface Dst(80, 10, 0x00FF00);
        if (!IsRectEmpty(C.Clip))
            IntersectClipRect(Dst.DC(), C.Clip.Left, C.Clip.Top, C.Clip.Right, C.Clip.Bottom);
        if (C.Hole)
            ExcludeClipRect(Dst.DC(), 10, 2, 20, 4);
        EXPECT_TRUE(TransparentBlt(Dst.DC(), 2, 1, C.DestWidth, H, Src.DC(), 0, 0, W, H, Blue));
        EXPECT_TRUE(PixelsMatch(Dst.Image(), [&](int X, int Y, COLORREF& Want) {
            Want = 0x00FF00;
            const bool Inside = X >= 2 && X < 2 + C.DestWidth && Y >= 1 && Y < 1 + H;
            const bool Clipped =
                (!IsRectEmpty(C.Clip) && !PtInRect(C.Clip, {X, Y})) || (C.Hole && X >= 10 && X < 20 && Y >= 2 && Y < 4);
            if (Inside && !Clipped) {
                const COLORREF S = SourcePixel((X - 2) * W / C.DestWidth, Y - 1);
                if (S != Blue)
                    Want = S;
            }
            return true;
        }));
    }
}
