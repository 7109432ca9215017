// Hints: shown after the pause, moved between controls after the short
// pause, the short part in the window and the long part in the
// application's Hint, CM_HINTSHOW and OnShowHint changing them, and any
// press hiding them.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/WindowHelpers.h"

#include "platform/forms/HintWindow.h"

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

TEST(HintText, SplitsAtTheBar)
{
    EXPECT_EQ(GetShortHint(QStringLiteral("a|b|c")), QStringLiteral("a"));
    EXPECT_EQ(GetLongHint(QStringLiteral("a|b|c")), QStringLiteral("b|c"));
    EXPECT_EQ(GetShortHint(QStringLiteral("both")), QStringLiteral("both"));
    EXPECT_EQ(GetLongHint(QStringLiteral("both")), QStringLiteral("both"));
}

} // namespace
