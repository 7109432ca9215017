// The grid's keyboard and mouse: navigation through the data set and the
// columns, inserting and deleting records (the delete asked through the
// message box), title and cell clicks, the right press that picks a row
// for the menu, and column sizing by dragging.
#include "tests/platform/dbctrls/GridFixture.h"

#include "platform/actions/Menus.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

struct GridInput : TGridFixture {
    int Page() const { return Grid->RowCount() - 1; }
    // The x of the line right of grid column ACol, in the title row.
    TPoint LineRightOf(int ACol)
    {
        const TRect R = Grid->CellRect(ACol, 0);
        return {R.Right, (R.Top + R.Bottom) / 2};
    }
};

struct TKeyCase {
    const char* Name;
    int Key;
    Qt::KeyboardModifiers Mods;
    // -1: page-relative expectations are worked out in the test.
    int RecNo;
    int SelectedIndex;
};

TEST_F(GridInput, KeysMoveThroughRecordsAndColumns)
{
    // Each key from record 10, column 2.
    const int P = Page();
    const TKeyCase Cases[] = {
        {"Down", Qt::Key_Down, Qt::NoModifier, 11, 2},
        {"Up", Qt::Key_Up, Qt::NoModifier, 9, 2},
        {"PgDn", Qt::Key_PageDown, Qt::NoModifier, 10 + P, 2},
        {"PgUp", Qt::Key_PageUp, Qt::NoModifier, std::max(1, 10 - P), 2},
        {"Ctrl+Home", Qt::Key_Home, Qt::ControlModifier, 1, 2},
        {"Ctrl+End", Qt::Key_End, Qt::ControlModifier, 30, 2},
        {"Home", Qt::Key_Home, Qt::NoModifier, 10, 0},
        {"End", Qt::Key_End, Qt::NoModifier, 10, 5},
        {"Left", Qt::Key_Left, Qt::NoModifier, 10, 1},
        {"Right", Qt::Key_Right, Qt::NoModifier, 10, 3},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, 10, 3},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, 10, 1},
    };
    for (const TKeyCase& C : Cases) {
        Table->First();
        Table->MoveBy(9);
        Grid->SetSelectedIndex(2);
        Press(C.Key, C.Mods);
        EXPECT_EQ(Table->RecNo(), C.RecNo) << C.Name;
        EXPECT_EQ(Grid->SelectedIndex(), C.SelectedIndex) << C.Name;
        EXPECT_TRUE(Grid->Focused()) << C.Name;
    }
}

TEST_F(GridInput, TabWrapsToTheNextRecordAndShiftTabBack)
{
    Grid->SetSelectedIndex(5);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Table->RecNo(), 2);
    EXPECT_EQ(Grid->SelectedIndex(), 0);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Table->RecNo(), 1);
    EXPECT_EQ(Grid->SelectedIndex(), 5);
    // Without dgTabs the key leaves the grid.
    auto* Next = new TDBGrid(Form);
    Next->SetBounds(10, 220, 100, 40);
    Next->SetParent(Form);
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgTabs});
    Press(Qt::Key_Tab);
    EXPECT_TRUE(Next->Focused());
}

TEST_F(GridInput, EnteringAColumnIsReportedAndSelectedFieldFollows)
{
    int Entered = 0;
    Grid->SetOnColEnter([&](TObject*) { ++Entered; });
    Press(Qt::Key_Right);
    EXPECT_EQ(Entered, 1);
    EXPECT_EQ(Grid->SelectedField(), Table->FieldByName("NAAM"));
    Press(Qt::Key_Down);
    EXPECT_EQ(Entered, 1);
    Grid->SetSelectedField(Table->FieldByName("GEBOREN"));
    EXPECT_EQ(Grid->SelectedIndex(), 3);
    EXPECT_EQ(Entered, 2);
}

TEST_F(GridInput, TheCurrentColumnStaysWhenTheIndicatorComesOrGoes)
{
    Grid->SetSelectedIndex(2);
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgIndicator});
    EXPECT_EQ(Grid->FixedCols(), 0);
    EXPECT_EQ(Grid->SelectedIndex(), 2);
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgIndicator});
    EXPECT_EQ(Grid->SelectedIndex(), 2);
}

TEST_F(GridInput, OnKeyDownSeesTheKeyFirstAndMayTakeIt)
{
    Grid->SetOnKeyDown([](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_DOWN)
            Key = 0;
    });
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->RecNo(), 1);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Table->RecNo(), 1 + Page());
}

