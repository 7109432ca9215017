#include "app/qv_browa.h"

#include "app/qv_adres.h"
#include "app/qv_toolb.h"
#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcListBox.h"
#include "platform/actions/Menus.h"
#include "platform/forms/AppEvnts.h"
#include "platform/stdctrls/Splitter.h"

REGISTER_COMPONENT(TFormBrowseAdres, TForm)
    PUBLISHED_FIELD(FcDBGridAdres)
    PUBLISHED_BROWSE_FORM_PARTS
    PUBLISHED_METHOD_AS(FcDBGridAdresTitleClick, GridTitleClick)
END_REGISTER

TFormBrowseAdres* FormBrowseAdres = nullptr;

namespace {

const TBrowseForm::TBrowseKind AdresKind = {
    &TDataModuleMain::cdsAdres,
    &TDataModuleMain::DataSourceAdres,
    &TDataModuleMain::DataSourceAdresDataChange,
    &TDataModuleMain::ResidentsListFill,
    {{"Straatnaam", "STRAAT_NAAM"},
     {"Huisnummer", "HUIS_NUMMER"},
     {"Toevoeging", "TOEVOEGING"},
     {"Postcode", "POSTCODE"},
     {"ZIP Code", "ZIP_CODE"},
     {"Woonplaats", "WOON_PLAATS"},
     {"Land", "LAND"},
     {"Telefoonnummer #1", "TELEFOON_NUMMER_1"},
     {"Telefoonnummer #2", "TELEFOON_NUMMER_2"}},
    "",
    "Wilt u het geselecteerde adres werkelijk verwijderen?",
    "Verwijderen Adres",
    "Bewoner van Adres",
    "Bewoners van ",
    "Adresgegevens",
    "OpmerkingenAdres",
    "OPMERKINGEN",
    "Bewoners",
    "Naam bewoner #",
};

} // namespace

TFormBrowseAdres::TFormBrowseAdres(TComponent* AOwner) : TBrowseForm(AOwner, AdresKind)
{}

void TFormBrowseAdres::ShowRecordForm(bool IsNew)
{
    ExecuteRecordForm<TFormAdres>(this, IsNew);
}

String TFormBrowseAdres::PageTopic() const
{
    return ToolBox::AddressLine(FieldValue("STRAAT_NAAM"), FieldValue("HUIS_NUMMER"), FieldValue("TOEVOEGING"),
                                FieldValue("WOON_PLAATS"));
}

std::vector<std::pair<String, String>> TFormBrowseAdres::PageRows() const
{
    return {
        {QStringLiteral("Straatnaam"), FieldValue("STRAAT_NAAM")},
        {QStringLiteral("Huisnummer"), FieldValue("HUIS_NUMMER")},
        {QStringLiteral("Toevoeging"), FieldValue("TOEVOEGING")},
        // "1234AB" shows as "1234 AB".
        {QStringLiteral("Postcode"), ToolBox::PostcodeText(FieldValue("POSTCODE"))},
        {QStringLiteral("ZIP Code"), FieldValue("ZIP_CODE")},
        {QStringLiteral("Woonplaats"), FieldValue("WOON_PLAATS")},
        {QStringLiteral("Land"), FieldValue("LAND")},
        {QStringLiteral("Telefoonnummer #1"), FieldValue("TELEFOON_NUMMER_1")},
        {QStringLiteral("Telefoonnummer #2"), FieldValue("TELEFOON_NUMMER_2")},
    };
}

void ShowBrowseAdres(TComponent* Owner, bool FromNewContact)
{
    ExecuteBrowseForm(Owner, FromNewContact, FormBrowseAdres, DataModuleMain->cdsAdres,
                      QStringLiteral("STRAAT_NAAM_ASC"));
}
