#pragma once
// Dates and times as the classic runtime keeps them: a TDateTime is a double
// counting days since 1899-12-30, its fraction the time of day.  Before that
// day the integer part counts backwards but the fraction still is the time,
// so -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00.
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>

struct TFormatSettings;

using TDateTime = double;

// Valid range: 0001-01-01 00:00 to 9999-12-31 23:59:59.999.
inline constexpr TDateTime MinDateTime = -693593.0;
inline constexpr TDateTime MaxDateTime = 2958465.99999999;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = 24 * 60;
inline constexpr int SecsPerDay = 24 * 60 * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;
// Days from 0001-01-01 to 1899-12-30.
inline constexpr int DateDelta = 693594;

// --- the clock ---
// Date, Now and Time ask this hook; tests install one to fix "today".  An
// empty hook puts the system clock (local time) back.
using TClockHook = std::function<TDateTime()>;
void SetClockHook(TClockHook Hook);
TDateTime Now();
TDateTime Date();
TDateTime Time();

// --- calendar ---
bool IsLeapYear(int Year);
// Days in the month; 0 for a month outside 1..12.
int DaysInMonth(int Year, int Month);
int DaysInAMonth(int Year, int Month);
// Days of each month, [0] for a common year and [1] for a leap year.
extern const std::uint16_t MonthDays[2][12];

// --- encoding ---
// EncodeDate/EncodeTime raise EConvertError "Invalid argument to date encode"
// / "Invalid argument to time encode"; the Try forms return false instead.
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);
// Joins a date and a time of day under the rule for dates before 1899-12-30.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);

// Values outside the valid range (or not finite) decode as all zeros.
void DecodeDate(TDateTime Date, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day);
void DecodeTime(TDateTime Time, std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec,
                std::uint16_t& MSec);
void DecodeDateTime(TDateTime Value, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day,
                    std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec,
                    std::uint16_t& MSec);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime Date);
int YearOf(TDateTime Value);
int MonthOf(TDateTime Value);
int DayOf(TDateTime Value);
// The date part (time 00:00) and the time part of a value.
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);
// Moves by whole months, keeping the time; the day is clipped to the length
// of the target month (31 January + 1 month = 28 or 29 February).
TDateTime IncMonth(TDateTime Value, int NumberOfMonths = 1);
TDateTime IncDay(TDateTime Value, int NumberOfDays = 1);

// --- text ---
// The classic format letters: c d dd ddd dddd ddddd dddddd m mm mmm mmmm
// yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm, '...' and "..." literals,
// "/" and ":" for the date and time separators; m right after h is minutes.
// An empty format means "c".
String FormatDateTime(const String& Format, TDateTime Value);
String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& Settings);
String DateToStr(TDateTime Value);
String DateToStr(TDateTime Value, const TFormatSettings& Settings);
String TimeToStr(TDateTime Value);
String TimeToStr(TDateTime Value, const TFormatSettings& Settings);
// Date only when the time is 00:00:00.
String DateTimeToStr(TDateTime Value);
String DateTimeToStr(TDateTime Value, const TFormatSettings& Settings);

// Dates are read in the order of d, m and y in ShortDateFormat, the numbers
// separated by DateSeparator; a missing year is the current year and a year
// of one or two digits falls in the hundred years that start
// TwoDigitYearCenturyWindow years before the current one.  Times are
// h:n[:s[.z]] with an optional AM/PM.  Errors: EConvertError "'%s' is not a
// valid date" / "... valid time" / "... valid date and time".
TDateTime StrToDate(const String& S);
TDateTime StrToDate(const String& S, const TFormatSettings& Settings);
bool TryStrToDate(const String& S, TDateTime& Value);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToDateDef(const String& S, TDateTime Default);
TDateTime StrToTime(const String& S);
TDateTime StrToTime(const String& S, const TFormatSettings& Settings);
bool TryStrToTime(const String& S, TDateTime& Value);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToDateTime(const String& S);
TDateTime StrToDateTime(const String& S, const TFormatSettings& Settings);
bool TryStrToDateTime(const String& S, TDateTime& Value);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
