#include "sysinfo/SiPaths.h"

#include "platform/rtl/FileUtils.h"
#include "tests/support/EnvGuard.h"

#include <gtest/gtest.h>

TEST(SiPaths, EveryPrefixWithAndWithoutTheDelimiter)
{
    TEnvGuard Config("XDG_CONFIG_HOME", "/home/anna/.config");
    const QString Program = ExcludeTrailingPathDelimiter(ProgramFolder());
    ASSERT_FALSE(Program.isEmpty());
    const struct {
        TSiPathPrefix Prefix;
        QString Without;
    } Cases[] = {
        {ppWindows, QStringLiteral("/home/anna/.config")},
        {ppSystem, QStringLiteral("/usr/lib")},
        {ppProgram, Program},
        {ppFixed, QString()},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(GetSiPath(C.Prefix, false), C.Without) << C.Prefix;
        // A fixed prefix stays empty: a delimiter alone would be the root.
        EXPECT_EQ(GetSiPath(C.Prefix, true), C.Without.isEmpty() ? QString() : C.Without + '/') << C.Prefix;
    }
}

TEST(SiPaths, FileNamesAreCompletedFromPrefixAndExtension)
{
    TEnvGuard Config("XDG_CONFIG_HOME", "/home/anna/.config");
    const QString ProgramName = ExtractFileName(ProgramFileName());
    const struct {
        const char* Name;
        TSiPathPrefix Prefix;
        QString Expected;
    } Cases[] = {
        {"", ppWindows, "/home/anna/.config/" + ProgramName + ".INI"},
        {"quorvy", ppWindows, QStringLiteral("/home/anna/.config/quorvy.INI")},
        {"quorvy.cfg", ppSystem, QStringLiteral("/usr/lib/quorvy.cfg")},
        {"/elsewhere/quorvy.ini", ppWindows, QStringLiteral("/home/anna/.config/quorvy.ini")},
        {"/elsewhere/quorvy", ppFixed, QStringLiteral("/elsewhere/quorvy.INI")},
        {"quorvy.ini", ppProgram, ProgramFolder() + "quorvy.ini"},
        {"", ppFixed, ChangeFileExt(ProgramFileName(), ".INI")},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(SiCompleteFileName(C.Name, C.Prefix, ".INI"), C.Expected) << C.Name << ' ' << C.Prefix;
}
