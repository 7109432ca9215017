// The person form: a new person and its key, the checks before posting,
// previous and next, the gender, the address and group pages, the links to
// the desktop, and the main window's commands that open it.
#include "tests/app/PersonFormFixture.h"

#include "app/qv_adres.h"
#include "app/qv_browa.h"
#include "app/qv_browg.h"
#include "app/qv_groep.h"
#include "app/qv_overz.h"
#include "app/qv_sel_a.h"
#include "app/qv_sel_g.h"
#include "app/qv_toolb.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcLabel.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcMemo.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabColors.h"
#include "controls/lists/FcTabSheet.h"
#include "platform/actions/Menus.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/PrimarySelection.h"
#include "tests/support/Utf8Text.h"

namespace {

const QString InvalidInput = "Onjuiste invoer voor dit veld. Drukt u op <Esc> om de invoer te annuleren.";

// The persons in name order: Bakker, de Vries, jansen, O'Neil & <Co>,
// Zwart; the highest keys are 5 (persons and addresses) and 4 (groups).
class PersonForm : public PersonFormTest {
protected:
    static QString Shown(TFcLabel* Label) { return Label->Caption(); }
};

} // namespace

// --- a new person -------------------------------------------------------------------

TEST_F(PersonForm, ANewPersonHasNoMovingPrintOrApplyAndGetsTheNextKeyOnOK)
{
    Data->cdsAdres->SetIndexName("STRAAT_NAAM_ASC");
    for (const int Expected : {6, 7}) {
        TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
            EXPECT_EQ(F->Caption(), "Toevoegen nieuw Contact");
            EXPECT_TRUE(F->IsNew);
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
            TypeInto(F->FcDBEditAchternaam, "Nieuw");
            PressKey(F, Qt::Key_Return);
        });
        Main->FcGroupEditItems0Click(nullptr);
        EXPECT_EQ(User.Runs(), 1);
        EXPECT_TRUE(Boxes.Asked().empty());
        EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
        EXPECT_EQ(Data->LastQuorvyID, Expected);
        EXPECT_EQ(Person("ID_QUORVY").toInt(), Expected);
        EXPECT_EQ(Person("ACHTER_NAAM"), "Nieuw");
        EXPECT_EQ(Person("ID_ADRES"), "-1");
        EXPECT_EQ(Data->cdsQuorvy->RecordCount(), Expected);
        EXPECT_EQ(Data->cdsAdres->IndexName(), "STRAAT_NAAM_ASC");
        EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    }
}

// A middle-click pastes what was selected in another program as Ctrl+V
// pastes: its first line only, cut to what the field holds, with a beep.
TEST_F(PersonForm, AMiddleClickPastesOneLineCutToTheField)
{
    int Beeps = 0;
    SetBeepHook([&](UINT) { ++Beeps; });
    TScriptedPrimarySelection Primary(QStringLiteral("/Belgische/Surinaamse/Antilliaanse/Indonesische\nRegel2\tTab"));
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        TypeInto(F->FcDBEditNationaliteit, "Nederlandse");
        TypeInto(F->FcDBEditAchternaam, "Jansen");
        TFcDBEdit* Field = F->FcDBEditNationaliteit;
        const TPoint End{Field->ClientWidth() - 4, Field->ClientHeight() / 2};
        MouseDown(Field, End, Qt::MiddleButton);
        MouseUp(Field, End, Qt::MiddleButton);
        EXPECT_TRUE(Field->Focused());
        PressKey(F, Qt::Key_Return);
    });
    Main->FcGroupEditItems0Click(nullptr);
    SetBeepHook(nullptr);
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Jansen");
    EXPECT_EQ(Person("NATIONALITEIT"), "Nederlandse/Belgische/Surinaamse/Antilliaanse/Indo");
    EXPECT_EQ(Beeps, 1);
}

TEST_F(PersonForm, CancellingANewPersonLeavesNothingAndTheMenuItemOpensTheSameForm)
{
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        TypeInto(F->FcDBEditAchternaam, "Weg");
        F->FcBitBtnCancel->Click();
    });
    auto* Item = dynamic_cast<TMenuItem*>(Main->FindComponent("NieuwContact"));
    ASSERT_NE(Item, nullptr);
    Item->Click();
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 5);
    EXPECT_EQ(Data->LastQuorvyID, 5);
}

