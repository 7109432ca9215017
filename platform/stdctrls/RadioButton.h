#pragma once
// TRadioButton: one choice of a group.  Checking it unchecks every other
// radio button with the same parent (and the checked state of their
// actions that check themselves); only the checked one is a tab stop, and
// the arrow keys move among the siblings, checking the one they reach, as
// on the classic desktop.  Becoming checked fires OnClick.
#include "platform/stdctrls/ButtonControl.h"

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool Checked() const override { return FChecked; }
    void SetChecked(bool Value) override;

protected:
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void PaintButton(TCanvas* Canvas) override;

private:
    void TurnSiblingsOff();

    TLeftRight FAlignment = taRightJustify;
    bool FChecked = false;
};
