#pragma once
// The version of the running system and the library's Windows-family flags.
//
// No Windows runs here.  The version record describes the running kernel
// (uname) and distribution (os-release) in the fields of the classic
// version information, as an NT-family system; the family flags are those
// of a current NT system, so every branch of the libraries takes its modern
// path.  Desktop composition is never on and its entry points never exist.
#include "platform/rtl/System.h"

#include <cstdint>

enum : std::uint32_t { VER_PLATFORM_WIN32s = 0, VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2 };
enum : std::uint8_t { VER_NT_WORKSTATION = 1, VER_NT_DOMAIN_CONTROLLER = 2, VER_NT_SERVER = 3 };

struct TSiOSVersionInfo {
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;
    std::uint32_t PlatformId = VER_PLATFORM_WIN32_NT;
    std::uint16_t ServicePackMajor = 0;
    std::uint16_t ServicePackMinor = 0;
    std::uint16_t SuiteMask = 0;
    std::uint8_t ProductType = VER_NT_WORKSTATION;
    // What the classic record called the service-pack text: here the
    // distribution's name ("Debian GNU/Linux 12 (bookworm)").
    String CSDVersion;
};

// The running system: major, minor and build from the kernel release
// ("6.1.0-18-amd64" gives 6, 1, 0), the rest as an NT workstation.
const TSiOSVersionInfo& SiVersionInfo();
// Field 0 major, 1 minor, 2 build, 3 platform, 4 and 5 service pack major
// and minor, 6 suite mask, 7 product type; 0 for any other number.
std::uint32_t GetVersionField(int Field);
// "%d.%d" of the major and minor version.
String GetWindowsVersionText();

// The pieces of a kernel release and of os-release text (for the record
// above; kept apart so that they can be checked on given texts).
void ParseKernelRelease(const QByteArray& Release, TSiOSVersionInfo& Info);
String OsReleasePrettyName(const QByteArray& OsRelease);

// The Windows-family flags.
struct TSiWindowsFlags {
    bool Win9x = false;
    bool Win98 = false;
    bool WinMe = false;
    bool WinNT = false;
    bool Win2000 = false;
    bool Win2000Enterprise = false;
    bool WinXP = false;
    bool WinXPHome = false;
    bool WinXPMediaCenter = false;
    bool WinXPTablet = false;
    bool WinServer = false;
    bool WinServerEnterprise = false;
    // Set on a non-server 5.x system whose suite mask is 3.
    bool WinServerSuite3 = false;
    bool WinVistaOrLater = false;
    bool PlusAvailable = false;
    bool CompositionEnabled = false;
};

// What the classic detection asked the system besides the version record.
struct TSiVersionProbes {
    bool MediaCenter = false; // system metric 87
    bool TabletPC = false; // system metric 86
    bool PlusQuerySucceeds = false; // system parameter query 92 (9x family)
    bool CompositionEnabled = false; // the composition query, when it exists
};

// The classic decision over a version record.
TSiWindowsFlags WindowsFamilyFlags(const TSiOSVersionInfo& Version, const TSiVersionProbes& Probes);
// Sets the flags for this system (a current NT workstation).  The
// library's initialisation runs it; the flags detect themselves on first
// use before that, so no query ever sees a system of no family.
void DetectWindowsVersion();
const TSiWindowsFlags& SiWindowsFlags();
