#pragma once
// The framed edit and the framed memo bound to a field of a data set.
//
// TFcDBEdit shows the field's display text, switches to its edit text
// (through the field's edit mask) while focused, puts the record into edit
// mode on the first change the user makes, writes its text back when the
// record is posted or the edit is left, and refuses characters the field
// does not accept.  Its ReadOnly property is the data link's (the user may
// not change the field); the editing window's own read-only state is kept
// apart: it is read-only whenever the record is not being edited, and
// still takes input-method text for a field that can be changed, so that a
// composed word starts the edit as a typed character does.  Escape gives
// back the field's value with all text selected.  A text the field refuses
// on leaving keeps the focus in the edit with the text selected.
//
// TFcDBMemo is the platform's data-aware memo with the framed memo's
// colours, frame, hot tracking, line and column, clipboard event and
// wheel scrolling.
//
// Both can be painted as copies of themselves (csPaintCopy, as a data
// control grid paints one per record): a hidden panel then draws the
// field's text in the control's colours and frame.
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcMemo.h"
#include "platform/db/DataLink.h"
#include "platform/dbctrls/DBMemo.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <memory>

class TFcDBEdit;
class TFcDBMemo;

// Paints Control as a copy on DC (a WM_PAINT's): the copy panel takes its
// bounds and, with a field, the field's alignment, and draws Text.
void PaintAsCopy(TCustomPanel* Copy, TControl* Control, TField* Field, const String& Text, WPARAM DC);

// Draws one copy of a framed edit with the text sent to it (WM_SETTEXT).
class TFcPaintEdit : public TCustomPanel {
public:
    TFcPaintEdit(TComponent* AOwner, TFcCustomEdit* Edit);

protected:
    void Paint() override;
    // The control's colour and frame over the client area.
    void PaintBackground(TWinControl* Control, TColor Color, bool FrameVisible, TFrameStyle FrameStyle,
                         TColor FrameColor, TSides FrameSides);

private:
    TFcCustomEdit* FEdit;
};

// Draws one copy of a framed memo: the text wrapped within the memo's
// client area.
class TFcPaintMemo : public TFcPaintEdit {
public:
    TFcPaintMemo(TComponent* AOwner, TFcDBMemo* Memo);

protected:
    void Paint() override;

private:
    TFcDBMemo* FMemo;
};

class TFcDBEdit : public TFcCustomEdit {
public:
    explicit TFcDBEdit(TComponent* AOwner);
    ~TFcDBEdit() override;

    virtual String DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value);
    virtual TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    virtual TField* Field() const { return FDataLink->Field(); }
    // The link's: whether the user may change the field through the edit.
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) override;
    bool GetReadOnly() override { return ReadOnly(); }
    // The editing window's own read-only state.
    bool EditReadOnly() const { return TFcCustomEdit::ReadOnly(); }
    TFcPaintEdit* PaintControl() const { return FPaintControl; }

    TRect GetEditRect() override { return ClientRect(); }
    String GetDisplayText() override { return Text(); }
    void Reset() override;

protected:
    // The copy panel is part of the control, never streamed.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    TFieldDataLink* DataLink() const { return FDataLink.get(); }
    // Run before the edit paints itself (not as a copy).
    virtual void BeforePaint() {}
    virtual void ActiveChange();
    virtual void DataChange();
    virtual void EditingChange();
    virtual void UpdateData();
    // The text a copy shows.
    virtual String GetPaintText();
    void SetFocused(bool Value);

    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool EditCanModify() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    void ResetMaxLength();
    void SetEditReadOnly(bool Value);
    void UpdateReadOnlyInput();
    void PaintMessage(TMessage& Message);
    // Takes the field's alignment (left without a field).
    void ApplyFieldAlignment();
    TAlignment FieldAlignment() const;

    TFcPaintEdit* FPaintControl = nullptr;
    std::unique_ptr<TFieldDataLink> FDataLink;
    bool FFocused = false;
    TAlignment FAlignment = taLeftJustify;
    // The MaxLength last taken from a field's size.
    int FFieldMaxLength = 0;
};

class TFcDBMemo : public TFcMemoControl<TDBMemo> {
public:
    explicit TFcDBMemo(TComponent* AOwner);
    TFcPaintMemo* PaintControl() const { return FPaintControl; }

protected:
    // The copy panel is part of the control, never streamed.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void WndProc(TMessage& Message) override;
    // The text a copy shows.
    virtual String GetPaintText();

private:
    TFcPaintMemo* FPaintControl = nullptr;
};
