// The data-aware framed edit and memo on a client data set: display and
// edit text through the field's mask, MaxLength following the field, the
// two read-only states, Escape, a text the field refuses on leaving,
// typing with no field, input-method text, a character of two code units
// a number refuses (the spin edit and combo box too), the field's
// alignment, and the copies painted for a data control grid.
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcSpinEdit.h"
#include "platform/stdctrls/EditMessages.h"
#include "tests/controls/lists/DBControlsFixture.h"
#include "tests/support/PrimarySelection.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

struct DBEdits : DBControls {
    TFcDBEdit* Edit = nullptr;
    void SetUp() override
    {
        DBControls::SetUp();
        Edit = Make<TFcDBEdit>(Bounds(10, 10, 150, 21));
        Edit->SetDataSource(Source);
        Edit->SetDataField(QStringLiteral("NAAM"));
        Other->SetFocus();
        PumpMessages();
    }
    QLineEdit* Editor() const { return static_cast<QLineEdit*>(Edit->HostedWidget()); }
};

TEST_F(DBEdits, ShowsTheDisplayTextAndTheEditTextWhileFocused)
{
    Field("NAAM")->SetOnGetText([](TField* F, String& Text, bool Display) {
        Text = Display ? QStringLiteral("Dhr. ") + F->AsString() : F->AsString();
    });
    Field("POSTCODE")->SetEditMask(QStringLiteral("0000 >LL;0;_"));
    auto* Postcode = Make<TFcDBEdit>(Bounds(10, 40, 150, 21));
    Postcode->SetDataSource(Source);
    Postcode->SetDataField(QStringLiteral("POSTCODE"));
    GoTo(2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Dhr. de Vries"));
    EXPECT_EQ(Postcode->EditMask(), QStringLiteral("0000 >LL;0;_"));
    EXPECT_EQ(Postcode->EditText(), QStringLiteral("5678 CD"));
    Edit->SetFocus();
    EXPECT_EQ(Edit->Text(), QStringLiteral("de Vries"));
    // Typed through the mask, written without its literal.
    Postcode->SetFocus();
    Postcode->SelectAll();
    TypeText(Postcode, QStringLiteral("4321ef"));
    EXPECT_EQ(Postcode->EditText(), QStringLiteral("4321 EF"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("Dhr. de Vries"));
    EXPECT_EQ(Table->State(), dsEdit);
    Table->Post();
    EXPECT_EQ(Field("POSTCODE")->AsString(), QStringLiteral("4321EF"));
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBEdits, MaxLengthFollowsTheField)
{
    EXPECT_EQ(Edit->MaxLength(), 25);
    Edit->SetDataField(QStringLiteral("AANHEF"));
    EXPECT_EQ(Edit->MaxLength(), 12) << "the old field's size goes before the new one applies";
    Edit->SetDataField(QStringLiteral("BEDRAG"));
    EXPECT_EQ(Edit->MaxLength(), 0);
    // A length of the user's own stays.
    Edit->SetMaxLength(5);
    Edit->SetDataField(QStringLiteral("NAAM"));
    EXPECT_EQ(Edit->MaxLength(), 5);
}

TEST_F(DBEdits, TypingEditsTheRecordAndEscapeGivesTheFieldBack)
{
    EXPECT_TRUE(Edit->EditReadOnly()) << "the window is read-only while the record is browsed";
    Edit->SetFocus();
    Edit->SetSelStart(6);
    TypeText(Edit, QStringLiteral("-Smit"));
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_FALSE(Edit->EditReadOnly());
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen-Smit"));
    EXPECT_EQ(Field("NAAM")->AsString(), QStringLiteral("Jansen"));
    PressKey(Edit, Qt::Key_Escape);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen"));
    EXPECT_EQ(Edit->SelLength(), 6) << "all text selected";
    // Typed again and left: the field has it.
    TypeText(Edit, QStringLiteral("Smit"));
    Other->SetFocus();
    EXPECT_EQ(Field("NAAM")->AsString(), QStringLiteral("Smit"));
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBEdits, ATextTheFieldRefusesKeepsTheTextAndTheFocus)
{
    Edit->SetDataField(QStringLiteral("BEDRAG"));
    Edit->SetFocus();
    Edit->SelectAll();
    // Letters are no part of a number: refused with a beep.
    TypeText(Edit, QStringLiteral("9x99999999999"));
    EXPECT_EQ(Beeps, 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("999999999999"));
    PressKey(Edit, Qt::Key_Tab);
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_TRUE(Reported[0].contains(QStringLiteral("is not a valid integer value"))) << Reported[0].toStdString();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(Other->Focused());
    EXPECT_EQ(Edit->Text(), QStringLiteral("999999999999"));
    EXPECT_EQ(Edit->SelLength(), 12);
    EXPECT_EQ(Field("BEDRAG")->AsInteger(), 10);
}

// A character beyond the Basic Multilingual Plane is no part of a number:
// both its halves are refused, with one beep for the character, in the
// data-aware edit, memo and combo box on a number field and in the spin
// edit.
TEST_F(DBEdits, ANumberRefusesACharacterOfTwoCodeUnitsWithOneBeep)
{
    auto* Box = Make<TFcDBComboBox>(Bounds(10, 40, 150, 21));
    Box->SetDataSource(Source);
    Box->SetDataField(QStringLiteral("BEDRAG"));
    Box->SetAutoComplete(false);
    auto* Memo = Make<TFcDBMemo>(Bounds(10, 100, 150, 40));
    Memo->SetDataSource(Source);
    Memo->SetDataField(QStringLiteral("BEDRAG"));
    Edit->SetDataField(QStringLiteral("BEDRAG"));
    auto* Spin = Make<TFcSpinEdit>(Bounds(10, 70, 150, 21));
    for (TWinControl* Control : std::initializer_list<TWinControl*>{Edit, Memo, Box, Spin}) {
        SCOPED_TRACE(Control->ClassName().toStdString());
        Control->SetFocus();
        PumpMessages();
        const QString Before = Control->Text();
        Beeps = 0;
        TypeText(Control, QString::fromUtf8("\U0001F600"));
        EXPECT_EQ(Beeps, 1);
        EXPECT_EQ(Control->Text(), Before);
    }
}

TEST_F(DBEdits, ReadOnlyShowsItsColourAndARecordThatCannotBeEditedRefusesQuietly)
{
    Edit->SetReadOnlyColor(clAqua);
    Edit->SetReadOnly(true);
    EXPECT_EQ(Edit->Color(), clAqua);
    Edit->SetFocus();
    TypeText(Edit, QStringLiteral("a"));
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen"));

    Edit->SetReadOnly(false);
    Other->SetFocus();
    EXPECT_EQ(Edit->Color(), clWindow);
    Table->SetReadOnly(true);
    Edit->SetFocus();
    Edit->SelectAll();
    TypeText(Edit, QStringLiteral("a"));
    PressKey(Edit, Qt::Key_Delete);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen"));
    EXPECT_EQ(Edit->Color(), clWindow) << "the data set's state is no read-only colour";
    // Its input method is off as well: nothing could be written.
    EXPECT_FALSE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(DBEdits, InputMethodTextReachesAReadOnlyWindowAndStartsTheEdit)
{
    Edit->SetFocus();
    ASSERT_TRUE(Editor()->isReadOnly());
    EXPECT_TRUE(Editor()->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_TRUE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
    Edit->SetSelStart(6);
    CommitInput(Editor(), QStringLiteral("é"));
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansené"));
}

// The middle button pastes as Ctrl+V does: the click takes the focus, the
// record goes into edit, the field gets the first line; a read-only edit
// and a record that cannot be edited take nothing.
TEST_F(DBEdits, AMiddleClickPasteEditsTheRecordAsCtrlVDoes)
{
    TScriptedPrimarySelection Primary(QStringLiteral("-Smit\nAmsterdam"));
    const TPoint End{Edit->ClientWidth() - 4, 8};
    Edit->SetReadOnly(true);
    MouseDown(Edit, End, Qt::MiddleButton);
    EXPECT_TRUE(Edit->Focused());
    Table->SetReadOnly(true);
    Edit->SetReadOnly(false);
    MouseDown(Edit, End, Qt::MiddleButton);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen"));
    Table->SetReadOnly(false);
    MouseDown(Edit, End, Qt::MiddleButton);
    MouseUp(Edit, End, Qt::MiddleButton);
    EXPECT_EQ(Table->State(), dsEdit);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen-Smit"));
    Other->SetFocus();
    EXPECT_EQ(Field("NAAM")->AsString(), QStringLiteral("Jansen-Smit"));
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBEdits, TypingWithNoFieldAsksNoField)
{
    Edit->SetDataField(QString());
    ASSERT_EQ(Edit->Field(), nullptr);
    Edit->SetFocus();
    TypeText(Edit, QStringLiteral("ab"));
    PressKey(Edit, Qt::Key_Escape);
    EXPECT_EQ(Beeps, 0);
    EXPECT_TRUE(Reported.isEmpty());
    EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(DBEdits, TheFieldsAlignmentIsTakenOutsidePainting)
{
    Field("NAAM")->SetAlignment(taRightJustify);
    EXPECT_EQ(Edit->Alignment(), taRightJustify);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Jansen"));
    EXPECT_EQ(Editor()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // An alignment set against the field's comes back to it, but the
    // window is not made again while it paints.
    Edit->SetAlignment(taLeftJustify);
    QLineEdit* Before = Editor();
    Edit->Invalidate();
    UpdateWindow(Edit->Handle());
    EXPECT_EQ(Editor(), Before);
    EXPECT_EQ(Edit->Alignment(), taLeftJustify);
    PumpMessages();
    EXPECT_EQ(Edit->Alignment(), taRightJustify);
    EXPECT_TRUE(Reported.isEmpty());
}

TEST_F(DBEdits, ACopyShowsTheDisplayTextOrOnePasswordCharacterEach)
{
    Edit->SetColor(clYellow);
    const auto CopyOf = [](TWinControl* C) {
        TTestSurface Surface(C->Width(), C->Height());
        TControlState State = C->ControlState();
        C->SetControlState(State + TControlState{csPaintCopy});
        C->Perform(WM_PAINT, WPARAM(Surface.DC()), 0);
        C->SetControlState(State);
        return Surface.Image().copy();
    };
    const QImage Image = CopyOf(Edit);
    EXPECT_EQ(Edit->PaintControl()->Caption(), QStringLiteral("Jansen"));
    EXPECT_EQ(ImagePixel(Image, 1, 1), ColorToRGB(clYellow)) << "the edit's colour fills the copy";
    Edit->SetPasswordChar(QLatin1Char('*'));
    CopyOf(Edit);
    EXPECT_EQ(Edit->PaintControl()->Caption(), QStringLiteral("******"));

    auto* Memo = Make<TFcDBMemo>(Bounds(10, 40, 150, 60));
    Memo->SetDataSource(Source);
    Memo->SetDataField(QStringLiteral("NOTITIE"));
    CopyOf(Memo);
    EXPECT_EQ(Memo->PaintControl()->Caption(), QStringLiteral("eerste regel"));
    Memo->SetAutoDisplay(false);
    CopyOf(Memo);
    EXPECT_EQ(Memo->PaintControl()->Caption(), QStringLiteral("(NOTITIE)"));
}

TEST_F(DBEdits, TheMemoLoadsItsBlobOnRequestAndEditsTheRecord)
{
    auto* Memo = Make<TFcDBMemo>(Bounds(10, 40, 150, 60));
    Memo->SetAutoDisplay(false);
    Memo->SetDataSource(Source);
    Memo->SetDataField(QStringLiteral("NOTITIE"));
    EXPECT_EQ(Memo->Text(), QStringLiteral("(NOTITIE)"));
    Memo->SetFocus();
    PressKey(Memo, Qt::Key_Return);
    EXPECT_EQ(Memo->Text(), QStringLiteral("eerste regel"));
    EXPECT_EQ(Table->State(), dsBrowse);
    auto* Editor = static_cast<QPlainTextEdit*>(Memo->HostedWidget());
    EXPECT_TRUE(Editor->isReadOnly());
    EXPECT_TRUE(Editor->inputMethodQuery(Qt::ImEnabled).toBool());
    Memo->SetSelStart(12);
    TypeText(Memo, QStringLiteral("!"));
    EXPECT_EQ(Table->State(), dsEdit);
    Other->SetFocus();
    EXPECT_EQ(Field("NOTITIE")->AsString(), QStringLiteral("eerste regel!"));
    // The memo's read-only colour follows the link's read-only flag.
    Memo->SetReadOnlyColor(clAqua);
    Memo->SetReadOnly(true);
    EXPECT_EQ(Memo->Color(), clAqua);
}

} // namespace