TEST_F(PersonForm, AnEmptyLastNameIsReportedOnItsPageBeforeAMissingActiveDate)
{
    ShowForm(true);
    PersonField("DATUM_ACTIEF")->Clear();
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetContact);
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een achternaam in te voeren!");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Foutieve invoer");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Form->FcPageControlQuorvy->ActivePage(), Form->TabSheetNaam);
    EXPECT_TRUE(Form->FcDBEditAchternaam->Focused());

    // Typed but not yet left: what the user sees is what is checked.
    TypeInto(Form->FcDBEditAchternaam, "  ");
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 2u);
    EXPECT_EQ(Boxes.Asked()[1].Text, "U dient een achternaam in te voeren!");
    TypeInto(Form->FcDBEditAchternaam, "Visser");
    Form->FcBitBtnOK->Click();
    ASSERT_EQ(Boxes.Asked().size(), 3u);
    EXPECT_EQ(Boxes.Asked()[2].Text, "U dient een geldige activeringsdatum in te voeren!!");
    EXPECT_EQ(Boxes.Asked()[2].Caption, "Foutieve invoer");
    EXPECT_EQ(Form->FcPageControlQuorvy->ActivePage(), Form->TabSheetMemo);
    EXPECT_TRUE(Form->FcDBEditDatumActief->Focused());
    EXPECT_EQ(Data->cdsQuorvy->State(), dsInsert);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 5);
    EXPECT_TRUE(Form->Visible());

    TypeInto(Form->FcDBEditDatumActief, "01022024");
    Form->FcBitBtnOK->Click();
    EXPECT_EQ(Boxes.Asked().size(), 3u);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 6);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
    EXPECT_EQ(Person("DATUM_ACTIEF"), "01/02/2024");
}

TEST_F(PersonForm, AValueTheRecordRefusesKeepsTheFormOpenWithEverythingTyped)
{
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        TypeInto(F->FcDBEditAchternaam, "Visser");
        TypeInto(F->FcDBEditRoepnaam, "eva");
        TypeInto(F->FcDBEditGeboortedatum, "31022001");
        // Enter: the default button, with the focus still in the date.
        PressKey(F, Qt::Key_Return);
        EXPECT_TRUE(F->Visible());
        EXPECT_TRUE(F->FcDBEditGeboortedatum->Focused());
        EXPECT_EQ(F->FcDBEditGeboortedatum->Text(), "31/02/2001");
        EXPECT_EQ(Data->cdsQuorvy->State(), dsInsert);
        EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
        EXPECT_EQ(Person("ROEP_NAAM"), "eva");
        EXPECT_EQ(Data->LastQuorvyID, 5) << "no key is taken for a record that was not posted";
        // Put right, the same window posts it all.
        TypeInto(F->FcDBEditGeboortedatum, "28022001");
        PressKey(F, Qt::Key_Return);
    });
    Main->FcGroupEditItems0Click(nullptr);
    EXPECT_EQ(User.Runs(), 1);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, InvalidInput);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 6);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Visser");
    EXPECT_EQ(Person("GEBOORTE_DATUM"), "28/02/2001");
    EXPECT_EQ(Person("ID_QUORVY"), "6");
}

TEST_F(PersonForm, TheGenderGroupWritesVOrM)
{
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
    TypeInto(Form->FcDBEditAchternaam, "Visser");
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
    GoToPerson("O'Neil & <Co>");
    ShowForm(false);
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van O'Neil & <Co>");
    EXPECT_TRUE(Form->SpeedButtonDown->Visible());
    EXPECT_TRUE(Form->SpeedButtonPrint->Visible());
    TypeInto(Form->FcDBEditAchternaam, "Veranderd");
    PersonField("MOBIEL")->SetAsString("0612345678");
    Form->SpeedButtonDown->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Zwart");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
    EXPECT_EQ(Form->FcDBEditAchternaam->Text(), "Zwart");
    // The last person stays; what was typed for it goes.
    TypeInto(Form->FcDBEditRoepnaam, "kees");
    Form->SpeedButtonDown->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Zwart");
    EXPECT_EQ(Person("ROEP_NAAM"), "");
    for (int I = 0; I < 5; ++I)
        Form->SpeedButtonUp->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Anna Bakker");
    Form->FcBitBtnCancel->Click();
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    GoToPerson("O'Neil & <Co>");
    EXPECT_EQ(Person("MOBIEL"), "");
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 5);
}

TEST_F(PersonForm, ApplyPostsShowsTheNewNameAndGoesOnEditing)
{
    GoToPerson("Zwart");
    ShowForm(false);
    TypeInto(Form->FcDBEditRoepnaam, "kees");
    Form->FcBitBtnApply->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Kees Zwart");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
    // Posted: closing the window keeps it.
    Form->Close();
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Person("ROEP_NAAM"), "kees");
    EXPECT_EQ(Person("ID_QUORVY"), "4");
}

