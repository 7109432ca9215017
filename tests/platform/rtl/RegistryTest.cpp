// The registry stand-in: one ini file per root key under the user's
// configuration folder, pointed at a fresh folder for every test.
#include "platform/rtl/Registry.h"

#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FHad = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        FOld = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Dir.Path() + "config"));
    }
    void TearDown() override
    {
        if (FHad)
            qputenv("XDG_CONFIG_HOME", FOld);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString UserFile() const { return Dir.Path() + "config/quorvy/registry/current-user.ini"; }
    QString MachineFile() const { return Dir.Path() + "config/quorvy/registry/local-machine.ini"; }

    TTestDir Dir;

private:
    bool FHad = false;
    QByteArray FOld;
};

} // namespace

TEST_F(RegistryTest, EachRootKeyHasItsFileUnderTheConfigFolder)
{
    EXPECT_EQ(RegistryFileName(HKEY_CURRENT_USER), UserFile());
    EXPECT_EQ(RegistryFileName(HKEY_LOCAL_MACHINE), MachineFile());
    EXPECT_EQ(RegistryFileName(HKEY_CLASSES_ROOT), QString());
    // A relative XDG_CONFIG_HOME is no valid setting and is ignored.
    qputenv("XDG_CONFIG_HOME", "relative");
    EXPECT_TRUE(RegistryFileName(HKEY_CURRENT_USER).endsWith("/.config/quorvy/registry/current-user.ini"));
}

TEST_F(RegistryTest, AFreshMachineReadsEmptyAndWritesNothing)
{
    TRegistry Reg;
    EXPECT_FALSE(Reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_FALSE(Reg.KeyExists("Software"));
    EXPECT_TRUE(Reg.OpenKey("\\Software\\Quorvy", true));
    EXPECT_EQ(Reg.CurrentPath(), "Software\\Quorvy");
    EXPECT_FALSE(Reg.ValueExists("Name"));
    EXPECT_EQ(Reg.ReadString("Name"), QString());
    EXPECT_THROW(Reg.ReadInteger("Count"), ERegistryException);

    TRegIniFile Ini("\\Software\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_EQ(Ini.ReadString("ThemeManager", "ColorName", "none"), "none");
    EXPECT_EQ(Ini.ReadInteger("ThemeManager", "Size", 7), 7);
    EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_F(RegistryTest, ValuesRoundTripThroughTheFile)
{
    {
        TRegIniFile Ini("\\Software\\Microsoft\\Windows\\CurrentVersion");
        Ini.WriteString("ThemeManager", "ColorName", "Metallic");
        Ini.WriteInteger("ThemeManager", "Count", -42);
        Ini.WriteBool("ThemeManager", "On", true);
    }
    const QString Text = QString::fromUtf8(ReadRaw(UserFile()));
    EXPECT_TRUE(Text.contains("[Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]"));
    EXPECT_TRUE(Text.contains("ColorName=Metallic"));

    TRegistry Reg;
    EXPECT_TRUE(Reg.KeyExists("software\\MICROSOFT"));
    ASSERT_TRUE(Reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"));
    EXPECT_TRUE(Reg.ValueExists("colorname"));
    EXPECT_EQ(Reg.ReadString("ColorName"), "Metallic");
    EXPECT_EQ(Reg.ReadInteger("Count"), -42);
    EXPECT_TRUE(Reg.ReadBool("On"));
    EXPECT_THROW(Reg.ReadInteger("ColorName"), ERegistryException);
    EXPECT_THROW(Reg.WriteString("ColorName", "x"), ERegistryException); // opened read-only
    Reg.CloseKey();
    // Relative keys go below the open key.
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Microsoft", false));
    ASSERT_TRUE(Reg.OpenKey("Windows\\CurrentVersion\\ThemeManager", false));
    EXPECT_EQ(Reg.ReadString("ColorName"), "Metallic");
    EXPECT_FALSE(Reg.OpenKey("Nowhere", false));
    EXPECT_TRUE(Reg.DeleteValue("Count"));
    EXPECT_FALSE(Reg.ValueExists("Count"));
    EXPECT_FALSE(Reg.DeleteValue("Count"));
    // The other root is another file.
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(Reg.KeyExists("\\Software\\Microsoft"));
}

TEST_F(RegistryTest, TextKeepsItsBlanksAndQuotes)
{
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Quorvy", true));
    const QString Values[] = {"  padded  ", "\"quoted\"", "'single'", "", "a=b;c", "Ünïcødé ®"};
    int N = 0;
    for (const QString& V : Values)
        Reg.WriteString(QString("V%1").arg(N++), V);
    N = 0;
    for (const QString& V : Values)
        EXPECT_EQ(Reg.ReadString(QString("V%1").arg(N++)), V);
}

TEST_F(RegistryTest, WhatTheFileCannotHoldIsRefused)
{
    TRegistry Reg;
    EXPECT_THROW(Reg.WriteString("Name", "x"), ERegistryException); // no open key
    EXPECT_FALSE(Reg.OpenKey("\\Software\\Bad]Key", true));
    EXPECT_FALSE(Reg.OpenKey("\\Software\\Two\nLines", true));
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Quorvy", true));
    for (const QString& Name : {QString(), QString("a=b"), QString(" blank"), QString("[x"), QString(";x")})
        EXPECT_THROW(Reg.WriteString(Name, "x"), ERegistryException) << Name.toStdString();
    EXPECT_THROW(Reg.WriteString("Lines", "one\ntwo"), ERegistryException);
    EXPECT_FALSE(QFile::exists(UserFile()));
    // Roots without a file have no keys and take no values.
    Reg.SetRootKey(HKEY_USERS);
    EXPECT_FALSE(Reg.OpenKey("\\Software", true));
    EXPECT_THROW(Reg.WriteString("Name", "x"), ERegistryException);
}

TEST_F(RegistryTest, AFailedWriteRaisesAndKeepsTheFile)
{
    TRegIniFile Ini("\\Software\\Quorvy");
    Ini.WriteString("", "Kept", "yes");
    const QByteArray Before = ReadRaw(UserFile());
    // The registry folder becomes a file: nothing more can be written.
    const QString Folder = Dir.Path() + "config/quorvy/registry";
    QFile::rename(Folder, Folder + ".moved");
    ASSERT_TRUE(WriteRaw(Folder, "in the way"));
    EXPECT_THROW(Ini.WriteString("", "New", "x"), ERegistryException);
    EXPECT_EQ(ReadRaw(Folder + ".moved/current-user.ini"), Before);
}
