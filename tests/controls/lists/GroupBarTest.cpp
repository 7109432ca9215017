// The group bar: exclusive mode with its vetoes, handing the opening on
// when the open group leaves, the stacked, task-list and Outlook layouts,
// the scroll range and position (clamped, never inverted), the layout
// guard across nested layouts, scrolling input and focus.
#include "tests/controls/lists/GroupBarTestSupport.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcMessages.h"
#include "platform/stdctrls/Button.h"

namespace {

std::vector<bool> OpenFlags(TFcGroupBar* Bar)
{
    std::vector<bool> Flags;
    for (int I = 0; I < Bar->GroupCount(); ++I)
        Flags.push_back(Bar->Groups(I)->Opened());
    return Flags;
}

} // namespace

using GroupBarLayout = GroupBarFixture;

TEST_F(GroupBarLayout, ExclusiveModeClosesTheOpenGroupUnlessItVetoes)
{
    TFcGroup* A = AddGroup("A", {"a"});
    TFcGroup* B = AddGroup("B", {"b"});
    TFcGroup* C = AddGroup("C", {"c"});
    Bar->SetExclusiveMode(true);
    EXPECT_EQ(OpenFlags(Bar), (std::vector<bool>{true, false, false}));
    C->Open();
    EXPECT_EQ(OpenFlags(Bar), (std::vector<bool>{false, false, true}));

    bool AllowClose = false;
    C->SetOnCanClose([&](TObject*, bool& Can) { Can = AllowClose; });
    A->Open();
    // The group that refused stays open next to the new one.
    EXPECT_EQ(OpenFlags(Bar), (std::vector<bool>{true, false, true}));
    EXPECT_LT(A->Top() + A->Height(), B->Top());
    EXPECT_LT(B->Top() + B->Height(), C->Top());
}

TEST_F(GroupBarLayout, SwitchingExclusiveModeOnLeavesOnlyTheFirstGroupOpen)
{
    AddGroup("A")->Close();
    AddGroup("B");
    AddGroup("C");
    Bar->SetExclusiveMode(true);
    EXPECT_EQ(OpenFlags(Bar), (std::vector<bool>{true, false, false}));
    // Only the category view has an exclusive mode.
    Bar->SetExclusiveMode(false);
    Bar->SetStyle(gbsTaskList);
    Bar->SetExclusiveMode(true);
    EXPECT_FALSE(Bar->ExclusiveMode());
}

TEST_F(GroupBarLayout, TheOpenGroupLeavingHandsTheOpeningOnToItsNeighbour)
{
    const struct {
        int Removed;
        std::vector<bool> After;
    } Cases[] = {{2, {false, true, false}}, {0, {true, false, false}}};
    for (const auto& C : Cases) {
        std::vector<TFcGroup*> Groups;
        for (const char* Name : {"A", "B", "C", "D"})
            Groups.push_back(AddGroup(Name));
        Bar->SetExclusiveMode(true);
        Groups[std::size_t(C.Removed)]->Open();
        Groups[std::size_t(C.Removed)]->Free();
        EXPECT_EQ(OpenFlags(Bar), C.After) << "removing group " << C.Removed;
        while (Bar->GroupCount() > 0)
            Bar->Groups(0)->Free();
        Bar->SetExclusiveMode(false);
    }
}

TEST_F(GroupBarLayout, NestedLayoutsKeepTheOuterOnePositioning)
{
    TFcGroup* A = AddGroup("A", {"a"});
    TFcGroup* B = AddGroup("B", {"b"});
    TFcGroup* C = AddGroup("C", {"c"});
    Bar->SetExclusiveMode(true);
    bool Refuse = true;
    A->SetOnCanClose([&](TObject*, bool& Can) { Can = !Refuse; });
    B->Open(); // A refuses: A and B open
    Refuse = false;
    // Opening C closes A (a layout of its own) and then B: B is closed
    // while C's layout still runs.
    bool PositioningWhileBCloses = false;
    B->SetOnCanClose([&](TObject*, bool&) { PositioningWhileBCloses = Bar->Positioning(); });
    C->Open();
    EXPECT_TRUE(PositioningWhileBCloses);
    EXPECT_FALSE(Bar->Positioning());
    EXPECT_EQ(OpenFlags(Bar), (std::vector<bool>{false, false, true}));
}

