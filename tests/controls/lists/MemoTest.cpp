// The framed memo: the caret's line and column in display lines (wrapped
// text, an empty memo, no focus), values outside the text ignored, the
// notifications in their order, its own wheel scrolling, Enter as Tab, and
// its state colours and frame.
#include "controls/lists/FcMemo.h"
#include "platform/stdctrls/EditMessages.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QPlainTextEdit>

namespace {

struct FramedMemos : ListsForm {
    TFcMemo* Memo = nullptr;
    TFcMemo* Other = nullptr;
    QStringList Heard;
    void SetUp() override
    {
        ListsForm::SetUp();
        Memo = Make<TFcMemo>(Bounds(10, 10, 200, 120));
        Other = Make<TFcMemo>(Bounds(220, 10, 100, 60));
        Memo->SetOnLineColChange([this](TObject*, int Line, int Column) {
            Heard << QStringLiteral("line %1 col %2").arg(Line).arg(Column);
        });
        Memo->SetOnClipboardChange([this](TObject*, bool Selection, bool Text) {
            Heard << QStringLiteral("clipboard %1 %2").arg(int(Selection)).arg(int(Text));
        });
    }
    void Caret(int Classic) { Memo->Perform(EM_SETSEL, WPARAM(Classic), Classic); }
};

// Words enough to wrap over several display lines of the memo.
QString LongLine()
{
    QStringList Words;
    for (int I = 0; I < 40; ++I)
        Words << QStringLiteral("woord%1").arg(I);
    return Words.join(QLatin1Char(' '));
}

TEST_F(FramedMemos, AnEmptyMemoIsOnLineOneColumnOne)
{
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 1);
    auto* Loose = new TFcMemo(Form);
    EXPECT_EQ(Loose->Line(), 1);
    EXPECT_EQ(Loose->Column(), 1);
}

TEST_F(FramedMemos, LinesAreDisplayLinesOfWrappedText)
{
    Memo->SetText(LongLine() + QStringLiteral("\r\nnext"));
    const int Lines = int(Memo->Perform(EM_GETLINECOUNT, 0, 0));
    ASSERT_GT(Lines, 3) << "the long line wraps";
    const int Second = int(Memo->Perform(EM_LINEINDEX, 1, 0));
    ASSERT_GT(Second, 0);
    Caret(Second + 2);
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Column(), 3);
    // The last line follows the wrapped ones.
    const int Last = int(Memo->Perform(EM_LINEINDEX, WPARAM(Lines - 1), 0));
    EXPECT_EQ(Last, LongLine().size() + 2);
    Caret(Last + 4);
    EXPECT_EQ(Memo->Line(), Lines);
    EXPECT_EQ(Memo->Column(), 5);
    // Without wrapping the long line is one line.
    Memo->SetWordWrap(false);
    Caret(Last + 1);
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Perform(EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(FramedMemos, TheCaretCountsWithoutTheFocusAndFromTheSelectionsMovingEnd)
{
    Other->SetFocus();
    PumpMessages();
    Memo->SetText(QStringLiteral("een\r\ntwee\r\ndrie"));
    Memo->Perform(EM_SETSEL, 1, 7);
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Column(), 3);
    Memo->Perform(EM_SETSEL, 7, 1);
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 2);
}

TEST_F(FramedMemos, SettingLineAndColumnPlacesTheCaretAndIgnoresValuesOutside)
{
    Memo->SetText(QStringLiteral("een\r\ntwee\r\ndrie"));
    Memo->SetLine(2);
    EXPECT_EQ(Memo->SelStart(), 5);
    ASSERT_FALSE(Heard.isEmpty());
    EXPECT_EQ(Heard.last(2).first(), QStringLiteral("line 2 col 1"));
    Memo->SetColumn(5);
    EXPECT_EQ(Memo->SelStart(), 9);
    EXPECT_EQ(Memo->Column(), 5);
    Heard.clear();
    for (int Bad : {0, -3, 6, 1000}) {
        Memo->SetColumn(Bad);
        EXPECT_EQ(Memo->SelStart(), 9) << Bad;
    }
    for (int Bad : {0, -1, 4, 1 << 30}) {
        Memo->SetLine(Bad);
        EXPECT_EQ(Memo->SelStart(), 9) << Bad;
    }
    EXPECT_TRUE(Heard.isEmpty());
}

TEST_F(FramedMemos, SettingALineScrollsItToTheTop)
{
    Memo->Lines()->BeginUpdate();
    for (int I = 0; I < 60; ++I)
        Memo->Lines()->Add(QStringLiteral("regel %1").arg(I));
    Memo->Lines()->EndUpdate();
    Memo->SetLine(30);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 29);
    EXPECT_EQ(Memo->Line(), 30);
}

