#pragma once
// The drawing layer's side of the GDI objects: the Qt images and fonts
// behind brush, font and bitmap handles.
//
// PRIVATE to platform/graphics and to the windowing layer (platform/windows
// and platform/forms), which
//   - gives a window its device context on the window's image
//     (TDeviceContext(QImage*, Origin, Visible) in DeviceContext.h) and
//     installs WindowDCHooks() and ControlCanvasHooks() with it;
//   - measures text for the Qt editors it embeds with a TFont's Qt font:
//     QtOf(Font->Handle())->QtFont().
// Everything else - controls, the application, tests - draws through HDC
// and the classic calls of Gdi.h, so that every pixel follows the classic
// raster rules; tests read pixels through tests/support/ImageHelpers.h.
#include "platform/graphics/Gdi.h"

#include <QFont>
#include <QImage>

// Bookkeeping behind selection; used by the device context.
void GdiAcquire(TGdiObject* Object);
void GdiRelease(TGdiObject* Object);

class TQtBrush final : public TGdiBrush {
public:
    explicit TQtBrush(const LOGBRUSH& Log) : TGdiBrush(Log) {}
    // BS_PATTERN: a copy of the pattern bitmap taken when the brush is made.
    QImage Pattern;
    bool PatternMono = false;
};

class TQtFont final : public TGdiFont {
public:
    explicit TQtFont(const LOGFONT& Log);
    // The Qt font the logical font maps to, unrotated.
    const QFont& QtFont() const { return FQtFont; }

private:
    QFont FQtFont;
};

class TQtBitmap final : public TGdiBitmap {
public:
    // A 32-bit image, black; none when a side is 0.
    TQtBitmap(int Width, int Height, int BitsPixel);
    QImage Image;
};

// The drawing layer's object behind a handle: every handle comes from the
// creation calls of Gdi.h, so the cast always holds.  nullptr stays nullptr.
inline TQtBrush* QtOf(TGdiBrush* Brush)
{
    return static_cast<TQtBrush*>(Brush);
}
inline const TQtBrush* QtOf(const TGdiBrush* Brush)
{
    return static_cast<const TQtBrush*>(Brush);
}
inline const TQtFont* QtOf(const TGdiFont* Font)
{
    return static_cast<const TQtFont*>(Font);
}
inline TQtBitmap* QtOf(TGdiBitmap* Bitmap)
{
    return static_cast<TQtBitmap*>(Bitmap);
}
inline const TQtBitmap* QtOf(const TGdiBitmap* Bitmap)
{
    return static_cast<const TQtBitmap*>(Bitmap);
}

// The Qt font a logical font is drawn with (pixel sizes, no anti-aliasing,
// no kerning, so that measuring and drawing agree).
QFont QFontFromLogFont(const LOGFONT& Log);
