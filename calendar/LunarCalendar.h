#pragma once
// The Chinese lunisolar calendar, computed rather than tabulated: new moons from the lunar-phase
// series with its periodic terms, the sun's apparent longitude from the truncated planetary
// theory of the Earth with nutation and aberration, dynamical time turned into universal time,
// and days counted from midnight Beijing time (UTC+8). Accurate to well under a minute for the
// years around the present, which is what deciding dates near midnight needs.
// Days are whole-day serials as the date-time type counts them (day 0 = 1899-12-30).
#include <vector>

namespace Calendar {

// --- Astronomy (moments as Julian Ephemeris Days, dynamical time) ---

// Seconds of dynamical time ahead of universal time in the given (fractional) year.
double DeltaT(double year);

// The Beijing day on which a moment falls.
int BeijingDay(double jde);

// The moment of the k-th new moon counted from the one of 2000-01-06 (k = 0).
double NewMoon(int k);

// The sun's apparent geocentric longitude at a moment, in degrees 0..360.
double SunApparentLongitude(double jde);

// The moment at which the sun's apparent longitude reaches the given degrees during a
// Gregorian year (0 = March equinox, 15 = Qingming, 270 = December solstice).
double SolarTermMoment(int year, double longitude);

// --- The calendar ---

struct TLunarMonth {
    int Start;   // first day
    int Number;  // 1..12
    bool Leap;
};

// The months from the one holding the December solstice of year-1 up to, not including, the one
// holding the December solstice of year: months 11 and 12 of the lunar year before, then
// months 1 onwards of the lunar year that begins in the given Gregorian year.
std::vector<TLunarMonth> SolsticeYearMonths(int year);

// The first day of the lunar year that begins in the given Gregorian year.
int LunarNewYear(int year);

// A day of a regular (not leap) month 1..10 of the lunar year beginning in the given year.
int LunarDay(int year, int month, int day);

// The holidays of the holiday page, in the order of its list.
enum class TLunarHoliday {
    Lantern,     // 元宵节, 1/15
    Qingming,    // 清明节, the solar term at 15 degrees
    DragonBoat,  // 端午节, 5/5
    MidAutumn,   // 中秋节, 8/15
    DoubleNinth, // 重阳节, 9/9
    NewYearsEve, // 除夕, the day before the lunar year that begins in the given year
};

constexpr int LunarHolidayCount = 6;

int LunarHolidayDay(int year, TLunarHoliday holiday);

} // namespace Calendar
