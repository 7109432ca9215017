#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <QDateTime>

#include <cmath>

const std::uint16_t MonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

namespace {

TClockHook& ClockHook()
{
    static TClockHook Hook;
    return Hook;
}

TDateTime SystemNow()
{
    const QDateTime Local = QDateTime::currentDateTime();
    const QDate D = Local.date();
    const QTime T = Local.time();
    return EncodeDateTime(D.year(), D.month(), D.day(), T.hour(), T.minute(), T.second(), T.msec());
}

// Splits a value into whole days since 1899-12-30 and milliseconds into the
// day, under the classic rule that the fraction is the time of day also for
// negative values.  False for values outside 0001-01-01 .. 9999-12-31.
bool SplitDateTime(TDateTime Value, std::int64_t& Days, int& MSec)
{
    if (!std::isfinite(Value) || Value < MinDateTime - 1.0 || Value > MaxDateTime + 1.0)
        return false;
    const double IntPart = std::trunc(Value);
    Days = std::int64_t(IntPart);
    std::int64_t Ms = std::llround(std::fabs(Value - IntPart) * MSecsPerDay);
    if (Ms >= MSecsPerDay) {
        // Rounded up to midnight: that is the start of the following day.
        Ms -= MSecsPerDay;
        ++Days;
    }
    MSec = int(Ms);
    return Days >= std::int64_t(MinDateTime) && Days <= std::int64_t(MaxDateTime);
}

// Calendar date of a day count since 1899-12-30.
void DaysToDate(std::int64_t Days, int& Year, int& Month, int& Day)
{
    constexpr int D1 = 365;
    constexpr int D4 = D1 * 4 + 1;
    constexpr int D100 = D4 * 25 - 1;
    constexpr int D400 = D100 * 4 + 1;
    std::int64_t T = Days + DateDelta - 1;  // days since 0001-01-01
    int Y = 1;
    while (T >= D400) {
        T -= D400;
        Y += 400;
    }
    int I = int(T / D100);
    int D = int(T % D100);
    if (I == 4) {
        --I;
        D += D100;
    }
    Y += I * 100;
    I = D / D4;
    D = D % D4;
    Y += I * 4;
    I = D / D1;
    D = D % D1;
    if (I == 4) {
        --I;
        D += D1;
    }
    Y += I;
    const std::uint16_t* Table = MonthDays[IsLeapYear(Y) ? 1 : 0];
    int M = 0;
    while (D >= Table[M]) {
        D -= Table[M];
        ++M;
    }
    Year = Y;
    Month = M + 1;
    Day = D + 1;
}

struct TDecoded {
    bool Valid = false;
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
    int DayOfWeek = 0;  // 1 = Sunday
};

TDecoded Decode(TDateTime Value)
{
    TDecoded R;
    std::int64_t Days = 0;
    int Ms = 0;
    if (!SplitDateTime(Value, Days, Ms))
        return R;
    R.Valid = true;
    DaysToDate(Days, R.Year, R.Month, R.Day);
    R.Hour = Ms / 3600000;
    R.Min = Ms / 60000 % 60;
    R.Sec = Ms / 1000 % 60;
    R.MSec = Ms % 1000;
    R.DayOfWeek = int((Days + DateDelta) % 7) + 1;
    return R;
}

// ---------------------------------------------------------------------------
// FormatDateTime, following the classic letter rules.

class TDateFormatter {
public:
    TDateFormatter(TDateTime Value, const TFormatSettings& Settings)
        : FSettings(Settings), FValue(Decode(Value))
    {
    }

    String Run(const String& Format)
    {
        Append(Format.isEmpty() ? QStringLiteral("C") : Format, 0);
        return FResult;
    }

private:
    static bool StartsWithText(const String& S, qsizetype Pos, QLatin1String Text)
    {
        return S.mid(Pos, Text.size()).compare(Text, Qt::CaseInsensitive) == 0;
    }

