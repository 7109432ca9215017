// The canvas and its objects over bitmaps: lazy selection, the classic
// canvas behaviours, text helpers and images.
#include "platform/graphics/Graphics.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> MakeBitmap(int W, int H, TColor Color = clWhite)
{
    auto B = std::make_unique<TBitmap>();
    B->SetSize(W, H);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    return B;
}

} // namespace

TEST(Canvas, ChangedPenAndBrushAreSelectedBeforeTheNextDrawing)
{
    auto B = MakeBitmap(20, 10);
    TCanvas* C = B->Canvas();
    C->Pen()->SetColor(clRed);
    C->Brush()->SetColor(clBlue);
    C->Rectangle(0, 0, 10, 10);
    EXPECT_TRUE(PixelIs(B->Image(), 0, 0, Red));
    EXPECT_TRUE(PixelIs(B->Image(), 5, 5, Blue));
    C->Pen()->SetStyle(psClear);
    C->Brush()->SetColor(clLime);
    C->Rectangle(10, 0, 20, 10);
    // Clear pen: one pixel smaller on the right and bottom.
    EXPECT_TRUE(PixelIs(B->Image(), 10, 0, 0x00FF00));
    EXPECT_TRUE(PixelIs(B->Image(), 18, 8, 0x00FF00));
    EXPECT_TRUE(PixelIs(B->Image(), 19, 9, White));

    // System colours resolve through the fixed table.
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, 2, 2));
    EXPECT_TRUE(PixelIs(B->Image(), 1, 1, GetSysColor(COLOR_BTNFACE)));
    // Pen modes map to raster operations.
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetMode(pmXor);
    C->MoveTo(0, 9);
    C->LineTo(4, 9);
    EXPECT_TRUE(PixelIs(B->Image(), 0, 9, 0xFFFFFF ^ Red)); // the red outline, inverted
    EXPECT_TRUE(PixelIs(B->Image(), 3, 9, 0xFFFFFF ^ Red));
    EXPECT_TRUE(PixelIs(B->Image(), 4, 9, Red)); // end pixel left out
    EXPECT_EQ(C->PenPos(), Point(4, 9));
}

TEST(Canvas, TheHandleCarriesTheCanvasObjectsToDirectCalls)
{
    // DrawText on Canvas->Handle after a font and a clear brush were set:
    // the text in the canvas font, its background left alone.
    auto B = MakeBitmap(60, 30, clWhite);
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(clBlue);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clRed);
    C->Font()->SetHeight(-20);
    TRect R = Rect(0, 0, 60, 30);
    DrawText(C->Handle(), QStringLiteral("W"), &R, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_EQ(CountColor(B->Image(), Blue, R), 0);
    EXPECT_GE(BoundsOfColor(B->Image(), Red).Height(), 12); // the 20-pixel font, not the default
}

TEST(Canvas, EllipseAndRoundRectThroughTheCanvas)
{
    const QImage Img = PaintToImage(40, 30, [](TCanvas& C) {
        C.Pen()->SetColor(clNavy);
        C.Brush()->SetColor(clYellow);
        C.Ellipse(Rect(2, 2, 22, 16));
        C.Pen()->SetStyle(psClear);
        C.RoundRect(24, 2, 38, 28, 6, 6);
    });
    EXPECT_EQ(BoundsOfColor(Img, 0x800000), Rect(2, 2, 22, 16));
    // Without a pen the round rectangle is one pixel smaller on the right and bottom.
    const TRect Yellow = BoundsOfColor(Img, 0x00FFFF);
    EXPECT_EQ(Yellow.Right, 37);
    EXPECT_EQ(Yellow.Bottom, 27);
    EXPECT_TRUE(PixelIs(Img, 24, 2, White)); // rounded corner
}

TEST(Canvas, PixelsAndClipRect)
{
    auto B = MakeBitmap(6, 4);
    TCanvas* C = B->Canvas();
    C->SetPixels(2, 3, clRed);
    EXPECT_EQ(C->Pixels(2, 3), clRed);
    EXPECT_EQ(C->Pixels(6, 0), TColor(CLR_INVALID));
    EXPECT_EQ(C->ClipRect(), Rect(0, 0, 6, 4));
}

