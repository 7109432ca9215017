#pragma once
// TSiSysInfo (unit SiSysInfo): a non-visual component whose properties
// report facts about the running system, each read when it is asked for.
// The main window's SiSysInfoMain gives the program its temporary folder
// (TempPath, always with its trailing delimiter).
//
// Every property can be written, so that form definitions that hold one
// still read, but a write changes nothing: a form definition must never
// change the user's lock keys, keyboard, locale or other system settings.
// No property is written to a form definition either; they describe the
// machine that wrote it, not the form.
//
// Where the facts come from: SiSystem.h, SiMemory.h, SiLocale.h and
// SiWinVersion.h.  The "Windows" folder (WinPath) is the user's
// configuration folder and the "system" folder (WinSysPath) /usr/lib, both
// without a trailing delimiter; the screen figures come from the platform's
// Screen; memory figures are in KB and never saturate at 32 bits.
#include "platform/rtl/StringList.h"
#include "sysinfo/SiCPUInfoObject.h"
#include "sysinfo/SiCustomComponent.h"

#include <cstdint>
#include <memory>

// A fact property: the getter reads it through the group's accessor, the
// setter ignores the value.
// clang-format off
#define SI_FACT(Type, Name, Accessor, Index)          \
    Type Name() const { return Accessor(Index); }     \
    void Set##Name(Type Value) { (void)Value; }
// clang-format on

class TSiSysInfo : public TSiCustomComponent {
public:
    explicit TSiSysInfo(TComponent* AOwner);
    ~TSiSysInfo() override;

    // --- text ---
    SI_FACT(String, CurrentUser, GetText, 0)
    SI_FACT(String, RegisteredCompany, GetText, 1)
    SI_FACT(String, RegisteredOwner, GetText, 2)
    SI_FACT(String, VersionWIN, GetText, 3)
    SI_FACT(String, WinPath, GetText, 4)
    SI_FACT(String, WinSysPath, GetText, 5)
    // "%d %%" of the free resources (0 outside the 9x family) and the
    // memory load.
    SI_FACT(String, FreeGdiRes, GetText, 6)
    SI_FACT(String, FreeUsrRes, GetText, 7)
    SI_FACT(String, FreeSysRes, GetText, 8)
    SI_FACT(String, MemoryLoaded, GetText, 9)
    SI_FACT(String, Platform, GetText, 10)
    SI_FACT(String, TempPath, GetText, 11)
    SI_FACT(String, Computername, GetText, 12)
    SI_FACT(String, ProcessorType, GetText, 13)
    SI_FACT(String, DefaultLanguageString, GetText, 14)
    SI_FACT(String, TimeZone, GetText, 15)

    // --- integers ---
    SI_FACT(int, BuildNumber, GetInteger, 0)
    SI_FACT(int, ScreenSaverDelay, GetInteger, 7)
    SI_FACT(int, DefaultLanguageID, GetInteger, 8)
    SI_FACT(int, TimeZoneDiff, GetInteger, 9)
    SI_FACT(int, ScreenWidth, GetInteger, 10)
    SI_FACT(int, ScreenHeight, GetInteger, 11)
    SI_FACT(int, ScreenPPi, GetInteger, 12)

    // --- memory in KB ---
    SI_FACT(std::int64_t, MemPhysTotal, GetMemory, 1)
    SI_FACT(std::int64_t, MemPhysFree, GetMemory, 2)
    SI_FACT(std::int64_t, MemVirtTotal, GetMemory, 3)
    SI_FACT(std::int64_t, MemVirtFree, GetMemory, 4)
    SI_FACT(std::int64_t, MemPageTotal, GetMemory, 5)
    SI_FACT(std::int64_t, MemPageFree, GetMemory, 6)
    SI_FACT(std::int64_t, MemVirtExtended, GetMemory, 7)

