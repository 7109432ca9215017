#pragma once
// TButton: the push button.  A click sets the form's ModalResult to the
// button's own (which ends a modal form) and runs OnClick or the action.
// The default button (Default) answers Enter and the cancel button
// (Cancel) Escape, wherever the focus is on the form, unless another
// button has the focus: a focused button is the one Enter presses, and it
// wears the default button's dark frame meanwhile.
#include "platform/stdctrls/ButtonControl.h"

class TCustomButton : public TButtonControl {
public:
    explicit TCustomButton(TComponent* AOwner);

    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Whether Enter presses this button now (the default button while no
    // other button has the focus, or the focused button).
    bool Active() const { return FActive; }

    void Click() override;

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void PaintButton(TCanvas* Canvas) override;

private:
    void SetActive(bool Value);
    void PaintClassicFace(TCanvas* Canvas, TRect& Face);
    void PaintThemedFace(TCanvas* Canvas, TRect& Face);

    bool FCancel = false;
    bool FDefault = false;
    bool FActive = false;
    bool FMouseInControl = false;
    TModalResult FModalResult = mrNone;
};

class TButton : public TCustomButton {
public:
    explicit TButton(TComponent* AOwner) : TCustomButton(AOwner) {}
};
