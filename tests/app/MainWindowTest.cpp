// The main window: its start and stop, the contact-file commands with their
// messages, the caption, the start page's two lists, the web and mail
// links and the program's exception handler.
#include "tests/app/MainWindowFixture.h"

#include "controls/foundation/FcClockStatus.h"
#include "controls/foundation/FcKeyStatus.h"
#include "controls/foundation/FcPanel.h"
#include "controls/foundation/FcStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcDBGrid.h"
#include "controls/lists/FcGroup.h"
#include "controls/lists/FcGroupBar.h"
#include "platform/actions/ActnList.h"
#include "platform/actions/Menus.h"
#include "platform/forms/AppEvnts.h"
#include "platform/forms/EndSession.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/FileLock.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/FormTextHelpers.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Utf8Text.h"
#include "tests/support/Warnings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrlQuery>
#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

// --- start and stop -------------------------------------------------------------

TEST_F(MainWindowTest, CreatedItResetsTheDataModuleAndShownItReadsTheSettingsAndListsTheDataFolder)
{
    EXPECT_EQ(FormMain, Main);
    EXPECT_EQ(Main->Caption(), ProgramCaption);
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(FormatSettings.DateSeparator, '/');
    EXPECT_EQ(Data->LastQuorvyID, -1);
    EXPECT_EQ(SortColumn, 0);
    EXPECT_TRUE(SortAscending);
    EXPECT_TRUE(Main->ActionNew->Enabled());
    EXPECT_FALSE(Main->ActionClose->Enabled());

    const QString Second = MakeContactFile("b.quorvy", {});
    const QString First = MakeContactFile("a.quorvy", {});
    ASSERT_TRUE(WriteRaw(DataFolder + "c.QUORVY.txt", "geen contactbestand"));
    ASSERT_TRUE(QDir().mkpath(DataFolder + "map.quorvy"));
    ASSERT_TRUE(WriteRaw(DataFolder + ".verborgen.quorvy", "x"));
    WriteSettings(
        QStringLiteral("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n[UI]\r\nAllow1Group2BOpen=0\r\n")
            .arg(DataFolder));
    ShowMain();
    EXPECT_EQ(ListedFiles(), QStringList({First, Second}));
    EXPECT_EQ(Main->FcListBoxPreviousFiles->ItemIndex(), 0);
    EXPECT_FALSE(Main->FcGroupBarMenu->ExclusiveMode());
    EXPECT_TRUE(Main->FcPanelMainPage->Visible());
    EXPECT_FALSE(Main->FcPanelQuorvy->Visible());
}

TEST_F(MainWindowTest, TheDataFolderIsJoinedToItsFilesWithOneSeparator)
{
    const QString File = MakeContactFile("a.quorvy", {});
    WriteSettings(QStringLiteral("[Folders]\r\nData=%1\r\n").arg(DataFolder.chopped(1)));
    ShowMain();
    EXPECT_EQ(ListedFiles(), QStringList({File}));
}

TEST_F(MainWindowTest, TheStoredWindowRectangleIsAppliedOnlyWhenAskedForAndKeptOnAScreen)
{
    WriteSettings("[Algemeen]\r\nConfirmOnExit=0\r\n[LAST_WINDOW]\r\nTOP=30\r\nLEFT=40\r\nWIDTH=700\r\nHEIGHT=450\r\n");
    ShowMain();
    EXPECT_EQ(Main->ClientWidth(), 832);
    EXPECT_EQ(Main->ClientHeight(), 536);
    Main->Hide();

    const TRect Work = Screen->MonitorFromRect(Main->BoundsRect())->WorkareaRect();
    struct TCase {
        int Left, Top;
        TPoint Expected;
    };
    const std::vector<TCase> Cases = {
        {Work.Left + 40, Work.Top + 30, {Work.Left + 40, Work.Top + 30}},
        // Partly or wholly off the screen: brought back within its work area.
        {Work.Right - 100, Work.Top + 30, {Work.Right - 700, Work.Top + 30}},
        {Work.Right + 5000, Work.Bottom + 100, {Work.Right - 700, Work.Bottom - 450}},
    };
    for (const TCase& C : Cases) {
        TRootPtr<TFormMain> Fresh(CreateComponent<TFormMain>(nullptr));
        WriteSettings(QStringLiteral("[Algemeen]\r\nConfirmOnExit=0\r\nSaveLastWindowSettings=1\r\n[LAST_WINDOW]\r\n"
                                     "TOP=%1\r\nLEFT=%2\r\nWIDTH=700\r\nHEIGHT=450\r\n")
                          .arg(C.Top)
                          .arg(C.Left));
        Fresh->Show();
        PumpMessages();
        EXPECT_EQ(Fresh->Width(), 700);
        EXPECT_EQ(Fresh->Height(), 450);
        EXPECT_EQ(Fresh->Left(), C.Expected.X) << C.Left;
        EXPECT_EQ(Fresh->Top(), C.Expected.Y) << C.Top;
    }
}

TEST_F(MainWindowTest, TheRectangleStoredIsTheOneAMaximisedWindowReturnsTo)
{
    ShowMain();
    Main->SetBounds(50, 60, 640, 480);
    Main->SetWindowState(wsMaximized);
    PumpMessages();
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_EQ(Settings->Left, 50);
    EXPECT_EQ(Settings->Top, 60);
    EXPECT_EQ(Settings->Width, 640);
    EXPECT_EQ(Settings->Height, 480);
}

TEST_F(MainWindowTest, QuittingAsksWhenConfiguredThenWritesEverything)
{
    WriteSettings("[Algemeen]\r\nConfirmOnExit=1\r\n");
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    const QString Report = Dir.File("tmp/quorvy$1.html");
    ASSERT_TRUE(WriteRaw(Report, "<html/>"));
    Data->TempFiles->Add(Report);

    TScriptedMessageBoxes No({IDNO});
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_FALSE(CanClose);
    ASSERT_EQ(No.Asked().size(), 1u);
    EXPECT_EQ(No.Asked()[0].Text, "Wilt u werkelijk stoppen met Quorvy®?");
    EXPECT_EQ(No.Asked()[0].Caption, "Beëindigen Quorvy®");
    EXPECT_EQ(No.Asked()[0].Flags, 36u);
    EXPECT_TRUE(Data->Active);

    TScriptedMessageBoxes Yes({IDYES});
    CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_FALSE(Data->Active);
    EXPECT_FALSE(QFile::exists(Report));
    TMemIniFile Ini(TSettings::IniFileName());
    EXPECT_EQ(Ini.ReadInteger("LAST_WINDOW", "WIDTH", 0), Main->Width());
    EXPECT_EQ(ReadRaw(Dir.File("state/quorvy/quorvy.mru")), (Path + "\r\n").toUtf8());
    // The person added is in the file.
    ASSERT_TRUE(Data->OpenFiles(Path, false));
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 2);
}

