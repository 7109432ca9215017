#include "app/qv_birth.h"

#include "app/qv_data.h"
#include "app/qv_repfile.h"
#include "app/qv_toolb.h"
#include "app/qv_tstate.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcLabel.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcEdit.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/Fields.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"

#include <QHash>

REGISTER_COMPONENT(TFormBirthDays, TForm)
    PUBLISHED_FIELD(FcLabelMaand)
    PUBLISHED_FIELD(FcComboBoxMaand)
    PUBLISHED_FIELD(FcLabelJaar)
    PUBLISHED_FIELD(FcMaskEditJaar)
    PUBLISHED_FIELD(FcCheckBoxClose)
    PUBLISHED_FIELD(FcBitBtnOK)
    PUBLISHED_FIELD(FcBitBtnCancel)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(FcBitBtnOKClick)
    PUBLISHED_METHOD(FcBitBtnCancelClick)
END_REGISTER

namespace {

const String BirthdayCellStart = QStringLiteral("<TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">");
const String CellBreak = QStringLiteral("</FONT></TD><TD VALIGN=\"TOP\"><FONT FACE=\"Tahoma\" SIZE=\"-1\">");
const String BirthdayCellEnd = QStringLiteral("</FONT></TD>");

String HeaderCell(const char* Caption)
{
    return QStringLiteral("<TD VALIGN=\"TOP\" BGCOLOR=\"#0000CC\" HEIGHT=\"18\"><FONT COLOR=\"#FFFFCC\" "
                          "FACE=\"Tahoma\" SIZE=\"-1\"><B>")
        + QString::fromLatin1(Caption) + QStringLiteral("</B></FONT></TD>");
}

// The rows of the page, ordered by their text (day, then name, then age,
// without regard to case); a row equal to one already there is dropped.
// Rows are compared as the user reads them; what goes on the page has its
// name escaped.
class TBirthdayRows {
public:
    TBirthdayRows()
    {
        FRows.SetSorted(true);
        FRows.SetDuplicates(dupIgnore);
    }
    void Add(const String& Day, const String& Name, const String& Age)
    {
        const String Row = Day + CellBreak + Name + CellBreak + Age + BirthdayCellEnd;
        const int Before = FRows.Count();
        FRows.Add(Row);
        if (FRows.Count() > Before)
            FPageRows.insert(Row, Day + CellBreak + Name.toHtmlEscaped() + CellBreak + Age + BirthdayCellEnd);
    }
    void WriteTo(TReportFile& Out) const
    {
        for (const String& Row : FRows) {
            Out.Add(QStringLiteral("<TR>"));
            Out.Add(BirthdayCellStart + FPageRows.value(Row));
            Out.Add(QStringLiteral("</TR>"));
        }
    }

private:
    TStringList FRows;
    QHash<String, String> FPageRows;
};

// Adds the persons born in Month, as they are in Year, to Rows; returns
// how many there are.  Persons inactive before today are left out.
int CollectBirthdays(TClientDataSet* Persons, int Month, int Year, TBirthdayRows& Rows)
{
    Persons->SetIndexName(QStringLiteral("GEBOORTE_DATUM_ASC"));
    TField* Born = Persons->FieldByName(QStringLiteral("GEBOORTE_DATUM"));
    TField* Inactive = Persons->FieldByName(QStringLiteral("DATUM_INACTIEF"));
    TField* Salutation = Persons->FieldByName(QStringLiteral("AANHEF"));
    TField* CallName = Persons->FieldByName(QStringLiteral("ROEP_NAAM"));
    TField* Infix = Persons->FieldByName(QStringLiteral("TUSSEN_VOEGSEL"));
    TField* LastName = Persons->FieldByName(QStringLiteral("ACHTER_NAAM"));
    const TDateTime Today = Date();
    int Matches = 0;
    for (Persons->First(); !Persons->Eof(); Persons->Next()) {
        if ((!Inactive->IsNull() && Inactive->AsDateTime() < Today) || Born->IsNull())
            continue;
        std::uint16_t BornYear = 0, BornMonth = 0, BornDay = 0;
        DecodeDate(Born->AsDateTime(), BornYear, BornMonth, BornDay);
        if (BornMonth != Month)
            continue;
        ++Matches;
        // The day as it falls in Year, also a 29 February that year lacks.
        Rows.Add(FormatDateTime(QStringLiteral("dd/mm"), Born->AsDateTime()) + QLatin1Char('/') + QString::number(Year),
                 ToolBox::PersonDisplayName(Salutation->AsString(), CallName->AsString(), Infix->AsString(),
                                            LastName->AsString()),
                 QString::number(Year - int(BornYear)));
    }
    return Matches;
}

void WritePage(const String& MonthName, int Year, const TBirthdayRows& Rows, TReportFile& Out)
{
    for (const char* Line : {"<HTML>", "<HEAD>"})
        Out.Add(QString::fromLatin1(Line));
    Out.Add(QStringLiteral("<TITLE>Quorvy® 2023 - Verjaardagslijst ") + MonthName + QLatin1Char(' ')
            + QString::number(Year) + QStringLiteral("</TITLE>"));
    for (const char* Line :
         {"</HEAD>", "<BODY BGCOLOR=\"#FFFFCC\" TEXT=\"#000099\">", "<TABLE WIDTH=\"100%\" BORDER=\"1\">", "<TR>"})
        Out.Add(QString::fromLatin1(Line));
    for (const char* Caption : {"Datum", "Naam", "Leeftijd"})
        Out.Add(HeaderCell(Caption));
    Out.Add(QStringLiteral("</TR>"));
    Rows.WriteTo(Out);
    for (const char* Line : {"</TABLE>", "</BODY>", "</HTML>"})
        Out.Add(QString::fromLatin1(Line));
}

} // namespace

TFormBirthDays::TFormBirthDays(TComponent* AOwner) : TForm(AOwner)
{}

void TFormBirthDays::FormCreate(TObject* Sender)
{
    (void)Sender;
    std::uint16_t Year = 0, Month = 0, Day = 0;
    DecodeDate(Date(), Year, Month, Day);
    FcComboBoxMaand->SetItemIndex(Month - 1);
    FcMaskEditJaar->SetText(QString::number(Year));
}

bool TFormBirthDays::ReadYear(int& Year)
{
    if (TryStrToInt(Trim(FcMaskEditJaar->Text()), Year))
        return true;
    if (FcMaskEditJaar->CanFocus())
        FcMaskEditJaar->SetFocus();
    MessageBox(QStringLiteral("U dient een jaartal van vier cijfers in te voeren!"), QStringLiteral("Ongeldig jaar"),
               MB_OK | MB_ICONERROR);
    return false;
}

void TFormBirthDays::FcBitBtnOKClick(TObject* Sender)
{
    (void)Sender;
    if (DataModuleMain == nullptr || !DataModuleMain->Active)
        return;
    const int Month = FcComboBoxMaand->ItemIndex() + 1;
    int Year = 0;
    if (Month < 1 || !ReadYear(Year))
        return;
    int Matches = 0;
    const String FileName = WriteBirthdayList(Month, Year, Matches);
    if (Matches == 0)
        MessageBox(QStringLiteral("Geen verjaardagen in ") + FcComboBoxMaand->Items()->Strings(Month - 1)
                       + QLatin1Char(' ') + Trim(FcMaskEditJaar->Text()) + QLatin1Char('.'),
                   QStringLiteral("Geen Verjaardagen"), MB_OK | MB_ICONINFORMATION);
    else
        ShellExecute(Handle(), QStringLiteral("open"), FileName, String(), String(), SW_SHOWNORMAL);
    if (FcCheckBoxClose->Checked())
        Close();
}

void TFormBirthDays::FcBitBtnCancelClick(TObject* Sender)
{
    (void)Sender;
    Close();
}

String TFormBirthDays::WriteBirthdayList(int Month, int Year, int& Matches)
{
    // Back to the grid's own index and record however the run ends.
    TTableState Keep(DataModuleMain->cdsQuorvy);
    TReportFile Out(QStringLiteral("html"), true);
    TBirthdayRows Rows;
    Matches = CollectBirthdays(DataModuleMain->cdsQuorvy, Month, Year, Rows);
    WritePage(FcComboBoxMaand->Items()->Strings(Month - 1), Year, Rows, Out);
    Out.Close();
    DataModuleMain->TempFiles->Add(Out.FileName());
    return Out.FileName();
}
