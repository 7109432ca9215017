#include "controls/lists/FcPageControl.h"

#include "controls/lists/FcTabButtons.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/DragManager.h"
#include "platform/forms/Forms.h"

#include <QRegularExpression>
#include <algorithm>

REGISTER_COMPONENT(TFcPageControl, TFcCustomTabControl)
    PUBLISHED_STORED(Color, clBtnFace, &TControl::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(ActivePage, nullptr)
    PUBLISHED(ActivePageDefault, nullptr)
    PUBLISHED(SaveResources, false)
    PUBLISHED(DblClickUndocks, true)
END_REGISTER

TFcPageControl::TFcPageControl(TComponent* AOwner) : TFcCustomTabControl(AOwner)
{
    FHeight = 150;
    FControlStyle.Exclude(csAcceptsControls);
    FControlStyle.Include(csOpaque);
    SetUseColoredTabs(false);
    SetColor(clBtnFace);
}

TFcPageControl::~TFcPageControl()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

// The pages belong to their owner; they only forget this control.
void TFcPageControl::BeforeDestruction()
{
    for (TFcTabSheet* Page : FPages)
        Page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
    TFcCustomTabControl::BeforeDestruction();
}

void TFcPageControl::CreateParams(TCreateParams& Params)
{
    TFcCustomTabControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

bool TFcPageControl::Destroying() const
{
    const TComponent* Root = Owner();
    return ComponentState().Contains(csDestroying)
        || (Root != nullptr && Root->ComponentState().Contains(csDestroying));
}

// --- pages -----------------------------------------------------------------------------------------

TFcTabSheet* TFcPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FPages[std::size_t(Index)];
}

TFcTabSheet* TFcPageControl::PageOfTab(int TabIndex) const
{
    if (TabIndex < 0)
        return nullptr;
    for (TFcTabSheet* Page : FPages)
        if (Page->TabIndex() == TabIndex)
            return Page;
    return nullptr;
}

void TFcPageControl::InsertPage(TFcTabSheet* Page)
{
    if (Parent() != nullptr)
        HandleNeeded();
    FPages.push_back(Page);
    Page->FPageControl = this;
    TabsChanged();
}

void TFcPageControl::RemovePage(TFcTabSheet* Page)
{
    if (Page == FActivePage) {
        // Pages going with the form change nothing anyone could see.
        if (Destroying())
            FActivePage = nullptr;
        else
            SetActivePage(nullptr);
    }
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    if (Page == FActivePageDefault)
        FActivePageDefault = nullptr;
    if (!Destroying())
        TabsChanged();
    Page->FPageControl = nullptr;
}

void TFcPageControl::MovePage(TFcTabSheet* Page, int NewIndex)
{
    const int Old = Page->PageIndex();
    if (NewIndex < 0 || NewIndex >= PageCount())
        throw EFcTabControlError(QString::fromLatin1(SFcInvalidPageIndex).arg(NewIndex).arg(PageCount() - 1));
    if (Old == NewIndex)
        return;
    FPages.erase(FPages.begin() + Old);
    FPages.insert(FPages.begin() + NewIndex, Page);
    TabsChanged();
    TabOrderChange(Old, NewIndex);
}

void TFcPageControl::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (TFcTabSheet* Page : FPages)
        if (Page->Owner() == Root)
            Proc(Page);
}

void TFcPageControl::SetChildOrder(TComponent* Child, int Order)
{
    if (auto* Page = dynamic_cast<TFcTabSheet*>(Child); Page != nullptr && Page->FPageControl == this)
        Page->SetPageIndex(std::clamp(Order, 0, PageCount() - 1));
}

// The tabs are the pages with a visible tab, in page order.  The current
// tab follows the active page without asking anyone: a renumbering is no
// change of page.
void TFcPageControl::TabsChanged()
{
    Tabs()->Clear();
    for (TFcTabSheet* Page : FPages) {
        if (!Page->TabVisible())
            continue;
        auto* Tab = new TFcTabData;
        Tab->SetCaption(Page->Caption());
        Tab->SetColor(Page->Color());
        Tab->SetEnabled(Page->TabEnabled());
        Tab->SetVisible(Page->TabVisible());
        Tab->SetHint(Page->Hint());
        Tab->SetImageIndex(Page->ImageIndex());
        Tab->SetDisabledIndex(Page->DisabledIndex());
        Tabs()->Add(Tab);
    }
    if (FActivePage != nullptr)
        FTabIndex = FActivePage->TabVisible() ? FActivePage->TabIndex() : -1;
    TFcCustomTabControl::TabsChanged();
}

