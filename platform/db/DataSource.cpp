#include "platform/db/DataSource.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/DataLink.h"

#include <algorithm>

REGISTER_COMPONENT(TDataSource, TComponent)
    PUBLISHED(AutoEdit, true)
    PUBLISHED(DataSet, nullptr)
    PUBLISHED(Enabled, true)
    PUBLISHED_EVENT(OnStateChange)
    PUBLISHED_EVENT(OnDataChange)
    PUBLISHED_EVENT(OnUpdateData)
END_REGISTER

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource()
{
    FOnStateChange = nullptr;
    FOnDataChange = nullptr;
    FOnUpdateData = nullptr;
    if (FDataSet) {
        FDataSet->RemoveDataSource(this);
        FDataSet = nullptr;
    }
    while (!FDataLinks.empty())
        FDataLinks.back()->DataSourceGone();
}

void TDataSource::SetDataSet(TDataSet* Value)
{
    if (Value == FDataSet)
        return;
    if (FDataSet) {
        TDataSet* Old = FDataSet;
        FDataSet = nullptr;
        Old->RemoveDataSource(this);
        Old->RemoveFreeNotification(this);
        // The links let go of the old data set (and its fields) before the
        // new one comes, also when both are open.
        UpdateState();
    }
    FDataSet = Value;
    if (Value) {
        Value->FDataSources.push_back(this);
        Value->FreeNotification(this);
        Value->UpdateBufferCount();
    }
    UpdateState();
}

void TDataSource::DataSetGone()
{
    FDataSet = nullptr;
    UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataSet) {
        TDataSet* Old = FDataSet;
        FDataSet = nullptr;
        Old->RemoveDataSource(this);
        UpdateState();
    }
}

void TDataSource::SetEnabled(bool Value)
{
    FEnabled = Value;
    UpdateState();
}

void TDataSource::Edit()
{
    if (FAutoEdit && FState == dsBrowse && FDataSet)
        FDataSet->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet* ADataSet) const
{
    (void)ADataSet;
    return false;
}

void TDataSource::UpdateState()
{
    SetState(FEnabled && FDataSet ? FDataSet->State() : dsInactive);
}

void TDataSource::SetState(TDataSetState Value)
{
    if (FState == Value)
        return;
    const TDataSetState Prior = FState;
    FState = Value;
    NotifyLinks(deUpdateState, 0, true);
    NotifyLinks(deUpdateState, 0, false);
    if (ComponentState().Contains(csDestroying))
        return;
    if (FOnStateChange)
        FOnStateChange(this);
    if (Prior == dsInactive && FOnDataChange)
        FOnDataChange(this, nullptr);
}

void TDataSource::NotifyLinks(TDataEvent Event, std::intptr_t Info, bool Visual)
{
    // A handler may remove links while they are told.
    for (TDataLink* Link : std::vector<TDataLink*>(FDataLinks))
        if (Link->VisualControl() == Visual
            && std::find(FDataLinks.begin(), FDataLinks.end(), Link) != FDataLinks.end())
            Link->DataEvent(Event, Info);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info)
{
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (FState == dsInactive)
        return;
    NotifyLinks(Event, Info, true);
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (FOnDataChange)
            FOnDataChange(this, reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (FOnDataChange)
            FOnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (FOnUpdateData)
            FOnUpdateData(this);
        break;
    default:
        break;
    }
    NotifyLinks(Event, Info, false);
}

void TDataSource::AddDataLink(TDataLink* Link)
{
    FDataLinks.push_back(Link);
    if (FDataSet)
        FDataSet->UpdateBufferCount();
}

void TDataSource::RemoveDataLink(TDataLink* Link)
{
    FDataLinks.erase(std::remove(FDataLinks.begin(), FDataLinks.end(), Link), FDataLinks.end());
    if (FDataSet)
        FDataSet->UpdateBufferCount();
}
