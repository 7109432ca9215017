// Where the tabs go: overlaps, rows, the just-fitting strip and the
// scroller, rotating rows, the display rectangle of the pages, the strip
// buttons' places, scrolling and the tab under a point.
#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabScroller.h"
#include "tests/controls/lists/TabTestSupport.h"

namespace {

struct TabLayout : TTabFixture {};

QStringList Captions(int Count)
{
    QStringList L;
    for (int I = 0; I < Count; ++I)
        L << QStringLiteral("T%1").arg(I);
    return L;
}

} // namespace

TEST_F(TabLayout, DoubleSlantedTabsOverlapByTheRowDepthLessOne)
{
    auto* T = NewTabs(Bounds(0, 0, 300, 100), Captions(2), 60, 20);
    T->SetTabStyle(tsDoubleSlant);
    T->SetMargin(3);
    T->UpdateTabLayout();
    EXPECT_EQ(T->FixedDimension(), 20);
    EXPECT_EQ(T->Tabs()->Items(0)->TabRect(), Rect(3, 0, 63, 20));
    EXPECT_EQ(T->Tabs()->Items(1)->TabRect().Left, 3 + 41);
}

TEST_F(TabLayout, OverlapsOfTheOtherStyles)
{
    const struct {
        TFcTabStyle Style;
        int Overlap;
        int SecondLeft;
    } Cases[] = {
        {tsSingleSlant, 0, 91}, {tsBackSlant, 0, 91},      {tsCutCorner, -1, 102},
        {tsCutCorner, 4, 97},   {tsRoundCorners, -1, 102},
    };
    for (const auto& C : Cases) {
        auto* T = NewTabs(Bounds(0, 0, 400, 100), Captions(2), 100, 20);
        T->SetTabStyle(C.Style);
        if (C.Overlap != 0)
            T->SetTabOverlap(C.Overlap);
        T->UpdateTabLayout();
        EXPECT_EQ(T->Tabs()->Items(1)->TabRect().Left, C.SecondLeft) << "style " << C.Style;
        T->Free();
    }
}

TEST_F(TabLayout, AJustFittingStripShowsNoScrollerAndOneTabMoreDoes)
{
    // Three single-slanted tabs of 100 end at 282; the strip of a 285 wide
    // control is 282 long (its shadow takes two pixels).
    auto* T = NewTabs(Bounds(0, 0, 285, 100), Captions(3), 100, 20);
    Form->Show();
    Shown(T);
    EXPECT_EQ(T->StripLength(), 282);
    EXPECT_EQ(T->Tabs()->Items(2)->TabRect().Right, 282);
    EXPECT_FALSE(T->TabsOverflow());
    EXPECT_TRUE(T->Scroller() == nullptr || T->Scroller()->Left() < 0);

    T->Tabs()->Add(new TFcTabData);
    T->TabsChanged();
    Shown(T);
    EXPECT_TRUE(T->TabsOverflow());
    ASSERT_NE(T->Scroller(), nullptr);
    EXPECT_GE(T->Scroller()->Left(), 0);
    // At the start: back disabled, forward enabled.
    EXPECT_FALSE(T->Scroller()->HalfEnabled(0));
    EXPECT_TRUE(T->Scroller()->HalfEnabled(1));
}

TEST_F(TabLayout, AMultiLineTabLongerThanTheStripHasARowOfItsOwn)
{
    auto* T = NewTabs(Bounds(0, 0, 200, 150),
                      {QStringLiteral("a"), QString(120, QLatin1Char('W')), QStringLiteral("b"), QStringLiteral("c")});
    T->SetMultiLine(true);
    T->UpdateTabLayout();
    EXPECT_EQ(T->RowCount(), 3);
    const int Long = T->Tabs()->Items(1)->Row();
    for (int I : {0, 2, 3})
        EXPECT_NE(T->Tabs()->Items(I)->Row(), Long);
    EXPECT_EQ(T->Tabs()->Items(2)->Row(), T->Tabs()->Items(3)->Row());
}

TEST_F(TabLayout, EveryTabLiesInsideTheTabAreaWhateverTheRows)
{
    // Many tabs of mixed lengths with deep indents: the rows the depth is
    // made for are the rows the tabs stand in.
    QStringList Names;
    for (int I = 0; I < 14; ++I)
        Names << QString((I * 7) % 23 + 1, QLatin1Char('x'));
    for (TFcTabOrientation Side : {toTop, toLeft, toBottom, toRight}) {
        auto* T = NewTabs(Bounds(0, 0, 220, 220), Names);
        T->SetTabOrientation(Side);
        T->SetMultiLine(true);
        T->SetRowIndent(25);
        T->UpdateTabLayout();
        EXPECT_GT(T->RowCount(), 2);
        const TRect A = T->TabAreaRect();
        for (int I = 0; I < T->Tabs()->Count(); ++I) {
            EXPECT_LT(T->Tabs()->Items(I)->Row(), T->RowCount());
            const TRect R = T->TabClientRect(I);
            if (Side == toTop || Side == toBottom)
                EXPECT_TRUE(R.Top >= A.Top && R.Bottom <= A.Bottom) << "side " << Side << " tab " << I;
            else
                EXPECT_TRUE(R.Left >= A.Left && R.Right <= A.Right) << "side " << Side << " tab " << I;
        }
        T->Free();
    }
}