void TFcPageControl::HideAllTabs()
{
    for (TFcTabSheet* Page : std::vector<TFcTabSheet*>(FPages))
        Page->SetTabVisible(false);
}

void TFcPageControl::ShowAllTabs()
{
    for (TFcTabSheet* Page : std::vector<TFcTabSheet*>(FPages))
        Page->SetTabVisible(true);
}

// --- the active page ----------------------------------------------------------------------------------

void TFcPageControl::FreePageHandle(TFcTabSheet* Page)
{
    if (!Page->HandleAllocated())
        return;
    TControlStateFlag Recreating(Page->FControlState, csRecreating);
    Page->DestroyHandle();
}

void TFcPageControl::ChangeActivePage(TFcTabSheet* Page)
{
    if (Page == FActivePage)
        return;
    TCustomForm* Form = GetParentForm(this);
    auto ActiveIs = [Form](TWinControl* C) { return Form != nullptr && Form->ActiveControl() == C; };
    // The focus leaves a page that goes: the page itself holds it meanwhile.
    if (Form != nullptr && FActivePage != nullptr && Form->ActiveControl() != nullptr
        && FActivePage->ContainsControl(Form->ActiveControl()) && FActivePage->CanFocus())
        Form->SetActiveControl(FActivePage);
    if (Page != nullptr) {
        Page->BringToFront();
        Page->ShowPage(true);
        if (FActivePage != nullptr && ActiveIs(FActivePage))
            Form->SetActiveControl(Page->CanFocus() ? static_cast<TWinControl*>(Page) : this);
    }
    if (FActivePage != nullptr) {
        FActivePage->ShowPage(false);
        if (FSaveResources && !ComponentState().Contains(csDesigning))
            FreePageHandle(FActivePage);
    }
    FActivePage = Page;
    if (FActivePage != nullptr && ActiveIs(FActivePage))
        FActivePage->SelectFirst();
}

// The tab strip asks before it changes its current tab: the new page shows
// before TabIndex changes and before OnChange and OnPageChange.
void TFcPageControl::DoChanging(int NewIndex, bool& AllowChange)
{
    if (!FLoading)
        TFcCustomTabControl::DoChanging(NewIndex, AllowChange);
    if (AllowChange)
        ChangeActivePage(PageOfTab(NewIndex));
}

void TFcPageControl::SetActivePage(TFcTabSheet* Value)
{
    if (Value != nullptr && Value->FPageControl != this)
        return;
    if (Value != nullptr)
        Value->ShowPage(true);
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
        FActivePage = Value;
        return;
    }
    if (Value != nullptr && Value->TabVisible()) {
        SetTabIndex(Value->TabIndex());
        // Refused (or a disabled tab): the page does not stay shown beside
        // the active one.
        if (FActivePage != Value)
            Value->ShowPage(false);
        return;
    }
    ChangeActivePage(Value);
    PageChange();
    SetTabIndex(-1);
}

void TFcPageControl::SetActivePageDefault(TFcTabSheet* Value)
{
    if (FActivePageDefault == Value)
        return;
    if (FActivePageDefault != nullptr)
        FActivePageDefault->RemoveFreeNotification(this);
    FActivePageDefault = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

int TFcPageControl::ActivePageIndex() const
{
    return FActivePage != nullptr ? FActivePage->PageIndex() : -1;
}

void TFcPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? Pages(Value) : nullptr);
}

void TFcPageControl::SetSaveResources(bool Value)
{
    if (!AssignIfChanged(FSaveResources, Value) || !Value || ComponentState().Contains(csLoading))
        return;
    for (TFcTabSheet* Page : FPages)
        if (Page != FActivePage)
            FreePageHandle(Page);
}

void TFcPageControl::ShowControl(TControl* AControl)
{
    if (auto* Page = dynamic_cast<TFcTabSheet*>(AControl); Page != nullptr && Page->FPageControl == this)
        SetActivePage(Page);
}

