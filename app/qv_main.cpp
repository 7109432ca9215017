#include "app/qv_main.h"

#include "app/QV_begin.h"
#include "app/qv_about.h"
#include "app/qv_data.h"
#include "app/qv_maker.h"
#include "app/qv_modal.h"
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
#include "platform/rtl/FileLock.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/WebMailAddress.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/SpeedButton.h"
#include "sysinfo/SiSysInfo.h"

#include <QDebug>
#include <vector>

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
    PUBLISHED_METHOD(FcGroupAdressenItems0Click)
    PUBLISHED_METHOD(FcGroupGroepenItems0Click)
    PUBLISHED_METHOD(FcGroupGroepenItems2Click)
    PUBLISHED_METHOD(FcGroupGroepenItems3Click)
    PUBLISHED_METHOD(VerbergMenupaneelClick)
    PUBLISHED_METHOD(oonMenupaneelClick)
    PUBLISHED_METHOD(ToonActieveGroepfilterClick)
    PUBLISHED_METHOD(FcGroupEditItems4Click)
    PUBLISHED_METHOD(FcGroupRapportagesItems0Click)
    PUBLISHED_METHOD(FcGroupRapportagesItems2Click)
END_REGISTER

TFormMain* FormMain = nullptr;

namespace {

const String ProgramCaption = QStringLiteral("Quorvy® 2023");

void ShowError(const String& Text, const String& Caption)
{
    MessageBox(Text, Caption, MB_OK | MB_ICONERROR);
}

// The program's own folder in the user's state folder: the recent-files
// list is kept there between runs.
String StateFolder()
{
    return UserStateFolder() + QStringLiteral("quorvy/");
}

String RecentFilesName()
{
    return StateFolder() + QStringLiteral("quorvy.mru");
}

// The map template: the user's own, else the one installed with the program.
String MapTemplateName()
{
    const String Own = UserConfigFolder() + QStringLiteral("quorvy/oogm.connection");
    return FileExists(Own) ? Own : ProgramFolder() + QStringLiteral("oogm.connection");
}

// One step of the shutdown: what it could not write joins Failed as a line
// for the user, and the next step runs all the same.
void ShutdownStep(QStringList& Failed, const String& What, const std::function<void()>& Step)
{
    try {
        Step();
    } catch (const Exception& E) {
        Failed << QStringLiteral("- ") + What + QStringLiteral(":\r\n  ") + E.Message();
    }
}

// What a box would have shown, for the log: at the end of the session
// nobody may be there to press its button, and the program must end.
void LogMessage(const String& Caption, const String& Text)
{
    String Line = Text;
    Line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    qWarning("%s: %s", qPrintable(Caption), qPrintable(Line));
}

// Holds back what the data module has to tell while the program's files
// are written, and gives it once they are: no box may keep the settings
// and the recent files from disk, since a logout kills a program that is
// still waiting.
class TNoticesHeldBack {
public:
    TNoticesHeldBack() : FShow(DataModuleMain->ShowNotice)
    {
        DataModuleMain->ShowNotice = [this](const TDataModuleMain::TNotice& Notice) { FHeld.push_back(Notice); };
    }
    ~TNoticesHeldBack() { DataModuleMain->ShowNotice = FShow; }
    TNoticesHeldBack(const TNoticesHeldBack&) = delete;
    TNoticesHeldBack& operator=(const TNoticesHeldBack&) = delete;