// At the end of the desktop session nobody may be there to answer the
// question: the program stops without it and writes what is open.
TEST_F(MainWindowTest, TheEndOfTheSessionQuitsWithoutAskingAndWritesEverything)
{
    WriteSettings("[Algemeen]\r\nConfirmOnExit=1\r\n");
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});

    TScriptedMessageBoxes Boxes;
    Application->EndSession();
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    // The quit EndSession posted is taken here, not by a later modal loop.
    PumpMessages();
    RestartApplication();
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(Boxes.Asked().empty());
    EXPECT_FALSE(Data->Active);
    EXPECT_EQ(ReadRaw(Dir.File("state/quorvy/quorvy.mru")), (Path + "\r\n").toUtf8());
    ASSERT_TRUE(Data->OpenFiles(Path, false));
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 2);
}

// Told to stop (SIGTERM at a logout) with a table another program moved
// away: the whole set is written, the settings and the recent files too,
// and what would have been a box goes to the log; nothing waits for a
// button, since a logout kills a program that waits.
TEST_F(MainWindowTest, TheEndOfTheSessionShowsNoBoxOfTheCloseAndTellsTheLog)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    ASSERT_TRUE(QFile::remove(Path + ".groep"));

    TScriptedMessageBoxes Boxes;
    TWarnings Log;
    InstallEndSessionSignals();
    ::raise(SIGTERM);
    EXPECT_TRUE(RunUntil([] { return Application->EndingSession(); }));
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    RemoveEndSessionSignals();
    PumpMessages();
    RestartApplication();
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(Boxes.Asked().empty());
    ASSERT_EQ(TWarnings::Seen.size(), 1);
    EXPECT_TRUE(TWarnings::Seen[0].startsWith("Contactbestand gewijzigd: Het contactbestand \"" + Path + "\""))
        << TWarnings::Seen[0].toStdString();
    EXPECT_TRUE(QFile::exists(Path + ".groep"));
    EXPECT_EQ(TMemIniFile(TSettings::IniFileName()).ReadInteger("LAST_WINDOW", "WIDTH", 0), Main->Width());
    EXPECT_EQ(ReadRaw(Dir.File("state/quorvy/quorvy.mru")), (Path + "\r\n").toUtf8());
}

// Outside the end of the session the same close tells the user, in a box
// that comes only once the settings and the recent files are on disk.
TEST_F(MainWindowTest, TheCloseTellsOfAnotherProgramOnlyOnceEverythingIsWritten)
{
    WriteSettings("[Algemeen]\r\nConfirmOnExit=0\r\n[LAST_WINDOW]\r\nWIDTH=1\r\n");
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    ASSERT_TRUE(QFile::remove(Path + ".groep"));

    QStringList Shown;
    SetMessageBoxHook([&](const String& Text, const String& Caption, unsigned) {
        Shown << Caption;
        EXPECT_TRUE(Text.contains(Path));
        EXPECT_EQ(TMemIniFile(TSettings::IniFileName()).ReadInteger("LAST_WINDOW", "WIDTH", 0), Main->Width());
        EXPECT_EQ(ReadRaw(Dir.File("state/quorvy/quorvy.mru")), (Path + "\r\n").toUtf8());
        return IDOK;
    });
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    SetMessageBoxHook(nullptr);
    EXPECT_TRUE(CanClose);
    EXPECT_EQ(Shown, QStringList({"Contactbestand gewijzigd"}));
}

// A contact file that cannot be written when the session ends: no box
// asks whether to stop anyway; the log says what was not saved, and the
// program stays with the file open rather than throw away what was typed.
// What is not the contact file does not keep it.
TEST_F(MainWindowTest, AFailedWriteAtTheEndOfTheSessionIsLoggedAndOnlyTheContactFileKeepsTheProgram)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    ASSERT_TRUE(QDir(Dir.Path()).rename("data", "weg"));
    TScriptedMessageBoxes Boxes;
    for (const bool ContactFileFails : {true, false}) {
        SCOPED_TRACE(ContactFileFails);
        if (!ContactFileFails) {
            ASSERT_TRUE(QDir(Dir.Path()).rename("weg", "data"));
            ASSERT_TRUE(WriteRaw(Dir.File("bezet"), "x"));
            TSettings::SetIniFileName(Dir.File("bezet/quorvy.ini"));
        }
        TWarnings Log;
        Application->EndSession();
        bool CanClose = true;
        Main->FormCloseQuery(Main, CanClose);
        PumpMessages();
        RestartApplication();
        EXPECT_EQ(CanClose, !ContactFileFails);
        EXPECT_EQ(Data->Active, ContactFileFails);
        ASSERT_EQ(TWarnings::Seen.size(), 1);
        EXPECT_TRUE(TWarnings::Seen[0].startsWith("Opslaan mislukt: Bij het afsluiten kon het volgende niet"));
        EXPECT_EQ(TWarnings::Seen[0].contains(Path), ContactFileFails);
        EXPECT_EQ(TWarnings::Seen[0].contains("blijft geopend"), ContactFileFails);
    }
    EXPECT_TRUE(Boxes.Asked().empty());
    ASSERT_TRUE(Data->OpenFiles(Path, false));
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 2);
}

TEST_F(MainWindowTest, WithSaveSettingsOffTheSettingsFileStaysAsItWas)
{
    const QByteArray Before = "[General]\r\nSaveSettings=0\r\n[Algemeen]\r\nConfirmOnExit=0\r\n";
    ASSERT_TRUE(WriteRaw(TSettings::IniFileName(), Before));
    ShowMain();
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_EQ(ReadRaw(TSettings::IniFileName()), Before);
    EXPECT_EQ(Settings->Width, Main->Width());
}

// --- contact files ----------------------------------------------------------------

