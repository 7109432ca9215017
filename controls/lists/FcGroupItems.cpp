#include "controls/lists/FcGroupItems.h"

#include "controls/foundation/FcMessages.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"

REGISTER_ENUM(TFcGroupBarStyle, gbsCategoryView, gbsTaskList, gbsOutlook)
REGISTER_ENUM(TFcCaptionStyle, csSmall, csLarge)
REGISTER_ENUM(TFcItemStyle, isSmall, isLarge)
REGISTER_ENUM(TFcItemSelectionStyle, issImage, issCaption, issImageAndCaption)

REGISTER_CLASS(TFcGroupItem, TCollectionItem)
    PUBLISHED(Action, nullptr)
    PUBLISHED_STORED(Caption, String(), &TFcGroupItem::IsCaptionStored)
    PUBLISHED(DisabledIndex, -1)
    PUBLISHED_STORED(Enabled, true, &TFcGroupItem::IsEnabledStored)
    PUBLISHED(FontColor, clDefault)
    PUBLISHED(FontStyle, TFontStyles())
    PUBLISHED_STORED(Hint, String(), &TFcGroupItem::IsHintStored)
    PUBLISHED_STORED(ImageIndex, -1, &TFcGroupItem::IsImageIndexStored)
    PUBLISHED(IndentLevel, 0)
    PUBLISHED(Selected, false)
    PUBLISHED(Tag, 0)
    PUBLISHED(Visible, true)
    PUBLISHED_EVENT(OnClick).Stored(&TFcGroupItem::IsOnClickStored)
END_REGISTER

REGISTER_CLASS(TFcGroupItems, TCollection)
END_REGISTER

// --- the action link -------------------------------------------------------------------------

TFcGroupItemActionLink::TFcGroupItemActionLink(TFcGroupItem* Client) : TActionLink(Client), FClient(Client)
{}

TCustomAction* TFcGroupItemActionLink::CustomAction() const
{
    return dynamic_cast<TCustomAction*>(Action());
}

bool TFcGroupItemActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TFcGroupItemActionLink::IsCheckedLinked()
{
    TFcGroup* G = FClient->Group();
    return TActionLink::IsCheckedLinked() && G != nullptr && G->ShowItemSelection()
        && FClient->Selected() == CustomAction()->Checked();
}

bool TFcGroupItemActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TFcGroupItemActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TFcGroupItemActionLink::IsImageIndexLinked()
{
    return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == CustomAction()->ImageIndex();
}

bool TFcGroupItemActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

// Handlers cannot be compared: the item's OnClick is the action's while it
// was taken from the action (or when neither has one).
bool TFcGroupItemActionLink::IsOnExecuteLinked()
{
    if (!TActionLink::IsOnExecuteLinked() || Action() == nullptr)
        return false;
    return FClient->OnClickFromAction() || (!FClient->OnClick() && !Action()->OnExecute());
}

bool TFcGroupItemActionLink::DoShowHint(String& HintStr)
{
    TCustomAction* A = CustomAction();
    if (A == nullptr)
        return true;
    if (A->DoHint(HintStr) && Application != nullptr && Application->HintShortCuts() && A->ShortCut() != 0
        && !HintStr.isEmpty())
        HintStr = QStringLiteral("%1 (%2)").arg(HintStr, ShortCutToText(A->ShortCut()));
    return true;
}

void TFcGroupItemActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked())
        FClient->SetCaption(Value);
}

void TFcGroupItemActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked())
        FClient->SetSelected(Value);
}

void TFcGroupItemActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked())
        FClient->SetEnabled(Value);
}

void TFcGroupItemActionLink::SetHint(const String& Value)
{
    if (IsHintLinked())
        FClient->SetHint(Value);
}

void TFcGroupItemActionLink::SetImageIndex(int Value)
{
    if (IsImageIndexLinked())
        FClient->SetImageIndex(Value);
}

void TFcGroupItemActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked())
        FClient->SetVisible(Value);
}

void TFcGroupItemActionLink::SetOnExecute(const TNotifyEvent& Value)
{
    if (IsOnExecuteLinked())
        FClient->SetOnClickFromAction(Value);
}

// --- the item --------------------------------------------------------------------------------

