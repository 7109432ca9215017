#include "app/qv_browse.h"

#include "app/qv_set.h"
#include "app/qv_toolb.h"
#include "app/qv_tstate.h"
#include "controls/foundation/FcStatus.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcListBox.h"
#include "platform/actions/Menus.h"
#include "platform/db/Fields.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/InputQuery.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/Splitter.h"

namespace {

const String SortDescendingMark = QStringLiteral("  \\/");

} // namespace

TBrowseForm::TBrowseForm(TComponent* AOwner, const TBrowseKind& Kind) : TForm(AOwner), FKind(Kind)
{}

void TBrowseForm::BeforeDestruction()
{
    // Freed without its close query (an error while it showed): the data
    // module must not fill a list that is gone.
    Unhook();
    TForm::BeforeDestruction();
}

TClientDataSet* TBrowseForm::Table() const
{
    return DataModuleMain->*FKind.Table;
}

String TBrowseForm::FieldValue(const char* FieldName) const
{
    return Table()->FieldByName(QString::fromLatin1(FieldName))->AsString();
}

// --- the window ---------------------------------------------------------------

void TBrowseForm::FormCreate(TObject* Sender)
{
    (void)Sender;
    FSortColumn = 0;
    FSortAscending = true;
    // A person not yet posted has no list of persons to be in.
    if (FromNewContact) {
        SplitterQuorvy->SetVisible(false);
        FcListBoxQuorvy->SetVisible(false);
        FcGroupRapportages->SetVisible(false);
        N3->SetVisible(false);
        ToonPersonen->SetVisible(false);
    }
    FcGroupBarMenu->SetExclusiveMode(Settings->Allow1Group2BOpen);
}

void TBrowseForm::FormShow(TObject* Sender)
{
    (void)Sender;
    if (FromNewContact || FHooked)
        return;
    FHooked = true;
    DataModuleMain->*FKind.ListFill = [this](const QStringList& Names) { FillPersonList(Names); };
    const auto DataChange = FKind.DataChange;
    (DataModuleMain->*FKind.Source)->SetOnDataChange([DataChange](TObject* Source, TField* Field) {
        (DataModuleMain->*DataChange)(Source, Field);
    });
    (DataModuleMain->*DataChange)(DataModuleMain->*FKind.Source, nullptr);
}

void TBrowseForm::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    (void)Sender;
    Unhook();
    CanClose = true;
}

void TBrowseForm::Unhook()
{
    if (!FHooked || DataModuleMain == nullptr)
        return;
    FHooked = false;
    (DataModuleMain->*FKind.Source)->SetOnDataChange(nullptr);
    DataModuleMain->*FKind.ListFill = nullptr;
}

void TBrowseForm::FillPersonList(const QStringList& Names)
{
    TStrings* Items = FcListBoxQuorvy->Items();
    Items->BeginUpdate();
    Items->Clear();
    for (const String& Name : Names)
        Items->Add(Name);
    Items->EndUpdate();
    if (Items->Count() > 0)
        FcListBoxQuorvy->SetItemIndex(0);
}

void TBrowseForm::ApplicationEventsBrowseHint(TObject* Sender)
{
    (void)Sender;
    FcStatusPane->SetCaption(Application->Hint());
}

// --- navigation, the group bar, closing ---------------------------------------

void TBrowseForm::FcGroupNavigateItems0Click(TObject* Sender)
{
    (void)Sender;
    Table()->First();
}

void TBrowseForm::FcGroupNavigateItems1Click(TObject* Sender)
{
    (void)Sender;
    Table()->Prior();
}

void TBrowseForm::FcGroupNavigateItems2Click(TObject* Sender)
{
    (void)Sender;
    Table()->Next();
}

void TBrowseForm::FcGroupNavigateItems3Click(TObject* Sender)
{
    (void)Sender;
    Table()->Last();
}

