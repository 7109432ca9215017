// The polling panes: one shared timer for all of them, driven here by
// firing its OnTimer; the clock through the scripted clock, the key panes
// through the toggle hook, the resource pane through the memory hook; and
// panes freed from inside a tick.
#include "controls/foundation/FcClockStatus.h"
#include "controls/foundation/FcKeyStatus.h"
#include "controls/foundation/FcResourceStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "controls/foundation/FcSysRes.h"
#include "tests/controls/foundation/ContainerFixture.h"

#include "platform/rtl/DateUtils.h"

#include <map>

namespace {

// Fires the shared timer once, as the timer does.
void Tick()
{
    ASSERT_NE(PollingList(), nullptr);
    TTimer* Timer = PollingList()->Timer();
    Timer->OnTimer()(Timer);
}

struct Polling : TContainerFixture {
    TFcStatusBar* Bar = nullptr;
    std::map<int, bool> Keys;
    TSiMemoryStatus Memory;
    void SetUp() override
    {
        Form->SetBounds(20, 20, 500, 100);
        Bar = new TFcStatusBar(Form);
        Bar->SetParent(Form);
        Bar->SetShowSizeGrip(false);
        SetClockHook([] { return EncodeDateTime(2024, 3, 9, 14, 5, 7, 0); });
        SetFcKeyToggleHook([this](int Vk) { return Keys[Vk]; });
        SetFcMemoryStatusHook([this] { return Memory; });
    }
    void TearDown() override
    {
        TContainerFixture::TearDown();
        SetClockHook({});
        SetFcKeyToggleHook({});
        SetFcMemoryStatusHook({});
    }
    template <typename T>
    T* Pane(int Left, int Width = 100)
    {
        auto* P = Add<T>(Bounds(Left, 0, Width, 19), Bar);
        P->Font()->SetColor(clBlack);
        return P;
    }
};

} // namespace

TEST_F(Polling, OneTimerForEveryPaneFromTheFirstToTheLast)
{
    EXPECT_EQ(PollingList(), nullptr);
    auto* Clock = Pane<TFcClockStatus>(0);
    auto* Key = Pane<TFcKeyStatus>(150);
    ASSERT_NE(PollingList(), nullptr);
    EXPECT_EQ(PollingList()->Count(), 2);
    EXPECT_EQ(PollingList()->Timer()->Interval(), 500u);
    EXPECT_TRUE(PollingList()->Timer()->Enabled());
    // Setting the interval or Active on one pane sets them for all.
    Clock->SetInterval(1000);
    EXPECT_EQ(Key->Interval(), 1000);
    EXPECT_EQ(PollingList()->Timer()->Interval(), 1000u);
    Key->SetActive(false);
    EXPECT_FALSE(Clock->Active());
    EXPECT_FALSE(PollingList()->Timer()->Enabled());
    Clock->Free();
    Key->Free();
    EXPECT_EQ(PollingList(), nullptr);
}

TEST_F(Polling, OnlyVisiblePanesArePolled)
{
    int Shown = 0, Hidden = 0;
    auto* A = Pane<TFcKeyStatus>(0);
    auto* B = Pane<TFcKeyStatus>(100);
    A->SetOnTimerExpired([&](TObject*) { ++Shown; });
    B->SetOnTimerExpired([&](TObject*) { ++Hidden; });
    B->SetVisible(false);
    Tick();
    Tick();
    EXPECT_EQ(Shown, 2);
    EXPECT_EQ(Hidden, 0);
}

TEST_F(Polling, TheClockShowsTheScriptedTimeOrWhatItsHandlerSays)
{
    auto* Clock = Pane<TFcClockStatus>(0, 150);
    EXPECT_EQ(Clock->Width(), 150);
    Tick();
    EXPECT_EQ(Clock->Caption(), DateTimeToStr(EncodeDateTime(2024, 3, 9, 14, 5, 7, 0)));
    Clock->SetFormat(QStringLiteral("hh:nn"));
    EXPECT_EQ(Clock->Caption(), QStringLiteral("14:05"));
    // A handler that fixes the time shows it on every tick.
    Clock->SetOnGetDateTime([](TObject*, TDateTime& T) { T = EncodeDateTime(2000, 1, 1, 9, 30, 0, 0); });
    for (int I = 0; I < 3; ++I) {
        Tick();
        EXPECT_EQ(Clock->Caption(), QStringLiteral("09:30"));
    }
    // Under the size grip its text stops 12 pixels earlier.
    Form->Show();
    TRect Plain, UnderGrip;
    Clock->GetTextRect(Plain);
    Bar->SetShowSizeGrip(true);
    Clock->SetAlign(alRight);
    Clock->GetTextRect(UnderGrip);
    EXPECT_EQ(UnderGrip.Right, Plain.Right - 12);
}

