// TFcGroup input: the caption band toggles the group, a press and release
// of the left button on an item clicks it, the right button pops up the
// item menu, the caption and the item under the mouse are hot-tracked,
// hints name the hovered item and the cursor becomes a hand over clickable
// places.  Everything works on the rectangles the painter stored in the
// items.
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Application.h"

#include <vector>

TRect TFcGroup::CaptionBandRect()
{
    return Rect(0, 0, ClientWidth(), FCaptionHeight);
}

TFcGroupItem* TFcGroup::FirstItem(const std::function<bool(TFcGroupItem*)>& Test) const
{
    for (int I = std::max(FTopItemIndex, 0); I < FItems->Count(); ++I)
        if (Test(FItems->Items(I)))
            return FItems->Items(I);
    return nullptr;
}

TFcGroupItem* TFcGroup::ItemAt(TPoint P) const
{
    return FirstItem([P](TFcGroupItem* Item) { return Item->Visible() && Item->HitTest(P); });
}

void TFcGroup::InvalidateCaption()
{
    if (!HandleAllocated())
        return;
    const TRect R = CaptionBandRect();
    InvalidateRect(Handle(), &R, TRUE);
}

// The item's text, image and the selection box around them.
void TFcGroup::InvalidateItem(TFcGroupItem* Item)
{
    if (!HandleAllocated() || Item == nullptr)
        return;
    TRect R;
    UnionRect(R, Item->CaptionRect(), Item->ImageRect());
    if (IsRectEmpty(R))
        return;
    InflateRect(R, 3, 3);
    InvalidateRect(Handle(), &R, TRUE);
}

// --- presses ------------------------------------------------------------------------------------------

// The item pressed becomes the selected index directly, also an item
// without handler or action, and without the selection protocol.
void TFcGroup::WMLButtonDown(TMessage& Message)
{
    TCustomControl::WMLButtonDown(Message);
    if (!Enabled() || FItems->Count() == 0 || ComponentState().Contains(csDesigning))
        return;
    const TPoint P = LParamToPoint(Message.LParam);
    if (TFcGroupItem* Item = FirstItem([P](TFcGroupItem* I) { return I->Enabled() && I->Visible() && I->HitTest(P); }))
        FSelectedItemIndex = Item->Index();
}

void TFcGroup::WMLButtonDblClk(TMessage& Message)
{
    TCustomControl::WMLButtonDblClk(Message);
    if (!Enabled() || FItems->Count() == 0 || ComponentState().Contains(csDesigning))
        return;
    const TPoint P = LParamToPoint(Message.LParam);
    if (TFcGroupItem* Item = FirstItem([P](TFcGroupItem* I) { return I->Enabled() && I->Visible() && I->HitTest(P); }))
        FSelectedItemIndex = Item->Index();
}

void TFcGroup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TPoint P{X, Y};
    const bool Designing = ComponentState().Contains(csDesigning);
    if (Button == mbLeft && Enabled() && FCanClose && PtInRect(CaptionBandRect(), P)) {
        if (!Designing && FGroupBar != nullptr && FGroupBar->CanFocus())
            FGroupBar->SetFocus();
        SetMouseCapture(true);
        FCaptionState = HotPressed;
        InvalidateCaption();
        FCaptionPressed = true;
        return;
    }
    if (!Enabled() || FItems->Count() == 0 || Designing)
        return;
    if (Button == mbLeft) {
        // With the selection shown, a press on the selected item may be
        // ignored: it is already chosen.
        TFcGroupItem* Selected = FIgnoreSelectedItemClick && FShowItemSelection ? SelectedItem() : nullptr;
        TFcGroupItem* Item = FirstItem([P, Selected](TFcGroupItem* I) {
            return I->Enabled() && I->Visible() && I->IsClickable() && I->HitTest(P) && I != Selected;
        });
        if (Item == nullptr)
            return;
        Item->SetHotState(HotPressed);
        Item->SetSelected(true);
        InvalidateItem(Item);
        Item->SetPressed(true);
    } else if (Button == mbRight) {
        if (TFcGroupItem* Item =
                FirstItem([P](TFcGroupItem* I) { return I->Enabled() && I->Visible() && I->HitTest(P); }))
            Item->SetPressed(true);
    }
}

