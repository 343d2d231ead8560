#pragma once
// The shift rotations: which days, counted from the first duty day in both directions, are
// duty days.

namespace Calendar {

enum class TRotation {
    Hours24, // 24 hours on, 48 hours off: every third day
    Hours48, // 48-hour shifts: every other day
    Hours12, // day shift, night shift, rest day: two days of every three
};

bool IsDutyDay(TRotation rotation, long long day, long long firstDutyDay);

// The whole day of a date-time value (its time of day dropped, i.e. rounded down); false for a
// value that is no date at all (not finite, or far outside any calendar).
bool WholeDay(double dateTime, long long& day);

} // namespace Calendar
