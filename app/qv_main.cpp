#include "app/qv_main.h"

#include "app/QV_begin.h"
#include "app/qv_about.h"
#include "app/qv_data.h"
#include "app/qv_maker.h"
#include "app/qv_set.h"
#include "app/qv_setd.h"
#include "app/qv_toolb.h"
#include "controls/foundation/FcBalloonHints.h"
#include "controls/foundation/FcClockStatus.h"
#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "controls/foundation/FcVersionInfo.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupItems.h"
#include "controls/lists/FcListBox.h"
#include "platform/actions/ActnList.h"
#include "platform/actions/ImgList.h"
#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/AppEvnts.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/OpenDialog.h"
#include "platform/forms/Screen.h"
#include "platform/forms/ShellAPI.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/SpeedButton.h"
#include "sysinfo/SiSysInfo.h"

#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

REGISTER_COMPONENT(TFormMain, TForm)
    PUBLISHED_FIELD(ActionListMain)
    PUBLISHED_FIELD(ActionNew)
    PUBLISHED_FIELD(ActionOpen)
    PUBLISHED_FIELD(ActionClose)
    PUBLISHED_FIELD(ActionDelete)
    PUBLISHED_FIELD(ActionSettings)
    PUBLISHED_FIELD(ActionAbout)
    PUBLISHED_FIELD(ActionEinde)
    PUBLISHED_FIELD(ImageListMain)
    PUBLISHED_FIELD(FcToolbarMain)
    PUBLISHED_FIELD(FcSpacerSearch)
    PUBLISHED_FIELD(FcToolButtonSearchBack)
    PUBLISHED_FIELD(FcToolButtonSearchForward)
    PUBLISHED_FIELD(FcToolButtonSearchStop)
    PUBLISHED_FIELD(FcPanelMainPage)
    PUBLISHED_FIELD(FcListBoxPreviousFiles)
    PUBLISHED_FIELD(PopupMenuMRU)
    PUBLISHED_FIELD(MenuStandaard)
    PUBLISHED_FIELD(MenuMRU)
    PUBLISHED_FIELD(LeegMRUlijst)
    PUBLISHED_FIELD(FcPanelInfo)
    PUBLISHED_FIELD(ImageBrovik)
    PUBLISHED_FIELD(SpeedButtonBegin)
    PUBLISHED_FIELD(SpeedButtonEmail)
    PUBLISHED_FIELD(FcPanelWebLink)
    PUBLISHED_FIELD(FcComboBoxWebLink)
    PUBLISHED_FIELD(SpeedButtonWebGo)
    PUBLISHED_FIELD(FcPanelQuorvy)
    PUBLISHED_FIELD(FcGroupBarMenu)
    PUBLISHED_FIELD(FcGroupNavigate)
    PUBLISHED_FIELD(FcGroupEdit)
    PUBLISHED_FIELD(FcGroupZoeken)
    PUBLISHED_FIELD(FcGroupRapportages)
    PUBLISHED_FIELD(FcGroupAdressen)
    PUBLISHED_FIELD(FcGroupGroepen)
    PUBLISHED_FIELD(FcDBGridQuorvy)
    PUBLISHED_FIELD(PopupMenuQuorvy)
    PUBLISHED_FIELD(Graveninhetbestand)
    PUBLISHED_FIELD(VerbergMenupaneel)
    PUBLISHED_FIELD(oonMenupaneel)
    PUBLISHED_FIELD(ToonActieveGroepfilter)
    PUBLISHED_FIELD(OpenDialogQuorvy)
    PUBLISHED_FIELD(FcStatusBarMain)
    PUBLISHED_FIELD(FcStatusPane)
    PUBLISHED_FIELD(FcClockStatus)
    PUBLISHED_FIELD(ApplicationEventsMain)
    PUBLISHED_FIELD(SiSysInfoMain)
    PUBLISHED_FIELD(FcVersionInfoMain)
    PUBLISHED_FIELD(FcBalloonHintsMain)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(FormDestroy)
    PUBLISHED_METHOD(FormShow)
    PUBLISHED_METHOD(FormCloseQuery)
    PUBLISHED_METHOD(ApplicationEventsMainHint)
    PUBLISHED_METHOD(ApplicationEventsMainException)
    PUBLISHED_METHOD(ActionNewExecute)
    PUBLISHED_METHOD(ActionOpenExecute)
    PUBLISHED_METHOD(ActionCloseExecute)
    PUBLISHED_METHOD(ActionDeleteExecute)
    PUBLISHED_METHOD(ActionSettingsExecute)
    PUBLISHED_METHOD(ActionAboutExecute)
    PUBLISHED_METHOD(ActionEindeExecute)
    PUBLISHED_METHOD(FcListBoxPreviousFilesClick)
    PUBLISHED_METHOD(MenuStandaardClick)
    PUBLISHED_METHOD(MenuMRUClick)
    PUBLISHED_METHOD(LeegMRUlijstClick)
    PUBLISHED_METHOD(SpeedButtonBeginClick)
    PUBLISHED_METHOD(FcComboBoxWebLinkKeyPress)
    PUBLISHED_METHOD(SpeedButtonWebGoClick)
    PUBLISHED_METHOD(SpeedButtonEmailClick)
    PUBLISHED_METHOD(FcDBGridQuorvyTitleClick)
    PUBLISHED_METHOD(FcDBGridQuorvyDblClick)
    PUBLISHED_METHOD(FcGroupZoekenItems0Click)
    PUBLISHED_METHOD(FcGroupZoekenItems1Click)
    PUBLISHED_METHOD(FcToolButtonSearchForwardClick)
    PUBLISHED_METHOD(FcToolButtonSearchBackClick)
    PUBLISHED_METHOD(FcToolButtonSearchStopClick)
    PUBLISHED_METHOD(FcGroupNavigateItems0Click)
    PUBLISHED_METHOD(FcGroupNavigateItems1Click)
    PUBLISHED_METHOD(FcGroupNavigateItems2Click)
    PUBLISHED_METHOD(FcGroupNavigateItems3Click)
    PUBLISHED_METHOD(FcGroupEditItems0Click)
    PUBLISHED_METHOD(FcGroupEditItems1Click)
    PUBLISHED_METHOD(FcGroupEditItems2Click)
    PUBLISHED_METHOD(FcGroupRapportagesItems1Click)
    PUBLISHED_METHOD(FcGroupGroepenItems3Click)
    PUBLISHED_METHOD(VerbergMenupaneelClick)
    PUBLISHED_METHOD(oonMenupaneelClick)
    PUBLISHED_METHOD(ToonActieveGroepfilterClick)