TEST_F(MainWindowTest, NewFileGetsTheContactExtensionAndShowsThePersonPage)
{
    ShowMain();
    TScriptedOpenDialogs Dialogs({DataFolder + "Familie", DataFolder + "Werk.txt"});
    Main->ActionNewExecute(nullptr);
    ASSERT_EQ(Dialogs.Asked().size(), 1u);
    EXPECT_EQ(Dialogs.Asked()[0].Title, "Creëer een nieuw contact- en adressenbestand");
    EXPECT_EQ(Dialogs.Asked()[0].InitialDir, DataFolder);
    EXPECT_EQ(Dialogs.Asked()[0].FileName, "");
    EXPECT_EQ(Dialogs.Asked()[0].Filter, "Contactbestanden|*.quorvy|Alle bestanden|*.*");
    EXPECT_TRUE(Data->Active);
    EXPECT_EQ(Data->FileName, DataFolder + "Familie.quorvy");
    EXPECT_TRUE(Data->NewFileCreated);
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + DataFolder + "Familie.quorvy");
    EXPECT_FALSE(Main->ActionNew->Enabled());
    EXPECT_FALSE(Main->ActionOpen->Enabled());
    EXPECT_FALSE(Main->ActionDelete->Enabled());
    EXPECT_TRUE(Main->ActionClose->Enabled());
    EXPECT_TRUE(Main->FcPanelQuorvy->Visible());
    EXPECT_FALSE(Main->FcPanelMainPage->Visible());
    EXPECT_TRUE(Main->FcGroupNavigate->Opened());
    EXPECT_FALSE(Main->FcGroupZoeken->Opened());

    // Another extension is replaced; the open file is written first.
    Main->ActionNewExecute(nullptr);
    EXPECT_EQ(Data->FileName, DataFolder + "Werk.quorvy");
    EXPECT_TRUE(QFile::exists(DataFolder + "Familie.quorvy"));
}

TEST_F(MainWindowTest, NewFileOverAnExistingOneIsRefusedAndTheOpenFileStays)
{
    const QString Old = MakeContactFile("Oud.quorvy", {});
    const QString Open = MakeContactFile("Open.quorvy", {});
    ShowMain();
    Main->OpenFile(Open);
    TScriptedMessageBoxes Boxes;
    Main->NewFile(Old);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "Het bestand \"" + Old + "\" bestaat al!");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Bestand bestaat al");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Data->FileName, Open);
}

TEST_F(MainWindowTest, NewFileRefusesANameItsTablesCouldNeverBeSavedUnder)
{
    ShowMain();
    // Bytes left for the name once ".quorvy.adres", the longest ending of
    // the three tables, is added.
    const int Room = MaxFileNameLength(DataFolder) - 13;
    struct TCase {
        const char* What;
        QString Typed; // in the data folder, without the extension
        bool Accepted;
    };
    const std::vector<TCase> Cases = {
        {"one byte too long", QString(Room + 1, u'a'), false},
        {"short enough in characters, not in bytes", U("ë").repeated(Room / 2 + 1), false},
        {"a path beyond the system's limit", QStringLiteral("map/").repeated(PATH_MAX / 4) + "Familie", false},
        {"just short enough", QString(Room, u'a'), true},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        const QString Path = DataFolder + C.Typed + ".quorvy";
        TScriptedOpenDialogs Dialogs({DataFolder + C.Typed});
        TScriptedMessageBoxes Boxes;
        Main->ActionNewExecute(nullptr);
        if (C.Accepted) {
            EXPECT_TRUE(Boxes.Asked().empty());
            ASSERT_TRUE(Data->Active);
            AddPerson({1, "Jansen"});
            Main->ActionCloseExecute(nullptr);
            EXPECT_EQ(QDir(DataFolder).entryList(QDir::Files | QDir::Hidden),
                      QStringList({C.Typed + ".quorvy", C.Typed + ".quorvy.adres", C.Typed + ".quorvy.groep"}));
            continue;
        }
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Text,
                  "De naam van het bestand \"" + Path.left(40)
                      + "…\" is te lang!\r\nKies een kortere naam of een map met een korter pad.");
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Naam te lang");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
        EXPECT_FALSE(Data->Active);
        EXPECT_TRUE(Main->FcPanelMainPage->Visible());
        EXPECT_FALSE(Main->FcPanelQuorvy->Visible());
        EXPECT_EQ(Main->Caption(), ProgramCaption);
        EXPECT_TRUE(Main->ActionNew->Enabled());
        EXPECT_TRUE(QDir(DataFolder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
}

TEST_F(MainWindowTest, OpeningAMissingFileIsRefusedAndItsRecentEntryStays)
{
    ShowMain();
    Data->MRUList->Add(DataFolder + "Weg.quorvy");
    Main->MenuMRUClick(nullptr);
    TScriptedMessageBoxes Boxes;
    Main->FcListBoxPreviousFilesClick(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "Het bestand \"" + DataFolder + "Weg.quorvy\" kan niet worden gevonden!");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Bestand bestaat niet");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_FALSE(Data->Active);
    EXPECT_EQ(Data->MRUList->Count(), 1);
}

TEST_F(MainWindowTest, OpenAndCloseSwitchPagesCaptionAndCommands)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    TScriptedOpenDialogs Dialogs({Path});
    Main->ActionOpenExecute(nullptr);
    EXPECT_EQ(Dialogs.Asked()[0].Title, "Open een bestaand contact- en adressenbestand");
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path);
    EXPECT_TRUE(Main->FcDBGridQuorvy->Focused());

    Main->ActionCloseExecute(nullptr);
    EXPECT_FALSE(Data->Active);
    EXPECT_EQ(Main->Caption(), ProgramCaption);
    EXPECT_TRUE(Main->ActionNew->Enabled());
    EXPECT_TRUE(Main->ActionDelete->Enabled());
    EXPECT_FALSE(Main->ActionClose->Enabled());
    EXPECT_TRUE(Main->FcPanelMainPage->Visible());
    EXPECT_FALSE(Main->FcPanelQuorvy->Visible());
    EXPECT_TRUE(Main->FcComboBoxWebLink->Focused());
    EXPECT_EQ(Data->MRUList->Count(), 1);
}

TEST_F(MainWindowTest, ClosingANewFileShowsItInTheListOfTheSourceChosen)
{
    const QString Old = MakeContactFile("a.quorvy", {});
    ShowMain();
    Main->NewFile(DataFolder + "nieuw.quorvy");
    Main->ActionCloseExecute(nullptr);
    EXPECT_EQ(ListedFiles(), QStringList({Old, DataFolder + "nieuw.quorvy"}));

    Main->MenuMRUClick(nullptr);
    Main->OpenFile(Old);
    Main->ActionCloseExecute(nullptr);
    EXPECT_EQ(ListedFiles(), QStringList({DataFolder + "nieuw.quorvy", Old}));
}

