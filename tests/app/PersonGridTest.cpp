// The person page: sorting by a title click, the indexed and the full-text
// search with their messages, navigation, deleting a person (also through
// the menu of a right-clicked row), the group bar's keys, the active group
// filter and today's birthdays.
#include "tests/app/MainWindowFixture.h"

#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

// In name order: Appel, Bakker, de Vries, jansen, Zwart.
const std::vector<TTestPerson> Family = {
    {1, "jansen", "piet", "", "06/05/1970", "0201234567"},
    {2, "Bakker", "anna", "de", "17/05/1990", "0301234567", "Houdt van tennis  "},
    {3, "de Vries", "", "", "29/02/1988", "0451234567"},
    {4, "Zwart", "", "", "", "0687654321"},
    {5, "Appel", "kees", "", "17/05/2000", "0101234567"},
};

class PersonGridTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Path = MakeContactFile("familie.quorvy", Family);
        ShowMain();
        Main->OpenFile(Path);
        ASSERT_TRUE(Data->Active);
    }
    TColumn* Column(int I) const { return Main->FcDBGridQuorvy->Columns()->Items(I); }
    void ClickTitle(int I) { Main->FcDBGridQuorvyTitleClick(Column(I)); }
    bool LooksSorted(int I) const
    {
        return Column(I)->Title()->Color() == clBlue && Column(I)->Title()->Font()->Color() == clInfoBk;
    }
    bool LooksPlain(int I) const
    {
        return Column(I)->Title()->Color() == clInfoBk && Column(I)->Title()->Font()->Color() == clBlue;
    }
    QString Index() const { return Data->cdsQuorvy->IndexName(); }
    TFcGroupItem* Item(TFcGroup* Group, int I) const { return Group->Items()->Items(I); }

    QString Path;
};

} // namespace

// --- sorting ---------------------------------------------------------------------

TEST_F(PersonGridTest, TheGridHasItsNineteenColumnsWithTheirTitles)
{
    ASSERT_EQ(Main->FcDBGridQuorvy->Columns()->Count(), 19);
    for (int I = 0; I < 19; ++I) {
        EXPECT_EQ(Column(I)->FieldName(), PersonColumns[I].FieldName());
        EXPECT_EQ(Column(I)->Title()->Caption(), PersonColumns[I].TitleText());
        EXPECT_EQ(Column(I)->Title()->Font()->Name(), "Tahoma");
        EXPECT_TRUE(I == 0 ? LooksSorted(I) : LooksPlain(I)) << I;
    }
    EXPECT_EQ(PersonColumns[15].TitleText(), "MSD ID");
    EXPECT_FALSE(Main->FcDBGridQuorvy->Options().Contains(dgEditing));
    EXPECT_EQ(Index(), "ACHTER_NAAM_ASC");
}

TEST_F(PersonGridTest, ClickingATitleSortsAndClickingItAgainTurnsTheOrder)
{
    Data->cdsQuorvy->Last();
    ClickTitle(0);
    EXPECT_EQ(Index(), "ACHTER_NAAM_DESC");
    EXPECT_EQ(Column(0)->Title()->Caption(), "Achternaam  \\/");
    EXPECT_FALSE(SortAscending);
    EXPECT_TRUE(LooksSorted(0));
    // The current person stays current.
    EXPECT_EQ(CurrentLastName(), "Zwart");
    ClickTitle(0);
    EXPECT_EQ(Index(), "ACHTER_NAAM_ASC");
    EXPECT_EQ(Column(0)->Title()->Caption(), "Achternaam");
    ClickTitle(0);
    EXPECT_FALSE(SortAscending);

    // Another column while descending: ascending there, the old one plain.
    ClickTitle(11);
    EXPECT_EQ(Index(), "MOBIEL_ASC");
    EXPECT_EQ(SortColumn, 11);
    EXPECT_TRUE(SortAscending);
    EXPECT_EQ(Column(0)->Title()->Caption(), "Achternaam");
    EXPECT_TRUE(LooksPlain(0));
    EXPECT_TRUE(LooksSorted(11));
    EXPECT_EQ(Column(11)->Title()->Caption(), "Mobiel");
    Data->cdsQuorvy->First();
    EXPECT_EQ(CurrentLastName(), "Appel");

    // Closing resets the sort for the next file.
    Main->ActionCloseExecute(nullptr);
    EXPECT_EQ(SortColumn, 0);
    EXPECT_TRUE(SortAscending);
    EXPECT_TRUE(LooksSorted(0));
    EXPECT_TRUE(LooksPlain(11));
}

