#include "platform/stdctrls/OwnerDraw.h"

#include "platform/windows/WinControl.h"
#include "platform/graphics/ControlCanvas.h"

namespace {

struct TStateFlag {
    UINT Flag;
    TOwnerDrawStateItem Item;
};

constexpr TStateFlag StateFlags[] = {
    {ODS_SELECTED, odSelected},
    {ODS_GRAYED, odGrayed},
    {ODS_DISABLED, odDisabled},
    {ODS_CHECKED, odChecked},
    {ODS_FOCUS, odFocused},
    {ODS_DEFAULT, odDefault},
    {ODS_HOTLIGHT, odHotLight},
    {ODS_INACTIVE, odInactive},
    {ODS_NOACCEL, odNoAccel},
    {ODS_NOFOCUSRECT, odNoFocusRect},
    {ODS_COMBOBOXEDIT, odComboBoxEdit},
};

} // namespace

TOwnerDrawState OwnerDrawStateFromFlags(UINT ItemState)
{
    TOwnerDrawState State;
    for (const TStateFlag& F : StateFlags)
        if ((ItemState & F.Flag) != 0)
            State.Include(F.Item);
    return State;
}

UINT OwnerDrawFlagsFromState(TOwnerDrawState State)
{
    UINT Flags = 0;
    for (const TStateFlag& F : StateFlags)
        if (State.Contains(F.Item))
            Flags |= F.Flag;
    return Flags;
}

void SendDrawItem(TWinControl* Control, UINT CtlType, HWND Wnd, HDC DC, int Index, const TRect& R, UINT State,
                  std::uintptr_t Data)
{
    DRAWITEMSTRUCT Item;
    Item.CtlType = CtlType;
    Item.itemID = UINT(Index);
    Item.itemState = State;
    Item.hwndItem = Wnd;
    Item.hDC = DC;
    Item.rcItem = R;
    Item.itemData = Data;
    Control->Perform(CN_DRAWITEM, 0, PtrToLParam(&Item));
}

int MeasureOwnerItem(TWinControl* Control, UINT CtlType, int Index, int DefaultHeight, std::uintptr_t Data)
{
    MEASUREITEMSTRUCT Measure;
    Measure.CtlType = CtlType;
    Measure.itemID = UINT(Index);
    Measure.itemHeight = UINT(DefaultHeight);
    Measure.itemData = Data;
    Control->Perform(CN_MEASUREITEM, 0, PtrToLParam(&Measure));
    return int(Measure.itemHeight);
}

void OwnerDrawItem(TWinControl* Control, TControlCanvas* Canvas, TMessage& Message,
                   const std::function<void(int Index, TRect Rect, TOwnerDrawState State)>& Draw)
{
    auto* Item = LParamToPtr<DRAWITEMSTRUCT>(Message.LParam);
    if (Item == nullptr)
        return;
    const TOwnerDrawState State = OwnerDrawStateFromFlags(Item->itemState);
    const int Index = int(Item->itemID);
    Canvas->FreeHandle();
    Canvas->SetHandle(Item->hDC);
    Canvas->SetFont(Control->Font());
    Canvas->SetBrush(Control->Brush());
    if (Index >= 0 && State.Contains(odSelected)) {
        Canvas->Brush()->SetColor(clHighlight);
        Canvas->Font()->SetColor(clHighlightText);
    }
    try {
        if (Index >= 0)
            Draw(Index, Item->rcItem, State);
        else
            Canvas->FillRect(Item->rcItem);
        if (State.Contains(odFocused))
            Canvas->DrawFocusRect(Item->rcItem);
    } catch (...) {
        Canvas->SetHandle(nullptr);
        throw;
    }
    Canvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

void AnswerMeasureItem(TMessage& Message, int DefaultHeight, const std::function<void(int Index, int& Height)>& Measure)
{
    auto* Item = LParamToPtr<MEASUREITEMSTRUCT>(Message.LParam);
    if (Item == nullptr)
        return;
    int Height = DefaultHeight;
    Measure(int(Item->itemID), Height);
    Item->itemHeight = UINT(std::max(1, Height));
    Message.Result = TRUE;
}

void DrawPlainItem(HDC DC, const TRect& R, const TPlainItem& Item)
{
    HBRUSH Back = CreateSolidBrush(ColorToRGB(Item.Lit ? clHighlight : Item.Back));
    FillRect(DC, &R, Back);
    DeleteObject(Back);
    if (Item.Font != nullptr)
        SelectObject(DC, Item.Font->Handle());
    const TColor Text = Item.Disabled ? clGrayText : Item.Lit ? clHighlightText : Item.Font->Color();
    SetTextColor(DC, ColorToRGB(Text));
    SetBkMode(DC, TRANSPARENT);
    TEXTMETRIC Metrics;
    GetTextMetrics(DC, &Metrics);
    const int X = R.Left + 2;
    TabbedTextOut(DC, X, R.Top + (R.Height() - Metrics.tmHeight) / 2, Item.Text, int(Item.Text.size()),
                  int(Item.TabStops.size()), Item.TabStops.empty() ? nullptr : Item.TabStops.data(), X);
}
