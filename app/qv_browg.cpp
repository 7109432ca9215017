#include "app/qv_browg.h"

#include "app/qv_groep.h"
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

REGISTER_COMPONENT(TFormBrowseGroep, TForm)
    PUBLISHED_FIELD(FcDBGridGroep)
    PUBLISHED_BROWSE_FORM_PARTS
    PUBLISHED_METHOD_AS(FcDBGridGroepTitleClick, GridTitleClick)
END_REGISTER

TFormBrowseGroep* FormBrowseGroep = nullptr;

namespace {

const TBrowseForm::TBrowseKind GroepKind = {
    &TDataModuleMain::cdsGroep,
    &TDataModuleMain::DataSourceGroep,
    &TDataModuleMain::DataSourceGroepDataChange,
    &TDataModuleMain::ParticipantsListFill,
    {{"Groep naam", "GROEP_NAAM"}},
    "Zoeken naar een groepnaam",
    "Wilt u de geselecteerde groep werkelijk verwijderen?",
    "Verwijderen Groep",
    "Behorende tot Groep",
    "Deelnemers aan ",
    "Groepgegevens",
    "OpmerkingenGroep",
    "GROEP_TEXT",
    "Deelnemers",
    "Naam deelnemer #",
};

} // namespace

TFormBrowseGroep::TFormBrowseGroep(TComponent* AOwner) : TBrowseForm(AOwner, GroepKind)
{}

void TFormBrowseGroep::ShowRecordForm(bool IsNew)
{
    ExecuteRecordForm<TFormGroep>(this, IsNew);
}

String TFormBrowseGroep::PageTopic() const
{
    return FieldValue("GROEP_NAAM");
}

std::vector<std::pair<String, String>> TFormBrowseGroep::PageRows() const
{
    return {{QStringLiteral("Groep naam"), FieldValue("GROEP_NAAM")}};
}

void ShowBrowseGroep(TComponent* Owner, bool FromNewContact)
{
    ExecuteBrowseForm(Owner, FromNewContact, FormBrowseGroep, DataModuleMain->cdsGroep,
                      QStringLiteral("GROEP_NAAM_ASC"));
}