TFcGroupItem::TFcGroupItem(TCollection* Collection) : TCollectionItem(Collection)
{
    // A designer's new item is named by its place; the caption-set flag
    // stays clear, so a linked action's caption still replaces it.
    TFcGroup* G = Group();
    if (G != nullptr && G->ComponentState().Contains(csDesigning) && !G->ComponentState().Contains(csLoading))
        FCaption = QStringLiteral("Item%1").arg(Index() + 1);
}

TFcGroupItem::~TFcGroupItem()
{
    if (TFcGroup* G = Group()) {
        G->ItemRemoved(Index());
        if (FCountsAction)
            G->ActionCountChanged(-1);
    }
    FCountsAction = false;
    FActionLink.reset();
}

TFcGroup* TFcGroupItem::Group() const
{
    auto* Items = dynamic_cast<TFcGroupItems*>(Collection());
    return Items != nullptr ? Items->Group() : nullptr;
}

void TFcGroupItem::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcGroupItem*>(Source);
    if (Other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetAction(Other->Action());
    SetCaption(Other->Caption());
    SetDisabledIndex(Other->DisabledIndex());
    SetEnabled(Other->Enabled());
    SetFontColor(Other->FontColor());
    SetFontStyle(Other->FontStyle());
    SetHint(Other->Hint());
    SetImageIndex(Other->ImageIndex());
    SetVisible(Other->Visible());
    FOnClick = Other->FOnClick;
    FOnClickFromAction = Other->FOnClickFromAction;
}

void TFcGroupItem::AssignTo(TPersistent* Dest)
{
    auto* A = dynamic_cast<TCustomAction*>(Dest);
    if (A == nullptr) {
        TCollectionItem::AssignTo(Dest);
        return;
    }
    A->SetCaption(FCaption);
    A->SetEnabled(FEnabled);
    A->SetHint(FHint);
    A->SetImageIndex(FImageIndex);
    A->SetVisible(FVisible);
    A->SetOnExecute(FOnClick);
}

String TFcGroupItem::GetDisplayName() const
{
    return FCaption.isEmpty() ? TCollectionItem::GetDisplayName() : FCaption;
}

// --- properties ---------------------------------------------------------------------------------

void TFcGroupItem::SetCaption(const TCaption& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    FCaptionSet = true;
    Changed(true);
}

void TFcGroupItem::SetDisabledIndex(TImageIndex Value)
{
    if (AssignIfChanged(FDisabledIndex, Value))
        Changed(true);
}

void TFcGroupItem::SetEnabled(bool Value)
{
    if (AssignIfChanged(FEnabled, Value))
        Changed(false);
}

void TFcGroupItem::SetFontColor(TColor Value)
{
    if (AssignIfChanged(FFontColor, Value))
        Changed(false);
}

void TFcGroupItem::SetFontStyle(TFontStyles Value)
{
    if (AssignIfChanged(FFontStyle, Value))
        Changed(true);
}

void TFcGroupItem::SetImageIndex(TImageIndex Value)
{
    if (AssignIfChanged(FImageIndex, Value))
        Changed(true);
}

void TFcGroupItem::SetIndentLevel(std::uint8_t Value)
{
    if (AssignIfChanged(FIndentLevel, Value))
        Changed(true);
}

void TFcGroupItem::SetVisible(bool Value)
{
    if (AssignIfChanged(FVisible, Value))
        Changed(true);
}

void TFcGroupItem::SetOnClick(TNotifyEvent Value)
{
    FOnClick = std::move(Value);
    FOnClickFromAction = false;
}

void TFcGroupItem::SetOnClickFromAction(const TNotifyEvent& Value)
{
    FOnClick = Value;
    FOnClickFromAction = true;
}

// --- selection ------------------------------------------------------------------------------------

void TFcGroupItem::SetSelected(bool Value)
{
    FSelected = Value;
    TFcGroup* G = Group();
    if (Value) {
        if (G != nullptr)
            SelectInGroup(G);
    } else if (G != nullptr && G->FSelectedItemIndex == Index()) {
        // Only the group's own selection of this item goes.
        G->FSelectedItemIndex = -1;
    }
    Changed(false);
}

