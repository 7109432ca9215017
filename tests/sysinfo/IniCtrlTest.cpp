#include "sysinfo/SiIniCtrl.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/IniFiles.h"
#include "sysinfo/SiStrings.h"
#include "sysinfo/SiSystem.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(SiIniCtrl, EffectiveFileNames)
{
    TTestDir Dir;
    TEnvGuard Config("XDG_CONFIG_HOME", QFile::encodeName(Dir.Path() + "config"));
    const QString Program = ExtractFileName(ProgramFileName());
    const struct {
        const char* IniFile;
        TSiPathPrefix Prefix;
        QString Expected;
    } Cases[] = {
        {"", ppWindows, Dir.Path() + "config/" + Program + ".INI"},
        {"quorvy", ppWindows, Dir.Path() + "config/quorvy.INI"},
        {"sub/quorvy.ini", ppSystem, QStringLiteral("/usr/lib/quorvy.ini")},
        {"quorvy", ppProgram, ProgramFolder() + "quorvy.INI"},
        {"/etc/quorvy.conf", ppFixed, QStringLiteral("/etc/quorvy.conf")},
    };
    TSiIniCtrl Ini(nullptr);
    for (const auto& C : Cases) {
        Ini.SetIniFile(C.IniFile);
        Ini.SetIniPrefix(C.Prefix);
        EXPECT_EQ(Ini.IniFileName(), C.Expected) << C.IniFile;
    }
}

TEST(SiIniCtrl, TheInMemoryIniFileFollowsTargetAndName)
{
    TTestDir Dir;
    TSiIniCtrl Ini(nullptr);
    Ini.SetIniPrefix(ppFixed);
    Ini.SetIniFile(Dir.File("first"));
    EXPECT_EQ(Ini.EffectiveTarget(), itRegistry); // itAuto
    EXPECT_EQ(Ini.MemIniFile(), nullptr);
    Ini.SetTarget(itMemIniFile);
    ASSERT_NE(Ini.MemIniFile(), nullptr);
    EXPECT_EQ(Ini.MemIniFile()->FileName(), Dir.File("first.INI"));
    Ini.MemIniFile()->WriteString("Algemeen", "Taal", "nl");
    Ini.SetIniFile(Dir.File("second.ini"));
    EXPECT_EQ(Ini.MemIniFile()->FileName(), Dir.File("second.ini"));
    EXPECT_EQ(Ini.MemIniFile()->ReadString("Algemeen", "Taal", ""), "nl");
    Ini.SetTarget(itIniFile);
    EXPECT_EQ(Ini.MemIniFile(), nullptr);
    // Nothing was written on the way.
    EXPECT_FALSE(FileExists(Dir.File("first.INI")));
    EXPECT_FALSE(FileExists(Dir.File("second.ini")));
}

TEST(SiIniCtrl, EveryEncodingModeRoundTrips)
{
    TSiIniCtrl Ini(nullptr);
    Ini.SetOnEncodeString([](TObject*, String& Text) { std::reverse(Text.begin(), Text.end()); });
    Ini.SetOnDecodeString([](TObject*, String& Text) { std::reverse(Text.begin(), Text.end()); });
    const QString Texts[] = {QString(), QStringLiteral("geheim"), QStringLiteral("Ünïcode € ✓")};
    for (TSiIniCryptMode Mode : {icmKey, icmTextKey, icmCustom}) {
        Ini.SetCryptMode(Mode);
        for (const QString& Text : Texts) {
            const QString Stored = Ini.EncodeString(Text);
            EXPECT_EQ(Ini.DecodeString(Stored), Text) << Mode;
            if (Mode == icmTextKey) {
                // Only characters 48..111 after the length: an ini file holds them.
                const QString Body = Stored.mid(Stored.indexOf(QLatin1Char(':')) + 1);
                EXPECT_TRUE(std::all_of(Body.begin(), Body.end(),
                                        [](QChar Ch) { return Ch.unicode() >= 48 && Ch.unicode() <= 111; }));
            }
        }
    }
    Ini.SetCryptMode(icmKey);
    EXPECT_EQ(Ini.EncodeString("Quorvy"), QString::fromLatin1(EncryptKeyedBytes("Quorvy", 60734)));
    Ini.SetCryptMode(icmTextKey);
    EXPECT_EQ(Ini.EncodeString("Quorvy"), EncodeSixBitBytes(EncryptKeyedBytes("Quorvy", 60734)));
    EXPECT_THROW(Ini.DecodeString("3:kapot"), EConvertError);
    Ini.SetCryptMode(icmCustom);
    Ini.SetOnEncodeString({});
    Ini.SetOnDecodeString({});
    EXPECT_EQ(Ini.EncodeString("open"), "open");
    EXPECT_EQ(Ini.DecodeString("open"), "open");
}

TEST(SiIniCtrl, EntryLimitUserAndRegistryKey)
{
    TSiIniCtrl Ini(nullptr);
    Ini.SetMaxEntries(40);
    EXPECT_EQ(Ini.MaxEntries(), 40);
    Ini.SetAlphaCounter(true);
    EXPECT_EQ(Ini.MaxEntries(), 26);
    Ini.SetMaxEntries(30);
    EXPECT_EQ(Ini.MaxEntries(), 26);
    Ini.SetMaxEntries(5);
    EXPECT_EQ(Ini.MaxEntries(), 5);

    Ini.SetNetUser(true);
    EXPECT_EQ(Ini.User(), GetCurrentUserName());
    Ini.SetRegPath("Software\\Quorvy");
    EXPECT_EQ(Ini.RegistryKey(), "Software\\Quorvy\\" + GetCurrentUserName());
    Ini.SetUser(QString());
    EXPECT_EQ(Ini.RegistryKey(), "Software\\Quorvy");
}

TEST(SiIniCtrl, TheRegistryTargetIsThePlatformsStandIn)
{
    TTestDir Dir;
    TEnvGuard Config("XDG_CONFIG_HOME", QFile::encodeName(Dir.Path()));
    TSiIniCtrl Ini(nullptr);
    Ini.SetRegPath("Software\\Quorvy");
    Ini.SetRegRoot(rpLocalMachine);
    Ini.OpenRegIniFile()->WriteString("Algemeen", "Taal", "nl");
    EXPECT_TRUE(FileExists(RegistryFileName(HKEY_LOCAL_MACHINE)));
    EXPECT_FALSE(FileExists(RegistryFileName(HKEY_CURRENT_USER)));
    EXPECT_EQ(Ini.OpenRegIniFile()->ReadString("Algemeen", "Taal", ""), "nl");
}