    // --- flags ---
    SI_FACT(bool, NumLockState, GetBoolean, 0)
    SI_FACT(bool, CapsLockState, GetBoolean, 1)
    SI_FACT(bool, ScrollLockState, GetBoolean, 2)
    SI_FACT(bool, WindowAnimation, GetBoolean, 3)
    SI_FACT(bool, WarningBeep, GetBoolean, 4)
    SI_FACT(bool, ScreenSaveActive, GetBoolean, 5)
    SI_FACT(bool, FontSmoothing, GetBoolean, 6)
    SI_FACT(bool, DragFullWindows, GetBoolean, 7)
    SI_FACT(bool, SnapToDefaultButton, GetBoolean, 8)
    SI_FACT(bool, PlusAvailable, GetBoolean, 9)

    // --- locale items of the user's locale ---
    SI_FACT(String, LocaleCalendarType, GetLocale, 0)
    SI_FACT(String, LocaleCurrencyDigits, GetLocale, 1)
    SI_FACT(String, LocaleICurrency, GetLocale, 2)
    SI_FACT(String, LocaleDigits, GetLocale, 3)
    SI_FACT(String, LocaleFirstDayOfWeek, GetLocale, 4)
    SI_FACT(String, LocaleFirstWeekOfYear, GetLocale, 5)
    SI_FACT(String, LocaleZero, GetLocale, 6)
    SI_FACT(String, LocaleMeasureSystem, GetLocale, 7)
    SI_FACT(String, LocaleNegativeCurrencyFormat, GetLocale, 8)
    SI_FACT(String, LocaleNegativeNumberFormat, GetLocale, 9)
    SI_FACT(String, LocaleTime, GetLocale, 10)
    SI_FACT(String, LocaleMorningSymbol, GetLocale, 11)
    SI_FACT(String, LocaleAfternoonSymbol, GetLocale, 12)
    SI_FACT(String, LocaleCurrencySymbol, GetLocale, 13)
    SI_FACT(String, LocaleDateSeparator, GetLocale, 14)
    SI_FACT(String, LocaleDecimalSeparator, GetLocale, 15)
    SI_FACT(String, LocaleNumericGrouping, GetLocale, 16)
    SI_FACT(String, LocaleListSeparator, GetLocale, 17)
    SI_FACT(String, LocaleLongDateFormat, GetLocale, 18)
    SI_FACT(String, LocaleMonthDecimalSeparator, GetLocale, 19)
    SI_FACT(String, LocaleCurrencyGrouping, GetLocale, 20)
    SI_FACT(String, LocaleThousandSeparator, GetLocale, 21)
    SI_FACT(String, LocaleNegativeSign, GetLocale, 22)
    SI_FACT(String, LocalePositiveSign, GetLocale, 23)
    SI_FACT(String, LocaleShortDateFormat, GetLocale, 24)
    SI_FACT(String, LocaleThousand, GetLocale, 25)
    SI_FACT(String, LocaleTimeSeparator, GetLocale, 26)
    SI_FACT(String, LocaleShortTimeFormat, GetLocale, 27)

    // --- others ---
    // The process environment ("name=value" lines), read again each time.
    TStrings* Environment() const;
    // The screen's font families and the printers, sorted.
    TStrings* AllFonts() const;
    TStrings* AllPrinters() const;
    int ProcessorNumber() const;
    void SetProcessorNumber(int Value) { (void)Value; }
    // Bits per pixel of the screen.
    std::uint8_t ColorDepth() const;
    void SetColorDepth(std::uint8_t Value) { (void)Value; }
    // The classic scales: delay 0 to 3, speed 0 to 31.
    int KeyboardDelay() const;
    void SetKeyboardDelay(int Value) { (void)Value; }
    int KeyboardSpeed() const;
    void SetKeyboardSpeed(int Value) { (void)Value; }

    // The processor's identification, read when the component was made.
    TSiCPUInfoObject* CPUInfo() const { return FCPUInfo.get(); }

    // The accessors of the groups above.
    String GetText(int Index) const;
    int GetInteger(int Index) const;
    std::int64_t GetMemory(int Index) const;
    bool GetBoolean(int Index) const;
    String GetLocale(int Index) const;

private:
    std::unique_ptr<TStringList> FEnvironment;
    std::unique_ptr<TStringList> FPrinters;
    std::unique_ptr<TStringList> FNoFonts; // while there is no Screen
    std::unique_ptr<TSiCPUInfoObject> FCPUInfo;
};

#undef SI_FACT