void TBrowseForm::FcGroupSluitenItems0Click(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TBrowseForm::VerbergMenupaneelClick(TObject* Sender)
{
    (void)Sender;
    FcGroupBarMenu->SetVisible(false);
}

void TBrowseForm::ToonMenupaneelClick(TObject* Sender)
{
    (void)Sender;
    FcGroupBarMenu->SetVisible(true);
}

void TBrowseForm::FcListBoxQuorvyDblClick(TObject* Sender)
{
    (void)Sender;
    if (FcListBoxQuorvy->Items()->Count() > 0)
        MessageBox(FcListBoxQuorvy->SelectedItem(), QString::fromUtf8(FKind.PersonCaption), MB_OK | MB_ICONINFORMATION);
}

// --- adding, changing, deleting -------------------------------------------------

void TBrowseForm::EditRecord(bool IsNew)
{
    TClientDataSet* T = Table();
    if (IsNew)
        T->Insert();
    else
        T->Edit();
    try {
        ShowRecordForm(IsNew);
    } catch (...) {
        T->Cancel();
        throw;
    }
    // The record window cancels whatever it did not post; so does this,
    // should it have gone without asking.
    T->Cancel();
}

void TBrowseForm::FcGroupEditItems0Click(TObject* Sender)
{
    (void)Sender;
    if (DataModuleMain->Active && Table()->Active())
        EditRecord(true);
}

void TBrowseForm::FcGroupEditItems1Click(TObject* Sender)
{
    (void)Sender;
    if (DataModuleMain->Active && Table()->Active() && !Table()->IsEmpty())
        EditRecord(false);
}

void TBrowseForm::FcGroupEditItems2Click(TObject* Sender)
{
    (void)Sender;
    if (!Table()->Active() || Table()->IsEmpty())
        return;
    if (MessageBox(QString::fromUtf8(FKind.DeleteQuestion), QString::fromUtf8(FKind.DeleteCaption),
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        == IDYES)
        Table()->Delete();
}

// --- sorting ----------------------------------------------------------------------

String TBrowseForm::ColumnTitle(int Column) const
{
    return QString::fromUtf8(FKind.Columns[std::size_t(Column)].Title);
}

String TBrowseForm::ColumnIndex(int Column, bool Ascending) const
{
    return QString::fromLatin1(FKind.Columns[std::size_t(Column)].Field)
        + (Ascending ? QStringLiteral("_ASC") : QStringLiteral("_DESC"));
}

void TBrowseForm::ShowSortedTitle(int Column, bool Sorted)
{
    TColumnTitle* Title = Grid()->Columns()->Items(Column)->Title();
    Title->SetColor(Sorted ? clBlue : clInfoBk);
    Title->Font()->SetColor(Sorted ? clInfoBk : clBlue);
    Title->SetCaption(ColumnTitle(Column));
}

void TBrowseForm::GridTitleClick(TColumn* Column)
{
    const int K = Column != nullptr ? Column->Index() : -1;
    if (!Table()->Active() || K < 0 || K >= int(FKind.Columns.size()))
        return;
    TTableState Keep(Table());
    if (K != FSortColumn) {
        // The index first: when it fails, titles and sort stay as they were.
        Table()->SetIndexName(ColumnIndex(K, true));
        ShowSortedTitle(FSortColumn, false);
        ShowSortedTitle(K, true);
        FSortColumn = K;
        FSortAscending = true;
    } else {
        Table()->SetIndexName(ColumnIndex(K, !FSortAscending));
        Column->Title()->SetCaption(FSortAscending ? ColumnTitle(K) + SortDescendingMark : ColumnTitle(K));
        FSortAscending = !FSortAscending;
    }
    Keep.Commit();
}

// --- searching --------------------------------------------------------------------

bool TBrowseForm::MakeAscending()
{
    if (FSortAscending)
        return true;
    if (MessageBox(QStringLiteral("Om te kunnen zoeken dient de index OPLOPEND te zijn.\r\nWilt u de huidige index nu "
                                  "oplopend sorteren?"),
                   QStringLiteral("Aflopende index"), MB_YESNOCANCEL | MB_ICONQUESTION)
        != IDYES)
        return false;
    TTableState Keep(Table());
    Table()->SetIndexName(ColumnIndex(FSortColumn, true));
    Grid()->Columns()->Items(FSortColumn)->Title()->SetCaption(ColumnTitle(FSortColumn));
    FSortAscending = true;
    Keep.Commit();
    return true;
}

bool TBrowseForm::AskSearchValue(String& Value)
{
    const String Title = ColumnTitle(FSortColumn);
    const String Caption = *FKind.SearchCaption != '\0' ? QString::fromUtf8(FKind.SearchCaption)
                                                        : QStringLiteral("Zoeken naar ") + ToolBox::Quoted(Title);
    Value = QLatin1Char('<') + Title + QLatin1Char('>');
    while (InputQuery(Caption, Title + QLatin1Char(':'), Value)) {
        if (!Trim(Value).isEmpty())
            return true;
        MessageBox(QStringLiteral("U dient een zoektekst in te voeren!"), QStringLiteral("Onvolledige invoer!"),
                   MB_OK | MB_ICONERROR);
    }
    return false;
}

void TBrowseForm::Search(const String& Value)
{
    TTableState Keep(Table());
    Table()->SetKey();
    // As typed: the blanks around it are part of what is looked for.
    Table()->FieldByName(QString::fromLatin1(FKind.Columns[std::size_t(FSortColumn)].Field))->SetAsString(Value);
    bool Found = true;
    if (Settings->ExactSearch)
        Found = Table()->GotoKey();
    else
        Table()->GotoNearest();
    Keep.Commit();
    if (!Found)
        MessageBox(QStringLiteral("Zoekargument ") + ToolBox::Quoted(QuotedInput(Value)) + QStringLiteral(" niet gevonden"),
                   QStringLiteral("Niet gevonden"), MB_OK | MB_ICONWARNING);
}

void TBrowseForm::FcGroupZoekenItems0Click(TObject* Sender)
{
    (void)Sender;
    String Value;
    if (Table()->Active() && MakeAscending() && AskSearchValue(Value))
        Search(Value);
}

// --- the page of the persons ---------------------------------------------------------

namespace {

const String CenterCell = QStringLiteral("<TD VALIGN=\"TOP\" ALIGN=\"CENTER\" WIDTH=\"50%\" COLSPAN=\"2\">");

void AddRow(QStringList& Lines, const QStringList& Cells)
{
    Lines << QStringLiteral("<TR>") << Cells << QStringLiteral("</TR>");
}

void AddSpacer(QStringList& Lines)
{
    AddRow(Lines, {CenterCell + QStringLiteral("&nbsp;</TD>")});
}

// Heading is HTML already.
void AddHeading(QStringList& Lines, const String& Heading)
{
    AddRow(Lines,
           {CenterCell + QStringLiteral("<FONT FACE=\"Tahoma\" COLOR=\"#6666CC\" SIZE=\"+1\"><B>") + Heading
            + QStringLiteral("</B></FONT></TD>")});
}

void AddField(QStringList& Lines, const String& Label, const String& Value)
{
    AddRow(Lines,
           {QStringLiteral("<TD VALIGN=\"TOP\" ALIGN=\"RIGHT\" WIDTH=\"50%\"><FONT FACE=\"Tahoma\"><B>")
                + Label.toHtmlEscaped() + QStringLiteral("</B></FONT></TD>"),
            QStringLiteral("<TD VALIGN=\"TOP\" ALIGN=\"LEFT\" WIDTH=\"50%\"><FONT FACE=\"Tahoma\">")
                + ToolBox::HtmlCellText(Value) + QStringLiteral("</FONT></TD>")});
}

} // namespace

QStringList TBrowseForm::PageLines()
{
    const String Subject = QString::fromUtf8(FKind.PageSubject) + ToolBox::Quoted(PageTopic()).toHtmlEscaped();
    QStringList Lines;
    Lines << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>")
          << QStringLiteral("<TITLE>Quorvy® 2023 - ") + Subject + QStringLiteral("</TITLE>")
          << QStringLiteral("</HEAD>") << QStringLiteral("<BODY>") << QStringLiteral("<FORM>")
          << QStringLiteral("<TABLE WIDTH=\"100%\" BGCOLOR=\"#FFFFCC\" BORDER=\"1\">");
    AddRow(Lines,
           {CenterCell + QStringLiteral("<FONT FACE=\"Tahoma\" COLOR=\"#CC3300\" SIZE=\"+2\"><B>") + Subject
            + QStringLiteral("</B></FONT></TD>")});
    AddSpacer(Lines);
    AddHeading(Lines, QString::fromUtf8(FKind.PageSection));
    for (const auto& [Label, Value] : PageRows())
        AddField(Lines, Label, Value);
    AddRow(Lines,
           {QStringLiteral("<TD VALIGN=\"TOP\" ALIGN=\"CENTER\" WIDTH=\"50%\" HEIGHT=\"21\" "
                           "COLSPAN=\"2\">&nbsp;</TD>")});
    AddRow(Lines,
           {CenterCell + QStringLiteral("<TEXTAREA NAME=\"") + QString::fromLatin1(FKind.RemarksName)
            + QStringLiteral("\" ROWS=\"5\" COLS=\"60\" WRAP=\"Physical\" READONLY=\"READONLY\">")
            + FieldValue(FKind.RemarksField).toHtmlEscaped() + QStringLiteral("</TEXTAREA></TD>")});
    AddSpacer(Lines);
    TStrings* Persons = FcListBoxQuorvy->Items();
    const String Heading = QString::fromUtf8(FKind.ListHeading);
    AddHeading(Lines, Persons->Count() > 0 ? Heading : Heading + QStringLiteral(" (GEEN)"));
    for (int I = 0; I < Persons->Count(); ++I)
        AddField(Lines, QString::fromUtf8(FKind.ListLabel) + QString::number(I + 1), Persons->Strings(I));
    AddSpacer(Lines);
    Lines << QStringLiteral("</TABLE>") << QStringLiteral("</FORM>") << QStringLiteral("</BODY>")
          << QStringLiteral("</HTML>");
    return Lines;
}

void TBrowseForm::FcGroupRapportagesItems0Click(TObject* Sender)
{
    (void)Sender;
    if (!Table()->Active())
        return;
    String FileName;
    {
        const TCursorScope Busy(crHourGlass);
        TStringList Page;
        Page.SetWriteBOM(true);
        for (const String& Line : PageLines())
            Page.Add(Line);
        FileName = ToolBox::TempFileName(QStringLiteral("html"));
        Page.SaveToFileExclusive(FileName);
        // Only a file this run made is deleted at the end of it.
        DataModuleMain->TempFiles->Add(FileName);
    }
    ShellExecute(Handle(), QStringLiteral("open"), FileName, String(), String(), SW_SHOWNORMAL);
}
