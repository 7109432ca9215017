// TSettings: defaults, the stored keys and their quirks, and a save that
// never leaves half a file.
#include "app/qv_set.h"

#include "platform/rtl/FileUtils.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TSettings::SetIniFileName(Dir.File("quorvy.ini"));
        TSettings::SetSeedFileName(Dir.File("programma/quorvy.ini"));
    }
    void TearDown() override
    {
        TSettings::SetIniFileName(QString());
        TSettings::SetSeedFileName(QString());
    }

    void WriteIni(const QByteArray& Text)
    {
        QFile F(Dir.File("quorvy.ini"));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Text);
    }
    QByteArray ReadIni()
    {
        QFile F(Dir.File("quorvy.ini"));
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }

    TTestDir Dir;
};

} // namespace

TEST(SettingsGlobalTest, LivesInTheUsersConfigurationFolderAndIsSeededFromTheProgramFolder)
{
    ASSERT_NE(Settings, nullptr);
    {
        const TEnvGuard Config("XDG_CONFIG_HOME", "/tmp/instellingen");
        EXPECT_EQ(TSettings::IniFileName(), "/tmp/instellingen/quorvy/quorvy.ini");
    }
    {
        const TEnvGuard Config("XDG_CONFIG_HOME", "");
        const TEnvGuard Home("HOME", "/home/jan");
        EXPECT_EQ(TSettings::IniFileName(), "/home/jan/.config/quorvy/quorvy.ini");
    }
    EXPECT_EQ(TSettings::SeedFileName(), ProgramFolder() + "quorvy.ini");
}

TEST(CannotOpenFileTest, MessageNamesTheTable)
{
    EXPECT_EQ(ECannotOpenFile("personenbestand").Message(), "Het personenbestand kan niet worden geopend!");
    EXPECT_EQ(ECannotOpenFile("groepbestand").ClassName(), "ECannotOpenFile");
}

TEST_F(SettingsTest, NewObjectIsEmptyAndMissingFileGivesDefaults)
{
    TSettings S;
    EXPECT_FALSE(S.SaveSettings);
    EXPECT_FALSE(S.ConfirmOnExit);
    EXPECT_FALSE(S.Allow1Group2BOpen);
    EXPECT_TRUE(S.DataFolder.isEmpty());
    EXPECT_EQ(S.Width, 0);
    EXPECT_EQ(S.Height, 0);

    S.Load();
    EXPECT_TRUE(S.SaveSettings);
    EXPECT_TRUE(S.ConfirmOnExit);
    EXPECT_FALSE(S.SaveLastWindowSettings);
    EXPECT_FALSE(S.ExactSearch);
    EXPECT_EQ(S.DataFolder, UserDocumentsFolder() + "Quorvy/");
    EXPECT_EQ(S.DataFolder, TSettings::DefaultDataFolder());
    EXPECT_TRUE(S.Allow1Group2BOpen);
    EXPECT_FALSE(S.ShowBirthdayAtStartup);
    EXPECT_EQ(S.Top, 0);
    EXPECT_EQ(S.Left, 0);
    EXPECT_EQ(S.Width, 840);
    EXPECT_EQ(S.Height, 570);
    // Reading creates nothing.
    EXPECT_FALSE(QFile::exists(Dir.File("quorvy.ini")));
}

TEST_F(SettingsTest, SaveWritesEveryKeyInItsPlaceAndLoadReadsItBack)
{
    TSettings S;
    S.SaveSettings = true;
    S.ConfirmOnExit = false;
    S.SaveLastWindowSettings = true;
    S.ExactSearch = true;
    S.DataFolder = "/home/jan/Contacten/";
    S.Allow1Group2BOpen = false;
    S.ShowBirthdayAtStartup = true;
    S.Top = -20;
    S.Left = 3000;
    S.Width = 1024;
    S.Height = 700;
    S.Save();

    EXPECT_EQ(ReadIni(), "[General]\r\nSaveSettings=1\r\n"
                         "[Algemeen]\r\nConfirmOnExit=0\r\nSaveLastWindowSettings=1\r\nExactSearch=1\r\n"
                         "[Folders]\r\nData=/home/jan/Contacten/\r\n"
                         "[UI]\r\nAllow1Group2BOpen=0\r\nShowBirthdayAtSartup=1\r\n"
                         "[LAST_WINDOW]\r\nTOP=-20\r\nLEFT=3000\r\nHEIGHT=700\r\nWIDTH=1024\r\n");

    TSettings R;
    R.Load();
    EXPECT_TRUE(R.SaveSettings);
    EXPECT_FALSE(R.ConfirmOnExit);
    EXPECT_TRUE(R.SaveLastWindowSettings);
    EXPECT_TRUE(R.ExactSearch);
    EXPECT_EQ(R.DataFolder, "/home/jan/Contacten/");
    EXPECT_FALSE(R.Allow1Group2BOpen);
    EXPECT_TRUE(R.ShowBirthdayAtStartup);
    EXPECT_EQ(R.Top, -20);
    EXPECT_EQ(R.Left, 3000);
    EXPECT_EQ(R.Width, 1024);
    EXPECT_EQ(R.Height, 700);
}

