#include "platform/graphics/DeviceContext.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

std::unordered_set<const TDeviceContext*>& LiveContexts()
{
    static std::unordered_set<const TDeviceContext*> Set;
    return Set;
}

// Never destroyed, so that objects freed during static destruction can
// still sign off.
std::unordered_set<const TGdiObject*>& LiveObjects()
{
    static auto* Set = new std::unordered_set<const TGdiObject*>;
    return *Set;
}

// The bitmap every fresh memory context starts with, as classically.
TGdiBitmap* StockBitmap()
{
    static TGdiBitmap* Bitmap = [] {
        auto* B = new TQtBitmap(1, 1, 1);
        GdiAcquire(B); // never released: it lives as long as the program
        return B;
    }();
    return Bitmap;
}

// The dash patterns of cosmetic pens: alternating on and off runs.
const std::vector<int>* DashPattern(unsigned Style)
{
    static const std::vector<int> Dash{18, 6}, Dot{3, 3}, DashDot{9, 6, 3, 6}, DashDotDot{9, 3, 3, 3, 3, 3},
        Alternate{1, 1};
    switch (Style & PS_STYLE_MASK) {
    case PS_DASH: return &Dash;
    case PS_DOT: return &Dot;
    case PS_DASHDOT: return &DashDot;
    case PS_DASHDOTDOT: return &DashDotDot;
    case PS_ALTERNATE: return &Alternate;
    default: return nullptr;
    }
}

bool DashOn(const std::vector<int>& Pattern, int Counter)
{
    int Period = 0;
    for (int Run : Pattern)
        Period += Run;
    int Pos = Counter % Period;
    for (std::size_t I = 0; I < Pattern.size(); ++I) {
        if (Pos < Pattern[I])
            return I % 2 == 0;
        Pos -= Pattern[I];
    }
    return true;
}

// 8x8 hatch patterns, one byte per row, bit 7 = column 0.
constexpr std::array<std::array<std::uint8_t, 8>, 6> Hatches = {{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal, top-left to bottom-right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
}};

int Mod(int A, int B)
{
    const int M = A % B;
    return M < 0 ? M + B : M;
}

} // namespace

// --- raster operations -----------------------------------------------------

std::uint32_t ApplyRop2(int Rop2, std::uint32_t P, std::uint32_t D)
{
    switch (Rop2) {
    case R2_COPYPEN: return P;
    case R2_XORPEN: return P ^ D;
    case R2_NOT: return ~D & 0xFFFFFF;
    case R2_NOP: return D;
    case R2_MASKPEN: return P & D;
    case R2_MERGEPEN: return P | D;
    default: break;
    }
    const unsigned T = unsigned(std::clamp(Rop2, 1, 16) - 1);
    std::uint32_t R = 0;
    if (T & 8) R |= P & D;
    if (T & 4) R |= P & ~D;
    if (T & 2) R |= ~P & D;
    if (T & 1) R |= ~P & ~D;
    return R & 0xFFFFFF;
}

std::uint32_t ApplyRop3(std::uint8_t Code, std::uint32_t P, std::uint32_t S, std::uint32_t D)
{
    std::uint32_t R;
    switch (Code) {
    case 0xCC: R = S; break;
    case 0xF0: R = P; break;
    case 0x88: R = S & D; break;
    case 0xEE: R = S | D; break;
    case 0x66: R = S ^ D; break;
    case 0x44: R = S & ~D; break;
    case 0x33: R = ~S; break;
    case 0x11: R = ~(S | D); break;
    case 0xC0: R = P & S; break;
    case 0xBB: R = ~S | D; break;
    case 0x5A: R = P ^ D; break;
    case 0x55: R = ~D; break;
    case 0x00: R = 0; break;
    case 0xFF: R = 0xFFFFFF; break;
    case 0xAA: R = D; break;
    default:
        R = 0;
        for (int I = 0; I < 8; ++I)
            if (Code & (1 << I))
                R |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
        break;
    }
    return R & 0xFFFFFF;
}

HBRUSH ResolveBrush(HBRUSH Brush)
{
    const auto Value = reinterpret_cast<std::uintptr_t>(Brush);
    if (Value != 0 && Value <= 31) {
        static std::array<HBRUSH, 31> SysBrushes{};
        HBRUSH& Cached = SysBrushes[Value - 1];
        if (Cached == nullptr) {
            Cached = CreateSolidBrush(GetSysColor(int(Value) - 1));
            GdiAcquire(Cached); // kept for the life of the program
        }
        return Cached;
    }
    return IsGdiObject(Brush) ? Brush : nullptr;
}

HBRUSH GetSysColorBrush(int Index)
{
    if (Index < 0 || Index > 30)
        return nullptr;
    return ResolveBrush(reinterpret_cast<HBRUSH>(std::uintptr_t(Index + 1)));
}

// --- object bookkeeping ------------------------------------------------------

TGdiObject::TGdiObject(TGdiKind Kind) : FKind(Kind)
{
    LiveObjects().insert(this);
}

TGdiObject::~TGdiObject()
{
    LiveObjects().erase(this);
}

bool IsGdiObject(const TGdiObject* Object)
{
    return Object != nullptr && LiveObjects().count(Object) != 0;
}

void GdiAcquire(TGdiObject* Object)
{
    if (Object != nullptr)
        ++Object->FUses;
}