// A sorted column shows which way it is sorted only when its whole caption
// fits: every title, with the descending mark its second click adds, fits
// its column in the title font, with the margin the grid leaves on either
// side of a cell's text.
TEST_F(PersonGridTest, EveryTitleFitsItsColumnWithTheDescendingMark)
{
    constexpr int TextMargin = 2;
    TBitmap Measure;
    for (int I = 0; I < 19; ++I) {
        if (I != 0)
            ClickTitle(I); // the sort moves here, ascending
        ClickTitle(I);
        const String Caption = Column(I)->Title()->Caption();
        ASSERT_EQ(Caption, PersonColumns[I].TitleText() + "  \\/");
        Measure.Canvas()->Font()->Assign(Column(I)->Title()->Font());
        EXPECT_LE(Measure.Canvas()->TextWidth(Caption) + 2 * TextMargin, Column(I)->Width()) << Caption.toStdString();
    }
}

TEST_F(PersonGridTest, ASortThatFailsLeavesTitlesIndexRecordAndControlsAsTheyWere)
{
    // The person being edited cannot be posted: it takes a key in use.
    Data->cdsQuorvy->Last();
    Data->cdsQuorvy->Edit();
    Data->cdsQuorvy->FieldByName("ID_QUORVY")->SetAsInteger(2);
    EXPECT_THROW(ClickTitle(11), EDatabaseError);
    EXPECT_EQ(Index(), "ACHTER_NAAM_ASC");
    EXPECT_EQ(SortColumn, 0);
    EXPECT_TRUE(LooksSorted(0));
    EXPECT_TRUE(LooksPlain(11));
    EXPECT_EQ(CurrentLastName(), "Zwart");
    EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
    EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

// --- indexed search ----------------------------------------------------------------

TEST_F(PersonGridTest, IndexedSearchGoesToTheNearestOrTheExactPerson)
{
    {
        TScriptedInputQueries Typed({"ja"});
        Main->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Typed.Asked().size(), 1u);
        EXPECT_EQ(Typed.Asked()[0].Caption, "Zoeken naar \"Achternaam\"");
        EXPECT_EQ(Typed.Asked()[0].Prompt, "Achternaam:");
        EXPECT_EQ(Typed.Asked()[0].Value, "<Achternaam>");
        EXPECT_EQ(CurrentLastName(), "jansen");
    }
    Settings->ExactSearch = true;
    {
        TScriptedInputQueries Typed({"BAKKER"});
        Main->FcGroupZoekenItems0Click(nullptr);
        EXPECT_EQ(CurrentLastName(), "Bakker");
    }
    {
        TScriptedInputQueries Typed({"bak"});
        TScriptedMessageBoxes Boxes;
        Main->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "Zoekargument \"bak\" niet gevonden");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Niet gevonden");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 48u);
        EXPECT_EQ(CurrentLastName(), "Bakker");
        EXPECT_EQ(Data->cdsQuorvy->State(), dsBrowse);
        EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    }
}

