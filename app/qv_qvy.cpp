#include "app/qv_qvy.h"

#include "app/qv_adres.h"
#include "app/qv_browa.h"
#include "app/qv_browg.h"
#include "app/qv_data.h"
#include "app/qv_groep.h"
#include "app/qv_index.h"
#include "app/qv_main.h"
#include "app/qv_overz.h"
#include "app/qv_sel_a.h"
#include "app/qv_sel_g.h"
#include "app/qv_toolb.h"
#include "app/qv_tstate.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/foundation/FcLabel.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcMemo.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabSheet.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/Fields.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/SpeedButton.h"

REGISTER_COMPONENT(TFormQuorvy, TForm)
    PUBLISHED_RECORD_FORM_PARTS
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_FIELD(FcPageControlQuorvy)
    PUBLISHED_FIELD(TabSheetNaam)
    PUBLISHED_FIELD(TabSheetContact)
    PUBLISHED_FIELD(TabSheetAdres)
    PUBLISHED_FIELD(TabSheetGroep)
    PUBLISHED_FIELD(TabSheetMemo)
    PUBLISHED_FIELD(FcDBComboBoxAanhef)
    PUBLISHED_FIELD(FcDBEditVoorvoegsel)
    PUBLISHED_FIELD(FcDBEditVoorletters)
    PUBLISHED_FIELD(FcDBEditRoepnaam)
    PUBLISHED_FIELD(FcDBEditTussenvoegsel)
    PUBLISHED_FIELD(FcDBEditAchternaam)
    PUBLISHED_FIELD(FcDBEditAchtervoegsel)
    PUBLISHED_FIELD(FcDBRadioGroupGender)
    PUBLISHED_FIELD(FcDBEditGeboortedatum)
    PUBLISHED_FIELD(FcDBEditNationaliteit)
    PUBLISHED_FIELD(FcDBEditMobiel)
    PUBLISHED_FIELD(FcDBEditTelefoonWerk)
    PUBLISHED_FIELD(FcLabelEmailAdres1)
    PUBLISHED_FIELD(FcDBEditEmailAdres1)
    PUBLISHED_FIELD(FcLabelEmailAdres2)
    PUBLISHED_FIELD(FcDBEditEmailAdres2)
    PUBLISHED_FIELD(FcDBEditSkypeID)
    PUBLISHED_FIELD(FcDBEditMSNID)
    PUBLISHED_FIELD(FcLabelWebsite)
    PUBLISHED_FIELD(FcDBEditWebsite)
    PUBLISHED_FIELD(FcLabelStraatnaamWaarde)
    PUBLISHED_FIELD(FcLabelHuisnummerWaarde)
    PUBLISHED_FIELD(FcLabelToevoegingWaarde)
    PUBLISHED_FIELD(FcLabelPostcodeWaarde)
    PUBLISHED_FIELD(FcLabelZIPCodeWaarde)
    PUBLISHED_FIELD(FcLabelWoonplaatsWaarde)
    PUBLISHED_FIELD(FcLabelLandWaarde)
    PUBLISHED_FIELD(FcLabelTelefoon1Waarde)
    PUBLISHED_FIELD(FcLabelTelefoon2Waarde)
    PUBLISHED_FIELD(FcMemoAdresOpmerkingen)
    PUBLISHED_FIELD(FcLabelGeenAdres)
    PUBLISHED_FIELD(FcLabelGeenAdresUitleg)
    PUBLISHED_FIELD(FcToolbarAdres)
    PUBLISHED_FIELD(FcToolButtonSelecteerAdres)
    PUBLISHED_FIELD(FcToolButtonNieuwAdres)
    PUBLISHED_FIELD(FcToolButtonVerwijderAdres)
    PUBLISHED_FIELD(FcToolButtonBeheerAdressen)
    PUBLISHED_FIELD(FcToolButtonGoogleMaps)
    PUBLISHED_FIELD(FcLabelGroepNaamWaarde)
    PUBLISHED_FIELD(FcMemoGroepText)
    PUBLISHED_FIELD(FcLabelGeenGroep)
    PUBLISHED_FIELD(FcLabelGeenGroepUitleg)
    PUBLISHED_FIELD(FcToolbarGroep)
    PUBLISHED_FIELD(FcToolButtonSelecteerGroep)
    PUBLISHED_FIELD(FcToolButtonNieuweGroep)
    PUBLISHED_FIELD(FcToolButtonVerwijderGroep)
    PUBLISHED_FIELD(FcToolButtonBeheerGroepen)
    PUBLISHED_FIELD(FcDBEditDatumActief)
    PUBLISHED_FIELD(FcDBEditDatumInactief)
    PUBLISHED_FIELD(SpeedButtonEmptyDatumAanmelding)
    PUBLISHED_FIELD(FcDBMemoOpmerkingen)
    PUBLISHED_FIELD(SpeedButtonPrint)
    PUBLISHED_METHOD(SpeedButtonPrintClick)
    PUBLISHED_METHOD(SpeedButtonEmptyDatumAanmeldingClick)
    PUBLISHED_METHOD(FcLabelEmailAdres1Click)
    PUBLISHED_METHOD(FcLabelEmailAdres2Click)
    PUBLISHED_METHOD(FcLabelWebsiteClick)
    PUBLISHED_METHOD(FcToolButtonSelecteerAdresClick)
    PUBLISHED_METHOD(FcToolButtonSelecteerGroepClick)
    PUBLISHED_METHOD(FcToolButtonNieuwAdresClick)
    PUBLISHED_METHOD(FcToolButtonNieuweGroepClick)
    PUBLISHED_METHOD(FcToolButtonVerwijderAdresClick)
    PUBLISHED_METHOD(FcToolButtonVerwijderGroepClick)
    PUBLISHED_METHOD(FcToolButtonBeheerAdressenClick)
    PUBLISHED_METHOD(FcToolButtonBeheerGroepenClick)
    PUBLISHED_METHOD(FcToolButtonGoogleMapsClick)
