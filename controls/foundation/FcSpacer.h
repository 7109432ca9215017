#pragma once
// TFcSpacer (unit FcPanel): a small windowless gap between groups of
// toolbar buttons, optionally with a groove down (or across) its middle.
#include "controls/foundation/FcTypes.h"
#include "platform/windows/GraphicControl.h"

class TFcSpacer : public TGraphicControl {
public:
    explicit TFcSpacer(TComponent* AOwner);

    bool Grooved() const { return FGrooved; }
    void SetGrooved(bool Value) { SetPaintProperty(FGrooved, Value); }
    // Turning a spacer swaps its width and height (not while loading).
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);

protected:
    void Paint() override;

private:
    bool FGrooved = false;
    TOrientation FOrientation = orHorizontal;
};
