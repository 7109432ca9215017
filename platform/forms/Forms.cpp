#include "platform/forms/Forms.h"

#include "platform/actions/Menus.h"
#include "platform/classes/ComponentRef.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/classes/Subrange.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"
#include "platform/forms/MenuBar.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GuiApplication.h"

#include <QCoreApplication>
#include <algorithm>

REGISTER_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
REGISTER_SUBRANGE(TBorderStyle)
REGISTER_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
REGISTER_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
REGISTER_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
              poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
REGISTER_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
REGISTER_ENUM(TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm)

REGISTER_CLASS(TScrollingWinControl, TWinControl)
END_REGISTER

REGISTER_COMPONENT(TCustomForm, TScrollingWinControl)
    PUBLISHED(Color, clBtnFace)
    PUBLISHED(ParentColor, false)
    PUBLISHED(ParentFont, false)
    PUBLISHED(Visible, false)
    // A form is sized by its client area; its Width is the same here.
    PUBLISHED_NODEFAULT_STORED(Width, [](const TCustomForm&) { return false; })
    PUBLISHED_NODEFAULT_STORED(Height, [](const TCustomForm&) { return false; })
    PUBLISHED_NODEFAULT(ClientWidth)
    PUBLISHED_NODEFAULT(ClientHeight)
    PUBLISHED(ActiveControl, nullptr)
    PUBLISHED(BorderIcons, TBorderIcons({biSystemMenu, biMinimize, biMaximize}))
    PUBLISHED(BorderStyle, bsSizeable)
    PUBLISHED(FormStyle, fsNormal)
    PUBLISHED(KeyPreview, false)
    PUBLISHED(Menu, nullptr)
    PUBLISHED(OldCreateOrder, false)
    PUBLISHED(Position, poDesigned)
    PUBLISHED(DefaultMonitor, dmActiveForm)
    PUBLISHED(Scaled, true)
    PUBLISHED(WindowState, wsNormal)
    PUBLISHED_EVENT(OnCreate)
    PUBLISHED_EVENT(OnDestroy)
    PUBLISHED_EVENT(OnShow)
    PUBLISHED_EVENT(OnHide)
    PUBLISHED_EVENT(OnActivate)
    PUBLISHED_EVENT(OnDeactivate)
    PUBLISHED_EVENT(OnPaint)
    PUBLISHED_EVENT(OnClose)
    PUBLISHED_EVENT(OnCloseQuery)
    PUBLISHED_EVENT(OnShortCut)
END_REGISTER

REGISTER_COMPONENT(TForm, TCustomForm)
END_REGISTER

// --- TScrollingWinControl ----------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TScrollingWinControl::EnableAutoRange()
{
    if (FAutoRangeCount > 0)
        --FAutoRangeCount;
}

// --- construction and streaming -------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FLeft = 0;
    FTop = 0;
    FWidth = 320;
    FHeight = 240;
    FVisible = false;
    SetColor(clBtnFace);
    SetParentFont(false);
    Screen->AddForm(this);
    // Other forms' definitions refer to this one's components by name
    // ("FormMain.ImageListMain"), as to a data module's.
    RegisterGlobalRoot(this);
}

TCustomForm::~TCustomForm()
{
    if (!FDestroyDone)
        TCustomForm::BeforeDestruction();
    FCanvas->SetControl(nullptr);
}

