#pragma once
// TFcCustomButton (unit FcButton): the owner-painted windowed button of the
// framed controls.  It follows the mouse itself (press, drag off and back,
// release inside presses it), knows when the mouse is over it, draws its
// caption in four text styles, can let the parent show through its corners
// and follows the visual theme when ThemeAware.  What a press does is the
// descendant's Toggle: the push button clicks, a check box changes state.
#include "controls/foundation/FcTypes.h"
#include "platform/windows/CustomControl.h"

class TFcCustomButton : public TCustomControl {
public:
    explicit TFcCustomButton(TComponent* AOwner);

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical Value) { SetPaintProperty(FAlignmentVertical, Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { SetPaintProperty(FHighlightColor, Value); }
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool Value) { SetPaintProperty(FHotTrack, Value); }
    // The hot-track ring's colour, or (htctComplement) its opposite hue.
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value) { SetPaintProperty(FHotTrackColor, Value); }
    TFcHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TFcHotTrackColorType Value) { SetPaintProperty(FHotTrackColorType, Value); }
    // Raised and recessed captions with only their light copy.
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool Value) { SetPaintProperty(FLightTextStyle, Value); }
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle Value) { SetPaintProperty(FTextStyle, Value); }
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    void SetTextHighlightColor(TColor Value) { SetPaintProperty(FTextHighlightColor, Value); }
    TColor TextShadowColor() const { return FTextShadowColor; }
    void SetTextShadowColor(TColor Value) { SetPaintProperty(FTextShadowColor, Value); }
    int TextShadowDepth() const { return FTextShadowDepth; }
    void SetTextShadowDepth(int Value) { SetPaintProperty(FTextShadowDepth, Value); }
    bool ThemeAware() const { return FThemeAware; }
    void SetThemeAware(bool Value) { SetPaintProperty(FThemeAware, Value); }
    // The parent shows through where the face leaves room.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value) { SetPaintProperty(FTransparent, Value); }

    // The pressed look while the mouse or the space bar holds it.
    bool ShownDown() const { return FShownDown; }
    bool MouseOver() const { return FMouseOver; }
    bool Tracking() const { return FTracking; }
    // Themes draw this button's face: ThemeAware and themes on.
    bool Themed() const;

protected:
    virtual void PaintTransparentBackground(HDC DC) { (void)DC; }
    // After every change of the pressed look.
    virtual void RepaintButton() {}
    // On focus gain and loss.
    virtual void RepaintFocus() { Repaint(); }
    // What mouse enter and leave invalidate.
    virtual void GetHotTrackRect(TRect& R) { R = GetClientRect(); }
    // The caption in the text style, placed by AlignmentVertical in R.
    virtual void DrawCaption(TCanvas* ACanvas, TRect R, unsigned Flags);
    // The press: what a release inside or the space bar does.
    virtual void Toggle() = 0;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void SetShownDown(bool Value) { FShownDown = Value; }
    void SetTracking(bool Value) { FTracking = Value; }

private:
    void InvalidateHotTrackRect();
    void DrawCaptionCopy(TCanvas* ACanvas, TRect R, int DX, int DY, TColor Color, unsigned Flags);

    TAlignmentVertical FAlignmentVertical = avCenter;
    TColor FHotTrackColor = TColor(0x149BF0);
    TFcHotTrackColorType FHotTrackColorType = htctActual;
    TColor FHighlightColor = clHighlight;
    bool FLightTextStyle = false;
    TTextStyle FTextStyle = tsNormal;
    TColor FTextHighlightColor = clBtnHighlight;
    TColor FTextShadowColor = clBtnShadow;
    int FTextShadowDepth = 2;
    bool FTracking = false;
    bool FHotTrack = false;
    bool FMouseOver = false;
    bool FShownDown = false;
    bool FTransparent = false;
    bool FThemeAware = true;
};
