#pragma once
// The main window: the start page with the contact files of the data folder
// or the recent files while no contact file is open, the person page with
// the group bar and the person grid while one is; the contact-file
// commands, sorting and searching the persons, the status bar and the
// program's exception handler.  Streamed from qv_main.form.
//
// Decisions for this desktop:
// - The settings live in the user's configuration folder (see qv_set.h);
//   the recent-files list "quorvy.mru" in the state folder, with its paths
//   as they were typed, compared exactly; the map template
//   "oogm.connection" is looked for in the configuration folder, then in the
//   program folder.
// - The start page lists the regular files "*.quorvy" of the data folder in
//   name order; paths are joined with exactly one '/'.
// - The stored window size is always applied; the stored position only where
//   the desktop lets a program place its windows, and then kept within a
//   screen.  What is stored is the restored (not maximised) rectangle.
// - A contact file open in one running copy is locked: another copy refuses
//   it, naming the process that holds it, rather than overwriting its work
//   when both close.
// - The web-link box and the mail links open only web and mail addresses;
//   anything else is refused with a message and never reaches the desktop.
// - Quitting never gets stuck on a file that cannot be written: the user is
//   told and asked whether to quit without saving it, and every other step
//   of the shutdown still runs.
#include "platform/forms/Forms.h"

#include <array>
#include <memory>

class TAction;
class TActionList;
class TApplicationEvents;
class TColumn;
class TFcBalloonHints;
class TFcClockStatus;
class TFcComboBox;
class TFcDBGrid;
class TFcGroup;
class TFcGroupBar;
class TFcKeyStatus;
class TFcListBox;
class TFcPanel;
class TFcSpacer;
class TFcStatusBar;
class TFcStatusPane;
class TFcToolButton;
class TFcToolbar;
class TFcVersionInfo;
class TFcLabel;
class TFileLock;
class TImage;
class TImageList;
class TMenuItem;
class TOpenDialog;
class TPopupMenu;
class TSiSysInfo;
class TSpeedButton;
class TTimer;

// One column of the person grid: its title and the person field it shows
// and sorts by (through the field's "_ASC" and "_DESC" indexes).
struct TPersonColumn {
    const char* Title;
    const char* Field;
    bool IsDate;
    String TitleText() const { return QString::fromLatin1(Title); }
    String FieldName() const { return QString::fromLatin1(Field); }
};
// The 19 columns, in grid order.
extern const std::array<TPersonColumn, 19> PersonColumns;
// The grid's sort: the column sorted by and its direction.  Column 0
// ascending whenever no contact file is open.
extern int SortColumn;
extern bool SortAscending;

class TFormMain : public TForm {
public:
    explicit TFormMain(TComponent* AOwner);
    ~TFormMain() override;

