// TFcGroup: properties, joining a bar, opening and closing by the bar's
// style, restyling, and the item layout (painting and input are in
// FcGroupPaint.cpp and FcGroupInput.cpp).
#include "controls/lists/FcGroup.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupController.h"
#include "platform/actions/Menus.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

namespace {

// The "C" rule: a property a controller governs is not written.
bool Uncontrolled(const TFcGroup& G)
{
    return !G.IsControlled();
}

} // namespace

// The .Stored() rules would make the formatter run the list together.
// clang-format off
REGISTER_COMPONENT(TFcGroup, TCustomControl)
    PUBLISHED_STORED(BorderColor, clBtnHighlight, &Uncontrolled)
    PUBLISHED(CanClose, true)
    PUBLISHED_NODEFAULT_STORED(CaptionColor, &TFcGroup::IsCaptionColorStored)
    PUBLISHED(CaptionColorStart, clWindow)
    PUBLISHED(CaptionColorStop, clBtnFace)
    PUBLISHED_STORED(CaptionColorDefault, true, &Uncontrolled)
    PUBLISHED_OBJECT(CaptionFont).Stored(&TFcGroup::IsCaptionFontStored)
    PUBLISHED_STORED(CaptionHeight, 20, &Uncontrolled)
    PUBLISHED_STORED(CaptionHotColor, clHotLight, &Uncontrolled)
    PUBLISHED(CaptionImageIndex, -1)
    PUBLISHED(CaptionStyle, csSmall)
    PUBLISHED_NODEFAULT_STORED(Color, &TFcGroup::IsColorStored)
    PUBLISHED_STORED(ColorDefault, true, &Uncontrolled)
    PUBLISHED(GroupController, nullptr)
    PUBLISHED_NODEFAULT_STORED(GroupIndex, false)
    PUBLISHED_OBJECT(Items)
    PUBLISHED_STORED(ItemHeight, 20, &Uncontrolled)
    PUBLISHED_STORED(ItemHotColor, clHotLight, &Uncontrolled)
    PUBLISHED_OBJECT(ItemStaticFont).Stored(&TFcGroup::IsItemStaticFontStored)
    PUBLISHED_STORED(ItemIndent, 20, &Uncontrolled)
    // Written by the ordinary rule: no controller sets the item style.
    PUBLISHED(ItemStyle, isSmall)
    PUBLISHED(ItemPopupMenu, nullptr)
    PUBLISHED(LargeImages, nullptr)
    PUBLISHED_NODEFAULT(Opened)
    PUBLISHED(OpenedHeight, 50)
    PUBLISHED_STORED(DividerColor, clHighlight, &Uncontrolled)
    PUBLISHED_NODEFAULT_STORED(DividerVisible, &Uncontrolled)
    PUBLISHED(SmallImages, nullptr)
    PUBLISHED_STORED(SelectionColor, clBtnFace, &Uncontrolled)
    PUBLISHED_STORED(SelectionShadowColor, clBtnShadow, &Uncontrolled)
    PUBLISHED_STORED(SelectionFrameColor, cl3DDkShadow, &Uncontrolled)
    PUBLISHED_STORED(ShowItemSelection, false, &Uncontrolled)
    PUBLISHED_STORED(ItemSelectionStyle, issImageAndCaption, &Uncontrolled)
    PUBLISHED(IgnoreSelectedItemClick, true)
    // Written by the ordinary rule: no controller sets it.
    PUBLISHED(Special, false)
    PUBLISHED(ParentColor, false)
    PUBLISHED_EVENT(OnCanClose)
    PUBLISHED_EVENT(OnCanOpen)
    PUBLISHED_EVENT(OnClose)
    PUBLISHED_EVENT(OnOpen)
    PUBLISHED_EVENT(OnMouseOverItem)
    PUBLISHED_EVENT(OnItemPopupMenu)
END_REGISTER
// clang-format on

