#include "platform/windows/WinControl.h"

#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ControlCanvas.h"
#include "platform/windows/DockTree.h"
#include "platform/windows/DragManager.h"
#include "platform/windows/Themes.h"

#include <algorithm>

REGISTER_COMPONENT(TWinControl, TControl)
    PUBLISHED(TabOrder, -1)
    PUBLISHED(TabStop, false)
    PUBLISHED_OBJECT(Padding)
    PUBLISHED(BorderWidth, 0)
    PUBLISHED(DockSite, false)
    PUBLISHED(UseDockManager, false)
    PUBLISHED(DoubleBuffered, false)
    PUBLISHED(ParentBackground, false)
    PUBLISHED_STORED(Ctl3D, true, [](const TWinControl& C) { return !C.ParentCtl3D(); })
    PUBLISHED(ParentCtl3D, true)
    PUBLISHED_EVENT(OnEnter)
    PUBLISHED_EVENT(OnExit)
    PUBLISHED_EVENT(OnKeyDown)
    PUBLISHED_EVENT(OnKeyPress)
    PUBLISHED_EVENT(OnKeyUp)
    PUBLISHED_EVENT(OnDockDrop)
    PUBLISHED_EVENT(OnDockOver)
    PUBLISHED_EVENT(OnGetSiteInfo)
    PUBLISHED_EVENT(OnUnDock)
END_REGISTER

namespace {

// A canvas on a control paints into the window that carries it: its own
// window, or for a graphic control its parent's, moved and clipped to it.
const bool CanvasHooked [[maybe_unused]] = [] {
    ControlCanvasHooks().GetDC = [](TControl* C) -> HDC {
        if (auto* W = dynamic_cast<TWinControl*>(C))
            return GetDC(W->Handle());
        if (C->Parent() == nullptr)
            throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(C->Name()));
        HDC DC = GetDC(C->Parent()->Handle());
        SetViewportOrgEx(DC, C->Left(), C->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, C->Width(), C->Height());
        return DC;
    };
    ControlCanvasHooks().ReleaseDC = [](TControl* C, HDC DC) {
        (void)C;
        ReleaseDC(nullptr, DC);
    };
    // A themed control shows its parent through its transparent parts.
    ThemeHooks().DrawParentBackground = [](HWND Wnd, HDC DC, const TRect* Bounds) {
        TWinControl* C = FindControl(Wnd);
        if (C == nullptr || C->Parent() == nullptr)
            return false;
        const int Saved = SaveDC(DC);
        const TRect Clip = Bounds != nullptr ? *Bounds : C->ClientRect();
        IntersectClipRect(DC, Clip.Left, Clip.Top, Clip.Right, Clip.Bottom);
        const TPoint Offset = C->Parent()->ScreenToClient(C->ClientToScreen({0, 0}));
        OffsetViewportOrgEx(DC, -Offset.X, -Offset.Y, nullptr);
        C->Parent()->Perform(WM_ERASEBKGND, WPARAM(DC), LPARAM(DC));
        C->Parent()->Perform(WM_PAINT, WPARAM(DC), 0);
        RestoreDC(DC, Saved);
        return true;
    };
    // Every window hears of a new theme and paints itself again.
    ThemeHooks().ThemeChanged = [] {
        std::function<void(HWND)> Tell = [&](HWND W) {
            SendMessage(W, WM_THEMECHANGED, 0, 0);
            for (HWND C = GetWindow(W, GW_CHILD); C != nullptr; C = GetWindow(C, GW_HWNDNEXT))
                Tell(C);
        };
        for (HWND Top : TopLevelWindowList()) {
            Tell(Top);
            RedrawWindow(Top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    };
    return true;
}();

} // namespace

IFormSite* ParentFormSite(const TControl* Control)
{
    if (Control == nullptr)
        return nullptr;
    const TControl* Top = Control;
    while (Top->Parent() != nullptr)
        Top = Top->Parent();
    return dynamic_cast<IFormSite*>(const_cast<TControl*>(Top));
}

// --- construction --------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FBrush(std::make_unique<TBrush>()), FPadding(std::make_unique<TPadding>(this))
{
    FBrush->SetColor(Color());
    FPadding->SetOnChange([this](TObject*) { Realign(); });
}

TWinControl::~TWinControl()
{
    if (!FDestroyStarted)
        TWinControl::BeforeDestruction();
}

void TWinControl::BeforeDestruction()
{
    if (FDestroyStarted) {
        TControl::BeforeDestruction();
        return;
    }
    FDestroyStarted = true;
    Destroying();
    if (Parent() != nullptr)
        RemoveFocus(true);
    if (FHandle != nullptr)
        DestroyWindowHandle();
    DestroyChildren();
    FDockManager.reset();
    TControl::BeforeDestruction();
}

void TWinControl::DestroyChildren()
{
    // Children go with their parent, whoever owns them.
    while (ControlCount() > 0) {
        TControl* C = Controls(ControlCount() - 1);
        RemoveChild(C);
        C->Free();
    }
}

// --- the window -------------------------------------------------------------------------------

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle != nullptr)
        return;
    if (Parent() != nullptr)
        Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (Parent() != nullptr || FParentWindow == Value)
        return;
    if (FHandle != nullptr && Value != nullptr)
        SetParent(nullptr), ::SetParent(FHandle, Value);
    else
        DestroyHandle();
    FParentWindow = Value;
    UpdateControlState();
}

