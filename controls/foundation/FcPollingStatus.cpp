#include "controls/foundation/FcPollingStatus.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_COMPONENT(TFcPollingStatus, TFcCustomStatusPane)
    PUBLISHED(Active, true)
    PUBLISHED(Interval, 500)
    PUBLISHED_EVENT(OnTimerExpired)
    // The panes make their text themselves; it is never written.
    PUBLISHED_STORED(Caption, String(), false)
END_REGISTER

namespace {

std::unique_ptr<TFcPollingList>& PollingListOwner()
{
    static std::unique_ptr<TFcPollingList> List;
    return List;
}

// Frees the list once no pane is left, but never inside its own tick.
void FreePollingListIfEmpty()
{
    TFcPollingList* List = PollingListOwner().get();
    if (List != nullptr && List->Count() == 0 && !List->Ticking())
        PollingListOwner().reset();
}

} // namespace

TFcPollingList::TFcPollingList() : FTimer(new TTimer(nullptr))
{
    FTimer->SetInterval(500);
    FTimer->SetOnTimer([this](TObject*) { Tick(); });
    FTimer->SetEnabled(true);
}

TFcPollingList::~TFcPollingList() = default;

void TFcPollingList::Remove(TFcPollingStatus* Pane)
{
    const auto It = std::find(FPanes.begin(), FPanes.end(), Pane);
    if (It != FPanes.end())
        FPanes.erase(It);
}

bool TFcPollingList::Contains(const TFcPollingStatus* Pane) const
{
    return std::find(FPanes.begin(), FPanes.end(), Pane) != FPanes.end();
}

void TFcPollingList::Tick()
{
    // A pane may free itself or another from its handler: the tick walks a
    // copy and skips those that left, and the emptied list (with the timer
    // that is running this) goes once the tick is over.
    FTicking = true;
    const std::vector<TFcPollingStatus*> Panes = FPanes;
    try {
        for (TFcPollingStatus* Pane : Panes)
            if (Contains(Pane) && Pane->Visible())
                Pane->TimerExpired();
    } catch (...) {
        FTicking = false;
        if (Count() == 0)
            RunAfterDispatch(FreePollingListIfEmpty);
        throw;
    }
    FTicking = false;
    if (Count() == 0)
        RunAfterDispatch(FreePollingListIfEmpty);
}

TFcPollingList* PollingList()
{
    return PollingListOwner().get();
}

TFcPollingStatus::TFcPollingStatus(TComponent* AOwner) : TFcCustomStatusPane(AOwner)
{
    if (!PollingListOwner())
        PollingListOwner() = std::make_unique<TFcPollingList>();
    PollingListOwner()->Add(this);
}

TFcPollingStatus::~TFcPollingStatus()
{
    if (PollingListOwner()) {
        PollingListOwner()->Remove(this);
        FreePollingListIfEmpty();
    }
}

bool TFcPollingStatus::Active() const
{
    return PollingList() != nullptr && PollingList()->GetActive();
}

void TFcPollingStatus::SetActive(bool Value)
{
    if (PollingList() != nullptr)
        PollingList()->SetActive(Value);
}

std::uint16_t TFcPollingStatus::Interval() const
{
    return PollingList() != nullptr ? PollingList()->GetInterval() : 500;
}

void TFcPollingStatus::SetInterval(std::uint16_t Value)
{
    if (PollingList() != nullptr)
        PollingList()->SetInterval(Value);
}

void TFcPollingStatus::TimerExpired()
{
    if (FOnTimerExpired)
        FOnTimerExpired(this);
}