TEST_F(TabLayout, ChoosingATabInTheOutermostRowBringsItsRowToThePage)
{
    // Two tabs of 100 fit a row of a 250 wide strip: six make three rows.
    auto* T = NewTabs(Bounds(0, 0, 250, 150), Captions(6), 100, 20);
    T->SetMultiLine(true);
    T->UpdateTabLayout();
    ASSERT_EQ(T->RowCount(), 3);
    const int Row0Top = T->Tabs()->Items(0)->TabRect().Top, Row2Top = T->Tabs()->Items(4)->TabRect().Top;
    T->SetTabIndex(4);
    const int Rows[6] = {1, 1, 2, 2, 0, 0};
    for (int I = 0; I < 6; ++I)
        EXPECT_EQ(T->Tabs()->Items(I)->Row(), Rows[I]) << I;
    EXPECT_EQ(T->Tabs()->Items(4)->TabRect().Top, Row0Top);
    EXPECT_EQ(T->Tabs()->Items(2)->TabRect().Top, Row2Top);
    // A new layout keeps the current tab's row against the page.
    T->UpdateTabLayout();
    EXPECT_EQ(T->Tabs()->Items(4)->Row(), 0);
}

TEST_F(TabLayout, JustifiedRowsShareTheRestOfTheStrip)
{
    auto* T = NewTabs(Bounds(0, 0, 250, 150), Captions(3));
    T->SetMultiLine(true);
    T->SetAlignTabs(true);
    T->UpdateTabLayout();
    const int Available = T->StripLength() - (T->RowCount() - 1) * T->RowIndent();
    for (int Row = 0; Row < T->RowCount(); ++Row) {
        int End = 0;
        for (int I = 0; I < T->Tabs()->Count(); ++I)
            if (T->Tabs()->Items(I)->Row() == Row)
                End = T->Tabs()->Items(I)->TabRect().Right;
        EXPECT_EQ(End, Available) << "row " << Row;
    }
}

TEST_F(TabLayout, TheDisplayRectangleFollowsTheCardFrame)
{
    // A 200 x 100 control, one row 20 deep on top: the card is
    // (0, 20, 199, 99).
    const struct {
        bool Frame, Full, Shadow;
        TRect Display;
    } Cases[] = {
        {true, true, true, {1, 21, 197, 97}},     {true, true, false, {1, 21, 199, 99}},
        {true, false, false, {0, 21, 200, 100}},  {false, true, false, {0, 20, 200, 100}},
        {false, false, false, {0, 20, 200, 100}},
    };
    for (const auto& C : Cases) {
        auto* T = NewTabs(Bounds(0, 0, 200, 100), Captions(1), 50, 20);
        T->SetShowCardFrame(C.Frame);
        T->SetShowFullFrame(C.Full);
        T->SetShowShadow(C.Shadow);
        T->UpdateTabLayout();
        EXPECT_EQ(T->CardRect(0), Rect(0, 20, 199, 99));
        EXPECT_EQ(T->DisplayRect(), C.Display) << C.Frame << C.Full << C.Shadow;
        T->Free();
    }
    // Without the card the strip is all there is.
    auto* T = NewTabs(Bounds(0, 0, 200, 100), Captions(1), 50, 20);
    T->SetCardVisible(false);
    EXPECT_EQ(T->DisplayRect(), Rect(-2, -2, -1, -1));
}

TEST_F(TabLayout, PagesFillTheDisplayRectangle)
{
    auto* P = NewPages(Bounds(0, 0, 300, 200), {QStringLiteral("Een"), QStringLiteral("Twee")});
    P->SetTabOrientation(toLeft);
    P->SetActivePageIndex(0);
    Form->Show();
    Shown(P);
    EXPECT_EQ(P->ActivePage()->BoundsRect(), P->DisplayRect());
    EXPECT_EQ(P->DisplayRect().Left, P->FixedDimension() + 1);
}