TEST_F(MainWindowTest, DeleteRemovesTheThreeTablesButNotTheNotesAndShowsTheFolder)
{
    const QString Path = MakeContactFile("weg.quorvy", {});
    const QString Kept = MakeContactFile("blijft.quorvy", {});
    ASSERT_TRUE(WriteRaw(DataFolder + "weg.naw", "notities"));
    ShowMain();
    Main->FcListBoxPreviousFiles->SetItemIndex(1);
    {
        TScriptedMessageBoxes No({IDNO});
        Main->ActionDeleteExecute(nullptr);
        EXPECT_EQ(No.Asked()[0].Text, "Wilt u het geselecteerde contact- en adressenbestand werkelijk verwijderen?");
        EXPECT_EQ(No.Asked()[0].Caption, "Verwijderen Bestand");
        EXPECT_EQ(No.Asked()[0].Flags, 292u);
        EXPECT_TRUE(QFile::exists(Path));
    }
    Data->MRUList->Add(Path);
    Main->MenuMRUClick(nullptr);
    Main->FcListBoxPreviousFiles->SetItemIndex(0);
    TScriptedMessageBoxes Yes({IDYES});
    Main->ActionDeleteExecute(nullptr);
    EXPECT_EQ(Yes.Asked().size(), 1u);
    for (const QString& Name : {Path, Path + ".adres", Path + ".groep"})
        EXPECT_FALSE(QFile::exists(Name)) << Name.toStdString();
    EXPECT_TRUE(QFile::exists(DataFolder + "weg.naw"));
    EXPECT_EQ(ListedFiles(), QStringList({Kept}));
    EXPECT_EQ(Data->MRUList->Count(), 1);
}

TEST_F(MainWindowTest, AFailedDeleteIsReportedNamingTheFile)
{
    const QString Path = MakeContactFile("vast.quorvy", {});
    ShowMain();
    // A folder where the group table should be cannot be deleted as a file.
    ASSERT_TRUE(QFile::remove(Path + ".groep"));
    ASSERT_TRUE(QDir().mkpath(Path + ".groep"));
    TScriptedMessageBoxes Yes({IDYES});
    Main->ActionDeleteExecute(nullptr);
    ASSERT_EQ(Yes.Asked().size(), 2u);
    EXPECT_TRUE(Yes.Asked()[1].Text.contains(Path + ".groep"));
    EXPECT_FALSE(Yes.Asked()[1].Text.contains(Path + ".adres"));
    EXPECT_EQ(Yes.Asked()[1].Flags, 16u);
    EXPECT_FALSE(QFile::exists(Path));
}

// --- the start page's lists ----------------------------------------------------------

TEST_F(MainWindowTest, TheListShowsTheFolderOrTheRecentFilesAndTheRecentListCanBeEmptied)
{
    const QString InFolder = MakeContactFile("a.quorvy", {});
    ShowMain();
    Data->MRUList->Add("/elders/b.quorvy");
    Data->MRUList->Add("/elders/c.quorvy");
    Main->MenuMRUClick(nullptr);
    EXPECT_TRUE(Main->MenuMRU->Checked());
    EXPECT_FALSE(Main->MenuStandaard->Checked());
    EXPECT_EQ(ListedFiles(), QStringList({"/elders/b.quorvy", "/elders/c.quorvy"}));
    EXPECT_EQ(Main->FcListBoxPreviousFiles->ItemIndex(), 0);

    Main->LeegMRUlijstClick(nullptr);
    EXPECT_EQ(Data->MRUList->Count(), 0);
    EXPECT_TRUE(ListedFiles().isEmpty());

    Main->MenuStandaardClick(nullptr);
    EXPECT_TRUE(Main->MenuStandaard->Checked());
    EXPECT_FALSE(Main->MenuMRU->Checked());
    EXPECT_EQ(ListedFiles(), QStringList({InFolder}));
    Data->MRUList->Add("/elders/d.quorvy");
    Main->LeegMRUlijstClick(nullptr);
    EXPECT_EQ(ListedFiles(), QStringList({InFolder}));
}

// --- links ------------------------------------------------------------------------

TEST_F(MainWindowTest, TheWebLinkOpensWebAddressesRemembersThemAndOpensTheSiteWhenEmpty)
{
    ShowMain();
    TShellRecorder Shell;
    Main->FcComboBoxWebLink->SetText("www.example.org/pagina");
    Main->SpeedButtonWebGoClick(nullptr);
    EXPECT_EQ(Main->FcComboBoxWebLink->Text(), "http://www.example.org/pagina");
    EXPECT_EQ(Main->FcComboBoxWebLink->Items()->Strings(0), "http://www.example.org/pagina");
    Main->FcComboBoxWebLink->SetText("https://example.org/");
    QChar Enter = '\r';
    Main->FcComboBoxWebLinkKeyPress(nullptr, Enter);
    EXPECT_EQ(Enter, QChar(0));
    Main->FcComboBoxWebLink->SetText("");
    Main->SpeedButtonWebGoClick(nullptr);
    EXPECT_EQ(Main->FcComboBoxWebLink->Items()->Count(), 2);
    ASSERT_EQ(Shell.Opened().size(), 3u);
    EXPECT_EQ(Shell.Opened()[0].toString(), "http://www.example.org/pagina");
    EXPECT_EQ(Shell.Opened()[1].toString(), "https://example.org/");
    EXPECT_EQ(Shell.Opened()[2].host(), "www.example.org");
}

TEST_F(MainWindowTest, TheMailLinkWritesToTheMakersWithTheVersionAsSubject)
{
    ShowMain();
    TShellRecorder Shell;
    Main->SpeedButtonEmailClick(nullptr);
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0].scheme(), "mailto");
    EXPECT_EQ(Shell.Opened()[0].path(), "quorvy@example.org");
    EXPECT_EQ(QUrlQuery(Shell.Opened()[0]).queryItemValue("subject", QUrl::FullyDecoded), "Quorvy® Versie 2023");
}

// --- the exception handler -------------------------------------------------------------

