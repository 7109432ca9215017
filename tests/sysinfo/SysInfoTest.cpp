#include "sysinfo/SiSysInfo.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/WinUser.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/FormTextHelpers.h"
#include "tests/support/TempDir.h"
#include "tests/sysinfo/SiTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// A holder whose definition places a system-information component.
class TSysInfoHolder : public TComponent {
public:
    using TComponent::TComponent;
    TSiSysInfo* SiSysInfoMain = nullptr;
};

// The published properties of the component itself (not Name and Tag).
std::vector<const TPropInfo*> OwnProps(TSiSysInfo& Info)
{
    std::vector<const TPropInfo*> Props;
    for (const TPropInfo* P : GetPropList(&Info))
        if (GetPropInfo(ClassOf<TComponent>(), P->Name) == nullptr)
            Props.push_back(P);
    return Props;
}

// Every published property as text, to compare before and after writes.
QString AllValues(TSiSysInfo& Info)
{
    QString Text;
    for (const TPropInfo* P : OwnProps(Info)) {
        Text += P->Name + QLatin1Char('=');
        if (P->Kind() == tkUString)
            Text += GetStrProp(&Info, P);
        else if (P->Kind() == tkClass)
            Text += QString::number(static_cast<TStrings*>(GetObjectProp(&Info, P))->Count());
        else
            Text += QString::number(GetOrdProp(&Info, P));
        Text += QLatin1Char('\n');
    }
    return Text;
}

// The facts that change by themselves are held still for a comparison.
TScriptedSystemFiles StillMemory()
{
    return TScriptedSystemFiles({{"/proc/meminfo", MemInfoText(4096, 1024, 0, 0)}, {"/proc/self/statm", "10"}});
}

} // namespace

REGISTER_COMPONENT(TSysInfoHolder, TComponent)
    PUBLISHED_FIELD(SiSysInfoMain)
END_REGISTER

TEST(SiSysInfo, TempPathEndsWithTheDelimiterAndHonoursTMPDIR)
{
    TTestDir Dir;
    TSiSysInfo Info(nullptr);
    {
        TEnvGuard Tmp("TMPDIR", QFile::encodeName(Dir.Path() + "given"));
        EXPECT_EQ(Info.TempPath(), Dir.Path() + "given/");
        EXPECT_EQ(Info.TempPath() + "quorvy.mru", Dir.Path() + "given/quorvy.mru");
    }
    TEnvGuard Unset("TMPDIR", QByteArray());
    TEnvGuard Cache("XDG_CACHE_HOME", QFile::encodeName(Dir.Path() + "cache"));
    EXPECT_EQ(Info.TempPath(), Dir.Path() + "cache/quorvy/tmp/");
    EXPECT_TRUE(DirectoryExists(Info.TempPath()));
}

TEST(SiSysInfo, FactsOfThisDesktop)
{
    TEnvGuard Config("XDG_CONFIG_HOME", "/home/anna/.config");
    TSiSysInfo Info(nullptr);
    EXPECT_EQ(Info.FreeSysRes(), "0 %");
    EXPECT_EQ(Info.FreeGdiRes(), "0 %");
    EXPECT_EQ(Info.FreeUsrRes(), "0 %");
    EXPECT_EQ(Info.Platform(), "Windows NT");
    EXPECT_EQ(Info.WinPath(), "/home/anna/.config");
    EXPECT_EQ(Info.WinSysPath(), "/usr/lib");
    EXPECT_EQ(Info.RegisteredCompany(), "");
    EXPECT_FALSE(Info.CurrentUser().isEmpty());
    EXPECT_LE(Info.Computername().size(), 15);
    EXPECT_EQ(Info.Computername(), Info.Computername().toUpper());
    EXPECT_EQ(Info.ScreenWidth(), Screen->Width());
    EXPECT_EQ(Info.ScreenHeight(), Screen->Height());
    EXPECT_EQ(Info.ScreenPPi(), 96);
    EXPECT_GE(Info.ProcessorNumber(), 1);
    EXPECT_GT(Info.ColorDepth(), 0);
    EXPECT_TRUE(Info.PlusAvailable());
    EXPECT_GE(Info.KeyboardSpeed(), 0);
    EXPECT_LE(Info.KeyboardSpeed(), 31);
    EXPECT_EQ(Info.GetInteger(1), 0); // indexes without a property
    EXPECT_EQ(Info.Environment()->IndexOf("XDG_CONFIG_HOME=/home/anna/.config") >= 0, true);
    EXPECT_EQ(Info.AllFonts(), Screen->Fonts());
}

TEST(SiSysInfo, WritesToSystemSettingsChangeNothing)
{
    auto Memory = StillMemory();
    TSiSysInfo Info(nullptr);
    const QString Before = AllValues(Info);
    const std::int16_t NumLock = GetKeyState(VK_NUMLOCK);
    for (const TPropInfo* P : OwnProps(Info)) {
        if (P->Kind() == tkUString)
            SetStrProp(&Info, P, QStringLiteral("x"));
        else if (P->Kind() != tkClass)
            SetOrdProp(&Info, P, GetOrdProp(&Info, P) == 0 ? 1 : 0);
    }
    EXPECT_EQ(AllValues(Info), Before);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), NumLock);
}