void TFcGroup::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const TPoint P{X, Y};
    if (FCaptionPressed) {
        FCaptionPressed = false;
        FCaptionState = HotOver;
        InvalidateCaption();
        if (PtInRect(CaptionBandRect(), P)) {
            Repaint();
            ToggleOpened();
        }
        return;
    }
    if (FItems->Count() == 0 || (Button != mbLeft && Button != mbRight))
        return;
    TFcGroupItem* Item = FirstItem([](TFcGroupItem* I) { return I->Pressed(); });
    if (Item == nullptr)
        return;
    Item->SetPressed(false);
    if (Button == mbRight) {
        Item->SetHotState(HotNormal);
        if (Item->HitTest(P)) {
            Repaint();
            ItemMenu(Item, ClientToScreen(P));
        }
        return;
    }
    Item->SetHotState(HotOver);
    InvalidateItem(Item);
    if (!Item->HitTest(P))
        return;
    Repaint();
    const int ID = Item->ID();
    Item->Click();
    // The click may have removed the item: only one that is still there is
    // scrolled into view.
    if (FBarStyle == gbsOutlook)
        if (TCollectionItem* Still = FItems->FindItemID(ID))
            ScrollItemIntoView(Still->Index());
}

// The Outlook style shows the clicked item: the number of items that fit
// is the client height over the average item height (none when that
// average is 0), and the top item moves only towards the clicked one.
void TFcGroup::ScrollItemIntoView(int Index)
{
    const int Count = FItems->Count();
    if (Count == 0)
        return;
    const int Average = CalcItemsHeight(ClientWidth()) / Count;
    if (Average <= 0)
        return;
    const int Capacity = std::max(1, ClientHeight() / Average);
    if (Index < FTopItemIndex)
        SetTopItemIndex(Index);
    else if (Index + 1 > FTopItemIndex + Capacity)
        SetTopItemIndex(Index - Capacity + 1);
}

void TFcGroup::ItemMenu(TFcGroupItem* Item, TPoint ScreenPoint)
{
    FPopupItem = nullptr;
    if (FOnItemPopupMenu)
        FOnItemPopupMenu(this, Item);
    if (FItemPopupMenu != nullptr) {
        FPopupItem = Item;
        FItemPopupMenu->SetPopupComponent(this);
        FItemPopupMenu->Popup(ScreenPoint.X, ScreenPoint.Y);
    }
}

// Over an item the group's own popup menu stays away.
void TFcGroup::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (ItemAt(MousePos) != nullptr) {
        Handled = true;
        return;
    }
    TCustomControl::DoContextPopup(MousePos, Handled);
}

// --- hot tracking ------------------------------------------------------------------------------------

void TFcGroup::MouseOverItem(TFcGroupItem* Item)
{
    FHotItem = Item;
    if (FOnMouseOverItem)
        FOnMouseOverItem(this, Item);
}

void TFcGroup::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const TPoint P{X, Y};
    std::uint8_t NewCaption = HotNormal;
    const auto SetCaptionState = [this](std::uint8_t State) {
        if (State == FCaptionState)
            return;
        FCaptionState = State;
        InvalidateCaption();
    };
    if (FCanClose && PtInRect(CaptionBandRect(), P)) {
        SetCaptionState(FCaptionPressed ? HotPressed : HotOver);
        return;
    }
    if (FItems->Count() == 0 || ComponentState().Contains(csDesigning)) {
        SetCaptionState(NewCaption);
        return;
    }
    const int Count = FItems->Count();
    std::vector<std::uint8_t> NewStates(std::size_t(Count), HotNormal);
    TFcGroupItem* Hovered = nullptr;
    for (int I = FTopItemIndex; I < Count; ++I) {
        TFcGroupItem* Item = FItems->Items(I);
        if (!Item->Visible() || !Item->IsClickable() || !Item->HitTest(P))
            continue;
        NewStates[std::size_t(I)] = Item->Pressed() ? HotPressed : HotOver;
        Hovered = Item;
    }
    // One item changes per move: moving straight from one item to the
    // next cools the first, and the next move lights the second.
    TFcGroupItem* Changed = nullptr;
    for (int I = FTopItemIndex; I < Count && Changed == nullptr; ++I) {
        TFcGroupItem* Item = FItems->Items(I);
        if (Item->Visible() && Item->HotState() != NewStates[std::size_t(I)]) {
            Item->SetHotState(NewStates[std::size_t(I)]);
            Changed = Item;
        }
    }
    MouseOverItem(Hovered);
    SetCaptionState(NewCaption);
    InvalidateItem(Changed);
}

