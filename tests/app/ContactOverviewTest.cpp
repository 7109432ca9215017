// The contact overview: the page of one person with the address and group,
// its links and escaping, the report file and its hand-off to the browser.
#include "tests/app/PersonFormFixture.h"

#include "app/qv_overz.h"
#include "app/qv_toolb.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString Value = R"(<TD VALIGN="TOP" ALIGN="LEFT" WIDTH="50%"><FONT FACE="Tahoma">)";
const QString Spacer = R"(<TD VALIGN="TOP" ALIGN="CENTER" WIDTH="50%" COLSPAN="2">&nbsp;</TD>)";
const QString TallSpacer = R"(<TD VALIGN="TOP" ALIGN="CENTER" WIDTH="50%" HEIGHT="21" COLSPAN="2">&nbsp;</TD>)";

QStringList Row(const QString& Cell)
{
    return {"<TR>", Cell, "</TR>"};
}

QStringList Row(const QString& Label, const QString& ValueCell)
{
    return {"<TR>",
            R"(<TD VALIGN="TOP" ALIGN="RIGHT" WIDTH="50%"><FONT FACE="Tahoma"><B>)" + Label + "</B></FONT></TD>",
            ValueCell, "</TR>"};
}

QStringList Field(const QString& Label, const QString& Text)
{
    return Row(Label, Value + (Text.isEmpty() ? QString("&nbsp;") : Text) + "</FONT></TD>");
}

QStringList Heading(const QString& Text)
{
    return Row(
        R"(<TD VALIGN="TOP" ALIGN="CENTER" WIDTH="50%" COLSPAN="2"><FONT FACE="Tahoma" COLOR="#6666CC" SIZE="+1"><B>)"
        + Text + "</B></FONT></TD>");
}

QStringList Remarks(const QString& Name, const QString& Text)
{
    return Row(TallSpacer)
        + Row(R"(<TD VALIGN="TOP" ALIGN="CENTER" WIDTH="50%" COLSPAN="2"><TEXTAREA NAME=")" + Name
              + R"(" ROWS="5" COLS="60" WRAP="Physical" READONLY="READONLY">)" + Text + "</TEXTAREA></TD>")
        + Row(Spacer);
}

// The value cell of a row, found by its label.
QString CellOf(const QStringList& Page, const QString& Label)
{
    for (int I = 0; I + 1 < Page.size(); ++I)
        if (Page[I].contains("<B>" + Label + "</B>"))
            return Page[I + 1];
    return QString();
}

class ContactOverviewTest : public PersonFormTest {
protected:
    // Piet Jansen, at Dorpsstraat 12 in Ede and in the first "Familie".
    void ChoosePiet()
    {
        GoToPerson("jansen");
        SetPerson({{"AANHEF", "Mijnheer"},
                   {"VOOR_LETTERS", "P."},
                   {"GEBOORTE_DATUM", "03/04/1980"},
                   {"TELEFOON_NUMMER_WERK", "010-1234567"},
                   {"MOBIEL", "06-12345678"},
                   {"EMAIL_ADRES_1", "piet@example.nl"},
                   {"SKYPE_ID", "piet.jansen"},
                   {"WEBSITE", "www.example.nl"},
                   {"DATUM_ACTIEF", "01/01/2020"},
                   {"OPMERKINGEN", "Buurman"}});
        Data->cdsAdres->SetIndexName("ID_ADRES_ASC");
        Data->cdsGroep->SetIndexName("ID_GROEP_ASC");
    }
};

} // namespace

