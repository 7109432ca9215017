#pragma once
// TFcSeparator (unit FcBckgnd): a windowless line between groups of
// controls, a thin strip fading from the control's colour into a highlight
// colour placed at its centre or at one end.
#include "controls/foundation/FcTypes.h"
#include "platform/windows/GraphicControl.h"

enum TFcHighlightLocation { hlCenter, hlUpperLeft, hlLowerRight };

class TFcSeparator : public TGraphicControl {
public:
    explicit TFcSeparator(TComponent* AOwner);

    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TFcHighlightLocation HighlightLocation() const { return FHighlightLocation; }
    void SetHighlightLocation(TFcHighlightLocation Value);
    // Turning a separator swaps its width and height (not while loading).
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    // Without the gradient (or on a screen of 256 colours or fewer) the
    // strip is one colour.
    bool ShowGradient() const { return FShowGradient; }
    void SetShowGradient(bool Value) { SetPaintProperty(FShowGradient, Value); }

    // What the strip is painted with, from the properties above.
    TGradientDirection GradientDirection() const { return FDirection; }
    TColor StartColor() const { return FStartColor; }
    TColor StopColor() const { return FStopColor; }

protected:
    void Paint() override;
    void Loaded() override;
    void CMColorChanged(TMessage& Message) override;

private:
    void UpdateColors();

    TColor FHighlightColor = clHighlight;
    TFcHighlightLocation FHighlightLocation = hlCenter;
    TOrientation FOrientation = orHorizontal;
    bool FShowGradient = true;
    TGradientDirection FDirection = gdVerticalCenter;
    TColor FStartColor = clWindow;
    TColor FStopColor = clHighlight;
};