// Aanhef entered by Shift+Tab (all of it selected) or all selected by
// Ctrl+A, Backspace, then typed over: what is stored is what was typed.
TEST_F(PersonForm, AnAanhefTypedOverAfterBackspaceIsStoredAsShown)
{
    const struct {
        const char *Before, *Typed;
        bool SelectAll;
    } Cases[] = {{"Mevrouw", "Dokter", false}, {"Prof. Dr.", "X", true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Before);
        GoToPerson("Zwart");
        SetPerson({{"AANHEF", C.Before}});
        ShowForm(false);
        TFcDBComboBox* Aanhef = Form->FcDBComboBoxAanhef;
        Form->FcDBEditVoorvoegsel->SetFocus();
        PressKey(Form, Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_TRUE(Aanhef->Focused());
        if (C.SelectAll)
            PressKey(Form, Qt::Key_A, Qt::ControlModifier, "\x01");
        PressKey(Form, Qt::Key_Backspace, Qt::NoModifier, "\b");
        EXPECT_EQ(Aanhef->Text(), QString());
        TypeText(Form, C.Typed);
        PressKey(Form, Qt::Key_Return);
        EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse) << "posted by OK";
        EXPECT_EQ(Person("AANHEF"), QString::fromLatin1(C.Typed));
        Form->Free();
        Form = nullptr;
    }
}

TEST_F(PersonForm, TheCloseBoxDropsWhatWasNotPosted)
{
    GoToPerson("Zwart");
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        TypeInto(F->FcDBEditAchternaam, "Anders");
        PostMessage(F->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Main->FcDBGridQuorvyDblClick(Main->FcDBGridQuorvy);
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_EQ(Person("ACHTER_NAAM"), "Zwart");
}

TEST_F(PersonForm, EscapeGivesTheFieldBackAndLeavesTheRestAsTyped)
{
    GoToPerson("Zwart");
    ShowForm(false);
    TypeInto(Form->FcDBEditRoepnaam, "kees");
    Form->FcDBEditAchternaam->SetFocus();
    TypeInto(Form->FcDBEditAchternaam, "Anders");
    // As the message about a wrong value says: Escape cancels that input.
    PressKey(Form->FcDBEditAchternaam, Qt::Key_Escape);
    PumpMessages();
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->FcDBEditAchternaam->Text(), "Zwart");
    EXPECT_EQ(Person("ROEP_NAAM"), "kees");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
}

// --- the address and group pages --------------------------------------------------

TEST_F(PersonForm, WijzigenShowsTheLinkedAddressAndGroup)
{
    GoToPerson("jansen");
    Data->cdsAdres->SetIndexName("WOON_PLAATS_ASC");
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) {
        EXPECT_FALSE(F->IsNew);
        EXPECT_EQ(F->Caption(), "Wijzigen gegevens van Piet Jansen");
        EXPECT_EQ(Shown(F->FcLabelStraatnaamWaarde), "Dorpsstraat");
        EXPECT_EQ(Shown(F->FcLabelHuisnummerWaarde), "12");
        EXPECT_EQ(Shown(F->FcLabelPostcodeWaarde), "1234 AB");
        EXPECT_EQ(Shown(F->FcLabelWoonplaatsWaarde), "Ede");
        EXPECT_EQ(Shown(F->FcLabelLandWaarde), "Nederland");
        EXPECT_EQ(F->FcMemoAdresOpmerkingen->Text(), "Achterom <b>&</b> \"tuin\"");
        EXPECT_FALSE(F->FcLabelGeenAdres->Visible());
        EXPECT_FALSE(F->FcLabelGeenAdresUitleg->Visible());
        EXPECT_TRUE(F->FcToolButtonGoogleMaps->Enabled());
        EXPECT_EQ(Shown(F->FcLabelGroepNaamWaarde), "Familie");
        EXPECT_EQ(F->FcMemoGroepText->Text(), "Ooms & tantes");
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
    GoToPerson("jansen");
    ShowForm(false);
    Form->FcToolButtonVerwijderAdres->Click();
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    for (TFcLabel* L : {Form->FcLabelStraatnaamWaarde, Form->FcLabelPostcodeWaarde, Form->FcLabelLandWaarde})
        EXPECT_EQ(Shown(L), "");
    EXPECT_EQ(Form->FcMemoAdresOpmerkingen->Text(), "");
    EXPECT_TRUE(Form->FcLabelGeenAdres->Visible());
    EXPECT_TRUE(Form->FcLabelGeenAdresUitleg->Visible());
    EXPECT_FALSE(Form->FcToolButtonGoogleMaps->Enabled());
    EXPECT_EQ(Person("ID_GROEP"), "1");
    Form->FcToolButtonVerwijderGroep->Click();
    EXPECT_EQ(Person("ID_GROEP"), "-1");
    EXPECT_EQ(Shown(Form->FcLabelGroepNaamWaarde), "");
    EXPECT_EQ(Form->FcMemoGroepText->Text(), "");
    EXPECT_TRUE(Form->FcLabelGeenGroep->Visible());
    // Neither the address nor the group is gone.
    EXPECT_EQ(Data->cdsAdres->RecordCount(), 4);
    EXPECT_EQ(Data->cdsGroep->RecordCount(), 3);
}