TEST_F(PersonGridTest, IndexedSearchOnADateFindsTheNextLaterDateUnlessExact)
{
    ClickTitle(8);
    {
        TScriptedInputQueries Typed({"01/01/1980"});
        Main->FcGroupZoekenItems0Click(nullptr);
        EXPECT_EQ(Typed.Asked()[0].Caption, "Zoeken naar \"Geboortedatum\"");
        EXPECT_EQ(Typed.Asked()[0].Value, "<17/05/2024> (dd/mm/yyyy)");
        EXPECT_EQ(CurrentLastName(), "de Vries");
    }
    Settings->ExactSearch = true;
    TScriptedInputQueries Typed({"01/01/1980"});
    TScriptedMessageBoxes Boxes;
    Main->FcGroupZoekenItems0Click(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Niet gevonden");
}

TEST_F(PersonGridTest, IndexedSearchAsksAgainUntilTheValueIsValid)
{
    {
        TScriptedInputQueries Typed({"   ", "Zw"});
        TScriptedMessageBoxes Boxes;
        Main->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Typed.Asked().size(), 2u);
        EXPECT_EQ(Typed.Asked()[1].Value, "   ");
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een zoektekst in te voeren!");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Onvolledige invoer!");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
        EXPECT_EQ(CurrentLastName(), "Zwart");
    }
    ClickTitle(17);
    {
        TScriptedInputQueries Typed({"1-1-2020", "31/02/2024", std::nullopt});
        TScriptedMessageBoxes Boxes;
        Main->FcGroupZoekenItems0Click(nullptr);
        EXPECT_EQ(Typed.Asked().size(), 3u);
        ASSERT_EQ(Boxes.Asked().size(), 2u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een datum in het formaat DD/MM/JJJJ in te voeren!");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Foutieve invoer!");
    }
    ClickTitle(15);
    TScriptedInputQueries Typed({std::nullopt});
    Main->FcGroupZoekenItems0Click(nullptr);
    EXPECT_EQ(Typed.Asked()[0].Value, "<MSN ID>");
    EXPECT_EQ(Typed.Asked()[0].Caption, "Zoeken naar \"MSD ID\"");
}

TEST_F(PersonGridTest, IndexedSearchOnADescendingSortOffersToTurnItFirst)
{
    ClickTitle(0);
    {
        TScriptedMessageBoxes No({IDNO});
        TScriptedInputQueries Typed({"x"});
        Main->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(No.Asked().size(), 1u);
        EXPECT_EQ(No.Asked()[0].Text,
                  "Om te kunnen zoeken dient de index OPLOPEND te zijn.\r\nWilt u de huidige index nu oplopend "
                  "sorteren?");
        EXPECT_EQ(No.Asked()[0].Caption, "Aflopende index");
        EXPECT_EQ(No.Asked()[0].Flags, 35u);
        EXPECT_TRUE(Typed.Asked().empty());
        EXPECT_EQ(Index(), "ACHTER_NAAM_DESC");
    }
    TScriptedMessageBoxes Yes({IDYES});
    TScriptedInputQueries Typed({"b"});
    Main->FcGroupZoekenItems0Click(nullptr);
    EXPECT_EQ(Index(), "ACHTER_NAAM_ASC");
    EXPECT_TRUE(SortAscending);
    EXPECT_EQ(Column(0)->Title()->Caption(), "Achternaam");
    EXPECT_EQ(CurrentLastName(), "Bakker");
}

// --- full-text search -----------------------------------------------------------------

TEST_F(PersonGridTest, FullTextSearchFindsGoesOnAndBackAndStops)
{
    TScriptedInputQueries Typed({"06"});
    TScriptedMessageBoxes Boxes;
    Main->FcGroupZoekenItems1Click(nullptr);
    EXPECT_EQ(Typed.Asked()[0].Caption, "Graven in het Bestand");
    EXPECT_EQ(Typed.Asked()[0].Prompt, "Zoekargument:");
    EXPECT_EQ(Typed.Asked()[0].Value, "");
    // A date: jansen was born on 06/05/1970.
    EXPECT_EQ(CurrentLastName(), "jansen");
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path + " - [Zoeken naar: \"06\"]");
    EXPECT_TRUE(Main->FcToolButtonSearchForward->Visible());
    EXPECT_TRUE(Main->FcSpacerSearch->Visible());
    EXPECT_FALSE(Item(Main->FcGroupZoeken, 1)->Enabled());
    EXPECT_FALSE(Main->Graveninhetbestand->Enabled());
    EXPECT_TRUE(Boxes.Asked().empty());

    // A phone number.
    Main->FcToolButtonSearchForwardClick(nullptr);
    EXPECT_EQ(CurrentLastName(), "Zwart");
    Main->FcToolButtonSearchForwardClick(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "Zoekargument \"06\" niet meer gevonden.");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Zoekargument niet gevonden");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 64u);
    EXPECT_EQ(CurrentLastName(), "Zwart");
    EXPECT_TRUE(Main->FcToolButtonSearchStop->Visible());

    Main->FcToolButtonSearchBackClick(nullptr);
    EXPECT_EQ(CurrentLastName(), "jansen");
    Main->FcToolButtonSearchBackClick(nullptr);
    EXPECT_EQ(Boxes.Asked().size(), 2u);
    EXPECT_EQ(CurrentLastName(), "Appel");

    Main->FcToolButtonSearchStopClick(nullptr);
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path);
    EXPECT_FALSE(Main->FcToolButtonSearchForward->Visible());
    EXPECT_TRUE(Item(Main->FcGroupZoeken, 1)->Enabled());
    EXPECT_TRUE(Main->Graveninhetbestand->Enabled());
    EXPECT_TRUE(Data->SearchText.isEmpty());
}