// The own group deselects its other items and points at this one; across
// groups only the bar's parent can tell the others.
void TFcGroupItem::SelectInGroup(TFcGroup* G)
{
    TMessage Message{CM_GROUPITEMSELECTED, 0, PtrToLParam(this), 0};
    G->CMGroupItemSelected(Message);
    G->FSelectedItemIndex = Index();
    TFcGroupBar* Bar = G->GroupBar();
    if (Bar != nullptr && Bar->Parent() != nullptr && Bar->UniqueItemSelection())
        Bar->Parent()->Broadcast(Message);
}

// --- actions ----------------------------------------------------------------------------------------

TBasicAction* TFcGroupItem::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TFcGroupItem::SetAction(TBasicAction* Value)
{
    TFcGroup* G = Group();
    if (Value == nullptr) {
        FActionLink.reset();
        if (FCountsAction && G != nullptr)
            G->ActionCountChanged(-1);
        FCountsAction = false;
        return;
    }
    if (!FCountsAction && G != nullptr) {
        G->ActionCountChanged(+1);
        FCountsAction = true;
    }
    if (!FActionLink)
        FActionLink = std::make_unique<TFcGroupItemActionLink>(this);
    FActionLink->SetAction(Value);
    FActionLink->SetOnChange([this](TObject* Sender) { DoActionChange(Sender); });
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
    if (G != nullptr)
        Value->FreeNotification(G);
}

void TFcGroupItem::DoActionChange(TObject* Sender)
{
    if (Sender != nullptr && Sender == Action())
        ActionChange(Sender, false);
}

void TFcGroupItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr)
        return;
    if (!CheckDefaults || FCaption.isEmpty() || !FCaptionSet)
        SetCaption(A->Caption());
    if (!CheckDefaults || FEnabled)
        SetEnabled(A->Enabled());
    if (!CheckDefaults || FHint.isEmpty())
        SetHint(A->Hint());
    if (!CheckDefaults || FImageIndex == -1)
        SetImageIndex(A->ImageIndex());
    if (!CheckDefaults || FVisible)
        SetVisible(A->Visible());
    if (!CheckDefaults || !FOnClick)
        SetOnClickFromAction(A->OnExecute());
}

void TFcGroupItem::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

void TFcGroupItem::Click()
{
    TFcGroup* G = Group();
    if (FOnClick && Action() != nullptr && !FOnClickFromAction) {
        FOnClick(this);
        return;
    }
    const bool Designing = G != nullptr && G->ComponentState().Contains(csDesigning);
    if (!Designing && FActionLink && Action() != nullptr) {
        FActionLink->Execute(G);
        return;
    }
    if (FOnClick)
        FOnClick(this);
}

// --- stored rules -------------------------------------------------------------------------------------

bool TFcGroupItem::IsLinked(bool (TFcGroupItemActionLink::*Test)()) const
{
    return FActionLink && FActionLink->Action() != nullptr && (FActionLink.get()->*Test)();
}

bool TFcGroupItem::IsCaptionStored() const
{
    return !IsLinked(&TFcGroupItemActionLink::IsCaptionLinked);
}

bool TFcGroupItem::IsEnabledStored() const
{
    return !IsLinked(&TFcGroupItemActionLink::IsEnabledLinked);
}

bool TFcGroupItem::IsHintStored() const
{
    return !IsLinked(&TFcGroupItemActionLink::IsHintLinked);
}

bool TFcGroupItem::IsImageIndexStored() const
{
    return !IsLinked(&TFcGroupItemActionLink::IsImageIndexLinked);
}

bool TFcGroupItem::IsOnClickStored() const
{
    return !IsLinked(&TFcGroupItemActionLink::IsOnExecuteLinked);
}

// --- the collection ----------------------------------------------------------------------------------

TFcGroupItems::TFcGroupItems(TFcGroup* Group) : TOwnedCollection(Group, ClassOf<TFcGroupItem>()), FGroup(Group)
{}

void TFcGroupItems::Update(TCollectionItem* Item)
{
    if (FGroup == nullptr || FGroup->ComponentState().Contains(csDestroying))
        return;
    if (Item == nullptr)
        FGroup->ItemsChanged();
    FGroup->Invalidate();
}
