#pragma once
// TCustomListBox and TListBox: the list box, drawn by us.  The control is
// its own list window: the LB_* messages reach its items (a TListEngine)
// through the control's message chain whether or not the window exists, so
// a descendant that watches LB_ADDSTRING and the rest in WndProc sees every
// change of Items.  The window part paints the items (standard, or through
// CN_DRAWITEM for the owner-drawn styles), keeps its scroll bars, and takes
// the mouse, the keyboard, the wheel and typed letters (incremental search)
// as the classic list box does, telling the control of a new selection
// with LBN_SELCHANGE and of a double click with LBN_DBLCLK (CN_COMMAND).
#include "platform/windows/WinControl.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/ControlCanvas.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/ListEngine.h"
#include "platform/stdctrls/OwnerDraw.h"

#include <memory>

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

using TLBGetDataEvent = std::function<void(TWinControl* Control, int Index, String& Data)>;
using TLBFindDataEvent = std::function<int(TWinControl* Control, String FindString)>;
using TLBGetDataObjectEvent = std::function<void(TWinControl* Control, int Index, TObject*& DataObject)>;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    // The selected item (single selection) or the item with the focus
    // rectangle (multiple selection); -1: none.
    int ItemIndex();
    void SetItemIndex(int Value);
    int ItemHeight();
    void SetItemHeight(int Value);
    int TopIndex();
    void SetTopIndex(int Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    bool Selected(int Index);
    void SetSelected(int Index, bool Value);
    // The number of selected items; -1 without MultiSelect.
    int SelCount();
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // Visible columns; 0: one column that scrolls vertically.
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    // The tab spacing in dialog units (a quarter of the average character
    // width); 0: every eight characters.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The width the items scroll over horizontally; 0: no horizontal bar.
    int ScrollWidth();
    void SetScrollWidth(int Value);
    // Typed letters select the item that begins with them.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    // Items of a virtual list (lbVirtual, lbVirtualOwnerDraw).
    int Count();
    void SetCount(int Value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    // The item at a client point; -1 where there is none.  Without
    // Existing, a point below the last item gives Count.
    int ItemAtPos(TPoint Pos, bool Existing);
    TRect ItemRect(int Index);
    virtual void AddItem(const String& Item, TObject* AObject);
    virtual void Clear();
    virtual void ClearSelection();
    virtual void DeleteSelected();
    virtual void SelectAll();

    DECLARE_EVENT(TDrawItemEvent, OnDrawItem)
    DECLARE_EVENT(TMeasureItemEvent, OnMeasureItem)
    DECLARE_EVENT(TLBGetDataEvent, OnData)
    DECLARE_EVENT(TLBFindDataEvent, OnDataFind)
    DECLARE_EVENT(TLBGetDataObjectEvent, OnDataObject)

    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;
    // Paints one item of an owner-drawn list: OnDrawItem, else the text.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    // The height of one item of a variable-height list: OnMeasureItem.
    virtual void MeasureItem(int Index, int& Height);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
    virtual void CNCommand(TMessage& Message);
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    String DoGetData(int Index);
    bool IsOwnerDrawn() const;
    // A descendant that keeps more per item than the list box does (a
    // check list's flags) puts its own item list in place of Items.
    void ReplaceItems(std::unique_ptr<TStrings> Value) { FItems = std::move(Value); }

private:
    friend class TListBoxWindow;
    TSize ClientSize();
    void ApplyStyle();
    void ApplyColumnWidth();
    int StandardItemHeight();
    void MeasureNewItem(int Index);

    std::unique_ptr<TStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<class TListBoxWindow> FWindow;
    TListEngine FEngine;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = bsSingle;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    int FColumns = 0;
    int FTabWidth = 0;
    bool FIntegralHeight = false;
    int FItemHeight = 16;
    bool FAutoComplete = true;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
