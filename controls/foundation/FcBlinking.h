#pragma once
// The blinking list: labels and status panes can blink, alternating between
// their normal look and a blink colour, all in one rhythm.  One
// process-wide list owns the single timer and every such control; at each
// tick it asks each control whether it blinks (CM_QUERYBLINKING) and tells
// those that do the new phase (CM_BLINKSTATE).  The list exists from the
// first label or pane to the last.
#include "platform/windows/Controls.h"
#include "platform/forms/Timer.h"

#include <cstdint>
#include <memory>
#include <vector>

class TFcBlinkingControlsList : public TObject {
public:
    TFcBlinkingControlsList();
    ~TFcBlinkingControlsList() override;

    virtual int Count() const { return int(FControls.size()); }
    void Add(TControl* Control);
    // Removes the first occurrence.
    void Remove(TControl* Control);
    bool Contains(const TControl* Control) const;

    // The phase: 1 on (the normal look), 0 off (the blink look).
    std::uint8_t State() const { return FState; }
    // Milliseconds of each phase; the labels' and panes' BlinkIntervalOff
    // and BlinkIntervalOn read and write these, so the rhythm is shared.  A
    // change takes effect at the next phase switch.
    std::uint16_t BlinkIntervalOff() const { return FBlinkIntervalOff; }
    void SetBlinkIntervalOff(std::uint16_t Value) { FBlinkIntervalOff = Value; }
    std::uint16_t BlinkIntervalOn() const { return FBlinkIntervalOn; }
    void SetBlinkIntervalOn(std::uint16_t Value) { FBlinkIntervalOn = Value; }
    // The one timer; it runs while the list exists, whether or not anything
    // blinks.  Its OnTimer is the tick.
    TTimer* Timer() const { return FTimer.get(); }
    // Whether the list is telling its controls a new phase right now.
    bool Ticking() const { return FTicking; }

private:
    void Tick(TObject* Sender);

    std::uint8_t FState = 1;
    std::vector<TControl*> FControls;
    std::unique_ptr<TTimer, TComponentDeleter> FTimer;
    std::uint16_t FBlinkIntervalOff = 500;
    std::uint16_t FBlinkIntervalOn = 500;
    bool FTicking = false;
};

// The list, or nullptr while no label or status pane exists.
TFcBlinkingControlsList* BlinkingControlsList();
// The shared rhythm as a label or pane publishes it: 500 ms each while no
// list exists, and a setting made then is dropped (there is nothing to
// blink).
std::uint16_t SharedBlinkInterval(bool On);
void SetSharedBlinkInterval(bool On, std::uint16_t Value);
// For the constructor of every label and status pane: creates the list
// when there is none and adds the control, whether or not it blinks.
void AddBlinkingControl(TControl* Control);
// For their destructors: removes the control and frees the list with its
// timer when it was the last.
void RemoveBlinkingControl(TControl* Control);
// Frees the list when it holds no control; during a tick, once the tick is
// over.
void FreeBlinkingListIfEmpty();
