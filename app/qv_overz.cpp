#include "app/qv_overz.h"

#include "app/qv_data.h"
#include "app/qv_index.h"
#include "app/qv_toolb.h"
#include "platform/db/Fields.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/WebMailAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

const String OverviewCellStart = QStringLiteral("<TD VALIGN=\"TOP\" ALIGN=");
const String ValueStart = OverviewCellStart + QStringLiteral("\"LEFT\" WIDTH=\"50%\"><FONT FACE=\"Tahoma\">");
const String ValueEnd = QStringLiteral("</FONT></TD>");
const String WideStart = OverviewCellStart + QStringLiteral("\"CENTER\" WIDTH=\"50%\" COLSPAN=\"2\">");
const String SpacerCell = WideStart + QStringLiteral("&nbsp;</TD>");
const String TallSpacerCell =
    OverviewCellStart + QStringLiteral("\"CENTER\" WIDTH=\"50%\" HEIGHT=\"21\" COLSPAN=\"2\">&nbsp;</TD>");

String LabelCell(const String& Label)
{
    return OverviewCellStart + QStringLiteral("\"RIGHT\" WIDTH=\"50%\"><FONT FACE=\"Tahoma\"><B>") + Label
        + QStringLiteral("</B></FONT></TD>");
}

String ValueCell(const String& Value)
{
    return ValueStart + ToolBox::HtmlCellText(Value) + ValueEnd;
}

String HeadingCell(const String& Heading)
{
    return WideStart + QStringLiteral("<FONT FACE=\"Tahoma\" COLOR=\"#6666CC\" SIZE=\"+1\"><B>") + Heading
        + QStringLiteral("</B></FONT></TD>");
}

String RemarksCell(const String& AreaName, const String& Text)
{
    return WideStart + QStringLiteral("<TEXTAREA NAME=\"") + AreaName
        + QStringLiteral("\" ROWS=\"5\" COLS=\"60\" WRAP=\"Physical\" READONLY=\"READONLY\">") + ToolBox::HtmlText(Text)
        + QStringLiteral("</TEXTAREA></TD>");
}

// A link in a value cell; Attributes follow the address and are already
// escaped.
String LinkCell(const String& Target, const String& Attributes, const String& Text)
{
    return ValueStart + QStringLiteral("<A HREF=\"") + ToolBox::HtmlText(Target) + QStringLiteral("\" ") + Attributes
        + QLatin1Char('>') + ToolBox::HtmlText(Text) + QStringLiteral("</A>") + ValueEnd;
}

// The page as it grows: rows of a label and a value, whole-width cells.
class TPage {
public:
    explicit TPage(QStringList& Lines) : FLines(Lines) {}
    void Row(const String& Cell) { FLines << QStringLiteral("<TR>") << Cell << QStringLiteral("</TR>"); }
    void Row(const String& Label, const String& ValueCellText)
    {
        FLines << QStringLiteral("<TR>") << LabelCell(Label) << ValueCellText << QStringLiteral("</TR>");
    }
    void Field(const String& Label, TDataSet* Table, const char* FieldName)
    {
        Row(Label, ValueCell(Table->FieldByName(QLatin1String(FieldName))->DisplayText()));
    }
    // A list of fields: label, field name.
    void Fields(TDataSet* Table, std::initializer_list<std::pair<const char*, const char*>> List)
    {
        for (const auto& [Label, FieldName] : List)
            Field(QString::fromUtf8(Label), Table, FieldName);
    }
    void Remarks(const String& AreaName, const String& Text)
    {
        Row(TallSpacerCell);
        Row(RemarksCell(AreaName, Text));
        Row(SpacerCell);
    }

private:
    QStringList& FLines;
};

String Text(TDataSet* Table, const char* FieldName)
{
    return Table->FieldByName(QLatin1String(FieldName))->AsString();
}

// The table's record with that key becomes current; -1 and an empty link
// refer to nothing.
bool FindLinked(TClientDataSet* Table, TField* Link)
{
    if (Link->IsNull() || Link->AsInteger() <= -1)
        return false;
    return Table->FindKey({Variant(Link->AsInteger())});
}