TEST_F(MainWindowTest, FieldInputErrorsGetTheirOwnMessageAndEverythingElseOffersToQuit)
{
    struct TCase {
        std::function<void()> Raise;
        bool FieldInput;
    };
    const std::vector<TCase> Cases = {
        {[] { throw EDBEditError("Invalid input value.  Use escape key to abandon changes"); }, true},
        {[] { throw EDatabaseError("'x' is not a valid integer value for field 'ID_ADRES'"); }, true},
        {[] { throw EConvertError("'31/02/2024' is not a valid date and time"); }, true},
        {[] { throw EDBEditError("Field 'X' must have a value"); }, false},
        {[] { throw EConvertError("'x' is not a valid integer value for field 'Y'"); }, false},
        {[] { throw EInOutError("Cannot create file \"/x\""); }, false},
    };
    ShowMain();
    for (const TCase& C : Cases) {
        TScriptedMessageBoxes No({IDNO});
        try {
            C.Raise();
        } catch (Exception& E) {
            Main->ApplicationEventsMainException(nullptr, E);
        }
        ASSERT_EQ(No.Asked().size(), 1u);
        if (C.FieldInput) {
            EXPECT_EQ(No.Asked()[0].Text, "Onjuiste invoer voor dit veld. Drukt u op <Esc> om de invoer te annuleren.");
            EXPECT_EQ(No.Asked()[0].Caption, "Onjuiste invoer");
            EXPECT_EQ(No.Asked()[0].Flags, 16u);
        } else {
            EXPECT_EQ(No.Asked()[0].Caption, "Applicatiefout");
            EXPECT_EQ(No.Asked()[0].Flags, 308u);
            EXPECT_TRUE(No.Asked()[0].Text.startsWith("Er is een applicatiefout opgetreden"));
            EXPECT_TRUE(No.Asked()[0].Text.endsWith("\r\n\r\nDe errortekst luidt: \"" + [&] {
                try {
                    C.Raise();
                } catch (Exception& E) {
                    return E.Message();
                }
                return QString();
            }() + "\""));
        }
        EXPECT_FALSE(Application->Terminated());
    }
}

TEST_F(MainWindowTest, AnErrorWhileADialogIsOpenCanStillEndTheProgramThroughItsCloseQuery)
{
    // The program's own main window, as the application makes it.
    Main->Free();
    Main = nullptr;
    Application->CreateForm(Main);
    WriteSettings("[Algemeen]\r\nConfirmOnExit=1\r\n");
    TScriptedMessageBoxes Yes({IDYES});
    TTimer OpenDialog(nullptr), Fail(nullptr);
    OpenDialog.SetInterval(1);
    OpenDialog.SetOnTimer([&](TObject*) {
        OpenDialog.SetEnabled(false);
        Fail.SetEnabled(true);
        Main->ActionAboutExecute(nullptr);
    });
    Fail.SetEnabled(false);
    Fail.SetInterval(1);
    Fail.SetOnTimer([&](TObject*) {
        Fail.SetEnabled(false);
        throw EInvalidOperation("fout");
    });
    Application->Run();
    ASSERT_EQ(Yes.Asked().size(), 2u);
    EXPECT_EQ(Yes.Asked()[0].Caption, "Applicatiefout");
    EXPECT_TRUE(Yes.Asked()[0].Text.endsWith("\"fout\""));
    EXPECT_EQ(Yes.Asked()[1].Caption, "Beëindigen Quorvy®");
    // The close query went through: it wrote the settings.
    EXPECT_TRUE(QFile::exists(TSettings::IniFileName()));
    RestartApplication();
}

// --- the lock -----------------------------------------------------------------------

TEST_F(MainWindowTest, AFileOpenInAnotherCopyIsRefusedNamingThatCopy)
{
    const QString Path = MakeContactFile("gedeeld.quorvy", {{1, "Jansen"}});
    const QString Own = MakeContactFile("eigen.quorvy", {});
    ShowMain();
    Main->OpenFile(Own);
    {
        // The other copy of the program.
        TFileLock Other(Path);
        ASSERT_EQ(Other.Acquire(), flLocked);
        TScriptedMessageBoxes Boxes({IDYES});
        Main->OpenFile(Path);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Bestand in gebruik");
        EXPECT_TRUE(Boxes.Asked()[0].Text.contains(Path));
        EXPECT_TRUE(
            Boxes.Asked()[0].Text.contains(QStringLiteral("proces %1").arg(QCoreApplication::applicationPid())));
        EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
        // The file that was open stays open.
        EXPECT_EQ(Data->FileName, Own);
        Main->ActionCloseExecute(nullptr);
        Main->FcListBoxPreviousFiles->SetItemIndex(ListedFiles().indexOf(Path));
        Main->ActionDeleteExecute(nullptr);
        EXPECT_EQ(Boxes.Asked().back().Caption, "Bestand in gebruik");
        EXPECT_TRUE(QFile::exists(Path));
    }
    // This copy holds its open file against the others, also when it opens
    // that file again.
    Main->OpenFile(Path);
    Main->OpenFile(Path);
    EXPECT_EQ(Data->FileName, Path);
    TFileLock Other(Path);
    EXPECT_EQ(Other.Acquire(), flHeld);
    Main->ActionCloseExecute(nullptr);
    EXPECT_EQ(Other.Acquire(), flLocked);
}

TEST_F(MainWindowTest, AFileOpenElsewhereIsRefusedUnderEveryOtherName)
{
    const QString Path = MakeContactFile("gedeeld.quorvy", {{1, "Jansen"}});
    const QString Folder = Dir.File("elders/");
    ASSERT_TRUE(QDir().mkpath(Folder));
    // Its three table files reached through shortcuts, through hard links,
    // and through another spelling of its path.
    for (const QString& Table : {QString(), QStringLiteral(".adres"), QStringLiteral(".groep")}) {
        ASSERT_EQ(::symlink(QFile::encodeName(Path + Table).constData(),
                            QFile::encodeName(Folder + "kort.quorvy" + Table).constData()),
                  0);
        ASSERT_EQ(::link(QFile::encodeName(Path + Table).constData(),
                         QFile::encodeName(Folder + "hard.quorvy" + Table).constData()),
                  0);
    }
    ShowMain();
    TFileLock Other(Path);
    ASSERT_EQ(Other.Acquire(), flLocked);
    const QString Spelled = DataFolder + "../" + QDir(DataFolder).dirName() + "//./gedeeld.quorvy";
    for (const QString& Name : {Folder + "kort.quorvy", Folder + "hard.quorvy", Spelled}) {
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Name);
        ASSERT_EQ(Boxes.Asked().size(), 1u) << Name.toStdString();
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Bestand in gebruik");
        EXPECT_TRUE(
            Boxes.Asked()[0].Text.contains(QStringLiteral("proces %1").arg(QCoreApplication::applicationPid())));
        EXPECT_FALSE(Data->Active) << Name.toStdString();
    }
    Other.Release();
    // Open here through a shortcut, it is refused to the others by its name.
    Main->OpenFile(Folder + "kort.quorvy");
    ASSERT_TRUE(Data->Active);
    EXPECT_EQ(Other.Acquire(), flHeld);
}

