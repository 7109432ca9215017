#include "app/qv_fil_g.h"

#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcListBox.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormFilterGroep, TForm)
    PUBLISHED_FIELD(FcListBoxFilterGroep)
    PUBLISHED_METHOD_AS(FcListBoxFilterGroepClick, ChoiceListClick)
    PUBLISHED_PICK_FORM_PARTS
END_REGISTER

TFormFilterGroep::TFormFilterGroep(TComponent* AOwner) : TPickForm(AOwner, nullptr)
{}
