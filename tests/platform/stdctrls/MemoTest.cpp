// The memo: Lines with the classic line semantics (CR LF between lines, the
// last line without one), with and without a window; character positions
// that count CR LF as two; Enter and Tab as the Want properties say; the
// caret; the wheel with the desktop's setting; OnChange.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"

#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/Memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

struct TLinesCase {
    const char* Text;
    std::vector<const char*> Lines;
};

class MemoLines : public ::testing::TestWithParam<TLinesCase> {};

TEST_P(MemoLines, TextSplitsIntoLines)
{
    TMemo Memo(nullptr);
    Memo.SetText(QString::fromUtf8(GetParam().Text));
    QStringList Expected;
    for (const char* L : GetParam().Lines)
        Expected << QString::fromUtf8(L);
    EXPECT_EQ(Memo.Lines()->ToStringList(), Expected);
    EXPECT_EQ(Memo.Lines()->Count(), Expected.size());
}

INSTANTIATE_TEST_SUITE_P(Classic, MemoLines,
                         ::testing::Values(TLinesCase{"", {}}, TLinesCase{"a", {"a"}}, TLinesCase{"a\r\nb", {"a", "b"}},
                                           // A break at the end ends the last line.
                                           TLinesCase{"a\r\nb\r\n", {"a", "b"}}, TLinesCase{"\r\n", {""}},
                                           TLinesCase{"a\r\n\r\nb", {"a", "", "b"}},
                                           // Any line break comes in as CR LF.
                                           TLinesCase{"a\nb\rc", {"a", "b", "c"}}));

// The same edits with and without a window give the same text.
void EditLines(TMemo& Memo)
{
    TStrings* L = Memo.Lines();
    L->Add(QStringLiteral("one"));
    L->Add(QStringLiteral("two"));
    L->Insert(0, QStringLiteral("zero"));
    L->Insert(3, QStringLiteral("three"));
    L->SetStrings(1, QStringLiteral("ONE"));
    L->Delete(2);
}

TEST(Memo, LinesEditTheTextWithoutALineBreakAtTheEnd)
{
    TMemo Loose(nullptr);
    EditLines(Loose);
    EXPECT_EQ(Loose.Text(), QStringLiteral("zero\r\nONE\r\nthree"));
    EXPECT_EQ(Loose.Lines()->Text(), QStringLiteral("zero\r\nONE\r\nthree\r\n"));
    Loose.Lines()->Delete(2);
    EXPECT_EQ(Loose.Text(), QStringLiteral("zero\r\nONE"));
    EXPECT_THROW(Loose.Lines()->Delete(5), EStringListError);
    EXPECT_THROW(Loose.Lines()->Strings(2), EStringListError);
    // A text that ends with a line break takes the next line after it.
    Loose.SetText(QStringLiteral("a\r\n"));
    Loose.Lines()->Add(QStringLiteral("b"));
    EXPECT_EQ(Loose.Text(), QStringLiteral("a\r\nb"));
}

struct Memos : StdForm {
    TMemo* Memo = nullptr;
    void SetUp() override
    {
        StdForm::SetUp();
        Memo = Make<TMemo>(Bounds(10, 10, 200, 100));
        Memo->SetFocus();
        PumpMessages();
    }
    QPlainTextEdit* Editor() { return static_cast<QPlainTextEdit*>(Memo->HostedWidget()); }
};

TEST_F(Memos, LinesInTheWindowKeepTheSameSemantics)
{
    EditLines(*Memo);
    EXPECT_EQ(Memo->Text(), QStringLiteral("zero\r\nONE\r\nthree"));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("zero\nONE\nthree"));
    // Inside an update the lines collect and the text is set once.
    int Changes = 0;
    Memo->SetOnChange([&](TObject*) { ++Changes; });
    Memo->Lines()->BeginUpdate();
    for (int I = 0; I < 50; ++I)
        Memo->Lines()->Add(QString::number(I));
    Memo->Lines()->EndUpdate();
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Memo->Lines()->Count(), 53);
    EXPECT_EQ(Memo->Lines()->Strings(52), QStringLiteral("49"));
}

