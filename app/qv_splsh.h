#pragma once
// The splash window shown while the program starts: the program's name,
// its year and its makers.  Streamed from qv_splsh.form; no code of its own.
#include "platform/forms/Forms.h"

class TFormSplash : public TForm {
public:
    explicit TFormSplash(TComponent* AOwner);
};

extern TFormSplash* FormSplash;
