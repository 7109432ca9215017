#pragma once
// TLabel: a caption on the parent's surface (a graphic control, no window).
// With AutoSize it takes the size its text needs (keeping its right edge
// when right-aligned); WordWrap breaks the text at the current width
// instead of widening the label.  Layout places the text block at the top,
// centre or bottom.  An "&" in the caption marks the accelerator (unless
// ShowAccelChar is off): the key gives FocusControl the focus.
//
// Descendants reuse the measuring and the accelerator handling and change
// how the text is drawn (DoDrawText) or which text (GetLabelText).
#include "platform/windows/GraphicControl.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    void SetAutoSize(bool Value) override;
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // Without csOpaque the parent shows through around the text.  Themed
    // desktops start transparent; a value set by hand is stored.
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool IsTransparentStored() const { return FTransparentSet; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

protected:
    // Sizes the label to its text (AutoSize), as drawn by DoDrawText.
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the label's text on Canvas.
    virtual void DoDrawText(TRect& Rect, unsigned Flags);
    virtual String GetLabelText();
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    virtual void CMDialogChar(TMessage& Message);

private:
    TAlignment FAlignment = taLeftJustify;
    TWinControl* FFocusControl = nullptr;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    bool FTransparentSet = false;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
