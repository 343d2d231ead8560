#pragma once
// Binds Library\initialize.dll the way the program does (full path, LoadLibraryExW, entry points
// by name) and offers small helpers to read its answers.
#include "calendar/initialize.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <windows.h>

#include <string>

namespace kvltest {

struct TCalendarLibrary : TCalendarEntryPoints {
    bool Complete() const
    {
        return Module && ThisYear && ThisMonth && WeekOfFirstDay && LastDay && DaysOfFeb && DaysOfBegin
               && DateOfBegin && H_judget_72 && H_judget_48 && H_judget_36 && L_judget_72
               && L_judget_48 && L_judget_36;
    }
};

// Loaded once for the whole test program and kept until it ends.
inline const TCalendarLibrary& CalendarLibrary()
{
    static const TCalendarLibrary library = [] {
        TCalendarLibrary lib;
        std::wstring path = ExeDir() + L"Library\\initialize.dll";
        lib.Module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!lib.Module) return lib;
        lib.Bind([](const char*) {});
        return lib;
    }();
    return library;
}

// Every test starts by making sure the library and all its entry points are there.
#define KVL_REQUIRE_CALENDAR_LIBRARY(lib)                                                           \
    const kvltest::TCalendarLibrary& lib = kvltest::CalendarLibrary();                               \
    ASSERT_TRUE(lib.Complete()) << "Library\\initialize.dll or one of its entry points is missing"

// The text of a BSTR result, freed afterwards. A null result is a fault of its own (the program
// may read any answer), reported here and read as a text no export ever gives.
inline std::wstring Take(BSTR text)
{
    EXPECT_NE(text, nullptr) << "an export answered a null BSTR";
    if (!text) return L"<null>";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

// The date-time serial of a calendar date, by the system's own conversion.
inline double DateOf(int year, int month, int day)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    double serial = 0;
    SystemTimeToVariantTime(&st, &serial);
    return serial;
}

inline SYSTEMTIME CalendarDate(double serial)
{
    SYSTEMTIME st{};
    VariantTimeToSystemTime(serial, &st);
    return st;
}

} // namespace kvltest
