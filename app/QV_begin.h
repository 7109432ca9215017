#pragma once
// The first-start window: how to begin with Quorvy®, opened from the start
// page.  Streamed from QV_begin.form.
#include "platform/forms/Forms.h"

class TFormBegin : public TForm {
public:
    explicit TFormBegin(TComponent* AOwner);
};
