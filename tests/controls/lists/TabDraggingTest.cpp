// Dragging a tab to a new place: the threshold, the drop marker laid over
// the strip and taken away by repainting, the move of the page, the strip
// scrolling while the tab is held beyond it, and nothing left behind when
// a drag ends.
#include "platform/windows/DragManager.h"
#include "platform/forms/Timer.h"
#include "tests/controls/lists/TabTestSupport.h"

namespace {

struct TabDragging : TTabFixture {
    QStringList Events;

    TFcPageControl* Draggable(int Count = 4)
    {
        QStringList Names;
        for (int I = 0; I < Count; ++I)
            Names << QStringLiteral("Blad %1").arg(I);
        auto* P = NewPages(Bounds(10, 10, 400, 200), Names);
        P->SetTabWidth(70);
        P->SetTabHeight(20);
        P->SetAllowTabDragging(true);
        P->SetActivePageIndex(0);
        P->SetOnChange([this](TObject*) { Events << QStringLiteral("change"); });
        P->SetOnTabOrderChange(
            [this](TObject*, int Old, int New) { Events << QStringLiteral("order %1 %2").arg(Old).arg(New); });
        Form->Show();
        Shown(P);
        return P;
    }

    // Presses the current tab and moves past the threshold towards To.
    void StartDrag(TFcPageControl* P, TPoint To)
    {
        const TPoint From = TabCentre(P, P->TabIndex());
        MouseDown(P, From);
        MouseMove(P, {From.X + 2, From.Y}, Qt::LeftButton);
        MouseMove(P, {From.X + 6, From.Y}, Qt::LeftButton);
        MouseMove(P, To, Qt::LeftButton);
    }
};

} // namespace

TEST_F(TabDragging, ATabDroppedOnAnotherMovesItsPageThereWithoutAChangeOfPage)
{
    TFcPageControl* P = Draggable();
    TFcTabSheet* First = Page(P, 0);
    const QImage Before = Shown(P);
    StartDrag(P, TabCentre(P, 2));
    ASSERT_TRUE(P->Dragging());
    EXPECT_TRUE(P->DropMarkerShown());
    EXPECT_EQ(P->DropTargetIndex(), 2);
    // The marker lies over the strip next to the target, after it.
    const TRect Marker = P->DropMarkerRect();
    const TRect Target = P->TabClientRect(2);
    EXPECT_EQ(Marker.Height(), 8);
    EXPECT_EQ(Marker.Width(), 15);
    EXPECT_EQ(Marker.Top, Target.Top - 2);
    EXPECT_EQ(Marker.Right, Target.Right + 8 - P->FixedDimension() / 2);
    const QImage During = Shown(P);
    EXPECT_NE(During.copy(QRect(Marker.Left, Marker.Top, 15, 8)), Before.copy(QRect(Marker.Left, Marker.Top, 15, 8)));

    MouseUp(P, TabCentre(P, 2));
    EXPECT_FALSE(P->Dragging());
    EXPECT_FALSE(P->DropMarkerShown());
    EXPECT_EQ(First->PageIndex(), 2);
    EXPECT_EQ(P->ActivePage(), First);
    EXPECT_EQ(P->TabIndex(), 2);
    EXPECT_EQ(Events, QStringList({"order 0 2"}));
}

TEST_F(TabDragging, AMarkerIsAnOverlayARepaintTakesAway)
{
    TFcPageControl* P = Draggable();
    StartDrag(P, TabCentre(P, 1));
    const TRect M = P->DropMarkerRect();
    const QImage With = Shown(P);
    // Repainting while the marker shows puts it back over the new picture.
    P->Invalidate();
    EXPECT_EQ(Shown(P).copy(QRect(M.Left, M.Top, M.Width(), M.Height())),
              With.copy(QRect(M.Left, M.Top, M.Width(), M.Height())));
    // Over a tab that cannot take it the marker goes.
    MouseMove(P, TabCentre(P, 0), Qt::LeftButton);
    EXPECT_FALSE(P->DropMarkerShown());
    P->EndDrag(false);
}

