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

constexpr QByteArrayView HeaderCellStart =
    "<TD VALIGN=\"TOP\" BGCOLOR=\"#0000CC\" HEIGHT=\"18\"><FONT COLOR=\"#FFFFCC\" "
    "FACE=\"Tahoma\" SIZE=\"-1\"><B>";
constexpr QByteArrayView HeaderCellEnd = "</B></FONT></TD>";
constexpr QByteArrayView CellStart = "<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">";
constexpr QByteArrayView CellEnd = "</FONT></TD>";

String Field(const char* Name)
{
    return QString::fromLatin1(Name);
}

const TReportColumn& ColumnOf(int Item)
{
    return ReportColumns[std::size_t(Item)];
}

// The length of UTF-8 Text in UTF-16 units, as a String of it counts:
// every character one, those outside the basic plane (four bytes) two.
qsizetype Utf16Length(QByteArrayView Text)
{
    qsizetype Length = 0;
    for (const char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        Length += (Byte & 0xC0) != 0x80;
        Length += Byte >= 0xF0;
    }
    return Length;
}

// Inside the double quotes every value gets, a double quote is written
// twice: the one rule every spreadsheet reads back.  Straight into the
// file's buffer: most values are a few bytes without a quote.
void WriteQuoted(QByteArrayView Value, TReportFile& Out)
{
    char* P = Out.Claim(2 * Value.size() + 2);
    *P++ = '"';
    for (const char C : Value) {
        *P++ = C;
        if (C == '"')
            *P++ = '"';
    }
    *P++ = '"';
    Out.Commit(P);
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
        FAddressKeys.Build(Addresses, "ID_ADRES");
    if (NeedGroups)
        FGroupKeys.Build(Groups, "ID_GROEP");
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

void TFullReportWriter::FindRelations()
{
    // A key search for every person would cost more than the rest of its
    // row; the key's record is looked up in the table of keys instead.
    auto Find = [](const TKeyRecNos& Keys, TField* Link, TClientDataSet* Table) {
        const int RecNo = Keys.Empty() || Link->IsNull() ? 0 : Keys.Find(Link->AsInteger());
        if (RecNo == 0)
            return false;
        Table->SetRecNo(RecNo);
        return true;
    };
    FHasAddress = Find(FAddressKeys, FAddressLink, FAddresses);
    FHasGroup = Find(FGroupKeys, FGroupLink, FGroups);
}

QByteArrayView TFullReportWriter::MergedPhone()
{
    for (std::size_t I = FHasAddress ? 0 : 2; I < FPhones.size(); ++I) {
        const QByteArrayView Phone = FPhones[I]->AsUtf8(FScratch[0]);
        if (!ToolBox::Trimmed(Phone).isEmpty())
            return Phone;
    }
    return QByteArrayView();
}

QByteArrayView TFullReportWriter::PostcodeText(QByteArrayView Stored)
{
    // "1234AB" as "1234 AB", counted in characters.
    FCell.resize(0);
    if (std::all_of(Stored.begin(), Stored.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; })) {
        const qsizetype Digits = std::min<qsizetype>(4, Stored.size());
        FCell.append(Stored.first(Digits));
        FCell.append(' ');
        FCell.append(Stored.sliced(Digits).first(std::min<qsizetype>(2, Stored.size() - Digits)));
    } else {
        FCell = ToolBox::PostcodeText(QString::fromUtf8(Stored)).toUtf8();
    }
    return FCell;
}

bool TFullReportWriter::BlankPostcode(std::size_t Column)
{
    return !FHasAddress || ToolBox::Trimmed(FFields[Column]->AsUtf8(FScratch[0])).isEmpty();
}