void GdiRelease(TGdiObject* Object)
{
    if (Object == nullptr)
        return;
    if (--Object->FUses <= 0 && Object->FDeletePending && !Object->FStock)
        delete Object;
}

int DeleteObject(HGDIOBJ Object)
{
    if (!IsGdiObject(Object))
        return 0;
    if (Object->FStock)
        return 1;
    if (Object->FDeletePending)
        return 0;
    if (Object->FUses > 0) {
        // Still selected somewhere: it goes when the last context lets go.
        Object->FDeletePending = true;
        return 1;
    }
    delete Object;
    return 1;
}

TQtBitmap::TQtBitmap(int Width, int Height, int BitsPixel) : TGdiBitmap(BitsPixel)
{
    if (Width > 0 && Height > 0) {
        Image = QImage(Width, Height, QImage::Format_RGB32);
        Image.fill(qRgb(0, 0, 0));
    }
}

HGDIOBJ GetStockObject(int Index)
{
    static std::array<TGdiObject*, 20> Stock = [] {
        std::array<TGdiObject*, 20> S{};
        auto Brush = [](unsigned Style, COLORREF C) { return new TQtBrush(LOGBRUSH{Style, C, 0}); };
        auto Pen = [](unsigned Style, COLORREF C) { return new TGdiPen(LOGPEN{Style, {1, 0}, C}); };
        S[WHITE_BRUSH] = Brush(BS_SOLID, RGB(255, 255, 255));
        S[LTGRAY_BRUSH] = Brush(BS_SOLID, RGB(192, 192, 192));
        S[GRAY_BRUSH] = Brush(BS_SOLID, RGB(128, 128, 128));
        S[DKGRAY_BRUSH] = Brush(BS_SOLID, RGB(64, 64, 64));
        S[BLACK_BRUSH] = Brush(BS_SOLID, RGB(0, 0, 0));
        S[NULL_BRUSH] = Brush(BS_NULL, 0);
        S[WHITE_PEN] = Pen(PS_SOLID, RGB(255, 255, 255));
        S[BLACK_PEN] = Pen(PS_SOLID, 0);
        S[NULL_PEN] = Pen(PS_NULL, 0);
        LOGFONT Gui;
        Gui.lfHeight = -11;
        Gui.lfFaceName = QStringLiteral("MS Shell Dlg 2");
        LOGFONT Fixed = Gui;
        Fixed.lfFaceName = QStringLiteral("Courier New");
        Fixed.lfPitchAndFamily = FIXED_PITCH;
        LOGFONT System = Gui;
        System.lfHeight = 16;
        System.lfWeight = FW_BOLD;
        S[OEM_FIXED_FONT] = new TQtFont(Fixed);
        S[ANSI_FIXED_FONT] = new TQtFont(Fixed);
        S[ANSI_VAR_FONT] = new TQtFont(Gui);
        S[SYSTEM_FONT] = new TQtFont(System);
        S[DEVICE_DEFAULT_FONT] = new TQtFont(System);
        S[SYSTEM_FIXED_FONT] = new TQtFont(Fixed);
        S[DEFAULT_GUI_FONT] = new TQtFont(Gui);
        S[DC_BRUSH] = Brush(BS_SOLID, RGB(255, 255, 255));
        S[DC_PEN] = Pen(PS_SOLID, 0);
        return S;
    }();
    if (Index < 0 || Index >= int(Stock.size()) || Stock[std::size_t(Index)] == nullptr)
        return nullptr;
    TGdiObject* Object = Stock[std::size_t(Index)];
    Object->FStock = true;
    return Object;
}

// --- object creation --------------------------------------------------------------

HPEN CreatePen(int Style, int Width, COLORREF Color)
{
    return CreatePenIndirect(LOGPEN{unsigned(Style), {Width, 0}, Color});
}

HPEN CreatePenIndirect(const LOGPEN& Log)
{
    LOGPEN L = Log;
    if ((L.lopnStyle & PS_STYLE_MASK) > PS_ALTERNATE)
        L.lopnStyle = PS_SOLID;
    L.lopnWidth.X = std::max(L.lopnWidth.X, 0);
    L.lopnColor &= 0xFFFFFF;
    return new TGdiPen(L);
}

HBRUSH CreateSolidBrush(COLORREF Color)
{
    return new TQtBrush(LOGBRUSH{BS_SOLID, Color & 0xFFFFFF, 0});
}

HBRUSH CreateHatchBrush(int Hatch, COLORREF Color)
{
    if (Hatch < HS_HORIZONTAL || Hatch > HS_DIAGCROSS)
        return nullptr;
    return new TQtBrush(LOGBRUSH{BS_HATCHED, Color & 0xFFFFFF, Hatch});
}

HBRUSH CreatePatternBrush(HBITMAP Bitmap)
{
    if (!IsGdiObject(Bitmap) || QtOf(Bitmap)->Image.isNull())
        return nullptr;
    auto* Brush = new TQtBrush(LOGBRUSH{BS_PATTERN, 0, 0});
    Brush->Pattern = QtOf(Bitmap)->Image.copy();
    Brush->PatternMono = Bitmap->Monochrome();
    return Brush;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH& Log)
{
    switch (Log.lbStyle) {
    case BS_SOLID: return CreateSolidBrush(Log.lbColor);
    case BS_NULL: return new TQtBrush(LOGBRUSH{BS_NULL, 0, 0});
    case BS_HATCHED: return CreateHatchBrush(int(Log.lbHatch), Log.lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(Log.lbHatch));
    default: return nullptr;
    }
}

