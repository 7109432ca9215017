#pragma once
// TFcRapidFireButton: a speed button that repeats its click while it is
// held down (first after InitialDelay, then every Delay milliseconds) and
// can show the scroll-bar arrow of a direction as its glyph.  The group
// bar's scroll buttons are rapid-fire buttons.
#include "controls/foundation/FcTypes.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/SpeedButton.h"

#include <cstdint>

class TFcRapidFireButton : public TSpeedButton {
public:
    explicit TFcRapidFireButton(TComponent* AOwner);

    std::uint16_t Delay() const { return FDelay; }
    void SetDelay(std::uint16_t Value) { FDelay = Value; }
    std::uint16_t InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(std::uint16_t Value) { FInitialDelay = Value; }
    TFcScrollStyle ScrollStyle() const { return FScrollStyle; }
    void SetScrollStyle(TFcScrollStyle Value);
    // Whether a held press repeats (on by default).
    bool Repeating() const { return FRepeating; }
    void SetRepeating(bool Value) { FRepeating = Value; }
    // A dotted focus rectangle inside the face (off by default).
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value) { SetPaintProperty(FShowFocusRect, Value); }
    // The repeat timer, made by the first press; nullptr before.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    void RepeatTick(TObject* Sender);
    void BuildScrollGlyph();

    TTimer* FRepeatTimer = nullptr;
    std::uint16_t FInitialDelay = 400;
    std::uint16_t FDelay = 100;
    bool FRepeating = true;
    bool FShowFocusRect = false;
    TFcScrollStyle FScrollStyle = scsNone;
};