// The title bar repeats the search argument as far as a message would.
TEST_F(PersonGridTest, FullTextSearchNamesALongArgumentShortInTheCaption)
{
    const QString Long = QString(60, QLatin1Char('q'));
    AddPerson({6, "Lang", "", "", "", "", Long});
    TScriptedInputQueries Typed({Long});
    TScriptedMessageBoxes Boxes;
    Main->FcGroupZoekenItems1Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "Lang");
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path + " - [Zoeken naar: \"" + QuotedInput(Long) + "\"]");
    EXPECT_TRUE(Boxes.Asked().empty());
}

TEST_F(PersonGridTest, FullTextSearchIgnoresTheCaseOfAToZButKeepsBlanks)
{
    struct TCase {
        QString Typed;
        QString Found; // empty: nothing found
    };
    for (const TCase& C : std::vector<TCase>{{"TENNIS", "Bakker"},
                                             {"tennis  ", "Bakker"},
                                             {"tennis   ", ""},
                                             {"ANNA", "Bakker"},
                                             {"29/02", "de Vries"}}) {
        TScriptedInputQueries Typed({C.Typed});
        TScriptedMessageBoxes Boxes;
        Main->FcGroupZoekenItems1Click(nullptr);
        if (C.Found.isEmpty()) {
            ASSERT_EQ(Boxes.Asked().size(), 1u) << C.Typed.toStdString();
            EXPECT_EQ(Boxes.Asked()[0].Text, "Zoekargument \"" + C.Typed + "\" niet gevonden.");
            EXPECT_EQ(Boxes.Asked()[0].Caption, "Zoekargument niet gevonden");
            EXPECT_TRUE(Data->SearchText.isEmpty());
            EXPECT_EQ(CurrentLastName(), "Zwart");
            EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path);
        } else {
            EXPECT_TRUE(Boxes.Asked().empty()) << C.Typed.toStdString();
            EXPECT_EQ(CurrentLastName(), C.Found) << C.Typed.toStdString();
            EXPECT_EQ(Data->SearchText, C.Typed.toLower());
        }
        Main->FcToolButtonSearchStopClick(nullptr);
    }
}

TEST_F(PersonGridTest, FullTextSearchAsksAgainForAnEmptyArgumentAndOffersTheLastOne)
{
    {
        TScriptedInputQueries Typed({"  ", "Appel"});
        TScriptedMessageBoxes Boxes;
        Main->FcGroupZoekenItems1Click(nullptr);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een zoekargument in te voeren!");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Geen zoekarguent");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
        EXPECT_EQ(Typed.Asked()[1].Value, "  ");
    }
    TScriptedInputQueries Cancel({std::nullopt});
    Main->FcGroupZoekenItems1Click(nullptr);
    EXPECT_EQ(Cancel.Asked()[0].Value, "appel");
    EXPECT_EQ(Data->SearchText, "appel");
}

TEST_F(PersonGridTest, ASearchThatFailsLeavesTheRecordControlsAndCursorAsTheyWere)
{
    Data->cdsQuorvy->Next();
    Data->cdsQuorvy->FieldByName("OPMERKINGEN")->SetOnGetText([](TField* Sender, String&, bool) {
        if (Sender->DataSet()->FieldByName("ACHTER_NAAM")->AsString() == "jansen")
            throw EDatabaseError("onleesbaar");
    });
    TScriptedInputQueries Typed({"geen"});
    EXPECT_THROW(Main->FcGroupZoekenItems1Click(nullptr), EDatabaseError);
    EXPECT_EQ(CurrentLastName(), "Bakker");
    EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Data->cdsQuorvy->FieldByName("OPMERKINGEN")->SetOnGetText(nullptr);
}

