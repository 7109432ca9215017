#pragma once
// The device-context drawing calls, under their classic names and with their
// classic raster rules, painting into 32-bit images.  Handles are plain
// pointers to our own GDI objects; a null handle is what the classic calls
// call 0.  Every call accepts null handles and bad arguments and fails the
// classic way (FALSE, 0, ERROR) instead of crashing.
//
// This header shows the classic calls only: the images and fonts behind the
// handles are the drawing layer's own (GdiObjects.h, DeviceContext.h), so
// that everything drawn follows the classic rules.
#include "platform/graphics/Colors.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Types.h"

#include <cstdint>
#include <functional>

class TDeviceContext;

// --- GDI objects ------------------------------------------------------------

enum class TGdiKind { Pen, Brush, Font, Bitmap, Region };

class TGdiObject {
public:
    explicit TGdiObject(TGdiKind Kind);
    virtual ~TGdiObject();
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiKind Kind() const { return FKind; }
    bool IsStock() const { return FStock; }

private:
    friend void GdiAcquire(TGdiObject*);
    friend void GdiRelease(TGdiObject*);
    friend int DeleteObject(TGdiObject*);
    friend TGdiObject* GetStockObject(int);
    friend TGdiObject* SelectObject(TDeviceContext*, TGdiObject*);
    TGdiKind FKind;
    bool FStock = false;
    // A selected object is only really deleted once no device context
    // (nor a saved state of one) holds it any more.
    int FUses = 0;
    bool FDeletePending = false;
};

// False for nullptr and for objects that were deleted: a handle kept after
// DeleteObject (or handed back by SelectObject after a deferred deletion
// completed) makes the calls fail instead of touching freed memory.
bool IsGdiObject(const TGdiObject* Object);

enum : int {
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
    PS_INSIDEFRAME = 6, PS_ALTERNATE = 8, PS_STYLE_MASK = 0x0F,
};
enum : int {
    BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5,
};
enum : int {
    HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5,
};

struct LOGPEN {
    unsigned lopnStyle = PS_SOLID;
    TPoint lopnWidth;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    unsigned lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::intptr_t lbHatch = 0;
};

enum : int { LF_FACESIZE = 32 };
enum : int {
    FW_DONTCARE = 0, FW_THIN = 100, FW_LIGHT = 300, FW_NORMAL = 400, FW_MEDIUM = 500, FW_SEMIBOLD = 600,
    FW_BOLD = 700, FW_HEAVY = 900,
};
enum : int {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255,
    DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2,
    OUT_DEFAULT_PRECIS = 0, OUT_TT_PRECIS = 4, CLIP_DEFAULT_PRECIS = 0,
    DEFAULT_QUALITY = 0, NONANTIALIASED_QUALITY = 3, ANTIALIASED_QUALITY = 4,
};

struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = DEFAULT_CHARSET;
    std::uint8_t lfOutPrecision = OUT_DEFAULT_PRECIS;
    std::uint8_t lfClipPrecision = CLIP_DEFAULT_PRECIS;
    std::uint8_t lfQuality = DEFAULT_QUALITY;
    std::uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    String lfFaceName;
    bool operator==(const LOGFONT&) const = default;
};

struct BITMAP {
    int bmType = 0;
    int bmWidth = 0;
    int bmHeight = 0;
    int bmWidthBytes = 0;
    int bmPlanes = 1;
    int bmBitsPixel = 0;
    void* bmBits = nullptr;
};

class TGdiPen final : public TGdiObject {
public:
    explicit TGdiPen(const LOGPEN& Log) : TGdiObject(TGdiKind::Pen), Log(Log) {}
    LOGPEN Log;
};

// Brushes, fonts and bitmaps as the classic calls see them; only the
// creation calls make them (with their pixels and Qt fonts, GdiObjects.h).
class TGdiBrush : public TGdiObject {
public:
    LOGBRUSH Log;

protected:
    explicit TGdiBrush(const LOGBRUSH& Log) : TGdiObject(TGdiKind::Brush), Log(Log) {}
};

class TGdiFont : public TGdiObject {
public:
    LOGFONT Log;

protected:
    explicit TGdiFont(const LOGFONT& Log) : TGdiObject(TGdiKind::Font), Log(Log) {}
};

class TGdiBitmap : public TGdiObject {
public:
    // 32 bits; 1 marks a monochrome bitmap whose pixels are kept black or
    // white.
    int BitsPixel = 32;
    bool Monochrome() const { return BitsPixel == 1; }

protected:
    explicit TGdiBitmap(int ABitsPixel) : TGdiObject(TGdiKind::Bitmap), BitsPixel(ABitsPixel == 1 ? 1 : 32) {}
};

