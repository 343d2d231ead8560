#pragma once
// Calendar arithmetic on TDateTime (days since 1899-12-30, fraction = time of day), the clock,
// and dates and times as text under a TFormatSettings.
//
// Before 1899-12-30 the value is negative while the time of day still counts forwards: the whole
// part is the day and the fraction's absolute value the time (-1.25 is 1899-12-29 06:00).
#include <functional>

#include "framework/system/Exceptions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/SystemTypes.h"

struct _SYSTEMTIME;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = HoursPerDay * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
// Days from 0001-01-01 to 1899-12-31, and from 1899-12-30 to 1970-01-01.
constexpr int DateDelta = 693594;
constexpr int UnixDateDelta = 25569;

bool IsLeapYear(int year);
// MonthDays[IsLeapYear(year)][month], month 1..12 (index 0 is unused).
extern const int MonthDays[2][13];
int DaysInAMonth(int year, int month);
int DaysInMonth(int year, int month);
int DaysInMonth(TDateTime value);

// Years 1..9999. EConvertError "Invalid argument to date encode" / "... time encode".
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
// Returns whether year is a leap year; dayOfWeek is 1 (Sunday) .. 7.
bool DecodeDateFully(TDateTime value, int& year, int& month, int& day, int& dayOfWeek);
// hour < 24, minute < 60, second < 60, msec < 1000.
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// Rounds to the millisecond.
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
// A date plus a time of day under the sign rule above.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
// The same day of the month months later (earlier when negative), clamped to the month's end.
TDateTime IncMonth(TDateTime value, int months = 1);

void DateTimeToSystemTime(TDateTime value, _SYSTEMTIME& systemTime);
TDateTime SystemTimeToDateTime(const _SYSTEMTIME& systemTime);

// ---- The clock ----
// Local date and time now, today with no time, and the time of day without the date.
TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();

// The clock every function above reads (local time). An empty function restores the system's.
using TClockFunction = std::function<TDateTime()>;
void SetClockForTesting(TClockFunction clock);
// Fixes the clock for the guard's lifetime, then restores the previous one.
class TClockOverride {
public:
    explicit TClockOverride(TDateTime fixedNow);
    explicit TClockOverride(TClockFunction clock);
    ~TClockOverride();
    TClockOverride(const TClockOverride&) = delete;
    TClockOverride& operator=(const TClockOverride&) = delete;

private:
    TClockFunction FSaved;
};

// ---- Text ----
// FormatDateTime letters (case does not matter):
//   d dd        day without / with leading zero     ddd dddd   short / long day name
//   ddddd       ShortDateFormat                     dddddd     LongDateFormat
//   m mm        month (minute right after an h)     mmm mmmm   short / long month name
//   yy yyyy     two- / four-digit year              h hh n nn s ss   hour, minute, second
//   z zzz       milliseconds                        t tt       ShortTimeFormat / LongTimeFormat
//   c           ShortDateFormat, then " " + LongTimeFormat unless the time is midnight
//   am/pm a/p   12-hour clock, the marker in the picture's own case
//   ampm        12-hour clock with TimeAMString / TimePMString
//   /  :        DateSeparator / TimeSeparator       "..." '...'  literal text
// Every other character is copied. An empty format means "c".
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& settings);
String TimeToStr(TDateTime value);
String TimeToStr(TDateTime value, const TFormatSettings& settings);
String DateTimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Dates are two or three numbers joined by DateSeparator, in the order of ShortDateFormat; a
// missing year is the current year, a year of one or two digits falls in the settings' century
// window. Times are h[:n[:s[<DecimalSeparator>zzz]]] with an optional AM/PM marker (the
// settings' or "AM"/"PM") before or after. Blanks around the text are allowed.
// EConvertError "'<s>' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(const String& s);
TDateTime StrToDate(const String& s, const TFormatSettings& settings);
TDateTime StrToDateDef(const String& s, TDateTime defaultValue);
TDateTime StrToDateDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings);
bool TryStrToDate(const String& s, TDateTime& value);
bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& settings);

TDateTime StrToTime(const String& s);
TDateTime StrToTime(const String& s, const TFormatSettings& settings);
TDateTime StrToTimeDef(const String& s, TDateTime defaultValue);
TDateTime StrToTimeDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings);
bool TryStrToTime(const String& s, TDateTime& value);
bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& settings);

// A date, optionally followed by a time; or a time alone (on day 0).
TDateTime StrToDateTime(const String& s);
TDateTime StrToDateTime(const String& s, const TFormatSettings& settings);
TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue);
TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings);
bool TryStrToDateTime(const String& s, TDateTime& value);
bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& settings);