void TWinControl::CreateHandle()
{
    if (FHandle != nullptr)
        return;
    CreateWnd();
    if (Parent() != nullptr) {
        // Our window goes right below the next sibling window that exists.
        HWND After = HWND_TOP;
        auto& Siblings = Parent()->FWinControls;
        const auto Me = std::find(Siblings.begin(), Siblings.end(), this);
        for (auto It = Me == Siblings.end() ? Siblings.end() : Me + 1; It != Siblings.end(); ++It)
            if ((*It)->FHandle != nullptr) {
                After = (*It)->FHandle;
                break;
            }
        ::SetWindowPos(FHandle, After, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (int I = 0; I < ControlCount(); ++I)
        Controls(I)->UpdateAnchorRules();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    if (UseRightToLeftReading())
        Params.ExStyle |= WS_EX_RTLREADING;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = Parent() != nullptr ? Parent()->Handle() : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd()
{
    TCreateParams Params;
    CreateParams(Params);
    if (Params.WndParent == nullptr && (Params.Style & WS_CHILD) != 0)
        throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(Name()));
    if (!FControlStyle.Contains(csDoubleClicks))
        Params.WindowClass.style &= ~UINT(CS_DBLCLKS);
    CreateWindowHandle(Params);
    if (FHandle == nullptr)
        throw EOutOfResources(QStringLiteral("Error creating window"));
    if (QWidget* Editor = CreateHostedWidget())
        SetWindowHostedWidget(FHandle, Editor);
    if (FHasSavedText) {
        FHasSavedText = false;
        SetTextBuf(FSavedText);
    }
    UpdateBounds();
    if (AutoSize())
        AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    TWindowCreateParams P;
    P.ExStyle = Params.ExStyle;
    P.ClassName = Params.WinClassName;
    P.WindowName = Params.Caption;
    P.Style = Params.Style;
    P.ClassStyle = Params.WindowClass.style;
    P.X = Params.X;
    P.Y = Params.Y;
    P.Width = Params.Width;
    P.Height = Params.Height;
    P.Parent = Params.WndParent;
    P.WindowProc = [this](TMessage& M) { MainWndProc(M); };
    P.DefaultProc = Params.WindowClass.lpfnWndProc;
    P.Owner = this;
    P.Created = [this](HWND Wnd) { FHandle = Wnd; };
    if (CreateWindowEx(P) == nullptr)
        FHandle = nullptr;
}

void TWinControl::DestroyHandle()
{
    if (FHandle == nullptr)
        return;
    for (TWinControl* C : std::vector<TWinControl*>(FWinControls))
        C->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    // The text lives in the window; keep it for the next one.
    FSavedText = GetText();
    FHasSavedText = true;
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    FControlState.Include(csDestroyingHandle);
    try {
        if (FHandle != nullptr)
            ::DestroyWindow(FHandle);
    } catch (...) {
        FControlState.Exclude(csDestroyingHandle);
        throw;
    }
    FControlState.Exclude(csDestroyingHandle);
    FShowing = false;
    FHandle = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (FHandle != nullptr)
        Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::MainWndProc(TMessage& Message)
{
    GuardEntry(FHandle, [&] { WindowProc()(Message); });
}

void TWinControl::UpdateBounds()
{
    if (FHandle == nullptr)
        return;
    TRect R;
    GetWindowRect(FHandle, &R);
    if ((GetWindowLong(FHandle, GWL_STYLE) & long(WS_CHILD)) != 0) {
        if (HWND P = ::GetParent(FHandle)) {
            TPoint A = R.TopLeft(), B = R.BottomRight();
            ::ScreenToClient(P, &A);
            ::ScreenToClient(P, &B);
            R = {A.X, A.Y, B.X, B.Y};
        }
    }
    if (FLeft != R.Left || FTop != R.Top || FWidth != R.Width() || FHeight != R.Height()) {
        FLeft = R.Left;
        FTop = R.Top;
        FWidth = R.Width();
        FHeight = R.Height();
        UpdateAnchorRules();
    }
}

void TWinControl::UpdateShowing()
{
    const bool Show = FVisible && !FControlState.Contains(csReadingState);
    if (Show) {
        if (FHandle == nullptr)
            CreateHandle();
        for (TWinControl* C : std::vector<TWinControl*>(FWinControls))
            C->UpdateShowing();
    }
    if (FHandle == nullptr || FShowing == Show)
        return;
    FShowing = Show;
    try {
        Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
        FShowing = !Show;
        throw;
    }
    if (!Show)
        for (TWinControl* C : std::vector<TWinControl*>(FWinControls))
            C->UpdateShowing();
}

void TWinControl::UpdateControlState()
{
    TWinControl* Top = this;
    while (Top->Parent() != nullptr) {
        Top = Top->Parent();
        if (!Top->Showing())
            return;
    }
    if (dynamic_cast<IFormSite*>(Top) != nullptr || Top->FParentWindow != nullptr)
        UpdateShowing();
}

TRect TWinControl::GetClientRect()
{
    TRect R;
    ::GetClientRect(Handle(), &R);
    return R;
}

void TWinControl::SetClientSize(TSize Value)
{
    const TRect C = GetClientRect();
    SetBounds(FLeft, FTop, FWidth - C.Right + Value.cx, FHeight - C.Bottom + Value.cy);
}

TPoint TWinControl::ClientOrigin()
{
    TPoint P{0, 0};
    ::ClientToScreen(Handle(), &P);
    return P;
}

HWND TWinControl::GetDeviceContextWindow() const
{
    return FHandle;
}

QWidget* TWinControl::HostedWidget() const
{
    return GetWindowHostedWidget(FHandle);
}

String TWinControl::GetText()
{
    if (FHandle == nullptr && FHasSavedText)
        return FSavedText;
    return TControl::GetText();
}

void TWinControl::SetTextBuf(const String& Value)
{
    if (FHandle == nullptr)
        FHasSavedText = false;
    TControl::SetTextBuf(Value);
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    PaintWindowTo(Handle(), DC, X, Y);
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y)
{
    PaintTo(Canvas->Handle(), X, Y);
}

// --- children ----------------------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const
{
    const int N = int(FControls.size());
    if (Index < 0 || Index >= ControlCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return Index < N ? FControls[std::size_t(Index)] : FWinControls[std::size_t(Index - N)];
}

void TWinControl::InsertChild(TControl* AControl)
{
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(W);
        FTabList.push_back(W);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::RemoveChild(TControl* AControl)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), AControl), FWinControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), AControl), FTabList.end());
    FDockClients.erase(std::remove(FDockClients.begin(), FDockClients.end(), AControl), FDockClients.end());
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
    InsertChild(AControl);
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
            W->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
            W->UpdateControlState();
        } else if (HandleAllocated()) {
            AControl->Invalidate();
        }
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        W->RemoveFocus(true);
        W->DestroyHandle();
    } else if (HandleAllocated()) {
        AControl->InvalidateControl(AControl->Visible(), false);
    }
    RemoveChild(AControl);
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
    Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const
{
    for (const TControl* C = Control; C != nullptr; C = C->Parent())
        if (C == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto Hit = [&](TControl* C) {
        const TPoint P{Pos.X - C->Left(), Pos.Y - C->Top()};
        return PtInRect(C->ClientRect(), P) && C->Visible() && (C->Enabled() || AllowDisabled)
            && C->Perform(CM_HITTEST, 0, PointToLParam(P)) != 0;
    };
    if (AllowWinControls)
        for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
            if (Hit(*It))
                return *It;
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
        if (Hit(*It))
            return *It;
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) const
{
    for (int I = 0; I < ControlCount(); ++I)
        if (Controls(I)->Name().compare(ControlName, Qt::CaseInsensitive) == 0)
            return Controls(I);
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int I = 0; I < ControlCount(); ++I) {
        Controls(I)->WindowProc()(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage M{Msg, 0, PtrToLParam(this), 0};
    Broadcast(M);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    if (FDockSite && FUseDockManager && FDockManager)
        FDockManager->PaintSite(DC);
    std::size_t Start = 0;
    if (First != nullptr) {
        const auto It = std::find(FControls.begin(), FControls.end(), First);
        if (It != FControls.end())
            Start = std::size_t(It - FControls.begin());
    }
    const std::vector<TControl*> List(FControls);
    for (std::size_t I = Start; I < List.size(); ++I) {
        TControl* C = List[I];
        if (std::find(FControls.begin(), FControls.end(), C) == FControls.end() || !C->Visible())
            continue;
        const TRect R = C->BoundsRect();
        if (!RectVisible(DC, &R))
            continue;
        if (FControlState.Contains(csPaintCopy))
            C->FControlState.Include(csPaintCopy);
        const int Saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, C->Left(), C->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, C->Width(), C->Height());
        C->Perform(WM_PAINT, WPARAM(DC), 0);
        RestoreDC(DC, Saved);
        C->FControlState.Exclude(csPaintCopy);
    }
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    const bool IsVisible = FHandle != nullptr && IsWindowVisible(FHandle);
    if (IsVisible)
        ScrollWindow(FHandle, DeltaX, DeltaY, nullptr, nullptr);
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        auto* W = dynamic_cast<TWinControl*>(C);
        if (W == nullptr || W->FHandle == nullptr) {
            C->FLeft += DeltaX;
            C->FTop += DeltaY;
        } else if (!IsVisible) {
            ::SetWindowPos(W->FHandle, nullptr, W->FLeft + DeltaX, W->FTop + DeltaY, W->FWidth, W->FHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Realign();
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (C->Owner() == Root)
            Proc(C);
    }
}

void TWinControl::SetChildOrder(TComponent* Child, int Order)
{
    auto* C = dynamic_cast<TControl*>(Child);
    if (C == nullptr || C->Parent() != this)
        return;
    // The order of the definition is the z-order.
    if (auto* W = dynamic_cast<TWinControl*>(C)) {
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), W), FWinControls.end());
        FWinControls.insert(FWinControls.begin() + std::clamp<std::ptrdiff_t>(Order - std::ptrdiff_t(FControls.size()), 0,
                                                                                std::ptrdiff_t(FWinControls.size())),
                            W);
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), C), FControls.end());
        FControls.insert(FControls.begin() + std::clamp<std::ptrdiff_t>(Order, 0, std::ptrdiff_t(FControls.size())), C);
    }
}

