// The list box: items through LB_* messages, single, multiple and extended
// selection by mouse and keys, OnClick and OnDblClick, incremental search
// by typed letters, the wheel and the scroll bar, standard and owner-drawn
// painting, variable heights, columns, tab stops, virtual items, and items
// that change while the list paints.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/ImageHelpers.h"

#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListMessages.h"

namespace {

struct ListBoxes : StdForm {
    TListBox* List = nullptr;
    QStringList Events;
    void SetUp() override
    {
        StdForm::SetUp();
        List = Make<TListBox>(Bounds(10, 10, 150, 100));
        List->SetOnClick([this](TObject*) { Events << QStringLiteral("click %1").arg(List->ItemIndex()); });
        List->SetOnDblClick([this](TObject*) { Events << QStringLiteral("dblclick %1").arg(List->ItemIndex()); });
    }
    void Fill(std::initializer_list<const char*> Texts)
    {
        for (const char* T : Texts)
            List->Items()->Add(QString::fromUtf8(T));
    }
    void FillNumbers(int N)
    {
        List->Items()->BeginUpdate();
        for (int I = 0; I < N; ++I)
            List->Items()->Add(QStringLiteral("Item %1").arg(I));
        List->Items()->EndUpdate();
    }
    TPoint Center(int Index)
    {
        const TRect R = List->ItemRect(Index);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    QList<int> SelectedItems()
    {
        QList<int> S;
        for (int I = 0; I < List->Items()->Count(); ++I)
            if (List->Selected(I))
                S << I;
        return S;
    }
};

TEST_F(ListBoxes, ItemsGoThroughTheListMessages)
{
    Fill({"pear", "apple"});
    EXPECT_EQ(List->Perform(LB_GETCOUNT, 0, 0), 2);
    String Text;
    List->Perform(LB_GETTEXT, 1, PtrToLParam(&Text));
    EXPECT_EQ(Text, QStringLiteral("apple"));
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("APPLE")), 1);
    const String Prefix = QStringLiteral("pe");
    EXPECT_EQ(List->Perform(LB_FINDSTRING, WPARAM(-1), PtrToLParam(&Prefix)), 0);
    EXPECT_THROW(List->Items()->Strings(5), EStringListError);
    // A sorted list puts new items in their place, and sorts what it has.
    List->SetSorted(true);
    EXPECT_EQ(List->Items()->ToStringList(), QStringList({"apple", "pear"}));
    EXPECT_EQ(List->Items()->Add(QStringLiteral("fig")), 1);
    // Objects ride along with their items.
    TObject Marker;
    List->Items()->AddObject(QStringLiteral("cherry"), &Marker);
    EXPECT_EQ(List->Items()->Objects(1), &Marker);
}

TEST_F(ListBoxes, ItemIndexFollowsDeletesAndInserts)
{
    Fill({"a", "b", "c"});
    List->SetItemIndex(1);
    List->Items()->Insert(0, QStringLiteral("z"));
    EXPECT_EQ(List->ItemIndex(), 2);
    List->Items()->Delete(0);
    EXPECT_EQ(List->ItemIndex(), 1);
    List->Items()->Delete(1);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(ListBoxes, AClickSelectsAndFiresOnClickADoubleClickOnDblClick)
{
    Fill({"one", "two", "three"});
    MouseClick(List, Center(1));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_TRUE(List->Focused());
    EXPECT_EQ(Events, QStringList({"click 1"}));
    MouseDown(List, Center(2));
    Events.clear();
    // A press that drags to another item selects where it is released.
    MouseMove(List, Center(0), Qt::LeftButton);
    MouseUp(List, Center(0));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Events, QStringList({"click 0"}));
    Events.clear();
    TTestClock Clock;
    MouseClick(List, Center(2));
    MouseClick(List, Center(2));
    EXPECT_EQ(Events, QStringList({"click 2", "dblclick 2", "click 2"}));
    // Below the last item nothing is chosen.
    Events.clear();
    MouseClick(List, Point(10, 90));
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(ListBoxes, KeysMoveTheSelection)
{
    FillNumbers(30);
    List->SetFocus();
    PressKey(List, Qt::Key_Down);
    EXPECT_EQ(List->ItemIndex(), 0);
    PressKey(List, Qt::Key_Down);
    PressKey(List, Qt::Key_Down);
    EXPECT_EQ(List->ItemIndex(), 2);
    PressKey(List, Qt::Key_End);
    EXPECT_EQ(List->ItemIndex(), 29);
    // The selected item is scrolled into view.
    EXPECT_GT(List->TopIndex(), 20);
    PressKey(List, Qt::Key_Home);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->TopIndex(), 0);
    const int Page = List->ClientHeight() / List->ItemHeight();
    PressKey(List, Qt::Key_PageDown);
    EXPECT_EQ(List->ItemIndex(), Page - 1);
    PressKey(List, Qt::Key_Up);
    EXPECT_EQ(Events.last(), QStringLiteral("click %1").arg(Page - 2));
}

