#include "app/qv_rapout.h"

#include "app/qv_repfile.h"
#include "app/qv_toolb.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/Fields.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

const std::array<TReportColumn, ReportColumnCount> ReportColumns = {{
    {"Achternaam", rsPerson, "ACHTER_NAAM", "Achternaam", 50},
    {"Aanhef", rsPerson, "AANHEF", "Aanhef", 25},
    {"Voorvoegsel", rsPerson, "VOOR_VOEGSEL", "Voorvoegsel", 10},
    {"Voorletters", rsPerson, "VOOR_LETTERS", "Voorletters", 10},
    {"Roepnaam", rsPerson, "ROEP_NAAM", "Roepnaam", 25},
    {"Tussenvoegsel", rsPerson, "TUSSEN_VOEGSEL", "Tussenvoegsel", 10},
    {"Achtervoegsel", rsPerson, "ACHTER_VOEGSEL", "Achtervoegsel", 10},
    {"Gender", rsPerson, "GENDER", "Gender", 1},
    {"Geboortedatum", rsPerson, "GEBOORTE_DATUM", "Geboortedatum", 10},
    {"Nationaliteit", rsPerson, "NATIONALITEIT", "Nationaliteit", 50},
    {"Mobiel", rsPerson, "MOBIEL", "Mobiel", 20},
    {"Telefoonnummer Werk", rsPerson, "TELEFOON_NUMMER_WERK", "Telefoonnummer Werk", 20},
    {"Emailadres #1", rsPerson, "EMAIL_ADRES_1", "Emailadres #1", 126},
    {"Emailadres #2", rsPerson, "EMAIL_ADRES_2", "Emailadres #2", 126},
    {"Skype ID", rsPerson, "SKYPE_ID", "Skype ID", 126},
    {"MSN ID", rsPerson, "MSN_ID", "MSN ID", 126},
    {"Website", rsPerson, "WEBSITE", "Website", 126},
    {"Datum Actief", rsPerson, "DATUM_ACTIEF", "Datum Actief", 10},
    {"Datum Inactief", rsPerson, "DATUM_INACTIEF", "Datum Inactief", 10},
    {"Straatnaam", rsAddress, "STRAAT_NAAM", "Straatnaam", 40},
    {"Huisnummer", rsAddress, "HUIS_NUMMER", "Huisnummer", 6},
    {"Toevoeging", rsAddress, "TOEVOEGING", "Toevoeging", 5},
    {"Postcode", rsPostcode, "POSTCODE", "Postcode", 7},
    {"ZIP Code", rsAddress, "ZIP_CODE", "ZIP Code", 10},
    {"Woonplaats", rsAddress, "WOON_PLAATS", "Woonplaats", 40},
    {"Land", rsAddress, "LAND", "Land", 40},
    {"Telefoonnummer #1", rsAddress, "TELEFOON_NUMMER_1", "Telefoonnummer #1", 20},
    {"Telefoonnummer #2", rsAddress, "TELEFOON_NUMMER_2", "Telefoonnummer #2", 20},
    {"Groep Naam", rsGroup, "GROEP_NAAM", "Groep Naam", 50},
    {"SAMENGEVOEGDE VELDEN", rsHeading, "", "", 0},
    {"SAMENGEVOEGDE NAAM", rsMergedName, "", "Naam", 70},
    {"SAMENGEVOEGD ADRES", rsMergedAddress, "", "Adres", 70},
    {"TELEFOONNUMMER", rsMergedPhone, "", "Telefonnummer", 20},
}};

namespace {

const QByteArrayView HeaderCellStart = "<TD VALIGN=\"TOP\" BGCOLOR=\"#0000CC\" HEIGHT=\"18\"><FONT COLOR=\"#FFFFCC\" "
                                       "FACE=\"Tahoma\" SIZE=\"-1\"><B>";
const QByteArrayView HeaderCellEnd = "</B></FONT></TD>";
const QByteArrayView CellStart = "<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">";
const QByteArrayView CellEnd = "</FONT></TD>";

String Field(const char* Name)
{
    return QString::fromLatin1(Name);
}

const TReportColumn& ColumnOf(int Item)
{
    return ReportColumns[std::size_t(Item)];
}

// "1234AB" as "1234 AB".
String PostcodeText(const String& Stored)
{
    return Stored.left(4) + QLatin1Char(' ') + Stored.mid(4, 2);
}

// The length of Text without the blanks and control characters at either
// end, as Trim would leave it.
int TrimmedLength(const String& Text)
{
    int First = 0, Last = int(Text.size());
    while (First < Last && Text.at(First) <= QLatin1Char(' '))
        ++First;
    while (Last > First && Text.at(Last - 1) <= QLatin1Char(' '))
        --Last;
    return Last - First;
}

// Inside the double quotes every value gets, a double quote is written
// twice: the one rule every spreadsheet reads back.
void WriteQuoted(String Value, TReportFile& Out)
{
    Value.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    Out.Write(QLatin1Char('"'));
    Out.Write(Value);
    Out.Write(QLatin1Char('"'));
}

} // namespace

