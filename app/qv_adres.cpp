#include "app/qv_adres.h"

#include "app/qv_data.h"
#include "app/qv_toolb.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/foundation/FcLabel.h"
#include "controls/lists/FcDBEdit.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/ShellAPI.h"
#include "platform/stdctrls/SpeedButton.h"

REGISTER_COMPONENT(TFormAdres, TForm)
    PUBLISHED_FIELD(FcLabelStraatnaam)
    PUBLISHED_FIELD(FcDBEditStraatnaam)
    PUBLISHED_FIELD(FcLabelHuisnummer)
    PUBLISHED_FIELD(FcDBEditHuisnummer)
    PUBLISHED_FIELD(FcLabelToevoeging)
    PUBLISHED_FIELD(FcDBEditToevoeging)
    PUBLISHED_FIELD(FcLabelPostcode)
    PUBLISHED_FIELD(FcDBEditPostcode)
    PUBLISHED_FIELD(FcLabelZIPCode)
    PUBLISHED_FIELD(FcDBEditZIPCode)
    PUBLISHED_FIELD(FcLabelWoonplaats)
    PUBLISHED_FIELD(FcDBEditWoonplaats)
    PUBLISHED_FIELD(FcLabelLand)
    PUBLISHED_FIELD(FcDBEditLand)
    PUBLISHED_FIELD(FcLabelTelefoon1)
    PUBLISHED_FIELD(FcDBEditTelefoon1)
    PUBLISHED_FIELD(FcLabelTelefoon2)
    PUBLISHED_FIELD(FcDBEditTelefoon2)
    PUBLISHED_FIELD(FcGroupBoxOpmerkingen)
    PUBLISHED_FIELD(FcDBMemoOpmerkingen)
    PUBLISHED_FIELD(SpeedButtonGoogleMaps)
    PUBLISHED_RECORD_FORM_PARTS
    PUBLISHED_METHOD(SpeedButtonGoogleMapsClick)
END_REGISTER

TFormAdres::TFormAdres(TComponent* AOwner)
    : TRecordForm(AOwner,
                  {&TDataModuleMain::cdsAdres, &TDataModuleMain::LastAdresID, "ID_ADRES", "Toevoegen nieuw Adres"})
{}

String TFormAdres::RecordCaption() const
{
    const String Line = ToolBox::AddressLine(FieldValue("STRAAT_NAAM"), FieldValue("HUIS_NUMMER"),
                                             FieldValue("TOEVOEGING"), FieldValue("WOON_PLAATS"));
    return QStringLiteral("Wijzigen adres \"") + Line + QLatin1Char('"');
}

void TFormAdres::FormCreate(TObject* Sender)
{
    TRecordForm::FormCreate(Sender);
    SpeedButtonGoogleMaps->SetVisible(!IsNew);
}

bool TFormAdres::ValidateInput()
{
    return Require("STRAAT_NAAM", FcDBEditStraatnaam, QStringLiteral("U dient een straatnaam in te voeren!"))
        && Require("HUIS_NUMMER", FcDBEditHuisnummer, QStringLiteral("U dient een huisnummer in te voeren!"))
        && Require("WOON_PLAATS", FcDBEditWoonplaats, QStringLiteral("U dient een woonplaats in te voeren!"));
}

void TFormAdres::SpeedButtonGoogleMapsClick(TObject* Sender)
{
    (void)Sender;
    TakeTypedText();
    ShellOpenAddress(Handle(), DataModuleMain->MapLookupAddress());
}