void TCustomForm::AfterConstruction()
{
    // The definition of the form's class, then OnCreate; a form whose
    // definition says Visible shows once it is complete.
    FControlState.Include(csCreating);
    try {
        TClass Class = ClassOfObject(this);
        if (CreatingNew == 0 && Class != ClassOf<TForm>() && Class != ClassOf<TCustomForm>()
            && !InitInheritedComponent(this, ClassOf<TForm>()))
            throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ClassName()));
    } catch (...) {
        FControlState.Exclude(csCreating);
        throw;
    }
    FControlState.Exclude(csCreating);
    DoCreate();
    if (FVisibleAfterCreate) {
        FVisibleAfterCreate = false;
        SetVisible(true);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (FDestroyDone) {
        TScrollingWinControl::BeforeDestruction();
        return;
    }
    FDestroyDone = true;
    UnregisterGlobalRoot(this);
    FMenuBar.reset();
    if (FCreated && !ComponentState().Contains(csDestroying))
        DoDestroy();
    if (Screen != nullptr)
        Screen->RemoveForm(this);
    if (Application != nullptr)
        Application->FormDestroyed(this);
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate()
{
    FCreated = true;
    if (FOnCreate)
        FOnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (FOnDestroy)
        FOnDestroy(this);
}

void TCustomForm::Loaded()
{
    TScrollingWinControl::Loaded();
    if (FActiveControl != nullptr && FActiveControl->Parent() == nullptr)
        FActiveControl = nullptr;
}

void TCustomForm::DefineProperties(TFiler& Filer)
{
    TScrollingWinControl::DefineProperties(Filer);
    // Written by the classic designer; the screen here is always 96 dpi.
    for (const char* Name : {"PixelsPerInch", "TextHeight", "DesignSize", "IsControl"})
        Filer.DefineProperty(QString::fromLatin1(Name), [](TReader& R) { R.SkipValue(); }, nullptr, false);
}

void TCustomForm::SetVisible(bool Value)
{
    if (FControlState.Contains(csCreating) || ComponentState().Contains(csLoading)) {
        FVisibleAfterCreate = Value;
        return;
    }
    TScrollingWinControl::SetVisible(Value);
}

void TCustomForm::CMVisibleChanged(TMessage& Message)
{
    TScrollingWinControl::CMVisibleChanged(Message);
}

// --- geometry ---------------------------------------------------------------------------------------

TRect TCustomForm::GetClientRect()
{
    if (!HandleAllocated())
        return {0, 0, FWidth, FHeight};
    return TScrollingWinControl::GetClientRect();
}

void TCustomForm::SetClientSize(TSize Value)
{
    // No frame of ours: the client area is the window below the menu bar.
    SetBounds(FLeft, FTop, Value.cx, Value.cy + MenuBarHeight());
}

int TCustomForm::MenuBarHeight() const
{
    return FMenuBar ? FMenuBar->AppliedHeight() : 0;
}

void TCustomForm::UpdateMenuBar()
{
    const bool Want =
        FMenu != nullptr && FHandle != nullptr && HasWidgetApplication() && !ComponentState().Contains(csDestroying);
    const bool Current =
        Want && FMenuBar && FMenuBar->Window() == FHandle && FMenuBar->Menu() == FMenu && FMenuBar->Alive();
    if (Current || (!Want && !FMenuBar))
        return;
    const int Old = FMenuBar && FMenuBar->Window() == FHandle ? FMenuBar->AppliedHeight() : 0;
    FMenuBar.reset();
    if (Want) {
        FMenuBar = std::make_unique<TFormMenuBar>(FHandle, FMenu);
        FMenuBar->OnHeightChanged = [this] { MenuBarHeightChanged(); };
    }
    if (FHandle != nullptr && MenuBarHeight() != Old)
        MenuBarHeightChanged();
}

void TCustomForm::MenuBarHeightChanged()
{
    // The client area is worked out again (WM_NCCALCSIZE), then the
    // controls follow it.
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (FMenuBar)
        FMenuBar->Place();
    Realign();
}

void TCustomForm::WMCommand(TMessage& Message)
{
    if (FMenu != nullptr && Message.LParam == 0 && FMenu->DispatchCommand(WORD(Message.WParam & 0xFFFF)))
        return;
    TScrollingWinControl::WMCommand(Message);
}

void TCustomForm::DestroyWnd()
{
    FMenuBar.reset();
    TScrollingWinControl::DestroyWnd();
}

TWindowState TCustomForm::WindowState() const
{
    if (FHandle != nullptr) {
        if (IsIconic(FHandle))
            return wsMinimized;
        if (IsZoomed(FHandle))
            return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    FWindowState = Value;
    if (FHandle == nullptr || !Showing())
        return;
    static const int Commands[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, Commands[Value]);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (FBorderStyle == Value)
        return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (FBorderIcons == Value)
        return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (FFormStyle == Value)
        return;
    FFormStyle = Value;
    if (FHandle != nullptr)
        ::SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value)
        return;
    if (FMenu != nullptr)
        FMenu->RemoveFreeNotification(this);
    FMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
    UpdateMenuBar();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMenu) {
        FMenu = nullptr;
        UpdateMenuBar();
    }
    if (AComponent == FActiveControl)
        FActiveControl = nullptr;
    if (AComponent == FFocusedControl)
        FFocusedControl = nullptr;
}

