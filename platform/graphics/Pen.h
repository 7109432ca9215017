#pragma once
// TPen: the colour, width, style and raster mode of lines and outlines.
#include "platform/graphics/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
    pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The ROP2 code a pen mode draws with.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    void Assign(TPersistent* Source) override;

    HPEN Handle();

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};