// Without a link the page says so; the notice and its explanation must be
// readable whole at the form's size: each text, laid out at its label's
// width in its font, fits the label, and no other control of the page lies
// over it.
TEST_F(PersonForm, TheNoticesOfPagesWithoutALinkAreReadableWhole)
{
    ShowForm(true);
    TBitmap Measure;
    const std::pair<TFcTabSheet*, std::vector<TFcLabel*>> Pages[] = {
        {Form->TabSheetAdres, {Form->FcLabelGeenAdres, Form->FcLabelGeenAdresUitleg}},
        {Form->TabSheetGroep, {Form->FcLabelGeenGroep, Form->FcLabelGeenGroepUitleg}},
    };
    for (const auto& [Page, Notices] : Pages) {
        Form->FcPageControlQuorvy->SetActivePage(Page);
        PumpMessages();
        for (TFcLabel* Notice : Notices) {
            SCOPED_TRACE(Notice->Name().toStdString());
            ASSERT_TRUE(Notice->Visible());
            Measure.Canvas()->Font()->Assign(Notice->Font());
            TRect Text = Rect(0, 0, Notice->Width(), 0);
            DrawText(Measure.Canvas()->Handle(), Notice->Caption(), &Text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
            EXPECT_LE(Text.Right, Notice->Width());
            EXPECT_LE(Text.Bottom, Notice->Height());
            OffsetRect(Text, Notice->Left(), Notice->Top());
            for (int I = 0; I < Page->ControlCount(); ++I) {
                TControl* Other = Page->Controls(I);
                TRect Common;
                if (Other != Notice && Other->Visible() && IntersectRect(Common, Text, Other->BoundsRect()))
                    ADD_FAILURE() << Other->Name().toStdString() << " lies over the text from y " << Common.Top;
            }
        }
    }
}

// --- the tabs ------------------------------------------------------------------------

// Tabs on the left in reverse order: each tab's slanted top reaches into
// the tab above it, and the current tab is drawn over its neighbours.  Each
// caption stands on its image, right-aligned, clear of that slant: the
// caption of the tab above the current one shows every pixel it shows when
// a tab further away is current.
TEST_F(PersonForm, EveryTabCaptionStandsWholeAboveItsImage)
{
    ShowForm(true);
    TFcPageControl* Tabs = Form->FcPageControlQuorvy;
    // No image, fill or frame has this colour: its pixels are the captions.
    const COLORREF Ink = 0x563412;
    Tabs->TextColors()->SetUnselected(TColor(Ink));
    auto Paint = [&](int Current) {
        Tabs->SetActivePageIndex(Current);
        return PaintControlImage(Tabs);
    };
    const int Count = Tabs->PageCount();
    for (int Tab = 0; Tab < Count; ++Tab) {
        SCOPED_TRACE(Tabs->Pages(Tab)->Caption().toStdString());
        const QImage Far = Paint((Tab + 2) % Count);
        const TRect R = Tabs->TabClientRect(Tab);
        auto InCaption = [&](int X, int Y) {
            return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom && ImagePixel(Far, X, Y) == Ink;
        };
        const TRect Caption = BoundsOfColor(Far.copy(R.Left, R.Top, R.Width(), R.Height()), Ink);
        EXPECT_GE(Caption.Width(), 20);
        TPoint Icon;
        const QImage Image = Tabs->Images()->GetImage(Tabs->Pages(Tab)->ImageIndex());
        const ::testing::AssertionResult IconShows = ShowsImage(Far, Image, R, &Icon);
        EXPECT_TRUE(IconShows);
        if (IconShows) {
            EXPECT_LE(R.Top + Caption.Bottom, Icon.Y);
        }
        if (Tab + 1 == Count)
            continue;
        EXPECT_TRUE(PixelsMatch(Paint(Tab + 1), [&](int X, int Y, COLORREF& Expected) {
            Expected = Ink;
            return InCaption(X, Y);
        }));
    }
}

TEST_F(PersonForm, ALinkToADeletedAddressStaysUntilApplyOrAMove)
{
    GoToPerson("jansen");
    SetPerson({{"ID_ADRES", "99"}, {"ID_GROEP", "98"}});
    ShowForm(false);
    EXPECT_TRUE(Form->FcLabelGeenAdres->Visible());
    EXPECT_EQ(Person("ID_ADRES"), "99");
    Form->FcBitBtnApply->Click();
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    EXPECT_EQ(Person("ID_GROEP"), "-1");

    Form->FcBitBtnCancel->Click();
    GoToPerson("Zwart");
    SetPerson({{"ID_ADRES", "99"}});
    Form->Free();
    Form = nullptr;
    GoToPerson("O'Neil & <Co>");
    ShowForm(false);
    EXPECT_EQ(Shown(Form->FcLabelStraatnaamWaarde), "Appelhof");
    Form->SpeedButtonDown->Click();
    EXPECT_EQ(Form->Caption(), "Wijzigen gegevens van Zwart");
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    EXPECT_EQ(Shown(Form->FcLabelStraatnaamWaarde), "");
    EXPECT_EQ(Shown(Form->FcLabelGroepNaamWaarde), "Familie");
}

TEST_F(PersonForm, PickingAnAddressLinksTheOnePickedOfTwoWithOneText)
{
    Append(Data->cdsAdres,
           {{"ID_ADRES", "6"}, {"STRAAT_NAAM", "Dorpsstraat"}, {"HUIS_NUMMER", "12"}, {"WOON_PLAATS", "Ede"}});
    GoToPerson("Zwart");
    ShowForm(false);
    std::vector<int> Linked;
    for (const int Clicked : {1, 2}) {
        TOnModal<TFormSelecteerAdres> User([&](TFormSelecteerAdres* Pick) {
            EXPECT_EQ(Items(Pick),
                      QStringList({"Appelhof 7, Zwolle", "Dorpsstraat 12, Ede", "Dorpsstraat 12, Ede",
                                   "Kerkweg 1, Arnhem", "Zuidlaan 3, Ede"}));
            EXPECT_EQ(Pick->ChoiceList()->ItemIndex(), Clicked == 1 ? 0 : 1) << "the first, or the one linked";
            ClickItem(Pick, Clicked);
        });
        Form->FcToolButtonSelecteerAdres->Click();
        EXPECT_EQ(User.Runs(), 1);
        EXPECT_EQ(Shown(Form->FcLabelStraatnaamWaarde), "Dorpsstraat");
        EXPECT_FALSE(Form->FcLabelGeenAdres->Visible());
        Linked.push_back(PersonField("ID_ADRES")->AsInteger());
    }
    std::sort(Linked.begin(), Linked.end());
    EXPECT_EQ(Linked, std::vector<int>({1, 6}));
    EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");

    // Linked to the Kerkweg: the list starts there; "&Sluiten" changes nothing.
    PersonField("ID_ADRES")->SetAsInteger(2);
    Data->cdsAdres->FindKey({Variant(2)});
    Form->ShowAddress(true);
    TOnModal<TFormSelecteerAdres> Close([&](TFormSelecteerAdres* Pick) {
        EXPECT_EQ(Pick->ChoiceList()->ItemIndex(), 3);
        MouseClick(Pick->FcBitBtnClose, {5, 5});
    });
    Form->FcToolButtonSelecteerAdres->Click();
    EXPECT_EQ(Close.Runs(), 1);
    EXPECT_EQ(Person("ID_ADRES"), "2");
    EXPECT_EQ(Shown(Form->FcLabelWoonplaatsWaarde), "Arnhem");
}

TEST_F(PersonForm, PickingFromAnEmptyAddressTableOffersNothing)
{
    for (TClientDataSet* A = Data->cdsAdres; !A->IsEmpty();)
        A->Delete();
    GoToPerson("Zwart");
    ShowForm(false);
    TOnModal<TFormSelecteerAdres> User([&](TFormSelecteerAdres* Pick) {
        EXPECT_TRUE(Items(Pick).isEmpty());
        MouseClick(Pick->FcBitBtnClose, {5, 5});
    });
    Form->FcToolButtonSelecteerAdres->Click();
    EXPECT_EQ(User.Runs(), 1);
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    EXPECT_TRUE(Form->FcLabelGeenAdres->Visible());
}

TEST_F(PersonForm, NewAddressesAndGroupsAreLinkedOnlyWhenSaved)
{
    GoToPerson("Zwart");
    ShowForm(false);
    // "&Nieuw" of the pick window, the address form cancelled.
    TOnModal<TFormAdres> Cancel([](TFormAdres* F) {
        TypeInto(F->FcDBEditStraatnaam, "Weg");
        MouseClick(F->FcBitBtnCancel, {5, 5});
    });
    TOnModal<TFormSelecteerAdres> New([](TFormSelecteerAdres* Pick) { MouseClick(Pick->FcBitBtnNieuw, {5, 5}); });
    Form->FcToolButtonSelecteerAdres->Click();
    EXPECT_EQ(New.Runs(), 1);
    EXPECT_EQ(Cancel.Runs(), 1);
    EXPECT_EQ(Person("ID_ADRES"), "-1");
    EXPECT_EQ(Data->cdsAdres->RecordCount(), 4);
    EXPECT_EQ(Data->cdsAdres->State(), dsBrowse);

    // "Nieuw adres", saved: linked and shown.
    TOnModal<TFormAdres> Save([](TFormAdres* F) {
        TypeInto(F->FcDBEditStraatnaam, "Nieuwe Weg");
        TypeInto(F->FcDBEditHuisnummer, "8");
        TypeInto(F->FcDBEditWoonplaats, "Putten");
        MouseClick(F->FcBitBtnOK, {5, 5});
    });
    Form->FcToolButtonNieuwAdres->Click();
    EXPECT_EQ(Save.Runs(), 1);
    EXPECT_EQ(Person("ID_ADRES"), "6");
    EXPECT_EQ(Shown(Form->FcLabelStraatnaamWaarde), "Nieuwe Weg");
    EXPECT_TRUE(Form->FcToolButtonGoogleMaps->Enabled());

    // "Nieuwe groep", saved.
    TOnModal<TFormGroep> Group([](TFormGroep* F) {
        TypeInto(F->FcDBEditGroepnaam, "Buren");
        MouseClick(F->FcBitBtnOK, {5, 5});
    });
    Form->FcToolButtonNieuweGroep->Click();
    EXPECT_EQ(Group.Runs(), 1);
    EXPECT_EQ(Person("ID_GROEP"), "5");
    EXPECT_EQ(Shown(Form->FcLabelGroepNaamWaarde), "Buren");
    // All of it posted with the person.
    Form->FcBitBtnOK->Click();
    GoToPerson("Zwart");
    EXPECT_EQ(Person("ID_ADRES"), "6");
    EXPECT_EQ(Person("ID_GROEP"), "5");
}

TEST_F(PersonForm, PickingAGroupLinksTheOnePickedOfTwoWithOneName)
{
    GoToPerson("Zwart");
    ShowForm(false);
    std::vector<int> Linked;
    for (const int Clicked : {0, 1}) {
        TOnModal<TFormSelecteerGroep> User([&](TFormSelecteerGroep* Pick) {
            EXPECT_EQ(Items(Pick), QStringList({"Familie", "Familie", "Werk"}));
            ClickItem(Pick, Clicked);
        });
        Form->FcToolButtonSelecteerGroep->Click();
        EXPECT_EQ(User.Runs(), 1);
        EXPECT_EQ(Shown(Form->FcLabelGroepNaamWaarde), "Familie");
        Linked.push_back(PersonField("ID_GROEP")->AsInteger());
    }
    std::sort(Linked.begin(), Linked.end());
    EXPECT_EQ(Linked, std::vector<int>({1, 4}));
    TOnModal<TFormSelecteerGroep> Werk([&](TFormSelecteerGroep* Pick) { ClickItem(Pick, 2); });
    Form->FcToolButtonSelecteerGroep->Click();
    EXPECT_EQ(Person("ID_GROEP"), "2");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "ID_GROEP_ASC");
}

