#include "platform/graphics/Brush.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/Bitmap.h"

REGISTER_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
              bsDiagCross)

REGISTER_CLASS(TBrush, TPersistent)
    PUBLISHED(Color, clWhite)
    PUBLISHED(Style, bsSolid)
END_REGISTER

void TBrush::Assign(TPersistent* Source)
{
    if (auto* B = dynamic_cast<TBrush*>(Source)) {
        if (B == this)
            return;
        FBitmap = B->FBitmap;
        FColor = B->FColor;
        FStyle = B->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::Handle()
{
    if (FHandle != nullptr)
        return static_cast<HBRUSH>(FHandle);
    HBRUSH Brush = nullptr;
    if (FBitmap != nullptr && !FBitmap->Empty())
        Brush = CreatePatternBrush(FBitmap->Handle());
    if (Brush == nullptr) {
        const COLORREF C = ColorToRGB(FColor);
        switch (FStyle) {
        case bsSolid: Brush = CreateSolidBrush(C); break;
        case bsClear: Brush = CreateBrushIndirect(LOGBRUSH{BS_NULL, C, 0}); break;
        default: Brush = CreateHatchBrush(int(FStyle) - int(bsHorizontal), C); break;
        }
    }
    FHandle = Brush;
    return Brush;
}

void TBrush::SetBitmap(TBitmap* Value)
{
    // Always a change: the same bitmap may have new pixels.
    FBitmap = Value;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    // Classic: choosing a colour, even the same one, makes a clear brush solid.
    if (FColor == Value && FStyle != bsClear)
        return;
    FColor = Value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (AssignIfChanged(FStyle, Value))
        Changed();
}