    // --- components of the form definition ---
    TActionList* ActionListMain = nullptr;
    TAction* ActionNew = nullptr;
    TAction* ActionOpen = nullptr;
    TAction* ActionClose = nullptr;
    TAction* ActionDelete = nullptr;
    TAction* ActionSettings = nullptr;
    TAction* ActionAbout = nullptr;
    TAction* ActionEinde = nullptr;
    TImageList* ImageListMain = nullptr;
    TFcToolbar* FcToolbarMain = nullptr;
    TFcSpacer* FcSpacerSearch = nullptr;
    TFcToolButton* FcToolButtonSearchBack = nullptr;
    TFcToolButton* FcToolButtonSearchForward = nullptr;
    TFcToolButton* FcToolButtonSearchStop = nullptr;
    // The start page.
    TFcPanel* FcPanelMainPage = nullptr;
    TFcListBox* FcListBoxPreviousFiles = nullptr;
    TPopupMenu* PopupMenuMRU = nullptr;
    TMenuItem* MenuStandaard = nullptr;
    TMenuItem* MenuMRU = nullptr;
    TMenuItem* LeegMRUlijst = nullptr;
    TFcPanel* FcPanelInfo = nullptr;
    TImage* ImageBrovik = nullptr;
    TSpeedButton* SpeedButtonBegin = nullptr;
    TSpeedButton* SpeedButtonEmail = nullptr;
    TFcPanel* FcPanelWebLink = nullptr;
    TFcComboBox* FcComboBoxWebLink = nullptr;
    TSpeedButton* SpeedButtonWebGo = nullptr;
    // The person page.
    TFcPanel* FcPanelQuorvy = nullptr;
    TFcGroupBar* FcGroupBarMenu = nullptr;
    TFcGroup* FcGroupNavigate = nullptr;
    TFcGroup* FcGroupEdit = nullptr;
    TFcGroup* FcGroupZoeken = nullptr;
    TFcGroup* FcGroupRapportages = nullptr;
    TFcGroup* FcGroupAdressen = nullptr;
    TFcGroup* FcGroupGroepen = nullptr;
    TFcDBGrid* FcDBGridQuorvy = nullptr;
    TPopupMenu* PopupMenuQuorvy = nullptr;
    TMenuItem* Graveninhetbestand = nullptr;
    TMenuItem* VerbergMenupaneel = nullptr;
    TMenuItem* oonMenupaneel = nullptr;
    TMenuItem* ToonActieveGroepfilter = nullptr;
    // Around both pages.
    TOpenDialog* OpenDialogQuorvy = nullptr;
    TFcStatusBar* FcStatusBarMain = nullptr;
    TFcStatusPane* FcStatusPane = nullptr;
    TFcClockStatus* FcClockStatus = nullptr;
    TApplicationEvents* ApplicationEventsMain = nullptr;
    TSiSysInfo* SiSysInfoMain = nullptr;
    TFcVersionInfo* FcVersionInfoMain = nullptr;
    TFcBalloonHints* FcBalloonHintsMain = nullptr;

    // --- the window ---
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void ApplicationEventsMainHint(TObject* Sender);
    void ApplicationEventsMainException(TObject* Sender, Exception& E);

    // --- contact files ---
    void ActionNewExecute(TObject* Sender);
    void ActionOpenExecute(TObject* Sender);
    void ActionCloseExecute(TObject* Sender);
    void ActionDeleteExecute(TObject* Sender);
    void ActionSettingsExecute(TObject* Sender);
    void ActionAboutExecute(TObject* Sender);
    void ActionEindeExecute(TObject* Sender);
    void FcListBoxPreviousFilesClick(TObject* Sender);
    void MenuStandaardClick(TObject* Sender);
    void MenuMRUClick(TObject* Sender);
    void LeegMRUlijstClick(TObject* Sender);
    void SpeedButtonBeginClick(TObject* Sender);
    void FcComboBoxWebLinkKeyPress(TObject* Sender, QChar& Key);
    void SpeedButtonWebGoClick(TObject* Sender);
    void SpeedButtonEmailClick(TObject* Sender);

    // Creates the contact file Path (refused when it exists) and shows it.
    void NewFile(const String& Path);
    // Opens the contact file Path (refused when it is missing) and shows it.
    void OpenFile(const String& Path);
    void ShowOpenState();
    void CloseCurrentFile();
    void ResetMainWindow();
    // Fills the start page's list with the contact files of the data folder.
    void RefreshFileList();
    // The caption: the program, the open file, a running full-text search.
    void UpdateCaption();

    // --- the person grid ---
    void FcDBGridQuorvyTitleClick(TColumn* Column);
    // Edits the current person, as "Wijzigen" does.
    void FcDBGridQuorvyDblClick(TObject* Sender);
    void FcGroupZoekenItems0Click(TObject* Sender);
    void FcGroupZoekenItems1Click(TObject* Sender);
    void FcToolButtonSearchForwardClick(TObject* Sender);
    void FcToolButtonSearchBackClick(TObject* Sender);
    void FcToolButtonSearchStopClick(TObject* Sender);
    // The current person holds SearchText in one of its searched fields.
    bool RecordMatches();
    void ShowSearchButtons(bool Visible);
    // Sort column back to 0 ascending, every title in its plain look.
    void ResetGridTitles();