TFcGroup::TFcGroup(TComponent* AOwner)
    : TCustomControl(AOwner), FCaptionFont(std::make_unique<TFont>()), FItemStaticFont(std::make_unique<TFont>()),
      FSmallImagesLink(std::make_unique<TChangeLink>()), FLargeImagesLink(std::make_unique<TChangeLink>()),
      FItems(std::make_unique<TFcGroupItems>(this))
{
    FControlStyle.Include(csAcceptsControls);
    FControlStyle.Include(csSetCaption);
    FHeight = 50;
    TControl::SetColor(StyleColor(gbsCategoryView));
    Font()->SetColor(clWindowText);
    FCaptionFont->Assign(Font());
    FCaptionFont->SetStyle({fsBold});
    FCaptionFont->SetColor(clHighlight);
    FCaptionFont->SetOnChange([this](TObject*) { OwnFontChanged(FCaptionFontChanged); });
    FItemStaticFont->Assign(Font());
    FItemStaticFont->SetOnChange([this](TObject*) { OwnFontChanged(FItemStaticFontChanged); });
    FSmallImagesLink->SetOnChange([this](TObject* Sender) { ImagesChanged(Sender); });
    FLargeImagesLink->SetOnChange([this](TObject* Sender) { ImagesChanged(Sender); });
    // The system's pointing hand; the program carries no cursor of its own.
    FHandCursor = LoadCursor(nullptr, IDC_HAND);
    SetOpened(true);
    CreateScrollButtons();
}

// The Outlook style's up and down buttons: owned by the group, so a form
// definition never holds them, and hidden until the style and the items
// call for them.
void TFcGroup::CreateScrollButtons()
{
    const TFcScrollStyle Styles[2] = {scsUp, scsDown};
    for (int I = 0; I < 2; ++I) {
        auto* B = new TFcRapidFireButton(this);
        B->SetVisible(false);
        B->SetControlStyle(B->ControlStyle() + TControlStyle{csNoDesignVisible});
        B->SetScrollStyle(Styles[I]);
        B->SetParent(this);
        if (I == 0)
            B->SetOnClick([this](TObject*) { ScrollUp(); });
        else
            B->SetOnClick([this](TObject*) { ScrollDown(); });
        FScrollButtons[I] = B;
    }
}

TFcGroup::~TFcGroup()
{
    TFcGroup::BeforeDestruction();
    // The items go before the fonts their last repaint uses.
    FItems.reset();
}

void TFcGroup::BeforeDestruction()
{
    if (!ComponentState().Contains(csDestroying)) {
        Destroying();
        SetGroupController(nullptr);
        if (FGroupBar != nullptr)
            FGroupBar->RemoveGroup(this);
    }
    TCustomControl::BeforeDestruction();
}

// --- the bar -----------------------------------------------------------------------------------------

void TFcGroup::SetGroupBar(TFcGroupBar* Value)
{
    if (FGroupBar == Value)
        return;
    if (FGroupBar != nullptr)
        FGroupBar->RemoveGroup(this);
    if (Value != nullptr)
        Value->AddGroup(this);
}

void TFcGroup::SetParentComponent(TComponent* Value)
{
    // Read from a form, a group joins its bar once its own properties are
    // read (ReadState): its Opened is known by then.
    if (auto* Bar = dynamic_cast<TFcGroupBar*>(Value)) {
        if (!ComponentState().Contains(csReading))
            SetGroupBar(Bar);
        return;
    }
    TCustomControl::SetParentComponent(Value);
}

void TFcGroup::SetParent(TWinControl* AParent)
{
    auto* Bar = dynamic_cast<TFcGroupBar*>(AParent);
    if (AParent != nullptr && Bar == nullptr)
        throw EFcGroupBarError(QStringLiteral("TFcGroup components can only be placed in a TFcGroupBar component"));
    if (Bar != FGroupBar && !ComponentState().Contains(csReading)) {
        SetGroupBar(Bar);
        return;
    }
    TCustomControl::SetParent(AParent);
}

void TFcGroup::AttachParent(TWinControl* AParent)
{
    TCustomControl::SetParent(AParent);
}

void TFcGroup::ReadState(TReader& Reader)
{
    TCustomControl::ReadState(Reader);
    if (auto* Bar = dynamic_cast<TFcGroupBar*>(Reader.Parent()))
        SetGroupBar(Bar);
}

