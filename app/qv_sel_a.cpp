#include "app/qv_sel_a.h"

#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcListBox.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormSelecteerAdres, TForm)
    PUBLISHED_FIELD(FcListBoxSelecteerAdres)
    PUBLISHED_METHOD_AS(FcListBoxSelecteerAdresClick, ChoiceListClick)
    PUBLISHED_PICK_FORM_PARTS
    PUBLISHED_PICK_FORM_NEW
END_REGISTER

TFormSelecteerAdres::TFormSelecteerAdres(TComponent* AOwner) : TPickForm(AOwner, "FcToolButtonNieuwAdresClick")
{}
