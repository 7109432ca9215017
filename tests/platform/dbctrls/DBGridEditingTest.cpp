// Editing in place: the editor over the current cell, typing that puts the
// record into edit mode, the field's edit mask, Enter, Escape and the keys
// that move on (writing what was typed first), cells that may not change,
// and characters of two code units typed or composed into a cell.
#include "platform/dbctrls/InplaceEdit.h"
#include "tests/platform/dbctrls/GridFixture.h"
#include "tests/support/ErrorMessages.h"

namespace {

struct GridEditing : TGridFixture {
    static constexpr int NameIndex = 1;
    void SetUp() override
    {
        TGridFixture::SetUp();
        Grid->SetSelectedIndex(NameIndex);
    }
    TInplaceEdit* Editor() const { return Grid->InplaceEditor(); }
    bool EditorShown() const { return Grid->EditorMode() && Editor()->Visible(); }
    void Type(const QString& Text)
    {
        for (QChar C : Text)
            PressKey(Grid, C.isLetter() ? Qt::Key_A + (C.toUpper().unicode() - 'A') : C.unicode(), Qt::NoModifier,
                     QString(C));
    }
    TField* Name() const { return Table->FieldByName("NAAM"); }
};

TEST_F(GridEditing, TypingOpensTheCellAndEditsTheRecord)
{
    EXPECT_FALSE(Grid->EditorMode());
    Type("Anna");
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Editor()->Text(), "Anna");
    EXPECT_EQ(Table->State(), dsEdit);
    // The editor lies over the current cell.
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(Grid->Col(), Grid->Row()));
    // Enter writes the cell; Down posts the record and moves on.
    Press(Qt::Key_Return);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Name()->AsString(), "Anna");
    EXPECT_TRUE(Grid->Focused());
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->State(), dsBrowse);
    Table->First();
    EXPECT_EQ(CurrentName(), "Anna");
}

TEST_F(GridEditing, MovingOnWritesWhatWasTyped)
{
    Press(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "Persoon 01");
    Type("Bob");
    Press(Qt::Key_Tab);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Grid->SelectedIndex(), NameIndex + 1);
    EXPECT_EQ(Name()->AsString(), "Bob");
    EXPECT_EQ(Editor()->Text(), "1");
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->RecNo(), 2);
    // The editor follows to the next record.
    EXPECT_EQ(Editor()->Text(), "2");
    Table->First();
    EXPECT_EQ(CurrentName(), "Bob");
}

TEST_F(GridEditing, EscapeDropsTheTypingThenTheRecordsChanges)
{
    Type("Carla");
    Press(Qt::Key_Tab);
    Type("7");
    Press(Qt::Key_Escape);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "1");
    EXPECT_EQ(Table->State(), dsEdit);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(CurrentName(), "Persoon 01");
}

TEST_F(GridEditing, TheFieldsEditMaskShapesTheCell)
{
    Name()->SetEditMask("0000 >LL;1;_");
    Table->Edit();
    Name()->Clear();
    Table->Post();
    Press(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Editor()->IsMasked());
    EXPECT_EQ(Editor()->EditText(), "____ __");
    Type("1234ab");
    EXPECT_EQ(Editor()->EditText(), "1234 AB");
    Press(Qt::Key_Down);
    Table->First();
    EXPECT_EQ(CurrentName(), "1234 AB");
}

TEST_F(GridEditing, AnUnfinishedMaskedTextKeepsTheCellWithTheMasksError)
{
    Name()->SetEditMask("0000 LL;1;_");
    Press(Qt::Key_F2);
    Type("12");
    const QString Error = ErrorMessage<EDBEditError>([&] { Table->Next(); });
    EXPECT_EQ(Error, "Invalid input value.  Use escape key to abandon changes");
    EXPECT_EQ(Table->RecNo(), 1);
    EXPECT_TRUE(EditorShown());
    // Escape gives the field's text back, and the record may move again.
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    Press(Qt::Key_Down);
    EXPECT_EQ(Table->RecNo(), 2);
}

TEST_F(GridEditing, CellsThatMayNotChangeRefuseTheTyping)
{
    Grid->Columns()->Items(NameIndex)->SetReadOnly(true);
    Type("x");
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Name()->AsString(), "Persoon 01");
    Press(Qt::Key_Escape);
    // Without dgEditing nothing opens; a memo never opens in a cell.
    Grid->SetOptions(Grid->Options() - TDBGridOptions{dgEditing});
    Type("x");
    EXPECT_FALSE(Grid->EditorMode());
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgEditing});
    Grid->SetSelectedField(Table->FieldByName("NOTITIE"));
    Press(Qt::Key_F2);
    EXPECT_FALSE(Grid->EditorMode());
}

