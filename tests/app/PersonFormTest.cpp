// The person form: a new person and its key, the checks before posting,
// previous and next, the gender, the address and group pages, the links to
// the desktop, and the main window's commands that open it.
#include "tests/app/PersonFormFixture.h"

#include "app/qv_overz.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcLabel.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcMemo.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabSheet.h"
#include "platform/actions/Menus.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/controls/lists/ListsFixture.h"

namespace {

const QString InvalidInput = "Onjuiste invoer voor dit veld. Drukt u op <Esc> om de invoer te annuleren.";

class PersonForm : public PersonFormTest {
protected:
    // Three persons (in name order Bakker, Jansen, Smit), two addresses
    // with the same one-line text and a third, two groups.
    void OpenThree()
    {
        OpenContacts({{4, "Jansen", "jan"}, {9, "Smit"}, {2, "Bakker"}},
                     {{7, "Dorpsstraat", "12", "Ede", "", "1234AB", "Achterom"},
                      {3, "Dorpsstraat", "12", "Ede"},
                      {5, "Kerkweg", "1", "Epe"}},
                     {{3, "Vrienden", "Van school"}, {6, "Werk"}});
    }
    // Types into Edit as the user would, leaving the focus there.
    void Type(TWinControl* Edit, const QString& Text)
    {
        Edit->SetFocus();
        if (auto* E = dynamic_cast<TCustomEdit*>(Edit))
            E->SelectAll();
        TypeText(Edit, Text);
    }
    QString Shown(TFcLabel* Label) const { return Label->Caption(); }
};

} // namespace

// --- a new person -------------------------------------------------------------------

TEST_F(PersonForm, ANewPersonHasNoMovingPrintOrApplyAndGetsTheNextKeyOnOK)
{
    OpenContacts({{57, "Jansen"}, {3, "Bakker"}});
    const int Persons = Data->cdsQuorvy->RecordCount();
    Data->cdsAdres->SetIndexName("STRAAT_NAAM_ASC");
    for (const int Expected : {58, 59}) {
        TScriptedMessageBoxes Unexpected;
        TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) {
            EXPECT_EQ(F->Caption(), "Toevoegen nieuw Contact");
            EXPECT_TRUE(F->IsNew());
            for (TControl* C : std::initializer_list<TControl*>{F->SpeedButtonUp, F->SpeedButtonDown,
                                                                F->SpeedButtonPrint, F->FcBitBtnApply})
                EXPECT_FALSE(C->Visible()) << C->Name().toStdString();
            EXPECT_TRUE(F->FcBitBtnOK->Visible());
            EXPECT_EQ(F->FcPageControlQuorvy->ActivePage(), F->TabSheetNaam);
            EXPECT_EQ(F->ActiveControl(), F->FcDBComboBoxAanhef);
            EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");
            EXPECT_EQ(Data->cdsGroep->IndexName(), "ID_GROEP_ASC");
            // The new record's defaults show.
            EXPECT_EQ(F->FcDBRadioGroupGender->ItemIndex(), 0);
            EXPECT_EQ(F->FcDBEditDatumActief->Text(), "17/05/2024");
            EXPECT_TRUE(F->FcLabelGeenAdres->Visible());
            EXPECT_TRUE(F->FcLabelGeenGroep->Visible());
            Type(F->FcDBEditAchternaam, "Nieuw");
            PressKey(F, Qt::Key_Return);
        });
        Main->FcGroupEditItems0Click(nullptr);
        EXPECT_EQ(User.Runs(), 1);
        EXPECT_TRUE(Unexpected.Asked().empty());
        EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
        EXPECT_EQ(Data->LastQuorvyID, Expected);
        EXPECT_EQ(Person("ID_QUORVY").toInt(), Expected);
        EXPECT_EQ(Person("ACHTER_NAAM"), "Nieuw");
        EXPECT_EQ(Person("ID_ADRES"), "-1");
        EXPECT_EQ(Data->cdsQuorvy->RecordCount(), Persons + Expected - 57);
        EXPECT_EQ(Data->cdsAdres->IndexName(), "STRAAT_NAAM_ASC");
        EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    }
}

TEST_F(PersonForm, CancellingANewPersonLeavesNothingAndTheMenuItemOpensTheSameForm)
{
    OpenThree();
    const int LastID = Data->LastQuorvyID;
    TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        Type(F->FcDBEditAchternaam, "Weg");
        F->FcBitBtnCancel->Click();
    });
    auto* Item = dynamic_cast<TMenuItem*>(Main->FindComponent("NieuwContact"));
    ASSERT_NE(Item, nullptr);
    Item->Click();
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 3);
    EXPECT_EQ(Data->LastQuorvyID, LastID);
}