END_REGISTER

TFormMain* FormMain = nullptr;

namespace {

const String ProgramCaption = QStringLiteral("Quorvy® 2023");

String Quoted(const String& Text)
{
    return QLatin1Char('"') + Text + QLatin1Char('"');
}

void ShowError(const String& Text, const String& Caption)
{
    MessageBox(Text, Caption, MB_OK | MB_ICONERROR);
}

// Anything under that name, a folder or a dangling link included.
bool NameTaken(const String& Path)
{
    const QFileInfo Info(Path);
    return Info.exists() || Info.isSymLink();
}

String JoinPath(const String& Folder, const String& Name)
{
    return IncludeTrailingPathDelimiter(Folder) + Name;
}

} // namespace

TFormMain::TFormMain(TComponent* AOwner) : TForm(AOwner)
{
    if (FormMain == nullptr)
        FormMain = this;
}

TFormMain::~TFormMain()
{
    if (FormMain == this)
        FormMain = nullptr;
}

// --- the window ------------------------------------------------------------

void TFormMain::FormCreate(TObject* Sender)
{
    (void)Sender;
    SetProgramFormats();
    ToolBox::SetTempPathSource([this] { return SiSysInfoMain->TempPath(); });
    SortColumn = 0;
    SortAscending = true;
    if (DataModuleMain == nullptr)
        return;
    DataModuleMain->ResetState();
    DataModuleMain->LoadMapTemplate(ProgramFolder() + QStringLiteral("oogm.connection"));
    DataModuleMain->LoadMRUList(ToolBox::TempPath() + QStringLiteral("quorvy.mru"));
    DataModuleMain->ShowNotice = [](const String& Text) {
        MessageBox(Text, QStringLiteral("Contactbestand hersteld"), MB_OK | MB_ICONINFORMATION);
    };
}

void TFormMain::FormDestroy(TObject* Sender)
{
    (void)Sender;
    // The system-information component goes with this window.
    ToolBox::SetTempPathSource(nullptr);
    if (DataModuleMain != nullptr)
        DataModuleMain->ShowNotice = nullptr;
}

void TFormMain::FormShow(TObject* Sender)
{
    (void)Sender;
    Settings->Load();
    FcGroupBarMenu->SetExclusiveMode(Settings->Allow1Group2BOpen);
    if (Settings->SaveLastWindowSettings) {
        SetTop(Settings->Top);
        SetLeft(Settings->Left);
        SetHeight(Settings->Height);
        SetWidth(Settings->Width);
    }
    RefreshFileList();
}

