#include "platform/actions/Menus.h"

#include "platform/actions/QtMenuView.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/GuiApplication.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <unordered_set>

REGISTER_COMPONENT(TMenuItem, TComponent)
    PUBLISHED(Action, nullptr)
    PUBLISHED(AutoCheck, false)
    PUBLISHED(Caption, String())
    PUBLISHED(Checked, false)
    PUBLISHED(Default, false)
    PUBLISHED(Enabled, true)
    PUBLISHED(GroupIndex, 0)
    PUBLISHED(HelpContext, 0)
    PUBLISHED(Hint, String())
    PUBLISHED(ImageIndex, -1)
    PUBLISHED(RadioItem, false)
    PUBLISHED(ShortCut, 0)
    PUBLISHED(Visible, true)
    PUBLISHED_EVENT(OnClick)
END_REGISTER

REGISTER_CLASS(TMenu, TComponent)
    PUBLISHED(Images, nullptr)
END_REGISTER

REGISTER_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

REGISTER_COMPONENT(TPopupMenu, TMenu)
    PUBLISHED(Alignment, paLeft)
    PUBLISHED(AutoPopup, true)
    PUBLISHED_EVENT(OnPopup)
    PUBLISHED_EVENT(OnClose)
END_REGISTER

REGISTER_COMPONENT(TMainMenu, TMenu)
    PUBLISHED(AutoMerge, false)
END_REGISTER

namespace {

std::unordered_set<const TMenuItem*>& LiveItems()
{
    static auto* Set = new std::unordered_set<const TMenuItem*>;
    return *Set;
}

// Command numbers in use; a new item takes the next free one.
std::unordered_set<WORD>& UsedCommands()
{
    static auto* Set = new std::unordered_set<WORD>;
    return *Set;
}

WORD UniqueCommand()
{
    static WORD Next = 0;
    auto& Used = UsedCommands();
    do
        ++Next;
    while (Next == 0 || Used.count(Next) != 0);
    Used.insert(Next);
    return Next;
}

std::vector<TPopupMenu*>& ShowingMenus()
{
    static auto* List = new std::vector<TPopupMenu*>;
    return *List;
}

TMenuPopupHook& PopupHook()
{
    static TMenuPopupHook Hook;
    return Hook;
}

struct TKeyName {
    WORD Key;
    const char* Name;
};

// The classic names of the keys a shortcut can use.
const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},       {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

const TKeyName LongKeyNames[] = {
    {VK_BACK, "Backspace"}, {VK_RETURN, "Return"}, {VK_ESCAPE, "Escape"}, {VK_PRIOR, "PageUp"},
    {VK_NEXT, "PageDown"},  {VK_INSERT, "Insert"}, {VK_DELETE, "Delete"},
};

String KeyName(WORD Key)
{
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
        return String(QChar(Key));
    if (Key >= VK_F1 && Key <= VK_F24)
        return QStringLiteral("F%1").arg(Key - VK_F1 + 1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9)
        return QStringLiteral("Num %1").arg(Key - VK_NUMPAD0);
    for (const TKeyName& K : KeyNames)
        if (K.Key == Key)
            return QString::fromLatin1(K.Name);
    switch (Key) {
    case VK_OEM_PLUS: return QStringLiteral("=");
    case VK_OEM_MINUS: return QStringLiteral("-");
    case VK_OEM_COMMA: return QStringLiteral(",");
    case VK_OEM_PERIOD: return QStringLiteral(".");
    case VK_OEM_1: return QStringLiteral(";");
    case VK_OEM_2: return QStringLiteral("/");
    case VK_OEM_3: return QStringLiteral("`");
    case VK_OEM_4: return QStringLiteral("[");
    case VK_OEM_5: return QStringLiteral("\\");
    case VK_OEM_6: return QStringLiteral("]");
    case VK_OEM_7: return QStringLiteral("'");
    case VK_MULTIPLY: return QStringLiteral("Num *");
    case VK_ADD: return QStringLiteral("Num +");
    case VK_SUBTRACT: return QStringLiteral("Num -");
    case VK_DIVIDE: return QStringLiteral("Num /");
    case VK_DECIMAL: return QStringLiteral("Num Del");
    default: return String();
    }
}

} // namespace