TEST_F(ContactOverviewTest, APersonWithAddressAndGroupGetsTheWholePage)
{
    ChoosePiet();
    const QString Name = "Piet Jansen";
    QStringList Expected = {"<HTML>", "<HEAD>", "<TITLE>Quorvy® 2023 - Overzicht van " + Name + "</TITLE>", "</HEAD>",
                            "<BODY>", "<FORM>", R"(<TABLE WIDTH="100%" BGCOLOR="#FFFFCC" BORDER="1">)"};
    Expected << Row(
        R"(<TD VALIGN="TOP" ALIGN="CENTER" WIDTH="50%" COLSPAN="2"><FONT FACE="Tahoma" COLOR="#CC3300" SIZE="+2"><B>Overzicht van )"
        + Name + "</B></FONT></TD>")
             << Row(Spacer) << Heading("Personalia") << Field("Achternaam", "jansen") << Field("Tussenvoegsel", "")
             << Field("Roepnaam", "piet") << Field("Voorletters", "P.") << Field("Aanhef", "Mijnheer")
             << Field("Voorvoegsel", "") << Field("Achtervoegsel", "") << Field("Gender", "Vrouw")
             << Field("Geboortedatum", "03/04/1980") << Field("Nationaliteit", "Nederlandse")
             << Field("Telefoonnummer Werk", "010-1234567") << Field("Mobiel", "06-12345678")
             << Row("Emailadres #1",
                    Value + R"(<A HREF="mailto:piet@example.nl" TITLE="Stuur een email naar )" + Name
                        + R"(">piet@example.nl</A></FONT></TD>)")
             << Field("Emailadres #2", "") << Field("Skype ID", "piet.jansen") << Field("MSN ID", "")
             << Row("Website",
                    Value + R"(<A HREF="http://www.example.nl" TITLE="Start de website van )" + Name
                        + R"(" TARGET="_blank">www.example.nl</A></FONT></TD>)")
             << Field("Datum Actief", "01/01/2020") << Field("Datum Inactief", "")
             << Remarks("OpmerkingenPersoon", "Buurman") << Heading("Adresgegevens")
             << Field("Straatnaam", "Dorpsstraat") << Field("Huisnummer", "12    ") << Field("Toevoeging", "")
             << Field("Postcode", "1234 AB") << Field("ZIP Code", "") << Field("Woonplaats", "Ede")
             << Field("Land", "Nederland") << Field("Telefoonnummer #1", "") << Field("Telefoonnummer #2", "")
             << Remarks("OpmerkingenAdres", "Achterom &lt;b&gt;&amp;&lt;/b&gt; &quot;tuin&quot;")
             << Heading("Groepgegevens") << Field("Groep naam", "Familie")
             << Remarks("OpmerkingenGroep", "Ooms &amp; tantes") << "</TABLE>"
             << "</FORM>"
             << "</BODY>"
             << "</HTML>";
    // The house number shows as its edit mask shows it.
    const QStringList Page = ContactOverview::PageLines();
    EXPECT_EQ(Page.join('\n').toStdString(), Expected.join('\n').toStdString());
    // The records found stay current.
    EXPECT_EQ(Data->cdsAdres->FieldByName("ID_ADRES")->AsInteger(), 1);
    EXPECT_EQ(Data->cdsGroep->FieldByName("ID_GROEP")->AsInteger(), 1);
}

TEST_F(ContactOverviewTest, WithoutAResolvingAddressOrGroupTheirSectionsAreLeftOut)
{
    ChoosePiet();
    for (const auto& [Adres, Groep] : std::vector<std::pair<QString, QString>>{{"-1", "-1"}, {"99", "98"}, {"", ""}}) {
        SetPerson({{"ID_ADRES", Adres}, {"ID_GROEP", Groep}});
        const QString Page = ContactOverview::PageLines().join('\n');
        EXPECT_FALSE(Page.contains("Adresgegevens")) << Adres.toStdString();
        EXPECT_FALSE(Page.contains("Groepgegevens")) << Groep.toStdString();
        EXPECT_TRUE(Page.endsWith(Remarks("OpmerkingenPersoon", "Buurman").join('\n')
                                  + "\n</TABLE>\n</FORM>\n</BODY>\n</HTML>"));
    }
    // An address without a group, and the other way round.
    SetPerson({{"ID_ADRES", "2"}, {"ID_GROEP", "-1"}});
    QStringList Page = ContactOverview::PageLines();
    EXPECT_EQ(CellOf(Page, "Woonplaats"), Value + "Arnhem</FONT></TD>");
    EXPECT_FALSE(Page.join('\n').contains("Groepgegevens"));
    SetPerson({{"ID_ADRES", "-1"}, {"ID_GROEP", "2"}});
    Page = ContactOverview::PageLines();
    EXPECT_FALSE(Page.join('\n').contains("Adresgegevens"));
    EXPECT_EQ(CellOf(Page, "Groep naam"), Value + "Werk</FONT></TD>");
}

TEST_F(ContactOverviewTest, PostcodesAndGenders)
{
    ChoosePiet();
    struct TCase {
        QString Postcode, Shown;
    };
    for (const TCase& C : std::vector<TCase>{{"1234AB", "1234 AB"}, {"", "&nbsp;"}, {"12", "12 "}}) {
        Data->cdsAdres->FindKey({Variant(1)});
        Data->cdsAdres->Edit();
        Data->cdsAdres->FieldByName("POSTCODE")->SetAsString(C.Postcode);
        Data->cdsAdres->Post();
        EXPECT_EQ(CellOf(ContactOverview::PageLines(), "Postcode"), Value + C.Shown + "</FONT></TD>")
            << C.Postcode.toStdString();
    }
    for (const auto& [Gender, Shown] :
         std::vector<std::pair<QString, QString>>{{"V", "Vrouw"}, {"v", "Vrouw"}, {"M", "Man"}, {"", "Man"}}) {
        SetPerson({{"GENDER", Gender}});
        EXPECT_EQ(CellOf(ContactOverview::PageLines(), "Gender"), Value + Shown + "</FONT></TD>");
    }
}

