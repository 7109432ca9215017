#include "sysinfo/SiSystem.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/windows/WinUser.h"
#include "sysinfo/SiWinVersion.h"

#include <QApplication>
#include <QFont>
#include <QStyleHints>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <pwd.h>
#include <sys/utsname.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// The password entry of the effective user: who runs the program does not
// change while it runs, and the lookup may go through a directory service.
struct TUserEntry {
    bool Found = false;
    String Name;
    String FullName;
};

const TUserEntry& UserEntry()
{
    static const TUserEntry Entry = [] {
        TUserEntry E;
        long Size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> Buffer(std::size_t(Size > 0 ? Size : 16384));
        struct passwd Pwd;
        struct passwd* Result = nullptr;
        if (::getpwuid_r(::geteuid(), &Pwd, Buffer.data(), Buffer.size(), &Result) != 0 || Result == nullptr)
            return E;
        E.Found = true;
        E.Name = QString::fromLocal8Bit(Pwd.pw_name);
        // The comment field: full name, then office and phones after commas.
        const String Gecos = Pwd.pw_gecos != nullptr ? QString::fromLocal8Bit(Pwd.pw_gecos) : String();
        E.FullName = Gecos.section(QLatin1Char(','), 0, 0).trimmed();
        return E;
    }();
    return Entry;
}

bool KeyToggled(int VirtKey)
{
    return (GetKeyState(VirtKey) & 1) != 0;
}

} // namespace

String SiUnknownText()
{
    return QStringLiteral("(Unknown)");
}

std::uint8_t GetColorDepth()
{
    HDC DC = GetDC(nullptr);
    const int Depth = GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES);
    ReleaseDC(nullptr, DC);
    return std::uint8_t(Depth);
}

int GetScreenSaverDelay()
{
    return 0;
}

bool GetScreenSaveActive()
{
    return false;
}

bool GetNumLockState()
{
    return KeyToggled(VK_NUMLOCK);
}

bool GetCapsLockState()
{
    return KeyToggled(VK_CAPITAL);
}

bool GetScrollLockState()
{
    return KeyToggled(VK_SCROLL);
}

int GetKeyboardDelay()
{
    // The desktop does not tell Qt its repeat delay; half a second is the
    // usual one.
    return 1;
}

int GetKeyboardSpeed()
{
    const int Rate = GuiApplication() != nullptr ? QGuiApplication::styleHints()->keyboardAutoRepeatRate() : 30;
    return std::clamp(int(std::lround((Rate - 2.5) * 31 / 27.5)), 0, 31);
}

bool GetWindowAnimation()
{
    return HasWidgetApplication() && QApplication::isEffectEnabled(Qt::UI_General);
}

bool GetWarningBeep()
{
    return true;
}

bool GetFontSmoothing()
{
    if (!SiWindowsFlags().PlusAvailable)
        return false;
    return (QGuiApplication::font().styleStrategy() & QFont::NoAntialias) == 0;
}

bool GetDragFullWindows()
{
    if (!SiWindowsFlags().PlusAvailable)
        return false;
    BOOL Full = FALSE;
    return SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &Full, 0) != FALSE && Full != FALSE;
}

bool GetSnapToDefaultButton()
{
    // Only the NT family had the setting; no desktop here moves the mouse
    // to a dialog's default button.
    return false;
}

String GetPlatformName()
{
    switch (SiVersionInfo().PlatformId) {
    case VER_PLATFORM_WIN32s:
        return QStringLiteral("Win32s");
    case VER_PLATFORM_WIN32_WINDOWS:
        return QStringLiteral("Windows 95");
    case VER_PLATFORM_WIN32_NT:
        return QStringLiteral("Windows NT");
    default:
        return SiUnknownText();
    }
}

int GetProcessorCount()
{
    const long Count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return Count > 0 ? int(Count) : int(std::max(1u, std::thread::hardware_concurrency()));
}

String GetProcessorTypeName()
{
#if defined(__i386__) || defined(__x86_64__)
    // The processor type a 32-bit program was told on any processor since
    // the Pentium.
    return SiProcessorTypeName(586);
#else
    struct utsname Name;
    return ::uname(&Name) == 0 ? QString::fromLatin1(Name.machine) : SiUnknownText();
#endif
}

String SiProcessorTypeName(unsigned Type)
{
    switch (Type) {
    case 386:
        return QStringLiteral("Intel 386");
    case 486:
        return QStringLiteral("Intel 486");
    case 586:
        return QStringLiteral("Intel Pentium");
    case 21064:
        return QStringLiteral("Alpha 21064");
    case 2000:
    case 3000:
    case 4000:
        return QStringLiteral("Mips R") + QString::number(Type);
    default:
        return QString::number(Type);
    }
}

int GetFreeResources(int Kind)
{
    (void)Kind;
    // The free-resources figure belonged to the 9x family only.
    return 0;
}

String GetSiTempPath()
{
    return IncludeTrailingPathDelimiter(GetTempPath());
}

void GetEnvironmentList(TStrings* List)
{
    List->Clear();
    for (char** Entry = environ; Entry != nullptr && *Entry != nullptr; ++Entry)
        List->Add(QString::fromLocal8Bit(*Entry));
}

String GetRegisteredOrganization()
{
    return String();
}

String GetRegisteredOwner()
{
    return UserEntry().Found ? UserEntry().FullName : SiUnknownText();
}

String GetComputerNameText()
{
    char Host[256] = {};
    if (::gethostname(Host, sizeof Host - 1) != 0 || Host[0] == '\0')
        return SiUnknownText();
    const String Label = QString::fromLocal8Bit(Host).section(QLatin1Char('.'), 0, 0);
    return Label.left(15).toUpper();
}

String GetCurrentUserName()
{
    return UserEntry().Found ? UserEntry().Name : SiUnknownText();
}

String GetTimeZoneName()
{
    // Names come from ICU and cost a third of a millisecond; the zone of
    // the system rarely changes, so its name is kept per zone.
    static QByteArray CachedId;
    static String CachedName;
    const QByteArray Id = QTimeZone::systemTimeZoneId();
    if (Id != CachedId || CachedName.isEmpty()) {
        CachedName = QTimeZone(Id).displayName(QTimeZone::StandardTime, QTimeZone::LongName);
        CachedId = Id;
    }
    return CachedName.isEmpty() ? SiUnknownText() : CachedName;
}

int GetTimeZoneBias()
{
    const QTimeZone Zone = QTimeZone::systemTimeZone();
    return -Zone.standardTimeOffset(QDateTime::currentDateTimeUtc()) / 60;
}
