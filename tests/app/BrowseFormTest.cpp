// The address and group list windows: columns and title clicks, the key
// search with ExactSearch on and off, adding, changing and deleting through
// the record forms, the residents and participants and their pages, and the
// window opened from a new person's form.
#include "app/qv_adres.h"
#include "app/qv_browa.h"
#include "app/qv_browg.h"
#include "app/qv_groep.h"
#include "app/qv_set.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcStatus.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "platform/actions/Menus.h"
#include "platform/stdctrls/Splitter.h"
#include "sysinfo/SiSysInfo.h"
#include "tests/app/AddressGroupFixture.h"

#include <QFile>
#include <QFileInfo>

namespace {

class BrowseFormTest : public AddressGroupTest {
protected:
    void TearDown() override
    {
        Settings->ExactSearch = false;
        AddressGroupTest::TearDown();
    }
    // The window as its opener makes it, shown but not modal so that the
    // test can work it.
    template <typename T>
    std::unique_ptr<T, TComponentDeleter> Open(TClientDataSet* Table, const char* Index, bool FromNewContact = false)
    {
        Table->SetIndexName(Index);
        Table->First();
        std::unique_ptr<T, TComponentDeleter> Form(
            CreateComponent<T>(Main, [FromNewContact](T* F) { F->FromNewContact = FromNewContact; }));
        Form->Show();
        PumpMessages();
        return Form;
    }
    std::unique_ptr<TFormBrowseAdres, TComponentDeleter> OpenAddresses(bool FromNewContact = false)
    {
        return Open<TFormBrowseAdres>(Data->cdsAdres, "STRAAT_NAAM_ASC", FromNewContact);
    }
    std::unique_ptr<TFormBrowseGroep, TComponentDeleter> OpenGroups(bool FromNewContact = false)
    {
        return Open<TFormBrowseGroep>(Data->cdsGroep, "GROEP_NAAM_ASC", FromNewContact);
    }
    static QStringList Listed(TBrowseForm* Form)
    {
        QStringList Out;
        for (int I = 0; I < Form->FcListBoxQuorvy->Items()->Count(); ++I)
            Out << Form->FcListBoxQuorvy->Items()->Strings(I);
        return Out;
    }
    static TColumnTitle* Title(TFcDBGrid* Grid, int I) { return Grid->Columns()->Items(I)->Title(); }
    static bool LooksSorted(TColumnTitle* T) { return T->Color() == clBlue && T->Font()->Color() == clInfoBk; }
    static bool LooksPlain(TColumnTitle* T) { return T->Color() == clInfoBk && T->Font()->Color() == clBlue; }
    QString Street() const { return Text(Data->cdsAdres, "STRAAT_NAAM"); }
    // The page the window writes for the current record, as opened.
    QString WritePage(TBrowseForm* Form, TShellRecorder& Shell)
    {
        const size_t Before = Shell.Opened().size();
        Form->FcGroupRapportagesItems0Click(nullptr);
        EXPECT_EQ(Shell.Opened().size(), Before + 1);
        if (Shell.Opened().size() != Before + 1)
            return QString();
        const QString File = Shell.Opened().back().toLocalFile();
        EXPECT_TRUE(Data->TempFiles->IndexOf(File) >= 0);
        // Made as a new file of the user's own, never over one that was there.
        EXPECT_EQ(
            QFileInfo(File).permissions()
                & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ReadGroup | QFileDevice::WriteGroup),
            QFileDevice::Permissions());
        QFile F(File);
        EXPECT_TRUE(F.open(QIODevice::ReadOnly));
        const QByteArray Bytes = F.readAll();
        EXPECT_TRUE(Bytes.startsWith("\xEF\xBB\xBF<HTML>\r\n<HEAD>\r\n"));
        return QString::fromUtf8(Bytes.mid(3));
    }
};

} // namespace

// --- the windows and their grids --------------------------------------------------

