// The full report window: its presets and column choices, and the report
// it writes in each format, its file and its hand-off to the desktop.
#include "tests/app/ReportFixture.h"

#include "app/qv_rap_f.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/lists/FcChkLst.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcSpinEdit.h"

#include <QFile>

namespace {

using TFullReportPtr = std::unique_ptr<TFormFullReport, TComponentDeleter>;

const QString Blanks(int N)
{
    return QString(N, QLatin1Char(' '));
}

const QString HtmlCell = QStringLiteral("<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">%1</FONT></TD>");

QString HeaderCell(const QString& Header)
{
    return "<TD VALIGN=\"TOP\" BGCOLOR=\"#0000CC\" HEIGHT=\"18\"><FONT COLOR=\"#FFFFCC\" FACE=\"Tahoma\" "
           "SIZE=\"-1\"><B>"
        + Header + "</B></FONT></TD>";
}

} // namespace

class FullReport : public ReportTest {
protected:
    // Jansen lives at an address and is in a group, Bakker has neither and
    // has been inactive since yesterday, Visser stops today.
    void AddFamily()
    {
        Add(Data->cdsAdres,
            {{"ID_ADRES", "1"},
             {"STRAAT_NAAM", "Dorpsstraat"},
             {"HUIS_NUMMER", "12"},
             {"POSTCODE", "1234AB"},
             {"WOON_PLAATS", "Ede"},
             {"TELEFOON_NUMMER_2", "0318-123456"}});
        Add(Data->cdsGroep, {{"ID_GROEP", "1"}, {"GROEP_NAAM", "Vrienden"}});
        AddPerson(1,
                  {{"ACHTER_NAAM", "Jansen"},
                   {"ROEP_NAAM", "piet"},
                   {"GENDER", "M"},
                   {"MOBIEL", "06-11111111"},
                   {"ID_ADRES", "1"},
                   {"ID_GROEP", "1"}});
        AddPerson(
            2, {{"ACHTER_NAAM", "Bakker"}, {"TELEFOON_NUMMER_WERK", "030-2222222"}, {"DATUM_INACTIEF", "16/05/2024"}});
        AddPerson(3, {{"ACHTER_NAAM", "Visser"}, {"DATUM_INACTIEF", "17/05/2024"}, {"ID_ADRES", "7"}});
        Data->cdsQuorvy->First();
    }
    TFullReportPtr NewWindow() { return TFullReportPtr(CreateComponent<TFormFullReport>(nullptr)); }
    static void Choose(TFormFullReport* Form, std::vector<int> Items, int Format)
    {
        Form->SpeedButtonSelectNoneClick(nullptr);
        for (int Item : Items)
            Form->FcCheckListBeschikbareVelden->SetItemChecked(Item, true);
        Form->FcComboBoxResult->SetItemIndex(Format);
        Form->FcComboBoxResultChange(nullptr);
    }
    // The report of these columns in this format, by the window's Print.
    QString Report(std::vector<int> Items, int Format, const QString& Title = "Lijst")
    {
        TFullReportPtr Form = NewWindow();
        Choose(Form.get(), std::move(Items), Format);
        Form->FcEditTitel->SetText(Title);
        return Form->RunReport();
    }

