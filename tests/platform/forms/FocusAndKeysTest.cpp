// The focus and the keyboard: enter and exit in the classic order, Tab
// order, accelerators, default and cancel buttons, key handlers that
// change or drop keys, and shortcuts of action lists.
#include "tests/platform/forms/TestControls.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Screen.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Keys : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TTestBox* Group = new TTestBox(Form);
    TTestButton* A = Button("A", 2, Group);
    TTestButton* B = Button("B", 0, Group);
    TTestButton* C = Button("C", 1, Form);

    TTestButton* Button(const char* Name, int TabOrder, TWinControl* Parent)
    {
        auto* Btn = new TTestButton(Form);
        Btn->SetName(QString::fromLatin1(Name));
        Btn->SetParent(Parent);
        Btn->SetTabOrder(TabOrder);
        return Btn;
    }
    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 200);
        Group->SetName(QStringLiteral("Group"));
        Group->SetBoundsRect(Bounds(0, 0, 200, 100));
        Group->SetParent(Form);
        Group->SetTabOrder(0);
        Form->Show();
        TTestBox::Log().clear();
    }
    void TearDown() override { Form->Free(); }
};

TEST_F(Keys, FocusEntersAndExitsThroughTheParentsInOrder)
{
    C->SetFocus();
    QStringList Seen;
    for (TWinControl* W : std::initializer_list<TWinControl*>{Group, A, C}) {
        W->SetOnEnter([&Seen, W](TObject*) { Seen << "enter " + W->Name(); });
        W->SetOnExit([&Seen, W](TObject*) { Seen << "exit " + W->Name(); });
    }
    A->SetFocus();
    C->SetFocus();
    EXPECT_EQ(Seen, QStringList({"exit C", "enter Group", "enter A", "exit A", "exit Group", "enter C"}));
    EXPECT_TRUE(C->Focused());
    EXPECT_EQ(Form->ActiveControl(), C);
    EXPECT_EQ(Screen->ActiveControl(), C);
}

TEST_F(Keys, TabFollowsTheTabOrderAcrossContainersAndShiftTabGoesBack)
{
    B->SetFocus();
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(A->Focused());
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(C->Focused());
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(B->Focused());
    PressKey(Form, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(C->Focused());
}

TEST_F(Keys, DefaultAndCancelButtonsAnswerEnterAndEscape)
{
    A->SetDefault(true);
    C->SetCancel(true);
    B->SetFocus();
    PressKey(Form, Qt::Key_Return);
    EXPECT_EQ(A->Clicks, 1);
    PressKey(Form, Qt::Key_Escape);
    EXPECT_EQ(C->Clicks, 1);
    // Enter with a shift key held is no dialog key.
    PressKey(Form, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(A->Clicks, 1);
}

TEST_F(Keys, AcceleratorsClickTheirButton)
{
    C->SetCaption(QStringLiteral("&Open"));
    A->SetFocus();
    PressKey(Form, Qt::Key_O, Qt::AltModifier, QStringLiteral("o"));
    EXPECT_EQ(C->Clicks, 1);
    // A plain letter reaches the accelerator too, as a control that wants
    // no characters passes it on.
    PressKey(Form, Qt::Key_O);
    EXPECT_EQ(C->Clicks, 2);
}

// As classically, a key dropped in OnKeyDown still types its character:
// only OnKeyPress can drop that.
TEST_F(Keys, KeyHandlersSeeTheFormFirstThenTheFocusedControl)
{
    QStringList Seen;
    Form->SetKeyPreview(true);
    Form->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState) { Seen << QStringLiteral("form %1").arg(Key); });
    B->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState Shift) {
        Seen << QStringLiteral("B %1%2").arg(Key).arg(Shift.Contains(ssCtrl) ? "+ctrl" : "");
        if (Key == 'X')
            Key = 0;
    });
    B->SetOnKeyPress([&](TObject*, QChar& Key) {
        Seen << QStringLiteral("press ") + Key;
        if (Key == QLatin1Char('q'))
            Key = QLatin1Char('Q');
    });
    B->SetFocus();
    PressKey(Form, Qt::Key_Q);
    PressKey(Form, Qt::Key_X);
    PressKey(Form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Seen, QStringList({"form 81", "B 81", "press q", "form 88", "B 88", "press x", "form 83", "B 83+ctrl",
                                 QStringLiteral("press ") + QChar(19)}));
}

TEST_F(Keys, ActionShortcutsRunBeforeTheControlSeesTheKey)
{
    auto* List = new TActionList(Form);
    auto* Action = new TAction(Form);
    Action->SetActionList(List);
    Action->SetShortCut(TShortCut(scAlt | 'X'));
    int Ran = 0;
    Action->SetOnExecute([&](TObject*) { ++Ran; });
    bool ControlSawIt = false;
    B->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState) { ControlSawIt = ControlSawIt || Key == 'X'; });
    B->SetFocus();
    PressKey(Form, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(Ran, 1);
    EXPECT_FALSE(ControlSawIt);
}

TEST_F(Keys, AnExitThatRefusesKeepsTheFocus)
{
    TScriptedMessageBoxes Boxes;
    A->SetFocus();
    A->SetOnExit([this](TObject*) {
        A->SetFocus();
        throw EDBEditError(QStringLiteral("Invalid input value"));
    });
    C->SetFocus();
    EXPECT_TRUE(A->Focused());
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, QStringLiteral("Invalid input value."));
}

TEST_F(Keys, DisabledAndHiddenControlsCannotTakeTheFocus)
{
    A->SetEnabled(false);
    EXPECT_FALSE(A->CanFocus());
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);
    C->SetFocus();
    C->SetVisible(false);
    EXPECT_FALSE(C->Focused());
    EXPECT_EQ(Form->ActiveControl(), nullptr);
}

} // namespace