// The panes' fixed widths were chosen for the classic faces: the clock's
// longest date and time still shows whole under the size grip, and the
// lock-key texts fit their 45 pixels, in MS Sans Serif (the default) and
// in Tahoma, both 8 points.
TEST_F(Polling, FixedWidthPanesHoldTheirTextsInTheClassicFaces)
{
    SetClockHook([] { return EncodeDateTime(2024, 12, 28, 23, 58, 59, 0); });
    Form->SetBounds(20, 20, 600, 100);
    Form->Show();
    for (const char* Face : {"MS Sans Serif", "Tahoma"}) {
        SCOPED_TRACE(Face);
        Bar->SetShowSizeGrip(true);
        auto* Clock = Pane<TFcClockStatus>(0, 150);
        Clock->Font()->SetName(QString::fromLatin1(Face));
        Clock->SetFormat(QStringLiteral("dd/mm/yyyy hh:nn:ss"));
        Clock->SetAlign(alRight);
        // The same text in a pane wide enough for anything.
        auto* Wide = Pane<TFcClockStatus>(0, 300);
        Wide->Font()->Assign(Clock->Font());
        Wide->SetFormat(Clock->Format());
        // The ink inside each pane's text rectangle, where drawing is clipped.
        auto TextInk = [this](TFcCustomStatusPane* P) {
            TRect R;
            P->GetTextRect(R);
            return BoundsOfColor(Shown(P).copy(R.Left, R.Top, R.Width(), R.Height()), ColorToRGB(clBlack));
        };
        TRect Text;
        Clock->GetTextRect(Text);
        const TRect Ink = TextInk(Clock);
        EXPECT_EQ(Ink.Width(), TextInk(Wide).Width());
        EXPECT_LT(Ink.Right, Text.Width());
        Clock->Free();
        Wide->Free();
        Bar->SetShowSizeGrip(false);
        for (int I = 0; I < 4; ++I) {
            auto* Key = Pane<TFcKeyStatus>(0, 45);
            Key->Font()->SetName(QString::fromLatin1(Face));
            const TFcToggleKey Kinds[] = {tkCapsLock, tkNumLock, tkScrollLock, tkInsert};
            Key->SetKey(Kinds[I]);
            Keys[VK_CAPITAL] = Keys[VK_NUMLOCK] = Keys[VK_SCROLL] = true;
            Tick();
            const TRect KeyInk = TextInk(Key);
            Key->GetTextRect(Text);
            EXPECT_FALSE(IsRectEmpty(KeyInk)) << I;
            EXPECT_GT(KeyInk.Left, 0) << I;
            EXPECT_LT(KeyInk.Right, Text.Width()) << I;
            Key->Free();
        }
    }
}

TEST_F(Polling, LockKeysShowBlankOrDimmedWhileOff)
{
    auto* Caps = Pane<TFcKeyStatus>(0, 45);
    auto* Num = Pane<TFcKeyStatus>(50, 45);
    Num->SetKey(tkNumLock);
    Num->SetKeyOffAppearance(koaDimmed);
    Form->Show();
    Tick();
    EXPECT_TRUE(Caps->KeyOff());
    EXPECT_EQ(CountColor(Shown(Caps), ColorToRGB(clBlack), Rect(0, 0, 45, 19)), 0);
    EXPECT_EQ(CountColor(Shown(Num), ColorToRGB(clBlack), Rect(0, 0, 45, 19)), 0);
    EXPECT_GT(CountColor(Shown(Num), ColorToRGB(clGrayText), Rect(0, 0, 45, 19)), 0);
    Keys[VK_CAPITAL] = Keys[VK_NUMLOCK] = true;
    Tick();
    EXPECT_FALSE(Caps->KeyOff());
    EXPECT_GT(CountColor(Shown(Caps), ColorToRGB(clBlack), Rect(0, 0, 45, 19)), 0);
    EXPECT_GT(CountColor(Shown(Num), ColorToRGB(clBlack), Rect(0, 0, 45, 19)), 0);
    // New texts are written with the pane.
    Caps->KeyStrings()->SetCapsLock(QStringLiteral("HOOFD"));
    EXPECT_TRUE(WriteComponentToText(Caps).contains("KeyStrings.CapsLock = 'HOOFD'"));
}

TEST_F(Polling, TheInsertPaneFlipsWithEachInsertPress)
{
    auto* Insert = Pane<TFcKeyStatus>(0, 80);
    Insert->SetKey(tkInsert);
    Insert->SetInsertState(isOverwrite);
    Tick();
    EXPECT_EQ(Insert->RunTimeInsertState(), isOverwrite);
    Keys[VK_INSERT] = true;
    Tick();
    EXPECT_EQ(Insert->RunTimeInsertState(), isInsert);
    Keys[VK_INSERT] = false;
    Tick();
    EXPECT_EQ(Insert->RunTimeInsertState(), isOverwrite);
    // Setting the state takes the key as it is now as its start.
    Keys[VK_INSERT] = true;
    Insert->SetInsertState(isInsert);
    Tick();
    EXPECT_EQ(Insert->RunTimeInsertState(), isInsert);
}