    TShellRecorder Shell;
};

// --- the window ---------------------------------------------------------------------

TEST_F(FullReport, EachPresetSetsItsTitleWidthAndExactlyItsColumns)
{
    struct TCase {
        QString Title;
        int Width;
        std::vector<int> Items;
    };
    std::vector<int> All;
    for (int Item = 0; Item < ReportColumnCount; ++Item)
        if (Item != ReportHeadingItem)
            All.push_back(Item);
    const std::vector<TCase> Cases = {
        {"Volledige Rapportage", 500, All},
        {"Simpele NAW Lijst", 100, {0, 4, 5, 19, 20, 21, 24}},
        {"Simpele NAWPT Lijst", 100, {0, 4, 5, 19, 20, 21, 22, 24, 32}},
        {"Samengevoegde NAWT Lijst", 100, {30, 31, 32}},
        {"Telefoonlijst", 100, {0, 4, 5, 10, 26, 27}},
    };
    TFullReportPtr Form = NewWindow();
    EXPECT_EQ(Form->Caption(), "Volledige Rapportage");
    EXPECT_EQ(Form->FcComboBoxResult->ItemIndex(), 0);
    EXPECT_EQ(Form->FcCheckListBeschikbareVelden->ItemIndex(), 0);
    EXPECT_EQ(Form->ActiveControl(), Form->FcCheckListBeschikbareVelden);
    EXPECT_TRUE(Form->FcCheckBoxClose->Checked());
    ASSERT_EQ(Form->FcCheckListBeschikbareVelden->Items()->Count(), ReportColumnCount);
    for (int Entry = int(Cases.size()) - 1; Entry >= 0; --Entry) {
        // From the last entry back to the first, which the window opens with.
        Form->SpeedButtonSelectNoneClick(nullptr);
        Form->FcComboBoxPredefined->SetItemIndex(Entry);
        Form->FcComboBoxPredefinedChange(nullptr);
        const TCase& C = Cases[std::size_t(Entry)];
        EXPECT_EQ(Form->FcEditTitel->Text(), C.Title);
        EXPECT_EQ(Form->FcSpinEditHTMLTableWidth->IntValue(), C.Width) << C.Title.toStdString();
        EXPECT_EQ(Form->CheckedItems(), C.Items) << C.Title.toStdString();
    }
    EXPECT_EQ(Form->FcCheckListBeschikbareVelden->Items()->Strings(ReportHeadingItem), "SAMENGEVOEGDE VELDEN");
    EXPECT_FALSE(Form->FcCheckListBeschikbareVelden->ItemEnabled(ReportHeadingItem));
    EXPECT_FALSE(Form->FcCheckListBeschikbareVelden->ItemChecked(ReportHeadingItem));
}

TEST_F(FullReport, SelectAllNeverChecksTheMergedFieldsHeading)
{
    TFullReportPtr Form = NewWindow();
    Form->SpeedButtonSelectNoneClick(nullptr);
    EXPECT_TRUE(Form->CheckedItems().empty());
    Form->SpeedButtonSelectAllClick(nullptr);
    EXPECT_EQ(Form->CheckedItems().size(), std::size_t(ReportColumnCount - 1));
    EXPECT_FALSE(Form->FcCheckListBeschikbareVelden->ItemChecked(ReportHeadingItem));
    // Not even a click on it checks it.
    Form->FcCheckListBeschikbareVelden->SetItemIndex(ReportHeadingItem);
    Form->FcCheckListBeschikbareVelden->ToggleItemState();
    EXPECT_FALSE(Form->FcCheckListBeschikbareVelden->ItemChecked(ReportHeadingItem));
}

TEST_F(FullReport, TextFormatsGreyTitleAndWidthButKeepThemForTheNextPage)
{
    TFullReportPtr Form = NewWindow();
    Form->FcEditTitel->SetText("Mijn lijst");
    for (int Format : {1, 2}) {
        Form->FcComboBoxResult->SetItemIndex(Format);
        Form->FcComboBoxResultChange(nullptr);
        EXPECT_FALSE(Form->FcGroupBoxTitel->Enabled());
        EXPECT_FALSE(Form->FcGroupBoxBreedte->Enabled());
        EXPECT_TRUE(Form->FcGroupBoxPredefined->Enabled());
    }
    Form->FcComboBoxResult->SetItemIndex(0);
    Form->FcComboBoxResultChange(nullptr);
    EXPECT_TRUE(Form->FcGroupBoxTitel->Enabled());
    EXPECT_TRUE(Form->FcGroupBoxBreedte->Enabled());
    EXPECT_EQ(Form->FcEditTitel->Text(), "Mijn lijst");
    EXPECT_EQ(Form->FcSpinEditHTMLTableWidth->IntValue(), 500);
}

TEST_F(FullReport, AGroupFilterNamesItsGroupInEveryPresetTitle)
{
    Data->ActiveFilterName = "Vrienden & Co";
    TFullReportPtr Form = NewWindow();
    EXPECT_EQ(Form->FcEditTitel->Text(), "Volledige Rapportage (Filter: \"Groepnaam = Vrienden & Co\")");
    Form->FcComboBoxPredefined->SetItemIndex(4);
    Form->FcComboBoxPredefinedChange(nullptr);
    EXPECT_EQ(Form->FcEditTitel->Text(), "Telefoonlijst (Filter: \"Groepnaam = Vrienden & Co\")");
    Data->ActiveFilterName = "  ";
    Form->FcComboBoxPredefinedChange(nullptr);
    EXPECT_EQ(Form->FcEditTitel->Text(), "Telefoonlijst");
}

// --- the report in each format ----------------------------------------------------------

// Achternaam, Gender, Postcode, Groep Naam and the three merged columns.
const std::vector<int> Mixed = {0, 7, 22, 28, 30, 31, 32};

TEST_F(FullReport, TheHtmlPageListsTheActivePersonsWithEscapedValues)
{
    AddFamily();
    const QString Next = ReportName(NextReportNumber(), "html");
    const QString File = Report(Mixed, 0, "Familie <alle> & \"co\"");
    EXPECT_EQ(File, Next);
    QStringList Expected = {"<HTML>",
                            "<HEAD>",
                            "<TITLE>Quorvy® 2023 - Familie &lt;alle&gt; &amp; &quot;co&quot;</TITLE>",
                            "</HEAD>",
                            "<BODY BGCOLOR=\"#FFFFCC\" TEXT=\"#000099\">",
                            "<TABLE WIDTH=\"500%\" BORDER=\"1\">",
                            "<TR>"};
    for (const char* Header : {"Achternaam", "Gender", "Postcode", "Groep Naam", "Naam", "Adres", "Telefonnummer"})
        Expected << HeaderCell(Header);
    Expected << "</TR>";
    // Bakker left yesterday; Visser, whose address is missing, leaves today.
    Expected << "<TR>";
    for (const char* Value :
         {"Jansen", "M", "1234 AB", "Vrienden", "Piet Jansen", "Dorpsstraat 12, Ede", "0318-123456"})
        Expected << HtmlCell.arg(Value);
    Expected << "</TR>"
             << "<TR>";
    for (const char* Value : {"Visser", "V", "&nbsp;", "&nbsp;", "Visser", "&nbsp;", "&nbsp;"})
        Expected << HtmlCell.arg(Value);
    Expected << "</TR>"
             << "</TABLE>"
             << "</BODY>"
             << "</HTML>";
    EXPECT_EQ(LinesOf(File, true), Expected);
}

TEST_F(FullReport, TheFixedWidthFileListsEveryonePaddedToTheColumnWidths)
{
    AddFamily();
    const QString Next = ReportName(NextReportNumber(), "txt");
    const QString File = Report(Mixed, 1);
    EXPECT_EQ(File, Next);
    const QStringList Lines = LinesOf(File, false);
    ASSERT_EQ(Lines.size(), 3);
    // A six-letter name gets 44 blanks, a one-letter gender none; without
    // an address the postcode is seven blanks and the merged phone is the
    // person's own.
    EXPECT_EQ(Lines[0],
              "Bakker" + Blanks(44) + "V" + Blanks(7) + Blanks(50) + "Bakker" + Blanks(64) + Blanks(70) + "030-2222222"
                  + Blanks(9));
    EXPECT_EQ(Lines[1],
              "Jansen" + Blanks(44) + "M" + "1234 AB" + "Vrienden" + Blanks(42) + "Piet Jansen" + Blanks(59)
                  + "Dorpsstraat 12, Ede" + Blanks(51) + "0318-123456" + Blanks(9));
    EXPECT_EQ(Lines[2],
              "Visser" + Blanks(44) + "V" + Blanks(7) + Blanks(50) + "Visser" + Blanks(64) + Blanks(70) + Blanks(20));
}

TEST_F(FullReport, TheCommaSeparatedFileQuotesEveryValue)
{
    AddFamily();
    EXPECT_EQ(LinesOf(Report(Mixed, 2), false),
              QStringList({R"("Bakker","V","","","Bakker","","030-2222222")",
                           R"("Jansen","M","1234 AB","Vrienden","Piet Jansen","Dorpsstraat 12, Ede","0318-123456")",
                           R"("Visser","V","","","Visser","","")"}));
}

TEST_F(FullReport, CommaSeparatedValuesWithQuotesCommasAndLineBreaksReadBackAsWritten)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}});
    AddPerson(2, {{"ACHTER_NAAM", "Smit, \"de\" Jong"}, {"ROEP_NAAM", "Jan\r\nPiet"}});
    const QString File = Report({0, 4}, 2);
    EXPECT_EQ(ReadRaw(File),
              QByteArray("\"Jansen\",\"\"\r\n"
                         "\"Smit, \"\"de\"\" Jong\",\"Jan\r\nPiet\"\r\n"));
}

