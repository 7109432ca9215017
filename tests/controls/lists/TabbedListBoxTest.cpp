// The tabbed list box: tab stops worked out from the widest column text
// (the worked example), cells read and written with their errors, stops
// from header controls, huge stops and more than the window takes, stops
// turned into pixels with the list's font, and stops reaching the window.
#include "controls/lists/FcTabbedListBox.h"
#include "platform/stdctrls/Header.h"
#include "platform/stdctrls/HeaderControl.h"
#include "platform/stdctrls/ListMessages.h"
#include "tests/controls/lists/ListsFixture.h"

#include <limits>

namespace {

struct TabbedListBoxes : ListsForm {
    TFcCustomTabbedListBox* List = nullptr;
    void SetUp() override
    {
        ListsForm::SetUp();
        List = Make<TFcCustomTabbedListBox>(Bounds(10, 10, 200, 120));
    }
    int Width(const QString& Text, TFont* Font = nullptr)
    {
        List->Canvas()->SetFont(Font != nullptr ? Font : List->Font());
        return List->Canvas()->TextWidth(Text);
    }
    std::vector<std::int32_t> Stops()
    {
        std::vector<std::int32_t> V;
        for (int I = 0; I < List->TabStops()->Count(); ++I)
            V.push_back(List->TabStops()->Items(I));
        return V;
    }
};

TEST_F(TabbedListBoxes, AutomaticStopsFollowTheWidestTextOfEachColumn)
{
    List->Items()->Add(QStringLiteral("a\tbb"));
    List->Items()->Add(QStringLiteral("ccc\td"));
    List->SetTabStopsMode(tsmAutomatic);
    const int W = std::max(Width(QStringLiteral("a")), Width(QStringLiteral("ccc")));
    // The worked example: ccc 18 pixels wide at 6 a character gives 7.
    EXPECT_EQ(Stops(), std::vector<std::int32_t>({W / List->CharWidth() + 0 + 4}));
    // A new item with more columns adds a stop after the last one; an item
    // without tabs counts in the first column only.
    List->Items()->Add(QStringLiteral("e\tf\tgggggggg"));
    List->Items()->Add(QStringLiteral("een heel lange eerste kolom"));
    ASSERT_EQ(List->TabStops()->Count(), 2);
    const int First = Width(QStringLiteral("een heel lange eerste kolom")) / List->CharWidth() + 4;
    EXPECT_EQ(List->TabStops()->Items(0), First);
    EXPECT_EQ(List->TabStops()->Items(1),
              std::max(Width(QStringLiteral("bb")), Width(QStringLiteral("f"))) / List->CharWidth() + First + 4);
}

TEST_F(TabbedListBoxes, AGroupHeaderIsMeasuredInTheGroupFontWithoutItsPrefix)
{
    List->GroupFont()->SetSize(20);
    List->Items()->Add(QStringLiteral("//Kop\tx"));
    List->Items()->Add(QStringLiteral("a\tb"));
    List->SetTabStopsMode(tsmAutomatic);
    EXPECT_EQ(Stops(),
              std::vector<std::int32_t>({Width(QStringLiteral("Kop"), List->GroupFont()) / List->CharWidth() + 4}));
}

TEST_F(TabbedListBoxes, CellsAreTheColumnsOfAnItem)
{
    List->Items()->Add(QStringLiteral("a\tbb"));
    List->Items()->Add(QStringLiteral("c"));
    EXPECT_EQ(List->Cells(0, 0), QStringLiteral("a"));
    EXPECT_EQ(List->Cells(1, 0), QStringLiteral("bb"));
    EXPECT_EQ(List->Cells(0, 1), QStringLiteral("c"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List->Cells(2, 0); }), QStringLiteral("Column parameter out of range"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List->Cells(-1, 0); }), QStringLiteral("Column parameter out of range"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List->Cells(0, 5); }), QStringLiteral("Row parameter out of range"));
    EXPECT_EQ(ErrorMessage<EListError>([&] { List->SetCells(1, 1, QStringLiteral("x")); }),
              QStringLiteral("Column parameter out of range"));
    List->SetCells(0, 0, QStringLiteral("xyz"));
    EXPECT_EQ(List->Items()->Strings(0), QStringLiteral("xyz\tbb"));
    List->SetCells(1, 0, QString());
    EXPECT_EQ(List->Items()->Strings(0), QStringLiteral("xyz\t"));
}

TEST_F(TabbedListBoxes, TabStopsBecomePixelsWithTheListsFont)
{
    List->TabStops()->Add(10);
    List->TabStops()->Add(-25);
    const int Small = List->CharWidth();
    EXPECT_EQ(List->GetTabStops(), std::vector<int>({40, -100}));
    EXPECT_EQ(List->TabStopPixels(), std::vector<int>({10 * Small, -25 * Small}));
    List->Font()->SetSize(24);
    ASSERT_GT(List->CharWidth(), Small);
    EXPECT_EQ(List->TabStopPixels(), std::vector<int>({10 * List->CharWidth(), -25 * List->CharWidth()}));
}

