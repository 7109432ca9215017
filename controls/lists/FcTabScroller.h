#pragma once
// TFcTabScroller: the pair of arrow buttons that scrolls a single-line tab
// strip whose tabs do not fit.  Side by side (horizontal) or one above the
// other (vertical), painted in the tab control's TabColors; holding a half
// repeats its click (first after InitialDelay, then every Delay), and
// releasing it inside clicks once more.  The tab control creates it when
// the tabs first overflow and hooks its two clicks.
#include "controls/foundation/FcTypes.h"
#include "platform/windows/CustomControl.h"

class TFcCustomTabControl;
class TTimer;

class TFcTabScroller : public TCustomControl {
public:
    explicit TFcTabScroller(TComponent* AOwner);

    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value);
    unsigned InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(unsigned Value) { FInitialDelay = Value; }
    unsigned Delay() const { return FDelay; }
    void SetDelay(unsigned Value) { FDelay = Value; }
    TFcCustomTabControl* TabControl() const { return FTabControl; }
    DECLARE_EVENT(TNotifyEvent, OnUpRightClick)
    DECLARE_EVENT(TNotifyEvent, OnDownLeftClick)

    // The halves as painted: 0 the down/left one, 1 the up/right one.
    TRect HalfRect(int Half);
    // The repeat timer (nullptr before the first press).
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    bool MouseIsDown() const { return FMouseDown; }
    bool PressedIn() const { return FPressedIn; }
    int PressedHalf() const { return FPressedHalf; }
    // Whether the arrow of a half can scroll now.
    bool HalfEnabled(int Half);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    void RepeatTimerTick(TObject* Sender);
    void ClickHalf();

    TColor FFrameColor = clBtnShadow;
    TOrientation FOrientation = orHorizontal;
    TFcCustomTabControl* FTabControl;
    bool FMouseDown = false;
    bool FPressedIn = false;
    int FPressedHalf = 0;
    TTimer* FRepeatTimer = nullptr;
    unsigned FInitialDelay = 400;
    unsigned FDelay = 100;
};
