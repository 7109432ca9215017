#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled, on the
// UI thread, through WM_TIMER of a window of its own.  An exception in
// OnTimer goes to the application's exception handling.
#include "platform/classes/Component.h"
#include "platform/windows/WinUser.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);

protected:
    virtual void Timer();
    void Loaded() override;

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    TEventSlot<TNotifyEvent> FOnTimer;
    HWND FWindowHandle = nullptr;
};