TEST_F(ListBoxes, ExtendedSelectionWithShiftAndCtrl)
{
    Fill({"a", "b", "c", "d", "e"});
    List->SetMultiSelect(true);
    MouseClick(List, Center(1));
    MouseDown(List, Center(3), Qt::LeftButton, Qt::ShiftModifier);
    MouseUp(List, Center(3), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(SelectedItems(), QList<int>({1, 2, 3}));
    EXPECT_EQ(List->SelCount(), 3);
    MouseDown(List, Center(2), Qt::LeftButton, Qt::ControlModifier);
    MouseUp(List, Center(2), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(SelectedItems(), QList<int>({1, 3}));
    // Shift with the arrows grows the range from the anchor.
    PressKey(List, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(SelectedItems(), QList<int>({2, 3}));
    List->SelectAll();
    EXPECT_EQ(List->SelCount(), 5);
    List->DeleteSelected();
    EXPECT_EQ(List->Items()->Count(), 0);
}

TEST_F(ListBoxes, MultipleSelectionTogglesItemsOneByOne)
{
    Fill({"a", "b", "c"});
    List->SetExtendedSelect(false);
    List->SetMultiSelect(true);
    MouseClick(List, Center(0));
    MouseClick(List, Center(2));
    EXPECT_EQ(SelectedItems(), QList<int>({0, 2}));
    MouseClick(List, Center(0));
    EXPECT_EQ(SelectedItems(), QList<int>({2}));
    PressKey(List, Qt::Key_Down);
    PressKey(List, Qt::Key_Space);
    EXPECT_EQ(SelectedItems(), QList<int>({1, 2}));
    EXPECT_EQ(List->ItemIndex(), 1);
    List->SetSelected(0, true);
    EXPECT_EQ(SelectedItems(), QList<int>({0, 1, 2}));
    EXPECT_THROW(List->SetSelected(7, true), EListError);
    // Without MultiSelect there is no count.
    List->SetMultiSelect(false);
    EXPECT_EQ(List->SelCount(), -1);
}

TEST_F(ListBoxes, TypedLettersSearchIncrementally)
{
    TTestClock Clock;
    Fill({"Apple", "Banana", "Berry", "Blueberry", "Cherry"});
    List->SetFocus();
    struct TStep {
        int Key;
        DWORD After;
        int Selected;
    };
    // b Banana, e Berry (be), a second b after a pause starts again, and b
    // again and again steps through the b's.
    for (const TStep& S :
         {TStep{Qt::Key_B, 0, 1}, TStep{Qt::Key_E, 100, 2}, TStep{Qt::Key_X, 100, 2}, TStep{Qt::Key_C, 2000, 4},
          TStep{Qt::Key_B, 2000, 1}, TStep{Qt::Key_B, 100, 2}, TStep{Qt::Key_B, 100, 3}, TStep{Qt::Key_B, 100, 1}}) {
        Clock.Advance(S.After);
        PressKey(List, S.Key);
        EXPECT_EQ(List->ItemIndex(), S.Selected) << "key " << QChar(S.Key).toLatin1();
    }
    List->SetAutoComplete(false);
    Clock.Advance(2000);
    PressKey(List, Qt::Key_A);
    EXPECT_EQ(List->ItemIndex(), 1);
}

// Searches from the top remember their last answer and the texts' index:
// every change of the items must make them look again.
TEST_F(ListBoxes, SearchesFromTheTopFollowEveryChangeOfTheItems)
{
    Fill({"Appel", "Banaan", "Bes", "Citroen"});
    auto Prefix = [&](const QString& S) { return int(List->Perform(LB_FINDSTRING, WPARAM(-1), PtrToLParam(&S))); };
    EXPECT_EQ(Prefix(QStringLiteral("b")), 1);
    EXPECT_EQ(Prefix(QStringLiteral("BE")), 2);
    EXPECT_EQ(Prefix(QStringLiteral("bex")), -1);
    List->Items()->Insert(0, QStringLiteral("Bex"));
    EXPECT_EQ(Prefix(QStringLiteral("bex")), 0);
    EXPECT_EQ(Prefix(QStringLiteral("bes")), 3);
    List->Items()->SetStrings(3, QStringLiteral("Aardbei"));
    EXPECT_EQ(Prefix(QStringLiteral("bes")), -1);
    EXPECT_EQ(Prefix(QStringLiteral("b")), 0);
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("citroen")), 4);
    List->Items()->Delete(0);
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("CITROEN")), 3);
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("Bex")), -1);
    List->Items()->Add(QStringLiteral("appel"));
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("APPEL")), 0) << "the first of equal texts";
    List->SetSorted(true);
    EXPECT_EQ(List->Items()->IndexOf(QStringLiteral("Banaan")), 3);
    // Letters of other scripts and beyond the basic plane fold as Qt folds them.
    List->Items()->Add(QStringLiteral("Éclair"));
    List->Items()->Add(QString::fromUtf8("\xF0\x90\x90\x80z"));
    EXPECT_GE(Prefix(QStringLiteral("écl")), 0);
    EXPECT_GE(Prefix(QString::fromUtf8("\xF0\x90\x90\xA8")), 0);
}

