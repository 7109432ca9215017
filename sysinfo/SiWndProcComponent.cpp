#include "sysinfo/SiWndProcComponent.h"

#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

// What the hooked procedure reaches: the component while it is hooked,
// afterwards only the procedure it replaced.
struct TSiWndProcComponent::THookState {
    TSiWndProcComponent* Component = nullptr;
    TWindowProcedure OldProc;
    bool MainWindow = false;
};

// The procedure put in place of the owner's (or the application window's).
struct TSiWndProcComponent::THookThunk {
    std::shared_ptr<THookState> State;

    void operator()(TMessage& Message) const
    {
        // Kept alive here: the component may unhook while it handles this.
        const std::shared_ptr<THookState> S = State;
        if (S->Component == nullptr) {
            if (S->OldProc)
                S->OldProc(Message);
        } else if (S->MainWindow) {
            S->Component->MainWndProc(Message);
        } else {
            S->Component->WndProc(Message);
        }
    }
};

namespace {

// Whether Proc is the thunk of State, i.e. nothing hooked in after it.
template <typename Thunk, typename State>
bool IsOnTop(const TWindowProcedure& Proc, const State& S)
{
    const Thunk* Top = Proc.template target<Thunk>();
    return Top != nullptr && Top->State == S;
}

} // namespace

TSiWndProcComponent::TSiWndProcComponent(TComponent* AOwner) : TSiCustomComponent(AOwner)
{}

TSiWndProcComponent::~TSiWndProcComponent()
{
    TSiWndProcComponent::Unhook();
}

void TSiWndProcComponent::BeforeDestruction()
{
    Unhook();
    TSiCustomComponent::BeforeDestruction();
}

TWinControl* TSiWndProcComponent::OwnerControl() const
{
    return dynamic_cast<TWinControl*>(Owner());
}

void TSiWndProcComponent::Hook()
{
    TWinControl* Control = OwnerControl();
    if (Control == nullptr || FState != nullptr || !CanHook() || (!Designing() && !FEnabled))
        return;
    FHookMode = 0;
    if (auto* Form = dynamic_cast<TCustomForm*>(Control); Form != nullptr && !FForceNormalMode) {
        if (Form->FormStyle() == fsMDIChild)
            FHookMode = 1;
        else if (Form->FormStyle() == fsMDIForm)
            FHookMode = 2;
    }
    FState = std::make_shared<THookState>();
    FState->Component = this;
    FState->OldProc = Control->WindowProc();
    Control->SetWindowProc(THookThunk{FState});
    if (FHookMainWindow)
        HookApplicationWindow();
}

void TSiWndProcComponent::Unhook()
{
    if (FState != nullptr) {
        if (TWinControl* Control = OwnerControl(); Control != nullptr) {
            const TWindowProcedure Current = Control->WindowProc();
            if (IsOnTop<THookThunk>(Current, FState))
                Control->SetWindowProc(FState->OldProc);
        }
        FState->Component = nullptr;
        FState.reset();
    }
    UnhookApplicationWindow();
    FBusy = false;
}

void TSiWndProcComponent::DesignTimeRelease()
{
    if (Designing() && !FHookAtDesignTime)
        Unhook();
}

void TSiWndProcComponent::Loaded()
{
    TSiCustomComponent::Loaded();
    if (!Designing() || FHookAtDesignTime)
        Hook();
}

void TSiWndProcComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    TSiCustomComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Owner())
        Unhook();
}

void TSiWndProcComponent::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DESTROY && FHookMode == 1 && FState != nullptr) {
        // The window goes: the hook goes first, the owner still hears of it.
        const std::shared_ptr<THookState> S = FState;
        Unhook();
        if (S->OldProc)
            S->OldProc(Message);
        return;
    }
    CallOldWndProc(Message);
    if (Message.Msg == CM_RECREATEWND)
        Hook();
}

void TSiWndProcComponent::MainWndProc(TMessage& Message)
{
    const std::shared_ptr<THookState> S = FMainState;
    if (S != nullptr && S->OldProc)
        S->OldProc(Message);
    else
        Message.Result = DefWindowProc(FMainWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TSiWndProcComponent::CallOldWndProc(TMessage& Message)
{
    const std::shared_ptr<THookState> S = FState;
    if (S != nullptr && S->OldProc)
        S->OldProc(Message);
}

void TSiWndProcComponent::HookApplicationWindow()
{
    // The application's window exists once the application needed one.
    HWND Wnd = Application != nullptr ? Application->Handle() : nullptr;
    if (Wnd == nullptr || FMainState != nullptr)
        return;
    FMainState = std::make_shared<THookState>();
    FMainState->Component = this;
    FMainState->MainWindow = true;
    FMainState->OldProc = SetWindowProc(Wnd, THookThunk{FMainState});
    FMainWindow = Wnd;
    FMainWindowHooked = true;
}

void TSiWndProcComponent::UnhookApplicationWindow()
{
    if (FMainState == nullptr)
        return;
    if (IsWindow(FMainWindow) && IsOnTop<THookThunk>(GetWindowProc(FMainWindow), FMainState))
        SetWindowProc(FMainWindow, FMainState->OldProc);
    FMainState->Component = nullptr;
    FMainState.reset();
    FMainWindow = nullptr;
    FMainWindowHooked = false;
}