TFullReportWriter::TFullReportWriter(TClientDataSet* Persons, TClientDataSet* Addresses, TClientDataSet* Groups,
                                     std::vector<int> Items)
    : FPersons(Persons), FAddresses(Addresses), FGroups(Groups), FItems(std::move(Items))
{
    bool NeedAddresses = false, NeedGroups = false;
    for (int Item : FItems) {
        const TReportColumn& C = ColumnOf(Item);
        TClientDataSet* Table = nullptr;
        if (C.Source == rsPerson)
            Table = Persons;
        else if (C.Source == rsAddress || C.Source == rsPostcode)
            Table = Addresses;
        else if (C.Source == rsGroup)
            Table = Groups;
        FFields.push_back(Table != nullptr ? Table->FieldByName(Field(C.Field)) : nullptr);
        NeedAddresses = NeedAddresses || Table == Addresses || C.Source == rsMergedAddress || C.Source == rsMergedPhone;
        NeedGroups = NeedGroups || Table == Groups;
    }
    if (NeedAddresses)
        FAddressKeys = Keys(Addresses, "ID_ADRES");
    if (NeedGroups)
        FGroupKeys = Keys(Groups, "ID_GROEP");
    FAddressLink = Persons->FieldByName(QStringLiteral("ID_ADRES"));
    FGroupLink = Persons->FieldByName(QStringLiteral("ID_GROEP"));
    FInactive = Persons->FieldByName(QStringLiteral("DATUM_INACTIEF"));
    FNameParts = {Persons->FieldByName(QStringLiteral("AANHEF")), Persons->FieldByName(QStringLiteral("ROEP_NAAM")),
                  Persons->FieldByName(QStringLiteral("TUSSEN_VOEGSEL")),
                  Persons->FieldByName(QStringLiteral("ACHTER_NAAM"))};
    FAddressParts = {
        Addresses->FieldByName(QStringLiteral("STRAAT_NAAM")), Addresses->FieldByName(QStringLiteral("HUIS_NUMMER")),
        Addresses->FieldByName(QStringLiteral("TOEVOEGING")), Addresses->FieldByName(QStringLiteral("WOON_PLAATS"))};
    FPhones = {Addresses->FieldByName(QStringLiteral("TELEFOON_NUMMER_1")),
               Addresses->FieldByName(QStringLiteral("TELEFOON_NUMMER_2")),
               Persons->FieldByName(QStringLiteral("MOBIEL")),
               Persons->FieldByName(QStringLiteral("TELEFOON_NUMMER_WERK"))};
}

std::unordered_map<int, int> TFullReportWriter::Keys(TClientDataSet* Table, const char* KeyField)
{
    // Positions in the key index: the tables do not change while the
    // report is written.
    std::unordered_map<int, int> Result;
    Result.reserve(std::size_t(Table->RecordCount()));
    TField* Key = Table->FieldByName(Field(KeyField));
    int RecNo = 1;
    for (Table->First(); !Table->Eof(); Table->Next())
        Result.emplace(Key->AsInteger(), RecNo++);
    return Result;
}

void TFullReportWriter::FindRelations()
{
    // A key search for every person would cost more than the rest of its
    // row; the key's record is looked up in the table of keys instead.
    auto Find = [](const std::unordered_map<int, int>& Keys, TField* Link, TClientDataSet* Table) {
        const auto It = Link->IsNull() ? Keys.end() : Keys.find(Link->AsInteger());
        if (It == Keys.end() || It->first < 0)
            return false;
        Table->SetRecNo(It->second);
        return true;
    };
    FHasAddress = !FAddressKeys.empty() && Find(FAddressKeys, FAddressLink, FAddresses);
    FHasGroup = !FGroupKeys.empty() && Find(FGroupKeys, FGroupLink, FGroups);
}

String TFullReportWriter::MergedPhone() const
{
    for (std::size_t I = FHasAddress ? 0 : 2; I < FPhones.size(); ++I) {
        const String Phone = FPhones[I]->AsString();
        if (!Trim(Phone).isEmpty())
            return Phone;
    }
    return String();
}

