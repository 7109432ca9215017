#pragma once
// TFcStatusBar (unit FcPanel): a panel along the bottom of a form that
// holds status panes, draws a size grip with which the user resizes the
// form, can switch to one "simple" caption that hides the panes, and can
// scale its panes with its width.  AutoStyle keeps it borderless and 19
// pixels high; changing a border after loading turns AutoStyle off.
#include "controls/foundation/FcPanel.h"

class TFcStatusBar : public TFcCustomPanel {
public:
    explicit TFcStatusBar(TComponent* AOwner);

    // Panes widen and narrow in proportion when the bar's width changes.
    bool AutoScalePanes() const { return FAutoScalePanes; }
    void SetAutoScalePanes(bool Value) { FAutoScalePanes = Value; }
    bool AutoStyle() const { return FAutoStyle; }
    void SetAutoStyle(bool Value) { FAutoStyle = Value; }
    bool ShowSizeGrip() const { return FShowSizeGrip; }
    void SetShowSizeGrip(bool Value);
    String SimpleCaption() const { return FSimpleCaption; }
    void SetSimpleCaption(const String& Value) { SetPaintProperty(FSimpleCaption, Value); }
    TFrameStyle SimpleFrameStyle() const { return FSimpleFrameStyle; }
    void SetSimpleFrameStyle(TFrameStyle Value) { SetPaintProperty(FSimpleFrameStyle, Value); }
    // True hides every pane, False shows them all.
    bool SimpleStatus() const { return FSimpleStatus; }
    void SetSimpleStatus(bool Value);

    void SetBorderInner(TFrameStyleEx Value) override;
    void SetBorderOuter(TFrameStyleEx Value) override;
    void SetBorderSides(TSides Value) override;
    // Borderless, 19 pixels high, no band; AutoStyle stays as it is.
    virtual void ApplyAutoStyle();
    void GetGradientColors(TColor& Start, TColor& Stop) override;

    // Whether the grip works: the form can be sized and is not maximised.
    bool SizeGripActive() const { return FGripActive; }
    // The grip's area in the bar's coordinates.
    TRect SizeGripRect() { return Rect(Width() - 13, 0, Width(), Height()); }
    // Whether the grip shows and takes the mouse.
    bool SizeGripUsable();

protected:
    TRect GetClientRect() override;
    // The themed background may leave parts to the erased background.
    bool PaintCoversBackground() override;
    void Paint() override;
    void Loaded() override;
    void Resize() override;
    void CreateWnd() override;
    void WMPaint(TMessage& Message) override;
    void WMLButtonDown(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;

private:
    void UpdateGripActive();
    bool InSizeGrip(TPoint P);
    void PaintThemed();
    void PaintSimpleCaption(TRect R);
    void PaintSizeGrip(HDC DC);
    void ScalePanes(int Delta);
    // A border changed by hand after loading turns AutoStyle off.
    void BorderChanged(bool Changed);

    bool FAutoScalePanes = false;
    bool FAutoStyle = true;
    bool FShowSizeGrip = true;
    String FSimpleCaption;
    TFrameStyle FSimpleFrameStyle = fsFlat;
    bool FSimpleStatus = false;
    bool FGripActive = false;
    int FPreviousWidth = 0;
    bool FResizedOnce = false;
};
