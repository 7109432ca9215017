// Painting of the data grid: titles, the indicator and its marks, cells,
// lines and highlight, in exact pixels where the drawing is defined, and the
// drawing events.
#include "tests/platform/dbctrls/GridFixture.h"
#include "tests/support/ImageHelpers.h"

namespace {

struct GridPainting : TGridFixture {
    // Column of NAAM (left aligned) and of ID (right aligned) in grid terms.
    static constexpr int IdCol = 1;
    static constexpr int NameCol = 2;
    COLORREF Rgb(TColor C) const { return ColorToRGB(C); }
    // A pixel of the cell where no text is drawn: its second row from the
    // bottom, in the middle.
    TPoint Blank(int ACol, int ARow)
    {
        const TRect R = Grid->CellRect(ACol, ARow);
        return {(R.Left + R.Right) / 2, R.Bottom - 2};
    }
};

TEST_F(GridPainting, TitlesAndIndicatorAreRaisedFixedCellsBetweenBlackLines)
{
    const QImage Img = ClientImage();
    const TRect Corner = Grid->CellRect(0, 0);
    const TRect Title = Grid->CellRect(NameCol, 0);
    // Light inside the top-left of each fixed cell, shadow inside its bottom-right.
    EXPECT_TRUE(PixelIs(Img, Title.Left, Title.Top + 3, Rgb(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(Img, Title.Left + 3, Title.Top, Rgb(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(Img, Title.Right - 1, Title.Top + 3, Rgb(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Img, Title.Left + 3, Title.Bottom - 1, Rgb(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Img, Corner.Left + 1, Corner.Top + 1, Rgb(clBtnFace)));
    // The fixed lines are black: right of the indicator and under the titles.
    EXPECT_TRUE(PixelIs(Img, Corner.Right, Title.Top + 3, Black));
    EXPECT_TRUE(PixelIs(Img, Title.Left + 3, Title.Bottom, Black));
    const TRect Indicator = Grid->CellRect(0, 2);
    EXPECT_TRUE(PixelIs(Img, Indicator.Right, Indicator.Top + 1, Black));
    EXPECT_TRUE(PixelIs(Img, Indicator.Left, Indicator.Top + 1, Rgb(clBtnHighlight)));
}

TEST_F(GridPainting, AColumnsTitleTakesItsOwnColourAndFont)
{
    // The name column's title in yellow with red text; the id column keeps
    // the grid's fixed colour and title font.
    Grid->Columns()->Add()->SetFieldName("ID");
    TColumn* Name = Grid->Columns()->Add();
    Name->SetFieldName("NAAM");
    Name->Title()->SetColor(clYellow);
    Name->Title()->Font()->SetColor(clRed);
    Name->Title()->Font()->SetStyle({fsBold});
    Grid->SetFixedColor(clInfoBk);
    const QImage Img = ClientImage();
    const TRect NameTitle = Grid->CellRect(NameCol, 0), IdTitle = Grid->CellRect(IdCol, 0);
    EXPECT_TRUE(PixelIs(Img, NameTitle.Right - 3, NameTitle.Bottom - 3, Rgb(clYellow)));
    EXPECT_GT(CountColor(Img, Rgb(clRed), NameTitle), 10);
    EXPECT_TRUE(PixelIs(Img, IdTitle.Left + 2, IdTitle.Bottom - 3, Rgb(clInfoBk)));
    EXPECT_EQ(CountColor(Img, Rgb(clRed), IdTitle), 0);
    // The title font is the grid's until set, and stays the column's after.
    EXPECT_EQ(Grid->Columns()->Items(0)->Title()->Font()->Color(), Grid->TitleFont()->Color());
    Grid->TitleFont()->SetColor(clNavy);
    EXPECT_EQ(Grid->Columns()->Items(0)->Title()->Font()->Color(), clNavy);
    EXPECT_EQ(Name->Title()->Font()->Color(), clRed);
}

TEST_F(GridPainting, DataCellsAreWindowColouredBetweenSilverLines)
{
    const QImage Img = ClientImage();
    const TRect Cell = Grid->CellRect(NameCol, 3);
    const TPoint B = Blank(NameCol, 3);
    EXPECT_TRUE(PixelIs(Img, B.X, B.Y, Rgb(clWindow)));
    EXPECT_TRUE(PixelIs(Img, Cell.Right, Cell.Top + 2, Rgb(clSilver)));
    EXPECT_TRUE(PixelIs(Img, Cell.Left + 2, Cell.Bottom, Rgb(clSilver)));
    // The text is the font's colour, inside its cell.
    EXPECT_GT(CountColor(Img, Rgb(clWindowText), Cell), 10);
}

TEST_F(GridPainting, LinesFollowTheOptions)
{
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgColLines, dgRowLines});
    const QImage Img = ClientImage();
    EXPECT_EQ(CountColor(Img, Rgb(clSilver), {0, 0, Img.width(), Img.height()}), 0);
    EXPECT_EQ(CountColor(Img, Black, Grid->CellRect(0, 0)), 0);
}

TEST_F(GridPainting, TheCurrentRowsIndicatorShowsTheArrowAndItsStateMarks)
{
    Table->MoveBy(2);
    auto Center = [&] {
        const TRect R = Grid->CellRect(0, Grid->Row());
        return TPoint{R.Left + R.Width() / 2, R.Top + (R.Height() - 1) / 2};
    };
    ASSERT_EQ(Grid->Row(), 3);
    QImage Img = ClientImage();
    TPoint C = Center();
    // A triangle pointing right: 7, 5, 3 and 1 pixels high.
    for (int I = 0; I < 4; ++I) {
        EXPECT_TRUE(PixelIs(Img, C.X - 2 + I, C.Y - 3 + I, Black));
        EXPECT_TRUE(PixelIs(Img, C.X - 2 + I, C.Y + 3 - I, Black));
        EXPECT_TRUE(PixelIs(Img, C.X - 2 + I, C.Y - 4 + I, Rgb(clBtnFace)));
    }
    EXPECT_EQ(CountColor(Img, Black, Grid->CellRect(0, 2)), 0);

    Table->Edit();
    Img = ClientImage();
    EXPECT_TRUE(RectHasColor(Img, {C.X, C.Y - 4, C.X + 1, C.Y + 5}, Black));
    EXPECT_TRUE(RectHasColor(Img, {C.X - 2, C.Y - 4, C.X + 3, C.Y - 3}, Black));
    Table->Cancel();

    Table->Insert();
    Img = ClientImage();
    C = Center();
    EXPECT_TRUE(RectHasColor(Img, {C.X - 3, C.Y, C.X + 4, C.Y + 1}, Black));
    EXPECT_TRUE(PixelIs(Img, C.X - 2, C.Y - 2, Black));
    EXPECT_TRUE(PixelIs(Img, C.X + 2, C.Y + 2, Black));
    EXPECT_TRUE(PixelIs(Img, C.X - 1, C.Y - 2, Rgb(clBtnFace)));
}

TEST_F(GridPainting, TheCurrentCellIsHighlightedWhileFocusedOrAlwaysShown)
{
    Grid->SetSelectedIndex(NameCol - 1);
    const TPoint B = Blank(NameCol, 1);
    EXPECT_TRUE(PixelIs(ClientImage(), B.X, B.Y, Rgb(clHighlight)));
    // The text of a highlighted cell is in the highlight text colour.
    EXPECT_GT(CountColor(ClientImage(), Rgb(clHighlightText), Grid->CellRect(NameCol, 1)), 10);
    const TPoint Other = Blank(NameCol, 2);
    EXPECT_TRUE(PixelIs(ClientImage(), Other.X, Other.Y, Rgb(clWindow)));

    auto* Elsewhere = new TDBGrid(Form);
    Elsewhere->SetBounds(10, 220, 100, 40);
    Elsewhere->SetParent(Form);
    Elsewhere->SetFocus();
    EXPECT_TRUE(PixelIs(ClientImage(), B.X, B.Y, Rgb(clWindow)));
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowSelection});
    EXPECT_TRUE(PixelIs(ClientImage(), B.X, B.Y, Rgb(clHighlight)));
}

TEST_F(GridPainting, RowSelectHighlightsTheWholeRow)
{
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgRowSelect});
    EXPECT_FALSE(Grid->Options().Contains(dgEditing));
    const QImage Img = ClientImage();
    for (int C = 1; C <= 3; ++C) {
        const TPoint B = Blank(C, 1);
        EXPECT_TRUE(PixelIs(Img, B.X, B.Y, Rgb(clHighlight))) << "column " << C;
    }
    const TPoint B = Blank(1, 2);
    EXPECT_TRUE(PixelIs(Img, B.X, B.Y, Rgb(clWindow)));
}

TEST_F(GridPainting, RowsWithoutARecordAreBlankWithoutLines)
{
    while (Table->RecordCount() > 3) {
        Table->Last();
        Table->Delete();
    }
    const QImage Img = ClientImage();
    const TRect Last = Grid->CellRect(NameCol, 3);
    ASSERT_FALSE(IsRectEmpty(Last));
    EXPECT_TRUE(IsRectEmpty(Grid->CellRect(NameCol, 4)));
    const TRect Below{0, Last.Bottom + 1, Img.width(), Img.height()};
    EXPECT_TRUE(RectHasColor(Img, Below, Rgb(clWindow)));
}

TEST_F(GridPainting, TitlesAndCellsTakeTheirAlignmentAndTheTitleFont)
{
    Grid->TitleFont()->SetColor(clRed);
    TColumn* Name = Grid->Columns()->Items(NameCol - 1);
    Name->Title()->SetAlignment(taRightJustify);
    Name->SetAlignment(taRightJustify);
    const QImage Img = ClientImage();
    const TRect Title = Grid->CellRect(NameCol, 0);
    const TRect TitleText = BoundsOfColor(Img.copy(Title.Left, Title.Top, Title.Width(), Title.Height()), Red);
    ASSERT_FALSE(IsRectEmpty(TitleText));
    EXPECT_GT(TitleText.Left, Title.Width() / 3);
    EXPECT_GE(TitleText.Right, Title.Width() - 4);
    // The ID column keeps its field's right alignment; the text ends two
    // pixels from the cell's right edge.
    const TRect Cell = Grid->CellRect(IdCol, 2);
    const TRect Text = BoundsOfColor(Img.copy(Cell.Left, Cell.Top, Cell.Width(), Cell.Height()), Rgb(clWindowText));
    EXPECT_LE(Cell.Width() - Text.Right, 3);
    EXPECT_GE(Cell.Width() - Text.Right, 2);
}

TEST_F(GridPainting, OwnerDrawingGetsEveryDataCellWithItsColumn)
{
    Grid->SetDefaultDrawing(false);
    int Cells = 0;
    Grid->SetOnDrawColumnCell([&](TObject*, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState) {
        ++Cells;
        EXPECT_EQ(Column, Grid->Columns()->Items(DataCol));
        if (Column->FieldName() == "NAAM") {
            Grid->Canvas()->Brush()->SetColor(clYellow);
            Grid->DefaultDrawColumnCell(Rect, DataCol, Column, {});
        }
    });
    int DataCells = 0;
    Grid->SetOnDrawDataCell([&](TObject*, const TRect&, TField*, TGridDrawState) { ++DataCells; });
    const QImage Img = ClientImage();
    EXPECT_GT(Cells, 0);
    EXPECT_EQ(DataCells, Cells);
    const TPoint B = Blank(NameCol, 2);
    EXPECT_TRUE(PixelIs(Img, B.X, B.Y, Rgb(clYellow)));
    // Titles and the indicator are the grid's own still.
    const TRect Title = Grid->CellRect(NameCol, 0);
    EXPECT_TRUE(PixelIs(Img, Title.Left, Title.Top + 3, Rgb(clBtnHighlight)));

    // Columns of one's own: the data-cell event is for default columns only.
    DataCells = 0;
    Grid->Columns()->Add()->SetFieldName("NAAM");
    ClientImage();
    EXPECT_EQ(DataCells, 0);
}

TEST_F(GridPainting, ADisabledGridWritesGreyText)
{
    Grid->SetEnabled(false);
    const QImage Img = ClientImage();
    EXPECT_GT(CountColor(Img, Rgb(clGrayText), Grid->CellRect(NameCol, 2)), 10);
    EXPECT_EQ(CountColor(Img, Rgb(clWindowText), Grid->CellRect(NameCol, 2)), 0);
}

} // namespace
