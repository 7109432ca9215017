#include "sysinfo/SiTimerPool.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>
#include <climits>

REGISTER_COMPONENT(TSiTimerPool, TComponent)
    PUBLISHED(MinInterval, 1000)
END_REGISTER

namespace {

constexpr std::uintptr_t PoolTimerId = 1;

} // namespace

// --- entries ---------------------------------------------------------------------

TSiTimerEntry::TSiTimerEntry(TSiTimerPool* Pool, std::uint16_t Multiplier, int MaxCount) : FPool(Pool)
{
    SetMultiplier(Multiplier);
    SetMaxCount(MaxCount);
}

void TSiTimerEntry::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    FPool->UpdateTimer();
}

// --- the pool --------------------------------------------------------------------

TSiTimerPool::TSiTimerPool(TComponent* AOwner) : TSiCustomComponent(AOwner)
{}

TSiTimerPool::TSiTimerPool(TComponent* AOwner, std::uint16_t MinInterval) : TSiCustomComponent(AOwner)
{
    FMinInterval = MinInterval;
}

TSiTimerPool::~TSiTimerPool()
{
    TSiTimerPool::BeforeDestruction();
}

void TSiTimerPool::BeforeDestruction()
{
    if (FHandle != nullptr) {
        FActive = false;
        StopTimer();
        DeallocateHWnd(FHandle);
        FHandle = nullptr;
    }
    FEntries.clear();
    TSiCustomComponent::BeforeDestruction();
}

void TSiTimerPool::SetMinInterval(std::uint16_t Value)
{
    const TComponentState State = ComponentState();
    if (!State.Contains(csLoading) && !State.Contains(csDesigning))
        return;
    if (AssignIfChanged(FMinInterval, Value))
        UpdateTimer();
}

TSiTimerEntry* TSiTimerPool::Add(std::uint16_t Multiplier, TNotifyEvent OnTimer, int MaxCount)
{
    FEntries.push_back(std::unique_ptr<TSiTimerEntry>(new TSiTimerEntry(this, Multiplier, MaxCount)));
    TSiTimerEntry* Entry = FEntries.back().get();
    Entry->FOnTimer = std::move(OnTimer);
    UpdateTimer();
    return Entry;
}

TSiTimerEntry* TSiTimerPool::AddTarget(TComponent* Target, int ID, std::uint16_t Multiplier, int MaxCount)
{
    if (dynamic_cast<ISiTimerTarget*>(Target) == nullptr)
        throw EInvalidOperation(QStringLiteral("A timer pool target must handle the pool's timer"));
    FEntries.push_back(std::unique_ptr<TSiTimerEntry>(new TSiTimerEntry(this, Multiplier, MaxCount)));
    TSiTimerEntry* Entry = FEntries.back().get();
    Entry->FID = ID;
    Entry->FTarget = Target;
    Target->FreeNotification(this);
    UpdateTimer();
    return Entry;
}

void TSiTimerPool::Remove(TSiTimerEntry* Entry)
{
    if (Entry == nullptr || Entry->FPool != this || Entry->FRemoved)
        return;
    Discard(*Entry);
    Purge();
    UpdateTimer();
}

void TSiTimerPool::Discard(TSiTimerEntry& Entry)
{
    Entry.FRemoved = true;
    Entry.FEnabled = false;
}

int TSiTimerPool::Count() const
{
    return int(std::count_if(FEntries.begin(), FEntries.end(), [](const auto& E) { return !E->FRemoved; }));
}

TSiTimerEntry* TSiTimerPool::Entries(int Index) const
{
    int Seen = 0;
    for (const auto& E : FEntries)
        if (!E->FRemoved && Seen++ == Index)
            return E.get();
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TSiTimerPool::SetActive(bool Value)
{
    FActive = Value;
    UpdateTimer();
}

void TSiTimerPool::Notification(TComponent* AComponent, TOperation Operation)
{
    TSiCustomComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    for (const auto& E : FEntries)
        if (E->FTarget == AComponent) {
            E->FTarget = nullptr;
            Discard(*E);
        }
    Purge();
    UpdateTimer();
}

void TSiTimerPool::UpdateTimer()
{
    if (!FActive || ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying)) {
        StopTimer();
        return;
    }
    if (FHandle == nullptr)
        FHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
    StopTimer();
    if (!AnyEnabled())
        return;
    if (SetTimer(FHandle, PoolTimerId, FMinInterval) == 0)
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
    FTimerRunning = true;
}

void TSiTimerPool::StopTimer()
{
    if (FHandle != nullptr && FTimerRunning)
        KillTimer(FHandle, PoolTimerId);
    FTimerRunning = false;
}

void TSiTimerPool::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == PoolTimerId) {
        Tick();
        return;
    }
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TSiTimerPool::Tick()
{
    if (FInTick)
        return;
    FInTick = true;
    // By index: a handler may add entries, which then wait for the next tick.
    const std::size_t Present = FEntries.size();
    bool Finished = false;
    for (std::size_t I = 0; I < Present; ++I) {
        TSiTimerEntry& E = *FEntries[I];
        if (E.FEnabled && FTick % E.FMultiplier == 0)
            Finished = Fire(E) || Finished;
    }
    ++FTick; // unsigned: wraps to 0
    FInTick = false;
    Purge();
    // The timer stops once no entry is left to fire.
    if (Finished)
        UpdateTimer();
}

bool TSiTimerPool::Fire(TSiTimerEntry& E)
{
    E.FCount = E.FCount == INT_MAX ? 0 : E.FCount + 1;
    const bool Finished = E.FMaxCount > 0 && E.FCount >= E.FMaxCount;
    if (Finished)
        E.FEnabled = false;
    GuardEntry(FHandle, [this, &E] {
        if (E.FOnTimer)
            E.FOnTimer(this);
        else if (auto* Target = dynamic_cast<ISiTimerTarget*>(E.FTarget))
            Target->PoolTimer(E.FID, E.FCount);
    });
    return Finished;
}

void TSiTimerPool::Purge()
{
    // Entries go after the tick, so that a handler may remove any of them.
    if (!FInTick)
        std::erase_if(FEntries, [](const auto& E) { return E->FRemoved; });
}

bool TSiTimerPool::AnyEnabled() const
{
    return std::any_of(FEntries.begin(), FEntries.end(), [](const auto& E) { return E->FEnabled && !E->FRemoved; });
}