HBITMAP CreateCompatibleBitmap(HDC DC, int Width, int Height)
{
    if (!IsValidDC(DC) || Width < 0 || Height < 0)
        return nullptr;
    return new TQtBitmap(Width, Height, DC->BitsPixel());
}

HBITMAP CreateBitmap(int Width, int Height, unsigned Planes, unsigned BitsPixel, const void* Bits)
{
    if (Width < 0 || Height < 0 || Planes != 1)
        return nullptr;
    auto* Bitmap = new TQtBitmap(Width, Height, int(BitsPixel));
    if (Bits != nullptr && !Bitmap->Image.isNull()) {
        // Classic layout: rows padded to 16 bits for monochrome bitmaps,
        // 32-bit pixels as 0xXXRRGGBB otherwise.
        const auto* Bytes = static_cast<const std::uint8_t*>(Bits);
        for (int Y = 0; Y < Height; ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Bitmap->Image.scanLine(Y));
            if (BitsPixel == 1) {
                const int Stride = ((Width + 15) / 16) * 2;
                for (int X = 0; X < Width; ++X) {
                    const bool Set = Bytes[Y * Stride + X / 8] & (0x80 >> (X % 8));
                    Line[X] = Set ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                }
            } else if (BitsPixel == 32) {
                const auto* Pixels = reinterpret_cast<const std::uint32_t*>(Bytes) + std::size_t(Y) * Width;
                for (int X = 0; X < Width; ++X)
                    Line[X] = 0xFF000000u | (Pixels[X] & 0xFFFFFF);
            }
        }
    }
    return Bitmap;
}

int GetObject(HGDIOBJ Object, int Size, void* Buffer)
{
    if (!IsGdiObject(Object))
        return 0;
    int Needed = 0;
    switch (Object->Kind()) {
    case TGdiKind::Pen: Needed = int(sizeof(LOGPEN)); break;
    case TGdiKind::Brush: Needed = int(sizeof(LOGBRUSH)); break;
    case TGdiKind::Font: Needed = int(sizeof(LOGFONT)); break;
    case TGdiKind::Bitmap: Needed = int(sizeof(BITMAP)); break;
    case TGdiKind::Region: return 0;
    }
    if (Buffer == nullptr)
        return Needed;
    if (Size < Needed)
        return 0;
    switch (Object->Kind()) {
    case TGdiKind::Pen: *static_cast<LOGPEN*>(Buffer) = static_cast<TGdiPen*>(Object)->Log; break;
    case TGdiKind::Brush: *static_cast<LOGBRUSH*>(Buffer) = static_cast<TGdiBrush*>(Object)->Log; break;
    case TGdiKind::Font: *static_cast<LOGFONT*>(Buffer) = static_cast<TGdiFont*>(Object)->Log; break;
    case TGdiKind::Bitmap: GetObject(static_cast<HBITMAP>(Object), *static_cast<BITMAP*>(Buffer)); break;
    case TGdiKind::Region: break;
    }
    return Needed;
}

bool GetObject(HFONT Font, LOGFONT& Log)
{
    if (!IsGdiObject(Font))
        return false;
    Log = Font->Log;
    return true;
}

bool GetObject(HPEN Pen, LOGPEN& Log)
{
    if (!IsGdiObject(Pen))
        return false;
    Log = Pen->Log;
    return true;
}

bool GetObject(HBRUSH Brush, LOGBRUSH& Log)
{
    if (!IsGdiObject(Brush))
        return false;
    Log = Brush->Log;
    return true;
}

bool GetObject(HBITMAP Bitmap, BITMAP& Info)
{
    if (!IsGdiObject(Bitmap))
        return false;
    Info = BITMAP{};
    Info.bmWidth = QtOf(Bitmap)->Image.width();
    Info.bmHeight = QtOf(Bitmap)->Image.height();
    Info.bmBitsPixel = Bitmap->BitsPixel;
    Info.bmWidthBytes = Bitmap->Monochrome() ? ((Info.bmWidth + 15) / 16) * 2 : Info.bmWidth * 4;
    return true;
}

// --- the device context ------------------------------------------------------------

bool IsValidDC(HDC DC)
{
    return DC != nullptr && LiveContexts().count(DC) != 0;
}

TDeviceContext::TDeviceContext()
{
    FState.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    FState.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FState.Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    FState.Bitmap = StockBitmap();
    LiveContexts().insert(this);
}

TDeviceContext::TDeviceContext(QImage* Image, TPoint Origin, const TRect& Visible)
    : TDeviceContext(Image, Origin, TRegionData(Visible))
{
}

TDeviceContext::TDeviceContext(QImage* Image, TPoint Origin, TRegionData Visible)
    : TDeviceContext()
{
    FWindowImage = Image;
    FOrigin = Origin;
    FVisible = std::move(Visible);
    FState.Bitmap = TGdiRef<TGdiBitmap>();
}

void TDeviceContext::DetachWindowImage()
{
    static QImage Gone;
    FWindowImage = &Gone;
    FVisible = TRegionData();
    FClipValid = false;
}