TEST_F(FullReport, NothingAPersonHoldsBecomesMarkupOrALink)
{
    AddPerson(1,
              {{"ACHTER_NAAM", "<script>x()</script>"},
               {"WEBSITE", "javascript:alert(1)"},
               {"EMAIL_ADRES_1", "\"><a href=x>"},
               {"OPMERKINGEN", "<script>alert(1)</script>"}});
    const QStringList Lines = LinesOf(Report({0, 12, 16}, 0), true);
    const QString Page = Lines.join('\n');
    EXPECT_FALSE(Page.contains("<script", Qt::CaseInsensitive)) << Page.toStdString();
    EXPECT_FALSE(Page.contains("<a ", Qt::CaseInsensitive)) << Page.toStdString();
    EXPECT_TRUE(Lines.contains(HtmlCell.arg("&lt;script&gt;x()&lt;/script&gt;")));
    EXPECT_TRUE(Lines.contains(HtmlCell.arg("&quot;&gt;&lt;a href=x&gt;")));
    EXPECT_TRUE(Lines.contains(HtmlCell.arg("javascript:alert(1)")));
}

TEST_F(FullReport, ABlankTitleGivesTheProgramsTitle)
{
    AddPerson(1, {{"ACHTER_NAAM", "Jansen"}});
    EXPECT_EQ(LinesOf(Report({0}, 0, "   "), true).at(2), "<TITLE>Quorvy® 2023</TITLE>");
}

