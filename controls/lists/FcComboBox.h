#pragma once
// TFcCustomComboBox: the framed combo box.  On top of the combo box: text
// typed into the edit part is completed from the first item that begins
// with it (the completed tail selected), the drop-down-list style searches
// its items as letters are typed (until a pause of SearchTimeout), a
// read-only mode, the state colours, a flat frame and a flat drop button
// painted over the combo's own face with hot tracking, frame-controller
// membership, Enter as Tab, the wheel stepping through the items, and the
// OnMatch, OnNotInList, OnSelEndOk, OnSelEndCancel and OnDeleteItem
// events.  TFcComboBox publishes it and adds Values, a value per item.
//
// Every way text can reach the edit part (typing, pasting by key, menu or
// middle button, undo, clear, an input method) passes the same rules: a
// read-only combo takes none of them but copying, and without AllowEdit
// only text that begins an item can be typed and nothing can be pasted,
// cut, undone or cleared but a whole selection.  An empty text matches no
// item; clearing the list's selection while typing keeps the text the user
// has.  With AllowEdit, Backspace and Delete delete as in any edit (a
// selection, else one character), as cutting and clearing do, and complete
// nothing: the search starts again from what the field then shows.
// Without AllowEdit, Backspace at the end steps the search back instead.
#include "controls/lists/FcFramedControl.h"
#include "controls/lists/FcIncrementalSearch.h"
#include "platform/stdctrls/ComboBox.h"

using TFcDeleteComboItemEvent = std::function<void(TObject* Sender, void* Data)>;

class TFcCustomComboBox : public TFcFramedControl<TCustomComboBox> {
public:
    explicit TFcCustomComboBox(TComponent* AOwner);

    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool AllowEdit() const { return FAllowEdit; }
    void SetAllowEdit(bool Value) { FAllowEdit = Value; }
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool Value) { SetPaintProperty(FFlatButtons, Value); }
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor Value) { SetPaintProperty(FFlatButtonColor, Value); }
    bool KeepSearchCase() const { return FKeepSearchCase; }
    void SetKeepSearchCase(bool Value) { FKeepSearchCase = Value; }
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);
    void SetItemHeight(int Value) override;
    // Owner-drawn selected items get a dotted outline.
    bool SelectedItemFocusRect() const { return FSelectedItemFocusRect; }
    void SetSelectedItemFocusRect(bool Value) { FSelectedItemFocusRect = Value; }
    // The text typed so far and the timer that forgets it.
    String SearchString() const { return FSearch.Text(); }
    TTimer* SearchTimer() const { return FSearch.Timer(); }
    bool FocusHot() const { return FFocusHot; }

    bool Focused() const override { return FHasFocus; }
    // The text set with auto-completion off for the moment (only when it
    // differs).
    virtual void ForceText(const String& S);
    virtual int IndexOf(const String& S);
    // The first item that begins with S without regard to case; -1 when
    // none does or S is empty.
    virtual int FindItem(const String& S);
    void UpdateFrame(bool ViaMouse, bool Active) override;

    DECLARE_EVENT(TFcDeleteComboItemEvent, OnDeleteItem)
    DECLARE_EVENT(TNotifyEvent, OnMatch)
    DECLARE_EVENT(TNotifyEvent, OnNotInList)
    DECLARE_EVENT(TNotifyEvent, OnSelEndCancel)
    DECLARE_EVENT(TNotifyEvent, OnSelEndOk)

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void ComboWndProc(TMessage& Message, HWND ComboWnd, const TWindowProcedure& ComboProc) override;
    void KeyPress(QChar& Key) override;
    void CloseUp() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CNCommand(TMessage& Message) override;
    void CNDrawItem(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;

    bool ColorFocused() override { return FHasFocus; }
    bool ColorReadOnly() override { return FReadOnly; }
    void FrameLooksChanged() override { Invalidate(); }
    void FrameVisibleChanged() override;
    void NormalColorKept() override {}
    void RepaintFrame() override { Invalidate(); }
    // The frame is painted over the client area (WM_PAINT), not around it.
    void PaintFrameArea() override {}

    virtual void InvalidKeyBeep();
    // The drop-down-list style's search: the first item that begins with S.
    virtual void SelectMatch(const String& S, TMessage& Message);
    // Completes the edit part's text from the first item that begins with
    // S; false when none does.
    virtual bool AutoCompleteText(const String& S, TMessage& Message);
    virtual void DeleteItem(void* Item);
    virtual void Match();
    virtual void NotInList();
    virtual void SelEndCancel();
    virtual void SelEndOk();

private:
    void PaintFace(HDC DC);
    void PaintFlatButton(TCanvas* C, const TRect& R);
    TRect ButtonRect(int Inset);
    bool Hot() const { return FFocusHot || MouseHot(); }
    // The edit part's keys and characters.
    bool EditKeyDown(TMessage& Message);
    bool EditChar(TMessage& Message, const TWindowProcedure& ComboProc);
    bool TypedChar(TMessage& Message, const TWindowProcedure& ComboProc);
    bool EditBackspace(TMessage& Message);
    bool StepBackSearch(TMessage& Message);
    void AfterDeletion();
    bool WholeTextSelected();
    bool EditorMayChange(TMessage& Message);
    void AfterPaste();
    // The list's selection cleared, the user's text kept.
    void ClearListSelection();
    void ListChar(TMessage& Message);
    bool Wheel(bool Down);
    bool ChoiceMade();
    void SetTextLocked(const String& S);
    String CurrentSearch();
    int EditCaret();

    bool FAutoComplete = true;
    bool FAllowEdit = true;
    bool FBeepOnInvalidKey = true;
    bool FFlatButtons = false;
    TColor FFlatButtonColor = clBtnFace;
    bool FKeepSearchCase = false;
    TFcIncrementalSearch FSearch;
    bool FTextChangeLock = false;
    bool FEnterInList = false;
    bool FReadOnly = false;
    bool FSystemKey = false;
    bool FPasteMarked = false;
    bool FKeyPressDone = false;
    bool FFocusHot = false;
    bool FSelectedItemFocusRect = true;
    bool FHasFocus = false;
};

class TFcComboBox : public TFcCustomComboBox {
public:
    explicit TFcComboBox(TComponent* AOwner);

    TStrings* Values() const { return FValues.get(); }
    void SetValues(TStrings* Value);
    // The selected item's value (its Values entry, else its text); the
    // combo's text when no item is selected.
    String Value();
    // Selects the first item whose value is S exactly; none: no selection.
    void SetValue(const String& S);
    virtual String GetItemValue(int Index);

protected:
    void Change() override;
    void Click() override;

private:
    void ValuesChanged();

    std::unique_ptr<TStringList> FValues;
    bool FSelecting = false;
    bool FValuesChanging = false;
};
