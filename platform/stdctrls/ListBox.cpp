#include "platform/stdctrls/ListBox.h"

#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/ItemStrings.h"
#include "platform/stdctrls/ListBoxWindow.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/stdctrls/TextMetrics.h"

REGISTER_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw)

REGISTER_COMPONENT(TCustomListBox, TWinControl)
    PUBLISHED_STORED(Caption, String(), false)
    PUBLISHED(Style, lbStandard)
    PUBLISHED(AutoComplete, true)
    PUBLISHED(BorderStyle, TBorderStyle(bsSingle))
    PUBLISHED(Columns, 0)
    PUBLISHED(ExtendedSelect, true)
    PUBLISHED(IntegralHeight, false)
    PUBLISHED(ItemHeight, 16)
    PUBLISHED_OBJECT(Items)
    PUBLISHED(MultiSelect, false)
    PUBLISHED(ParentColor, false)
    PUBLISHED(ScrollWidth, 0)
    PUBLISHED(Sorted, false)
    PUBLISHED(TabStop, true)
    PUBLISHED(TabWidth, 0)
    PUBLISHED_EVENT(OnDrawItem)
    PUBLISHED_EVENT(OnMeasureItem)
    PUBLISHED_EVENT(OnData)
    PUBLISHED_EVENT(OnDataFind)
    PUBLISHED_EVENT(OnDataObject)
END_REGISTER

REGISTER_COMPONENT(TListBox, TCustomListBox)
END_REGISTER

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(this, ListBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()), FWindow(std::make_unique<TListBoxWindow>(this))
{
    FControlStyle = {csDoubleClicks, csOpaque};
    FWidth = 121;
    FHeight = 97;
    SetColor(clWindow);
    SetTabStop(true);
    FCanvas->SetControl(this);
    FEngine.VirtualText = [this](int Index) { return DoGetData(Index); };
    ApplyStyle();
}

TCustomListBox::~TCustomListBox()
{
    FCanvas->SetControl(nullptr);
}

// --- the window -----------------------------------------------------------------------------

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS;
    if (FSorted)
        Params.Style |= LBS_SORT;
    if (FMultiSelect)
        Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FStyle == lbOwnerDrawFixed || FStyle == lbVirtualOwnerDraw)
        Params.Style |= LBS_OWNERDRAWFIXED;
    else if (FStyle == lbOwnerDrawVariable)
        Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw)
        Params.Style |= LBS_NODATA;
    if (FColumns > 0)
        Params.Style |= LBS_MULTICOLUMN;
    if (FTabWidth != 0)
        Params.Style |= LBS_USETABSTOPS;
    if (!FIntegralHeight)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyStyle();
    if (FTabWidth != 0)
        Perform(LB_SETTABSTOPS, 1, PtrToLParam(&FTabWidth));
    FWindow->UpdateScrollBars();
}

void TCustomListBox::Loaded()
{
    TWinControl::Loaded();
    ApplyStyle();
}

TSize TCustomListBox::ClientSize()
{
    if (HandleAllocated()) {
        const TRect R = ClientRect();
        return {R.Width(), R.Height()};
    }
    const int Border = FBorderStyle == bsSingle ? 4 : 0;
    return {std::max(0, FWidth - Border), std::max(0, FHeight - Border)};
}

bool TCustomListBox::IsOwnerDrawn() const
{
    return FStyle != lbStandard && FStyle != lbVirtual;
}

int TCustomListBox::StandardItemHeight()
{
    return FontTextMetrics(Font()).tmHeight;
}

void TCustomListBox::ApplyStyle()
{
    FEngine.SetSelectMode(!FMultiSelect         ? TListSelectMode::Single
                              : FExtendedSelect ? TListSelectMode::Extended
                                                : TListSelectMode::Multiple);
    FEngine.SetVariableHeight(FStyle == lbOwnerDrawVariable);
    FEngine.SetItemHeight(FStyle == lbStandard || FStyle == lbVirtual ? StandardItemHeight() : FItemHeight);
    FEngine.SetSorted(FSorted && !FEngine.Virtual());
    ApplyColumnWidth();
    if (FStyle == lbOwnerDrawVariable && !ComponentState().Contains(csLoading))
        for (int I = 0; I < FEngine.Count(); ++I)
            MeasureNewItem(I);
    FWindow->UpdateScrollBars();
    Invalidate();
}

void TCustomListBox::ApplyColumnWidth()
{
    FEngine.SetColumnWidth(FColumns > 0 ? std::max(1, (FWidth + FColumns - 3) / FColumns) : 0);
}

void TCustomListBox::MeasureNewItem(int Index)
{
    if (FStyle == lbOwnerDrawVariable)
        FEngine.SetHeightOf(Index, MeasureOwnerItem(this, ODT_LISTBOX, Index, FItemHeight, FEngine.Data(Index)));
}

void TCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // An integral height shows no item in part.
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable && HandleAllocated()
        && !ComponentState().Contains(csLoading)) {
        const int Border = FHeight - ClientRect().Height();
        const int H = FEngine.ItemHeight();
        AHeight = Border + std::max(1, (AHeight - Border) / H) * H;
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ApplyColumnWidth();
}

// --- properties -------------------------------------------------------------------------------

void TCustomListBox::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