END_REGISTER

namespace {

TClientDataSet* PersonTable()
{
    return DataModuleMain->cdsQuorvy;
}

TField* PersonField(const char* Name)
{
    return PersonTable()->FieldByName(QLatin1String(Name));
}

String FieldText(TDataSet* Table, const char* FieldName)
{
    return Table->FieldByName(QLatin1String(FieldName))->AsString();
}

// The record of Table whose key the person's Link field holds becomes
// current; -1 and an empty link refer to nothing.
bool FindLinked(TClientDataSet* Table, const char* Link)
{
    TField* Field = PersonField(Link);
    if (Field->IsNull() || Field->AsInteger() <= -1)
        return false;
    return Table->FindKey({Variant(Field->AsInteger())});
}

// Offers every record of Table (in key order, each as Line makes it) in
// the pick window T, starting on the item Shown when the person is linked
// (Link field above -1), else on the first.  True when one was picked: it
// is then the table's current record.  Two records with the same text are
// told apart by their keys.
template <typename T>
bool PickLinked(TFormQuorvy* Owner, TClientDataSet* Table, const char* KeyField,
                const std::function<String(TDataSet*)>& Line, const String& Shown)
{
    std::unique_ptr<T, TComponentDeleter> Pick(CreateComponent<T>(Owner));
    const String Key = QLatin1String(KeyField);
    const TIndexScope Order(Table, Key + QStringLiteral("_ASC"));
    {
        const TTableState Walk(Table);
        for (Table->First(); !Table->Eof(); Table->Next())
            Pick->AddChoice(Line(Table), Table->FieldByName(Key)->AsInteger());
    }
    Pick->SelectText(PersonField(KeyField)->AsInteger() < 0 ? String() : Shown);
    Pick->ShowModal();
    if (Trim(Pick->SelectedText).isEmpty() || Pick->SelectedKey < 0)
        return false;
    return Table->FindKey({Variant(Pick->SelectedKey)});
}

// A new record of Table in its record window T; true when it was posted
// (and is the table's current record).
template <typename T>
bool AddLinked(TFormQuorvy* Owner, TClientDataSet* Table)
{
    Table->Insert();
    try {
        return ExecuteRecordForm<T>(Owner, true);
    } catch (...) {
        Table->Cancel();
        throw;
    }
}

void ShowInvalid(const String& Text)
{
    MessageBox(Text, QStringLiteral("Foutieve invoer"), MB_OK | MB_ICONERROR);
}

void RefuseToOpen(const String& Text, const String& What)
{
    MessageBox(QLatin1Char('"') + QuotedInput(Trim(Text)) + QStringLiteral("\" is geen ") + What
                   + QStringLiteral(" en wordt niet geopend."),
               QStringLiteral("Openen niet mogelijk"), MB_OK | MB_ICONWARNING);
}

} // namespace

TFormQuorvy::TFormQuorvy(TComponent* AOwner)
    : TRecordForm(AOwner,
                  {&TDataModuleMain::cdsQuorvy, &TDataModuleMain::LastQuorvyID, "ID_QUORVY", "Toevoegen nieuw Contact"})
{}

