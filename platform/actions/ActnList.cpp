#include "platform/actions/ActnList.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_CLASS(TContainedAction, TBasicAction)
    PUBLISHED(Category, String())
END_REGISTER

REGISTER_CLASS(TCustomAction, TContainedAction)
END_REGISTER

REGISTER_COMPONENT(TAction, TCustomAction)
    PUBLISHED(AutoCheck, false)
    PUBLISHED(Caption, String())
    PUBLISHED(Checked, false)
    PUBLISHED(Enabled, true)
    PUBLISHED(GroupIndex, 0)
    PUBLISHED(HelpContext, 0)
    PUBLISHED(Hint, String())
    PUBLISHED(ImageIndex, -1)
    PUBLISHED(ShortCut, 0)
    PUBLISHED(Visible, true)
END_REGISTER

REGISTER_COMPONENT(THintAction, TCustomAction)
END_REGISTER

REGISTER_CLASS(TCustomActionList, TComponent)
END_REGISTER

REGISTER_COMPONENT(TActionList, TCustomActionList)
    PUBLISHED(Images, nullptr)
    PUBLISHED_EVENT(OnChange)
    PUBLISHED_EVENT(OnExecute)
    PUBLISHED_EVENT(OnUpdate)
END_REGISTER

namespace {

std::vector<TCustomActionList*>& LiveLists()
{
    static auto* List = new std::vector<TCustomActionList*>;
    return *List;
}

template <typename F>
void ForEachLink(const std::vector<TBasicActionLink*>& Clients, F&& Fn)
{
    for (TBasicActionLink* L : std::vector<TBasicActionLink*>(Clients))
        if (auto* Link = dynamic_cast<TActionLink*>(L))
            Fn(*Link);
}

} // namespace

const std::vector<TCustomActionList*>& ActionLists()
{
    return LiveLists();
}

TActionHooks& ActionHooks()
{
    static TActionHooks Hooks;
    return Hooks;
}

// --- TActionLink ---------------------------------------------------------------

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsHelpContextLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsShortCutLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(Action()) != nullptr; }

bool TActionLink::DoShowHint(String& HintStr)
{
    if (auto* A = dynamic_cast<TCustomAction*>(Action()))
        return A->DoHint(HintStr);
    return true;
}

// --- TContainedAction ------------------------------------------------------------

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction()
{
    if (FActionList != nullptr)
        FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value)
{
    if (Value == FActionList)
        return;
    if (FActionList != nullptr)
        FActionList->RemoveAction(this);
    if (Value != nullptr)
        Value->AddAction(this);
}

void TContainedAction::SetCategory(const String& Value)
{
    if (Value == FCategory)
        return;
    FCategory = Value;
    Change();
}

int TContainedAction::Index() const
{
    if (FActionList == nullptr)
        return -1;
    for (int I = 0; I < FActionList->ActionCount(); ++I)
        if (FActionList->Actions(I) == this)
            return I;
    return -1;
}

void TContainedAction::SetIndex(int Value)
{
    if (FActionList == nullptr)
        return;
    FActionList->SetChildOrder(this, Value);
}

bool TContainedAction::Execute()
{
    if (FActionList != nullptr && FActionList->ExecuteAction(this))
        return true;
    if (ActionHooks().Execute && ActionHooks().Execute(this))
        return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
    if (FActionList != nullptr && FActionList->UpdateAction(this))
        return true;
    if (ActionHooks().Update && ActionHooks().Update(this))
        return true;
    return TBasicAction::Update();
}

TComponent* TContainedAction::GetParentComponent() const
{
    return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* Value)
{
    if (auto* List = dynamic_cast<TCustomActionList*>(Value))
        SetActionList(List);
}

// --- TCustomAction -----------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

// Every setter tells the links before it stores the value: a link decides
// whether its client still follows by comparing with the old value.
void TCustomAction::SetAutoCheck(bool Value)
{
    if (Value == FAutoCheck)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetAutoCheck(Value); });
    FAutoCheck = Value;
    Change();
}

void TCustomAction::SetCaption(const String& Value)
{
    if (Value == FCaption)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetCaption(Value); });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value)
{
    if (FChecking || Value == FChecked)
        return;
    FChecking = true;
    try {
        ForEachLink(FClients, [&](TActionLink& L) { L.SetChecked(Value); });
        FChecked = Value;
        // A checked action of a group unchecks the others of its group.
        if (Value && FGroupIndex > 0 && ActionList() != nullptr)
            for (int I = 0; I < ActionList()->ActionCount(); ++I) {
                auto* Other = dynamic_cast<TCustomAction*>(ActionList()->Actions(I));
                if (Other != nullptr && Other != this && Other->FGroupIndex == FGroupIndex)
                    Other->SetChecked(false);
            }
        Change();
    } catch (...) {
        FChecking = false;
        throw;
    }
    FChecking = false;
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetEnabled(Value); });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetGroupIndex(Value); });
    FGroupIndex = Value;
    Change();
}

