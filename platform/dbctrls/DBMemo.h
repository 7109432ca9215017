#pragma once
// TDBMemo: a memo that shows and edits one field of the current record of
// a data source.  Like the classic control it keeps two read-only states
// apart: ReadOnly is the data link's (the user may not change the field),
// while the editing window is read-only whenever the record is not being
// edited; the first change the user makes (typing, Delete, cutting,
// pasting, undoing) asks the link to edit, which puts the record into edit
// mode when it may.  Input-method text still reaches a read-only window of
// a field that can be changed, so a composed word starts the edit as a
// typed character does.
//
// A blob (memo) field is loaded at once with AutoDisplay; without it the
// memo shows the field's label in parentheses until the user double-clicks
// or presses Enter.  Leaving the memo writes a changed text back to the
// field; when the field refuses it the memo keeps the focus and the error
// passes on.  Escape re-reads the field.
#include "platform/db/DataLink.h"
#include "platform/stdctrls/Memo.h"

#include <memory>

class TDBMemo : public TCustomMemo {
public:
    explicit TDBMemo(TComponent* AOwner);
    ~TDBMemo() override;

    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    String DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }
    // The link's: whether the user may change the field through this memo.
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) override { FDataLink->SetReadOnly(Value); }
    bool AutoDisplay() const { return FAutoDisplay; }
    void SetAutoDisplay(bool Value);
    TField* Field() const { return FDataLink->Field(); }
    // Loads a blob field that AutoDisplay left unloaded.
    void LoadMemo();
    // The editing window's own read-only state.
    bool EditReadOnly() const { return TCustomMemo::ReadOnly(); }

protected:
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    bool MemoLoaded() const { return FMemoLoaded; }
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

    virtual void DataChange();
    virtual void EditingChange();
    virtual void UpdateData();
    void SetFocused(bool Value);

private:
    void SetEditReadOnly(bool Value);
    void UpdateReadOnlyInput();

    std::unique_ptr<TFieldDataLink> FDataLink;
    bool FAutoDisplay = true;
    bool FFocused = false;
    bool FMemoLoaded = false;
};
