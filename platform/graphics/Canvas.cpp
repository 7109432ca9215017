#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    FFont->SetOnChange([this](TObject* Sender) { ObjectChanged(Sender); });
    FPen->SetOnChange([this](TObject* Sender) { ObjectChanged(Sender); });
    FBrush->SetOnChange([this](TObject* Sender) { ObjectChanged(Sender); });
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
}

void TCanvas::ObjectChanged(TObject* Sender)
{
    // The object's handle is gone: select the stock object so the context
    // does not keep the old one, and select the new one before drawing.
    if (Sender == FFont.get() && FState.Contains(csFontValid)) {
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
        FState.Exclude(csFontValid);
    } else if (Sender == FPen.get() && FState.Contains(csPenValid)) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        FState.Exclude(csPenValid);
    } else if (Sender == FBrush.get() && FState.Contains(csBrushValid)) {
        SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
        FState.Exclude(csBrushValid);
    }
}

HDC TCanvas::Handle()
{
    // Callers hand the context straight to the GDI calls, which must see
    // the canvas's font, pen and brush (a clear brush: transparent text).
    RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (FHandle == Value)
        return;
    if (FHandle != nullptr) {
        DeselectHandles();
        GetCurrentPositionEx(FHandle, &FPenPos);
        FHandle = nullptr;
        FState.Exclude(csHandleValid);
    }
    if (Value != nullptr) {
        FHandle = Value;
        FState.Include(csHandleValid);
        MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
    }
}

void TCanvas::DeselectHandles()
{
    // A context that has gone already selects nothing, but the next one
    // must still get the canvas's objects.
    if (FHandle != nullptr && IsValidDC(FHandle) &&
        (FState.Contains(csPenValid) || FState.Contains(csBrushValid) || FState.Contains(csFontValid))) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
    FState -= TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::RequiredState(TCanvasState Required)
{
    const TCanvasState Needed = Required - FState;
    if (Needed.Empty())
        return;
    if (Needed.Contains(csHandleValid)) {
        CreateHandle();
        if (FHandle == nullptr)
            throw EInvalidOperation(QStringLiteral("Canvas does not allow drawing"));
        FState.Include(csHandleValid);
    }
    if (Needed.Contains(csFontValid)) {
        SelectObject(FHandle, FFont->Handle());
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState.Include(csFontValid);
    }
    if (Needed.Contains(csPenValid)) {
        SelectObject(FHandle, FPen->Handle());
        SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
        FState.Include(csPenValid);
    }
    if (Needed.Contains(csBrushValid)) {
        SelectObject(FHandle, FBrush->Handle());
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
        FState.Include(csBrushValid);
    }
}

void TCanvas::Changing()
{
    if (FOnChanging)
        FOnChanging(this);
}

void TCanvas::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

TPoint TCanvas::PenPos()
{
    RequiredState({csHandleValid});
    TPoint P;
    GetCurrentPositionEx(FHandle, &P);
    return P;
}

void TCanvas::SetPenPos(TPoint Value)
{
    MoveTo(Value.X, Value.Y);
}

TRect TCanvas::ClipRect()
{
    RequiredState({csHandleValid});
    TRect R;
    GetClipBox(FHandle, &R);
    return R;
}

void TCanvas::MoveTo(int X, int Y)
{
    RequiredState({csHandleValid});
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Polygon(FHandle, Points, Count);
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Polyline(FHandle, Points, Count);
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::FillRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::FrameRect(FHandle, &R, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::DrawFocusRect(FHandle, &R);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y)
{
    RequiredState({csHandleValid});
    const COLORREF C = GetPixel(FHandle, X, Y);
    return TColor(std::int32_t(C));
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    RequiredState({csHandleValid, csPenValid});
    SetPixelV(FHandle, X, Y, ColorToRGB(Value));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    ExtTextOut(FHandle, X, Y, FTextFlags, nullptr, Text);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const String& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    unsigned Options = ETO_CLIPPED | FTextFlags;
    if (FBrush->Style() != bsClear)
        Options |= ETO_OPAQUE;
    ExtTextOut(FHandle, X, Y, Options, &R, Text);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text)
{
    RequiredState({csHandleValid, csFontValid});
    TSize Size;
    GetTextExtentPoint32(FHandle, Text, &Size);
    return Size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (Graphic == nullptr || Graphic->Empty())
        return;
    StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (Graphic == nullptr)
        return;
    Changing();
    RequiredState({csHandleValid});
    Graphic->Draw(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (Canvas == nullptr)
        return;
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    // The source's brush colour is its background colour, which decides
    // the pixels that become 1 when a monochrome canvas copies from it.
    Canvas->RequiredState({csHandleValid, csBrushValid});
    HDC Src = Canvas->FHandle;
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Src, Source.Left, Source.Top,
               Source.Width(), Source.Height(), FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return;
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    const int W = Source.Width(), H = Source.Height();
    // Mask: 1 where the bitmap has Color.
    HDC Src = Bitmap->Canvas()->Handle();
    HDC MaskDC = CreateCompatibleDC(nullptr);
    HBITMAP Mask = CreateBitmap(std::abs(W), std::abs(H), 1, 1, nullptr);
    HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
    const COLORREF OldBk = SetBkColor(Src, ColorToRGB(Color));
    BitBlt(MaskDC, 0, 0, std::abs(W), std::abs(H), Src, Source.Left, Source.Top, SRCCOPY);
    SetBkColor(Src, OldBk);
    // The bitmap where the mask is 0, then the brush where it is 1.
    TransparentStretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Src, Source.Left, Source.Top, W,
                          H, MaskDC, 0, 0);
    // The mask arrives inverted (1 -> black, 0 -> white), and ROP 0xB8
    // takes the pattern where the source is black, the destination elsewhere.
    const COLORREF OldText = SetTextColor(FHandle, 0xFFFFFF);
    const COLORREF OldBack = SetBkColor(FHandle, 0x000000);
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), MaskDC, 0, 0, std::abs(W), std::abs(H),
               0x00B8074A);
    SetTextColor(FHandle, OldText);
    SetBkColor(FHandle, OldBack);
    SelectObject(MaskDC, OldMask);
    DeleteObject(Mask);
    DeleteDC(MaskDC);
    Changed();
}