TMonitor* TCustomForm::Monitor()
{
    return Screen->MonitorFromRect(BoundsRect());
}

TRect TCustomForm::RestoredBounds() const
{
    WINDOWPLACEMENT Placement;
    if (FHandle != nullptr && GetWindowPlacement(FHandle, &Placement))
        return Placement.rcNormalPosition;
    return BoundsRect();
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    Params.WndParent = nullptr;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
            if (FBorderIcons.Contains(biMinimize))
                Params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize))
                Params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == fsStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
}

void TCustomForm::CreateWnd()
{
    TScrollingWinControl::CreateWnd();
    SetWindowText(FHandle, Caption());
    UpdateMenuBar();
}

// --- showing, activating and closing -------------------------------------------------------------

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
    if (FHandle != nullptr && Showing())
        ::SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

// R grown by the frame the desktop draws round the window.
TRect WithDesktopFrame(TRect R, HWND Wnd)
{
    const TRect Frame = Wnd != nullptr ? GetDesktopFrameMargins(Wnd) : TRect();
    return {R.Left - Frame.Left, R.Top - Frame.Top, R.Right + Frame.Right, R.Bottom + Frame.Bottom};
}

// Where R's top-left corner goes to keep R on Area: in from the right and
// the bottom first, then from the left and the top, so that what is larger
// than Area keeps its top-left corner, the title bar's start, on it.
TPoint KeptOnArea(const TRect& R, const TRect& Area)
{
    return {std::max(Area.Left, std::min(R.Left, Area.Right - R.Width())),
            std::max(Area.Top, std::min(R.Top, Area.Bottom - R.Height()))};
}

} // namespace

void TCustomForm::PlaceOnScreen()
{
    TRect Area = Screen->WorkAreaRect();
    TCustomForm* Center = nullptr;
    switch (FPosition) {
    case poScreenCenter:
        if (TMonitor* M = Screen->MonitorFromRect(BoundsRect()))
            Area = M->WorkareaRect();
        break;
    case poDesktopCenter:
        // The primary screen: centred across several monitors a dialog
        // would sit on the seam between two of them.
        Area = Screen->WorkAreaRect();
        break;
    case poMainFormCenter:
        Center = Application->MainForm();
        break;
    case poOwnerFormCenter:
        Center = dynamic_cast<TCustomForm*>(Owner());
        if (Center == nullptr)
            Center = Application->MainForm();
        break;
    default:
        return;
    }
    if (Center == this || (Center != nullptr && !Center->Visible()))
        Center = nullptr;
    if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && Center == nullptr)
        Area = Screen->WorkAreaRect();
    if (Center != nullptr)
        Area = WithDesktopFrame(Center->BoundsRect(), Center->FHandle);
    const TRect Frame = CentreOn(Area);
    FPosition = poDesigned;
    // Before the desktop has framed the form its frame is another window's
    // or a guess: once it is known, a form still where it was put whose
    // real frame leaves the work area is placed again with it.  A frame
    // that fits moves nothing, so the window does not jump under a mouse
    // about to click it for a few pixels of centring.
    const TComponentRef<TCustomForm> Self(this);
    WhenDesktopFramed(FHandle, [Self, Area, Frame, Placed = BoundsRect()] {
        if (!Self || Self->FHandle == nullptr || Self->BoundsRect() != Placed
            || GetDesktopFrameMargins(Self->FHandle) == Frame)
            return;
        const TRect Framed = WithDesktopFrame(Placed, Self->FHandle);
        const TRect Work = Screen->MonitorFromRect(Area)->WorkareaRect();
        if (KeptOnArea(Framed, Work) != TPoint{Framed.Left, Framed.Top})
            Self->CentreOn(Area);
    });
}

