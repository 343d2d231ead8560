#pragma once
// The calendar library's entry points (Library\initialize.dll), as the program binds them with
// LoadLibraryExW and GetProcAddress under these undecorated names. All are __stdcall.
// Texts come in as zero-terminated UTF-16; texts go out as BSTRs that the caller frees with
// SysFreeString (never null: "no answer" is the empty text). Dates are date-time values (days
// since 1899-12-30; the time of day is ignored). Year index 0..20 stands for 2012..2032, holiday
// index 0..5 for 元宵节, 清明节, 端午节, 中秋节, 重阳节, 除夕.
#include <windows.h>
#include <wtypes.h>

#include <type_traits>

// "ThisYear", "ThisMonth": the machine's local date, as decimal text ("2026", "12").
using TThisYearFunc = BSTR(__stdcall*)();
using TThisMonthFunc = BSTR(__stdcall*)();

// "WeekOfFirstDay" (month text, year text): weekday of the 1st, "1" = Sunday ... "7" = Saturday.
using TWeekOfFirstDayFunc = BSTR(__stdcall*)(const wchar_t* month, const wchar_t* year);

// "LastDay" (month text, year text): the month's last day, "28" ... "31".
using TLastDayFunc = BSTR(__stdcall*)(const wchar_t* month, const wchar_t* year);

// "DaysOfFeb" (year): 28 or 29; 0 outside the years 1..9999.
using TDaysOfFebFunc = int(__stdcall*)(int year);

// "DaysOfBegin" (year index, holiday index): the day of the month of the day before the holiday's
// sixteen-day stretch (the holiday is the stretch's fifth day); -1 for an index out of range.
using TDaysOfBeginFunc = int(__stdcall*)(int yearIndex, int holidayIndex);

// "DateOfBegin" (year index, holiday index): the date of that same day; 0 for an index out of range.
using TDateOfBeginFunc = double(__stdcall*)(int yearIndex, int holidayIndex);

// "H_judget_72", "H_judget_48", "H_judget_36" (day, first duty day): "Red" when the day is a duty
// day of the 24-hour, 48-hour or 12-hour rotation, "" otherwise.
using THJudgetFunc = BSTR(__stdcall*)(double day, double firstDutyDay);

// "L_judget_72", "L_judget_48", "L_judget_36" (offset 0..15, year index, holiday index, first
// duty day): the same answer for day DateOfBegin + 1 + offset of the holiday's stretch.
using TLJudgetFunc = BSTR(__stdcall*)(int offset, int yearIndex, int holidayIndex, double firstDutyDay);

// The thirteen entry points of a loaded library, bound by name. The program and the tests bind
// the library through this one table.
struct TCalendarEntryPoints {
    HMODULE Module = nullptr;
    TThisYearFunc ThisYear = nullptr;
    TThisMonthFunc ThisMonth = nullptr;
    TWeekOfFirstDayFunc WeekOfFirstDay = nullptr;
    TLastDayFunc LastDay = nullptr;
    TDaysOfFebFunc DaysOfFeb = nullptr;
    TDaysOfBeginFunc DaysOfBegin = nullptr;
    TDateOfBeginFunc DateOfBegin = nullptr;
    THJudgetFunc H_judget_72 = nullptr;
    THJudgetFunc H_judget_48 = nullptr;
    THJudgetFunc H_judget_36 = nullptr;
    TLJudgetFunc L_judget_72 = nullptr;
    TLJudgetFunc L_judget_48 = nullptr;
    TLJudgetFunc L_judget_36 = nullptr;

    // Looks every entry point up in Module; calls Missing(name) for each one that is not there.
    template <typename TMissing>
    void Bind(TMissing&& Missing)
    {
        auto bind = [&](auto& entry, const char* name) {
            using TEntry = std::remove_reference_t<decltype(entry)>;
            entry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(Module, name)));
            if (entry == nullptr) Missing(name);
        };
        bind(ThisYear, "ThisYear");
        bind(ThisMonth, "ThisMonth");
        bind(WeekOfFirstDay, "WeekOfFirstDay");
        bind(LastDay, "LastDay");
        bind(DaysOfFeb, "DaysOfFeb");
        bind(DaysOfBegin, "DaysOfBegin");
        bind(DateOfBegin, "DateOfBegin");
        bind(H_judget_72, "H_judget_72");
        bind(H_judget_48, "H_judget_48");
        bind(H_judget_36, "H_judget_36");
        bind(L_judget_72, "L_judget_72");
        bind(L_judget_48, "L_judget_48");
        bind(L_judget_36, "L_judget_36");
    }
};
