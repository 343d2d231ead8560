#include "calendar/LunarCalendar.h"

#include "calendar/Gregorian.h"

#include <cmath>
#include <iterator>

namespace Calendar {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double J2000 = 2451545.0;
// Julian Day of the start of day 0 of the date-time serials (1899-12-30 00:00 UT).
constexpr double SerialEpochJD = 2415018.5;
constexpr double BeijingOffsetDays = 8.0 / 24.0;
constexpr double SynodicMonth = 29.530588861;
constexpr double TropicalYear = 365.2422;

double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

double NormalizeDegrees(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// --- Universal time ---

struct TDeltaTPoint {
    double Year;
    double Seconds;
};

// Observed values up to the present, the expected trend a few years beyond.
constexpr TDeltaTPoint DeltaTTable[] = {
    {1900, -2.72}, {1910, 10.38}, {1920, 21.16}, {1930, 24.02}, {1940, 24.33},
    {1950, 29.15}, {1960, 33.15}, {1970, 40.18}, {1980, 50.54}, {1990, 56.86},
    {1995, 60.79}, {2000, 63.83}, {2005, 64.69}, {2010, 66.07}, {2015, 67.64},
    {2020, 69.36}, {2025, 69.20}, {2030, 70.00}, {2035, 71.00},
};

// The long-term tidal trend, used only to continue the table beyond its ends.
double LongTermDeltaT(double year)
{
    double u = (year - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// --- The Earth's heliocentric longitude and distance (truncated planetary theory) ---

struct TTerm {
    double A;
    double B;
    double C;
};

constexpr TTerm L0[] = {
    {175347046, 0, 0}, {3341656, 4.6692568, 6283.0758500}, {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849}, {3418, 2.8289, 3.5231}, {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194}, {2343, 6.1352, 3930.2097}, {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910}, {1199, 1.1096, 1577.3435}, {990, 5.233, 5884.927},
    {902, 2.045, 26.298}, {857, 3.508, 398.149}, {780, 1.179, 5223.694},
    {753, 2.533, 5507.553}, {505, 4.583, 18849.228}, {492, 4.205, 775.523},
    {357, 2.920, 0.067}, {317, 5.849, 11790.629}, {284, 1.899, 796.298},
    {271, 0.315, 10977.079}, {243, 0.345, 5486.778}, {206, 4.806, 2544.314},
    {205, 1.869, 5573.143}, {202, 2.458, 6069.777}, {156, 0.833, 213.299},
    {132, 3.411, 2942.463}, {126, 1.083, 20.775}, {115, 0.645, 0.980},
    {103, 0.636, 4694.003}, {102, 0.976, 15720.839}, {102, 4.267, 7.114},
    {99, 6.21, 2146.17}, {98, 0.68, 155.42}, {86, 5.98, 161000.69},
    {85, 1.30, 6275.96}, {85, 3.67, 71430.70}, {80, 1.81, 17260.15},
    {79, 3.04, 12036.46}, {75, 1.76, 5088.63}, {74, 3.50, 3154.69},
    {74, 4.68, 801.82}, {70, 0.83, 9437.76}, {62, 3.98, 8827.39},
    {61, 1.82, 7084.90}, {57, 2.78, 6286.60}, {56, 4.39, 14143.50},
    {56, 3.47, 6279.55}, {52, 0.19, 12139.55}, {52, 1.33, 1748.02},
    {51, 0.28, 5856.48}, {49, 0.49, 1194.45}, {41, 5.37, 8429.24},
    {41, 2.40, 19651.05}, {39, 6.17, 10447.39}, {37, 6.04, 10213.29},
    {37, 2.57, 1059.38}, {36, 1.71, 2352.87}, {36, 1.78, 6812.77},
    {33, 0.59, 17789.85}, {30, 0.44, 83996.85}, {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};

constexpr TTerm L1[] = {
    {628331966747, 0, 0}, {206059, 2.678235, 6283.075850}, {4303, 2.6351, 12566.1517},
    {425, 1.590, 3.523}, {119, 5.796, 26.298}, {109, 2.966, 1577.344},
    {93, 2.59, 18849.23}, {72, 1.14, 529.69}, {68, 1.87, 398.15},
    {67, 4.41, 5507.55}, {59, 2.89, 5223.69}, {56, 2.17, 155.42},
    {45, 0.40, 796.30}, {36, 0.47, 775.52}, {29, 2.65, 7.11},
    {21, 5.34, 0.98}, {19, 1.85, 5486.78}, {19, 4.97, 213.30},
    {17, 2.99, 6275.96}, {16, 0.03, 2544.31}, {16, 1.43, 2146.17},
    {15, 1.21, 10977.08}, {12, 2.83, 1748.02}, {12, 3.26, 5088.63},
    {12, 5.27, 1194.45}, {12, 2.08, 4694.00}, {11, 0.77, 553.57},
    {10, 1.30, 6286.60}, {10, 4.24, 1349.87}, {9, 2.70, 242.73},
    {9, 5.64, 951.72}, {8, 5.30, 2352.87}, {6, 2.65, 9437.76},
    {6, 4.67, 4690.48},
};

constexpr TTerm L2[] = {
    {52919, 0, 0}, {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152},
    {27, 0.05, 3.52}, {16, 5.19, 26.30}, {16, 3.68, 155.42},
    {10, 0.76, 18849.23}, {9, 2.06, 77713.77}, {7, 0.83, 775.52},
    {5, 4.66, 1577.34}, {4, 1.03, 7.11}, {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55}, {3, 1.19, 242.73},
    {3, 6.12, 529.69}, {3, 0.31, 398.15}, {3, 2.28, 553.57},
    {2, 4.38, 5223.69}, {2, 3.75, 0.98},
};

constexpr TTerm L3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0}, {17, 5.49, 12566.15},
    {3, 5.20, 155.42}, {1, 4.72, 3.52}, {1, 5.30, 18849.23},
    {1, 5.97, 242.73},
};

constexpr TTerm L4[] = {
    {114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15},
};

constexpr TTerm L5[] = {
    {1, 3.14, 0},
};

// The distance only scales the aberration, so its leading terms are plenty.
constexpr TTerm R0[] = {
    {100013989, 0, 0}, {1670700, 3.0984635, 6283.0758500}, {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715}, {1628, 1.1739, 5753.3849}, {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.770}, {542, 4.564, 3930.210}, {472, 3.661, 5884.927},
};

constexpr TTerm R1[] = {
    {103019, 1.107490, 6283.075850}, {1721, 1.0644, 12566.1517}, {702, 3.142, 0},
};

constexpr TTerm R2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152},
};

template <std::size_t N>
double SumSeries(const TTerm (&terms)[N], double tau)
{
    double sum = 0;
    for (const TTerm& t : terms) sum += t.A * std::cos(t.B + t.C * tau);
    return sum;
}

// --- Nutation in longitude (the terms above a thousandth of an arcsecond) ---

struct TNutationTerm {
    int D, M, Mp, F, Om;
    double Sin, SinT; // 0.0001 arcseconds, and its change per century
};

constexpr TNutationTerm NutationTerms[] = {
    {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6},
    {0, 0, 0, 2, 2, -2274, -0.2},     {0, 0, 0, 0, 2, 2062, 0.2},
    {0, 1, 0, 0, 0, 1426, -3.4},      {0, 0, 1, 0, 0, 712, 0.1},
    {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 0, 2, 1, -386, -0.4},
    {0, 0, 1, 2, 2, -301, 0},         {-2, -1, 0, 2, 2, 217, -0.5},
    {-2, 0, 1, 0, 0, -158, 0},        {-2, 0, 0, 2, 1, 129, 0.1},
    {0, 0, -1, 2, 2, 123, 0},         {2, 0, 0, 0, 0, 63, 0},
    {0, 0, 1, 0, 1, 63, 0.1},         {2, 0, -1, 2, 2, -59, 0},
    {0, 0, -1, 0, 1, -58, -0.1},      {0, 0, 1, 2, 1, -51, 0},
    {-2, 0, 2, 0, 0, 48, 0},          {0, 0, -2, 2, 1, 46, 0},
    {2, 0, 0, 2, 2, -38, 0},
};

// Degrees.
double NutationInLongitude(double t)
{
    double d = 297.85036 + 445267.111480 * t - 0.0019142 * t * t + t * t * t / 189474.0;
    double m = 357.52772 + 35999.050340 * t - 0.0001603 * t * t - t * t * t / 300000.0;
    double mp = 134.96298 + 477198.867398 * t + 0.0086972 * t * t + t * t * t / 56250.0;
    double f = 93.27191 + 483202.017538 * t - 0.0036825 * t * t + t * t * t / 327270.0;
    double om = 125.04452 - 1934.136261 * t + 0.0020708 * t * t + t * t * t / 450000.0;
    double sum = 0;
    for (const TNutationTerm& n : NutationTerms) {
        double arg = n.D * d + n.M * m + n.Mp * mp + n.F * f + n.Om * om;
        sum += (n.Sin + n.SinT * t) * std::sin(Radians(arg));
    }
    return sum * 0.0001 / 3600.0;
}

// --- Moments and days ---

double JulianDayOfSerial(double serial)
{
    return serial + SerialEpochJD;
}

double YearOfMoment(double jd)
{
    return 2000.0 + (jd - J2000) / 365.25;
}

// The dynamical-time moment of the midnight, Beijing time, that begins a day.
double BeijingMidnight(int day)
{
    double ut = JulianDayOfSerial(day) - BeijingOffsetDays;
    return ut + DeltaT(YearOfMoment(ut)) / 86400.0;
}

int NewMoonDay(int k)
{
    return BeijingDay(NewMoon(k));
}

// The number of the new moon that begins the month holding the given day.
int MonthStartIndex(int day)
{
    int k = static_cast<int>(std::floor((JulianDayOfSerial(day) - 2451550.09766) / SynodicMonth));
    while (NewMoonDay(k + 1) <= day) ++k;
    while (NewMoonDay(k) > day) --k;
    return k;
}

// Whether the sun reaches a multiple of 30 degrees (a principal term) during the days
// first..end-1.
bool HoldsPrincipalTerm(int first, int end)
{
    double from = SunApparentLongitude(BeijingMidnight(first));
    double to = SunApparentLongitude(BeijingMidnight(end));
    return static_cast<int>(std::floor(from / 30.0)) != static_cast<int>(std::floor(to / 30.0));
}

int DecemberSolsticeDay(int year)
{
    return BeijingDay(SolarTermMoment(year, 270.0));
}

} // namespace