// The desktop's frame goes round the form: the whole window, title bar and
// borders included, is centred on Area and kept on the work area of the
// monitor it is centred on. The frame reckoned with.
TRect TCustomForm::CentreOn(const TRect& Area)
{
    const TRect Frame = FHandle != nullptr ? GetDesktopFrameMargins(FHandle) : TRect();
    const int Width = FWidth + Frame.Left + Frame.Right;
    const int Height = FHeight + Frame.Top + Frame.Bottom;
    const TRect Centred =
        Bounds(Area.Left + (Area.Width() - Width) / 2, Area.Top + (Area.Height() - Height) / 2, Width, Height);
    const TPoint At = KeptOnArea(Centred, Screen->MonitorFromRect(Area)->WorkareaRect());
    SetBounds(At.X + Frame.Left, At.Y + Frame.Top, FWidth, FHeight);
    return Frame;
}

void TCustomForm::CMShowingChanged(TMessage& Message)
{
    (void)Message;
    if (FShowingNow)
        throw EInvalidOperation(QStringLiteral("Cannot change Visible in OnShow or OnHide"));
    FShowingNow = true;
    try {
        if (Showing()) {
            GuardEntry(FHandle, [this] { DoShow(); });
            PlaceOnScreen();
            if (FHandle != nullptr) {
                ::SetWindowOwner(FHandle, DesktopOwner());
                ::SetWindowModal(FHandle, FModal ? TRUE : FALSE);
            }
            static const int Commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
            ShowWindow(FHandle, Commands[FWindowState]);
            if (FWindowState == wsNormal && FHandle != nullptr)
                SetActiveWindow(FHandle);
        } else {
            GuardEntry(FHandle, [this] { DoHide(); });
            if (FHandle != nullptr) {
                const bool WasActive = GetActiveWindow() == FHandle;
                ShowWindow(FHandle, SW_HIDE);
                if (WasActive)
                    Screen->ActivateNextForm(this);
            }
        }
    } catch (...) {
        FShowingNow = false;
        throw;
    }
    FShowingNow = false;
}

namespace {

// With no window active: the form that was active last (the screen keeps
// its forms with the last active first).
HWND LastActiveFormWindow(TCustomForm* Except)
{
    for (int I = 0; I < Screen->CustomFormCount(); ++I) {
        TCustomForm* F = Screen->CustomForms(I);
        if (F != Except && F->HandleAllocated() && IsWindowVisible(F->WindowHandle()))
            return F->WindowHandle();
    }
    return nullptr;
}

} // namespace

// The window the form stays above on the desktop: while it runs modally
// the one that was active when it began (else the main form), otherwise
// the form that owns it.  A form without a border stands alone.
HWND TCustomForm::DesktopOwner() const
{
    if (FBorderStyle == bsNone)
        return nullptr;
    auto Usable = [this](HWND W) { return W != nullptr && W != FHandle && IsWindow(W) && IsWindowVisible(W); };
    if (FModal) {
        if (Usable(FModalOwner))
            return FModalOwner;
        TCustomForm* Main = Application->MainForm();
        return Main != nullptr && Usable(Main->WindowHandle()) ? Main->WindowHandle() : nullptr;
    }
    auto* Form = dynamic_cast<TCustomForm*>(Owner());
    return Form != nullptr && Form != this && Form->HandleAllocated() ? Form->WindowHandle() : nullptr;
}

void TCustomForm::DoShow()
{
    if (FOnShow)
        FOnShow(this);
}

