// Bitmaps, icons and pictures: sizes, pixel formats, transparency, PNG
// streams, form data and property registration.
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Graphics.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/TempDir.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// A component with the image and font properties controls publish.
class TGraphicsHolder : public TComponent {
public:
    explicit TGraphicsHolder(TComponent* AOwner) : TComponent(AOwner) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TFont* Font() const { return FFont.get(); }
    TBitmap* Glyph() const { return FGlyph.get(); }
    TPicture* Picture() const { return FPicture.get(); }

private:
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

void Paint(TBitmap& B, TColor Back, const TRect& R, TColor Fore)
{
    B.Canvas()->Brush()->SetColor(Back);
    B.Canvas()->FillRect(Rect(0, 0, B.Width(), B.Height()));
    B.Canvas()->Brush()->SetColor(Fore);
    B.Canvas()->FillRect(R);
}

} // namespace

REGISTER_COMPONENT(TGraphicsHolder, TComponent)
    PUBLISHED(Color, clBtnFace)
    PUBLISHED_OBJECT(Font)
    PUBLISHED_OBJECT(Glyph)
    PUBLISHED_OBJECT(Picture)
END_REGISTER

TEST(Bitmaps, ResizingKeepsTheOverlap)
{
    TBitmap B;
    EXPECT_TRUE(B.Empty());
    B.SetSize(4, 4);
    Paint(B, clRed, Rect(0, 0, 0, 0), clRed);
    B.Canvas()->Brush()->SetColor(clBlue);
    B.SetWidth(6);
    EXPECT_EQ(B.Width(), 6);
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(0, 0, 4, 4), Red));
    // New pixels take the canvas's brush.
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(4, 0, 6, 4), Blue));
    // The canvas keeps working on the resized bitmap.
    B.Canvas()->SetPixels(5, 3, clLime);
    EXPECT_TRUE(PixelIs(B.Image(), 5, 3, 0x00FF00));
    B.SetHeight(-3);
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Width(), 6);
    EXPECT_EQ(B.Height(), 0);
    // A size no memory can hold fails cleanly and keeps the bitmap.
    B.SetSize(2, 2);
    EXPECT_EQ(ErrorMessage<EOutOfResources>([&] { B.SetSize(2000000000, 2000000000); }), "Out of system resources");
    EXPECT_EQ(B.Width(), 2);
}

TEST(Bitmaps, SizeGivenOneSideAtATime)
{
    // Width first, then Height, as most callers size a fresh bitmap.
    TBitmap B;
    B.SetWidth(32);
    EXPECT_TRUE(B.Empty());
    B.SetHeight(20);
    ASSERT_FALSE(B.Empty());
    EXPECT_EQ(B.Image().width(), 32);
    EXPECT_EQ(B.Image().height(), 20);
    TBitmap C;
    C.Assign(&B);
    EXPECT_EQ(C.Width(), 32);
    // A saved bitmap is a real PNG of that size.
    TTestDir Dir;
    B.SaveToFile(Dir.File("sized.png"));
    EXPECT_EQ(QImage(Dir.File("sized.png")).size(), QSize(32, 20));
}

TEST(Bitmaps, FreshPixelsAreWhiteUntilTheBitmapHasACanvas)
{
    // Glyphs are drawn on fresh bitmaps whose untouched pixels (the
    // bottom-left one above all) serve as the transparent colour.
    TBitmap B;
    B.SetWidth(5);
    B.SetHeight(4);
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(0, 0, 5, 4), White));
    B.Canvas()->SetPixels(2, 1, clRed);
    B.SetTransparent(true);
    EXPECT_EQ(B.TransparentColor(), clWhite);
    // With a canvas the growth takes its brush; a clear brush leaves it black.
    B.Canvas()->Brush()->SetColor(clBtnFace);
    B.SetHeight(6);
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(0, 4, 5, 6), GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(PixelIs(B.Image(), 2, 1, Red));
    B.Canvas()->Brush()->SetStyle(bsClear);
    B.SetWidth(7);
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(5, 0, 7, 6), 0x000000));
    TBitmap Mono;
    Mono.SetMonochrome(true);
    Mono.SetSize(3, 3);
    EXPECT_TRUE(RectHasColor(Mono.Image(), Rect(0, 0, 3, 3), White));
}