TEST_F(FullReport, TextReportsAreUtf8)
{
    AddPerson(1, {{"ACHTER_NAAM", "Øster-Łukasz"}, {"ROEP_NAAM", "Zoë"}});
    EXPECT_EQ(LinesOf(Report({0, 4}, 2), false), QStringList({"\"Øster-Łukasz\",\"Zoë\""}));
    EXPECT_EQ(LinesOf(Report({4}, 1), false), QStringList({"Zoë" + Blanks(22)}));
}

TEST_F(FullReport, ColumnsCountCharactersAsTheTextHoldsThem)
{
    // A character outside the basic plane takes two of a column's width, as
    // it does in a String; a postcode of other letters is split after four.
    Add(Data->cdsAdres, {{"ID_ADRES", "1"}, {"POSTCODE", "1234ÅB"}});
    AddPerson(1, {{"ACHTER_NAAM", "Zoë\U0001F600"}, {"ID_ADRES", "1"}});
    EXPECT_EQ(LinesOf(Report({0, 22}, 1), false), QStringList({"Zoë\U0001F600" + Blanks(45) + "1234 ÅB"}));
    EXPECT_EQ(LinesOf(Report({0, 22}, 0), true).mid(11, 2),
              QStringList({HtmlCell.arg("Zoë\U0001F600"), HtmlCell.arg("1234 ÅB")}));
}

// --- the run --------------------------------------------------------------------------

TEST_F(FullReport, ARunHandsTheFileToTheDesktopAndClosesTheWindowWhenAsked)
{
    AddFamily();
    TFullReportPtr Form = NewWindow();
    Form->FcCheckBoxClose->SetChecked(false);
    Form->Show();
    const int Number = NextReportNumber();
    const QString First = ReportName(Number, "html");
    Form->FcBitBtnRunClick(nullptr);
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl::fromLocalFile(First));
    EXPECT_EQ(Data->TempFiles->ToStringList(), QStringList({First}));
    EXPECT_TRUE(Form->Visible());

    Form->FcCheckBoxClose->SetChecked(true);
    Form->FcBitBtnRunClick(nullptr);
    ASSERT_EQ(Shell.Opened().size(), 2u);
    EXPECT_EQ(Shell.Opened()[1], QUrl::fromLocalFile(ReportName(Number + 1, "html")));
    EXPECT_FALSE(Form->Visible());
}

TEST_F(FullReport, ARunAfterTheGridReachedItsEndStillListsEveryoneAndGoesBackThere)
{
    AddFamily();
    Data->cdsQuorvy->SetIndexName("ACHTER_NAAM_DESC");
    Data->cdsQuorvy->Last();
    Data->cdsQuorvy->Next();
    ASSERT_TRUE(Data->cdsQuorvy->Eof());
    const TBookmark Mark = Data->cdsQuorvy->GetBookmark();
    const QStringList Lines = LinesOf(Report({0}, 2), false);
    EXPECT_EQ(Lines, QStringList({"\"Visser\"", "\"Jansen\"", "\"Bakker\""}));
    EXPECT_EQ(Data->cdsQuorvy->IndexName(), "ACHTER_NAAM_DESC");
    EXPECT_EQ(Data->cdsQuorvy->GetBookmark(), Mark);
    EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
}

