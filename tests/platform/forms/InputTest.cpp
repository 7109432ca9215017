// The mouse: clicks and capture, entering and leaving, double clicks
// counted by us, wheel notches, and the cursor a control asks for.
#include "tests/platform/forms/TestControls.h"
#include "platform/forms/Screen.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Input : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TTestBox* Panel = new TTestBox(Form);
    TTestGraphic* Graphic = new TTestGraphic(Form);
    int Clicks = 0;
    int DoubleClicks = 0;

    void SetUp() override
    {
        Form->SetBounds(100, 100, 200, 150);
        Panel->SetName(QStringLiteral("Panel"));
        Panel->SetBoundsRect(Bounds(10, 10, 150, 100));
        Panel->SetParent(Form);
        Graphic->SetBoundsRect(Bounds(20, 20, 30, 30));
        Graphic->SetParent(Panel);
        Graphic->SetOnClick([this](TObject*) { ++Clicks; });
        Graphic->SetOnDblClick([this](TObject*) { ++DoubleClicks; });
        Form->Show();
        TTestBox::Log().clear();
    }
    void TearDown() override { Form->Free(); }
};

TEST_F(Input, ClickOnAGraphicControlReachesItInItsOwnCoordinates)
{
    TPoint At;
    Graphic->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int X, int Y) { At = {X, Y}; });
    MouseClick(Graphic, {5, 7});
    EXPECT_EQ(At, (TPoint{5, 7}));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Panel->Clicks, 0);
}

TEST_F(Input, CaptureFollowsThePressAndAReleaseOutsideIsNoClick)
{
    MouseDown(Graphic, {5, 5});
    EXPECT_EQ(GetCaptureControl(), Graphic);
    MouseMove(Graphic, {100, 60}, Qt::LeftButton);
    EXPECT_TRUE(Graphic->Events.contains(QStringLiteral("MOVE")));
    MouseUp(Graphic, {100, 60});
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Graphic->Events.last(), QStringLiteral("LUP"));
}

TEST_F(Input, EnterAndLeaveReachGraphicControlsAndTheirParents)
{
    MouseMove(Panel, {2, 2});
    MouseMove(Graphic, {3, 3});
    MouseMove(Panel, {140, 90});
    EXPECT_EQ(Graphic->Events.filter(QStringLiteral("MOUSE")),
              QStringList({"MOUSEENTER", "MOUSELEAVE"}));
    EXPECT_EQ(TTestBox::Log().filter(QStringLiteral("MOUSE")),
              QStringList({"Panel:MOUSEENTER", "Panel:MOUSELEAVE", "Panel:MOUSEENTER", "Panel:MOUSELEAVE",
                           "Panel:MOUSEENTER"}));
    EXPECT_EQ(MouseControl(), Panel);
    MouseLeaveWindow(Panel);
    EXPECT_EQ(MouseControl(), nullptr);
}

TEST_F(Input, DoubleClicksAreCountedByTimeAndDistance)
{
    TTestClock Clock;
    MouseClick(Graphic, {5, 5});
    Clock.Advance(100);
    MouseClick(Graphic, {6, 6});
    EXPECT_EQ(DoubleClicks, 1);
    // Too late, then too far: two more single clicks.
    Clock.Advance(GetDoubleClickTime() + 1);
    MouseClick(Graphic, {5, 5});
    Clock.Advance(GetDoubleClickTime() + 1);
    MouseClick(Graphic, {5, 5});
    Clock.Advance(50);
    MouseClick(Graphic, {15, 15});
    EXPECT_EQ(DoubleClicks, 1);
    // The second press of a double click gives OnDblClick instead of OnClick.
    EXPECT_EQ(Clicks, 4);
}

TEST_F(Input, WheelDeltasAddUpToWholeNotches)
{
    std::vector<int> Deltas;
    Form->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        Deltas.push_back(Delta);
        Handled = true;
    });
    MouseWheel(Panel, {5, 5}, 60);
    EXPECT_TRUE(Deltas.empty());
    MouseWheel(Panel, {5, 5}, 60);
    MouseWheel(Panel, {5, 5}, -240);
    EXPECT_EQ(Deltas, (std::vector<int>{120, -120, -120}));
}