TEST_F(ListBoxes, TheWheelAndTheScrollBarScrollTheItems)
{
    FillNumbers(40);
    EXPECT_LT(List->ClientWidth(), List->Width() - 4);
    const int Saved = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    List->SetFocus();
    MouseWheel(List, Point(20, 20), -120);
    EXPECT_EQ(List->TopIndex(), 3);
    MouseWheel(List, Point(20, 20), 240);
    EXPECT_EQ(List->TopIndex(), 0);
    QApplication::setWheelScrollLines(Saved);
    List->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    List->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    const int Page = List->ClientHeight() / List->ItemHeight();
    EXPECT_EQ(List->TopIndex(), Page);
    List->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(List->TopIndex(), 40 - Page);
    EXPECT_EQ(List->ItemIndex(), -1);
    // Few items need no bar.
    List->Clear();
    Fill({"only"});
    EXPECT_EQ(List->ClientWidth(), List->Width() - 4);
}

TEST_F(ListBoxes, AScrollWidthScrollsTheItemsSideways)
{
    Fill({"a", "b"});
    const int Full = List->ClientHeight();
    List->SetScrollWidth(400);
    EXPECT_EQ(List->ScrollWidth(), 400);
    EXPECT_EQ(List->ClientHeight(), Full - GetSystemMetrics(SM_CYHSCROLL));
    List->Perform(WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(List->ItemRect(0).Left, -List->ClientWidth());
    List->Perform(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(List->ItemRect(0).Left, List->ClientWidth() - 400);
    List->SetScrollWidth(0);
    EXPECT_EQ(List->ClientHeight(), Full);
}

TEST_F(ListBoxes, ItemAtPosAndItemRect)
{
    Fill({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    const int H = List->ItemHeight();
    EXPECT_EQ(List->ItemRect(1), Rect(0, H, List->ClientWidth(), 2 * H));
    EXPECT_EQ(List->ItemAtPos(Point(5, H + 1), true), 1);
    List->Items()->Delete(3);
    while (List->Items()->Count() > 3)
        List->Items()->Delete(3);
    EXPECT_EQ(List->ItemAtPos(Point(5, 5 * H), true), -1);
    EXPECT_EQ(List->ItemAtPos(Point(5, 5 * H), false), 3);
    Fill({"d", "e", "f", "g", "h", "i", "j"});
    EXPECT_EQ(List->ItemAtPos(Point(-5, 5), false), -1);
    List->SetTopIndex(1);
    EXPECT_EQ(List->ItemAtPos(Point(5, 1), true), 1);
}

TEST_F(ListBoxes, ColumnsFlowDownThenAcross)
{
    FillNumbers(20);
    List->SetColumns(3);
    const int H = List->ItemHeight();
    const int Rows = List->ClientHeight() / H;
    const TRect R = List->ItemRect(Rows + 1);
    EXPECT_EQ(R.Top, H);
    EXPECT_EQ(R.Left, (List->Width() + 3 - 3) / 3);
    EXPECT_EQ(List->ItemAtPos(Point(R.Left + 2, R.Top + 2), true), Rows + 1);
    // Right moves a column on.
    List->SetFocus();
    List->SetItemIndex(0);
    PressKey(List, Qt::Key_Right);
    EXPECT_EQ(List->ItemIndex(), Rows);
}

TEST_F(ListBoxes, IntegralHeightShowsWholeItemsOnly)
{
    List->SetIntegralHeight(true);
    const int H = List->ItemHeight();
    List->SetHeight(4 + 5 * H + H / 2);
    EXPECT_EQ(List->ClientHeight(), 5 * H);
}

TEST_F(ListBoxes, StandardItemsPaintTextAndTheSelection)
{
    Fill({"one", "two"});
    List->SetItemIndex(1);
    const TRect Item = List->ItemRect(1);
    const TPoint O = InForm(List);
    const QImage Img = FormImage(List);
    EXPECT_GT(
        CountColor(Img, ColorToRGB(clHighlight), Bounds(O.X + Item.Left, O.Y + Item.Top, Item.Width(), Item.Height())),
        Item.Width() * Item.Height() / 2);
    EXPECT_GT(CountColor(Img, ColorToRGB(clHighlightText),
                         Bounds(O.X + Item.Left, O.Y + Item.Top, Item.Width(), Item.Height())),
              5);
    // The first item: window text on the window colour.
    const TRect First = List->ItemRect(0);
    EXPECT_GT(CountColor(Img, ColorToRGB(clWindowText), Bounds(O.X, O.Y, First.Width(), First.Height())), 5);
}

TEST_F(ListBoxes, TabStopsSpaceTheColumnsOfAnItem)
{
    Fill({"\tX"});
    List->SetTabWidth(40);
    HDC DC = GetDC(nullptr);
    SelectObject(DC, List->Font()->Handle());
    TEXTMETRIC M;
    GetTextMetrics(DC, &M);
    ReleaseDC(nullptr, DC);
    const int Stop = 40 * M.tmAveCharWidth / 4;
    const TPoint O = InForm(List);
    const QImage Img = FormImage(List);
    const TRect Text =
        BoundsOfColor(Img.copy(O.X, O.Y, List->ClientWidth(), List->ItemHeight()), ColorToRGB(clWindowText));
    EXPECT_GE(Text.Left, 2 + Stop);
    EXPECT_LT(Text.Left, 2 + Stop + M.tmMaxCharWidth);
}

TEST_F(ListBoxes, OwnerDrawnItemsAreDrawnByTheProgram)
{
    Fill({"a", "b", "c"});
    List->SetStyle(lbOwnerDrawFixed);
    List->SetItemHeight(20);
    List->SetItemIndex(1);
    std::vector<std::pair<int, TOwnerDrawState>> Drawn;
    List->SetOnDrawItem([&](TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
        Drawn.push_back({Index, State});
        List->Canvas()->Brush()->SetColor(Index == 1 ? clRed : clBlue);
        List->Canvas()->FillRect(Rect);
    });
    const TPoint O = InForm(List);
    const QImage Img = FormImage(List);
    ASSERT_EQ(Drawn.size(), 3u);
    EXPECT_TRUE(Drawn[1].second.Contains(odSelected));
    EXPECT_FALSE(Drawn[0].second.Contains(odSelected));
    EXPECT_TRUE(RectHasColor(Img, Bounds(O.X, O.Y + 20, List->ClientWidth(), 20), Red));
    EXPECT_TRUE(RectHasColor(Img, Bounds(O.X, O.Y + 40, List->ClientWidth(), 20), Blue));
}

TEST_F(ListBoxes, VariableHeightsComeFromOnMeasureItem)
{
    List->SetStyle(lbOwnerDrawVariable);
    List->SetOnMeasureItem([](TWinControl*, int Index, int& Height) { Height = 10 + 5 * Index; });
    Fill({"a", "b", "c"});
    EXPECT_EQ(List->ItemRect(1), Rect(0, 10, List->ClientWidth(), 25));
    EXPECT_EQ(List->ItemRect(2), Rect(0, 25, List->ClientWidth(), 45));
    EXPECT_EQ(List->ItemAtPos(Point(3, 30), true), 2);
}

TEST_F(ListBoxes, VirtualItemsAskOnData)
{
    List->SetStyle(lbVirtual);
    List->SetOnData([](TWinControl*, int Index, String& Data) { Data = QStringLiteral("Row %1").arg(Index); });
    List->SetCount(1000);
    EXPECT_EQ(List->Count(), 1000);
    EXPECT_EQ(List->Items()->Strings(500), QStringLiteral("Row 500"));
    const String More = QStringLiteral("no");
    EXPECT_EQ(List->Perform(LB_ADDSTRING, 0, PtrToLParam(&More)), LB_ERR);
    List->SetItemIndex(999);
    EXPECT_EQ(List->TopIndex(), 1000 - List->ClientHeight() / List->ItemHeight());
}

TEST_F(ListBoxes, ItemsChangedWhilePaintingLeaveTheListSound)
{
    FillNumbers(10);
    List->SetStyle(lbOwnerDrawFixed);
    bool Shrunk = false;
    int Painted = 0;
    List->SetOnDrawItem([&](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
        ++Painted;
        // Drawing the first item empties most of the list.
        if (Index == 0 && !Shrunk) {
            Shrunk = true;
            while (List->Items()->Count() > 2)
                List->Items()->Delete(List->Items()->Count() - 1);
        }
        List->Canvas()->Brush()->SetColor(clRed);
        List->Canvas()->FillRect(Rect);
    });
    List->Perform(LB_SETCURSEL, 5, 0);
    const TPoint O = InForm(List);
    QImage Img = FormImage(List);
    EXPECT_TRUE(Shrunk);
    EXPECT_EQ(List->Items()->Count(), 2);
    EXPECT_EQ(List->ItemIndex(), -1);
    // Once the queue has run, the list shows exactly the two items left.
    PumpMessages();
    Img = FormImage(List);
    const int H = List->ItemHeight();
    EXPECT_TRUE(RectHasColor(Img, Bounds(O.X, O.Y, List->ClientWidth(), 2 * H), Red));
    EXPECT_EQ(CountColor(Img, Red, Bounds(O.X, O.Y + 2 * H, List->ClientWidth(), List->ClientHeight() - 2 * H)), 0);
    // Clearing the list from a handler while it paints is sound as well.
    List->SetOnDrawItem([&](TWinControl*, int, TRect, TOwnerDrawState) { List->Clear(); });
    List->Invalidate();
    FormImage(List);
    PumpMessages();
    EXPECT_EQ(List->Items()->Count(), 0);
}

} // namespace
