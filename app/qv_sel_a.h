#pragma once
// The pick window for an existing address to link to the person being edited (see TPickForm).
// The owner is the person form: "&Nieuw" calls its FcToolButtonNieuwAdresClick.
// Streamed from qv_sel_a.form.
#include "app/qv_pick.h"

class TFormSelecteerAdres : public TPickForm {
public:
    explicit TFormSelecteerAdres(TComponent* AOwner);

    // --- components of the form definition ---
    TFcListBox* FcListBoxSelecteerAdres = nullptr;
    TFcListBox* ChoiceList() const override { return FcListBoxSelecteerAdres; }
};
