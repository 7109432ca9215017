#pragma once
// TBrush: how areas are filled - a solid colour, a hatch, a bitmap pattern
// (repeating from the brush origin) or nothing (bsClear).
#include "platform/graphics/GraphicsObject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    void Assign(TPersistent* Source) override;

    HBRUSH Handle();

    // The pattern bitmap is not owned; the brush copies its pixels when it
    // makes its handle.  A bitmap takes precedence over Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);

private:
    TBitmap* FBitmap = nullptr;
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
