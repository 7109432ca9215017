#include "app/qv_rap_f.h"

#include "app/qv_data.h"
#include "app/qv_repfile.h"
#include "app/qv_tstate.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/lists/FcChkLst.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcSpinEdit.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/SpeedButton.h"

REGISTER_COMPONENT(TFormFullReport, TForm)
    PUBLISHED_FIELD(FcGroupBoxVelden)
    PUBLISHED_FIELD(FcCheckListBeschikbareVelden)
    PUBLISHED_FIELD(SpeedButtonSelectAll)
    PUBLISHED_FIELD(SpeedButtonSelectNone)
    PUBLISHED_FIELD(FcGroupBoxTitel)
    PUBLISHED_FIELD(FcEditTitel)
    PUBLISHED_FIELD(FcGroupBoxBreedte)
    PUBLISHED_FIELD(FcSpinEditHTMLTableWidth)
    PUBLISHED_FIELD(FcGroupBoxPredefined)
    PUBLISHED_FIELD(FcComboBoxPredefined)
    PUBLISHED_FIELD(FcGroupBoxResult)
    PUBLISHED_FIELD(FcComboBoxResult)
    PUBLISHED_FIELD(FcCheckBoxClose)
    PUBLISHED_FIELD(FcBitBtnRun)
    PUBLISHED_FIELD(FcBitBtnClose)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(FcComboBoxPredefinedChange)
    PUBLISHED_METHOD(FcComboBoxResultChange)
    PUBLISHED_METHOD(SpeedButtonSelectAllClick)
    PUBLISHED_METHOD(SpeedButtonSelectNoneClick)
    PUBLISHED_METHOD(FcBitBtnRunClick)
    PUBLISHED_METHOD(FcBitBtnCloseClick)
END_REGISTER

namespace {

struct TPreset {
    const char* Title;
    int Width;
    std::vector<int> Items;
};

// The entries of "Voorgedefinieerde instellingen", in list order.
const std::vector<TPreset>& Presets()
{
    static const std::vector<TPreset> List = {
        {"Volledige Rapportage", 500, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                       16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 32}},
        {"Simpele NAW Lijst", 100, {0, 4, 5, 19, 20, 21, 24}},
        {"Simpele NAWPT Lijst", 100, {0, 4, 5, 19, 20, 21, 22, 24, 32}},
        {"Samengevoegde NAWT Lijst", 100, {30, 31, 32}},
        {"Telefoonlijst", 100, {0, 4, 5, 10, 26, 27}},
    };
    return List;
}

// " (Filter: "Groepnaam = <group>")" while the grid shows one group.
String FilterSuffix()
{
    if (DataModuleMain == nullptr || Trim(DataModuleMain->ActiveFilterName).isEmpty())
        return String();
    return QStringLiteral(" (Filter: \"Groepnaam = ") + DataModuleMain->ActiveFilterName + QStringLiteral("\")");
}

const char* const Extensions[] = {"html", "txt", "txt"};

} // namespace

TFormFullReport::TFormFullReport(TComponent* AOwner) : TForm(AOwner)
{}

void TFormFullReport::FormCreate(TObject* Sender)
{
    (void)Sender;
    FcCheckListBeschikbareVelden->SetItemIndex(0);
    FcComboBoxPredefined->SetItemIndex(0);
    FcComboBoxResult->SetItemIndex(0);
    FcComboBoxPredefinedChange(FcComboBoxPredefined);
}

void TFormFullReport::FcComboBoxPredefinedChange(TObject* Sender)
{
    (void)Sender;
    const int Entry = FcComboBoxPredefined->ItemIndex();
    if (Entry < 0 || Entry >= int(Presets().size()))
        return;
    const TPreset& Preset = Presets()[std::size_t(Entry)];
    FcEditTitel->SetText(QString::fromUtf8(Preset.Title) + FilterSuffix());
    FcSpinEditHTMLTableWidth->SetIntValue(Preset.Width);
    CheckAll(false);
    for (int Item : Preset.Items)
        FcCheckListBeschikbareVelden->SetItemChecked(Item, true);
}

void TFormFullReport::FcComboBoxResultChange(TObject* Sender)
{
    (void)Sender;
    // The title and width belong to the HTML page; the text formats keep
    // them for a later page.
    const bool Html = Format() == rfHtml;
    FcGroupBoxTitel->SetEnabled(Html);
    FcGroupBoxBreedte->SetEnabled(Html);
}

void TFormFullReport::CheckAll(bool Checked)
{
    for (int Item = 0; Item < ReportColumnCount; ++Item)
        if (Item != ReportHeadingItem)
            FcCheckListBeschikbareVelden->SetItemChecked(Item, Checked);
}

void TFormFullReport::SpeedButtonSelectAllClick(TObject* Sender)
{
    (void)Sender;
    CheckAll(true);
}

void TFormFullReport::SpeedButtonSelectNoneClick(TObject* Sender)
{
    (void)Sender;
    CheckAll(false);
}

std::vector<int> TFormFullReport::CheckedItems() const
{
    std::vector<int> Items;
    for (int Item = 0; Item < ReportColumnCount; ++Item)
        if (Item != ReportHeadingItem && FcCheckListBeschikbareVelden->ItemChecked(Item))
            Items.push_back(Item);
    return Items;
}

TReportFormat TFormFullReport::Format() const
{
    const int Entry = FcComboBoxResult->ItemIndex();
    return Entry == 1 ? rfFixedWidth : Entry == 2 ? rfCommaSeparated : rfHtml;
}

String TFormFullReport::WriteReport()
{
    TDataModuleMain* Data = DataModuleMain;
    // Each table goes back to its index and record whatever happens; the
    // report is read from the first person to the last.
    TTableState Persons(Data->cdsQuorvy);
    TTableState Addresses(Data->cdsAdres);
    TTableState Groups(Data->cdsGroep);
    Data->cdsAdres->SetIndexName(QStringLiteral("ID_ADRES_ASC"));
    Data->cdsGroep->SetIndexName(QStringLiteral("ID_GROEP_ASC"));
    const TReportFormat Kind = Format();
    TReportFile Out(QString::fromLatin1(Extensions[Kind]), Kind == rfHtml);
    TFullReportWriter Writer(Data->cdsQuorvy, Data->cdsAdres, Data->cdsGroep, CheckedItems());
    if (Kind == rfHtml)
        Writer.WriteHtml(FcEditTitel->Text(), int(FcSpinEditHTMLTableWidth->IntValue()), Out);
    else if (Kind == rfFixedWidth)
        Writer.WriteFixedWidth(Out);
    else
        Writer.WriteCommaSeparated(Out);
    Out.Close();
    // Only a file of ours is ever deleted at exit.
    Data->TempFiles->Add(Out.FileName());
    return Out.FileName();
}

String TFormFullReport::RunReport()
{
    TDataModuleMain* Data = DataModuleMain;
    // An empty table, not one whose cursor stands at its end: after the
    // grid went to its last row the report still lists everybody.
    if (Data == nullptr || !Data->Active || !Data->cdsQuorvy->Active() || Data->cdsQuorvy->IsEmpty())
        return String();
    const String FileName = WriteReport();
    ShellExecute(Handle(), QStringLiteral("open"), FileName, String(), String(), SW_SHOWNORMAL);
    return FileName;
}

void TFormFullReport::FcBitBtnRunClick(TObject* Sender)
{
    (void)Sender;
    if (RunReport().isEmpty())
        return;
    if (FcCheckBoxClose->Checked())
        Close();
}

void TFormFullReport::FcBitBtnCloseClick(TObject* Sender)
{
    (void)Sender;
    Close();
}