TEST_F(PersonForm, AnEmptyLastNameIsReportedOnItsPageBeforeAMissingActiveDate)
{
    OpenThree();
    ShowForm(true);
    PersonField("DATUM_ACTIEF")->Clear();
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetContact);
    TScriptedMessageBoxes Boxes;
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een achternaam in te voeren!");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Foutieve invoer");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Form->FcPageControlQuorvy->ActivePage(), Form->TabSheetNaam);
    EXPECT_TRUE(Form->FcDBEditAchternaam->Focused());

    // Typed but not yet left: what the user sees is what is checked.
    Type(Form->FcDBEditAchternaam, "  ");
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 2u);
    EXPECT_EQ(Boxes.Asked()[1].Text, "U dient een achternaam in te voeren!");
    Type(Form->FcDBEditAchternaam, "Visser");
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 3u);
    EXPECT_EQ(Boxes.Asked()[2].Text, "U dient een geldige activeringsdatum in te voeren!!");
    EXPECT_EQ(Boxes.Asked()[2].Caption, "Foutieve invoer");
    EXPECT_EQ(Form->FcPageControlQuorvy->ActivePage(), Form->TabSheetMemo);
    EXPECT_TRUE(Form->FcDBEditDatumActief->Focused());
    EXPECT_EQ(Data->cdsQuorvy->State(), dsInsert);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 3);
    EXPECT_TRUE(Form->Visible());

    Type(Form->FcDBEditDatumActief, "01022024");
    Form->FcBitBtnOK->Click();
    EXPECT_EQ(Boxes.Asked().size(), 3u);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 4);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
    EXPECT_EQ(Person("DATUM_ACTIEF"), "01/02/2024");
}

TEST_F(PersonForm, AValueTheRecordRefusesKeepsTheFormOpenWithEverythingTyped)
{
    OpenThree();
    Form = TFormQuorvy::Create(nullptr, true);
    TScriptedMessageBoxes Boxes;
    TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        Type(F->FcDBEditAchternaam, "Visser");
        Type(F->FcDBEditRoepnaam, "eva");
        Type(F->FcDBEditGeboortedatum, "31022001");
        // Enter: the default button, with the focus still in the date.
        PressKey(F, Qt::Key_Return);
        EXPECT_TRUE(F->Visible());
        EXPECT_TRUE(F->FcDBEditGeboortedatum->Focused());
        EXPECT_EQ(F->FcDBEditGeboortedatum->Text(), "31/02/2001");
        EXPECT_EQ(F->FcDBEditGeboortedatum->SelLength(), 10);
        EXPECT_EQ(Data->cdsQuorvy->State(), dsInsert);
        EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
        EXPECT_EQ(Person("ROEP_NAAM"), "eva");
        EXPECT_EQ(Data->LastQuorvyID, 9) << "no key is taken for a record that was not posted";
        // Put right, the same window posts it all.
        Type(F->FcDBEditGeboortedatum, "28022001");
        PressKey(F, Qt::Key_Return);
    });
    Data->cdsQuorvy->Insert();
    Form->ShowModal();
    EXPECT_EQ(User.Runs(), 1);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, InvalidInput);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 4);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
    EXPECT_EQ(Person("GEBOORTE_DATUM"), "28/02/2001");
    EXPECT_EQ(Person("ID_QUORVY"), "10");
}

TEST_F(PersonForm, TheGenderGroupWritesVOrM)
{
    OpenThree();
    ShowForm(true);
    TDBRadioGroup* Gender = Form->FcDBRadioGroupGender;
    EXPECT_EQ(Gender->Items()->Strings(0), "Vrou&w");
    EXPECT_EQ(Gender->Items()->Strings(1), "&Man");
    EXPECT_EQ(Gender->Columns(), 2);
    EXPECT_EQ(Person("GENDER"), "V");
    MouseClick(Gender->Buttons(1), {4, 4});
    EXPECT_EQ(Person("GENDER"), "M");
    MouseClick(Gender->Buttons(0), {4, 4});
    EXPECT_EQ(Person("GENDER"), "V");
    MouseClick(Gender->Buttons(1), {4, 4});
    Type(Form->FcDBEditAchternaam, "Visser");
    Form->FcBitBtnOK->Click();
    EXPECT_EQ(Person("GENDER"), "M");
    // An existing person shows the item of the stored value.
    Form->Free();
    Form = nullptr;
    ShowForm(false);
    EXPECT_EQ(Form->FcDBRadioGroupGender->ItemIndex(), 1);
}

// --- an existing person ----------------------------------------------------------