TEST(Bitmaps, ResizingGivesTheCanvasAFreshContext)
{
    // A clip and an origin set on the old context are gone after a
    // resize; the pen position carries over.
    TBitmap B;
    B.SetSize(10, 10);
    HDC Old = B.Canvas()->Handle();
    IntersectClipRect(Old, 0, 0, 5, 5);
    SetViewportOrgEx(Old, 3, 3, nullptr);
    SetBkMode(Old, TRANSPARENT);
    B.Canvas()->MoveTo(7, 8);
    B.SetSize(40, 30);
    HDC New = B.Canvas()->Handle();
    TPoint Org{-1, -1};
    GetViewportOrgEx(New, &Org);
    EXPECT_EQ(Org, Point(0, 0));
    EXPECT_EQ(GetBkMode(New), OPAQUE);
    EXPECT_EQ(B.Canvas()->ClipRect(), Rect(0, 0, 40, 30));
    EXPECT_EQ(B.Canvas()->PenPos(), Point(7, 8));
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(0, 0, 40, 30), Red));
    // So does a change of pixel format.
    IntersectClipRect(B.Canvas()->Handle(), 0, 0, 1, 1);
    B.SetPixelFormat(pf1bit);
    B.Canvas()->Brush()->SetColor(clBlack);
    B.Canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_TRUE(RectHasColor(B.Image(), Rect(0, 0, 40, 30), 0x000000));
}

TEST(Bitmaps, MonochromeBitmapsDrawInTheCanvasFontAndBrushColours)
{
    // 0 bits take the destination's font colour, 1 bits its brush colour,
    // even when neither was selected by earlier drawing.
    TBitmap Mono;
    Mono.SetMonochrome(true);
    Mono.SetSize(4, 2);
    Mono.Canvas()->Brush()->SetColor(clBlack);
    Mono.Canvas()->FillRect(Rect(0, 0, 2, 2));
    TBitmap Dest;
    Dest.SetSize(8, 2);
    Dest.Canvas()->Font()->SetColor(clRed);
    Dest.Canvas()->Brush()->SetColor(clBlue);
    Dest.Canvas()->Draw(0, 0, &Mono);
    EXPECT_TRUE(RectHasColor(Dest.Image(), Rect(0, 0, 2, 2), Red));
    EXPECT_TRUE(RectHasColor(Dest.Image(), Rect(2, 0, 4, 2), Blue));
    Dest.Canvas()->Font()->SetColor(clLime);
    Dest.Canvas()->Brush()->SetColor(clYellow);
    Dest.Canvas()->StretchDraw(Rect(4, 0, 8, 1), &Mono);
    EXPECT_TRUE(RectHasColor(Dest.Image(), Rect(4, 0, 6, 1), 0x00FF00));
    EXPECT_TRUE(RectHasColor(Dest.Image(), Rect(6, 0, 8, 1), 0x00FFFF));
}

TEST(Bitmaps, MonochromeKeepsBlackAndWhite)
{
    TBitmap B;
    B.SetSize(3, 1);
    B.Canvas()->SetPixels(0, 0, clBtnFace);
    B.Canvas()->SetPixels(1, 0, cl3DDkShadow);
    B.Canvas()->SetPixels(2, 0, clNavy);
    B.SetPixelFormat(pf1bit);
    EXPECT_TRUE(B.Monochrome());
    EXPECT_EQ(ImagePixel(B.Image(), 0, 0), White);
    EXPECT_EQ(ImagePixel(B.Image(), 1, 0), 0x000000u);
    EXPECT_EQ(ImagePixel(B.Image(), 2, 0), 0x000000u);
    // Drawing in colour into it still gives black or white.
    B.Canvas()->SetPixels(2, 0, clYellow);
    EXPECT_EQ(ImagePixel(B.Image(), 2, 0), White);
    EXPECT_EQ(GetDeviceCaps(B.Canvas()->Handle(), BITSPIXEL), 1);
}

