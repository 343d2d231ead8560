#include "calendar/Gregorian.h"

namespace Calendar {

namespace {

// 1970-01-01 is day 25569 of the date-time serials.
constexpr long long UnixEpochSerial = 25569;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return Lengths[month - 1];
}

long long FloorMod(long long value, long long divisor)
{
    long long r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Counting in 400-year eras that begin on 1 March keeps the leap day at the end of each
// computational year, so one formula covers every month.
long long DateSerial(int year, int month, int day)
{
    long long y = year - (month <= 2 ? 1 : 0);
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long mp = (month + 9) % 12;
    long long doy = (153 * mp + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + UnixEpochSerial;
}

TCivilDate CivilDate(long long serial)
{
    long long z = serial - UnixEpochSerial + 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int DayOfWeek(long long serial)
{
    // Day 1 (1899-12-31) was a Sunday.
    return static_cast<int>(FloorMod(serial - 1, 7)) + 1;
}

std::optional<int> ParseInteger(const wchar_t* text)
{
    if (!text) return std::nullopt;
    const wchar_t* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = *p == L'-';
        ++p;
    }
    long long value = 0;
    int digits = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        value = value * 10 + (*p - L'0');
        if (++digits > 10 || value > 2147483648LL) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    while (IsBlank(*p)) ++p;
    if (*p != 0) return std::nullopt;
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace Calendar
