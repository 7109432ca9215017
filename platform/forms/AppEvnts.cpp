#include "platform/forms/AppEvnts.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TApplicationEvents, TComponent)
    PUBLISHED_EVENT(OnActionExecute)
    PUBLISHED_EVENT(OnActionUpdate)
    PUBLISHED_EVENT(OnActivate)
    PUBLISHED_EVENT(OnDeactivate)
    PUBLISHED_EVENT(OnException)
    PUBLISHED_EVENT(OnHint)
    PUBLISHED_EVENT(OnIdle)
    PUBLISHED_EVENT(OnMessage)
    PUBLISHED_EVENT(OnShowHint)
END_REGISTER

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner)
{
    if (Application != nullptr)
        Application->AddApplicationEvents(this);
}

TApplicationEvents::~TApplicationEvents()
{
    if (!FRemoved && Application != nullptr)
        Application->RemoveApplicationEvents(this);
}

void TApplicationEvents::BeforeDestruction()
{
    if (!FRemoved && Application != nullptr)
        Application->RemoveApplicationEvents(this);
    FRemoved = true;
    TComponent::BeforeDestruction();
}
