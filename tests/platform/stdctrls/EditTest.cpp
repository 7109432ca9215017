// The single-line edit on its Qt line edit: text kept in the editor and in
// the control, typing through the key chain, the limit and the letter case
// of what is typed, read-only and password edits, the selection, the
// clipboard keys routed through messages a control can refuse, undo, and
// OnChange.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/ImageHelpers.h"

#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/EditMessages.h"

#include <QLineEdit>

namespace {

struct Edits : StdForm {
    TEdit* Edit = nullptr;
    void SetUp() override
    {
        StdForm::SetUp();
        Edit = Make<TEdit>(Bounds(10, 10, 150, 21));
        Edit->SetFocus();
        PumpMessages();
    }
    QLineEdit* LineEdit() { return static_cast<QLineEdit*>(Edit->HostedWidget()); }
    void Type(const QString& Text)
    {
        for (QChar C : Text)
            PressKey(Edit, C.isLetter() ? Qt::Key_A + (C.toLower().unicode() - 'a') : C.unicode(),
                     C.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(C));
    }
};

TEST_F(Edits, TextLivesInTheEditorWhileTheWindowExists)
{
    TEdit* Loose = new TEdit(Form);
    Loose->SetText(QStringLiteral("before the window"));
    EXPECT_EQ(Loose->Text(), QStringLiteral("before the window"));
    Loose->SetParent(Form);
    ASSERT_NE(Loose->HostedWidget(), nullptr);
    EXPECT_EQ(static_cast<QLineEdit*>(Loose->HostedWidget())->text(), QStringLiteral("before the window"));
    Loose->SetText(QStringLiteral("after"));
    EXPECT_EQ(static_cast<QLineEdit*>(Loose->HostedWidget())->text(), QStringLiteral("after"));
    // A new window (a changed border) keeps the text.
    Loose->SetBorderStyle(bsNone);
    EXPECT_EQ(Loose->Text(), QStringLiteral("after"));
}

TEST_F(Edits, TypedCharactersPassTheKeyChainAndFireOnChange)
{
    QStringList Changes;
    Edit->SetOnChange([&](TObject*) { Changes << Edit->Text(); });
    Edit->SetOnKeyPress([](TObject*, QChar& Key) {
        if (Key == QLatin1Char('x'))
            Key = QChar();
    });
    Type(QStringLiteral("axb"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("ab"));
    EXPECT_EQ(Changes, QStringList({"a", "ab"}));
    EXPECT_TRUE(Edit->Modified());
    Edit->SetText(QStringLiteral("set"));
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Changes.last(), QStringLiteral("set"));
}

TEST_F(Edits, WhatIsTypedReachesTheWindowsImage)
{
    // The editor draws itself on the screen; the window's image (what a
    // bitmap of the form shows) follows it.
    const TRect Inside = Bounds(12, 12, 146, 17);
    const int Before = CountColor(FormImage(Form), ColorToRGB(clWindowText), Inside);
    Type(QStringLiteral("WWWW"));
    RunUntil([&] { return CountColor(FormImage(Form), ColorToRGB(clWindowText), Inside) > Before; }, 500);
    EXPECT_GT(CountColor(FormImage(Form), ColorToRGB(clWindowText), Inside), Before + 20);
}

TEST_F(Edits, MaxLengthStopsTypingButNeverCutsTheProgramsText)
{
    Edit->SetMaxLength(3);
    Type(QStringLiteral("abcd"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("abc"));
    Edit->SetText(QStringLiteral("longer than three"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("longer than three"));
    // A paste takes what fits.
    Edit->SetText(QStringLiteral("a"));
    Edit->SetSelStart(1);
    SetClipboardText(QStringLiteral("XYZ"));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), QStringLiteral("aXY"));
}

TEST_F(Edits, CharCaseConvertsTypedPastedAndSetText)
{
    Edit->SetCharCase(ecUpperCase);
    Type(QStringLiteral("ab"));
    SetClipboardText(QStringLiteral("cd"));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), QStringLiteral("ABCD"));
    Edit->SetCharCase(ecLowerCase);
    Edit->SetText(QStringLiteral("MiXeD"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("mixed"));
}

TEST_F(Edits, ReadOnlyRefusesTypingAndPastingButCopies)
{
    Edit->SetText(QStringLiteral("fixed"));
    Edit->SetReadOnly(true);
    Type(QStringLiteral("z"));
    SetClipboardText(QStringLiteral("paste"));
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), QStringLiteral("fixed"));
    Edit->SelectAll();
    Edit->CutToClipboard();
    EXPECT_EQ(Edit->Text(), QStringLiteral("fixed"));
    Edit->CopyToClipboard();
    EXPECT_EQ(ClipboardText(), QStringLiteral("fixed"));
    EXPECT_TRUE(LineEdit()->isReadOnly());
}

