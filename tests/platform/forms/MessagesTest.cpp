// Messages and their safety: posted messages in order, messages and timers
// of windows that have gone, exceptions that never reach Qt's loop, and no
// pointer left to a control that goes while it has the mouse, the focus or
// the hint.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/WindowHelpers.h"

#include "platform/forms/AppEvnts.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {

// A window that records what reaches it and may throw on request.
struct TRecorder {
    std::vector<std::pair<UINT, WPARAM>> Seen;
    UINT ThrowOn = 0;
    HWND Wnd = AllocateHWnd([this](TMessage& M) {
        if (M.Msg >= WM_USER || M.Msg == WM_TIMER)
            Seen.emplace_back(M.Msg, M.WParam);
        if (M.Msg == ThrowOn)
            throw EConvertError(QStringLiteral("boom"));
    });
    ~TRecorder() { DeallocateHWnd(Wnd); }
};

// Counts the exceptions the application is handed.
struct TExceptionCount {
    int Count = 0;
    QString Last;
    TExceptionCount()
    {
        Application->SetOnException([this](TObject*, Exception& E) {
            ++Count;
            Last = E.Message();
        });
    }
    ~TExceptionCount() { Application->SetOnException({}); }
};

// Records the notices reflected back to it.
class TReflected : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<UINT> Heard;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg >= CN_BASE && Message.Msg < CN_BASE + 0x1000)
            Heard.push_back(Message.Msg);
        TWinControl::WndProc(Message);
    }
};

TEST(Messages, AChildWindowsNoticeToItsParentIsReflectedToItsControl)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    auto* Child = new TReflected(Form);
    Child->SetParent(Form);
    for (UINT Msg : {UINT(WM_COMMAND), UINT(WM_HSCROLL), UINT(WM_CTLCOLOREDIT)})
        SendMessage(Form->Handle(), Msg, 0, PtrToLParam(Child->Handle()));
    // A menu command (no window in LParam) stays the form's own.
    SendMessage(Form->Handle(), WM_COMMAND, 7, 0);
    EXPECT_EQ(Child->Heard, std::vector<UINT>({CN_COMMAND, CN_HSCROLL, CN_CTLCOLOREDIT}));
    Form->Free();
}

TEST(Messages, PostedMessagesArriveInTheOrderPosted)
{
    TRecorder R;
    for (WPARAM I = 0; I < 5; ++I)
        PostMessage(R.Wnd, WM_USER + 1, I, 0);
    PumpMessages();
    ASSERT_EQ(R.Seen.size(), 5u);
    for (WPARAM I = 0; I < 5; ++I)
        EXPECT_EQ(R.Seen[I].second, I);
}

TEST(Messages, AMessageToAWindowThatWentIsDropped)
{
    auto* R = new TRecorder;
    HWND Gone = R->Wnd;
    PostMessage(Gone, WM_USER + 1, 0, 0);
    delete R;
    // A new window may get the same address; the message is not its own.
    TRecorder Next;
    PumpMessages();
    EXPECT_TRUE(Next.Seen.empty());
    EXPECT_EQ(PostMessage(Gone, WM_USER, 0, 0), IsWindow(Gone) ? TRUE : FALSE);
}

TEST(Messages, AWindowThatWentIsNoWindowWhicheverWereAskedAboutBefore)
{
    // More windows than are remembered as alive, every one asked about.
    std::vector<HWND> Windows;
    for (int I = 0; I < 64; ++I)
        Windows.push_back(AllocateHWnd({}));
    for (HWND W : Windows)
        EXPECT_TRUE(IsWindow(W));
    for (std::size_t I = 0; I < Windows.size(); I += 2)
        DeallocateHWnd(Windows[I]);
    for (std::size_t I = 0; I < Windows.size(); ++I)
        EXPECT_EQ(IsWindow(Windows[I]) != FALSE, I % 2 == 1) << I;
    for (std::size_t I = 1; I < Windows.size(); I += 2)
        DeallocateHWnd(Windows[I]);
}

TEST(Messages, AQtLoopOfItsOwnHandsOutQueuedMessages)
{
    // A Qt dialog or menu runs Qt's loop, not ours: what was posted before
    // it and what is posted while it runs still reaches the windows.
    TRecorder R;
    PostMessage(R.Wnd, WM_USER + 1, 1, 0);
    QEventLoop Loop;
    QTimer::singleShot(1, &Loop, [&] { PostMessage(R.Wnd, WM_USER + 1, 2, 0); });
    QTimer Watch;
    QObject::connect(&Watch, &QTimer::timeout, &Loop, [&] {
        if (R.Seen.size() >= 2)
            Loop.quit();
    });
    Watch.start(1);
    QTimer::singleShot(5000, &Loop, &QEventLoop::quit);
    Loop.exec();
    ASSERT_EQ(R.Seen.size(), 2u);
    EXPECT_EQ(R.Seen[0].second, 1u);
    EXPECT_EQ(R.Seen[1].second, 2u);
}

TEST(Messages, TimersFireOnTheUiThreadAndDieWithTheirWindow)
{
    TRecorder R;
    SetTimer(R.Wnd, 7, 1);
    ASSERT_TRUE(RunUntil([&] { return R.Seen.size() >= 2; }));
    for (const auto& [Msg, Id] : R.Seen) {
        EXPECT_EQ(Msg, UINT(WM_TIMER));
        EXPECT_EQ(Id, 7u);
    }
    auto* Gone = new TRecorder;
    SetTimer(Gone->Wnd, 1, 1);
    QThread::msleep(5);
    delete Gone;
    // Nothing of it may come back: it would be handed to freed memory.
    PumpMessages();
    QThread::msleep(5);
    PumpMessages();
}

