// The main window's contact-file commands: new, open, close and delete,
// the lock that keeps a second copy of the program off an open file, the
// two faces of the window and the start page's list of files.
#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_set.h"
#include "app/qv_toolb.h"
#include "controls/foundation/FcPanel.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcListBox.h"
#include "platform/actions/ActnList.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/OpenDialog.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/FileUtils.h"

namespace {

void ShowFileError(const String& Text, const String& Caption)
{
    MessageBox(Text, Caption, MB_OK | MB_ICONERROR);
}

// The three table files of the contact file Path: persons, addresses,
// groups (the notes file is not one of them).
QStringList TableFiles(const String& Path)
{
    return {Path, Path + QStringLiteral(".adres"), Path + QStringLiteral(".groep")};
}

String JoinPath(const String& Folder, const String& Name)
{
    return IncludeTrailingPathDelimiter(Folder) + Name;
}

void ShowInUse(const String& Path, std::int64_t Holder)
{
    const String Process = Holder > 0 ? QStringLiteral("proces %1").arg(Holder) : QStringLiteral("proces onbekend");
    ShowFileError(QStringLiteral("Het bestand ") + ToolBox::Quoted(Path)
                      + QStringLiteral(" is al geopend in een ander venster van Quorvy® (") + Process
                      + QStringLiteral(").\r\nSluit het daar eerst; anders zouden de wijzigingen van het ene "
                                       "venster die van het andere overschrijven."),
                  QStringLiteral("Bestand in gebruik"));
}

void ShowUnprotected(const String& Path, int Code)
{
    MessageBox(QStringLiteral("Het bestand ") + ToolBox::Quoted(Path) + QStringLiteral(" kan niet worden vergrendeld: ")
                   + SysErrorMessage(Code)
                   + QStringLiteral(".\r\nOpent u het ook in een ander venster van Quorvy®, dan overschrijven de "
                                    "wijzigingen van het ene venster die van het andere."),
               QStringLiteral("Bestand niet vergrendeld"), MB_OK | MB_ICONWARNING);
}

// The lock file could not be made because nothing can be written beside
// the file now: the user hears of it as the file opens, not when the close
// fails to save what was typed.
void ShowNotWritable(const String& Path, int Code)
{
    MessageBox(QStringLiteral("Het bestand ") + ToolBox::Quoted(Path)
                   + QStringLiteral(" is geopend, maar wijzigingen kunnen daar nu niet worden opgeslagen: ")
                   + SysErrorMessage(Code)
                   + QStringLiteral(".\r\nWat u wijzigt, wordt bij het sluiten alleen opgeslagen als daar dan weer "
                                    "kan worden geschreven."),
               QStringLiteral("Opslaan niet mogelijk"), MB_OK | MB_ICONWARNING);
}

// How often a missing lock file is tried again while the file is open.
constexpr unsigned LockFileRetryMs = 10000;

} // namespace

// --- commands -------------------------------------------------------------------

bool TFormMain::ChooseContactFile(const String& Title)
{
    EnsureDataFolder();
    OpenDialogQuorvy->SetInitialDir(Settings->DataFolder);
    OpenDialogQuorvy->SetTitle(Title);
    OpenDialogQuorvy->SetFileName(String());
    return OpenDialogQuorvy->Execute();
}

void TFormMain::ActionNewExecute(TObject* Sender)
{
    (void)Sender;
    if (ChooseContactFile(QStringLiteral("Creëer een nieuw contact- en adressenbestand")))
        NewFile(ChangeFileExt(OpenDialogQuorvy->FileName(), QStringLiteral(".quorvy")));
}

void TFormMain::ActionOpenExecute(TObject* Sender)
{
    (void)Sender;
    if (ChooseContactFile(QStringLiteral("Open een bestaand contact- en adressenbestand")))
        OpenFile(OpenDialogQuorvy->FileName());
}

void TFormMain::ActionCloseExecute(TObject* Sender)
{
    (void)Sender;
    CloseCurrentFile();
    RefreshListAfterClose();
}

void TFormMain::RefreshListAfterClose()
{
    if (!DataModuleMain->NewFileCreated)
        return;
    if (MenuStandaard->Checked()) {
        RefreshFileList();
        return;
    }
    FcListBoxPreviousFiles->Items()->Assign(DataModuleMain->MRUList.get());
    if (FcListBoxPreviousFiles->Items()->Count() > 0)
        FcListBoxPreviousFiles->SetItemIndex(0);
}

