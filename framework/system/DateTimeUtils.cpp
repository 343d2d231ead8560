#include "framework/system/DateTimeUtils.h"

#include <windows.h>

#include <cmath>

#include "framework/system/StringUtils.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Day numbers: days counted from 0001-01-01 (= 1), the runtime's time-stamp date.

int DaysBeforeMonth(int year, int month)
{
    int days = 0;
    for (int m = 1; m < month; ++m) days += MonthDays[IsLeapYear(year)][m];
    return days;
}

// The day number and the milliseconds into that day; rounding to the millisecond can carry into
// the next day, which lies further from day 0 on both sides of it.
void SplitDateTime(TDateTime value, long long& dayNumber, int& msec)
{
    double whole = std::trunc(value);
    long long ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
    long long day = static_cast<long long>(whole);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        day += value < 0 ? -1 : 1;
    }
    dayNumber = day + DateDelta;
    msec = static_cast<int>(ms);
}

void DecodeDayNumber(long long dayNumber, int& year, int& month, int& day)
{
    if (dayNumber <= 0 || dayNumber > 3652059) {   // outside 0001-01-01 .. 9999-12-31
        year = month = day = 0;
        return;
    }
    long long t = dayNumber - 1;
    int y = 1 + 400 * static_cast<int>(t / 146097);
    t %= 146097;
    int centuries = static_cast<int>(t / 36524);
    if (centuries == 4) centuries = 3;   // the last day of a 400-year cycle
    t -= centuries * 36524LL;
    y += 100 * centuries;
    y += 4 * static_cast<int>(t / 1461);
    t %= 1461;
    int years = static_cast<int>(t / 365);
    if (years == 4) years = 3;           // the last day of a leap cycle
    t -= years * 365LL;
    y += years;
    int m = 1;
    while (t >= MonthDays[IsLeapYear(y)][m]) t -= MonthDays[IsLeapYear(y)][m++];
    year = y;
    month = m;
    day = static_cast<int>(t) + 1;
}

// ---------------------------------------------------------------------------------------------
// The clock

TClockFunction& Clock()
{
    static TClockFunction clock;
    return clock;
}

TDateTime SystemNow()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SystemTimeToDateTime(st);
}

// ---------------------------------------------------------------------------------------------
// FormatDateTime

String Padded(int value, int digits)
{
    String text = std::to_wstring(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), L'0');
    return text;
}

wchar_t UpperAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }

bool StartsTextAt(const String& s, size_t at, const wchar_t* word)
{
    size_t length = String::traits_type::length(word);
    return s.size() - at >= length && SameText(s.substr(at, length), word);
}

class TDateTimeFormatter {
public:
    TDateTimeFormatter(TDateTime value, const TFormatSettings& fs) : FSettings(fs)
    {
        long long dayNumber;
        int ms;
        SplitDateTime(value, dayNumber, ms);
        DecodeDayNumber(dayNumber, FYear, FMonth, FDay);
        FDayOfWeek = static_cast<int>(((dayNumber % 7) + 7) % 7) + 1;
        FHour = ms / 3600000;
        FMinute = ms / 60000 % 60;
        FSecond = ms / 1000 % 60;
        FMSec = ms % 1000;
    }