    // --- group-bar and menu commands ---
    void FcGroupNavigateItems0Click(TObject* Sender);
    void FcGroupNavigateItems1Click(TObject* Sender);
    void FcGroupNavigateItems2Click(TObject* Sender);
    void FcGroupNavigateItems3Click(TObject* Sender);
    // "Toevoegen" and "Wijzigen": the person form for a new person or the
    // current one.
    void FcGroupEditItems0Click(TObject* Sender);
    void FcGroupEditItems1Click(TObject* Sender);
    void FcGroupEditItems2Click(TObject* Sender);
    // "Individueel": the current person's overview page in the browser.
    void FcGroupRapportagesItems1Click(TObject* Sender);
    // "Beheer Adressen", "Beheer Groepen": the address and group list windows.
    void FcGroupAdressenItems0Click(TObject* Sender);
    void FcGroupGroepenItems0Click(TObject* Sender);
    // "Filter": the persons of the group the user picks.
    void FcGroupGroepenItems2Click(TObject* Sender);
    void FcGroupGroepenItems3Click(TObject* Sender);
    void VerbergMenupaneelClick(TObject* Sender);
    void oonMenupaneelClick(TObject* Sender);
    void ToonActieveGroepfilterClick(TObject* Sender);
    // "NAW Bestand", "Volledige Rapportage" and "Verjaardagslijst" (and
    // their menu twins): their windows, shown modally while a contact file
    // is open.
    void FcGroupEditItems4Click(TObject* Sender);
    void FcGroupRapportagesItems0Click(TObject* Sender);
    void FcGroupRapportagesItems2Click(TObject* Sender);
    // Lists the persons whose birthday is today (does nothing while no
    // contact file is open).
    void ShowTodaysBirthdays();
    // Filtering off, the filter items back to "Filter" enabled.
    void RemoveGroupFilter();
    // "Filter" enabled and "GEEN Filter" disabled, or the other way round
    // while a group filter is active.
    void SetGroupFilterItems(bool FilterActive);

private:
    // Closes the open contact file (its tables written as needed) and gives
    // up its lock.
    void CloseContactFile();
    // The lock that keeps other copies of the program off Path while it is
    // open here: the one already held when Path is the open file, else a
    // new one.  nullptr when another copy has the file open (the user has
    // been told).
    std::unique_ptr<TFileLock> LockContactFile(const String& Path);
    // Opens or creates Path with its lock; a failure after the open file
    // was closed leaves the window showing no file.
    bool OpenContactFile(const String& Path, bool Create);
    // Makes the open file's lock file where it could not be made as the
    // file opened (a full disk, a read-only folder), and tries again on a
    // timer while it is missing; closing tries once more before it writes.
    void CompleteFileLock();
    // The stored window rectangle: its size always, its position where the
    // desktop lets the program place its windows, kept on a screen.
    void ApplyStoredBounds();
    // The file dialog on the data folder with Title; true when a file was
    // chosen.
    bool ChooseContactFile(const String& Title);
    // The default data folder is made when it is first needed.
    void EnsureDataFolder();
    // What the close query writes: false when the user, told of what could
    // not be written, keeps the program running; the window then shows
    // what is open (the start page when the contact file was closed).
    // What the close of the contact file has to tell comes after the
    // settings and the recent files are written.  At the end of the session
    // no box is shown: the texts go to the log, and only a contact file
    // that could not be written keeps the program running.
    // Report files are deleted only when the program ends.
    bool SaveAtExit();
    // After a close, a file made during this run shows in the start page's
    // list: the folder's, or the recent files with it last.
    void RefreshListAfterClose();
    void SetSearchItemsEnabled(bool Enabled);
    bool SearchFrom(bool Forward, bool MoveFirst);
    // "Heen" and "Terug": the next match from the current person on.
    void ContinueSearch(bool Forward);

    std::unique_ptr<TFileLock> FFileLock;
    // "TimerLockFile", made when a lock file is first missing; owned here.
    TTimer* FLockFileTimer = nullptr;
};

extern TFormMain* FormMain;
