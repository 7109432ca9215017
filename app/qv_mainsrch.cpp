// The main window's person grid: its columns and sort, the indexed and the
// full-text search, navigation, deleting a person, the group filter's
// removal and today's birthdays.
#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_match.h"
#include "app/qv_set.h"
#include "app/qv_toolb.h"
#include "app/qv_tstate.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "platform/actions/Menus.h"
#include "platform/db/Fields.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/InputQuery.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

const std::array<TPersonColumn, 19> PersonColumns = {{
    {"Achternaam", "ACHTER_NAAM", false},
    {"Tussenvoegsel", "TUSSEN_VOEGSEL", false},
    {"Roepnaam", "ROEP_NAAM", false},
    {"Voorletters", "VOOR_LETTERS", false},
    {"Aanhef", "AANHEF", false},
    {"Voorvoegsel", "VOOR_VOEGSEL", false},
    {"Achtervoegsel", "ACHTER_VOEGSEL", false},
    {"Gender", "GENDER", false},
    {"Geboortedatum", "GEBOORTE_DATUM", true},
    {"Nationaliteit", "NATIONALITEIT", false},
    {"Telefoonnummer Werk", "TELEFOON_NUMMER_WERK", false},
    {"Mobiel", "MOBIEL", false},
    {"Emailadres #1", "EMAIL_ADRES_1", false},
    {"Emailadres #2", "EMAIL_ADRES_2", false},
    {"Skype ID", "SKYPE_ID", false},
    {"MSD ID", "MSN_ID", false},
    {"Website", "WEBSITE", false},
    {"Datum Actief", "DATUM_ACTIEF", true},
    {"Datum Inactief", "DATUM_INACTIEF", true},
}};

int SortColumn = 0;
bool SortAscending = true;

namespace {

const String DescendingMark = QStringLiteral("  \\/");

String TitleOf(int Column)
{
    return QString::fromUtf8(PersonColumns[std::size_t(Column)].Title);
}

String IndexOf(int Column, bool Ascending)
{
    return QString::fromLatin1(PersonColumns[std::size_t(Column)].Field)
        + (Ascending ? QStringLiteral("_ASC") : QStringLiteral("_DESC"));
}

TClientDataSet* Persons()
{
    return DataModuleMain->cdsQuorvy;
}

bool PersonsOpen()
{
    return DataModuleMain != nullptr && DataModuleMain->Active && Persons()->Active();
}

// The fields the full-text search looks through, in the order it does.
const std::vector<const char*> SearchedFields = {
    "DATUM_ACTIEF",   "DATUM_INACTIEF",       "AANHEF",         "VOOR_VOEGSEL",  "VOOR_LETTERS",   "ROEP_NAAM",
    "TUSSEN_VOEGSEL", "ACHTER_NAAM",          "ACHTER_VOEGSEL", "GENDER",        "GEBOORTE_DATUM", "NATIONALITEIT",
    "MOBIEL",         "TELEFOON_NUMMER_WERK", "EMAIL_ADRES_1",  "EMAIL_ADRES_2", "SKYPE_ID",       "MSN_ID",
    "WEBSITE",        "OPMERKINGEN",
};

void ShowMessage(const String& Text, const String& Caption, unsigned Flags)
{
    MessageBox(Text, Caption, Flags);
}

} // namespace

// --- titles and sorting ------------------------------------------------------

namespace {

void SetTitleLook(TColumn* Column, bool Sorted)
{
    Column->Title()->SetColor(Sorted ? clBlue : clInfoBk);
    Column->Title()->Font()->SetColor(Sorted ? clInfoBk : clBlue);
}

} // namespace

void TFormMain::ResetGridTitles()
{
    TDBGridColumns* Columns = FcDBGridQuorvy->Columns();
    for (int I = 0; I < int(PersonColumns.size()) && I < Columns->Count(); ++I) {
        SetTitleLook(Columns->Items(I), false);
        Columns->Items(I)->Title()->SetCaption(TitleOf(I));
    }
    SetTitleLook(Columns->Items(0), true);
    Columns->Items(0)->Title()->SetCaption(TitleOf(0));
    SortColumn = 0;
    SortAscending = true;
}