class TGdiRegion final : public TGdiObject {
public:
    TGdiRegion() : TGdiObject(TGdiKind::Region) {}
    explicit TGdiRegion(TRegionData Data) : TGdiObject(TGdiKind::Region), Data(std::move(Data)) {}
    TRegionData Data;
};

using HGDIOBJ = TGdiObject*;
using HPEN = TGdiPen*;
using HBRUSH = TGdiBrush*;
using HFONT = TGdiFont*;
using HBITMAP = TGdiBitmap*;
using HRGN = TGdiRegion*;
using HDC = TDeviceContext*;
using BOOL = int;
using UINT = unsigned;
using DWORD = std::uint32_t;
// A window; platform/windows defines it and installs the window hooks.
struct TWndHandle;
using HWND = TWndHandle*;

enum : int { GDI_ERROR = -1, CLR_INVALID = -1 };

// --- object creation ---------------------------------------------------------

HPEN CreatePen(int Style, int Width, COLORREF Color);
HPEN CreatePenIndirect(const LOGPEN& Log);
HBRUSH CreateSolidBrush(COLORREF Color);
HBRUSH CreateHatchBrush(int Hatch, COLORREF Color);
// Copies the bitmap: later changes to it do not change the brush.
HBRUSH CreatePatternBrush(HBITMAP Bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH& Log);
HFONT CreateFontIndirect(const LOGFONT& Log);
HBITMAP CreateCompatibleBitmap(HDC DC, int Width, int Height);
HBITMAP CreateBitmap(int Width, int Height, unsigned Planes, unsigned BitsPixel, const void* Bits);
HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRectRgnIndirect(const TRect& R);
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
HRGN CreatePolyPolygonRgn(const TPoint* Points, const int* Counts, int PolyCount, int FillMode);
HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int EllipseWidth, int EllipseHeight);
// Stock objects are never deleted; DeleteObject on them succeeds and does nothing.
int DeleteObject(HGDIOBJ Object);

enum : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, OEM_FIXED_FONT = 10,
    ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, DEVICE_DEFAULT_FONT = 14,
    SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19,
};
HGDIOBJ GetStockObject(int Index);
// A solid brush of a system colour, owned by the system (never delete it).
HBRUSH GetSysColorBrush(int Index);

// Fills Buffer with the LOGPEN, LOGBRUSH, LOGFONT or BITMAP of the object
// (Buffer must point to one of those, Size its size); returns the bytes
// written, 0 on failure.  With a null Buffer returns the size needed.
int GetObject(HGDIOBJ Object, int Size, void* Buffer);
bool GetObject(HFONT Font, LOGFONT& Log);
bool GetObject(HPEN Pen, LOGPEN& Log);
bool GetObject(HBRUSH Brush, LOGBRUSH& Log);
bool GetObject(HBITMAP Bitmap, BITMAP& Info);

// --- device contexts ---------------------------------------------------------

// False for nullptr and for contexts that were deleted.
bool IsValidDC(HDC DC);
// A memory device context with the stock 1x1 monochrome bitmap selected.
HDC CreateCompatibleDC(HDC DC);
BOOL DeleteDC(HDC DC);
// Window device contexts come from the window layer through these hooks;
// GetDC(nullptr) gives a screen-like context (32 bits, 96 pixels per inch).
struct TWindowDCHooks {
    std::function<HDC(HWND)> GetDC;
    std::function<int(HWND, HDC)> ReleaseDC;
};
TWindowDCHooks& WindowDCHooks();
HDC GetDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);

// Selecting returns the object of the same kind that was selected, or
// nullptr on failure; a bitmap can only go into a memory context.
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object);
// The handle handed back may name an object whose deferred deletion this
// very selection completed; it is only ever compared or passed back to the
// calls, which reject it, so it is converted without looking at it.
inline HPEN SelectObject(HDC DC, HPEN Pen) { return reinterpret_cast<HPEN>(SelectObject(DC, static_cast<HGDIOBJ>(Pen))); }
inline HBRUSH SelectObject(HDC DC, HBRUSH Brush) { return reinterpret_cast<HBRUSH>(SelectObject(DC, static_cast<HGDIOBJ>(Brush))); }
inline HFONT SelectObject(HDC DC, HFONT Font) { return reinterpret_cast<HFONT>(SelectObject(DC, static_cast<HGDIOBJ>(Font))); }
inline HBITMAP SelectObject(HDC DC, HBITMAP Bitmap) { return reinterpret_cast<HBITMAP>(SelectObject(DC, static_cast<HGDIOBJ>(Bitmap))); }
enum : int { OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_FONT = 6, OBJ_BITMAP = 7 };
HGDIOBJ GetCurrentObject(HDC DC, int Type);

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);

enum : unsigned {
    TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0,
    TA_BOTTOM = 8, TA_BASELINE = 24, TA_RTLREADING = 256,
};
unsigned SetTextAlign(HDC DC, unsigned Align);
unsigned GetTextAlign(HDC DC);