TEST_F(MainWindowTest, WithoutRoomForALockFileAFileIsStillLockedOrTheUserIsTold)
{
    const QString Path = MakeContactFile("vol.quorvy", {{1, "Jansen"}});
    // A full disk, or a folder that may not be written, stops the lock
    // files; a folder in their way does the same, whoever runs the test.
    for (const QString& Name : {QStringLiteral("vol.quorvy"), QStringLiteral("Nieuw.quorvy")})
        ASSERT_TRUE(QDir().mkpath(DataFolder + "." + Name + ".lock"));
    ShowMain();
    {
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Path);
        EXPECT_TRUE(Boxes.Asked().empty());
        ASSERT_TRUE(Data->Active);
        TFileLock Other(Path);
        EXPECT_EQ(Other.Acquire(), flHeld);
        Main->ActionCloseExecute(nullptr);
    }
    // A file that is not there yet has nothing else to lock: the user is
    // told as it opens, and can go on.
    TScriptedMessageBoxes Boxes;
    Main->NewFile(DataFolder + "Nieuw.quorvy");
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Bestand niet vergrendeld");
    EXPECT_EQ(
        Boxes.Asked()[0].Text,
        "Het bestand \"" + DataFolder
            + "Nieuw.quorvy\" kan niet worden vergrendeld: er staat een map met die "
              "naam.\r\nOpent u het ook in een ander venster van Quorvy®, dan overschrijven de wijzigingen van het "
              "ene venster die van het andere.");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 48u);
    EXPECT_TRUE(Data->Active);
}

TEST_F(MainWindowTest, WhereNothingCanBeSavedTheUserIsToldAsTheFileOpensAndTheLockFileFollowsOnceItCan)
{
    const QString Path = MakeContactFile("stick.quorvy", {{1, "Jansen"}});
    const QString LockFile = DataFolder + ".stick.quorvy.lock";
    // What the system says to the lock file on a read-only medium, in a
    // folder that may not be written, on a full disk or quota, whoever runs
    // the test; 0 once the way is clear again.
    int Refused = 0;
    bool LockFileAtWrite = false;
    struct THooks {
        THooks(int& Refused, bool& Seen, const QString& LockFile)
        {
            SetLockFileHook([&Refused](const String&) { return Refused; });
            SetFolderSyncHook([&Seen, LockFile](const String&) {
                Seen = QFile::exists(LockFile);
                return 0;
            });
        }
        ~THooks()
        {
            SetLockFileHook(nullptr);
            SetFolderSyncHook(nullptr);
        }
    } Hooks(Refused, LockFileAtWrite, LockFile);
    struct TCase {
        int Code;
        const char* Reason;
    };
    const std::vector<TCase> Cases = {
        {EROFS, "het bestandssysteem is alleen-lezen"},
        {EACCES, "geen toegang (onvoldoende rechten)"},
        {ENOSPC, "de schijf is vol"},
        {EDQUOT, "de toegestane schijfruimte is op"},
    };
    ShowMain();
    TTimer* Retry = nullptr;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Reason);
        Refused = C.Code;
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Path);
        ASSERT_EQ(Boxes.Asked().size(), 1u);
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Opslaan niet mogelijk");
        EXPECT_EQ(Boxes.Asked()[0].Text,
                  "Het bestand \"" + Path
                      + "\" is geopend, maar wijzigingen kunnen daar nu niet worden opgeslagen: " + C.Reason
                      + ".\r\nWat u wijzigt, wordt bij het sluiten alleen opgeslagen als daar dan weer kan worden "
                        "geschreven.");
        EXPECT_EQ(Boxes.Asked()[0].Flags, 48u);
        ASSERT_TRUE(Data->Active);
        // Tried again on a timer while it cannot be made.
        Retry = dynamic_cast<TTimer*>(Main->FindComponent("TimerLockFile"));
        ASSERT_NE(Retry, nullptr);
        EXPECT_TRUE(Retry->Enabled());
        Retry->OnTimer()(Retry);
        EXPECT_FALSE(QFile::exists(LockFile));
        Main->ActionCloseExecute(nullptr);
        EXPECT_FALSE(Retry->Enabled());
    }

    // Made at the next try once it can be: a sync tool that then replaces
    // the person table no longer lets a second copy in.
    Refused = ENOSPC;
    {
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Path);
    }
    Refused = 0;
    Retry->OnTimer()(Retry);
    EXPECT_FALSE(Retry->Enabled());
    EXPECT_EQ(ReadRaw(LockFile).trimmed().toLongLong(), qint64(::getpid()));
    ASSERT_TRUE(WriteRaw(Path + ".sync", ReadRaw(Path)));
    ASSERT_TRUE(QFile::remove(Path));
    ASSERT_TRUE(QFile::rename(Path + ".sync", Path));
    TFileLock Other(Path);
    EXPECT_EQ(Other.Acquire(), flHeld);
    Main->ActionCloseExecute(nullptr);

    // And at the latest before the close writes.
    Refused = EROFS;
    {
        TScriptedMessageBoxes Boxes;
        Main->OpenFile(Path);
    }
    Refused = 0;
    AddPerson({2, "Bakker"});
    Main->ActionCloseExecute(nullptr);
    EXPECT_TRUE(LockFileAtWrite);
    EXPECT_FALSE(Data->Active);
    EXPECT_FALSE(QFile::exists(LockFile));
}

// --- failures -------------------------------------------------------------------------