// --- shortcuts ------------------------------------------------------------------------

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt)
{
    if ((Key & 0xFF00) != 0)
        return 0;
    TShortCut S = TShortCut(Key);
    if (Shift)
        S |= scShift;
    if (Ctrl)
        S |= scCtrl;
    if (Alt)
        S |= scAlt;
    return S;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, bool& Shift, bool& Ctrl, bool& Alt)
{
    Key = WORD(ShortCut & 0xFF);
    Shift = (ShortCut & scShift) != 0;
    Ctrl = (ShortCut & scCtrl) != 0;
    Alt = (ShortCut & scAlt) != 0;
}

String ShortCutToText(TShortCut ShortCut)
{
    WORD Key = 0;
    bool Shift = false, Ctrl = false, Alt = false;
    ShortCutToKey(ShortCut, Key, Shift, Ctrl, Alt);
    const String Name = KeyName(Key);
    if (Name.isEmpty())
        return String();
    String Text;
    if (Shift)
        Text += QStringLiteral("Shift+");
    if (Ctrl)
        Text += QStringLiteral("Ctrl+");
    if (Alt)
        Text += QStringLiteral("Alt+");
    return Text + Name;
}

TShortCut TextToShortCut(const String& Text)
{
    String Rest = Text.trimmed();
    TShortCut Shift = 0;
    for (;;) {
        bool Found = false;
        for (auto [Prefix, Bit] : {std::pair{"Shift+", scShift}, std::pair{"Ctrl+", scCtrl}, std::pair{"Alt+", scAlt}}) {
            const String P = QString::fromLatin1(Prefix);
            if (Rest.startsWith(P, Qt::CaseInsensitive) && Rest.size() > P.size()) {
                Shift |= Bit;
                Rest = Rest.mid(P.size());
                Found = true;
            }
        }
        if (!Found)
            break;
    }
    for (int Key = 1; Key < 256; ++Key)
        if (!KeyName(WORD(Key)).isEmpty() && KeyName(WORD(Key)).compare(Rest, Qt::CaseInsensitive) == 0)
            return TShortCut(Key) | Shift;
    // The long names people write are read too ("Ctrl+PageDown").
    for (const TKeyName& K : LongKeyNames)
        if (Rest.compare(QLatin1String(K.Name), Qt::CaseInsensitive) == 0)
            return TShortCut(K.Key) | Shift;
    return 0;
}

QChar GetHotkey(const String& Caption)
{
    for (int I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption.at(I) != QLatin1Char('&'))
            continue;
        if (Caption.at(I + 1) != QLatin1Char('&'))
            return Caption.at(I + 1);
        ++I;
    }
    return QChar();
}

bool IsAccel(WORD Key, const String& Caption)
{
    const QChar H = GetHotkey(Caption);
    return !H.isNull() && H.toUpper() == QChar(Key).toUpper();
}

String StripHotkey(const String& Caption)
{
    String Result;
    for (int I = 0; I < Caption.size(); ++I) {
        if (Caption.at(I) == QLatin1Char('&') && I + 1 < Caption.size())
            ++I;
        Result += Caption.at(I);
    }
    return Result;
}

// --- TMenuActionLink -----------------------------------------------------------------

TMenuActionLink::TMenuActionLink(TMenuItem* Client) : TActionLink(Client), FClient(Client) {}

namespace {
TCustomAction* AsCustom(TBasicAction* A)
{
    return dynamic_cast<TCustomAction*>(A);
}
} // namespace