void TCustomForm::DoHide()
{
    if (FOnHide)
        FOnHide(this);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    FModal = true;
    HWND ActiveBefore = GetActiveWindow();
    FModalOwner = ActiveBefore != nullptr ? GetAncestor(ActiveBefore, GA_ROOT) : LastActiveFormWindow(this);
    const TCursor SaveCursor = Screen->Cursor();
    Screen->SetCursor(crDefault);
    // Every other form waits while this one is shown.
    std::vector<HWND> Disabled;
    for (int I = 0; I < Screen->CustomFormCount(); ++I) {
        TCustomForm* F = Screen->CustomForms(I);
        HWND W = F->WindowHandle();
        if (F != this && W != nullptr && IsWindowVisible(W) && IsWindowEnabled(W)) {
            EnableWindow(W, FALSE);
            Disabled.push_back(W);
        }
    }
    TModalResult Result = mrNone;
    auto Restore = [&] {
        for (HWND W : Disabled)
            if (IsWindow(W))
                EnableWindow(W, TRUE);
        if (Screen->Cursor() == crDefault)
            Screen->SetCursor(SaveCursor);
        FModal = false;
        FModalOwner = nullptr;
        if (FHandle != nullptr) {
            ::SetWindowModal(FHandle, FALSE);
            ::SetWindowOwner(FHandle, DesktopOwner());
        }
        if (ActiveBefore != nullptr && IsWindow(ActiveBefore) && IsWindowVisible(ActiveBefore))
            SetActiveWindow(ActiveBefore);
    };
    try {
        Show();
        SendMessage(Handle(), CM_ACTIVATE, 0, 0);
        FModalResult = mrNone;
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
        Result = FModalResult;
        if (HandleAllocated())
            SendMessage(FHandle, CM_DEACTIVATE, 0, 0);
        Hide();
    } catch (...) {
        Restore();
        throw;
    }
    Restore();
    return Result;
}

void TCustomForm::CloseModal()
{
    try {
        TCloseAction Action = caNone;
        if (CloseQuery()) {
            Action = caHide;
            DoClose(Action);
        }
        if (Action == caNone)
            FModalResult = mrNone;
        else if (Action == caFree)
            Release();
    } catch (...) {
        FModalResult = mrNone;
        Application->HandleException(this);
    }
}

bool TCustomForm::CloseQuery()
{
    bool CanClose = true;
    if (FOnCloseQuery)
        FOnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (FOnClose)
        FOnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->MainFormClosed();
    else if (Action == caHide)
        Hide();
    else if (Action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    // The controls, then what the form owns outside them (data sources,
    // action lists, menus, timers) so that its definition keeps them.
    TScrollingWinControl::GetChildren(Proc, Root);
    if (Root != this)
        return;
    for (int I = 0; I < ComponentCount(); ++I)
        if (!Components(I)->HasParent())
            Proc(Components(I));
}

void TCustomForm::Release()
{
    // Freed once the message that asked for it has returned.
    if (HandleAllocated())
        PostMessage(FHandle, CM_RELEASE, 0, 0);
    else
        RunAfterDispatch([this] { Free(); });
}

void TCustomForm::CMRelease(TMessage& Message)
{
    (void)Message;
    Free();
}

void TCustomForm::WMClose(TMessage& Message)
{
    (void)Message;
    Close();
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
        SetWindowState(wsMinimized);
        return;
    }
    DefaultHandler(Message);
}

void TCustomForm::WMActivate(TMessage& Message)
{
    SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
}

void TCustomForm::SetActive(bool Value)
{
    FActive = Value;
    if (!Value)
        return;
    if (FActiveControl == nullptr && !ComponentState().Contains(csDesigning))
        FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
}

void TCustomForm::CMActivate(TMessage& Message)
{
    (void)Message;
    Activate();
}

void TCustomForm::CMDeactivate(TMessage& Message)
{
    (void)Message;
    Deactivate();
}

void TCustomForm::Activate()
{
    if (FOnActivate)
        FOnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (FOnDeactivate)
        FOnDeactivate(this);
}

// --- focus --------------------------------------------------------------------------------------------

bool TCustomForm::FormEnabledAndVisible() const
{
    return Enabled() && Visible();
}

void TCustomForm::SetFocus()
{
    if (!FActive) {
        if (!(Visible() && Enabled()))
            throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
        SetWindowFocus();
        return;
    }
    TScrollingWinControl::SetFocus();
}