TEST_F(BrowseFormTest, TheWindowsShowTheirColumnsItemsAndShortcuts)
{
    auto Addresses = OpenAddresses();
    EXPECT_EQ(Addresses->Caption(), "Beheer Adressen");
    EXPECT_EQ(Addresses->ClientWidth(), 817);
    EXPECT_EQ(Addresses->ClientHeight(), 451);
    const QStringList Titles = {"Straatnaam", "Huisnummer", "Toevoeging",        "Postcode",         "ZIP Code",
                                "Woonplaats", "Land",       "Telefoonnummer #1", "Telefoonnummer #2"};
    const int Widths[] = {300, 100, 100, 120, 120, 300, 300, 200, 200};
    TFcDBGrid* Grid = Addresses->FcDBGridAdres;
    ASSERT_EQ(Grid->Columns()->Count(), 9);
    for (int I = 0; I < 9; ++I) {
        EXPECT_EQ(Title(Grid, I)->Caption(), Titles[I]);
        EXPECT_EQ(Grid->Columns()->Items(I)->Width(), Widths[I]);
        EXPECT_TRUE(Title(Grid, I)->Font()->Style().Contains(fsBold));
        EXPECT_TRUE(I == 0 ? LooksSorted(Title(Grid, I)) : LooksPlain(Title(Grid, I))) << I;
    }
    EXPECT_EQ(Addresses->SortColumn(), 0);
    EXPECT_TRUE(Addresses->SortAscending());
    TFcGroupItems* Edit = Addresses->FcGroupEdit->Items();
    EXPECT_EQ(Edit->Items(2)->Hint(), "Verwijder het geselecteerde adres");
    EXPECT_EQ(Addresses->FcGroupRapportages->Items()->Items(0)->Caption(), "Bewoners");
    EXPECT_EQ(Addresses->ToonPersonen->Caption(), "Toon Bewoners van het geselecteerde Adres");
    EXPECT_EQ(Addresses->FcGroupSluiten->Items()->Items(0)->Hint(), "Sluit het scherm Beheren Adressen");
    EXPECT_EQ(Addresses->FcGroupBarMenu->SmallImages(), Main->ImageListMain);
    EXPECT_EQ(Addresses->FcGroupBarMenu->ExclusiveMode(), Settings->Allow1Group2BOpen);
    TPopupMenu* Menu = Addresses->PopupMenuBrowse;
    // Ctrl+Enter, Ctrl+Del, Ctrl+F; F3 and F4.
    const auto ItemOfKey = [](TPopupMenu* Menu, TShortCut Key) {
        TMenuItem* Item = Menu->Items()->FindShortCut(Key);
        return Item != nullptr ? Item->Caption() : QString();
    };
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(120)), "Toevoegen Nieuw Adres");
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(16397)), "Wijzigen geselecteerde Adres");
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(16430)), "Verwijderen geselecteerde Adres");
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(16454)), "Zoeken met Indexen");
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(114)), "Verberg Menupaneel");
    EXPECT_EQ(ItemOfKey(Menu, TShortCut(115)), "Toon Menupaneel");
    Addresses->VerbergMenupaneelClick(nullptr);
    EXPECT_FALSE(Addresses->FcGroupBarMenu->Visible());
    Addresses->ToonMenupaneelClick(nullptr);
    EXPECT_TRUE(Addresses->FcGroupBarMenu->Visible());
    Addresses->FcGroupSluitenItems0Click(nullptr);
    EXPECT_FALSE(Addresses->Visible());
    Addresses.reset();

    auto Groups = OpenGroups();
    EXPECT_EQ(Groups->Caption(), "Beheer Groepen");
    ASSERT_EQ(Groups->FcDBGridGroep->Columns()->Count(), 1);
    EXPECT_EQ(Title(Groups->FcDBGridGroep, 0)->Caption(), "Groep naam");
    EXPECT_EQ(Groups->FcDBGridGroep->Columns()->Items(0)->Width(), 600);
    EXPECT_EQ(Groups->FcGroupRapportages->Items()->Items(0)->Hint(), "Toon de deelnemers aan de geselecteerde groep");
    EXPECT_EQ(ItemOfKey(Groups->PopupMenuBrowse, TShortCut(16417)), "Eerste Groep");
    EXPECT_EQ(ItemOfKey(Groups->PopupMenuBrowse, TShortCut(16418)), "Laatste Groep");
}

