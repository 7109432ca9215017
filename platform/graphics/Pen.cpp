#include "platform/graphics/Pen.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
REGISTER_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
              pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)

REGISTER_CLASS(TPen, TPersistent)
    PUBLISHED(Color, clBlack)
    PUBLISHED(Mode, pmCopy)
    PUBLISHED(Style, psSolid)
    PUBLISHED(Width, 1)
END_REGISTER

int PenModeToRop2(TPenMode Mode)
{
    static const int Codes[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
    const int I = int(Mode);
    return I >= 0 && I < 16 ? Codes[I] : R2_COPYPEN;
}

void TPen::Assign(TPersistent* Source)
{
    if (auto* P = dynamic_cast<TPen*>(Source)) {
        if (P == this)
            return;
        FColor = P->FColor;
        FMode = P->FMode;
        FStyle = P->FStyle;
        FWidth = P->FWidth;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HPEN TPen::Handle()
{
    if (FHandle == nullptr) {
        static const int Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle = CreatePen(Styles[std::clamp(int(FStyle), 0, 6)], FWidth, ColorToRGB(FColor));
    }
    return static_cast<HPEN>(FHandle);
}

void TPen::SetColor(TColor Value)
{
    if (AssignIfChanged(FColor, Value))
        Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (AssignIfChanged(FMode, Value))
        Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (AssignIfChanged(FStyle, Value))
        Changed();
}

void TPen::SetWidth(int Value)
{
    // Widths below one draw as one, as a cosmetic pen does.
    if (Value >= 0 && AssignIfChanged(FWidth, Value))
        Changed();
}
