#include "platform/forms/Application.h"

#include "platform/classes/TypInfo.h"
#include "platform/forms/AppEvnts.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Translations.h"
#include "platform/graphics/ClassicFonts.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/graphics/ThemeIcons.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <algorithm>
#include <cstdio>
#include <new>

REGISTER_COMPONENT(TApplication, TComponent)
END_REGISTER

TApplication* Application = new TApplication(nullptr);

namespace {

constexpr std::uintptr_t HintTimerId = 1;
// The distance from the mouse position to a hint below the cursor.
constexpr int CursorHeightMargin = 20;

// The application goes before Qt does: its forms hold Qt windows.
void FreeApplicationAtQtExit()
{
    if (Application != nullptr) {
        TApplication* A = Application;
        A->Free();
    }
    if (Screen != nullptr) {
        TScreen* S = Screen;
        Screen = nullptr;
        S->Free();
    }
}

// The control whose hint shows: the nearest one (itself or a parent) that
// wants hints shown.
TControl* GetHintControl(TControl* Control)
{
    TControl* Result = Control;
    while (Result != nullptr && !Result->ShowHint())
        Result = Result->Parent();
    if (Result != nullptr && Result->ComponentState().Contains(csDesigning))
        return nullptr;
    return Result;
}

String GetHint(TControl* Control)
{
    for (TControl* C = Control; C != nullptr; C = C->Parent())
        if (!C->Hint().isEmpty())
            return C->Hint();
    return String();
}

// Runs Fn for every application-events component, newest first, until one
// cancels the dispatch.
template <typename F>
void ForEachEvents(const std::vector<TApplicationEvents*>& List, F&& Fn)
{
    for (auto It = List.rbegin(); It != List.rend(); ++It) {
        Fn(**It);
        if ((*It)->TakeCancelled())
            break;
    }
}

} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    qAddPostRoutine(FreeApplicationAtQtExit);
    FHintWindowClass = ClassOf<THintWindow>();
    SetEntryExceptionHook([this](HWND Wnd) {
        TObject* Sender = FindControl(Wnd);
        HandleException(Sender != nullptr ? Sender : this);
    });
    SetMessageProcessor([this] {
        MSG Msg;
        return ProcessMessage(Msg);
    });
    ControlHooks().HintMouseMessage = [this](TControl* C, TMessage& M) { HintMouseMessage(C, M); };
    ControlHooks().ControlDestroyed = [this](TControl* C) { ControlDestroyed(C); };
    ControlHooks().CancelHint = [this] { CancelHint(); };
    ControlHooks().ScreenCursor = [] { return Screen != nullptr ? Screen->Cursor() : crDefault; };
    ActionHooks().Execute = [this](TBasicAction* A) { return ExecuteAction(A); };
    ActionHooks().Update = [this](TBasicAction* A) { return UpdateAction(A); };
}

void TApplication::Initialize()
{
    LoadDutchTranslations();
    SelectIconTheme();
    EnsureClassicFonts();
}

TApplication::~TApplication()
{
    TApplication::BeforeDestruction();
    if (Application == this)
        Application = nullptr;
}

void TApplication::BeforeDestruction()
{
    if (ComponentState().Contains(csDestroying)) {
        TComponent::BeforeDestruction();
        return;
    }
    Destroying();
    CancelHint();
    if (FHandle != nullptr) {
        DeallocateHWnd(FHandle);
        FHandle = nullptr;
    }
    SetEntryExceptionHook({});
    SetMessageProcessor({});
    ControlHooks() = TControlHooks();
    ActionHooks() = TActionHooks();
    TComponent::BeforeDestruction();
    FHintWindow = nullptr;
    FMainForm = nullptr;
}

void TApplication::SetMainFormIfFirst(TComponent* Form)
{
    if (FMainForm == nullptr) {
        FMainForm = dynamic_cast<TCustomForm*>(Form);
        FMainFormClosed = false;
    }
}

String TApplication::ExeName() const
{
    return ProgramFileName();
}

String TApplication::Title() const
{
    if (!FTitle.isEmpty())
        return FTitle;
    return ChangeFileExt(ExtractFileName(ExeName()), String());
}

bool TApplication::Active() const
{
    return ApplicationIsActive();
}

// --- the loop -----------------------------------------------------------------------------------

void TApplication::Run()
{
    FRunning = true;
    if (FMainForm != nullptr && FShowMainForm)
        FMainForm->SetVisible(true);
    do {
        while (!FTerminate) {
            try {
                HandleMessage();
            } catch (...) {
                HandleException(this);
            }
        }
    } while (!MainFormLetsGo());
    FRunning = false;
}

