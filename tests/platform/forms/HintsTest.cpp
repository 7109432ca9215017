// Hints: shown after the pause, moved between controls after the short
// pause, the short part in the window and the long part in the
// application's Hint, CM_HINTSHOW and OnShowHint changing them, and any
// press hiding them.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XServer.h"

#include "platform/forms/HintWindow.h"
#include "platform/forms/Timer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct Hints : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TTestBox* First = new TTestBox(Form);
    TTestBox* Second = new TTestBox(Form);
    QStringList AppHints;

    void SetUp() override
    {
        Form->SetBounds(50, 50, 300, 200);
        First->SetBoundsRect(Bounds(10, 10, 100, 50));
        First->SetHint(QStringLiteral("Kort|Lange uitleg"));
        Second->SetBoundsRect(Bounds(150, 10, 100, 50));
        Second->SetHint(QStringLiteral("Tweede"));
        for (TTestBox* B : {First, Second}) {
            B->SetParent(Form);
            B->SetShowHint(true);
        }
        Form->Show();
        Application->SetHintPause(30);
        Application->SetHintShortPause(5);
        Application->SetOnHint([this](TObject*) { AppHints << Application->Hint(); });
    }
    void TearDown() override
    {
        Application->SetOnHint({});
        Application->SetOnShowHint({});
        Application->CancelHint();
        Application->SetHintPause(500);
        Application->SetHintShortPause(50);
        Form->Free();
    }
    static bool Shown()
    {
        THintWindow* W = Application->HintWindow();
        return W != nullptr && W->HandleAllocated() && IsWindowVisible(W->WindowHandle());
    }
    static QString Shows() { return Shown() ? Application->HintWindow()->Caption() : QString(); }
};

TEST_F(Hints, AppearAfterThePauseWithTheShortPart)
{
    MouseMove(First, {20, 20});
    PumpMessages();
    EXPECT_FALSE(Shown());
    ASSERT_TRUE(RunUntil(Shown));
    EXPECT_EQ(Shows(), QStringLiteral("Kort"));
    // Just below the mouse.
    TRect R;
    GetWindowRect(Application->HintWindow()->WindowHandle(), &R);
    const TPoint Mouse = First->ClientToScreen({20, 20});
    EXPECT_EQ(R.Left, Mouse.X);
    EXPECT_GT(R.Top, Mouse.Y);
}

TEST_F(Hints, TheApplicationHintFollowsTheMouseWithTheLongPart)
{
    MouseMove(First, {20, 20});
    Application->HandleMessage();
    EXPECT_EQ(Application->Hint(), QStringLiteral("Lange uitleg"));
    MouseMove(Second, {20, 20});
    Application->HandleMessage();
    EXPECT_EQ(AppHints.last(), QStringLiteral("Tweede"));
}

TEST_F(Hints, TheApplicationHintFollowsWhatComesUnderAStillMouse)
{
    auto* Bare = new TTestBox(Form);
    Bare->SetBoundsRect(Bounds(20, 20, 30, 30));
    Bare->SetVisible(false);
    Bare->SetParent(Form);
    auto* Spot = new TTestGraphic(Form);
    Spot->SetBoundsRect(Bounds(20, 20, 30, 30));
    Spot->SetHint(QStringLiteral("Plek"));
    Spot->SetVisible(false);
    Spot->SetParent(Form);
    // The mouse stays at (30, 30) of the form from here on.
    MouseMove(First, {20, 20});
    IdleOnce();
    ASSERT_EQ(Application->Hint(), QStringLiteral("Lange uitleg"));
    struct TStep {
        const char* What;
        std::function<void()> Change;
        QString Hint;
    };
    const std::vector<TStep> Steps = {
        {"a box without a hint in front", [&] { Bare->Show(); }, QString()},
        {"that box gone", [&] { Bare->Free(); }, QStringLiteral("Lange uitleg")},
        {"hidden", [&] { First->Hide(); }, QString()},
        {"shown", [&] { First->Show(); }, QStringLiteral("Lange uitleg")},
        {"moved away", [&] { First->SetLeft(150); }, QString()},
        {"a graphic control shown", [&] { Spot->Show(); }, QStringLiteral("Plek")},
        {"moved away", [&] { Spot->SetTop(100); }, QString()},
        {"moved back", [&] { Spot->SetTop(20); }, QStringLiteral("Plek")},
        {"freed", [&] { Spot->Free(); }, QString()},
    };
    for (const TStep& S : Steps) {
        S.Change();
        IdleOnce();
        EXPECT_EQ(Application->Hint(), S.Hint) << S.What;
    }
}