    void AppendNumber(int Number, int Digits)
    {
        FResult += QStringLiteral("%1").arg(Number, Digits, 10, QLatin1Char('0'));
    }

    // Whether an hour at this point is shown on the 12-hour clock: the rest
    // of the format holds am/pm, a/p or ampm before the next hour.
    static bool TwelveHourFollows(const String& F, qsizetype P)
    {
        bool BetweenQuotes = false;
        for (; P < F.size(); ++P) {
            const QChar C = F.at(P);
            if (C == QLatin1Char('\'') || C == QLatin1Char('"')) {
                BetweenQuotes = !BetweenQuotes;
            } else if (!BetweenQuotes && (C == QLatin1Char('a') || C == QLatin1Char('A'))) {
                return StartsWithText(F, P, QLatin1String("am/pm")) || StartsWithText(F, P, QLatin1String("a/p"))
                       || StartsWithText(F, P, QLatin1String("ampm"));
            } else if (!BetweenQuotes && (C == QLatin1Char('h') || C == QLatin1Char('H'))) {
                return false;
            }
        }
        return false;
    }

    // Level guards against formats that name themselves (a short date
    // format of "ddddd"): nested formats go two levels deep at most.
    void Append(const String& F, int Level)
    {
        if (Level >= 2)
            return;
        QChar LastToken = QLatin1Char(' ');
        bool Use12HourClock = false;
        qsizetype P = 0;
        const qsizetype N = F.size();
        while (P < N) {
            const QChar Starter = F.at(P);
            ++P;
            QChar Token = Starter.toUpper();
            if (Starter.unicode() < 128 && Token.isLetter()) {
                if (Token == QLatin1Char('M') && LastToken == QLatin1Char('H'))
                    Token = QLatin1Char('N');
                LastToken = Token;
            } else {
                Token = Starter;
            }
            auto GetCount = [&]() {
                int Count = 1;
                while (P < N && F.at(P).toUpper() == Starter.toUpper()) {
                    ++P;
                    ++Count;
                }
                return Count;
            };
            switch (Token.unicode()) {
            case 'Y': {
                const int Count = GetCount();
                if (Count <= 2)
                    AppendNumber(FValue.Year % 100, 2);
                else
                    AppendNumber(FValue.Year, 4);
                break;
            }
            case 'M': {
                const int Count = GetCount();
                if (Count <= 2)
                    AppendNumber(FValue.Month, Count);
                else if (FValue.Valid)
                    FResult += Count == 3 ? FSettings.ShortMonthNames[FValue.Month - 1]
                                          : FSettings.LongMonthNames[FValue.Month - 1];
                break;
            }
            case 'D': {
                const int Count = GetCount();
                if (Count <= 2)
                    AppendNumber(FValue.Day, Count);
                else if (Count == 3 && FValue.Valid)
                    FResult += FSettings.ShortDayNames[FValue.DayOfWeek - 1];
                else if (Count == 4 && FValue.Valid)
                    FResult += FSettings.LongDayNames[FValue.DayOfWeek - 1];
                else if (Count == 5)
                    Append(FSettings.ShortDateFormat, Level + 1);
                else if (Count > 5)
                    Append(FSettings.LongDateFormat, Level + 1);
                break;
            }
            case 'H': {
                const int Count = GetCount();
                if (TwelveHourFollows(F, P))
                    Use12HourClock = true;
                int H = FValue.Hour;
                if (Use12HourClock) {
                    if (H == 0)
                        H = 12;
                    else if (H > 12)
                        H -= 12;
                }
                AppendNumber(H, std::min(Count, 2));
                break;
            }
            case 'N':
                AppendNumber(FValue.Min, std::min(GetCount(), 2));
                break;
            case 'S':
                AppendNumber(FValue.Sec, std::min(GetCount(), 2));
                break;
            case 'T':
                Append(GetCount() == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, Level + 1);
                break;
            case 'Z':
                AppendNumber(FValue.MSec, GetCount() < 3 ? 1 : 3);
                break;
            case 'A': {
                const qsizetype Start = P - 1;
                const bool Pm = FValue.Hour >= 12;
                if (StartsWithText(F, Start, QLatin1String("am/pm"))) {
                    FResult += F.mid(Start + (Pm ? 3 : 0), 2);
                    P = Start + 5;
                    Use12HourClock = true;
                } else if (StartsWithText(F, Start, QLatin1String("a/p"))) {
                    FResult += F.mid(Start + (Pm ? 2 : 0), 1);
                    P = Start + 3;
                    Use12HourClock = true;
                } else if (StartsWithText(F, Start, QLatin1String("ampm"))) {
                    FResult += Pm ? FSettings.TimePMString : FSettings.TimeAMString;
                    P = Start + 4;
                    Use12HourClock = true;
                } else if (StartsWithText(F, Start, QLatin1String("aaaa"))) {
                    if (FValue.Valid)
                        FResult += FSettings.LongDayNames[FValue.DayOfWeek - 1];
                    P = Start + 4;
                } else if (StartsWithText(F, Start, QLatin1String("aaa"))) {
                    if (FValue.Valid)
                        FResult += FSettings.ShortDayNames[FValue.DayOfWeek - 1];
                    P = Start + 3;
                } else {
                    FResult += Starter;
                }
                break;
            }
            case 'C':
                GetCount();
                Append(FSettings.ShortDateFormat, Level + 1);
                if (FValue.Hour != 0 || FValue.Min != 0 || FValue.Sec != 0) {
                    FResult += QLatin1Char(' ');
                    Append(FSettings.LongTimeFormat, Level + 1);
                }
                break;
            case '/':
                if (!FSettings.DateSeparator.isNull())
                    FResult += FSettings.DateSeparator;
                break;
            case ':':
                if (!FSettings.TimeSeparator.isNull())
                    FResult += FSettings.TimeSeparator;
                break;
            case '\'':
            case '"': {
                const qsizetype Close = F.indexOf(Starter, P);
                const qsizetype End = Close < 0 ? N : Close;
                FResult += F.mid(P, End - P);
                P = Close < 0 ? N : Close + 1;
                break;
            }
            default:
                FResult += Starter;
                break;
            }
        }
    }

