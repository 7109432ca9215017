#include "sysinfo/SiSysInfo.h"

#include "platform/classes/TypInfo.h"
#include "platform/forms/Screen.h"
#include "sysinfo/SiLocale.h"
#include "sysinfo/SiMemory.h"
#include "sysinfo/SiPaths.h"
#include "sysinfo/SiSystem.h"
#include "sysinfo/SiWinVersion.h"

#include <QPrinterInfo>
#include <limits>

// Read-only facts: never written, ignored when read.
#define SI_FACT_PROP(Name) PUBLISHED_NODEFAULT_STORED(Name, false)

REGISTER_COMPONENT(TSiSysInfo, TComponent)
    SI_FACT_PROP(CurrentUser)
    SI_FACT_PROP(RegisteredCompany)
    SI_FACT_PROP(RegisteredOwner)
    SI_FACT_PROP(VersionWIN)
    SI_FACT_PROP(WinPath)
    SI_FACT_PROP(WinSysPath)
    SI_FACT_PROP(FreeGdiRes)
    SI_FACT_PROP(FreeUsrRes)
    SI_FACT_PROP(FreeSysRes)
    SI_FACT_PROP(MemoryLoaded)
    SI_FACT_PROP(Platform)
    SI_FACT_PROP(TempPath)
    SI_FACT_PROP(Computername)
    SI_FACT_PROP(ProcessorType)
    SI_FACT_PROP(DefaultLanguageString)
    SI_FACT_PROP(TimeZone)
    SI_FACT_PROP(BuildNumber)
    SI_FACT_PROP(ScreenSaverDelay)
    SI_FACT_PROP(DefaultLanguageID)
    SI_FACT_PROP(TimeZoneDiff)
    SI_FACT_PROP(ScreenWidth)
    SI_FACT_PROP(ScreenHeight)
    SI_FACT_PROP(ScreenPPi)
    SI_FACT_PROP(MemPhysTotal)
    SI_FACT_PROP(MemPhysFree)
    SI_FACT_PROP(MemVirtTotal)
    SI_FACT_PROP(MemVirtFree)
    SI_FACT_PROP(MemPageTotal)
    SI_FACT_PROP(MemPageFree)
    SI_FACT_PROP(MemVirtExtended)
    SI_FACT_PROP(NumLockState)
    SI_FACT_PROP(CapsLockState)
    SI_FACT_PROP(ScrollLockState)
    SI_FACT_PROP(WindowAnimation)
    SI_FACT_PROP(WarningBeep)
    SI_FACT_PROP(ScreenSaveActive)
    SI_FACT_PROP(FontSmoothing)
    SI_FACT_PROP(DragFullWindows)
    SI_FACT_PROP(SnapToDefaultButton)
    SI_FACT_PROP(PlusAvailable)
    SI_FACT_PROP(LocaleCalendarType)
    SI_FACT_PROP(LocaleCurrencyDigits)
    SI_FACT_PROP(LocaleICurrency)
    SI_FACT_PROP(LocaleDigits)
    SI_FACT_PROP(LocaleFirstDayOfWeek)
    SI_FACT_PROP(LocaleFirstWeekOfYear)
    SI_FACT_PROP(LocaleZero)
    SI_FACT_PROP(LocaleMeasureSystem)
    SI_FACT_PROP(LocaleNegativeCurrencyFormat)
    SI_FACT_PROP(LocaleNegativeNumberFormat)
    SI_FACT_PROP(LocaleTime)
    SI_FACT_PROP(LocaleMorningSymbol)
    SI_FACT_PROP(LocaleAfternoonSymbol)
    SI_FACT_PROP(LocaleCurrencySymbol)
    SI_FACT_PROP(LocaleDateSeparator)
    SI_FACT_PROP(LocaleDecimalSeparator)
    SI_FACT_PROP(LocaleNumericGrouping)
    SI_FACT_PROP(LocaleListSeparator)
    SI_FACT_PROP(LocaleLongDateFormat)
    SI_FACT_PROP(LocaleMonthDecimalSeparator)
    SI_FACT_PROP(LocaleCurrencyGrouping)
    SI_FACT_PROP(LocaleThousandSeparator)
    SI_FACT_PROP(LocaleNegativeSign)
    SI_FACT_PROP(LocalePositiveSign)
    SI_FACT_PROP(LocaleShortDateFormat)
    SI_FACT_PROP(LocaleThousand)
    SI_FACT_PROP(LocaleTimeSeparator)
    SI_FACT_PROP(LocaleShortTimeFormat)
    PUBLISHED_OBJECT(Environment)
        .Stored(false) PUBLISHED_OBJECT(AllFonts)
        .Stored(false) PUBLISHED_OBJECT(AllPrinters)
        .Stored(false) SI_FACT_PROP(ProcessorNumber) SI_FACT_PROP(ColorDepth) SI_FACT_PROP(KeyboardDelay)
            SI_FACT_PROP(KeyboardSpeed)