// A character beyond the Basic Multilingual Plane comes as two WM_CHARs:
// the first opens the cell and the second follows it there, so that the
// cell, and then the field, get it whole; typed into an open cell or
// committed there by an input method, it arrives whole as well.  The
// field's size leaves no room for half of one.
TEST_F(GridEditing, ACharacterOfTwoCodeUnitsArrivesWhole)
{
    enum TWay { OpensTheCell, IntoTheOpenCell, InputMethod };
    const QString Grin = QString::fromUtf8("\U0001F600"), Kanji = QString::fromUtf8("\U0002000B");
    for (TWay Way : {OpensTheCell, IntoTheOpenCell, InputMethod})
        for (const QString& C : {Grin, Kanji}) {
            SCOPED_TRACE(testing::Message() << "way " << int(Way) << ", " << C.toStdString());
            if (Way != OpensTheCell) {
                Press(Qt::Key_F2);
                ASSERT_TRUE(EditorShown());
                Editor()->SelectAll();
            }
            if (Way == InputMethod)
                CommitInput(Grid, C + "b");
            else
                TypeCharacters(Grid, C + "b");
            ASSERT_TRUE(EditorShown());
            EXPECT_EQ(Editor()->Text(), C + "b");
            Press(Qt::Key_Return);
            EXPECT_EQ(Name()->AsString(), C + "b");
        }
    // NAAM holds ten code units: nine and a character of two do not fit.
    Press(Qt::Key_F2);
    Editor()->SelectAll();
    TypeCharacters(Grid, "123456789" + Grin);
    EXPECT_EQ(Editor()->Text(), "123456789");
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    // A cell that may not change refuses it with one beep.
    int Beeps = 0;
    SetBeepHook([&](UINT) { ++Beeps; });
    Grid->Columns()->Items(NameIndex)->SetReadOnly(true);
    const QString Before = Name()->AsString();
    TypeCharacters(Grid, Kanji);
    SetBeepHook(nullptr);
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Name()->AsString(), Before);
}

// Alt with a key that is no accelerator neither opens nor types into a
// cell; it beeps.  Alt with the keypad's digits and Alt+Backspace change
// nothing either.
TEST_F(GridEditing, AltWithAKeyTypesNothingIntoTheCell)
{
    int Beeps = 0;
    SetBeepHook([&](UINT) { ++Beeps; });
    PressKey(Grid, Qt::Key_Q, Qt::AltModifier, "q");
    EXPECT_FALSE(Grid->EditorMode());
    Press(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    PressKey(Grid, Qt::Key_Q, Qt::AltModifier, "q");
    PressKey(Grid, Qt::Key_9, Qt::AltModifier, "9");
    PressKey(Grid, Qt::Key_2, Qt::AltModifier | Qt::KeypadModifier, "2");
    PressKey(Grid, Qt::Key_Backspace, Qt::AltModifier, "\b");
    SetBeepHook(nullptr);
    EXPECT_EQ(Beeps, 3);
    ASSERT_EQ(Editor()->Text(), "Persoon 01");
    Press(Qt::Key_Return);
    EXPECT_EQ(Name()->AsString(), "Persoon 01");
}

TEST_F(GridEditing, ClickingTheCurrentCellOpensIt)
{
    TTestClock Clock;
    MouseClick(Grid, CellCenter(2, 3));
    EXPECT_FALSE(Grid->EditorMode());
    // A second click, not a double click.
    Clock.Advance(GetDoubleClickTime() + 1);
    MouseClick(Grid, CellCenter(2, 3));
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "Persoon 03");
}

TEST_F(GridEditing, LeavingTheGridWritesTheCellAndClosesIt)
{
    auto* Next = new TDBGrid(Form);
    Next->SetBounds(10, 220, 100, 40);
    Next->SetParent(Form);
    Type("Dirk");
    Next->SetFocus();
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Name()->AsString(), "Dirk");
    EXPECT_EQ(Table->State(), dsEdit);
    Table->Post();
    // A grid that goes while its cell is open leaves nothing behind.
    Grid->SetFocus();
    Type("Eva");
    Grid->Free();
    Grid = nullptr;
    EXPECT_EQ(Table->State(), dsEdit);
    Table->Cancel();
}

} // namespace

namespace {

TEST_F(GridEditing, AnAlwaysShownEditorOpensWithTheGridAndStays)
{
    auto* Next = new TDBGrid(Form);
    Next->SetBounds(10, 220, 100, 40);
    Next->SetParent(Form);
    Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowEditor});
    Next->SetFocus();
    Grid->SetFocus();
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Editor()->Focused());
    Type("Fien");
    Press(Qt::Key_Return);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Name()->AsString(), "Fien");
    Press(Qt::Key_Escape);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Editor()->Text(), "Persoon 01");
}

} // namespace