TEST_F(TabLayout, StripButtonsSitAtTheEndOfTheStrip)
{
    auto* T = NewTabs(Bounds(0, 0, 300, 100), Captions(2), 50, 20);
    T->SetShowCloseButton(true);
    T->SetShowMenuButton(true);
    Form->Show();
    Shown(T);
    const int B = T->ButtonSize();
    EXPECT_EQ(B, 18) << "the larger of the text's height + 4 and the row's depth less 2";
    const TRect A = T->TabAreaRect();
    EXPECT_EQ(T->CloseButton()->BoundsRect(), Bounds(A.Right - B - 1, A.Bottom - B - 2, B, B));
    EXPECT_EQ(T->MenuButton()->BoundsRect(), Bounds(A.Right - B - 1 - (B + 2), A.Bottom - B - 2, B, B));
    // In the reverse order they stand at the other end.
    T->SetTabSequence(tsReverse);
    Shown(T);
    EXPECT_EQ(T->CloseButton()->Left(), A.Left);
    EXPECT_EQ(T->MenuButton()->Left(), A.Left + B + 2);
}

TEST_F(TabLayout, WithoutTabsTheButtonsHaveNoSize)
{
    auto* T = NewTabs(Bounds(0, 0, 300, 100), {});
    T->SetShowCloseButton(true);
    T->UpdateTabLayout();
    EXPECT_EQ(T->ButtonSize(), 0);
    EXPECT_EQ(T->CardRect(0), Rect(0, 0, 299, 99));
}

TEST_F(TabLayout, ScrollingMovesOneTabAtATimeAndReportsEveryCall)
{
    auto* T = NewTabs(Bounds(0, 0, 300, 100), Captions(6), 100, 20);
    int Reports = 0;
    T->SetOnScrolledTabs([&](TObject*) { ++Reports; });
    Form->Show();
    Shown(T);
    ASSERT_TRUE(T->TabsOverflow());
    EXPECT_EQ(T->FirstShownTab(), 0);
    T->ScrollTabs(false);
    EXPECT_EQ(T->FirstShownTab(), 0);
    T->ScrollTabs(true);
    EXPECT_EQ(T->FirstShownTab(), 1);
    int Last = -1;
    for (int I = 0; I < 10 && Last != T->FirstShownTab(); ++I) {
        Last = T->FirstShownTab();
        T->ScrollTabs(true);
    }
    // At the end the strip stays where it is, and says so.
    EXPECT_TRUE(T->IsTabFullyVisible(5));
    const int Before = Reports;
    T->ScrollTabs(true);
    EXPECT_EQ(T->FirstShownTab(), Last);
    EXPECT_EQ(Reports, Before + 1);
}

TEST_F(TabLayout, WhereTabsOverlapTheCurrentTabIsHit)
{
    // Single slants: tab 0 spans 0..100, tab 1 91..191; (93, 15) lies in
    // both.
    auto* T = NewTabs(Bounds(0, 0, 300, 100), Captions(3), 100, 20);
    T->UpdateTabLayout();
    EXPECT_EQ(T->TabAtPos(93, 15), 0);
    T->SetTabIndex(1);
    EXPECT_EQ(T->TabAtPos(93, 15), 1);
    EXPECT_EQ(T->TabAtPos(50, 10), 0);
    EXPECT_EQ(T->TabAtPos(50, 50), -1);
    // Clicking the overlap chooses nothing new.
    int Changes = 0;
    T->SetOnChange([&](TObject*) { ++Changes; });
    Form->Show();
    MouseClick(T, {93, 15});
    EXPECT_EQ(T->TabIndex(), 1);
    EXPECT_EQ(Changes, 0);
}

TEST_F(TabLayout, RegionsLiveOnlyWhileCached)
{
    auto* T = NewTabs(Bounds(0, 0, 300, 100), Captions(3), 80, 20);
    T->UpdateTabLayout();
    HRGN First = T->GetTabRegion(0);
    EXPECT_EQ(T->GetTabRegion(0), First);
    HRGN Second = T->GetTabRegion(1);
    EXPECT_FALSE(IsGdiObject(First)) << "one region is kept by default";
    T->SetRegionCacheCapacity(-1);
    T->GetTabRegion(0);
    T->GetTabRegion(2);
    EXPECT_EQ(T->RegionCache()->Count(), 3);
    EXPECT_TRUE(IsGdiObject(Second));
    // A new layout hands them all back.
    T->UpdateTabLayout();
    EXPECT_EQ(T->RegionCache()->Count(), 0);
    EXPECT_FALSE(IsGdiObject(Second));
    // Values that make no bound are ignored.
    T->SetRegionCacheCapacity(0);
    T->SetRegionCacheCapacity(-5);
    EXPECT_EQ(T->RegionCacheCapacity(), -1);
}
