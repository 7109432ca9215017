#pragma once
// TFcDBComboBox: the framed combo box bound to a field.  Values, parallel
// to Items, holds what the field stores for each item while the list shows
// the item's text; an item without a Values line stores its text.  The
// field is read on every new record or value, and again whenever Items or
// Values change in any way; it is written when the record is posted or the
// combo box is left.
//
// ReadOnly is both the combo box's own read-only mode and the data link's;
// the edit part's read-only state is kept apart from it (read-only while
// the record is not being edited) and still takes input-method text for a
// field that can be changed.  Escape is handled in one place, the key
// press down: with the list closed it gives back the field's value with
// the text selected and never starts an edit; with the list open it only
// closes the list.  An item whose value is empty is written as an empty
// field and an empty field shows that item again.  While the record cannot
// be edited the arrow keys and the wheel do not move the selection, and a
// choice from the list shows the field again and reopens the list.
//
// Painted as a copy (csPaintCopy) a hidden panel draws the field's stored
// text with a drop arrow in the combo box's colours and frame.
#include "controls/lists/FcComboBox.h"
#include "platform/db/DataLink.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <memory>

class TFcDBComboBox;

// Draws one copy of a data-aware combo box with the text sent to it.
class TFcPaintComboBox : public TCustomPanel {
public:
    TFcPaintComboBox(TComponent* AOwner, TFcDBComboBox* ComboBox);

protected:
    void Paint() override;

private:
    void PaintArrow(const TRect& Button);
    void PaintFrame(const TRect& Client, const TRect& Button);

    TFcDBComboBox* FComboBox;
};

class TFcDBComboBox : public TFcCustomComboBox {
public:
    explicit TFcDBComboBox(TComponent* AOwner);
    ~TFcDBComboBox() override;

    virtual String GetComboText();
    void SetComboText(const String& Value);
    virtual String DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }
    virtual TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    virtual TField* Field() const { return FDataLink->Field(); }
    // The link's; setting it also sets the combo box's own read-only mode.
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) override;
    // The item's Values line when it has a non-empty one, else its text.
    virtual String GetItemValue(int Index);
    // What is written to the field for the current item or text.
    virtual String GetComboValue();
    // Selects the item that stands for Value.
    void SetComboValue(const String& Value);
    TStrings* Values() const { return FValues.get(); }
    void SetValues(TStrings* Value);
    void SetItems(TStrings* Value) override;
    void SetStyle(TComboBoxStyle Value) override;
    TFcPaintComboBox* PaintControl() const { return FPaintControl; }

protected:
    // The copy panel is part of the control, never streamed.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    virtual void DataChange();
    virtual void UpdateData();
    void SetEditReadOnly();

    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Change() override;
    void Click() override;
    void DropDown() override;
    void CloseUp() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    bool IsListStyle() const;
    // What the field stores for the item: its Values line, even an empty
    // one, else its text.
    String StoredValue(int Index);
    int FindValue(const String& Value);
    // Items or Values changed: the field is read again.
    void ListChanged();
    void ItemsMessage(TMessage& Message);
    void SelChange(TMessage& Message);
    void EscapeKey();

    std::unique_ptr<TFieldDataLink> FDataLink;
    TFcPaintComboBox* FPaintControl = nullptr;
    String FLastValue;
    std::unique_ptr<TStringList> FValues;
    bool FSelecting = false;
    bool FReadingField = false;
    bool FValuesChanging = false;
    // Items changed inside an update of the list: read the field at its end.
    bool FItemsUpdating = false;
    bool FItemsChanged = false;
};
