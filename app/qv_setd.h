#pragma once
// The settings dialog: edits the options of the one TSettings object in
// memory (the file is written when the program ends).  Streamed from
// qv_setd.form.
#include "platform/forms/Forms.h"

class TFcBitBtn;
class TFcCheckBox;
class TFcEdit;
class TFcLabel;
class TFcPageControl;
class TFcTabSheet;
class TSpeedButton;

class TFormSettings : public TForm {
public:
    explicit TFormSettings(TComponent* AOwner);

    TFcPageControl* FcPageControlSettings = nullptr;
    TFcTabSheet* TabSheetAlgemeen = nullptr;
    TFcTabSheet* TabSheetFolders = nullptr;
    TFcTabSheet* TabSheetUI = nullptr;
    TFcCheckBox* FcCheckBoxConfirmOnExit = nullptr;
    TFcCheckBox* FcCheckBoxSaveLastWindowSettings = nullptr;
    TFcCheckBox* FcCheckBoxExactSearch = nullptr;
    TFcEdit* EditFolderDataFiles = nullptr;
    TSpeedButton* SpeedButtonFolderDataFiles = nullptr;
    TFcCheckBox* FcCheckBoxAllow1Group2BOpen = nullptr;
    TFcCheckBox* FcCheckBoxShowBirthdayAtSartup = nullptr;
    TFcCheckBox* FcCheckBoxSaveSettings = nullptr;
    TFcBitBtn* FcBitBtnOK = nullptr;
    TFcBitBtn* FcBitBtnCancel = nullptr;

    void FormCreate(TObject* Sender);
    void SpeedButtonFolderDataFilesClick(TObject* Sender);
    void FcBitBtnOKClick(TObject* Sender);

    // The folder in the edit exists; otherwise the "Folders" page shows,
    // the edit has the focus and the user is told.
    bool ValidateFolder();
};
