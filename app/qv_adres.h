#pragma once
// The address form: one address of the open contact file added or changed
// in the current record of cdsAdres (see TRecordForm for the pattern), and
// the current address looked up on the map service.  Streamed from
// qv_adres.form.
//
// A new address: Insert on cdsAdres, then
//     CreateComponent<TFormAdres>(Owner, [](TFormAdres* F) { F->IsNew = true; })
// ShowModal, read Saved, Free.
#include "app/qv_recform.h"

class TFcDBEdit;
class TFcDBMemo;
class TFcGroupBox;
class TFcLabel;
class TSpeedButton;

class TFormAdres : public TRecordForm {
public:
    explicit TFormAdres(TComponent* AOwner);

    // --- components of the form definition ---
    TFcLabel* FcLabelStraatnaam = nullptr;
    TFcDBEdit* FcDBEditStraatnaam = nullptr;
    TFcLabel* FcLabelHuisnummer = nullptr;
    TFcDBEdit* FcDBEditHuisnummer = nullptr;
    TFcLabel* FcLabelToevoeging = nullptr;
    TFcDBEdit* FcDBEditToevoeging = nullptr;
    TFcLabel* FcLabelPostcode = nullptr;
    TFcDBEdit* FcDBEditPostcode = nullptr;
    TFcLabel* FcLabelZIPCode = nullptr;
    TFcDBEdit* FcDBEditZIPCode = nullptr;
    TFcLabel* FcLabelWoonplaats = nullptr;
    TFcDBEdit* FcDBEditWoonplaats = nullptr;
    TFcLabel* FcLabelLand = nullptr;
    TFcDBEdit* FcDBEditLand = nullptr;
    TFcLabel* FcLabelTelefoon1 = nullptr;
    TFcDBEdit* FcDBEditTelefoon1 = nullptr;
    TFcLabel* FcLabelTelefoon2 = nullptr;
    TFcDBEdit* FcDBEditTelefoon2 = nullptr;
    TFcGroupBox* FcGroupBoxOpmerkingen = nullptr;
    TFcDBMemo* FcDBMemoOpmerkingen = nullptr;
    TSpeedButton* SpeedButtonGoogleMaps = nullptr;

    // The map button too only for an existing address.
    void FormCreate(TObject* Sender);
    // The current address on the map: the map template's address, else the
    // map service's search.  Only a web address is handed on.
    void SpeedButtonGoogleMapsClick(TObject* Sender);
    // Street, house number and place are required, in that order.
    bool ValidateInput() override;

protected:
    String RecordCaption() const override;
};