TEST_F(ContactOverviewTest, WebSitesAreLinkedOnlyAsWebAddresses)
{
    struct TCase {
        QString Site, Target; // empty Target: shown as text
    };
    const std::vector<TCase> Cases = {
        {"www.example.nl", "http://www.example.nl"},
        {"WWW.EXAMPLE.NL", "http://WWW.EXAMPLE.NL"},
        {"example.nl/pad?a=1&b=2", "http://example.nl/pad?a=1&b=2"},
        {"http://example.nl", "http://example.nl"},
        {"HTTP://EXAMPLE.NL", "HTTP://EXAMPLE.NL"},
        // A secure site keeps its scheme: "http://https://..." leads nowhere.
        {"https://example.nl", "https://example.nl"},
        {"HTTPS://Example.nl", "HTTPS://Example.nl"},
        {"www.example.nl:8080/x", "http://www.example.nl:8080/x"},
        {"  www.example.nl ", "http://www.example.nl"},
        {"javascript:alert(1)", ""},
        {"file:///etc/passwd", ""},
        {"ftp://example.nl", ""},
        {"mailto:anna@example.nl", ""},
        {"mijn site", ""},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(ContactOverview::WebSiteTarget(C.Site), C.Target) << C.Site.toStdString();
    EXPECT_EQ(ContactOverview::WebSiteTarget("   "), "");

    ChoosePiet();
    SetPerson({{"WEBSITE", "example.nl/?a=1&b=\"2\""}});
    EXPECT_EQ(
        CellOf(ContactOverview::PageLines(), "Website"),
        Value
            + R"(<A HREF="http://example.nl/?a=1&amp;b=&quot;2&quot;" TITLE="Start de website van Piet Jansen" TARGET="_blank">example.nl/?a=1&amp;b=&quot;2&quot;</A></FONT></TD>)");
    SetPerson({{"WEBSITE", "javascript:alert('x')"}});
    EXPECT_EQ(CellOf(ContactOverview::PageLines(), "Website"), Value + "javascript:alert('x')</FONT></TD>");
    SetPerson({{"WEBSITE", "  "}});
    EXPECT_EQ(CellOf(ContactOverview::PageLines(), "Website"), Value + "&nbsp;</FONT></TD>");
}

TEST_F(ContactOverviewTest, MailLinksCarryTheAddressOnly)
{
    const std::vector<std::pair<QString, QString>> Cases = {
        {"anna@example.nl", "mailto:anna@example.nl"},
        {" anna@example.nl ", "mailto:anna@example.nl"},
        {"MAILTO:anna@example.nl", "mailto:anna@example.nl"},
        {"anna@example.nl?cc=iedereen@example.nl&body=x", "mailto:anna@example.nl"},
        {"anna+post@example.nl", "mailto:anna+post@example.nl"},
        {"an%na&co@example.nl", "mailto:an%25na%26co@example.nl"},
        {"geen adres", ""},
        {"www.example.nl", ""},
        {"", ""},
    };
    for (const auto& [Field, Target] : Cases)
        EXPECT_EQ(ContactOverview::MailTarget(Field), Target) << Field.toStdString();

    ChoosePiet();
    SetPerson({{"EMAIL_ADRES_1", "piet@example.nl?subject=<b>"}, {"EMAIL_ADRES_2", "<geen>"}});
    const QStringList Page = ContactOverview::PageLines();
    EXPECT_EQ(
        CellOf(Page, "Emailadres #1"),
        Value
            + R"(<A HREF="mailto:piet@example.nl" TITLE="Stuur een email naar Piet Jansen">piet@example.nl?subject=&lt;b&gt;</A></FONT></TD>)");
    EXPECT_EQ(CellOf(Page, "Emailadres #2"), Value + "&lt;geen&gt;</FONT></TD>");
}

TEST_F(ContactOverviewTest, EveryValueIsEscapedAndRemarksStayInTheirTextArea)
{
    ChoosePiet();
    SetPerson({{"ACHTER_NAAM", "<script>x</script>"},
               {"ROEP_NAAM", "Jan & \"Piet\""},
               {"OPMERKINGEN", "Let op: </TEXTAREA><B>vet</B> & meer"}});
    Data->cdsGroep->FindKey({Variant(1)});
    Data->cdsGroep->Edit();
    Data->cdsGroep->FieldByName("GROEP_NAAM")->SetAsString("A > B");
    Data->cdsGroep->FieldByName("GROEP_TEXT")->SetAsString("</textarea>");
    Data->cdsGroep->Post();
    const QStringList Page = ContactOverview::PageLines();
    const QString Name = "Jan &amp; &quot;Piet&quot; &lt;script&gt;x&lt;/script&gt;";
    EXPECT_EQ(Page[2], "<TITLE>Quorvy® 2023 - Overzicht van " + Name + "</TITLE>");
    EXPECT_TRUE(Page[8].contains("<B>Overzicht van " + Name + "</B>"));
    EXPECT_EQ(CellOf(Page, "Achternaam"), Value + "&lt;script&gt;x&lt;/script&gt;</FONT></TD>");
    EXPECT_TRUE(CellOf(Page, "Emailadres #1").contains(R"(TITLE="Stuur een email naar )" + Name + "\""));
    const QString Joined = Page.join('\n');
    EXPECT_TRUE(
        Joined.contains("READONLY=\"READONLY\">Let op: &lt;/TEXTAREA&gt;&lt;B&gt;vet&lt;/B&gt; &amp; meer</TEXTAREA>"));
    EXPECT_TRUE(Joined.contains("READONLY=\"READONLY\">&lt;/textarea&gt;</TEXTAREA>"));
    EXPECT_EQ(CellOf(Page, "Groep naam"), Value + "A &gt; B</FONT></TD>");
    // Outside the markup the page holds no '<' a value brought in.
    EXPECT_EQ(Joined.count("<TEXTAREA"), 3);
    EXPECT_EQ(Joined.count("</TEXTAREA>"), 3);
    EXPECT_FALSE(Joined.contains("<script>"));
}

TEST_F(ContactOverviewTest, IndividueelWritesANewReportFileAndHandsItToTheBrowser)
{
    ChoosePiet();
    const QString Expected = ContactOverview::PageLines().join("\r\n") + "\r\n";
    Data->cdsAdres->SetIndexName("STRAAT_NAAM_ASC");
    Data->cdsGroep->SetIndexName("GROEP_NAAM_ASC");
    TShellRecorder Shell;
    Main->FcGroupRapportagesItems1Click(nullptr);
    ASSERT_EQ(Data->TempFiles->Count(), 1);
    const QString Report = Data->TempFiles->Strings(0);
    EXPECT_TRUE(QRegularExpression("^" + QRegularExpression::escape(Dir.File("tmp/quorvy$")) + "\\d+\\.html$")
                    .match(Report)
                    .hasMatch())
        << Report.toStdString();
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl::fromLocalFile(Report));
    const QByteArray Bytes = ReadRaw(Report);
    EXPECT_TRUE(Bytes.startsWith("\xEF\xBB\xBF<HTML>\r\n<HEAD>\r\n"));
    EXPECT_TRUE(Bytes.endsWith("</BODY>\r\n</HTML>\r\n"));
    EXPECT_EQ(Bytes.mid(3).toStdString(), Expected.toUtf8().toStdString());
    // Made new, for the user only.
    EXPECT_EQ(QFileInfo(Report).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    // The tables have their own order back; the records found stay.
    EXPECT_EQ(Data->cdsAdres->IndexName(), "STRAAT_NAAM_ASC");
    EXPECT_EQ(Data->cdsGroep->IndexName(), "GROEP_NAAM_ASC");
    EXPECT_EQ(Data->cdsAdres->FieldByName("ID_ADRES")->AsInteger(), 1);

    // Each page gets a name of its own; the menu item does the same.
    TMenuItem* Item = dynamic_cast<TMenuItem*>(Main->FindComponent("IndividueleRapportage"));
    ASSERT_NE(Item, nullptr);
    Item->Click();
    ASSERT_EQ(Data->TempFiles->Count(), 2);
    EXPECT_NE(Data->TempFiles->Strings(1), Report);
    EXPECT_EQ(Shell.Opened().size(), 2u);
}

TEST_F(ContactOverviewTest, NothingIsWrittenWithoutPersons)
{
    for (TClientDataSet* P = Data->cdsQuorvy; !P->IsEmpty();)
        P->Delete();
    TShellRecorder Shell;
    Main->FcGroupRapportagesItems1Click(nullptr);
    EXPECT_EQ(Data->TempFiles->Count(), 0);
    EXPECT_TRUE(Shell.Opened().empty());
}

TEST_F(ContactOverviewTest, AFailedWriteKeepsTheNameForCleaningUpAndTheTablesTheirOrder)
{
    ChoosePiet();
    Data->cdsAdres->SetIndexName("STRAAT_NAAM_ASC");
    // The temporary folder has gone: the page cannot be written.
    ToolBox::SetTempPathSource([this] { return Dir.File("weg/"); });
    TShellRecorder Shell;
    EXPECT_THROW(ContactOverview::Show(Main->Handle()), EInOutError);
    ToolBox::SetTempPathSource(nullptr);
    EXPECT_EQ(Data->TempFiles->Count(), 1);
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_EQ(Data->cdsAdres->IndexName(), "STRAAT_NAAM_ASC");
}
