// The grid's columns: default ones made from the fields, customized ones
// from code and form definitions, what follows the field until set on the
// column, what is streamed, and hidden or unbound columns.
#include "tests/platform/dbctrls/GridFixture.h"
#include "tests/support/FormTextHelpers.h"

namespace {

struct GridColumns : TGridFixture {
    TColumn* Column(int I) const { return Grid->Columns()->Items(I); }
    QByteArray FormText() const { return WriteComponentToText(Form); }
};

TEST_F(GridColumns, DefaultColumnsShowTheVisibleFieldsAndAreNotStored)
{
    ASSERT_EQ(Grid->Columns()->State(), csDefault);
    ASSERT_EQ(Grid->Columns()->Count(), 6);
    EXPECT_EQ(Column(1)->Field(), Table->FieldByName("NAAM"));
    EXPECT_EQ(Column(1)->Title()->Caption(), "NAAM");
    EXPECT_EQ(Column(0)->Alignment(), taRightJustify);
    EXPECT_TRUE(Column(0)->AssignedValues().Empty());
    Table->FieldByName("NOTITIE")->SetVisible(false);
    EXPECT_EQ(Grid->Columns()->Count(), 5);
    Table->FieldByName("NAAM")->SetDisplayLabel("Naam");
    EXPECT_EQ(Column(1)->Title()->Caption(), "Naam");
    EXPECT_FALSE(FormText().contains("Columns"));
}

TEST_F(GridColumns, ADefaultColumnsWidthFollowsItsFieldAndTitle)
{
    // A field of ten characters, a digit's width each, and room around them.
    const int Digit = Grid->CharsWidth(1);
    EXPECT_EQ(Column(1)->Width(), 10 * Digit + 4);
    Table->FieldByName("NAAM")->SetDisplayWidth(3);
    EXPECT_EQ(Column(1)->Width(), std::max(3 * Digit, Grid->TitleTextWidth("NAAM")) + 4);
    // A width dragged by the user stays while the fields stay.
    Grid->Perform(WM_SIZE, 0, 0);
    Column(1)->SetWidth(77);
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgRowLines});
    EXPECT_EQ(Column(1)->Width(), 77);
    EXPECT_EQ(Grid->Columns()->State(), csDefault);
}

TEST_F(GridColumns, AColumnOfOnesOwnReplacesTheDefaultOnes)
{
    TColumn* Name = Grid->Columns()->Add();
    Name->SetFieldName("NAAM");
    EXPECT_EQ(Grid->Columns()->State(), csCustomized);
    ASSERT_EQ(Grid->Columns()->Count(), 1);
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->SelectedField(), Table->FieldByName("NAAM"));
    // Back to the grid's own columns.
    Grid->Columns()->SetState(csDefault);
    EXPECT_EQ(Grid->Columns()->Count(), 6);
}

TEST_F(GridColumns, OnlyWhatWasSetOnAColumnIsStoredAndItReadsBack)
{
    TColumn* Name = Grid->Columns()->Add();
    Name->SetFieldName("NAAM");
    Name->Title()->SetCaption("Naam");
    Name->SetWidth(120);
    TColumn* Id = Grid->Columns()->Add();
    Id->SetFieldName("ID");
    // Set to what the field says already: still stored, as set.
    Id->SetAlignment(taRightJustify);
    Id->SetReadOnly(true);
    Id->Title()->SetAlignment(taCenter);
    Id->Title()->SetColor(clYellow);
    Id->Title()->Font()->SetStyle({fsBold});
    Id->SetVisible(false);
    Grid->TitleFont()->SetName("Tahoma");
    Grid->SetOptions({dgTitles, dgIndicator, dgColLines, dgRowLines, dgConfirmDelete});
    // A table without a file cannot open when it is read back.
    Form->Hide();
    Table->Close();
    const QByteArray Text = FormText();
    EXPECT_TRUE(Text.contains("        FieldName = 'NAAM'\n"
                              "        Title.Caption = 'Naam'\n"
                              "        Width = 120\n"
                              "      end"))
        << Text.constData();
    EXPECT_TRUE(Text.contains("        Alignment = taRightJustify\n"
                              "        FieldName = 'ID'\n"
                              "        ReadOnly = True\n"
                              "        Title.Alignment = taCenter\n"
                              "        Title.Color = clYellow\n"
                              "        Title.Font.Charset = DEFAULT_CHARSET\n"
                              "        Title.Font.Color = clWindowText\n"
                              "        Title.Font.Height = -11\n"
                              "        Title.Font.Name = 'MS Sans Serif'\n"
                              "        Title.Font.Style = [fsBold]\n"
                              "        Visible = False\n"
                              "      end>"))
        << Text.constData();
    EXPECT_TRUE(Text.contains("Options = [dgTitles, dgIndicator, dgColLines, dgRowLines, dgConfirmDelete]"));
    EXPECT_TRUE(Text.contains("TitleFont.Name = 'Tahoma'"));
    EXPECT_TRUE(Text.contains("DataSource = Source"));

    auto Back = ReadRoot<TForm>(Text);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), Text.toStdString());
    auto* Read = dynamic_cast<TDBGrid*>(Back->FindComponent("Grid"));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->DataSource(), Back->FindComponent("Source"));
    EXPECT_EQ(Read->Columns()->State(), csCustomized);
    EXPECT_EQ(Read->Columns()->Items(0)->Width(), 120);
}