    const TFormatSettings& FSettings;
    TDecoded FValue;
    String FResult;
};

// ---------------------------------------------------------------------------
// Reading dates and times, as the classic scanner does: blanks may stand
// before every number and separator.

class TDateScanner {
public:
    TDateScanner(const String& S, const TFormatSettings& Settings) : FText(S), FSettings(Settings) {}

    bool AtEnd() const { return FPos >= FText.size(); }
    void Reset() { FPos = 0; }

    void SkipBlanks()
    {
        while (FPos < FText.size() && FText.at(FPos) == QLatin1Char(' '))
            ++FPos;
    }

    bool Number(int& Value, int& Digits)
    {
        SkipBlanks();
        qsizetype I = FPos;
        int N = 0;
        while (I < FText.size() && FText.at(I) >= QLatin1Char('0') && FText.at(I) <= QLatin1Char('9')
               && N < 1000) {
            N = N * 10 + (FText.at(I).unicode() - '0');
            ++I;
        }
        if (I == FPos)
            return false;
        Digits = int(I - FPos);
        FPos = I;
        Value = N;
        return true;
    }

    bool Char(QChar Ch)
    {
        SkipBlanks();
        if (FPos < FText.size() && FText.at(FPos) == Ch) {
            ++FPos;
            return true;
        }
        return false;
    }

    bool Text(const String& T)
    {
        SkipBlanks();
        if (!T.isEmpty() && FText.mid(FPos, T.size()).compare(T, Qt::CaseInsensitive) == 0) {
            FPos += T.size();
            return true;
        }
        return false;
    }