TEST_F(Edits, APasswordEditShowsItsCharacterAndKeepsItsText)
{
    Edit->SetPasswordChar(QLatin1Char('#'));
    Type(QStringLiteral("geheim"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("geheim"));
    EXPECT_EQ(LineEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(LineEdit()->displayText(), QStringLiteral("######"));
    // A password never reaches the clipboard.
    SetClipboardText(QStringLiteral("old"));
    Edit->SelectAll();
    Edit->CopyToClipboard();
    EXPECT_EQ(ClipboardText(), QStringLiteral("old"));
    Edit->SetPasswordChar(QChar());
    EXPECT_EQ(LineEdit()->displayText(), QStringLiteral("geheim"));
}

TEST_F(Edits, SelectionPropertiesAndSelText)
{
    Edit->SetText(QStringLiteral("Hello world"));
    Edit->SetSelStart(6);
    Edit->SetSelLength(5);
    EXPECT_EQ(Edit->SelText(), QStringLiteral("world"));
    Edit->SetSelText(QStringLiteral("there"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("Hello there"));
    EXPECT_EQ(Edit->SelStart(), 11);
    EXPECT_EQ(Edit->SelLength(), 0);
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelLength(), 11);
    Edit->ClearSelection();
    EXPECT_EQ(Edit->Text(), QString());
}

TEST_F(Edits, ClipboardKeysGoThroughMessagesAControlCanRefuse)
{
    Edit->SetText(QStringLiteral("one two"));
    Edit->SelectAll();
    PressKey(Edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), QStringLiteral("one two"));
    Edit->SetSelStart(7);
    PressKey(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("one twoone two"));
    // With the control character the desktop gives Ctrl+V, a key-press
    // handler sees #22 and can refuse the paste.
    Edit->SetOnKeyPress([](TObject*, QChar& Key) {
        if (Key == QChar(22))
            Key = QChar();
    });
    PressKey(Edit, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    EXPECT_EQ(Edit->Text(), QStringLiteral("one twoone two"));
    // Shift+Delete cuts, Shift+Insert pastes.
    Edit->SetOnKeyPress({});
    Edit->SelectAll();
    PressKey(Edit, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Edit->Text(), QString());
    PressKey(Edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("one twoone two"));
}

TEST_F(Edits, UndoTakesBackTheLastEditAndClearUndoForgetsIt)
{
    Type(QStringLiteral("ab"));
    ASSERT_TRUE(Edit->CanUndo());
    Edit->Undo();
    EXPECT_NE(Edit->Text(), QStringLiteral("ab"));
    Type(QStringLiteral("c"));
    Edit->ClearUndo();
    EXPECT_FALSE(Edit->CanUndo());
    EXPECT_TRUE(Edit->Modified());
}

TEST_F(Edits, TabbingInSelectsAllAndAClickDoesNot)
{
    TEdit* Other = Make<TEdit>(Bounds(10, 40, 150, 21));
    Other->SetText(QStringLiteral("selected"));
    PressKey(Edit, Qt::Key_Tab);
    ASSERT_TRUE(Other->Focused());
    EXPECT_EQ(Other->SelLength(), 8);
    Other->SetAutoSelect(false);
    Edit->SetFocus();
    PressKey(Edit, Qt::Key_Tab);
    EXPECT_EQ(Other->SelLength(), 0);
}

TEST_F(Edits, AutoSizeTakesTheFontsHeightAndTheBorder)
{
    HDC DC = GetDC(nullptr);
    SelectObject(DC, Edit->Font()->Handle());
    TEXTMETRIC M;
    GetTextMetrics(DC, &M);
    ReleaseDC(nullptr, DC);
    EXPECT_EQ(Edit->Height(), M.tmHeight + 8);
    Edit->SetHeight(60);
    EXPECT_EQ(Edit->Height(), M.tmHeight + 8);
    Edit->SetAutoSize(false);
    Edit->SetHeight(60);
    EXPECT_EQ(Edit->Height(), 60);
}

TEST_F(Edits, TheBorderAndTheColourArePainted)
{
    Edit->SetColor(clYellow);
    const QImage Img = FormImage(Edit);
    // The sunken edge: its outer top line in the shadow colour.
    EXPECT_TRUE(PixelIs(Img, 10 + 5, 10, ColorToRGB(clBtnShadow)));
    EXPECT_GT(CountColor(Img, ColorToRGB(clYellow), Bounds(12, 12, 146, 17)), 100);
}

} // namespace