String MailCell(const String& Address, const String& EscapedName)
{
    if (Trim(Address).isEmpty())
        return ValueCell(String());
    const String Target = ContactOverview::MailTarget(Address);
    if (Target.isEmpty())
        return ValueCell(Address);
    return LinkCell(Target, QStringLiteral("TITLE=\"Stuur een email naar ") + EscapedName + QLatin1Char('"'), Address);
}

String WebSiteCell(const String& Site, const String& EscapedName)
{
    if (Trim(Site).isEmpty())
        return ValueCell(String());
    const String Target = ContactOverview::WebSiteTarget(Site);
    if (Target.isEmpty())
        return ValueCell(Site);
    return LinkCell(
        Target, QStringLiteral("TITLE=\"Start de website van ") + EscapedName + QStringLiteral("\" TARGET=\"_blank\""),
        Site);
}

void PersonSection(TPage& Page, TDataSet* P, const String& EscapedName)
{
    Page.Row(HeadingCell(QStringLiteral("Personalia")));
    Page.Fields(P,
                {{"Achternaam", "ACHTER_NAAM"},
                 {"Tussenvoegsel", "TUSSEN_VOEGSEL"},
                 {"Roepnaam", "ROEP_NAAM"},
                 {"Voorletters", "VOOR_LETTERS"},
                 {"Aanhef", "AANHEF"},
                 {"Voorvoegsel", "VOOR_VOEGSEL"},
                 {"Achtervoegsel", "ACHTER_VOEGSEL"}});
    const bool Female = UpperCase(Text(P, "GENDER")) == QStringLiteral("V");
    Page.Row(QStringLiteral("Gender"), ValueCell(Female ? QStringLiteral("Vrouw") : QStringLiteral("Man")));
    Page.Fields(P,
                {{"Geboortedatum", "GEBOORTE_DATUM"},
                 {"Nationaliteit", "NATIONALITEIT"},
                 {"Telefoonnummer Werk", "TELEFOON_NUMMER_WERK"},
                 {"Mobiel", "MOBIEL"}});
    Page.Row(QStringLiteral("Emailadres #1"), MailCell(Text(P, "EMAIL_ADRES_1"), EscapedName));
    Page.Row(QStringLiteral("Emailadres #2"), MailCell(Text(P, "EMAIL_ADRES_2"), EscapedName));
    Page.Fields(P, {{"Skype ID", "SKYPE_ID"}, {"MSN ID", "MSN_ID"}});
    Page.Row(QStringLiteral("Website"), WebSiteCell(Text(P, "WEBSITE"), EscapedName));
    Page.Fields(P, {{"Datum Actief", "DATUM_ACTIEF"}, {"Datum Inactief", "DATUM_INACTIEF"}});
    Page.Remarks(QStringLiteral("OpmerkingenPersoon"), Text(P, "OPMERKINGEN"));
}

void AddressSection(TPage& Page, TDataSet* A)
{
    Page.Row(HeadingCell(QStringLiteral("Adresgegevens")));
    Page.Fields(A, {{"Straatnaam", "STRAAT_NAAM"}, {"Huisnummer", "HUIS_NUMMER"}, {"Toevoeging", "TOEVOEGING"}});
    Page.Row(QStringLiteral("Postcode"), ValueCell(ToolBox::PostcodeText(Text(A, "POSTCODE"))));
    Page.Fields(A,
                {{"ZIP Code", "ZIP_CODE"},
                 {"Woonplaats", "WOON_PLAATS"},
                 {"Land", "LAND"},
                 {"Telefoonnummer #1", "TELEFOON_NUMMER_1"},
                 {"Telefoonnummer #2", "TELEFOON_NUMMER_2"}});
    Page.Remarks(QStringLiteral("OpmerkingenAdres"), Text(A, "OPMERKINGEN"));
}

void GroupSection(TPage& Page, TDataSet* G)
{
    Page.Row(HeadingCell(QStringLiteral("Groepgegevens")));
    Page.Field(QStringLiteral("Groep naam"), G, "GROEP_NAAM");
    Page.Remarks(QStringLiteral("OpmerkingenGroep"), Text(G, "GROEP_TEXT"));
}