int TCustomListBox::ItemIndex()
{
    return int(Perform(LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (ItemIndex() == Value)
        return;
    if (FMultiSelect)
        Perform(LB_SETCARETINDEX, WPARAM(Value), 0);
    else
        Perform(LB_SETCURSEL, WPARAM(Value), 0);
}

int TCustomListBox::ItemHeight()
{
    return (FStyle == lbStandard || FStyle == lbVirtual) && HandleAllocated() ? FEngine.ItemHeight() : FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value > 0 && AssignIfChanged(FItemHeight, Value))
        ApplyStyle();
}

int TCustomListBox::TopIndex()
{
    return int(Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int Value)
{
    if (TopIndex() != Value)
        Perform(LB_SETTOPINDEX, WPARAM(Value), 0);
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (AssignIfChanged(FMultiSelect, Value))
        ApplyStyle();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    if (AssignIfChanged(FExtendedSelect, Value))
        ApplyStyle();
}

bool TCustomListBox::Selected(int Index)
{
    const LRESULT R = Perform(LB_GETSEL, WPARAM(Index), 0);
    if (R < 0)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return R != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (FMultiSelect) {
        if (Perform(LB_SETSEL, Value ? TRUE : FALSE, Index) < 0)
            throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    } else if (Value) {
        SetItemIndex(Index);
    } else if (ItemIndex() == Index) {
        SetItemIndex(-1);
    }
}

int TCustomListBox::SelCount()
{
    return int(Perform(LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool Value)
{
    if (AssignIfChanged(FSorted, Value))
        ApplyStyle();
}

void TCustomListBox::SetColumns(int Value)
{
    if (AssignIfChanged(FColumns, std::max(Value, 0)))
        ApplyStyle();
}

void TCustomListBox::SetTabWidth(int Value)
{
    if (!AssignIfChanged(FTabWidth, std::max(Value, 0)))
        return;
    Perform(LB_SETTABSTOPS, FTabWidth != 0 ? 1 : 0, PtrToLParam(&FTabWidth));
}

void TCustomListBox::SetIntegralHeight(bool Value)
{
    if (AssignIfChanged(FIntegralHeight, Value))
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (!AssignIfChanged(FStyle, Value))
        return;
    if ((Value == lbVirtual || Value == lbVirtualOwnerDraw) != FEngine.Virtual())
        FEngine.Clear();
    ApplyStyle();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    if (AssignIfChanged(FBorderStyle, Value))
        RecreateWnd();
}

int TCustomListBox::ScrollWidth()
{
    return int(Perform(LB_GETHORIZONTALEXTENT, 0, 0));
}

void TCustomListBox::SetScrollWidth(int Value)
{
    if (ScrollWidth() != Value)
        Perform(LB_SETHORIZONTALEXTENT, WPARAM(std::max(Value, 0)), 0);
}

int TCustomListBox::Count()
{
    return FEngine.Virtual() ? FEngine.Count() : FItems->Count();
}

void TCustomListBox::SetCount(int Value)
{
    if (FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw)
        Perform(LB_SETCOUNT, WPARAM(std::max(Value, 0)), 0);
}

String TCustomListBox::DoGetData(int Index)
{
    String Data;
    if (FOnData)
        FOnData(this, Index, Data);
    return Data;
}

// --- operations ---------------------------------------------------------------------------------

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing)
{
    const TRect Client = ClientRect();
    if (PtInRect(Client, Pos)) {
        for (int I = TopIndex(), N = Count(); I < N; ++I) {
            const TRect R = ItemRect(I);
            if (PtInRect(R, Pos))
                return I;
            if (R.Top >= Client.Bottom && !FEngine.MultiColumn())
                break;
        }
        if (!Existing)
            return Count();
    }
    return -1;
}

TRect TCustomListBox::ItemRect(int Index)
{
    TRect R;
    if (Perform(LB_GETITEMRECT, WPARAM(Index), PtrToLParam(&R)) < 0)
        return {};
    return R;
}

void TCustomListBox::AddItem(const String& Item, TObject* AObject)
{
    FItems->AddObject(Item, AObject);
}

void TCustomListBox::Clear()
{
    FItems->Clear();
}

void TCustomListBox::ClearSelection()
{
    if (FMultiSelect)
        Perform(LB_SETSEL, FALSE, -1);
    else
        SetItemIndex(-1);
}

void TCustomListBox::DeleteSelected()
{
    if (!FMultiSelect) {
        if (ItemIndex() >= 0)
            FItems->Delete(ItemIndex());
        return;
    }
    for (int I = FItems->Count() - 1; I >= 0; --I)
        if (Selected(I))
            FItems->Delete(I);
}

void TCustomListBox::SelectAll()
{
    if (FMultiSelect)
        Perform(LB_SETSEL, TRUE, -1);
}

// --- messages ------------------------------------------------------------------------------------

void TCustomListBox::DefaultHandler(TMessage& Message)
{
    // The notifications the window sends (a click) may free the list.
    const TComponentRef<> Self(this);
    if (FWindow->Handle(Message) || !Self)
        return;
    TWinControl::DefaultHandler(Message);
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_DRAWITEM:
        CNDrawItem(Message);
        return;
    case CN_MEASUREITEM:
        CNMeasureItem(Message);
        return;
    case CN_COMMAND:
        CNCommand(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
        return;
    }
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
    OwnerDrawItem(this, FCanvas.get(), Message,
                  [this](int Index, TRect Rect, TOwnerDrawState State) { DrawItem(Index, Rect, State); });
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (FOnDrawItem) {
        FOnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    // The items may have changed while the list paints.
    if (Index >= Count())
        return;
    const String Text = FEngine.Virtual() ? DoGetData(Index) : FItems->Strings(Index);
    Rect.Left += 2;
    DrawText(FCanvas->Handle(), Text, &Rect,
             DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS));
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (FOnMeasureItem)
        FOnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
    AnswerMeasureItem(Message, FItemHeight, [this](int Index, int& Height) { MeasureItem(Index, Height); });
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE:
        TControl::Changed();
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TCustomListBox::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ApplyStyle();
}

void TCustomListBox::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    Invalidate();
}