bool TMenuActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == AsCustom(Action())->Caption();
}
bool TMenuActionLink::IsCheckedLinked()
{
    return TActionLink::IsCheckedLinked() && FClient->Checked() == AsCustom(Action())->Checked();
}
bool TMenuActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == AsCustom(Action())->Enabled();
}
bool TMenuActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && FClient->Hint() == AsCustom(Action())->Hint();
}
bool TMenuActionLink::IsImageIndexLinked()
{
    return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == AsCustom(Action())->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked()
{
    return TActionLink::IsShortCutLinked() && FClient->ShortCut() == AsCustom(Action())->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == AsCustom(Action())->Visible();
}
bool TMenuActionLink::IsOnExecuteLinked()
{
    return Action() != nullptr && !FClient->OnClick();
}
void TMenuActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked())
        FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked())
        FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked())
        FClient->SetEnabled(Value);
}
void TMenuActionLink::SetHint(const String& Value)
{
    if (IsHintLinked())
        FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(int Value)
{
    if (IsImageIndexLinked())
        FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value)
{
    if (IsShortCutLinked())
        FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked())
        FClient->SetVisible(Value);
}
void TMenuActionLink::SetOnExecute(const TNotifyEvent& Value)
{
    (void)Value;
}

// --- TMenuItem --------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand())
{
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem()
{
    if (!DestructionStarted())
        BeforeDestruction();
    LiveItems().erase(this);
    UsedCommands().erase(FCommand);
}

void TMenuItem::BeforeDestruction()
{
    if (FParent != nullptr)
        FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* Child = FItems.back();
        FItems.pop_back();
        Child->FParent = nullptr;
        Child->Free();
    }
    FActionLink.reset();
    TComponent::BeforeDestruction();
}

TBasicAction* TMenuItem::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* Value)
{
    if (Value == nullptr) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink)
        FActionLink = std::make_unique<TMenuActionLink>(this);
    // From now on each property follows the action through the link, and
    // only while the item still shows the action's value.
    FActionLink->SetAction(Value);
    ActionChange(Value, ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr)
        return;
    if (!CheckDefaults || FCaption.isEmpty())
        SetCaption(A->Caption());
    if (!CheckDefaults || !FChecked)
        SetChecked(A->Checked());
    if (!CheckDefaults || FEnabled)
        SetEnabled(A->Enabled());
    if (!CheckDefaults || FHint.isEmpty())
        SetHint(A->Hint());
    if (!CheckDefaults || FImageIndex == -1)
        SetImageIndex(A->ImageIndex());
    if (!CheckDefaults || FShortCut == 0)
        SetShortCut(A->ShortCut());
    if (!CheckDefaults || FVisible)
        SetVisible(A->Visible());
}

void TMenuItem::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

void TMenuItem::SetCaption(const String& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    MenuChanged();
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    if (Value && FRadioItem)
        TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::SetDefault(bool Value)
{
    if (Value == FDefault)
        return;
    if (Value && FParent != nullptr)
        for (TMenuItem* I : FParent->FItems)
            if (I != this)
                I->FDefault = false;
    FDefault = Value;
    MenuChanged();
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    MenuChanged();
}

void TMenuItem::SetGroupIndex(int Value)
{
    if (Value == FGroupIndex)
        return;
    FGroupIndex = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
}

void TMenuItem::SetImageIndex(int Value)
{
    if (Value == FImageIndex)
        return;
    FImageIndex = Value;
    MenuChanged();
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (Value == FRadioItem)
        return;
    FRadioItem = Value;
    if (FChecked && FRadioItem)
        TurnSiblingsOff();
    MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == FShortCut)
        return;
    FShortCut = Value;
    MenuChanged();
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    MenuChanged();
}

void TMenuItem::TurnSiblingsOff()
{
    if (FParent == nullptr)
        return;
    for (TMenuItem* I : FParent->FItems)
        if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex && I->FChecked) {
            I->FChecked = false;
            I->MenuChanged();
        }
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EMenuError(QStringLiteral("Index out of bounds"));
    return FItems[std::size_t(Index)];
}

int TMenuItem::MenuIndex() const
{
    return FParent != nullptr ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1;
}