TEST(Messages, TTimerFiresUntilDisabledAndNotAfterItIsFreed)
{
    int Fired = 0;
    auto* T = new TTimer(nullptr);
    T->SetInterval(1);
    T->SetOnTimer([&](TObject*) { ++Fired; });
    ASSERT_TRUE(RunUntil([&] { return Fired >= 3; }));
    T->SetEnabled(false);
    const int AtStop = Fired;
    QThread::msleep(5);
    PumpMessages();
    EXPECT_EQ(Fired, AtStop);
    T->SetEnabled(true);
    QThread::msleep(3);
    delete T;
    PumpMessages();
}

TEST(Messages, ExceptionsReachTheApplicationAndTheLoopGoesOn)
{
    TExceptionCount Exceptions;
    TRecorder R;
    R.ThrowOn = WM_USER + 2;
    PostMessage(R.Wnd, WM_USER + 2, 0, 0);
    PostMessage(R.Wnd, WM_USER + 3, 0, 0);
    PumpMessages();
    EXPECT_EQ(Exceptions.Count, 1);
    EXPECT_EQ(R.Seen.size(), 2u);
    // A timer handler that throws.
    TTimer T(nullptr);
    T.SetInterval(1);
    T.SetOnTimer([&](TObject*) {
        T.SetEnabled(false);
        throw EListError(QStringLiteral("in a timer"));
    });
    ASSERT_TRUE(RunUntil([&] { return Exceptions.Count == 2; }));
    EXPECT_EQ(Exceptions.Last, QStringLiteral("in a timer"));
}

TEST(Messages, ApplicationEventsHearTheExceptionAndAbortIsSilent)
{
    TApplicationEvents Events(nullptr);
    QStringList Heard;
    Events.SetOnException([&](TObject*, Exception& E) { Heard << E.Message(); });
    TRecorder R;
    R.ThrowOn = WM_USER + 4;
    PostMessage(R.Wnd, WM_USER + 4, 0, 0);
    PumpMessages();
    EXPECT_EQ(Heard, QStringList({"boom"}));
    TScriptedMessageBoxes Boxes;
    GuardEntry(nullptr, [] { throw EAbort(); });
    EXPECT_TRUE(Boxes.Asked().empty());
    EXPECT_EQ(Heard.size(), 1);
}

TEST(Messages, WithoutAHandlerTheExceptionIsShownInABox)
{
    TScriptedMessageBoxes Boxes;
    GuardEntry(nullptr, [] { throw EConvertError(QStringLiteral("Not a number")); });
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, QStringLiteral("Not a number."));
    EXPECT_EQ(Boxes.Asked()[0].Flags, unsigned(MB_OK | MB_ICONSTOP));
}

// What the standard library or anything else throws reaches the program's
// handler too, in Dutch, as the program's own exceptions do.
TEST(Messages, ForeignExceptionsReachTheHandlerInDutch)
{
    const struct {
        std::function<void()> Throw;
        QString Message;
    } Cases[] = {
        {[] { throw std::bad_alloc(); }, QStringLiteral("Er is onvoldoende geheugen om de opdracht uit te voeren")},
        {[] { throw std::runtime_error(std::string(100, 'x')); },
         QStringLiteral("Interne fout: ") + QuotedInput(QString(100, QLatin1Char('x')))},
        {[] { throw 42; }, QStringLiteral("Onbekende interne fout")},
    };
    for (const auto& C : Cases) {
        TExceptionCount Exceptions;
        GuardEntry(nullptr, C.Throw);
        EXPECT_EQ(Exceptions.Count, 1) << C.Message.toStdString();
        EXPECT_EQ(Exceptions.Last, C.Message);
    }
}

TEST(Messages, AControlThatGoesLeavesNoPointerToIt)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetBounds(0, 0, 200, 100);
    auto* Box = new TTestBox(Form);
    Box->SetBoundsRect(Bounds(10, 10, 80, 50));
    Box->SetParent(Form);
    Box->SetShowHint(true);
    Box->SetHint(QStringLiteral("a hint"));
    auto* Graphic = new TTestGraphic(Form);
    Graphic->SetParent(Box);
    Form->Show();
    Box->SetFocus();
    MouseMove(Graphic, {2, 2});
    MouseDown(Graphic, {2, 2});
    ASSERT_EQ(GetCaptureControl(), Graphic);
    ASSERT_EQ(MouseControl(), Graphic);
    Graphic->Free();
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(MouseControl(), nullptr);
    Application->SetHintPause(1);
    MouseMove(Box, {40, 40});
    auto HintShown = [] {
        THintWindow* W = Application->HintWindow();
        return W != nullptr && W->HandleAllocated() && IsWindowVisible(W->WindowHandle());
    };
    ASSERT_TRUE(RunUntil(HintShown));
    const void* Gone = Box;
    Box->Free();
    // The focus went back to the form.
    EXPECT_NE(static_cast<const void*>(Screen->ActiveControl()), Gone);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(GetFocus(), Form->Handle());
    EXPECT_FALSE(HintShown());
    // Moving and pressing over where it was touches nothing that went.
    MouseMove(Form, {40, 40});
    MouseClick(Form, {40, 40});
    Application->SetHintPause(500);
    Form->Free();
}

} // namespace