// --- focus -----------------------------------------------------------------------------------------

bool TWinControl::CanFocus()
{
    IFormSite* Form = ParentFormSite(this);
    if (Form == nullptr)
        return false;
    for (TWinControl* C = this; C != Form->FormControl(); C = C->Parent()) {
        if (C == nullptr)
            return false;
        if (!(C->Visible() && C->Enabled()))
            return false;
    }
    return true;
}

bool TWinControl::Focused() const
{
    return FHandle != nullptr && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    if (IFormSite* Form = ParentFormSite(this)) {
        Form->FocusControl(this);
        return;
    }
    if (FParentWindow != nullptr) {
        ::SetFocus(Handle());
        return;
    }
    throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(Name()));
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value)
        return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const
{
    if (Parent() == nullptr)
        return FTabOrder;
    const auto& L = Parent()->FTabList;
    const auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : int(It - L.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (ComponentState().Contains(csReading) || Parent() == nullptr) {
        FTabOrder = Value;
        return;
    }
    auto& L = Parent()->FTabList;
    const int Cur = TabOrder();
    if (Cur < 0)
        return;
    Value = std::clamp(Value, 0, int(L.size()) - 1);
    if (Value == Cur)
        return;
    L.erase(L.begin() + Cur);
    L.insert(L.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TControl* C : FTabList) {
        auto* W = static_cast<TWinControl*>(C);
        List.push_back(W);
        W->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent)
{
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty())
        return nullptr;
    const int Count = int(List.size());
    int Start = int(std::find(List.begin(), List.end(), CurControl) - List.begin());
    if (Start == Count)
        Start = GoForward ? Count - 1 : 0;
    int I = Start;
    do {
        I = GoForward ? (I + 1) % Count : (I == 0 ? Count - 1 : I - 1);
        TWinControl* C = List[std::size_t(I)];
        if (C->CanFocus() && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this))
            return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectFirst()
{
    IFormSite* Form = ParentFormSite(this);
    if (Form == nullptr)
        return;
    TWinControl* C = FindNextControl(nullptr, true, true, false);
    if (C == nullptr)
        C = FindNextControl(nullptr, true, false, false);
    if (C != nullptr)
        Form->SetActiveControl(C);
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    TWinControl* C = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (C != nullptr)
        C->SetFocus();
}

void TWinControl::RemoveFocus(bool Removing)
{
    if (IFormSite* Form = ParentFormSite(this))
        Form->DefocusControl(this, Removing);
}

// --- alignment -----------------------------------------------------------------------------------

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0)
        --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (FHandle == nullptr || ComponentState().Contains(csDestroying))
        return;
    if (FAlignLevel != 0) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    try {
        TRect R = GetClientRect();
        AlignControls(AControl, R);
    } catch (...) {
        FControlState.Exclude(csAlignmentNeeded);
        EnableAlign();
        throw;
    }
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
}

