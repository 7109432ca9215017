// The message queue: posted messages, input translated from Qt's events and
// timer messages, taken out by PeekMessage and handed to the windows by
// DispatchMessage.
//
// The program's loop (TApplication) drives Qt: PeekMessage lets Qt deliver
// its pending events, which our Qt windows turn into queued messages.
// When Qt runs a loop of its own (a Qt dialog, a menu), queued messages are
// still handed out: a posted wake-up event runs the message processor.
#include "platform/graphics/ControlCanvas.h"
#include "platform/windows/WndHandle.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <tuple>

namespace {

std::deque<MSG>& Queue()
{
    static auto* Q = new std::deque<MSG>;
    return *Q;
}

int PumpDepth = 0;
int Depth = 0;
MSG LastMessage;
std::vector<std::function<void()>>& AfterDispatch()
{
    static auto* List = new std::vector<std::function<void()>>;
    return *List;
}

void DefaultExceptionHook(HWND)
{
    try {
        throw;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "quorvy: unhandled exception: %s\n", E.what());
    } catch (...) {
        std::fprintf(stderr, "quorvy: unhandled exception\n");
    }
}

TExceptionHook& ExceptionHook()
{
    static TExceptionHook Hook = DefaultExceptionHook;
    return Hook;
}

std::function<bool()>& MessageProcessor()
{
    static std::function<bool()> Processor;
    return Processor;
}

bool DefaultProcessOne()
{
    MSG Msg;
    if (!PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        // Nobody is looping to see it: put it back for the real loop.
        Queue().push_front(Msg);
        return false;
    }
    TranslateMessage(Msg);
    DispatchMessage(Msg);
    return true;
}

// Hands messages out while Qt runs a loop of its own (a Qt dialog, a
// menu).  A queued message only owes a wake-up: our own loop looks at the
// queue after every pass through Qt's, so posting a Qt event (a lock, an
// allocation and a write to the dispatcher's wake-up descriptor, then a
// read and a dispatch on the other side) for every message would be
// wasted there.  The debt is settled when Qt's dispatcher next starts a
// pass: inside our loop it is dropped (our loop takes the message), in a
// loop of Qt's the wake-up event is posted and runs the processor.
class TPump : public QObject {
public:
    static constexpr QEvent::Type WakeType = QEvent::Type(QEvent::User + 0x51);
    void Owe()
    {
        FOwed = true;
        if (!FHooked && !Hook())
            Wake();
    }

protected:
    void customEvent(QEvent* Event) override
    {
        if (Event->type() != WakeType)
            return;
        FWakePending = false;
        if (PumpDepth > 0)
            return;
        GuardEntry(nullptr, [] {
            auto& Process = MessageProcessor();
            for (int I = 0; I < 1000 && !Queue().empty(); ++I)
                if (!(Process ? Process() : DefaultProcessOne()))
                    break;
        });
    }

private:
    bool Hook()
    {
        QAbstractEventDispatcher* Dispatcher = QAbstractEventDispatcher::instance();
        if (Dispatcher == nullptr)
            return false;
        // Every pass starts with one of the two: awake when it does not
        // wait, aboutToBlock when it may.
        connect(Dispatcher, &QAbstractEventDispatcher::awake, this, [this] { PassStarts(); });
        connect(Dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { PassStarts(); });
        connect(Dispatcher, &QObject::destroyed, this, [this] { FHooked = false; });
        FHooked = true;
        return true;
    }
    void PassStarts()
    {
        if (!FOwed)
            return;
        FOwed = false;
        if (PumpDepth == 0)
            Wake();
    }
    void Wake()
    {
        if (FWakePending)
            return;
        FWakePending = true;
        QCoreApplication::postEvent(this, new QEvent(WakeType));
    }

    bool FWakePending = false;
    bool FOwed = false;
    bool FHooked = false;
};

TPump& Pump()
{
    static auto* P = new TPump;
    return *P;
}

