// The lunar holidays of the holiday page (DaysOfBegin, DateOfBegin and the L_judget family)
// against the published dates of the Chinese calendar for every year of the list.
#include "tests/calendar/CalendarLibrary.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>

using kvltest::Take;

namespace {

struct TMonthDay {
    int Month;
    int Day;
};

struct THolidayYear {
    int Year;
    // 元宵节, 清明节, 端午节, 中秋节, 重阳节, 除夕 (the eve of 春节 of Year).
    TMonthDay Dates[6];
};

// Includes the years whose dates hang on minutes: 春节 2027 and 2030 and 端午节 2013 (new moons
// a few minutes either side of midnight Beijing time), and the leap months of 2012, 2014, 2017,
// 2020, 2023, 2025, 2028 and 2031.
const THolidayYear Published[] = {
    {2012, {{2, 6}, {4, 4}, {6, 23}, {9, 30}, {10, 23}, {1, 22}}},
    {2013, {{2, 24}, {4, 4}, {6, 12}, {9, 19}, {10, 13}, {2, 9}}},
    {2014, {{2, 14}, {4, 5}, {6, 2}, {9, 8}, {10, 2}, {1, 30}}},
    {2015, {{3, 5}, {4, 5}, {6, 20}, {9, 27}, {10, 21}, {2, 18}}},
    {2016, {{2, 22}, {4, 4}, {6, 9}, {9, 15}, {10, 9}, {2, 7}}},
    {2017, {{2, 11}, {4, 4}, {5, 30}, {10, 4}, {10, 28}, {1, 27}}},
    {2018, {{3, 2}, {4, 5}, {6, 18}, {9, 24}, {10, 17}, {2, 15}}},
    {2019, {{2, 19}, {4, 5}, {6, 7}, {9, 13}, {10, 7}, {2, 4}}},
    {2020, {{2, 8}, {4, 4}, {6, 25}, {10, 1}, {10, 25}, {1, 24}}},
    {2021, {{2, 26}, {4, 4}, {6, 14}, {9, 21}, {10, 14}, {2, 11}}},
    {2022, {{2, 15}, {4, 5}, {6, 3}, {9, 10}, {10, 4}, {1, 31}}},
    {2023, {{2, 5}, {4, 5}, {6, 22}, {9, 29}, {10, 23}, {1, 21}}},
    {2024, {{2, 24}, {4, 4}, {6, 10}, {9, 17}, {10, 11}, {2, 9}}},
    {2025, {{2, 12}, {4, 4}, {5, 31}, {10, 6}, {10, 29}, {1, 28}}},
    {2026, {{3, 3}, {4, 5}, {6, 19}, {9, 25}, {10, 18}, {2, 16}}},
    {2027, {{2, 20}, {4, 5}, {6, 9}, {9, 15}, {10, 8}, {2, 5}}},
    {2028, {{2, 9}, {4, 4}, {5, 28}, {10, 3}, {10, 26}, {1, 25}}},
    {2029, {{2, 27}, {4, 4}, {6, 16}, {9, 22}, {10, 16}, {2, 12}}},
    {2030, {{2, 17}, {4, 5}, {6, 5}, {9, 12}, {10, 5}, {2, 2}}},
    {2031, {{2, 6}, {4, 5}, {6, 24}, {10, 1}, {10, 24}, {1, 22}}},
    {2032, {{2, 25}, {4, 4}, {6, 12}, {9, 19}, {10, 12}, {2, 10}}},
};

constexpr int FirstYear = 2012;

TEST(CalendarLunarHolidays, HolidayIsTheFifthDayOfItsStretchInEveryListYear)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    ASSERT_EQ(std::size(Published), 21u);
    for (const THolidayYear& y : Published) {
        for (int h = 0; h < 6; ++h) {
            const TMonthDay& expected = y.Dates[h];
            SCOPED_TRACE(testing::Message() << y.Year << " holiday " << h << " expected " << expected.Month << "-" << expected.Day);
            int yearIndex = y.Year - FirstYear;
            double holiday = kvltest::DateOf(y.Year, expected.Month, expected.Day);
            double begin = lib.DateOfBegin(yearIndex, h);
            EXPECT_EQ(begin, holiday - 5);
            EXPECT_EQ(lib.DaysOfBegin(yearIndex, h), kvltest::CalendarDate(holiday - 5).wDay);
        }
    }
}

TEST(CalendarLunarHolidays, StretchJudgementsAgreeWithTheDateJudgements)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const std::pair<TLJudgetFunc, THJudgetFunc> families[] = {
        {lib.L_judget_72, lib.H_judget_72},
        {lib.L_judget_48, lib.H_judget_48},
        {lib.L_judget_36, lib.H_judget_36},
    };
    const double firstDuty = kvltest::DateOf(2013, 5, 7) + 0.5;
    for (int yearIndex = 0; yearIndex <= 20; ++yearIndex) {
        for (int h = 0; h < 6; ++h) {
            double begin = lib.DateOfBegin(yearIndex, h);
            ASSERT_NE(begin, 0.0);
            for (auto [stretch, date] : families) {
                int duty = 0;
                for (int offset = 0; offset < 16; ++offset) {
                    std::wstring answer = Take(stretch(offset, yearIndex, h, firstDuty));
                    ASSERT_EQ(answer, Take(date(begin + 1 + offset, firstDuty)))
                        << "year index " << yearIndex << " holiday " << h << " offset " << offset;
                    duty += answer == L"Red";
                }
                EXPECT_GT(duty, 0);
            }
        }
    }
}

TEST(CalendarLunarHolidays, IndexesOutOfRangeGiveNoAnswer)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const std::pair<int, int> badIndexes[] = {{-1, 0}, {21, 0}, {0, -1}, {0, 6}, {-2147483647 - 1, 0}, {0, 2147483647}};
    for (auto [yearIndex, holiday] : badIndexes) {
        SCOPED_TRACE(testing::Message() << "year index " << yearIndex << " holiday " << holiday);
        EXPECT_EQ(lib.DaysOfBegin(yearIndex, holiday), -1);
        EXPECT_EQ(lib.DateOfBegin(yearIndex, holiday), 0.0);
        EXPECT_EQ(Take(lib.L_judget_72(4, yearIndex, holiday, 41400.0)), L"");
        EXPECT_EQ(Take(lib.L_judget_48(4, yearIndex, holiday, 41400.0)), L"");
        EXPECT_EQ(Take(lib.L_judget_36(4, yearIndex, holiday, 41400.0)), L"");
    }
    // Offsets outside the sixteen days, and a first duty day that is no date.
    const double firstDuty = lib.DateOfBegin(0, 0) + 1;
    for (int offset : {-1, 16, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(Take(lib.L_judget_72(offset, 0, 0, firstDuty)), L"") << offset;
        EXPECT_EQ(Take(lib.L_judget_48(offset, 0, 0, firstDuty)), L"") << offset;
        EXPECT_EQ(Take(lib.L_judget_36(offset, 0, 0, firstDuty)), L"") << offset;
    }
    EXPECT_EQ(Take(lib.L_judget_72(0, 0, 0, firstDuty)), L"Red");
    EXPECT_EQ(Take(lib.L_judget_72(0, 0, 0, std::numeric_limits<double>::quiet_NaN())), L"");
}

} // namespace
