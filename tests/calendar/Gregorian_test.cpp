// The civil-calendar answers of the calendar library: weekdays, month lengths, February, the
// current date, and what the month and year texts may look like.
#include "tests/calendar/CalendarLibrary.h"

#include <gtest/gtest.h>

using kvltest::Take;

namespace {

struct TMonthCase {
    const wchar_t* Month;
    const wchar_t* Year;
    const wchar_t* WeekOfFirstDay;
    const wchar_t* LastDay;
};

TEST(CalendarGregorian, WeekdayOfFirstAndLastDayOfKnownMonths)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const TMonthCase cases[] = {
        {L"1", L"1900", L"2", L"31"},    // a Monday; 1900 is no leap year
        {L"2", L"1900", L"5", L"28"},
        {L"1", L"2000", L"7", L"31"},    // a Saturday
        {L"2", L"2000", L"3", L"29"},    // 2000 is a leap year
        {L"1", L"2012", L"1", L"31"},    // a Sunday: the month page starts in column 0
        {L"5", L"2013", L"4", L"31"},
        {L"12", L"2012", L"7", L"31"},   // 31 days from a Saturday: the month page needs six weeks
        {L"2", L"2015", L"1", L"28"},    // a common-year February beginning on a Sunday
        {L"2", L"2023", L"4", L"28"},
        {L"2", L"2024", L"5", L"29"},
        {L"3", L"2024", L"6", L"31"},
        {L"4", L"2026", L"4", L"30"},
        {L"12", L"2032", L"4", L"31"},
        {L"2", L"2100", L"2", L"28"},
        {L"1", L"1", L"2", L"31"},       // the calendar runs back to year 1 ...
        {L"12", L"9999", L"4", L"31"},   // ... and on to 9999
    };
    for (const TMonthCase& c : cases) {
        SCOPED_TRACE(std::wstring(c.Year) + L"-" + c.Month);
        EXPECT_EQ(Take(lib.WeekOfFirstDay(c.Month, c.Year)), c.WeekOfFirstDay);
        EXPECT_EQ(Take(lib.LastDay(c.Month, c.Year)), c.LastDay);
    }
}

TEST(CalendarGregorian, DaysOfFebruary)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const std::pair<int, int> cases[] = {
        {1900, 28}, {2000, 29}, {2023, 28}, {2024, 29}, {2100, 28}, {1, 28}, {4, 29}, {9999, 28},
        {0, 0}, {-4, 0}, {10000, 0},
    };
    for (auto [year, days] : cases) EXPECT_EQ(lib.DaysOfFeb(year), days) << year;
}

TEST(CalendarGregorian, EveryMonthOfTheListYearsAgreesWithTheSystemCalendar)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    for (int year = 2011; year <= 2033; ++year) {
        for (int month = 1; month <= 12; ++month) {
            double first = kvltest::DateOf(year, month, 1);
            double next = month == 12 ? kvltest::DateOf(year + 1, 1, 1) : kvltest::DateOf(year, month + 1, 1);
            SYSTEMTIME st = kvltest::CalendarDate(first);
            std::wstring m = std::to_wstring(month), y = std::to_wstring(year);
            ASSERT_EQ(Take(lib.WeekOfFirstDay(m.c_str(), y.c_str())), std::to_wstring(st.wDayOfWeek + 1)) << y << L"-" << m;
            ASSERT_EQ(Take(lib.LastDay(m.c_str(), y.c_str())), std::to_wstring(static_cast<int>(next - first))) << y << L"-" << m;
        }
    }
}

TEST(CalendarGregorian, NumberTextsMayCarryBlanksLeadingZerosAndASign)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    EXPECT_EQ(Take(lib.WeekOfFirstDay(L" 5 ", L"\t2013 ")), L"4");
    EXPECT_EQ(Take(lib.LastDay(L"02", L"02024")), L"29");
    EXPECT_EQ(Take(lib.LastDay(L"+2", L"+2024")), L"29");
}

TEST(CalendarGregorian, BadMonthOrYearTextGivesTheEmptyText)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {nullptr, L"2013"}, {L"5", nullptr}, {nullptr, nullptr},
        {L"", L"2013"}, {L"5", L""}, {L"  ", L"2013"},
        {L"0", L"2013"}, {L"13", L"2013"}, {L"-1", L"2013"},
        {L"5", L"0"}, {L"5", L"10000"}, {L"5", L"-2013"},
        {L"五", L"2013"}, {L"5", L"2013年"}, {L"5x", L"2013"}, {L"5", L"20 13"},
        {L"5.0", L"2013"}, {L"+", L"2013"}, {L"5", L"$7DD"},
        {L"5", L"99999999999999999999"}, {L"4294967301", L"2013"}, // overflows that would wrap to valid values
    };
    for (auto [month, year] : cases) {
        SCOPED_TRACE(std::wstring(month ? month : L"<null>") + L" / " + (year ? year : L"<null>"));
        EXPECT_EQ(Take(lib.WeekOfFirstDay(month, year)), L"");
        EXPECT_EQ(Take(lib.LastDay(month, year)), L"");
    }
}

TEST(CalendarGregorian, ThisYearAndThisMonthAreTheLocalDate)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    std::wstring year = Take(lib.ThisYear());
    std::wstring month = Take(lib.ThisMonth());
    GetLocalTime(&after);
    // A month may turn between the calls; then either side is right.
    EXPECT_TRUE(year == std::to_wstring(before.wYear) || year == std::to_wstring(after.wYear)) << year;
    EXPECT_TRUE(month == std::to_wstring(before.wMonth) || month == std::to_wstring(after.wMonth)) << month;
}

} // namespace
