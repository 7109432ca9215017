#pragma once
// TCanvas: the classic drawing surface over a device context.  The pen,
// brush and font are selected into the context lazily, just before the
// first drawing call that needs them, and again after each change.  There
// is no Lock/Unlock: all drawing happens on the one UI thread.
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

#include <initializer_list>
#include <memory>
#include <vector>

class TGraphic;
class TBitmap;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
using TCopyMode = DWORD;
enum : DWORD {
    cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY, cmMergePaint = MERGEPAINT,
    cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE, cmPatCopy = PATCOPY, cmPatInvert = PATINVERT,
    cmPatPaint = PATPAINT, cmSrcAnd = SRCAND, cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE,
    cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT, cmWhiteness = WHITENESS,
};

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context; asks CreateHandle for one when there is none and
    // raises EInvalidOperation "Canvas does not allow drawing" if that fails.
    HDC Handle();
    // Takes a context (or nullptr to let go of the current one); the
    // canvas does not delete it.
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    TPoint PenPos();
    void SetPenPos(TPoint Value);
    TRect ClipRect();
    DECLARE_EVENT(TNotifyEvent, OnChange)
    DECLARE_EVENT(TNotifyEvent, OnChanging)
    // ETO_* flags added to every text output.
    unsigned TextFlags() const { return FTextFlags; }
    void SetTextFlags(unsigned Value) { FTextFlags = Value; }

    // --- drawing ---
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Polygon(const TPoint* Points, int Count);
    void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), int(Points.size())); }
    void Polygon(std::initializer_list<TPoint> Points) { Polygon(Points.begin(), int(Points.size())); }
    void Polyline(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), int(Points.size())); }
    void Polyline(std::initializer_list<TPoint> Points) { Polyline(Points.begin(), int(Points.size())); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // --- text ---
    // Draws at (X, Y) and moves the pen position to the end of the text.
    void TextOut(int X, int Y, const String& Text);
    // Text at (X, Y) clipped to R; the brush (unless clear) fills R first.
    void TextRect(const TRect& R, int X, int Y, const String& Text);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // --- images ---
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Copies Source of Canvas into Dest with CopyMode, stretching.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap into Dest with the pixels of Color replaced
    // by this canvas's brush.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    // Deselects everything so that changed objects are selected afresh.
    void Refresh();

protected:
    // Graphics draw themselves with the canvas's colours selected, as the
    // classic graphics unit lets them.
    friend class TBitmap;
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();
    void RequiredState(TCanvasState Required);
    void DeselectHandles();

private:
    void ObjectChanged(TObject* Sender);
    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
    unsigned FTextFlags = 0;
    // Carried over from one context to the next, as classically: a bitmap
    // canvas gets a fresh context whenever its bitmap is resized.
    TPoint FPenPos;
    HGDIOBJ FStockPen = nullptr;
    HGDIOBJ FStockBrush = nullptr;
    HGDIOBJ FStockFont = nullptr;
};