void TCustomForm::SetWindowFocus()
{
    HWND Focus = FActiveControl != nullptr ? FActiveControl->Handle() : (HandleAllocated() ? FHandle : nullptr);
    if (Focus != nullptr)
        ::SetFocus(Focus);
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control)
        return;
    if (Control != nullptr && !(Control != this && GetParentForm(Control) == this
                                && (ComponentState().Contains(csLoading) || Control->CanFocus())))
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    FActiveControl = Control;
    if (!ComponentState().Contains(csLoading) && FActive)
        SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    const bool WasActive = FActive;
    SetActiveControl(Control);
    // While another form's modal loop has this one disabled the control is
    // only remembered: it gets the focus when this form is active again.
    if (!WasActive && Visible() && HandleAllocated() && IsWindowEnabled(FHandle))
        SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (Removing && Control->ContainsControl(FFocusedControl))
        FFocusedControl = Control->Parent();
    if (Control->ContainsControl(FActiveControl))
        SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    // The classic order: CM_EXIT up from the control losing the focus to
    // the common parent, then CM_ENTER down to the new one; a handler that
    // moves the focus elsewhere ends the walk.
    const int Count = ++FFocusCount;
    if (Control != this)
        FActiveControl = Control;
    Screen->SetActiveControlAndForm(Control, this);
    if (Control->ControlState().Contains(csFocusing))
        return false;
    TControlState State = Control->ControlState();
    State.Include(csFocusing);
    Control->SetControlState(State);
    auto Sent = [this, Count](TWinControl* Target, UINT Msg) {
        if (Target->HandleAllocated())
            SendMessage(Target->Handle(), Msg, 0, 0);
        return FFocusCount == Count;
    };
    bool Result = false;
    try {
        if (Screen->FocusedForm() != this) {
            if (TCustomForm* Old = Screen->FocusedForm()) {
                Screen->SetFocusedForm(nullptr);
                if (!Sent(Old, CM_DEACTIVATE))
                    throw 0;
            }
            Screen->SetFocusedForm(this);
            if (!Sent(this, CM_ACTIVATE))
                throw 0;
        }
        if (FFocusedControl == nullptr)
            FFocusedControl = this;
        if (FFocusedControl != Control) {
            while (FFocusedControl != nullptr && !FFocusedControl->ContainsControl(Control)) {
                TWinControl* Leaving = FFocusedControl;
                FFocusedControl = FFocusedControl->Parent();
                if (!Sent(Leaving, CM_EXIT))
                    throw 0;
            }
            while (FFocusedControl != Control) {
                TWinControl* Entering = Control;
                while (Entering->Parent() != FFocusedControl)
                    Entering = Entering->Parent();
                FFocusedControl = Entering;
                if (!Sent(Entering, CM_ENTER))
                    throw 0;
            }
            Perform(CM_FOCUSCHANGED, 0, PtrToLParam(Control));
        }
        Result = true;
    } catch (int) {
        Result = false;
    } catch (...) {
        State = Control->ControlState();
        State.Exclude(csFocusing);
        Control->SetControlState(State);
        throw;
    }
    State = Control->ControlState();
    State.Exclude(csFocusing);
    Control->SetControlState(State);
    return Result;
}

bool TCustomForm::WantChildKey(TControl* Child, TMessage& Message)
{
    (void)Child;
    (void)Message;
    return false;
}

