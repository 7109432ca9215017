// The masked edit: typing over positions and past literals, blanks left by
// Delete and Backspace, the caret kept off literals, EditText against Text,
// the validation error with its classic text, Escape, pasting through the
// mask, and a mask read after the text from a definition.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/FormTextHelpers.h"

#include "platform/stdctrls/MaskEdit.h"

namespace {

const QString MaskError = QStringLiteral("Invalid input value.  Use escape key to abandon changes");

struct MaskEdits : StdForm {
    TMaskEdit* Edit = nullptr;
    void SetUp() override
    {
        StdForm::SetUp();
        Edit = Make<TMaskEdit>(Bounds(10, 10, 150, 21));
        Edit->SetEditMask(QStringLiteral("(000)_000;0;_"));
        Edit->SetFocus();
        PumpMessages();
    }
    void Type(const char* Keys)
    {
        for (const char* K = Keys; *K != 0; ++K) {
            const QChar C = QLatin1Char(*K);
            PressKey(Edit, C.isLetter() ? Qt::Key_A + (C.toLower().unicode() - 'a') : C.unicode(),
                     C.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(C));
        }
    }
};

TEST_F(MaskEdits, AnEmptyMaskedEditShowsLiteralsAndBlanks)
{
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(___) ___"));
    EXPECT_EQ(Edit->Text(), QString());
    // Entered by the keyboard its text is selected; the first key typed
    // goes to the first input position.
    EXPECT_EQ(Edit->SelLength(), 9);
    Type("4");
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(4__) ___"));
    EXPECT_EQ(Edit->SelStart(), 2);
    // The caret put on a literal moves on when the edit is entered.
    Edit->SetText(QString());
    Edit->SetAutoSelect(false);
    auto* Other = Make<TMaskEdit>(Bounds(10, 40, 150, 21));
    Other->SetFocus();
    Edit->SetSelStart(0);
    Edit->SetFocus();
    EXPECT_EQ(Edit->SelStart(), 1);
}

TEST_F(MaskEdits, TypingOverwritesAndMovesOnOverLiterals)
{
    Type("415");
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(415) ___"));
    EXPECT_EQ(Edit->SelStart(), 6);
    Type("5x5");
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(415) 55_"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("41555"));
    EXPECT_TRUE(Edit->Modified());
    // Past the last position nothing more goes in.
    Type("12");
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(415) 551"));
}

TEST_F(MaskEdits, DeleteAndBackspaceLeaveBlanksInPlace)
{
    Edit->SetText(QStringLiteral("123456"));
    Edit->SetSelStart(2);
    PressKey(Edit, Qt::Key_Delete);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(1_3) 456"));
    Edit->SetSelStart(6);
    PressKey(Edit, Qt::Key_Backspace);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(1__) 456"));
    EXPECT_EQ(Edit->SelStart(), 3);
    // A selection becomes blanks, literals kept.
    Edit->SetSelStart(2);
    Edit->SetSelLength(6);
    PressKey(Edit, Qt::Key_Delete);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(1__) __6"));
}

TEST_F(MaskEdits, ArrowsHomeAndEndKeepTheCaretOffLiterals)
{
    Edit->SetSelStart(3);
    PressKey(Edit, Qt::Key_Right);
    EXPECT_EQ(Edit->SelStart(), 6);
    PressKey(Edit, Qt::Key_Left);
    EXPECT_EQ(Edit->SelStart(), 3);
    PressKey(Edit, Qt::Key_Home);
    EXPECT_EQ(Edit->SelStart(), 1);
    PressKey(Edit, Qt::Key_End);
    EXPECT_EQ(Edit->SelStart(), 9);
}

TEST_F(MaskEdits, ValidateEditRaisesTheClassicErrorOnlyForChangedText)
{
    // Untouched text is never an error, even when the mask is not met.
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Edit->ValidateEdit(); }), QStringLiteral("<no error>"));
    Type("41");
    EXPECT_EQ(ErrorClassAndMessage([&] { Edit->ValidateEdit(); }), QStringLiteral("EDBEditError: ") + MaskError);
    // The caret goes to the position to correct.
    EXPECT_EQ(Edit->SelStart(), 3);
    Type("5123");
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Edit->ValidateEdit(); }), QStringLiteral("<no error>"));
    // Optional positions may stay blank.
    Edit->SetEditMask(QStringLiteral("990;1;_"));
    Edit->SetEditText(QStringLiteral("__"));
    Edit->SetSelStart(2);
    Type("7");
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Edit->ValidateEdit(); }), QStringLiteral("<no error>"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("  7"));
}

TEST_F(MaskEdits, LeavingWithABrokenMaskKeepsTheFocusAndReportsTheError)
{
    auto* Next = Make<TMaskEdit>(Bounds(10, 40, 150, 21));
    Type("4");
    TScriptedMessageBoxes Boxes;
    std::vector<QString> Reported;
    Application->SetOnException([&](TObject*, Exception& E) { Reported.push_back(E.Message()); });
    PressKey(Edit, Qt::Key_Tab);
    Application->SetOnException({});
    EXPECT_EQ(Reported, std::vector<QString>({MaskError}));
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(Next->Focused());
    // Escape gives back the text from before and lets the user go.
    PressKey(Edit, Qt::Key_Escape);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(___) ___"));
    PressKey(Edit, Qt::Key_Tab);
    EXPECT_TRUE(Next->Focused());
}

TEST_F(MaskEdits, PastingTypesThroughTheMask)
{
    SetClipboardText(QStringLiteral("(415) 5"));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(415) 5__"));
    // A character the mask refuses ends the paste.
    Edit->SetText(QString());
    Edit->SetSelStart(1);
    SetClipboardText(QStringLiteral("12a3"));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(12_) ___"));
    // Cutting leaves blanks.
    Edit->SetSelStart(1);
    Edit->SetSelLength(2);
    Edit->CutToClipboard();
    EXPECT_EQ(ClipboardText(), QStringLiteral("12"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(___) ___"));
}

TEST_F(MaskEdits, ReadOnlyMaskedEditsTakeNoInput)
{
    Edit->SetReadOnly(true);
    Type("41");
    PressKey(Edit, Qt::Key_Delete);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("(___) ___"));
}

TEST_F(MaskEdits, AYearFieldWithSpaceBlanks)
{
    Edit->SetEditMask(QStringLiteral("0000;1; "));
    Edit->SetMaxLength(4);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("    "));
    Edit->SetSelStart(0);
    Type("1984");
    EXPECT_EQ(Edit->Text(), QStringLiteral("1984"));
    Edit->SetText(QStringLiteral("2023"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("2023"));
}

TEST_F(MaskEdits, ChangingTheMaskLaysTheValueOutAgain)
{
    Edit->SetText(QStringLiteral("123456"));
    Edit->SetEditMask(QStringLiteral("000-000;1;_"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("123-456"));
    Edit->SetEditMask(QString());
    EXPECT_FALSE(Edit->IsMasked());
    EXPECT_EQ(Edit->Text(), QStringLiteral("123-456"));
    // A new window keeps the shown text.
    Edit->SetEditMask(QStringLiteral("000-000;0;_"));
    Edit->SetText(QStringLiteral("123456"));
    Edit->SetBorderStyle(bsNone);
    EXPECT_EQ(Edit->EditText(), QStringLiteral("123-456"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("123456"));
}

} // namespace
