// The framed data grid: row shading fixed to the screen or moving with the
// records, the quick-compare rule over shading and the selected cell (and
// never raising on what it cannot compare), its line colours, its own
// drawing switch, the frame and themed looks, editing through the field's
// mask, and its form definition.
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcWindowPaint.h"
#include "controls/lists/FcDBGrid.h"
#include "platform/classes/Filer.h"
#include "platform/db/DataSource.h"
#include "platform/dbctrls/InplaceEdit.h"
#include "tests/controls/lists/ListsFixture.h"
#include "tests/support/FormTextHelpers.h"
#include "tests/support/PersonTables.h"

#include <map>

namespace {

constexpr COLORREF Shade = 0xEBF5EB;
constexpr COLORREF Compared = 0x996666;
constexpr int NameCol = 2; // ID is grid column 1, NAAM 2 (the indicator is 0).

struct FramedGrid : ListsForm {
    TDutchDates Dates;
    TClientDataSet* Table = nullptr;
    TDataSource* Source = nullptr;
    TFcDBGrid* Grid = nullptr;

    void SetUp() override
    {
        ListsForm::SetUp();
        Table = new TClientDataSet(Form);
        DefinePersons(Table);
        Table->CreateDataSet();
        Table->SetIndexName("ID_ASC");
        for (int I = 1; I <= 30; ++I)
            AddPerson(Table, I, QStringLiteral("Persoon %1").arg(I, 2, 10, QLatin1Char('0')), I % 3);
        Table->First();
        Source = new TDataSource(Form);
        Source->SetDataSet(Table);
        Grid = Make<TFcDBGrid>({10, 10, 370, 210});
        Grid->SetDataSource(Source);
        PumpMessages();
    }