namespace {

bool DispatchShortCut(TComponent* Owner, TShortCut Key)
{
    for (int I = 0; I < Owner->ComponentCount(); ++I) {
        TComponent* C = Owner->Components(I);
        if (auto* List = dynamic_cast<TCustomActionList*>(C)) {
            if (List->IsShortCut(Key))
                return true;
        } else if (DispatchShortCut(C, Key)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool Handled = false;
    if (FOnShortCut)
        FOnShortCut(Message, Handled);
    if (Handled)
        return true;
    const TShiftState Shift = KeyDataToShiftState(Message.LParam);
    const TShortCut Key = ::ShortCut(WORD(Message.WParam), Shift.Contains(ssShift), Shift.Contains(ssCtrl),
                                     Shift.Contains(ssAlt));
    if (FMenu != nullptr && FMenu->IsShortCut(Key))
        return true;
    return DispatchShortCut(this, Key);
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
                FActiveControl->Parent()->SelectNext(FActiveControl,
                                                     Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TScrollingWinControl::CMDialogKey(Message);
}

void TCustomForm::MouseWheelHandler(TMessage& Message)
{
    if (FFocusedControl != nullptr && FFocusedControl != this)
        Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

// --- painting and messages ---------------------------------------------------------------------------

void TCustomForm::WMPaint(TMessage& Message)
{
    const TControlStateFlag Custom(FControlState, csCustomPaint);
    TScrollingWinControl::WMPaint(Message);
}

void TCustomForm::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::Paint()
{
    if (FOnPaint)
        FOnPaint(this);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        TScrollingWinControl::Dispatch(Message);
        if (FMenuBar)
            LParamToPtr<NCCALCSIZE_PARAMS>(Message.LParam)->rgrc[0].Top += FMenuBar->AppliedHeight();
        return;
    case WM_SIZE:
        TScrollingWinControl::Dispatch(Message);
        if (FMenuBar)
            FMenuBar->Place();
        return;
    case WM_CLOSE: WMClose(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case CM_ACTIVATE: CMActivate(Message); return;
    case CM_DEACTIVATE: CMDeactivate(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case CM_TEXTCHANGED:
        if (HandleAllocated())
            SetWindowText(FHandle, FText);
        TScrollingWinControl::Dispatch(Message);
        return;
    default: TScrollingWinControl::Dispatch(Message); return;
    }
}

// --- actions ---------------------------------------------------------------------------------------

void TCustomForm::UpdateActions()
{
    if (ComponentState().Contains(csDesigning))
        return;
    InitiateAction();
    std::function<void(TComponent*)> Components = [&](TComponent* Owner) {
        for (int I = 0; I < Owner->ComponentCount(); ++I) {
            TComponent* C = Owner->Components(I);
            if (auto* List = dynamic_cast<TCustomActionList*>(C))
                List->UpdateActions();
            else if (auto* M = dynamic_cast<TMenu*>(C))
                M->UpdateItems();
        }
    };
    Components(this);
    std::function<void(TWinControl*)> Traverse = [&](TWinControl* Container) {
        for (int I = 0; I < Container->ControlCount(); ++I) {
            TControl* C = Container->Controls(I);
            if (!C->Visible())
                continue;
            C->InitiateAction();
            if (auto* W = dynamic_cast<TWinControl*>(C); W != nullptr && W->ControlCount() > 0)
                Traverse(W);
        }
    };
    Traverse(this);
}

bool TCustomForm::ExecuteAction(TBasicAction* Action)
{
    if (FActiveControl != nullptr && FActiveControl->ExecuteAction(Action))
        return true;
    if (TScrollingWinControl::ExecuteAction(Action))
        return true;
    std::function<bool(TWinControl*)> Traverse = [&](TWinControl* Container) {
        if (!Container->Showing())
            return false;
        for (int I = 0; I < Container->ControlCount(); ++I) {
            TControl* C = Container->Controls(I);
            if (C->Visible() && C->ExecuteAction(Action))
                return true;
            if (auto* W = dynamic_cast<TWinControl*>(C); W != nullptr && Traverse(W))
                return true;
        }
        return false;
    };
    return Traverse(this);
}

bool TCustomForm::UpdateAction(TBasicAction* Action)
{
    if (FActiveControl != nullptr && FActiveControl->UpdateAction(Action))
        return true;
    return TScrollingWinControl::UpdateAction(Action);
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

TCustomForm* GetParentForm(const TControl* Control)
{
    if (Control == nullptr)
        return nullptr;
    const TControl* Top = Control;
    while (Top->Parent() != nullptr)
        Top = Top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Top));
}

TCustomForm* ValidParentForm(const TControl* Control)
{
    TCustomForm* Form = GetParentForm(Control);
    if (Form == nullptr)
        throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(Control->Name()));
    return Form;
}
