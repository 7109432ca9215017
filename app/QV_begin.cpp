#include "app/QV_begin.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormBegin, TForm)
END_REGISTER

TFormBegin::TFormBegin(TComponent* AOwner) : TForm(AOwner)
{}
