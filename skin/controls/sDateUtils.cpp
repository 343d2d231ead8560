#include "skin/controls/sDateUtils.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"

namespace {

// Pictures longer than this are no masked date edit's and are not read by position.
constexpr int MaxPictureLength = 20;

bool IsBlank(wchar_t C)
{
    return C == L' ';
}

// The characters of Text under the run of Width Letters in Format, blanks left out; nothing when
// the run cannot be read there (the caller keeps its initial value).
std::optional<String> CollectFieldByFormat(const String& Format, const String& Text, wchar_t Letter, int Width)
{
    if (Text.size() > Format.size()) return std::nullopt;
    const String upper = UpperCase(Format);
    const wchar_t letter = static_cast<wchar_t>(towupper(Letter));
    const size_t at = upper.find(String(static_cast<size_t>(Width), letter));
    if (at == String::npos) return std::nullopt;
    if (static_cast<int>(Format.size()) < Width || Format.size() >= MaxPictureLength) return String();
    String collected;
    for (size_t i = at; i < upper.size() && upper[i] == letter && i < Text.size(); ++i)
        if (!IsBlank(Text[i]) && collected.size() < MaxPictureLength) collected += Text[i];
    return collected;
}

int ReadDigits(const String& Digits)
{
    if (Digits.empty()) return -1;
    int value = 0;
    for (wchar_t c : Digits) {
        if (c < L'0' || c > L'9') return -1;
        value = value * 10 + (c - L'0');
        if (value > 99999) return -1;
    }
    return value;
}

} // namespace

bool FourDigitYearDefault()
{
    static const bool fourDigits = UpperCase(FormatSettings.ShortDateFormat).find(L"YYYY") != String::npos;
    return fourDigits;
}

int DaysPerMonth(int Year, int Month)
{
    if (Month < 1 || Month > 12) return 0;
    return MonthDays[Year >= 1 && IsLeapYear(Year) ? 1 : 0][Month];
}

int DateOrder(const String& Format)
{
    for (wchar_t c : Format) switch (towupper(c)) {
        case L'D': return doDMY;
        case L'M': return doMDY;
        case L'Y': return doYMD;
        default: break;
        }
    return doDMY;
}

String DefDateFormat(bool FourDigits)
{
    switch (DateOrder(FormatSettings.ShortDateFormat)) {
    case doMDY: return FourDigits ? L"MM/DD/YYYY" : L"MM/DD/YY";
    case doYMD: return FourDigits ? L"YYYY/MM/DD" : L"YY/MM/DD";
    default: return FourDigits ? L"DD/MM/YYYY" : L"DD/MM/YY";
    }
}

String DefDateMask(wchar_t BlanksChar, bool FourDigits)
{
    String mask;
    if (!FourDigits)
        mask = L"!99/99/99;1;";
    else if (DateOrder(FormatSettings.ShortDateFormat) == doYMD)
        mask = L"!9999/99/99;1;";
    else
        mask = L"!99/99/9999;1;";
    return mask + BlanksChar;
}

bool ValidYMD(int Year, int Month, int Day)
{
    const auto year = static_cast<std::uint16_t>(Year);
    const auto month = static_cast<std::uint16_t>(Month);
    const auto day = static_cast<std::uint16_t>(Day);
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysPerMonth(year, month);
}

bool ValidDateTime(TDateTime D)
{
    if (!std::isfinite(D) || std::fabs(D) > 3.0e6) return false;
    int year = 0, month = 0, day = 0;
    DecodeDate(D, year, month, day);
    return ValidYMD(year, month, day);
}

int ExpandYear(int Year)
{
    if (Year >= 100) return Year;
    const int pivot = CurrentYear() - 60;
    Year += (pivot / 100) * 100;
    if (Year < pivot) Year += 100;
    return Year;
}

int ExtractFieldByFormat(const String& Format, const String& Text, wchar_t Letter, int Width, int Default,
                         int Initial)
{
    const std::optional<String> collected = CollectFieldByFormat(Format, Text, Letter, Width);
    if (!collected) return Initial;
    if (collected->empty()) return Default;
    if (Width == 1) return ReadDigits(*collected);
    const int month = MonthFromName(*collected, static_cast<int>(collected->size()));
    return month == 0 ? -1 : month;
}

