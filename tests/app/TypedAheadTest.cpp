// Typing on while the program is busy, into the real windows: a burst of
// keys with Tabs in it fills the person form field by field; keys typed
// behind F9 land in the person form it opens, and keys typed behind the
// key that closes it in the next one; a character composed from a dead
// key finds its item in the address pick list.
#include "tests/app/PersonFormFixture.h"

#include "app/qv_sel_a.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcDBGrid.h"
#include "tests/support/Utf8Text.h"

namespace {

class TypedAhead : public PersonFormTest {
protected:
    // Each character as a key press and release, queued as the desktop
    // delivers keys to the window that has the focus as they come in.
    void QueueTyped(TControl* AnyOnForm, const QString& Text)
    {
        for (QChar C : Text) {
            const int Key = C.toUpper().unicode();
            const Qt::KeyboardModifiers Mods = C.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
            QueueKeyDown(AnyOnForm, Key, Mods);
            QueueKeyUp(AnyOnForm, Key, Mods);
        }
    }
    void QueueKey(TControl* AnyOnForm, int Key, int Times = 1)
    {
        for (int I = 0; I < Times; ++I) {
            QueueKeyDown(AnyOnForm, Key);
            QueueKeyUp(AnyOnForm, Key);
        }
    }
    void QueueAlt(TControl* AnyOnForm, int Key)
    {
        QueueKeyDown(AnyOnForm, Qt::Key_Alt, Qt::AltModifier);
        QueueKeyDown(AnyOnForm, Key, Qt::AltModifier);
        QueueKeyUp(AnyOnForm, Key, Qt::AltModifier);
        QueueKeyUp(AnyOnForm, Qt::Key_Alt);
    }
};

} // namespace

TEST_F(TypedAhead, ABurstWithTabsFillsThePersonFormFieldByField)
{
    ShowForm(true);
    Form->FcDBEditVoorvoegsel->SetFocus();
    PumpMessages();
    QueueTyped(Form, "abc");
    QueueKey(Form, Qt::Key_Tab);
    QueueTyped(Form, "def");
    QueueKey(Form, Qt::Key_Tab);
    QueueTyped(Form, "ghi");
    PumpMessages();
    EXPECT_EQ(Form->FcDBEditVoorvoegsel->Text(), "abc");
    EXPECT_EQ(Form->FcDBEditVoorletters->Text(), "def");
    EXPECT_EQ(Form->FcDBEditRoepnaam->Text(), "ghi");
    EXPECT_TRUE(Form->FcDBEditRoepnaam->Focused());
}

// F9 in the grid adds a person; in the person form three Tabs lead from
// the salutation to the call name, five to the last name; Alt+O is OK.
TEST_F(TypedAhead, KeysBehindF9LandInTheFormItOpensAndKeysBehindOKInTheNextOne)
{
    // A person form still open when nothing is left to handle did not get
    // the keys that end it: it is cancelled, so that the test goes on.
    int LeftOpen = 0;
    Application->SetOnIdle([&](TObject*, bool&) {
        for (int I = 0; I < Screen->FormCount(); ++I)
            if (auto* F = dynamic_cast<TFormQuorvy*>(Screen->Forms(I)); F != nullptr && F->Modal() && F->Visible()) {
                ++LeftOpen;
                F->SetModalResult(mrCancel);
            }
    });
    Main->FcDBGridQuorvy->SetFocus();
    PumpMessages();
    QueueKey(Main, Qt::Key_F9);
    QueueKey(Main, Qt::Key_Tab, 5);
    QueueTyped(Main, "Visser");
    QueueAlt(Main, Qt::Key_O);
    QueueKey(Main, Qt::Key_F9);
    QueueKey(Main, Qt::Key_Tab, 3);
    QueueTyped(Main, "Piet");
    QueueKey(Main, Qt::Key_Tab, 2);
    QueueTyped(Main, "Jansen");
    QueueKey(Main, Qt::Key_Return);
    PumpMessages();
    Application->SetOnIdle(nullptr);
    EXPECT_EQ(LeftOpen, 0);
    EXPECT_TRUE(Boxes.Asked().empty());
    TClientDataSet* Persons = Data->cdsQuorvy;
    EXPECT_EQ(Persons->RecordCount(), 7);
    ASSERT_TRUE(Persons->Locate("ID_QUORVY", Variant(6), {}));
    EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
    EXPECT_EQ(Person("ROEP_NAAM"), "");
    ASSERT_TRUE(Persons->Locate("ID_QUORVY", Variant(7), {}));
    EXPECT_EQ(Person("ACHTER_NAAM"), "Jansen");
    EXPECT_EQ(Person("ROEP_NAAM"), "Piet");
    EXPECT_TRUE(Main->FcDBGridQuorvy->Focused());
}

// US-International: ' then Shift+E composes É, which reaches the list
// the way it reaches an edit.
TEST_F(TypedAhead, ACharacterComposedFromADeadKeyFindsItsItemInThePickList)
{
    Append(Data->cdsAdres,
           {{"ID_ADRES", "6"}, {"STRAAT_NAAM", U("Émile Braunplein")}, {"HUIS_NUMMER", "4"}, {"WOON_PLAATS", "Ede"}});
    GoToPerson("Zwart");
    ShowForm(false);
    QString Selected;
    TOnModal<TFormSelecteerAdres> User([&](TFormSelecteerAdres* Pick) {
        Pick->ChoiceList()->SetFocus();
        CommitInput(Pick, U("É"));
        const int I = Pick->ChoiceList()->ItemIndex();
        Selected = I >= 0 ? Pick->ChoiceList()->Items()->Strings(I) : QString();
    });
    Form->FcToolButtonSelecteerAdres->Click();
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Selected, U("Émile Braunplein 4, Ede"));
}
