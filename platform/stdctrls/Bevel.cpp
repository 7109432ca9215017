#include "platform/stdctrls/Bevel.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/Canvas.h"

REGISTER_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
REGISTER_ENUM(TBevelStyle, bsLowered, bsRaised)

REGISTER_COMPONENT(TBevel, TGraphicControl)
    PUBLISHED(Shape, bsBox)
    PUBLISHED(Style, bsLowered)
END_REGISTER

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value)
{
    if (AssignIfChanged(FShape, Value))
        Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (AssignIfChanged(FStyle, Value))
        Invalidate();
}

// Top and left sides in Upper, right and bottom in Lower; the right and
// bottom lines lie on R's right and bottom coordinates.
void TBevel::BevelRect(const TRect& R, TColor Upper, TColor Lower)
{
    TCanvas* C = Canvas();
    C->Pen()->SetColor(Upper);
    C->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    C->Pen()->SetColor(Lower);
    C->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}});
}

void TBevel::BevelLine(TColor Color, int X1, int Y1, int X2, int Y2)
{
    Canvas()->Pen()->SetColor(Color);
    Canvas()->MoveTo(X1, Y1);
    Canvas()->LineTo(X2, Y2);
}

void TBevel::Paint()
{
    TCanvas* C = Canvas();
    const int W = Width(), H = Height();
    if (ComponentState().Contains(csDesigning) && FShape == bsSpacer) {
        // A spacer is only seen while designing.
        C->Pen()->SetStyle(psDot);
        C->Pen()->SetColor(clBlack);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(0, 0, W, H);
        return;
    }
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    const TColor Upper = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor Lower = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    switch (FShape) {
    case bsBox:
        BevelRect({0, 0, W - 1, H - 1}, Upper, Lower);
        break;
    case bsFrame:
        // Two rings, the outer in the opposite shading: an etched line.
        BevelRect({1, 1, W - 1, H - 1}, Lower, Lower);
        BevelRect({0, 0, W - 2, H - 2}, Upper, Upper);
        break;
    case bsTopLine:
        BevelLine(Upper, 0, 0, W, 0);
        BevelLine(Lower, 0, 1, W, 1);
        break;
    case bsBottomLine:
        BevelLine(Upper, 0, H - 2, W, H - 2);
        BevelLine(Lower, 0, H - 1, W, H - 1);
        break;
    case bsLeftLine:
        BevelLine(Upper, 0, 0, 0, H);
        BevelLine(Lower, 1, 0, 1, H);
        break;
    case bsRightLine:
        BevelLine(Upper, W - 2, 0, W - 2, H);
        BevelLine(Lower, W - 1, 0, W - 1, H);
        break;
    case bsSpacer:
        break;
    }
}