TEST_F(PersonForm, PreviousAndNextDropPendingChangesAndStopAtTheEnds)
{
    OpenThree();
    GoToPerson("Jansen");
    ShowForm(false);
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Jan Jansen");
    EXPECT_TRUE(Form->SpeedButtonDown->Visible());
    Type(Form->FcDBEditAchternaam, "Veranderd");
    PersonField("MOBIEL")->SetAsString("0612345678");
    Form->SpeedButtonDown->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Smit");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
    EXPECT_EQ(Form->FcDBEditAchternaam->Text(), "Smit");
    // The last person stays; what was typed for it goes.
    Type(Form->FcDBEditRoepnaam, "piet");
    Form->SpeedButtonDown->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Smit");
    EXPECT_EQ(Person("ROEP_NAAM"), "");
    Form->SpeedButtonUp->Click();
    Form->SpeedButtonUp->Click();
    Form->SpeedButtonUp->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Bakker");
    Form->FcBitBtnCancel->Click();
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    GoToPerson("Jansen");
    EXPECT_EQ(Person("MOBIEL"), "");
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 3);
}

TEST_F(PersonForm, ApplyPostsShowsTheNewNameAndGoesOnEditing)
{
    OpenThree();
    GoToPerson("Smit");
    ShowForm(false);
    Type(Form->FcDBEditRoepnaam, "piet");
    Form->FcBitBtnApply->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Piet Smit");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
    // Posted: closing the window keeps it.
    Form->Close();
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Person("ROEP_NAAM"), "piet");
    EXPECT_EQ(Person("ID_QUORVY"), "9");
}

TEST_F(PersonForm, TheCloseBoxDropsWhatWasNotPosted)
{
    OpenThree();
    GoToPerson("Smit");
    TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        Type(F->FcDBEditAchternaam, "Anders");
        PostMessage(F->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Main->FcDBGridQuorvyDblClick(Main->FcDBGridQuorvy);
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Smit");
}

// --- the address and group pages --------------------------------------------------

TEST_F(PersonForm, WijzigenShowsTheLinkedAddressAndGroup)
{
    OpenThree();
    GoToPerson("Jansen");
    SetPerson({{"ID_ADRES", "7"}, {"ID_GROEP", "6"}});
    Data->cdsAdres->SetIndexName("WOON_PLAATS_ASC");
    TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        EXPECT_FALSE(F->IsNew());
        EXPECT_EQ(Shown(F->FcLabelStraatnaamWaarde), "Dorpsstraat");
        EXPECT_EQ(Shown(F->FcLabelHuisnummerWaarde), "12");
        EXPECT_EQ(Shown(F->FcLabelPostcodeWaarde), "1234 AB");
        EXPECT_EQ(Shown(F->FcLabelWoonplaatsWaarde), "Ede");
        EXPECT_EQ(Shown(F->FcLabelLandWaarde), "Nederland");
        EXPECT_EQ(F->FcMemoAdresOpmerkingen->Text(), "Achterom");
        EXPECT_FALSE(F->FcLabelGeenAdres->Visible());
        EXPECT_FALSE(F->FcLabelGeenAdresUitleg->Visible());
        EXPECT_TRUE(F->FcToolButtonGoogleMaps->Enabled());
        EXPECT_EQ(Shown(F->FcLabelGroepNaamWaarde), "Werk");
        EXPECT_FALSE(F->FcLabelGeenGroep->Visible());
        F->FcBitBtnCancel->Click();
    });
    auto* Item = dynamic_cast<TMenuItem*>(Main->FindComponent("WijzigenContact"));
    ASSERT_NE(Item, nullptr);
    Item->Click();
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Data->cdsAdres->IndexName(), "WOON_PLAATS_ASC");
}

TEST_F(PersonForm, UnlinkingEmptiesThePageAndClearsTheLink)
{
    OpenThree();
    GoToPerson("Jansen");
    SetPerson({{"ID_ADRES", "7"}, {"ID_GROEP", "3"}});
    ShowForm(false);
    Form->FcToolButtonVerwijderAdres->Click();
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    for (TFcLabel* L : {Form->FcLabelStraatnaamWaarde, Form->FcLabelPostcodeWaarde, Form->FcLabelLandWaarde})
        EXPECT_EQ(Shown(L), "");
    EXPECT_EQ(Form->FcMemoAdresOpmerkingen->Text(), "");
    EXPECT_TRUE(Form->FcLabelGeenAdres->Visible());
    EXPECT_TRUE(Form->FcLabelGeenAdresUitleg->Visible());
    EXPECT_FALSE(Form->FcToolButtonGoogleMaps->Enabled());
    EXPECT_EQ(Person("ID_GROEP"), "3");
    Form->FcToolButtonVerwijderGroep->Click();
    EXPECT_EQ(Person("ID_GROEP"), "-1");
    EXPECT_EQ(Shown(Form->FcLabelGroepNaamWaarde), "");
    EXPECT_EQ(Form->FcMemoGroepText->Text(), "");
    EXPECT_TRUE(Form->FcLabelGeenGroep->Visible());
    // Neither address nor group is gone.
    EXPECT_EQ(Data->cdsAdres->RecordCount(), 3);
    EXPECT_EQ(Data->cdsGroep->RecordCount(), 2);
}

