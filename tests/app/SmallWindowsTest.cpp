// The settings dialog, the about window and the first-start window, each
// made from its definition beside the program's main window.
#include "tests/app/MainWindowFixture.h"

#include "app/QV_begin.h"
#include "app/qv_about.h"
#include "app/qv_setd.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcLabel.h"
#include "controls/foundation/FcVersionInfo.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcPageControl.h"
#include "controls/lists/FcTabSheet.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>

namespace {

class SettingsDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ShowMain();
        Dialog.reset(CreateComponent<TFormSettings>(nullptr));
    }
    void TearDown() override
    {
        Dialog.reset();
        MainWindowTest::TearDown();
    }
    std::unique_ptr<TFormSettings, TComponentDeleter> Dialog;
};

} // namespace

TEST_F(SettingsDialogTest, ShowsTheSettingsOnTheFirstPage)
{
    EXPECT_EQ(Dialog->Caption(), "Globale instellingen van Quorvy®");
    EXPECT_EQ(Dialog->ClientWidth(), 587);
    EXPECT_EQ(Dialog->ClientHeight(), 347);
    EXPECT_EQ(Dialog->BorderStyle(), bsDialog);
    EXPECT_EQ(Dialog->FcPageControlSettings->ActivePage(), Dialog->TabSheetAlgemeen);
    EXPECT_EQ(Dialog->ActiveControl(), Dialog->FcCheckBoxConfirmOnExit);
    EXPECT_TRUE(Dialog->FcCheckBoxSaveSettings->Checked());
    EXPECT_FALSE(Dialog->FcCheckBoxConfirmOnExit->Checked());
    EXPECT_TRUE(Dialog->FcCheckBoxAllow1Group2BOpen->Checked());
    EXPECT_FALSE(Dialog->FcCheckBoxShowBirthdayAtSartup->Checked());
    EXPECT_EQ(Dialog->EditFolderDataFiles->Text(), DataFolder);
    EXPECT_EQ(Dialog->FcCheckBoxExactSearch->Caption(),
              "Zoek E&XACT naar de gegevens (of typ alleen de eerste letters, z.g. \"soft search\")");
}

TEST_F(SettingsDialogTest, OKTakesEveryOptionIntoMemoryOnly)
{
    const QByteArray Before = ReadRaw(TSettings::IniFileName());
    Dialog->FcCheckBoxSaveSettings->SetChecked(false);
    Dialog->FcCheckBoxConfirmOnExit->SetChecked(true);
    Dialog->FcCheckBoxSaveLastWindowSettings->SetChecked(true);
    Dialog->FcCheckBoxExactSearch->SetChecked(true);
    Dialog->FcCheckBoxShowBirthdayAtSartup->SetChecked(true);
    Dialog->FcCheckBoxAllow1Group2BOpen->SetChecked(false);
    Dialog->FcBitBtnOKClick(nullptr);
    EXPECT_EQ(Dialog->ModalResult(), mrOk);
    EXPECT_FALSE(Settings->SaveSettings);
    EXPECT_TRUE(Settings->ConfirmOnExit);
    EXPECT_TRUE(Settings->SaveLastWindowSettings);
    EXPECT_TRUE(Settings->ExactSearch);
    EXPECT_TRUE(Settings->ShowBirthdayAtStartup);
    EXPECT_FALSE(Settings->Allow1Group2BOpen);
    // The group bar follows at once; the file is not written.
    EXPECT_FALSE(Main->FcGroupBarMenu->ExclusiveMode());
    EXPECT_EQ(ReadRaw(TSettings::IniFileName()), Before);
}

TEST_F(SettingsDialogTest, AFolderThatDoesNotExistKeepsTheDialogOpenOnItsPage)
{
    Dialog->Show();
    Dialog->FcCheckBoxExactSearch->SetChecked(true);
    Dialog->EditFolderDataFiles->SetText(Dir.File("ontbreekt"));
    TScriptedMessageBoxes Boxes;
    Dialog->FcBitBtnOKClick(nullptr);
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "U dient een geldige folder op te geven!");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Ongeldige folder");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 16u);
    EXPECT_EQ(Dialog->ModalResult(), mrNone);
    EXPECT_EQ(Dialog->FcPageControlSettings->ActivePage(), Dialog->TabSheetFolders);
    EXPECT_TRUE(Dialog->EditFolderDataFiles->Focused());
    EXPECT_FALSE(Settings->ExactSearch);
    EXPECT_EQ(Settings->DataFolder, DataFolder);
}

TEST_F(SettingsDialogTest, ANewDataFolderRefreshesTheListNowOrWhenTheOpenFileCloses)
{
    ASSERT_TRUE(QDir().mkpath(Dir.File("ander")));
    const QString Other = Dir.File("ander/");
    const QString InOther = Other + "x.quorvy";
    ASSERT_TRUE(QFile::copy(MakeContactFile("x.quorvy", {}), InOther));
    const QString Open = MakeContactFile("open.quorvy", {});

    // The same folder however it is written changes nothing.
    ASSERT_TRUE(QFile::link(Dir.File("data"), Dir.File("koppeling")));
    for (const QString& Same : {DataFolder.chopped(1), Dir.File("koppeling"), Dir.File("data/../data/")}) {
        std::unique_ptr<TFormSettings, TComponentDeleter> D(CreateComponent<TFormSettings>(nullptr));
        D->EditFolderDataFiles->SetText(Same);
        Main->FcListBoxPreviousFiles->Items()->Clear();
        D->FcBitBtnOKClick(nullptr);
        EXPECT_TRUE(ListedFiles().isEmpty()) << Same.toStdString();
    }

    // No file open: the list shows the new folder at once.
    Dialog->EditFolderDataFiles->SetText(Other);
    Dialog->FcBitBtnOKClick(nullptr);
    EXPECT_EQ(Settings->DataFolder, Other);
    EXPECT_EQ(ListedFiles(), QStringList({InOther}));

    // A file open: only once it is closed.
    Main->OpenFile(Open);
    std::unique_ptr<TFormSettings, TComponentDeleter> Again(CreateComponent<TFormSettings>(nullptr));
    Again->EditFolderDataFiles->SetText(DataFolder);
    Again->FcBitBtnOKClick(nullptr);
    EXPECT_TRUE(Data->FolderChanged);
    EXPECT_EQ(ListedFiles(), QStringList({InOther}));
    Main->ActionCloseExecute(nullptr);
    EXPECT_FALSE(Data->FolderChanged);
    EXPECT_EQ(ListedFiles(), QStringList({DataFolder + "open.quorvy", DataFolder + "x.quorvy"}));
}

