#include "controls/foundation/FcBckgnd.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcGrafx.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_ENUM(TFcHighlightLocation, hlCenter, hlUpperLeft, hlLowerRight)

REGISTER_COMPONENT(TFcSeparator, TGraphicControl)
    PUBLISHED(HighlightColor, clHighlight)
    PUBLISHED(HighlightLocation, hlCenter)
    PUBLISHED(Orientation, orHorizontal)
    // Always written, as the classic separator writes it.
    PUBLISHED_STORED(ShowGradient, true, true)
END_REGISTER

TFcSeparator::TFcSeparator(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 200;
    FHeight = 2;
    UpdateColors();
}

void TFcSeparator::SetHighlightColor(TColor Value)
{
    if (!AssignIfChanged(FHighlightColor, Value))
        return;
    UpdateColors();
    Invalidate();
}

void TFcSeparator::SetHighlightLocation(TFcHighlightLocation Value)
{
    if (!AssignIfChanged(FHighlightLocation, Value))
        return;
    UpdateColors();
    Invalidate();
}

void TFcSeparator::SetOrientation(TOrientation Value)
{
    if (!AssignIfChanged(FOrientation, Value))
        return;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    UpdateColors();
    Invalidate();
}

// The gradient runs across the strip: from the colour to the highlight at
// the centre or at the far end, or from the highlight at the near end.
void TFcSeparator::UpdateColors()
{
    const bool Across = FOrientation == orHorizontal;
    FDirection = FHighlightLocation == hlCenter ? (Across ? gdVerticalCenter : gdHorizontalCenter)
                                                : (Across ? gdVerticalEnd : gdHorizontalEnd);
    const bool HighlightFirst = FHighlightLocation == hlUpperLeft;
    FStartColor = HighlightFirst ? FHighlightColor : Color();
    FStopColor = HighlightFirst ? Color() : FHighlightColor;
}

void TFcSeparator::Paint()
{
    TCanvas* C = Canvas();
    if (FShowGradient && ManyColors()) {
        const TCopyMode Old = C->CopyMode();
        C->SetCopyMode(cmSrcCopy);
        FillGradientRect(C, Rect(0, 0, std::max(Width(), 1), std::max(Height(), 1)), FDirection, FStartColor,
                         FStopColor, 1);
        C->SetCopyMode(Old);
        return;
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FShowGradient ? FStopColor : Color());
    C->FillRect(ClientRect());
}

void TFcSeparator::Loaded()
{
    TGraphicControl::Loaded();
    UpdateColors();
}

void TFcSeparator::CMColorChanged(TMessage& Message)
{
    TGraphicControl::CMColorChanged(Message);
    UpdateColors();
    Invalidate();
}