    void Append(const String& format, int depth)
    {
        // The nested pictures (ddddd, c, t, ...) may in turn name others, but not forever.
        if (depth > 2) return;
        wchar_t lastToken = 0;
        const size_t n = format.size();
        size_t i = 0;
        while (i < n) {
            const wchar_t starter = format[i];
            wchar_t token = UpperAscii(starter);
            if (token >= L'A' && token <= L'Z') {
                if (token == L'M' && lastToken == L'H') token = L'N';
                lastToken = token;
            }
            size_t count = 1;
            if (token >= L'A' && token <= L'Z' && token != L'A')
                while (i + count < n && UpperAscii(format[i + count]) == UpperAscii(starter)) ++count;
            switch (token) {
            case L'Y': FOut += count <= 2 ? Padded(FYear % 100, 2) : Padded(FYear, 4); break;
            case L'M':
                if (count <= 2) FOut += Padded(FMonth, static_cast<int>(count));
                else if (FMonth >= 1) FOut += (count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames)[FMonth - 1];
                break;
            case L'D':
                if (count <= 2) FOut += Padded(FDay, static_cast<int>(count));
                else if (count == 3) FOut += FSettings.ShortDayNames[FDayOfWeek - 1];
                else if (count == 4) FOut += FSettings.LongDayNames[FDayOfWeek - 1];
                else Append(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, depth + 1);
                break;
            case L'H': {
                int hour = FHour;
                if (TwelveHourClock(format, i + count)) {
                    hour %= 12;
                    if (hour == 0) hour = 12;
                }
                FOut += Padded(hour, count >= 2 ? 2 : 1);
                break;
            }
            case L'N': FOut += Padded(FMinute, count >= 2 ? 2 : 1); break;
            case L'S': FOut += Padded(FSecond, count >= 2 ? 2 : 1); break;
            case L'Z': FOut += Padded(FMSec, count >= 2 ? 3 : 1); break;
            case L'T': Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth + 1); break;
            case L'C':
                Append(FSettings.ShortDateFormat, depth + 1);
                if (FHour || FMinute || FSecond || FMSec) {
                    FOut += L' ';
                    Append(FSettings.LongTimeFormat, depth + 1);
                }
                break;
            case L'A':
                if (StartsTextAt(format, i, L"AM/PM")) {
                    FOut.append(format, FHour >= 12 ? i + 3 : i, 2);
                    count = 5;
                } else if (StartsTextAt(format, i, L"A/P")) {
                    FOut += format[FHour >= 12 ? i + 2 : i];
                    count = 3;
                } else if (StartsTextAt(format, i, L"AMPM")) {
                    FOut += FHour >= 12 ? FSettings.TimePMString : FSettings.TimeAMString;
                    count = 4;
                } else {
                    FOut += starter;
                }
                break;
            case L'/':
                if (FSettings.DateSeparator) FOut += FSettings.DateSeparator;
                break;
            case L':':
                if (FSettings.TimeSeparator) FOut += FSettings.TimeSeparator;
                break;
            case L'"':
            case L'\'': {
                size_t close = format.find(starter, i + 1);
                size_t end = close == String::npos ? n : close;
                FOut.append(format, i + 1, end - i - 1);
                count = end - i + (close == String::npos ? 0 : 1);
                break;
            }
            default: FOut.append(format, i, count); break;
            }
            i += count;
        }
    }

    const String& Text() const { return FOut; }

private:
    // An hour is on the 12-hour clock when an AM/PM marker follows before the next hour or "a".
    static bool TwelveHourClock(const String& format, size_t from)
    {
        wchar_t quote = 0;
        for (size_t p = from; p < format.size(); ++p) {
            wchar_t c = format[p];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == L'"' || c == L'\'') quote = c;
            else if (c == L'h' || c == L'H') return false;
            else if (c == L'a' || c == L'A')
                return StartsTextAt(format, p, L"AM/PM") || StartsTextAt(format, p, L"A/P") || StartsTextAt(format, p, L"AMPM");
        }
        return false;
    }

    const TFormatSettings& FSettings;
    String FOut;
    int FYear = 0, FMonth = 0, FDay = 0, FDayOfWeek = 1;
    int FHour = 0, FMinute = 0, FSecond = 0, FMSec = 0;
};

// ---------------------------------------------------------------------------------------------
// Reading dates and times

bool IsBlank(wchar_t c) { return c <= L' '; }

void ScanBlanks(const String& s, size_t& pos)
{
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
}

// Up to four digits.
bool ScanNumber(const String& s, size_t& pos, int& number, int& digits)
{
    ScanBlanks(s, pos);
    size_t i = pos;
    int n = 0;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9' && n < 1000) n = n * 10 + (s[i++] - L'0');
    if (i == pos) return false;
    digits = static_cast<int>(i - pos);
    pos = i;
    number = n;
    return true;
}

