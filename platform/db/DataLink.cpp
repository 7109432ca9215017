#include "platform/db/DataLink.h"

#include <algorithm>

// --- TDataLink -------------------------------------------------------------------

TDataLink::TDataLink() = default;

TDataLink::~TDataLink()
{
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = nullptr;
}

void TDataLink::SetDataSource(TDataSource* Value)
{
    if (Value == FDataSource)
        return;
    if (FDataSourceFixed)
        DatabaseError(QStringLiteral("Operation not allowed in a DBCtrlGrid"));
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = Value;
    if (FDataSource)
        FDataSource->AddDataLink(this);
    UpdateState();
}

void TDataLink::DataSourceGone()
{
    TDataSource* Old = FDataSource;
    FDataSource = nullptr;
    if (Old)
        Old->RemoveDataLink(this);
    UpdateState();
}

void TDataLink::SetReadOnly(bool Value)
{
    if (AssignIfChanged(FReadOnly, Value))
        UpdateState();
}

bool TDataLink::InheritedEditing() const
{
    return FEditing;
}

void TDataLink::SetEditing(bool Value)
{
    if (AssignIfChanged(FEditing, Value))
        EditingChanged();
}

void TDataLink::SetActive(bool Value)
{
    if (!AssignIfChanged(FActive, Value))
        return;
    if (Value)
        UpdateRange();
    else
        FFirstRecord = 0;
    ActiveChanged();
}

void TDataLink::UpdateState()
{
    SetActive(FDataSource && FDataSource->State() != dsInactive);
    const TDataSetState S = FDataSource ? FDataSource->State() : dsInactive;
    SetEditing((S == dsEdit || S == dsInsert) && !FReadOnly);
}

void TDataLink::UpdateRange()
{
    TDataSet* DS = DataSet();
    if (!DS)
        return;
    const int Active = DS->ActiveRecord();
    const int Min = std::max(0, Active - FBufferCount + 1);
    const int Max = std::min(Active, std::max(0, DS->BufferCount() - FBufferCount));
    FFirstRecord = std::clamp(FFirstRecord, Min, std::max(Min, Max));
}

void TDataLink::SetBufferCount(int Value)
{
    Value = std::max(1, Value);
    if (!AssignIfChanged(FBufferCount, Value))
        return;
    if (TDataSet* DS = DataSet())
        DS->UpdateBufferCount();
    if (FActive)
        UpdateRange();
}

int TDataLink::ActiveRecord() const
{
    TDataSet* DS = DataSet();
    if (!DS || DS->State() == dsSetKey)
        return 0;
    return DS->ActiveRecord() - FFirstRecord;
}

void TDataLink::SetActiveRecord(int Value)
{
    TDataSet* DS = DataSet();
    if (DS && DS->State() != dsSetKey)
        DS->SetActiveRecord(Value + FFirstRecord);
}

int TDataLink::RecordCount() const
{
    TDataSet* DS = DataSet();
    if (!DS || !FActive)
        return 0;
    if (DS->State() == dsSetKey)
        return 1;
    return std::clamp(DS->BufferRecordCount() - FFirstRecord, 0, FBufferCount);
}

bool TDataLink::Edit()
{
    if (!FReadOnly && FDataSource)
        FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord()
{
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info)
{
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!FActive)
        return;
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (!FUpdating)
            RecordChanged(reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        int Count = 0;
        if (FDataSource->State() != dsSetKey) {
            const int Active = DataSet()->ActiveRecord();
            const int First = FFirstRecord + int(Info);
            const int Last = First + FBufferCount - 1;
            if (Active > Last)
                Count = Active - Last;
            else if (Active < First)
                Count = Active - First;
            FFirstRecord = First + Count;
        }
        if (Event == deDataSetChange)
            DataSetChanged();
        else if (Event == deDataSetScroll)
            DataSetScrolled(Count);
        else
            LayoutChanged();
        break;
    }
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TField*>(Info));
        break;
    case deFieldListChange:
        if (Info != 0)
            FieldGone(reinterpret_cast<TField*>(Info));
        break;
    default:
        break;
    }
}

// --- TFieldDataLink ------------------------------------------------------------

TFieldDataLink::TFieldDataLink()
{
    SetVisualControl(true);
}

void TFieldDataLink::SetFieldName(const String& Value)
{
    if (AssignIfChanged(FFieldName, Value))
        UpdateField();
}

void TFieldDataLink::UpdateField()
{
    if (Active() && !FFieldName.isEmpty()) {
        FField = nullptr;
        SetField(DataSet()->FieldByName(FFieldName));
    } else {
        SetField(nullptr);
    }
}

void TFieldDataLink::SetField(TField* Value)
{
    if (!AssignIfChanged(FField, Value))
        return;
    EditingChanged();
    RecordChanged(nullptr);
}

void TFieldDataLink::SetControlDataSource(TDataSource* Value)
{
    const bool Loading = FControl != nullptr && FControl->ComponentState().Contains(csLoading);
    if (!(DataSourceFixed() && Loading))
        SetDataSource(Value);
    if (Value != nullptr && FControl != nullptr)
        Value->FreeNotification(FControl);
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly() && FField && FField->CanModify();
}

bool TFieldDataLink::Edit()
{
    if (CanModify())
        TDataLink::Edit();
    return FFieldEditing;
}

void TFieldDataLink::SetFieldEditing(bool Value)
{
    if (!AssignIfChanged(FFieldEditing, Value))
        return;
    FModified = false;
    if (FOnEditingChange)
        FOnEditingChange(this);
}

void TFieldDataLink::ActiveChanged()
{
    UpdateField();
    if (FOnActiveChange)
        FOnActiveChange(this);
}

void TFieldDataLink::EditingChanged()
{
    SetFieldEditing(InheritedEditing() && CanModify());
}

void TFieldDataLink::FocusControl(TField* Field)
{
    if (Field && Field == FField && FOnFocusControl)
        FOnFocusControl(Field);
}

void TFieldDataLink::FieldGone(TField* Field)
{
    if (Field == FField)
        SetField(nullptr);
}

void TFieldDataLink::LayoutChanged()
{
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* Field)
{
    if (Field == nullptr || Field == FField) {
        if (FOnDataChange)
            FOnDataChange(this);
        FModified = false;
    }
}

void TFieldDataLink::UpdateData()
{
    if (!FModified)
        return;
    if (FField && FOnUpdateData)
        FOnUpdateData(this);
    FModified = false;
}