TDeviceContext::~TDeviceContext()
{
    LiveContexts().erase(this);
}

QImage* TDeviceContext::Image() const
{
    QImage* Img = FWindowImage;
    if (Img == nullptr && FState.Bitmap.Get() != nullptr)
        Img = &QtOf(FState.Bitmap.Get())->Image;
    if (Img == nullptr || Img->isNull() || Img->depth() != 32)
        return nullptr;
    return Img;
}

bool TDeviceContext::Monochrome() const
{
    return FWindowImage == nullptr && FState.Bitmap.Get() != nullptr && FState.Bitmap->Monochrome();
}

int TDeviceContext::Width() const
{
    const QImage* Img = Image();
    return Img ? Img->width() : 0;
}

int TDeviceContext::Height() const
{
    const QImage* Img = Image();
    return Img ? Img->height() : 0;
}

int TDeviceContext::ClampCoord(long long V)
{
    constexpr long long Limit = 1LL << 29;
    return int(std::clamp(V, -Limit, Limit));
}

TPoint TDeviceContext::ToDevice(TPoint P) const
{
    return {ClampCoord((long long)P.X - FState.WindowOrg.X + FState.ViewportOrg.X),
            ClampCoord((long long)P.Y - FState.WindowOrg.Y + FState.ViewportOrg.Y)};
}

TPoint TDeviceContext::ToImage(TPoint P) const
{
    const TPoint D = ToDevice(P);
    return {ClampCoord((long long)D.X + FOrigin.X), ClampCoord((long long)D.Y + FOrigin.Y)};
}

TPoint TDeviceContext::FromImage(TPoint P) const
{
    return {ClampCoord((long long)P.X - FOrigin.X - FState.ViewportOrg.X + FState.WindowOrg.X),
            ClampCoord((long long)P.Y - FOrigin.Y - FState.ViewportOrg.Y + FState.WindowOrg.Y)};
}

TRect TDeviceContext::ImageRect(const TRect& Logical) const
{
    const TPoint A = ToImage(Logical.TopLeft());
    const TPoint B = ToImage(Logical.BottomRight());
    return {A.X, A.Y, B.X, B.Y};
}

TRegionData::TRows TDeviceContext::ClipRows() const
{
    const TRect B = ClipRegion().Bounds();
    return {B.Top, B.Bottom};
}

const TRegionData& TDeviceContext::ClipRegion() const
{
    const QImage* Img = Image();
    const QSize Size = Img ? Img->size() : QSize();
    if (FClipValid && Img == FClipImage && Size == FClipImageSize)
        return FClipCache;
    const TRect Bounds{0, 0, Size.width(), Size.height()};
    FClipCache = TRegionData(Bounds);
    if (FWindowImage != nullptr)
        FClipCache = FClipCache.Combine(FVisible, RGN_AND);
    if (FState.Clip) {
        TRegionData Clip = *FState.Clip;
        Clip.Offset(FOrigin.X, FOrigin.Y);
        FClipCache = FClipCache.Combine(Clip, RGN_AND);
    }
    FClipImage = Img;
    FClipImageSize = Size;
    FClipValid = true;
    return FClipCache;
}

