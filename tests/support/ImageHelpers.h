#pragma once
// Image helpers for painting tests: a 32-bit bitmap with a device context to
// draw into, pixel reads in the classic 0x00BBGGRR colour form, and
// assertions that save the image as PNG (under failed-images/ in the
// current folder) when they fail, so a person can look at it.
#include "platform/graphics/Gdi.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

// Colours of pixel checks, as COLORREF (0x00BBGGRR).
constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Black = 0x000000;
constexpr COLORREF Red = 0x0000FF;
constexpr COLORREF Blue = 0xFF0000;

// A bitmap selected into its own memory device context.
class TTestSurface {
public:
    TTestSurface(int Width, int Height, COLORREF Background = 0xFFFFFF, int BitsPixel = 32);
    ~TTestSurface();
    TTestSurface(const TTestSurface&) = delete;
    TTestSurface& operator=(const TTestSurface&) = delete;

    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
    const QImage& Image() const;
    int Width() const { return Image().width(); }
    int Height() const { return Image().height(); }
    // Pixel as 0x00BBGGRR, read directly from the image (no clipping).
    COLORREF Pixel(int X, int Y) const;
    void Fill(COLORREF Color);

private:
    HBITMAP FBitmap = nullptr;
    HDC FDC = nullptr;
    HGDIOBJ FOld = nullptr;
};

// A device context on Window as the windowing layer makes them: device
// (0, 0) at Origin of the image, painting only Visible (image coordinates).
// Window must outlive it; DeleteDC frees it.
HDC CreateWindowDC(QImage* Window, TPoint Origin, const TRect& Visible);

class TCanvas;
// Paints through a canvas on a fresh Width x Height bitmap filled with
// Background (a COLORREF) and returns the pixels.
QImage PaintToImage(int Width, int Height, const std::function<void(TCanvas& Canvas)>& Paint,
                    COLORREF Background = 0xFFFFFF);

// Saves Image as failed-images/<Name>.png; returns the path.
QString SaveFailedImage(const QImage& Image, const QString& Name);
// The current test's name, made safe for a file name.
QString CurrentTestImageName(const QString& Suffix = QString());

// Pixel (X, Y) of Image as 0x00BBGGRR.
COLORREF ImagePixel(const QImage& Image, int X, int Y);

// Every pixel of R has Color; on failure reports the first wrong pixel and
// saves the image.
::testing::AssertionResult RectHasColor(const QImage& Image, const TRect& R, COLORREF Color);
// Pixel (X, Y) has Color; saves the image when it does not.
::testing::AssertionResult PixelIs(const QImage& Image, int X, int Y, COLORREF Color);
// Every pixel for which Expected gives a colour has it.
::testing::AssertionResult PixelsMatch(const QImage& Image,
                                       const std::function<bool(int X, int Y, COLORREF& Expected)>& Expected);
// Every pixel of Color lies inside R (and at least one exists when
// RequireSome); saves the image otherwise.
::testing::AssertionResult ColorOnlyInside(const QImage& Image, COLORREF Color, const TRect& R,
                                           bool RequireSome = true);
// The bounding box of all pixels of Color (empty when none).
TRect BoundsOfColor(const QImage& Image, COLORREF Color);
// Number of pixels of Color in R.
int CountColor(const QImage& Image, COLORREF Color, const TRect& R);
// Where Part shows in R of Image: the first top-left corner at which every
// fully opaque pixel of Part is in Image with its colour (what a glyph or
// image-list icon leaves however it blends its edges).  Fails, saving the
// image, when Part shows nowhere in R.
::testing::AssertionResult ShowsImage(const QImage& Image, const QImage& Part, const TRect& R, TPoint* Where = nullptr);