void TFormMain::FcDBGridQuorvyTitleClick(TColumn* Column)
{
    if (!PersonsOpen() || Column == nullptr)
        return;
    const int K = Column->Index();
    if (K < 0 || K >= int(PersonColumns.size()))
        return;
    TTableState Keep(Persons());
    TDBGridColumns* Columns = FcDBGridQuorvy->Columns();
    if (K != SortColumn) {
        // The index first: when it fails, titles and sort state stay as
        // they were.
        Persons()->SetIndexName(IndexOf(K, true));
        TColumn* Old = Columns->Items(SortColumn);
        SetTitleLook(Old, false);
        Old->Title()->SetCaption(TitleOf(SortColumn));
        SetTitleLook(Column, true);
        SortColumn = K;
        SortAscending = true;
    } else {
        Persons()->SetIndexName(IndexOf(K, !SortAscending));
        Column->Title()->SetCaption(SortAscending ? TitleOf(K) + DescendingMark : TitleOf(K));
        SortAscending = !SortAscending;
    }
    Keep.Commit();
}

// --- indexed search ----------------------------------------------------------

namespace {

// Asks for the value to look for in Column until one is valid or the user
// cancels (false).
bool AskSearchValue(int Column, String& Value)
{
    const String Title = TitleOf(Column);
    const bool IsDate = PersonColumns[std::size_t(Column)].IsDate;
    if (IsDate)
        Value =
            QLatin1Char('<') + FormatDateTime(QStringLiteral("dd/mm/yyyy"), Date()) + QStringLiteral("> (dd/mm/yyyy)");
    else
        Value = QLatin1Char('<') + (Column == 15 ? QStringLiteral("MSN ID") : Title) + QLatin1Char('>');
    for (;;) {
        if (!InputQuery(QStringLiteral("Zoeken naar ") + ToolBox::Quoted(Title), Title + QLatin1Char(':'), Value))
            return false;
        const String Trimmed = Trim(Value);
        TDateTime Dummy = 0;
        if (!IsDate && Trimmed.isEmpty())
            ShowMessage(QStringLiteral("U dient een zoektekst in te voeren!"), QStringLiteral("Onvolledige invoer!"),
                        MB_OK | MB_ICONERROR);
        else if (IsDate && (Trimmed.length() != 10 || !TryStrToDate(Trimmed, Dummy)))
            ShowMessage(QStringLiteral("U dient een datum in het formaat DD/MM/JJJJ in te voeren!"),
                        QStringLiteral("Foutieve invoer!"), MB_OK | MB_ICONERROR);
        else
            return true;
    }
}

} // namespace

void TFormMain::FcGroupZoekenItems0Click(TObject* Sender)
{
    (void)Sender;
    if (!PersonsOpen())
        return;
    if (!SortAscending) {
        if (MessageBox(QStringLiteral("Om te kunnen zoeken dient de index OPLOPEND te zijn.\r\nWilt u de huidige "
                                      "index nu oplopend sorteren?"),
                       QStringLiteral("Aflopende index"), MB_YESNOCANCEL | MB_ICONQUESTION)
            != IDYES)
            return;
        TTableState Keep(Persons());
        Persons()->SetIndexName(IndexOf(SortColumn, true));
        FcDBGridQuorvy->Columns()->Items(SortColumn)->Title()->SetCaption(TitleOf(SortColumn));
        SortAscending = true;
        Keep.Commit();
    }
    String Value;
    if (!AskSearchValue(SortColumn, Value))
        return;
    TTableState Keep(Persons());
    TField* Key = Persons()->FieldByName(QString::fromLatin1(PersonColumns[std::size_t(SortColumn)].Field));
    Persons()->SetKey();
    if (PersonColumns[std::size_t(SortColumn)].IsDate)
        Key->SetAsDateTime(StrToDate(Trim(Value)));
    else
        Key->SetAsString(Value);
    if (Settings->ExactSearch) {
        if (!Persons()->GotoKey()) {
            Keep.Commit();
            ShowMessage(QStringLiteral("Zoekargument ") + ToolBox::Quoted(QuotedInput(Value)) + QStringLiteral(" niet gevonden"),
                        QStringLiteral("Niet gevonden"), MB_OK | MB_ICONWARNING);
            return;
        }
    } else {
        Persons()->GotoNearest();
    }
    Keep.Commit();
}

// --- full-text search --------------------------------------------------------

namespace {

// Lower-cases the letters A to Z only, as the search has always done.
String LowerAZ(const String& Text)
{
    String Result = Text;
    for (QChar& C : Result)
        if (C >= QLatin1Char('A') && C <= QLatin1Char('Z'))
            C = QChar(C.unicode() + ('a' - 'A'));
    return Result;
}

} // namespace

bool TFormMain::RecordMatches()
{
    return TPersonMatcher(Persons(), SearchedFields, DataModuleMain->SearchText).Matches();
}