TEST_F(MainWindowTest, QuittingWhenNothingCanBeWrittenAsksOnceAndEveryStepStillRuns)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    const QString Report = Dir.File("tmp/quorvy$1.txt");
    ASSERT_TRUE(WriteRaw(Report, "rapport"));
    Data->TempFiles->Add(Report);
    // Files where the settings and state folders should be, and the data
    // folder gone from under the open file.
    ASSERT_TRUE(WriteRaw(Dir.File("bezet"), "x"));
    TSettings::SetIniFileName(Dir.File("bezet/quorvy.ini"));
    ASSERT_TRUE(QDir().mkpath(Dir.File("state")));
    ASSERT_TRUE(WriteRaw(Dir.File("state/quorvy"), "x"));
    ASSERT_TRUE(QDir(Dir.Path()).rename("data", "weg"));

    {
        TScriptedMessageBoxes No({IDNO});
        bool CanClose = true;
        Main->FormCloseQuery(Main, CanClose);
        EXPECT_FALSE(CanClose);
        ASSERT_EQ(No.Asked().size(), 1u);
        EXPECT_EQ(No.Asked()[0].Caption, "Opslaan mislukt");
        EXPECT_EQ(No.Asked()[0].Flags, 308u);
        for (const QString& Named : {Path, Dir.File("bezet/quorvy.ini"), Dir.File("state/quorvy/quorvy.mru")})
            EXPECT_TRUE(No.Asked()[0].Text.contains(Named)) << Named.toStdString();
        // The program goes on with the file open, and keeps its reports
        // until it ends.
        EXPECT_TRUE(QFile::exists(Report));
        EXPECT_TRUE(Data->Active);
        EXPECT_TRUE(Main->FcPanelQuorvy->Visible());
    }
    // Room again: the next try writes everything.
    ASSERT_TRUE(QDir(Dir.Path()).rename("weg", "data"));
    ASSERT_TRUE(QFile::remove(Dir.File("state/quorvy")));
    {
        TScriptedMessageBoxes Yes({IDYES});
        bool CanClose = true;
        Main->FormCloseQuery(Main, CanClose);
        ASSERT_EQ(Yes.Asked().size(), 1u);
        EXPECT_FALSE(Yes.Asked()[0].Text.contains(Path));
        EXPECT_TRUE(Yes.Asked()[0].Text.contains(Dir.File("bezet/quorvy.ini")));
        EXPECT_TRUE(CanClose);
        EXPECT_FALSE(Data->Active);
    }
    EXPECT_FALSE(QFile::exists(Report));
    EXPECT_TRUE(QFile::exists(Dir.File("state/quorvy/quorvy.mru")));
    ASSERT_TRUE(Data->OpenFiles(Path, false));
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 2);
}

TEST_F(MainWindowTest, StayingAfterOnlyTheSettingsFailedShowsTheClosedFileOnTheStartPage)
{
    ShowMain();
    const QString Path = DataFolder + "nieuw.quorvy";
    Main->NewFile(Path);
    AddPerson({1, "Jansen"});
    const QString Report = Dir.File("tmp/quorvy$1.html");
    ASSERT_TRUE(WriteRaw(Report, "<html/>"));
    Data->TempFiles->Add(Report);
    // A file where the settings folder should be: only the settings fail.
    ASSERT_TRUE(WriteRaw(Dir.File("bezet"), "x"));
    TSettings::SetIniFileName(Dir.File("bezet/quorvy.ini"));
    {
        TScriptedMessageBoxes No({IDNO});
        bool CanClose = true;
        Main->FormCloseQuery(Main, CanClose);
        EXPECT_FALSE(CanClose);
        ASSERT_EQ(No.Asked().size(), 1u);
        EXPECT_FALSE(No.Asked()[0].Text.contains(Path));
    }
    // The file was written and closed: the window says so, as after "Sluit".
    EXPECT_FALSE(Data->Active);
    EXPECT_EQ(Main->Caption(), ProgramCaption);
    EXPECT_FALSE(Main->ActionClose->Enabled());
    for (TAction* A : {Main->ActionNew, Main->ActionOpen, Main->ActionDelete})
        EXPECT_TRUE(A->Enabled()) << A->Name().toStdString();
    EXPECT_TRUE(Main->FcPanelMainPage->Visible());
    EXPECT_FALSE(Main->FcPanelQuorvy->Visible());
    EXPECT_EQ(ListedFiles(), QStringList({Path}));
    EXPECT_TRUE(QFile::exists(Report));
    TFileLock Other(Path);
    EXPECT_EQ(Other.Acquire(), flLocked);
    Other.Release();

    // Every command works from there: the file opens again with its person.
    Main->FcListBoxPreviousFiles->SetItemIndex(0);
    Main->FcListBoxPreviousFilesClick(nullptr);
    ASSERT_TRUE(Data->Active);
    EXPECT_EQ(Data->cdsQuorvy->RecordCount(), 1);
    EXPECT_EQ(Main->Caption(), ProgramCaption + " - " + Path);
    TScriptedMessageBoxes Yes({IDYES});
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_FALSE(QFile::exists(Report));
}

TEST_F(MainWindowTest, QuittingWithoutSavingLeavesTheOldFileAndItsLockBehind)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    const QByteArray Before = ReadRaw(Path);
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    ASSERT_TRUE(QDir(Dir.Path()).rename("data", "weg"));
    TScriptedMessageBoxes Yes({IDYES});
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_FALSE(Data->Active);
    ASSERT_TRUE(QDir(Dir.Path()).rename("weg", "data"));
    EXPECT_EQ(ReadRaw(Path), Before);
    TFileLock Other(Path);
    EXPECT_EQ(Other.Acquire(), flLocked);
}

