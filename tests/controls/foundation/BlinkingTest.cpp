// The blinking list: one timer from the first blinking control to the last,
// one rhythm for all, CM_BLINKSTATE only for controls that blink.  The tests
// drive the list's timer by firing its OnTimer.
#include "controls/foundation/FcBlinking.h"
#include "tests/controls/foundation/FcTestControls.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

// Fires the list's timer once, as the timer itself does.
void TickBlinking()
{
    ASSERT_NE(BlinkingControlsList(), nullptr);
    TTimer* Timer = BlinkingControlsList()->Timer();
    const TNotifyEvent OnTimer = Timer->OnTimer();
    OnTimer(Timer);
}

} // namespace

TEST(BlinkingList, OneTimerFromTheFirstControlToTheLast)
{
    ASSERT_EQ(BlinkingControlsList(), nullptr);
    auto* First = new TTestBlinker(nullptr);
    TFcBlinkingControlsList* List = BlinkingControlsList();
    ASSERT_NE(List, nullptr);
    EXPECT_TRUE(List->Timer()->Enabled());
    EXPECT_EQ(List->Timer()->Interval(), 500u);
    auto* Second = new TTestBlinker(nullptr);
    EXPECT_EQ(BlinkingControlsList(), List);
    EXPECT_EQ(List->Count(), 2);
    List->SetBlinkIntervalOn(120);
    delete First;
    EXPECT_EQ(BlinkingControlsList(), List);
    delete Second;
    EXPECT_EQ(BlinkingControlsList(), nullptr);
    // A new control starts a new list, phase on and intervals 500.
    auto* Third = new TTestBlinker(nullptr);
    ASSERT_NE(BlinkingControlsList(), nullptr);
    EXPECT_EQ(BlinkingControlsList()->BlinkIntervalOn(), 500);
    EXPECT_EQ(BlinkingControlsList()->State(), 1);
    delete Third;
    EXPECT_EQ(BlinkingControlsList(), nullptr);
}

TEST(BlinkingList, BlinkingControlsSwitchTogetherAndOthersAreOnlyAsked)
{
    TTestBlinker A(nullptr), B(nullptr), Still(nullptr);
    A.SetBlinking(true);
    B.SetBlinking(true);
    TFcBlinkingControlsList* List = BlinkingControlsList();
    List->SetBlinkIntervalOff(300);
    List->SetBlinkIntervalOn(700);
    // Each switch sets the length of the phase it starts.
    const struct {
        int Phase;
        unsigned Interval;
    } Ticks[] = {{0, 300}, {1, 700}, {0, 300}};
    for (const auto& T : Ticks) {
        TickBlinking();
        EXPECT_EQ(List->State(), T.Phase);
        EXPECT_EQ(List->Timer()->Interval(), T.Interval);
    }
    EXPECT_EQ(A.Phases, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(B.Phases, A.Phases);
    EXPECT_TRUE(Still.Phases.empty());
    EXPECT_EQ(Still.Queries, 3);
}

TEST(BlinkingList, AControlFreedDuringATickIsLeftOut)
{
    TTestBlinker Killer(nullptr);
    auto* Victim = new TTestBlinker(nullptr);
    Killer.SetBlinking(true);
    Victim->SetBlinking(true);
    // Killer comes first and frees Victim before the list reaches it.
    Killer.FreeOnBlink = Victim;
    TickBlinking();
    EXPECT_EQ(BlinkingControlsList()->Count(), 1);
    EXPECT_EQ(Killer.Phases, std::vector<int>{0});
}

TEST(BlinkingList, TheTimerRunsOnTheMessageLoop)
{
    TTestBlinker A(nullptr);
    A.SetBlinking(true);
    BlinkingControlsList()->Timer()->SetInterval(1);
    BlinkingControlsList()->SetBlinkIntervalOn(1);
    BlinkingControlsList()->SetBlinkIntervalOff(1);
    EXPECT_TRUE(RunUntil([&] { return A.Phases.size() >= 2; }));
    EXPECT_EQ(A.Phases[0], 0);
    EXPECT_EQ(A.Phases[1], 1);
}