TEST(Bitmaps, TransparentDrawLeavesTheTransparentColourUntouched)
{
    TBitmap Glyph;
    Glyph.SetSize(4, 4);
    Paint(Glyph, clFuchsia, Rect(1, 1, 3, 3), clRed);
    Glyph.SetTransparent(true);
    EXPECT_EQ(Glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(Glyph.TransparentColor(), clFuchsia); // the bottom-left pixel
    TBitmap Dest;
    Dest.SetSize(8, 8);
    Paint(Dest, clBlue, Rect(0, 0, 0, 0), clBlue);
    Dest.Canvas()->Draw(2, 2, &Glyph);
    EXPECT_TRUE(PixelsMatch(Dest.Image(), [](int X, int Y, COLORREF& Want) {
        Want = X >= 3 && X < 5 && Y >= 3 && Y < 5 ? Red : Blue;
        return true;
    }));
    // A fixed transparent colour; then an opaque draw copies everything.
    Glyph.SetTransparentColor(clRed);
    EXPECT_EQ(Glyph.TransparentMode(), tmFixed);
    Dest.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &Glyph);
    EXPECT_TRUE(PixelIs(Dest.Image(), 0, 0, 0xFF00FF));
    EXPECT_TRUE(PixelIs(Dest.Image(), 3, 3, Red)); // unchanged: the red part was transparent
    Glyph.SetTransparent(false);
    Dest.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &Glyph);
    EXPECT_TRUE(PixelIs(Dest.Image(), 2, 2, Red));
    Glyph.SetTransparentColor(clDefault);
    EXPECT_EQ(Glyph.TransparentMode(), tmAuto);
}

TEST(Bitmaps, AlphaImagesAndIconsDrawThroughAThresholdMask)
{
    QImage Img(2, 1, QImage::Format_ARGB32);
    Img.setPixel(0, 0, qRgba(255, 0, 0, 255));
    Img.setPixel(1, 0, qRgba(255, 0, 0, 100));
    TBitmap B;
    B.SetImage(Img);
    EXPECT_EQ(B.PixelFormat(), pf32bit);
    TIcon I;
    I.SetImage(Img);
    for (TGraphic* G : {static_cast<TGraphic*>(&B), static_cast<TGraphic*>(&I)}) {
        TBitmap Dest;
        Dest.SetSize(2, 1);
        Paint(Dest, clWhite, Rect(0, 0, 0, 0), clWhite);
        Dest.Canvas()->Draw(0, 0, G);
        EXPECT_TRUE(PixelIs(Dest.Image(), 0, 0, RGB(255, 0, 0)));
        EXPECT_TRUE(PixelIs(Dest.Image(), 1, 0, White));
    }
    EXPECT_THROW(I.SetWidth(3), EInvalidGraphicOperation);
}

TEST(Bitmaps, PngStreamsAndFilesRoundTrip)
{
    TBitmap B;
    B.SetSize(5, 3);
    Paint(B, clWhite, Rect(1, 1, 4, 2), clRed);
    const QByteArray Data = B.SaveToData();
    ASSERT_TRUE(Data.startsWith("\x89PNG"));
    TBitmap C;
    C.LoadFromData(Data);
    EXPECT_EQ(C.Width(), 5);
    EXPECT_EQ(C.Height(), 3);
    EXPECT_TRUE(PixelIs(C.Image(), 2, 1, Red));
    EXPECT_TRUE(PixelIs(C.Image(), 0, 0, White));

    TTestDir Dir;
    B.SaveToFile(Dir.File("glyph.png"));
    TPicture P;
    P.LoadFromFile(Dir.File("glyph.png"));
    ASSERT_NE(dynamic_cast<TBitmap*>(P.Graphic()), nullptr);
    EXPECT_EQ(P.Width(), 5);
    EXPECT_THROW(P.LoadFromFile(Dir.File("missing.png")), EInOutError);
    EXPECT_EQ(P.Width(), 5); // a failed load keeps the picture
}

TEST(Bitmaps, BadDataAndMissingResourcesRaiseTheClassicErrors)
{
    TBitmap B;
    B.SetSize(2, 2);
    EXPECT_EQ(ErrorMessage<EInvalidGraphic>([&] { B.LoadFromData("not an image at all"); }),
              "Bitmap image is not valid");
    EXPECT_EQ(B.Width(), 2); // unchanged
    EXPECT_EQ(ErrorMessage<EResNotFound>([&] { B.LoadFromResourceName(0, "NOSUCHGLYPH"); }),
              "Resource NOSUCHGLYPH not found");
    EXPECT_EQ(ErrorMessage<EInvalidGraphicOperation>([&] { B.ScanLine(2); }), "Scan line index out of range");
    B.ScanLine(1)[1] = qRgb(0, 0, 255);
    EXPECT_EQ(ImagePixel(B.Image(), 1, 1), Blue);
    B.LoadFromData(QByteArray()); // nothing: an empty bitmap
    EXPECT_TRUE(B.Empty());
}