bool TWinControl::AlignWork() const
{
    for (int I = ControlCount() - 1; I >= 0; --I) {
        const TControl* C = Controls(I);
        if (C->Align() != alNone || C->Anchors() != DefaultAnchors)
            return true;
    }
    return false;
}

void TWinControl::AdjustClientRect(TRect& Rect)
{
    Rect.Left += FPadding->Left();
    Rect.Top += FPadding->Top();
    Rect.Right -= FPadding->Right();
    Rect.Bottom -= FPadding->Bottom();
}

bool TWinControl::CustomAlignInsertBefore(TControl* C1, TControl* C2)
{
    (void)C1;
    (void)C2;
    return false;
}

void TWinControl::CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth, int& NewHeight,
                                      TRect& AlignRect)
{
    (void)Control;
    (void)NewLeft;
    (void)NewTop;
    (void)NewWidth;
    (void)NewHeight;
    (void)AlignRect;
}

void TWinControl::DoPosition(TControl* C, TAlign AAlign, TRect& Rect)
{
    if (AAlign == alNone || C->Anchors() != AnchorAlign(AAlign)) {
        if (C->FOriginalParentSize.X != 0 && C->FOriginalParentSize.Y != 0) {
            int L = C->FLeft, T = C->FTop, W = C->FWidth, H = C->FHeight;
            const TPoint ParentSize = GetClientRect().BottomRight();
            const TAnchors A = C->Anchors();
            if (A.Contains(akRight)) {
                if (A.Contains(akLeft))
                    W = ParentSize.X - (C->FOriginalParentSize.X - C->FAnchorRules.X);
                else
                    L = ParentSize.X - (C->FOriginalParentSize.X - C->FAnchorRules.X);
            } else if (!A.Contains(akLeft)) {
                L = MulDiv(C->FAnchorRules.X, ParentSize.X, C->FOriginalParentSize.X) - W / 2;
            }
            if (A.Contains(akBottom)) {
                if (A.Contains(akTop))
                    H = ParentSize.Y - (C->FOriginalParentSize.Y - C->FAnchorRules.Y);
                else
                    T = ParentSize.Y - (C->FOriginalParentSize.Y - C->FAnchorRules.Y);
            } else if (!A.Contains(akTop)) {
                T = MulDiv(C->FAnchorRules.Y, ParentSize.Y, C->FOriginalParentSize.Y) - H / 2;
            }
            C->FAnchorMove = true;
            try {
                C->SetBounds(L, T, W, H);
            } catch (...) {
                C->FAnchorMove = false;
                throw;
            }
            C->FAnchorMove = false;
        }
        if (AAlign == alNone)
            return;
    }
    // Margins: the space the control keeps around itself when aligned.
    int ML = 0, MT = 0, MR = 0, MB = 0;
    if (C->AlignWithMargins()) {
        ML = C->Margins()->Left();
        MT = C->Margins()->Top();
        MR = C->Margins()->Right();
        MB = C->Margins()->Bottom();
    }
    int NewWidth = Rect.Right - Rect.Left - ML - MR;
    if (NewWidth < 0 || AAlign == alLeft || AAlign == alRight || AAlign == alCustom)
        NewWidth = C->Width();
    int NewHeight = Rect.Bottom - Rect.Top - MT - MB;
    if (NewHeight < 0 || AAlign == alTop || AAlign == alBottom || AAlign == alCustom)
        NewHeight = C->Height();
    int NewLeft = Rect.Left + ML;
    int NewTop = Rect.Top + MT;
    switch (AAlign) {
    case alTop:
        Rect.Top += NewHeight + MT + MB;
        break;
    case alBottom:
        Rect.Bottom -= NewHeight + MT + MB;
        NewTop = Rect.Bottom + MT;
        break;
    case alLeft:
        Rect.Left += NewWidth + ML + MR;
        break;
    case alRight:
        Rect.Right -= NewWidth + ML + MR;
        NewLeft = Rect.Right + ML;
        break;
    case alCustom:
        NewLeft = C->Left();
        NewTop = C->Top();
        CustomAlignPosition(C, NewLeft, NewTop, NewWidth, NewHeight, Rect);
        break;
    default:
        break;
    }
    C->FAnchorMove = true;
    try {
        C->SetBounds(NewLeft, NewTop, NewWidth, NewHeight);
    } catch (...) {
        C->FAnchorMove = false;
        throw;
    }
    C->FAnchorMove = false;
    // A control that did not take the size it was given leaves the rest.
    const int DW = NewWidth - C->Width(), DH = NewHeight - C->Height();
    if (DW == 0 && DH == 0)
        return;
    switch (AAlign) {
    case alTop: Rect.Top -= DH; break;
    case alBottom: Rect.Bottom += DH; break;
    case alLeft: Rect.Left -= DW; break;
    case alRight: Rect.Right += DW; break;
    case alClient:
        Rect.Right += DW;
        Rect.Bottom += DH;
        break;
    default: break;
    }
}