bool TApplication::MainFormLetsGo()
{
    if (FMainFormClosed || FMainForm == nullptr || !FMainForm->HandleAllocated() || !FMainForm->Visible())
        return true;
    // Loop on: a close that went through has posted the quit again, one
    // that was refused lets the program go on.
    FTerminate = false;
    try {
        FMainForm->Close();
    } catch (...) {
        HandleException(this);
    }
    // The close went through or was refused: either way the end of the
    // session has had its answer.
    FEndingSession = false;
    return false;
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::EndSession()
{
    FEndingSession = true;
    // Qt's own dialogs (message boxes, file dialogs) run loops of their own:
    // they are answered as by Escape.  Modal forms end with the loop.
    const QWidgetList Windows = HasWidgetApplication() ? QApplication::topLevelWidgets() : QWidgetList();
    for (QWidget* W : Windows)
        if (auto* Dialog = qobject_cast<QDialog*>(W); Dialog != nullptr && Dialog->isVisible())
            Dialog->reject();
    Terminate();
}

void TApplication::MainFormClosed()
{
    FMainFormClosed = true;
    Terminate();
}

void TApplication::ProcessMessages()
{
    MSG Msg;
    while (ProcessMessage(Msg)) {
    }
}

void TApplication::HandleMessage()
{
    MSG Msg;
    if (!ProcessMessage(Msg))
        Idle(Msg);
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        FTerminate = true;
        return true;
    }
    if (Msg.hwnd == nullptr) {
        // Thread messages: the program became active or inactive.
        if (Msg.message == CM_ACTIVATE || Msg.message == CM_DEACTIVATE) {
            const bool Activate = Msg.message == CM_ACTIVATE;
            if (!Activate)
                CancelHint();
            if (Activate && FOnActivate)
                FOnActivate(this);
            if (!Activate && FOnDeactivate)
                FOnDeactivate(this);
            ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
                if (Activate && E.OnActivate())
                    E.OnActivate()(this);
                if (!Activate && E.OnDeactivate())
                    E.OnDeactivate()(this);
            });
        }
        return true;
    }
    bool Handled = false;
    if (FOnMessage)
        FOnMessage(Msg, Handled);
    if (!Handled)
        ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
            if (!Handled && E.OnMessage())
                E.OnMessage()(Msg, Handled);
        });
    if (!IsHintMsg(Msg) && !Handled && !IsKeyMsg(Msg)) {
        TranslateMessage(Msg);
        DispatchMessage(Msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST)
        return false;
    // Keys go first to the control that has them as a reflected message
    // (CN_KEYDOWN ...): shortcuts and dialog keys are decided there.
    HWND Wnd = GetCapture();
    if (Wnd == nullptr) {
        Wnd = Msg.hwnd;
        while (Wnd != nullptr && FindControl(Wnd) == nullptr)
            Wnd = GetParent(Wnd);
        if (Wnd == nullptr)
            Wnd = Msg.hwnd;
    }
    if (!IsWindowSerial(Msg.hwnd, Msg.Serial) && Wnd == Msg.hwnd)
        return true;
    return SendMessage(Wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Idle(const MSG& Msg)
{
    (void)Msg;
    if (FShowHint && MouseControl() == nullptr)
        CancelHint();
    SetHint(GetLongHint(GetHint(MouseControl())));
    bool Done = true;
    try {
        if (FOnIdle)
            FOnIdle(this, Done);
        ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
            if (E.OnIdle())
                E.OnIdle()(this, Done);
        });
        if (Done)
            DoActionIdle();
    } catch (...) {
        HandleException(this);
    }
    if (Done && !FTerminate)
        WaitMessage();
}

void TApplication::DoActionIdle()
{
    for (int I = 0; Screen != nullptr && I < Screen->CustomFormCount(); ++I) {
        TCustomForm* F = Screen->CustomForms(I);
        if (F->HandleAllocated() && IsWindowVisible(F->WindowHandle()) && IsWindowEnabled(F->WindowHandle()))
            F->UpdateActions();
    }
}

// --- exceptions -----------------------------------------------------------------------------------

// Exceptions that are not ours (the standard library's, or anything else
// thrown) take the same road as ours, in a Dutch sentence: the program's
// handler decides, as for every other failure.
void TApplication::HandleException(TObject* Sender)
{
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
    try {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& E) {
        DispatchException(Sender, E);
    } catch (const std::bad_alloc&) {
        Exception OutOfMemory(QStringLiteral("Er is onvoldoende geheugen om de opdracht uit te voeren"));
        DispatchException(Sender, OutOfMemory);
    } catch (const std::exception& E) {
        Exception Wrapped(QStringLiteral("Interne fout: %1").arg(QuotedInput(QString::fromUtf8(E.what()))));
        DispatchException(Sender, Wrapped);
    } catch (...) {
        Exception Unknown(QStringLiteral("Onbekende interne fout"));
        DispatchException(Sender, Unknown);
    }
}

