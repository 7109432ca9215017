#pragma once
// The group form: one group of the open contact file added or changed in
// the current record of cdsGroep (see TRecordForm for the pattern).
// Streamed from qv_groep.form.
//
// A new group: Insert on cdsGroep, then
//     CreateComponent<TFormGroep>(Owner, [](TFormGroep* F) { F->IsNew = true; })
// ShowModal, read Saved, Free.
#include "app/qv_recform.h"

class TFcDBEdit;
class TFcDBMemo;
class TFcGroupBox;

class TFormGroep : public TRecordForm {
public:
    explicit TFormGroep(TComponent* AOwner);

    // --- components of the form definition ---
    TFcGroupBox* FcGroupBoxGroepnaam = nullptr;
    TFcDBEdit* FcDBEditGroepnaam = nullptr;
    TFcGroupBox* FcGroupBoxGroeptekst = nullptr;
    TFcDBMemo* FcDBMemoGroeptekst = nullptr;
    // The group name is required.
    bool ValidateInput() override;

protected:
    String RecordCaption() const override;
};