bool TFormMain::SearchFrom(bool Forward, bool MoveFirst)
{
    TTableState Keep(Persons());
    const TPersonMatcher Matcher(Persons(), SearchedFields, DataModuleMain->SearchText);
    if (MoveFirst)
        Persons()->First();
    else if (Forward)
        Persons()->Next();
    else
        Persons()->Prior();
    bool Found = false;
    while (!(Forward ? Persons()->Eof() : Persons()->Bof())) {
        if (Matcher.Matches()) {
            Found = true;
            break;
        }
        if (Forward)
            Persons()->Next();
        else
            Persons()->Prior();
    }
    Keep.Commit();
    return Found;
}

void TFormMain::FcGroupZoekenItems1Click(TObject* Sender)
{
    (void)Sender;
    if (!PersonsOpen())
        return;
    String Value = DataModuleMain->SearchText;
    for (;;) {
        if (!InputQuery(QStringLiteral("Graven in het Bestand"), QStringLiteral("Zoekargument:"), Value))
            return;
        if (!Trim(Value).isEmpty())
            break;
        ShowMessage(QStringLiteral("U dient een zoekargument in te voeren!"), QStringLiteral("Geen zoekarguent"),
                    MB_OK | MB_ICONERROR);
    }
    DataModuleMain->SearchText = LowerAZ(Value);
    if (SearchFrom(true, true)) {
        SetSearchItemsEnabled(false);
        ShowSearchButtons(true);
        UpdateCaption();
    } else {
        ShowMessage(QStringLiteral("Zoekargument ") + ToolBox::Quoted(QuotedInput(DataModuleMain->SearchText))
                        + QStringLiteral(" niet gevonden."),
                    QStringLiteral("Zoekargument niet gevonden"), MB_OK | MB_ICONINFORMATION);
        DataModuleMain->SearchText.clear();
    }
    if (FcDBGridQuorvy->CanFocus())
        FcDBGridQuorvy->SetFocus();
}

void TFormMain::FcToolButtonSearchForwardClick(TObject* Sender)
{
    (void)Sender;
    ContinueSearch(true);
}

void TFormMain::FcToolButtonSearchBackClick(TObject* Sender)
{
    (void)Sender;
    ContinueSearch(false);
}

void TFormMain::ContinueSearch(bool Forward)
{
    if (!PersonsOpen())
        return;
    if (!SearchFrom(Forward, false))
        ShowMessage(QStringLiteral("Zoekargument ") + ToolBox::Quoted(QuotedInput(DataModuleMain->SearchText))
                        + QStringLiteral(" niet meer gevonden."),
                    QStringLiteral("Zoekargument niet gevonden"), MB_OK | MB_ICONINFORMATION);
    if (FcDBGridQuorvy->CanFocus())
        FcDBGridQuorvy->SetFocus();
}

void TFormMain::FcToolButtonSearchStopClick(TObject* Sender)
{
    (void)Sender;
    SetSearchItemsEnabled(true);
    ShowSearchButtons(false);
    UpdateCaption();
}

void TFormMain::ShowSearchButtons(bool Visible)
{
    for (TControl* C : std::initializer_list<TControl*>{FcSpacerSearch, FcToolButtonSearchBack,
                                                        FcToolButtonSearchForward, FcToolButtonSearchStop})
        C->SetVisible(Visible);
    if (!Visible)
        DataModuleMain->SearchText.clear();
}

void TFormMain::SetSearchItemsEnabled(bool Enabled)
{
    FcGroupZoeken->Items()->Items(1)->SetEnabled(Enabled);
    Graveninhetbestand->SetEnabled(Enabled);
}

// --- navigation and deleting ---------------------------------------------------

void TFormMain::FcGroupNavigateItems0Click(TObject* Sender)
{
    (void)Sender;
    if (PersonsOpen())
        Persons()->First();
}

void TFormMain::FcGroupNavigateItems1Click(TObject* Sender)
{
    (void)Sender;
    if (PersonsOpen())
        Persons()->Prior();
}

void TFormMain::FcGroupNavigateItems2Click(TObject* Sender)
{
    (void)Sender;
    if (PersonsOpen())
        Persons()->Next();
}

void TFormMain::FcGroupNavigateItems3Click(TObject* Sender)
{
    (void)Sender;
    if (PersonsOpen())
        Persons()->Last();
}