bool ScanChar(const String& s, size_t& pos, wchar_t ch)
{
    ScanBlanks(s, pos);
    if (ch && pos < s.size() && s[pos] == ch) {
        ++pos;
        return true;
    }
    return false;
}

bool ScanString(const String& s, size_t& pos, const String& symbol)
{
    if (symbol.empty()) return false;
    ScanBlanks(s, pos);
    if (s.size() - pos >= symbol.size() && AnsiSameText(s.substr(pos, symbol.size()), symbol)) {
        pos += symbol.size();
        return true;
    }
    return false;
}

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder(const String& shortDateFormat)
{
    for (wchar_t c : shortDateFormat) {
        switch (UpperAscii(c)) {
        case L'E':
        case L'Y': return doYMD;
        case L'M': return doMDY;
        case L'D': return doDMY;
        }
    }
    return doMDY;
}

int ExpandYear(int year, int digits, const TFormatSettings& fs)
{
    if (digits > 2) return year;
    int window = fs.TwoDigitYearCenturyWindow;
    int pivot = CurrentYear() - window;
    year += pivot / 100 * 100;
    if (window > 0 && year < pivot) year += 100;
    return year;
}

bool ScanDate(const String& s, size_t& pos, TDateTime& date, const TFormatSettings& fs)
{
    int n1, n2, n3, l1, l2, l3;
    if (!(ScanNumber(s, pos, n1, l1) && ScanChar(s, pos, fs.DateSeparator) && ScanNumber(s, pos, n2, l2)))
        return false;
    TDateOrder order = DateOrder(fs.ShortDateFormat);
    int y, m, d;
    // "5.3." is day and month with the separator written after them too.
    if (ScanChar(s, pos, fs.DateSeparator) && ScanNumber(s, pos, n3, l3)) {
        switch (order) {
        case doMDY: y = ExpandYear(n3, l3, fs); m = n1; d = n2; break;
        case doDMY: y = ExpandYear(n3, l3, fs); m = n2; d = n1; break;
        default: y = ExpandYear(n1, l1, fs); m = n2; d = n3; break;
        }
    } else {
        y = CurrentYear();
        if (order == doDMY) {
            d = n1;
            m = n2;
        } else {
            m = n1;
            d = n2;
        }
    }
    ScanChar(s, pos, fs.DateSeparator);
    ScanBlanks(s, pos);
    return TryEncodeDate(y, m, d, date);
}

// -1 when no marker is there, else the hours it adds.
int ScanAmPm(const String& s, size_t& pos, const TFormatSettings& fs)
{
    if (ScanString(s, pos, fs.TimeAMString) || ScanString(s, pos, L"AM")) return 0;
    if (ScanString(s, pos, fs.TimePMString) || ScanString(s, pos, L"PM")) return 12;
    return -1;
}

bool ScanTime(const String& s, size_t& pos, TDateTime& time, const TFormatSettings& fs)
{
    int baseHour = ScanAmPm(s, pos, fs);
    int hour, minute = 0, second = 0, msec = 0, digits;
    if (!ScanNumber(s, pos, hour, digits)) return false;
    if (ScanChar(s, pos, fs.TimeSeparator)) {
        if (!ScanNumber(s, pos, minute, digits)) return false;
        if (ScanChar(s, pos, fs.TimeSeparator)) {
            if (!ScanNumber(s, pos, second, digits)) return false;
            if (ScanChar(s, pos, fs.DecimalSeparator) && !ScanNumber(s, pos, msec, digits)) return false;
        }
    }
    if (baseHour < 0) baseHour = ScanAmPm(s, pos, fs);
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12) return false;
        if (hour == 12) hour = 0;
        hour += baseHour;
    }
    ScanBlanks(s, pos);
    return TryEncodeTime(hour, minute, second, msec, time);
}