    bool Date(TDateTime& Value)
    {
        enum { doMDY, doDMY, doYMD } Order = doMDY;
        for (QChar C : FSettings.ShortDateFormat) {
            const QChar U = C.toUpper();
            if (U == QLatin1Char('Y') || U == QLatin1Char('E')) {
                Order = doYMD;
                break;
            }
            if (U == QLatin1Char('M')) {
                Order = doMDY;
                break;
            }
            if (U == QLatin1Char('D')) {
                Order = doDMY;
                break;
            }
        }
        int N1 = 0, N2 = 0, N3 = 0, L1 = 0, L2 = 0, L3 = 0;
        const QChar Sep = FSettings.DateSeparator;
        if (!(Number(N1, L1) && Char(Sep) && Number(N2, L2)))
            return false;
        int Y = 0, M = 0, D = 0;
        if (Char(Sep)) {
            if (!Number(N3, L3))
                return false;
            int YearLen = 0;
            switch (Order) {
            case doMDY: Y = N3; YearLen = L3; M = N1; D = N2; break;
            case doDMY: Y = N3; YearLen = L3; M = N2; D = N1; break;
            case doYMD: Y = N1; YearLen = L1; M = N2; D = N3; break;
            }
            if (YearLen <= 2) {
                const int Window = FSettings.TwoDigitYearCenturyWindow;
                const int CenturyBase = YearOf(Now()) - Window;
                Y += CenturyBase / 100 * 100;
                if (Window > 0 && Y < CenturyBase)
                    Y += 100;
            }
        } else {
            Y = YearOf(Now());
            if (Order == doDMY) {
                D = N1;
                M = N2;
            } else {
                M = N1;
                D = N2;
            }
        }
        Char(Sep);
        SkipBlanks();
        return TryEncodeDate(Y, M, D, Value);
    }

    bool Time(TDateTime& Value)
    {
        int BaseHour = AmPm();
        int Hour = 0, Min = 0, Sec = 0, MSec = 0, Digits = 0;
        if (!Number(Hour, Digits))
            return false;
        if (Char(FSettings.TimeSeparator)) {
            if (!Number(Min, Digits))
                return false;
            if (Char(FSettings.TimeSeparator)) {
                if (!Number(Sec, Digits))
                    return false;
                if (Char(FSettings.DecimalSeparator) && !Fraction(MSec))
                    return false;
            }
        }
        if (BaseHour < 0)
            BaseHour = AmPm();
        if (BaseHour >= 0) {
            if (Hour == 0 || Hour > 12)
                return false;
            if (Hour == 12)
                Hour = 0;
            Hour += BaseHour;
        }
        SkipBlanks();
        return TryEncodeTime(Hour, Min, Sec, MSec, Value);
    }

private:
    int AmPm()
    {
        if (Text(FSettings.TimeAMString) || Text(QStringLiteral("AM")))
            return 0;
        if (Text(FSettings.TimePMString) || Text(QStringLiteral("PM")))
            return 12;
        return -1;
    }

    // Digits after the decimal separator are a fraction of a second, so
    // ".5" is 500 ms (the classic scanner read it as 5 ms).
    bool Fraction(int& MSec)
    {
        qsizetype I = FPos;
        int Value = 0;
        int Digits = 0;
        while (I < FText.size() && FText.at(I) >= QLatin1Char('0') && FText.at(I) <= QLatin1Char('9')) {
            if (Digits < 3) {
                Value = Value * 10 + (FText.at(I).unicode() - '0');
                ++Digits;
            }
            ++I;
        }
        if (I == FPos)
            return false;
        while (Digits < 3) {
            Value *= 10;
            ++Digits;
        }
        FPos = I;
        MSec = Value;
        return true;
    }

    const String& FText;
    const TFormatSettings& FSettings;
    qsizetype FPos = 0;
};

[[noreturn]] void ConvertError(const char* Text, const String& S)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(QuotedInput(S), QLatin1String(Text)));
}

