#pragma once
// TFcCustomEdit: the single-line edit of the framed-control family, a mask
// edit whose colour follows its state (disabled, focused, read-only), with
// an optional flat frame painted over its window frame and hot tracking by
// focus and mouse, membership of a frame controller, Enter as Tab, a hook
// for mask validation errors, and a drop button in the window frame at the
// right (left under right-to-left alignment) that the control shows on
// request.  TFcEdit publishes it as a plain edit, TFcMaskEdit with its
// edit mask.
//
// The drop button's strip is taken from the client area only while the
// button is shown, so an edit without one keeps its whole width; F4 and
// Alt+Down press it from the keyboard without taking the mouse capture.
#include "controls/lists/FcFramedControl.h"
#include "platform/stdctrls/MaskEdit.h"

// The handler may put an error text in ErrorMsg: it is raised instead of
// the mask's own error.
using TFcValidateErrorEvent = std::function<void(TObject* Sender, String& ErrorMsg)>;

class TFcCustomEdit : public TFcFramedControl<TCustomMaskEdit> {
public:
    explicit TFcCustomEdit(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Descendants that refuse a key beep only while this is on.
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    void SetReadOnly(bool Value) override;
    virtual bool GetReadOnly() { return ReadOnly(); }

    bool DropButtonVisible() const { return FDropButtonVisible; }
    void SetDropButtonVisible(bool Value);
    bool FlatButtons() const { return FFlatButtons; }
    virtual void SetFlatButtons(bool Value);
    // The face of the flat drop button while it is hot.
    TColor DropButtonColor() const { return FDropButtonColor; }
    void SetDropButtonColor(TColor Value);
    // 0 normal, 2 pressed.
    int ButtonState() const { return FButtonState; }
    bool MouseOverButton() const { return FMouseOverButton; }
    bool FocusHot() const { return FFocusHot; }

    // The area the text is edited in (the client area).
    virtual TRect GetEditRect();
    // The text as shown.
    virtual String GetDisplayText();
    // The drop button's rectangle in window coordinates (empty while it is
    // not shown).
    TRect DropButtonRect();

    void UpdateFrame(bool ViaMouse, bool Active) override;

    DECLARE_EVENT(TFcValidateErrorEvent, OnValidateError)
    DECLARE_EVENT(TNotifyEvent, OnDropButtonDown)
    DECLARE_EVENT(TNotifyEvent, OnDropButtonClick)

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void ValidateError() override;
    void CMEnabledChanged(TMessage& Message) override;
    void PaintFrameArea() override;

    bool ColorFocused() override { return FFocusHot; }
    bool ColorReadOnly() override { return GetReadOnly(); }
    virtual void DoReadOnlyOn() {}
    virtual void DoReadOnlyOff() {}
    virtual void ReadOnlyChanged();
    virtual void DrawDropButton(TRect R);
    void SetButtonState(int Value);
    virtual void DropButtonDown();
    virtual void DropButtonClick();
    // WM_NCPAINT with no region: the frame and the drop button again.
    void RepaintNonClient();
    // Hot by the focus-hot flag or the mouse.
    bool FrameHot() override;

private:
    void NCCalcSize(TMessage& Message);
    void NCHitTest(TMessage& Message);
    void ButtonMouseDown(TMessage& Message);
    bool OverButton(const TMessage& Message);
    void PressButton(bool TakeCapture);
    void ReleaseButton();
    int DropButtonStrip() const;

    TAlignment FAlignment = taLeftJustify;
    bool FBeepOnInvalidKey = true;
    bool FDropButtonVisible = false;
    bool FMouseOverButton = false;
    bool FFlatButtons = false;
    TColor FDropButtonColor = clBtnFace;
    bool FButtonPressing = false;
    int FButtonState = 0;
    bool FFocusHot = false;
};

class TFcEdit : public TFcCustomEdit {
public:
    explicit TFcEdit(TComponent* AOwner) : TFcCustomEdit(AOwner) {}
};

class TFcMaskEdit : public TFcCustomEdit {
public:
    explicit TFcMaskEdit(TComponent* AOwner) : TFcCustomEdit(AOwner) {}
    // The window's own text, the mask's literals included.
    String GetDisplayText() override;
};
