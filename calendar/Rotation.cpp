#include "calendar/Rotation.h"

#include "calendar/Gregorian.h"

#include <cmath>

namespace Calendar {

bool IsDutyDay(TRotation rotation, long long day, long long firstDutyDay)
{
    long long d = day - firstDutyDay;
    switch (rotation) {
    case TRotation::Hours24: return FloorMod(d, 3) == 0;
    case TRotation::Hours48: return FloorMod(d, 2) == 0;
    case TRotation::Hours12: return FloorMod(d, 3) != 2;
    }
    return false;
}

bool WholeDay(double dateTime, long long& day)
{
    // A bound far beyond year 9999 keeps differences of two days well inside long long.
    constexpr double Limit = 1e12;
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > Limit) return false;
    day = static_cast<long long>(std::floor(dateTime));
    return true;
}

} // namespace Calendar