int TFcGroup::GroupIndex() const
{
    return FGroupBar != nullptr ? FGroupBar->IndexOfGroup(this) : -1;
}

void TFcGroup::SetGroupIndex(int Value)
{
    if (FGroupBar == nullptr)
        return;
    const int Last = FGroupBar->GroupCount() - 1;
    if (Value > Last)
        throw EListError(QStringLiteral("%1 is an invalid GroupIndex value. GroupIndex must be between 0 and %2")
                             .arg(Value)
                             .arg(Last));
    FGroupBar->MoveGroup(this, Value);
    FGroupBar->UpdateGroupLayout(this);
}

void TFcGroup::SetGroupController(TFcGroupController* Value)
{
    if (FGroupController == Value)
        return;
    if (FGroupController != nullptr) {
        FGroupController->UnregisterGroup(this);
        FGroupController->RemoveFreeNotification(this);
    }
    FGroupController = Value;
    if (Value != nullptr) {
        Value->RegisterGroup(this);
        Value->FreeNotification(this);
    }
}

// --- opening and closing ------------------------------------------------------------------------------

void TFcGroup::ToggleOpened()
{
    SetOpened(!FOpened);
    NotifyDesignerModified(this);
}

void TFcGroup::SetOpened(bool Value)
{
    // A group read from a form knows its state before it joins its bar.
    if (FGroupBar == nullptr) {
        FOpened = Value;
        return;
    }
    if (Value == FOpened)
        return;
    bool Allowed = true;
    if (FOpened && FOnCanClose)
        FOnCanClose(this, Allowed);
    else if (!FOpened && FOnCanOpen)
        FOnCanOpen(this, Allowed);
    if (!Allowed)
        return;
    switch (FBarStyle) {
    case gbsCategoryView:
        // A group that cannot close can neither be closed nor opened here.
        if (!FCanClose)
            return;
        FOpened = Value;
        if (Value && FOnOpen)
            FOnOpen(this);
        else if (!Value && FOnClose)
            FOnClose(this);
        if (FGroupBar == nullptr)
            return;
        FGroupBar->UpdateGroupLayout(this);
        FGroupBar->AdjustSize();
        if (Value)
            for (int I = 0; I < ControlCount(); ++I)
                Controls(I)->Invalidate();
        NotifyDesignerModified(this);
        break;
    case gbsTaskList:
        FOpened = true;
        break;
    case gbsOutlook:
        // An Outlook group closes only when another one opens.
        if (!Value)
            return;
        FOpened = true;
        for (int I = 0; I < FGroupBar->GroupCount(); ++I) {
            TFcGroup* Other = FGroupBar->Groups(I);
            if (Other == this || !Other->FOpened)
                continue;
            Other->FOpened = false;
            if (Other->FOnClose)
                Other->FOnClose(Other);
        }
        if (FOnOpen)
            FOnOpen(this);
        if (FGroupBar != nullptr)
            FGroupBar->UpdateGroupLayout(this);
        NotifyDesignerModified(this);
        break;
    }
}

void TFcGroup::SetOpenedHeight(int Value)
{
    if (FOpenedHeight == Value)
        return;
    FOpenedHeight = Value;
    const TComponentState S = ComponentState();
    if (!S.Contains(csDesigning) && !S.Contains(csLoading) && FItems->Count() == 0 && IsEmptyOfControls())
        FOpenedHeight = 50;
    if (FOpened)
        SetHeight(FOpenedHeight);
}

void TFcGroup::SetCanClose(bool Value)
{
    if (FBarStyle != gbsCategoryView || FCanClose == Value)
        return;
    // Opened first: a group that cannot close must be open.
    if (!Value)
        Open();
    FCanClose = Value;
    Invalidate();
}

// --- style ----------------------------------------------------------------------------------------------