double DeltaT(double year)
{
    constexpr std::size_t last = std::size(DeltaTTable) - 1;
    if (year <= DeltaTTable[0].Year)
        return DeltaTTable[0].Seconds + LongTermDeltaT(year) - LongTermDeltaT(DeltaTTable[0].Year);
    if (year >= DeltaTTable[last].Year)
        return DeltaTTable[last].Seconds + LongTermDeltaT(year) - LongTermDeltaT(DeltaTTable[last].Year);
    std::size_t i = 1;
    while (DeltaTTable[i].Year < year) ++i;
    const TDeltaTPoint& a = DeltaTTable[i - 1];
    const TDeltaTPoint& b = DeltaTTable[i];
    return a.Seconds + (b.Seconds - a.Seconds) * (year - a.Year) / (b.Year - a.Year);
}

int BeijingDay(double jde)
{
    double ut = jde - DeltaT(YearOfMoment(jde)) / 86400.0;
    return static_cast<int>(std::floor(ut + BeijingOffsetDays - SerialEpochJD));
}

double NewMoon(int k)
{
    double kk = k;
    double t = kk / 1236.85;
    double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    double jde = 2451550.09766 + SynodicMonth * kk + 0.00015437 * t2 - 0.000000150 * t3
                 + 0.00000000073 * t4;

    double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    double m = Radians(2.5534 + 29.10535670 * kk - 0.0000014 * t2 - 0.00000011 * t3);
    double mp = Radians(201.5643 + 385.81693528 * kk + 0.0107582 * t2 + 0.00001238 * t3
                        - 0.000000058 * t4);
    double f = Radians(160.7108 + 390.67050284 * kk - 0.0016118 * t2 - 0.00000227 * t3
                       + 0.000000011 * t4);
    double om = Radians(124.7746 - 1.56375588 * kk + 0.0020672 * t2 + 0.00000215 * t3);

    double c = -0.40720 * std::sin(mp)
               + 0.17241 * e * std::sin(m)
               + 0.01608 * std::sin(2 * mp)
               + 0.01039 * std::sin(2 * f)
               + 0.00739 * e * std::sin(mp - m)
               - 0.00514 * e * std::sin(mp + m)
               + 0.00208 * e * e * std::sin(2 * m)
               - 0.00111 * std::sin(mp - 2 * f)
               - 0.00057 * std::sin(mp + 2 * f)
               + 0.00056 * e * std::sin(2 * mp + m)
               - 0.00042 * std::sin(3 * mp)
               + 0.00042 * e * std::sin(m + 2 * f)
               + 0.00038 * e * std::sin(m - 2 * f)
               - 0.00024 * e * std::sin(2 * mp - m)
               - 0.00017 * std::sin(om)
               - 0.00007 * std::sin(mp + 2 * m)
               + 0.00004 * std::sin(2 * mp - 2 * f)
               + 0.00004 * std::sin(3 * m)
               + 0.00003 * std::sin(mp + m - 2 * f)
               + 0.00003 * std::sin(2 * mp + 2 * f)
               - 0.00003 * std::sin(mp + m + 2 * f)
               + 0.00003 * std::sin(mp - m + 2 * f)
               - 0.00002 * std::sin(mp - m - 2 * f)
               - 0.00002 * std::sin(3 * mp + m)
               + 0.00002 * std::sin(4 * mp);

    // Planetary arguments.
    struct TPlanetary {
        double Base, PerK, Coefficient;
    };
    static constexpr TPlanetary Planetary[] = {
        {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165},
        {251.83, 26.651886, 0.000164}, {349.42, 36.412478, 0.000126},
        {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
        {207.14, 2.453732, 0.000060}, {154.84, 7.306860, 0.000056},
        {34.52, 27.261239, 0.000047}, {207.19, 0.121824, 0.000042},
        {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
        {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
    };
    double a = 0;
    for (std::size_t i = 0; i < std::size(Planetary); ++i) {
        double arg = Planetary[i].Base + Planetary[i].PerK * kk;
        if (i == 0) arg -= 0.009173 * t2;
        a += Planetary[i].Coefficient * std::sin(Radians(arg));
    }
    return jde + c + a;
}

double SunApparentLongitude(double jde)
{
    double tau = (jde - J2000) / 365250.0;
    double l = (SumSeries(L0, tau)
                + tau * (SumSeries(L1, tau)
                         + tau * (SumSeries(L2, tau)
                                  + tau * (SumSeries(L3, tau)
                                           + tau * (SumSeries(L4, tau) + tau * SumSeries(L5, tau))))))
               / 1e8;
    double r = (SumSeries(R0, tau) + tau * (SumSeries(R1, tau) + tau * SumSeries(R2, tau))) / 1e8;

    double geometric = l * 180.0 / Pi + 180.0;
    constexpr double Fk5Correction = -0.09033 / 3600.0;
    double aberration = -20.4898 / 3600.0 / r;
    double t = tau * 10.0;
    return NormalizeDegrees(geometric + Fk5Correction + NutationInLongitude(t) + aberration);
}

double SolarTermMoment(int year, double longitude)
{
    double target = NormalizeDegrees(longitude);
    double jde = JulianDayOfSerial(static_cast<double>(DateSerial(year, 3, 20))) + 0.5
                 + target / 360.0 * TropicalYear;
    for (int i = 0; i < 30; ++i) {
        double diff = NormalizeDegrees(target - SunApparentLongitude(jde) + 180.0) - 180.0;
        jde += diff * TropicalYear / 360.0;
        if (std::fabs(diff) < 1e-9) break;
    }
    return jde;
}

std::vector<TLunarMonth> SolsticeYearMonths(int year)
{
    int lastSolstice = DecemberSolsticeDay(year);
    int k = MonthStartIndex(DecemberSolsticeDay(year - 1));

    // The last start is that of the month holding the later solstice: it only ends the span.
    std::vector<int> starts{NewMoonDay(k)};
    for (int next = NewMoonDay(++k); next <= lastSolstice; next = NewMoonDay(++k))
        starts.push_back(next);

    std::size_t count = starts.size() - 1;
    std::size_t leap = count;
    if (count == 13) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!HoldsPrincipalTerm(starts[i], starts[i + 1])) {
                leap = i;
                break;
            }
        }
    }

    std::vector<TLunarMonth> months;
    int number = 11;
    for (std::size_t i = 0; i < count; ++i) {
        bool isLeap = i == leap;
        if (i > 0 && !isLeap) number = number % 12 + 1;
        months.push_back({starts[i], number, isLeap});
    }
    return months;
}

int LunarNewYear(int year)
{
    return LunarDay(year, 1, 1);
}

int LunarDay(int year, int month, int day)
{
    std::vector<TLunarMonth> months = SolsticeYearMonths(year);
    bool inYear = false;
    for (const TLunarMonth& m : months) {
        if (m.Number == 1 && !m.Leap) inYear = true;
        if (inYear && m.Number == month && !m.Leap) return m.Start + day - 1;
    }
    return 0; // not reached for months 1..10
}

int LunarHolidayDay(int year, TLunarHoliday holiday)
{
    switch (holiday) {
    case TLunarHoliday::Lantern: return LunarDay(year, 1, 15);
    case TLunarHoliday::Qingming: return BeijingDay(SolarTermMoment(year, 15.0));
    case TLunarHoliday::DragonBoat: return LunarDay(year, 5, 5);
    case TLunarHoliday::MidAutumn: return LunarDay(year, 8, 15);
    case TLunarHoliday::DoubleNinth: return LunarDay(year, 9, 9);
    case TLunarHoliday::NewYearsEve: return LunarNewYear(year) - 1;
    }
    return 0;
}

} // namespace Calendar
