#pragma once
// Date arithmetic and range handling shared by the date-time picker and the month calendar
// (private to the two: not for use outside the common controls).
#include <windows.h>
#include <commctrl.h>
#include <cmath>

#include "framework/comctrls/MonthCalendar.h"
#include "framework/system/DateTimeUtils.h"

inline double DatePart(TDateTime Value)
{
    return std::trunc(Value);
}

inline double TimePart(TDateTime Value)
{
    return std::fabs(Value - std::trunc(Value));
}

inline SYSTEMTIME ToSystemTime(TDateTime Value)
{
    SYSTEMTIME st{};
    DateTimeToSystemTime(Value, st);
    return st;
}

// The last moment of a day: a bound's date counts as a whole day.
constexpr double EndOfDay = 86399999.0 / 86400000.0;

// Whether Value's date lies before MinDate's / after MaxDate's; a bound of 0 is none.
inline bool BelowMinDate(TDateTime Value, TDateTime MinDate)
{
    return MinDate != 0 && DatePart(Value) < DatePart(MinDate);
}

inline bool AboveMaxDate(TDateTime Value, TDateTime MaxDate)
{
    return MaxDate != 0 && DatePart(Value) > DatePart(MaxDate);
}

// Raises when Value's date lies outside MinDate .. MaxDate.
inline void CheckDateRange(TDateTime Value, TDateTime MinDate, TDateTime MaxDate)
{
    if (BelowMinDate(Value, MinDate)) throw ECommonCalendarError(DateBelowMinimumText(MinDate));
    if (AboveMaxDate(Value, MaxDate)) throw ECommonCalendarError(DateExceedsMaximumText(MaxDate));
}

// Gives the control the bounds it has (0: none) by Message (DTM_SETRANGE, MCM_SETRANGE); the
// upper bound's date goes with the time of day MaxTime.
inline void SendDateRange(HWND Wnd, UINT Message, TDateTime MinDate, TDateTime MaxDate, double MaxTime)
{
    SYSTEMTIME range[2]{};
    WPARAM flags = 0;
    if (MinDate != 0) {
        range[0] = ToSystemTime(DatePart(MinDate));
        flags |= GDTR_MIN;
    }
    if (MaxDate != 0) {
        range[1] = ToSystemTime(DatePart(MaxDate) + MaxTime);
        flags |= GDTR_MAX;
    }
    SendMessageW(Wnd, Message, flags, reinterpret_cast<LPARAM>(range));
}