TColor TFcGroup::StyleColor(TFcGroupBarStyle Style) const
{
    switch (Style) {
    case gbsTaskList:
        return FGroupBar != nullptr ? FGroupBar->Color() : clWindow;
    case gbsOutlook:
        return clBtnShadow;
    default:
        if (FGroupBar != nullptr && FGroupBar->VisualStyle() == vsWinXP && FcThemesEnabled())
            return GetThemedColor(3);
        return clBtnFace;
    }
}

TColor TFcGroup::StyleCaptionColor(TFcGroupBarStyle Style)
{
    switch (Style) {
    case gbsTaskList:
        return clWindow;
    case gbsOutlook:
        return clBtnFace;
    default:
        return clHighlightText;
    }
}

void TFcGroup::ApplyBarStyle(TFcGroupBarStyle Value)
{
    const TFcGroupBarStyle Old = FBarStyle;
    FBarStyle = Value;
    if (FColorDefault) {
        TControl::SetColor(StyleColor(Value));
        TControl::SetParentColor(Value == gbsTaskList);
    }
    if (FCaptionColorDefault)
        FCaptionColor = StyleCaptionColor(Value);
    if (!FFontChanged)
        Font()->SetColor(clWindowText);
    if (!FCaptionFontChanged)
        ChangeFontQuietly(FCaptionFont.get(), [Value](TFont* F) {
            F->SetStyle(Value == gbsOutlook ? TFontStyles() : TFontStyles{fsBold});
            F->SetColor(Value == gbsCategoryView ? clHighlight : clWindowText);
        });
    const bool Loading = ComponentState().Contains(csLoading);
    const bool Empty = FItems->Count() == 0 && IsEmptyOfControls();
    switch (Value) {
    case gbsCategoryView:
        SetDividerColor(clHighlight);
        if (Old != gbsCategoryView)
            SetDividerVisible(false);
        if (Old == gbsOutlook) {
            FOpened = true;
            if (Empty)
                FOpenedHeight = 50;
        }
        if (Old == gbsTaskList)
            FCanClose = true;
        break;
    case gbsTaskList:
        if (!Loading) {
            SetDividerVisible(true);
            SetDividerColor(clHighlight);
        }
        FCanClose = false;
        if (Old == gbsOutlook) {
            FOpened = true;
            if (Empty)
                FOpenedHeight = 50;
        }
        break;
    case gbsOutlook:
        FCanClose = true;
        if (!Loading)
            FOpened = GroupIndex() == 0;
        break;
    }
    UpdateScrollButtons();
    Invalidate();
}

// --- colours ------------------------------------------------------------------------------------------

void TFcGroup::SetColor(TColor Value)
{
    TControl::SetColor(Value);
    FColorDefault = false;
    Invalidate();
}

void TFcGroup::SetColorDefault(bool Value)
{
    if (FColorDefault == Value)
        return;
    FColorDefault = Value;
    if (Value)
        TControl::SetColor(StyleColor(FBarStyle));
    Invalidate();
}

void TFcGroup::SetCaptionColor(TColor Value)
{
    if (!AssignIfChanged(FCaptionColor, Value))
        return;
    FCaptionColorDefault = false;
    Invalidate();
}

void TFcGroup::SetCaptionColorDefault(bool Value)
{
    if (FCaptionColorDefault == Value)
        return;
    FCaptionColorDefault = Value;
    if (Value)
        FCaptionColor = StyleCaptionColor(FBarStyle);
    Invalidate();
}

