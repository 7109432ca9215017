#pragma once
// The two colour sets a page control publishes: TabColors (fills of the
// tabs that are not current, their gradient's end and the strip buttons'
// face, the bar on the current tab) and TextColors (the default caption
// colours of the text states).  Each change repaints the owning tab
// control in full.
#include "platform/graphics/Colors.h"
#include "platform/rtl/System.h"

class TFcCustomTabControl;

class TFcTabColors : public TPersistent {
public:
    explicit TFcTabColors(TFcCustomTabControl* AOwner = nullptr) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // The bar on the current tab.
    TColor HighlightBar() const { return FHighlightBar; }
    void SetHighlightBar(TColor Value);
    // The end colour of the gradient of tabs that are not current.
    TColor Shadow() const { return FShadow; }
    void SetShadow(TColor Value);
    // The fill (the gradient's start) of tabs that are not current.
    TColor Unselected() const { return FUnselected; }
    void SetUnselected(TColor Value);

private:
    void Changed();
    TFcCustomTabControl* FOwner;
    TColor FHighlightBar = clHighlight;
    TColor FShadow = clBtnFace;
    TColor FUnselected = clWindow;
};

class TFcTextColors : public TPersistent {
public:
    explicit TFcTextColors(TFcCustomTabControl* AOwner = nullptr) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    TColor Disabled() const { return FDisabled; }
    void SetDisabled(TColor Value);
    TColor Selected() const { return FSelected; }
    void SetSelected(TColor Value);
    TColor Unselected() const { return FUnselected; }
    void SetUnselected(TColor Value);

private:
    void Changed();
    TFcCustomTabControl* FOwner;
    TColor FDisabled = clGrayText;
    TColor FSelected = clBtnText;
    TColor FUnselected = clBtnText;
};