[[noreturn]] void NotValid(const String& s, const wchar_t* what)
{
    throw EConvertError(L"'" + s + L"' is not a valid " + what);
}

using TScanner = bool (*)(const String& s, size_t& pos, TDateTime& value, const TFormatSettings& fs);
using TTryParser = bool (*)(const String& s, TDateTime& value, const TFormatSettings& fs);

// What Scan reads from the whole of s; anything left after it makes the text invalid.
bool ScanWhole(TScanner Scan, const String& s, TDateTime& value, const TFormatSettings& fs)
{
    size_t pos = 0;
    TDateTime scanned;
    if (!Scan(s, pos, scanned, fs) || pos < s.size()) return false;
    value = scanned;
    return true;
}

TDateTime ParseOrRaise(TTryParser TryParse, const String& s, const TFormatSettings& fs, const wchar_t* what)
{
    TDateTime value;
    if (!TryParse(s, value, fs)) NotValid(s, what);
    return value;
}

TDateTime ParseOrDefault(TTryParser TryParse, const String& s, TDateTime defaultValue, const TFormatSettings& fs)
{
    TDateTime value;
    return TryParse(s, value, fs) ? value : defaultValue;
}

} // namespace

// ---- Calendar ----

const int MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month)
{
    if (month < 1 || month > 12) return 0;
    return MonthDays[IsLeapYear(year)][month];
}

int DaysInMonth(int year, int month) { return DaysInAMonth(year, month); }

int DaysInMonth(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    return DaysInAMonth(y, m);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > MonthDays[IsLeapYear(year)][month])
        return false;
    long long y = year - 1;
    long long dayNumber = y * 365 + y / 4 - y / 100 + y / 400 + DaysBeforeMonth(year, month) + day;
    value = static_cast<TDateTime>(dayNumber - DateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime value;
    if (!TryEncodeDate(year, month, day, value)) throw EConvertError(L"Invalid argument to date encode");
    return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    long long dayNumber;
    int ms;
    SplitDateTime(value, dayNumber, ms);
    DecodeDayNumber(dayNumber, year, month, day);
}

bool DecodeDateFully(TDateTime value, int& year, int& month, int& day, int& dayOfWeek)
{
    DecodeDate(value, year, month, day);
    dayOfWeek = DayOfWeek(value);
    return IsLeapYear(year);
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || msec < 0 || msec >= 1000)
        return false;
    value = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime value;
    if (!TryEncodeTime(hour, minute, second, msec, value)) throw EConvertError(L"Invalid argument to time encode");
    return value;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    long long dayNumber;
    int ms;
    SplitDateTime(value, dayNumber, ms);
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    msec = ms % 1000;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    date = std::trunc(date);
    time = std::fabs(time - std::trunc(time));
    return date < 0 ? date - time : date + time;
}

int DayOfWeek(TDateTime value)
{
    long long dayNumber;
    int ms;
    SplitDateTime(value, dayNumber, ms);
    return static_cast<int>(((dayNumber % 7) + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime value, int months)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    long long total = static_cast<long long>(y) * 12 + (m - 1) + months;
    y = static_cast<int>(total / 12);
    m = static_cast<int>(total % 12) + 1;
    d = std::min(d, DaysInAMonth(y, m));
    return ComposeDateTime(EncodeDate(y, m, d), value);
}

void DateTimeToSystemTime(TDateTime value, _SYSTEMTIME& systemTime)
{
    int y, m, d, h, n, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, n, s, ms);
    systemTime.wYear = static_cast<WORD>(y);
    systemTime.wMonth = static_cast<WORD>(m);
    systemTime.wDay = static_cast<WORD>(d);
    systemTime.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
    systemTime.wHour = static_cast<WORD>(h);
    systemTime.wMinute = static_cast<WORD>(n);
    systemTime.wSecond = static_cast<WORD>(s);
    systemTime.wMilliseconds = static_cast<WORD>(ms);
}

