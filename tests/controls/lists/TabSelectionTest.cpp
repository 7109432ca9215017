// Choosing the current tab: the veto of OnChanging, the change events and
// their order, clicks, keys and accelerators past disabled tabs, the check
// after each layout, hot tracking with its poll and the tabs' own hints.
#include "tests/controls/lists/TabTestSupport.h"

#include <QStringList>

namespace {

struct TabSelection : TTabFixture {
    QStringList Events;
    int Refused = -1;

    // Four 60 x 20 tabs that log what they fire.
    TFcCustomTabControl* Logged(int Count = 4)
    {
        QStringList Names;
        for (int I = 0; I < Count; ++I)
            Names << QStringLiteral("&%1tab").arg(QChar(QLatin1Char('a' + I)));
        auto* T = NewTabs(Bounds(10, 10, 300, 120), Names, 60, 20);
        T->SetOnChanging([this](TObject*, int NewIndex, bool& Allow) {
            Events << QStringLiteral("changing %1").arg(NewIndex);
            if (NewIndex == Refused)
                Allow = false;
        });
        T->SetOnChange([this, T](TObject*) { Events << QStringLiteral("change %1").arg(T->TabIndex()); });
        T->SetOnPageChange([this](TObject*) { Events << QStringLiteral("pagechange"); });
        T->SetOnTabClick([this](TObject*) { Events << QStringLiteral("click"); });
        return T;
    }
};

} // namespace