void TApplication::DispatchException(TObject* Sender, Exception& E)
{
    bool Dispatched = false;
    if (FOnException) {
        FOnException(Sender, E);
        Dispatched = true;
    }
    if (!Dispatched)
        ForEachEvents(FAppEvents, [&](TApplicationEvents& AE) {
            if (AE.OnException()) {
                AE.OnException()(Sender, E);
                Dispatched = true;
            }
        });
    if (!Dispatched)
        ShowException(E);
}

void TApplication::ShowException(const Exception& E)
{
    String Msg = E.Message();
    if (!Msg.isEmpty() && Msg.back() > QLatin1Char('.'))
        Msg += QLatin1Char('.');
    MessageBox(Msg, Title(), MB_OK | MB_ICONSTOP);
}

// --- actions -----------------------------------------------------------------------------------------

bool TApplication::ExecuteAction(TBasicAction* Action)
{
    bool Handled = false;
    if (FOnActionExecute)
        FOnActionExecute(Action, Handled);
    if (!Handled)
        ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
            if (!Handled && E.OnActionExecute())
                E.OnActionExecute()(Action, Handled);
        });
    if (Handled)
        return true;
    if (Screen == nullptr)
        return false;
    if (TCustomForm* F = Screen->ActiveForm(); F != nullptr && F->ExecuteAction(Action))
        return true;
    return FMainForm != nullptr && FMainForm != Screen->ActiveForm() && FMainForm->ExecuteAction(Action);
}

bool TApplication::UpdateAction(TBasicAction* Action)
{
    bool Handled = false;
    if (FOnActionUpdate)
        FOnActionUpdate(Action, Handled);
    if (!Handled)
        ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
            if (!Handled && E.OnActionUpdate())
                E.OnActionUpdate()(Action, Handled);
        });
    if (Handled)
        return true;
    if (Screen == nullptr)
        return false;
    if (TCustomForm* F = Screen->ActiveForm(); F != nullptr && F->UpdateAction(Action))
        return true;
    return FMainForm != nullptr && FMainForm != Screen->ActiveForm() && FMainForm->UpdateAction(Action);
}

// --- hints --------------------------------------------------------------------------------------------

void TApplication::SetHint(const String& Value)
{
    if (FHint == Value)
        return;
    FHint = Value;
    bool Heard = false;
    if (FOnHint) {
        FOnHint(this);
        Heard = true;
    }
    ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
        if (E.OnHint()) {
            E.OnHint()(this);
            Heard = true;
        }
    });
    if (Heard)
        return;
    // Nobody listens: whatever control shows hints (a status bar) gets
    // the hint as an action.
    THintAction Action(nullptr);
    Action.SetHint(Value);
    Action.Execute();
}

void TApplication::SetShowHint(bool Value)
{
    if (FShowHint == Value)
        return;
    FShowHint = Value;
    if (!Value) {
        CancelHint();
        if (FHintWindow != nullptr) {
            THintWindow* W = FHintWindow;
            FHintWindow = nullptr;
            W->Free();
        }
    }
}

void TApplication::SetHintColor(TColor Value)
{
    FHintColor = Value;
    if (FHintWindow != nullptr)
        FHintWindow->SetColor(Value);
}

void TApplication::EnsureHintWindow()
{
    if (FHintWindow != nullptr && ClassOfObject(FHintWindow) == FHintWindowClass)
        return;
    if (FHintWindow != nullptr) {
        THintWindow* Old = FHintWindow;
        FHintWindow = nullptr;
        Old->Free();
    }
    TComponent* W = FHintWindowClass != nullptr ? FHintWindowClass->CreateComponent(this) : nullptr;
    FHintWindow = dynamic_cast<THintWindow*>(W);
    if (FHintWindow == nullptr) {
        if (W != nullptr)
            W->Free();
        FHintWindow = CreateComponent<THintWindow>(this);
    }
    FHintWindow->SetColor(FHintColor);
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    if (!FShowHint)
        return;
    const TPoint P = Control->ClientToScreen(LParamToPoint(Message.LParam));
    TControl* NewHintControl = GetHintControl(FindDragTarget(P, true));
    if (NewHintControl == nullptr || !NewHintControl->ShowHint()) {
        CancelHint();
        return;
    }
    if (NewHintControl == FHintControl && PtInRect(FHintCursorRect, P))
        return;
    const bool WasActive = FHintActive;
    int Pause = WasActive ? FHintShortPause : FHintPause;
    NewHintControl->Perform(CM_HINTSHOWPAUSE, WasActive ? 1 : 0, PtrToLParam(&Pause));
    CancelHint();
    FHintActive = WasActive;
    FHintControl = NewHintControl;
    FHintControl->FreeNotification(this);
    StartHintTimer(Pause, htShow);
}