END_REGISTER

namespace {

String Percent(int Value)
{
    return QStringLiteral("%1 %").arg(Value);
}

// The free-resources figure as the classic component showed it: masked to
// seven bits, and 0 on the NT family.
int FreeResources(int Kind)
{
    return SiWindowsFlags().WinNT ? 0 : GetFreeResources(Kind) & 0x7F;
}

std::int64_t KiB(std::uint64_t Bytes)
{
    return std::int64_t(std::min<std::uint64_t>(Bytes / 1024, std::numeric_limits<std::int64_t>::max()));
}

} // namespace

TSiSysInfo::TSiSysInfo(TComponent* AOwner)
    : TSiCustomComponent(AOwner), FEnvironment(std::make_unique<TStringList>()),
      FPrinters(std::make_unique<TStringList>()), FNoFonts(std::make_unique<TStringList>()),
      FCPUInfo(std::make_unique<TSiCPUInfoObject>())
{
    FPrinters->SetSorted(true);
}

TSiSysInfo::~TSiSysInfo() = default;

String TSiSysInfo::GetText(int Index) const
{
    switch (Index) {
    case 0:
        return GetCurrentUserName();
    case 1:
        return GetRegisteredOrganization();
    case 2:
        return GetRegisteredOwner();
    case 3:
        return GetWindowsVersionText();
    case 4:
        return GetSiPath(ppWindows, false);
    case 5:
        return GetSiPath(ppSystem, false);
    case 6:
        return Percent(FreeResources(1));
    case 7:
        return Percent(FreeResources(2));
    case 8:
        return Percent(FreeResources(0));
    case 9:
        return Percent(int(GetSiMemoryStatus().MemoryLoad));
    case 10:
        return GetPlatformName();
    case 11:
        return GetSiTempPath();
    case 12:
        return GetComputerNameText();
    case 13:
        return GetProcessorTypeName();
    case 14:
        return GetDefaultLanguageName();
    case 15:
        return GetTimeZoneName();
    default:
        return String();
    }
}

int TSiSysInfo::GetInteger(int Index) const
{
    switch (Index) {
    case 0:
        return int(GetVersionField(2));
    case 7:
        return GetScreenSaverDelay();
    case 8:
        return GetDefaultLanguageId();
    case 9:
        return GetTimeZoneBias();
    case 10:
        return Screen != nullptr ? Screen->Width() : 0;
    case 11:
        return Screen != nullptr ? Screen->Height() : 0;
    case 12:
        return Screen != nullptr ? Screen->PixelsPerInch() : 0;
    default:
        return 0;
    }
}

std::int64_t TSiSysInfo::GetMemory(int Index) const
{
    const TSiMemoryStatus S = GetSiMemoryStatus();
    switch (Index) {
    case 1:
        return KiB(S.TotalPhys);
    case 2:
        return KiB(S.AvailPhys);
    case 3:
        return KiB(S.TotalVirtual);
    case 4:
        return KiB(S.AvailVirtual);
    case 5:
        return KiB(S.TotalPageFile);
    case 6:
        return KiB(S.AvailPageFile);
    case 7:
        return KiB(S.AvailExtendedVirtual);
    default:
        return 0;
    }
}

bool TSiSysInfo::GetBoolean(int Index) const
{
    switch (Index) {
    case 0:
        return GetNumLockState();
    case 1:
        return GetCapsLockState();
    case 2:
        return GetScrollLockState();
    case 3:
        return GetWindowAnimation();
    case 4:
        return GetWarningBeep();
    case 5:
        return GetScreenSaveActive();
    case 6:
        return GetFontSmoothing();
    case 7:
        return GetDragFullWindows();
    case 8:
        return SiWindowsFlags().WinNT && GetSnapToDefaultButton();
    case 9:
        return SiWindowsFlags().PlusAvailable;
    default:
        return false;
    }
}

String TSiSysInfo::GetLocale(int Index) const
{
    return GetSiLocaleItem(QLocale(), Index);
}

TStrings* TSiSysInfo::Environment() const
{
    GetEnvironmentList(FEnvironment.get());
    return FEnvironment.get();
}

TStrings* TSiSysInfo::AllFonts() const
{
    return Screen != nullptr ? Screen->Fonts() : FNoFonts.get();
}

TStrings* TSiSysInfo::AllPrinters() const
{
    FPrinters->Clear();
    for (const QString& Name : QPrinterInfo::availablePrinterNames())
        FPrinters->Add(Name);
    return FPrinters.get();
}

int TSiSysInfo::ProcessorNumber() const
{
    return GetProcessorCount();
}

std::uint8_t TSiSysInfo::ColorDepth() const
{
    return GetColorDepth();
}

int TSiSysInfo::KeyboardDelay() const
{
    return GetKeyboardDelay();
}

int TSiSysInfo::KeyboardSpeed() const
{
    return GetKeyboardSpeed();
}
