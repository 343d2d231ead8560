#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "framework/system/DateTimeUtils.h"
#include "tests/framework/system/FormatSettings_test.h"

using kvltest::ChineseCN;
using kvltest::EnglishUS;
using kvltest::GermanDE;

namespace {

template <class F>
String ConvertErrorText(F f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return L"<no EConvertError>";
}

// 2024-03-05 (a Tuesday) 14:07:09.045
TDateTime Sample() { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); }

// A clock fixed in 2024 for every test that reads "today".
class DateTimeText : public ::testing::Test {
protected:
    TClockOverride FClock{EncodeDate(2024, 6, 15) + EncodeTime(10, 30, 0, 0)};
};

} // namespace

TEST(DateTimeUtils, EncodeDateCountsDaysFrom18991230)
{
    struct {
        int y, m, d;
        double value;
    } cases[] = {
        {1899, 12, 30, 0},     {1899, 12, 31, 1},       {1900, 1, 1, 2},       {1900, 3, 1, 61},
        {1899, 12, 29, -1},    {2000, 1, 1, 36526},     {2000, 2, 29, 36585},  {2024, 3, 5, 45356},
        {1, 1, 1, -693593},    {9999, 12, 31, 2958465}, {1970, 1, 1, UnixDateDelta},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, EncodeDate(c.y, c.m, c.d)) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(c.y * 10000 + c.m * 100 + c.d, y * 10000 + m * 100 + d) << c.value;
    }
    // Every few days across the whole range decodes to a date that encodes back to it.
    for (int day = -693593; day <= 2958465; day += 97) {
        int y, m, d;
        DecodeDate(day, y, m, d);
        ASSERT_EQ(day, EncodeDate(y, m, d)) << y << "-" << m << "-" << d;
    }
}

TEST(DateTimeUtils, InvalidDatesAndTimesAreRefused)
{
    struct {
        int y, m, d;
    } dates[] = {{2023, 2, 29}, {2024, 2, 30}, {1900, 2, 29}, {0, 1, 1}, {10000, 1, 1},
                 {2024, 13, 1}, {2024, 0, 1},  {2024, 1, 0},  {2024, 4, 31}};
    for (const auto& c : dates) {
        TDateTime v = 7;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, v)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(7, v);
    }
    TDateTime v;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, v));
    EXPECT_EQ(L"Invalid argument to date encode", ConvertErrorText([] { EncodeDate(2023, 2, 29); }));

    struct {
        int h, n, s, ms;
    } times[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& c : times) EXPECT_FALSE(TryEncodeTime(c.h, c.n, c.s, c.ms, v)) << c.h << ":" << c.n << ":" << c.s;
    EXPECT_EQ(L"Invalid argument to time encode", ConvertErrorText([] { EncodeTime(25, 0, 0, 0); }));
}

TEST(DateTimeUtils, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(29, DaysInAMonth(2024, 2));
    EXPECT_EQ(28, DaysInMonth(2100, 2));
    EXPECT_EQ(31, DaysInMonth(EncodeDate(2024, 12, 1)));
    EXPECT_EQ(30, MonthDays[IsLeapYear(2024)][4]);
    EXPECT_EQ(0, DaysInAMonth(2024, 13));
}

TEST(DateTimeUtils, TimeOfDayRoundsToTheMillisecond)
{
    EXPECT_EQ(0.5, EncodeTime(12, 0, 0, 0));
    EXPECT_EQ(0.25, EncodeTime(6, 0, 0, 0));
    int h, n, s, ms;
    DecodeTime(Sample(), h, n, s, ms);
    EXPECT_EQ(14070'9045, ((h * 100 + n) * 100 + s) * 1000 + ms);

    // Just short of midnight rounds up into the next day.
    TDateTime late = EncodeDate(2024, 2, 29) + (MSecsPerDay - 0.4) / MSecsPerDay;
    DecodeTime(late, h, n, s, ms);
    EXPECT_EQ(0, h + n + s + ms);
    int y, m, d;
    DecodeDate(late, y, m, d);
    EXPECT_EQ(20240301, y * 10000 + m * 100 + d);
}

TEST(DateTimeUtils, BeforeTheEpochTheTimeStillCountsForwards)
{
    TDateTime value = ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0));
    EXPECT_EQ(-1.25, value);
    int y, m, d, h, n, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    EXPECT_EQ(18991229, y * 10000 + m * 100 + d);
    EXPECT_EQ(6, h);
    // Within the first day before the epoch the whole part is still day 0.
    DecodeDate(-0.5, y, m, d);
    DecodeTime(-0.5, h, n, s, ms);
    EXPECT_EQ(18991230, y * 10000 + m * 100 + d);
    EXPECT_EQ(12, h);
    EXPECT_EQ(EncodeDate(2024, 3, 5) + 0.75, ComposeDateTime(EncodeDate(2024, 3, 5), 0.75));
    EXPECT_EQ(L"12/29/1899 6:00:00 AM", DateTimeToStr(value, EnglishUS()));
}