TEST_F(PersonForm, TheListWindowsOpenInTheirOrderAndTheEditGoesOn)
{
    for (const bool IsNew : {true, false}) {
        GoToPerson("Zwart");
        ShowForm(IsNew);
        TOnModal<TFormBrowseAdres> List([&](TFormBrowseAdres* F) {
            EXPECT_EQ(F->FromNewContact, IsNew);
            EXPECT_EQ(Data->cdsAdres->IndexName(), "STRAAT_NAAM_ASC");
            EXPECT_EQ(Text(Data->cdsAdres, "STRAAT_NAAM"), "Appelhof");
            F->Close();
        });
        Form->FcToolButtonBeheerAdressen->Click();
        EXPECT_EQ(List.Runs(), 1);
        EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");
        EXPECT_EQ(Data->cdsQuorvy->State(), IsNew ? dsInsert : dsEdit);
        TOnModal<TFormBrowseGroep> Groups([&](TFormBrowseGroep* F) {
            EXPECT_EQ(F->FromNewContact, IsNew);
            EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
            F->Close();
        });
        Form->FcToolButtonBeheerGroepen->Click();
        EXPECT_EQ(Groups.Runs(), 1);
        EXPECT_EQ(Data->cdsGroep->IndexName(), "ID_GROEP_ASC");
        EXPECT_EQ(Data->cdsQuorvy->State(), IsNew ? dsInsert : dsEdit);
        Form->FcBitBtnCancel->Click();
        Form->Free();
        Form = nullptr;
    }
}