int MonthFromName(const String& S, int N)
{
    if (S.empty() || N <= 0) return 0;
    const String start = S.substr(0, static_cast<size_t>(N));
    for (int m = 1; m <= 12; ++m) {
        const String& name = FormatSettings.LongMonthNames[static_cast<size_t>(m - 1)];
        if (!name.empty() && AnsiCompareText(name.substr(0, static_cast<size_t>(N)), start) == 0) return m;
    }
    return 0;
}

bool ReadDateByFormat(const String& Format, const String& Text, int& Day, int& Month, int& Year)
{
    Month = ExtractFieldByFormat(Format, Text, L'm', 3, -1, 0);
    if (Month == 0) Month = ExtractFieldByFormat(Format, Text, L'm', 1, -1, 0);
    Day = ExtractFieldByFormat(Format, Text, L'd', 1, -1, 1);
    // Only a year written with one or two digits is put into the century window: "0000" or
    // "0012" typed into a four-digit field are years 0 and 12, not 2000 and 2012.
    const std::optional<String> yearText = CollectFieldByFormat(Format, Text, L'y', 1);
    Year = ExtractFieldByFormat(Format, Text, L'y', 1, -1, CurrentYear());
    if (yearText && yearText->size() <= 2) Year = ExpandYear(Year);
    if (Month > 0 && Day > 0 && ValidYMD(Year, Month, Day)) return true;
    int pos = 1;
    return ScanDateNumbers(Text, Format, pos, Day, Month, Year);
}

void SkipBlanks(const String& S, int& Pos)
{
    while (Pos >= 1 && Pos <= static_cast<int>(S.size()) && IsBlank(S[static_cast<size_t>(Pos - 1)])) ++Pos;
}

bool ReadNumberAt(const String& S, int MaxLength, int& Pos, int& Number)
{
    SkipBlanks(S, Pos);
    int at = Pos, digits = 0, value = 0;
    while (at >= 1 && at <= static_cast<int>(S.size()) && digits < MaxLength && value < 1000) {
        const wchar_t c = S[static_cast<size_t>(at - 1)];
        if (c < L'0' || c > L'9') break;
        value = value * 10 + (c - L'0');
        ++digits;
        ++at;
    }
    if (digits == 0) return false;
    Pos = at;
    Number = value;
    return true;
}

bool ReadCharAt(const String& S, int& Pos, wchar_t Ch)
{
    SkipBlanks(S, Pos);
    if (Pos < 1 || Pos > static_cast<int>(S.size()) || S[static_cast<size_t>(Pos - 1)] != Ch) return false;
    ++Pos;
    return true;
}

bool ScanDateNumbers(const String& Text, const String& Format, int& Pos, int& Day, int& Month, int& Year)
{
    constexpr int MaxDigits = 4;
    Day = Month = Year = 0;
    const int order = DateOrder(Format);
    const wchar_t separator = FormatSettings.DateSeparator;
    // Each number with the count of its digits: only a one- or two-digit year is put into the
    // century window, as when reading by position.
    auto readNumber = [&](int& Number, int& Digits) {
        int start = Pos;
        SkipBlanks(Text, start);
        if (!ReadNumberAt(Text, MaxDigits, Pos, Number)) return false;
        Digits = Pos - start;
        return true;
    };
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d2 = 0, d3 = 0;
    if (!readNumber(n1, d1) || !ReadCharAt(Text, Pos, separator) || !readNumber(n2, d2)) return false;
    if (ReadCharAt(Text, Pos, separator)) {
        if (!readNumber(n3, d3)) return false;
        int yearDigits = d3;
        switch (order) {
        case doMDY: Month = n1, Day = n2, Year = n3; break;
        case doDMY: Day = n1, Month = n2, Year = n3; break;
        default: Year = n1, Month = n2, Day = n3, yearDigits = d1; break;
        }
        if (yearDigits <= 2) Year = ExpandYear(Year);
    } else {
        Year = CurrentYear();
        if (order == doDMY)
            Day = n1, Month = n2;
        else
            Month = n1, Day = n2;
    }
    ReadCharAt(Text, Pos, separator);
    SkipBlanks(Text, Pos);
    return ValidYMD(Year, Month, Day) && Pos > static_cast<int>(Text.size());
}

bool TryStrToDateFmt(const String& Format, const String& Text, TDateTime& Date)
{
    if (Text.empty()) {
        Date = 0;
        return true;
    }
    int day = 0, month = 0, year = 0;
    if (!ReadDateByFormat(Format, Text, day, month, year)) return false;
    return TryEncodeDate(year, month, day, Date);
}