void TFormMain::FcGroupEditItems2Click(TObject* Sender)
{
    (void)Sender;
    if (!PersonsOpen() || Persons()->IsEmpty())
        return;
    if (MessageBox(QStringLiteral("Wilt u het geselecteerde contact werkelijk verwijderen?"),
                   QStringLiteral("Verwijderen Contact"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        == IDYES)
        Persons()->Delete();
}

void TFormMain::VerbergMenupaneelClick(TObject* Sender)
{
    (void)Sender;
    FcGroupBarMenu->SetVisible(false);
}

void TFormMain::oonMenupaneelClick(TObject* Sender)
{
    (void)Sender;
    FcGroupBarMenu->SetVisible(true);
}

// --- the group filter ---------------------------------------------------------

void TFormMain::SetGroupFilterItems(bool FilterActive)
{
    TFcGroupItems* Items = FcGroupGroepen->Items();
    Items->Items(2)->SetEnabled(!FilterActive);
    Items->Items(3)->SetEnabled(FilterActive);
}

void TFormMain::RemoveGroupFilter()
{
    if (PersonsOpen()) {
        TTableState Keep(Persons());
        Persons()->SetFiltered(false);
        Persons()->SetFilter(String());
        Persons()->First();
        Keep.Commit();
    }
    DataModuleMain->ActiveFilterName.clear();
    SetGroupFilterItems(false);
    if (FcDBGridQuorvy->CanFocus())
        FcDBGridQuorvy->SetFocus();
}

void TFormMain::FcGroupGroepenItems3Click(TObject* Sender)
{
    (void)Sender;
    RemoveGroupFilter();
}

void TFormMain::ToonActieveGroepfilterClick(TObject* Sender)
{
    (void)Sender;
    const String Name = DataModuleMain->ActiveFilterName;
    if (Trim(Name).isEmpty()) {
        MessageBox(QStringLiteral("Er is op dit moment GEEN groepfilter actief"), QStringLiteral("Actieve Groepfilter"),
                   MB_OK | MB_ICONWARNING);
        return;
    }
    if (MessageBox(QStringLiteral("De actieve groepfilter is: ")
                       + ToolBox::Quoted(QStringLiteral("Groepnaam = ") + Name)
                       + QStringLiteral(".\r\nWilt u deze filter deactiveren?"),
                   QStringLiteral("Actieve Groepfilter"), MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3)
        == IDYES)
        RemoveGroupFilter();
}

// --- today's birthdays ---------------------------------------------------------

void TFormMain::ShowTodaysBirthdays()
{
    if (!PersonsOpen())
        return;
    QStringList Entries;
    std::uint16_t Year = 0, Month = 0, Day = 0;
    DecodeDate(Date(), Year, Month, Day);
    {
        TTableState Keep(Persons(), crHandPoint);
        TField* Born = Persons()->FieldByName(QStringLiteral("GEBOORTE_DATUM"));
        TField* Salutation = Persons()->FieldByName(QStringLiteral("AANHEF"));
        TField* CallName = Persons()->FieldByName(QStringLiteral("ROEP_NAAM"));
        TField* Infix = Persons()->FieldByName(QStringLiteral("TUSSEN_VOEGSEL"));
        TField* LastName = Persons()->FieldByName(QStringLiteral("ACHTER_NAAM"));
        for (; !Persons()->Eof(); Persons()->Next()) {
            if (Born->IsNull())
                continue;
            std::uint16_t BornYear = 0, BornMonth = 0, BornDay = 0;
            DecodeDate(Born->AsDateTime(), BornYear, BornMonth, BornDay);
            if (BornMonth != Month || BornDay != Day)
                continue;
            Entries << ToolBox::PersonDisplayName(Salutation->AsString(), CallName->AsString(), Infix->AsString(),
                                                  LastName->AsString())
                    + QStringLiteral(" (") + QString::number(int(Year) - int(BornYear)) + QLatin1Char(')');
        }
        Persons()->First();
        Keep.Commit();
    }
    if (Entries.isEmpty())
        return;
    String Text;
    if (Entries.size() == 1) {
        Text = QStringLiteral("Vandaag is ") + Entries.first() + QStringLiteral(" jarig.");
    } else {
        Text = QStringLiteral("Vandaag zijn de volgende personen jarig:\r\n");
        for (const String& Entry : Entries)
            Text += QStringLiteral("- ") + Entry + QStringLiteral("\r\n");
    }
    MessageBox(Text, QStringLiteral("Verjaardagen op ") + FormatDateTime(QStringLiteral("dd/mm/yyyy"), Date()),
               MB_OK | MB_ICONINFORMATION);
}