    // The grid's client area as it paints.
    QImage Client()
    {
        TRect Window;
        GetWindowRect(Grid->Handle(), &Window);
        const TPoint Origin = Grid->ClientOrigin();
        return PaintControlImage(Grid).copy(Origin.X - Window.Left, Origin.Y - Window.Top, Grid->ClientWidth(),
                                            Grid->ClientHeight());
    }
    // A pixel of a data cell where no text is drawn (grid row ARow, 1 = the
    // top data row).
    COLORREF Blank(const QImage& Img, int ACol, int ARow)
    {
        const TRect R = Grid->CellRect(ACol, ARow);
        return ImagePixel(Img, R.Right - 3, R.Bottom - 2);
    }
    // The last screen row's record scrolls up by one.
    void ScrollOneRow()
    {
        Table->MoveBy(Grid->RowCount() - 2);
        Table->Next();
    }
    // Per screen row (top first): what drawing its cells sees.
    struct TRowSeen {
        int RecNo;
        int Id;
        int ActiveRecordRow;
    };
    std::vector<TRowSeen> RowsSeen()
    {
        std::map<int, TRowSeen> ByTop;
        Grid->SetDefaultDrawing(false);
        Grid->SetOnDrawColumnCell([&](TObject*, const TRect& R, int, TColumn* Column, TGridDrawState) {
            if (Column->FieldName() == "NAAM")
                ByTop[R.Top] = {Table->RecNo(),
                                Table->FieldByName("ID")->IsNull() ? -1 : Table->FieldByName("ID")->AsInteger(),
                                Table->ActiveRecord()};
        });
        PaintControlImage(Grid);
        Grid->SetOnDrawColumnCell(nullptr);
        Grid->SetDefaultDrawing(true);
        std::vector<TRowSeen> Rows;
        for (const auto& [Top, Seen] : ByTop)
            Rows.push_back(Seen);
        return Rows;
    }
};

TEST_F(FramedGrid, ARowIsDrawnWithItsOwnRecordCurrent)
{
    Table->MoveBy(3);
    const auto Rows = RowsSeen();
    ASSERT_EQ(int(Rows.size()), Grid->RowCount() - 1);
    for (int I = 0; I < int(Rows.size()); ++I) {
        EXPECT_EQ(Rows[std::size_t(I)].RecNo, I + 1);
        EXPECT_EQ(Rows[std::size_t(I)].Id, I + 1);
    }
    // Outside drawing the current record is back.
    EXPECT_EQ(Table->RecNo(), 4);
    EXPECT_EQ(Table->FieldByName("ID")->AsInteger(), 4);

    // A record being inserted is number -1; the rows below show the records
    // one further down with their own numbers.
    Table->Insert();
    const auto Inserting = RowsSeen();
    EXPECT_EQ(Inserting[3].RecNo, -1);
    EXPECT_EQ(Inserting[3].Id, -1);
    EXPECT_EQ(Inserting[4].RecNo, 4);
    EXPECT_EQ(Inserting[4].Id, 4);
    Table->Cancel();
}

TEST_F(FramedGrid, FixedShadingStaysOnTheScreenRows)
{
    Grid->SetFocus();
    Grid->SetAltRowShading(true);
    QImage Img = Client();
    // The selected cell of a shaded row is highlighted.
    EXPECT_EQ(Blank(Img, Grid->Col(), 1), ColorToRGB(clHighlight));
    EXPECT_EQ(Blank(Img, NameCol, 1), Shade);
    EXPECT_EQ(Blank(Img, NameCol, 2), ColorToRGB(clWindow));
    EXPECT_EQ(Blank(Img, NameCol, 3), Shade);
    ScrollOneRow();
    Img = Client();
    EXPECT_EQ(RowsSeen().front().Id, 2);
    EXPECT_EQ(Blank(Img, NameCol, 1), Shade);
    EXPECT_EQ(Blank(Img, NameCol, 2), ColorToRGB(clWindow));
}

TEST_F(FramedGrid, MovingShadingFollowsTheRecords)
{
    Grid->SetAltRowShading(true);
    Grid->SetAltRowShadingFixed(false);
    QImage Img = Client();
    EXPECT_EQ(Blank(Img, NameCol, 1), Shade);
    EXPECT_EQ(Blank(Img, NameCol, 2), ColorToRGB(clWindow));
    ScrollOneRow();
    Img = Client();
    // Record 2 is now the top row and keeps its plain look.
    EXPECT_EQ(Blank(Img, NameCol, 1), ColorToRGB(clWindow));
    EXPECT_EQ(Blank(Img, NameCol, 2), Shade);
    // A new record counts as odd (-1): shaded, between plain record 1 ...
    Table->First();
    Table->Next();
    Table->Insert();
    Img = Client();
    EXPECT_EQ(Blank(Img, NameCol, 2), Shade);
    Table->Cancel();
}

TEST_F(FramedGrid, QuickCompareColoursMatchingRowsOverShadingAndSelection)
{
    Grid->SetFocus();
    Grid->SetAltRowShading(true);
    TFcDBGridQuickCompare* Rule = Grid->QuickCompare();
    Rule->SetFieldName("ID");
    Rule->SetOperation(qcoGreaterThan);
    Rule->SetFieldValue(2);
    Rule->SetActive(true);
    Table->MoveBy(2);
    const QImage Img = Client();
    // Records 1 and 2 keep shading and plain; from record 3 on every row
    // is the rule's, the current cell included, with white text.
    EXPECT_EQ(Blank(Img, NameCol, 1), Shade);
    EXPECT_EQ(Blank(Img, NameCol, 2), ColorToRGB(clWindow));
    for (int Row = 3; Row <= 5; ++Row)
        for (int Col = 1; Col <= 2; ++Col)
            EXPECT_EQ(Blank(Img, Col, Row), Compared) << Col << "," << Row;
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_GT(CountColor(Img, 0xFFFFFF, Grid->CellRect(NameCol, 4)), 10);
    EXPECT_EQ(CountColor(Img, ColorToRGB(clWindowText), Grid->CellRect(NameCol, 4)), 0);
}

TEST_F(FramedGrid, QuickCompareOfWhatCannotBeComparedIsNoMatch)
{
    // A missing field, a null field, a text against a number, a null rule
    // value: the grid paints without raising and colours nothing.
    struct TCase {
        const char* Field;
        Variant Value;
        TFcQuickCompareOperation Operation;
    };
    const TCase Cases[] = {
        {"ONBEKEND", 1, qcoEqual},   {"GEBOREN", 1, qcoNotEqual}, {"GEBOREN", Null(), qcoEqual},
        {"NAAM", 1, qcoGreaterThan}, {"ID", Null(), qcoNotEqual}, {"ID", "geen getal", qcoLessThan},
    };
    Grid->QuickCompare()->SetActive(true);
    for (const TCase& C : Cases) {
        Grid->QuickCompare()->SetFieldName(C.Field);
        Grid->QuickCompare()->SetFieldValue(C.Value);
        Grid->QuickCompare()->SetOperation(C.Operation);
        QImage Img;
        EXPECT_NO_THROW(Img = Client()) << C.Field;
        EXPECT_EQ(CountColor(Img, Compared, {0, 0, Img.width(), Img.height()}), 0) << C.Field;
    }
    // A text that is a number compares as one.
    Grid->QuickCompare()->SetFieldName("ID");
    Grid->QuickCompare()->SetFieldValue("3");
    Grid->QuickCompare()->SetOperation(qcoEqual);
    EXPECT_EQ(Blank(Client(), NameCol, 3), Compared);
}

TEST_F(FramedGrid, LinesTakeTheGridsColoursAndNeverVanish)
{
    Grid->SetFixedLineColor(clRed);
    Grid->SetLineColor(clBlue);
    QImage Img = Client();
    const TRect Title = Grid->CellRect(NameCol, 0), Cell = Grid->CellRect(NameCol, 2);
    EXPECT_EQ(ImagePixel(Img, Title.Left + 3, Title.Bottom), ColorToRGB(clRed));
    EXPECT_EQ(ImagePixel(Img, Cell.Right, Cell.Top + 2), ColorToRGB(clBlue));
    EXPECT_EQ(ImagePixel(Img, Cell.Left + 3, Cell.Bottom), ColorToRGB(clBlue));
    // In the grid's own colour the lines are darkened by 50.
    Grid->SetLineColor(clWindow);
    Img = Client();
    EXPECT_EQ(ImagePixel(Img, Cell.Right, Cell.Top + 2), ColorToRGB(DarkenColor(clWindow, 50)));
    EXPECT_NE(ColorToRGB(DarkenColor(clWindow, 50)), ColorToRGB(clWindow));
}

TEST_F(FramedGrid, OwnerDrawingOnlyWithoutDefaultDrawing)
{
    int Calls = 0;
    TColor BrushSeen = clNone;
    Grid->SetAltRowShading(true);
    Grid->SetOnDrawColumnCell([&](TObject*, const TRect&, int, TColumn*, TGridDrawState) {
        ++Calls;
        BrushSeen = Grid->Canvas()->Brush()->Color();
    });
    PaintControlImage(Grid);
    EXPECT_EQ(Calls, 0);
    Grid->SetDefaultDrawing(false);
    PaintControlImage(Grid);
    EXPECT_GT(Calls, 0);
    // The handler gets the canvas with the row's colours set.
    EXPECT_EQ(ColorToRGB(BrushSeen), ColorToRGB(Grid->RowCount() % 2 == 0 ? TColor(Shade) : clWindow));
}

TEST_F(FramedGrid, TheFrameAndTheThemedLookKeepTheTitlesOwnColours)
{
    Grid->Columns()->Add()->SetFieldName("ID");
    TColumn* Name = Grid->Columns()->Add();
    Name->SetFieldName("NAAM");
    Name->Title()->SetColor(clBlue);
    Name->Title()->Font()->SetColor(clInfoBk);
    Grid->SetFrameVisible(true);
    Grid->SetFramingPreference(fpCustomFraming);
    Grid->SetFrameColor(clRed);
    PumpMessages();
    QImage Img = Shown(Grid);
    const int Y = Img.height() / 2;
    // Flat frame outside, the border cleared in the fixed and grid colours.
    EXPECT_EQ(ImagePixel(Img, 0, Y), ColorToRGB(clRed));
    EXPECT_EQ(ImagePixel(Img, 1, Y), ColorToRGB(Grid->FixedColor()));
    EXPECT_EQ(ImagePixel(Img, Img.width() - 2, Y), ColorToRGB(clWindow));

    // Themes on: the themed edit border, and the titles keep their colours.
    FcThemeBridge().ThemesEnabled = [] { return true; };
    FcThemeBridge().ThemeColor = [](TFcThemeClass, int, int) { return clLime; };
    Grid->SetFramingPreference(fpXPThemes);
    RedrawFrameArea(Grid->Handle(), nullptr);
    PumpMessages();
    Img = Shown(Grid);
    EXPECT_EQ(ImagePixel(Img, 0, Y), ColorToRGB(clLime));
    const QImage C = Client();
    const TRect Title = Grid->CellRect(NameCol, 0);
    EXPECT_EQ(ImagePixel(C, Title.Right - 3, Title.Bottom - 3), ColorToRGB(clBlue));
    EXPECT_GT(CountColor(C, ColorToRGB(clInfoBk), Title), 10);
}

TEST_F(FramedGrid, TypingInACellGoesThroughTheFieldsMask)
{
    Table->FieldByName("NAAM")->SetEditMask(">LLLL;0;_");
    Grid->SetFocus();
    Grid->SetColor(clAqua);
    Grid->SetSelectedIndex(1);
    TypeText(Grid, "ab1cd");
    ASSERT_TRUE(Grid->EditorMode());
    // The editor takes the grid's colour.
    EXPECT_EQ(Grid->InplaceEditor()->Color(), clAqua);
    PressKey(Grid, Qt::Key_Return);
    EXPECT_EQ(Table->FieldByName("NAAM")->AsString(), "ABCD");
    // A text the mask does not take stays in the cell with the mask's error.
    Table->Post();
    TypeText(Grid, "x");
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Grid->Perform(WM_KEYDOWN, VK_RETURN, 0); }),
              "Invalid input value.  Use escape key to abandon changes");
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Table->FieldByName("NAAM")->AsString(), "ABCD");
}