TEST_F(TabbedListBoxes, HugeStopsAreClampedAndOnlyAThousandReachTheWindow)
{
    List->TabStops()->Add(std::numeric_limits<std::int32_t>::max());
    List->TabStops()->Add(-std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(List->GetTabStops(),
              std::vector<int>({std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}));
    for (int Pixel : List->TabStopPixels())
        EXPECT_EQ(std::abs(std::int64_t(Pixel)) >= std::numeric_limits<int>::max(), true);
    List->TabStops()->Clear();
    for (int I = 1; I <= 1200; ++I)
        List->TabStops()->Add(I);
    EXPECT_EQ(List->GetTabStops().size(), 1000u);
    EXPECT_EQ(List->TabStopPixels().size(), 1000u);
    List->SetHorzScrollBar(true);
    List->Items()->Add(QStringLiteral("a\tb"));
    EXPECT_EQ(List->HorzExtent(), 2 * List->CharWidth() + Width(QStringLiteral("b")) + Width(QStringLiteral("x")));
}

// Where the second column of "a<tab>b" is painted in a standard list.
int SecondColumnAt(TFcCustomTabbedListBox* List)
{
    const QImage I = PaintControlImage(List);
    const TRect Item = List->ItemRect(0);
    const TRect B = BoundsOfColor(I.copy(20, 2 + Item.Top, I.width() - 20, Item.Height()), ColorToRGB(clWindowText));
    return B.Left + 20;
}

TEST_F(TabbedListBoxes, StopsWorkedOutAnewReachTheWindowAlsoWhenNoneRemain)
{
    List->Items()->Add(QStringLiteral("a\tb"));
    const int Default = SecondColumnAt(List);
    List->SetTabStopsMode(tsmAutomatic);
    ASSERT_EQ(List->TabStops()->Count(), 1);
    const int Automatic = SecondColumnAt(List);
    EXPECT_NE(Automatic, Default);
    // The tab goes: no stops remain, and the window hears so (else it
    // would go on using the last ones).
    List->Items()->SetStrings(0, QStringLiteral("a b"));
    EXPECT_EQ(List->TabStops()->Count(), 0);
    List->SetTabStopsMode(tsmManual);
    List->Items()->SetStrings(0, QStringLiteral("a\tb"));
    EXPECT_EQ(SecondColumnAt(List), Default);
}

TEST_F(TabbedListBoxes, StopsFollowAHeaderControlsSections)
{
    auto* Header = Make<THeaderControl>(Bounds(10, 140, 200, 20));
    for (int W : {60, 40, 30})
        Header->Sections()->Add()->SetWidth(W);
    for (std::int32_t S : {1, -1, 2})
        List->TabStops()->Add(S);
    List->UpdateFromHeader(Header);
    const int C = List->CharWidth();
    EXPECT_EQ(Stops(), std::vector<std::int32_t>({60 / C + 1, 1 - (100 + 30) / C, 130 / C + 1}));
    List->TabStops()->Put(2, -1);
    List->UpdateFromHeader(Header);
    EXPECT_EQ(List->TabStops()->Items(2), 1 - List->Width() / C) << "the last section ends at the list's edge";
}

TEST_F(TabbedListBoxes, StopsFollowAHeadersSections)
{
    auto* Header = Make<THeader>(Bounds(10, 140, 200, 20));
    Header->Sections()->Add(QStringLiteral("Naam"));
    Header->Sections()->Add(QStringLiteral("Plaats"));
    Header->Sections()->Add(QStringLiteral("Land"));
    Header->SetSectionWidth(0, 70);
    Header->SetSectionWidth(1, 50);
    for (std::int32_t S : {1, -1, 2})
        List->TabStops()->Add(S);
    List->UpdateFromHeader(Header);
    const int C = List->CharWidth();
    // A header's last section sets no stop.
    EXPECT_EQ(Stops(), std::vector<std::int32_t>({70 / C + 1, 1 - (120 + Header->SectionWidth(2)) / C, 2}));
}

TEST_F(TabbedListBoxes, OnlyHeadersCanBeFollowed)
{
    List->TabStops()->Add(5);
    EXPECT_EQ(ErrorMessage<EHeaderError>([&] { List->UpdateFromHeader(List); }),
              QStringLiteral("Only THeader and THeaderControl components can be passed to "
                             "TFcCustomTabbedListBox.UpdateFromHeader"));
    EXPECT_EQ(List->TabStops()->Items(0), 5);
}

TEST_F(TabbedListBoxes, OwnerDrawnItemsAndHeadersExpandTheirTabsAtTheStops)
{
    List->SetShowGroups(true);
    List->SetUseGradients(false);
    List->Items()->Add(QStringLiteral("//G\tkop"));
    List->Items()->Add(QStringLiteral("a\tb"));
    List->TabStops()->Add(12);
    const QImage I = PaintControlImage(List);
    const int X = 2 + 12 * List->CharWidth();
    for (int Row = 0; Row < 2; ++Row) {
        const TRect Item = List->ItemRect(Row);
        const COLORREF Ink = Row == 0 ? ColorToRGB(clHighlight) : ColorToRGB(clWindowText);
        const TRect B = BoundsOfColor(I.copy(2 + 40, 2 + Item.Top, 200, Item.Height()), Ink);
        EXPECT_NEAR(B.Left + 40, X, 2) << Row;
    }
}

} // namespace