TEST_F(SettingsTest, BirthdayOptionIsReadOnlyFromItsHistoricKey)
{
    WriteIni("[UI]\r\nShowBirthdayAtStartup=1\r\n");
    TSettings S;
    S.Load();
    EXPECT_FALSE(S.ShowBirthdayAtStartup);

    WriteIni("[ui]\r\nshowbirthdayatsartup=1\r\n");
    S.Load();
    EXPECT_TRUE(S.ShowBirthdayAtStartup);
}

TEST_F(SettingsTest, HandEditedValues)
{
    // Only a hand-edited file can hold SaveSettings=0; any other number is
    // true, and a rectangle value that is no number gives its default.
    WriteIni("[General]\nSaveSettings=0\n[Algemeen]\nExactSearch=2\n[LAST_WINDOW]\nWIDTH=breed\n");
    TSettings S;
    S.Load();
    EXPECT_FALSE(S.SaveSettings);
    EXPECT_TRUE(S.ExactSearch);
    EXPECT_EQ(S.Width, 840);
}

TEST_F(SettingsTest, SaveUpdatesAHandEditedFileInPlace)
{
    // Names in other case, a comment and a section of someone else's: the
    // keys are rewritten where they stand, never added a second time (the
    // first one found would win and the new value would never be read).
    WriteIni("; eigen notitie\r\n[general]\r\nsavesettings=0\r\n"
             "[Extra]\r\nX=1\r\n[ui]\r\nshowbirthdayatsartup=0\r\n");
    TSettings S;
    S.Load();
    EXPECT_FALSE(S.SaveSettings);
    S.SaveSettings = true;
    S.ShowBirthdayAtStartup = true;
    S.Save();

    const QByteArray Text = ReadIni();
    EXPECT_TRUE(Text.startsWith("; eigen notitie\r\n[general]\r\nsavesettings=1\r\n")) << Text.constData();
    EXPECT_TRUE(Text.contains("[Extra]\r\nX=1\r\n")) << Text.constData();
    EXPECT_EQ(Text.toLower().count("savesettings="), 1);
    EXPECT_EQ(Text.toLower().count("showbirthdayatsartup="), 1);
    TSettings R;
    R.Load();
    EXPECT_TRUE(R.SaveSettings);
    EXPECT_TRUE(R.ShowBirthdayAtStartup);
}

TEST_F(SettingsTest, TheProgramFoldersFileIsReadUntilTheUserHasAFileOfHisOwn)
{
    ASSERT_TRUE(QDir(Dir.Path()).mkdir("programma"));
    const QByteArray Seed = "[Folders]\r\nData=/srv/contacten/\r\n[Algemeen]\r\nConfirmOnExit=0\r\n";
    ASSERT_TRUE(WriteRaw(Dir.File("programma/quorvy.ini"), Seed));
    TSettings S;
    S.Load();
    EXPECT_EQ(S.DataFolder, "/srv/contacten/");
    EXPECT_FALSE(S.ConfirmOnExit);
    EXPECT_TRUE(S.SaveSettings);

    // The first save writes the user's own file; the seed stays as it was
    // and is not read again.
    S.ConfirmOnExit = true;
    S.Save();
    EXPECT_EQ(ReadRaw(Dir.File("programma/quorvy.ini")), Seed);
    ASSERT_TRUE(WriteRaw(Dir.File("programma/quorvy.ini"), "[Folders]\r\nData=/elders/\r\n"));
    TSettings R;
    R.Load();
    EXPECT_EQ(R.DataFolder, "/srv/contacten/");
    EXPECT_TRUE(R.ConfirmOnExit);
}

TEST_F(SettingsTest, SaveMakesTheSettingsFolder)
{
    TSettings::SetIniFileName(Dir.File("config/quorvy/quorvy.ini"));
    TSettings S;
    S.Load();
    S.Save();
    EXPECT_TRUE(QFile::exists(Dir.File("config/quorvy/quorvy.ini")));
}

TEST_F(SettingsTest, FailedSaveRaisesAndWritesNothing)
{
    // A file where the settings folder should be.
    ASSERT_TRUE(WriteRaw(Dir.File("bezet"), "x"));
    TSettings::SetIniFileName(Dir.File("bezet/quorvy.ini"));
    TSettings S;
    S.Load();
    EXPECT_THROW(S.Save(), EIniFileException);
    EXPECT_EQ(ReadRaw(Dir.File("bezet")), "x");

    // Something that cannot be read as a file gives the defaults without a
    // word, and is not replaced.
    ASSERT_TRUE(QDir(Dir.Path()).mkdir("quorvy.ini"));
    TSettings::SetIniFileName(Dir.File("quorvy.ini"));
    TSettings R;
    EXPECT_NO_THROW(R.Load());
    EXPECT_TRUE(R.SaveSettings);
    EXPECT_EQ(R.Width, 840);
    EXPECT_THROW(R.Save(), EIniFileException);
    EXPECT_TRUE(QFileInfo(Dir.File("quorvy.ini")).isDir());
}
