// Short date texts (month-day-year, day-month-year, the locale's own order with an optional
// time) and stepping a date by years, months or days.
#include <cmath>

#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "grid/foundation/AdvUtil.h"

namespace {

// Blanks around allowed, then digits only, small enough for any date part.
bool ReadNumber(const String& Text, int& Value)
{
    const String t = Trim(Text);
    if (t.empty() || t.size() > 9) return false;
    Value = 0;
    for (wchar_t ch : t) {
        if (!IsDigitChar(ch)) return false;
        Value = Value * 10 + (ch - L'0');
    }
    return true;
}

// Splits "a<sep>b<sep>c" into its three parts; false when a separator is missing.
bool SplitThree(const String& Text, wchar_t Separator, String Parts[3])
{
    size_t p1 = Text.find(Separator);
    if (p1 == String::npos) return false;
    size_t p2 = Text.find(Separator, p1 + 1);
    if (p2 == String::npos) return false;
    Parts[0] = Text.substr(0, p1);
    Parts[1] = Text.substr(p1 + 1, p2 - p1 - 1);
    Parts[2] = Text.substr(p2 + 1);
    return true;
}

TDateTime ParseShortDate(const String& Text, bool MonthFirst)
{
    wchar_t sep = L'-';
    if (Text.find(L'/') != String::npos)
        sep = L'/';
    else if (Text.find(L'.') != String::npos)
        sep = L'.';
    String parts[3];
    if (!SplitThree(Text, sep, parts)) return 0;
    int first = 0, second = 0, year = 0;
    if (!ReadNumber(parts[0], first) || !ReadNumber(parts[1], second) || !ReadNumber(parts[2], year)) return 0;
    if (year < 100) year += year < 26 ? 2000 : 1900;
    const int month = MonthFirst ? first : second;
    const int day = MonthFirst ? second : first;
    TDateTime value = 0;
    return TryEncodeDate(year, month, day, value) ? value : 0;
}

// Dates the runtime can hold (0001-01-01 .. 9999-12-31).
bool InDateRange(TDateTime Value) { return std::isfinite(Value) && Value >= -693593.0 && Value < 2958466.0; }

TDateTime WithTimeOf(TDateTime NewDate, TDateTime Original)
{
    return ComposeDateTime(NewDate, std::fabs(Original - std::trunc(Original)));
}

} // namespace

TDateTime ParseMDYDate(const String& Text) { return ParseShortDate(Text, true); }
TDateTime ParseDMYDate(const String& Text) { return ParseShortDate(Text, false); }

bool ParseDateTimeText(const String& Text, TDateTime& Value)
{
    const String format = UpperCase(FormatSettings.ShortDateFormat);
    const size_t pd = format.find(L'D'), pm = format.find(L'M'), py = format.find(L'Y');
    if (pd == String::npos || pm == String::npos || py == String::npos) return false;
    const String t = Trim(Text);
    const size_t blank = t.find(L' ');
    String parts[3];
    if (!SplitThree(t.substr(0, blank), FormatSettings.DateSeparator, parts)) return false;
    // The rank of each letter in the format gives the part that holds it.
    auto rank = [&](size_t p) { return (p > pd) + (p > pm) + (p > py); };
    int day = 0, month = 0, year = 0;
    if (!ReadNumber(parts[rank(pd)], day) || !ReadNumber(parts[rank(pm)], month) || !ReadNumber(parts[rank(py)], year))
        return false;
    int hour = 0, minute = 0, second = 0;
    if (blank != String::npos) {
        const String time = t.substr(blank + 1);
        const wchar_t sep = FormatSettings.TimeSeparator;
        size_t p1 = time.find(sep);
        if (p1 == String::npos || !ReadNumber(time.substr(0, p1), hour)) return false;
        size_t p2 = time.find(sep, p1 + 1);
        if (!ReadNumber(time.substr(p1 + 1, p2 == String::npos ? String::npos : p2 - p1 - 1), minute)) return false;
        if (p2 != String::npos && !ReadNumber(time.substr(p2 + 1), second)) return false;
    }
    if (day >= 32 || month > 12 || hour > 23 || minute >= 60 || second > 60) return false;
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) return false;
    // A leap second (60) is allowed: the time is summed rather than encoded.
    Value = date + (hour * 3600.0 + minute * 60.0 + second) / SecsPerDay;
    return true;
}

bool LooksLikeDate(const String& Text)
{
    const size_t p1 = Text.find(FormatSettings.DateSeparator);
    if (p1 == String::npos || p1 < 1) return false;
    const size_t p2 = Text.find(FormatSettings.DateSeparator, p1 + 1);
    return p2 != String::npos && p2 > p1 + 1;
}

TDateTime StepDate(int Years, int Months, int Days, TDateTime Difference, TDateTime Date)
{
    if (Days != 0 && Years == 0 && Months == 0) return Date + Days;
    const bool onlyYears = Years != 0 && Months == 0 && Days == 0;
    const bool onlyMonths = Months != 0 && Years == 0 && Days == 0;
    if (!onlyYears && !onlyMonths) return Date + Difference;
    if (!InDateRange(Date)) return Date;
    int year = 0, month = 0, day = 0;
    DecodeDate(Date, year, month, day);
    long long y = year, m = month;
    if (onlyYears) {
        y += Years;
    } else {
        long long index = (y * 12 + (m - 1)) + Months;
        y = index >= 0 ? index / 12 : -((-index + 11) / 12);
        m = index - y * 12 + 1;
    }
    if (y < 1 || y > 9999) return Date;
    // 29 February a year on, or the 31st a month on, is the last day of the target month.
    const int lastDay = DaysInAMonth(static_cast<int>(y), static_cast<int>(m));
    if (day > lastDay) day = lastDay;
    TDateTime result = 0;
    if (!TryEncodeDate(static_cast<int>(y), static_cast<int>(m), day, result)) return Date;
    return WithTimeOf(result, Date);
}