// Reads the whole text as one part (a date or a time) of the scanner's.
bool TryScan(const String& S, TDateTime& Value, const TFormatSettings& Settings,
             bool (TDateScanner::*Part)(TDateTime&))
{
    TDateScanner Scan(S, Settings);
    TDateTime Result = 0;
    if (!(Scan.*Part)(Result) || !Scan.AtEnd())
        return false;
    Value = Result;
    return true;
}

// The Str... form of a Try... routine: the classic error when it fails.
TDateTime ScanOrRaise(const String& S, const TFormatSettings& Settings, const char* What,
                      bool (*Try)(const String&, TDateTime&, const TFormatSettings&))
{
    TDateTime Result = 0;
    if (!Try(S, Result, Settings))
        ConvertError(What, S);
    return Result;
}

}  // namespace

// ---------------------------------------------------------------------------
// The clock

void SetClockHook(TClockHook Hook)
{
    ClockHook() = std::move(Hook);
}

TDateTime Now()
{
    const TClockHook& Hook = ClockHook();
    return Hook ? Hook() : SystemNow();
}

TDateTime Date()
{
    return DateOf(Now());
}

TDateTime Time()
{
    return TimeOf(Now());
}

// ---------------------------------------------------------------------------
// Calendar

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month)
{
    if (Month < 1 || Month > 12)
        return 0;
    return MonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1];
}

int DaysInAMonth(int Year, int Month)
{
    return DaysInMonth(Year, Month);
}

// ---------------------------------------------------------------------------
// Encoding

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    const std::uint16_t* Table = MonthDays[IsLeapYear(Year) ? 1 : 0];
    int DayOfYear = Day;
    for (int M = 0; M < Month - 1; ++M)
        DayOfYear += Table[M];
    const int I = Year - 1;
    Date = double(std::int64_t(I) * 365 + I / 4 - I / 100 + I / 400 + DayOfYear - DateDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime Result = 0;
    if (!TryEncodeDate(Year, Month, Day, Result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return Result;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time)
{
    if (Hour < 0 || Hour >= HoursPerDay || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0
        || MSec >= 1000)
        return false;
    Time = double(Hour * 3600000 + Min * 60000 + Sec * 1000 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime Result = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, Result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return Result;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time)
{
    const double Day = std::trunc(Date);
    const double Fraction = std::fabs(Time - std::trunc(Time));
    return Day < 0 ? Day - Fraction : Day + Fraction;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec)
{
    return ComposeDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Min, Sec, MSec));
}

void DecodeDate(TDateTime Date, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day)
{
    const TDecoded D = Decode(Date);
    Year = std::uint16_t(D.Year);
    Month = std::uint16_t(D.Month);
    Day = std::uint16_t(D.Day);
}

void DecodeTime(TDateTime Time, std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec,
                std::uint16_t& MSec)
{
    const TDecoded D = Decode(Time);
    Hour = std::uint16_t(D.Hour);
    Min = std::uint16_t(D.Min);
    Sec = std::uint16_t(D.Sec);
    MSec = std::uint16_t(D.MSec);
}

void DecodeDateTime(TDateTime Value, std::uint16_t& Year, std::uint16_t& Month, std::uint16_t& Day,
                    std::uint16_t& Hour, std::uint16_t& Min, std::uint16_t& Sec, std::uint16_t& MSec)
{
    DecodeDate(Value, Year, Month, Day);
    DecodeTime(Value, Hour, Min, Sec, MSec);
}

int DayOfWeek(TDateTime Date)
{
    return Decode(Date).DayOfWeek;
}

int YearOf(TDateTime Value)
{
    return Decode(Value).Year;
}

int MonthOf(TDateTime Value)
{
    return Decode(Value).Month;
}

int DayOf(TDateTime Value)
{
    return Decode(Value).Day;
}

TDateTime DateOf(TDateTime Value)
{
    std::int64_t Days = 0;
    int Ms = 0;
    return SplitDateTime(Value, Days, Ms) ? double(Days) : std::trunc(Value);
}

TDateTime TimeOf(TDateTime Value)
{
    std::int64_t Days = 0;
    int Ms = 0;
    return SplitDateTime(Value, Days, Ms) ? double(Ms) / MSecsPerDay : 0.0;
}

TDateTime IncMonth(TDateTime Value, int NumberOfMonths)
{
    const TDecoded D = Decode(Value);
    if (!D.Valid)
        return Value;
    const int Total = D.Year * 12 + (D.Month - 1) + NumberOfMonths;
    const int Year = Total / 12;
    const int Month = Total % 12 + 1;
    const int Day = std::min(D.Day, DaysInMonth(Year, Month));
    return ComposeDateTime(EncodeDate(Year, Month, Day), TimeOf(Value));
}

TDateTime IncDay(TDateTime Value, int NumberOfDays)
{
    return ComposeDateTime(DateOf(Value) + NumberOfDays, TimeOf(Value));
}

// ---------------------------------------------------------------------------
// Text

String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& Settings)
{
    return TDateFormatter(Value, Settings).Run(Format);
}

