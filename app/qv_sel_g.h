#pragma once
// The pick window for an existing group to link to the person being edited (see TPickForm).
// The owner is the person form: "&Nieuw" calls its FcToolButtonNieuweGroepClick.
// Streamed from qv_sel_g.form.
#include "app/qv_pick.h"

class TFormSelecteerGroep : public TPickForm {
public:
    explicit TFormSelecteerGroep(TComponent* AOwner);

    // --- components of the form definition ---
    TFcListBox* FcListBoxSelecteerGroep = nullptr;
    TFcListBox* ChoiceList() const override { return FcListBoxSelecteerGroep; }
};