TEST_F(Input, ScreenCursorWinsOverTheControlsOwn)
{
    Graphic->SetCursor(crHandPoint);
    MouseMove(Graphic, {3, 3});
    EXPECT_EQ(GetCursor(), IDC_HAND);
    Screen->SetCursor(crHourGlass);
    MouseMove(Graphic, {4, 4});
    EXPECT_EQ(GetCursor(), IDC_WAIT);
    Screen->SetCursor(crDefault);
    MouseMove(Graphic, {5, 5});
    EXPECT_EQ(GetCursor(), IDC_HAND);
}

TEST_F(Input, DisabledControlsLetTheMouseThroughToTheirParent)
{
    int PanelDowns = 0;
    Panel->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++PanelDowns; });
    Graphic->SetEnabled(false);
    MouseClick(Graphic, {5, 5});
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(PanelDowns, 1);
}

} // namespace

TEST_F(Input, TheWindowUnderAQueuedMoveIsFoundAfreshOnceAWindowChanges)
{
    // A move over the panel is queued; before its messages are handled a
    // window changes, and whoever asks for the window there sees the change.
    const TPoint At = Panel->ClientToScreen({100, 80});
    TTestBox* Cover = nullptr;
    struct TCase {
        const char* Name;
        std::function<void()> Change, Undo;
        std::function<TWinControl*()> Under;
    };
    const std::vector<TCase> Cases = {
        {"hidden", [&] { Panel->SetVisible(false); }, [&] { Panel->SetVisible(true); }, [&] { return Form; }},
        {"moved away", [&] { Panel->SetLeft(120); }, [&] { Panel->SetLeft(10); }, [&] { return Form; }},
        {"disabled", [&] { Panel->SetEnabled(false); }, [&] { Panel->SetEnabled(true); }, [&] { return Form; }},
        {"covered",
         [&] {
             Cover = new TTestBox(Form);
             Cover->SetBoundsRect(Bounds(100, 80, 40, 40));
             Cover->SetParent(Form);
             Cover->HandleNeeded();
         },
         [] {}, [&]() -> TWinControl* { return Cover; }},
        {"gone", [&] { delete Cover; }, [] {}, [&] { return Panel; }},
    };
    for (const TCase& C : Cases) {
        QueueMouseMove(Panel, {100, 80});
        C.Change();
        EXPECT_EQ(FindControl(WindowFromPoint(At)), C.Under()) << C.Name;
        PumpMessages();
        C.Undo();
    }
}

TEST_F(Input, AHitTestHandlerThatMakesAndFreesWindowsLeavesTheWalkSound)
{
    // Three boxes over one point; the front one lets the point through,
    // and while it is asked it frees the middle one and makes many more,
    // so that the list of the form's windows is moved and shortened under
    // the walk.
    auto Box = [this](TRect R) {
        auto* B = new TTestBox(Form);
        B->SetBoundsRect(R);
        B->SetParent(Form);
        B->HandleNeeded();
        return B;
    };
    TTestBox* Back = Box(Bounds(160, 110, 30, 30));
    TTestBox* Middle = Box(Bounds(160, 110, 30, 30));
    TTestBox* Front = Box(Bounds(160, 110, 30, 30));
    std::vector<TTestBox*> Made;
    const TWindowProcedure Old = Front->WindowProc();
    Front->SetWindowProc([&](TMessage& M) {
        if (M.Msg != WM_NCHITTEST)
            return Old(M);
        delete Middle;
        Middle = nullptr;
        for (int I = 0; I < 40; ++I)
            Made.push_back(Box(Bounds(I, 0, 2, 2)));
        M.Result = HTTRANSPARENT;
    });
    const TPoint At = Form->ClientToScreen({170, 120});
    EXPECT_EQ(FindControl(WindowFromPoint(At)), Back);
    EXPECT_EQ(Middle, nullptr);
    EXPECT_EQ(Made.size(), 40u);
    Front->SetWindowProc(Old);
}