TEST_F(PersonForm, ALinkToADeletedAddressStaysUntilApplyOrAMove)
{
    OpenThree();
    GoToPerson("Jansen");
    SetPerson({{"ID_ADRES", "99"}, {"ID_GROEP", "98"}});
    ShowForm(false);
    EXPECT_TRUE(Form->FcLabelGeenAdres->Visible());
    EXPECT_EQ(Person("ID_ADRES"), "99");
    Form->FcBitBtnApply->Click();
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    EXPECT_EQ(Person("ID_GROEP"), "-1");

    GoToPerson("Smit");
    SetPerson({{"ID_ADRES", "99"}});
    Form->Free();
    Form = nullptr;
    GoToPerson("Jansen");
    ShowForm(false);
    Form->SpeedButtonDownClick(nullptr);
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Smit");
    EXPECT_EQ(Person("ID_ADRES"), "-1");
}

// --- the Memo page and the links to the desktop -----------------------------------

TEST_F(PersonForm, TheEmptyButtonClearsTheInactiveDate)
{
    OpenThree();
    GoToPerson("Smit");
    SetPerson({{"DATUM_INACTIEF", "01/01/2023"}});
    ShowForm(false);
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetMemo);
    Form->SpeedButtonEmptyDatumAanmelding->Click();
    EXPECT_TRUE(PersonField("DATUM_INACTIEF")->IsNull());
    EXPECT_TRUE(Form->FcDBEditDatumInactief->Focused());
}

TEST_F(PersonForm, MailAndWebLinksOpenOnlyMailAndWebAddresses)
{
    OpenThree();
    GoToPerson("Smit");
    ShowForm(false);
    EXPECT_EQ(Form->FcLabelEmailAdres1->FlyByColor(), clRed);
    EXPECT_TRUE(Form->FcLabelWebsite->FlyByEnabled());
    EXPECT_EQ(Form->FcLabelWebsite->Cursor(), crHandPoint);
    TShellRecorder Shell;
    TScriptedMessageBoxes Boxes;
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetContact);
    // Empty fields do nothing.
    Form->FcLabelEmailAdres1->Click();
    Form->FcLabelWebsite->Click();
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_TRUE(Boxes.Asked().empty());

    Type(Form->FcDBEditEmailAdres1, " smit@example.nl");
    Form->FcLabelEmailAdres1->Click();
    Type(Form->FcDBEditEmailAdres2, "www.example.nl");
    Form->FcLabelEmailAdres2->Click();
    Type(Form->FcDBEditWebsite, "example.nl/smit");
    Form->FcLabelWebsite->Click();
    Type(Form->FcDBEditWebsite, "HTTPS://Example.nl");
    Form->FcLabelWebsite->Click();
    Type(Form->FcDBEditWebsite, "/etc/passwd");
    Form->FcLabelWebsite->Click();
    ASSERT_EQ(Shell.Opened().size(), 3u);
    EXPECT_EQ(Shell.Opened()[0], QUrl("mailto:smit@example.nl"));
    EXPECT_EQ(Shell.Opened()[1], QUrl("http://example.nl/smit"));
    EXPECT_EQ(Shell.Opened()[2], QUrl("HTTPS://Example.nl"));
    ASSERT_EQ(Boxes.Asked().size(), 2u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "\"www.example.nl\" is geen e-mailadres en wordt niet geopend.");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Openen niet mogelijk");
    EXPECT_EQ(Boxes.Asked()[1].Text, "\"/etc/passwd\" is geen webadres en wordt niet geopend.");
}

TEST_F(PersonForm, PrintShowsTheOverviewOfWhatIsTyped)
{
    OpenThree();
    GoToPerson("Smit");
    ShowForm(false);
    TShellRecorder Shell;
    Type(Form->FcDBEditRoepnaam, "piet");
    Form->SpeedButtonPrint->Click();
    ASSERT_EQ(Data->TempFiles->Count(), 1);
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl::fromLocalFile(Data->TempFiles->Strings(0)));
    EXPECT_TRUE(QString::fromUtf8(ReadRaw(Data->TempFiles->Strings(0))).contains("Overzicht van Piet Smit"));
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
}

// --- the main window's commands -----------------------------------------------------

TEST_F(PersonForm, WijzigenNeedsAPerson)
{
    OpenContacts({});
    TWhenModal<TFormQuorvy> User([&](TFormQuorvy* F) { F->Close(); });
    Main->FcGroupEditItems1Click(nullptr);
    Main->FcDBGridQuorvyDblClick(nullptr);
    PumpMessages();
    EXPECT_EQ(User.Runs(), 0);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
}
