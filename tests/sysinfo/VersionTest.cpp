#include "sysinfo/SiWinVersion.h"

#include <gtest/gtest.h>

namespace {

TSiOSVersionInfo Version(std::uint32_t Platform, std::uint32_t Major, std::uint32_t Minor,
                         std::uint8_t Product = VER_NT_WORKSTATION, std::uint16_t Suite = 0)
{
    TSiOSVersionInfo V;
    V.PlatformId = Platform;
    V.MajorVersion = Major;
    V.MinorVersion = Minor;
    V.ProductType = Product;
    V.SuiteMask = Suite;
    return V;
}

// The flags that are set, by name, for comparing.
std::string SetFlags(const TSiWindowsFlags& F)
{
    std::string S;
    const std::pair<bool, const char*> All[] = {{F.Win9x, "9x"},
                                                {F.Win98, "98"},
                                                {F.WinMe, "Me"},
                                                {F.WinNT, "NT"},
                                                {F.Win2000, "2000"},
                                                {F.Win2000Enterprise, "2000E"},
                                                {F.WinXP, "XP"},
                                                {F.WinXPHome, "Home"},
                                                {F.WinXPMediaCenter, "MC"},
                                                {F.WinXPTablet, "Tablet"},
                                                {F.WinServer, "Server"},
                                                {F.WinServerEnterprise, "ServerE"},
                                                {F.WinServerSuite3, "Suite3"},
                                                {F.WinVistaOrLater, "Vista"},
                                                {F.PlusAvailable, "Plus"},
                                                {F.CompositionEnabled, "Composition"}};
    for (const auto& [On, Name] : All)
        if (On)
            S += std::string(S.empty() ? "" : " ") + Name;
    return S;
}

} // namespace

TEST(SiWinVersion, TheClassicDetectionOnEveryFamily)
{
    TSiVersionProbes None;
    TSiVersionProbes MediaCenter;
    MediaCenter.MediaCenter = true;
    TSiVersionProbes Tablet;
    Tablet.TabletPC = true;
    TSiVersionProbes Plus;
    Plus.PlusQuerySucceeds = true;
    TSiVersionProbes Composition;
    Composition.CompositionEnabled = true;
    const struct {
        TSiOSVersionInfo Version;
        TSiVersionProbes Probes;
        const char* Flags;
    } Cases[] = {
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0), None, "9x"},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10), Plus, "9x 98 Plus"},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90), None, "9x 98 Me"},
        {Version(VER_PLATFORM_WIN32_NT, 4, 0), None, "NT Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 0), None, "NT 2000 Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 0, VER_NT_SERVER, 2), None, "NT 2000 2000E Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1), None, "NT XP Home Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1), MediaCenter, "NT XP MC Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1), Tablet, "NT XP Tablet Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1, VER_NT_WORKSTATION, 3), MediaCenter, "NT XP Suite3 Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_SERVER), None, "NT XP Server Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_SERVER, 2), None, "NT XP Server ServerE Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 6, 0), None, "NT Vista Plus"},
        {Version(VER_PLATFORM_WIN32_NT, 10, 0), Composition, "NT Vista Plus Composition"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(SetFlags(WindowsFamilyFlags(C.Version, C.Probes)), C.Flags)
            << C.Version.PlatformId << ' ' << C.Version.MajorVersion << '.' << C.Version.MinorVersion;
}

TEST(SiWinVersion, ThisSystemIsACurrentNTWithoutComposition)
{
    DetectWindowsVersion();
    // 2000 and XP stay off, so nothing takes their old paths.
    EXPECT_EQ(SetFlags(SiWindowsFlags()), "NT Vista Plus");
    EXPECT_EQ(GetVersionField(3), std::uint32_t(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(GetVersionField(7), std::uint32_t(VER_NT_WORKSTATION));
    EXPECT_EQ(GetVersionField(8), 0u);
    EXPECT_EQ(GetVersionField(-1), 0u);
    EXPECT_EQ(GetWindowsVersionText(), QStringLiteral("%1.%2").arg(GetVersionField(0)).arg(GetVersionField(1)));
}

TEST(SiWinVersion, KernelReleaseAndDistribution)
{
    const struct {
        const char* Release;
        std::uint32_t Major, Minor, Build;
    } Cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"5.10.209", 5, 10, 209}, {"6.8", 6, 8, 0}, {"4.19.0+", 4, 19, 0}, {"", 0, 0, 0},
        {"v6.1", 0, 0, 0},
    };
    for (const auto& C : Cases) {
        TSiOSVersionInfo Info;
        ParseKernelRelease(C.Release, Info);
        EXPECT_EQ(Info.MajorVersion, C.Major) << C.Release;
        EXPECT_EQ(Info.MinorVersion, C.Minor) << C.Release;
        EXPECT_EQ(Info.BuildNumber, C.Build) << C.Release;
    }
    EXPECT_EQ(OsReleasePrettyName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME=Plain\n"), "Plain");
    EXPECT_EQ(OsReleasePrettyName(""), "");
}