void TFormMain::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    (void)Sender;
    if (Settings->ConfirmOnExit
        && MessageBox(QStringLiteral("Wilt u werkelijk stoppen met Quorvy®?"), QStringLiteral("Beëindigen Quorvy®"),
                      MB_YESNO | MB_ICONQUESTION)
            != IDYES) {
        CanClose = false;
        return;
    }
    const TCursorScope Busy(crHourGlass);
    if (DataModuleMain->Active)
        DataModuleMain->CloseFiles();
    Settings->Top = Top();
    Settings->Left = Left();
    Settings->Width = Width();
    Settings->Height = Height();
    if (Settings->SaveSettings)
        Settings->Save();
    DataModuleMain->DeleteTempFiles();
    DataModuleMain->SaveMRUList(ToolBox::TempPath() + QStringLiteral("quorvy.mru"));
    DataModuleMain->MRUList->Clear();
    DataModuleMain->MapTemplate.reset();
}

void TFormMain::ApplicationEventsMainHint(TObject* Sender)
{
    (void)Sender;
    FcStatusPane->SetCaption(Application->Hint());
}

void TFormMain::ApplicationEventsMainException(TObject* Sender, Exception& E)
{
    (void)Sender;
    const String Text = E.Message();
    const bool FieldInput =
        (dynamic_cast<EDBEditError*>(&E) != nullptr && Text.startsWith(QStringLiteral("Invalid input value")))
        || (dynamic_cast<EDatabaseError*>(&E) != nullptr
            && Text.contains(QStringLiteral("is not a valid integer value for field")))
        || Text.contains(QStringLiteral("is not a valid date and time"));
    if (FieldInput) {
        ShowError(QStringLiteral("Onjuiste invoer voor dit veld. Drukt u op <Esc> om de invoer te annuleren."),
                  QStringLiteral("Onjuiste invoer"));
        return;
    }
    const String Question =
        QStringLiteral("Er is een applicatiefout opgetreden, met de hieronder vermelde tekst. Het beste kunt nu de "
                       "applicatie afsluiten, opnieuw opstarten en de programmeur confronteren met de onderstaande "
                       "melding.\r\n\r\nHet is natuurlijk ook best mogelijk dat u de (Engelstalige) melding herkent en "
                       "beseft dat er niets ernstigs aan de hand is. In dat geval kunt u natuurlijk rustig "
                       "doorwerken.\r\n\r\nWilt u de applicatie nu afsluiten?\r\n\r\nDe errortekst luidt: ")
        + Quoted(Text);
    if (MessageBox(Question, QStringLiteral("Applicatiefout"), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
        Application->Terminate();
}

void TFormMain::UpdateCaption()
{
    String Text = ProgramCaption;
    if (DataModuleMain->Active)
        Text += QStringLiteral(" - ") + DataModuleMain->GetFileName();
    if (DataModuleMain->Active && FcToolButtonSearchStop->Visible())
        Text += QStringLiteral(" - [Zoeken naar: ") + Quoted(DataModuleMain->SearchText) + QLatin1Char(']');
    SetCaption(Text);
}

// --- contact files -----------------------------------------------------------

void TFormMain::ActionNewExecute(TObject* Sender)
{
    (void)Sender;
    OpenDialogQuorvy->SetInitialDir(Settings->DataFolder);
    OpenDialogQuorvy->SetTitle(QStringLiteral("Creëer een nieuw contact- en adressenbestand"));
    OpenDialogQuorvy->SetFileName(String());
    if (OpenDialogQuorvy->Execute())
        NewFile(ChangeFileExt(OpenDialogQuorvy->FileName(), QStringLiteral(".quorvy")));
}

void TFormMain::ActionOpenExecute(TObject* Sender)
{
    (void)Sender;
    OpenDialogQuorvy->SetInitialDir(Settings->DataFolder);
    OpenDialogQuorvy->SetTitle(QStringLiteral("Open een bestaand contact- en adressenbestand"));
    OpenDialogQuorvy->SetFileName(String());
    if (OpenDialogQuorvy->Execute())
        OpenFile(OpenDialogQuorvy->FileName());
}

void TFormMain::ActionCloseExecute(TObject* Sender)
{
    (void)Sender;
    CloseCurrentFile();
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
        QStringList Failed;
        for (const String& Name : {Path, Path + QStringLiteral(".adres"), Path + QStringLiteral(".groep")})
            if (NameTaken(Name) && !DeleteFile(Name))
                Failed << Name;
        if (!Failed.isEmpty())
            ShowError(QStringLiteral("De volgende bestanden konden niet worden verwijderd:\r\n")
                          + Failed.join(QStringLiteral("\r\n")),
                      QStringLiteral("Verwijderen Bestand"));
    }
    RefreshFileList();
}

void TFormMain::ActionSettingsExecute(TObject* Sender)
{
    (void)Sender;
    std::unique_ptr<TFormSettings, TComponentDeleter> Form(CreateComponent<TFormSettings>(Application));
    Form->ShowModal();
}

void TFormMain::ActionAboutExecute(TObject* Sender)
{
    (void)Sender;
    std::unique_ptr<TFormAbout, TComponentDeleter> Form(CreateComponent<TFormAbout>(Application));
    Form->ShowModal();
}

void TFormMain::ActionEindeExecute(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TFormMain::SpeedButtonBeginClick(TObject* Sender)
{
    (void)Sender;
    std::unique_ptr<TFormBegin, TComponentDeleter> Form(CreateComponent<TFormBegin>(Application));
    Form->ShowModal();
}

void TFormMain::FcListBoxPreviousFilesClick(TObject* Sender)
{
    (void)Sender;
    if (FcListBoxPreviousFiles->Items()->Count() > 0 && FcListBoxPreviousFiles->ItemIndex() >= 0)
        OpenFile(FcListBoxPreviousFiles->SelectedItem());
}

void TFormMain::MenuStandaardClick(TObject* Sender)
{
    (void)Sender;
    if (MenuStandaard->Checked())
        return;
    MenuStandaard->SetChecked(true);
    MenuMRU->SetChecked(false);
    RefreshFileList();
}

void TFormMain::MenuMRUClick(TObject* Sender)
{
    (void)Sender;
    if (MenuMRU->Checked())
        return;
    MenuMRU->SetChecked(true);
    MenuStandaard->SetChecked(false);
    FcListBoxPreviousFiles->Items()->Assign(DataModuleMain->MRUList.get());
    if (FcListBoxPreviousFiles->Items()->Count() > 0)
        FcListBoxPreviousFiles->SetItemIndex(0);
}

void TFormMain::LeegMRUlijstClick(TObject* Sender)
{
    (void)Sender;
    DataModuleMain->MRUList->Clear();
    if (MenuMRU->Checked())
        FcListBoxPreviousFiles->Items()->Clear();
}

void TFormMain::FcComboBoxWebLinkKeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('\r'))
        return;
    Key = QChar(0);
    SpeedButtonWebGoClick(Sender);
}

