#pragma once
// The full report window ("Volledige Rapportage"): the user chooses the
// columns of a list of all persons of the open contact file, or one of
// five ready-made sets, a title and table width for the HTML page, and one
// of three output formats; "Print" writes the report into a temporary file
// and hands it to the desktop.  Streamed from qv_rap_f.form.
//
// A run that fails (a full disk, a table that cannot be read) puts the
// person grid back on its index, record, controls and cursor, leaves no
// half-written report behind, and passes the error on to the program's
// handler.
#include "app/qv_rapout.h"
#include "platform/forms/Forms.h"

class TFcBitBtn;
class TFcCheckBox;
class TFcCheckList;
class TFcComboBox;
class TFcEdit;
class TFcGroupBox;
class TFcSpinEdit;
class TSpeedButton;

class TFormFullReport : public TForm {
public:
    explicit TFormFullReport(TComponent* AOwner);

    TFcGroupBox* FcGroupBoxVelden = nullptr;
    TFcCheckList* FcCheckListBeschikbareVelden = nullptr;
    TSpeedButton* SpeedButtonSelectAll = nullptr;
    TSpeedButton* SpeedButtonSelectNone = nullptr;
    TFcGroupBox* FcGroupBoxTitel = nullptr;
    TFcEdit* FcEditTitel = nullptr;
    TFcGroupBox* FcGroupBoxBreedte = nullptr;
    TFcSpinEdit* FcSpinEditHTMLTableWidth = nullptr;
    TFcGroupBox* FcGroupBoxPredefined = nullptr;
    TFcComboBox* FcComboBoxPredefined = nullptr;
    TFcGroupBox* FcGroupBoxResult = nullptr;
    TFcComboBox* FcComboBoxResult = nullptr;
    TFcCheckBox* FcCheckBoxClose = nullptr;
    TFcBitBtn* FcBitBtnRun = nullptr;
    TFcBitBtn* FcBitBtnClose = nullptr;

    void FormCreate(TObject* Sender);
    void FcComboBoxPredefinedChange(TObject* Sender);
    void FcComboBoxResultChange(TObject* Sender);
    void SpeedButtonSelectAllClick(TObject* Sender);
    void SpeedButtonSelectNoneClick(TObject* Sender);
    void FcBitBtnRunClick(TObject* Sender);
    void FcBitBtnCloseClick(TObject* Sender);

    // The checked items, in item order.
    std::vector<int> CheckedItems() const;
    TReportFormat Format() const;
    // Writes the report and opens it; returns its file name, empty when
    // there is nothing to report (no contact file, no persons).
    String RunReport();

private:
    void CheckAll(bool Checked);
    // Writes the report file (the tables back as they were afterwards) and
    // returns its name.
    String WriteReport();
};