// The setters that only store and repaint.
#define QV_GROUP_REPAINT_SETTER(Type, Name)                                                                            \
    void TFcGroup::Set##Name(Type Value)                                                                               \
    {                                                                                                                  \
        if (AssignIfChanged(F##Name, Value))                                                                           \
            Invalidate();                                                                                              \
    }
QV_GROUP_REPAINT_SETTER(TColor, BorderColor)
QV_GROUP_REPAINT_SETTER(TColor, CaptionColorStart)
QV_GROUP_REPAINT_SETTER(TColor, CaptionColorStop)
QV_GROUP_REPAINT_SETTER(TColor, CaptionHotColor)
QV_GROUP_REPAINT_SETTER(TColor, ItemHotColor)
QV_GROUP_REPAINT_SETTER(TColor, DividerColor)
QV_GROUP_REPAINT_SETTER(bool, DividerVisible)
QV_GROUP_REPAINT_SETTER(bool, Special)
QV_GROUP_REPAINT_SETTER(TColor, SelectionColor)
QV_GROUP_REPAINT_SETTER(TColor, SelectionShadowColor)
QV_GROUP_REPAINT_SETTER(TColor, SelectionFrameColor)
QV_GROUP_REPAINT_SETTER(bool, ShowItemSelection)
QV_GROUP_REPAINT_SETTER(TFcItemSelectionStyle, ItemSelectionStyle)
#undef QV_GROUP_REPAINT_SETTER

// --- fonts ----------------------------------------------------------------------------------------------

template <typename F>
void TFcGroup::ChangeFontQuietly(TFont* Font, F&& Change)
{
    ++FQuietFontChanges;
    try {
        Change(Font);
    } catch (...) {
        --FQuietFontChanges;
        throw;
    }
    --FQuietFontChanges;
    Invalidate();
}

void TFcGroup::OwnFontChanged(bool& ChangedFlag)
{
    if (FQuietFontChanges > 0)
        return;
    ChangedFlag = true;
    ItemsChanged();
    Invalidate();
}

void TFcGroup::SetCaptionFont(TFont* Value)
{
    FCaptionFont->Assign(Value);
}

void TFcGroup::SetItemStaticFont(TFont* Value)
{
    FItemStaticFont->Assign(Value);
}

void TFcGroup::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    FFontChanged = true;
    if (!FCaptionFontChanged)
        ChangeFontQuietly(FCaptionFont.get(), [this](TFont* F) {
            F->SetName(Font()->Name());
            F->SetSize(Font()->Size());
            F->SetStyle({fsBold});
        });
    if (!FItemStaticFontChanged)
        ChangeFontQuietly(FItemStaticFont.get(), [this](TFont* F) { F->Assign(Font()); });
    if (FGroupBar != nullptr)
        FGroupBar->UpdateGroupLayout(this);
}

void TFcGroup::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

// --- caption and items -------------------------------------------------------------------------------

void TFcGroup::SetCaptionHeight(int Value)
{
    Value = std::max(Value, 16);
    if (!AssignIfChanged(FCaptionHeight, Value))
        return;
    Invalidate();
    if (FGroupBar != nullptr)
        FGroupBar->UpdateGroupLayout(this);
}

void TFcGroup::SetCaptionImageIndex(TImageIndex Value)
{
    if (!AssignIfChanged(FCaptionImageIndex, Value))
        return;
    ItemsChanged();
    if (FGroupBar != nullptr)
        FGroupBar->Invalidate();
    Invalidate();
}

void TFcGroup::SetCaptionStyle(TFcCaptionStyle Value)
{
    if (!AssignIfChanged(FCaptionStyle, Value))
        return;
    ItemsChanged();
    if (FGroupBar != nullptr)
        FGroupBar->Invalidate();
    Invalidate();
}

void TFcGroup::SetItemHeight(int Value)
{
    if (!AssignIfChanged(FItemHeight, Value))
        return;
    ItemsChanged();
    Invalidate();
}

void TFcGroup::SetItemIndent(std::uint8_t Value)
{
    if (!AssignIfChanged(FItemIndent, Value))
        return;
    ItemsChanged();
    Invalidate();
}

void TFcGroup::SetItemStyle(TFcItemStyle Value)
{
    if (!AssignIfChanged(FItemStyle, Value))
        return;
    ItemsChanged();
    Invalidate();
}

void TFcGroup::SetItems(TFcGroupItems* Value)
{
    FItems->Assign(Value);
}

void TFcGroup::SetItemPopupMenu(TPopupMenu* Value)
{
    if (FItemPopupMenu == Value)
        return;
    FItemPopupMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TFcGroup::SetImages(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value)
{
    if (Field == Value)
        return;
    if (Field != nullptr)
        Field->UnRegisterChanges(Link);
    Field = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(Link);
        Value->FreeNotification(this);
    }
    ItemsChanged();
    Invalidate();
}

void TFcGroup::SetSmallImages(TCustomImageList* Value)
{
    SetImages(FSmallImages, FSmallImagesLink.get(), Value);
}

void TFcGroup::SetLargeImages(TCustomImageList* Value)
{
    SetImages(FLargeImages, FLargeImagesLink.get(), Value);
}

void TFcGroup::ImagesChanged(TObject* Sender)
{
    (void)Sender;
    ItemsChanged();
    Invalidate();
}

TCustomImageList* TFcGroup::EffectiveSmallImages() const
{
    if (FSmallImages != nullptr)
        return FSmallImages;
    return FGroupBar != nullptr ? FGroupBar->SmallImages() : nullptr;
}

TCustomImageList* TFcGroup::EffectiveLargeImages() const
{
    if (FLargeImages != nullptr)
        return FLargeImages;
    return FGroupBar != nullptr ? FGroupBar->LargeImages() : nullptr;
}

TCustomImageList* TFcGroup::CaptionImages() const
{
    return FCaptionStyle == csLarge ? EffectiveLargeImages() : EffectiveSmallImages();
}

int TFcGroup::CaptionOverflow() const
{
    TCustomImageList* Images = CaptionImages();
    if (Images == nullptr || FCaptionImageIndex < 0 || Images->Height() <= FCaptionHeight)
        return 0;
    return Images->Height() - FCaptionHeight + 4;
}

void TFcGroup::ItemsChanged()
{
    if (ComponentState().Contains(csDestroying))
        return;
    FMeasured.clear();
    if (FGroupBar != nullptr)
        FGroupBar->UpdateGroupLayout(this);
    if (FBarStyle == gbsOutlook)
        UpdateScrollButtons();
}

void TFcGroup::InitiateAction()
{
    TCustomControl::InitiateAction();
    for (TCollectionItem* I : *FItems)
        static_cast<TFcGroupItem*>(I)->InitiateAction();
}

void TFcGroup::ActionCountChanged(int Delta)
{
    FActionCount = std::max(0, FActionCount + Delta);
    if (FActionCount > 0)
        FControlStyle.Include(csActionClient);
    else
        FControlStyle.Exclude(csActionClient);
}

// --- selection -----------------------------------------------------------------------------------------

TFcGroupItem* TFcGroup::SelectedItem() const
{
    if (FSelectedItemIndex < 0 || FSelectedItemIndex >= FItems->Count())
        return nullptr;
    return FItems->Items(FSelectedItemIndex);
}

void TFcGroup::SetSelectedItemIndex(int Value)
{
    if (Value == FSelectedItemIndex)
        return;
    if (Value >= 0 && Value < FItems->Count()) {
        FItems->Items(Value)->SetSelected(true);
    } else if (Value == -1) {
        for (TCollectionItem* I : *FItems)
            static_cast<TFcGroupItem*>(I)->SetSelected(false);
        FSelectedItemIndex = -1;
    }
}

void TFcGroup::ItemRemoved(int Index)
{
    if (Index >= 0 && Index < FItems->Count()) {
        TFcGroupItem* Going = FItems->Items(Index);
        if (FHotItem == Going)
            FHotItem = nullptr;
        if (FPopupItem == Going)
            FPopupItem = nullptr;
    }
    if (FSelectedItemIndex == Index)
        FSelectedItemIndex = -1;
    else if (FSelectedItemIndex > Index)
        --FSelectedItemIndex;
}

void TFcGroup::CMGroupItemSelected(TMessage& Message)
{
    auto* Sender = LParamToPtr<TFcGroupItem>(Message.LParam);
    if (Sender == nullptr)
        return;
    for (TCollectionItem* I : *FItems) {
        auto* Item = static_cast<TFcGroupItem*>(I);
        if (Item != Sender && Item->Selected() && Sender->Selected())
            Item->SetSelected(false);
    }
}

// --- the Outlook style's top item and scroll buttons ----------------------------------------------

void TFcGroup::SetTopItemIndex(int Value)
{
    if (FBarStyle != gbsOutlook || Value < 0 || Value >= FItems->Count() || Value == FTopItemIndex)
        return;
    FTopItemIndex = Value;
    UpdateScrollButtons();
    Invalidate();
}

void TFcGroup::ScrollUp()
{
    FTopItemIndex = std::max(0, FTopItemIndex - 1);
    UpdateScrollButtons();
    Invalidate();
}

void TFcGroup::ScrollDown()
{
    FTopItemIndex = std::max(0, std::min(FItems->Count() - 1, FTopItemIndex + 1));
    UpdateScrollButtons();
    Invalidate();
}

bool TFcGroup::IsEmptyOfControls() const
{
    for (int I = 0; I < ControlCount(); ++I)
        if (Controls(I) != FScrollButtons[0] && Controls(I) != FScrollButtons[1])
            return false;
    return true;
}

void TFcGroup::PositionScrollButtons()
{
    if (FScrollButtons[0] == nullptr || FScrollButtons[1] == nullptr)
        return;
    const int X = ClientWidth() - 21;
    FScrollButtons[0]->SetBounds(X, FCaptionHeight + 4, 17, 17);
    FScrollButtons[1]->SetBounds(X, FOpened ? ClientHeight() - 21 : FCaptionHeight + 4, 17, 17);
}

void TFcGroup::UpdateScrollButtons()
{
    if (FScrollButtons[0] == nullptr || FScrollButtons[1] == nullptr)
        return;
    if (FBarStyle != gbsOutlook || !FOpened) {
        FScrollButtons[0]->SetVisible(false);
        FScrollButtons[1]->SetVisible(false);
        return;
    }
    FScrollButtons[0]->SetVisible(FTopItemIndex >= 1);
    FScrollButtons[1]->SetVisible(FItems->Count() > 0 && CalcItemsHeight(ClientWidth()) > ClientHeight());
}

// --- item layout ---------------------------------------------------------------------------------------

namespace {

// Measures on the screen: the layout is worked out whether or not the
// group has a window yet.
class TScreenCanvas : public TCanvas {
public:
    TScreenCanvas() : FDC(GetDC(nullptr)) { SetHandle(FDC); }
    ~TScreenCanvas() override
    {
        SetHandle(nullptr);
        ReleaseDC(nullptr, FDC);
    }

private:
    HDC FDC;
};

int MeasuredHeight(TCanvas& C, const String& Text, TRect R, unsigned Format)
{
    DrawText(C.Handle(), Text, &R, Format | DT_CALCRECT);
    return R.Height();
}

} // namespace

int TFcGroup::ItemTextLeft() const
{
    TCustomImageList* Images = EffectiveSmallImages();
    if (Images == nullptr)
        return 8;
    for (TCollectionItem* I : *FItems)
        if (static_cast<TFcGroupItem*>(I)->ImageIndex() != -1)
            return Images->Width() + 12;
    return 8;
}

bool TFcGroup::IsSeparatorHidden(int Index) const
{
    const int Last = FItems->Count() - 1;
    if (Index == FTopItemIndex || Index == Last)
        return true;
    if (Index < FTopItemIndex)
        return false;
    // The nearest visible item before it must be a normal one.
    int Before = Index - 1;
    while (Before >= FTopItemIndex && !FItems->Items(Before)->Visible())
        --Before;
    if (Before < FTopItemIndex || FItems->Items(Before)->IsSeparator())
        return true;
    // A run of separators shows its first one, when a normal item follows
    // the run.
    for (int After = Index + 1; After <= Last; ++After) {
        TFcGroupItem* Item = FItems->Items(After);
        if (Item->Visible() && !Item->IsSeparator())
            return false;
    }
    return true;
}

int TFcGroup::CalcItemsHeight(int Width)
{
    if (FItems->Count() == 0)
        return FCaptionHeight;
    TScreenCanvas C;
    C.Font()->Assign(Font());
    const int Pad = (FItemHeight - C.TextHeight(QStringLiteral("Pp"))) / 2;
    int Y = FCaptionHeight + 4;
    int Result = Y;
    const bool Large = FItemStyle == isLarge;
    TCustomImageList* LargeImages = EffectiveLargeImages();
    const int ImageH = LargeImages != nullptr ? LargeImages->Height() + 2 : 34;
    const int Left = Large ? 8 : ItemTextLeft();
    for (int I = FTopItemIndex; I < FItems->Count(); ++I) {
        TFcGroupItem* Item = FItems->Items(I);
        if (!Item->Visible())
            continue;
        if (Large && Item->IsSeparator()) {
            if (!IsSeparatorHidden(I)) {
                Result = Y + 4;
                Y += 12;
            }
            continue;
        }
        C.Font()->Assign(Large || Item->IsClickable() ? Font() : FItemStaticFont.get());
        C.Font()->SetStyle(C.Font()->Style() + Item->FontStyle());
        const int X = Large ? Left : Left + Item->IndentLevel() * FItemIndent;
        const TRect R = Rect(X, 0, std::max(X + 1, Width - 8), 0);
        const int TH =
            MeasuredHeight(C, Item->Caption(), R, DT_WORDBREAK | DT_EXPANDTABS | (Large ? DT_CENTER : DT_LEFT));
        if (Large) {
            Result = Y + ImageH + 2 * Pad + TH + 4;
            Y += std::max(2 * Pad + TH, FItemHeight) + ImageH + 8;
        } else if (!Item->IsSeparator() || !IsSeparatorHidden(I)) {
            Result = Y + 2 * Pad + TH + 4;
            Y += std::max(2 * Pad + TH, FItemHeight);
        }
    }
    return Result;
}

// --- window notices ------------------------------------------------------------------------------------

void TFcGroup::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_GROUPITEMSELECTED:
        CMGroupItemSelected(Message);
        return;
    case CM_DESIGNHITTEST:
        CMDesignHitTest(Message);
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

void TFcGroup::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += FCaptionHeight;
    if (FBarStyle == gbsCategoryView) {
        Rect.Left += 1;
        Rect.Right -= 1;
        Rect.Bottom -= 1;
    }
}

