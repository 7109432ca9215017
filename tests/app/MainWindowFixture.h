#pragma once
// The main window as the program makes it: the data module, then the main
// window streamed from its definition, with the settings, the recent-files
// list and the data folder in a folder of the test's own, and every dialog
// answered by script.  Contact files are made with a few persons.
#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_set.h"
#include "controls/lists/FcListBox.h"
#include "platform/db/Fields.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"
#include "tests/app/AppRoots.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowHelpers.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

// The main window's caption while no contact file is open.
inline const QString ProgramCaption = QStringLiteral("Quorvy® 2023");

struct TTestPerson {
    int Id;
    QString LastName;
    QString CallName = {};
    QString Infix = {};
    QString Born = {}; // "dd/mm/yyyy"; empty: none
    QString Mobile = {};
    QString Remarks = {};
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(Dir.File("data")));
        ASSERT_TRUE(QDir().mkpath(Dir.File("tmp")));
        DataFolder = Dir.File("data/");
        TSettings::SetIniFileName(Dir.File("config/quorvy.ini"));
        TSettings::SetSeedFileName(Dir.File("programma/quorvy.ini"));
        WriteSettings(QStringLiteral("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n").arg(DataFolder));
        SetClockHook([this] { return Today; });
        Data = CreateComponent<TDataModuleMain>(nullptr);
        Main = CreateComponent<TFormMain>(nullptr);
    }
    void TearDown() override
    {
        SetClockHook(nullptr);
        TSettings::SetIniFileName(QString());
        TSettings::SetSeedFileName(QString());
    }

    void WriteSettings(const QString& Text)
    {
        ASSERT_TRUE(QDir().mkpath(Dir.File("config")));
        ASSERT_TRUE(WriteRaw(Dir.File("config/quorvy.ini"), Text.toUtf8()));
    }
    // Shows the main window: the settings are read and the list filled.
    void ShowMain()
    {
        Main->Show();
        PumpMessages();
    }

    // A closed contact file in the data folder with these persons.
    QString MakeContactFile(const QString& Name, const std::vector<TTestPerson>& Persons)
    {
        const QString Path = DataFolder + Name;
        EXPECT_TRUE(Data->OpenFiles(Path, true));
        for (const TTestPerson& P : Persons)
            AddPerson(P);
        Data->CloseFiles();
        Data->MRUList->Clear();
        return Path;
    }
    void AddPerson(const TTestPerson& P)
    {
        TClientDataSet* T = Data->cdsQuorvy;
        T->Append();
        T->FieldByName("ID_QUORVY")->SetAsInteger(P.Id);
        T->FieldByName("ACHTER_NAAM")->SetAsString(P.LastName);
        T->FieldByName("ROEP_NAAM")->SetAsString(P.CallName);
        T->FieldByName("TUSSEN_VOEGSEL")->SetAsString(P.Infix);
        if (!P.Born.isEmpty())
            T->FieldByName("GEBOORTE_DATUM")->SetAsDateTime(StrToDate(P.Born));
        T->FieldByName("MOBIEL")->SetAsString(P.Mobile);
        T->FieldByName("OPMERKINGEN")->SetAsString(P.Remarks);
        T->Post();
    }
    QString CurrentLastName() const { return Data->cdsQuorvy->FieldByName("ACHTER_NAAM")->AsString(); }
    QStringList ListedFiles() const
    {
        TStrings* Items = Main->FcListBoxPreviousFiles->Items();
        QStringList Out;
        for (int I = 0; I < Items->Count(); ++I)
            Out << Items->Strings(I);
        return Out;
    }

    TTestDir Dir;
    // Data and Main are the program's own while the test runs.
    TOwnAppRoots OwnRoots;
    const TEnvGuard TempFolder{"TMPDIR", Dir.File("tmp").toUtf8()};
    const TEnvGuard StateFolder{"XDG_STATE_HOME", Dir.File("state").toUtf8()};
    const TEnvGuard HomeFolder{"HOME", Dir.File("home").toUtf8()};
    QString DataFolder;
    TDateTime Today = EncodeDate(2024, 5, 17) + EncodeTime(14, 30, 0, 0);
    TDataModuleMain* Data = nullptr;
    TFormMain* Main = nullptr;
};