// --- the window --------------------------------------------------------------------

void TFormQuorvy::FormCreate(TObject* Sender)
{
    TRecordForm::FormCreate(Sender);
    SpeedButtonPrint->SetVisible(!IsNew);
}

String TFormQuorvy::RecordCaption() const
{
    return QStringLiteral("Wijzigen gegevens van ")
        + ToolBox::PersonDisplayName(FieldValue("AANHEF"), FieldValue("ROEP_NAAM"), FieldValue("TUSSEN_VOEGSEL"),
                                     FieldValue("ACHTER_NAAM"));
}

bool TFormQuorvy::ValidateInput()
{
    if (Trim(FieldValue("ACHTER_NAAM")).isEmpty()) {
        ShowInvalid(QStringLiteral("U dient een achternaam in te voeren!"));
        FcPageControlQuorvy->SetActivePage(TabSheetNaam);
        if (FcDBEditAchternaam->CanFocus())
            FcDBEditAchternaam->SetFocus();
        return false;
    }
    // A date shows as "dd/mm/yyyy"; an empty one as an empty text.
    if (Trim(FieldValue("DATUM_ACTIEF")).size() < 10) {
        ShowInvalid(QStringLiteral("U dient een geldige activeringsdatum in te voeren!!"));
        FcPageControlQuorvy->SetActivePage(TabSheetMemo);
        if (FcDBEditDatumActief->CanFocus())
            FcDBEditDatumActief->SetFocus();
        return false;
    }
    return true;
}

void TFormQuorvy::RecordShownAgain()
{
    if (PersonTable()->State() != dsEdit)
        return;
    ShowAddress(FindLinked(DataModuleMain->cdsAdres, "ID_ADRES"));
    ShowGroup(FindLinked(DataModuleMain->cdsGroep, "ID_GROEP"));
}

// --- the address and group pages ---------------------------------------------------

void TFormQuorvy::ShowAddress(bool Linked)
{
    FcLabelGeenAdres->SetVisible(!Linked);
    FcLabelGeenAdresUitleg->SetVisible(!Linked);
    FcToolButtonGoogleMaps->SetEnabled(Linked);
    TClientDataSet* A = DataModuleMain->cdsAdres;
    auto Value = [&](const char* FieldName) { return Linked ? FieldText(A, FieldName) : String(); };
    PersonField("ID_ADRES")->SetAsInteger(Linked ? A->FieldByName(QStringLiteral("ID_ADRES"))->AsInteger() : -1);
    FcLabelStraatnaamWaarde->SetCaption(Value("STRAAT_NAAM"));
    FcLabelHuisnummerWaarde->SetCaption(Value("HUIS_NUMMER"));
    FcLabelToevoegingWaarde->SetCaption(Value("TOEVOEGING"));
    FcLabelPostcodeWaarde->SetCaption(Linked ? ToolBox::PostcodeText(Value("POSTCODE")) : String());
    FcLabelZIPCodeWaarde->SetCaption(Value("ZIP_CODE"));
    FcLabelWoonplaatsWaarde->SetCaption(Value("WOON_PLAATS"));
    FcLabelLandWaarde->SetCaption(Value("LAND"));
    FcLabelTelefoon1Waarde->SetCaption(Value("TELEFOON_NUMMER_1"));
    FcLabelTelefoon2Waarde->SetCaption(Value("TELEFOON_NUMMER_2"));
    FcMemoAdresOpmerkingen->SetText(Value("OPMERKINGEN"));
}

void TFormQuorvy::ShowGroup(bool Linked)
{
    FcLabelGeenGroep->SetVisible(!Linked);
    FcLabelGeenGroepUitleg->SetVisible(!Linked);
    TClientDataSet* G = DataModuleMain->cdsGroep;
    PersonField("ID_GROEP")->SetAsInteger(Linked ? G->FieldByName(QStringLiteral("ID_GROEP"))->AsInteger() : -1);
    FcLabelGroepNaamWaarde->SetCaption(Linked ? FieldText(G, "GROEP_NAAM") : String());
    FcMemoGroepText->SetText(Linked ? FieldText(G, "GROEP_TEXT") : String());
}

void TFormQuorvy::FcToolButtonVerwijderAdresClick(TObject* Sender)
{
    (void)Sender;
    ShowAddress(false);
}

void TFormQuorvy::FcToolButtonVerwijderGroepClick(TObject* Sender)
{
    (void)Sender;
    ShowGroup(false);
}

