#include "sysinfo/SiWinVersion.h"

#include "sysinfo/SiSystemFiles.h"

#include <QList>
#include <sys/utsname.h>

namespace {

TSiWindowsFlags& Flags()
{
    static TSiWindowsFlags F;
    return F;
}

bool& Detected()
{
    static bool D = false;
    return D;
}

TSiOSVersionInfo ReadVersionInfo()
{
    TSiOSVersionInfo Info;
    struct utsname Name;
    if (::uname(&Name) == 0)
        ParseKernelRelease(QByteArray(Name.release), Info);
    QByteArray OsRelease = SiReadSystemFile("/etc/os-release");
    if (OsRelease.isEmpty())
        OsRelease = SiReadSystemFile("/usr/lib/os-release");
    Info.CSDVersion = OsReleasePrettyName(OsRelease);
    return Info;
}

// The 5.x branch: 2000, XP and the 2003 servers.
void DetectVersion5(const TSiOSVersionInfo& V, const TSiVersionProbes& Probes, TSiWindowsFlags& F)
{
    if (V.MinorVersion == 0) {
        F.Win2000 = true;
        F.Win2000Enterprise = V.SuiteMask == 2;
        return;
    }
    F.WinXP = true;
    F.WinServer = V.ProductType > VER_NT_WORKSTATION;
    if (F.WinServer)
        F.WinServerEnterprise = V.SuiteMask == 2;
    else if (V.SuiteMask == 3)
        F.WinServerSuite3 = true;
    else if (Probes.MediaCenter)
        F.WinXPMediaCenter = true;
    else if (Probes.TabletPC)
        F.WinXPTablet = true;
    else
        F.WinXPHome = true;
}

} // namespace

void ParseKernelRelease(const QByteArray& Release, TSiOSVersionInfo& Info)
{
    // Leading numbers separated by dots; whatever follows ("-18-amd64") is
    // the distribution's.
    std::uint32_t Numbers[3] = {0, 0, 0};
    int Index = 0;
    for (char Ch : Release) {
        if (Ch >= '0' && Ch <= '9') {
            Numbers[Index] = Numbers[Index] * 10 + std::uint32_t(Ch - '0');
            if (Numbers[Index] > 99999999)
                break;
        } else if (Ch == '.' && Index < 2) {
            ++Index;
        } else {
            break;
        }
    }
    Info.MajorVersion = Numbers[0];
    Info.MinorVersion = Numbers[1];
    Info.BuildNumber = Numbers[2];
}

String OsReleasePrettyName(const QByteArray& OsRelease)
{
    for (const QByteArray& Line : OsRelease.split('\n')) {
        if (!Line.startsWith("PRETTY_NAME="))
            continue;
        QByteArray Value = Line.mid(12).trimmed();
        if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') && Value.back() == Value.front())
            Value = Value.mid(1, Value.size() - 2);
        return QString::fromUtf8(Value);
    }
    return String();
}

const TSiOSVersionInfo& SiVersionInfo()
{
    // The kernel and the distribution do not change under a running program.
    static const TSiOSVersionInfo Info = ReadVersionInfo();
    return Info;
}

std::uint32_t GetVersionField(int Field)
{
    const TSiOSVersionInfo& V = SiVersionInfo();
    switch (Field) {
    case 0:
        return V.MajorVersion;
    case 1:
        return V.MinorVersion;
    case 2:
        return V.BuildNumber;
    case 3:
        return V.PlatformId;
    case 4:
        return V.ServicePackMajor;
    case 5:
        return V.ServicePackMinor;
    case 6:
        return V.SuiteMask;
    case 7:
        return V.ProductType;
    default:
        return 0;
    }
}

String GetWindowsVersionText()
{
    return QStringLiteral("%1.%2").arg(GetVersionField(0)).arg(GetVersionField(1));
}

TSiWindowsFlags WindowsFamilyFlags(const TSiOSVersionInfo& V, const TSiVersionProbes& Probes)
{
    TSiWindowsFlags F;
    F.Win9x = V.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
    if (F.Win9x) {
        F.Win98 = V.MinorVersion >= 10;
        F.WinMe = V.MajorVersion >= 4 && V.MinorVersion >= 90;
        F.PlusAvailable = Probes.PlusQuerySucceeds;
        return F;
    }
    F.PlusAvailable = true;
    F.WinNT = V.PlatformId == VER_PLATFORM_WIN32_NT;
    if (V.MajorVersion == 5)
        DetectVersion5(V, Probes, F);
    if (V.MajorVersion >= 6) {
        F.WinVistaOrLater = true;
        F.CompositionEnabled = Probes.CompositionEnabled;
    }
    return F;
}

void DetectWindowsVersion()
{
    // This system answers as a current NT workstation without desktop
    // composition; the kernel's own numbers are no Windows version.
    TSiOSVersionInfo Modern;
    Modern.MajorVersion = 10;
    Modern.PlatformId = VER_PLATFORM_WIN32_NT;
    Modern.ProductType = VER_NT_WORKSTATION;
    Flags() = WindowsFamilyFlags(Modern, TSiVersionProbes());
    Detected() = true;
}

const TSiWindowsFlags& SiWindowsFlags()
{
    if (!Detected())
        DetectWindowsVersion();
    return Flags();
}