TEST_F(Hints, APressThatChangesWhatLiesUnderTheMouseIsFollowed)
{
    // The press hides the box, and the release comes in while the press is
    // still being handled, as it does when that takes a while.
    First->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) {
        First->Hide();
        QueueMouseUp(Form, {30, 30});
    });
    MouseMove(First, {20, 20});
    MouseDown(First, {20, 20});
    IdleOnce();
    EXPECT_EQ(MouseControl(), Form);
    EXPECT_EQ(Application->Hint(), QString());
}

TEST_F(Hints, TheApplicationHintFollowsWindowsShownAndClosedUnderAStillMouse)
{
    MouseMove(First, {20, 20});
    TForm* Front = CreateNewForm<TForm>(nullptr);
    Front->SetBoundsRect(Form->BoundsRect());
    Front->SetHint(QStringLiteral("Voor"));
    Front->Show();
    IdleOnce();
    EXPECT_EQ(Application->Hint(), QStringLiteral("Voor"));
    Front->Hide();
    IdleOnce();
    EXPECT_EQ(Application->Hint(), QStringLiteral("Lange uitleg"));
    // The same with a modal window, which ends from a timer once the loop
    // has gone idle with it in front.
    QString During;
    TTimer Later(nullptr);
    Later.SetInterval(1);
    int Ticks = 0;
    Later.SetOnTimer([&](TObject*) {
        if (Application->Hint() != QStringLiteral("Voor") && ++Ticks < 1000)
            return;
        Later.SetEnabled(false);
        During = Application->Hint();
        Front->SetModalResult(mrOk);
    });
    Front->ShowModal();
    EXPECT_EQ(During, QStringLiteral("Voor"));
    IdleOnce();
    EXPECT_EQ(Application->Hint(), QStringLiteral("Lange uitleg"));
    Front->Free();
}

TEST_F(Hints, MoveToTheNextControlAfterTheShortPauseAndGoOnAPress)
{
    MouseMove(First, {20, 20});
    ASSERT_TRUE(RunUntil(Shown));
    MouseMove(Second, {20, 20});
    ASSERT_TRUE(RunUntil([] { return Shows() == QStringLiteral("Tweede"); }, 400));
    MouseDown(Second, {20, 20});
    EXPECT_FALSE(Shown());
    MouseUp(Second, {20, 20});
}

TEST_F(Hints, ShowHintHandlersChangeTheTextOrRefuse)
{
    Application->SetOnShowHint([](String& Text, bool& CanShow, THintInfo& Info) {
        if (Info.HintControl->Hint() == QStringLiteral("Tweede"))
            CanShow = false;
        Text = Text.toUpper();
    });
    MouseMove(First, {20, 20});
    ASSERT_TRUE(RunUntil(Shown));
    EXPECT_EQ(Shows(), QStringLiteral("KORT"));
    MouseMove(Second, {20, 20});
    RunUntil([] { return false; }, 100);
    EXPECT_FALSE(Shown());
}

TEST_F(Hints, ControlsWithoutShowHintShowNone)
{
    First->SetShowHint(false);
    MouseMove(First, {20, 20});
    RunUntil([] { return false; }, 100);
    EXPECT_FALSE(Shown());
}

