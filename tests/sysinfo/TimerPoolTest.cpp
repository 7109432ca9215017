#include "sysinfo/SiTimerPool.h"

#include "platform/forms/Application.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class TTickTarget : public TComponent, public ISiTimerTarget {
public:
    using TComponent::TComponent;
    void PoolTimer(int ID, int Count) override { Calls.push_back({ID, Count}); }
    std::vector<std::pair<int, int>> Calls;
};

// The pool's own timer, driven by the test: one WM_TIMER as the window
// timer would send it.
void Tick(TSiTimerPool& Pool, int Times = 1)
{
    for (int I = 0; I < Times; ++I)
        SendMessage(Pool.Handle(), WM_TIMER, 1, 0);
}

class SiTimerPoolTest : public ::testing::Test {
protected:
    TSiTimerPool Pool{nullptr};
    std::vector<int> Fired; // the multiplier of each entry that fired, in order

    TSiTimerEntry* AddCounting(std::uint16_t Multiplier, int MaxCount = 0)
    {
        return Pool.Add(
            Multiplier, [this, Multiplier](TObject*) { Fired.push_back(Multiplier); }, MaxCount);
    }
};

} // namespace

TEST_F(SiTimerPoolTest, EntriesFireOnTheirMultiplesOfTheTick)
{
    TSiTimerEntry* Every = AddCounting(1);
    TSiTimerEntry* Second = AddCounting(2);
    TSiTimerEntry* Third = AddCounting(3);
    TSiTimerEntry* Zero = AddCounting(0); // counts as every tick
    Pool.SetActive(true);
    ASSERT_NE(Pool.Handle(), nullptr);
    EXPECT_TRUE(Pool.TimerRunning());
    Tick(Pool, 6); // ticks 0..5
    EXPECT_EQ(Every->Count(), 6);
    EXPECT_EQ(Second->Count(), 3);
    EXPECT_EQ(Third->Count(), 2);
    EXPECT_EQ(Zero->Multiplier(), 1);
    EXPECT_EQ(Zero->Count(), 6);
    EXPECT_EQ(Pool.TickCounter(), 6u);
    // Tick 0 fires everyone, in the order the entries were added.
    EXPECT_EQ(std::vector<int>(Fired.begin(), Fired.begin() + 4), (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(SiTimerPoolTest, AnEntryStopsAtItsMaximumAndTheTimerWithTheLast)
{
    TSiTimerEntry* Twice = AddCounting(1, 2);
    TSiTimerEntry* Once = AddCounting(2, 1);
    Pool.SetActive(true);
    Tick(Pool, 5);
    EXPECT_EQ(Twice->Count(), 2);
    EXPECT_FALSE(Twice->Enabled());
    EXPECT_EQ(Once->Count(), 1);
    EXPECT_FALSE(Once->Enabled());
    EXPECT_FALSE(Pool.TimerRunning());
    EXPECT_EQ(Fired, (std::vector<int>{1, 2, 1}));
    Twice->SetEnabled(true);
    EXPECT_TRUE(Pool.TimerRunning());
}

TEST_F(SiTimerPoolTest, NoTimerRunsWithoutAnEnabledEntryOrWhileInactive)
{
    Pool.SetActive(true);
    EXPECT_FALSE(Pool.TimerRunning()); // the application's pool: no entries, no timer
    TSiTimerEntry* Entry = AddCounting(1);
    EXPECT_TRUE(Pool.TimerRunning());
    Entry->SetEnabled(false);
    EXPECT_FALSE(Pool.TimerRunning());
    Entry->SetEnabled(true);
    Pool.SetActive(false);
    EXPECT_FALSE(Pool.TimerRunning());
}

TEST_F(SiTimerPoolTest, TargetsHearTheirIdentifierAndCountAndLeaveWhenTheyGo)
{
    auto* Target = new TTickTarget(nullptr);
    Pool.AddTarget(Target, 42, 2);
    AddCounting(1);
    Pool.AddTarget(Target, 7, 3, 1);
    Pool.SetActive(true);
    Tick(Pool, 4);
    EXPECT_EQ(Target->Calls, (std::vector<std::pair<int, int>>{{42, 1}, {7, 1}, {42, 2}}));
    Target->Free();
    EXPECT_EQ(Pool.Count(), 1);
    Tick(Pool, 2);
    TComponent Plain(nullptr);
    EXPECT_THROW(Pool.AddTarget(&Plain, 1, 1), EInvalidOperation);
}

TEST_F(SiTimerPoolTest, HandlersMayRemoveEntriesAndTicksDoNotNest)
{
    TSiTimerEntry* Victim = nullptr;
    int Nested = 0;
    Pool.Add(1, [&](TObject*) {
        ++Nested;
        Tick(Pool); // arrives while this tick runs: dropped
        Pool.Remove(Victim);
    });
    Victim = AddCounting(1);
    Pool.SetActive(true);
    Tick(Pool);
    EXPECT_EQ(Nested, 1);
    EXPECT_EQ(Pool.Count(), 1);
    EXPECT_TRUE(Fired.empty());
    EXPECT_EQ(Pool.TickCounter(), 1u);
}

TEST_F(SiTimerPoolTest, AFailingHandlerGoesToTheApplicationAndTheOthersStillFire)
{
    std::vector<QString> Errors;
    Application->SetOnException([&](TObject*, Exception& E) { Errors.push_back(E.Message()); });
    Pool.Add(1, [](TObject*) { throw EConvertError("kapot"); });
    AddCounting(1);
    Pool.SetActive(true);
    Tick(Pool);
    Application->SetOnException({});
    EXPECT_EQ(Errors, std::vector<QString>{"kapot"});
    EXPECT_EQ(Fired, std::vector<int>{1});
}

TEST(SiTimerPool, MinIntervalIsSetOnlyByAFormDefinition)
{
    TSiTimerPool Pool(nullptr);
    Pool.SetMinInterval(20);
    EXPECT_EQ(Pool.MinInterval(), 1000);
    auto Loaded = ReadRoot<TSiTimerPool>("object Pool: TSiTimerPool\n  MinInterval = 250\nend\n");
    EXPECT_EQ(Loaded->MinInterval(), 250);
    EXPECT_EQ(TSiTimerPool(nullptr, 50).MinInterval(), 50);
}