// --- navigation, deleting, the group bar -----------------------------------------------

TEST_F(PersonGridTest, NavigationMovesThroughThePersons)
{
    Main->FcGroupNavigateItems3Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "Zwart");
    Main->FcGroupNavigateItems2Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "Zwart");
    Main->FcGroupNavigateItems1Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "jansen");
    Main->FcGroupNavigateItems0Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "Appel");
    Main->FcGroupNavigateItems1Click(nullptr);
    EXPECT_EQ(CurrentLastName(), "Appel");
    // The shortcuts of the grid's menu.
    PressKey(Main->FcDBGridQuorvy, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(CurrentLastName(), "Zwart");
    PressKey(Main->FcDBGridQuorvy, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(CurrentLastName(), "Appel");
}

TEST_F(PersonGridTest, DeletingAPersonAsksFirst)
{
    {
        TScriptedMessageBoxes No({IDNO});
        Main->FcGroupEditItems2Click(nullptr);
        EXPECT_EQ(No.Asked()[0].Text, "Wilt u het geselecteerde contact werkelijk verwijderen?");
        EXPECT_EQ(No.Asked()[0].Caption, "Verwijderen Contact");
        EXPECT_EQ(No.Asked()[0].Flags, 292u);
        EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 5);
    }
    TScriptedMessageBoxes Yes({IDYES});
    for (int I = 0; I < 5; ++I)
        Main->FcGroupEditItems2Click(nullptr);
    EXPECT_TRUE(Data->cdsQuorvy->IsEmpty());
    Main->FcGroupEditItems2Click(nullptr);
    EXPECT_EQ(Yes.Asked().size(), 5u);
}

// The grid's menu acts on the person right-clicked, not on the one that was
// current; a right press on the titles neither moves nor sorts.
TEST_F(PersonGridTest, TheMenuOfARightClickedRowActsOnThatPerson)
{
    TFcDBGrid* Grid = Main->FcDBGridQuorvy;
    const auto Center = [Grid](int ARow) {
        const TRect R = Grid->CellRect(2, ARow);
        return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    };
    ASSERT_EQ(CurrentLastName(), "Appel");
    TScriptedPopupMenus Menus({QString(), QStringLiteral("Verwijderen geselecteerde Contact")});
    TScriptedMessageBoxes Yes({IDYES});
    MouseClick(Grid, Center(0), Qt::RightButton);
    EXPECT_EQ(CurrentLastName(), "Appel");
    EXPECT_EQ(Index(), "ACHTER_NAAM_ASC");
    MouseClick(Grid, Center(3), Qt::RightButton);
    ASSERT_EQ(Menus.Shown().size(), 2u);
    EXPECT_EQ(Menus.Shown()[1].MenuName, "PopupMenuQuorvy");
    ASSERT_EQ(Yes.Asked().size(), 1u);
    EXPECT_EQ(Yes.Asked()[0].Caption, "Verwijderen Contact");
    QStringList Left;
    for (Data->cdsQuorvy->First(); !Data->cdsQuorvy->Eof(); Data->cdsQuorvy->Next())
        Left << CurrentLastName();
    EXPECT_EQ(Left, QStringList({"Appel", "Bakker", "jansen", "Zwart"}));
}

