#pragma once
// Civil-calendar arithmetic for the calendar library: the proleptic Gregorian calendar over the
// years 1 to 9999, on whole-day serials counted as the date-time type does (days since
// 1899-12-30), and the reading of the number texts that the program passes in.
#include <optional>

namespace Calendar {

constexpr int MinYear = 1;
constexpr int MaxYear = 9999;

bool IsLeapYear(int year);

// 28..31; the month is 1..12.
int DaysInMonth(int year, int month);

// Whole-day serial of a date (day 0 = 1899-12-30); the date must be valid.
long long DateSerial(int year, int month, int day);

struct TCivilDate {
    int Year;
    int Month;
    int Day;
};

TCivilDate CivilDate(long long serial);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(long long serial);

// Floor modulo: the result is in 0..divisor-1 for negative values too.
long long FloorMod(long long value, long long divisor);

// An optionally signed decimal integer with surrounding blanks allowed; nothing for anything else
// (a null pointer, an empty text, other characters, more digits than an int holds).
std::optional<int> ParseInteger(const wchar_t* text);

} // namespace Calendar
