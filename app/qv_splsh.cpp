#include "app/qv_splsh.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFormSplash, TForm)
END_REGISTER

TFormSplash* FormSplash = nullptr;

TFormSplash::TFormSplash(TComponent* AOwner) : TForm(AOwner)
{}