TFcTabSheet* TFcPageControl::FindNextPage(TFcTabSheet* Current, bool GoForward, bool CheckTabVisible)
{
    const int Count = PageCount();
    if (Count == 0)
        return nullptr;
    const auto It = std::find(FPages.begin(), FPages.end(), Current);
    int I = It != FPages.end() ? int(It - FPages.begin()) : (GoForward ? Count - 1 : 0);
    for (int N = 0; N < Count; ++N) {
        I = (I + (GoForward ? 1 : Count - 1)) % Count;
        TFcTabSheet* Page = FPages[std::size_t(I)];
        // A page behind a disabled tab cannot be chosen, so it is passed.
        if (!CheckTabVisible || (Page->TabVisible() && Page->TabEnabled()))
            return Page;
    }
    return nullptr;
}

void TFcPageControl::SelectNextPage(bool GoForward)
{
    if (TFcTabSheet* Page = FindNextPage(FActivePage, GoForward, true))
        SetActivePage(Page);
}

// --- tab operations -------------------------------------------------------------------------------------

void TFcPageControl::CloseCurrentTab()
{
    if (FActivePage == nullptr)
        return;
    const int Old = TabIndex();
    FActivePage->Free();
    SetTabIndex(std::max(Old - 1, 0));
}

void TFcPageControl::MoveCurrentTab(int NewIndex)
{
    if (FActivePage != nullptr)
        FActivePage->SetPageIndex(PageOfTab(NewIndex) != nullptr ? PageOfTab(NewIndex)->PageIndex() : NewIndex);
}

void TFcPageControl::Change()
{
    if (!FLoading)
        TFcCustomTabControl::Change();
}

void TFcPageControl::PageChange()
{
    if (!FLoading)
        TFcCustomTabControl::PageChange();
}

TColor TFcPageControl::CardColor(int ARow)
{
    if (ARow == 0 && FActivePage != nullptr && TabIndex() != -1)
        return FActivePage->Color();
    return TFcCustomTabControl::CardColor(ARow);
}

// --- loading ----------------------------------------------------------------------------------------------

void TFcPageControl::Loaded()
{
    TFcCustomTabControl::Loaded();
    FLoading = true;
    try {
        UpdateTabLayout();
        SetTabIndex(-1);
        TFcTabSheet* Show = FActivePage;
        if (FActivePageDefault != nullptr && FActivePageDefault != FActivePage) {
            if (FActivePage != nullptr)
                FActivePage->ShowPage(false);
            Show = FActivePageDefault;
        }
        FActivePage = nullptr;
        TabsChanged();
        SetActivePage(Show);
    } catch (...) {
        FLoading = false;
        throw;
    }
    FLoading = false;
}

void TFcPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcCustomTabControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FActivePageDefault)
        FActivePageDefault = nullptr;
}

// --- colours ----------------------------------------------------------------------------------------------

void TFcPageControl::SetUseColoredTabs(bool Value)
{
    const bool Was = UseColoredTabs();
    TFcCustomTabControl::SetUseColoredTabs(Value);
    if (Was && !Value && Parent() != nullptr)
        Perform(CM_COLORCHANGED, 0, 0);
}

void TFcPageControl::CMColorChanged(TMessage& Message)
{
    if (!UseColoredTabs())
        for (TFcTabSheet* Page : FPages)
            Page->SetColor(Color());
    TFcCustomTabControl::CMColorChanged(Message);
}

// --- keys and focus ---------------------------------------------------------------------------------------

// Ctrl+Tab and Ctrl+Shift+Tab step through the pages while the focus is
// anywhere inside the control.
void TFcPageControl::CMDialogKey(TMessage& Message)
{
    TFcCustomTabControl::CMDialogKey(Message);
    if (Message.Result != 0 || Message.WParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return;
    TCustomForm* Form = GetParentForm(this);
    if (Form == nullptr || Form->ActiveControl() == nullptr)
        return;
    if (Form->ActiveControl() != this && !ContainsControl(Form->ActiveControl()))
        return;
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
}

// A page without a tab cannot be reached through the strip: its first
// control takes the focus instead.
void TFcPageControl::FocusHiddenTabPage()
{
    if (FActivePage == nullptr || FActivePage->TabVisible())
        return;
    for (int I = 0; I < FActivePage->ControlCount(); ++I)
        if (auto* W = dynamic_cast<TWinControl*>(FActivePage->Controls(I)); W != nullptr && W->CanFocus()) {
            W->SetFocus();
            return;
        }
}

void TFcPageControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        TFcCustomTabControl::WndProc(Message);
        FocusHiddenTabPage();
        return;
    case CM_DOCKNOTIFICATION:
        DockNotification(Message);
        return;
    default:
        TFcCustomTabControl::WndProc(Message);
    }
}

// --- docking ----------------------------------------------------------------------------------------------

