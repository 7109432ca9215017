#pragma once
// TFcCustomCheckBox and TFcCheckBox (unit FcRadChk): the framed check box:
// unchecked, checked or (with AllowGrayed) grayed; a click, the space bar
// or the caption's accelerator moves it on, unless ReadOnly.  Every change
// of State, by the user or by code, fires OnClick once (not a change the
// action link makes, nor one read from a form definition); setting the
// state it already has fires nothing.
#include "controls/foundation/FcGlyphButton.h"
#include "platform/stdctrls/CheckBox.h"

class TFcCustomCheckBox : public TFcCustomGlyphButton {
public:
    explicit TFcCustomCheckBox(TComponent* AOwner);

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool GetChecked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }

protected:
    void Toggle() override;
    void DrawFace(TBitmap* Bitmap) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    // The cell of CustomGlyphs for the state: 0-2 up, 3-5 pressed, 6-8
    // disabled, each unchecked, checked, grayed.
    int CustomCell() const;
    void EndPress();

    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    bool FSpacePressed = false;
};

class TFcCheckBox : public TFcCustomCheckBox {
public:
    explicit TFcCheckBox(TComponent* AOwner) : TFcCustomCheckBox(AOwner) {}
};