    void Give()
    {
        DataModuleMain->ShowNotice = FShow;
        for (const TDataModuleMain::TNotice& Notice : FHeld) {
            if (FShow)
                FShow(Notice);
            else
                LogMessage(Notice.Caption, Notice.Text);
        }
        FHeld.clear();
    }

private:
    TDataModuleMain::TNoticeEvent FShow;
    std::vector<TDataModuleMain::TNotice> FHeld;
};

// Whether the program ends although Failed could not be written.  The user
// is asked.  At the end of the session nobody may be there to answer: the
// log is told, and the program ends unless the contact file is still open,
// so that what was typed is not thrown away unasked and a later close can
// still write it.
bool QuitAlthoughNotSaved(const QStringList& Failed)
{
    const String Lost = QStringLiteral("Bij het afsluiten kon het volgende niet worden opgeslagen:\r\n\r\n")
        + Failed.join(QStringLiteral("\r\n"));
    const String Caption = QStringLiteral("Opslaan mislukt");
    if (Application->EndingSession()) {
        const bool Quit = !DataModuleMain->Active;
        const String Staying = QStringLiteral("\r\n\r\nQuorvy® blijft geopend met het contactbestand, zodat het "
                                              "later alsnog kan worden opgeslagen.");
        LogMessage(Caption, Quit ? Lost : Lost + Staying);
        return Quit;
    }
    return MessageBox(Lost
                          + QStringLiteral("\r\n\r\nWilt u Quorvy® toch afsluiten? Wat niet kon worden opgeslagen, "
                                           "gaat dan verloren."),
                      Caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2)
        == IDYES;
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
    // The clock read the time while the window was streamed, in the formats
    // that held then.
    FcClockStatus->UpdateTime();
    ToolBox::SetTempPathSource([this] { return SiSysInfoMain->TempPath(); });
    SortColumn = 0;
    SortAscending = true;
    if (DataModuleMain == nullptr)
        return;
    DataModuleMain->ResetState();
    DataModuleMain->LoadMapTemplate(MapTemplateName());
    DataModuleMain->LoadMRUList(RecentFilesName());
    DataModuleMain->ShowNotice = [](const TDataModuleMain::TNotice& Notice) {
        if (Application->EndingSession())
            LogMessage(Notice.Caption, Notice.Text);
        else
            MessageBox(Notice.Text, Notice.Caption, MB_OK | (Notice.Warning ? MB_ICONWARNING : MB_ICONINFORMATION));
    };
}

void TFormMain::FormDestroy(TObject* Sender)
{
    (void)Sender;
    // The system-information component goes with this window.
    ToolBox::SetTempPathSource(nullptr);
    FFileLock.reset();
    if (DataModuleMain != nullptr)
        DataModuleMain->ShowNotice = nullptr;
}

void TFormMain::FormShow(TObject* Sender)
{
    (void)Sender;
    Settings->Load();
    FcGroupBarMenu->SetExclusiveMode(Settings->Allow1Group2BOpen);
    if (Settings->SaveLastWindowSettings)
        ApplyStoredBounds();
    RefreshFileList();
}

void TFormMain::ApplyStoredBounds()
{
    SetHeight(Settings->Height);
    SetWidth(Settings->Width);
    // A desktop that places windows itself ignores a position asked for.
    if (!Screen->CanPlaceWindows())
        return;
    // The screens may have changed since: the window goes on the screen
    // nearest to where it was, within what its panels leave free.
    const TRect Stored = Bounds(Settings->Left, Settings->Top, Width(), Height());
    const TRect Work = Screen->MonitorFromRect(Stored, mdNearest)->WorkareaRect();
    SetTop(std::max(Work.Top, std::min(Stored.Top, Work.Bottom - Height())));
    SetLeft(std::max(Work.Left, std::min(Stored.Left, Work.Right - Width())));
    // Not centred over it when it is shown.
    SetPosition(poDesigned);
}

void TFormMain::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    (void)Sender;
    // At the end of the desktop session nobody may be there to answer: the
    // program stops, writing what it must.
    if (Settings->ConfirmOnExit && !Application->EndingSession()
        && MessageBox(QStringLiteral("Wilt u werkelijk stoppen met Quorvy®?"), QStringLiteral("Beëindigen Quorvy®"),
                      MB_YESNO | MB_ICONQUESTION)
            != IDYES) {
        CanClose = false;
        return;
    }
    if (!SaveAtExit()) {
        CanClose = false;
        return;
    }
    DataModuleMain->MRUList->Clear();
    DataModuleMain->MapTemplate.reset();
}