void TFcGroup::Resize()
{
    TCustomControl::Resize();
    if (FBarStyle == gbsOutlook)
        PositionScrollButtons();
}

void TFcGroup::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    if (ComponentState().Contains(csDesigning) && FOpened && Visible())
        FOpenedHeight = Height();
}

void TFcGroup::WMWindowPosChanged(TMessage& Message)
{
    TCustomControl::WMWindowPosChanged(Message);
    if (FGroupBar != nullptr && !FGroupBar->Positioning() && !ComponentState().Contains(csDestroying))
        FGroupBar->UpdateGroupLayout(this);
}

// The scroll buttons belong to the group itself and are made by it, so a
// definition written with the group as its root still leaves them out.
void TFcGroup::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    TCustomControl::GetChildren(
        [&](TComponent* Child) {
            if (Child != FScrollButtons[0] && Child != FScrollButtons[1])
                Proc(Child);
        },
        Root);
}

void TFcGroup::Loaded()
{
    TCustomControl::Loaded();
    for (TCollectionItem* I : *FItems) {
        auto* Item = static_cast<TFcGroupItem*>(I);
        if (Item->Action() != nullptr)
            Item->ActionChange(Item->Action(), true);
    }
    if (FBarStyle == gbsOutlook)
        PositionScrollButtons();
}

void TFcGroup::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSmallImages)
        SetSmallImages(nullptr);
    if (AComponent == FLargeImages)
        SetLargeImages(nullptr);
    if (AComponent == FGroupController)
        FGroupController = nullptr;
    if (AComponent == FItemPopupMenu)
        FItemPopupMenu = nullptr;
    if (dynamic_cast<TBasicAction*>(AComponent) != nullptr) {
        // The action has already let go of its links: an item whose link
        // lost its action was linked to this one.
        for (TCollectionItem* I : *FItems) {
            auto* Item = static_cast<TFcGroupItem*>(I);
            if (Item->ActionLink() != nullptr && (Item->Action() == AComponent || Item->Action() == nullptr))
                Item->SetAction(nullptr);
        }
    }
}

void TFcGroup::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("UseGradients"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
}