// "scheme:" at the start, not a host followed by its port ("www.x.nl:8080").
const QRegularExpression& SchemePattern()
{
    static const QRegularExpression Pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    return Pattern;
}

} // namespace

QStringList ContactOverview::PageLines()
{
    TDataModuleMain* Data = DataModuleMain;
    TClientDataSet* P = Data->cdsQuorvy;
    const String Name = ToolBox::PersonDisplayName(Text(P, "AANHEF"), Text(P, "ROEP_NAAM"), Text(P, "TUSSEN_VOEGSEL"),
                                                   Text(P, "ACHTER_NAAM"));
    const String EscapedName = ToolBox::HtmlText(Name);
    QStringList Lines;
    Lines << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>")
          << QStringLiteral("<TITLE>Quorvy® 2023 - Overzicht van ") + EscapedName + QStringLiteral("</TITLE>")
          << QStringLiteral("</HEAD>") << QStringLiteral("<BODY>") << QStringLiteral("<FORM>")
          << QStringLiteral("<TABLE WIDTH=\"100%\" BGCOLOR=\"#FFFFCC\" BORDER=\"1\">");
    TPage Page(Lines);
    Page.Row(WideStart + QStringLiteral("<FONT FACE=\"Tahoma\" COLOR=\"#CC3300\" SIZE=\"+2\"><B>Overzicht van ")
             + EscapedName + QStringLiteral("</B></FONT></TD>"));
    Page.Row(SpacerCell);
    PersonSection(Page, P, EscapedName);
    if (FindLinked(Data->cdsAdres, P->FieldByName(QStringLiteral("ID_ADRES"))))
        AddressSection(Page, Data->cdsAdres);
    if (FindLinked(Data->cdsGroep, P->FieldByName(QStringLiteral("ID_GROEP"))))
        GroupSection(Page, Data->cdsGroep);
    Lines << QStringLiteral("</TABLE>") << QStringLiteral("</FORM>") << QStringLiteral("</BODY>")
          << QStringLiteral("</HTML>");
    return Lines;
}

void ContactOverview::Show(HWND Parent)
{
    TDataModuleMain* Data = DataModuleMain;
    if (Data == nullptr || !Data->cdsQuorvy->Active() || Data->cdsQuorvy->RecordCount() == 0)
        return;
    const TCursorScope Busy(crHourGlass);
    const TIndexScope Addresses(Data->cdsAdres, QStringLiteral("ID_ADRES_ASC"));
    const TIndexScope Groups(Data->cdsGroep, QStringLiteral("ID_GROEP_ASC"));
    const String FileName = ToolBox::TempFileName(QStringLiteral("html"));
    Data->TempFiles->Add(FileName);
    TStringList Page;
    Page.SetWriteBOM(true);
    for (const String& Line : PageLines())
        Page.Add(Line);
    Page.SaveToFileExclusive(FileName);
    ShellExecute(Parent, QStringLiteral("open"), FileName, String(), String(), SW_SHOWNORMAL);
}

String ContactOverview::WebSiteTarget(const String& Site)
{
    const String Trimmed = Trim(Site);
    if (Trimmed.isEmpty())
        return String();
    String Target = Trimmed;
    const QRegularExpressionMatch Scheme = SchemePattern().match(Trimmed);
    if (!Scheme.hasMatch())
        Target = QStringLiteral("http://") + Trimmed;
    else if (!Trimmed.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)
             && !Trimmed.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        return String();
    return IsWebAddress(Target) ? Target : String();
}

String ContactOverview::MailTarget(const String& Address)
{
    String Plain = Trim(Address);
    if (Plain.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        Plain = Plain.mid(7);
    const qsizetype Query = Plain.indexOf(QLatin1Char('?'));
    if (Query >= 0)
        Plain = Plain.left(Query);
    if (Plain.isEmpty() || !IsMailAddress(Plain))
        return String();
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(Plain, "@+"));
}