QByteArrayView TFullReportWriter::Cell(std::size_t Column)
{
    const TReportColumn& C = ColumnOf(FItems[Column]);
    switch (C.Source) {
    case rsPerson:
        return FFields[Column]->AsUtf8(FScratch[0]);
    case rsAddress:
        return FHasAddress ? FFields[Column]->AsUtf8(FScratch[0]) : QByteArrayView();
    case rsPostcode:
        return FHasAddress ? PostcodeText(FFields[Column]->AsUtf8(FScratch[0])) : QByteArrayView();
    case rsGroup:
        return FHasGroup ? FFields[Column]->AsUtf8(FScratch[0]) : QByteArrayView();
    case rsMergedName:
        FCell.resize(0);
        ToolBox::AppendPersonDisplayName(FCell, FNameParts[0]->AsUtf8(FScratch[0]), FNameParts[1]->AsUtf8(FScratch[1]),
                                         FNameParts[2]->AsUtf8(FScratch[2]), FNameParts[3]->AsUtf8(FScratch[3]));
        return FCell;
    case rsMergedAddress:
        if (!FHasAddress)
            return QByteArrayView();
        FCell.resize(0);
        ToolBox::AppendAddressLine(FCell, FAddressParts[0]->AsUtf8(FScratch[0]), FAddressParts[1]->AsUtf8(FScratch[1]),
                                   FAddressParts[2]->AsUtf8(FScratch[2]), FAddressParts[3]->AsUtf8(FScratch[3]));
        return FCell;
    case rsMergedPhone:
        return MergedPhone();
    case rsHeading:
        break;
    }
    return QByteArrayView();
}

bool TFullReportWriter::Inactive(TDateTime Today) const
{
    // A person whose last day is today is still listed.
    return !FInactive->IsNull() && FInactive->AsDateTime() < Today;
}

void TFullReportWriter::WriteHtmlCell(QByteArrayView Text, TReportFile& Out)
{
    // Most values need no escaping and go over as they are.
    if (!ToolBox::Trimmed(Text).isEmpty() && !ToolBox::HasHtmlSpecial(Text)) {
        Out.WriteUtf8(Text);
        return;
    }
    FEscaped.resize(0);
    ToolBox::AppendHtmlCellText(FEscaped, Text);
    Out.WriteUtf8(FEscaped);
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
        Out.WriteUtf8(HeaderCellStart);
        Out.Write(QString::fromUtf8(ColumnOf(Item).Header));
        Out.WriteUtf8(HeaderCellEnd);
        Out.EndLine();
    }
    Out.Add(QStringLiteral("</TR>"));
    // One day for the whole report, even one written over midnight.
    const TDateTime Today = Date();
    for (FPersons->First(); !FPersons->Eof(); FPersons->Next()) {
        if (Inactive(Today))
            continue;
        FindRelations();
        Out.WriteUtf8("<TR>");
        Out.EndLine();
        for (std::size_t Column = 0; Column < FItems.size(); ++Column) {
            Out.WriteUtf8(CellStart);
            WriteHtmlCell(Cell(Column), Out);
            Out.WriteUtf8(CellEnd);
            Out.EndLine();
        }
        Out.WriteUtf8("</TR>");
        Out.EndLine();
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
            // The postcode is always seven wide: "1234 AB" or blanks; any
            // other text is followed by blanks up to its width, never cut.
            if (C.Source == rsPostcode && BlankPostcode(Column)) {
                Out.WriteBlanks(C.Width);
            } else if (C.Source == rsPostcode) {
                Out.WriteUtf8(Cell(Column));
            } else {
                const QByteArrayView Text = Cell(Column);
                Out.WriteUtf8(Text);
                Out.WriteBlanks(C.Width - int(Utf16Length(ToolBox::Trimmed(Text))));
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
            if (Column > 0)
                Out.WriteUtf8(",");
            const bool Postcode = ColumnOf(FItems[Column]).Source == rsPostcode;
            WriteQuoted(Postcode && BlankPostcode(Column) ? QByteArrayView() : Cell(Column), Out);
        }
        Out.EndLine();
    }
}
