#pragma once
// TCheckBox: a box that is unchecked, checked or (with AllowGrayed) grayed,
// beside its caption.  A click, the space bar or the caption's accelerator
// moves it on (unchecked, grayed when allowed, checked, unchecked); every
// change of State, by the user or by code, fires OnClick (or the action),
// except a change the action link makes.
#include "platform/stdctrls/ButtonControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    // taRightJustify: the caption right of the box; taLeftJustify: left.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Checked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }

protected:
    // One step of the cycle the user moves the box through.
    virtual void Toggle();
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void PaintButton(TCanvas* Canvas) override;

private:
    TLeftRight FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};