struct TTimerKey {
    HWND Wnd;
    std::uint64_t Serial;
    std::uintptr_t Id;
    bool operator<(const TTimerKey& O) const
    {
        return std::tie(Wnd, Serial, Id) < std::tie(O.Wnd, O.Serial, O.Id);
    }
};
struct TTimerEntry {
    QTimer* Timer;
    bool Queued;
};
std::map<TTimerKey, TTimerEntry>& Timers()
{
    static auto* Map = new std::map<TTimerKey, TTimerEntry>;
    return *Map;
}

bool InRange(UINT Msg, UINT Min, UINT Max)
{
    return (Min == 0 && Max == 0) || (Msg >= Min && Msg <= Max);
}

// The window a queued message goes to if it is taken out now.  Key input
// follows the focus, as the classic queue hands it out: keys typed ahead
// go where the keys before them, a Tab or an accelerator or a form that
// opened, have put the focus, and none is lost because the window that
// had the focus when it came has gone.
HWND TargetNow(const MSG& M)
{
    if (!M.ToFocus)
        return M.hwnd;
    return QvWnd::KeyTarget(IsWindowSerial(M.hwnd, M.Serial) ? M.hwnd : nullptr);
}

bool Matches(const MSG& M, HWND Target, HWND Wnd, UINT Min, UINT Max)
{
    if (M.message == WM_QUIT)
        return true;
    if (!InRange(M.message, Min, Max))
        return false;
    return Wnd == nullptr || Target == Wnd || IsChild(Wnd, Target);
}

// Sync: first make sure everything the desktop has sent so far is here.
void TakeQtEvents(bool Sync = false)
{
    // What controls drew outside a paint message is shown in this pass.
    FreeDeviceContexts();
    ++PumpDepth;
    if (Sync)
        QGuiApplication::sync();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Qt deletes what was handed to deleteLater (the Qt windows of freed
    // top-level windows, their editors, killed timers) when one of its own
    // loops returns, and ours is not one of them: without this they stayed
    // until a Qt menu happened to run.  Qt still keeps back what a Qt loop
    // running further up the stack asked for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    --PumpDepth;
}

std::function<DWORD()>& TickHook()
{
    static std::function<DWORD()> Hook;
    return Hook;
}

} // namespace

namespace QvWnd {

void QueueInput(const MSG& Msg)
{
    Queue().push_back(Msg);
    Pump().Owe();
}

void TakeInputSentSoFar()
{
    TakeQtEvents(QGuiApplication::platformName() != QLatin1String("offscreen"));
}

bool InputWaiting()
{
    auto& Q = Queue();
    return std::any_of(Q.begin(), Q.end(), [](const MSG& M) { return M.Keys != nullptr; });
}

void DropQueuedFor(HWND Wnd)
{
    auto& Q = Queue();
    // Key input waiting for the focus is not the window's yet.
    for (auto It = Q.begin(); It != Q.end();)
        It = It->hwnd == Wnd && !It->ToFocus ? Q.erase(It) : It + 1;
}

void DropQueuedMouseInput()
{
    auto IsMouse = [](UINT M) {
        return (M >= WM_MOUSEFIRST && M <= WM_MOUSELAST) || (M >= WM_NCMOUSEMOVE && M <= WM_NCMBUTTONDBLCLK)
            || M == WM_MOUSEACTIVATE || M == WM_SETCURSOR;
    };
    auto& Q = Queue();
    Q.erase(std::remove_if(Q.begin(), Q.end(), [&](const MSG& M) { return IsMouse(M.message); }), Q.end());
}

void KillTimersOf(HWND Wnd)
{
    auto& Map = Timers();
    for (auto It = Map.begin(); It != Map.end();) {
        if (It->first.Wnd == Wnd) {
            It->second.Timer->stop();
            It->second.Timer->deleteLater();
            It = Map.erase(It);
        } else {
            ++It;
        }
    }
}

bool Pumping()
{
    return PumpDepth > 0;
}

} // namespace QvWnd