TEST_F(BrowseFormTest, TitleClicksSortAndGiveTheOldSortColumnItsPlainTitleBack)
{
    auto Form = OpenAddresses();
    TFcDBGrid* Grid = Form->FcDBGridAdres;
    Form->GridTitleClick(Grid->Columns()->Items(3));
    EXPECT_EQ(Data->cdsAdres->IndexName(), "POSTCODE_ASC");
    EXPECT_TRUE(LooksSorted(Title(Grid, 3)));
    EXPECT_TRUE(LooksPlain(Title(Grid, 0)));
    Form->GridTitleClick(Grid->Columns()->Items(3));
    EXPECT_EQ(Data->cdsAdres->IndexName(), "POSTCODE_DESC");
    EXPECT_EQ(Title(Grid, 3)->Caption(), "Postcode  \\/");
    EXPECT_FALSE(Form->SortAscending());
    Form->GridTitleClick(Grid->Columns()->Items(5));
    EXPECT_EQ(Data->cdsAdres->IndexName(), "WOON_PLAATS_ASC");
    EXPECT_EQ(Title(Grid, 3)->Caption(), "Postcode");
    EXPECT_TRUE(LooksPlain(Title(Grid, 3)));
    EXPECT_TRUE(LooksSorted(Title(Grid, 5)));
    EXPECT_EQ(Form->SortColumn(), 5);
    EXPECT_TRUE(Form->SortAscending());
    // The same column again turns the order back.
    Form->GridTitleClick(Grid->Columns()->Items(5));
    Form->GridTitleClick(Grid->Columns()->Items(5));
    EXPECT_EQ(Title(Grid, 5)->Caption(), "Woonplaats");
    EXPECT_EQ(Data->cdsAdres->IndexName(), "WOON_PLAATS_ASC");
    Form.reset();

    auto Groups = OpenGroups();
    TFcDBGrid* GroupGrid = Groups->FcDBGridGroep;
    Groups->GridTitleClick(GroupGrid->Columns()->Items(0));
    EXPECT_EQ(Title(GroupGrid, 0)->Caption(), "Groep naam  \\/");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_DESC");
    EXPECT_TRUE(LooksSorted(Title(GroupGrid, 0)));
    Groups->GridTitleClick(GroupGrid->Columns()->Items(0));
    EXPECT_EQ(Title(GroupGrid, 0)->Caption(), "Groep naam");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    EXPECT_TRUE(LooksSorted(Title(GroupGrid, 0)));
}

// --- searching ----------------------------------------------------------------------

TEST_F(BrowseFormTest, SearchFindsTheNearestOrOnlyAnExactKey)
{
    struct TCase {
        bool Exact;
        QString Typed;
        QString Lands; // street of the current address afterwards
        QString Warning;
    };
    const TCase Cases[] = {
        {false, "Kerk", "Kerkweg", ""},
        {false, "d", "Dorpsstraat", ""},
        // The placeholder itself: '<' sorts before every letter.
        {false, "<Straatnaam>", "Appelhof", ""},
        {true, "kerkweg", "Kerkweg", ""},
        {true, "Kerk", "Zuidlaan", "Zoekargument \"Kerk\" niet gevonden"},
    };
    auto Form = OpenAddresses();
    for (const TCase& C : Cases) {
        Data->cdsAdres->Last();
        Settings->ExactSearch = C.Exact;
        TScriptedInputQueries Queries({C.Typed});
        TScriptedMessageBoxes Warnings{{IDOK}};
        Form->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Queries.Asked().size(), 1u);
        EXPECT_EQ(Queries.Asked()[0].Caption, "Zoeken naar \"Straatnaam\"");
        EXPECT_EQ(Queries.Asked()[0].Prompt, "Straatnaam:");
        EXPECT_EQ(Queries.Asked()[0].Value, "<Straatnaam>");
        EXPECT_EQ(Street(), C.Lands) << C.Typed.toStdString();
        if (C.Warning.isEmpty()) {
            EXPECT_TRUE(Warnings.Asked().empty()) << C.Typed.toStdString();
        } else {
            ASSERT_EQ(Warnings.Asked().size(), 1u);
            EXPECT_EQ(Warnings.Asked()[0].Text, C.Warning);
            EXPECT_EQ(Warnings.Asked()[0].Caption, "Niet gevonden");
            EXPECT_EQ(Warnings.Asked()[0].Flags, unsigned(MB_OK | MB_ICONWARNING));
        }
        EXPECT_EQ(Data->cdsAdres->State(), dsBrowse);
        EXPECT_FALSE(Data->cdsAdres->ControlsDisabled());
    }
}