void TWinControl::DoAlign(TControl* AControl, TAlign AAlign, TRect& Rect)
{
    auto InsertBefore = [this, AAlign](TControl* C1, TControl* C2) {
        switch (AAlign) {
        case alTop: return C1->Top() < C2->Top();
        case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
        case alLeft: return C1->Left() < C2->Left();
        case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
        case alCustom: return CustomAlignInsertBefore(C1, C2);
        default: return false;
        }
    };
    std::vector<TControl*> List;
    if (AControl != nullptr && (AAlign == alNone || AControl->Visible()) && AControl->Align() == AAlign)
        List.push_back(AControl);
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (C == AControl || C->Align() != AAlign || (AAlign != alNone && !C->Visible()))
            continue;
        std::size_t J = 0;
        while (J < List.size() && !InsertBefore(C, List[J]))
            ++J;
        List.insert(List.begin() + std::ptrdiff_t(J), C);
    }
    for (TControl* C : List)
        DoPosition(C, AAlign, Rect);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    if (FDockSite && FUseDockManager && FDockManager)
        FDockManager->ResetBounds(false);
    if (AlignWork()) {
        AdjustClientRect(Rect);
        for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
            DoAlign(AControl, A, Rect);
        ControlsAligned();
    }
    if (Showing())
        AdjustSize();
}