TEST_F(GridInput, CtrlDeleteAsksFirstWhenTheOptionSaysSo)
{
    Table->MoveBy(4);
    {
        TScriptedMessageBoxes Boxes({IDCANCEL});
        Press(Qt::Key_Delete, Qt::ControlModifier);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "Delete record?");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Confirm");
        EXPECT_EQ(Boxes.Asked()[0].Flags, unsigned(MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(Table->RecordCount(), 30);
    }
    {
        TScriptedMessageBoxes Boxes({IDOK});
        Press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(Table->RecordCount(), 29);
        EXPECT_EQ(CurrentName(), "Persoon 06");
    }
    {
        Grid->SetOptions(Grid->Options() - TDBGridOptions{dgConfirmDelete});
        TScriptedMessageBoxes Boxes({IDCANCEL});
        Press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_TRUE(Boxes.Asked().empty());
        EXPECT_EQ(Table->RecordCount(), 28);
        // A plain Delete, and any delete on a read-only grid, does nothing.
        Press(Qt::Key_Delete);
        Grid->SetReadOnly(true);
        Press(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(Table->RecordCount(), 28);
    }
}

TEST_F(GridInput, InsertMakesANewRecordThatLeavingUntouchedCancels)
{
    Table->MoveBy(3);
    Press(Qt::Key_Insert);
    EXPECT_EQ(Table->State(), dsInsert);
    Press(Qt::Key_Up);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Table->RecordCount(), 30);
    Press(Qt::Key_Insert);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Table->State(), dsBrowse);
    // Down from the last record appends one, while the grid may edit.
    Table->Last();
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->State(), dsInsert);
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->State(), dsInsert);
    Table->Cancel();
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgEditing});
    Press(Qt::Key_Down);
    Press(Qt::Key_Insert);
    EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(GridInput, ANewRecordIsCancelledWhenTheFocusLeaves)
{
    auto* Next = new TDBGrid(Form);
    Next->SetBounds(10, 220, 100, 40);
    Next->SetParent(Form);
    Press(Qt::Key_Insert);
    Next->SetFocus();
    EXPECT_EQ(Table->State(), dsBrowse);
    Grid->SetFocus();
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgCancelOnExit});
    Press(Qt::Key_Insert);
    Next->SetFocus();
    EXPECT_EQ(Table->State(), dsInsert);
    Table->Cancel();
}

TEST_F(GridInput, ClickingACellMovesToItsRecordAndColumn)
{
    QStringList Clicked;
    Grid->SetOnCellClick([&](TColumn* Column) { Clicked << Column->FieldName(); });
    MouseClick(Grid, CellCenter(3, 4));
    EXPECT_EQ(Table->RecNo(), 4);
    EXPECT_EQ(Grid->SelectedIndex(), 2);
    EXPECT_EQ(Clicked, QStringList{"GROEP"});
    // The indicator moves the record only.
    MouseClick(Grid, CellCenter(0, 2));
    EXPECT_EQ(Table->RecNo(), 2);
    EXPECT_EQ(Grid->SelectedIndex(), 2);
    EXPECT_EQ(Clicked.size(), 1);
}

TEST_F(GridInput, ClickingATitleReportsItsColumnAndMovesNothing)
{
    QStringList Titles;
    Grid->SetOnTitleClick([&](TColumn* Column) { Titles << Column->FieldName(); });
    int Cells = 0;
    Grid->SetOnCellClick([&](TColumn*) { ++Cells; });
    MouseClick(Grid, CellCenter(2, 0));
    MouseClick(Grid, CellCenter(0, 0));
    EXPECT_EQ(Titles, QStringList{"NAAM"});
    EXPECT_EQ(Cells, 0);
    EXPECT_EQ(Table->RecNo(), 1);
    // Pressed on one title and let go on another: no click.
    MouseDown(Grid, CellCenter(2, 0));
    MouseUp(Grid, CellCenter(3, 0));
    EXPECT_EQ(Titles.size(), 1);
}