TEST_F(BrowseFormTest, SearchAsksForTextAgainAndOnADescendingOrderFirstAsks)
{
    auto Form = OpenGroups();
    {
        // An empty answer is refused and asked again with what was typed.
        TScriptedInputQueries Queries({"  ", "werk"});
        TScriptedMessageBoxes Refusals{{IDOK}};
        Form->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Queries.Asked().size(), 2u);
        EXPECT_EQ(Queries.Asked()[0].Caption, "Zoeken naar een groepnaam");
        EXPECT_EQ(Queries.Asked()[0].Prompt, "Groep naam:");
        EXPECT_EQ(Queries.Asked()[0].Value, "<Groep naam>");
        EXPECT_EQ(Queries.Asked()[1].Value, "  ");
        ASSERT_EQ(Refusals.Asked().size(), 1u);
        EXPECT_EQ(Refusals.Asked()[0].Text, "U dient een zoektekst in te voeren!");
        EXPECT_EQ(Refusals.Asked()[0].Caption, "Onvolledige invoer!");
        EXPECT_EQ(Text(Data->cdsGroep, "GROEP_NAAM"), "Werk");
    }
    Form->GridTitleClick(Form->FcDBGridGroep->Columns()->Items(0));
    for (const int Answer : {IDNO, IDCANCEL, IDYES}) {
        TScriptedMessageBoxes Question{{Answer}};
        TScriptedInputQueries Queries({"fam"});
        Data->cdsGroep->First();
        Form->FcGroupZoekenItems0Click(nullptr);
        ASSERT_EQ(Question.Asked().size(), 1u);
        EXPECT_EQ(
            Question.Asked()[0].Text,
            "Om te kunnen zoeken dient de index OPLOPEND te zijn.\r\nWilt u de huidige index nu oplopend sorteren?");
        EXPECT_EQ(Question.Asked()[0].Caption, "Aflopende index");
        EXPECT_EQ(Question.Asked()[0].Flags, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
        if (Answer != IDYES) {
            EXPECT_TRUE(Queries.Asked().empty());
            EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_DESC");
            EXPECT_FALSE(Form->SortAscending());
        } else {
            EXPECT_EQ(Queries.Asked().size(), 1u);
            EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
            EXPECT_EQ(Title(Form->FcDBGridGroep, 0)->Caption(), "Groep naam");
            EXPECT_EQ(Text(Data->cdsGroep, "GROEP_NAAM"), "Familie");
        }
    }
    // Cancel ends the search where it is.
    TScriptedInputQueries Cancelled({std::nullopt});
    Data->cdsGroep->Last();
    Form->FcGroupZoekenItems0Click(nullptr);
    EXPECT_EQ(Text(Data->cdsGroep, "GROEP_NAAM"), "Werk");
}

// --- adding, changing, deleting -------------------------------------------------------

TEST_F(BrowseFormTest, AddAndChangeGoThroughTheRecordFormsAndTheListFollows)
{
    auto Form = OpenAddresses();
    {
        TOnModal<TFormAdres> Script([](TFormAdres* Adres) {
            EXPECT_TRUE(Adres->IsNew);
            TypeInto(Adres->FcDBEditStraatnaam, "Beukenlaan");
            TypeInto(Adres->FcDBEditHuisnummer, "4");
            TypeInto(Adres->FcDBEditWoonplaats, "Ede");
            MouseClick(Adres->FcBitBtnOK, {5, 5});
        });
        Form->FcGroupEditItems0Click(nullptr);
        EXPECT_EQ(Script.Runs(), 1);
    }
    EXPECT_EQ(Street(), "Beukenlaan");
    EXPECT_EQ(Text(Data->cdsAdres, "ID_ADRES"), "6");
    EXPECT_TRUE(Listed(Form.get()).isEmpty());
    {
        // The grid's double click changes the current address.
        TOnModal<TFormAdres> Script([](TFormAdres* Adres) {
            EXPECT_FALSE(Adres->IsNew);
            EXPECT_EQ(Adres->Caption(), "Wijzigen adres \"Beukenlaan 4, Ede\"");
            TypeInto(Adres->FcDBEditHuisnummer, "44");
            MouseClick(Adres->FcBitBtnOK, {5, 5});
        });
        Form->FcDBGridAdres->OnDblClick()(Form->FcDBGridAdres);
        EXPECT_EQ(Script.Runs(), 1);
    }
    // The house number's mask fills the places not typed with blanks.
    EXPECT_EQ(Text(Data->cdsAdres, "HUIS_NUMMER").trimmed(), "44");
    EXPECT_EQ(Data->cdsAdres->State(), dsBrowse);
    Data->cdsAdres->First();
    EXPECT_EQ(Listed(Form.get()), QStringList({"O'Neil & <Co>"}));
}