// On a real desktop, where the desktop only says that the mouse entered or
// left a window: a modal window shown under a still mouse takes it, and
// when it ends the window behind has it again; a hint window shown over it
// lets it through, clicks included.
QV_X_SERVER_TEST(AStillMouseFollowsModalWindowsAndGoesThroughHints)
{
    TForm* Main = CreateNewForm<TForm>(nullptr);
    Main->SetBounds(100, 100, 400, 300);
    auto* Box = new TTestBox(Main);
    Box->SetBoundsRect(Bounds(10, 10, 300, 200));
    Box->SetHint(QStringLiteral("Vak"));
    Box->SetParent(Main);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    const auto HintBecomes = [](const QString& Hint) {
        return RunUntil(
            [&] {
                IdleOnce();
                return Application->Hint() == Hint;
            },
            XPatience);
    };
    const TPoint Mouse = Box->ClientToScreen({100, 100});
    XMoveTo(Mouse.X, Mouse.Y);
    ASSERT_TRUE(HintBecomes(QStringLiteral("Vak")));

    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetHint(QStringLiteral("Dialoog"));
    Dialog->SetBounds(Mouse.X - 100, Mouse.Y - 60, 240, 160);
    bool SawDialog = false;
    QElapsedTimer Clock;
    QTimer Watch;
    Watch.setInterval(20);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        SawDialog = SawDialog || Application->Hint() == QStringLiteral("Dialoog");
        if (SawDialog || Clock.elapsed() > XPatience)
            Dialog->SetModalResult(mrOk);
    });
    Clock.start();
    Watch.start();
    Dialog->ShowModal();
    Watch.stop();
    EXPECT_TRUE(SawDialog);
    EXPECT_TRUE(HintBecomes(QStringLiteral("Vak"))) << Application->Hint().toStdString();
    Dialog->Free();

    // A hint over the box, as a list shows an item too wide for it: gone
    // when the mouse leaves the box, back when it enters.
    auto* Over = new THintWindow(Main);
    const TRect OverRect = Bounds(Mouse.X - 20, Mouse.Y - 8, 200, 20);
    int Leaves = 0;
    Box->SetOnMouseEnter([&](TObject*) { Over->ActivateHint(OverRect, QStringLiteral("Erover")); });
    Box->SetOnMouseLeave([&](TObject*) {
        ++Leaves;
        ShowWindow(Over->Handle(), SW_HIDE);
    });
    Over->ActivateHint(OverRect, QStringLiteral("Erover"));
    ASSERT_TRUE(RunUntil([&] { return WindowQtWidget(Over->Handle())->windowHandle()->isExposed(); }, XPatience));
    // The desktop's word that the mouse left the box for the hint is not
    // taken: the hint would go, the mouse enter the box again, and so on.
    // That word comes before the pointer's next move, which reaches the box
    // through the hint.
    TPoint Moved{-1, -1};
    Box->SetOnMouseMove([&](TObject*, TShiftState, int X, int Y) { Moved = {X, Y}; });
    XMoveTo(Mouse.X + 1, Mouse.Y);
    EXPECT_TRUE(RunUntil([&] { return Moved == TPoint{101, 100}; }, XPatience));
    IdleOnce();
    EXPECT_EQ(Leaves, 0);
    XClick(Mouse.X, Mouse.Y);
    EXPECT_TRUE(RunUntil([&] { return Box->Clicks == 1; }, XPatience));
    IdleOnce();
    EXPECT_EQ(MouseControl(), Box);
    EXPECT_TRUE(IsWindowVisible(Over->Handle()));
    Main->Free();
}

TEST(HintText, SplitsAtTheBar)
{
    EXPECT_EQ(GetShortHint(QStringLiteral("a|b|c")), QStringLiteral("a"));
    EXPECT_EQ(GetLongHint(QStringLiteral("a|b|c")), QStringLiteral("b|c"));
    EXPECT_EQ(GetShortHint(QStringLiteral("both")), QStringLiteral("both"));
    EXPECT_EQ(GetLongHint(QStringLiteral("both")), QStringLiteral("both"));
}

} // namespace