TEST_F(MainWindowTest, AFailedSaveAtQuittingSaysWhyInDutch)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    Main->OpenFile(Path);
    AddPerson({2, "Bakker"});
    // A missing folder, and a file where a folder should be: they stop
    // root as well as anyone.
    ASSERT_TRUE(WriteRaw(Dir.File("bezet"), "x"));
    TSettings::SetIniFileName(Dir.File("bezet/quorvy.ini"));
    ASSERT_TRUE(QDir(Dir.Path()).rename("data", "elders"));
    {
        TScriptedMessageBoxes No({IDNO});
        bool CanClose = true;
        Main->FormCloseQuery(Main, CanClose);
        ASSERT_EQ(No.Asked().size(), 1u);
        const QString Text = No.Asked()[0].Text;
        // The contact file's tables are files beside its name.
        EXPECT_TRUE(Text.contains(QRegularExpression(QRegularExpression::escape("\"" + Path)
                                                     + "[^\"]*\" kan niet worden opgeslagen: de map of het bestand "
                                                       "bestaat niet\\.")))
            << Text.toStdString();
        EXPECT_TRUE(Text.contains("\"" + Dir.File("bezet/quorvy.ini")
                                  + "\" kan niet worden opgeslagen: een deel van het pad is geen map."))
            << Text.toStdString();
        for (const char* English : {"Unable", "Cannot", "No such", "directory"})
            EXPECT_FALSE(Text.contains(English)) << Text.toStdString();
    }
    ASSERT_TRUE(QDir(Dir.Path()).rename("elders", "data"));
    TSettings::SetIniFileName(Dir.File("config/quorvy.ini"));
    TScriptedMessageBoxes Yes({IDYES});
    bool CanClose = true;
    Main->FormCloseQuery(Main, CanClose);
    EXPECT_TRUE(Yes.Asked().empty());
    EXPECT_TRUE(CanClose);
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedAfterTheOpenOneWasClosedLeavesTheStartPage)
{
    const QString Good = MakeContactFile("goed.quorvy", {{1, "Jansen"}});
    const QString Bad = DataFolder + "kapot.quorvy";
    ASSERT_TRUE(WriteRaw(Bad, "geen tabel"));
    ShowMain();
    Main->OpenFile(Good);
    EXPECT_THROW(Main->OpenFile(Bad), ECannotOpenFile);
    EXPECT_FALSE(Data->Active);
    EXPECT_EQ(Main->Caption(), ProgramCaption);
    EXPECT_TRUE(Main->FcPanelMainPage->Visible());
    EXPECT_FALSE(Main->ActionClose->Enabled());
    EXPECT_TRUE(Main->ActionOpen->Enabled());
    // Neither file is held.
    for (const QString& Name : {Good, Bad}) {
        TFileLock Other(Name);
        EXPECT_EQ(Other.Acquire(), flLocked);
    }
}

TEST_F(MainWindowTest, TheWebLinkRefusesWhatIsNoWebAddress)
{
    ShowMain();
    TShellRecorder Shell;
    for (const char* Typed : {"/etc/passwd", "file:///etc/passwd", "jan@example.org", "xterm -e sh"}) {
        const QString Text = QString::fromUtf8(Typed);
        TScriptedMessageBoxes Boxes;
        Main->FcComboBoxWebLink->SetText(Text);
        Main->SpeedButtonWebGoClick(nullptr);
        ASSERT_EQ(Boxes.Asked().size(), 1u) << Text.toStdString();
        EXPECT_EQ(Boxes.Asked()[0].Caption, "Openen niet mogelijk");
        EXPECT_TRUE(Boxes.Asked()[0].Text.startsWith("\"" + Text + "\" is geen webadres"));
    }
    EXPECT_TRUE(Shell.Opened().empty());
    EXPECT_EQ(Main->FcComboBoxWebLink->Items()->Count(), 0);
}

TEST_F(MainWindowTest, WithoutSettingsTheDataFolderIsMadeInTheDocumentsFolder)
{
    ASSERT_TRUE(QFile::remove(TSettings::IniFileName()));
    ShowMain();
    EXPECT_EQ(Settings->DataFolder, Dir.File("home/Documents/Quorvy/"));
    EXPECT_TRUE(QFileInfo(Dir.File("home/Documents/Quorvy")).isDir());
    EXPECT_TRUE(ListedFiles().isEmpty());
    // A folder the user chose is never made.
    WriteSettings(QStringLiteral("[Folders]\r\nData=%1\r\n").arg(Dir.File("ontbreekt/")));
    Main->Hide();
    ShowMain();
    EXPECT_FALSE(QFileInfo::exists(Dir.File("ontbreekt")));
}

TEST_F(MainWindowTest, AFileOpenedFromTheStartPageTakesTheStartPagesHintAway)
{
    const QString Path = MakeContactFile("a.quorvy", {{1, "Jansen"}});
    ShowMain();
    const QString ListHint = GetLongHint(Main->FcListBoxPreviousFiles->Hint());
    MouseMove(Main->FcListBoxPreviousFiles, {40, 5});
    IdleOnce();
    EXPECT_EQ(Main->FcStatusPane->Caption(), ListHint);
    // The mouse does not move while the file opens.
    MouseDown(Main->FcListBoxPreviousFiles, {40, 5});
    MouseUp(Main->FcListBoxPreviousFiles, {40, 5});
    ASSERT_EQ(Data->FileName, Path);
    IdleOnce();
    // The group bar, which has no hint, is under the mouse now.
    EXPECT_EQ(MouseControl(), Main->FcGroupBarMenu);
    EXPECT_EQ(Application->Hint(), QString());
    EXPECT_EQ(Main->FcStatusPane->Caption(), QString());
}

// Num Lock on before the program started (the desktop scripted): NUM shows
// at the first look, without a press; CAPS, off, does not.
TEST_F(MainWindowTest, TheLockPanesShowALockThatWasOnAtTheStart)
{
    TScriptedLockKeys Desktop({{VK_NUMLOCK, true}});
    ShowMain();
    TTimer* Polling = PollingList()->Timer();
    Polling->OnTimer()(Polling);
    auto* Num = dynamic_cast<TFcKeyStatus*>(Main->FindComponent("FcKeyStatusNum"));
    auto* Caps = dynamic_cast<TFcKeyStatus*>(Main->FindComponent("FcKeyStatusCaps"));
    ASSERT_TRUE(Num != nullptr && Caps != nullptr);
    EXPECT_FALSE(Num->KeyOff());
    EXPECT_TRUE(Caps->KeyOff());
}

TEST_F(MainWindowTest, TheStatusBarShowsTheHintTheLockKeysAndTheClock)
{
    ShowMain();
    Application->SetHint("Open een bestaand contact- en adressenbestand");
    EXPECT_EQ(Main->FcStatusPane->Caption(), "Open een bestaand contact- en adressenbestand");
    EXPECT_EQ(Main->FcClockStatus->Format(), "dd/mm/yyyy hh:nn:ss");
    QStringList Keys;
    for (int I = 0; I < Main->FcStatusBarMain->ControlCount(); ++I)
        if (auto* Key = dynamic_cast<TFcKeyStatus*>(Main->FcStatusBarMain->Controls(I)))
            Keys << QString::number(Key->Key());
    EXPECT_EQ(Keys.size(), 3);
    Application->SetHint(QString());
}
