// Input typed ahead while the program is busy: keys and the characters an
// input method composed go to the window that has the focus when they are
// handled, in the order typed, across Tab, into a form that a key opened
// and back once a key closed it; our own drawn lists take composed
// characters as editors do.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/Utf8Text.h"

#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

struct TypedAhead : StdForm {
    TEdit* Field(int Top)
    {
        auto* E = Make<TEdit>(Bounds(10, Top, 200, 24));
        E->SetTabOrder(Top / 30);
        return E;
    }
    // Each character as a key press and release, queued.
    void QueueTyped(const QString& Text)
    {
        for (QChar C : Text) {
            const int Key = C.toUpper().unicode();
            const Qt::KeyboardModifiers Mods = C.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
            QueueKeyDown(Form, Key, Mods);
            QueueKeyUp(Form, Key, Mods);
        }
    }
    // Another form, with one edit (There).
    static TForm* SecondForm(TEdit*& There)
    {
        TForm* Other = CreateNewForm<TForm>(nullptr);
        Other->SetBounds(100, 100, 300, 100);
        There = new TEdit(Other);
        There->SetBoundsRect(Bounds(10, 10, 200, 24));
        There->SetParent(Other);
        return Other;
    }
    void QueueKey(int Key)
    {
        QueueKeyDown(Form, Key);
        QueueKeyUp(Form, Key);
    }
};

TEST_F(TypedAhead, KeysAndComposedCharactersFollowTabIntoEditsAndDrawnLists)
{
    TTestClock Clock;
    TEdit* First = Field(0);
    TEdit* Second = Field(30);
    auto* List = Make<TListBox>(Bounds(10, 60, 200, 100));
    List->SetTabOrder(2);
    for (const char* T : {"Eikenlaan", "Émile Braunplein", "Rembrandtsteeg"})
        List->Items()->Add(QString::fromUtf8(T));
    First->SetFocus();
    PumpMessages();
    // All of it comes while the program is busy; the first character of
    // each composed text is a dead key's, the last beyond the Basic
    // Multilingual Plane.
    QueueTyped("ab");
    QueueCommitInput(Form, U("é"));
    QueueKey(Qt::Key_Tab);
    QueueTyped("c");
    QueueCommitInput(Form, U("\U0001F600"));
    QueueTyped("d");
    QueueKey(Qt::Key_Tab);
    QueueCommitInput(Form, U("É"));
    PumpMessages();
    EXPECT_EQ(First->Text(), U("abé"));
    EXPECT_EQ(Second->Text(), U("c\U0001F600d"));
    EXPECT_TRUE(List->Focused());
    EXPECT_EQ(List->ItemIndex(), 1) << "a composed capital finds its item";
    // Composed while the list has the focus, not typed ahead.
    Clock.Advance(5000);
    CommitInput(Form, U("r"));
    EXPECT_EQ(List->ItemIndex(), 2);
}

// F2 opens a modal form; Escape ends it.  What is typed behind F2 belongs
// to that form, what is typed behind Escape to the first one again.
TEST_F(TypedAhead, KeysGoToTheFormAKeyOpenedAndBackOnceItClosed)
{
    TEdit* Here = Field(0);
    TEdit* There = nullptr;
    TForm* Other = SecondForm(There);
    auto* Cancel = new TButton(Other);
    Cancel->SetBoundsRect(Bounds(10, 50, 75, 25));
    Cancel->SetParent(Other);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    Form->SetKeyPreview(true);
    int Opened = 0;
    Form->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState) {
        if (Key != VK_F(2))
            return;
        ++Opened;
        Other->ShowModal();
    });
    // A form still open when nothing is left to handle did not get its
    // Escape: it is ended, so that the test goes on.
    int LeftOpen = 0;
    Application->SetOnIdle([&](TObject*, bool&) {
        if (Other->Visible() && Other->ModalResult() == mrNone) {
            ++LeftOpen;
            Other->SetModalResult(mrCancel);
        }
    });
    Here->SetFocus();
    PumpMessages();
    QueueTyped("x");
    QueueKey(Qt::Key_F2);
    QueueTyped("ab");
    QueueCommitInput(Form, U("ë"));
    QueueKey(Qt::Key_Escape);
    QueueTyped("yz");
    PumpMessages();
    Application->SetOnIdle(nullptr);
    EXPECT_EQ(Opened, 1);
    EXPECT_EQ(LeftOpen, 0);
    EXPECT_EQ(There->Text(), U("abë"));
    EXPECT_EQ(Here->Text(), U("xyz"));
    EXPECT_TRUE(Here->Focused());
    Other->Free();
}

// A form that goes while keys for it are still on their way: Qt hands
// them to its window and its editor until it deletes them; they go to the
// focus instead, none is lost.
TEST_F(TypedAhead, KeysForAFormThatWentGoToTheFocus)
{
    TEdit* Here = Field(0);
    TEdit* There = nullptr;
    TForm* Other = SecondForm(There);
    Other->Show();
    There->SetFocus();
    PumpMessages();
    const QPointer<QWidget> Window = WindowQtWidget(Other->Handle());
    const QPointer<QWidget> Editor = GetWindowHostedWidget(There->Handle());
    Other->Free();
    Here->SetFocus();
    ASSERT_TRUE(Window && Editor) << "Qt deletes them later";
    QKeyEvent A(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(Window.data(), &A);
    QKeyEvent B(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QCoreApplication::sendEvent(Editor.data(), &B);
    QInputMethodEvent C;
    C.setCommitString(U("ç"));
    QCoreApplication::sendEvent(Editor.data(), &C);
    PumpMessages();
    EXPECT_EQ(Here->Text(), U("abç"));
}

} // namespace