void TMenuItem::SetMenuIndex(int Value)
{
    if (FParent == nullptr)
        return;
    TMenuItem* P = FParent;
    P->Remove(this);
    P->Insert(std::clamp(Value, 0, P->Count()), this);
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Item == nullptr)
        return;
    if (Item->FParent != nullptr)
        throw EMenuError(QStringLiteral("Menu inserted twice"));
    if (Index < 0 || Index > Count())
        throw EMenuError(QStringLiteral("Index out of bounds"));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Item->FMenu = FMenu;
    MenuChanged();
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* Item = Items(Index);
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const int I = IndexOf(Item);
    if (I < 0)
        throw EMenuError(QStringLiteral("Sub-menu is not in menu"));
    Delete(I);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* Item = FItems.back();
        FItems.pop_back();
        Item->FParent = nullptr;
        Item->Free();
    }
    MenuChanged();
}

int TMenuItem::IndexOf(TMenuItem* Item) const
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : int(It - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* I = this;
    while (I->FParent != nullptr)
        I = I->FParent;
    return I->FMenu;
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    TBasicAction* A = Action();
    auto* Custom = dynamic_cast<TCustomAction*>(A);
    if (FAutoCheck && !(Custom != nullptr && Custom->AutoCheck()) && !(FRadioItem && FChecked))
        SetChecked(!FChecked);
    if (FOnClick) {
        FOnClick(this);
        return;
    }
    if (A != nullptr && !ComponentState().Contains(csDesigning))
        FActionLink->Execute(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut ShortCut)
{
    for (TMenuItem* I : FItems) {
        if (!I->FVisible)
            continue;
        if (I->FShortCut == ShortCut)
            return I;
        if (TMenuItem* Found = I->FindShortCut(ShortCut))
            return Found;
    }
    return nullptr;
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParent != nullptr && FParent->FMenu != nullptr && FParent == FParent->FMenu->Items())
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (FParent != nullptr)
        FParent->Remove(this);
    if (auto* Menu = dynamic_cast<TMenu*>(Value))
        Menu->Items()->Add(this);
    else if (auto* Item = dynamic_cast<TMenuItem*>(Value))
        Item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TMenuItem* I : FItems)
        if (I->Owner() == Root)
            Proc(I);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order)
{
    if (auto* Item = dynamic_cast<TMenuItem*>(Child); Item != nullptr && Item->FParent == this)
        Item->SetMenuIndex(Order);
}

void TMenuItem::MenuChanged()
{
    if (TMenu* M = GetParentMenu())
        M->MenuChanged(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action())
        FActionLink.reset();
}

// --- TMenu ----------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(new TMenuItem(nullptr)), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FItems->SetOwnerMenu(this);
    FImageChangeLink->SetOnChange([this](TObject*) { MenuChanged(nullptr); });
}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(FImageChangeLink.get());
        Value->FreeNotification(this);
    }
    MenuChanged(nullptr);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        SetImages(nullptr);
}

bool TMenu::DispatchCommand(WORD Command)
{
    TMenuItem* Item = FindItem([Command](TMenuItem* I) { return I->Command() == Command; });
    if (Item == nullptr)
        return false;
    Item->Click();
    return true;
}

TMenu::~TMenu()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TMenu::BeforeDestruction()
{
    if (FView != nullptr)
        FView->MenuGone();
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(FImageChangeLink.get());
        FImages = nullptr;
    }
    if (FItems != nullptr) {
        TMenuItem* Root = FItems;
        FItems = nullptr;
        Root->SetOwnerMenu(nullptr);
        Root->Free();
    }
    TComponent::BeforeDestruction();
}

bool TMenu::IsShortCut(TShortCut ShortCut)
{
    if (FItems == nullptr || ShortCut == 0)
        return false;
    TMenuItem* Item = FItems->FindShortCut(ShortCut);
    if (Item == nullptr)
        return false;
    Item->InitiateAction();
    if (!Item->Enabled())
        return false;
    Item->Click();
    return true;
}

TMenuItem* TMenu::FindItem(const std::function<bool(TMenuItem*)>& Match) const
{
    std::function<TMenuItem*(TMenuItem*)> Find = [&](TMenuItem* Parent) -> TMenuItem* {
        for (int I = 0; I < Parent->Count(); ++I) {
            TMenuItem* Item = Parent->Items(I);
            if (Match(Item))
                return Item;
            if (TMenuItem* Found = Find(Item))
                return Found;
        }
        return nullptr;
    };
    return FItems != nullptr ? Find(FItems) : nullptr;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    if (FItems != nullptr)
        FItems->GetChildren(Proc, Root);
}