void TApplication::ActivateHint(TPoint CursorPos)
{
    if (FHintControl == nullptr)
        return;
    THintInfo Info;
    Info.HintControl = FHintControl;
    Info.HintWindowClass = FHintWindowClass;
    Info.HintPos = {CursorPos.X, CursorPos.Y + CursorHeightMargin};
    Info.HintMaxWidth = Screen->Width();
    Info.HintColor = FHintColor;
    Info.CursorRect = FHintControl->ClientRect();
    Info.CursorPos = FHintControl->ScreenToClient(CursorPos);
    Info.HintStr = GetShortHint(GetHint(FHintControl));
    Info.HideTimeout = FHintHidePause;
    bool CanShow = FHintControl->Perform(CM_HINTSHOW, 0, PtrToLParam(&Info)) == 0;
    if (CanShow && FOnShowHint)
        FOnShowHint(Info.HintStr, CanShow, Info);
    if (CanShow)
        ForEachEvents(FAppEvents, [&](TApplicationEvents& E) {
            if (E.OnShowHint())
                E.OnShowHint()(Info.HintStr, CanShow, Info);
        });
    FHintActive = CanShow && FHintControl != nullptr;
    if (!FHintActive || Info.HintStr.isEmpty()) {
        HideHint();
        if (FHintActive && Info.ReshowTimeout > 0)
            StartHintTimer(Info.ReshowTimeout, htShow);
        return;
    }
    if (Info.HintWindowClass != nullptr)
        FHintWindowClass = Info.HintWindowClass;
    EnsureHintWindow();
    TRect R = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
    OffsetRect(R, Info.HintPos.X, Info.HintPos.Y);
    FHintWindow->SetColor(Info.HintColor);
    FHintWindow->ActivateHintData(R, Info.HintStr, Info.HintData);
    // Where the mouse may move without the hint changing, on the screen.
    const TPoint O = FHintControl->ClientToScreen({0, 0});
    FHintCursorRect = Info.CursorRect;
    OffsetRect(FHintCursorRect, O.X, O.Y);
    if (Info.HideTimeout > 0)
        StartHintTimer(Info.HideTimeout, htHide);
    else
        StopHintTimer();
}

void TApplication::HideHint()
{
    if (FHintWindow != nullptr && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->WindowHandle()))
        ShowWindow(FHintWindow->WindowHandle(), SW_HIDE);
}

void TApplication::CancelHint()
{
    if (FHintControl == nullptr)
        return;
    HideHint();
    FHintControl->RemoveFreeNotification(this);
    FHintControl = nullptr;
    FHintActive = false;
    StopHintTimer();
}

bool TApplication::IsHintMsg(const MSG& Msg)
{
    if (FHintWindow != nullptr && FHintWindow->IsHintMsg(Msg))
        CancelHint();
    return false;
}

void TApplication::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER && Message.WParam == HintTimerId) {
        GuardEntry(FHandle, [this] { HintTimerExpired(); });
        return;
    }
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::StartHintTimer(int Milliseconds, THintTimerMode Mode)
{
    StopHintTimer();
    if (FHandle == nullptr)
        FHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
    FTimerMode = Mode;
    if (SetTimer(FHandle, HintTimerId, UINT(std::max(Milliseconds, 1))) == 0)
        CancelHint();
}

void TApplication::StopHintTimer()
{
    if (FHandle != nullptr && FTimerMode != htNone)
        KillTimer(FHandle, HintTimerId);
    FTimerMode = htNone;
}

void TApplication::HintTimerExpired()
{
    const THintTimerMode Mode = FTimerMode;
    StopHintTimer();
    if (Mode == htShow) {
        TPoint P;
        GetCursorPos(&P);
        ActivateHint(P);
    } else if (Mode == htHide) {
        HideHint();
    }
}

// --- bookkeeping ------------------------------------------------------------------------------------

void TApplication::FormDestroyed(TCustomForm* Form)
{
    if (FMainForm == Form)
        FMainForm = nullptr;
}

void TApplication::ControlDestroyed(TControl* Control)
{
    if (FMainForm == Control)
        FMainForm = nullptr;
    if (FHintControl == Control) {
        HideHint();
        FHintControl = nullptr;
        FHintActive = false;
        StopHintTimer();
    }
    if (Screen != nullptr)
        Screen->ControlDestroyed(Control);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FHintWindow)
        FHintWindow = nullptr;
    if (AComponent == FHintControl)
        FHintControl = nullptr;
    if (AComponent == FMainForm)
        FMainForm = nullptr;
}

void TApplication::AddApplicationEvents(TApplicationEvents* Events)
{
    FAppEvents.push_back(Events);
}

void TApplication::RemoveApplicationEvents(TApplicationEvents* Events)
{
    FAppEvents.erase(std::remove(FAppEvents.begin(), FAppEvents.end(), Events), FAppEvents.end());
}
