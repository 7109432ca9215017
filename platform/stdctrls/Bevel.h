#pragma once
// TBevel: a sunken or raised box, frame or single line drawn on the
// parent's surface, to group or separate other controls.  It has no text
// and takes no input.
#include "platform/windows/GraphicControl.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    void BevelRect(const TRect& R, TColor Upper, TColor Lower);
    void BevelLine(TColor Color, int X1, int Y1, int X2, int Y2);

    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