void TFormMain::SpeedButtonWebGoClick(TObject* Sender)
{
    (void)Sender;
    String Text = FcComboBoxWebLink->Text();
    if (Text.left(4).toLower() == QStringLiteral("www.")) {
        Text = QStringLiteral("http://") + Text;
        FcComboBoxWebLink->SetText(Text);
    }
    if (!Text.isEmpty() && FcComboBoxWebLink->Items()->IndexOf(Text) < 0)
        FcComboBoxWebLink->Items()->Insert(0, Text);
    ShellExecute(Handle(), QStringLiteral("open"), Text.isEmpty() ? QuorvyWebSite : Text, String(), String(),
                 SW_SHOWNORMAL);
}

void TFormMain::SpeedButtonEmailClick(TObject* Sender)
{
    (void)Sender;
    QUrl Mail(QStringLiteral("mailto:") + QuorvySupportMail);
    QUrlQuery Query;
    Query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Quorvy® Versie 2023"));
    Mail.setQuery(Query);
    ShellExecute(Handle(), QStringLiteral("open"), Mail.toString(QUrl::FullyEncoded), String(), String(),
                 SW_SHOWNORMAL);
}

void TFormMain::NewFile(const String& Path)
{
    if (FileExists(Path)) {
        ShowError(QStringLiteral("Het bestand ") + Quoted(Path) + QStringLiteral(" bestaat al!"),
                  QStringLiteral("Bestand bestaat al"));
        return;
    }
    if (DataModuleMain->Active)
        DataModuleMain->CloseFiles();
    if (DataModuleMain->OpenFiles(Path, true)) {
        ShowOpenState();
        DataModuleMain->NewFileCreated = true;
    }
}

void TFormMain::OpenFile(const String& Path)
{
    if (!FileExists(Path)) {
        ShowError(QStringLiteral("Het bestand ") + Quoted(Path) + QStringLiteral(" kan niet worden gevonden!"),
                  QStringLiteral("Bestand bestaat niet"));
        return;
    }
    if (DataModuleMain->Active)
        DataModuleMain->CloseFiles();
    if (DataModuleMain->OpenFiles(Path, false))
        ShowOpenState();
    if (Settings->ShowBirthdayAtStartup)
        ShowTodaysBirthdays();
}

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

void TFormMain::CloseCurrentFile()
{
    DataModuleMain->CloseFiles();
    ResetMainWindow();
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

void TFormMain::RefreshFileList()
{
    DataModuleMain->FolderChanged = false;
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