TEST_F(GridColumns, TheAddressBooksPersonGridReadsFromItsDefinition)
{
    auto Root = ReadRoot<TForm>(R"(object FormMain: TForm
  object FcDBGridQuorvy: TDBGrid
    Left = 0
    Top = 0
    Width = 600
    Height = 300
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit]
    TitleFont.Name = 'Tahoma'
    Columns = <
      item
        FieldName = 'NAAM'
        Title.Caption = 'Achternaam'
        Width = 150
      end
      item
        FieldName = 'GEBOREN'
        Title.Caption = 'Geboortedatum'
        Width = 90
      end>
  end
end
)");
    auto* G = dynamic_cast<TDBGrid*>(Root->FindComponent("FcDBGridQuorvy"));
    ASSERT_NE(G, nullptr);
    EXPECT_FALSE(G->Options().Contains(dgEditing));
    EXPECT_EQ(G->TitleFont()->Name(), "Tahoma");
    ASSERT_EQ(G->Columns()->Count(), 2);
    EXPECT_EQ(G->Columns()->Items(1)->Title()->Caption(), "Geboortedatum");
    G->SetDataSource(Source);
    EXPECT_EQ(G->Columns()->Items(0)->Field(), Table->FieldByName("NAAM"));
    EXPECT_EQ(G->ColCount(), 3);
    EXPECT_EQ(G->ColWidths(1), 150);
}

TEST_F(GridColumns, TheTitleFontFollowsTheFontUntilItIsSetItself)
{
    Grid->Font()->SetName("Courier New");
    EXPECT_EQ(Grid->TitleFont()->Name(), "Courier New");
    Grid->TitleFont()->SetStyle({fsBold});
    Grid->Font()->SetName("Tahoma");
    EXPECT_EQ(Grid->TitleFont()->Name(), "Courier New");
    // The title row is as high as the title font needs.
    Grid->TitleFont()->SetHeight(-30);
    EXPECT_GT(Grid->RowHeights(0), 30);
}

TEST_F(GridColumns, TitlesArePaintedWithTheGridsFixedColourAndTitleFont)
{
    TColumnTitle* Title = Column(1)->Title();
    EXPECT_EQ(Title->DefaultColor(), clBtnFace);
    EXPECT_EQ(Title->DefaultFont(), Grid->TitleFont());
    Grid->SetFixedColor(clInfoBk);
    EXPECT_EQ(Title->DefaultColor(), clInfoBk);
    // A column outside any grid still has a title.
    TCollection Loose(ClassOf<TColumn>());
    auto* C = static_cast<TColumn*>(Loose.Add());
    EXPECT_EQ(C->Title()->DefaultColor(), clBtnFace);
    EXPECT_EQ(C->Title()->DefaultFont(), nullptr);
    EXPECT_EQ(C->Width(), 64);
}

TEST_F(GridColumns, HiddenColumnsTakeNoRoomAndAreSkipped)
{
    Column(1)->SetVisible(false);
    EXPECT_TRUE(IsRectEmpty(Grid->CellRect(2, 1)));
    EXPECT_EQ(Grid->CellRect(3, 1).Left, Grid->CellRect(1, 1).Right + 1);
    Press(Qt::Key_Right);
    EXPECT_EQ(Grid->SelectedIndex(), 2);
    Press(Qt::Key_Left);
    EXPECT_EQ(Grid->SelectedIndex(), 0);
    // The current column going hidden moves the current cell to a shown one.
    Column(0)->SetVisible(false);
    EXPECT_EQ(Grid->SelectedIndex(), 2);
}

TEST_F(GridColumns, AColumnWithoutItsFieldShowsNothingAndNamesItsField)
{
    TColumn* Missing = Grid->Columns()->Add();
    Missing->SetFieldName("BESTAAT_NIET");
    Grid->Columns()->Add()->SetFieldName("NAAM");
    EXPECT_EQ(Missing->Field(), nullptr);
    EXPECT_EQ(Missing->Title()->Caption(), "BESTAAT_NIET");
    EXPECT_EQ(PaintedNames().value(0), "Persoon 01");
    Grid->SetSelectedIndex(0);
    EXPECT_EQ(Grid->SelectedField(), nullptr);
}

} // namespace
