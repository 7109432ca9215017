#pragma once
// TCustomComboBox and TComboBox: the combo box.  Like the list box, the
// control is its own combo window: the CB_* messages reach its items (a
// TListEngine) through the control's message chain whether or not the
// window exists.  The window paints its face, frame and drop button in
// WM_PAINT, so a descendant can paint over them after the default painting;
// the drop-down styles (csDropDown, csSimple) have an edit part, a child
// window holding a Qt line edit (EditHandle), whose messages pass through
// EditWndProc and ComboWndProc as the classic combo's edit part does.
//
// Opening the list (DroppedDown, F4, Alt+Down, a click on the button)
// shows it in an owned popup window that never takes activation and runs a
// local message loop until the list closes: Enter, a click on an item or F4
// end it with the selection (CBN_SELENDOK), Escape, a press outside the
// list, the loss of the focus or of the application's activation with none
// (CBN_SELENDCANCEL).  Whatever must happen while the list is open (in a
// test, its closing) is posted before it opens.  Items may change while the
// list is open or painting; the list follows them.
#include "platform/windows/WinControl.h"
#include "platform/graphics/ControlCanvas.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListEngine.h"
#include "platform/stdctrls/OwnerDraw.h"

#include <memory>

class TComboBoxWindow;
class TComboDropDownList;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    void BeforeDestruction() override;

    TComboBoxStyle Style() const { return FStyle; }
    virtual void SetStyle(TComboBoxStyle Value);
    TStrings* Items() const { return FItems.get(); }
    virtual void SetItems(TStrings* Value);
    int ItemIndex();
    void SetItemIndex(int Value);
    // The height of the list's items (the owner-drawn styles); the others
    // take theirs from the font.
    int ItemHeight();
    virtual void SetItemHeight(int Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = std::max(1, Value); }
    // The list's width; 0: the combo box's.
    int DropDownWidth();
    void SetDropDownWidth(int Value);
    bool DroppedDown();
    // True opens the list and returns once it has closed.
    void SetDroppedDown(bool Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // Typing completes the text from the first item that begins with it.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
    bool AutoCloseUp() const { return FAutoCloseUp; }
    void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // The selection in the edit part.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    String SelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void AddItem(const String& Item, TObject* AObject);
    void Clear();
    HWND EditHandle() const { return FEditHandle; }
    // The drop-down list's window while it exists.
    HWND ListHandle() const;
    TCanvas* Canvas() const { return FCanvas.get(); }
    bool Focused() const override;

    DECLARE_EVENT(TNotifyEvent, OnChange)
    DECLARE_EVENT(TNotifyEvent, OnSelect)
    DECLARE_EVENT(TNotifyEvent, OnDropDown)
    DECLARE_EVENT(TNotifyEvent, OnCloseUp)
    DECLARE_EVENT(TDrawItemEvent, OnDrawItem)
    DECLARE_EVENT(TMeasureItemEvent, OnMeasureItem)

    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;
    void KeyPress(QChar& Key) override;

    // The text of the edit part changed (user or program), or an item was
    // chosen without OnSelect: OnChange.
    virtual void Change();
    // The user chose an item: OnSelect, else OnChange.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // Paints one owner-drawn item (ODS_COMBOBOXEDIT in State: the face):
    // OnDrawItem, else the text.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // Messages of the edit part; ComboProc is the part's own procedure.
    virtual void EditWndProc(TMessage& Message);
    virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, const TWindowProcedure& ComboProc);

    virtual void CNCommand(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;

    bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }

private:
    friend class TComboBoxWindow;
    friend class TComboDropDownList;
    void CreateEdit();
    void EditNotify(WORD Code);
    void AdjustHeight();
    int FieldHeight();
    int FontHeight();
    void ApplyStyle();
    void MeasureNewItem(int Index);

    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<TComboBoxWindow> FWindow;
    TListEngine FEngine;
    HWND FEditHandle = nullptr;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    int FDropDownWidth = 0;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    bool FAutoCloseUp = false;
    TEditCharCase FCharCase = ecNormal;
    // Set while the combo box sets its edit part's text itself.
    bool FSettingText = false;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
