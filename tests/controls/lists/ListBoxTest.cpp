// The framed list box: incremental search with its beep, Backspace, Escape
// and timeout (the timer driven by the test), characters outside the basic
// plane, multiple selection; group headers found and painted with the other
// items indented; hints for items too wide for the box; the horizontal
// extent; what the application calls; state colours and the frame.
#include "controls/foundation/FcTextHelpers.h"
#include "controls/lists/FcListBox.h"
#include "tests/controls/lists/ListsFixture.h"

namespace {

struct FramedListBoxes : ListsForm {
    TFcListBox* List = nullptr;
    int Matches = 0;
    void SetUp() override
    {
        ListsForm::SetUp();
        List = Make<TFcListBox>(Bounds(10, 10, 150, 120));
        List->SetOnMatch([this](TObject*) { ++Matches; });
        List->SetFocus();
        PumpMessages();
    }
    void Fill(std::initializer_list<const char*> Texts)
    {
        for (const char* T : Texts)
            List->Items()->Add(QString::fromUtf8(T));
    }
    void Type(const QString& Text) { TypeText(List, Text); }
    void TimeOut() { List->SearchTimer()->OnTimer()(List->SearchTimer()); }
};

TEST_F(FramedListBoxes, TypedLettersFindTheFirstItemThatBeginsWithThemAll)
{
    Fill({"Apple", "Banana", "Berry"});
    Type(QStringLiteral("b"));
    EXPECT_EQ(List->ItemIndex(), 1);
    Type(QStringLiteral("e"));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Beeps, 0);
    Type(QStringLiteral("x"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(List->SearchString(), QStringLiteral("be"));
    EXPECT_EQ(Matches, 2);
    EXPECT_TRUE(List->SearchTimer()->Enabled());
    EXPECT_EQ(List->SearchTimer()->Interval(), 1500u);
    // After the pause a letter starts a new search.
    TimeOut();
    EXPECT_FALSE(List->SearchTimer()->Enabled());
    EXPECT_EQ(List->SearchString(), QString());
    Type(QStringLiteral("B"));
    EXPECT_EQ(List->ItemIndex(), 1);
}

TEST_F(FramedListBoxes, BackspaceShortensTheSearchAndAnEmptySearchMatchesNothing)
{
    Fill({"Apple", "Banana", "Berry"});
    Type(QStringLiteral("ba"));
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(List->SearchString(), QStringLiteral("b"));
    EXPECT_EQ(List->ItemIndex(), 1);
    int Clicks = 0;
    List->SetOnClick([&](TObject*) { ++Clicks; });
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(List->SearchString(), QString());
    List->SetItemIndex(2);
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(List->ItemIndex(), 2) << "an empty search selects nothing";
    EXPECT_EQ(List->FindItem(QString()), -1);
}

TEST_F(FramedListBoxes, OnAnEmptyListBackspaceAndTheWheelDoNothing)
{
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    MouseWheel(List, {10, 10}, -120);
    Type(QStringLiteral("q"));
    EXPECT_EQ(Beeps, 1) << "only the letter that found nothing";
    EXPECT_EQ(List->ItemIndex(), -1);
}

TEST_F(FramedListBoxes, EscapeClearsTheSelectionAndNavigationEndsTheSearch)
{
    Fill({"Apple", "Banana", "Berry"});
    Type(QStringLiteral("b"));
    PressKey(List, Qt::Key_Down);
    EXPECT_EQ(List->SearchString(), QString());
    EXPECT_EQ(List->ItemIndex(), 2);
    PressKey(List, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(List->ItemIndex(), -1);
    Type(QStringLiteral("a"));
    MouseClick(List, {5, 5});
    EXPECT_EQ(List->SearchString(), QString());
}

TEST_F(FramedListBoxes, ACharacterOutsideTheBasicPlaneIsOneCharacterOfTheSearch)
{
    const QString Clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    List->Items()->Add(QStringLiteral("alt"));
    List->Items()->Add(Clef + QStringLiteral(" sleutel"));
    List->Items()->Add(Clef + QStringLiteral("x"));
    // An input method delivers the pair as two characters.
    PostMessage(List->Handle(), WM_CHAR, Clef.at(0).unicode(), 1);
    PostMessage(List->Handle(), WM_CHAR, Clef.at(1).unicode(), 1);
    PumpMessages();
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(List->SearchString(), Clef);
    Type(QStringLiteral("x"));
    EXPECT_EQ(List->ItemIndex(), 2);
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(List->SearchString(), Clef);
    PressKey(List, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(List->SearchString(), QString()) << "the pair goes at once";
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(FramedListBoxes, WithoutIncrementalSearchTheListsOwnTypingRuns)
{
    Fill({"Apple", "Banana", "Berry"});
    List->SetIncrementalSearch(false);
    Type(QStringLiteral("b"));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Matches, 0);
    EXPECT_EQ(List->SearchString(), QString());
}

TEST_F(FramedListBoxes, AMultipleSelectionMovesToTheFoundItem)
{
    Fill({"Apple", "Banana", "Berry"});
    List->SetMultiSelect(true);
    List->SetSelected(0, true);
    List->SetItemIndex(0);
    Type(QStringLiteral("be"));
    EXPECT_FALSE(List->Selected(0));
    EXPECT_TRUE(List->Selected(2));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(List->SelectedItem(), QStringLiteral("Berry"));
    List->ClearSelection();
    EXPECT_EQ(List->SelectedItem(), QString());
}

TEST_F(FramedListBoxes, WhatTheApplicationCalls)
{
    EXPECT_EQ(List->SelectedItem(), QString());
    EXPECT_EQ(List->Add(QStringLiteral("een")), 0);
    EXPECT_EQ(List->Add(QStringLiteral("twee")), 1);
    EXPECT_EQ(List->IndexOf(QStringLiteral("TWEE")), 1);
    EXPECT_EQ(List->IndexOf(QStringLiteral("drie")), -1);
    List->SetItemIndex(1);
    EXPECT_EQ(List->SelectedItem(), QStringLiteral("twee"));
}

struct TGroupCase {
    int Index;
    bool IsGroup;
    int GroupIndex;
    int Number;
};

TEST_F(FramedListBoxes, GroupsAreItemsThatBeginWithThePrefix)
{
    Fill({"los", "//Fruit", "Apple", "//Groente", "Prei", "/half"});
    const TGroupCase Cases[] = {
        {-1, false, -1, -1}, {0, false, -1, -1}, {1, true, 1, 0},   {2, false, 1, -1},
        {3, true, 3, 1},     {4, false, 3, -1},  {5, false, 3, -1}, {6, false, 3, -1},
    };
    for (const TGroupCase& C : Cases) {
        EXPECT_EQ(List->IsGroup(C.Index), C.IsGroup) << C.Index;
        EXPECT_EQ(List->FindGroupIndex(C.Index), C.GroupIndex) << C.Index;
        EXPECT_EQ(List->HasGroup(C.Index), C.GroupIndex >= 0) << C.Index;
        EXPECT_EQ(List->GroupNumber(C.Index), C.Number) << C.Index;
    }
    List->SetGroupPrefix(QStringLiteral("//fruit"));
    EXPECT_FALSE(List->IsGroup(1)) << "the prefix is compared exactly";
    List->SetGroupPrefix(QString());
    for (int I = 0; I < 6; ++I)
        EXPECT_TRUE(List->IsGroup(I));
}

TEST_F(FramedListBoxes, AGroupHeaderPaintsInItsColoursAndOtherItemsAreIndented)
{
    Fill({"//Fruit", "Apple"});
    List->SetColor(clWhite);
    List->SetOwnerDrawIndent(12);
    List->SetGroupColor(clNavy);
    List->SetUseGradients(false);
    List->SetShowGroups(true);
    EXPECT_EQ(List->Style(), lbOwnerDrawFixed);
    const TRect Header = List->ItemRect(0);
    const TRect Item = List->ItemRect(1);
    const TPoint C = List->ClientOrigin();
    TRect W;
    GetWindowRect(List->Handle(), &W);
    const int DX = C.X - W.Left, DY = C.Y - W.Top;
    const QImage Img = Shown(List);
    // The header: navy across the whole row, its text in the group font's
    // colour and without the prefix.
    EXPECT_TRUE(PixelIs(Img, DX + Header.Right - 3, DY + Header.Top + 1, ColorToRGB(clNavy)));
    EXPECT_GT(CountColor(Img, ColorToRGB(clHighlight), Bounds(DX, DY + Header.Top, 40, Header.Height())), 5);
    // The other item: its text starts after the indent.
    const TRect Indent = Bounds(DX, DY + Item.Top, 12, Item.Height());
    EXPECT_EQ(CountColor(Img, ColorToRGB(clWindowText), Indent), 0);
    EXPECT_GT(CountColor(Img, ColorToRGB(clWindowText), Bounds(DX + 12, DY + Item.Top, 40, Item.Height())), 5);

    // With gradients: the group colour at the leading edge, the list's at
    // the other.
    List->SetUseGradients(true);
    const QImage G = Shown(List);
    const COLORREF Start = ImagePixel(G, DX, DY + Header.Top + 1);
    EXPECT_LT(GetRValue(Start), 8);
    EXPECT_GT(GetBValue(Start), 0x78);
    const COLORREF End = ImagePixel(G, DX + Header.Right - 1, DY + Header.Top + 1);
    EXPECT_GT(GetRValue(End), 200);
    // Selected, the header shows the selection.
    List->SetItemIndex(0);
    EXPECT_TRUE(PixelIs(Shown(List), DX + Header.Right - 3, DY + Header.Top + 1, ColorToRGB(clHighlight)));
}

TEST_F(FramedListBoxes, ShowingGroupsMakesRoomForTheFont)
{
    List->SetItemHeight(4);
    List->SetShowGroups(true);
    EXPECT_GE(List->ItemHeight(), GetFontHeight(List->Font()));
}

TEST_F(FramedListBoxes, AnItemTooWideForTheBoxShowsAHintOverIt)
{
    Fill({"kort", "een heel erg lange regel die niet in de lijst past"});
    const TRect Wide = List->ItemRect(1);
    MouseMove(List, {5, Wide.Top + 2});
    ASSERT_NE(List->ItemHintWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(List->ItemHintWindow()->Handle()));
    TRect R;
    GetWindowRect(List->ItemHintWindow()->Handle(), &R);
    EXPECT_EQ(R.Left, List->ClientToScreen({-1, 0}).X);
    const TRect Narrow = List->ItemRect(0);
    MouseMove(List, {5, Narrow.Top + 2});
    EXPECT_FALSE(IsWindowVisible(List->ItemHintWindow()->Handle()));
    List->SetShowItemHints(false);
    MouseMove(List, {5, Wide.Top + 2});
    EXPECT_FALSE(IsWindowVisible(List->ItemHintWindow()->Handle()));
}

TEST_F(FramedListBoxes, TheHorizontalExtentFollowsTheWidestItem)
{
    List->SetHorzScrollBar(true);
    EXPECT_EQ(List->HorzExtent(), 0);
    Fill({"a", "een veel bredere regel"});
    List->Canvas()->SetFont(List->Font());
    const int Wide = List->Canvas()->TextWidth(QStringLiteral("een veel bredere regelx"));
    EXPECT_EQ(List->HorzExtent(), Wide);
    List->Items()->BeginUpdate();
    List->Items()->Add(QStringLiteral("een nog veel en veel bredere regel"));
    EXPECT_EQ(List->HorzExtent(), Wide) << "waits for the end of the update";
    List->Items()->EndUpdate();
    EXPECT_GT(List->HorzExtent(), Wide);
    EXPECT_EQ(List->ScrollWidth(), List->HorzExtent());
}

TEST_F(FramedListBoxes, TheColourAndFrameFollowFocusAndHotTracking)
{
    auto* Other = Make<TFcListBox>(Bounds(200, 10, 100, 80));
    List->SetFocusColor(clYellow);
    List->SetFrameHotTrack(true);
    List->SetFrameColor(clRed);
    List->SetFrameHotColor(clBlue);
    EXPECT_EQ(List->Color(), clYellow);
    EXPECT_EQ(ImagePixel(Shown(List), 0, 40), ColorToRGB(clBlue));
    Other->SetFocus();
    PumpMessages();
    EXPECT_EQ(List->Color(), clWindow);
    EXPECT_EQ(ImagePixel(Shown(List), 0, 40), ColorToRGB(clRed));
    List->SetEnabled(false);
    EXPECT_EQ(List->Color(), clBtnFace);
}

TEST_F(FramedListBoxes, EnterWithTabOnEnterMovesOn)
{
    auto* Other = Make<TFcListBox>(Bounds(200, 10, 100, 80));
    Fill({"Apple"});
    List->SetTabOnEnter(true);
    List->SetTabOrder(0);
    Other->SetTabOrder(1);
    List->SetFocus();
    PumpMessages();
    PressKey(List, Qt::Key_Return);
    PumpMessages();
    EXPECT_TRUE(Other->Focused());
}

} // namespace