TEST_F(TabSelection, ANewIndexIsAskedForThenAnnounced)
{
    auto* T = Logged();
    T->SetTabIndex(1);
    EXPECT_EQ(Events, QStringList({"changing 1", "change 1", "pagechange"}));
    Events.clear();
    T->SetTabIndex(1);
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(TabSelection, ARefusedTabStaysUnchosenByCodeAndByClick)
{
    auto* T = Logged();
    T->SetTabIndex(0);
    Refused = 2;
    Events.clear();
    T->SetTabIndex(2);
    EXPECT_EQ(T->TabIndex(), 0);
    EXPECT_EQ(Events, QStringList({"changing 2"}));
    Form->Show();
    Shown(T);
    Events.clear();
    MouseClick(T, TabCentre(T, 2));
    EXPECT_EQ(T->TabIndex(), 0);
    EXPECT_EQ(Events, QStringList({"changing 2"}));
    // Another tab is clicked as usual.
    Events.clear();
    MouseClick(T, TabCentre(T, 3));
    EXPECT_EQ(Events, QStringList({"changing 3", "change 3", "pagechange", "click"}));
}

TEST_F(TabSelection, AnIndexOutsideTheTabsIsMinusOneWithoutEvents)
{
    auto* T = Logged();
    T->SetTabIndex(1);
    Events.clear();
    for (int Bad : {4, 100, -7}) {
        T->SetTabIndex(1);
        T->SetTabIndex(Bad);
        EXPECT_EQ(T->TabIndex(), -1);
    }
    EXPECT_EQ(Events, QStringList({"changing 1", "change 1", "pagechange", "changing 1", "change 1", "pagechange"}));
}

TEST_F(TabSelection, KeysStepPastDisabledTabsWithWrapAround)
{
    const struct {
        std::vector<int> Disabled;
        int From;
        int Key;
        int To;
    } Cases[] = {
        {{1, 2}, 0, VK_RIGHT, 3}, {{1, 2, 3}, 0, VK_RIGHT, 0}, {{}, 3, VK_RIGHT, 0}, {{}, 0, VK_LEFT, 3},
        {{}, 1, VK_DOWN, 2},      {{}, 2, VK_UP, 1},           {{0}, 3, VK_HOME, 1}, {{3}, 0, VK_END, 2},
        {{}, -1, VK_RIGHT, 0},    {{}, -1, VK_LEFT, 3},
    };
    for (const auto& C : Cases) {
        auto* T = Logged();
        for (int D : C.Disabled)
            T->Tabs()->Items(D)->SetEnabled(false);
        T->SetTabIndex(C.From);
        WORD Key = WORD(C.Key);
        T->Perform(WM_KEYDOWN, Key, 0);
        EXPECT_EQ(T->TabIndex(), C.To) << "from " << C.From << " key " << C.Key;
        T->Free();
    }
}

TEST_F(TabSelection, KeysFollowTheSideAndOrderOfTheStrip)
{
    const struct {
        TFcTabOrientation Side;
        TFcTabSequence Sequence;
        int Key;
        int To;
    } Cases[] = {
        {toTop, tsStandard, VK_RIGHT, 2},  {toTop, tsReverse, VK_RIGHT, 0},   {toLeft, tsStandard, VK_UP, 2},
        {toLeft, tsStandard, VK_RIGHT, 0}, {toLeft, tsReverse, VK_DOWN, 2},   {toRight, tsStandard, VK_DOWN, 2},
        {toLeft, tsStandard, VK_HOME, 3},  {toBottom, tsReverse, VK_HOME, 3}, {toBottom, tsStandard, VK_HOME, 0},
    };
    for (const auto& C : Cases) {
        auto* T = Logged();
        T->SetTabOrientation(C.Side);
        T->SetTabSequence(C.Sequence);
        T->SetTabIndex(1);
        T->Perform(WM_KEYDOWN, WPARAM(C.Key), 0);
        EXPECT_EQ(T->TabIndex(), C.To) << "side " << C.Side << " order " << C.Sequence << " key " << C.Key;
        T->Free();
    }
}

TEST_F(TabSelection, AKeyAsksOnceForEachTabItTriesAndClicksTheOneItTakes)
{
    auto* T = Logged();
    T->SetTabIndex(0);
    Refused = 1;
    Events.clear();
    T->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(T->TabIndex(), 2);
    EXPECT_EQ(Events, QStringList({"changing 1", "changing 2", "change 2", "pagechange", "click"}));
}

TEST_F(TabSelection, ADisabledTabIsNeitherClickedNorReachedByItsAccelerator)
{
    auto* T = Logged();
    T->Tabs()->Items(2)->SetEnabled(false);
    T->SetTabIndex(0);
    Form->Show();
    Shown(T);
    Events.clear();
    MouseClick(T, TabCentre(T, 2));
    EXPECT_EQ(T->TabIndex(), 0);
    EXPECT_EQ(T->Perform(CM_DIALOGCHAR, 'c', 0), 0);
    EXPECT_EQ(T->TabIndex(), 0);
    // An enabled tab's accelerator chooses it and clicks it.
    EXPECT_EQ(T->Perform(CM_DIALOGCHAR, 'D', 0), 1);
    EXPECT_EQ(T->TabIndex(), 3);
    EXPECT_TRUE(T->Focused());
    EXPECT_EQ(Events, QStringList({"changing 3", "change 3", "pagechange", "click"}));
}

TEST_F(TabSelection, AfterALayoutAHiddenCurrentTabHandsOverToTheNextOne)
{
    auto* T = Logged();
    T->SetTabIndex(1);
    Events.clear();
    T->Tabs()->Items(1)->SetVisible(false);
    T->Tabs()->Items(2)->SetEnabled(false);
    T->UpdateTabLayout();
    EXPECT_EQ(T->TabIndex(), 3);
    // The disabled tab is passed without asking.
    EXPECT_EQ(Events, QStringList({"changing 3", "change 3", "pagechange"}));
    // Nothing after it: the search turns back.
    T->Tabs()->Items(3)->SetVisible(false);
    T->UpdateTabLayout();
    EXPECT_EQ(T->TabIndex(), 0);
}

TEST_F(TabSelection, TheCheckAfterALayoutLeavesNoTabAloneAndStaysInTheList)
{
    auto* T = Logged();
    T->UpdateTabLayout();
    EXPECT_EQ(T->TabIndex(), -1);
    EXPECT_TRUE(Events.isEmpty());
    // Tabs taken away under the current one.
    T->SetTabIndex(3);
    Events.clear();
    auto* Kept = new TFcTabDataList;
    Kept->Add(new TFcTabData);
    Kept->Add(new TFcTabData);
    T->Tabs()->Assign(Kept);
    delete Kept;
    T->UpdateTabLayout();
    EXPECT_EQ(T->TabIndex(), 1);
}

TEST_F(TabSelection, HotTrackingFollowsTheMouseAndEndsOnTheCardOrAtTheNextPoll)
{
    auto* T = Logged();
    T->SetTabIndex(0);
    Form->Show();
    Shown(T);
    MouseMove(T, TabCentre(T, 2));
    EXPECT_EQ(T->HotIndex(), 2);
    // Onto the card: the hot state ends at once.
    MouseMove(T, {150, 80});
    EXPECT_EQ(T->HotIndex(), -1);

    // Out of the control: the 60 ms poll finds no tab under the cursor.
    MouseMove(T, TabCentre(T, 1));
    EXPECT_EQ(T->HotIndex(), 1);
    SetFcTabCursorPosFunction([] { return TPoint{-500, -500}; });
    T->Perform(WM_TIMER, 1, 0);
    SetFcTabCursorPosFunction(nullptr);
    EXPECT_EQ(T->HotIndex(), -1);
}

TEST_F(TabSelection, TabHintsShowTheTabsHintAndNoneOnTheBareStrip)
{
    auto* T = Logged(2);
    T->SetHint(QStringLiteral("strook"));
    T->SetTabHints(true);
    T->Tabs()->Items(1)->SetHint(QStringLiteral("tweede"));
    Form->Show();
    Shown(T);
    MouseMove(T, TabCentre(T, 1));
    EXPECT_EQ(T->Hint(), QStringLiteral("tweede"));
    MouseMove(T, {250, 10});
    EXPECT_EQ(T->Hint(), QString());
    MouseMove(T, {150, 80});
    EXPECT_EQ(T->Hint(), QStringLiteral("strook"));
}

TEST_F(TabSelection, EndingHotTrackingLeavesAHintTheTabsNeverChanged)
{
    auto* T = Logged(2);
    Form->Show();
    Shown(T);
    // Set after loading; tab hints are off, so hot tracking never touched it.
    T->SetHint(QStringLiteral("eigen"));
    MouseMove(T, TabCentre(T, 1));
    MouseMove(T, {150, 80});
    EXPECT_EQ(T->Hint(), QStringLiteral("eigen"));
}

TEST_F(TabSelection, TurningHotTrackOffEndsTheHotState)
{
    auto* T = Logged();
    Form->Show();
    Shown(T);
    MouseMove(T, TabCentre(T, 1));
    EXPECT_EQ(T->HotIndex(), 1);
    T->SetHotTrack(false);
    EXPECT_EQ(T->HotIndex(), -1);
    MouseMove(T, TabCentre(T, 2));
    EXPECT_EQ(T->HotIndex(), -1);
}

TEST_F(TabSelection, TheHotTabIsPaintedWithItsBarInTheHotColour)
{
    auto* T = Logged();
    T->SetTabIndex(0);
    Form->Show();
    Shown(T);
    MouseMove(T, TabCentre(T, 2));
    const QImage I = Shown(T);
    const TRect Tab = T->TabClientRect(2);
    EXPECT_GT(CountColor(I, ColorToRGB(T->HotTrackColor()), Tab), 0);
    EXPECT_GT(CountColor(I, ColorToRGB(T->TabColors()->HighlightBar()), T->TabClientRect(0)), 0);
    // Text hot tracking colours the caption instead.
    T->SetHotTrackStyle(htsText);
    T->SetHotTrackColor(clRed);
    const QImage Text = Shown(T);
    EXPECT_GT(CountColor(Text, Red, Tab), 0);
    EXPECT_EQ(CountColor(Text, ColorToRGB(T->TabColors()->HighlightBar()), T->TabClientRect(0)), 0);
}

TEST_F(TabSelection, AHoverMoveRepaintsOnlyTheTabsItChangesAndLeavesTheSamePicture)
{
    auto* T = Logged();
    T->SetTabIndex(3);
    T->SetTabWidth(90);
    Form->Show();
    Shown(T);
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(TabCentre(T, 1)));
    TRect Dirty;
    ASSERT_TRUE(GetUpdateRect(T->Handle(), &Dirty, FALSE));
    TRect Tabs;
    UnionRect(Tabs, T->TabClientRect(0), T->TabClientRect(2));
    InflateRect(Tabs, 2, 2);
    TRect Inside;
    IntersectRect(Inside, Dirty, Tabs);
    EXPECT_EQ(Inside, Dirty) << "only the hot tab's neighbourhood is repainted";
    EXPECT_LT(Dirty.Width(), T->Width() / 2);
    T->Perform(WM_MOUSEMOVE, 0, PointToLParam(TabCentre(T, 2)));
    const QImage Hovered = Shown(T);
    T->Invalidate();
    EXPECT_EQ(Shown(T), Hovered);
}