TEST(Canvas, TextOutMovesThePenAndTextRectClips)
{
    auto B = MakeBitmap(200, 40);
    TCanvas* C = B->Canvas();
    C->Font()->SetColor(clRed);
    C->Brush()->SetStyle(bsClear);
    const TSize E = C->TextExtent("Geboortedatum");
    EXPECT_EQ(C->TextWidth("Geboortedatum"), E.cx);
    EXPECT_EQ(C->TextHeight("Geboortedatum"), E.cy);
    C->TextOut(5, 5, "Geboortedatum");
    EXPECT_EQ(C->PenPos(), Point(5 + E.cx, 5));
    EXPECT_TRUE(ColorOnlyInside(B->Image(), Red, Bounds(5, 5, E.cx, E.cy)));

    B->Canvas()->Brush()->SetColor(clWhite);
    C->FillRect(Rect(0, 0, 200, 40));
    C->Brush()->SetColor(clBlue); // a solid brush: the rectangle is filled first
    const TRect R = Rect(10, 10, 40, 30);
    C->TextRect(R, 12, 12, "Geboortedatum");
    EXPECT_TRUE(ColorOnlyInside(B->Image(), Red, R));
    EXPECT_TRUE(ColorOnlyInside(B->Image(), Blue, R));
    EXPECT_TRUE(PixelIs(B->Image(), 10, 10, Blue));

    // A bigger font measures bigger.
    const int Small = C->TextHeight("X");
    C->Font()->SetSize(20);
    EXPECT_EQ(C->Font()->Height(), -27);
    EXPECT_GT(C->TextHeight("X"), Small);
}

TEST(Canvas, CopyRectUsesCopyModeAndMirrors)
{
    auto Src = MakeBitmap(4, 1);
    Src->Canvas()->SetPixels(0, 0, clRed);
    auto Dst = MakeBitmap(4, 1, clBlue);
    Dst->Canvas()->CopyRect(Rect(3, 0, -1, 1), Src->Canvas(), Rect(0, 0, 4, 1));
    EXPECT_TRUE(PixelIs(Dst->Image(), 3, 0, Red));
    EXPECT_TRUE(PixelIs(Dst->Image(), 0, 0, White));
    Dst->Canvas()->SetCopyMode(cmSrcAnd);
    Dst->Canvas()->CopyRect(Rect(0, 0, 4, 1), Src->Canvas(), Rect(0, 0, 4, 1));
    // Source red, white, white, white AND destination white, white, white, red.
    EXPECT_TRUE(PixelIs(Dst->Image(), 0, 0, Red));
    EXPECT_TRUE(PixelIs(Dst->Image(), 1, 0, White));
    EXPECT_TRUE(PixelIs(Dst->Image(), 3, 0, Red));
}

TEST(Canvas, CopyRectIntoAMonochromeCanvasKeysOnTheSourceBrush)
{
    // The mask-building copy: pixels of the source canvas's brush colour
    // become 1, whatever was selected into its context before.
    auto Src = MakeBitmap(4, 1, clRed); // leaves red selected as background
    Src->Canvas()->SetPixels(3, 0, clFuchsia);
    Src->Canvas()->Brush()->SetColor(clFuchsia);
    TBitmap Mask;
    Mask.SetMonochrome(true);
    Mask.SetSize(4, 1);
    Mask.Canvas()->CopyRect(Rect(0, 0, 4, 1), Src->Canvas(), Rect(0, 0, 4, 1));
    EXPECT_TRUE(RectHasColor(Mask.Image(), Rect(0, 0, 3, 1), 0x000000));
    EXPECT_TRUE(PixelIs(Mask.Image(), 3, 0, White));
}

TEST(Canvas, HalftonePatternFillsACheckerboardFromTheDeviceOrigin)
{
    // Pressed toggle buttons fill their face with this halftone.
    TBitmap* Pattern = AllocPatternBitmap(clBtnFace, clBtnHighlight);
    ASSERT_NE(Pattern, nullptr);
    EXPECT_EQ(Pattern, AllocPatternBitmap(TColor(GetSysColor(COLOR_BTNFACE)), clWhite)); // shared by colour
    EXPECT_NE(Pattern, AllocPatternBitmap(clBtnFace, clRed));
    EXPECT_EQ(Pattern->Width(), 8);
    EXPECT_EQ(Pattern->Height(), 8);
    auto B = MakeBitmap(10, 6, clBlack);
    B->Canvas()->Brush()->SetBitmap(Pattern);
    B->Canvas()->FillRect(Rect(1, 1, 9, 5));
    const COLORREF Face = GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(PixelsMatch(B->Image(), [&](int X, int Y, COLORREF& Want) {
        if (!PtInRect(Rect(1, 1, 9, 5), {X, Y}))
            Want = 0x000000;
        else
            Want = (X + Y) % 2 == 0 ? White : Face;
        return true;
    }));
}