bool TFormMain::SaveAtExit()
{
    QStringList Failed;
    const bool WasOpen = DataModuleMain->Active;
    TNoticesHeldBack Notices;
    {
        const TCursorScope Busy(crHourGlass);
        if (WasOpen)
            ShutdownStep(Failed, QStringLiteral("het contactbestand ") + ToolBox::Quoted(DataModuleMain->GetFileName()),
                         [this] { CloseContactFile(); });
        // Where the window returns to when it is neither maximised nor
        // minimised: that is where it opens next time.
        const TRect Restored = RestoredBounds();
        Settings->Top = Restored.Top;
        Settings->Left = Restored.Left;
        Settings->Width = Restored.Width();
        Settings->Height = Restored.Height();
        if (Settings->SaveSettings)
            ShutdownStep(Failed, QStringLiteral("de instellingen ") + ToolBox::Quoted(TSettings::IniFileName()),
                         [] { Settings->Save(); });
        ShutdownStep(Failed,
                     QStringLiteral("de lijst met laatst gebruikte bestanden ") + ToolBox::Quoted(RecentFilesName()),
                     [] {
                         ForceDirectories(StateFolder());
                         DataModuleMain->SaveMRUList(RecentFilesName());
                     });
    }
    Notices.Give();
    if (!Failed.isEmpty() && !QuitAlthoughNotSaved(Failed)) {
        // The program goes on: a contact file that was written and closed
        // is no longer shown as open.
        if (WasOpen && !DataModuleMain->Active) {
            ResetMainWindow();
            RefreshListAfterClose();
        }
        return false;
    }
    if (DataModuleMain->Active) {
        DataModuleMain->AbandonFiles();
        FFileLock.reset();
    }
    DataModuleMain->DeleteTempFiles();
    return true;
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
        + ToolBox::Quoted(Text);
    if (MessageBox(Question, QStringLiteral("Applicatiefout"), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
        Application->Terminate();
}

void TFormMain::UpdateCaption()
{
    String Text = ProgramCaption;
    if (DataModuleMain->Active)
        Text += QStringLiteral(" - ") + DataModuleMain->GetFileName();
    // The argument may be a whole pasted text: the title bar repeats as much
    // of it as a message would.
    if (DataModuleMain->Active && FcToolButtonSearchStop->Visible())
        Text +=
            QStringLiteral(" - [Zoeken naar: ") + ToolBox::Quoted(QuotedInput(DataModuleMain->SearchText)) + QLatin1Char(']');
    SetCaption(Text);
}

// --- contact files -----------------------------------------------------------

void TFormMain::ActionSettingsExecute(TObject* Sender)
{
    (void)Sender;
    ShowModalForm<TFormSettings>();
}

void TFormMain::ActionAboutExecute(TObject* Sender)
{
    (void)Sender;
    ShowModalForm<TFormAbout>();
}

void TFormMain::ActionEindeExecute(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TFormMain::SpeedButtonBeginClick(TObject* Sender)
{
    (void)Sender;
    ShowModalForm<TFormBegin>();
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
    if (Text.isEmpty()) {
        ShellOpenAddress(Handle(), QuorvyWebSite);
        return;
    }
    // Only a web address goes to the desktop, which would open a local
    // file or a program as readily.
    if (!IsWebAddress(Text)) {
        MessageBox(ToolBox::Quoted(QuotedInput(Text))
                       + QStringLiteral(" is geen webadres en wordt niet geopend.\r\n\r\nEen webadres begint "
                                        "met http://, https:// of www."),
                   QStringLiteral("Openen niet mogelijk"), MB_OK | MB_ICONWARNING);
        return;
    }
    if (FcComboBoxWebLink->Items()->IndexOf(Text) < 0)
        FcComboBoxWebLink->Items()->Insert(0, Text);
    ShellOpenAddress(Handle(), Text);
}

void TFormMain::SpeedButtonEmailClick(TObject* Sender)
{
    (void)Sender;
    ShellOpenAddress(Handle(),
                     QStringLiteral("mailto:") + QuorvySupportMail + QStringLiteral("?subject=Quorvy® Versie 2023"));
}