String FormatDateTime(const String& Format, TDateTime Value)
{
    return FormatDateTime(Format, Value, FormatSettings);
}

String DateToStr(TDateTime Value, const TFormatSettings& Settings)
{
    return FormatDateTime(QStringLiteral("ddddd"), Value, Settings);
}

String DateToStr(TDateTime Value)
{
    return DateToStr(Value, FormatSettings);
}

String TimeToStr(TDateTime Value, const TFormatSettings& Settings)
{
    return FormatDateTime(QStringLiteral("tt"), Value, Settings);
}

String TimeToStr(TDateTime Value)
{
    return TimeToStr(Value, FormatSettings);
}

String DateTimeToStr(TDateTime Value, const TFormatSettings& Settings)
{
    return FormatDateTime(QStringLiteral("c"), Value, Settings);
}

String DateTimeToStr(TDateTime Value)
{
    return DateTimeToStr(Value, FormatSettings);
}

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings)
{
    return TryScan(S, Value, Settings, &TDateScanner::Date);
}

bool TryStrToDate(const String& S, TDateTime& Value)
{
    return TryStrToDate(S, Value, FormatSettings);
}

TDateTime StrToDate(const String& S, const TFormatSettings& Settings)
{
    return ScanOrRaise(S, Settings, "date", &TryStrToDate);
}

TDateTime StrToDate(const String& S)
{
    return StrToDate(S, FormatSettings);
}

TDateTime StrToDateDef(const String& S, TDateTime Default)
{
    TDateTime Result = 0;
    return TryStrToDate(S, Result) ? Result : Default;
}

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings)
{
    return TryScan(S, Value, Settings, &TDateScanner::Time);
}

bool TryStrToTime(const String& S, TDateTime& Value)
{
    return TryStrToTime(S, Value, FormatSettings);
}

TDateTime StrToTime(const String& S, const TFormatSettings& Settings)
{
    return ScanOrRaise(S, Settings, "time", &TryStrToTime);
}

TDateTime StrToTime(const String& S)
{
    return StrToTime(S, FormatSettings);
}

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings)
{
    TDateScanner Scan(S, Settings);
    TDateTime DatePart = 0;
    TDateTime TimePart = 0;
    if (Scan.Date(DatePart) && (Scan.AtEnd() || (Scan.Time(TimePart) && Scan.AtEnd()))) {
        Value = ComposeDateTime(DatePart, TimePart);
        return true;
    }
    return TryStrToTime(S, Value, Settings);
}

bool TryStrToDateTime(const String& S, TDateTime& Value)
{
    return TryStrToDateTime(S, Value, FormatSettings);
}

TDateTime StrToDateTime(const String& S, const TFormatSettings& Settings)
{
    return ScanOrRaise(S, Settings, "date and time", &TryStrToDateTime);
}

TDateTime StrToDateTime(const String& S)
{
    return StrToDateTime(S, FormatSettings);
}
