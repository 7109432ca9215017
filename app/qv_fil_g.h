#pragma once
// The pick window for the group the main window filters its persons on (see TPickForm).
// The main window fills it with the groups and their keys.
// Streamed from qv_fil_g.form.
#include "app/qv_pick.h"

class TFormFilterGroep : public TPickForm {
public:
    explicit TFormFilterGroep(TComponent* AOwner);

    // --- components of the form definition ---
    TFcListBox* FcListBoxFilterGroep = nullptr;
    TFcListBox* ChoiceList() const override { return FcListBoxFilterGroep; }
};