TEST_F(PersonForm, TheMapLooksUpTheLinkedAddressWithEveryPartEncoded)
{
    Data->cdsAdres->FindKey({Variant(1)});
    Data->cdsAdres->Edit();
    Data->cdsAdres->FieldByName("STRAAT_NAAM")->SetAsString("Lange Nieuwstraat");
    Data->cdsAdres->FieldByName("WOON_PLAATS")->SetAsString("'s-Hertogenbosch");
    Data->cdsAdres->Post();
    GoToPerson("jansen");
    ShowForm(false);
    TShellRecorder Shell;
    Form->FcToolButtonGoogleMaps->Click();
    ASSERT_EQ(Shell.Opened().size(), 1u);
    const QString Opened = Shell.Opened()[0].toString(QUrl::FullyEncoded);
    EXPECT_EQ(
        Opened,
        QUrl(ToolBox::MapSearchAddress("Lange Nieuwstraat", "12", "'s-Hertogenbosch")).toString(QUrl::FullyEncoded));
    EXPECT_TRUE(Opened.contains("Lange%20Nieuwstraat")) << Opened.toStdString();
    // A link that leads nowhere looks nothing up.
    PersonField("ID_ADRES")->SetAsInteger(99);
    Form->FcToolButtonGoogleMaps->Click();
    EXPECT_EQ(Shell.Opened().size(), 1u);
}

