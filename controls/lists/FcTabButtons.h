#pragma once
// The close button and the tab menu button of the tab strip, and the face
// all three strip buttons share.  Each keeps a reference to its tab
// control, paints in that control's TabColors and reports its click
// through an event (the close button) or drops a menu of the visible tabs
// (the menu button).
#include "controls/foundation/FcTypes.h"
#include "platform/windows/CustomControl.h"

#include <memory>

class TFcCustomTabControl;
class TPopupMenu;

// The face of a strip button in R: a gradient of the tab colours (reversed
// while Down) or a flat fill, framed in FrameColor lightened by 30.
void PaintTabButtonFace(TCanvas* Canvas, const TRect& R, TFcCustomTabControl* TabControl, TColor FrameColor, bool Down);

// What the close and menu buttons share: a press, a slide and a release
// that clicks while the pointer is still inside.
class TFcTabStripButton : public TCustomControl {
public:
    explicit TFcTabStripButton(TComponent* AOwner);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TFcCustomTabControl* TabControl() const { return FTabControl; }
    bool PressedIn() const { return FPressedIn; }

protected:
    virtual void ButtonClick() = 0;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

    TFcCustomTabControl* FTabControl;
    bool FMouseDown = false;
    bool FPressedIn = false;

private:
    TColor FFrameColor = clBtnShadow;
};

class TFcTabCloseButton : public TFcTabStripButton {
public:
    explicit TFcTabCloseButton(TComponent* AOwner);
    DECLARE_EVENT(TNotifyEvent, OnClose)

protected:
    void Paint() override;
    void ButtonClick() override;
};

class TFcTabMenuButton : public TFcTabStripButton {
public:
    explicit TFcTabMenuButton(TComponent* AOwner);
    TPopupMenu* TabMenu() const { return FMenu; }
    // Published; the button itself never fires it.
    DECLARE_EVENT(TNotifyEvent, OnDisplayMenu)
    // The arrow's direction (ArrowUp ... ArrowRight): away from the page.
    int ArrowDirection() const;
    // Fills the menu with the visible tabs and shows it.
    void ShowTabMenu();

protected:
    void Paint() override;
    void ButtonClick() override;

private:
    TPopupMenu* FMenu;
};
