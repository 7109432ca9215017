#pragma once
// TButtonControl: the base of push buttons, check boxes and radio buttons.
// It is what the classic button window class was for them: a window that
// paints itself, shows itself pressed while the left mouse button or the
// space bar holds it down, and reports a click (BN_CLICKED, reflected to
// the control as CN_COMMAND) when the mouse is released over it or the
// space bar comes up.  Descendants paint the face (PaintButton) and decide
// what a click means.
//
// It also carries the checked state that check boxes and radio buttons
// publish, linked to an action through TButtonActionLink.
#include "platform/windows/WinControl.h"
#include "platform/graphics/Canvas.h"

// Button window messages, check states and notifications.
enum : UINT {
    BM_GETCHECK = 0x00F0,
    BM_SETCHECK = 0x00F1,
    BM_GETSTATE = 0x00F2,
    BM_SETSTATE = 0x00F3,
    BM_CLICK = 0x00F5,
};
enum : WPARAM { BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2, BST_PUSHED = 4, BST_FOCUS = 8 };
enum : WORD { BN_CLICKED = 0, BN_DOUBLECLICKED = 5 };

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);

    // The caption breaks into lines at word boundaries.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Checked is published by check boxes and radio buttons; an action's
    // Checked drives it through the action link.
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool Value) { (void)Value; }
    bool IsCheckedStored() const;
    // Set while the action link changes Checked: no click follows.
    bool ClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }

    void ActionChange(TObject* Sender, bool CheckDefaults) override;

protected:
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    // The window's own behaviour: painting, the pressed look, the click.
    void DefaultHandler(TMessage& Message) override;
    // Paints the whole face (client coordinates).
    virtual void PaintButton(TCanvas* Canvas) = 0;
    // The pressed look, while the mouse or the space bar holds the button.
    bool Pushed() const { return FPushed; }
    void SetPushed(bool Value);
    // The window's click: BN_CLICKED handed to the control as CN_COMMAND.
    void NotifyClicked();
    // The check box's and radio button's face: the glyph beside the caption
    // (Alignment: the caption's side), the focus rectangle round the caption.
    void PaintGlyphButton(TCanvas* Canvas, TAlignment Alignment, const std::function<void(TRect)>& DrawGlyph);
    // The size of that glyph (13 x 13, or the theme's).
    TSize GlyphSize();
    // The check box's (or radio button's) glyph in R for CheckState
    // (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE), pressed and
    // disabled as the button is; themed when themes are on.
    void DrawStateGlyph(TCanvas* Canvas, const TRect& R, bool Radio, WPARAM CheckState);

private:
    bool HandleButtonMessage(TMessage& Message);
    void PaintWindowFace(TMessage& Message);
    bool HandleMouse(TMessage& Message);
    bool HandleKey(TMessage& Message);
    void StopTracking();

    bool FWordWrap = false;
    bool FClicksDisabled = false;
    bool FPushed = false;
    bool FTracking = false;
    bool FSpaceDown = false;
};

// Links Checked to the action's Checked: while the two agree, the action's
// changes reach the control without a click.
class TButtonActionLink : public TWinControlActionLink {
public:
    explicit TButtonActionLink(TButtonControl* Client);

    bool IsCheckedLinked() override;
    void SetChecked(bool Value) override;

protected:
    TButtonControl* FClient;
};
