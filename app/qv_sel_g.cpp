#include "app/qv_sel_g.h"

#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcListBox.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormSelecteerGroep, TForm)
    PUBLISHED_FIELD(FcListBoxSelecteerGroep)
    PUBLISHED_METHOD_AS(FcListBoxSelecteerGroepClick, ChoiceListClick)
    PUBLISHED_PICK_FORM_PARTS
    PUBLISHED_PICK_FORM_NEW
END_REGISTER

TFormSelecteerGroep::TFormSelecteerGroep(TComponent* AOwner) : TPickForm(AOwner, "FcToolButtonNieuweGroepClick")
{}