TEST(DateTimeUtils, DayOfWeekStartsOnSunday)
{
    struct {
        TDateTime value;
        int day;
    } cases[] = {
        {0, 7}, {1, 1}, {-1, 6}, {-7, 7}, {-1.5, 6}, {EncodeDate(2024, 3, 5), 3}, {EncodeDate(2024, 3, 10) + 0.99, 1},
        {EncodeDate(1, 1, 1), 2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.day, DayOfWeek(c.value)) << c.value;
    int y, m, d, dow;
    EXPECT_TRUE(DecodeDateFully(EncodeDate(2024, 3, 5), y, m, d, dow));
    EXPECT_EQ(3, dow);
}

TEST(DateTimeUtils, IncMonthKeepsTheTimeAndClampsTheDay)
{
    TDateTime jan31 = EncodeDate(2024, 1, 31) + EncodeTime(8, 0, 0, 0);
    EXPECT_EQ(EncodeDate(2024, 2, 29) + EncodeTime(8, 0, 0, 0), IncMonth(jan31));
    EXPECT_EQ(EncodeDate(2023, 2, 28) + EncodeTime(8, 0, 0, 0), IncMonth(jan31, -11));
    EXPECT_EQ(EncodeDate(2025, 1, 31) + EncodeTime(8, 0, 0, 0), IncMonth(jan31, 12));
    EXPECT_EQ(EncodeDate(2023, 12, 31), IncMonth(EncodeDate(2024, 3, 31), -3));
}

TEST(DateTimeUtils, SystemTimeRoundTrip)
{
    SYSTEMTIME st{};
    DateTimeToSystemTime(Sample(), st);
    EXPECT_EQ(2024, st.wYear);
    EXPECT_EQ(3, st.wMonth);
    EXPECT_EQ(5, st.wDay);
    EXPECT_EQ(2, st.wDayOfWeek);   // Tuesday, Sunday = 0
    EXPECT_EQ(14, st.wHour);
    EXPECT_EQ(45, st.wMilliseconds);
    EXPECT_NEAR(Sample(), SystemTimeToDateTime(st), 1e-9);
}

TEST(DateTimeUtils, ClockCanBeFixedAndRestored)
{
    {
        TClockOverride clock(Sample());
        EXPECT_EQ(Sample(), Now());
        EXPECT_EQ(EncodeDate(2024, 3, 5), Date());
        EXPECT_NEAR(EncodeTime(14, 7, 9, 45), Time(), 1e-12);
        EXPECT_EQ(2024, CurrentYear());
        {
            TClockOverride inner([] { return EncodeDate(1999, 12, 31); });
            EXPECT_EQ(1999, CurrentYear());
        }
        EXPECT_EQ(2024, CurrentYear());
    }
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_NEAR(SystemTimeToDateTime(st), Now(), 5.0 / SecsPerDay);
}

TEST_F(DateTimeText, FormatDateTimeLetters)
{
    const TFormatSettings en = EnglishUS();
    struct {
        const wchar_t* format;
        const wchar_t* text;
    } cases[] = {
        {L"d/m/yy", L"5/3/24"},
        {L"dd.mm.yyyy", L"05.03.2024"},
        {L"yyyy-mm-dd hh:mm:ss", L"2024-03-05 14:07:09"},
        {L"ddd dddd", L"Tue Tuesday"},
        {L"mmm MMMM", L"Mar March"},
        {L"h:n:s", L"14:7:9"},
        {L"hh:nn:ss.zzz|z", L"14:07:09.045|45"},
        {L"h:mm am/pm", L"2:07 pm"},
        {L"h:mm AM/PM", L"2:07 PM"},
        {L"h a/p", L"2 p"},
        {L"h ampm", L"2 PM"},
        {L"ddddd", L"3/5/2024"},
        {L"dddddd", L"Tuesday, March 5, 2024"},
        {L"c", L"3/5/2024 2:07:09 PM"},
        {L"", L"3/5/2024 2:07:09 PM"},
        {L"t|tt", L"2:07 PM|2:07:09 PM"},
        {L"'d' \"mm\" d", L"d mm 5"},
        {L"h 'am/pm'", L"14 am/pm"},   // a quoted marker does not switch to the 12-hour clock
        {L"[ijk]!", L"[ijk]!"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, FormatDateTime(c.format, Sample(), en)) << c.format;

    EXPECT_EQ(L"12 AM", FormatDateTime(L"h AMPM", EncodeDate(2024, 1, 1), en));
    EXPECT_EQ(L"12 PM", FormatDateTime(L"h AMPM", EncodeDate(2024, 1, 1) + 0.5, en));
    EXPECT_EQ(L"1/1/2024", FormatDateTime(L"c", EncodeDate(2024, 1, 1), en));   // midnight: date only
}

TEST_F(DateTimeText, LocaleVariantsOfTheText)
{
    EXPECT_EQ(L"05.03.2024 14:07:09", DateTimeToStr(Sample(), GermanDE()));
    EXPECT_EQ(L"Dienstag, 5. M\u00E4rz 2024", FormatDateTime(L"dddddd", Sample(), GermanDE()));
    EXPECT_EQ(L"2024/3/5", DateToStr(Sample(), ChineseCN()));
    EXPECT_EQ(L"2024\u5E743\u67085\u65E5 \u661F\u671F\u4E8C", FormatDateTime(L"dddddd dddd", Sample(), ChineseCN()));

    TFormatSettings dashed = ChineseCN();
    dashed.DateSeparator = L'-';
    dashed.TimeSeparator = L'.';
    EXPECT_EQ(L"2024-3-5 14.07", FormatDateTime(L"yyyy/m/d hh:nn", Sample(), dashed));

    TFormatSettingsOverride german(GermanDE());
    EXPECT_EQ(L"05.03.2024", DateToStr(Sample()));
    EXPECT_EQ(L"14:07:09", TimeToStr(Sample()));
    EXPECT_EQ(L"05.03.2024 14:07:09", DateTimeToStr(Sample()));
    EXPECT_EQ(L"05.03.24", FormatDateTime(L"dd/mm/yy", Sample()));
}

TEST_F(DateTimeText, StrToDateFollowsTheShortDateOrder)
{
    const TFormatSettings en = EnglishUS(), de = GermanDE(), cn = ChineseCN();
    struct {
        const wchar_t* text;
        const TFormatSettings* fs;
        int y, m, d;   // 0 = not a date
    } cases[] = {
        {L"3/5/2024", &en, 2024, 3, 5},
        {L" 3 / 5 / 2024 ", &en, 2024, 3, 5},
        {L"12/31/1999", &en, 1999, 12, 31},
        {L"3/5", &en, 2024, 3, 5},          // the clock's year
        {L"1/2/74", &en, 1974, 1, 2},        // window of 50 years before 2024: 1974..2073
        {L"1/2/73", &en, 2073, 1, 2},
        {L"1/2/0024", &en, 24, 1, 2},        // four digits are taken as written
        {L"05.03.2024", &de, 2024, 3, 5},
        {L"5.3.", &de, 2024, 3, 5},          // a trailing separator is allowed
        {L"31.12.99", &de, 1999, 12, 31},
        {L"2024/3/5", &cn, 2024, 3, 5},
        {L"24/3/5", &cn, 2024, 3, 5},
        {L"3/5", &cn, 2024, 3, 5},           // month and day, this year
        {L"2/30/2024", &en, 0, 0, 0},
        {L"13/1/2024", &en, 0, 0, 0},
        {L"05.03.2024", &en, 0, 0, 0},
        {L"3-5-2024", &en, 0, 0, 0},
        {L"3/5/2024x", &en, 0, 0, 0},
        {L"3/5/2024 10:00", &en, 0, 0, 0},
        {L"3", &en, 0, 0, 0},
        {L"", &en, 0, 0, 0},
        {L"3/5/12345", &en, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -5;
        bool ok = TryStrToDate(c.text, value, *c.fs);
        EXPECT_EQ(c.y != 0, ok) << c.text;
        if (ok && c.y) {
            int y, m, d;
            DecodeDate(value, y, m, d);
            EXPECT_EQ(c.y * 10000 + c.m * 100 + c.d, y * 10000 + m * 100 + d) << c.text;
        }
    }
    TFormatSettings noWindow = en;
    noWindow.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(EncodeDate(2099, 1, 2), StrToDate(L"1/2/99", noWindow));

    EXPECT_EQ(L"'2/30/2024' is not a valid date", ConvertErrorText([&] { StrToDate(L"2/30/2024", en); }));
    EXPECT_EQ(-1.0, StrToDateDef(L"nope", -1, en));
    TFormatSettingsOverride german(de);
    EXPECT_EQ(EncodeDate(2024, 3, 5), StrToDate(L"5.3.2024"));
}

TEST_F(DateTimeText, StrToTimeReadsClockAndMarkers)
{
    const TFormatSettings en = EnglishUS(), de = GermanDE(), cn = ChineseCN();
    struct {
        const wchar_t* text;
        const TFormatSettings* fs;
        int h, n, s, ms;   // h = -1: not a time
    } cases[] = {
        {L"14:07", &en, 14, 7, 0, 0},
        {L" 14:07:09 ", &en, 14, 7, 9, 0},
        {L"14:07:09.045", &en, 14, 7, 9, 45},
        {L"14:07:09,045", &de, 14, 7, 9, 45},
        {L"2:07 PM", &en, 14, 7, 0, 0},
        {L"2:07pm", &en, 14, 7, 0, 0},
        {L"PM 2:07", &en, 14, 7, 0, 0},
        {L"12:00 AM", &en, 0, 0, 0, 0},
        {L"12:30 PM", &en, 12, 30, 0, 0},
        {L"\u4E0B\u5348 3:15", &cn, 15, 15, 0, 0},
        {L"3:15 PM", &cn, 15, 15, 0, 0},    // the English markers always work
        {L"14", &en, 14, 0, 0, 0},
        {L"13:00 PM", &en, -1, 0, 0, 0},
        {L"0:30 AM", &en, -1, 0, 0, 0},
        {L"24:00", &en, -1, 0, 0, 0},
        {L"14:60", &en, -1, 0, 0, 0},
        {L"14:", &en, -1, 0, 0, 0},
        {L"14:07:09.045", &de, -1, 0, 0, 0},
        {L"14.07", &en, -1, 0, 0, 0},
        {L"PM", &en, -1, 0, 0, 0},
        {L"", &en, -1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -5;
        bool ok = TryStrToTime(c.text, value, *c.fs);
        EXPECT_EQ(c.h >= 0, ok) << c.text;
        if (ok && c.h >= 0) {
            EXPECT_NEAR(EncodeTime(c.h, c.n, c.s, c.ms), value, 1e-12) << c.text;
        }
    }
    EXPECT_EQ(L"'25:00' is not a valid time", ConvertErrorText([&] { StrToTime(L"25:00", en); }));
    EXPECT_EQ(0.25, StrToTimeDef(L"x", 0.25, en));
}

TEST_F(DateTimeText, StrToDateTimeTakesADateATimeOrBoth)
{
    const TFormatSettings en = EnglishUS(), de = GermanDE();
    EXPECT_NEAR(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0), StrToDateTime(L"3/5/2024 14:07:09", en), 1e-9);
    EXPECT_NEAR(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0), StrToDateTime(L"3/5/2024 2:07 PM", en), 1e-9);
    EXPECT_NEAR(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0), StrToDateTime(L"05.03.2024 14:07:09", de), 1e-9);
    EXPECT_EQ(EncodeDate(2024, 3, 5), StrToDateTime(L"3/5/2024", en));
    EXPECT_NEAR(EncodeTime(14, 7, 0, 0), StrToDateTime(L"14:07", en), 1e-12);
    EXPECT_NEAR(-1.25, StrToDateTime(L"12/29/1899 6:00", en), 1e-12);
    // What DateTimeToStr writes reads back.
    EXPECT_NEAR(Sample(), StrToDateTime(DateTimeToStr(Sample(), en), en), 1.0 / SecsPerDay);
    EXPECT_NEAR(Sample(), StrToDateTime(DateTimeToStr(Sample(), de), de), 1.0 / SecsPerDay);

    TDateTime value;
    EXPECT_FALSE(TryStrToDateTime(L"3/5/2024 x", value, en));
    EXPECT_FALSE(TryStrToDateTime(L"3/5/2024 25:00", value, en));
    EXPECT_EQ(L"'soon' is not a valid date and time", ConvertErrorText([&] { StrToDateTime(L"soon", en); }));
    EXPECT_EQ(3.0, StrToDateTimeDef(L"soon", 3.0, en));
}