void TCustomAction::SetHelpContext(int Value)
{
    if (Value == FHelpContext)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetHelpContext(Value); });
    FHelpContext = Value;
    Change();
}

void TCustomAction::SetHint(const String& Value)
{
    if (Value == FHint)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetHint(Value); });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == FImageIndex)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetShortCut(Value); });
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    ForEachLink(FClients, [&](TActionLink& L) { L.SetVisible(Value); });
    FVisible = Value;
    Change();
}

bool TCustomAction::Execute()
{
    // A disabled action does nothing; an auto-check one toggles first.
    Update();
    if (!FEnabled)
        return false;
    if (FAutoCheck && !(FChecked && FGroupIndex > 0))
        SetChecked(!FChecked);
    return TContainedAction::Execute();
}

bool TCustomAction::Update()
{
    const bool Handled = TContainedAction::Update();
    if (!Handled && FDisableIfNoHandler && FEnabled && !OnExecute())
        SetEnabled(false);
    return Handled;
}

bool TCustomAction::DoHint(String& HintStr)
{
    bool CanShow = true;
    if (FOnHint)
        FOnHint(HintStr, CanShow);
    return CanShow;
}

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner)
{
    SetDisableIfNoHandler(true);
}

THintAction::THintAction(TComponent* AOwner) : TCustomAction(AOwner)
{
    SetDisableIfNoHandler(false);
}

// --- TCustomActionList ----------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner)
    : TComponent(AOwner), FImageChangeLink(std::make_unique<TChangeLink>())
{
    LiveLists().push_back(this);
    FImageChangeLink->SetOnChange([this](TObject*) { Change(); });
}

void TCustomActionList::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(FImageChangeLink.get());
        Value->FreeNotification(this);
    }
    Change();
}

TCustomActionList::~TCustomActionList()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TCustomActionList::BeforeDestruction()
{
    auto& L = LiveLists();
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
    while (!FActions.empty()) {
        TContainedAction* A = FActions.back();
        FActions.pop_back();
        A->SetActionListField(nullptr);
    }
    TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::Actions(int Index) const
{
    if (Index < 0 || Index >= ActionCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FActions[std::size_t(Index)];
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action)
{
    bool Handled = false;
    if (FOnExecute)
        FOnExecute(Action, Handled);
    return Handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action)
{
    bool Handled = false;
    if (FOnUpdate)
        FOnUpdate(Action, Handled);
    return Handled;
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut)
{
    if (ShortCut == 0)
        return false;
    for (TContainedAction* A : std::vector<TContainedAction*>(FActions)) {
        auto* CA = dynamic_cast<TCustomAction*>(A);
        if (CA == nullptr || CA->ShortCut() != ShortCut)
            continue;
        CA->Update();
        if (CA->Enabled() && CA->Visible()) {
            CA->Execute();
            return true;
        }
        return false;
    }
    return false;
}

void TCustomActionList::UpdateActions()
{
    for (TContainedAction* A : std::vector<TContainedAction*>(FActions))
        A->Update();
}

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TContainedAction* A : FActions)
        if (A->Owner() == Root)
            Proc(A);
}

void TCustomActionList::SetChildOrder(TComponent* Child, int Order)
{
    auto It = std::find(FActions.begin(), FActions.end(), Child);
    if (It == FActions.end())
        return;
    TContainedAction* A = *It;
    FActions.erase(It);
    Order = std::clamp(Order, 0, int(FActions.size()));
    FActions.insert(FActions.begin() + Order, A);
    Change();
}

void TCustomActionList::AddAction(TContainedAction* Action)
{
    if (std::find(FActions.begin(), FActions.end(), Action) != FActions.end())
        return;
    FActions.push_back(Action);
    Action->SetActionListField(this);
    Action->FreeNotification(this);
    Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action)
{
    auto It = std::find(FActions.begin(), FActions.end(), Action);
    if (It == FActions.end())
        return;
    FActions.erase(It);
    Action->SetActionListField(nullptr);
    Change();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (auto* A = dynamic_cast<TContainedAction*>(AComponent))
        RemoveAction(A);
}

void TCustomActionList::Change()
{
    if (FOnChange)
        FOnChange(this);
}

TActionList::TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
