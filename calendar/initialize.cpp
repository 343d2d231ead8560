// The exports of initialize.dll. Each one catches everything: the caller is another module and
// must only ever see an answer, for bad input an empty or out-of-range one.
#include "calendar/initialize.h"

#include "calendar/Gregorian.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Rotation.h"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <type_traits>

using namespace Calendar;

namespace {

constexpr int FirstListYear = 2012;
constexpr int YearIndexCount = 21;
constexpr int StretchLength = 16;
// The holiday is the fifth day of its stretch, whose first day follows the day of "begin".
constexpr int HolidayAfterBegin = 5;

BSTR Text(const wchar_t* text)
{
    return SysAllocString(text);
}

BSTR EmptyText()
{
    return SysAllocString(L"");
}

BSTR NumberText(long long value)
{
    return Text(std::to_wstring(value).c_str());
}

template <typename TResult, typename TBody>
TResult Guarded(TResult fallback, TBody body) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

// BSTR results are made inside the body; any failure there falls back to a fresh empty text.
template <typename TBody>
BSTR GuardedText(TBody body) noexcept
{
    try {
        return body();
    } catch (...) {
        return EmptyText();
    }
}

bool ParseMonthAndYear(const wchar_t* monthText, const wchar_t* yearText, int& month, int& year)
{
    std::optional<int> m = ParseInteger(monthText);
    std::optional<int> y = ParseInteger(yearText);
    if (!m || !y || *m < 1 || *m > 12 || *y < MinYear || *y > MaxYear) return false;
    month = *m;
    year = *y;
    return true;
}

// The day before the stretch, or nothing for indexes out of range.
std::optional<int> BeginDay(int yearIndex, int holidayIndex)
{
    if (yearIndex < 0 || yearIndex >= YearIndexCount) return std::nullopt;
    if (holidayIndex < 0 || holidayIndex >= LunarHolidayCount) return std::nullopt;
    int holiday = LunarHolidayDay(FirstListYear + yearIndex, static_cast<TLunarHoliday>(holidayIndex));
    return holiday - HolidayAfterBegin;
}

BSTR JudgeDay(TRotation rotation, double day, double firstDutyDay)
{
    long long d = 0, first = 0;
    if (!WholeDay(day, d) || !WholeDay(firstDutyDay, first)) return EmptyText();
    return IsDutyDay(rotation, d, first) ? Text(L"Red") : EmptyText();
}

BSTR JudgeStretchDay(TRotation rotation, int offset, int yearIndex, int holidayIndex,
                     double firstDutyDay)
{
    if (offset < 0 || offset >= StretchLength) return EmptyText();
    std::optional<int> begin = BeginDay(yearIndex, holidayIndex);
    long long first = 0;
    if (!begin || !WholeDay(firstDutyDay, first)) return EmptyText();
    return IsDutyDay(rotation, *begin + 1 + offset, first) ? Text(L"Red") : EmptyText();
}

} // namespace

extern "C" {

BSTR __stdcall ThisYear()
{
    return GuardedText([] {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return NumberText(now.wYear);
    });
}

BSTR __stdcall ThisMonth()
{
    return GuardedText([] {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return NumberText(now.wMonth);
    });
}

BSTR __stdcall WeekOfFirstDay(const wchar_t* month, const wchar_t* year)
{
    return GuardedText([=] {
        int m = 0, y = 0;
        if (!ParseMonthAndYear(month, year, m, y)) return EmptyText();
        return NumberText(DayOfWeek(DateSerial(y, m, 1)));
    });
}

BSTR __stdcall LastDay(const wchar_t* month, const wchar_t* year)
{
    return GuardedText([=] {
        int m = 0, y = 0;
        if (!ParseMonthAndYear(month, year, m, y)) return EmptyText();
        return NumberText(DaysInMonth(y, m));
    });
}

int __stdcall DaysOfFeb(int year)
{
    return Guarded(0, [=] {
        if (year < MinYear || year > MaxYear) return 0;
        return DaysInMonth(year, 2);
    });
}

int __stdcall DaysOfBegin(int yearIndex, int holidayIndex)
{
    return Guarded(-1, [=] {
        std::optional<int> begin = BeginDay(yearIndex, holidayIndex);
        return begin ? CivilDate(*begin).Day : -1;
    });
}

double __stdcall DateOfBegin(int yearIndex, int holidayIndex)
{
    return Guarded(0.0, [=] {
        std::optional<int> begin = BeginDay(yearIndex, holidayIndex);
        return begin ? static_cast<double>(*begin) : 0.0;
    });
}

BSTR __stdcall H_judget_72(double day, double firstDutyDay)
{
    return GuardedText([=] { return JudgeDay(TRotation::Hours24, day, firstDutyDay); });
}

BSTR __stdcall H_judget_48(double day, double firstDutyDay)
{
    return GuardedText([=] { return JudgeDay(TRotation::Hours48, day, firstDutyDay); });
}

BSTR __stdcall H_judget_36(double day, double firstDutyDay)
{
    return GuardedText([=] { return JudgeDay(TRotation::Hours12, day, firstDutyDay); });
}

BSTR __stdcall L_judget_72(int offset, int yearIndex, int holidayIndex, double firstDutyDay)
{
    return GuardedText([=] {
        return JudgeStretchDay(TRotation::Hours24, offset, yearIndex, holidayIndex, firstDutyDay);
    });
}

BSTR __stdcall L_judget_48(int offset, int yearIndex, int holidayIndex, double firstDutyDay)
{
    return GuardedText([=] {
        return JudgeStretchDay(TRotation::Hours48, offset, yearIndex, holidayIndex, firstDutyDay);
    });
}

BSTR __stdcall L_judget_36(int offset, int yearIndex, int holidayIndex, double firstDutyDay)
{
    return GuardedText([=] {
        return JudgeStretchDay(TRotation::Hours12, offset, yearIndex, holidayIndex, firstDutyDay);
    });
}

} // extern "C"

// The program binds these through the header's pointer types; keep both in step.
static_assert(std::is_same_v<decltype(&ThisYear), TThisYearFunc>);
static_assert(std::is_same_v<decltype(&ThisMonth), TThisMonthFunc>);
static_assert(std::is_same_v<decltype(&WeekOfFirstDay), TWeekOfFirstDayFunc>);
static_assert(std::is_same_v<decltype(&LastDay), TLastDayFunc>);
static_assert(std::is_same_v<decltype(&DaysOfFeb), TDaysOfFebFunc>);
static_assert(std::is_same_v<decltype(&DaysOfBegin), TDaysOfBeginFunc>);
static_assert(std::is_same_v<decltype(&DateOfBegin), TDateOfBeginFunc>);
static_assert(std::is_same_v<decltype(&H_judget_72), THJudgetFunc>);
static_assert(std::is_same_v<decltype(&H_judget_48), THJudgetFunc>);
static_assert(std::is_same_v<decltype(&H_judget_36), THJudgetFunc>);
static_assert(std::is_same_v<decltype(&L_judget_72), TLJudgetFunc>);
static_assert(std::is_same_v<decltype(&L_judget_48), TLJudgetFunc>);
static_assert(std::is_same_v<decltype(&L_judget_36), TLJudgetFunc>);
