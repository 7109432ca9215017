#pragma once
// The birthday list ("Afdrukken Verjaardagslijst"): asks for a month and a
// year and writes an HTML page of the persons of the open contact file whose
// birthday falls in that month, with that year's date of the birthday,
// their name and the age they reach that year; the desktop then opens it.
// Streamed from qv_birth.form.
//
// The year is checked before anything is touched: a year that is not a
// whole number is refused with a message and the grid stays as it was.  A
// run that fails later puts the person grid back on its index, record,
// controls and cursor and leaves no half-written page behind.  Names are
// HTML-escaped on the page.
#include "platform/forms/Forms.h"

class TFcBitBtn;
class TFcCheckBox;
class TFcComboBox;
class TFcLabel;
class TFcMaskEdit;

class TFormBirthDays : public TForm {
public:
    explicit TFormBirthDays(TComponent* AOwner);

    TFcLabel* FcLabelMaand = nullptr;
    TFcComboBox* FcComboBoxMaand = nullptr;
    TFcLabel* FcLabelJaar = nullptr;
    TFcMaskEdit* FcMaskEditJaar = nullptr;
    TFcCheckBox* FcCheckBoxClose = nullptr;
    TFcBitBtn* FcBitBtnOK = nullptr;
    TFcBitBtn* FcBitBtnCancel = nullptr;

    void FormCreate(TObject* Sender);
    void FcBitBtnOKClick(TObject* Sender);
    void FcBitBtnCancelClick(TObject* Sender);

    // The page of Month (1-12) in Year as a temporary report file; Matches
    // is the number of persons found.  The person table is back on its
    // index and record afterwards.
    String WriteBirthdayList(int Month, int Year, int& Matches);

private:
    // The year typed, or a message and false.
    bool ReadYear(int& Year);
};