TEST(Bitmaps, AssignCopiesPixelsAndSettings)
{
    TBitmap A;
    A.SetSize(2, 2);
    Paint(A, clRed, Rect(0, 0, 0, 0), clRed);
    A.SetTransparentColor(clRed);
    A.SetTransparent(true);
    TBitmap B;
    B.Assign(&A);
    A.Canvas()->SetPixels(0, 0, clBlue); // independent copies
    EXPECT_TRUE(PixelIs(B.Image(), 0, 0, Red));
    EXPECT_TRUE(B.Transparent());
    EXPECT_EQ(B.TransparentColor(), clRed);
    TPicture P;
    P.Assign(&B);
    TBitmap C;
    C.Assign(&P);
    EXPECT_EQ(C.Width(), 2);
    B.Assign(nullptr);
    EXPECT_TRUE(B.Empty());
    TFont F;
    EXPECT_THROW(C.Assign(&F), EConvertError);
}

TEST(Streaming, FontColourAndImagesRoundTripThroughFormText)
{
    TGraphicsHolder Holder(nullptr);
    Holder.SetName("Holder");
    Holder.SetColor(clHighlight);
    Holder.Font()->SetName("Verdana");
    Holder.Font()->SetStyle({fsBold});
    Holder.Font()->SetColor(TColor(0x123456));
    Holder.Glyph()->SetSize(3, 2);
    Paint(*Holder.Glyph(), clWhite, Rect(0, 0, 1, 1), clRed);
    Holder.Picture()->Bitmap()->Assign(Holder.Glyph());

    const QByteArray Text = WriteComponentToText(&Holder);
    const QString S = QString::fromUtf8(Text);
    EXPECT_TRUE(S.contains("Color = clHighlight")) << Text.constData();
    EXPECT_TRUE(S.contains("Font.Charset = DEFAULT_CHARSET")) << Text.constData();
    EXPECT_TRUE(S.contains("Font.Color = $00123456") || S.contains("Font.Color = 1193046")) << Text.constData();
    EXPECT_TRUE(S.contains("Font.Height = -11")) << Text.constData();
    EXPECT_TRUE(S.contains("Font.Name = 'Verdana'")) << Text.constData();
    EXPECT_TRUE(S.contains("Font.Style = [fsBold]")) << Text.constData();
    EXPECT_FALSE(S.contains("Font.Size")) << Text.constData();
    EXPECT_TRUE(S.contains("Glyph.Data")) << Text.constData();

    TGraphicsHolder Back(nullptr);
    ReadComponentFromText(Text, &Back, "holder.form");
    EXPECT_EQ(Back.Color(), clHighlight);
    EXPECT_TRUE(Back.Font()->Equals(*Holder.Font()));
    EXPECT_EQ(Back.Glyph()->Width(), 3);
    EXPECT_TRUE(PixelIs(Back.Glyph()->Image(), 0, 0, Red));
    EXPECT_TRUE(PixelIs(Back.Glyph()->Image(), 2, 1, White));
    ASSERT_NE(Back.Picture()->Graphic(), nullptr);
    EXPECT_EQ(Back.Picture()->Width(), 3);
}

TEST(Streaming, PropertiesAreReachableByName)
{
    TFont F;
    SetOrdProp(&F, "Height", -16);
    EXPECT_EQ(F.Height(), -16);
    EXPECT_EQ(GetOrdProp(&F, "Size"), 12);
    SetStrProp(&F, "Name", "DejaVu Sans");
    EXPECT_EQ(F.Name(), "DejaVu Sans");
    SetSetProp(&F, "Style", "[fsItalic,fsUnderline]");
    EXPECT_EQ(F.Style(), (TFontStyles{fsItalic, fsUnderline}));
    TPen P;
    SetEnumProp(&P, "Style", "psDot");
    EXPECT_EQ(P.Style(), psDot);
    TBrush B;
    EXPECT_EQ(GetEnumProp(&B, "Style"), "bsSolid");
    String Ident;
    EXPECT_TRUE(IntToIdent(TypeInfoOf<TColor>(), clBtnFace, Ident));
    EXPECT_EQ(Ident, "clBtnFace");
    std::int64_t Value = 0;
    EXPECT_TRUE(IdentToInt(TypeInfoOf<TFontCharset>(), "OEM_CHARSET", Value));
    EXPECT_EQ(Value, 255);
}
