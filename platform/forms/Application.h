#pragma once
// TApplication: the program's message loop, its main form, the handling of
// exceptions that escape event handlers, the hint machinery and the idle
// time updates of actions.  One global Application exists from start to
// end; it owns the forms made with CreateForm.
//
// The loop: HandleMessage takes one message from the queue (hint and key
// pre-processing first, then TranslateMessage and DispatchMessage) or, when
// there is none, runs the idle work and waits.  Run repeats it until
// Terminate has posted WM_QUIT.
#include "platform/classes/ClassInfo.h"
#include "platform/windows/Controls.h"
#include "platform/forms/Forms.h"

#include <memory>
#include <vector>

class THintWindow;
class TApplicationEvents;

struct THintInfo {
    TControl* HintControl = nullptr;
    TClass HintWindowClass = nullptr;
    // Screen position of the hint window's top-left corner.
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    // The area (HintControl's client coordinates) the hint belongs to.
    TRect CursorRect;
    TPoint CursorPos;
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    void BeforeDestruction() override;

    // At start: Qt's own dialogs in Dutch, the Tango icons.
    void Initialize();
    // Makes a form owned by the application; Reference is set before its
    // OnCreate runs.  The first form made this way is the main form.
    template <typename T>
    void CreateForm(T*& Reference);
    // The main loop.  When it is told to end by anything but the main
    // form's own close (an exception handler's Terminate, say), the main
    // form is closed first, so that its close query and OnClose run (they
    // keep the user's work); a close query that refuses keeps it running.
    void Run();
    // Ends the loop once the messages already queued are handled.
    void Terminate();
    // The desktop session ends, or the program is told to stop: open
    // dialogs and modal forms are cancelled and the main form closes as
    // its close command would, its close query knowing (EndingSession)
    // that nobody may be there to answer whether to stop.
    void EndSession();
    bool EndingSession() const { return FEndingSession; }
    // The main form has closed: its close query and OnClose have run.
    void MainFormClosed();
    bool Terminated() const { return FTerminate; }
    void ProcessMessages();
    void HandleMessage();
    // One message taken and handled; false when the queue was empty.
    bool ProcessMessage(MSG& Msg);

    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    String Title() const;
    void SetTitle(const String& Value) { FTitle = Value; }
    String ExeName() const;
    bool Active() const;
    HWND Handle() const { return FHandle; }

    // --- exceptions: call inside a catch block ---
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);
    DECLARE_EVENT(TExceptionEvent, OnException)

    // --- hints ---
    String Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value);
    bool HintShortCuts() const { return FHintShortCuts; }
    void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
    TClass HintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(TClass Value) { FHintWindowClass = Value; }
    THintWindow* HintWindow() const { return FHintWindow; }
    void CancelHint();
    void ActivateHint(TPoint CursorPos);
    void HintMouseMessage(TControl* Control, TMessage& Message);
    DECLARE_EVENT(TNotifyEvent, OnHint)
    DECLARE_EVENT(TShowHintEvent, OnShowHint)

    // --- other events ---
    DECLARE_EVENT(TIdleEvent, OnIdle)
    DECLARE_EVENT(TNotifyEvent, OnActivate)
    DECLARE_EVENT(TNotifyEvent, OnDeactivate)
    DECLARE_EVENT(TMessageEvent, OnMessage)
    DECLARE_EVENT(TActionEvent, OnActionExecute)
    DECLARE_EVENT(TActionEvent, OnActionUpdate)

    bool ExecuteAction(TBasicAction* Action);
    bool UpdateAction(TBasicAction* Action);

    // --- used by the platform ---
    void FormDestroyed(TCustomForm* Form);
    void ControlDestroyed(TControl* Control);
    void AddApplicationEvents(TApplicationEvents* Events);
    void RemoveApplicationEvents(TApplicationEvents* Events);
    // The events of every TApplicationEvents, newest first.
    const std::vector<TApplicationEvents*>& ApplicationEvents() const { return FAppEvents; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    enum THintTimerMode { htNone, htShow, htHide };
    // Hands E to OnException, else to an OnException of the application
    // events, else shows it.
    void DispatchException(TObject* Sender, Exception& E);
    void Idle(const MSG& Msg);
    bool IsHintMsg(const MSG& Msg);
    bool IsKeyMsg(MSG& Msg);
    void StartHintTimer(int Milliseconds, THintTimerMode Mode);
    void StopHintTimer();
    void HintTimerExpired();
    void HideHint();
    void EnsureHintWindow();
    void DoActionIdle();
    void WndProc(TMessage& Message);
    void SetMainFormIfFirst(TComponent* Form);
    bool MainFormLetsGo();
    friend struct TApplicationTestAccess;

    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminate = false;
    bool FMainFormClosed = false;
    bool FEndingSession = false;
    bool FRunning = false;
    String FTitle;
    String FHint;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    bool FHintShortCuts = true;
    TClass FHintWindowClass = nullptr;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr;
    TRect FHintCursorRect;
    bool FHintActive = false;
    THintTimerMode FTimerMode = htNone;
    std::vector<TApplicationEvents*> FAppEvents;
};

extern TApplication* Application;

template <typename T>
void TApplication::CreateForm(T*& Reference)
{
    T* Instance = new T(this);
    Reference = Instance;
    try {
        FinishConstruction(Instance);
    } catch (...) {
        Reference = nullptr;
        throw;
    }
    SetMainFormIfFirst(Instance);
}
