// Dates as text: the order of a locale's picture, the pictures and masks made from it, year
// expansion under a fixed clock, validation, and reading a masked edit's text back.
#include <gtest/gtest.h>

#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "skin/controls/sDateUtils.h"

namespace {

TFormatSettings Locale(const String& ShortDateFormat, wchar_t Separator)
{
    TFormatSettings settings;
    settings.ShortDateFormat = ShortDateFormat;
    settings.DateSeparator = Separator;
    return settings;
}

TEST(DateFormats, OrderPictureAndMaskFollowTheLocale)
{
    struct TCase {
        const wchar_t* Locale;
        int Order;
        const wchar_t* Four;
        const wchar_t* Two;
        const wchar_t* FourMask;
    };
    const TCase cases[] = {
        {L"yyyy-M-d", doYMD, L"YYYY/MM/DD", L"YY/MM/DD", L"!9999/99/99;1; "},
        {L"M/d/yyyy", doMDY, L"MM/DD/YYYY", L"MM/DD/YY", L"!99/99/9999;1; "},
        {L"dd.MM.yyyy", doDMY, L"DD/MM/YYYY", L"DD/MM/YY", L"!99/99/9999;1; "},
        {L"", doDMY, L"DD/MM/YYYY", L"DD/MM/YY", L"!99/99/9999;1; "},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Locale);
        TFormatSettingsOverride locale(Locale(c.Locale, L'/'));
        EXPECT_EQ(DateOrder(c.Locale), c.Order);
        EXPECT_EQ(DefDateFormat(true), c.Four);
        EXPECT_EQ(DefDateFormat(false), c.Two);
        EXPECT_EQ(DefDateMask(L' ', true), c.FourMask);
        EXPECT_EQ(DefDateMask(L'_', false), L"!99/99/99;1;_");
    }
}

TEST(DateFormats, TwoDigitYearsFallIntoTheWindowAroundTheClocksYear)
{
    TClockOverride clock(EncodeDate(2026, 12, 11));
    const int cases[][2] = {{12, 2012}, {70, 1970}, {66, 1966}, {65, 2065}, {0, 2000}, {99, 1999}, {100, 100}, {2012, 2012}};
    for (const auto& c : cases) EXPECT_EQ(ExpandYear(c[0]), c[1]) << c[0];
}

TEST(DateFormats, ValidationKnowsLeapYearsAndTheRangeOfYears)
{
    EXPECT_TRUE(ValidYMD(2012, 2, 29));
    EXPECT_FALSE(ValidYMD(2013, 2, 29));
    EXPECT_FALSE(ValidYMD(1900, 2, 29));
    EXPECT_TRUE(ValidYMD(2000, 2, 29));
    EXPECT_FALSE(ValidYMD(0, 1, 1));
    EXPECT_FALSE(ValidYMD(10000, 1, 1));
    EXPECT_TRUE(ValidYMD(9999, 12, 31));
    EXPECT_FALSE(ValidYMD(2012, 13, 1));
    EXPECT_FALSE(ValidYMD(2012, 0, 1));
    EXPECT_FALSE(ValidYMD(2012, 4, 31));
    EXPECT_FALSE(ValidYMD(-1, 1, 1));
    EXPECT_TRUE(ValidDateTime(EncodeDate(2012, 5, 7) + 0.5));
    EXPECT_FALSE(ValidDateTime(1e9));
    EXPECT_FALSE(ValidDateTime(-1e9));
}

TEST(DateReading, ByPositionThenByScanning)
{
    TClockOverride clock(EncodeDate(2026, 12, 11));
    struct TCase {
        const wchar_t* Name;
        const wchar_t* Locale;
        wchar_t Separator;
        const wchar_t* Format;
        const wchar_t* Text;
        int Year, Month, Day; // 0: unreadable
    };
    const TCase cases[] = {
        {L"by position", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"2012/05/07", 2012, 5, 7},
        {L"another separator", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"2012-05-07", 2012, 5, 7},
        {L"blanks and separators", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"    /  /  ", 0, 0, 0},
        {L"longer than the picture", L"dd.MM.yyyy", L'.', L"DD/MM/YYYY", L"7.5.2012   ", 2012, 5, 7},
        {L"two numbers", L"M/d/yyyy", L'/', L"MM/DD/YYYY", L"5/7", 2026, 5, 7},
        {L"two numbers, day first", L"d/M/yyyy", L'/', L"DD/MM/YYYY", L"5/7", 2026, 7, 5},
        {L"two-digit year", L"yy/MM/dd", L'/', L"YY/MM/DD", L"66/05/07", 1966, 5, 7},
        {L"31 February", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"2013/02/31", 0, 0, 0},
        {L"29 February of a leap year", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"2012/02/29", 2012, 2, 29},
        {L"year 0", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"0000/05/07", 0, 0, 0},
        {L"letters", L"yyyy/MM/dd", L'/', L"YYYY/MM/DD", L"abcd/ef/gh", 0, 0, 0},
        {L"five-digit year", L"dd/MM/yyyy", L'/', L"DD/MM/YYYY", L"07/05/20125", 0, 0, 0},
        {L"year 10000", L"dd/MM/yyyy", L'/', L"DD/MM/YYYY", L"07/05/10000", 0, 0, 0},
        {L"month by name", L"dd/MMM/yyyy", L'/', L"DD/MMM/YYYY", L"07/may/2012", 2012, 5, 7},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFormatSettingsOverride locale(Locale(c.Locale, c.Separator));
        TDateTime date = -1;
        const bool read = TryStrToDateFmt(c.Format, c.Text, date);
        EXPECT_EQ(read, c.Year != 0);
        if (read && c.Year != 0) {
            EXPECT_EQ(date, EncodeDate(c.Year, c.Month, c.Day));
        }
    }
    TDateTime empty = -1;
    EXPECT_TRUE(TryStrToDateFmt(L"YYYY/MM/DD", L"", empty));
    EXPECT_EQ(empty, 0);
}

TEST(DateReading, PositionalFieldsKeepTheirInitialOrDefaultValue)
{
    TFormatSettingsOverride locale(Locale(L"yyyy/MM/dd", L'/'));
    // Blanks under the letters: the default; a text longer than the picture: the initial value.
    EXPECT_EQ(ExtractFieldByFormat(L"YYYY/MM/DD", L"    /  /  ", L'm', 1, -1, 0), -1);
    EXPECT_EQ(ExtractFieldByFormat(L"DD/MM/YYYY", L"7.5.2012   ", L'm', 1, -1, 0), 0);
    EXPECT_EQ(ExtractFieldByFormat(L"YYYY/MM/DD", L"2012/05/07", L'm', 3, -1, 0), 0);
    EXPECT_EQ(ExtractFieldByFormat(L"YYYY/MM/DD", L"2012/ 5/07", L'm', 1, -1, 0), 5);
    EXPECT_EQ(MonthFromName(L"DEC", 3), 12);
    EXPECT_EQ(MonthFromName(L"xyz", 3), 0);
    int pos = 1, number = 0;
    EXPECT_TRUE(ReadNumberAt(L"  123456", 9, pos, number));
    EXPECT_EQ(number, 1234);
    EXPECT_EQ(pos, 7);
}

} // namespace