TEST_F(PersonGridTest, F3AndF4HideAndShowTheGroupBarAndF5ShowsTheActiveFilter)
{
    Main->FcDBGridQuorvy->SetFocus();
    PressKey(Main->FcDBGridQuorvy, Qt::Key_F3);
    EXPECT_FALSE(Main->FcGroupBarMenu->Visible());
    PressKey(Main->FcDBGridQuorvy, Qt::Key_F4);
    EXPECT_TRUE(Main->FcGroupBarMenu->Visible());
    {
        TScriptedMessageBoxes Boxes;
        PressKey(Main->FcDBGridQuorvy, Qt::Key_F5);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, "Er is op dit moment GEEN groepfilter actief");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Actieve Groepfilter");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 48u);
    }
    // A group filter as the filter window sets it.
    Data->cdsQuorvy->SetFilter("ID_GROEP = '-1'");
    Data->cdsQuorvy->SetFiltered(true);
    Data->ActiveFilterName = "Familie";
    Item(Main->FcGroupGroepen, 2)->SetEnabled(false);
    Item(Main->FcGroupGroepen, 3)->SetEnabled(true);
    {
        TScriptedMessageBoxes Cancel({IDCANCEL});
        PressKey(Main->FcDBGridQuorvy, Qt::Key_F5);
        EXPECT_EQ(Cancel.Asked()[0].Text,
                  "De actieve groepfilter is: \"Groepnaam = Familie\".\r\nWilt u deze filter deactiveren?");
        EXPECT_EQ(Cancel.Asked()[0].Flags, 547u);
        EXPECT_TRUE(Data->cdsQuorvy->Filtered());
    }
    TScriptedMessageBoxes Yes({IDYES});
    PressKey(Main->FcDBGridQuorvy, Qt::Key_F5);
    EXPECT_FALSE(Data->cdsQuorvy->Filtered());
    EXPECT_TRUE(Data->cdsQuorvy->Filter().isEmpty());
    EXPECT_TRUE(Data->ActiveFilterName.isEmpty());
    EXPECT_TRUE(Item(Main->FcGroupGroepen, 2)->Enabled());
    EXPECT_FALSE(Item(Main->FcGroupGroepen, 3)->Enabled());
}

TEST_F(PersonGridTest, ClosingTheFileEndsTheSearchAndTheFilter)
{
    TScriptedInputQueries Typed({"06"});
    Main->FcGroupZoekenItems1Click(nullptr);
    Data->ActiveFilterName = "Familie";
    Item(Main->FcGroupGroepen, 2)->SetEnabled(false);
    Item(Main->FcGroupGroepen, 3)->SetEnabled(true);
    Main->ActionCloseExecute(nullptr);
    EXPECT_EQ(Main->Caption(), ProgramCaption);
    EXPECT_FALSE(Main->FcToolButtonSearchStop->Visible());
    EXPECT_TRUE(Item(Main->FcGroupZoeken, 1)->Enabled());
    EXPECT_TRUE(Data->ActiveFilterName.isEmpty());
    EXPECT_TRUE(Item(Main->FcGroupGroepen, 2)->Enabled());
    EXPECT_FALSE(Item(Main->FcGroupGroepen, 3)->Enabled());
}

// --- today's birthdays ---------------------------------------------------------------

TEST_F(PersonGridTest, TodaysBirthdaysAreListedAfterOpeningWhenAskedFor)
{
    struct TCase {
        TDateTime Day;
        QString Text; // empty: no message
    };
    const std::vector<TCase> Cases = {
        {EncodeDate(2024, 5, 17),
         "Vandaag zijn de volgende personen jarig:\r\n- Kees Appel (24)\r\n"
         "- Anna de Bakker (34)\r\n"},
        {EncodeDate(2024, 5, 6), "Vandaag is Piet Jansen (54) jarig."},
        {EncodeDate(2024, 2, 29), "Vandaag is De Vries (36) jarig."},
        {EncodeDate(2023, 2, 28), ""},
        {EncodeDate(2023, 3, 1), ""},
        {EncodeDate(2024, 1, 1), ""},
    };
    Settings->ShowBirthdayAtStartup = true;
    for (const TCase& C : Cases) {
        Today = C.Day + EncodeTime(9, 0, 0, 0);
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Path);
        EXPECT_EQ(CurrentLastName(), "Appel");
        if (C.Text.isEmpty()) {
            EXPECT_TRUE(Boxes.Asked().empty()) << FormatDateTime("dd/mm/yyyy", C.Day).toStdString();
            continue;
        }
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text, C.Text);
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Verjaardagen op " + FormatDateTime("dd/mm/yyyy", C.Day));
        EXPECT_EQ(Boxes.Asked()[0].Flags, 64u);
    }
    Settings->ShowBirthdayAtStartup = false;
    TScriptedMessageBoxes Boxes;
    Today = EncodeDate(2024, 5, 17);
    Main->OpenFile(Path);
    EXPECT_TRUE(Boxes.Asked().empty());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}