// Each docked control gets a page of its own, captioned after a form.
void TFcPageControl::CMDockClient(TMessage& Message)
{
    auto* Source = LParamToPtr<TDragDockObject>(Message.LParam);
    Message.Result = 0;
    if (Source == nullptr || Source->Control == nullptr)
        return;
    TControl* Client = Source->Control;
    FNewDockSheet = new TFcTabSheet(this);
    try {
        if (auto* Form = dynamic_cast<TCustomForm*>(Client))
            FNewDockSheet->SetCaption(Form->Caption());
        FNewDockSheet->SetPageControl(this);
        Client->Dock(this, Source->DockRect);
    } catch (...) {
        TFcTabSheet* Failed = FNewDockSheet;
        FNewDockSheet = nullptr;
        Failed->Free();
        throw;
    }
    const bool Shown = Client->Visible();
    FNewDockSheet->SetTabVisible(Shown);
    if (Shown)
        SetActivePage(FNewDockSheet);
    Client->SetAlign(alClient);
    FNewDockSheet = nullptr;
}

void TFcPageControl::DoAddDockClient(TControl* Client, const TRect& ARect)
{
    TFcCustomTabControl::DoAddDockClient(Client, ARect);
    if (FNewDockSheet != nullptr)
        Client->SetParent(FNewDockSheet);
}

bool TFcPageControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State)
{
    TRect R;
    GetWindowRect(Handle(), &R);
    Source->DockRect = R;
    return TFcCustomTabControl::DockOver(Source, X, Y, State);
}

void TFcPageControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)
{
    for (TFcTabSheet* Page : FPages)
        if (Client->Parent() == Page) {
            CanDock = false;
            break;
        }
    TFcCustomTabControl::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
}

void TFcPageControl::DockNotification(TMessage& Message)
{
    auto* Client = reinterpret_cast<TControl*>(Message.WParam);
    const auto* Rec = LParamToPtr<TDockNotifyRec>(Message.LParam);
    Message.Result = 0;
    if (Client == nullptr || Rec == nullptr)
        return;
    auto* Page = dynamic_cast<TFcTabSheet*>(Client->Parent());
    if (Page == nullptr || Page->FPageControl != this)
        return;
    if (Rec->ClientMsg == WM_SETTEXT) {
        // The first line of the caption only.
        String Text = *LParamToPtr<const String>(Rec->MsgLParam);
        const qsizetype End = Text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        Page->SetCaption(End < 0 ? Text : Text.left(End));
    } else if (Rec->ClientMsg == CM_VISIBLECHANGED) {
        Page->SetTabVisible(Rec->MsgWParam != 0);
    }
}

void TFcPageControl::CMUnDockClient(TMessage& Message)
{
    auto* Client = LParamToPtr<TControl>(Message.LParam);
    Message.Result = 0;
    if (Client == nullptr)
        return;
    FUndockingSheet = dynamic_cast<TFcTabSheet*>(Client->Parent());
    Client->SetAlign(alNone);
}

void TFcPageControl::DoRemoveDockClient(TControl* Client)
{
    TFcCustomTabControl::DoRemoveDockClient(Client);
    if (FUndockingSheet == nullptr || Destroying())
        return;
    TFcTabSheet* Sheet = FUndockingSheet;
    FUndockingSheet = nullptr;
    SelectNextPage(true);
    // The client leaves the page before the page goes.
    if (Client->Parent() == Sheet)
        Client->SetParent(nullptr);
    Sheet->Free();
}

TControl* TFcPageControl::DockClientAt(TPoint P)
{
    if (!DockSite())
        return nullptr;
    TFcTabSheet* Page = PageOfTab(TabAtPos(P.X, P.Y));
    if (Page == nullptr || Page->ControlCount() == 0)
        return nullptr;
    TControl* Client = Page->Controls(0);
    return Client->HostDockSite() == this ? Client : nullptr;
}

void TFcPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TFcCustomTabControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Shift.Contains(ssDouble))
        return;
    if (TControl* Client = DockClientAt({X, Y}))
        Client->BeginDrag(false, FcTabDragThreshold);
}

void TFcPageControl::WMLButtonDblClk(TMessage& Message)
{
    TFcCustomTabControl::WMLButtonDblClk(Message);
    if (!FDblClickUndocks)
        return;
    if (TControl* Client = DockClientAt(LParamToPoint(Message.LParam)))
        Client->ManualDock(nullptr);
}