TEST_F(FramedGrid, TheDefinitionRoundTrips)
{
    Grid->SetName("Personen");
    Grid->SetAltRowShading(true);
    Grid->SetAltRowShadingFixed(false);
    Grid->SetLineColor(clSilver);
    Grid->QuickCompare()->SetActive(true);
    Grid->QuickCompare()->SetFieldName("NAAM");
    Grid->QuickCompare()->SetFieldValue("Persoon 07");
    Grid->QuickCompare()->SetOperation(qcoLessThanOrEqual);
    Grid->SetFrameVisible(true);
    const QByteArray Text = WriteComponentToText(Grid);
    const String S = QString::fromUtf8(Text);
    EXPECT_TRUE(S.contains("AltRowShading = True")) << Text.toStdString();
    EXPECT_TRUE(S.contains("QuickCompare.FieldValue = 'Persoon 07'")) << Text.toStdString();
    EXPECT_TRUE(S.contains("DefaultDrawing = True")) << Text.toStdString();

    auto Back = ReadRoot<TFcDBGrid>(Text);
    EXPECT_TRUE(Back->AltRowShading());
    EXPECT_FALSE(Back->AltRowShadingFixed());
    EXPECT_EQ(Back->QuickCompare()->Operation(), qcoLessThanOrEqual);
    EXPECT_EQ(Back->QuickCompare()->FieldValue().AsString(), "Persoon 07");
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), Text.toStdString());

    // The rule's value keeps its type: a number, Null, a Boolean.
    for (const Variant& V : {Variant(250), Null(), Variant(true), Variant(2.5)}) {
        Grid->QuickCompare()->SetFieldValue(V);
        auto Again = ReadRoot<TFcDBGrid>(WriteComponentToText(Grid));
        EXPECT_EQ(Again->QuickCompare()->FieldValue().Type(), V.Type());
        EXPECT_TRUE(V.IsNull() || Again->QuickCompare()->FieldValue() == V);
    }
}

} // namespace