TEST_F(Polling, TheResourcePaneShowsFreeMemoryAndSwapInItsHint)
{
    auto* Res = Pane<TFcResourceStatus>(0, 120);
    EXPECT_TRUE(Res->ShowHint());
    const std::uint64_t GB = std::uint64_t(1) << 30;
    // 8 GB of memory and 8 GB of swap, 4 and 2.4 of them free: sizes far
    // beyond 32 bits.
    Memory.TotalPhys = 8 * GB;
    Memory.AvailPhys = 4 * GB;
    Memory.TotalPageFile = 8 * GB;
    Memory.AvailPageFile = 24 * GB / 10;
    Tick();
    EXPECT_EQ(Res->Percent(), 40);
    EXPECT_EQ(Res->Hint(), QStringLiteral("Memory: 40%"));
    EXPECT_EQ(Res->FreeKB(), (4 * GB + 24 * GB / 10) >> 10);
    EXPECT_EQ(Res->FreeText(), QStringLiteral("6,710,886 KB"));
    // A new name for the figure shows in the hint at once.
    Res->ResourceStrings()->SetMemory(QStringLiteral("Geheugen"));
    EXPECT_EQ(Res->Hint(), QStringLiteral("Geheugen: 40%"));
    EXPECT_TRUE(WriteComponentToText(Res).contains("ResourceStrings.Memory = 'Geheugen'"));
    // A system that reports nothing shows 0 %.
    Memory = TSiMemoryStatus();
    Tick();
    EXPECT_EQ(Res->Percent(), 0);
    EXPECT_EQ(Res->Hint(), QStringLiteral("Geheugen: 0%"));
}

TEST_F(Polling, TheResourceBarsLightTheFreePart)
{
    auto* Res = Pane<TFcResourceStatus>(0, 104);
    Res->SetBarColor(clRed);
    Res->SetBackColor(clBlue);
    Memory.TotalPhys = 100 << 20;
    Memory.AvailPhys = 25 << 20;
    Form->Show();
    Tick();
    // The text rectangle (2, 2, 102, 17) less a row above and below: the
    // first quarter of it in the bar colour.
    QImage I = Shown(Res);
    EXPECT_TRUE(RectHasColor(I, Rect(2, 3, 27, 16), ColorToRGB(clRed)));
    EXPECT_EQ(CountColor(I, ColorToRGB(clRed), Rect(27, 3, 102, 16)), 0);
    // Setting the style turns the percentage off; LED segments light up.
    Res->SetShowPercent(true);
    Res->SetBarStyle(bsLED);
    EXPECT_FALSE(Res->ShowPercent());
    I = Shown(Res);
    EXPECT_GT(CountColor(I, ColorToRGB(clRed), Rect(2, 3, 27, 16)), 0);
    EXPECT_EQ(CountColor(I, ColorToRGB(clRed), Rect(40, 3, 102, 16)), 0);
    // As text, the free KB.
    Res->SetDisplayStyle(dsText);
    Res->SetColor(clWhite);
    EXPECT_GT(CountColor(Shown(Res), ColorToRGB(clBlack), Rect(0, 0, 104, 19)), 0);
}

TEST_F(Polling, PanesFreedInsideATickAreSkippedAndTheLastFreesTheListAfterIt)
{
    auto* First = Pane<TFcKeyStatus>(0);
    auto* Second = Pane<TFcKeyStatus>(100);
    int SecondTicks = 0;
    Second->SetOnTimerExpired([&](TObject*) { ++SecondTicks; });
    First->SetOnTimerExpired([&](TObject*) { Second->Free(); });
    Tick();
    EXPECT_EQ(SecondTicks, 0);
    EXPECT_EQ(PollingList()->Count(), 1);
    // The last pane frees itself from its own handler: the list and its
    // timer stay until the tick is over.
    TFcPollingList* List = PollingList();
    First->SetOnTimerExpired([&](TObject*) {
        First->Free();
        EXPECT_EQ(PollingList(), List);
    });
    Tick();
    PumpMessages();
    EXPECT_EQ(PollingList(), nullptr);
}

TEST_F(Polling, TheSharedTimerRunsOnTheMessageLoop)
{
    auto* Clock = Pane<TFcClockStatus>(0);
    int Ticks = 0;
    Clock->SetOnTimerExpired([&](TObject*) { ++Ticks; });
    Clock->SetInterval(1);
    EXPECT_TRUE(RunUntil([&] { return Ticks >= 2; }));
}
