#include "app/qv_groep.h"

#include "app/qv_data.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/lists/FcDBEdit.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormGroep, TForm)
    PUBLISHED_FIELD(FcGroupBoxGroepnaam)
    PUBLISHED_FIELD(FcDBEditGroepnaam)
    PUBLISHED_FIELD(FcGroupBoxGroeptekst)
    PUBLISHED_FIELD(FcDBMemoGroeptekst)
    PUBLISHED_RECORD_FORM_PARTS
END_REGISTER

TFormGroep::TFormGroep(TComponent* AOwner)
    : TRecordForm(AOwner,
                  {&TDataModuleMain::cdsGroep, &TDataModuleMain::LastGroepID, "ID_GROEP", "Toevoegen nieuwe Groep"})
{}

String TFormGroep::RecordCaption() const
{
    return QStringLiteral("Wijzigen groep \"") + FieldValue("GROEP_NAAM") + QLatin1Char('"');
}

bool TFormGroep::ValidateInput()
{
    return Require("GROEP_NAAM", FcDBEditGroepnaam, QStringLiteral("U dient een groepnaam in te voeren!"));
}