TEST_F(TabDragging, TheCurrentTabOnItselfShowsNoMarkerAndIsNotTaken)
{
    TFcPageControl* P = Draggable();
    StartDrag(P, {TabCentre(P, 0).X + 10, TabCentre(P, 0).Y});
    EXPECT_TRUE(P->Dragging());
    EXPECT_FALSE(P->DropMarkerShown());
    MouseUp(P, {TabCentre(P, 0).X + 10, TabCentre(P, 0).Y});
    EXPECT_EQ(Page(P, 0)->PageIndex(), 0);
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(TabDragging, ASecondDragOverTheSameTabShowsItsMarkerAgain)
{
    TFcPageControl* P = Draggable();
    StartDrag(P, TabCentre(P, 3));
    MouseUp(P, TabCentre(P, 3));
    ASSERT_EQ(P->TabIndex(), 3);
    EXPECT_EQ(P->DropTargetIndex(), -1);
    // Tab 1 now lies where the drop went; a new drag to it shows a marker.
    StartDrag(P, TabCentre(P, 1));
    EXPECT_TRUE(P->DropMarkerShown());
    MouseUp(P, TabCentre(P, 1));
    StartDrag(P, TabCentre(P, 3));
    EXPECT_TRUE(P->DropMarkerShown());
    EXPECT_EQ(P->DropTargetIndex(), 3);
    P->EndDrag(false);
}

TEST_F(TabDragging, NoDragWithoutPermissionOrWithinTheThreshold)
{
    TFcPageControl* P = Draggable();
    const TPoint From = TabCentre(P, 0);
    MouseDown(P, From);
    MouseMove(P, {From.X + 1, From.Y}, Qt::LeftButton);
    MouseMove(P, {From.X + 4, From.Y}, Qt::LeftButton);
    EXPECT_FALSE(P->Dragging() && !DragWaiting());
    MouseUp(P, {From.X + 4, From.Y});
    P->SetAllowTabDragging(false);
    MouseDown(P, From);
    MouseMove(P, TabCentre(P, 2), Qt::LeftButton);
    EXPECT_FALSE(P->Dragging());
    MouseUp(P, TabCentre(P, 2));
}

TEST_F(TabDragging, HeldBeyondTheStripTheTabsScrollAndTheTimerStopsWithTheDrag)
{
    TFcPageControl* P = Draggable(10);
    ASSERT_TRUE(P->TabsOverflow());
    // Beyond the right end of a strip on top: forward.
    StartDrag(P, {P->Width() - 2, 100});
    ASSERT_NE(P->DragScrollTimer(), nullptr);
    EXPECT_TRUE(P->DragScrollTimer()->Enabled());
    EXPECT_EQ(P->DragScrollTimer()->Interval(), 400u);
    const TPoint Beyond = P->ClientToScreen({P->Width() + 20, 5});
    SetFcTabCursorPosFunction([Beyond] { return Beyond; });
    TTimer* Timer = P->DragScrollTimer();
    Timer->OnTimer()(Timer);
    EXPECT_EQ(P->FirstShownTab(), 1);
    EXPECT_EQ(Timer->Interval(), 300u);
    Timer->OnTimer()(Timer);
    EXPECT_EQ(P->FirstShownTab(), 2);
    SetFcTabCursorPosFunction(nullptr);
    // The other button cancels the drag; the timer stops with it.
    MouseDown(P, {P->Width() - 2, 100}, Qt::RightButton);
    EXPECT_FALSE(P->Dragging());
    EXPECT_FALSE(Timer->Enabled());
}

TEST_F(TabDragging, MarkersSitNextToTheTargetForEachSideAndOrder)
{
    TFcPageControl* P = Draggable();
    P->SetTabStyle(tsCutCorner);
    // The dragged tab is tab 0: tab 2 comes after it, except in the
    // reverse order, where higher indexes come first.
    const struct {
        TFcTabOrientation Side;
        TFcTabSequence Sequence;
        int Target;
    } Cases[] = {{toTop, tsStandard, 2}, {toLeft, tsStandard, 2}, {toBottom, tsReverse, 2}, {toRight, tsStandard, 2}};
    for (const auto& C : Cases) {
        P->SetTabOrientation(C.Side);
        P->SetTabSequence(C.Sequence);
        P->SetActivePageIndex(0);
        Shown(P);
        StartDrag(P, TabCentre(P, C.Target));
        ASSERT_TRUE(P->DropMarkerShown()) << "side " << C.Side;
        const TRect T = P->TabClientRect(C.Target);
        const TRect M = P->DropMarkerRect();
        switch (C.Side) {
        case toTop:
            EXPECT_EQ(M, Rect(T.Right + 8 - 15 + 1, T.Top - 2, T.Right + 8 + 1, T.Top + 6));
            break;
        case toBottom:
            EXPECT_EQ(M, Rect(T.Left - 8, T.Bottom + 2 - 8, T.Left + 7, T.Bottom + 2));
            break;
        case toLeft:
            EXPECT_EQ(M, Rect(T.Left - 2, T.Top - 8, T.Left + 6, T.Top + 7));
            break;
        case toRight:
            EXPECT_EQ(M, Rect(T.Right + 3 - 8, T.Bottom + 8 - 15 + 1, T.Right + 3, T.Bottom + 8 + 1));
            break;
        }
        P->EndDrag(false);
        EXPECT_FALSE(P->DropMarkerShown());
    }
}

TEST_F(TabDragging, AScrollThatRaisesStopsTheDragScrolling)
{
    TFcPageControl* P = Draggable(10);
    StartDrag(P, {P->Width() - 2, 100});
    TTimer* Timer = P->DragScrollTimer();
    ASSERT_NE(Timer, nullptr);
    P->ScrollTabs(true);
    P->SetOnScrolledTabs([](TObject*) { throw Exception(QStringLiteral("stop")); });
    const TPoint Beyond = P->ClientToScreen({-30, 5});
    SetFcTabCursorPosFunction([Beyond] { return Beyond; });
    EXPECT_THROW(Timer->OnTimer()(Timer), Exception);
    SetFcTabCursorPosFunction(nullptr);
    EXPECT_FALSE(Timer->Enabled());
    P->SetOnScrolledTabs(nullptr);
    P->EndDrag(false);
}
