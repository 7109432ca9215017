#pragma once
// TBitmap: an image in memory with a canvas to draw on it.  The pixels are
// a 32-bit Qt image; a monochrome bitmap (pf1bit) keeps them black or
// white, which is what the mask-building blits rely on.  Streams and form
// data hold PNG, or form data names an icon of the theme (see TGraphic).
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"

#include <QImage>
#include <memory>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

    bool Empty() const override;
    int Width() const override;
    void SetWidth(int Value) override;
    int Height() const override;
    void SetHeight(int Value) override;
    // Keeps the pixels of the overlap; new pixels are white, or the
    // canvas's brush once the bitmap has a canvas.
    void SetSize(int AWidth, int AHeight);

    TCanvas* Canvas();
    HBITMAP Handle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // pf1bit turns every pixel black or white (the nearer of the two).
    void SetPixelFormat(TPixelFormat Value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool Value);

    // tmAuto: the colour of the bottom-left pixel; setting a colour makes
    // the mode tmFixed, clDefault makes it tmAuto again.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void LoadFromStream(QIODevice& Stream) override;
    void SaveToStream(QIODevice& Stream) override;
    // A compiled-in image by name (with or without ".png"/".bmp"); raises
    // EResNotFound "Resource %s not found" when there is none.
    void LoadFromResourceName(std::uintptr_t Instance, const String& ResName);

    // Row Row of the pixels (0xAARRGGBB); raises EInvalidGraphicOperation
    // "Scan line index out of range" outside the bitmap.
    QRgb* ScanLine(int Row);
    // The pixels to read (image lists, glyphs, pixel tests); drawing goes
    // through Canvas(), which keeps the classic rules.
    const QImage& Image() const;
    // Takes a copy of Value (any format) as the bitmap's pixels.
    void SetImage(const QImage& Value);

    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void Changed() override;
    void SetIconPixels(const QImage& Image) override;

private:
    friend class TBitmapCanvas;
    QImage BackgroundImage(const QImage& Blank) const;
    void FreeContext();
    HBITMAP FHandle;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    // The size asked for while one side is still 0 (no image yet).
    int FEmptyWidth = 0;
    int FEmptyHeight = 0;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

// The classic 8 x 8 halftone for Brush.Bitmap: FgColor where x and y are
// both even or both odd, BkColor elsewhere.  The bitmap is shared by all
// callers asking for the same two colours and lives as long as the
// program; never free it.
TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor);