// A right press picks the record it points at before the menu its release
// opens; the column stays and no editing starts. The indicator belongs to
// its row; the titles and the room below the last record move nothing.
TEST_F(GridInput, ARightPressMakesItsRowCurrentBeforeTheMenuShows)
{
    Grid->SetPopupMenu(new TPopupMenu(Form));
    TScriptedPopupMenus Menus({QString()});
    QString AtMenu;
    Menus.WhileOpen = [&](TPopupMenu*) { AtMenu = CurrentName(); };
    while (Table->RecordCount() > 4) {
        Table->Last();
        Table->Delete();
    }
    Table->First();
    const int Column = Grid->SelectedIndex();
    const TRect Last = Grid->CellRect(2, 4);
    const struct {
        const char* Where;
        TPoint At;
        QString Current;
    } Cases[] = {
        {"a cell", CellCenter(3, 3), "Persoon 03"},
        {"the title", CellCenter(2, 0), "Persoon 03"},
        {"the indicator", CellCenter(0, 2), "Persoon 02"},
        {"below the rows", {Last.Left + 5, Last.Bottom + 5}, "Persoon 02"},
        {"the last row", CellCenter(1, 4), "Persoon 04"},
    };
    for (const auto& C : Cases) {
        const size_t Shown = Menus.Shown().size();
        MouseClick(Grid, C.At, Qt::RightButton);
        EXPECT_EQ(CurrentName(), C.Current) << C.Where;
        EXPECT_EQ(Menus.Shown().size(), Shown + 1) << C.Where;
        EXPECT_EQ(AtMenu, C.Current) << C.Where;
    }
    EXPECT_EQ(Grid->SelectedIndex(), Column);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Table->State(), dsBrowse);
}

// The record cannot be left (here silently refused): the menu would act
// on another record than the one pointed at, so it stays shut; the next
// press that works opens it again.
TEST_F(GridInput, ARightPressOnARowThatCannotBeReachedOpensNoMenu)
{
    Grid->SetPopupMenu(new TPopupMenu(Form));
    TScriptedPopupMenus Menus({QString()});
    Table->SetBeforeScroll([](TDataSet*) { throw EAbort(); });
    MouseClick(Grid, CellCenter(2, 3), Qt::RightButton);
    EXPECT_EQ(CurrentName(), "Persoon 01");
    EXPECT_TRUE(Menus.Shown().empty());
    // The keyboard's menu key is no press: its menu shows.
    PressKey(Grid, Qt::Key_Menu);
    EXPECT_EQ(Menus.Shown().size(), 1u);
    Table->SetBeforeScroll(nullptr);
    MouseClick(Grid, CellCenter(2, 3), Qt::RightButton);
    EXPECT_EQ(CurrentName(), "Persoon 03");
    EXPECT_EQ(Menus.Shown().size(), 2u);
}

TEST_F(GridInput, DoubleClickingReportsIt)
{
    int Double = 0;
    Grid->SetOnDblClick([&](TObject*) { ++Double; });
    TTestClock Clock;
    MouseClick(Grid, CellCenter(2, 3));
    MouseClick(Grid, CellCenter(2, 3));
    EXPECT_EQ(Double, 1);
    EXPECT_EQ(Table->RecNo(), 3);
}

TEST_F(GridInput, DraggingATitleLineResizesTheColumn)
{
    TColumn* Name = Grid->Columns()->Items(1);
    const int Before = Name->Width();
    QStringList Titles;
    Grid->SetOnTitleClick([&](TColumn* Column) { Titles << Column->FieldName(); });
    const TPoint Line = LineRightOf(2);
    MouseDown(Grid, Line);
    MouseMove(Grid, {Line.X + 30, Line.Y}, Qt::LeftButton);
    MouseUp(Grid, {Line.X + 30, Line.Y});
    EXPECT_EQ(Name->Width(), Before + 30);
    EXPECT_TRUE(Name->AssignedValues().Contains(cvWidth));
    EXPECT_EQ(Grid->CellRect(2, 1).Width(), Before + 30);
    EXPECT_TRUE(Titles.isEmpty());
    // Without dgColumnResize the line is only a title's edge.
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgColumnResize});
    const TPoint Moved = LineRightOf(2);
    MouseDown(Grid, Moved);
    MouseMove(Grid, {Moved.X + 30, Moved.Y}, Qt::LeftButton);
    MouseUp(Grid, {Moved.X + 30, Moved.Y});
    EXPECT_EQ(Name->Width(), Before + 30);
}

TEST_F(GridInput, MovingToAColumnOffTheRightScrollsItIntoView)
{
    for (TCollectionItem* Item : *Grid->Columns())
        static_cast<TColumn*>(Item)->SetWidth(120);
    ASSERT_GE(Grid->LeftCol(), 1);
    Press(Qt::Key_End);
    const TRect R = Grid->CellRect(Grid->Col(), 1);
    EXPECT_FALSE(IsRectEmpty(R));
    EXPECT_LE(R.Right, Grid->ClientWidth());
    EXPECT_GT(Grid->LeftCol(), 1);
    Press(Qt::Key_Home);
    EXPECT_EQ(Grid->LeftCol(), 1);
    // The horizontal bar scrolls the columns without moving the current one.
    SendMessage(Grid->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Grid->LeftCol(), 2);
    EXPECT_EQ(Grid->SelectedIndex(), 0);
}

} // namespace