TEST(SiSysInfo, AFormDefinitionNeitherChangesNorRecordsTheSystem)
{
    auto Memory = StillMemory();
    const std::int16_t CapsLock = GetKeyState(VK_CAPITAL);
    auto Holder = ReadRoot<TSysInfoHolder>("object Holder: TSysInfoHolder\n"
                                           "  object SiSysInfoMain: TSiSysInfo\n"
                                           "    CapsLockState = True\n"
                                           "    KeyboardSpeed = 0\n"
                                           "    ScreenWidth = 1\n"
                                           "    LocaleDecimalSeparator = 'x'\n"
                                           "    CurrentUser = 'iemand'\n"
                                           "    MemPhysTotal = 1\n"
                                           "  end\n"
                                           "end\n");
    ASSERT_NE(Holder->SiSysInfoMain, nullptr);
    TSiSysInfo Fresh(nullptr);
    EXPECT_EQ(AllValues(*Holder->SiSysInfoMain), AllValues(Fresh));
    EXPECT_EQ(GetKeyState(VK_CAPITAL), CapsLock);
    // Nothing of this machine goes into a definition written from it.
    const QByteArray Written = WriteComponentToText(Holder->SiSysInfoMain);
    EXPECT_EQ(Written.toStdString(), "object SiSysInfoMain: TSiSysInfo\nend\n");
}

TEST(SiCPUInfo, AMDExtrasOnlyForAMD)
{
    const QByteArray Brand = QByteArray("AMD Ryzen 7 5800X 8-Core Processor").leftJustified(48, '\0');
    const struct {
        const char* Vendor;
        std::uint32_t MaxExtended;
        bool Extended;
        const char* BrandText;
    } Cases[] = {
        {"AuthenticAMD", 0x80000008u, true, "AMD Ryzen 7 5800X 8-Core Processor"},
        {"AuthenticAMD", 0x80000001u, true, ""},
        {"AuthenticAMD", 0x80000000u, false, ""},
        {"GenuineIntel", 0x80000008u, false, ""},
    };
    for (const auto& C : Cases) {
        TSiCPUIdentification Id;
        Id.Exists = true;
        Id.Vendor = C.Vendor;
        ApplyExtendedIdentification(Id, C.MaxExtended, 0x80010800u, Brand);
        const TSiCPUInfoObject Info(Id);
        EXPECT_EQ(Info.SysCallAndSysRet(), C.Extended) << C.Vendor << C.MaxExtended;
        EXPECT_EQ(Info.FPCond_MOVE_Instruct(), C.Extended) << C.Vendor << C.MaxExtended;
        EXPECT_EQ(Info.AMD3DNow(), C.Extended) << C.Vendor << C.MaxExtended;
        EXPECT_EQ(Info.BrandString(), C.BrandText) << C.Vendor << C.MaxExtended;
    }
}

TEST(SiCPUInfo, StandardFlagsAndTheVendor)
{
    TSiCPUIdentification Id;
    Id.Exists = true;
    Id.Vendor = "GenuineIntel";
    Id.Features = (1u << 0) | (1u << 4) | (1u << 8) | (1u << 23);
    const TSiCPUInfoObject Info(Id);
    EXPECT_TRUE(Info.FPU());
    EXPECT_TRUE(Info.TimeStampCoutner());
    EXPECT_TRUE(Info.CMP_XCHG_8B());
    EXPECT_TRUE(Info.MMX());
    EXPECT_FALSE(Info.APIC());
    EXPECT_EQ(Info.CPUName(), "GenuineIntel");
    EXPECT_EQ(TSiCPUInfoObject(TSiCPUIdentification()).IDString(), "not available");
#if defined(__x86_64__)
    // Every x86-64 processor identifies itself and has an FPU.
    const TSiCPUInfoObject Here;
    EXPECT_TRUE(Here.ExistCPUInfo());
    EXPECT_EQ(Here.IDString().size(), 12);
    EXPECT_TRUE(Here.FPU());
#endif
}

TEST(SiSysInfo, MemoryFiguresInKilobytes)
{
    const std::uint64_t Total = std::uint64_t(6) << 30; // 6 TB in kB
    TScriptedSystemFiles Files(
        {{"/proc/meminfo", MemInfoText(Total, Total / 2, 2048, 1024)}, {"/proc/self/statm", "256 10 0 0 0 0 0\n"}});
    TSiSysInfo Info(nullptr);
    EXPECT_EQ(Info.MemPhysTotal(), std::int64_t(Total));
    EXPECT_EQ(Info.MemPhysFree(), std::int64_t(Total / 2));
    EXPECT_EQ(Info.MemPageTotal(), 2048);
    EXPECT_EQ(Info.MemPageFree(), 1024);
    EXPECT_GT(Info.MemVirtTotal(), Info.MemVirtFree());
    EXPECT_EQ(Info.MemVirtExtended(), 0);
    EXPECT_EQ(Info.MemoryLoaded(), "50 %");
    TScriptedSystemFiles Empty({});
    EXPECT_EQ(Info.MemoryLoaded(), "0 %");
}
