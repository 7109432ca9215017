#include "controls/foundation/FcBlinking.h"

#include "controls/foundation/FcMessages.h"

#include <algorithm>

namespace {

std::unique_ptr<TFcBlinkingControlsList>& GlobalList()
{
    static std::unique_ptr<TFcBlinkingControlsList> List;
    return List;
}

} // namespace

TFcBlinkingControlsList::TFcBlinkingControlsList() : FTimer(new TTimer(nullptr))
{
    FTimer->SetInterval(FBlinkIntervalOff);
    FTimer->SetOnTimer([this](TObject* Sender) { Tick(Sender); });
    FTimer->SetEnabled(true);
}

TFcBlinkingControlsList::~TFcBlinkingControlsList() = default;

void TFcBlinkingControlsList::Add(TControl* Control)
{
    FControls.push_back(Control);
}

void TFcBlinkingControlsList::Remove(TControl* Control)
{
    const auto It = std::find(FControls.begin(), FControls.end(), Control);
    if (It != FControls.end())
        FControls.erase(It);
}

bool TFcBlinkingControlsList::Contains(const TControl* Control) const
{
    return std::find(FControls.begin(), FControls.end(), Control) != FControls.end();
}

void TFcBlinkingControlsList::Tick(TObject* Sender)
{
    (void)Sender;
    if (FState == 1) {
        FState = 0;
        FTimer->SetInterval(FBlinkIntervalOff);
    } else {
        FState = 1;
        FTimer->SetInterval(FBlinkIntervalOn);
    }
    // A control may go while it repaints: only those still listed hear of
    // the phase, and the list itself is freed only after the tick.
    FTicking = true;
    const std::vector<TControl*> Controls = FControls;
    for (TControl* C : Controls)
        if (Contains(C) && C->Perform(CM_QUERYBLINKING, 0, 0) == 1 && Contains(C))
            C->Perform(CM_BLINKSTATE, FState, 0);
    FTicking = false;
    // The timer is inside its own event: the emptied list (this object)
    // goes once that is over.
    if (Count() == 0)
        RunAfterDispatch(FreeBlinkingListIfEmpty);
}

TFcBlinkingControlsList* BlinkingControlsList()
{
    return GlobalList().get();
}

std::uint16_t SharedBlinkInterval(bool On)
{
    const TFcBlinkingControlsList* List = BlinkingControlsList();
    if (List == nullptr)
        return 500;
    return On ? List->BlinkIntervalOn() : List->BlinkIntervalOff();
}

void SetSharedBlinkInterval(bool On, std::uint16_t Value)
{
    TFcBlinkingControlsList* List = BlinkingControlsList();
    if (List == nullptr)
        return;
    if (On)
        List->SetBlinkIntervalOn(Value);
    else
        List->SetBlinkIntervalOff(Value);
}

void AddBlinkingControl(TControl* Control)
{
    if (!GlobalList())
        GlobalList() = std::make_unique<TFcBlinkingControlsList>();
    GlobalList()->Add(Control);
}

void RemoveBlinkingControl(TControl* Control)
{
    if (!GlobalList())
        return;
    GlobalList()->Remove(Control);
    FreeBlinkingListIfEmpty();
}

void FreeBlinkingListIfEmpty()
{
    TFcBlinkingControlsList* List = GlobalList().get();
    if (List == nullptr || List->Count() != 0)
        return;
    // A control that went during a tick: the tick frees the list after.
    if (List->Ticking())
        return;
    GlobalList().reset();
}