TEST_F(SettingsDialogTest, TheFolderButtonStartsInTheFolderTypedAndMayMakeANewOne)
{
    {
        TScriptedDirectorySelection Chosen({Dir.File("nieuw")});
        TScriptedMessageDialogs Create({mrYes});
        Dialog->SpeedButtonFolderDataFilesClick(nullptr);
        EXPECT_EQ(Create.Asked().size(), 1u);
        EXPECT_TRUE(QFileInfo(Dir.File("nieuw")).isDir());
        ASSERT_EQ(Chosen.Asked().size(), 1u);
        EXPECT_EQ(Chosen.Asked()[0].Directory, DataFolder);
        EXPECT_EQ(Chosen.Asked()[0].Options, TSelectDirOpts({sdAllowCreate, sdPerformCreate, sdPrompt}));
        EXPECT_EQ(Dialog->EditFolderDataFiles->Text(), Dir.File("nieuw"));
    }
    Dialog->EditFolderDataFiles->SetText(Dir.File("ontbreekt"));
    TScriptedDirectorySelection Cancelled({std::nullopt});
    Dialog->SpeedButtonFolderDataFilesClick(nullptr);
    EXPECT_EQ(Cancelled.Asked()[0].Directory, UserDocumentsFolder());
    EXPECT_EQ(Dialog->EditFolderDataFiles->Text(), Dir.File("ontbreekt"));
}

TEST_F(SettingsDialogTest, TheSettingsCommandShowsTheDialogModally)
{
    // Escape cancels, Return is OK; either way the dialog is gone after.
    for (const int Key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        TTimer Later(nullptr);
        Later.SetInterval(1);
        Later.SetOnTimer([&](TObject*) {
            Later.SetEnabled(false);
            auto* Shown = dynamic_cast<TFormSettings*>(Screen->ActiveForm());
            ASSERT_NE(Shown, nullptr);
            Shown->FcCheckBoxExactSearch->SetChecked(true);
            PressKey(Shown, Key);
        });
        Main->ActionSettingsExecute(nullptr);
        EXPECT_EQ(Settings->ExactSearch, Key == Qt::Key_Return);
        int Dialogs = 0;
        for (int I = 0; I < Screen->FormCount(); ++I)
            Dialogs += dynamic_cast<TFormSettings*>(Screen->Forms(I)) != nullptr;
        EXPECT_EQ(Dialogs, 1) << "only the test's own";
    }
}

// --- the about window ---------------------------------------------------------------

TEST_F(MainWindowTest, TheAboutWindowShowsTheVersionAndResetsTheFormatsOnAClickOnItsImage)
{
    std::unique_ptr<TFormAbout, TComponentDeleter> About(CreateComponent<TFormAbout>(nullptr));
    EXPECT_EQ(About->Caption(), "Informatie over Quorvy®");
    EXPECT_EQ(About->FcLabelFileDescription->Caption(), "Quorvy® adresboek");
    EXPECT_EQ(About->FcLabelFileVersionData->Caption(),
              Main->FcVersionInfoMain->GetVersionString(TFcVersionInfo::viFileVersion));
    TDateTime Built = 0;
    ASSERT_TRUE(FileAge(ProgramFileName(), Built));
    EXPECT_EQ(About->FcLabelBuildDateData->Caption(), FormatDateTime("dd/mm/yyyy", Built));

    FormatSettings.DateSeparator = '-';
    FormatSettings.ShortDateFormat = "yyyy-mm-dd";
    FormatSettings.LongTimeFormat = "hh.nn";
    TScriptedMessageBoxes Boxes;
    About->ImageQuorvyClick(nullptr);
    EXPECT_EQ(FormatSettings.DateSeparator, '/');
    EXPECT_EQ(FormatSettings.TimeSeparator, ':');
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(FormatSettings.LongTimeFormat, "hh:mm:ss");
    ASSERT_EQ(Boxes.Asked().size(), 1u);
    EXPECT_EQ(Boxes.Asked()[0].Text, "De default formaatinstellingen voor datum en tijd zijn hersteld.");
    EXPECT_EQ(Boxes.Asked()[0].Caption, "Formaatinstellingen voor datum en tijd");
    EXPECT_EQ(Boxes.Asked()[0].Flags, 64u);
}

TEST_F(MainWindowTest, TheFirstStartWindowOpensFromTheStartPageAndClosesWithItsButton)
{
    ShowMain();
    TFormBegin* Shown = nullptr;
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) {
        Later.SetEnabled(false);
        Shown = dynamic_cast<TFormBegin*>(Screen->ActiveForm());
        if (Shown != nullptr)
            PressKey(Shown, Qt::Key_Return);
    });
    Main->SpeedButtonBeginClick(nullptr);
    EXPECT_NE(Shown, nullptr);
}