void TFormMain::ActionDeleteExecute(TObject* Sender)
{
    (void)Sender;
    if (FcListBoxPreviousFiles->Items()->Count() == 0)
        return;
    if (MessageBox(QStringLiteral("Wilt u het geselecteerde contact- en adressenbestand werkelijk verwijderen?"),
                   QStringLiteral("Verwijderen Bestand"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        != IDYES)
        return;
    const String Path = FcListBoxPreviousFiles->SelectedItem();
    if (!Path.isEmpty()) {
        // Another copy that has the file open would write it back when it
        // closes it.
        TFileLock Lock(Path);
        if (Lock.Acquire() == flHeld) {
            ShowInUse(Path, Lock.HolderPid());
            return;
        }
        QStringList Failed;
        for (const String& Name : TableFiles(Path))
            if (ToolBox::NameTaken(Name) && !DeleteFile(Name))
                Failed << Name;
        if (!Failed.isEmpty())
            ShowFileError(QStringLiteral("De volgende bestanden konden niet worden verwijderd:\r\n")
                              + Failed.join(QStringLiteral("\r\n")),
                          QStringLiteral("Verwijderen Bestand"));
    }
    RefreshFileList();
}

// --- opening and closing -----------------------------------------------------------

void TFormMain::NewFile(const String& Path)
{
    if (FileExists(Path)) {
        ShowFileError(QStringLiteral("Het bestand ") + ToolBox::Quoted(Path) + QStringLiteral(" bestaat al!"),
                      QStringLiteral("Bestand bestaat al"));
        return;
    }
    // A table that cannot exist under its name could never be saved, and
    // everything typed into the file would be lost.
    for (const String& Table : TableFiles(Path)) {
        if (!FileNameFits(Table)) {
            ShowFileError(QStringLiteral("De naam van het bestand ") + ToolBox::Quoted(QuotedInput(Path))
                              + QStringLiteral(" is te lang!\r\nKies een kortere naam of een map met een korter pad."),
                          QStringLiteral("Naam te lang"));
            return;
        }
    }
    if (OpenContactFile(Path, true)) {
        ShowOpenState();
        DataModuleMain->NewFileCreated = true;
    }
}

void TFormMain::OpenFile(const String& Path)
{
    if (!FileExists(Path)) {
        ShowFileError(QStringLiteral("Het bestand ") + ToolBox::Quoted(Path)
                          + QStringLiteral(" kan niet worden gevonden!"),
                      QStringLiteral("Bestand bestaat niet"));
        return;
    }
    if (OpenContactFile(Path, false))
        ShowOpenState();
    if (Settings->ShowBirthdayAtStartup)
        ShowTodaysBirthdays();
}

std::unique_ptr<TFileLock> TFormMain::LockContactFile(const String& Path)
{
    if (FFileLock && FFileLock->Guards(Path))
        return std::move(FFileLock);
    auto Lock = std::make_unique<TFileLock>(Path);
    if (Lock->Acquire() == flHeld) {
        ShowInUse(Path, Lock->HolderPid());
        return nullptr;
    }
    return Lock;
}

bool TFormMain::OpenContactFile(const String& Path, bool Create)
{
    // The open file is written as it closes: with its lock file, where that
    // can be made by now.
    if (DataModuleMain->Active)
        CompleteFileLock();
    std::unique_ptr<TFileLock> Lock = LockContactFile(Path);
    if (!Lock)
        return false;
    if (DataModuleMain->Active) {
        try {
            DataModuleMain->CloseFiles();
        } catch (...) {
            // The open file stays open, with its lock.
            if (!FFileLock && Lock->Guards(DataModuleMain->GetFileName()))
                FFileLock = std::move(Lock);
            throw;
        }
    }
    FFileLock.reset();
    bool Opened = false;
    try {
        Opened = DataModuleMain->OpenFiles(Path, Create);
    } catch (...) {
        // The file that was open is closed: the window must not go on
        // showing it.
        if (FcPanelQuorvy->Visible())
            ResetMainWindow();
        throw;
    }
    if (!Opened)
        return false;
    // The user hears of it now, not when the close cannot save what was
    // typed or a second copy's changes have replaced his: that nothing can
    // be written beside the file (nor its lock file), or that it opened
    // without any lock (a file system without locks).
    if (Lock->WritesRefusedBeside())
        ShowNotWritable(Path, Lock->ErrorCode());
    else if (!Lock->Locked())
        ShowUnprotected(Path, Lock->ErrorCode());
    FFileLock = std::move(Lock);
    CompleteFileLock();
    return true;
}

void TFormMain::CompleteFileLock()
{
    // Until the lock file is made, the lock hangs on the person table that
    // was opened: a sync tool that replaces it lets a second copy in.
    if (!FFileLock || !DataModuleMain->Active || FFileLock->AcquireLockFile()) {
        if (FLockFileTimer != nullptr)
            FLockFileTimer->SetEnabled(false);
        return;
    }
    if (FLockFileTimer == nullptr) {
        FLockFileTimer = new TTimer(this);
        FLockFileTimer->SetName(QStringLiteral("TimerLockFile"));
        FLockFileTimer->SetInterval(LockFileRetryMs);
        FLockFileTimer->SetOnTimer([this](TObject*) { CompleteFileLock(); });
    }
    FLockFileTimer->SetEnabled(true);
}

void TFormMain::CloseContactFile()
{
    // Whatever is written now is covered by the lock file too, where it
    // can be made by now.
    CompleteFileLock();
    DataModuleMain->CloseFiles();
    FFileLock.reset();
    // No file, no lock file to try again.
    CompleteFileLock();
}

void TFormMain::CloseCurrentFile()
{
    CloseContactFile();
    ResetMainWindow();
}

// --- the two faces -------------------------------------------------------------------

void TFormMain::ShowOpenState()
{
    UpdateCaption();
    ActionNew->SetEnabled(false);
    ActionOpen->SetEnabled(false);
    ActionDelete->SetEnabled(false);
    ActionClose->SetEnabled(true);
    FcPanelMainPage->SetVisible(false);
    FcPanelQuorvy->SetVisible(true);
    FcGroupNavigate->Open();
    for (TFcGroup* Group : {FcGroupEdit, FcGroupZoeken, FcGroupRapportages, FcGroupAdressen, FcGroupGroepen})
        Group->Close();
    if (FcDBGridQuorvy->CanFocus())
        FcDBGridQuorvy->SetFocus();
}

void TFormMain::ResetMainWindow()
{
    ActionNew->SetEnabled(true);
    ActionOpen->SetEnabled(true);
    ActionDelete->SetEnabled(true);
    ActionClose->SetEnabled(false);
    ShowSearchButtons(false);
    UpdateCaption();
    SetSearchItemsEnabled(true);
    DataModuleMain->ActiveFilterName.clear();
    SetGroupFilterItems(false);
    ResetGridTitles();
    FcPanelQuorvy->SetVisible(false);
    FcPanelMainPage->SetVisible(true);
    if (DataModuleMain->FolderChanged) {
        if (MenuStandaard->Checked())
            RefreshFileList();
        DataModuleMain->FolderChanged = false;
    }
    if (FcComboBoxWebLink->CanFocus())
        FcComboBoxWebLink->SetFocus();
}

// --- the start page's list ------------------------------------------------------------

void TFormMain::EnsureDataFolder()
{
    if (SamePath(Settings->DataFolder, TSettings::DefaultDataFolder()) && !DirectoryExists(Settings->DataFolder))
        ForceDirectories(Settings->DataFolder);
}

void TFormMain::RefreshFileList()
{
    DataModuleMain->FolderChanged = false;
    EnsureDataFolder();
    const TCursorScope Busy(crHourGlass);
    TStrings* Items = FcListBoxPreviousFiles->Items();
    Items->BeginUpdate();
    Items->Clear();
    const String Folder = Settings->DataFolder;
    TSearchRec Found;
    // Regular files only, in name order: folders and hidden entries that
    // happen to end in ".quorvy" are no contact files.
    if (FindFirst(JoinPath(Folder, QStringLiteral("*.quorvy")), 0, Found) == 0) {
        do
            Items->Add(JoinPath(Folder, Found.Name));
        while (FindNext(Found) == 0);
    }
    FindClose(Found);
    Items->EndUpdate();
    if (Items->Count() > 0)
        FcListBoxPreviousFiles->SetItemIndex(0);
    FcListBoxPreviousFiles->Refresh();
    if (FcListBoxPreviousFiles->CanFocus())
        FcListBoxPreviousFiles->SetFocus();
}