enum : int {
    R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5, R2_NOT = 6,
    R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16,
};
int SetROP2(HDC DC, int Mode);
int GetROP2(HDC DC);
int SetPolyFillMode(HDC DC, int Mode);
int GetPolyFillMode(HDC DC);
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };
int SetStretchBltMode(HDC DC, int Mode);
int GetStretchBltMode(HDC DC);
BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetBrushOrgEx(HDC DC, TPoint* Org);

// Saved states are numbered from 1; RestoreDC(DC, -1) restores the last
// one, a positive number restores that state and drops the later ones.
int SaveDC(HDC DC);
BOOL RestoreDC(HDC DC, int Saved);

BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint* Org);
BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetWindowOrgEx(HDC DC, TPoint* Org);
BOOL LPtoDP(HDC DC, TPoint* Points, int Count);
BOOL DPtoLP(HDC DC, TPoint* Points, int Count);

enum : int {
    TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14,
    NUMBRUSHES = 16, NUMPENS = 18, NUMFONTS = 22, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88,
    LOGPIXELSY = 90, SIZEPALETTE = 104, COLORRES = 108,
};
enum : int { DT_RASDISPLAY = 1 };
int GetDeviceCaps(HDC DC, int Index);

// --- clipping ------------------------------------------------------------------

// Clip calls return the new clip region's complexity (NULLREGION,
// SIMPLEREGION, COMPLEXREGION) or RGN_ERROR.  Rectangles are logical
// coordinates; regions given to SelectClipRgn are device coordinates and
// are copied.  SelectClipRgn(DC, nullptr) removes the clip region.
int SelectClipRgn(HDC DC, HRGN Region);
int ExtSelectClipRgn(HDC DC, HRGN Region, int Mode);
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int OffsetClipRgn(HDC DC, int DX, int DY);
// The visible part of the context in logical coordinates.
int GetClipBox(HDC DC, TRect* R);
// 1 and a copy in Region when there is a clip region, 0 when there is none.
int GetClipRgn(HDC DC, HRGN Region);
BOOL PtVisible(HDC DC, int X, int Y);
BOOL RectVisible(HDC DC, const TRect* R);

// --- regions -------------------------------------------------------------------

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
BOOL PtInRegion(HRGN Region, int X, int Y);
BOOL RectInRegion(HRGN Region, const TRect* R);
int OffsetRgn(HRGN Region, int DX, int DY);
BOOL EqualRgn(HRGN A, HRGN B);
int GetRgnBox(HRGN Region, TRect* R);
BOOL SetRectRgn(HRGN Region, int Left, int Top, int Right, int Bottom);
BOOL FillRgn(HDC DC, HRGN Region, HBRUSH Brush);
BOOL PaintRgn(HDC DC, HRGN Region);
BOOL InvertRgn(HDC DC, HRGN Region);
BOOL FrameRgn(HDC DC, HRGN Region, HBRUSH Brush, int Width, int Height);

// --- lines and shapes ----------------------------------------------------------

BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetCurrentPositionEx(HDC DC, TPoint* Pos);
// Draws from the current position up to, but not including, (X, Y).
BOOL LineTo(HDC DC, int X, int Y);
BOOL Polyline(HDC DC, const TPoint* Points, int Count);
BOOL PolyPolyline(HDC DC, const TPoint* Points, const DWORD* Counts, int PolyCount);
BOOL Polygon(HDC DC, const TPoint* Points, int Count);
BOOL PolyPolygon(HDC DC, const TPoint* Points, const int* Counts, int PolyCount);
// Right and bottom edges excluded; with a clear pen the filled part is one
// pixel smaller on the right and bottom, as classically.
BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom);
BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom);
BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int EllipseWidth, int EllipseHeight);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);
BOOL SetPixelV(HDC DC, int X, int Y, COLORREF Color);
// CLR_INVALID outside the image or the clip region.
COLORREF GetPixel(HDC DC, int X, int Y);

// --- fills and blits -------------------------------------------------------------

int FillRect(HDC DC, const TRect* R, HBRUSH Brush);
int FrameRect(HDC DC, const TRect* R, HBRUSH Brush);
BOOL InvertRect(HDC DC, const TRect* R);

enum : std::uint32_t {
    SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062,
};
BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop);
// A monochrome source paints 0 bits in the destination's text colour and 1
// bits in its background colour; a colour source copied into a monochrome
// destination gives 1 where it has the source's background colour.
BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, DWORD Rop);
// A negative width or height mirrors: the destination then runs from the
// given pixel towards smaller coordinates.  Pixels are picked, not blended.
BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight, DWORD Rop);
// Copies the source where the monochrome mask is 0 and leaves the
// destination alone where it is 1; the mask is stretched with the source.
BOOL TransparentStretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY,
                           int SrcWidth, int SrcHeight, HDC Mask, int MaskX, int MaskY);
