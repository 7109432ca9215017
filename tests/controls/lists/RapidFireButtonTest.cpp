// The rapid-fire button: clicks repeated while held on its driven timer,
// the repeat stopped at once by the release, a short press clicking once,
// and the scroll-arrow glyphs of each direction.
#include "controls/lists/FcRapidFireButton.h"
#include "platform/graphics/Bitmap.h"
#include "tests/controls/lists/ListsFixture.h"

namespace {

struct RapidFire : ListsForm {
    TFcRapidFireButton* Button = nullptr;
    int Clicks = 0;
    void SetUp() override
    {
        ListsForm::SetUp();
        Button = Make<TFcRapidFireButton>(Bounds(10, 10, 23, 22));
        Button->SetOnClick([this](TObject*) { ++Clicks; });
    }
    void Tick()
    {
        ASSERT_NE(Button->RepeatTimer(), nullptr);
        if (Button->RepeatTimer()->Enabled())
            Button->RepeatTimer()->OnTimer()(Button->RepeatTimer());
    }
};

TEST_F(RapidFire, AHeldPressRepeatsAfterTheInitialDelayThenEveryDelay)
{
    EXPECT_EQ(Button->RepeatTimer(), nullptr);
    MouseDown(Button, {5, 5});
    ASSERT_NE(Button->RepeatTimer(), nullptr);
    EXPECT_TRUE(Button->RepeatTimer()->Enabled());
    EXPECT_EQ(Button->RepeatTimer()->Interval(), 400u);
    EXPECT_EQ(Clicks, 0);
    Tick();
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Button->RepeatTimer()->Interval(), 100u);
    for (int I = 0; I < 5; ++I)
        Tick();
    EXPECT_EQ(Clicks, 6);
    MouseUp(Button, {5, 5});
    EXPECT_EQ(Clicks, 7) << "the release inside clicks once more";
    EXPECT_FALSE(Button->RepeatTimer()->Enabled()) << "the release stops the repeat at once";
    Tick();
    EXPECT_EQ(Clicks, 7);
}

TEST_F(RapidFire, AShortPressClicksOnceAndAReleaseOutsideNotAtAll)
{
    MouseDown(Button, {5, 5});
    MouseUp(Button, {5, 5});
    EXPECT_EQ(Clicks, 1);
    MouseDown(Button, {5, 5});
    Tick();
    MouseMove(Button, {100, 100}, Qt::LeftButton);
    // Off the button while held: it is up, so the ticks click no more.
    Tick();
    MouseUp(Button, {100, 100});
    EXPECT_EQ(Clicks, 2);
}

TEST_F(RapidFire, WithoutRepeatingAPressMakesNoTimer)
{
    Button->SetRepeating(false);
    Button->SetInitialDelay(50);
    MouseDown(Button, {5, 5});
    EXPECT_EQ(Button->RepeatTimer(), nullptr);
    MouseUp(Button, {5, 5});
    EXPECT_EQ(Clicks, 1);
}

TEST_F(RapidFire, TheTimerRunsOnTheMessageLoopWithTheDelaysGiven)
{
    Button->SetInitialDelay(1);
    Button->SetDelay(1);
    MouseDown(Button, {5, 5});
    EXPECT_TRUE(RunUntil([&] { return Clicks >= 3; }, 2000));
    MouseUp(Button, {5, 5});
}

struct TGlyphCase {
    TFcScrollStyle Style;
    int Width;
    int Height;
};

TEST_F(RapidFire, EachScrollStyleCutsItsArrowOutOfAScrollButton)
{
    const TGlyphCase Cases[] = {{scsLeft, 9, 9}, {scsUp, 9, 6}, {scsRight, 9, 9}, {scsDown, 9, 6}};
    for (const TGlyphCase& C : Cases) {
        Button->SetScrollStyle(C.Style);
        EXPECT_EQ(Button->Glyph()->Width(), C.Width) << int(C.Style);
        EXPECT_EQ(Button->Glyph()->Height(), C.Height) << int(C.Style);
        int Dark = 0;
        for (int Y = 0; Y < C.Height; ++Y)
            for (int X = 0; X < C.Width; ++X)
                Dark += ColorToRGB(Button->Glyph()->Canvas()->Pixels(X, Y)) == Black ? 1 : 0;
        EXPECT_GE(Dark, 4) << "the arrow";
    }
    Button->SetScrollStyle(scsNone);
    EXPECT_TRUE(Button->Glyph()->Empty());
}

} // namespace