TEST_F(GroupBarLayout, StackedGroupsSitOneMarginApart)
{
    TFcGroup* A = AddGroup("A", {"a1", "a2"});
    TFcGroup* B = AddGroup("B");
    B->Close();
    TFcGroup* Hidden = AddGroup("Hidden", {"h"});
    Hidden->Hide();
    TFcGroup* C = AddGroup("C");
    const int M = Bar->GroupBorderSize();
    EXPECT_EQ(A->BoundsRect(), Bounds(M, M, Bar->ClientWidth() - 2 * M, A->CalcItemsHeight(A->Width())));
    EXPECT_EQ(B->Top(), A->Top() + A->Height() + M);
    EXPECT_EQ(B->Height(), B->CaptionHeight());
    EXPECT_EQ(Hidden->Height(), 0);
    EXPECT_EQ(C->Top(), B->Top() + B->Height() + M);
    EXPECT_EQ(C->Height(), C->OpenedHeight());
    EXPECT_EQ(Bar->ContentHeight(), C->Top() + C->Height() + M);
}

TEST_F(GroupBarLayout, TheOutlookStyleGivesTheOpenGroupTheRoomTheCaptionsLeave)
{
    Bar->SetAlign(alNone);
    Bar->SetBounds(0, 0, 160, 300);
    Bar->SetStyle(gbsOutlook);
    EXPECT_EQ(Bar->GroupBorderSize(), 0);
    TFcGroup* A = AddGroup("A", {"a"});
    TFcGroup* B = AddGroup("B", {"b"});
    TFcGroup* C = AddGroup("C", {"c"});
    ASSERT_EQ(Bar->ClientHeight(), 300);
    EXPECT_EQ(A->BoundsRect(), Rect(0, 0, 160, 260));
    EXPECT_EQ(B->BoundsRect(), Rect(0, 260, 160, 280));
    EXPECT_EQ(C->BoundsRect(), Rect(0, 280, 160, 300));
    B->Open();
    EXPECT_EQ(A->BoundsRect(), Rect(0, 0, 160, 20));
    EXPECT_EQ(B->BoundsRect(), Rect(0, 20, 160, 280));

    // Too low for the captions: the open group gets no room, never less.
    Bar->SetBounds(0, 0, 160, 30);
    EXPECT_EQ(B->Height(), 0);
    EXPECT_EQ(C->Top(), B->Top());
}

TEST_F(GroupBarLayout, TheTaskListOpensEveryGroupOnAWindowColouredBar)
{
    TFcGroup* A = AddGroup("A", {"a1", "a2", "a3"});
    TFcGroup* B = AddGroup("B", {"b1"});
    B->Close();
    Bar->SetStyle(gbsTaskList);
    EXPECT_EQ(Bar->Color(), clWindow);
    EXPECT_EQ(Bar->GroupBorderSize(), 4);
    EXPECT_EQ(A->Left(), 4);
    EXPECT_EQ(A->Top(), 4);
    EXPECT_EQ(B->Height(), B->CalcItemsHeight(B->Width()));
    EXPECT_EQ(B->Top(), A->Top() + A->Height() + 4);
}

// --- scrolling --------------------------------------------------------------------------------------------

