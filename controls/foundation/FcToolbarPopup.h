#pragma once
// The overflow of a toolbar (unit FcPanel): TFcToolbarPopupButton, the
// 14-pixel button at the end of a horizontal toolbar without wrapping
// whose last control does not fit, and TFcPopupToolButton, the copy of a
// tool button that did not fit, on the small toolbar the overflow button
// drops down in a popup panel.  Clicking a copy closes the popup and then
// clicks the button it copies.
#include "controls/foundation/FcToolButton.h"
#include "platform/windows/CustomControl.h"

class TFcToolbar;

class TFcToolbarPopupButton : public TCustomControl {
public:
    // The toolbar it belongs to is its owner.
    explicit TFcToolbarPopupButton(TComponent* AOwner);

    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { SetPaintProperty(FFrameColor, Value); }

    TFcToolbar* Toolbar() const { return FToolbar; }
    bool IsDown() const { return FDown; }
    // The source of the copy clicked in the open popup (nullptr: none).
    TFcToolButton* ClickedButton() const { return FClickedButton; }
    void SetClickedButton(TFcToolButton* Value) { FClickedButton = Value; }
    // Drops the popup with copies of the buttons beyond the toolbar's end
    // and returns when it has closed (after the chosen button's click).
    void BuildOverflowPopup();

protected:
    virtual void DrawFace(TRect R, bool Down);
    virtual void DrawChevron(TRect R);

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    TColor ChevronColor();

    TColor FFrameColor = clBtnShadow;
    TFcToolbar* FToolbar;
    TFcToolButton* FClickedButton = nullptr;
    bool FTracking = false;
    bool FDown = false;
};

class TFcPopupToolButton : public TFcToolButton {
public:
    // Owner: the popup's toolbar.
    explicit TFcPopupToolButton(TComponent* AOwner);

    // A tool button is copied (its source kept); anything else as usual.
    void Assign(TPersistent* Source) override;
    // Records the source as clicked and clicks the popup's toolbar, which
    // closes the popup; the copy's own OnClick is not called.
    void Click() override;

    TFcToolbar* PopupToolbar() const { return FPopupToolbar; }
    TFcToolButton* SourceButton() const { return FSourceButton; }
    TFcToolbarPopupButton* PopupButton() const { return FPopupButton; }
    void SetPopupButton(TFcToolbarPopupButton* Value) { FPopupButton = Value; }

private:
    TFcToolbar* FPopupToolbar;
    TFcToolButton* FSourceButton = nullptr;
    TFcToolbarPopupButton* FPopupButton = nullptr;
};
