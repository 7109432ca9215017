#pragma once
// The device context behind an HDC: the classic drawing state over a 32-bit
// image and the raster primitives the drawing calls are built from.  All
// pixel work is ours (spans, blits, raster operations); only glyphs are
// drawn by Qt.
//
// PRIVATE to platform/graphics and the windowing layer, like GdiObjects.h:
// the windowing layer makes the device contexts of windows on their images.
#include "platform/graphics/GdiObjects.h"

#include <optional>
#include <vector>

// Keeps a GDI object alive (its deletion deferred) while a state holds it.
template <typename T>
class TGdiRef {
public:
    TGdiRef() = default;
    TGdiRef(T* Object) : FObject(Object) { GdiAcquire(FObject); }
    TGdiRef(const TGdiRef& Other) : FObject(Other.FObject) { GdiAcquire(FObject); }
    TGdiRef& operator=(const TGdiRef& Other)
    {
        if (this != &Other) {
            GdiAcquire(Other.FObject);
            GdiRelease(FObject);
            FObject = Other.FObject;
        }
        return *this;
    }
    ~TGdiRef() { GdiRelease(FObject); }
    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }

private:
    T* FObject = nullptr;
};

struct TDCState {
    TGdiRef<TGdiPen> Pen;
    TGdiRef<TGdiBrush> Brush;
    TGdiRef<TGdiFont> Font;
    TGdiRef<TGdiBitmap> Bitmap;
    COLORREF TextColor = 0x000000;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    int Rop2 = R2_COPYPEN;
    int PolyFillMode = ALTERNATE;
    int StretchMode = BLACKONWHITE;
    int CharExtra = 0;
    TPoint ViewportOrg;
    TPoint WindowOrg;
    TPoint BrushOrg;
    TPoint CurrentPos;
    // Device coordinates; none means "everything".
    std::optional<TRegionData> Clip;
};

class TDeviceContext {
public:
    // A memory context: draws into whatever bitmap is selected.
    TDeviceContext();
    // A context on a window's image: Origin is where device (0, 0) lies in
    // the image, Visible the part of the image it may paint (image
    // coordinates).  The image must outlive the context.
    TDeviceContext(QImage* Image, TPoint Origin, const TRect& Visible);
    // The same with any visible region (a window partly covered by others).
    TDeviceContext(QImage* Image, TPoint Origin, TRegionData Visible);
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    bool IsMemoryDC() const { return FWindowImage == nullptr; }
    // The window's image went away: the context stays valid but paints
    // nothing from now on.
    void DetachWindowImage();
    TDCState& State() { return FState; }
    const TDCState& State() const { return FState; }
    std::vector<TDCState>& SavedStates() { return FSaved; }

    // The image painted on (nullptr when it is not 32-bit or empty).
    QImage* Image() const;
    bool Monochrome() const;
    int BitsPixel() const { return Monochrome() ? 1 : 32; }
    int Width() const;
    int Height() const;

    // Image coordinates are kept within +-2^29 so that no sum or
    // difference of two of them overflows; only absurd input is affected.
    static int ClampCoord(long long V);
    // Logical point -> image point, and back.
    TPoint ToImage(TPoint P) const;
    // A logical rectangle's corners in image coordinates (not normalised).
    TRect ImageRect(const TRect& Logical) const;
    // The clip's rows, for building regions only where they can be seen.
    TRegionData::TRows ClipRows() const;
    TPoint FromImage(TPoint P) const;
    TPoint ToDevice(TPoint P) const;
    TPoint ImageOrigin() const { return FOrigin; }

    // The pixels that may be painted, in image coordinates.
    const TRegionData& ClipRegion() const;
    void ClipChanged() { FClipValid = false; }

    // What a colour becomes on this surface (black or white when monochrome).
    QRgb SurfaceColor(COLORREF C) const;

    // --- raster primitives, image coordinates, clipped -------------------
    // Row Y, columns [X0, X1): applies ROP2 with a pen colour.
    void PenSpan(int Y, int X0, int X1, QRgb Pen, int Rop2);
    // Row Y, columns [X0, X1): the brush pixels through ROP2 (Rop2 < 0:
    // PATCOPY regardless of the mode).  Null brushes paint nothing.
    void BrushSpan(int Y, int X0, int X1, const TGdiBrush* Brush, int Rop2);
    void FillRegion(const TRegionData& Region, const TGdiBrush* Brush, int Rop2);
    void PenRegion(const TRegionData& Region, QRgb Pen, int Rop2);
    void PenPixel(int X, int Y, QRgb Pen, int Rop2);
    // A pen stroke from A up to (not including) B with the selected pen;
    // StyleCounter carries the dash pattern on along a polyline.
    void PenLine(TPoint A, TPoint B, int& StyleCounter, bool IncludeLast = false);
    bool PenVisible() const;

    // Brush sampling: false where a hatch brush leaves the background
    // transparent.
    bool BrushPixel(const TGdiBrush* Brush, int X, int Y, QRgb& Out) const;

private:
    // Steps First..Last of a one-pixel line, PointAt giving each point.
    template <typename TPointAt>
    void PlotLine(long long First, long long Last, const TPointAt& PointAt, const std::vector<int>* Pattern,
                  int StyleCounter, QRgb Color, QRgb Back);

    QImage* FWindowImage = nullptr;
    TPoint FOrigin;
    TRegionData FVisible;
    TDCState FState;
    std::vector<TDCState> FSaved;
    mutable TRegionData FClipCache;
    mutable bool FClipValid = false;
    mutable QSize FClipImageSize;
    mutable const QImage* FClipImage = nullptr;
};


// A brush handle that may be a system colour index plus one, as classic
// code passes (HBRUSH)(COLOR_BTNFACE + 1), as a real brush.
HBRUSH ResolveBrush(HBRUSH Brush);

// ROP2 of pen P and destination D (24-bit colours).
std::uint32_t ApplyRop2(int Rop2, std::uint32_t P, std::uint32_t D);
// ROP3 of pattern P, source S and destination D (24-bit colours).
std::uint32_t ApplyRop3(std::uint8_t Code, std::uint32_t P, std::uint32_t S, std::uint32_t D);
// Count pixels of one colour from Line on: fills are the bulk of painting
// (backgrounds, gradient bands, stretched strips), so they take the widest
// stores the processor has, as Qt's own fills do.
void FillPixels(QRgb* Line, qsizetype Count, QRgb Color);
