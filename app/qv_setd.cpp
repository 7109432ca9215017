#include "app/qv_setd.h"

#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_set.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabSheet.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FileCtrl.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FileUtils.h"
#include "platform/stdctrls/SpeedButton.h"


REGISTER_COMPONENT(TFormSettings, TForm)
    PUBLISHED_FIELD(FcPageControlSettings)
    PUBLISHED_FIELD(TabSheetAlgemeen)
    PUBLISHED_FIELD(TabSheetFolders)
    PUBLISHED_FIELD(TabSheetUI)
    PUBLISHED_FIELD(FcCheckBoxConfirmOnExit)
    PUBLISHED_FIELD(FcCheckBoxSaveLastWindowSettings)
    PUBLISHED_FIELD(FcCheckBoxExactSearch)
    PUBLISHED_FIELD(EditFolderDataFiles)
    PUBLISHED_FIELD(SpeedButtonFolderDataFiles)
    PUBLISHED_FIELD(FcCheckBoxAllow1Group2BOpen)
    PUBLISHED_FIELD(FcCheckBoxShowBirthdayAtSartup)
    PUBLISHED_FIELD(FcCheckBoxSaveSettings)
    PUBLISHED_FIELD(FcBitBtnOK)
    PUBLISHED_FIELD(FcBitBtnCancel)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(SpeedButtonFolderDataFilesClick)
    PUBLISHED_METHOD(FcBitBtnOKClick)
END_REGISTER

TFormSettings::TFormSettings(TComponent* AOwner) : TForm(AOwner)
{}

void TFormSettings::FormCreate(TObject* Sender)
{
    (void)Sender;
    const TCursorScope Busy(crHourGlass);
    FcCheckBoxSaveSettings->SetChecked(Settings->SaveSettings);
    FcCheckBoxConfirmOnExit->SetChecked(Settings->ConfirmOnExit);
    FcCheckBoxSaveLastWindowSettings->SetChecked(Settings->SaveLastWindowSettings);
    FcCheckBoxExactSearch->SetChecked(Settings->ExactSearch);
    EditFolderDataFiles->SetText(Settings->DataFolder);
    FcCheckBoxAllow1Group2BOpen->SetChecked(Settings->Allow1Group2BOpen);
    FcCheckBoxShowBirthdayAtSartup->SetChecked(Settings->ShowBirthdayAtStartup);
    FcPageControlSettings->SetActivePage(TabSheetAlgemeen);
    SetActiveControl(FcCheckBoxConfirmOnExit);
}

void TFormSettings::SpeedButtonFolderDataFilesClick(TObject* Sender)
{
    (void)Sender;
    String Folder = EditFolderDataFiles->Text();
    if (!DirectoryExists(Folder))
        Folder = UserDocumentsFolder();
    if (!SelectDirectory(Folder, {sdAllowCreate, sdPerformCreate, sdPrompt}, 0))
        return;
    EditFolderDataFiles->SetText(Folder);
    if (EditFolderDataFiles->CanFocus())
        EditFolderDataFiles->SetFocus();
}

bool TFormSettings::ValidateFolder()
{
    if (DirectoryExists(EditFolderDataFiles->Text()))
        return true;
    FcPageControlSettings->SetActivePage(TabSheetFolders);
    if (EditFolderDataFiles->CanFocus())
        EditFolderDataFiles->SetFocus();
    MessageBox(QStringLiteral("U dient een geldige folder op te geven!"), QStringLiteral("Ongeldige folder"),
               MB_OK | MB_ICONERROR);
    return false;
}

void TFormSettings::FcBitBtnOKClick(TObject* Sender)
{
    (void)Sender;
    if (!ValidateFolder())
        return;
    String OldFolder;
    bool OldAllow = false;
    {
        const TCursorScope Busy(crHourGlass);
        Settings->SaveSettings = FcCheckBoxSaveSettings->Checked();
        Settings->ConfirmOnExit = FcCheckBoxConfirmOnExit->Checked();
        Settings->SaveLastWindowSettings = FcCheckBoxSaveLastWindowSettings->Checked();
        Settings->ExactSearch = FcCheckBoxExactSearch->Checked();
        OldFolder = Settings->DataFolder;
        Settings->DataFolder = EditFolderDataFiles->Text();
        OldAllow = Settings->Allow1Group2BOpen;
        Settings->Allow1Group2BOpen = FcCheckBoxAllow1Group2BOpen->Checked();
        Settings->ShowBirthdayAtStartup = FcCheckBoxShowBirthdayAtSartup->Checked();
        SetModalResult(mrOk);
    }
    if (FormMain == nullptr)
        return;
    // The same folder however it is written: a trailing '/', a link to it.
    if (!SamePath(OldFolder, Settings->DataFolder)) {
        if (DataModuleMain->Active)
            DataModuleMain->FolderChanged = true;
        else
            FormMain->RefreshFileList();
    }
    if (OldAllow != Settings->Allow1Group2BOpen)
        FormMain->FcGroupBarMenu->SetExclusiveMode(Settings->Allow1Group2BOpen);
}