TEST(Canvas, BrushCopyReplacesOneColourWithTheBrush)
{
    auto Src = MakeBitmap(4, 4, clFuchsia);
    Src->Canvas()->SetPixels(1, 1, clRed);
    auto Dst = MakeBitmap(4, 4);
    Dst->Canvas()->Brush()->SetColor(clBlue);
    Dst->Canvas()->BrushCopy(Rect(0, 0, 4, 4), Src.get(), Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_TRUE(PixelsMatch(Dst->Image(), [](int X, int Y, COLORREF& Want) {
        Want = X == 1 && Y == 1 ? Red : Blue;
        return true;
    }));
}

TEST(Canvas, ANewContextGetsTheObjectsAfterTheOldOneWasDeleted)
{
    // A paint context handed to a canvas may be gone before the canvas
    // lets go of it; the next context must still get pen, brush and font.
    TTestSurface First(4, 4), Second(4, 4);
    HDC Temporary = CreateCompatibleDC(nullptr);
    SelectObject(Temporary, First.Bitmap());
    TCanvas C;
    C.SetHandle(Temporary);
    C.Pen()->SetColor(clRed);
    C.Brush()->SetColor(clBlue);
    C.Font()->SetColor(clLime);
    C.Rectangle(0, 0, 4, 4);
    EXPECT_TRUE(PixelIs(First.Image(), 1, 1, Blue));
    C.TextExtent("x");
    DeleteDC(Temporary);
    C.SetHandle(Second.DC());
    C.Rectangle(0, 0, 4, 4);
    EXPECT_TRUE(PixelIs(Second.Image(), 0, 0, Red));
    EXPECT_TRUE(PixelIs(Second.Image(), 1, 1, Blue));
    C.TextExtent("x");
    EXPECT_EQ(GetTextColor(Second.DC()), 0x00FF00u);
    C.SetHandle(nullptr);
}

TEST(Canvas, DrawingWithoutAContextRaises)
{
    TCanvas C;
    EXPECT_EQ(ErrorMessage<EInvalidOperation>([&] { C.FillRect(Rect(0, 0, 1, 1)); }), "Canvas does not allow drawing");
    TControlCanvas CC; // not bound to a window yet
    EXPECT_THROW(CC.LineTo(1, 1), EInvalidOperation);
}

TEST(Canvas, ControlCanvasGetsAndReleasesItsContextThroughTheHooks)
{
    QImage Window(30, 20, QImage::Format_RGB32);
    Window.fill(Qt::white);
    int Released = 0;
    ControlCanvasHooks().GetDC = [&](TControl*) { return CreateWindowDC(&Window, Point(5, 5), Rect(5, 5, 25, 15)); };
    ControlCanvasHooks().ReleaseDC = [&](TControl*, HDC DC) {
        ++Released;
        DeleteDC(DC);
    };
    {
        TControlCanvas C;
        C.SetControl(reinterpret_cast<TControl*>(&Window));
        C.Brush()->SetColor(clRed);
        C.FillRect(Rect(-10, -10, 100, 100));
        EXPECT_EQ(C.ClipRect(), Rect(0, 0, 20, 10));
        C.FreeHandle();
        EXPECT_EQ(Released, 1);
        C.FillRect(Rect(0, 0, 1, 1)); // fetched again
    }
    EXPECT_EQ(Released, 2);
    ControlCanvasHooks() = {};
    EXPECT_TRUE(PixelsMatch(Window, [](int X, int Y, COLORREF& Want) {
        Want = X >= 5 && X < 25 && Y >= 5 && Y < 15 ? Red : White;
        return true;
    }));
}

TEST(Fonts, SizeHeightAndChangeNotification)
{
    TFont F;
    EXPECT_EQ(F.Height(), -11);
    EXPECT_EQ(F.Size(), 8);
    EXPECT_EQ(F.Color(), clWindowText);
    int Changes = 0;
    F.SetOnChange([&](TObject*) { ++Changes; });
    F.SetSize(10);
    EXPECT_EQ(F.Height(), -13);
    F.SetSize(10); // no change, no notification
    F.SetStyle({fsBold, fsItalic});
    F.SetName(""); // ignored
    EXPECT_EQ(Changes, 2);
    LOGFONT L = F.LogFont();
    EXPECT_EQ(L.lfWeight, FW_BOLD);
    EXPECT_EQ(L.lfItalic, 1);
    EXPECT_EQ(L.lfFaceName, "MS Sans Serif");

    TFont G;
    G.Assign(&F);
    EXPECT_TRUE(G.Equals(F));
    TFont H;
    H.SetHandle(F.Handle());
    EXPECT_TRUE(H.Equals(F) || H.Color() != F.Color());
    EXPECT_EQ(H.Style(), F.Style());
    TPen P;
    EXPECT_THROW(G.Assign(&P), EConvertError);
}

TEST(Fonts, PenAndBrushAssignAndHandles)
{
    TPen P;
    P.SetWidth(3);
    P.SetStyle(psDot);
    TPen Q;
    Q.Assign(&P);
    EXPECT_EQ(Q.Width(), 3);
    LOGPEN LP;
    ASSERT_TRUE(GetObject(Q.Handle(), LP));
    EXPECT_EQ(LP.lopnStyle, unsigned(PS_DOT));
    EXPECT_EQ(LP.lopnWidth.X, 3);

    TBrush B;
    B.SetStyle(bsClear);
    B.SetColor(clRed); // a colour makes a clear brush solid again
    EXPECT_EQ(B.Style(), bsSolid);
    B.SetStyle(bsDiagCross);
    LOGBRUSH LB;
    ASSERT_TRUE(GetObject(B.Handle(), LB));
    EXPECT_EQ(LB.lbStyle, unsigned(BS_HATCHED));
    EXPECT_EQ(LB.lbHatch, HS_DIAGCROSS);
    EXPECT_EQ(LB.lbColor, Red);
}