using namespace QvWnd;

void SetMessageProcessor(std::function<bool()> Processor)
{
    MessageProcessor() = std::move(Processor);
}

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Wnd != nullptr && Live(Wnd) == nullptr)
        return FALSE;
    MSG M;
    M.hwnd = Wnd;
    M.message = Msg;
    M.wParam = WParam;
    M.lParam = LParam;
    M.time = GetTickCount();
    GetCursorPos(&M.pt);
    M.Serial = WindowSerial(Wnd);
    QueueInput(M);
    return TRUE;
}

void PostQuitMessage(int ExitCode)
{
    PostMessage(nullptr, WM_QUIT, WPARAM(ExitCode), 0);
}

namespace {

// Qt's events (input, painting, timers) are taken whenever our queue has
// nothing for the caller, and at least every few milliseconds while it is
// busy: running Qt's loop for every message taken would double the cost
// of a busy queue.
bool QtEventsDue(bool Waiting)
{
    // The clock is read only while the queue is busy: it starts at the
    // first busy look after Qt's events were taken.
    static QElapsedTimer Since;
    static enum { Never, Taken, Timing } State = Never;
    if (Waiting || State == Never || (State == Timing && Since.elapsed() >= 2)) {
        State = Taken;
        return true;
    }
    if (State == Taken) {
        Since.start();
        State = Timing;
    }
    return false;
}

} // namespace