void TMenu::SetChildOrder(TComponent* Child, int Order)
{
    if (FItems != nullptr)
        FItems->SetChildOrder(Child, Order);
}

void TMenu::MenuChanged(TMenuItem* Item)
{
    if (FView != nullptr)
        FView->ItemChanged(Item);
    if (FOnChange)
        FOnChange(this);
}

void TMenu::UpdateItems()
{
    std::function<void(TMenuItem*)> Walk = [&](TMenuItem* Parent) {
        for (int I = 0; I < Parent->Count(); ++I) {
            Parent->Items(I)->InitiateAction();
            Walk(Parent->Items(I));
        }
    };
    if (FItems != nullptr)
        Walk(FItems);
}

// --- TPopupMenu ---------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner)
{}

TPopupMenu::~TPopupMenu()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TPopupMenu::BeforeDestruction()
{
    if (FShowing) {
        FDestroyedWhileShowing = true;
        CloseMenu();
    }
    auto& S = ShowingMenus();
    S.erase(std::remove(S.begin(), S.end(), this), S.end());
    TMenu::BeforeDestruction();
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
    if (FPopupComponent == Value)
        return;
    if (FPopupComponent != nullptr)
        FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y)
{
    if (FShowing)
        return;
    const TComponentRef<> Alive(this);
    if (FOnPopup)
        FOnPopup(this);
    if (!Alive)
        return;
    UpdateItems();
    FShowing = true;
    ShowingMenus().push_back(this);
    TMenuItem* Chosen = nullptr;
    // The windows see the mouse again once the menu has gone, however.
    struct TMenuLoop {
        TMenuLoop()
        {
            if (MenuLoopHooks().Enter)
                MenuLoopHooks().Enter();
        }
        ~TMenuLoop()
        {
            if (MenuLoopHooks().Exit)
                MenuLoopHooks().Exit();
        }
    };
    try {
        TMenuLoop Loop;
        Chosen = PopupHook() ? PopupHook()(this, {X, Y}) : ShowQtMenu({X, Y});
    } catch (...) {
        if (Alive) {
            FShowing = false;
            auto& S = ShowingMenus();
            S.erase(std::remove(S.begin(), S.end(), this), S.end());
        }
        throw;
    }
    if (!Alive)
        return;
    FShowing = false;
    auto& S = ShowingMenus();
    S.erase(std::remove(S.begin(), S.end(), this), S.end());
    if (FOnClose)
        FOnClose(this);
    // The command runs once the menu has closed: it may free the menu.
    if (Alive && Chosen != nullptr && LiveItems().count(Chosen) != 0)
        Chosen->Click();
}

TMenuItem* TPopupMenu::ShowQtMenu(TPoint Screen)
{
    if (!HasWidgetApplication())
        return nullptr;
    const TComponentRef<> Alive(this);
    QMenu Menu;
    TQtMenuView View(this, &Menu);
    QPoint At(Screen.X, Screen.Y);
    const int Width = Menu.sizeHint().width();
    if (FAlignment == paRight)
        At.rx() -= Width;
    else if (FAlignment == paCenter)
        At.rx() -= Width / 2;
    QAction* Chosen = Menu.exec(At);
    // The menu may have gone while it was open: then nothing is chosen.
    return Alive ? View.ItemOf(Chosen) : nullptr;
}

void TPopupMenu::CloseMenu()
{
    if (FShowing && View() != nullptr)
        View()->Close();
}

const std::vector<TPopupMenu*>& ShowingPopupMenus()
{
    return ShowingMenus();
}

TMenuLoopHooks& MenuLoopHooks()
{
    static TMenuLoopHooks Hooks;
    return Hooks;
}

void SetMenuPopupHook(TMenuPopupHook Hook)
{
    PopupHook() = std::move(Hook);
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
