#pragma once
// TDataSource: the hub between one data set and the data links of the
// controls that show it.
#include "platform/classes/Component.h"
#include "platform/db/DataSet.h"

class TDataLink;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool Value) { FAutoEdit = Value; }
    TDataSetState State() const { return FState; }
    // Puts the data set into edit mode when AutoEdit allows and it browses.
    void Edit();
    // True when Field belongs to this source's data set.
    bool IsLinkedTo(TDataSet* ADataSet) const;

    DECLARE_EVENT(TNotifyEvent, OnStateChange)
    DECLARE_EVENT(TDataChangeEvent, OnDataChange)
    DECLARE_EVENT(TNotifyEvent, OnUpdateData)

    int DataLinkCount() const { return int(FDataLinks.size()); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataSet;
    friend class TDataLink;

    void DataEvent(TDataEvent Event, std::intptr_t Info);
    void NotifyLinks(TDataEvent Event, std::intptr_t Info, bool Visual);
    void UpdateState();
    void SetState(TDataSetState Value);
    void AddDataLink(TDataLink* Link);
    void RemoveDataLink(TDataLink* Link);
    // The data set is being destroyed.
    void DataSetGone();

    TDataSet* FDataSet = nullptr;
    bool FEnabled = true;
    bool FAutoEdit = true;
    TDataSetState FState = dsInactive;
    std::vector<TDataLink*> FDataLinks;
};