String TFullReportWriter::Value(std::size_t Column) const
{
    const TReportColumn& C = ColumnOf(FItems[Column]);
    switch (C.Source) {
    case rsPerson:
        return FFields[Column]->AsString();
    case rsAddress:
        return FHasAddress ? FFields[Column]->AsString() : String();
    case rsPostcode:
        return FHasAddress ? PostcodeText(FFields[Column]->AsString()) : String();
    case rsGroup:
        return FHasGroup ? FFields[Column]->AsString() : String();
    case rsMergedName:
        return ToolBox::PersonDisplayName(FNameParts[0]->AsString(), FNameParts[1]->AsString(),
                                          FNameParts[2]->AsString(), FNameParts[3]->AsString());
    case rsMergedAddress:
        if (!FHasAddress)
            return String();
        return ToolBox::AddressLine(FAddressParts[0]->AsString(), FAddressParts[1]->AsString(),
                                    FAddressParts[2]->AsString(), FAddressParts[3]->AsString());
    case rsMergedPhone:
        return MergedPhone();
    case rsHeading:
        break;
    }
    return String();
}

bool TFullReportWriter::Inactive() const
{
    // A person whose last day is today is still listed.
    return !FInactive->IsNull() && FInactive->AsDateTime() < Date();
}

void TFullReportWriter::WriteHtml(const String& Title, int Width, TReportFile& Out)
{
    Out.Add(QStringLiteral("<HTML>"));
    Out.Add(QStringLiteral("<HEAD>"));
    if (Trim(Title).isEmpty())
        Out.Add(QStringLiteral("<TITLE>Quorvy® 2023</TITLE>"));
    else
        Out.Add(QStringLiteral("<TITLE>Quorvy® 2023 - ") + Title.toHtmlEscaped() + QStringLiteral("</TITLE>"));
    Out.Add(QStringLiteral("</HEAD>"));
    Out.Add(QStringLiteral("<BODY BGCOLOR=\"#FFFFCC\" TEXT=\"#000099\">"));
    Out.Add(QStringLiteral("<TABLE WIDTH=\"%1%\" BORDER=\"1\">").arg(Width));
    Out.Add(QStringLiteral("<TR>"));
    for (int Item : FItems) {
        Out.WriteAscii(HeaderCellStart);
        Out.Write(QString::fromUtf8(ColumnOf(Item).Header));
        Out.WriteAscii(HeaderCellEnd);
        Out.EndLine();
    }
    Out.Add(QStringLiteral("</TR>"));
    for (FPersons->First(); !FPersons->Eof(); FPersons->Next()) {
        if (Inactive())
            continue;
        FindRelations();
        Out.Add(QStringLiteral("<TR>"));
        for (std::size_t Column = 0; Column < FItems.size(); ++Column) {
            Out.WriteAscii(CellStart);
            Out.Write(ToolBox::HtmlCellText(Value(Column)));
            Out.WriteAscii(CellEnd);
            Out.EndLine();
        }
        Out.Add(QStringLiteral("</TR>"));
    }
    Out.Add(QStringLiteral("</TABLE>"));
    Out.Add(QStringLiteral("</BODY>"));
    Out.Add(QStringLiteral("</HTML>"));
}

void TFullReportWriter::WriteFixedWidth(TReportFile& Out)
{
    for (FPersons->First(); !FPersons->Eof(); FPersons->Next()) {
        FindRelations();
        for (std::size_t Column = 0; Column < FItems.size(); ++Column) {
            const TReportColumn& C = ColumnOf(FItems[Column]);
            const String Text = Value(Column);
            // The postcode is always seven wide: "1234 AB" or blanks; any
            // other text is followed by blanks up to its width, never cut.
            if (C.Source == rsPostcode && (!FHasAddress || Trim(FFields[Column]->AsString()).isEmpty())) {
                Out.WriteBlanks(C.Width);
            } else if (C.Source == rsPostcode) {
                Out.Write(Text);
            } else {
                Out.Write(Text);
                Out.WriteBlanks(C.Width - TrimmedLength(Text));
            }
        }
        Out.EndLine();
    }
}

void TFullReportWriter::WriteCommaSeparated(TReportFile& Out)
{
    for (FPersons->First(); !FPersons->Eof(); FPersons->Next()) {
        FindRelations();
        for (std::size_t Column = 0; Column < FItems.size(); ++Column) {
            const TReportColumn& C = ColumnOf(FItems[Column]);
            if (Column > 0)
                Out.Write(QLatin1Char(','));
            if (C.Source == rsPostcode && FHasAddress && Trim(FFields[Column]->AsString()).isEmpty())
                Out.WriteAscii("\"\"");
            else
                WriteQuoted(Value(Column), Out);
        }
        Out.EndLine();
    }
}