// Nothing shows hot when the mouse comes in, so nothing needs painting.
void TFcGroup::CMMouseEnter(TMessage& Message)
{
    if (ComponentState().Contains(csDesigning))
        return;
    TCustomControl::CMMouseEnter(Message);
}

void TFcGroup::CMMouseLeave(TMessage& Message)
{
    if (FCaptionState != HotNormal) {
        FCaptionState = HotNormal;
        InvalidateCaption();
    }
    for (TCollectionItem* I : *FItems) {
        auto* Item = static_cast<TFcGroupItem*>(I);
        if (Item->HotState() != HotNormal) {
            Item->SetHotState(HotNormal);
            InvalidateItem(Item);
        }
    }
    MouseOverItem(nullptr);
    TCustomControl::CMMouseLeave(Message);
}

// --- dragging --------------------------------------------------------------------------------------------

void TFcGroup::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    TCustomControl::DragOver(Source, X, Y, State, Accept);
    if (!Accept)
        return;
    for (TCollectionItem* I : *FItems)
        static_cast<TFcGroupItem*>(I)->SetHotState(HotNormal);
    const TPoint P{X, Y};
    if (PtInRect(ClientRect(), P))
        if (TFcGroupItem* Item = ItemAt(P))
            Item->SetHotState(HotOver);
    Invalidate();
}

void TFcGroup::DoEndDrag(TObject* Target, int X, int Y)
{
    for (TCollectionItem* I : *FItems) {
        auto* Item = static_cast<TFcGroupItem*>(I);
        Item->SetHotState(HotNormal);
        Item->SetPressed(false);
    }
    TCustomControl::DoEndDrag(Target, X, Y);
}

// --- hints ---------------------------------------------------------------------------------------------------

// Over the caption the group's own hint shows; over an item that item's
// short hint (with its action's shortcut), for as long as the mouse stays
// on the item; anywhere else none.
void TFcGroup::CMHintShow(TMessage& Message)
{
    TCustomControl::CMHintShow(Message);
    auto* Info = LParamToPtr<THintInfo>(Message.LParam);
    if (Info == nullptr)
        return;
    if (FCaptionState == HotOver) {
        Info->CursorRect = CaptionBandRect();
        return;
    }
    TFcGroupItem* Item = FirstItem([](TFcGroupItem* I) { return I->HotState() == HotOver; });
    if (Item == nullptr) {
        Message.Result = 1;
        return;
    }
    String Hint = GetShortHint(Item->Hint());
    if (Item->ActionLink() != nullptr && !Item->ActionLink()->DoShowHint(Hint)) {
        Message.Result = 1;
        return;
    }
    Info->HintStr = Hint;
    TRect Area = Item->ImageRect();
    if (!IsRectEmpty(Item->CaptionRect()))
        UnionRect(Area, Item->ImageRect(), Item->CaptionRect());
    Info->CursorRect = Area;
}

// --- cursor --------------------------------------------------------------------------------------------------

bool TFcGroup::HandCursorAt(TPoint P)
{
    const bool Designing = ComponentState().Contains(csDesigning);
    if (FBarStyle != gbsTaskList && PtInRect(CaptionBandRect(), P)) {
        if (FBarStyle == gbsOutlook)
            return true;
        return FCanClose && (!Designing || P.X >= Width() - 20);
    }
    if (FItems->Count() == 0 || Designing)
        return false;
    return FirstItem([P](TFcGroupItem* I) { return I->Enabled() && I->Visible() && I->HitTest(P) && I->OnClick(); })
        != nullptr;
}

void TFcGroup::WMSetCursor(TMessage& Message)
{
    if (HandleAllocated() && HWND(Message.WParam) == WindowHandle()
        && std::int16_t(LOWORD(std::uintptr_t(Message.LParam))) == HTCLIENT) {
        TPoint P;
        GetCursorPos(&P);
        if (HandCursorAt(ScreenToClient(P))) {
            ::SetCursor(FHandCursor);
            Message.Result = 1;
            return;
        }
    }
    TCustomControl::WMSetCursor(Message);
}

// A designer's click on the caption (Outlook) or on the open/close button
// goes to the group.
void TFcGroup::CMDesignHitTest(TMessage& Message)
{
    const TPoint P = LParamToPoint(Message.LParam);
    const bool OnCaption = FBarStyle != gbsTaskList && PtInRect(CaptionBandRect(), P);
    Message.Result = OnCaption && (FBarStyle == gbsOutlook || P.X >= Width() - 20) ? 1 : 0;
}
