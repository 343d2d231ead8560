// Duty days of the three rotations for a calendar date (the H_judget family).
#include "tests/calendar/CalendarLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using kvltest::Take;

namespace {

struct TRotationCase {
    const char* Name;
    THJudgetFunc kvltest::TCalendarLibrary::*Judge;
    // Duty pattern of the days first-6 .. first+6, 'R' for "Red".
    const char* Pattern;
};

const TRotationCase Rotations[] = {
    //                                             -6 ... 0 ... +6
    {"24-hour", &kvltest::TCalendarLibrary::H_judget_72, "R..R..R..R..R"},
    {"48-hour", &kvltest::TCalendarLibrary::H_judget_48, "R.R.R.R.R.R.R"},
    {"12-hour", &kvltest::TCalendarLibrary::H_judget_36, "RR.RR.RR.RR.R"},
};

std::string Pattern(THJudgetFunc judge, double first, double dayFraction)
{
    std::string result;
    for (int d = -6; d <= 6; ++d) {
        std::wstring answer = Take(judge(first + d + dayFraction, first));
        result += answer == L"Red" ? 'R' : answer.empty() ? '.' : '?';
    }
    return result;
}

TEST(CalendarRotation, DutyDaysRunBothWaysFromTheFirstDutyDay)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    // The floor modulo must hold around day 0 and for dates before it, too.
    const double firstDays[] = {kvltest::DateOf(2013, 5, 7), 0.0, 2.0, -100.0};
    for (const TRotationCase& r : Rotations) {
        for (double first : firstDays) {
            EXPECT_EQ(Pattern(lib.*r.Judge, first, 0.0), r.Pattern) << r.Name << " from day " << first;
            EXPECT_EQ(Pattern(lib.*r.Judge, first, 0.75), r.Pattern) << r.Name << " at 18:00, from day " << first;
        }
    }
}

TEST(CalendarRotation, TimeOfDayIsDroppedByRoundingDown)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    // Truncating toward zero instead of rounding down would answer the other way in every case
    // but the first two.
    EXPECT_EQ(Take(lib.H_judget_72(41401.0, 41400.9)), L"");
    EXPECT_EQ(Take(lib.H_judget_72(41400.1, 41400.9)), L"Red");
    EXPECT_EQ(Take(lib.H_judget_72(-0.5, 2.0)), L"Red");    // days -1 and 2
    EXPECT_EQ(Take(lib.H_judget_72(-3.5, 0.5)), L"");       // days -4 and 0
    EXPECT_EQ(Take(lib.H_judget_48(-0.25, 1.0)), L"Red");   // days -1 and 1
    EXPECT_EQ(Take(lib.H_judget_48(-0.25, 0.0)), L"");      // days -1 and 0
    EXPECT_EQ(Take(lib.H_judget_36(1.99, -0.01)), L"");     // days 1 and -1: the rest day
}

TEST(CalendarRotation, ADayThatIsNoDateIsNoDutyDay)
{
    KVL_REQUIRE_CALENDAR_LIBRARY(lib);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double bad[] = {nan, inf, -inf, 1e300, -1e300};
    for (const TRotationCase& r : Rotations) {
        for (double value : bad) {
            EXPECT_EQ(Take((lib.*r.Judge)(value, 41400.0)), L"") << r.Name << " day " << value;
            EXPECT_EQ(Take((lib.*r.Judge)(41400.0, value)), L"") << r.Name << " first " << value;
        }
    }
}

} // namespace