BOOL PeekMessage(MSG& Msg, HWND Wnd, UINT Min, UINT Max, UINT Remove)
{
    auto& Q = Queue();
    const bool Waiting =
        std::none_of(Q.begin(), Q.end(), [&](const MSG& M) { return Matches(M, TargetNow(M), Wnd, Min, Max); });
    // The input taken so far has been handled.
    if (Waiting)
        ForgetInputHit();
    if (QtEventsDue(Waiting))
        TakeQtEvents();
    // Asked for anything with nothing there: the mouse may be over
    // something else now than when it last moved.
    if (Q.empty() && Wnd == nullptr && Min == 0 && Max == 0 && (Remove & PM_REMOVE) != 0)
        RecheckMouse();
    for (auto It = Q.begin(); It != Q.end(); ++It) {
        const HWND Target = TargetNow(*It);
        if (!Matches(*It, Target, Wnd, Min, Max))
            continue;
        Msg = *It;
        if (Msg.ToFocus) {
            Msg.hwnd = Target;
            Msg.Serial = WindowSerial(Target);
            Msg.ToFocus = false;
        }
        if ((Remove & PM_REMOVE) != 0) {
            if (It == Q.begin())
                Q.pop_front();
            else
                Q.erase(It);
            LastMessage = Msg;
            if (Msg.Keys)
                InputTaken(Msg);
            if (Msg.message == WM_TIMER) {
                auto T = Timers().find({Msg.hwnd, Msg.Serial, std::uintptr_t(Msg.wParam)});
                if (T != Timers().end())
                    T->second.Queued = false;
            }
        }
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(MSG& Msg, HWND Wnd, UINT Min, UINT Max)
{
    while (!PeekMessage(Msg, Wnd, Min, Max, PM_REMOVE))
        WaitMessage();
    return Msg.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage()
{
    if (!Queue().empty())
        return TRUE;
    ++PumpDepth;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    --PumpDepth;
    return TRUE;
}

BOOL TranslateMessage(const MSG& Msg)
{
    if ((Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) || Msg.Text.isEmpty())
        return FALSE;
    const UINT CharMsg = Msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    auto& Q = Queue();
    auto Pos = Q.begin();
    for (QChar C : Msg.Text) {
        MSG M = Msg;
        M.message = CharMsg;
        M.wParam = C.unicode();
        M.Text.clear();
        Pos = Q.insert(Pos, M) + 1;
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG& Msg)
{
    if (Msg.hwnd == nullptr || !IsWindowSerial(Msg.hwnd, Msg.Serial))
        return 0;
    LastMessage = Msg;
    LRESULT Result = 0;
    ++Depth;
    try {
        Result = SendMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
    } catch (...) {
        ExceptionHook()(Msg.hwnd);
    }
    --Depth;
    if (Depth == 0) {
        auto& After = AfterDispatch();
        while (!After.empty()) {
            std::vector<std::function<void()>> Batch;
            Batch.swap(After);
            for (auto& F : Batch)
                GuardEntry(nullptr, F);
        }
    }
    return Result;
}

DWORD GetMessagePos()
{
    return DWORD(MAKELPARAM(LastMessage.pt.X, LastMessage.pt.Y));
}

DWORD GetMessageTime()
{
    return LastMessage.time;
}

void SetEntryExceptionHook(TExceptionHook Hook)
{
    ExceptionHook() = Hook ? std::move(Hook) : TExceptionHook(DefaultExceptionHook);
}

void GuardEntry(HWND Wnd, const std::function<void()>& F)
{
    try {
        F();
    } catch (...) {
        try {
            ExceptionHook()(Wnd);
        } catch (...) {
            DefaultExceptionHook(Wnd);
        }
    }
}

int DispatchDepth()
{
    return Depth;
}

void RunAfterDispatch(std::function<void()> F)
{
    if (Depth == 0) {
        GuardEntry(nullptr, F);
        return;
    }
    AfterDispatch().push_back(std::move(F));
}

// --- timers ------------------------------------------------------------------------------

std::uintptr_t SetTimer(HWND Wnd, std::uintptr_t Id, UINT Elapse)
{
    if (Live(Wnd) == nullptr)
        return 0;
    const TTimerKey Key{Wnd, Wnd->Serial, Id};
    auto& Map = Timers();
    auto It = Map.find(Key);
    QTimer* Timer = nullptr;
    if (It != Map.end()) {
        Timer = It->second.Timer;
    } else {
        Timer = new QTimer(&Pump());
        Map[Key] = {Timer, false};
        QObject::connect(Timer, &QTimer::timeout, [Key, Timer] {
            // A timer killed and set again has a new QTimer: the old one's
            // last tick must not count for it.
            auto E = Timers().find(Key);
            if (E == Timers().end() || E->second.Timer != Timer || E->second.Queued
                || !IsWindowSerial(Key.Wnd, Key.Serial))
                return;
            E->second.Queued = true;
            MSG M;
            M.hwnd = Key.Wnd;
            M.message = WM_TIMER;
            M.wParam = Key.Id;
            M.time = GetTickCount();
            M.Serial = Key.Serial;
            QueueInput(M);
        });
    }
    Timer->start(int(std::max<UINT>(Elapse, 1)));
    return Id;
}

BOOL KillTimer(HWND Wnd, std::uintptr_t Id)
{
    if (Live(Wnd) == nullptr)
        return FALSE;
    auto& Map = Timers();
    auto It = Map.find({Wnd, Wnd->Serial, Id});
    if (It == Map.end())
        return FALSE;
    It->second.Timer->stop();
    It->second.Timer->deleteLater();
    Map.erase(It);
    auto& Q = Queue();
    for (auto M = Q.begin(); M != Q.end();)
        M = M->hwnd == Wnd && M->message == WM_TIMER && M->wParam == Id ? Q.erase(M) : M + 1;
    return TRUE;
}

DWORD GetTickCount()
{
    if (TickHook())
        return TickHook()();
    static QElapsedTimer Clock = [] {
        QElapsedTimer T;
        T.start();
        return T;
    }();
    return DWORD(Clock.elapsed());
}

void SetTickCountHook(std::function<DWORD()> Hook)
{
    TickHook() = std::move(Hook);
}
