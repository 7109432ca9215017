#pragma once
// TFcControlButton (unit FcButton): the small windowless button other
// controls embed as a part of themselves (spin buttons, tab strip buttons):
// a plain face with an optional glyph, an arrow face (left, up, right,
// down) or a drop-down face.  With RepeatClicks it clicks while held down:
// first after InitialDelay, then every Delay milliseconds, and once more
// on a release inside.  A flat button shows a frame only while the mouse
// is over it or it is pressed.
#include "controls/foundation/FcTypes.h"
#include "platform/windows/GraphicControl.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/ButtonGlyph.h"

#include <cstdint>
#include <memory>

enum TFcControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TFcControlButton : public TGraphicControl {
public:
    explicit TFcControlButton(TComponent* AOwner);
    ~TFcControlButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value) { SetPaintProperty(FNumGlyphs, Value); }
    bool RepeatClicks() const { return FRepeatClicks; }
    void SetRepeatClicks(bool Value) { FRepeatClicks = Value; }
    std::uint16_t InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(std::uint16_t Value) { FInitialDelay = Value; }
    std::uint16_t Delay() const { return FDelay; }
    void SetDelay(std::uint16_t Value) { FDelay = Value; }
    TFcControlButtonStyle Style() const { return FStyle; }
    void SetStyle(TFcControlButtonStyle Value) { SetPaintProperty(FStyle, Value); }

    // Drawn pressed; a left press is being followed; the mouse is over it.
    bool IsDown() const { return FDown; }
    bool IsTracking() const { return FTracking; }
    bool MouseOver() const { return FMouseOver; }
    // The repeat timer (owned by the button), made on the first press with
    // RepeatClicks; nullptr before.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

    // (Glyph width / NumGlyphs, Glyph height); (0, 0) without a glyph.
    virtual TSize GetGlyphSize();
    // The arrow direction of PaintDirectionArrow for an arrow style.
    static int ControlStyleToArrow(TFcControlButtonStyle Style);

protected:
    // The face painters draw into R and leave in R the area inside the face.
    virtual void DrawButtonFace(TRect& R);
    virtual void DrawArrowFace(TRect& R);
    virtual void DrawDropDownFace(TRect& R);
    virtual void DrawGlyph(const TRect& R);
    // Whether the control this button is a part of is a spin edit (the
    // owner's owner, asked by class name so that this library needs no
    // knowledge of the list controls): its arrows keep the button face.
    virtual bool OwnerIsSpinEdit() const;

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    // Down, or under an enabled button's mouse (or being designed).
    bool IsHot() const;

private:
    void GlyphChanged(TObject* Sender);
    void RepeatTick(TObject* Sender);
    void UpdateMouseOver();
    void EndPress();
    bool FlatOrThemed() const;
    void DrawFlatFrame(TRect& R);
    void DrawClassicFace(TRect& R, TFrameStyle Up, TColor RaisedFill);
    void DrawThemedThumb(TRect& R);
    template <typename TThemed>
    TThemed ThemedState(TThemed Normal) const;

    bool FDown = false;
    bool FTracking = false;
    bool FFlat = false;
    bool FMouseOver = false;
    std::unique_ptr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    bool FRepeatClicks = false;
    TTimer* FRepeatTimer = nullptr;
    std::uint16_t FInitialDelay = 400;
    std::uint16_t FDelay = 100;
    TFcControlButtonStyle FStyle = cbsNone;
};