TEST_F(FramedMemos, KeysClicksAndChangesTellLineAndColumnThenTheClipboard)
{
    QApplication::clipboard()->clear();
    Memo->SetFocus();
    PumpMessages();
    Heard.clear();
    TypeText(Memo, QStringLiteral("a"));
    // Key down, the change, key up: each tells both, in that order.
    EXPECT_EQ(Heard,
              QStringList(
                  {"line 1 col 1", "clipboard 0 0", "line 1 col 2", "clipboard 0 0", "line 1 col 2", "clipboard 0 0"}));
    Heard.clear();
    SetClipboardText(QStringLiteral("x"));
    MouseDown(Memo, {50, 50});
    Heard.clear();
    MouseUp(Memo, {50, 50});
    // The click tells both; the release of the button only the clipboard.
    EXPECT_EQ(Heard, QStringList({"line 1 col 2", "clipboard 0 1", "clipboard 0 1"}));
}

TEST_F(FramedMemos, OneNotchScrollsTheWheelsLinesUnlessAHandlerTakesIt)
{
    Memo->Lines()->BeginUpdate();
    for (int I = 0; I < 80; ++I)
        Memo->Lines()->Add(QStringLiteral("regel %1").arg(I));
    Memo->Lines()->EndUpdate();
    Memo->Perform(EM_LINESCROLL, 0, 20);
    Memo->SetFocus();
    PumpMessages();
    const LRESULT Top = Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0);
    MouseWheel(Memo, {20, 20}, -120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), Top + 3);
    MouseWheel(Memo, {20, 20}, 120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), Top);
    // Less than a notch scrolls nothing.
    MouseWheel(Memo, {20, 20}, -60);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), Top);
    MouseWheel(Memo, {20, 20}, 60);

    bool Down = false;
    Memo->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool&) { Down = true; });
    MouseWheel(Memo, {20, 20}, -120);
    EXPECT_FALSE(Down) << "the memo's own scrolling takes the wheel";
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), Top + 3);
    Memo->SetOnMouseWheel([](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; });
    MouseWheel(Memo, {20, 20}, -120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), Top + 3);
}

TEST_F(FramedMemos, TheWheelGoesToTheFocusedMemoNotTheOneUnderThePointer)
{
    for (TFcMemo* M : {Memo, Other}) {
        M->Lines()->BeginUpdate();
        for (int I = 0; I < 80; ++I)
            M->Lines()->Add(QStringLiteral("regel %1").arg(I));
        M->Lines()->EndUpdate();
    }
    Memo->SetFocus();
    PumpMessages();
    MouseWheel(Other, {10, 10}, -120);
    EXPECT_EQ(Memo->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    EXPECT_EQ(Other->Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(FramedMemos, EnterWithTabOnEnterTypesNoLineBreakAndMovesOn)
{
    Memo->SetTabOnEnter(true);
    Memo->SetTabOrder(0);
    Other->SetTabOrder(1);
    Memo->SetFocus();
    PumpMessages();
    TypeText(Memo, QStringLiteral("ab"));
    PressKey(Memo, Qt::Key_Return);
    PumpMessages();
    EXPECT_EQ(Memo->Text(), QStringLiteral("ab"));
    EXPECT_TRUE(Other->Focused());
    // Without it Enter types a line break.
    Memo->SetTabOnEnter(false);
    Memo->SetFocus();
    PumpMessages();
    PressKey(Memo, Qt::Key_Return);
    EXPECT_EQ(Memo->Lines()->Count(), 1);
    EXPECT_TRUE(Memo->Text().endsWith(QStringLiteral("\r\n")));
}

TEST_F(FramedMemos, ColoursAndTheFrameFollowFocusAndReadOnly)
{
    Memo->SetFocusColor(clYellow);
    Memo->SetReadOnlyColor(clAqua);
    Memo->SetFrameColor(clRed);
    Memo->SetFrameHotColor(clBlue);
    Memo->SetFrameHotTrack(true);
    const int Y = Memo->Height() / 2;
    EXPECT_EQ(ImagePixel(Shown(Memo), 0, Y), ColorToRGB(clRed));
    Memo->SetFocus();
    PumpMessages();
    EXPECT_EQ(Memo->Color(), clYellow);
    EXPECT_EQ(ImagePixel(Shown(Memo), 0, Y), ColorToRGB(clBlue));
    Other->SetFocus();
    PumpMessages();
    Memo->SetReadOnly(true);
    EXPECT_EQ(Memo->Color(), clAqua);
    EXPECT_EQ(ImagePixel(Shown(Memo), 0, Y), ColorToRGB(clRed));
    Memo->SetEnabled(false);
    EXPECT_EQ(Memo->Color(), clBtnFace);
}

} // namespace