QRgb TDeviceContext::SurfaceColor(COLORREF C) const
{
    if (Monochrome()) {
        // The nearer of black and white, as a two-colour palette matches.
        const int Sum = GetRValue(C) + GetGValue(C) + GetBValue(C);
        return Sum >= 383 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return ColorRefToQRgb(C);
}

void TDeviceContext::PenSpan(int Y, int X0, int X1, QRgb Pen, int Rop2)
{
    QImage* Img = Image();
    if (Img == nullptr || X0 >= X1)
        return;
    ClipRegion().ForEachSpan(Y, X0, X1, [&](int A, int B) {
        auto* Line = reinterpret_cast<QRgb*>(Img->scanLine(Y));
        if (Rop2 == R2_COPYPEN) {
            std::fill(Line + A, Line + B, Pen);
            return;
        }
        for (int X = A; X < B; ++X)
            Line[X] = 0xFF000000u | ApplyRop2(Rop2, Pen & 0xFFFFFF, Line[X] & 0xFFFFFF);
    });
}

void TDeviceContext::PenPixel(int X, int Y, QRgb Pen, int Rop2)
{
    PenSpan(Y, X, X + 1, Pen, Rop2);
}

bool TDeviceContext::BrushPixel(const TGdiBrush* Brush, int X, int Y, QRgb& Out) const
{
    const int PX = Mod(X - FOrigin.X - FState.BrushOrg.X, 8);
    const int PY = Mod(Y - FOrigin.Y - FState.BrushOrg.Y, 8);
    switch (Brush->Log.lbStyle) {
    case BS_SOLID:
        Out = SurfaceColor(Brush->Log.lbColor);
        return true;
    case BS_HATCHED: {
        const auto& Rows = Hatches[std::size_t(std::clamp<std::intptr_t>(Brush->Log.lbHatch, 0, 5))];
        if (Rows[std::size_t(PY)] & (0x80 >> PX)) {
            Out = SurfaceColor(Brush->Log.lbColor);
            return true;
        }
        if (FState.BkMode == TRANSPARENT)
            return false;
        Out = SurfaceColor(FState.BkColor);
        return true;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN: {
        const QImage& P = QtOf(Brush)->Pattern;
        if (P.isNull())
            return false;
        const int BX = Mod(X - FOrigin.X - FState.BrushOrg.X, P.width());
        const int BY = Mod(Y - FOrigin.Y - FState.BrushOrg.Y, P.height());
        const QRgb Pixel = reinterpret_cast<const QRgb*>(P.constScanLine(BY))[BX];
        if (QtOf(Brush)->PatternMono)
            Out = SurfaceColor((Pixel & 0xFFFFFF) == 0 ? FState.TextColor : FState.BkColor);
        else
            Out = Monochrome() ? SurfaceColor(QRgbToColorRef(Pixel)) : (0xFF000000u | Pixel);
        return true;
    }
    default:
        return false;
    }
}

void TDeviceContext::BrushSpan(int Y, int X0, int X1, const TGdiBrush* Brush, int Rop2)
{
    QImage* Img = Image();
    if (Img == nullptr || Brush == nullptr || Brush->Log.lbStyle == BS_NULL || X0 >= X1)
        return;
    if (Brush->Log.lbStyle == BS_SOLID) {
        PenSpan(Y, X0, X1, SurfaceColor(Brush->Log.lbColor), Rop2 < 0 ? R2_COPYPEN : Rop2);
        return;
    }
    ClipRegion().ForEachSpan(Y, X0, X1, [&](int A, int B) {
        auto* Line = reinterpret_cast<QRgb*>(Img->scanLine(Y));
        for (int X = A; X < B; ++X) {
            QRgb P;
            if (!BrushPixel(Brush, X, Y, P))
                continue;
            Line[X] = Rop2 < 0 || Rop2 == R2_COPYPEN
                          ? P
                          : 0xFF000000u | ApplyRop2(Rop2, P & 0xFFFFFF, Line[X] & 0xFFFFFF);
        }
    });
}

namespace {

// Fills the pixels of Region that lie inside Clip with one colour, a band
// at a time: each pair of overlapping bands gives spans that are the same
// on all of their common rows.
void FillSolidRegion(QImage& Img, const TRegionData& Clip, const TRegionData& Region, QRgb Color)
{
    uchar* Bits = Img.bits();
    const qsizetype Stride = Img.bytesPerLine();
    const auto& ClipBands = Clip.Bands();
    std::size_t First = 0;
    for (const TRegionData::TBand& Band : Region.Bands()) {
        while (First < ClipBands.size() && ClipBands[First].Bottom <= Band.Top)
            ++First;
        for (std::size_t C = First; C < ClipBands.size() && ClipBands[C].Top < Band.Bottom; ++C) {
            const int Top = std::max(Band.Top, ClipBands[C].Top);
            const int Bottom = std::min(Band.Bottom, ClipBands[C].Bottom);
            auto A = Band.Spans.begin(), B = ClipBands[C].Spans.begin();
            while (A != Band.Spans.end() && B != ClipBands[C].Spans.end()) {
                const int X0 = std::max(A->X0, B->X0), X1 = std::min(A->X1, B->X1);
                for (int Y = Top; X0 < X1 && Y < Bottom; ++Y) {
                    auto* Line = reinterpret_cast<QRgb*>(Bits + Y * Stride);
                    FillPixels(Line + X0, X1 - X0, Color);
                }
                if (A->X1 < B->X1)
                    ++A;
                else
                    ++B;
            }
        }
    }
}

} // namespace

void TDeviceContext::FillRegion(const TRegionData& Region, const TGdiBrush* Brush, int Rop2)
{
    QImage* Img = Image();
    if (Img != nullptr && Brush != nullptr && Brush->Log.lbStyle == BS_SOLID && (Rop2 < 0 || Rop2 == R2_COPYPEN)) {
        FillSolidRegion(*Img, ClipRegion(), Region, SurfaceColor(Brush->Log.lbColor));
        return;
    }
    const TRect Limit = ClipRegion().Bounds();
    for (const TRegionData::TBand& Band : Region.Bands())
        for (int Y = std::max(Band.Top, Limit.Top); Y < std::min(Band.Bottom, Limit.Bottom); ++Y)
            for (const TRegionData::TSpan& S : Band.Spans)
                BrushSpan(Y, S.X0, S.X1, Brush, Rop2);
}

void TDeviceContext::PenRegion(const TRegionData& Region, QRgb Pen, int Rop2)
{
    const TRect Limit = ClipRegion().Bounds();
    for (const TRegionData::TBand& Band : Region.Bands())
        for (int Y = std::max(Band.Top, Limit.Top); Y < std::min(Band.Bottom, Limit.Bottom); ++Y)
            for (const TRegionData::TSpan& S : Band.Spans)
                PenSpan(Y, S.X0, S.X1, Pen, Rop2);
}

bool TDeviceContext::PenVisible() const
{
    return FState.Pen.Get() != nullptr && (FState.Pen->Log.lopnStyle & PS_STYLE_MASK) != PS_NULL;
}

template <typename TPointAt>
void TDeviceContext::PlotLine(long long First, long long Last, const TPointAt& PointAt, const std::vector<int>* Pattern,
                              int StyleCounter, QRgb Color, QRgb Back)
{
    // The image and clip looked up once for the whole line, not per pixel.
    QImage* Img = Image();
    if (Img == nullptr)
        return;
    const TRegionData& ClipArea = ClipRegion();
    const TRect Clip = ClipArea.Bounds();
    const int Rop2 = FState.Rop2;
    for (long long I = First; I <= Last; ++I) {
        long long X, Y;
        PointAt(I, X, Y);
        if (X < Clip.Left || X >= Clip.Right || Y < Clip.Top || Y >= Clip.Bottom || !ClipArea.Contains(int(X), int(Y)))
            continue;
        const bool On = Pattern == nullptr || DashOn(*Pattern, int((StyleCounter + I) % 0x40000000));
        if (!On && FState.BkMode != OPAQUE)
            continue;
        const QRgb Pen = On ? Color : Back;
        QRgb& Pixel = reinterpret_cast<QRgb*>(Img->scanLine(int(Y)))[X];
        Pixel = Rop2 == R2_COPYPEN ? Pen : 0xFF000000u | ApplyRop2(Rop2, Pen & 0xFFFFFF, Pixel & 0xFFFFFF);
    }
}

void TDeviceContext::PenLine(TPoint A, TPoint B, int& StyleCounter, bool IncludeLast)
{
    if (!PenVisible())
        return;
    const LOGPEN& Pen = FState.Pen->Log;
    const QRgb Color = SurfaceColor(Pen.lopnColor);
    const QRgb Back = SurfaceColor(FState.BkColor);
    const int Width = std::max(Pen.lopnWidth.X, 1);
    const std::vector<int>* Pattern = Width == 1 ? DashPattern(Pen.lopnStyle) : nullptr;
    const int Rop2 = FState.Rop2;

    // Bresenham in closed form: point I of a line that is longer along its
    // major axis lies I steps along it and round(I * minor / major) across,
    // halves rounding towards the start (as the classic error term does).
    // That lets the walk start and stop at the visible part, so lines far
    // outside the image cost nothing.
    const long long DX = std::llabs((long long)B.X - A.X), DY = std::llabs((long long)B.Y - A.Y);
    const int SX = A.X <= B.X ? 1 : -1, SY = A.Y <= B.Y ? 1 : -1;
    const bool XMajor = DX >= DY;
    const long long Major = XMajor ? DX : DY, Minor = XMajor ? DY : DX;
    const long long Steps = Major + (IncludeLast ? 1 : 0);
    auto PointAt = [&](long long I, long long& X, long long& Y) {
        const long long Across = Major == 0 ? 0 : CeilDiv(2 * I * Minor - Major, 2 * Major);
        X = A.X + (XMajor ? I : Across) * SX;
        Y = A.Y + (XMajor ? Across : I) * SY;
    };
    // The steps whose major coordinate can touch the clip area (widened by
    // the pen).
    const TRect Clip = ClipRegion().Bounds();
    const long long Lo = (XMajor ? Clip.Left : Clip.Top) - Width, Hi = (XMajor ? Clip.Right : Clip.Bottom) + Width;
    const long long Start0 = XMajor ? A.X : A.Y;
    const int Dir = XMajor ? SX : SY;
    long long First = 0, Last = Steps - 1;
    if (Dir > 0) {
        First = std::max(First, Lo - Start0);
        Last = std::min(Last, Hi - Start0);
    } else {
        First = std::max(First, Start0 - Hi);
        Last = std::min(Last, Start0 - Lo);
    }
    if (Width == 1) {
        if (DY == 0 && Pattern == nullptr && First <= Last) {
            // A solid horizontal line is one span.
            const long long X0 = A.X + First * SX, X1 = A.X + Last * SX;
            PenSpan(A.Y, int(std::min(X0, X1)), int(std::max(X0, X1)) + 1, Color, Rop2);
        } else {
            PlotLine(First, Last, PointAt, Pattern, StyleCounter, Color, Back);
        }
        StyleCounter = int((StyleCounter + std::max(Steps, 0LL)) % 0x40000000);
        return;
    }
    // Wide pens: a square of the pen's width around every point, collected
    // first so that a raster operation touches each pixel once.
    if (First > Last)
        return;
    const int Before = (Width - 1) / 2, After = Width / 2;
    std::vector<TPoint> Points;
    long long MinY = 0, MaxY = 0;
    for (long long I = First; I <= Last; ++I) {
        long long X, Y;
        PointAt(I, X, Y);
        if (Y + After < Clip.Top || Y - Before >= Clip.Bottom || X + After < Clip.Left || X - Before >= Clip.Right)
            continue;
        if (Points.empty())
            MinY = MaxY = Y;
        MinY = std::min(MinY, Y);
        MaxY = std::max(MaxY, Y);
        Points.push_back({int(X), int(Y)});
    }
    if (Points.empty())
        return;
    std::vector<std::vector<TRegionData::TSpan>> Rows(std::size_t(MaxY - MinY + Width));
    for (const TPoint& P : Points)
        for (int RowY = P.Y - Before; RowY <= P.Y + After; ++RowY)
            Rows[std::size_t(RowY - (MinY - Before))].push_back({P.X - Before, P.X + After + 1});
    PenRegion(TRegionData::FromRows(int(MinY - Before), Rows), Color, Rop2);
}

// --- creating and freeing contexts, state calls --------------------------------------

namespace {

// Screen contexts: each GetDC(nullptr) gets its own fresh state (as the
// classic call does) over one shared stand-in image; nothing painted on
// them shows anywhere.
std::unordered_set<HDC>& ScreenContexts()
{
    static std::unordered_set<HDC> Set;
    return Set;
}

HDC NewScreenDC()
{
    static QImage Screen(1, 1, QImage::Format_RGB32);
    HDC DC = new TDeviceContext(&Screen, {0, 0}, {0, 0, 1, 1});
    ScreenContexts().insert(DC);
    return DC;
}

} // namespace

HDC CreateCompatibleDC(HDC)
{
    return new TDeviceContext();
}

BOOL DeleteDC(HDC DC)
{
    if (!IsValidDC(DC))
        return 0;
    ScreenContexts().erase(DC);
    delete DC;
    return 1;
}

TWindowDCHooks& WindowDCHooks()
{
    static TWindowDCHooks Hooks;
    return Hooks;
}

HDC GetDC(HWND Wnd)
{
    if (Wnd == nullptr)
        return NewScreenDC();
    if (WindowDCHooks().GetDC)
        return WindowDCHooks().GetDC(Wnd);
    return nullptr;
}

int ReleaseDC(HWND Wnd, HDC DC)
{
    if (ScreenContexts().erase(DC) != 0) {
        delete DC;
        return 1;
    }
    if (WindowDCHooks().ReleaseDC)
        return WindowDCHooks().ReleaseDC(Wnd, DC);
    return 0;
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object)
{
    if (!IsValidDC(DC) || !IsGdiObject(Object) || Object->FDeletePending)
        return nullptr;
    TDCState& S = DC->State();
    HGDIOBJ Old = nullptr;
    switch (Object->Kind()) {
    case TGdiKind::Pen:
        Old = S.Pen.Get();
        S.Pen = static_cast<HPEN>(Object);
        break;
    case TGdiKind::Brush:
        Old = S.Brush.Get();
        S.Brush = static_cast<HBRUSH>(Object);
        break;
    case TGdiKind::Font:
        Old = S.Font.Get();
        S.Font = static_cast<HFONT>(Object);
        break;
    case TGdiKind::Bitmap:
        if (!DC->IsMemoryDC())
            return nullptr;
        Old = S.Bitmap.Get();
        S.Bitmap = static_cast<HBITMAP>(Object);
        DC->ClipChanged();
        break;
    case TGdiKind::Region:
        SelectClipRgn(DC, static_cast<HRGN>(Object));
        return nullptr;
    }
    return Old;
}

HGDIOBJ GetCurrentObject(HDC DC, int Type)
{
    if (!IsValidDC(DC))
        return nullptr;
    switch (Type) {
    case OBJ_PEN: return DC->State().Pen.Get();
    case OBJ_BRUSH: return DC->State().Brush.Get();
    case OBJ_FONT: return DC->State().Font.Get();
    case OBJ_BITMAP: return DC->State().Bitmap.Get();
    default: return nullptr;
    }
}

#define DC_SETTER(Type, Name, Field, Fail)                                                                  \
    Type Set##Name(HDC DC, Type Value)                                                                      \
    {                                                                                                       \
        if (!IsValidDC(DC))                                                                                 \
            return Fail;                                                                                    \
        const Type Old = DC->State().Field;                                                                 \
        DC->State().Field = Value;                                                                          \
        return Old;                                                                                         \
    }                                                                                                       \
    Type Get##Name(HDC DC) { return IsValidDC(DC) ? DC->State().Field : Fail; }

DC_SETTER(unsigned, TextAlign, TextAlign, unsigned(GDI_ERROR))
DC_SETTER(int, TextCharacterExtra, CharExtra, 0)
#undef DC_SETTER

COLORREF SetTextColor(HDC DC, COLORREF Color)
{
    if (!IsValidDC(DC))
        return COLORREF(CLR_INVALID);
    const COLORREF Old = DC->State().TextColor;
    DC->State().TextColor = Color & 0xFFFFFF;
    return Old;
}

COLORREF GetTextColor(HDC DC)
{
    return IsValidDC(DC) ? DC->State().TextColor : COLORREF(CLR_INVALID);
}

COLORREF SetBkColor(HDC DC, COLORREF Color)
{
    if (!IsValidDC(DC))
        return COLORREF(CLR_INVALID);
    const COLORREF Old = DC->State().BkColor;
    DC->State().BkColor = Color & 0xFFFFFF;
    return Old;
}

COLORREF GetBkColor(HDC DC)
{
    return IsValidDC(DC) ? DC->State().BkColor : COLORREF(CLR_INVALID);
}

int SetBkMode(HDC DC, int Mode)
{
    if (!IsValidDC(DC) || (Mode != TRANSPARENT && Mode != OPAQUE))
        return 0;
    const int Old = DC->State().BkMode;
    DC->State().BkMode = Mode;
    return Old;
}

int GetBkMode(HDC DC)
{
    return IsValidDC(DC) ? DC->State().BkMode : 0;
}

int SetROP2(HDC DC, int Mode)
{
    if (!IsValidDC(DC) || Mode < R2_BLACK || Mode > R2_WHITE)
        return 0;
    const int Old = DC->State().Rop2;
    DC->State().Rop2 = Mode;
    return Old;
}

int GetROP2(HDC DC)
{
    return IsValidDC(DC) ? DC->State().Rop2 : 0;
}

int SetPolyFillMode(HDC DC, int Mode)
{
    if (!IsValidDC(DC) || (Mode != ALTERNATE && Mode != WINDING))
        return 0;
    const int Old = DC->State().PolyFillMode;
    DC->State().PolyFillMode = Mode;
    return Old;
}

int GetPolyFillMode(HDC DC)
{
    return IsValidDC(DC) ? DC->State().PolyFillMode : 0;
}

int SetStretchBltMode(HDC DC, int Mode)
{
    if (!IsValidDC(DC) || Mode < BLACKONWHITE || Mode > HALFTONE)
        return 0;
    const int Old = DC->State().StretchMode;
    DC->State().StretchMode = Mode;
    return Old;
}

int GetStretchBltMode(HDC DC)
{
    return IsValidDC(DC) ? DC->State().StretchMode : 0;
}

BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old)
{
    if (!IsValidDC(DC))
        return 0;
    if (Old)
        *Old = DC->State().BrushOrg;
    DC->State().BrushOrg = {X, Y};
    return 1;
}

BOOL GetBrushOrgEx(HDC DC, TPoint* Org)
{
    if (!IsValidDC(DC) || Org == nullptr)
        return 0;
    *Org = DC->State().BrushOrg;
    return 1;
}

int SaveDC(HDC DC)
{
    if (!IsValidDC(DC))
        return 0;
    DC->SavedStates().push_back(DC->State());
    return int(DC->SavedStates().size());
}

BOOL RestoreDC(HDC DC, int Saved)
{
    if (!IsValidDC(DC))
        return 0;
    auto& Stack = DC->SavedStates();
    const int Count = int(Stack.size());
    const int Index = Saved < 0 ? Count + Saved : Saved - 1;
    if (Saved == 0 || Index < 0 || Index >= Count)
        return 0;
    DC->State() = Stack[std::size_t(Index)];
    Stack.resize(std::size_t(Index));
    DC->ClipChanged();
    return 1;
}

BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old)
{
    if (!IsValidDC(DC))
        return 0;
    if (Old)
        *Old = DC->State().ViewportOrg;
    DC->State().ViewportOrg = {X, Y};
    return 1;
}