// Copies all source pixels except those of the colour Transparent.
BOOL TransparentBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                    int SrcHeight, COLORREF Transparent);
// Blends the source over the destination: each pixel weighs
// SourceConstantAlpha / 255, times its own alpha / 255 with AC_SRC_ALPHA.
// Our 32-bit images keep straight (not premultiplied) alpha, and so does
// the source here.  Scaled sources are picked, not filtered.
struct BLENDFUNCTION {
    unsigned char BlendOp = 0;
    unsigned char BlendFlags = 0;
    unsigned char SourceConstantAlpha = 255;
    unsigned char AlphaFormat = 0;
};
enum : unsigned char { AC_SRC_OVER = 0x00, AC_SRC_ALPHA = 0x01 };
BOOL AlphaBlend(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth, int SrcHeight,
                BLENDFUNCTION Blend);

// --- edges and frame controls ------------------------------------------------------

enum : unsigned {
    BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004, BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = 0x0003, BDR_INNER = 0x000C, BDR_RAISED = 0x0005, BDR_SUNKEN = 0x000A,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : unsigned {
    BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT, BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT, BF_RECT = 0x000F, BF_DIAGONAL = 0x0010,
    BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT, BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT,
    BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT,
    BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT,
    BF_MIDDLE = 0x0800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};
// Outer ring first, then the inner one; top and left lines in the
// upper-left colour, right and bottom lines (and the two off-diagonal
// corner pixels) in the lower-right colour.  BF_ADJUST shrinks R by what
// was drawn.
BOOL DrawEdge(HDC DC, TRect* R, unsigned Edge, unsigned Flags);
// Inverts every second pixel of the rectangle's outline (the pixels whose
// device x + y is even), so that drawing it twice restores the picture.
BOOL DrawFocusRect(HDC DC, const TRect* R);

enum : unsigned { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };
enum : unsigned {
    DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010,
    DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002, DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_TRANSPARENT = 0x0800,
    DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000,
};
// Check box, radio button, push button and scroll-arrow faces, painted.
BOOL DrawFrameControl(HDC DC, TRect* R, unsigned Type, unsigned State);

// --- text -------------------------------------------------------------------------

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    int tmOverhang = 0;
    int tmDigitizedAspectX = 96;
    int tmDigitizedAspectY = 96;
    QChar tmFirstChar = QChar(0x20);
    QChar tmLastChar = QChar(0xFFFC);
    QChar tmDefaultChar = QChar(0x1F);
    QChar tmBreakChar = QChar(0x20);
    std::uint8_t tmItalic = 0;
    std::uint8_t tmUnderlined = 0;
    std::uint8_t tmStruckOut = 0;
    std::uint8_t tmPitchAndFamily = 0;
    std::uint8_t tmCharSet = 0;
};
// Note the classic inversion: TMPF_FIXED_PITCH set means variable pitch.
enum : std::uint8_t { TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04, TMPF_DEVICE = 0x08 };
BOOL GetTextMetrics(HDC DC, TEXTMETRIC* Metrics);
BOOL GetTextExtentPoint32(HDC DC, const String& Text, int Count, TSize* Size);
BOOL GetTextExtentPoint32(HDC DC, const String& Text, TSize* Size);
String GetTextFace(HDC DC);
int SetTextCharacterExtra(HDC DC, int Extra);
int GetTextCharacterExtra(HDC DC);

BOOL TextOut(HDC DC, int X, int Y, const String& Text, int Count = -1);
enum : unsigned { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_RTLREADING = 0x0080 };
// Dx, when given, holds the advance of every character.
BOOL ExtTextOut(HDC DC, int X, int Y, unsigned Options, const TRect* R, const String& Text, int Count = -1,
                const int* Dx = nullptr);

enum : unsigned {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80, DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000,
};
// Returns the height of the text (0 on failure).  With DT_CALCRECT nothing
// is drawn and R's right and bottom are set to fit the text.
int DrawText(HDC DC, const String& Text, int Count, TRect* R, unsigned Format);
int DrawText(HDC DC, const String& Text, TRect* R, unsigned Format);

// Tab stops: none = every 8 average character widths; one = every that
// many pixels; several = those positions (from TabOrigin), a negative stop
// right-aligns the following text at its absolute value.  Returns the
// extent as height << 16 | width.
DWORD TabbedTextOut(HDC DC, int X, int Y, const String& Text, int Count, int TabCount, const int* TabStops,
                    int TabOrigin);
DWORD GetTabbedTextExtent(HDC DC, const String& Text, int Count, int TabCount, const int* TabStops);