// --- the Memo page and the links to the desktop -----------------------------------

TEST_F(PersonForm, TheEmptyButtonClearsTheInactiveDate)
{
    GoToPerson("Zwart");
    SetPerson({{"DATUM_INACTIEF", "01/01/2023"}});
    ShowForm(false);
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetMemo);
    Form->SpeedButtonEmptyDatumAanmelding->Click();
    EXPECT_TRUE(PersonField("DATUM_INACTIEF")->IsNull());
    EXPECT_TRUE(Form->FcDBEditDatumInactief->Focused());
}

TEST_F(PersonForm, MailAndWebLinksOpenOnlyMailAndWebAddresses)
{
    GoToPerson("Zwart");
    ShowForm(false);
    EXPECT_EQ(Form->FcLabelEmailAdres1->FlyByColor(), clRed);
    EXPECT_TRUE(Form->FcLabelWebsite->FlyByEnabled());
    EXPECT_EQ(Form->FcLabelWebsite->Cursor(), crHandPoint);
    TShellRecorder Shell;
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetContact);
    // Empty fields do nothing.
    Form->FcLabelEmailAdres1->Click();
    Form->FcLabelWebsite->Click();
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_TRUE(Boxes.Asked().empty());

    TypeInto(Form->FcDBEditEmailAdres1, " zwart@example.nl");
    Form->FcLabelEmailAdres1->Click();
    TypeInto(Form->FcDBEditEmailAdres2, "www.example.nl");
    Form->FcLabelEmailAdres2->Click();
    TypeInto(Form->FcDBEditWebsite, "example.nl/zwart");
    Form->FcLabelWebsite->Click();
    TypeInto(Form->FcDBEditWebsite, "HTTPS://Example.nl");
    Form->FcLabelWebsite->Click();
    TypeInto(Form->FcDBEditWebsite, "/etc/passwd");
    Form->FcLabelWebsite->Click();
    ASSERT_EQ(Shell.Opened().size(), 3u);
    EXPECT_EQ(Shell.Opened()[0], QUrl("mailto:zwart@example.nl"));
    EXPECT_EQ(Shell.Opened()[1], QUrl("http://example.nl/zwart"));
    EXPECT_EQ(Shell.Opened()[2], QUrl("HTTPS://Example.nl"));
    ASSERT_EQ(Boxes.Asked().size(), 2u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "\"www.example.nl\" is geen e-mailadres en wordt niet geopend.");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Openen niet mogelijk");
    EXPECT_EQ(Boxes.Asked()[1].Text, "\"/etc/passwd\" is geen webadres en wordt niet geopend.");
}

TEST_F(PersonForm, PrintShowsTheOverviewOfWhatIsTyped)
{
    GoToPerson("Zwart");
    ShowForm(false);
    TShellRecorder Shell;
    TypeInto(Form->FcDBEditRoepnaam, "kees");
    Form->SpeedButtonPrint->Click();
    ASSERT_EQ(Data->TempFiles->Count(), 1);
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl::fromLocalFile(Data->TempFiles->Strings(0)));
    EXPECT_TRUE(QString::fromUtf8(ReadRaw(Data->TempFiles->Strings(0))).contains("Overzicht van Kees Zwart"));
    EXPECT_EQ(Data->cdsQuorvy->State(), dsEdit);
}

// --- Alt with a key ----------------------------------------------------------------