BOOL GetViewportOrgEx(HDC DC, TPoint* Org)
{
    if (!IsValidDC(DC) || Org == nullptr)
        return 0;
    *Org = DC->State().ViewportOrg;
    return 1;
}

BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old)
{
    if (!IsValidDC(DC))
        return 0;
    const TPoint Org = DC->State().ViewportOrg;
    return SetViewportOrgEx(DC, Org.X + DX, Org.Y + DY, Old);
}

BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old)
{
    if (!IsValidDC(DC))
        return 0;
    if (Old)
        *Old = DC->State().WindowOrg;
    DC->State().WindowOrg = {X, Y};
    return 1;
}

BOOL GetWindowOrgEx(HDC DC, TPoint* Org)
{
    if (!IsValidDC(DC) || Org == nullptr)
        return 0;
    *Org = DC->State().WindowOrg;
    return 1;
}

BOOL LPtoDP(HDC DC, TPoint* Points, int Count)
{
    if (!IsValidDC(DC) || (Points == nullptr && Count > 0))
        return 0;
    for (int I = 0; I < Count; ++I)
        Points[I] = DC->ToDevice(Points[I]);
    return 1;
}

BOOL DPtoLP(HDC DC, TPoint* Points, int Count)
{
    if (!IsValidDC(DC) || (Points == nullptr && Count > 0))
        return 0;
    const TDCState& S = DC->State();
    for (int I = 0; I < Count; ++I)
        Points[I] = {Points[I].X - S.ViewportOrg.X + S.WindowOrg.X, Points[I].Y - S.ViewportOrg.Y + S.WindowOrg.Y};
    return 1;
}

