// The grid's rows as a window over the data set: what it shows follows the
// data set's position and order, its vertical scroll bar stands for the
// current record, and the bar, the wheel and resizing move or resize the
// window.
#include "tests/platform/dbctrls/GridFixture.h"

namespace {

struct GridScrolling : TGridFixture {
    QString Name(int No) const { return QStringLiteral("Persoon %1").arg(No, 2, 10, QLatin1Char('0')); }
    // The names of records From .. From + Count - 1.
    QStringList Names(int From, int Count) const
    {
        QStringList L;
        for (int I = 0; I < Count; ++I)
            L << Name(From + I);
        return L;
    }
    int Rows() const { return Grid->RowCount() - 1; }
    SCROLLINFO VertBar()
    {
        SCROLLINFO SI;
        SI.fMask = SIF_ALL;
        GetScrollInfo(Grid->Handle(), SB_VERT, &SI);
        return SI;
    }
    void Scroll(int Code) { SendMessage(Grid->Handle(), WM_VSCROLL, MAKEWPARAM(Code, 0), 0); }
};

TEST_F(GridScrolling, TheRowsAreTheWindowOfRecordsAroundTheCurrentOne)
{
    const int N = Rows();
    ASSERT_GT(N, 3);
    ASSERT_LT(N, 30);
    EXPECT_EQ(PaintedNames(), Names(1, N));
    Table->MoveBy(N + 4);
    // The window follows only as far as it must: the current record is the last row.
    EXPECT_EQ(Grid->Row(), N);
    EXPECT_EQ(PaintedNames(), Names(6, N));
    Table->Last();
    EXPECT_EQ(PaintedNames(), Names(31 - N, N));
    Table->First();
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(PaintedNames(), Names(1, N));
}

TEST_F(GridScrolling, ASortOrderSwitchKeepsTheCurrentRecordAndShowsTheNewOrder)
{
    Table->MoveBy(4);
    Table->SetIndexName("ID_DESC");
    EXPECT_EQ(CurrentName(), Name(5));
    const QStringList Shown = PaintedNames();
    EXPECT_EQ(Shown.value(Grid->Row() - 1), Name(5));
    for (int I = 1; I < Shown.size(); ++I)
        EXPECT_GT(Shown[I - 1], Shown[I]);
}

TEST_F(GridScrolling, TheVerticalBarStandsForTheCurrentRecord)
{
    SCROLLINFO SI = VertBar();
    EXPECT_EQ(SI.nMin, 1);
    EXPECT_EQ(int(SI.nPage), Rows());
    EXPECT_EQ(SI.nMax, 30 + Rows() - 1);
    EXPECT_EQ(SI.nPos, 1);
    Table->MoveBy(11);
    EXPECT_EQ(VertBar().nPos, 12);
    Table->Last();
    EXPECT_EQ(VertBar().nPos, 30);
    Table->SetFilter("GROEP = 1");
    Table->SetFiltered(true);
    SI = VertBar();
    EXPECT_EQ(SI.nMax, 10 + Rows() - 1);
    EXPECT_EQ(SI.nPos, 1);
}

TEST_F(GridScrolling, ScrollBarCommandsMoveTheDataSet)
{
    struct TCase {
        int Code;
        int Expected;
    };
    const int N = Rows();
    for (const TCase& C : {TCase{SB_LINEDOWN, 2}, TCase{SB_PAGEDOWN, 2 + N}, TCase{SB_LINEUP, 1 + N},
                           TCase{SB_PAGEUP, 1}, TCase{SB_BOTTOM, 30}, TCase{SB_TOP, 1}}) {
        Scroll(C.Code);
        EXPECT_EQ(Table->RecNo(), C.Expected) << "scroll code " << C.Code;
    }
}

TEST_F(GridScrolling, DraggingTheThumbGoesToTheRecordItStandsFor)
{
    // The bar is right of the client area, its thumb just below the up
    // arrow.  The drag runs its own loop with the mouse captured: the moves
    // are queued from a timer once it runs.
    const int BarX = Grid->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int ThumbY = GetSystemMetrics(SM_CXVSCROLL) + 3;
    auto Drag = [&](TPoint From, TPoint To) {
        HWND Timer = nullptr;
        Timer = AllocateHWnd([&](TMessage& M) {
            if (M.Msg != WM_TIMER)
                return;
            KillTimer(Timer, 1);
            QueueMouseMove(Grid, To);
            QueueMouseUp(Grid, To);
        });
        SetTimer(Timer, 1, 0);
        QueueMouseDown(Grid, From);
        PumpMessages();
        DeallocateHWnd(Timer);
    };
    Drag({BarX, ThumbY}, {BarX, Grid->ClientHeight() + 40});
    EXPECT_EQ(Table->RecNo(), 30);
    EXPECT_EQ(GetScrollPos(Grid->Handle(), SB_VERT), 30);
    // Taken and let go where it is: the record stays (not where the last
    // drag ended).
    Table->First();
    Drag({BarX, ThumbY}, {BarX, ThumbY});
    EXPECT_EQ(Table->RecNo(), 1);
    Drag({BarX, ThumbY}, {BarX, Grid->ClientHeight() / 2});
    EXPECT_GT(Table->RecNo(), 5);
    EXPECT_LT(Table->RecNo(), 25);
}

TEST_F(GridScrolling, TheWheelMovesOneRecordPerNotch)
{
    MouseWheel(Grid, CellCenter(2, 2), -2 * 120);
    EXPECT_EQ(Table->RecNo(), 3);
    MouseWheel(Grid, CellCenter(2, 2), 120);
    EXPECT_EQ(Table->RecNo(), 2);
}

TEST_F(GridScrolling, ResizingTheGridResizesTheWindowOfRecords)
{
    const int Before = Rows();
    const int Stride = Grid->DefaultRowHeight() + Grid->GridLineWidth();
    Grid->SetHeight(Grid->Height() + 3 * Stride);
    EXPECT_EQ(Rows(), Before + 3);
    EXPECT_EQ(PaintedNames(), Names(1, Before + 3));
    Grid->SetHeight(Stride);
    EXPECT_EQ(Rows(), 1);
}

TEST_F(GridScrolling, ClosingAndReopeningTheDataSet)
{
    Table->Close();
    EXPECT_EQ(Grid->Columns()->Count(), 0);
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_TRUE(PaintedNames().isEmpty());
    Table->CreateDataSet();
    AddPerson(Table, 7, Name(7));
    EXPECT_EQ(Grid->Columns()->Count(), 6);
    EXPECT_EQ(PaintedNames(), QStringList{Name(7)});
    EXPECT_EQ(Grid->RowCount(), 2);
}

TEST_F(GridScrolling, ASourceThatChangesItsDataSetShowsTheNewOnesFields)
{
    auto* Other = new TClientDataSet(Form);
    Other->FieldDefs()->Add("STAD", ftString, 20);
    Other->CreateDataSet();
    Other->Append();
    Other->FieldByName("STAD")->SetAsString("Utrecht");
    Other->Post();
    Source->SetDataSet(Other);
    ASSERT_EQ(Grid->Columns()->Count(), 1);
    EXPECT_EQ(Grid->Columns()->Items(0)->Field(), Other->FieldByName("STAD"));
    // The old table can go now without the grid holding its fields.
    delete Table;
    Table = nullptr;
    PaintControlImage(Grid);
}

TEST_F(GridScrolling, ANewRecordGetsARowOfItsOwnUntilItIsCancelled)
{
    const int N = Rows();
    Table->MoveBy(2);
    Table->Insert();
    EXPECT_EQ(Grid->Row(), 3);
    QStringList Shown = PaintedNames();
    EXPECT_EQ(Shown.value(2), QString());
    EXPECT_EQ(Shown.value(3), Name(3));
    Table->Cancel();
    EXPECT_EQ(PaintedNames(), Names(1, N));
}

} // namespace
