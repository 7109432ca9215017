#pragma once
// TFcPollingStatus (unit FcStatus): a status pane that refreshes itself on
// a timer.  Every polling pane - clock, lock key, resources - shares one
// process-wide TFcPollingList with one 500 ms timer, which exists from the
// first polling pane to the last; Active and Interval of any pane are the
// shared timer's, so setting them on one pane sets them for all.
#include "controls/foundation/FcStatus.h"
#include "platform/forms/Timer.h"

#include <memory>
#include <vector>

class TFcPollingStatus;

class TFcPollingList : public TObject {
public:
    TFcPollingList();
    ~TFcPollingList() override;

    virtual int Count() const { return int(FPanes.size()); }
    virtual bool GetActive() const { return FTimer->Enabled(); }
    void SetActive(bool Value) { FTimer->SetEnabled(Value); }
    virtual std::uint16_t GetInterval() const { return std::uint16_t(FTimer->Interval()); }
    void SetInterval(std::uint16_t Value) { FTimer->SetInterval(Value); }

    void Add(TFcPollingStatus* Pane) { FPanes.push_back(Pane); }
    void Remove(TFcPollingStatus* Pane);
    bool Contains(const TFcPollingStatus* Pane) const;
    // The one timer; its OnTimer is the tick.
    TTimer* Timer() const { return FTimer.get(); }
    // Whether a tick is running now.
    bool Ticking() const { return FTicking; }
    // Polls every visible pane, in the order they were made.
    void Tick();

private:
    std::vector<TFcPollingStatus*> FPanes;
    std::unique_ptr<TTimer, TComponentDeleter> FTimer;
    bool FTicking = false;
};

// The list, or nullptr while no polling pane exists.
TFcPollingList* PollingList();

class TFcPollingStatus : public TFcCustomStatusPane {
public:
    explicit TFcPollingStatus(TComponent* AOwner);
    ~TFcPollingStatus() override;

    bool Active() const;
    void SetActive(bool Value);
    std::uint16_t Interval() const;
    void SetInterval(std::uint16_t Value);
    DECLARE_EVENT(TNotifyEvent, OnTimerExpired)

    // Called on every tick while the pane is visible; the base calls
    // OnTimerExpired.
    virtual void TimerExpired();
};
