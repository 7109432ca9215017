#include "platform/classes/BasicAction.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_CLASS(TBasicAction, TComponent)
    PUBLISHED_EVENT(OnExecute)
    PUBLISHED_EVENT(OnUpdate)
END_REGISTER

TBasicActionLink::TBasicActionLink(TObject* Client)
{
    AssignClient(Client);
}

TBasicActionLink::~TBasicActionLink()
{
    if (FAction != nullptr)
        FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction)
        return;
    if (FAction != nullptr)
        FAction->UnRegisterChanges(this);
    FAction = Value;
    if (Value != nullptr)
        Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* Target)
{
    if (FAction == nullptr)
        return false;
    FAction->SetActionComponent(Target);
    bool Result = false;
    try {
        Result = FAction->Execute();
    } catch (...) {
        if (FAction != nullptr)
            FAction->SetActionComponent(nullptr);
        throw;
    }
    if (FAction != nullptr)
        FAction->SetActionComponent(nullptr);
    return Result;
}

bool TBasicActionLink::Update()
{
    return FAction != nullptr && FAction->Update();
}

void TBasicActionLink::Change()
{
    if (FOnChange)
        FOnChange(FAction);
}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TBasicAction::BeforeDestruction()
{
    // Every link forgets the action before it goes.
    while (!FClients.empty()) {
        TBasicActionLink* Link = FClients.back();
        FClients.pop_back();
        Link->FAction = nullptr;
    }
    TComponent::BeforeDestruction();
}

bool TBasicAction::Execute()
{
    if (!FOnExecute)
        return false;
    FOnExecute(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!FOnUpdate)
        return false;
    FOnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* Value)
{
    if (FActionComponent == Value)
        return;
    if (FActionComponent != nullptr)
        FActionComponent->RemoveFreeNotification(this);
    FActionComponent = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link)
{
    Link->FAction = this;
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end())
        FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
    if (Link->FAction == this)
        Link->FAction = nullptr;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value)
{
    for (TBasicActionLink* Link : std::vector<TBasicActionLink*>(FClients))
        Link->SetOnExecute(Value);
    FOnExecute = Value;
    Change();
}

void TBasicAction::Change()
{
    if (FOnChange)
        FOnChange(this);
    for (TBasicActionLink* Link : std::vector<TBasicActionLink*>(FClients))
        Link->Change();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActionComponent)
        FActionComponent = nullptr;
}