void TFormQuorvy::FcToolButtonSelecteerAdresClick(TObject* Sender)
{
    (void)Sender;
    const auto Line = [](TDataSet* A) {
        return ToolBox::AddressLine(FieldText(A, "STRAAT_NAAM"), FieldText(A, "HUIS_NUMMER"),
                                    FieldText(A, "TOEVOEGING"), FieldText(A, "WOON_PLAATS"));
    };
    const String Shown = ToolBox::AddressLine(FcLabelStraatnaamWaarde->Caption(), FcLabelHuisnummerWaarde->Caption(),
                                              FcLabelToevoegingWaarde->Caption(), FcLabelWoonplaatsWaarde->Caption());
    if (PickLinked<TFormSelecteerAdres>(this, DataModuleMain->cdsAdres, "ID_ADRES", Line, Shown))
        ShowAddress(true);
}

void TFormQuorvy::FcToolButtonSelecteerGroepClick(TObject* Sender)
{
    (void)Sender;
    const auto Line = [](TDataSet* G) { return FieldText(G, "GROEP_NAAM"); };
    if (PickLinked<TFormSelecteerGroep>(this, DataModuleMain->cdsGroep, "ID_GROEP", Line,
                                        FcLabelGroepNaamWaarde->Caption()))
        ShowGroup(true);
}

void TFormQuorvy::FcToolButtonNieuwAdresClick(TObject* Sender)
{
    (void)Sender;
    if (AddLinked<TFormAdres>(this, DataModuleMain->cdsAdres))
        ShowAddress(true);
}

void TFormQuorvy::FcToolButtonNieuweGroepClick(TObject* Sender)
{
    (void)Sender;
    if (AddLinked<TFormGroep>(this, DataModuleMain->cdsGroep))
        ShowGroup(true);
}

void TFormQuorvy::FcToolButtonBeheerAdressenClick(TObject* Sender)
{
    (void)Sender;
    ShowBrowseAdres(this, IsNew);
    KeepEditing();
}

void TFormQuorvy::FcToolButtonBeheerGroepenClick(TObject* Sender)
{
    (void)Sender;
    ShowBrowseGroep(this, IsNew);
    KeepEditing();
}

void TFormQuorvy::KeepEditing()
{
    // The list windows leave the person alone; should anything have ended
    // the edit, the window goes on editing the person it shows.
    if (!IsNew && PersonTable()->State() == dsBrowse)
        PersonTable()->Edit();
}

void TFormQuorvy::FcToolButtonGoogleMapsClick(TObject* Sender)
{
    (void)Sender;
    if (FindLinked(DataModuleMain->cdsAdres, "ID_ADRES"))
        ShellOpenAddress(Handle(), DataModuleMain->MapLookupAddress());
}

// --- the Memo page -----------------------------------------------------------------

void TFormQuorvy::SpeedButtonEmptyDatumAanmeldingClick(TObject* Sender)
{
    (void)Sender;
    PersonField("DATUM_INACTIEF")->SetAsString(String());
    if (FcDBEditDatumInactief->CanFocus())
        FcDBEditDatumInactief->SetFocus();
}

// --- links to the desktop ----------------------------------------------------------

void TFormQuorvy::OpenMail(TFcDBEdit* Edit)
{
    TakeTypedText();
    const String Address = Edit->Field()->AsString();
    if (Trim(Address).isEmpty())
        return;
    const String Target = ContactOverview::MailTarget(Address);
    if (Target.isEmpty())
        RefuseToOpen(Address, QStringLiteral("e-mailadres"));
    else
        ShellOpenAddress(Handle(), Target);
}

void TFormQuorvy::FcLabelEmailAdres1Click(TObject* Sender)
{
    (void)Sender;
    OpenMail(FcDBEditEmailAdres1);
}

void TFormQuorvy::FcLabelEmailAdres2Click(TObject* Sender)
{
    (void)Sender;
    OpenMail(FcDBEditEmailAdres2);
}

void TFormQuorvy::FcLabelWebsiteClick(TObject* Sender)
{
    (void)Sender;
    TakeTypedText();
    const String Site = FieldText(PersonTable(), "WEBSITE");
    if (Trim(Site).isEmpty())
        return;
    const String Target = ContactOverview::WebSiteTarget(Site);
    if (Target.isEmpty())
        RefuseToOpen(Site, QStringLiteral("webadres"));
    else
        ShellOpenAddress(Handle(), Target);
}

void TFormQuorvy::SpeedButtonPrintClick(TObject* Sender)
{
    (void)Sender;
    TakeTypedText();
    ContactOverview::Show(FormMain != nullptr ? FormMain->Handle() : Handle());
}