TEST_F(FullReport, AnEmptyContactFileGivesNoReport)
{
    TFullReportPtr Form = NewWindow();
    EXPECT_EQ(Form->RunReport(), "");
    Data->CloseFiles();
    EXPECT_EQ(Form->RunReport(), "");
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_TRUE(ReportFiles().isEmpty());
}

TEST_F(FullReport, AnotherCopysReportsAreNeitherReplacedNorFollowed)
{
    AddFamily();
    const int Number = NextReportNumber();
    const QString Other = ReportName(Number, "html"), Link = ReportName(Number + 1, "html");
    ASSERT_TRUE(WriteRaw(Other, "van een ander"));
    ASSERT_TRUE(QFile::link(Dir.File("elders.html"), Link));
    const QString File = Report({0}, 0);
    EXPECT_EQ(File, ReportName(Number + 2, "html"));
    EXPECT_EQ(ReadRaw(Other), "van een ander");
    EXPECT_FALSE(QFile::exists(Dir.File("elders.html")));
    EXPECT_EQ(Data->TempFiles->ToStringList(), QStringList({File}));
    // At exit only our own report goes.
    Data->DeleteTempFiles();
    EXPECT_EQ(ReportFiles(), QStringList({Other, Link}));
}

TEST_F(FullReport, AFailedRunLeavesNoFileAndPutsTheGridBack)
{
    AddFamily();
    Data->cdsQuorvy->SetIndexName("ROEP_NAAM_ASC");
    Data->cdsQuorvy->First();
    Data->cdsQuorvy->Next();
    const TBookmark Mark = Data->cdsQuorvy->GetBookmark();
    TFullReportPtr Form = NewWindow();
    Choose(Form.get(), Mixed, 1);
    {
        TFileSizeLimit DiskFull(100);
        EXPECT_THROW(Form->FcBitBtnRunClick(nullptr), EInOutError);
    }
    EXPECT_TRUE(ReportFiles().isEmpty());
    EXPECT_EQ(Data->TempFiles->Count(), 0);
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_EQ(Data->cdsQuorvy->IndexName(), "ROEP_NAAM_ASC");
    EXPECT_EQ(Data->cdsQuorvy->GetBookmark(), Mark);
    EXPECT_FALSE(Data->cdsQuorvy->ControlsDisabled());
    EXPECT_FALSE(Data->cdsAdres->ControlsDisabled());
    EXPECT_EQ(Data->cdsAdres->IndexName(), "ID_ADRES_ASC");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(FullReport, AGroupFilterLimitsTheRows)
{
    AddFamily();
    Data->cdsQuorvy->SetFilter("ID_GROEP = '1'");
    Data->cdsQuorvy->SetFiltered(true);
    EXPECT_EQ(LinesOf(Report({0}, 2), false), QStringList({"\"Jansen\""}));
}

// --- from the main window -----------------------------------------------------------------

TEST_F(FullReport, TheGroupBarItemAndItsMenuTwinOpenTheWindowWhileAFileIsOpen)
{
    AddFamily();
    for (const char* Twin : {"FcGroupRapportages", "VolledigeRapportage"}) {
        TWhileModal Modal([](TCustomForm* Form) {
            auto* Report = dynamic_cast<TFormFullReport*>(Form);
            ASSERT_NE(Report, nullptr);
            Report->FcBitBtnRunClick(nullptr);
        });
        if (QString(Twin) == "VolledigeRapportage")
            dynamic_cast<TMenuItem*>(Main->FindComponent(Twin))->Click();
        else
            Main->FcGroupRapportagesItems0Click(nullptr);
        EXPECT_EQ(Modal.Shown(), "TFormFullReport") << Twin;
    }
    EXPECT_EQ(Shell.Opened().size(), 2u);
    Data->CloseFiles();
    TWhileModal None([](TCustomForm*) {});
    Main->FcGroupRapportagesItems0Click(nullptr);
    EXPECT_EQ(None.Shown(), "");
}