namespace {

bool ScrollBarShown(TFcGroupBar* Bar)
{
    return (GetWindowLong(Bar->Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
}

} // namespace

TEST_F(GroupBarLayout, AShortStackShowsNoScrollBarAndScrollsBackToTheTop)
{
    TFcGroup* A = AddGroup("A", {"a1", "a2"});
    EXPECT_FALSE(ScrollBarShown(Bar));
    EXPECT_EQ(Bar->ClientWidth(), 160);
    Bar->SetScrollPosition(50);
    EXPECT_EQ(Bar->ScrollPosition(), 0);
    EXPECT_EQ(A->Top(), Bar->GroupBorderSize());
}

TEST_F(GroupBarLayout, ATallStackScrollsWithinItsRange)
{
    std::vector<TFcGroup*> Groups;
    for (int I = 0; I < 6; ++I)
        Groups.push_back(AddGroup(QStringLiteral("G%1").arg(I), {"a", "b", "c", "d"}));
    ASSERT_TRUE(ScrollBarShown(Bar));
    // The scroll bar narrows the groups.
    EXPECT_EQ(Bar->ClientWidth(), 160 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(Groups[0]->Width(), Bar->ClientWidth() - 2 * Bar->GroupBorderSize());
    const int Last = Bar->ContentHeight() - Bar->ClientHeight();
    ASSERT_GT(Last, 0);
    // The last group added was brought into view.
    EXPECT_EQ(Bar->ScrollPosition(), Last);
    Bar->SetScrollPosition(0);

    const int Top0 = Groups[0]->Top();
    const struct {
        int Command;
        int Position;
    } Steps[] = {{SB_LINEDOWN, 10}, {SB_LINEDOWN, 20},   {SB_LINEUP, 10}, {SB_PAGEDOWN, 10 + Bar->ClientHeight()},
                 {SB_BOTTOM, Last}, {SB_LINEDOWN, Last}, {SB_TOP, 0},     {SB_LINEUP, 0}};
    for (const auto& S : Steps) {
        Bar->Perform(WM_VSCROLL, WPARAM(S.Command), 0);
        EXPECT_EQ(Bar->ScrollPosition(), std::min(S.Position, Last)) << "command " << S.Command;
        EXPECT_EQ(Groups[0]->Top(), Top0 - Bar->ScrollPosition());
    }
    Bar->SetScrollPosition(100000);
    EXPECT_EQ(Bar->ScrollPosition(), Last);
    // The notice the bar posts itself after loading scrolls to the top.
    Bar->Perform(CM_GROUPBARLOADED, 0, 0);
    EXPECT_EQ(Bar->ScrollPosition(), 0);
    Bar->SetScrollPosition(Last);
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    GetScrollInfo(Bar->Handle(), SB_VERT, &Info);
    EXPECT_EQ(Info.nPos, Last);
    EXPECT_EQ(Info.nMax, Bar->ContentHeight());
    EXPECT_EQ(int(Info.nPage), Bar->ClientHeight());
}

TEST_F(GroupBarLayout, ClosingGroupsWhileScrolledFillsTheViewAgain)
{
    std::vector<TFcGroup*> Groups;
    for (int I = 0; I < 6; ++I)
        Groups.push_back(AddGroup(QStringLiteral("G%1").arg(I), {"a", "b", "c", "d"}));
    Bar->SetScrollPosition(100000);
    for (TFcGroup* G : Groups)
        G->Close();
    EXPECT_FALSE(ScrollBarShown(Bar));
    EXPECT_EQ(Bar->ScrollPosition(), 0);
    EXPECT_EQ(Groups[0]->Top(), Bar->GroupBorderSize());
}

TEST_F(GroupBarLayout, OpeningAGroupBelowTheViewScrollsItIn)
{
    std::vector<TFcGroup*> Groups;
    for (int I = 0; I < 8; ++I)
        Groups.push_back(AddGroup(QStringLiteral("G%1").arg(I), {"a", "b", "c", "d"}));
    for (TFcGroup* G : Groups)
        G->Close();
    Groups[7]->Open();
    const int M = Bar->GroupBorderSize();
    EXPECT_LE(Groups[7]->Top() + Groups[7]->Height() + M, Bar->ClientHeight());
    EXPECT_GE(Groups[7]->Top(), 0);
    // Scrolled past the top of an open group, opening it again shows its
    // caption.
    Bar->SetScrollPosition(0);
    Groups[7]->Close();
    Groups[0]->Open();
    EXPECT_EQ(Groups[0]->Top(), M);
}

TEST_F(GroupBarLayout, TheWheelScrollsTenPixelsANotch)
{
    for (int I = 0; I < 6; ++I)
        AddGroup(QStringLiteral("G%1").arg(I), {"a", "b", "c", "d"});
    Bar->SetScrollPosition(0);
    Bar->SetFocus();
    ASSERT_TRUE(Bar->Focused());
    MouseWheel(Bar, {20, 100}, -2 * WHEEL_DELTA);
    EXPECT_EQ(Bar->ScrollPosition(), 20);
    MouseWheel(Bar, {20, 100}, WHEEL_DELTA);
    EXPECT_EQ(Bar->ScrollPosition(), 10);
}

TEST_F(GroupBarLayout, AControlTakingTheFocusInAClosedGroupOpensIt)
{
    AddGroup("A", {"a"});
    TFcGroup* Host = AddGroup("Host");
    auto* Button = new TButton(Form);
    Button->SetBounds(10, 30, 80, 24);
    Button->SetParent(Host);
    Host->SetOpenedHeight(80);
    Host->Close();
    Button->SetFocus();
    EXPECT_TRUE(Host->Opened());
}

TEST_F(GroupBarLayout, TheFrameIsPaintedOutsideTheClientArea)
{
    Bar->SetBorderOuter(fsFlat);
    Bar->SetBorderInner(fsPopup);
    Bar->SetBevelWidth(2);
    EXPECT_EQ(Bar->ClientWidth(), 160 - 2 * 3);
    Bar->SetBorderSides({sdLeft, sdTop});
    EXPECT_EQ(Bar->ClientWidth(), 160 - 3);
    TFcGroup* A = AddGroup("A");
    EXPECT_EQ(A->Width(), Bar->ClientWidth() - 2 * Bar->GroupBorderSize());
    const QImage I = FormImage(Bar);
    // The flat outer line in the flat colour shifted by its adjustment.
    EXPECT_TRUE(PixelIs(I, Bar->Left(), Bar->Top() + 100, ColorToRGB(ShiftColorLightness(clBtnShadow, 30))));
}