TEST_F(BrowseFormTest, DeleteAsksFirstAndLeavesTheResidentsTheirKey)
{
    auto Form = OpenAddresses();
    ASSERT_TRUE(Data->cdsAdres->Locate("ID_ADRES", 1));
    for (const int Answer : {IDNO, IDYES}) {
        TScriptedMessageBoxes Question{{Answer}};
        Form->FcGroupEditItems2Click(nullptr);
        ASSERT_EQ(Question.Asked().size(), 1u);
        EXPECT_EQ(Question.Asked()[0].Text, "Wilt u het geselecteerde adres werkelijk verwijderen?");
        EXPECT_EQ(Question.Asked()[0].Caption, "Verwijderen Adres");
        EXPECT_EQ(Question.Asked()[0].Flags, unsigned(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
    EXPECT_EQ(Data->cdsAdres->RecordCount(), 3);
    EXPECT_FALSE(Data->cdsAdres->Locate("ID_ADRES", 1));
    ASSERT_TRUE(Data->cdsQuorvy->Locate("ID_QUORVY", 1));
    EXPECT_EQ(Text(Data->cdsQuorvy, "ID_ADRES"), "1");
    Form.reset();

    // An empty table: nothing to delete or change, nothing asked.
    auto Groups = OpenGroups();
    Data->cdsGroep->EmptyDataSet();
    TScriptedMessageBoxes None;
    TOnModal<TFormGroep> NoForm([](TFormGroep*) { ADD_FAILURE() << "no group to change"; });
    Groups->FcGroupEditItems2Click(nullptr);
    Groups->FcGroupEditItems1Click(nullptr);
    EXPECT_TRUE(None.Asked().empty());
}

// --- residents, participants and their pages -----------------------------------------------

TEST_F(BrowseFormTest, TheListFollowsTheCurrentRecordAndShowsAnEntry)
{
    auto Form = OpenAddresses();
    // By street: Appelhof, Dorpsstraat, Kerkweg, Zuidlaan.
    EXPECT_EQ(Listed(Form.get()), QStringList({"O'Neil & <Co>"}));
    Form->FcGroupNavigateItems2Click(nullptr);
    EXPECT_EQ(Listed(Form.get()), QStringList({"Anna Bakker", "Piet Jansen"}));
    EXPECT_EQ(Form->FcListBoxQuorvy->ItemIndex(), 0);
    Form->FcGroupNavigateItems3Click(nullptr);
    EXPECT_TRUE(Listed(Form.get()).isEmpty());
    Form->FcGroupNavigateItems1Click(nullptr);
    EXPECT_EQ(Listed(Form.get()), QStringList({"De Vries"}));
    TScriptedMessageBoxes Shown{{IDOK}};
    Form->FcListBoxQuorvyDblClick(nullptr);
    ASSERT_EQ(Shown.Asked().size(), 1u);
    EXPECT_EQ(Shown.Asked()[0].Text, "De Vries");
    EXPECT_EQ(Shown.Asked()[0].Caption, "Bewoner van Adres");
    EXPECT_EQ(Shown.Asked()[0].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
    Form->FcGroupNavigateItems0Click(nullptr);
    EXPECT_EQ(Street(), "Appelhof");

    // Closing lets go of the data module.
    Form->Close();
    EXPECT_FALSE(Data->ResidentsListFill);
    EXPECT_FALSE(Data->DataSourceAdres->OnDataChange());
}

TEST_F(BrowseFormTest, ThePersonBeingEditedStaysEditedAndTheListComplete)
{
    TClientDataSet* Persons = Data->cdsQuorvy;
    ASSERT_TRUE(Persons->Locate("ID_QUORVY", 2));
    Persons->Edit();
    Persons->FieldByName("ROEP_NAAM")->SetAsString("Annie");
    auto Form = OpenAddresses();
    Form->FcGroupNavigateItems2Click(nullptr);
    EXPECT_EQ(Listed(Form.get()), QStringList({"Anna Bakker", "Piet Jansen"}));
    EXPECT_EQ(Persons->State(), dsEdit);
    EXPECT_EQ(Text(Persons, "ROEP_NAAM"), "Annie");
}

TEST_F(BrowseFormTest, ThePageEscapesEveryValueAndListsTheResidents)
{
    TShellRecorder Shell;
    auto Form = OpenAddresses();
    ASSERT_TRUE(Data->cdsAdres->Locate("ID_ADRES", 1));
    const QString Page = WritePage(Form.get(), Shell);
    const QString Cell = "<TD VALIGN=\"TOP\" ALIGN=\"CENTER\" WIDTH=\"50%\" COLSPAN=\"2\">";
    EXPECT_TRUE(Page.contains("<TITLE>Quorvy® 2023 - Bewoners van &quot;Dorpsstraat 12, Ede&quot;</TITLE>\r\n"));
    EXPECT_TRUE(Page.contains("<TR>\r\n" + Cell
                              + "<FONT FACE=\"Tahoma\" COLOR=\"#CC3300\" SIZE=\"+2\"><B>Bewoners van &quot;Dorpsstraat "
                                "12, Ede&quot;</B></FONT></TD>\r\n</TR>\r\n<TR>\r\n"
                              + Cell + "&nbsp;</TD>\r\n</TR>\r\n"));
    EXPECT_TRUE(Page.contains("<B>Postcode</B></FONT></TD>\r\n<TD VALIGN=\"TOP\" ALIGN=\"LEFT\" WIDTH=\"50%\"><FONT "
                              "FACE=\"Tahoma\">1234 AB</FONT></TD>\r\n"));
    EXPECT_TRUE(Page.contains("<B>Toevoeging</B></FONT></TD>\r\n<TD VALIGN=\"TOP\" ALIGN=\"LEFT\" WIDTH=\"50%\"><FONT "
                              "FACE=\"Tahoma\">&nbsp;</FONT></TD>\r\n"));
    EXPECT_TRUE(Page.contains("<TEXTAREA NAME=\"OpmerkingenAdres\" ROWS=\"5\" COLS=\"60\" WRAP=\"Physical\" "
                              "READONLY=\"READONLY\">Achterom &lt;b&gt;&amp;&lt;/b&gt; &quot;tuin&quot;</TEXTAREA>"));
    EXPECT_TRUE(Page.contains("<B>Bewoners</B>"));
    EXPECT_TRUE(Page.contains("<B>Naam bewoner #1</B></FONT></TD>\r\n<TD VALIGN=\"TOP\" ALIGN=\"LEFT\" "
                              "WIDTH=\"50%\"><FONT FACE=\"Tahoma\">Anna Bakker</FONT></TD>\r\n"));
    EXPECT_TRUE(Page.contains("<B>Naam bewoner #2</B>"));
    EXPECT_FALSE(Page.contains("Naam bewoner #3"));
    EXPECT_TRUE(Page.endsWith("</TABLE>\r\n</FORM>\r\n</BODY>\r\n</HTML>\r\n"));
    EXPECT_FALSE(Page.contains("<A "));

    // A name with markup in it stays text.
    ASSERT_TRUE(Data->cdsAdres->Locate("ID_ADRES", 3));
    EXPECT_TRUE(WritePage(Form.get(), Shell).contains("\">O'Neil &amp; &lt;Co&gt;</FONT>"));
}

TEST_F(BrowseFormTest, AGroupWithoutParticipantsSaysSo)
{
    TShellRecorder Shell;
    auto Form = OpenGroups();
    Data->cdsGroep->Append();
    Data->cdsGroep->FieldByName("ID_GROEP")->SetAsInteger(9);
    Data->cdsGroep->FieldByName("GROEP_NAAM")->SetAsString("Leeg");
    Data->cdsGroep->Post();
    EXPECT_TRUE(Listed(Form.get()).isEmpty());
    const QString Page = WritePage(Form.get(), Shell);
    EXPECT_TRUE(Page.contains("<TITLE>Quorvy® 2023 - Deelnemers aan &quot;Leeg&quot;</TITLE>"));
    EXPECT_TRUE(Page.contains("<B>Groepgegevens</B>"));
    EXPECT_TRUE(Page.contains("<B>Deelnemers (GEEN)</B>"));
    EXPECT_TRUE(Page.contains("NAME=\"OpmerkingenGroep\""));
    EXPECT_FALSE(Page.contains("Naam deelnemer"));

    ASSERT_TRUE(Data->cdsGroep->Locate("ID_GROEP", 1));
    const QString Familie = WritePage(Form.get(), Shell);
    EXPECT_TRUE(Familie.contains("<B>Deelnemers</B>"));
    EXPECT_TRUE(Familie.contains("READONLY=\"READONLY\">Ooms &amp; tantes</TEXTAREA>"));
    EXPECT_TRUE(Familie.contains("Naam deelnemer #2"));
}

TEST_F(BrowseFormTest, APageThatCannotBeWrittenIsReportedAndNotOpened)
{
    TShellRecorder Shell;
    auto Form = OpenGroups();
    // A temporary folder that cannot be made: a file stands in its way.
    ASSERT_TRUE(WriteRaw(Dir.File("bestand"), "x"));
    ToolBox::SetTempPathSource([this] { return Dir.File("bestand/tmp"); });
    const int TempFiles = Data->TempFiles->Count();
    EXPECT_THROW(Form->FcGroupRapportagesItems0Click(nullptr), EInOutError);
    ToolBox::SetTempPathSource([this] { return Main->SiSysInfoMain->TempPath(); });
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_EQ(Data->TempFiles->Count(), TempFiles);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(BrowseFormTest, OpenedFromANewPersonsFormItHasNoPersonsAndNoPage)
{
    Data->cdsQuorvy->Insert();
    for (const bool Addresses : {true, false}) {
        std::unique_ptr<TBrowseForm, TComponentDeleter> Form;
        if (Addresses)
            Form.reset(OpenAddresses(true).release());
        else
            Form.reset(OpenGroups(true).release());
        EXPECT_FALSE(Form->FcListBoxQuorvy->Visible());
        EXPECT_FALSE(Form->SplitterQuorvy->Visible());
        EXPECT_FALSE(Form->FcGroupRapportages->Visible());
        EXPECT_FALSE(Form->ToonPersonen->Visible());
        EXPECT_FALSE(Form->N3->Visible());
        EXPECT_TRUE(Form->FcGroupZoeken->Visible());
        EXPECT_FALSE(Data->ResidentsListFill);
        EXPECT_FALSE(Data->ParticipantsListFill);
        EXPECT_FALSE(Data->DataSourceAdres->OnDataChange());
    }
    EXPECT_EQ(Data->cdsQuorvy->State(), dsInsert);
}

TEST_F(BrowseFormTest, TheMainWindowOpensTheListsSortedByNameAndPutsTheOrderBack)
{
    Data->cdsAdres->Last();
    QString IndexWhileShown;
    TBrowseForm* Shown = nullptr;
    {
        TOnModal<TFormBrowseAdres> Script([&](TFormBrowseAdres* Form) {
            IndexWhileShown = Data->cdsAdres->IndexName();
            Shown = FormBrowseAdres;
            EXPECT_EQ(Street(), "Appelhof");
            EXPECT_FALSE(Form->FromNewContact);
            EXPECT_EQ(Listed(Form), QStringList({"O'Neil & <Co>"}));
        });
        Main->FcGroupAdressenItems0Click(nullptr);
        EXPECT_EQ(Script.Runs(), 1);
    }
    EXPECT_EQ(IndexWhileShown, "STRAAT_NAAM_ASC");
    EXPECT_NE(Shown, nullptr);
    EXPECT_EQ(FormBrowseAdres, nullptr);
    EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");
    EXPECT_FALSE(Data->ResidentsListFill);

    Data->cdsGroep->SetIndexName("ID_GROEP_ASC");
    {
        TOnModal<TFormBrowseGroep> Script([&](TFormBrowseGroep*) {
            IndexWhileShown = Data->cdsGroep->IndexName();
            Shown = FormBrowseGroep;
        });
        Main->FcGroupGroepenItems0Click(nullptr);
    }
    EXPECT_EQ(IndexWhileShown, "GROEP_NAAM_ASC");
    EXPECT_NE(Shown, nullptr);
    EXPECT_EQ(FormBrowseGroep, nullptr);
    EXPECT_EQ(Data->cdsGroep->IndexName(), "ID_GROEP_ASC");
}