int GetDeviceCaps(HDC DC, int Index)
{
    if (!IsValidDC(DC))
        return 0;
    switch (Index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return DC->Width();
    case VERTRES: return DC->Height();
    case HORZSIZE: return MulDiv(DC->Width(), 254, 960);
    case VERTSIZE: return MulDiv(DC->Height(), 254, 960);
    case BITSPIXEL: return DC->BitsPixel();
    case PLANES: return 1;
    case NUMCOLORS: return DC->Monochrome() ? 2 : -1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    case COLORRES: return DC->Monochrome() ? 1 : 24;
    case RASTERCAPS: return 0x0001 | 0x0008 | 0x0800; // blits, bitmaps over 64K, stretch blits
    default: return 0;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("avx2", "default")))
#endif
void FillPixels(QRgb* Line, qsizetype Count, QRgb Color)
{
    // Up to a 32-byte boundary one at a time: wide stores that straddle
    // cache lines cost twice.
    while (Count > 0 && (reinterpret_cast<std::uintptr_t>(Line) & 31) != 0) {
        *Line++ = Color;
        --Count;
    }
    auto* Aligned = static_cast<QRgb*>(__builtin_assume_aligned(Line, 32));
#pragma GCC unroll 4
    for (qsizetype X = 0; X < Count; ++X)
        Aligned[X] = Color;
}
