#include "controls/foundation/FcSpacer.h"

#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_COMPONENT(TFcSpacer, TGraphicControl)
    PUBLISHED(Grooved, false)
    PUBLISHED(Orientation, orHorizontal)
    PUBLISHED(Width, 8)
    PUBLISHED(Height, 25)
END_REGISTER

TFcSpacer::TFcSpacer(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 8;
    FHeight = 25;
}

void TFcSpacer::SetOrientation(TOrientation Value)
{
    if (!AssignIfChanged(FOrientation, Value))
        return;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TFcSpacer::Paint()
{
    TCanvas* C = Canvas();
    const TRect R = GetClientRect();
    if (!FGrooved) {
        // Only the designer shows where an empty gap is.
        if (ComponentState().Contains(csDesigning)) {
            C->Pen()->SetStyle(psDot);
            C->Pen()->SetColor(clBlack);
            C->Brush()->SetStyle(bsClear);
            C->Rectangle(R);
        }
        return;
    }
    const bool Upright = Width() <= Height();
    if (FcThemesEnabled()) {
        ThemeServices().DrawElement(
            C->Handle(), TThemeServices::GetElementDetails(Upright ? ttbSeparatorNormal : ttbSeparatorVertNormal), R);
        return;
    }
    C->Pen()->SetStyle(psSolid);
    if (Upright) {
        const int X = R.Left + R.Width() / 2 - 1;
        C->Pen()->SetColor(clBtnShadow);
        C->MoveTo(X, R.Top + 1);
        C->LineTo(X, R.Bottom);
        C->Pen()->SetColor(clBtnHighlight);
        C->MoveTo(X + 1, R.Top + 1);
        C->LineTo(X + 1, R.Bottom);
        return;
    }
    const int Y = R.Top + R.Height() / 2 - 1;
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(R.Left + 1, Y);
    C->LineTo(R.Right, Y);
    C->Pen()->SetColor(clBtnHighlight);
    C->MoveTo(R.Left + 1, Y + 1);
    C->LineTo(R.Right, Y + 1);
}