void TWinControl::AdjustSize()
{
    if (!ComponentState().Contains(csLoading) && HandleAllocated())
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TWinControl::SetBorderWidth(TBorderWidth Value)
{
    if (FBorderWidth == Value)
        return;
    FBorderWidth = Value;
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The constraints first: a size that they change is a change.
    if (!CheckNewSize(AWidth, AHeight))
        return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    if (FHandle != nullptr && !IsIconic(FHandle)) {
        ::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::WMWindowPosChanging(TMessage& Message)
{
    // A size the desktop or a drag asks for obeys the constraints and
    // OnCanResize as one set through the properties does.
    auto* Pos = LParamToPtr<WINDOWPOS>(Message.LParam);
    if (Pos != nullptr && (Pos->flags & SWP_NOSIZE) == 0 && !ComponentState().Contains(csReading)
        && !ComponentState().Contains(csDestroying) && !CheckNewSize(Pos->cx, Pos->cy))
        Pos->flags |= SWP_NOSIZE;
    DefaultHandler(Message);
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (Parent() != nullptr) {
        auto& List = Parent()->FWinControls;
        List.erase(std::remove(List.begin(), List.end(), this), List.end());
        if (TopMost)
            List.push_back(this);
        else
            List.insert(List.begin(), this);
    }
    if (FHandle != nullptr)
        ::SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (Parent() == nullptr && AParent != nullptr && FParentWindow != nullptr) {
        FParentWindow = nullptr;
        DestroyHandle();
    }
    TControl::SetParent(AParent);
}

// --- looks ------------------------------------------------------------------------------------------

void TWinControl::SetParentBackground(bool Value)
{
    if (ParentBackground() == Value)
        return;
    if (Value)
        FControlStyle.Include(csParentBackground);
    else
        FControlStyle.Exclude(csParentBackground);
    Invalidate();
}

void TWinControl::SetCtl3D(bool Value)
{
    FParentCtl3D = false;
    if (FCtl3D == Value)
        return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value)
{
    if (FParentCtl3D == Value)
        return;
    FParentCtl3D = Value;
    if (Value && Parent() != nullptr) {
        FCtl3D = Parent()->Ctl3D();
        Perform(CM_CTL3DCHANGED, 0, 0);
    }
}

void TWinControl::Invalidate()
{
    Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::Update()
{
    if (FHandle != nullptr)
        UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::InvalidateFrame()
{
    if (FHandle != nullptr)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

// --- docking ---------------------------------------------------------------------------------------

void TWinControl::SetDockSite(bool Value)
{
    if (FDockSite == Value)
        return;
    FDockSite = Value;
    if (!ComponentState().Contains(csDesigning)) {
        if (Value && FUseDockManager && !FDockManager)
            FDockManager = CreateDockManager();
        else if (!Value)
            FDockManager.reset();
    }
}

void TWinControl::SetUseDockManager(bool Value)
{
    if (FUseDockManager == Value)
        return;
    FUseDockManager = Value;
    if (Value && FDockSite && !FDockManager)
        FDockManager = CreateDockManager();
    else if (!Value)
        FDockManager.reset();
}

void TWinControl::SetDockManager(std::unique_ptr<IDockManager> Value)
{
    FDockManager = std::move(Value);
}

std::unique_ptr<IDockManager> TWinControl::CreateDockManager()
{
    return std::make_unique<TDockTree>(this);
}

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)
{
    InflateRect(InfluenceRect, 10, 10);
    if (FOnGetSiteInfo)
        FOnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

bool TWinControl::DockOver(TDragDockObject* Source, int X, int Y, TDragState State)
{
    if (FUseDockManager && FDockManager) {
        TRect R = Source->DockRect;
        FDockManager->PositionDockRect(Source->Control, Source->DropOnControl, Source->DropAlign, R);
        Source->DockRect = R;
    }
    bool Accept = true;
    if (FOnDockOver)
        FOnDockOver(this, Source, X, Y, State, Accept);
    return Accept;
}

void TWinControl::DockDrop(TDragDockObject* Source, int X, int Y)
{
    DisableAlign();
    try {
        TRect R = Source->DockRect;
        TPoint A = R.TopLeft(), B = R.BottomRight();
        A = ScreenToClient(A);
        B = ScreenToClient(B);
        Source->Control->Dock(this, {A.X, A.Y, B.X, B.Y});
        if (FUseDockManager && FDockManager)
            FDockManager->InsertControl(Source->Control, Source->DropAlign, Source->DropOnControl);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
    if (FOnDockDrop)
        FOnDockDrop(this, Source, X, Y);
}

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect)
{
    (void)ARect;
    Client->SetParent(this);
    Client->SetHostDockSite(this);
    if (std::find(FDockClients.begin(), FDockClients.end(), Client) == FDockClients.end())
        FDockClients.push_back(Client);
}

void TWinControl::DoRemoveDockClient(TControl* Client)
{
    FDockClients.erase(std::remove(FDockClients.begin(), FDockClients.end(), Client), FDockClients.end());
    if (Client->HostDockSite() == this)
        Client->SetHostDockSite(nullptr);
}

void TWinControl::CMDockClient(TMessage& Message)
{
    auto* Source = LParamToPtr<TDragDockObject>(Message.LParam);
    Message.Result = 0;
    if (Source == nullptr)
        return;
    TPoint P;
    GetCursorPos(&P);
    P = ScreenToClient(P);
    DockDrop(Source, P.X, P.Y);
}

void TWinControl::CMUnDockClient(TMessage& Message)
{
    auto* Client = LParamToPtr<TControl>(Message.LParam);
    Message.Result = 0;
    bool Allow = true;
    if (FOnUnDock)
        FOnUnDock(this, Client, reinterpret_cast<TWinControl*>(Message.WParam), Allow);
    if (!Allow) {
        Message.Result = 1;
        return;
    }
    if (FUseDockManager && FDockManager)
        FDockManager->RemoveControl(Client);
}

// --- messages ------------------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (IFormSite* Form = ParentFormSite(this); Form != nullptr && !Form->SetFocusedControl(this))
            return;
        break;
    case WM_KILLFOCUS:
        if (FControlState.Contains(csFocusing))
            return;
        break;
    case WM_NCHITTEST:
        TControl::WndProc(Message);
        if (Message.Result == HTTRANSPARENT) {
            TPoint P = ScreenToClient(LParamToPoint(Message.LParam));
            if (ControlAtPos(P, false) != nullptr)
                Message.Result = HTCLIENT;
        }
        return;
    case WM_MOUSELEAVE:
        // The mouse left this window, not one it may be over by now.
        if (GetCapture() == nullptr && ContainsControl(MouseControl()))
            UpdateMouseControl(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        if (Dragging())
            return;
        break;
    case WM_CANCELMODE:
        if (GetCapture() == FHandle) {
            TControl* C = GetCaptureControl();
            if (C != nullptr && C != this && C->Parent() == this)
                C->Perform(WM_CANCELMODE, 0, 0);
        }
        break;
    default:
        break;
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL
        && Message.Msg != WM_MOUSEHWHEEL && FDockSite && FUseDockManager && FDockManager
        && FDockManager->MouseMessage(Message))
        return;
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL
        && Message.Msg != WM_MOUSEHWHEEL) {
        // The control under the mouse: a graphic child, or this window.
        TControl* Target = nullptr;
        if (GetCapture() == FHandle) {
            TControl* C = GetCaptureControl();
            if (C != nullptr && C != this && C->Parent() == this)
                Target = C;
        } else {
            Target = ControlAtPos(LParamToPoint(Message.LParam), false);
        }
        if (Message.Msg == WM_MOUSEMOVE) {
            TControl* Over = GetCaptureControl();
            if (Over == nullptr) {
                Over = ControlAtPos(LParamToPoint(Message.LParam), true);
                if (Over == nullptr)
                    Over = this;
            }
            UpdateMouseControl(Over);
        }
        if (Target != nullptr) {
            const TPoint P = LParamToPoint(Message.LParam);
            // The child's click may free this window too.
            const TComponentRef<> Self(this);
            Message.Result = Target->Perform(Message.Msg, Message.WParam,
                                             PointToLParam({P.X - Target->Left(), P.Y - Target->Top()}));
            if (Message.Result == 0 && Self && FHandle != nullptr)
                DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_WINDOWPOSCHANGING:
        WMWindowPosChanging(Message);
        return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); return;
    case WM_SYSKEYUP: WMSysKeyUp(Message); return;
    case WM_SYSCHAR: WMSysChar(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheelWin(Message); return;
    case CN_KEYDOWN: CNKeyDown(Message); return;
    case CN_KEYUP: CNKeyUp(Message); return;
    case CN_CHAR: CNChar(Message); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); return;
    case CN_SYSCHAR: CNSysChar(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_CHILDKEY: CMChildKey(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_BORDERCHANGED: CMBorderChanged(Message); return;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    case CM_DOCKCLIENT: CMDockClient(Message); return;
    case CM_UNDOCKCLIENT: CMUnDockClient(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); return;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (!ReflectToControl(Message))
            TControl::Dispatch(Message);
        return;
    default: TControl::Dispatch(Message); return;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (FHandle == nullptr) {
        TControl::DefaultHandler(Message);
        return;
    }
    if (Message.Msg == WM_SETTEXT)
        FText = Message.LParam != 0 ? *LParamToPtr<const String>(Message.LParam) : String();
    Message.Result = CallDefaultProc(FHandle, Message);
}

void TWinControl::WMPaint(TMessage& Message)
{
    if (!FControlState.Contains(csCustomPaint) && ControlCount() == 0)
        DefaultHandler(Message);
    else
        PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    HDC DC = HDC(Message.WParam);
    PAINTSTRUCT PS;
    if (DC == nullptr)
        DC = BeginPaint(Handle(), &PS);
    if (DC == nullptr)
        return;
    try {
        if (FControls.empty()) {
            PaintWindow(DC);
        } else {
            // Opaque graphic children are painted over: leave them out.
            const int Saved = SaveDC(DC);
            int Clip = SIMPLEREGION;
            for (TControl* C : FControls)
                if (C->Visible() && C->ControlStyle().Contains(csOpaque)) {
                    Clip = ExcludeClipRect(DC, C->Left(), C->Top(), C->Left() + C->Width(), C->Top() + C->Height());
                    if (Clip == NULLREGION)
                        break;
                }
            if (Clip != NULLREGION)
                PaintWindow(DC);
            RestoreDC(DC, Saved);
        }
        PaintControls(DC, nullptr);
    } catch (...) {
        if (Message.WParam == 0)
            EndPaint(FHandle, &PS);
        throw;
    }
    if (Message.WParam == 0)
        EndPaint(FHandle, &PS);
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage M{WM_PAINT, WPARAM(DC), 0, 0};
    DefaultHandler(M);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    HDC DC = HDC(Message.WParam);
    if (ThemeServices().ThemesEnabled() && Parent() != nullptr && FControlStyle.Contains(csParentBackground)) {
        ThemeServices().DrawParentBackground(Handle(), DC, nullptr, false);
    } else {
        const TRect R = GetClientRect();
        FillRect(DC, &R, FBrush->Handle());
    }
    Message.Result = 1;
}

void TWinControl::WMSize(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(Message);
    Realign();
    if (!ComponentState().Contains(csLoading))
        Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    if (!FControlState.Contains(csDestroyingHandle))
        UpdateBounds();
    DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (HWND(Message.WParam) == FHandle && std::int16_t(LOWORD(std::uintptr_t(Message.LParam))) == HTCLIENT) {
        TCursor Cursor = ControlHooks().ScreenCursor ? ControlHooks().ScreenCursor() : crDefault;
        if (Cursor == crDefault) {
            TPoint P;
            GetCursorPos(&P);
            if (TControl* C = ControlAtPos(ScreenToClient(P), false))
                Cursor = C->Cursor();
            if (Cursor == crDefault)
                Cursor = this->Cursor();
        }
        if (Cursor != crDefault) {
            ::SetCursor(CursorHandle(Cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    DefaultHandler(Message);
    FHandle = nullptr;
    FShowing = false;
}

void TWinControl::WMNCHitTest(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMCommand(TMessage& Message)
{
    if (!ReflectToControl(Message))
        DefaultHandler(Message);
}

bool TWinControl::ReflectToControl(TMessage& Message)
{
    // A child window reports to its parent with its own handle in LParam
    // (commands, scrolling, colours); the control behind it hears it back
    // as CN_* and answers for it.
    if (Message.LParam == 0)
        return false;
    TWinControl* C = FindControl(HWND(Message.LParam));
    if (C == nullptr || C == this)
        return false;
    Message.Result = C->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0)
        return;
    if (Message.LParam != -1) {
        const TPoint Pt = ScreenToClient(LParamToPoint(Message.LParam));
        if (TControl* Child = ControlAtPos(Pt, false); Child != nullptr) {
            Message.Result = Child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            if (Message.Result != 0)
                return;
        }
    }
    TControl::WMContextMenu(Message);
}

std::unique_ptr<TControlActionLink> TWinControl::CreateActionLink()
{
    return std::make_unique<TWinControlActionLink>(this);
}

TWinControlActionLink::TWinControlActionLink(TWinControl* Client) : TControlActionLink(Client), FWinClient(Client)
{}

void TWinControl::WMMouseWheelWin(TMessage& Message)
{
    MouseWheelHandler(Message);
    if (Message.Result == 0)
        DefaultHandler(Message);
}

void TWinControl::MouseWheelHandler(TMessage& Message)
{
    TControl::MouseWheelHandler(Message);
}

// --- keys --------------------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FOnKeyDown)
        FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FOnKeyUp)
        FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key)
{
    if (FOnKeyPress)
        FOnKeyPress(this, Key);
}

// The key handlers answer true (handled) also when the key's event freed
// the control: nothing may handle the key further on it.
bool TWinControl::DoKeyDown(TMessage& Message)
{
    const TComponentRef<> Self(this);
    IFormSite* Form = ParentFormSite(this);
    if (Form != nullptr && Form->FormControl() != this && Form->KeyPreview()
        && (Form->FormControl()->DoKeyDown(Message) || !Self))
        return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        WORD Key = WORD(Message.WParam);
        KeyDown(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0 || !Self)
            return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    const TComponentRef<> Self(this);
    IFormSite* Form = ParentFormSite(this);
    if (Form != nullptr && Form->FormControl() != this && Form->KeyPreview()
        && (Form->FormControl()->DoKeyUp(Message) || !Self))
        return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        WORD Key = WORD(Message.WParam);
        KeyUp(Key, KeyDataToShiftState(Message.LParam));
        Message.WParam = Key;
        if (Key == 0 || !Self)
            return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    const TComponentRef<> Self(this);
    IFormSite* Form = ParentFormSite(this);
    if (Form != nullptr && Form->FormControl() != this && Form->KeyPreview()
        && (Form->FormControl()->DoKeyPress(Message) || !Self))
        return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        QChar Ch(char16_t(Message.WParam));
        KeyPress(Ch);
        Message.WParam = Ch.unicode();
        if (Ch.isNull() || !Self)
            return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message))
        DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message))
        DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message))
        DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message))
        DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message))
        DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message)
{
    DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message)
{
    if (!ComponentState().Contains(csDesigning)) {
        const TShiftState Shift = KeyDataToShiftState(Message.LParam);
        const TShortCut Key = ShortCut(WORD(Message.WParam), Shift.Contains(ssShift), Shift.Contains(ssCtrl),
                                       Shift.Contains(ssAlt));
        for (TWinControl* C = this; C != nullptr; C = C->Parent())
            if (TPopupMenu* Menu = C->GetPopupMenu(); Menu != nullptr && Menu->IsShortCut(Key))
                return true;
        IFormSite* Form = ParentFormSite(this);
        if (Form != nullptr && Form->IsShortCut(Message))
            return true;
    }
    return false;
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message))
        return;
    if (!ComponentState().Contains(csDesigning)) {
        if (Perform(CM_CHILDKEY, Message.WParam, PtrToLParam(this)) != 0)
            return;
        LRESULT Mask = 0;
        switch (Message.WParam) {
        case VK_TAB: Mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: Mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0) {
            IFormSite* Form = ParentFormSite(this);
            if (Form != nullptr && Form->FormControl()->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
                return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 1;
    if (!ComponentState().Contains(csDesigning) && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
        IFormSite* Form = ParentFormSite(this);
        if (Form != nullptr && Form->FormControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message))
        return;
    if (!ComponentState().Contains(csDesigning)) {
        if (Perform(CM_CHILDKEY, Message.WParam, PtrToLParam(this)) != 0)
            return;
        IFormSite* Form = ParentFormSite(this);
        if (Form != nullptr && Form->FormControl()->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message)
{
    Message.Result = 1;
    if (!ComponentState().Contains(csDesigning) && Message.WParam != VK_SPACE) {
        IFormSite* Form = ParentFormSite(this);
        if (Form != nullptr && Form->FormControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMChildKey(TMessage& Message)
{
    if (Parent() != nullptr)
        Parent()->WindowProc()(Message);
}

void TWinControl::CMWantSpecialKey(TMessage& Message)
{
    Message.Result = 0;
}

void TWinControl::DoEnter()
{
    if (FOnEnter)
        FOnEnter(this);
}

void TWinControl::DoExit()
{
    if (FOnExit)
        FOnExit(this);
}

void TWinControl::CMEnter(TMessage& Message)
{
    (void)Message;
    DoEnter();
}

void TWinControl::CMExit(TMessage& Message)
{
    (void)Message;
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& Message)
{
    Broadcast(Message);
}

// --- change notices --------------------------------------------------------------------------------

void TWinControl::CMShowingChanged(TMessage& Message)
{
    (void)Message;
    if (FHandle != nullptr)
        ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE
                           | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message)
{
    (void)Message;
    if (!FVisible && Parent() != nullptr)
        RemoveFocus(false);
    UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    (void)Message;
    if (!Enabled() && Parent() != nullptr)
        RemoveFocus(false);
    if (FHandle != nullptr && !ComponentState().Contains(csDesigning))
        EnableWindow(FHandle, Enabled());
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    TControl::CMColorChanged(Message);
    FBrush->SetColor(Color());
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMBorderChanged(TMessage& Message)
{
    (void)Message;
    if (FHandle == nullptr)
        return;
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    Realign();
    if (Visible())
        Invalidate();
}

void TWinControl::CMCursorChanged(TMessage& Message)
{
    (void)Message;
    if (FHandle == nullptr)
        return;
    TPoint P;
    GetCursorPos(&P);
    if (FindDragTarget(P, false) == this)
        Perform(WM_SETCURSOR, WPARAM(FHandle), HTCLIENT);
}

void TWinControl::CMRecreateWnd(TMessage& Message)
{
    (void)Message;
    const bool WasFocused = Focused();
    FControlState.Include(csRecreating);
    try {
        DestroyHandle();
        UpdateControlState();
    } catch (...) {
        FControlState.Exclude(csRecreating);
        throw;
    }
    FControlState.Exclude(csRecreating);
    if (WasFocused && FHandle != nullptr)
        ::SetFocus(FHandle);
}

void TWinControl::CMInvalidate(TMessage& Message)
{
    if (FHandle == nullptr)
        return;
    if (Parent() != nullptr)
        Parent()->Perform(CM_INVALIDATE, 1, 0);
    if (Message.WParam == 0)
        InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

// --- streaming ----------------------------------------------------------------------------------------

void TWinControl::ReadState(TReader& Reader)
{
    DisableAlign();
    FControlState.Include(csReadingState);
    try {
        TControl::ReadState(Reader);
    } catch (...) {
        FControlState.Exclude(csReadingState);
        EnableAlign();
        throw;
    }
    FControlState.Exclude(csReadingState);
    EnableAlign();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    if (FHandle != nullptr)
        UpdateBounds();
    // The tab order read from the definition, where it was given.
    std::stable_sort(FTabList.begin(), FTabList.end(), [](TControl* A, TControl* B) {
        const int OA = static_cast<TWinControl*>(A)->FTabOrder, OB = static_cast<TWinControl*>(B)->FTabOrder;
        return (OA < 0 ? INT32_MAX : OA) < (OB < 0 ? INT32_MAX : OB);
    });
    Realign();
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TControl::Notification(AComponent, Operation);
}