// Alt with a key is never text, as in a classic edit: a key that is no
// accelerator beeps, one that is moves the focus, the keypad's digits (the
// way many type a character by its code) neither type nor find the "#&2"
// of a label, and Alt+Backspace undoes the field's last edit.  AltGr comes
// without Alt and still types.
TEST_F(PersonForm, AltWithAKeyTypesNothingInAnyKindOfField)
{
    GoToPerson("Zwart");
    SetPerson(
        {{"AANHEF", "Mevrouw"}, {"MOBIEL", "0612345678"}, {"GEBOORTE_DATUM", "15/03/1980"}, {"OPMERKINGEN", "Oppas"}});
    ShowForm(false);
    struct TCase {
        TWinControl* Field;
        TFcTabSheet* Page;
        QString Typed; // typed over the whole text, then undone; empty: not tried
        int Accelerator;
        TWinControl* Moves; // the field that accelerator moves the focus to
    };
    const TCase Cases[] = {
        {Form->FcDBEditMobiel, Form->TabSheetContact, "X", Qt::Key_K, Form->FcDBEditTelefoonWerk},
        {Form->FcDBComboBoxAanhef, Form->TabSheetNaam, "", Qt::Key_C, Form->FcDBEditAchternaam},
        {Form->FcDBEditGeboortedatum, Form->TabSheetNaam, "", Qt::Key_T, Form->FcDBEditNationaliteit},
        {Form->FcDBMemoOpmerkingen, Form->TabSheetMemo, "X", Qt::Key_I, Form->FcDBEditDatumInactief},
    };
    int Beeps = 0;
    SetBeepHook([&](UINT) { ++Beeps; });
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Field->Name().toStdString());
        Form->FcPageControlQuorvy->SetActivePage(C.Page);
        C.Field->SetFocus();
        const QString Before = C.Field->Text();
        Beeps = 0;
        for (auto [Key, Text] : {std::pair{Qt::Key_Q, "q"}, {Qt::Key_Z, "z"}, {Qt::Key_9, "9"}})
            PressKey(Form, Key, Qt::AltModifier, Text);
        EXPECT_EQ(Beeps, 3);
        KeyDown(Form, Qt::Key_Alt, Qt::AltModifier);
        for (QChar Digit : QString("0233"))
            PressKey(Form, Qt::Key_0 + Digit.digitValue(), Qt::AltModifier | Qt::KeypadModifier, Digit);
        PressKey(Form, Qt::Key_Backspace, Qt::AltModifier, QString(QChar(8)));
        KeyUp(Form, Qt::Key_Alt);
        EXPECT_EQ(C.Field->Text(), Before);
        EXPECT_TRUE(C.Field->Focused());
        if (!C.Typed.isEmpty()) {
            PressKey(Form, Qt::Key_A, Qt::ControlModifier);
            TypeCharacters(Form, C.Typed);
            EXPECT_EQ(C.Field->Text(), C.Typed);
            PressKey(Form, Qt::Key_Backspace, Qt::AltModifier, QString(QChar(8)));
            EXPECT_EQ(C.Field->Text(), Before);
        }
        PressKey(Form, C.Accelerator, Qt::AltModifier, QString(QChar(C.Accelerator).toLower()));
        EXPECT_TRUE(C.Moves->Focused());
        EXPECT_EQ(C.Field->Text(), Before);
        EXPECT_EQ(Beeps, 3);
    }
    SetBeepHook(nullptr);
    Form->FcPageControlQuorvy->SetActivePage(Form->TabSheetNaam);
    Form->FcDBEditAchternaam->SetFocus();
    PressKey(Form, Qt::Key_End);
    PressKey(Form, Qt::Key_Adiaeresis, Qt::GroupSwitchModifier, U("ä"));
    Form->FcBitBtnOKClick(nullptr);
    EXPECT_EQ(Person("ACHTER_NAAM"), U("Zwartä"));
    EXPECT_EQ(Person("AANHEF"), "Mevrouw");
    EXPECT_EQ(Person("MOBIEL"), "0612345678");
    EXPECT_EQ(Person("GEBOORTE_DATUM"), "15/03/1980");
    EXPECT_EQ(Person("OPMERKINGEN"), "Oppas");
}

// --- the main window's commands -----------------------------------------------------

TEST_F(PersonForm, WijzigenNeedsAPerson)
{
    for (TClientDataSet* P = Data->cdsQuorvy; !P->IsEmpty();)
        P->Delete();
    TOnModal<TFormQuorvy> User([&](TFormQuorvy* F) { F->Close(); });
    Main->FcGroupEditItems1Click(nullptr);
    Main->FcDBGridQuorvyDblClick(nullptr);
    PumpMessages();
    EXPECT_EQ(User.Runs(), 0);
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
}