TDateTime SystemTimeToDateTime(const _SYSTEMTIME& st)
{
    return ComposeDateTime(EncodeDate(st.wYear, st.wMonth, st.wDay),
                           EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

// ---- The clock ----

TDateTime Now() { return Clock() ? Clock()() : SystemNow(); }
TDateTime Date() { return std::trunc(Now()); }

TDateTime Time()
{
    TDateTime now = Now();
    return std::fabs(now - std::trunc(now));
}

int CurrentYear()
{
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

void SetClockForTesting(TClockFunction clock) { Clock() = std::move(clock); }

TClockOverride::TClockOverride(TDateTime fixedNow) : TClockOverride(TClockFunction([fixedNow] { return fixedNow; })) {}

TClockOverride::TClockOverride(TClockFunction clock) : FSaved(Clock())
{
    Clock() = std::move(clock);
}

TClockOverride::~TClockOverride() { Clock() = std::move(FSaved); }

// ---- Text ----

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings)
{
    TDateTimeFormatter formatter(value, settings);
    formatter.Append(format.empty() ? String(L"c") : format, 0);
    return formatter.Text();
}

String FormatDateTime(const String& format, TDateTime value) { return FormatDateTime(format, value, FormatSettings); }

String DateToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(settings.ShortDateFormat, value, settings); }
String DateToStr(TDateTime value) { return DateToStr(value, FormatSettings); }
String TimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(settings.LongTimeFormat, value, settings); }
String TimeToStr(TDateTime value) { return TimeToStr(value, FormatSettings); }
String DateTimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(L"c", value, settings); }
String DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings); }

bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& settings)
{
    return ScanWhole(ScanDate, s, value, settings);
}

bool TryStrToDate(const String& s, TDateTime& value) { return TryStrToDate(s, value, FormatSettings); }

TDateTime StrToDate(const String& s, const TFormatSettings& settings)
{
    return ParseOrRaise(TryStrToDate, s, settings, L"date");
}

TDateTime StrToDate(const String& s) { return StrToDate(s, FormatSettings); }

TDateTime StrToDateDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings)
{
    return ParseOrDefault(TryStrToDate, s, defaultValue, settings);
}

TDateTime StrToDateDef(const String& s, TDateTime defaultValue) { return StrToDateDef(s, defaultValue, FormatSettings); }

bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& settings)
{
    return ScanWhole(ScanTime, s, value, settings);
}

bool TryStrToTime(const String& s, TDateTime& value) { return TryStrToTime(s, value, FormatSettings); }

TDateTime StrToTime(const String& s, const TFormatSettings& settings)
{
    return ParseOrRaise(TryStrToTime, s, settings, L"time");
}

TDateTime StrToTime(const String& s) { return StrToTime(s, FormatSettings); }

TDateTime StrToTimeDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings)
{
    return ParseOrDefault(TryStrToTime, s, defaultValue, settings);
}

TDateTime StrToTimeDef(const String& s, TDateTime defaultValue) { return StrToTimeDef(s, defaultValue, FormatSettings); }

bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& settings)
{
    size_t pos = 0;
    TDateTime date, time = 0;
    if (ScanDate(s, pos, date, settings) && (pos >= s.size() || (ScanTime(s, pos, time, settings) && pos >= s.size()))) {
        value = ComposeDateTime(date, time);
        return true;
    }
    return TryStrToTime(s, value, settings);
}

bool TryStrToDateTime(const String& s, TDateTime& value) { return TryStrToDateTime(s, value, FormatSettings); }

TDateTime StrToDateTime(const String& s, const TFormatSettings& settings)
{
    return ParseOrRaise(TryStrToDateTime, s, settings, L"date and time");
}

TDateTime StrToDateTime(const String& s) { return StrToDateTime(s, FormatSettings); }

TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue, const TFormatSettings& settings)
{
    return ParseOrDefault(TryStrToDateTime, s, defaultValue, settings);
}

TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue) { return StrToDateTimeDef(s, defaultValue, FormatSettings); }
