#pragma once
// TSiTimerPool: many timed entries driven by one window timer.  The timer
// ticks every MinInterval milliseconds while the pool is active and at least
// one entry is enabled; on each tick every enabled entry whose multiplier
// divides the tick counter fires: its count rises, it disables itself when
// the count reaches its maximum, and its event (or its target's handler)
// runs.  Ticks that arrive while one is running are dropped.
#include "platform/windows/WinUser.h"
#include "sysinfo/SiCustomComponent.h"

#include <cstdint>
#include <memory>
#include <vector>

class TSiTimerPool;

// What a component implements to be an entry's target.
class ISiTimerTarget {
public:
    virtual ~ISiTimerTarget() = default;
    virtual void PoolTimer(int ID, int Count) = 0;
};

class TSiTimerEntry {
public:
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // The entry fires on every Multiplier-th tick (0 counts as 1).
    std::uint16_t Multiplier() const { return FMultiplier; }
    void SetMultiplier(std::uint16_t Value) { FMultiplier = std::max<std::uint16_t>(Value, 1); }
    int ID() const { return FID; }
    // How often it fired (never negative: it starts again at 0 after the
    // largest int).
    int Count() const { return FCount; }
    // It disables itself once Count reaches MaxCount; 0 means no maximum.
    int MaxCount() const { return FMaxCount; }
    void SetMaxCount(int Value) { FMaxCount = std::max(Value, 0); }
    TComponent* Target() const { return FTarget; }

private:
    friend class TSiTimerPool;
    TSiTimerEntry(TSiTimerPool* Pool, std::uint16_t Multiplier, int MaxCount);

    TSiTimerPool* FPool;
    bool FEnabled = true;
    bool FRemoved = false;
    std::uint16_t FMultiplier = 1;
    int FID = 0;
    int FCount = 0;
    int FMaxCount = 0;
    TEventSlot<TNotifyEvent> FOnTimer;
    TComponent* FTarget = nullptr;
};

class TSiTimerPool : public TSiCustomComponent {
public:
    explicit TSiTimerPool(TComponent* AOwner);
    // The application object's pool runs with its own minimum interval.
    TSiTimerPool(TComponent* AOwner, std::uint16_t MinInterval);
    ~TSiTimerPool() override;
    void BeforeDestruction() override;

    // Milliseconds between ticks; a form definition sets it, code cannot
    // (writes outside loading and designing are ignored).
    std::uint16_t MinInterval() const { return FMinInterval; }
    void SetMinInterval(std::uint16_t Value);

    // An entry that runs OnTimer (Sender: the pool).
    TSiTimerEntry* Add(std::uint16_t Multiplier, TNotifyEvent OnTimer, int MaxCount = 0);
    // An entry that calls Target's PoolTimer with ID and the count; the
    // entry goes when Target goes.  EInvalidOperation when Target is not an
    // ISiTimerTarget.
    TSiTimerEntry* AddTarget(TComponent* Target, int ID, std::uint16_t Multiplier, int MaxCount = 0);
    // Entry must be one of this pool's entries (nullptr is ignored).
    void Remove(TSiTimerEntry* Entry);
    int Count() const;
    TSiTimerEntry* Entries(int Index) const;

    // Activation makes the hidden window on first use and sets its timer
    // when an entry is enabled; EOutOfResources "Not enough timers
    // available" when the timer cannot be set.  Nothing runs while
    // designing.
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // Whether the window timer runs now.
    bool TimerRunning() const { return FTimerRunning; }
    // The hidden window that receives WM_TIMER (nullptr before the first
    // activation).
    HWND Handle() const { return FHandle; }
    std::uint32_t TickCounter() const { return FTick; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TSiTimerEntry;
    void UpdateTimer();
    void StopTimer();
    void WndProc(TMessage& Message);
    void Tick();
    // True when the entry reached its maximum and disabled itself.
    bool Fire(TSiTimerEntry& Entry);
    // Marks an entry as gone; Purge frees the marked ones outside a tick.
    void Discard(TSiTimerEntry& Entry);
    void Purge();
    bool AnyEnabled() const;

    std::uint16_t FMinInterval = 1000;
    std::vector<std::unique_ptr<TSiTimerEntry>> FEntries;
    bool FActive = false;
    bool FInTick = false;
    bool FTimerRunning = false;
    std::uint32_t FTick = 0;
    HWND FHandle = nullptr;
};
