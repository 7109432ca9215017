#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/ErrorMessages.h"

#include <gtest/gtest.h>

namespace {

// The program's own settings: dd/mm/yyyy and hh:mm:ss.
TFormatSettings Dutch()
{
    TFormatSettings S;
    S.DateSeparator = QLatin1Char('/');
    S.TimeSeparator = QLatin1Char(':');
    S.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    S.LongTimeFormat = QStringLiteral("hh:mm:ss");
    return S;
}

// Fixes "today" for one test and gives the global settings back afterwards.
class DateUtilsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = FormatSettings;
        FormatSettings = Dutch();
        SetToday(2026, 3, 15);
    }
    void TearDown() override
    {
        SetClockHook(nullptr);
        FormatSettings = FSaved;
    }
    static void SetToday(int Y, int M, int D)
    {
        const TDateTime Today = EncodeDateTime(Y, M, D, 10, 30, 0, 0);
        SetClockHook([Today] { return Today; });
    }

private:
    TFormatSettings FSaved;
};

struct TYmd {
    int Y, M, D;
};
TYmd Ymd(TDateTime Value)
{
    std::uint16_t Y, M, D;
    DecodeDate(Value, Y, M, D);
    return {Y, M, D};
}

}  // namespace

TEST_F(DateUtilsTest, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
    EXPECT_EQ(MonthDays[1][1], 29);
}

TEST_F(DateUtilsTest, EncodeDateKnownValuesAndLimits)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);

    TDateTime D = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, D));
    EXPECT_FALSE(TryEncodeDate(2023, 4, 31, D));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, D));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, D));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, D));
    EXPECT_EQ(D, 123);
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { EncodeDate(2023, 2, 29); }), "Invalid argument to date encode");
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { EncodeTime(24, 0, 0, 0); }), "Invalid argument to time encode");
    EXPECT_FALSE(TryEncodeTime(23, 60, 0, 0, D));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, D));
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST_F(DateUtilsTest, DecodeRoundTripsEveryDayOfSomeYears)
{
    for (int Year : {1, 1600, 1899, 1900, 2000, 2023, 2024, 9999}) {
        for (int Month = 1; Month <= 12; ++Month) {
            for (int Day = 1; Day <= DaysInMonth(Year, Month); ++Day) {
                const TYmd R = Ymd(EncodeDate(Year, Month, Day));
                ASSERT_EQ(R.Y * 10000 + R.M * 100 + R.D, Year * 10000 + Month * 100 + Day);
            }
        }
    }
}

TEST_F(DateUtilsTest, NegativeDatesKeepTheFractionAsTime)
{
    // -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00.
    const TYmd R = Ymd(-1.25);
    EXPECT_EQ(R.Y, 1899);
    EXPECT_EQ(R.M, 12);
    EXPECT_EQ(R.D, 29);
    std::uint16_t H, N, S, Z;
    DecodeTime(-1.25, H, N, S, Z);
    EXPECT_EQ(H, 6);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(DateOf(-1.25), -1.0);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
    EXPECT_EQ(DayOfWeek(-1.25), 6);  // a Friday
    EXPECT_EQ(StrToDateTime("29/12/1899 06:00:00"), -1.25);
}

TEST_F(DateUtilsTest, OutOfRangeValuesDecodeAsZeros)
{
    for (double Bad : {1e300, -1e9, std::nan("")}) {
        const TYmd R = Ymd(Bad);
        EXPECT_EQ(R.Y + R.M + R.D, 0);
        EXPECT_EQ(FormatDateTime("dddd mmmm", Bad), " ");
    }
}

