#include "sysinfo/SiClass.h"

#include "platform/rtl/FileUtils.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"
#include "tests/sysinfo/ThemeListener.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(SiApplicationTest, ASecondCopyFindsTheLockInTheTemporaryFolder)
{
    TTestDir Dir;
    TEnvGuard Tmp("TMPDIR", QFile::encodeName(Dir.Path()));
    auto* First = new TSiApplication(nullptr);
    EXPECT_FALSE(First->PrevInstance());
    EXPECT_TRUE(FileExists(Dir.File("." + ExtractFileName(ProgramFileName()).toUpper() + ".lock")));
    auto* Second = new TSiApplication(nullptr);
    EXPECT_TRUE(Second->PrevInstance());
    First->Free();
    Second->Free();
    auto* Third = new TSiApplication(nullptr);
    EXPECT_FALSE(Third->PrevInstance());
    Third->Free();
}

TEST(SiApplicationTest, TheLogFileNameIsCompleted)
{
    TSiApplication App(nullptr);
    EXPECT_EQ(App.LogFile(), ChangeFileExt(ProgramFileName(), ".LOG"));
    App.SetLogFile("trace");
    EXPECT_EQ(App.LogFile(), ProgramFolder() + "trace.LOG");
    App.SetLogPrefix(ppFixed);
    App.SetLogFile("/var/tmp/trace.txt");
    EXPECT_EQ(App.LogFile(), "/var/tmp/trace.txt");
}

TEST(SiApplicationTest, SwitchingThemesTellsEveryVisibleFormAndThePlatform)
{
    TPlatformThemesGuard Themes;
    SetSiThemesAvailable(ThemeServices().ThemesAvailable());
    TSiApplication App(nullptr);
    TListeningForm Shown;
    App.SetThemesEnabled(false);
    EXPECT_FALSE(ThemeServices().ThemesEnabled());
    EXPECT_EQ(Shown.Child->LibraryNotices, 1);
    EXPECT_GE(Shown.Child->ThemeChanges, 1);
    App.SetThemesEnabled(true);
    EXPECT_TRUE(ThemeServices().ThemesEnabled());
    EXPECT_TRUE(App.ThemesActive());
    EXPECT_EQ(Shown.Child->LibraryNotices, 2);
    App.SetThemesEnabled(true); // no change, no notice
    EXPECT_EQ(Shown.Child->LibraryNotices, 2);

    App.SetKeepThemeAppProperties(true);
    App.SetThemesEnabled(false);
    EXPECT_TRUE(ThemeServices().ThemesEnabled());

    SetSiThemesAvailable(false);
    App.SetThemesEnabled(true);
    EXPECT_FALSE(App.ThemesEnabled());
}
