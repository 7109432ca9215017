#pragma once
// TDBRadioGroup: a radio group that shows and edits one field of the
// current record of a data source.  Each item stands for a stored value:
// the line of Values at its index, or its caption when Values has no
// (or an empty) line there.  The group checks the item whose value the
// field holds, none when no item's value matches.
//
// Choosing an item asks the data set to edit first; a choice the link
// cannot make (ReadOnly, a data set or field that cannot be modified, a
// data source that does not edit by itself) is refused and the shown item
// stays.  An accepted choice is written into the field at once, so that
// whatever reads the record next (other controls, a check before posting)
// sees it.
#include "platform/db/DataLink.h"
#include "platform/stdctrls/RadioGroup.h"

#include <memory>

class TDBRadioGroup : public TCustomRadioGroup {
public:
    explicit TDBRadioGroup(TComponent* AOwner);
    ~TDBRadioGroup() override;

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    String DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) { FDataLink->SetReadOnly(Value); }
    TStrings* Values() const { return FValues.get(); }
    void SetValues(TStrings* Value) { FValues->Assign(Value); }
    TField* Field() const { return FDataLink->Field(); }
    // The value of the checked item ("" when none is checked and the field
    // is empty); setting it checks the item of that value, writing nothing.
    String Value() const { return FValue; }
    void SetValue(const String& Value);

    // Fires whenever Value changes: a new record, a choice, code.
    DECLARE_EVENT(TNotifyEvent, OnChange)

    void Click() override;

protected:
    bool CanModify() override;
    void ItemsChanged() override;
    void KeyPress(QChar& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void DataChange();
    void UpdateData();
    void WriteChoice();
    // The item whose value is FValue gets checked.
    void ShowValue();
    String ButtonValue(int Index) const;

    std::unique_ptr<TFieldDataLink> FDataLink;
    std::unique_ptr<TStringList> FValues;
    String FValue;
    bool FInSetValue = false;
};