TEST_F(DateUtilsTest, CalendarHelpers)
{
    const TDateTime D = EncodeDateTime(2024, 1, 31, 13, 45, 0, 0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(YearOf(D), 2024);
    EXPECT_EQ(MonthOf(D), 1);
    EXPECT_EQ(DayOf(D), 31);
    EXPECT_EQ(IncMonth(D), EncodeDateTime(2024, 2, 29, 13, 45, 0, 0));
    EXPECT_EQ(IncMonth(D, 13), EncodeDateTime(2025, 2, 28, 13, 45, 0, 0));
    EXPECT_EQ(IncMonth(D, -2), EncodeDateTime(2023, 11, 30, 13, 45, 0, 0));
    EXPECT_EQ(Date(), EncodeDate(2026, 3, 15));
    EXPECT_EQ(Time(), EncodeTime(10, 30, 0, 0));
}

TEST_F(DateUtilsTest, FormatLetters)
{
    const TDateTime D = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("d/m/yy", D), "5/3/24");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", D), "05/03/2024");
    EXPECT_EQ(FormatDateTime("ddd dddd", D), "Tue Tuesday");
    EXPECT_EQ(FormatDateTime("mmm mmmm", D), "Mar March");
    EXPECT_EQ(FormatDateTime("h:n:s.z", D), "14:7:9.45");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", D), "14:07:09.045");
    // m right after h is minutes, elsewhere month.
    EXPECT_EQ(FormatDateTime("hh:mm dd-mm", D), "14:07 05-03");
    EXPECT_EQ(FormatDateTime("hh:mm:ss", D), "14:07:09");
    EXPECT_EQ(FormatDateTime("ddddd", D), "05/03/2024");
    EXPECT_EQ(FormatDateTime("tt", D), "14:07:09");
    EXPECT_EQ(FormatDateTime("c", D), "05/03/2024 14:07:09");
    EXPECT_EQ(FormatDateTime("", D), "05/03/2024 14:07:09");
}

TEST_F(DateUtilsTest, TwelveHourClock)
{
    const TDateTime Afternoon = EncodeTime(14, 5, 0, 0);
    const TDateTime Midnight = EncodeTime(0, 5, 0, 0);
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Afternoon), "2:05 pm");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", Midnight), "12:05 AM");
    EXPECT_EQ(FormatDateTime("hh a/p", Afternoon), "02 p");
    EXPECT_EQ(FormatDateTime("h ampm", Midnight), "12 AM");
    EXPECT_EQ(FormatDateTime("h 'am/pm'", Afternoon), "14 am/pm");  // quoted: not a clock switch
}

TEST_F(DateUtilsTest, LiteralsAndSeparators)
{
    const TDateTime D = EncodeDateTime(2024, 3, 5, 9, 8, 0, 0);
    EXPECT_EQ(FormatDateTime("'Vandaag is' dd \"mm\" yyyy", D), "Vandaag is 05 mm 2024");
    EXPECT_EQ(FormatDateTime("'unterminated", D), "unterminated");
    TFormatSettings S = Dutch();
    S.DateSeparator = QLatin1Char('-');
    S.TimeSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", D, S), "05-03-2024 09.08");
    EXPECT_EQ(FormatDateTime("x#!", D), "x#!");
}

TEST_F(DateUtilsTest, SelfReferringFormatsStop)
{
    TFormatSettings S = Dutch();
    S.ShortDateFormat = "ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 1, 1), S), "");
}

TEST_F(DateUtilsTest, DateTimeToStrLeavesOutMidnight)
{
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 29)), "29/02/2024");
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 2, 29, 0, 0, 1, 0)), "29/02/2024 00:00:01");
    EXPECT_EQ(DateToStr(EncodeDateTime(2024, 2, 29, 8, 0, 0, 0)), "29/02/2024");
    EXPECT_EQ(TimeToStr(EncodeTime(8, 5, 3, 0)), "08:05:03");
}

TEST_F(DateUtilsTest, StrToDateFollowsTheShortDateFormat)
{
    EXPECT_EQ(StrToDate("29/02/2024"), EncodeDate(2024, 2, 29));
    EXPECT_EQ(StrToDate(" 1/2/2024 "), EncodeDate(2024, 2, 1));
    EXPECT_EQ(StrToDate("7/8"), EncodeDate(2026, 8, 7));  // no year: this year
    TFormatSettings Us = Dutch();
    Us.ShortDateFormat = "m/d/yyyy";
    EXPECT_EQ(StrToDate("1/2/2024", Us), EncodeDate(2024, 1, 2));
    TFormatSettings Iso = Dutch();
    Iso.ShortDateFormat = "yyyy-mm-dd";
    Iso.DateSeparator = QLatin1Char('-');
    EXPECT_EQ(StrToDate("2024-12-31", Iso), EncodeDate(2024, 12, 31));
    EXPECT_THROW(StrToDate("2024/12/31", Iso), EConvertError);
}