TEST_F(Memos, PositionsCountTheLineBreakAsTwoCharacters)
{
    Memo->SetText(QStringLiteral("ab\r\ncde\r\nf"));
    EXPECT_EQ(Memo->Perform(EM_LINEINDEX, 1, 0), 4);
    EXPECT_EQ(Memo->Perform(EM_LINEINDEX, 2, 0), 9);
    EXPECT_EQ(Memo->Perform(EM_LINEINDEX, 3, 0), -1);
    EXPECT_EQ(Memo->Perform(EM_LINEFROMCHAR, 5, 0), 1);
    EXPECT_EQ(Memo->Perform(EM_LINELENGTH, 5, 0), 3);
    EXPECT_EQ(Memo->Perform(EM_GETLINECOUNT, 0, 0), 3);
    Memo->SetSelStart(5);
    Memo->SetSelLength(5);
    EXPECT_EQ(Memo->SelText(), QStringLiteral("de\r\nf"));
    EXPECT_EQ(Memo->CaretPos(), Point(1, 2));
    Memo->SetCaretPos(Point(2, 1));
    EXPECT_EQ(Memo->SelStart(), 6);
    EXPECT_EQ(Memo->SelLength(), 0);
    // A column past the end of the line stops at the end.
    Memo->SetCaretPos(Point(9, 0));
    EXPECT_EQ(Memo->SelStart(), 2);
}

TEST_F(Memos, TheCaretAndCharacterPositionsOnScreen)
{
    Memo->SetText(QStringLiteral("one\r\ntwo"));
    Memo->SetCaretPos(Point(1, 1));
    TPoint Caret;
    ASSERT_TRUE(GetCaretPos(&Caret));
    const LRESULT At = Memo->Perform(EM_CHARFROMPOS, 0, PointToLParam({Caret.X + 1, Caret.Y + 2}));
    EXPECT_EQ(LOWORD(std::uintptr_t(At)), 6);
    EXPECT_EQ(HIWORD(std::uintptr_t(At)), 1);
    const LRESULT Pos = Memo->Perform(EM_POSFROMCHAR, 6, 0);
    EXPECT_EQ(GET_Y_LPARAM(Pos), Caret.Y);
}

TEST_F(Memos, EnterAndTabTypeOnlyWhenWanted)
{
    // Entering a memo selects nothing.
    Memo->SetText(QStringLiteral("kept"));
    auto* Other = Make<TMemo>(Bounds(10, 200, 50, 30));
    Other->SetFocus();
    Memo->SetFocus();
    EXPECT_EQ(Memo->SelLength(), 0);
    Other->Free();
    Memo->SetText(QString());
    PressKey(Memo, Qt::Key_A);
    PressKey(Memo, Qt::Key_Return);
    PressKey(Memo, Qt::Key_B);
    EXPECT_EQ(Memo->Text(), QStringLiteral("a\r\nb"));
    EXPECT_EQ(Memo->Lines()->Count(), 2);
    Memo->SetWantReturns(false);
    PressKey(Memo, Qt::Key_Return);
    EXPECT_EQ(Memo->Text(), QStringLiteral("a\r\nb"));
    // Tab moves on unless the memo wants it.
    auto* Next = Make<TMemo>(Bounds(10, 120, 100, 50));
    PressKey(Memo, Qt::Key_Tab);
    EXPECT_TRUE(Next->Focused());
    Memo->SetFocus();
    Memo->SetWantTabs(true);
    PressKey(Memo, Qt::Key_Tab);
    EXPECT_TRUE(Memo->Focused());
    EXPECT_TRUE(Memo->Text().contains(QLatin1Char('\t')));
}

TEST_F(Memos, TheWheelScrollsByTheDesktopsLines)
{
    for (int I = 0; I < 60; ++I)
        Memo->Lines()->Add(QStringLiteral("line %1").arg(I));
    Memo->Perform(EM_SETSEL, 0, 0);
    Memo->Perform(EM_SCROLLCARET, 0, 0);
    const int Saved = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(4);
    MouseWheel(Memo, Point(20, 20), -120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 4);
    MouseWheel(Memo, Point(20, 20), -240);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 12);
    // Steps of less than a notch add up.
    MouseWheel(Memo, Point(20, 20), 60);
    MouseWheel(Memo, Point(20, 20), 60);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 8);
    QApplication::setWheelScrollLines(Saved);
    // EM_SCROLL tells how far it went.
    const LRESULT R = Memo->Perform(EM_SCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(HIWORD(std::uintptr_t(R)), 1);
    EXPECT_EQ(LOWORD(std::uintptr_t(R)), 1);
}

TEST_F(Memos, AHandlerOnTheWheelWinsOverScrolling)
{
    for (int I = 0; I < 60; ++I)
        Memo->Lines()->Add(QStringLiteral("line"));
    Memo->Perform(EM_SETSEL, 0, 0);
    Memo->Perform(EM_SCROLLCARET, 0, 0);
    Memo->SetOnMouseWheel([](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; });
    MouseWheel(Memo, Point(20, 20), -120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(Memos, ScrollBarsAndWrappingReachTheEditor)
{
    EXPECT_EQ(Editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    Memo->SetWordWrap(false);
    Memo->SetScrollBars(ssVertical);
    EXPECT_EQ(Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    Memo->SetReadOnly(true);
    PressKey(Memo, Qt::Key_Z);
    EXPECT_EQ(Memo->Text(), QString());
}

} // namespace