TEST_F(DateUtilsTest, StrToDateRejectsBadDatesWithTheClassicText)
{
    for (const char* Bad : {"29/02/2023", "31/04/2024", "00/01/2024", "1-2-2024", "", "abc",
                            "12/12/2024x", "12/", "1/2/3/4", "12345/1/2024"}) {
        TDateTime D = 7;
        EXPECT_FALSE(TryStrToDate(Bad, D)) << Bad;
        EXPECT_EQ(D, 7) << Bad;
    }
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { StrToDate("31/04/2024"); }), "'31/04/2024' is not a valid date");
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { StrToTime("25:00"); }), "'25:00' is not a valid time");
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { StrToDateTime("31/04/2024 10:00"); }),
              "'31/04/2024 10:00' is not a valid date and time");
}

TEST_F(DateUtilsTest, TwoDigitYearsUseTheCenturyWindow)
{
    // Today is 2026: the window runs from 1976 to 2075.
    EXPECT_EQ(YearOf(StrToDate("1/1/76")), 1976);
    EXPECT_EQ(YearOf(StrToDate("1/1/75")), 2075);
    EXPECT_EQ(YearOf(StrToDate("1/1/00")), 2000);
    EXPECT_EQ(YearOf(StrToDate("1/1/99")), 1999);
    EXPECT_EQ(YearOf(StrToDate("1/1/024")), 24);  // three digits are taken as written
    SetToday(2090, 1, 1);
    EXPECT_EQ(YearOf(StrToDate("1/1/40")), 2040);
    EXPECT_EQ(YearOf(StrToDate("1/1/39")), 2139);
}

TEST_F(DateUtilsTest, StrToTimeForms)
{
    EXPECT_EQ(StrToTime("10:30"), EncodeTime(10, 30, 0, 0));
    EXPECT_EQ(StrToTime("10:30:15"), EncodeTime(10, 30, 15, 0));
    EXPECT_EQ(StrToTime("10"), EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(StrToTime("10:30:15.5"), EncodeTime(10, 30, 15, 500));
    EXPECT_EQ(StrToTime("10:30:15.042"), EncodeTime(10, 30, 15, 42));
    EXPECT_EQ(StrToTime("2:05 PM"), EncodeTime(14, 5, 0, 0));
    EXPECT_EQ(StrToTime("12:05 am"), EncodeTime(0, 5, 0, 0));
    EXPECT_EQ(StrToTime("12:05 PM"), EncodeTime(12, 5, 0, 0));
    TDateTime T = 0;
    EXPECT_FALSE(TryStrToTime("13:00 PM", T));
    EXPECT_FALSE(TryStrToTime("10:60", T));
    EXPECT_FALSE(TryStrToTime("10:", T));
    EXPECT_FALSE(TryStrToTime("10:30 x", T));
}

TEST_F(DateUtilsTest, StrToDateTimeRoundTrips)
{
    const TDateTime D = EncodeDateTime(2024, 2, 29, 23, 59, 58, 0);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(D)), D);
    EXPECT_EQ(StrToDateTime("29/02/2024"), EncodeDate(2024, 2, 29));
    EXPECT_EQ(StrToDateTime("23:59"), EncodeTime(23, 59, 0, 0));
    EXPECT_EQ(StrToDate(DateToStr(EncodeDate(1, 1, 1))), MinDateTime);
    EXPECT_EQ(StrToDate(DateToStr(EncodeDate(9999, 12, 31))), 2958465.0);
    TDateTime T = 0;
    EXPECT_FALSE(TryStrToDateTime("29/02/2024 10:00 garbage", T));
}
